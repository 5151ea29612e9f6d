// Measures the seven-segment display on a shown form: values per second on an "88888888"
// display of 400 x 100 pixels, each value with its full redraw of all 56 segments into the
// display's image (and, separately, also painted on the screen), and the cost of turning a
// 16-character format into cells.
//   tools/wine/with-wine.sh build/win tools/wine/wine-run.sh build/win/tools/bench/bench-numled.exe [picture.bmp]
// With a file name the display's picture after the run is saved there.
#include <cstdio>

#include "KxPackage/Source/KxNumLED.h"
#include "KxPackage/Source/KxNumLed_imp.h"
#include "framework/graphics/Bitmap.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/win/Win.h"

namespace {

// Makes ParseFormat reachable for timing it on its own.
class FormatProbe : public tessel::KxNumLed_imp {
public:
    using KxNumLed_imp::KxNumLed_imp;
    using KxNumLed_imp::ParseFormat;
};

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&m_frequency);
        QueryPerformanceCounter(&m_start);
    }
    double Seconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return double(now.QuadPart - m_start.QuadPart) / double(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency;
    LARGE_INTEGER m_start;
};

// Values per second over at least a second of changing values.
template <class Step> double Rate(Step step) {
    for (int i = 0; i < 50; ++i) // warm up
        step(i);
    int count = 0;
    const Stopwatch watch;
    double elapsed = 0;
    do {
        for (int i = 0; i < 100; ++i)
            step(count++);
        elapsed = watch.Seconds();
    } while (elapsed < 1.0);
    return count / elapsed;
}

} // namespace

int main(int argc, char** argv) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(50, 50, 420, 120);
    form.Show();
    Pump();

    KxNumLed* led = new KxNumLed(&form);
    led->SetParent(&form);
    led->SetFormat("88888888");
    led->SetBounds(10, 10, 400, 100);
    std::printf("display %d x %d, format 88888888 (8 cells, 56 segments)\n", led->Width(),
                led->Height());

    // Every value differs from the one before in every digit.
    const double drawn = Rate([&](int i) { led->SetValue(12345678.0 + 11111111.0 * (i % 7)); });
    std::printf("SetValue, redraw into the image:        %8.0f values/s (%6.1f us each)\n", drawn,
                1e6 / drawn);
    const double shown = Rate([&](int i) {
        led->SetValue(12345678.0 + 11111111.0 * (i % 7));
        UpdateWindow(form.Handle());
    });
    std::printf("SetValue, redraw and paint the form:    %8.0f values/s (%6.1f us each)\n", shown,
                1e6 / shown);

    FormatProbe probe(&form, &form, 400, 100);
    const char* const formats[2] = {"8888.8888^C88&88", "HH.MM.SS.DD.MM.Y"};
    const double parsed = Rate([&](int i) { probe.ParseFormat(formats[i % 2]); });
    std::printf("ParseFormat of a 16-character format:   %8.0f formats/s (%6.1f us each)\n", parsed,
                1e6 / parsed);
    const double set = Rate([&](int i) { probe.SetFormat(formats[i % 2]); });
    std::printf("SetFormat (parse, clear, redraw):       %8.0f formats/s (%6.1f us each)\n", set,
                1e6 / set);

    if (argc > 1) {
        led->SetValue(3.14159);
        led->Model()->Image()->Picture()->Bitmap()->SaveToFile(argv[1]);
    }
    return 0;
}
