#include "tessel/Graphics/WinRegion.h"

#include <cstdint>

#include "framework/Bitmap.h"
#include "tessel/Graphics/Source/Restorer.h"

namespace tessel {
namespace {

struct Bgr {
    std::uint8_t blue, green, red;
    bool At(const std::uint8_t* pixel) const {
        return pixel[0] == blue && pixel[1] == green && pixel[2] == red;
    }
};

// Moves cursor onto the next pixel of the key colour (or the row end), then just behind the
// run of key pixels that starts there; returns where the run starts.
const std::uint8_t* FindRun(const std::uint8_t*& cursor, const std::uint8_t* rowEnd, Bgr key) {
    while (cursor != rowEnd && !key.At(cursor))
        cursor += 3;
    const std::uint8_t* start = cursor;
    while (cursor != rowEnd && key.At(cursor))
        cursor += 3;
    return start;
}

} // namespace

HRGN WinRegion::CreateEmpty() {
    HRGN hrgn = CreateRectRgn(0, 0, 0, 0);
    TESSEL_ASSERT(hrgn != NULL, "tessel/Graphics/Source/WinRegion", 563);
    return hrgn;
}

HRGN WinRegion::Copy() const {
    HRGN h = CreateEmpty();
    Combine(h, m_hrgn, h, RGN_COPY);
    return h;
}

void WinRegion::FromBitmap(TBitmap* bitmap, TColor transparent) {
    const std::uint32_t value = static_cast<std::uint32_t>(transparent);
    const Bgr key{static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
                  static_cast<std::uint8_t>(value)};
    const int width = bitmap->Width();
    const int height = bitmap->Height();
    SetRect(0, 0, width, height);
    // A bitmap without pixels has no scan lines to read: its region stays empty.
    if (width <= 0 || height <= 0)
        return;

    const TPixelFormat saved = bitmap->PixelFormat();
    detail::Restorer restorer([bitmap, saved] { bitmap->SetPixelFormat(saved); });
    bitmap->SetPixelFormat(pf24bit);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* rowStart = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
        const std::uint8_t* rowEnd = rowStart + 3 * width;
        const std::uint8_t* cursor = rowStart;
        while (cursor != rowEnd) {
            WinRegion run;
            const std::uint8_t* start = FindRun(cursor, rowEnd, key);
            if (start != cursor) {
                run.SetRect(static_cast<int>(start - rowStart) / 3, y,
                            static_cast<int>(cursor - rowStart) / 3, y + 1);
                Subtract(run);
            }
        }
    }
    restorer.Restore();
}

int ApplyWindowRegion(HWND window, const WinRegion& region, bool redraw) {
    HRGN copy = region.Copy();
    const int result = SetWindowRgn(window, copy, redraw ? TRUE : FALSE);
    // The window owns the copy only when it took it; otherwise it is still ours to free.
    if (result == 0)
        DeleteObject(copy);
    return result;
}

} // namespace tessel
