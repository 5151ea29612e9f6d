#pragma once
#include <memory>

#include "KxPackage/Source/KxControl.h"
#include "framework/graphics/Font.h"
#include "framework/win/WinHandle.h"

// The caption that the text controls (KxButtonTx, KxBrickTx) paint over their state bitmap
// in the display image: one line centred in FTextRect, in a colour per state from a caption
// colour set (FontColorSet, whose change hook repaints), moved by (FDispX, FDispY) on the one
// draw after a press. Base is the control it is added to; the derived control says how the
// state numbers map to caption colours and how a repaint reaches the screen.
template <class Base, class FontColorSet> class KxCaptionControl : public Base {
public:
    explicit KxCaptionControl(TComponent* AOwner) : Base(AOwner) {
        FSavedFontChange = this->Font()->OnChange;
        this->Font()->OnChange = TNotifyEvent(this, &KxCaptionControl::FontChange);
        FFontColors = std::make_unique<FontColorSet>();
        FFontColors->FOnChange = TNotifyEvent(this, &KxCaptionControl::FontColorChange);
    }

    // The framework's font handler comes back before the colours go.
    ~KxCaptionControl() override {
        this->Font()->OnChange = FSavedFontChange;
        FFontColors.reset();
    }

    // How far the caption rectangle's left and top edges move for the pressed look.
    void SetDisp(int x, int y) {
        FDispX = x;
        FDispY = y;
    }
    // Lasts until the next SetBounds.
    void SetTextBounds(int left, int top, int width, int height) {
        FTextRect = TRect(left, top, left + width, top + height);
        DoRepaint();
    }
    TRect TextRect() const { return FTextRect; }

    void ShowBitmap(int state) override {
        Base::ShowBitmap(state);
        DoRepaint();
    }
    // By default the caption is centred in the whole control.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override {
        SetTextBounds(0, 0, AWidth, AHeight);
        Base::SetBounds(ALeft, ATop, AWidth, AHeight);
    }

    void FontChange(TObject* Sender) {
        DoRepaint();
        // The framework still sees every change of the font.
        if (FSavedFontChange)
            FSavedFontChange(Sender);
    }
    void FontColorChange(TObject*) { DoRepaint(); }

    // Paints the caption on the display image.
    void DrawText() {
        TRect r = FTextRect;
        // Only the draw right after the press moves the caption.
        if (FSunkenPending) {
            FSunkenPending = false;
            r.Left += FDispX;
            r.Top += FDispY;
        }
        HDC dc = this->ImageCanvas()->Handle();
        SetBkMode(dc, TRANSPARENT);
        const SelectedObject font(dc, this->Font()->Handle());
        SetTextColor(dc, static_cast<COLORREF>(GetFontColorOfCurState()));
        const AnsiString text = GetText();
        RECT rect = {r.Left, r.Top, r.Right, r.Bottom};
        DrawTextA(dc, text.c_str(), text.Length(), &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    // Plain RGB.
    virtual TColor GetFontColorOfCurState() const = 0;

    AnsiString GetText() const { return Base::GetText(); }
    void SetText(AnsiString value) {
        Base::SetText(value);
        DoRepaint();
    }
    void SetCaption(const AnsiString& value) { SetText(value); }
    // The state bitmap, then the caption, then the screen.
    virtual void DoRepaint() = 0;

    FontColorSet* GetFontColors() const { return FFontColors.get(); }
    // Copies the colours; the copy repaints once.
    void SetFontColors(FontColorSet* value) { FFontColors->Assign(value); }

protected:
    // A caption set through the framework (a linked action's) is painted as well.
    void TextChanged() override {
        Base::TextChanged();
        DoRepaint();
    }
    // A caption colour as painted: -1 (no colour of its own) is the font's colour.
    TColor CaptionColor(TColor chosen) const {
        return ColorToRGB(chosen == -1 ? this->Font()->Color() : chosen);
    }

    int FDispX = 2;
    int FDispY = 2;
    bool FSunkenPending = false;
    TRect FTextRect;
    TNotifyEvent FSavedFontChange;
    std::unique_ptr<FontColorSet> FFontColors;
};
