#pragma once
#include "framework/core/AnsiString.h"
#include "framework/core/Color.h"
#include "framework/graphics/Font.h"
#include "framework/core/Types.h"
#include "framework/win/Win.h"

class TBitmap;

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations of the pen (SetROP2).
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};
enum TBrushStyle {
    bsSolid,
    bsClear,
    bsHorizontal,
    bsVertical,
    bsFDiagonal,
    bsBDiagonal,
    bsCross,
    bsDiagCross
};

// Raster operations of CopyRect and Draw (BitBlt / StretchBlt).
using TCopyMode = int;
const TCopyMode cmBlackness = 0x00000042;
const TCopyMode cmDstInvert = 0x00550009;
const TCopyMode cmMergeCopy = 0x00C000CA;
const TCopyMode cmMergePaint = 0x00BB0226;
const TCopyMode cmNotSrcCopy = 0x00330008;
const TCopyMode cmNotSrcErase = 0x001100A6;
const TCopyMode cmPatCopy = 0x00F00021;
const TCopyMode cmPatInvert = 0x005A0049;
const TCopyMode cmPatPaint = 0x00FB0A09;
const TCopyMode cmSrcAnd = 0x008800C6;
const TCopyMode cmSrcCopy = 0x00CC0020;
const TCopyMode cmSrcErase = 0x00440328;
const TCopyMode cmSrcInvert = 0x00660046;
const TCopyMode cmSrcPaint = 0x00EE0086;
const TCopyMode cmWhiteness = 0x00FF0062;

// The pen that outlines shapes and draws lines. Default: black, solid, width 1, pmCopy.
class TPen : public TGraphicsObject {
public:
    void Assign(TPersistent* source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    int Width() const { return m_width; }
    void SetWidth(int width);
    TPenMode Mode() const { return m_mode; }
    void SetMode(TPenMode mode);

    HPEN Handle() { return static_cast<HPEN>(GetHandle()); }

protected:
    HGDIOBJ CreateHandle() override;

private:
    TColor m_color = clBlack;
    TPenStyle m_style = psSolid;
    int m_width = 1;
    TPenMode m_mode = pmCopy;
};

// The brush that fills shapes. Default: white, solid. bsClear fills nothing.
class TBrush : public TGraphicsObject {
public:
    void Assign(TPersistent* source) override;

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TBrushStyle Style() const { return m_style; }
    void SetStyle(TBrushStyle style);

    HBRUSH Handle() { return static_cast<HBRUSH>(GetHandle()); }

protected:
    HGDIOBJ CreateHandle() override;
    bool OwnsHandle() const override { return m_style != bsClear; }

private:
    TColor m_color = clWhite;
    TBrushStyle m_style = bsSolid;
};

// Drawing on a device context with a pen, a brush and a font. The canvas selects its
// objects into the DC before each drawing call and takes them out again when the DC goes
// (SetHandle, destruction) or when one of them changes, so no GDI object is left selected
// or leaked. The canvas does not own an HDC given to SetHandle. A canvas without a DC asks
// CreateHandle for one (a bitmap's canvas makes its memory DC there).
class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(HDC dc);
    ~TCanvas() override;
    TCanvas(const TCanvas&) = delete;
    TCanvas& operator=(const TCanvas&) = delete;

    HDC Handle();
    void SetHandle(HDC dc);
    bool HandleAllocated() const { return m_handle != nullptr; }

    TPen* Pen() { return &m_pen; }
    TBrush* Brush() { return &m_brush; }
    TFont* Font() { return &m_font; }
    void SetPen(TPen* pen) { m_pen.Assign(pen); }
    void SetBrush(TBrush* brush) { m_brush.Assign(brush); }
    void SetFont(TFont* font) { m_font.Assign(font); }

    TCopyMode CopyMode() const { return m_copyMode; }
    void SetCopyMode(TCopyMode mode) { m_copyMode = mode; }

    TPoint PenPos();
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

    // Shapes: outline with the pen, inside with the brush; right and bottom exclusive.
    void Rectangle(int x1, int y1, int x2, int y2);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void Ellipse(int x1, int y1, int x2, int y2);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
    // points[0] .. points[lastIndex], the last joined to the first.
    void Polygon(const TPoint* points, int lastIndex);
    void Polyline(const TPoint* points, int lastIndex);
    // The brush alone, no outline.
    void FillRect(const TRect& rect);
    // A one-pixel border in the brush colour.
    void FrameRect(const TRect& rect);

    // Copies sourceRect of source into dest (stretched when the sizes differ) with the
    // raster operation CopyMode().
    void CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect);
    // Draws a bitmap at (x, y); a bitmap marked Transparent leaves its transparent colour out.
    void Draw(int x, int y, TBitmap* bitmap);
    void StretchDraw(const TRect& dest, TBitmap* bitmap);

    TColor Pixels(int x, int y);
    void SetPixel(int x, int y, TColor color);

    // Text in the font, on the brush's background (none with bsClear).
    void TextOut(int x, int y, const AnsiString& text);
    SIZE TextExtent(const AnsiString& text);
    int TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
    int TextHeight(const AnsiString& text) { return TextExtent(text).cy; }

    // Fires after every drawing call (not after settings changes).
    TNotifyEvent OnChange;

protected:
    // Called by Handle() when there is no DC; a subclass calls SetHandle from here.
    virtual void CreateHandle() {}
    // Runs after each drawing call.
    virtual void Changed();

private:
    enum : unsigned { csPenValid = 1, csBrushValid = 2, csFontValid = 4 };
    void RequireState(unsigned state);
    void DeselectObjects();
    void ObjectChanging(TObject* sender);

    HDC m_handle = nullptr;
    unsigned m_state = 0;
    HGDIOBJ m_oldPen = nullptr;
    HGDIOBJ m_oldBrush = nullptr;
    HGDIOBJ m_oldFont = nullptr;
    TPen m_pen;
    TBrush m_brush;
    TFont m_font;
    TCopyMode m_copyMode = cmSrcCopy;
};
