#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <stdexcept>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/win/Win.h"
#include "tessel/Graphics/WinRegion.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/KeyShapes.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinRegionReference.h"

using tessel::WinRegion;

namespace {

struct Pixel {
    int x, y;
    TColor color; // RGB
};

// A 24-bit bitmap of one background colour with some pixels painted over, written straight
// into the scan lines.
void Paint(TBitmap& bitmap, int width, int height, TColor background,
           const std::vector<Pixel>& pixels) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    auto put = [&](int x, int y, TColor color) {
        auto* p = static_cast<std::uint8_t*>(bitmap.ScanLine(y)) + 3 * x;
        p[0] = static_cast<std::uint8_t>(color >> 16);
        p[1] = static_cast<std::uint8_t>(color >> 8);
        p[2] = static_cast<std::uint8_t>(color);
    };
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(x, y, background);
    for (const Pixel& pixel : pixels)
        put(pixel.x, pixel.y, pixel.color);
}

// Owns a region handle made by a test.
struct Rgn {
    HRGN h;
    explicit Rgn(HRGN handle) : h(handle) {}
    ~Rgn() { DeleteObject(h); }
    Rgn(const Rgn&) = delete;
    Rgn& operator=(const Rgn&) = delete;
};

// The rectangle less every single pixel listed: built pixel by pixel, independent of runs.
HRGN RectLessPixels(int width, int height, const std::vector<Pixel>& holes) {
    HRGN region = CreateRectRgn(0, 0, width, height);
    for (const Pixel& hole : holes) {
        Rgn dot(CreateRectRgn(hole.x, hole.y, hole.x + 1, hole.y + 1));
        CombineRgn(region, region, dot.h, RGN_DIFF);
    }
    return region;
}

bool SameRegion(const WinRegion& region, HRGN expected) {
    Rgn copy(region.Copy());
    return EqualRgn(copy.h, expected) != FALSE;
}

bool IsEmpty(const WinRegion& region) {
    Rgn copy(region.Copy());
    RECT box;
    return GetRgnBox(copy.h, &box) == NULLREGION;
}

// Every pixel of the rectangle left, top, right, bottom (exclusive) in one colour.
std::vector<Pixel> Block(int left, int top, int right, int bottom, TColor color) {
    std::vector<Pixel> block;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            block.push_back({x, y, color});
    return block;
}

std::vector<Pixel> Join(std::vector<Pixel> a, const std::vector<Pixel>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

constexpr TColor kKey = 0xF17EFF; // RGB(255, 126, 241)
constexpr TColor kGrey = 0x808080;

} // namespace

TEST(WinRegion, FromBitmapKeepsExactlyThePixelsNotOfTheTransparentColour) {
    struct Case {
        const char* name;
        int width, height;
        TColor key;
        std::vector<Pixel> painted; // on a grey background
    } cases[] = {
        {"no pixel of the colour", 10, 6, kKey, {}},
        {"only the colour", 7, 5, kKey, Block(0, 0, 7, 5, kKey)},
        {"run to the row end, next row afresh", 8, 3, kKey,
         Join(Join(Block(5, 0, 8, 1, kKey), Block(0, 1, 1, 2, kKey)), Block(3, 2, 4, 3, kKey))},
        {"button with three corner pixels",
         75,
         27,
         kKey,
         {{0, 26, kKey}, {1, 26, kKey}, {73, 26, kKey}}},
        {"one byte off in each channel is opaque",
         6,
         2,
         kKey,
         {{0, 0, kKey ^ 0x000001},
          {1, 0, kKey ^ 0x000100},
          {2, 0, kKey ^ 0x010000},
          {3, 0, kKey},
          {4, 1, kKey},
          {5, 1, kKey}}},
        {"system colour taken literally",
         5,
         2,
         clBtnFace,
         {{0, 0, ColorToRGB(clBtnFace)}, {1, 0, clBtnFace & 0xFFFFFF}, {2, 1, 0x00000F}}},
    };
    WinRegion region;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap;
        Paint(bitmap, c.width, c.height, kGrey, c.painted);
        std::vector<Pixel> holes;
        for (const Pixel& p : c.painted)
            if (p.color == (c.key & 0xFFFFFF))
                holes.push_back(p);
        region.SetRect(-5, -5, 500, 500); // whatever was there before is replaced

        region.FromBitmap(&bitmap, c.key);

        Rgn expected(RectLessPixels(c.width, c.height, holes));
        EXPECT_TRUE(SameRegion(region, expected.h));
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    }
}

