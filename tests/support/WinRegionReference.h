#pragma once
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/win/Win.h"
#include "tessel/Graphics/WinRegion.h"

// The straightforward region of a bitmap's pixels not of the colour key: the full rectangle
// less every horizontal run of the key, one combine per run. Slow (the square of the runs),
// but plainly right: the yardstick WinRegion::FromBitmap is held to. The bitmap must be 24-bit.
inline HRGN RegionRunByRun(TBitmap& bitmap, TColor key) {
    const std::uint8_t blue = static_cast<std::uint8_t>(key >> 16);
    const std::uint8_t green = static_cast<std::uint8_t>(key >> 8);
    const std::uint8_t red = static_cast<std::uint8_t>(key);
    HRGN region = CreateRectRgn(0, 0, bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bitmap.ScanLine(y));
        auto isKey = [&](int x) {
            return row[3 * x] == blue && row[3 * x + 1] == green && row[3 * x + 2] == red;
        };
        for (int x = 0; x < bitmap.Width();) {
            if (!isKey(x)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < bitmap.Width() && isKey(x))
                ++x;
            HRGN run = CreateRectRgn(start, y, x, y + 1);
            CombineRgn(region, region, run, RGN_DIFF);
            DeleteObject(run);
        }
    }
    return region;
}

// True when FromBitmap gives exactly the run-by-run region of the bitmap.
inline bool FromBitmapMatchesRunByRun(TBitmap& bitmap, TColor key) {
    tessel::WinRegion region;
    region.FromBitmap(&bitmap, key);
    HRGN built = region.Copy();
    HRGN expected = RegionRunByRun(bitmap, key);
    const bool same = EqualRgn(built, expected) != FALSE;
    DeleteObject(built);
    DeleteObject(expected);
    return same;
}
