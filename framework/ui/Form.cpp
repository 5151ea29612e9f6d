#include "framework/ui/Form.h"

#include <vector>

#include "framework/ui/Application.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Font.h"

namespace {
struct DisabledWindows {
    HWND keep;
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM data) {
    auto* state = reinterpret_cast<DisabledWindows*>(data);
    if (window != state->keep && IsWindowVisible(window) && IsWindowEnabled(window)) {
        state->windows.push_back(window);
        EnableWindow(window, FALSE);
    }
    return TRUE;
}
} // namespace

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner) {
    ControlStyle.Include(csAcceptsControls);
    SetVisible(false);
    SetBounds(0, 0, 320, 240);
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    Font()->SetColor(clWindowText);
    SetParentFont(false);
}

TCustomForm::~TCustomForm() {
    m_activeControl = nullptr;
    if (Application)
        Application->FormDestroying(this);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    if (!HandleAllocated())
        return;
    // The window keeps its place and outer size; its frame changes around the client area.
    TCreateParams params;
    CreateParams(params);
    HWND handle = Handle();
    const LONG keptStyle = GetWindowLongA(handle, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED);
    const LONG keptExStyle = GetWindowLongA(handle, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOPMOST);
    SetWindowLongA(handle, GWL_STYLE, static_cast<LONG>(params.Style & ~WS_VISIBLE) | keptStyle);
    SetWindowLongA(handle, GWL_EXSTYLE, static_cast<LONG>(params.ExStyle) | keptExStyle);
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomForm::CreateParams(TCreateParams& Params) {
    TWinControl::CreateParams(Params);
    Params.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    Params.ExStyle = 0;
    switch (m_borderStyle) {
    case bsNone:
        Params.Style |= WS_POPUP;
        break;
    case bsSingle:
        Params.Style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsSizeable:
        Params.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case bsDialog:
        Params.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
        Params.ExStyle |= WS_EX_DLGMODALFRAME;
        break;
    case bsToolWindow:
        Params.Style |= WS_CAPTION | WS_SYSMENU;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        Params.Style |= WS_CAPTION | WS_THICKFRAME | WS_SYSMENU;
        Params.ExStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    Params.WndParent = ParentWindow() ? ParentWindow() : Application->Handle();
}

SIZE TCustomForm::FrameSize() const {
    if (HandleAllocated()) {
        HWND handle = const_cast<TCustomForm*>(this)->Handle();
        RECT window, client;
        GetWindowRect(handle, &window);
        GetClientRect(handle, &client);
        return SIZE{(window.right - window.left) - client.right,
                    (window.bottom - window.top) - client.bottom};
    }
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT rect = {0, 0, 0, 0};
    AdjustWindowRectEx(&rect, params.Style, FALSE, params.ExStyle);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void TCustomForm::SetClientSize(int AWidth, int AHeight) {
    const SIZE frame = FrameSize();
    SetBounds(m_left, m_top, AWidth + frame.cx, AHeight + frame.cy);
}

TRect TCustomForm::ClientRect() const {
    if (HandleAllocated())
        return TWinControl::ClientRect();
    const SIZE frame = FrameSize();
    return TRect(0, 0, m_width - frame.cx, m_height - frame.cy);
}

TPoint TCustomForm::ClientOrigin() const {
    if (HandleAllocated())
        return TWinControl::ClientOrigin();
    TCreateParams params;
    const_cast<TCustomForm*>(this)->CreateParams(params);
    RECT rect = {0, 0, 0, 0};
    AdjustWindowRectEx(&rect, params.Style, FALSE, params.ExStyle);
    return TPoint(m_left - rect.left, m_top - rect.top);
}

bool TCustomForm::Showing() const {
    return Visible() && HandleAllocated() &&
           IsWindowVisible(const_cast<TCustomForm*>(this)->Handle());
}

void TCustomForm::HandleCreated() {}

void TCustomForm::VisibleChanged() {
    if (Visible()) {
        HWND handle = Handle();
        // The application window carries the taskbar button while the main form is up;
        // it is shown first, so that OnShow may still hide it.
        if (Application->MainForm() == this && !IsWindowVisible(Application->Handle()))
            ShowWindow(Application->Handle(), SW_SHOWNA);
        m_formState |= fsVisible;
        DoShow();
        if (!Visible())
            return; // OnShow hid the form again
        ShowWindow(handle, SW_SHOW);
        FocusFirstControl();
    } else {
        if (m_formState & fsVisible)
            DoHide();
        m_formState &= ~fsVisible;
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide)
        OnHide(this);
}

void TCustomForm::DoClose(TCloseAction& Action) {
    if (OnClose)
        OnClose(this, Action);
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::Close() {
    if (m_formState & fsModal) {
        m_modalResult = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (Application->MainForm() == this)
        Application->Terminate();
    else if (action == caHide)
        Hide();
    else if (action == caMinimize)
        ShowWindow(Handle(), SW_MINIMIZE);
    else
        Release();
}

void TCustomForm::Release() {
    PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

TModalResult TCustomForm::ShowModal() {
    if (Visible() || !Enabled() || (m_formState & fsModal))
        throw EInvalidOperation("Cannot make a visible window modal");
    if (GetCapture())
        SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
    ReleaseCapture();
    HWND previous = GetActiveWindow();
    m_formState |= fsModal;
    m_modalResult = mrNone;
    DisabledWindows disabled{Handle(), {}};
    EnumThreadWindows(GetCurrentThreadId(), DisableWindow, reinterpret_cast<LPARAM>(&disabled));
    auto restore = [&] {
        if (Visible())
            Hide();
        for (HWND window : disabled.windows)
            if (IsWindow(window))
                EnableWindow(window, TRUE);
        if (previous && IsWindow(previous))
            SetActiveWindow(previous);
        m_formState &= ~fsModal;
    };
    try {
        Show();
        do {
            Application->HandleMessage();
            if (Application->Terminated()) {
                m_modalResult = mrCancel;
            } else if (m_modalResult != mrNone) {
                // The modal loop ends only if the form agrees to close.
                TCloseAction action = caHide;
                if (!CloseQuery())
                    action = caNone;
                else
                    DoClose(action);
                if (action == caNone)
                    m_modalResult = mrNone;
            }
        } while (m_modalResult == mrNone);
    } catch (...) {
        restore();
        throw;
    }
    restore();
    return m_modalResult;
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control == m_activeControl)
        return;
    m_activeControl = control;
    if (control && Showing() && !control->Focused())
        control->SetFocus();
}

void TCustomForm::ControlFocused(TWinControl* control) {
    m_activeControl = control;
}

void TCustomForm::ControlRemoved(TWinControl* control) {
    if (m_activeControl && control->ContainsControl(m_activeControl))
        m_activeControl = nullptr;
}

bool TCustomForm::Active() const {
    return HandleAllocated() && GetActiveWindow() == const_cast<TCustomForm*>(this)->Handle();
}

void TCustomForm::SetFocus() {
    if (!Visible() || !Enabled())
        return;
    ::SetFocus(Handle());
}

void TCustomForm::FocusFirstControl() {
    if (!Active())
        return;
    if (m_activeControl && m_activeControl->CanFocus()) {
        if (!m_activeControl->Focused())
            m_activeControl->SetFocus();
        return;
    }
    SelectNext(nullptr, true, true);
}

void TCustomForm::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case WM_CLOSE:
        Close();
        Message.Result = 0;
        return;
    case CM_RELEASE:
        delete this;
        return;
    case WM_ACTIVATE:
        DefaultHandler(Message);
        if (LOWORD(Message.WParam) != WA_INACTIVE) {
            if (OnActivate)
                OnActivate(this);
            if (m_activeControl && m_activeControl->CanFocus())
                m_activeControl->SetFocus();
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        return;
    default:
        TWinControl::WndProc(Message);
    }
}
