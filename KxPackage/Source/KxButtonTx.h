#pragma once
#include <memory>

#include "KxPackage/Source/KxButton.h"

// The bitmap push button with a caption, painted by the control over the state bitmap in
// its display image, centred in a text rectangle, coloured per look and moved while sunken.
class KxButtonTx : public KxButton {
public:
    explicit KxButtonTx(TComponent* AOwner);
    ~KxButtonTx() override;

    // How far the caption rectangle's left and top edges move for the sunken look.
    void SetDisp(int x, int y);
    // Lasts until the next SetBounds.
    void SetTextBounds(int left, int top, int width, int height);
    TRect TextRect() const { return FTextRect; }

    void ShowBitmap(int state) override;
    void ShowSunken() override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Repaint() override;

    void FontChange(TObject* Sender);
    void FontColorChange(TObject* Sender);
    // Paints the caption on the display image.
    void DrawText();
    // Plain RGB.
    TColor GetFontColorOfCurState() const;

    AnsiString GetText() const { return KxButton::GetText(); }
    void SetText(AnsiString value);
    void SetCaption(const AnsiString& value) { SetText(value); }
    // The state bitmap, then the caption; the control is invalidated.
    void DoRepaint();

    KxThreeStateFontColor* GetFontColors() const { return FFontColors.get(); }
    // Copies the colours; the copy repaints once.
    void SetFontColors(KxThreeStateFontColor* value);

    // Puts KxButtonTx on the designer's palette page "KxComponentsTx".
    static void Register();

protected:
    int FDispX = 2;
    int FDispY = 2;
    bool FSunkenPending = false;
    TRect FTextRect;
    TNotifyEvent FSavedFontChange;
    std::unique_ptr<KxThreeStateFontColor> FFontColors;
};

// Publishes KxButtonTx (and what it builds on) for the form description; idempotent.
void RegisterKxButtonTxClasses();
