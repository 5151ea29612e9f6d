#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "tessel/Graphics/FigureBase.h"
#include "tessel/Graphics/SimplePainter.h"
#include "tessel/System/Assert.h"

namespace tessel {

// A figure with a stored position; what it shows is up to the derived class.
class BitmapFigure : public Figure {
public:
    void MoveBy(int dx, int dy) override {
        m_left += dx;
        m_top += dy;
    }
    int Left() const override { return m_left; }
    int Top() const override { return m_top; }

protected:
    int m_left = 0;
    int m_top = 0;
};

// A figure showing its own copy of one bitmap, painted through a painter it does not own.
// The painter offers DrawBitmap(handle, sourceRect, x, y) and EraseRect(rect).
template <class P> class TBitmapFigure : public BitmapFigure {
public:
    explicit TBitmapFigure(P* painter) : m_painterPtr(painter) {}
    TBitmapFigure(const TBitmapFigure&) = delete;
    TBitmapFigure& operator=(const TBitmapFigure&) = delete;

    // Copies the bitmap (image and size) into the figure's own bitmap, which is made on
    // first use at the depth of the screen (16 colours or true colour).
    void SetBitmap(TBitmap* bitmap) {
        if (!m_bitmap) {
            auto made = std::make_unique<TBitmap>();
            made->SetPixelFormat(detail::SurfacePixelFormat());
            m_bitmap = std::move(made);
        }
        m_bitmap->Assign(bitmap);
    }
    // The figure's copy (null before the first SetBitmap).
    TBitmap* Bitmap() const { return m_bitmap.get(); }
    P* Painter() const { return m_painterPtr; }

    int Width() const override { return m_bitmap ? m_bitmap->Width() : 0; }
    int Height() const override { return m_bitmap ? m_bitmap->Height() : 0; }

    // Copies the whole bitmap to (Left, Top); an empty figure paints nothing.
    void Draw() override {
        TESSEL_ASSERT(m_painterPtr, "tessel/Graphics/Figure/BmpFigure", 132);
        if (!m_painterPtr || !m_bitmap || !m_bitmap->Handle())
            return;
        m_painterPtr->DrawBitmap(m_bitmap->Handle(), Rect(0, 0, Width(), Height()), Left(), Top());
    }

    // Paints the figure's area in the painter's background colour.
    void Erase() override {
        TESSEL_ASSERT(m_painterPtr, "tessel/Graphics/Figure/BmpFigure", 145);
        if (!m_painterPtr || !m_bitmap)
            return;
        m_painterPtr->EraseRect(Rect(Left(), Top(), Left() + Width(), Top() + Height()));
    }

private:
    std::unique_ptr<TBitmap> m_bitmap;
    P* m_painterPtr;
};

} // namespace tessel
