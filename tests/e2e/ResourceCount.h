#pragma once
#include <string>
#include <vector>

#include "framework/core/Closure.h"
#include "framework/core/Object.h"

class TGalleryForm;

// The gallery's test switch, built into its test build only:
//
//   gallery-counting.exe --count-resources FILE [--ticks N]
//
// runs the clock's timer every 50 ms with the clock advancing one second per tick (from
// 31 December 2008 23:59:30, so that seconds, minutes, hours and the date all turn over),
// counts the process's GDI objects and the thread's windows at ticks 5, 10, 20, ... and N
// (60 by default), writes the samples to FILE and closes the form after tick N.
class ResourceCount {
public:
    struct Options {
        std::string File;
        int Ticks = 60;
    };
    // False for a command line this switch does not understand (nothing is started then).
    static bool Parse(int argc, char** argv, Options& options);

    ResourceCount(TGalleryForm* form, const Options& options);

    // False when the samples could not be written.
    bool Written() const { return m_written; }

    static constexpr unsigned kInterval = 50;

private:
    struct Sample {
        int Tick;
        int GdiObjects;
        int Windows;
    };
    void Tick(TObject* Sender);
    void Write();

    TGalleryForm* m_form;
    Options m_options;
    TNotifyEvent m_clockTick;
    int m_ticks = 0;
    std::vector<Sample> m_samples;
    bool m_written = false;
};
