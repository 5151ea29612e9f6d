#include "tests/e2e/ResourceCount.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/core/DateTime.h"
#include "framework/ui/Timer.h"
#include "gallery/GalleryForm.h"
#include "tests/support/WinGuiResources.h"

bool ResourceCount::Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--count-resources") == 0 && hasValue) {
            options.File = argv[++i];
        } else if (std::strcmp(argv[i], "--ticks") == 0 && hasValue) {
            char* end = nullptr;
            const long ticks = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || ticks < 5 || ticks > 100000)
                return false;
            options.Ticks = static_cast<int>(ticks);
        } else {
            return false;
        }
    }
    return !options.File.empty();
}

ResourceCount::ResourceCount(TGalleryForm* form, const Options& options)
    : m_form(form), m_options(options) {
    m_form->RunClockFast(EncodeDate(2008, 12, 31) + EncodeTime(23, 59, 30, 0));
    TTimer* timer = m_form->ClockTimer;
    // The form's own handler runs first, then the count.
    m_clockTick = timer->OnTimer;
    timer->OnTimer = TNotifyEvent(this, &ResourceCount::Tick);
    timer->SetInterval(kInterval);
}

void ResourceCount::Tick(TObject* Sender) {
    if (m_clockTick)
        m_clockTick(Sender);
    ++m_ticks;
    if (m_ticks > m_options.Ticks)
        return; // ticks that arrive while the form closes
    // The first ticks fill the caches that drawing keeps for good; tick 5 is the baseline.
    if (m_ticks == 5 || m_ticks % 10 == 0 || m_ticks == m_options.Ticks)
        m_samples.push_back({m_ticks, CountGdiObjects(), CountWindows()});
    if (m_ticks == m_options.Ticks) {
        Write();
        m_form->Close();
    }
}

void ResourceCount::Write() {
    std::FILE* file = std::fopen(m_options.File.c_str(), "w");
    if (!file)
        return;
    std::fprintf(file, "interval %u\n", kInterval);
    for (const Sample& sample : m_samples)
        std::fprintf(file, "tick %d gdi %d windows %d\n", sample.Tick, sample.GdiObjects,
                     sample.Windows);
    m_written = std::fclose(file) == 0;
}
