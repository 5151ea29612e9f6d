#include "framework/ui/Timer.h"

#include <algorithm>
#include <vector>

#include "framework/ui/Application.h"
#include "framework/core/Exceptions.h"
#include "framework/ui/WinControl.h"

// One hidden message-only window serves every timer; the timer id tells them apart.
struct TimerWindow {
    static HWND Handle() {
        if (!s_handle) {
            WNDCLASSEXA wc = {};
            wc.cbSize = sizeof(wc);
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "TesselTimer";
            if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                throw EOutOfResources("Cannot register the timer window class");
            s_handle = CreateWindowExA(0, "TesselTimer", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
            if (!s_handle)
                throw EOutOfResources("Not enough timers available");
        }
        return s_handle;
    }

    // Heap-held and never freed: timers may outlive the statics at exit.
    static std::vector<TTimer*>& Timers() {
        static auto* timers = new std::vector<TTimer*>;
        return *timers;
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_TIMER)
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        for (TTimer* timer : Timers()) {
            if (timer->m_id != wParam)
                continue;
            try {
                timer->Timer();
            } catch (Exception& e) {
                Application->ShowException(&e);
            }
            break;
        }
        return 0;
    }

    static HWND s_handle;
    static UINT_PTR s_nextId;
};

HWND TimerWindow::s_handle = nullptr;
UINT_PTR TimerWindow::s_nextId = 1;

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), m_id(TimerWindow::s_nextId++) {
    TimerWindow::Timers().push_back(this);
    UpdateTimer();
}

TTimer::~TTimer() {
    if (m_armed)
        KillTimer(TimerWindow::Handle(), m_id);
    auto& timers = TimerWindow::Timers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
}

void TTimer::UpdateTimer() {
    if (m_armed) {
        KillTimer(TimerWindow::Handle(), m_id);
        m_armed = false;
    }
    if (m_enabled && m_interval > 0) {
        if (!SetTimer(TimerWindow::Handle(), m_id, m_interval, nullptr))
            throw EOutOfResources("Not enough timers available");
        m_armed = true;
    }
}

void TTimer::SetEnabled(bool value) {
    if (value == m_enabled)
        return;
    m_enabled = value;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned value) {
    if (value == m_interval)
        return;
    m_interval = value;
    UpdateTimer();
}

void TTimer::Timer() {
    if (OnTimer)
        OnTimer(this);
}
