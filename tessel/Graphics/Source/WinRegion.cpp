#include "tessel/Graphics/WinRegion.h"

#include <algorithm>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "framework/win/WinHandle.h"
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

// Builds a region from rectangles given in banded order (top to bottom, left to right, none
// overlapping) with ExtCreateRegion, in batches merged pairwise as they come (like a binary
// counter), so that each rectangle takes part in a logarithmic number of merges. Older
// systems limit the rectangles of one call, and some build a call's region one rectangle
// union at a time, which costs the square of its rectangles: hence small batches.
class RegionBuilder {
public:
    RegionBuilder() = default;
    ~RegionBuilder() {
        for (HRGN level : m_levels)
            if (level)
                DeleteObject(level);
    }
    RegionBuilder(const RegionBuilder&) = delete;
    RegionBuilder& operator=(const RegionBuilder&) = delete;

    void Add(int left, int top, int right, int bottom) {
        m_batch.rects[m_count++] = RECT{left, top, right, bottom};
        if (m_count == kBatch)
            Flush();
    }

    // The union of every rectangle added; the caller owns the handle.
    HRGN Finish() {
        Flush();
        HRGN result = NULL;
        for (HRGN& level : m_levels) {
            if (!level)
                continue;
            result = result ? Merge(level, result) : level;
            level = NULL;
        }
        return result ? result : WinRegion::CreateEmpty();
    }

private:
    static constexpr DWORD kBatch = 128;
    static constexpr int kLevels = 32; // 2^32 batches: more rectangles than memory holds

    void Flush() {
        if (m_count == 0)
            return;
        HRGN carry = FromBatch();
        m_count = 0;
        for (HRGN& level : m_levels) {
            if (!level) {
                level = carry;
                return;
            }
            carry = Merge(level, carry);
            level = NULL;
        }
    }

    HRGN FromBatch() {
        RGNDATAHEADER& header = m_batch.header;
        const RECT* rects = m_batch.rects;
        header.dwSize = sizeof header;
        header.iType = RDH_RECTANGLES;
        header.nCount = m_count;
        header.nRgnSize = m_count * sizeof(RECT);
        header.rcBound =
            RECT{rects[0].left, rects[0].top, rects[0].right, rects[m_count - 1].bottom};
        for (DWORD i = 1; i < m_count; ++i) {
            header.rcBound.left = std::min(header.rcBound.left, rects[i].left);
            header.rcBound.right = std::max(header.rcBound.right, rects[i].right);
        }
        HRGN hrgn = ExtCreateRegion(nullptr, sizeof header + header.nRgnSize,
                                    reinterpret_cast<const RGNDATA*>(&m_batch));
        TESSEL_ASSERT(hrgn != NULL, "tessel/Graphics/Source/WinRegion", 563);
        return hrgn;
    }

    // The union of two regions, in first; second is freed.
    static HRGN Merge(HRGN first, HRGN second) {
        WinRegion::Combine(first, first, second, RGN_OR);
        DeleteObject(second);
        return first;
    }

    // The layout of RGNDATA: the header, then the rectangles.
    struct Batch {
        RGNDATAHEADER header;
        RECT rects[kBatch];
    } m_batch = {};
    DWORD m_count = 0;
    HRGN m_levels[kLevels] = {}; // level i: null, or the union of 2^i batches
};

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
    // The kept pixels are collected as rectangles, row by row and left to right, which is
    // the banded order a region's data is in; one combine per run would cost time with the
    // square of the runs.
    RegionBuilder kept;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* rowStart = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
        const std::uint8_t* rowEnd = rowStart + 3 * width;
        const std::uint8_t* cursor = rowStart;
        // A pass that finds no run takes the row end for its start, which adds the row's
        // kept tail.
        int keptFrom = 0;
        while (cursor != rowEnd) {
            const std::uint8_t* start = FindRun(cursor, rowEnd, key);
            const int runStart = static_cast<int>(start - rowStart) / 3;
            if (runStart > keptFrom)
                kept.Add(keptFrom, y, runStart, y + 1);
            keptFrom = static_cast<int>(cursor - rowStart) / 3;
        }
    }
    restorer.Restore();
    const UniqueRegion built(kept.Finish());
    Combine(m_hrgn, built.get(), built.get(), RGN_COPY);
}

int ApplyWindowRegion(HWND window, const WinRegion& region, bool redraw) {
    UniqueRegion copy(region.Copy());
    const int result = SetWindowRgn(window, copy.get(), redraw ? TRUE : FALSE);
    // The window owns the copy only when it took it; otherwise it is still ours to free.
    if (result != 0)
        copy.release();
    return result;
}

} // namespace tessel