TEST(WinRegion, FromBitmapGivesTheRunByRunRegionForButtonsRandomPixelsAndCheckerboards) {
    std::mt19937 random(20261209);
    auto noise = [&random](int percentKey) {
        return [&random, percentKey](int, int) {
            return static_cast<int>(random() % 100) < percentKey;
        };
    };
    auto checkerboard = [](int x, int y) { return (x + y) % 2 == 0; };
    const struct {
        const char* name;
        int width, height;
        std::function<bool(int, int)> isKey;
    } cases[] = {
        {"button, three corner pixels", 75, 27,
         [](int x, int y) { return y == 26 && (x == 0 || x == 1 || x == 73); }},
        {"button, rounded corners", 75, 27, RoundedCorners(75, 27, 6)},
        {"panel, rounded corners", 400, 190, RoundedCorners(400, 190, 24)},
        {"sparse noise", 61, 43, noise(10)},
        {"even noise", 97, 31, noise(50)},
        {"dense noise", 50, 50, noise(90)},
        {"one column", 1, 40, noise(50)},
        {"one row", 300, 1, noise(50)},
        // One rectangle per row: whole batches and nothing left over.
        {"tall, no key", 3, 256, [](int, int) { return false; }},
        // Thousands of rectangles: many batches, merged over several levels.
        {"checkerboard, odd width", 201, 95, checkerboard},
        {"checkerboard, long rows", 400, 40, checkerboard},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TBitmap bitmap;
        std::vector<Pixel> keyed;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                if (c.isKey(x, y))
                    keyed.push_back({x, y, kKey});
        Paint(bitmap, c.width, c.height, kGrey, keyed);
        EXPECT_TRUE(FromBitmapMatchesRunByRun(bitmap, kKey));
    }
}

TEST(WinRegion, EmptyBitmapsGiveAnEmptyRegion) {
    const struct { int width, height; } sizes[] = {{0, 5}, {5, 0}, {0, 0}};
    for (const auto& size : sizes) {
        SCOPED_TRACE(testing::Message() << size.width << "x" << size.height);
        TBitmap bitmap;
        bitmap.SetPixelFormat(pf24bit);
        bitmap.SetSize(size.width, size.height);
        WinRegion region;
        region.SetRect(0, 0, 10, 10);
        region.FromBitmap(&bitmap, kKey);
        EXPECT_TRUE(IsEmpty(region));
    }
}

TEST(WinRegion, EightBitBitmapIsScannedInTwentyFourBitsAndKeepsItsFormatAndPixels) {
    TBitmap bitmap;
    // VGA colours survive the trip to a palette exactly.
    Paint(bitmap, 9, 4, clWhite, {{0, 0, clRed}, {1, 0, clRed}, {8, 3, clRed}, {4, 2, clBlue}});
    bitmap.SetPixelFormat(pf8bit);
    const BmpImage before = bitmap.ToImage();

    WinRegion region;
    region.FromBitmap(&bitmap, clRed);

    Rgn expected(RectLessPixels(9, 4, {{0, 0, clRed}, {1, 0, clRed}, {8, 3, clRed}}));
    EXPECT_TRUE(SameRegion(region, expected.h));
    EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    const BmpImage after = bitmap.ToImage();
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(after.PixelRgb(x, y), before.PixelRgb(x, y)) << x << "," << y;
}

