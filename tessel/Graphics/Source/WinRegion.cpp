#include "tessel/Graphics/WinRegion.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "framework/Bitmap.h"

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

// Puts a bitmap's pixel format back on every path out of the scan.
class PixelFormatRestorer {
public:
    explicit PixelFormatRestorer(TBitmap* bitmap)
        : m_bitmap(bitmap), m_saved(bitmap->PixelFormat()) {}
    ~PixelFormatRestorer() { m_bitmap->SetPixelFormat(m_saved); }
    PixelFormatRestorer(const PixelFormatRestorer&) = delete;
    PixelFormatRestorer& operator=(const PixelFormatRestorer&) = delete;

private:
    TBitmap* m_bitmap;
    TPixelFormat m_saved;
};

// Builds a region from rectangles given in banded order (top to bottom, left to right, none
// overlapping) with ExtCreateRegion. Older systems refuse too many rectangles in one call, so
// they go in batches, and the batches are merged pairwise as they come (like a binary
// counter), so that each rectangle takes part in only a logarithmic number of merges.
class RegionBuilder {
public:
    RegionBuilder() { m_rects.reserve(kBatch); }
    ~RegionBuilder() {
        for (HRGN level : m_levels)
            if (level)
                DeleteObject(level);
    }
    RegionBuilder(const RegionBuilder&) = delete;
    RegionBuilder& operator=(const RegionBuilder&) = delete;

    void Add(int left, int top, int right, int bottom) {
        m_rects.push_back(RECT{left, top, right, bottom});
        if (m_rects.size() == kBatch)
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
    static constexpr std::size_t kBatch = 2000;

    void Flush() {
        if (m_rects.empty())
            return;
        HRGN carry = FromRects();
        m_rects.clear();
        for (HRGN& level : m_levels) {
            if (!level) {
                level = carry;
                return;
            }
            carry = Merge(level, carry);
            level = NULL;
        }
        m_levels.push_back(carry);
    }

    HRGN FromRects() const {
        const std::size_t count = m_rects.size();
        std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
        RGNDATAHEADER header = {};
        header.dwSize = sizeof header;
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(count);
        header.nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        header.rcBound = RECT{m_rects.front().left, m_rects.front().top, 0, m_rects.back().bottom};
        for (const RECT& r : m_rects) {
            header.rcBound.left = std::min(header.rcBound.left, r.left);
            header.rcBound.right = std::max(header.rcBound.right, r.right);
        }
        std::memcpy(data.data(), &header, sizeof header);
        std::memcpy(data.data() + sizeof header, m_rects.data(), count * sizeof(RECT));
        HRGN hrgn = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                    reinterpret_cast<const RGNDATA*>(data.data()));
        TESSEL_ASSERT(hrgn != NULL, "tessel/Graphics/Source/WinRegion", 563);
        return hrgn;
    }

    // The union of two regions, in first; second is freed.
    static HRGN Merge(HRGN first, HRGN second) {
        WinRegion::Combine(first, first, second, RGN_OR);
        DeleteObject(second);
        return first;
    }

    std::vector<RECT> m_rects;
    std::vector<HRGN> m_levels; // level i: null, or the union of 2^i batches
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

    PixelFormatRestorer restorer(bitmap);
    bitmap->SetPixelFormat(pf24bit);
    // The kept pixels are collected as rectangles, row by row and left to right, which is
    // the banded order a region's data is in; one combine per run would cost time with the
    // square of the runs.
    RegionBuilder kept;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* rowStart = static_cast<const std::uint8_t*>(bitmap->ScanLine(y));
        const std::uint8_t* rowEnd = rowStart + 3 * width;
        const std::uint8_t* cursor = rowStart;
        int keptFrom = 0;
        while (cursor != rowEnd) {
            const std::uint8_t* start = FindRun(cursor, rowEnd, key);
            const int runStart = static_cast<int>(start - rowStart) / 3;
            if (runStart > keptFrom)
                kept.Add(keptFrom, y, runStart, y + 1);
            keptFrom = static_cast<int>(cursor - rowStart) / 3;
        }
        if (keptFrom < width)
            kept.Add(keptFrom, y, width, y + 1);
    }
    HRGN built = kept.Finish();
    Combine(m_hrgn, built, built, RGN_COPY);
    DeleteObject(built);
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
