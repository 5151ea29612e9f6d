#pragma once
#include <vector>

#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/win/Win.h"

// Pixels of framework bitmaps for Wine tests, read and written through GDI so that every
// pixel format works. Colours are plain RGB TColor values (0x00BBGGRR).

inline TColor PixelOf(TBitmap* bitmap, int x, int y) {
    GdiFlush();
    return bitmap->Canvas()->Pixels(x, y);
}

// The colour of the bitmap's centre pixel, where a skin's own colour shows.
inline TColor CentreOf(TBitmap* bitmap) {
    return PixelOf(bitmap, bitmap->Width() / 2, bitmap->Height() / 2);
}

// How many pixels of rect have the colour.
inline int CountOf(TBitmap* bitmap, const TRect& rect, TColor color) {
    int count = 0;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x)
            count += PixelOf(bitmap, x, y) == color;
    return count;
}

// Which pixels of the whole bitmap have the colour, row by row.
inline std::vector<bool> MaskOf(TBitmap* bitmap, TColor color) {
    std::vector<bool> mask;
    for (int y = 0; y < bitmap->Height(); ++y)
        for (int x = 0; x < bitmap->Width(); ++x)
            mask.push_back(PixelOf(bitmap, x, y) == color);
    return mask;
}

// Paints a rectangle of the bitmap in one colour; the canvas brush is left as it was.
inline void PaintRect(TBitmap* bitmap, const TRect& rect, TColor color) {
    TBrush* brush = bitmap->Canvas()->Brush();
    const TColor savedColor = brush->Color();
    const TBrushStyle savedStyle = brush->Style();
    brush->SetStyle(bsSolid);
    brush->SetColor(color);
    bitmap->Canvas()->FillRect(rect);
    brush->SetColor(savedColor);
    brush->SetStyle(savedStyle);
}

// Makes the bitmap width x height at 24 bits per pixel, all of one colour.
inline void MakeSolid(TBitmap* bitmap, int width, int height, TColor color) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    PaintRect(bitmap, TRect(0, 0, width, height), color);
}

// The colour of a pixel of the window as it is on the screen now.
inline TColor ScreenPixelOf(HWND window, int x, int y) {
    const HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return static_cast<TColor>(color);
}

// Whether part of the window waits for a WM_PAINT.
inline bool HasPendingPaint(HWND window) {
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}
