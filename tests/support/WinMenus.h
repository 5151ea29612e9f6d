#pragma once
#include <atomic>
#include <functional>
#include <thread>

#include "framework/win/Win.h"

// Drives the next pop-up menu from a thread of its own: while a menu is open, its modal loop
// holds the thread that opened it (the test's). The driver waits for the menu window (class
// "#32768") to show, then runs its action there with real input.
class PopupMenuDriver {
public:
    using Action = std::function<void(HWND menuWindow, HMENU menu)>;
    explicit PopupMenuDriver(Action action, int timeoutMs = 3000);
    ~PopupMenuDriver();
    PopupMenuDriver(const PopupMenuDriver&) = delete;
    PopupMenuDriver& operator=(const PopupMenuDriver&) = delete;

    // Whether a menu showed before the time-out, and where (screen coordinates).
    bool Appeared() const { return m_appeared; }
    RECT MenuRect() const { return m_rect; }

private:
    std::thread m_thread;
    std::atomic<bool> m_appeared{false};
    RECT m_rect = {};
};

// The visible pop-up menu window, or null.
HWND VisiblePopupMenu();
// Real input that may come from any thread (it handles no messages): a left click at the
// centre of the item at `position` of the menu shown in `menuWindow`, and a key tap.
void ClickMenuItemFromAnyThread(HWND menuWindow, HMENU menu, int position);
void TapKeyFromAnyThread(WORD virtualKey);