TEST(WinRegion, FromBitmapPassesOnAnExceptionOfTheBitmapsChangeHandlerAndKeepsTheFormat) {
    // The handler fails on the change to 24 bits, on the change back, or on both.
    const struct {
        const char* what;
        int failingChange; // 0: every change
        int expectedChanges;
    } cases[] = {{"to 24 bits", 1, 2}, {"back to 8 bits", 2, 2}, {"both", 0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TBitmap bitmap;
        Paint(bitmap, 9, 4, clWhite, {{0, 0, clRed}});
        bitmap.SetPixelFormat(pf8bit);
        int changes = 0;
        bitmap.OnChange = [&](TObject*) {
            ++changes;
            if (c.failingChange == 0 || changes == c.failingChange)
                throw std::runtime_error("change refused");
        };

        WinRegion region;
        EXPECT_THROW(region.FromBitmap(&bitmap, clRed), std::runtime_error);

        EXPECT_EQ(changes, c.expectedChanges);
        bitmap.OnChange = nullptr;
        EXPECT_EQ(bitmap.PixelFormat(), pf8bit);
    }
}

TEST(WinRegion, ContainsExcludesTheRightAndBottomEdge) {
    WinRegion region;
    region.SetRect(2, 3, 10, 20);
    const struct {
        int x, y;
        bool inside;
    } probes[] = {{2, 3, true},    {9, 19, true}, {10, 3, false}, {2, 20, false},
                  {10, 20, false}, {1, 3, false}, {2, 2, false}};
    for (const auto& p : probes)
        EXPECT_EQ(region.Contains(p.x, p.y), p.inside) << p.x << "," << p.y;
    region.SetRect(0, 0, 0, 0);
    EXPECT_FALSE(region.Contains(0, 0));
}

TEST(WinRegion, CopiesAreIndependentHandles) {
    WinRegion region;
    region.SetRect(1, 1, 6, 6);
    HRGN first = region.Copy();
    HRGN second = region.Copy();
    ASSERT_NE(first, second);
    ASSERT_NE(first, nullptr);

    DeleteObject(first);
    region.SetRect(20, 20, 30, 30);

    Rgn expected(CreateRectRgn(1, 1, 6, 6));
    EXPECT_TRUE(EqualRgn(second, expected.h));
    EXPECT_TRUE(region.Contains(25, 25));
    DeleteObject(second);
}

TEST(WinRegion, ApplyWindowRegionGivesTheWindowACopy) {
    HWND window = CreateWindowExA(0, "STATIC", "shaped", WS_POPUP | WS_VISIBLE, 30, 30, 75, 27,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    TBitmap bitmap;
    Paint(bitmap, 75, 27, kGrey, {{0, 26, kKey}, {1, 26, kKey}, {73, 26, kKey}});
    WinRegion region;
    region.FromBitmap(&bitmap, kKey);

    EXPECT_NE(tessel::ApplyWindowRegion(window, region, true), 0);

    Rgn applied(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(window, applied.h), COMPLEXREGION);
    EXPECT_TRUE(SameRegion(region, applied.h));
    DestroyWindow(window); // frees the window's copy
    EXPECT_FALSE(region.Contains(73, 26));
    EXPECT_TRUE(region.Contains(74, 26));
}

TEST(WinRegion, ApplyWindowRegionThatFailsFreesItsCopy) {
    WinRegion region;
    region.SetRect(0, 0, 5, 5);
    const int before = CountGdiObjects();
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(tessel::ApplyWindowRegion(reinterpret_cast<HWND>(0x1234), region, false), 0);
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(WinRegion, FailedPlatformCallsAreReported) {
    const struct {
        const char* name;
        void (*call)();
        const char* text;
    } cases[] = {
        {"combine", [] { WinRegion::Combine(nullptr, nullptr, nullptr, RGN_DIFF); },
         "Assertion failed: combineResult != ERROR, file tessel/Graphics/WinRegion, line 247"},
        {"set rect", [] { WinRegion::SetRectRegion(nullptr, 0, 0, 1, 1); },
         "Assertion failed: result != 0, file tessel/Graphics/WinRegion, line 257"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AssertionTextOf(c.call), c.text);
    }
}

TEST(WinRegion, RegionThatCannotBeCreatedIsReported) {
    // Use up the process's GDI handles, then ask for one more region.
    std::vector<HRGN> hoard;
    for (int i = 0; i < 100000; ++i) {
        HRGN h = CreateRectRgn(0, 0, 1, 1);
        if (h == nullptr)
            break;
        hoard.push_back(h);
    }
    const size_t held = hoard.size();
    const std::string text = AssertionTextOf([] { WinRegion::CreateEmpty(); });
    for (HRGN h : hoard)
        DeleteObject(h);
    ASSERT_LT(held, 100000u) << "the platform never ran out of GDI handles";
    EXPECT_EQ(text, "Assertion failed: hrgn != NULL, file tessel/Graphics/Source/WinRegion, "
                    "line 563");
}
