// Measures WinRegion::FromBitmap: microseconds per build against the number of transparent
// runs, for the shapes the controls and the notice window use and for the worst case.
//   tools/wine/with-wine.sh build/win tools/wine/wine-run.sh build/win/tools/bench/bench-region.exe
#include <cstdint>
#include <cstdio>
#include <functional>

#include "framework/graphics/Bitmap.h"
#include "framework/win/Win.h"
#include "tessel/Graphics/WinRegion.h"
#include "tests/support/KeyShapes.h"

namespace {

constexpr TColor kKey = 0xF17EFF;
constexpr TColor kFace = 0x606060;

using IsKey = std::function<bool(int x, int y)>;

// Paints the bitmap and returns the number of horizontal runs of the key colour.
int Paint(TBitmap& bitmap, int width, int height, const IsKey& isKey) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    int runs = 0;
    for (int y = 0; y < height; ++y) {
        auto* row = static_cast<std::uint8_t*>(bitmap.ScanLine(y));
        bool previous = false;
        for (int x = 0; x < width; ++x) {
            const bool key = isKey(x, y);
            const TColor c = key ? kKey : kFace;
            row[3 * x] = static_cast<std::uint8_t>(c >> 16);
            row[3 * x + 1] = static_cast<std::uint8_t>(c >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(c);
            runs += key && !previous;
            previous = key;
        }
    }
    return runs;
}

double MicrosecondsPerBuild(TBitmap& bitmap) {
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    tessel::WinRegion region;
    int builds = 0;
    QueryPerformanceCounter(&start);
    do {
        region.FromBitmap(&bitmap, kKey);
        ++builds;
        QueryPerformanceCounter(&now);
    } while (builds < 3 || now.QuadPart - start.QuadPart < frequency.QuadPart / 4);
    return 1e6 * static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart / builds;
}

void Measure(const char* name, int width, int height, const IsKey& isKey) {
    TBitmap bitmap;
    const int runs = Paint(bitmap, width, height, isKey);
    const double us = MicrosecondsPerBuild(bitmap);
    std::printf("%-34s %4d x %-4d runs %6d  %10.1f us/build  %7.3f us/run\n", name, width, height,
                runs, us, runs ? us / runs : 0.0);
}

} // namespace

int main() {
    Measure("button, three corner pixels", 75, 27,
            [](int x, int y) { return y == 26 && (x == 0 || x == 1 || x == 73); });
    Measure("button, rounded corners r=6", 75, 27, RoundedCorners(75, 27, 6));
    Measure("skin, rounded panel r=24", 400, 190, RoundedCorners(400, 190, 24));
    // The curve: the skin size with k evenly spread one-pixel runs per row.
    for (int perRow : {1, 4, 16, 50, 100, 200}) {
        char name[64];
        std::snprintf(name, sizeof name, "skin size, %d runs per row", perRow);
        const int step = 400 / perRow;
        Measure(name, 400, 190, [=](int x, int) { return x % step == 0; });
    }
    // The worst case: no two neighbouring rows alike, so every run stays a rectangle of its
    // own and each combine works on all those made before.
    for (int scale : {4, 2, 1}) {
        char name[64];
        std::snprintf(name, sizeof name, "checkerboard 1/%d", scale);
        Measure(name, 400 / scale, 190 / scale, [](int x, int y) { return (x + y) % 2 == 0; });
    }
    return 0;
}
