#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

#include "framework/core/Component.h"
#include "framework/core/ScopeGuard.h"
#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/Image.h"
#include "framework/ui/WinControl.h"
#include "framework/win/Win.h"
#include "framework/win/WinHandle.h"
#include "tessel/Graphics/Graphicutility.h"
#include "tessel/Graphics/RgbColor.h"
#include "tessel/Graphics/Shape.h"
#include "tessel/System/Assert.h"

// The painter every figure draws through, and the surfaces it draws on: a canvas layer that
// knows the background colour, and an image layer that puts that canvas on a form as a
// disabled TImage.
namespace tessel {

namespace detail {

// The screen's colour depth in bits per pixel.
inline int ScreenColorDepth() {
    const WindowDC screen;
    return GetDeviceCaps(screen.get(), BITSPIXEL);
}

// The depth of the bitmaps we draw into: 16 colours on a 16-colour screen, else true colour.
inline TPixelFormat SurfacePixelFormat() {
    return ScreenColorDepth() < 5 ? pf4bit : pf24bit;
}

// A new array of count elements, or null when the heap cannot hold it (too large to ask
// for counts as not holding it too).
template <class T> T* TryNewArray(std::size_t count) {
    if (count > static_cast<std::size_t>(PTRDIFF_MAX) / sizeof(T))
        return nullptr;
    return new (std::nothrow) T[count];
}

} // namespace detail

// The canvas-state saver of a layer that needs none: the painter sets every canvas setting
// it relies on at the start of each primitive.
template <class CanvasPtr> class NullSaver {
public:
    explicit NullSaver(CanvasPtr canvas) : m_canvas(canvas) {}
    void Save() {}
    void Restore() {}
    CanvasPtr Canvas() const { return m_canvas; }

private:
    CanvasPtr m_canvas;
};

// A canvas of a given size with a background colour to erase with.
template <class Saver> class CanvasLayer {
public:
    CanvasLayer(TCanvas* canvas, int width, int height)
        : m_canvas(canvas), m_background(0xFFFFFF), m_width(width), m_height(height),
          m_saver(canvas) {}

    TCanvas* Canvas() const { return m_canvas; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // 24-bit RGB.
    std::uint32_t Background() const { return m_background; }
    void SetBackground(std::uint32_t rgb) { m_background = rgb & 0xFFFFFFu; }

    void SaveState() { m_saver.Save(); }
    void RestoreState() { m_saver.Restore(); }

    // Paints the rectangle in the background colour; the brush is left as it was.
    void FillBackground(const TRect& rect) {
        TBrush* brush = m_canvas->Brush();
        const TBrushStyle style = brush->Style();
        const TColor color = brush->Color();
        const ScopeGuard restore([brush, style, color] {
            brush->SetColor(color);
            brush->SetStyle(style);
        });
        brush->SetStyle(bsSolid);
        brush->SetColor(static_cast<TColor>(m_background));
        m_canvas->FillRect(rect);
    }
    void FillBackground(int left, int top, int right, int bottom) {
        FillBackground(TRect(left, top, right, bottom));
    }

    // Takes the new size and paints only the area it exposes: the strip to the right of the
    // old width over the new height, and the strip below the old height under the old
    // width (no wider than the new width). A shrinking layer paints nothing.
    void Resize(int width, int height) {
        const int oldWidth = m_width;
        const int oldHeight = m_height;
        m_width = width;
        m_height = height;
        if (width > oldWidth)
            FillBackground(oldWidth, 0, width, height);
        if (height > oldHeight)
            FillBackground(0, oldHeight, oldWidth < width ? oldWidth : width, height);
    }

private:
    TCanvas* m_canvas;
    std::uint32_t m_background;
    int m_width;
    int m_height;
    Saver m_saver;
};

// The drawing surface of a display: a TImage on a parent control whose picture bitmap is
// drawn on. The image belongs to the owner component; it is disabled, so that the mouse
// reaches the control underneath.
template <class Saver> class ImageLayer {
public:
    ImageLayer(TComponent* owner, TWinControl* parent) : m_image(new TImage(owner)) {
        // Until the layer is made the image is ours to free if a step fails; an owner
        // would otherwise keep a half-made image.
        TImage* image = m_image;
        ScopeGuard undo([image] { delete image; });
        m_image->SetParent(parent);
        TBitmap* bitmap = m_image->Picture()->Bitmap();
        bitmap->SetSize(0, 0);
        m_image->SetWidth(0);
        m_image->SetHeight(0);
        bitmap->SetPixelFormat(detail::SurfacePixelFormat());
        m_image->SetLeft(0);
        m_image->SetTop(0);
        bitmap->SetTransparentMode(tmFixed);
        m_canvasLayer.reset(
            new CanvasLayer<Saver>(m_image->Canvas(), m_image->Width(), m_image->Height()));
        m_image->SetEnabled(false);
        undo.Dismiss();
    }

    // The image is freed here unless its owner is already destroying it.
    virtual ~ImageLayer() {
        if (!m_image->HasState(csDestroying))
            delete m_image;
        m_canvasLayer.reset();
    }

    ImageLayer(const ImageLayer&) = delete;
    ImageLayer& operator=(const ImageLayer&) = delete;

    TImage* Image() const { return m_image; }
    void SetParent(TWinControl* parent) { m_image->SetParent(parent); }

    // Surface first, then the image, then the canvas layer paints what became visible.
    void Resize(int width, int height) {
        TBitmap* bitmap = m_image->Picture()->Bitmap();
        bitmap->SetSize(width, height);
        m_image->SetWidth(width);
        m_image->SetHeight(height);
        m_canvasLayer->Resize(width, height);
    }
    int Width() const { return m_image->Picture()->Bitmap()->Width(); }
    int Height() const { return m_image->Picture()->Bitmap()->Height(); }

    void MoveBy(int dx, int dy) {
        m_image->SetLeft(m_image->Left() + dx);
        m_image->SetTop(m_image->Top() + dy);
    }
    int Left() const { return m_image->Left(); }
    int Top() const { return m_image->Top(); }

    void Clear() { m_canvasLayer->FillBackground(0, 0, Width(), Height()); }

    void SetBackgroundColor(RgbColor color) { m_canvasLayer->SetBackground(color.Rgb()); }
    RgbColor BackgroundColor() const { return RgbColor(m_canvasLayer->Background()); }

    void SetTransparent(bool transparent) { m_image->SetTransparent(transparent); }
    bool Transparent() const { return m_image->Transparent(); }

    void SetTransparentColor(RgbColor color) {
        m_image->Picture()->Bitmap()->SetTransparentColor(static_cast<TColor>(color.Rgb()));
    }
    RgbColor TransparentColor() const {
        return RgbColor(
            static_cast<std::uint32_t>(m_image->Picture()->Bitmap()->TransparentColor()));
    }

    // What the painter uses: the canvas, the save and restore steps, the coordinate mapping
    // (the identity here) and erasing.
    TCanvas* Canvas() const { return m_image->Canvas(); }
    void SaveState() { m_canvasLayer->SaveState(); }
    void RestoreState() { m_canvasLayer->RestoreState(); }
    TRect MapRect(const Rect& rect) const {
        return TRect(rect.left, rect.top, rect.right, rect.bottom);
    }
    TPoint MapPoint(const Point& point) const { return TPoint(point.x, point.y); }
    void FillBackground(const TRect& rect) { m_canvasLayer->FillBackground(rect); }

private:
    TImage* m_image;
    std::unique_ptr<CanvasLayer<Saver>> m_canvasLayer;
};

// Paints shapes and bitmaps on a layer in one current colour. Each primitive prepares the
// layer's canvas (solid brush and pen in the current colour, pen mode copy), draws once
// through the canvas helpers and gives the canvas back. The painter does not own the layer.
template <class Layer> class SimplePainter {
public:
    explicit SimplePainter(Layer* layer) : m_layer(layer), m_color(0xFFFFFFFFu) {}

    Layer* GetLayer() const { return m_layer; }
    void SetColor(RgbColor color) { m_color = color; }
    RgbColor Color() const { return m_color; }
    // The colour figures erase with.
    RgbColor BackgroundColor() const { return m_layer->BackgroundColor(); }

    TCanvas* BeginPaint() {
        m_layer->SaveState();
        TCanvas* canvas = m_layer->Canvas();
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetMode(pmCopy);
        const TColor color = static_cast<TColor>(m_color.Rgb());
        canvas->Brush()->SetColor(color);
        canvas->Pen()->SetColor(color);
        return canvas;
    }
    void EndPaint() { m_layer->RestoreState(); }

    void FillRect(const Rect& rect) {
        Paint([&](TCanvas* c) { FillRectangle(c, Map(rect)); });
    }
    void FrameRect(const Rect& rect) {
        Paint([&](TCanvas* c) { FrameRectangle(c, Map(rect)); });
    }
    void FillEllipse(const Rect& rect) {
        Paint([&](TCanvas* c) { tessel::FillEllipse(c, Map(rect)); });
    }
    void FrameEllipse(const Rect& rect) {
        Paint([&](TCanvas* c) { tessel::FrameEllipse(c, Map(rect)); });
    }
    void FillRoundRect(const Rect& rect, int cornerWidth, int cornerHeight) {
        Paint([&](TCanvas* c) { tessel::FillRoundRect(c, Map(rect), cornerWidth, cornerHeight); });
    }

    // The points are mapped into a temporary array of their own for the canvas.
    void FramePolygon(const Point* points, int count) {
        if (count <= 0)
            return;
        TPoint* p = detail::TryNewArray<TPoint>(static_cast<std::size_t>(count));
        TESSEL_ASSERT(p != NULL, "tessel/Graphics/SimplePainter", 425);
        if (!p)
            return;
        const std::unique_ptr<TPoint[]> owned(p);
        for (int i = 0; i < count; ++i)
            p[i] = m_layer->MapPoint(points[i]);
        Paint([&](TCanvas* c) { tessel::FramePolygon(c, p, count); });
    }
    void FillPolygon(const Point* points, int count) {
        if (count <= 0)
            return;
        TPoint* p = detail::TryNewArray<TPoint>(static_cast<std::size_t>(count));
        TESSEL_ASSERT(p != NULL, "tessel/Graphics/SimplePainter", 442);
        if (!p)
            return;
        const std::unique_ptr<TPoint[]> owned(p);
        for (int i = 0; i < count; ++i)
            p[i] = m_layer->MapPoint(points[i]);
        Paint([&](TCanvas* c) { tessel::FillPolygon(c, p, count); });
    }

    // Copies sourceRect of the bitmap behind the handle to (x, y). The handle is borrowed
    // by a temporary TBitmap and given back unfreed, on every path. No handle, no drawing.
    void DrawBitmap(HBITMAP bitmap, const Rect& sourceRect, int x, int y) {
        if (!bitmap)
            return;
        Paint([&](TCanvas* canvas) {
            TBitmap borrowed;
            borrowed.SetHandle(bitmap);
            const ScopeGuard giveBack([&borrowed] { borrowed.ReleaseHandle(); });
            const TPoint at = m_layer->MapPoint(Point(x, y));
            CopyBitmapRect(
                canvas, at.x, at.y, &borrowed,
                TRect(sourceRect.left, sourceRect.top, sourceRect.right, sourceRect.bottom));
        });
    }

    // Paints the rectangle in the layer's background colour.
    void EraseRect(const Rect& rect) { m_layer->FillBackground(Map(rect)); }

    // The shapes, as the shape figures hand them over.
    void Fill(const Rectangle& shape) { FillRect(CanvasRect(shape)); }
    void Frame(const Rectangle& shape) { FrameRect(CanvasRect(shape)); }
    void Fill(const Square& shape) { FillRect(CanvasRect(shape)); }
    void Frame(const Square& shape) { FrameRect(CanvasRect(shape)); }
    void Fill(const Ellipse& shape) { FillEllipse(CanvasRect(shape)); }
    void Frame(const Ellipse& shape) { FrameEllipse(CanvasRect(shape)); }
    void Fill(const Circle& shape) { FillEllipse(CanvasRect(shape)); }
    void Frame(const Circle& shape) { FrameEllipse(CanvasRect(shape)); }
    void Fill(const RoundRect& shape) {
        FillRoundRect(CanvasRect(shape), shape.EllipseWidth(), shape.EllipseHeight());
    }
    // The canvas has no outline-only rounded rectangle: the outline pass fills it too.
    void Frame(const RoundRect& shape) {
        FillRoundRect(CanvasRect(shape), shape.EllipseWidth(), shape.EllipseHeight());
    }
    void Fill(const Polygon& shape) {
        const int count = static_cast<int>(shape.ControlPointCount());
        Point* pointAry = detail::TryNewArray<Point>(static_cast<std::size_t>(count));
        TESSEL_ASSERT(pointAry != NULL, "tessel/Graphics/SimplePainter", 470);
        if (!pointAry)
            return;
        const std::unique_ptr<Point[]> owned(pointAry);
        CopyPoints(shape, pointAry);
        FillPolygon(pointAry, count);
    }
    void Frame(const Polygon& shape) {
        const int count = static_cast<int>(shape.ControlPointCount());
        Point* pointAry = detail::TryNewArray<Point>(static_cast<std::size_t>(count));
        TESSEL_ASSERT(pointAry != NULL, "tessel/Graphics/SimplePainter", 457);
        if (!pointAry)
            return;
        const std::unique_ptr<Point[]> owned(pointAry);
        CopyPoints(shape, pointAry);
        FramePolygon(pointAry, count);
    }

private:
    TRect Map(const Rect& rect) const { return m_layer->MapRect(rect); }

    // One BeginPaint ... EndPaint bracket around a drawing step.
    template <class Draw> void Paint(Draw draw) {
        TCanvas* canvas = BeginPaint();
        const ScopeGuard end([this] { EndPaint(); });
        draw(canvas);
    }

    static void CopyPoints(const Polygon& shape, Point* to) {
        const auto& points = shape.ControlPoints();
        for (std::size_t i = 0; i < points.size(); ++i)
            to[i] = points[i];
    }

    Layer* m_layer;
    RgbColor m_color;
};

} // namespace tessel
