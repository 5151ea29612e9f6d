#include "KxPackage/Source/KxButtonTx.h"

#include "framework/Font.h"
#include "framework/Published.h"

KxButtonTx::KxButtonTx(TComponent* AOwner) : KxButton(AOwner) {
    FSavedFontChange = Font()->OnChange;
    Font()->OnChange = TNotifyEvent(this, &KxButtonTx::FontChange);
    FFontColors = std::make_unique<KxThreeStateFontColor>();
    FFontColors->FOnChange = TNotifyEvent(this, &KxButtonTx::FontColorChange);
}

KxButtonTx::~KxButtonTx() {
    Font()->OnChange = FSavedFontChange;
    FFontColors.reset();
}

void KxButtonTx::SetDisp(int x, int y) {
    FDispX = x;
    FDispY = y;
}

void KxButtonTx::SetTextBounds(int left, int top, int width, int height) {
    FTextRect = TRect(left, top, left + width, top + height);
    DoRepaint();
}

void KxButtonTx::ShowBitmap(int state) {
    KxButton::ShowBitmap(state);
    DoRepaint();
}

void KxButtonTx::ShowSunken() {
    FSunkenPending = true;
    KxButton::ShowSunken();
}

void KxButtonTx::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    SetTextBounds(0, 0, AWidth, AHeight);
    KxButton::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void KxButtonTx::Repaint() {
    DoRepaint();
    TWinControl::Repaint();
}

void KxButtonTx::FontChange(TObject* Sender) {
    DoRepaint();
    // The framework still sees every change of the font.
    if (FSavedFontChange)
        FSavedFontChange(Sender);
}

void KxButtonTx::FontColorChange(TObject*) {
    DoRepaint();
}

void KxButtonTx::DrawText() {
    TRect r = FTextRect;
    // Only the draw right after the press moves the caption.
    if (FSunkenPending) {
        FSunkenPending = false;
        r.Left += FDispX;
        r.Top += FDispY;
    }
    HDC dc = ImageCanvas()->Handle();
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ kept = SelectObject(dc, Font()->Handle());
    SetTextColor(dc, static_cast<COLORREF>(GetFontColorOfCurState()));
    const AnsiString text = GetText();
    RECT rect = {r.Left, r.Top, r.Right, r.Bottom};
    DrawTextA(dc, text.c_str(), text.Length(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, kept);
}

TColor KxButtonTx::GetFontColorOfCurState() const {
    TColor color = -1;
    if (FFontColors) {
        switch (CurState()) {
        case 1:
            color = FFontColors->GetSunken();
            break;
        case 2:
            color = FFontColors->GetFocused();
            break;
        case 3:
            color = FFontColors->GetDisabled();
            if (color == -1)
                color = clGrayText;
            break;
        default:
            break;
        }
    }
    if (color == -1)
        color = Font()->Color();
    return ColorToRGB(color);
}

void KxButtonTx::SetText(AnsiString value) {
    KxButton::SetText(value);
    DoRepaint();
}

void KxButtonTx::DoRepaint() {
    RedrawImage();
    DrawText();
    Invalidate();
}

void KxButtonTx::SetFontColors(KxThreeStateFontColor* value) {
    FFontColors->Assign(value);
}

void KxButtonTx::Register() {
    RegisterKxButtonTxClasses();
    RegisterComponents("KxComponentsTx", {ClassOf<KxButtonTx>()});
}

namespace {
void PublishKxButtonTx() {
    RegisterKxButtonClasses();
    PublishedClass<KxButtonTx>("KxButtonTx", "KxButton")
        .Object("Font", &TControl::Font)
        .StoredIf([](KxButtonTx* button) { return !button->ParentFont(); })
        .String("Caption", &KxButtonTx::GetText, &KxButtonTx::SetText)
        .Object("FontColors", &KxButtonTx::GetFontColors);
}
} // namespace

void RegisterKxButtonTxClasses() {
    static const bool registered = (PublishKxButtonTx(), true);
    (void)registered;
}
