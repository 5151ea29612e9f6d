#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/ui/Form.h"
#include "tests/support/WinInput.h"

// A borderless form shown at a fixed place on the screen, in the foreground, for tests that
// talk to real windows. Destroyed (with everything it owns) at the end of the test.
struct ShownForm {
    std::unique_ptr<TForm> form;

    explicit ShownForm(int width = 200, int height = 150, int left = 100, int top = 100)
        : form(std::make_unique<TForm>(nullptr)) {
        form->SetBorderStyle(bsNone);
        form->SetBounds(left, top, width, height);
        form->Show();
        MakeForeground(form->Handle());
        PumpMessages(50);
    }
    TForm* operator->() const { return form.get(); }
    HWND Handle() const { return form->Handle(); }
};

// A list of what happened, in order, for checking the order of events.
struct EventLog {
    std::vector<std::string> entries;
    void Add(const std::string& entry) { entries.push_back(entry); }
    int Count(const std::string& entry) const {
        int n = 0;
        for (const auto& e : entries)
            n += e == entry;
        return n;
    }
    std::string Joined() const {
        std::string all;
        for (const auto& e : entries)
            all += (all.empty() ? "" : " ") + e;
        return all;
    }
};
