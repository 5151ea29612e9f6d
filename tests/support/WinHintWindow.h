#pragma once
#include <string>

#include "framework/ui/Hints.h"
#include "framework/win/Win.h"

// The application's hint window as a user sees it: found by its class, read by its text.

// The text of the hint window while it is visible; "" while it is hidden or not made yet.
inline std::string VisibleHintText() {
    HWND window = FindWindowA("TesselHint", nullptr);
    if (!window || !IsWindowVisible(window))
        return "";
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

// Puts the hint timing back and the hint window away at the end of a test.
struct HintWindowCleanup {
    ~HintWindowCleanup() { DestroyHintWindow(); }
};
