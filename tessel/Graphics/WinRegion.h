#pragma once
#include "framework/core/Color.h"
#include "framework/win/Win.h"
#include "tessel/System/Assert.h"

class TBitmap;

namespace tessel {

// Owns one GDI region in the coordinates of the window it will shape, and builds it from
// the pixels of a bitmap that are not of a transparent colour.
class WinRegion {
public:
    WinRegion() : m_hrgn(CreateEmpty()) {}
    ~WinRegion() { DeleteObject(m_hrgn); }
    // Not copied: Copy() hands out a new handle with the same contents.
    WinRegion(const WinRegion&) = delete;
    WinRegion& operator=(const WinRegion&) = delete;

    // The region becomes that rectangle (right and bottom exclusive); 0, 0, 0, 0 empties it.
    void SetRect(int left, int top, int right, int bottom) {
        SetRectRegion(m_hrgn, left, top, right, bottom);
    }
    // The region becomes itself minus other.
    void Subtract(const WinRegion& other) { Combine(m_hrgn, m_hrgn, other.m_hrgn, RGN_DIFF); }
    // A new handle with the same contents; the caller owns it.
    HRGN Copy() const;
    // The platform's hit test: a point on the right or bottom edge is outside.
    bool Contains(int x, int y) const { return PtInRegion(m_hrgn, x, y) == TRUE; }
    // The region becomes the pixels of bitmap that are not of colour transparent; the
    // colour is taken literally (a system colour is not resolved).
    void FromBitmap(TBitmap* bitmap, TColor transparent);

    static HRGN CreateEmpty();
    static void Combine(HRGN dest, HRGN source1, HRGN source2, int mode) {
        const int combineResult = CombineRgn(dest, source1, source2, mode);
        TESSEL_ASSERT(combineResult != ERROR, "tessel/Graphics/WinRegion", 247);
    }
    static void SetRectRegion(HRGN region, int left, int top, int right, int bottom) {
        const BOOL result = SetRectRgn(region, left, top, right, bottom);
        TESSEL_ASSERT(result != 0, "tessel/Graphics/WinRegion", 257);
    }

private:
    HRGN m_hrgn;
};

// Gives window a copy of region as its shape and returns SetWindowRgn's result. The window
// owns the copy from then on; region keeps its own handle.
int ApplyWindowRegion(HWND window, const WinRegion& region, bool redraw);

} // namespace tessel
