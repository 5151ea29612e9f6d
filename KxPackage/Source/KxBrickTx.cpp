#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include "framework/streaming/Published.h"

KxBrickTx::KxBrickTx(TComponent* AOwner) : KxCaptionControl(AOwner) {}

void KxBrickTx::Repaint() {
    DoRepaint();
}

TColor KxBrickTx::GetFontColorOfCurState() const {
    switch (CurState()) {
    case 1:
        return CaptionColor(FFontColors->GetFocused());
    case 2: {
        const TColor disabled = FFontColors->GetDisabled();
        return CaptionColor(disabled == -1 ? clGrayText : disabled);
    }
    default:
        return CaptionColor(-1);
    }
}

void KxBrickTx::DoRepaint() {
    RedrawImage();
    DrawText();
    TWinControl::Repaint();
}

void KxBrickTx::Register() {
    PublishKxBrickTxClasses();
    RegisterComponents("KxComponentsTx", {ClassOf<KxBrickTx>()});
}

namespace {
void PublishKxBrickTx() {
    PublishKxBrickClasses();
    PublishedClass<KxBrickTx>("KxBrickTx", "KxBrick")
        .Object("Font", &TControl::Font)
        .StoredIf([](KxBrickTx* brick) { return !brick->ParentFont(); })
        .String("Caption", &KxBrickTx::GetText, &KxBrickTx::SetText)
        .Object("FontColors", &KxBrickTx::GetFontColors);
}
} // namespace

void PublishKxBrickTxClasses() {
    static const bool registered = (PublishKxBrickTx(), true);
    (void)registered;
}
