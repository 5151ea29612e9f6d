#pragma once
#include <functional>

#include "framework/core/Types.h"
#include "framework/win/Win.h"

// Real input for Wine tests: SendInput goes through the system's input queue, so presses form
// double clicks, capture works and GetKeyState follows the keys. Each call handles the
// messages that result before it returns.

// One input event through SendInput, nothing handled: these may be called from another thread,
// e.g. to drive a menu while the test's thread waits in the menu's own loop.
void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0);
void SendKey(WORD virtualKey, bool up);

// Handles messages (through the application object) for about `ms` milliseconds.
void PumpMessages(int ms);
// Handles messages until `done` holds or `timeoutMs` passed; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, int timeoutMs = 2000);

// Moves the pointer to a screen point, or to a client point of a window.
void MoveMouseTo(int screenX, int screenY);
void MoveMouseTo(HWND window, int clientX, int clientY);
void PressMouse(TMouseButton button = mbLeft);
void ReleaseMouse(TMouseButton button = mbLeft);
// Moves to the client point, presses and releases.
void ClickMouse(HWND window, int clientX, int clientY, TMouseButton button = mbLeft);

void PressKey(WORD virtualKey);
void ReleaseKey(WORD virtualKey);
void TapKey(WORD virtualKey);

// Makes a window the foreground window, so that keys reach it; returns whether it is.
bool MakeForeground(HWND window);

// Lowers the system's hover time (the delay of WM_MOUSELEAVE under Wine) while alive.
class ShortHoverTime {
public:
    explicit ShortHoverTime(UINT milliseconds = 50);
    ~ShortHoverTime();
    ShortHoverTime(const ShortHoverTime&) = delete;
    ShortHoverTime& operator=(const ShortHoverTime&) = delete;

private:
    UINT m_saved = 400;
};
