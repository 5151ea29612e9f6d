#include "tests/support/WinCapture.h"

namespace {
ClientPixels Capture(HWND window, bool fromScreen) {
    ClientPixels out;
    RECT client;
    GetClientRect(window, &client);
    out.width = client.right;
    out.height = client.bottom;
    if (out.width <= 0 || out.height <= 0)
        return out;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = out.width;
    info.bmiHeader.biHeight = -out.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    if (fromScreen) {
        RedrawWindow(window, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        // The window's own surface: what its WM_PAINT left there.
        HDC windowDc = GetDC(window);
        BitBlt(dc, 0, 0, out.width, out.height, windowDc, 0, 0, SRCCOPY);
        ReleaseDC(window, windowDc);
    } else {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                     PRF_CLIENT | PRF_ERASEBKGND);
    }
    GdiFlush();
    const auto* p = static_cast<const unsigned*>(bits);
    out.pixels.assign(p, p + out.width * out.height);
    for (unsigned& px : out.pixels)
        px &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(section);
    return out;
}
} // namespace

int ClientPixels::CountIn(int left, int top, int right, int bottom, unsigned rgb) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            n += At(x, y) == rgb;
    return n;
}

ClientPixels PrintClient(HWND window) {
    return Capture(window, false);
}

ClientPixels PaintedClient(HWND window) {
    return Capture(window, true);
}

unsigned RgbOf(int colorref) {
    const unsigned c = static_cast<unsigned>(colorref);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
