#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/ui/Image.h"
#include "framework/ui/WinControl.h"
#include "tessel/Component/LED/BmpLED.h"
#include "tessel/Graphics/SimplePainter.h"
#include "tessel/Graphics/WinRegion.h"

namespace tessel {

// The display of a multi-state LED.
class LEDCtrl {
public:
    virtual ~LEDCtrl() = default;
    virtual int StateCount() const = 0;
    virtual int State() const = 0;
    virtual void SetState(int state) = 0;
    virtual void Update() = 0;
    virtual void MoveBy(int dx, int dy) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// A ready-made bitmap LED display: it owns the state bitmaps and a disabled image on a
// parent control that shows the current state, drawn through a painter on an image layer.
// Changing the bitmap of the state on show redraws the display by itself.
class TBmpLEDCtrl : public LEDCtrl {
public:
    using Layer = ImageLayer<NullSaver<TCanvas*>>;
    using Painter = SimplePainter<Layer>;
    using BitmapLED = TBitmapLED<Painter>;

    // stateCount empty state bitmaps, state 0 selected, nothing drawn; the display image
    // belongs to owner and lies on parent at (0, 0) with a 0 x 0 surface.
    TBmpLEDCtrl(TComponent* owner, TWinControl* parent, int stateCount);
    ~TBmpLEDCtrl() override;
    TBmpLEDCtrl(const TBmpLEDCtrl&) = delete;
    TBmpLEDCtrl& operator=(const TBmpLEDCtrl&) = delete;

    int StateCount() const override;
    int State() const override;
    // Draws the new state onto the surface; the image is not repainted here.
    void SetState(int state) override;
    // Draws the current state again and repaints the image.
    void Update() override;
    void MoveBy(int dx, int dy) override;
    int Left() const override;
    int Top() const override;
    // The size of the drawing surface (0 x 0 until Resize), not of the state bitmaps.
    int Width() const override;
    int Height() const override;

    // The live bitmap of a state; changing it on show redraws the display.
    TBitmap* Bitmap(int index) const;
    // Copies bitmap into the state's bitmap.
    void SetBitmap(TBitmap* bitmap, int index);
    void Resize(int width, int height);

    // RGB only: a system colour is stored resolved, the top byte is always 0.
    TColor TransparentColor() const;
    void SetTransparentColor(TColor color);
    bool Transparent() const;
    void SetTransparent(bool transparent);

    // The surface's canvas: what is painted on it stays until the next redraw.
    TCanvas* Canvas() const;
    TImage* DisplayImage() const;
    // The region of the pixels of a state's bitmap that are not of TransparentColor().
    void MakeRegion(WinRegion& region, int index) const;

    // The OnChange handler of every state bitmap: redraws when the sender is the bitmap of
    // the state on show. An owner that takes the event over calls this itself.
    void BitmapChanged(TObject* sender);

private:
    std::unique_ptr<Layer> m_layer;
    std::unique_ptr<Painter> m_painter;
    std::unique_ptr<BitmapLED> m_led;
};

} // namespace tessel
