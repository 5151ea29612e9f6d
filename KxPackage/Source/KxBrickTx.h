#pragma once
#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxCaption.h"

// A brick with a caption painted over its bitmap, coloured per look (focused, disabled) and
// never displaced; every change of look, caption, font or colour reaches the screen at once.
class KxBrickTx : public KxCaptionControl<KxBrick, KxTwoStateFontColor> {
public:
    explicit KxBrickTx(TComponent* AOwner);

    // Bitmap and caption only: DoRepaint paints the window itself.
    void Repaint() override;
    TColor GetFontColorOfCurState() const override;
    // The state bitmap, then the caption; the window is painted now, not invalidated.
    void DoRepaint() override;

    // Puts KxBrickTx on the designer's palette page "KxComponentsTx".
    static void Register();
};

