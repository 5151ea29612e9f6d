#include "tessel/Graphics/Graphicutility.h"

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace tessel {
namespace detail {

// Sets one canvas setting for the guard's lifetime and puts the earlier value back when it
// goes, also when the drawing call in between throws.
template <class Value, Value (*Get)(TCanvas*), void (*Set)(TCanvas*, Value)> class SettingGuard {
public:
    SettingGuard(TCanvas* canvas, Value value) : m_canvas(canvas), m_saved(Get(canvas)) {
        Set(canvas, value);
    }
    ~SettingGuard() { Set(m_canvas, m_saved); }
    SettingGuard(const SettingGuard&) = delete;
    SettingGuard& operator=(const SettingGuard&) = delete;

private:
    TCanvas* m_canvas;
    Value m_saved;
};

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

using ClearBrush = SettingGuard<TBrushStyle, BrushStyleOf, SetBrushStyle>;
using PenColor = SettingGuard<TColor, PenColorOf, SetPenColor>;
using CopyModeGuard = SettingGuard<TCopyMode, CopyModeOf, SetCopyMode>;

// The frame manner: the brush is cleared for the call.
template <class Draw> void Framed(TCanvas* canvas, Draw draw) {
    ClearBrush guard(canvas, bsClear);
    draw();
}

// The fill manner: the pen takes the brush colour for the call.
template <class Draw> void Filled(TCanvas* canvas, Draw draw) {
    PenColor guard(canvas, canvas->Brush()->Color());
    draw();
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
    detail::CopyModeGuard guard(canvas, cmSrcCopy);
    const TRect dest(x, y, x + sourceRect.Width(), y + sourceRect.Height());
    canvas->CopyRect(dest, bitmap->Canvas(), sourceRect);
}

} // namespace tessel
