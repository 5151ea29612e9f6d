#pragma once
#include "KxPackage/Source/KxButton.h"
#include "KxPackage/Source/KxCaption.h"

// The bitmap push button with a caption, painted by the control over the state bitmap in
// its display image, centred in a text rectangle, coloured per look and moved while sunken.
class KxButtonTx : public KxCaptionControl<KxButton, KxThreeStateFontColor> {
public:
    explicit KxButtonTx(TComponent* AOwner);

    // The next caption draw is moved by (FDispX, FDispY).
    void ShowSunken() override;
    void Repaint() override;
    TColor GetFontColorOfCurState() const override;
    // The state bitmap, then the caption; the control is invalidated.
    void DoRepaint() override;

    // Puts KxButtonTx on the designer's palette page "KxComponentsTx".
    static void Register();
};

