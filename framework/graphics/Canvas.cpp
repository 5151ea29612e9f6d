#include "framework/graphics/Canvas.h"

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/core/Exceptions.h"

// ---- TPen

void TPen::Assign(TPersistent* source) {
    if (TPen* pen = dynamic_cast<TPen*>(source)) {
        m_color = pen->m_color;
        m_style = pen->m_style;
        m_width = pen->m_width;
        m_mode = pen->m_mode;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TPen::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TPen::SetStyle(TPenStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TPen::SetWidth(int width) {
    if (width == m_width)
        return;
    m_width = width;
    Changed();
}

void TPen::SetMode(TPenMode mode) {
    if (mode == m_mode)
        return;
    m_mode = mode;
    Changed();
}

HGDIOBJ TPen::CreateHandle() {
    static const int styles[] = {PS_SOLID,      PS_DASH, PS_DOT,        PS_DASHDOT,
                                 PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    return CreatePen(styles[m_style], m_width, static_cast<COLORREF>(ColorToRGB(m_color)));
}

// ---- TBrush

void TBrush::Assign(TPersistent* source) {
    if (TBrush* brush = dynamic_cast<TBrush*>(source)) {
        m_color = brush->m_color;
        m_style = brush->m_style;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TBrush::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    // Classic behaviour: giving a clear brush a colour makes it solid again.
    if (m_style == bsClear)
        m_style = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

HGDIOBJ TBrush::CreateHandle() {
    const COLORREF colour = static_cast<COLORREF>(ColorToRGB(m_color));
    switch (m_style) {
    case bsSolid:
        return CreateSolidBrush(colour);
    case bsClear:
        return GetStockObject(NULL_BRUSH);
    case bsHorizontal:
        return CreateHatchBrush(HS_HORIZONTAL, colour);
    case bsVertical:
        return CreateHatchBrush(HS_VERTICAL, colour);
    case bsFDiagonal:
        return CreateHatchBrush(HS_FDIAGONAL, colour);
    case bsBDiagonal:
        return CreateHatchBrush(HS_BDIAGONAL, colour);
    case bsCross:
        return CreateHatchBrush(HS_CROSS, colour);
    case bsDiagCross:
        return CreateHatchBrush(HS_DIAGCROSS, colour);
    }
    return nullptr;
}

// ---- TCanvas

TCanvas::TCanvas() {
    const TNotifyEvent changing(this, &TCanvas::ObjectChanging);
    m_pen.m_ownerChanging = changing;
    m_brush.m_ownerChanging = changing;
    m_font.m_ownerChanging = changing;
}

TCanvas::TCanvas(HDC dc) : TCanvas() {
    m_handle = dc;
}

TCanvas::~TCanvas() {
    DeselectObjects();
}

HDC TCanvas::Handle() {
    if (!m_handle)
        CreateHandle();
    if (!m_handle)
        throw EInvalidOperation("Canvas does not allow drawing");
    return m_handle;
}

void TCanvas::SetHandle(HDC dc) {
    if (dc == m_handle)
        return;
    DeselectObjects();
    m_handle = dc;
}

void TCanvas::DeselectObjects() {
    if (m_handle) {
        if (m_oldPen)
            SelectObject(m_handle, m_oldPen);
        if (m_oldBrush)
            SelectObject(m_handle, m_oldBrush);
        if (m_oldFont)
            SelectObject(m_handle, m_oldFont);
    }
    m_oldPen = m_oldBrush = m_oldFont = nullptr;
    m_state = 0;
}

void TCanvas::ObjectChanging(TObject* sender) {
    if (!m_handle)
        return;
    if (sender == &m_pen && m_oldPen) {
        SelectObject(m_handle, m_oldPen);
        m_oldPen = nullptr;
        m_state &= ~csPenValid;
    } else if (sender == &m_brush && m_oldBrush) {
        SelectObject(m_handle, m_oldBrush);
        m_oldBrush = nullptr;
        m_state &= ~csBrushValid;
    } else if (sender == &m_font && m_oldFont) {
        SelectObject(m_handle, m_oldFont);
        m_oldFont = nullptr;
        m_state &= ~csFontValid;
    }
}

void TCanvas::RequireState(unsigned state) {
    const HDC dc = Handle();
    const unsigned missing = state & ~m_state;
    if (missing & csPenValid) {
        static const int modes[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                                    R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                                    R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                                    R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
        HGDIOBJ previous = SelectObject(dc, m_pen.Handle());
        if (!m_oldPen)
            m_oldPen = previous;
        SetROP2(dc, modes[m_pen.Mode()]);
    }
    if (missing & csBrushValid) {
        HGDIOBJ previous = SelectObject(dc, m_brush.Handle());
        if (!m_oldBrush)
            m_oldBrush = previous;
        const COLORREF colour = static_cast<COLORREF>(ColorToRGB(m_brush.Color()));
        if (m_brush.Style() == bsSolid) {
            SetBkColor(dc, colour);
            SetBkMode(dc, OPAQUE);
        } else {
            SetBkColor(dc, ~colour & 0xFFFFFF);
            SetBkMode(dc, TRANSPARENT);
        }
    }
    if (missing & csFontValid) {
        HGDIOBJ previous = SelectObject(dc, m_font.Handle());
        if (!m_oldFont)
            m_oldFont = previous;
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(m_font.Color())));
    }
    m_state |= missing;
}

void TCanvas::Changed() {
    if (OnChange)
        OnChange(this);
}

TPoint TCanvas::PenPos() {
    POINT point = {};
    GetCurrentPositionEx(Handle(), &point);
    return TPoint(point.x, point.y);
}

void TCanvas::MoveTo(int x, int y) {
    MoveToEx(Handle(), x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    RequireState(csPenValid | csBrushValid);
    ::LineTo(m_handle, x, y);
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    RequireState(csPenValid | csBrushValid);
    ::Rectangle(m_handle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    RequireState(csPenValid | csBrushValid);
    ::Ellipse(m_handle, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    RequireState(csPenValid | csBrushValid);
    ::RoundRect(m_handle, x1, y1, x2, y2, cornerWidth, cornerHeight);
    Changed();
}

namespace {
std::vector<POINT> ToPoints(const TPoint* points, int lastIndex) {
    std::vector<POINT> result(lastIndex >= 0 ? static_cast<size_t>(lastIndex) + 1 : 0);
    for (size_t i = 0; i < result.size(); ++i)
        result[i] = POINT{points[i].x, points[i].y};
    return result;
}
} // namespace

void TCanvas::Polygon(const TPoint* points, int lastIndex) {
    const std::vector<POINT> list = ToPoints(points, lastIndex);
    if (list.empty())
        return;
    RequireState(csPenValid | csBrushValid);
    ::Polygon(m_handle, list.data(), static_cast<int>(list.size()));
    Changed();
}

void TCanvas::Polyline(const TPoint* points, int lastIndex) {
    const std::vector<POINT> list = ToPoints(points, lastIndex);
    if (list.empty())
        return;
    RequireState(csPenValid | csBrushValid);
    ::Polyline(m_handle, list.data(), static_cast<int>(list.size()));
    Changed();
}

void TCanvas::FillRect(const TRect& rect) {
    RequireState(csBrushValid);
    const RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::FillRect(m_handle, &r, m_brush.Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& rect) {
    RequireState(csBrushValid);
    const RECT r = {rect.Left, rect.Top, rect.Right, rect.Bottom};
    ::FrameRect(m_handle, &r, m_brush.Handle());
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    // The source first: making a bitmap's DC can take a shared handle out of another DC.
    source->RequireState(csBrushValid);
    RequireState(csBrushValid);
    SetStretchBltMode(m_handle, COLORONCOLOR);
    StretchBlt(m_handle, dest.Left, dest.Top, dest.Width(), dest.Height(), source->m_handle,
               sourceRect.Left, sourceRect.Top, sourceRect.Width(), sourceRect.Height(),
               static_cast<DWORD>(m_copyMode));
    Changed();
}

void TCanvas::Draw(int x, int y, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty())
        return;
    StretchDraw(TRect(x, y, x + bitmap->Width(), y + bitmap->Height()), bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, TBitmap* bitmap) {
    if (!bitmap || bitmap->Empty())
        return;
    const int width = bitmap->Width(), height = bitmap->Height();
    const bool transparent = bitmap->Transparent();
    const COLORREF key =
        transparent ? static_cast<COLORREF>(ColorToRGB(bitmap->TransparentColor()) & 0xFFFFFF) : 0;
    const HDC source = bitmap->Canvas()->Handle();
    RequireState(csBrushValid);
    SetStretchBltMode(m_handle, COLORONCOLOR);
    if (transparent)
        TransparentBlt(m_handle, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0,
                       width, height, key);
    else
        StretchBlt(m_handle, dest.Left, dest.Top, dest.Width(), dest.Height(), source, 0, 0, width,
                   height, static_cast<DWORD>(m_copyMode));
    Changed();
}

TColor TCanvas::Pixels(int x, int y) {
    return static_cast<TColor>(GetPixel(Handle(), x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    ::SetPixel(Handle(), x, y, static_cast<COLORREF>(ColorToRGB(color)));
    Changed();
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
    RequireState(csFontValid | csBrushValid);
    TextOutA(m_handle, x, y, text.c_str(), text.Length());
    Changed();
}

SIZE TCanvas::TextExtent(const AnsiString& text) {
    RequireState(csFontValid);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(m_handle, text.c_str(), text.Length(), &size);
    return size;
}
