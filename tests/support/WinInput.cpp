#include "tests/support/WinInput.h"

#include "framework/ui/Application.h"

void SendMouse(DWORD flags, LONG dx, LONG dy) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dx = dx;
    input.mi.dy = dy;
    SendInput(1, &input, sizeof(input));
}

void SendKey(WORD virtualKey, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
}

namespace {
const int kSettleMs = 30;
} // namespace

void PumpMessages(int ms) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
    do {
        Application->ProcessMessages();
        Sleep(2);
    } while (static_cast<int>(end - GetTickCount()) > 0);
    Application->ProcessMessages();
}

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
    for (;;) {
        Application->ProcessMessages();
        if (done())
            return true;
        if (static_cast<int>(end - GetTickCount()) <= 0)
            return false;
        Sleep(2);
    }
}

void MoveMouseTo(int screenX, int screenY) {
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (screenX * 65535 + width / 2) / width,
              (screenY * 65535 + height / 2) / height);
    PumpMessages(kSettleMs);
}

void MoveMouseTo(HWND window, int clientX, int clientY) {
    POINT point = {clientX, clientY};
    ClientToScreen(window, &point);
    MoveMouseTo(point.x, point.y);
}

void PressMouse(TMouseButton button) {
    SendMouse(button == mbLeft    ? MOUSEEVENTF_LEFTDOWN
              : button == mbRight ? MOUSEEVENTF_RIGHTDOWN
                                  : MOUSEEVENTF_MIDDLEDOWN);
    PumpMessages(kSettleMs);
}

void ReleaseMouse(TMouseButton button) {
    SendMouse(button == mbLeft    ? MOUSEEVENTF_LEFTUP
              : button == mbRight ? MOUSEEVENTF_RIGHTUP
                                  : MOUSEEVENTF_MIDDLEUP);
    PumpMessages(kSettleMs);
}

void ClickMouse(HWND window, int clientX, int clientY, TMouseButton button) {
    MoveMouseTo(window, clientX, clientY);
    PressMouse(button);
    ReleaseMouse(button);
}

void PressKey(WORD virtualKey) {
    SendKey(virtualKey, false);
    PumpMessages(kSettleMs);
}

void ReleaseKey(WORD virtualKey) {
    SendKey(virtualKey, true);
    PumpMessages(kSettleMs);
}

void TapKey(WORD virtualKey) {
    PressKey(virtualKey);
    ReleaseKey(virtualKey);
}

bool MakeForeground(HWND window) {
    HWND top = GetAncestor(window, GA_ROOT);
    SetForegroundWindow(top);
    BringWindowToTop(top);
    return PumpUntil([&] { return GetForegroundWindow() == top; }, 1000);
}

ShortHoverTime::ShortHoverTime(UINT milliseconds) {
    SystemParametersInfoA(SPI_GETMOUSEHOVERTIME, 0, &m_saved, 0);
    SystemParametersInfoA(SPI_SETMOUSEHOVERTIME, milliseconds, nullptr, 0);
}

ShortHoverTime::~ShortHoverTime() {
    SystemParametersInfoA(SPI_SETMOUSEHOVERTIME, m_saved, nullptr, 0);
}
