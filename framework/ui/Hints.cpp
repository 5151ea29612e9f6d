#include "framework/ui/Hints.h"

#include "framework/core/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/ui/Control.h"
#include "framework/ui/WinControl.h"

namespace {
const char kHintClass[] = "TesselHint";
const UINT_PTR kShowTimer = 1;
const UINT_PTR kHideTimer = 2;
// Space between the border and the text.
const int kMargin = 2;

// The hint window and the control the pointer is on.
struct HintState {
    HWND window = nullptr;
    TControl* control = nullptr; // null: the pointer is on no control (or outside)
    bool shown = false;
};
HintState g_hint;

// The window a control's mouse messages arrive on: its own, or its parent's.
TWinControl* HostOf(TControl* control) {
    if (auto* window = dynamic_cast<TWinControl*>(control))
        return window;
    return control->Parent();
}

bool WantsHint(TControl* control) {
    return Application->ShowHint() && control->ShowHint() && !control->Hint().IsEmpty() &&
           control->Showing();
}

void Hide() {
    if (!g_hint.window)
        return;
    KillTimer(g_hint.window, kShowTimer);
    KillTimer(g_hint.window, kHideTimer);
    if (g_hint.shown)
        ShowWindow(g_hint.window, SW_HIDE);
    g_hint.shown = false;
}

// The text's extent in the hint's font.
SIZE MeasureText(const AnsiString& text) {
    RECT rect = {0, 0, 0, 0};
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, text.c_str(), text.Length(), &rect, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

// Whether the pointer is still over the control: the pause may have ended elsewhere if the
// leave notice is late or never came (the pointer went to a window of another program).
bool PointerOn(TControl* control) {
    TWinControl* host = HostOf(control);
    if (!host || !host->HandleAllocated())
        return false;
    POINT point;
    GetCursorPos(&point);
    if (WindowFromPoint(point) != host->Handle())
        return false;
    const TPoint local = control->ScreenToClient(TPoint(point.x, point.y));
    const TRect client = control->ClientRect();
    return local.x >= client.Left && local.x < client.Right && local.y >= client.Top &&
           local.y < client.Bottom;
}

void ShowNow() {
    KillTimer(g_hint.window, kShowTimer);
    TControl* control = g_hint.control;
    if (!control || !WantsHint(control) || !PointerOn(control))
        return;
    const AnsiString text = control->Hint();
    SetWindowTextA(g_hint.window, text.c_str());
    const SIZE extent = MeasureText(text);
    const int width = extent.cx + 2 * kMargin + 2;
    const int height = extent.cy + 2 * kMargin + 2;
    POINT point;
    GetCursorPos(&point);
    // Below the pointer's arrow; kept on the screen, above the pointer at the bottom edge.
    int x = point.x;
    int y = point.y + GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    if (x + width > screenWidth)
        x = screenWidth - width;
    if (x < 0)
        x = 0;
    if (y + height > screenHeight)
        y = point.y - height - 2;
    SetWindowPos(g_hint.window, HWND_TOPMOST, x, y, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(g_hint.window, nullptr, TRUE);
    g_hint.shown = true;
    SetTimer(g_hint.window, kHideTimer, static_cast<UINT>(Application->HintHidePause), nullptr);
}

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT rect;
    GetClientRect(window, &rect);
    FillRect(dc, &rect, GetSysColorBrush(COLOR_INFOBK));
    char text[1024] = {};
    const int length = GetWindowTextA(window, text, sizeof(text));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&rect, -kMargin, -kMargin);
    DrawTextA(dc, text, length, &rect, DT_NOPREFIX);
    SelectObject(dc, old);
    EndPaint(window, &ps);
}

LRESULT CALLBACK HintWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_NCHITTEST:
        // The pointer passes through to what lies below: the hint never takes it away.
        return HTTRANSPARENT;
    case WM_TIMER:
        if (wParam == kShowTimer)
            ShowNow();
        else if (wParam == kHideTimer)
            Hide();
        return 0;
    case WM_NCDESTROY:
        g_hint.window = nullptr;
        g_hint.shown = false;
        break;
    }
    return DefWindowProcA(window, msg, wParam, lParam);
}

HWND EnsureWindow() {
    if (g_hint.window)
        return g_hint.window;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = HintWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    wc.lpszClassName = kHintClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources("Cannot register the hint window class");
    // A tool window: no taskbar button, never activated.
    g_hint.window =
        CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kHintClass, "", WS_POPUP | WS_BORDER, 0,
                        0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!g_hint.window)
        throw EOutOfResources("Error creating window");
    return g_hint.window;
}
} // namespace

void HintMouseMoved(TControl* control, int X, int Y) {
    const TRect client = control->ClientRect();
    const bool inside =
        X >= client.Left && X < client.Right && Y >= client.Top && Y < client.Bottom;
    // A control that holds the mouse gets the moves outside it too: those are on no control.
    TControl* target = inside ? control : nullptr;
    if (target == g_hint.control)
        return;
    Hide();
    g_hint.control = target;
    if (!target || !WantsHint(target))
        return;
    // A pointer that goes on to another program's window or the desktop sends no move here:
    // the window's leave notice tells.
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, HostOf(target)->Handle(), HOVER_DEFAULT};
    TrackMouseEvent(&track);
    SetTimer(EnsureWindow(), kShowTimer, static_cast<UINT>(Application->HintPause), nullptr);
}

void HintMousePressed() {
    Hide();
}

void HintMouseLeft(HWND window) {
    // Leaving a window for a child window of it is leaving too; the child's move has already
    // (or will) set the new control, whose window differs.
    if (g_hint.control && HostOf(g_hint.control)->HandleAllocated() &&
        HostOf(g_hint.control)->Handle() == window)
        CancelHint();
}

void HintControlGone(TControl* control) {
    if (g_hint.control == control)
        CancelHint();
}

void CancelHint() {
    Hide();
    g_hint.control = nullptr;
}

HWND HintWindowHandle() {
    return g_hint.window;
}

void DestroyHintWindow() {
    CancelHint();
    if (g_hint.window)
        DestroyWindow(g_hint.window);
}

bool IsShowHintStored(TControl* control) {
    if (control->ParentShowHint())
        return false;
    const bool inherited = control->Parent() ? control->Parent()->ShowHint() : false;
    return control->ShowHint() != inherited;
}

void TApplication::SetShowHint(bool value) {
    m_showHint = value;
    if (!value)
        CancelHint();
}

// ---- ShowHint and ParentShowHint -----------------------------------------------------------

void TControl::SetShowHint(bool value) {
    m_parentShowHint = false;
    if (value == m_showHint)
        return;
    m_showHint = value;
    PassShowHintOn();
}

void TControl::SetParentShowHint(bool value) {
    m_parentShowHint = value;
    if (value)
        ParentShowHintChanged();
}

void TControl::ParentShowHintChanged() {
    if (!m_parentShowHint || !m_parent || m_parent->ShowHint() == m_showHint)
        return;
    m_showHint = m_parent->ShowHint();
    PassShowHintOn();
}

void TControl::PassShowHintOn() {
    auto* window = dynamic_cast<TWinControl*>(this);
    if (!window)
        return;
    for (TControl* child : window->m_controls)
        child->ParentShowHintChanged();
    for (TWinControl* child : window->m_winControls)
        child->ParentShowHintChanged();
}
