#include "tessel/Graphics/Graphicutility.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "tessel/Graphics/Source/Restorer.h"

namespace tessel {
namespace detail {

// Sets one canvas setting for one drawing call and puts the earlier value back afterwards,
// also when the call throws.
template <class Value, Value (*Get)(TCanvas*), void (*Set)(TCanvas*, Value), class Draw>
void WithSetting(TCanvas* canvas, Value value, Draw draw) {
    const Value saved = Get(canvas);
    Restorer restorer([canvas, saved] { Set(canvas, saved); });
    Set(canvas, value);
    draw();
    restorer.Restore();
}

inline TBrushStyle BrushStyleOf(TCanvas* c) {
    return c->Brush()->Style();
}
inline void SetBrushStyle(TCanvas* c, TBrushStyle s) {
    c->Brush()->SetStyle(s);
}
inline TColor PenColorOf(TCanvas* c) {
    return c->Pen()->Color();
}
inline void SetPenColor(TCanvas* c, TColor color) {
    c->Pen()->SetColor(color);
}
inline TCopyMode CopyModeOf(TCanvas* c) {
    return c->CopyMode();
}
inline void SetCopyMode(TCanvas* c, TCopyMode mode) {
    c->SetCopyMode(mode);
}

// The frame manner: the brush is cleared for the call.
template <class Draw> void Framed(TCanvas* canvas, Draw draw) {
    WithSetting<TBrushStyle, BrushStyleOf, SetBrushStyle>(canvas, bsClear, draw);
}

// The fill manner: the pen takes the brush colour for the call.
template <class Draw> void Filled(TCanvas* canvas, Draw draw) {
    WithSetting<TColor, PenColorOf, SetPenColor>(canvas, canvas->Brush()->Color(), draw);
}

} // namespace detail

void FrameRectangle(TCanvas* canvas, const TRect& rect) {
    detail::Framed(canvas, [&] { canvas->Rectangle(rect); });
}

void FillRectangle(TCanvas* canvas, const TRect& rect) {
    detail::Filled(canvas, [&] { canvas->Rectangle(rect); });
}

void FrameEllipse(TCanvas* canvas, const TRect& rect) {
    detail::Framed(canvas, [&] { canvas->Ellipse(rect); });
}

void FillEllipse(TCanvas* canvas, const TRect& rect) {
    detail::Filled(canvas, [&] { canvas->Ellipse(rect); });
}

void FillRoundRect(TCanvas* canvas, const TRect& rect, int cornerWidth, int cornerHeight) {
    detail::Filled(canvas, [&] {
        canvas->RoundRect(rect.Left, rect.Top, rect.Right, rect.Bottom, cornerWidth, cornerHeight);
    });
}

// The framework's polygon call takes the index of the last point.
void FramePolygon(TCanvas* canvas, const TPoint* points, int count) {
    detail::Framed(canvas, [&] { canvas->Polygon(points, count - 1); });
}

void FillPolygon(TCanvas* canvas, const TPoint* points, int count) {
    detail::Filled(canvas, [&] { canvas->Polygon(points, count - 1); });
}

void CopyBitmapRect(TCanvas* canvas, int x, int y, TBitmap* bitmap, const TRect& sourceRect) {
    const TRect dest(x, y, x + sourceRect.Width(), y + sourceRect.Height());
    detail::WithSetting<TCopyMode, detail::CopyModeOf, detail::SetCopyMode>(
        canvas, cmSrcCopy, [&] { canvas->CopyRect(dest, bitmap->Canvas(), sourceRect); });
}

} // namespace tessel
