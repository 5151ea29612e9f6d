#include "KxPackage/Source/KxButtonTx.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include "framework/streaming/Published.h"

KxButtonTx::KxButtonTx(TComponent* AOwner) : KxCaptionControl(AOwner) {}

void KxButtonTx::ShowSunken() {
    FSunkenPending = true;
    KxButton::ShowSunken();
}

void KxButtonTx::Repaint() {
    DoRepaint();
    TWinControl::Repaint();
}

TColor KxButtonTx::GetFontColorOfCurState() const {
    switch (CurState()) {
    case 1:
        return CaptionColor(FFontColors->GetSunken());
    case 2:
        return CaptionColor(FFontColors->GetFocused());
    case 3: {
        const TColor disabled = FFontColors->GetDisabled();
        return CaptionColor(disabled == -1 ? clGrayText : disabled);
    }
    default:
        return CaptionColor(-1);
    }
}

void KxButtonTx::DoRepaint() {
    RedrawImage();
    DrawText();
    Invalidate();
}

void KxButtonTx::Register() {
    PublishKxButtonTxClasses();
    RegisterComponents("KxComponentsTx", {ClassOf<KxButtonTx>()});
}

namespace {
void PublishKxButtonTx() {
    PublishKxButtonClasses();
    PublishedClass<KxButtonTx>("KxButtonTx", "KxButton")
        .Object("Font", &TControl::Font)
        .StoredIf([](KxButtonTx* button) { return !button->ParentFont(); })
        .String("Caption", &KxButtonTx::GetText, &KxButtonTx::SetText)
        .Object("FontColors", &KxButtonTx::GetFontColors);
}
} // namespace

void PublishKxButtonTxClasses() {
    static const bool registered = (PublishKxButtonTx(), true);
    (void)registered;
}
