#pragma once
#include <vector>

#include "framework/win/Win.h"

// The pixels of a window's client area as 0x00RRGGBB values (row 0 at the top).
struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned> pixels;
    unsigned At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    // How many pixels of a rectangle (right and bottom exclusive) have this colour.
    int CountIn(int left, int top, int right, int bottom, unsigned rgb) const;
};

// What the window paints for WM_PRINTCLIENT (background and content, no screen involved).
ClientPixels PrintClient(HWND window);
// What the window's WM_PAINT left on its surface (it is made to repaint everything first).
ClientPixels PaintedClient(HWND window);
// 0x00RRGGBB of a COLORREF / ColorToRGB value.
unsigned RgbOf(int colorref);
