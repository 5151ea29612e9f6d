#include "tests/support/WinMenus.h"

#include "tests/support/WinInput.h"

HWND VisiblePopupMenu() {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, "#32768", nullptr)) != nullptr)
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

PopupMenuDriver::PopupMenuDriver(Action action, int timeoutMs) {
    m_thread = std::thread([this, action, timeoutMs] {
        const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMs);
        HWND menuWindow = nullptr;
        while (!(menuWindow = VisiblePopupMenu())) {
            if (static_cast<int>(end - GetTickCount()) <= 0)
                return;
            Sleep(10);
        }
        GetWindowRect(menuWindow, &m_rect);
        m_appeared = true;
        Sleep(50); // let the menu settle before input arrives
        auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        action(menuWindow, menu);
    });
}

PopupMenuDriver::~PopupMenuDriver() {
    m_thread.join();
}

void ClickMenuItemFromAnyThread(HWND menuWindow, HMENU menu, int position) {
    RECT item = {};
    GetMenuItemRect(menuWindow, menu, static_cast<UINT>(position), &item);
    const int x = (item.left + item.right) / 2;
    const int y = (item.top + item.bottom) / 2;
    const int width = GetSystemMetrics(SM_CXSCREEN) - 1;
    const int height = GetSystemMetrics(SM_CYSCREEN) - 1;
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, (x * 65535 + width / 2) / width,
              (y * 65535 + height / 2) / height);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(30);
    SendMouse(MOUSEEVENTF_LEFTUP);
}

void TapKeyFromAnyThread(WORD virtualKey) {
    SendKey(virtualKey, false);
    Sleep(20);
    SendKey(virtualKey, true);
}
