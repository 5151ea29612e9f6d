// Measures the bitmap LED display and the painter (best of five rounds each):
//   - TBmpLEDCtrl::SetState between two 75 x 27 state bitmaps (the skinned button's size):
//     state changes per second drawn onto the surface, and with the window brought up to
//     date after each change; Update (draw and repaint) for comparison;
//   - one full draw of a group of 28 polygon figures (four seven-segment digits) through
//     SimplePainter onto a 24-bit image, at design size and scaled twice.
//   tools/wine/with-wine.sh build/win tools/wine/wine-run.sh build/win/tools/bench/bench-led.exe
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/Form.h"
#include "framework/win/Win.h"
#include "tessel/Component/TBmpLEDCtrl.h"
#include "tessel/Graphics/FigureBase.h"
#include "tessel/Graphics/Shape.h"
#include "tessel/Graphics/SimplePainter.h"

namespace {

using tessel::TBmpLEDCtrl;
using Painter = TBmpLEDCtrl::Painter;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / frequency.QuadPart;
}

// Runs step repeatedly for a quarter of a second, five times, and returns the best rate in
// runs per second: the machine is shared, and the best round is the least disturbed one.
double RunsPerSecond(const std::function<void(int)>& step) {
    double best = 0;
    int runs = 0;
    for (int round = 0; round < 5; ++round) {
        LARGE_INTEGER start, now;
        QueryPerformanceCounter(&start);
        int roundRuns = 0;
        do {
            for (int i = 0; i < 20; ++i, ++roundRuns)
                step(runs++);
            QueryPerformanceCounter(&now);
        } while (Seconds(start, now) < 0.25);
        best = std::max(best, roundRuns / Seconds(start, now));
    }
    return best;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void Solid(TBitmap* bitmap, TColor color) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(75, 27);
    bitmap->Canvas()->Brush()->SetColor(color);
    bitmap->Canvas()->FillRect(TRect(0, 0, 75, 27));
}

void MeasureSetState(TForm* form) {
    TBmpLEDCtrl ctrl(form, form, 2);
    TBitmap raised, sunken;
    Solid(&raised, 0xC0C0C0);
    Solid(&sunken, 0x808080);
    ctrl.SetBitmap(&raised, 0);
    ctrl.SetBitmap(&sunken, 1);
    ctrl.Resize(75, 27);
    Pump();

    const double drawn = RunsPerSecond([&](int i) { ctrl.SetState(i & 1); });
    Pump();
    const double shown = RunsPerSecond([&](int i) {
        ctrl.SetState(i & 1);
        UpdateWindow(form->Handle());
    });
    const double updates = RunsPerSecond([&](int) { ctrl.Update(); });
    std::printf("TBmpLEDCtrl::SetState, 75 x 27 state bitmaps\n");
    std::printf("  drawn onto the surface      %10.0f changes/s  %7.1f us/change\n", drawn,
                1e6 / drawn);
    std::printf("  and painted on the window   %10.0f changes/s  %7.1f us/change\n", shown,
                1e6 / shown);
    std::printf("  Update (draw and repaint)   %10.0f updates/s  %7.1f us/update\n", updates,
                1e6 / updates);
}

// A seven-segment digit's segments as hexagons, the digit's top-left at (x, y): 20 x 36.
std::vector<tessel::Polygon> DigitSegments(int x, int y) {
    const auto across = [](int l, int t) {
        return tessel::Polygon({{l, t + 2},
                                {l + 2, t},
                                {l + 12, t},
                                {l + 14, t + 2},
                                {l + 12, t + 4},
                                {l + 2, t + 4}});
    };
    const auto down = [](int l, int t) {
        return tessel::Polygon({{l + 2, t},
                                {l + 4, t + 2},
                                {l + 4, t + 12},
                                {l + 2, t + 14},
                                {l, t + 12},
                                {l, t + 2}});
    };
    return {across(x + 3, y), down(x + 16, y + 3), down(x + 16, y + 19), across(x + 3, y + 32),
            down(x, y + 19),  down(x, y + 3),      across(x + 3, y + 16)};
}

void MeasureFigureGroup(TForm* form) {
    TBmpLEDCtrl::Layer layer(form, form);
    layer.Resize(200, 80);
    Painter painter(&layer);
    std::vector<std::unique_ptr<tessel::PolygonFigure<Painter>>> segments;
    tessel::CompositeScalableFig group(0, 0, 96, 36);
    for (int digit = 0; digit < 4; ++digit) {
        for (const tessel::Polygon& shape : DigitSegments(digit * 24, 0)) {
            auto figure = std::make_unique<tessel::PolygonFigure<Painter>>(&painter);
            figure->GetShape() = shape;
            figure->Resize(figure->OriginalWidth(), figure->OriginalHeight());
            figure->SetFillColor(tessel::RgbColor::FromColor(0x00E000));
            figure->SetLineColor(tessel::RgbColor::FromColor(0x004000));
            group.Add(figure.get());
            segments.push_back(std::move(figure));
        }
    }
    const TPixelFormat format = layer.Image()->Picture()->Bitmap()->PixelFormat();
    std::printf("A group of %d polygon figures through SimplePainter onto a %s image\n",
                static_cast<int>(group.Children().size()),
                format == pf24bit ? "24-bit" : "non-24-bit");

    for (const auto& size : {std::make_pair(96, 36), std::make_pair(192, 72)}) {
        group.Resize(size.first, size.second);
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        group.Draw();
        QueryPerformanceCounter(&end);
        const double first = Seconds(start, end);
        const double perSecond = RunsPerSecond([&](int) { group.Draw(); });
        std::printf("  %3d x %-3d first draw %8.1f us, then %8.1f us per full draw (%.0f/s)\n",
                    size.first, size.second, 1e6 * first, 1e6 / perSecond, perSecond);
    }
}

} // namespace

int main() {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(100, 100, 240, 120);
    form.Show();
    Pump();
    MeasureSetState(&form);
    MeasureFigureGroup(&form);
    return 0;
}
