#pragma once
#include "framework/win/Win.h"

// A copy of a window's region, read back to check the shape the window was cut to.
struct WindowShape {
    HRGN region;
    int kind; // GetWindowRgn's answer: ERROR for a window without a region

    explicit WindowShape(HWND window)
        : region(CreateRectRgn(0, 0, 0, 0)), kind(GetWindowRgn(window, region)) {}
    ~WindowShape() { DeleteObject(region); }
    WindowShape(const WindowShape&) = delete;
    WindowShape& operator=(const WindowShape&) = delete;

    bool Contains(int x, int y) const { return PtInRegion(region, x, y) != FALSE; }
    bool Equals(HRGN other) const { return EqualRgn(region, other) != FALSE; }
};
