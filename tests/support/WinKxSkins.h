#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KxPackage/Source/KxControl.h"
#include "framework/codec/BmpCodec.h"
#include "framework/core/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/win/Win.h"
#include "tests/support/WinPixels.h"

// Skins for the skinned-control tests under Wine: state bitmaps of known colours, and the
// look a control shows, read back from its display image.

// The colour of each state's test bitmap: state i is kStateColors[i].
const TColor kStateColors[] = {0x3050C0, 0x30C050, 0xC05030, 0x909090};
// The colour key of the transparent skins (the notice window's button uses it too).
const TColor kSkinKey = 0xD4CFCF;

inline std::unique_ptr<TBitmap> SolidBitmap(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    MakeSolid(bitmap.get(), width, height, color);
    return bitmap;
}

// Gives states 0 .. count-1 solid width x height bitmaps of kStateColors.
inline void SkinStates(KxCustomControl* control, int count, int width = 75, int height = 27) {
    for (int state = 0; state < count; ++state)
        control->SetStateBitmap(SolidBitmap(width, height, kStateColors[state]).get(), state);
}

// A bitmap of one colour whose four corner pixels (2 x 2 each) have the colour key, so that
// the bottom-left pixel makes the key its automatic transparent colour.
inline std::unique_ptr<TBitmap> CorneredBitmap(int width, int height, TColor color) {
    auto bitmap = SolidBitmap(width, height, color);
    for (int x : {0, width - 2})
        for (int y : {0, height - 2})
            PaintRect(bitmap.get(), TRect(x, y, x + 2, y + 2), kSkinKey);
    return bitmap;
}

// The colour of a pixel of the control's display image.
inline TColor DisplayPixel(KxCustomControl* control, int x, int y) {
    GdiFlush();
    return control->ImageCanvas()->Pixels(x, y);
}

// How many pixels of the control's display image have exactly this colour.
inline int DisplayPixelsOf(KxCustomControl* control, TColor color) {
    int count = 0;
    for (int y = 0; y < control->Height(); ++y)
        for (int x = 0; x < control->Width(); ++x)
            count += DisplayPixel(control, x, y) == color;
    return count;
}

// The state whose test colour the display shows at (x, y); -1 for any other colour.
inline int ShownState(KxCustomControl* control, int x = 3, int y = 3) {
    const TColor color = DisplayPixel(control, x, y);
    for (int state = 0; state < 4; ++state)
        if (color == kStateColors[state])
            return state;
    return -1;
}

// Which pixels of the display image differ from a background colour, row by row: the
// caption painted over a solid state bitmap.
struct PixelMask {
    int width = 0;
    int height = 0;
    std::vector<bool> set;
    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               set[static_cast<size_t>(y * width + x)];
    }
    int Count() const {
        int n = 0;
        for (bool b : set)
            n += b;
        return n;
    }
    // Right and bottom exclusive; empty when no pixel is set.
    TRect Bounds() const {
        TRect r(width, height, 0, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x, y)) {
                    r.Left = std::min(r.Left, x);
                    r.Top = std::min(r.Top, y);
                    r.Right = std::max(r.Right, x + 1);
                    r.Bottom = std::max(r.Bottom, y + 1);
                }
        return r.Right == 0 ? TRect() : r;
    }
    // The same pixels moved by (dx, dy); pixels moved off the area are lost.
    PixelMask Shifted(int dx, int dy) const {
        PixelMask m{width, height, std::vector<bool>(set.size(), false)};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (At(x - dx, y - dy))
                    m.set[static_cast<size_t>(y * width + x)] = true;
        return m;
    }
    friend bool operator==(const PixelMask& a, const PixelMask& b) {
        return a.width == b.width && a.height == b.height && a.set == b.set;
    }
};

inline PixelMask CaptionMask(KxCustomControl* control, TColor background, int width, int height) {
    PixelMask mask{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            mask.set.push_back(DisplayPixel(control, x, y) != background);
    return mask;
}

// A 24-bit .bmp file image of one colour with keyed corners, as a form description stores it.
inline std::vector<unsigned char> CorneredBmpFile(int width, int height, TColor color) {
    BmpImage image = BmpImage::Blank(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool corner = (x < 2 || x >= width - 2) && (y < 2 || y >= height - 2);
            image.SetPixelValue(x, y, static_cast<std::uint32_t>(corner ? kSkinKey : color));
        }
    return EncodeBmp(image);
}
