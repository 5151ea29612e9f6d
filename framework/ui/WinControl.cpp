#include "framework/ui/WinControl.h"

#include <algorithm>
#include <exception>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Font.h"
#include "framework/ui/DragDrop.h"
#include "framework/ui/Form.h"
#include "framework/ui/Help.h"
#include "framework/ui/Hints.h"
#include "framework/ui/SizeConstraints.h"
#include "framework/win/WinHandle.h"

namespace {
const char kWindowClass[] = "TesselControl";

// An exception that is not the framework's cannot unwind through the system's dispatch code;
// it waits here until the framework's own code is back on the stack.
std::exception_ptr g_pendingException;
TWindowProcExceptionHook g_exceptionHook = nullptr;

void RegisterWindowClass() {
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    // CS_DBLCLKS always: a control without csDoubleClicks turns the double click back into
    // a press (TControl::WndProc).
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = FrameworkWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = kWindowClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources("Cannot register the control window class");
    registered = true;
}

// The user's sizing of a window stays within its constraints.
void LimitTrackSize(MINMAXINFO& info, const TSizeConstraints& limits) {
    if (limits.MinWidth() > 0)
        info.ptMinTrackSize.x = limits.MinWidth();
    if (limits.MinHeight() > 0)
        info.ptMinTrackSize.y = limits.MinHeight();
    if (limits.MaxWidth() > 0)
        info.ptMaxTrackSize.x = info.ptMaxSize.x = limits.MaxWidth();
    if (limits.MaxHeight() > 0)
        info.ptMaxTrackSize.y = info.ptMaxSize.y = limits.MaxHeight();
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}
} // namespace

TWindowProcExceptionHook SetWindowProcExceptionHook(TWindowProcExceptionHook hook) {
    TWindowProcExceptionHook previous = g_exceptionHook;
    g_exceptionHook = hook;
    return previous;
}

void RethrowWindowProcException() {
    if (g_pendingException) {
        std::exception_ptr pending = g_pendingException;
        g_pendingException = nullptr;
        std::rethrow_exception(pending);
    }
}

LRESULT CALLBACK FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* control = reinterpret_cast<TWinControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!control) {
        if (msg != WM_NCCREATE)
            return DefWindowProcA(hwnd, msg, wParam, lParam);
        control =
            static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
        control->m_handle = hwnd;
    }
    // Here, before any control's own handling: a control may keep the leave to itself.
    if (msg == WM_MOUSELEAVE)
        HintMouseLeft(hwnd);
    TMessage message;
    message.Msg = msg;
    message.WParam = wParam;
    message.LParam = lParam;
    try {
        control->WndProc(message);
    } catch (Exception& e) {
        if (g_exceptionHook)
            g_exceptionHook(&e);
        else if (!g_pendingException)
            g_pendingException = std::current_exception();
    } catch (...) {
        if (!g_pendingException)
            g_pendingException = std::current_exception();
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        control->ForgetHandle();
    }
    return message.Result;
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
    Destroying();
    DragControlDestroyed(this);
    TControl* capture = GetCaptureControl();
    if (capture && (capture == this || capture->Parent() == this))
        SetCaptureControl(nullptr);
    if (TCustomForm* form = GetParentForm(this))
        if (form != this)
            form->ControlRemoved(this);
    if (Parent())
        Parent()->RemoveControl(this);
    if (m_handle) {
        // No more dispatch into this half-destroyed object: its window goes quietly, the
        // children's windows go with it and each child forgets its own handle.
        SetWindowLongPtrA(m_handle, GWLP_USERDATA, 0);
        HWND handle = m_handle;
        m_handle = nullptr;
        DestroyWindow(handle);
    }
    // Children stay with their owners; they only lose their parent.
    for (TControl* control : m_controls)
        control->m_parent = nullptr;
    for (TWinControl* control : m_winControls)
        control->m_parent = nullptr;
    m_controls.clear();
    m_winControls.clear();
}

HWND TWinControl::Handle() {
    if (!m_handle)
        CreateHandle();
    return m_handle;
}

void TWinControl::SetParentWindow(HWND value) {
    if (value == m_parentWindow)
        return;
    m_parentWindow = value;
    if (!Parent() && m_handle) {
        if (value)
            ::SetParent(m_handle, value);
        else
            DestroyHandle();
    }
}

void TWinControl::CreateHandle() {
    if (m_handle)
        return;
    // The parent's window first: making it makes its children's windows, this one's too,
    // and a second window made here would be left behind on the parent, never painted.
    if (Parent()) {
        Parent()->HandleNeeded();
        if (m_handle)
            return;
    }
    CreateWnd();
    UpdateBounds();
    CreateChildHandles();
    HandleCreated();
}

void TWinControl::CreateChildHandles() {
    for (TWinControl* child : m_winControls)
        child->CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& Params) {
    Params.Caption = GetText();
    Params.Style = WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (Visible())
        Params.Style |= WS_VISIBLE;
    if (!Enabled())
        Params.Style |= WS_DISABLED;
    if (m_tabStop)
        Params.Style |= WS_TABSTOP;
    Params.ExStyle = 0;
    Params.X = m_left;
    Params.Y = m_top;
    Params.Width = m_width;
    Params.Height = m_height;
    if (Parent())
        Params.WndParent = Parent()->Handle();
    else
        Params.WndParent = m_parentWindow;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Control '" + Name() + "' has no parent window");
    RegisterWindowClass();
    HWND handle = CreateWindowExA(params.ExStyle, kWindowClass, params.Caption.c_str(),
                                  params.Style, params.X, params.Y, params.Width, params.Height,
                                  params.WndParent, nullptr, GetModuleHandleA(nullptr), this);
    if (!handle) {
        m_handle = nullptr;
        throw EOutOfResources("Error creating window");
    }
    m_handle = handle;
}

void TWinControl::DestroyHandle() {
    if (!m_handle)
        return;
    if (GetCaptureControl() == this)
        SetCaptureControl(nullptr);
    DestroyWindow(m_handle); // WM_NCDESTROY forgets the handles, the children's as well
    m_handle = nullptr;
}

void TWinControl::ForgetHandle() {
    m_handle = nullptr;
}

bool TWinControl::UpdateBounds() {
    if (!m_handle || IsIconic(m_handle))
        return false;
    RECT rect;
    GetWindowRect(m_handle, &rect);
    if (GetWindowLongA(m_handle, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(HWND_DESKTOP, GetParent(m_handle), reinterpret_cast<POINT*>(&rect), 2);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const bool sized = width != m_width || height != m_height;
    m_left = rect.left;
    m_top = rect.top;
    m_width = width;
    m_height = height;
    return sized;
}

int TWinControl::ControlCount() const {
    return static_cast<int>(m_controls.size() + m_winControls.size());
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw ERangeError("Control index out of bounds");
    const int windowless = static_cast<int>(m_controls.size());
    if (index < windowless)
        return m_controls[static_cast<size_t>(index)];
    return m_winControls[static_cast<size_t>(index - windowless)];
}

bool TWinControl::ContainsControl(TControl* control) const {
    for (; control; control = control->Parent())
        if (control == this)
            return true;
    return false;
}

void TWinControl::InsertControl(TControl* control) {
    control->m_parent = this;
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        m_winControls.push_back(window);
        if (m_handle) {
            if (window->m_handle) {
                ::SetParent(window->m_handle, m_handle);
                SetWindowPos(window->m_handle, nullptr, window->m_left, window->m_top,
                             window->m_width, window->m_height, SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                window->CreateHandle();
            }
        }
    } else {
        m_controls.push_back(control);
    }
    if (control->m_parentFont)
        control->ParentFontChanged();
    control->ParentColorChanged();
    control->ParentShowHintChanged();
    if (control->Align() != alNone)
        Realign();
    control->UpdateAnchorRules();
    control->InvalidateControl(true);
}

void TWinControl::RemoveControl(TControl* control) {
    control->InvalidateControl(true);
    if (auto* window = dynamic_cast<TWinControl*>(control)) {
        if (TCustomForm* form = GetParentForm(this))
            form->ControlRemoved(window);
        auto it = std::find(m_winControls.begin(), m_winControls.end(), window);
        if (it != m_winControls.end())
            m_winControls.erase(it);
        window->m_parent = nullptr;
        if (window->m_handle && !window->m_parentWindow)
            window->DestroyHandle();
    } else {
        auto it = std::find(m_controls.begin(), m_controls.end(), control);
        if (it != m_controls.end())
            m_controls.erase(it);
        control->m_parent = nullptr;
    }
    if (GetCaptureControl() == control)
        SetCaptureControl(nullptr);
    if (control->Align() != alNone)
        Realign();
}

TControl* TWinControl::ControlAtPos(const TPoint& pos, bool AllowDisabled, bool AllowWinControls) {
    auto hit = [&](TControl* c) {
        return (c->Visible() || c->HasState(csDesigning)) && (c->Enabled() || AllowDisabled) &&
               pos.x >= c->Left() && pos.x < c->Left() + c->Width() && pos.y >= c->Top() &&
               pos.y < c->Top() + c->Height();
    };
    if (AllowWinControls)
        for (auto it = m_winControls.rbegin(); it != m_winControls.rend(); ++it)
            if (hit(*it))
                return *it;
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if (hit(*it))
            return *it;
    return nullptr;
}

void TWinControl::SetTabStop(bool value) {
    if (value == m_tabStop)
        return;
    m_tabStop = value;
    if (m_handle) {
        LONG style = GetWindowLongA(m_handle, GWL_STYLE);
        style = value ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongA(m_handle, GWL_STYLE, style);
    }
}

int TWinControl::TabOrder() const {
    if (!Parent())
        return -1;
    const auto& list = Parent()->m_winControls;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (!Parent())
        return;
    auto& list = Parent()->m_winControls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    value = std::max(0, std::min(value, static_cast<int>(list.size())));
    list.insert(list.begin() + value, this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
    for (TWinControl* child : m_winControls) {
        list.push_back(child);
        child->GetTabOrderList(list);
    }
}

void TWinControl::SelectNext(TWinControl* current, bool GoForward, bool CheckTabStop) {
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    const int count = static_cast<int>(list.size());
    if (count == 0)
        return;
    auto found = std::find(list.begin(), list.end(), current);
    int index =
        found == list.end() ? (GoForward ? -1 : count) : static_cast<int>(found - list.begin());
    for (int step = 0; step < count; ++step) {
        index = GoForward ? (index + 1) % count : (index - 1 + count) % count;
        TWinControl* candidate = list[static_cast<size_t>(index)];
        if (candidate == current)
            return;
        if ((!CheckTabStop || candidate->TabStop()) && candidate->CanFocus()) {
            candidate->SetFocus();
            return;
        }
    }
}

bool TWinControl::CanFocus() const {
    TCustomForm* form = GetParentForm(const_cast<TWinControl*>(this));
    if (!form)
        return false;
    for (const TControl* control = this; control; control = control->Parent()) {
        if (!control->Visible() || !control->Enabled())
            return false;
        if (control == form)
            break;
    }
    return true;
}

bool TWinControl::Focused() const {
    return m_handle && GetFocus() == m_handle;
}

void TWinControl::SetFocus() {
    // A control that cannot take the focus (hidden, disabled, not on a shown form) keeps
    // things as they are.
    if (!CanFocus() && !m_parentWindow)
        return;
    ::SetFocus(Handle());
}

void TWinControl::SetParent(TWinControl* AParent) {
    TControl::SetParent(AParent);
}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (m_handle && !HasState(csLoading) && (AWidth != m_width || AHeight != m_height)) {
        if (!CanResize(AWidth, AHeight)) {
            AWidth = m_width;
            AHeight = m_height;
        }
    }
    Constraints()->Apply(AWidth, AHeight);
    if (ALeft == m_left && ATop == m_top && AWidth == m_width && AHeight == m_height) {
        UpdateAnchorRules();
        return;
    }
    if (m_handle) {
        // The window reports the outcome (WM_WINDOWPOSCHANGED), which may differ.
        m_settingBounds = true;
        SetWindowPos(m_handle, nullptr, ALeft, ATop, AWidth, AHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        m_settingBounds = false;
        UpdateAnchorRules();
        return;
    }
    const bool sized = AWidth != m_width || AHeight != m_height;
    m_left = ALeft;
    m_top = ATop;
    m_width = AWidth;
    m_height = AHeight;
    if (Parent() && Align() != alNone)
        Parent()->Realign();
    if (sized) {
        Realign();
        if (!HasState(csLoading))
            Resize();
    }
    UpdateAnchorRules();
}

void TWinControl::SetEnabled(bool value) {
    if (value == Enabled())
        return;
    TControl::SetEnabled(value);
    if (m_handle)
        EnableWindow(m_handle, value ? TRUE : FALSE);
}

void TWinControl::SetColor(TColor value) {
    TControl::SetColor(value);
    for (TControl* child : m_controls)
        child->ParentColorChanged();
    for (TWinControl* child : m_winControls)
        child->ParentColorChanged();
}

TRect TWinControl::ClientRect() const {
    if (!m_handle)
        return TControl::ClientRect();
    RECT rect;
    GetClientRect(m_handle, &rect);
    return TRect(rect.left, rect.top, rect.right, rect.bottom);
}

TPoint TWinControl::ClientOrigin() const {
    if (!m_handle)
        return TControl::ClientOrigin();
    POINT point = {0, 0};
    ::ClientToScreen(m_handle, &point);
    return TPoint(point.x, point.y);
}

bool TWinControl::Showing() const {
    return m_handle && IsWindowVisible(m_handle);
}

void TWinControl::VisibleChanged() {
    if (m_handle)
        ShowWindow(m_handle, Visible() ? SW_SHOWNA : SW_HIDE);
    if (Parent() && Align() != alNone)
        Parent()->Realign();
}

void TWinControl::TextChanged() {
    if (m_handle)
        SetWindowTextA(m_handle, GetText().c_str());
    Invalidate();
}

void TWinControl::FontChanged() {
    Invalidate();
    NotifyParentFont();
}

void TWinControl::ParentFontChanged() {
    TControl::ParentFontChanged();
}

void TWinControl::NotifyParentFont() {
    for (TControl* child : m_controls)
        child->ParentFontChanged();
    for (TWinControl* child : m_winControls)
        child->ParentFontChanged();
}

void TWinControl::Invalidate() {
    if (m_handle)
        InvalidateRect(m_handle, nullptr, ControlStyle.Contains(csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
    if (m_handle)
        UpdateWindow(m_handle);
}

void TWinControl::Repaint() {
    if (m_handle)
        RedrawWindow(m_handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN |
                         (ControlStyle.Contains(csOpaque) ? 0 : RDW_ERASE));
}

void TWinControl::Realign() {
    AlignChildren();
    AnchorChildren();
}

void TWinControl::AlignChildren() {
    if (m_aligning)
        return;
    m_aligning = true;
    TRect area = ClientRect();
    std::vector<TControl*> children(m_controls.begin(), m_controls.end());
    children.insert(children.end(), m_winControls.begin(), m_winControls.end());
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : children) {
            if (c->Align() != align || !c->Visible())
                continue;
            switch (align) {
            case alTop:
                c->SetBounds(area.Left, area.Top, area.Width(), c->Height());
                area.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(area.Left, area.Bottom - c->Height(), area.Width(), c->Height());
                area.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(area.Left, area.Top, c->Width(), area.Height());
                area.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(area.Right - c->Width(), area.Top, c->Width(), area.Height());
                area.Right -= c->Width();
                break;
            default:
                c->SetBounds(area.Left, area.Top, area.Width(), area.Height());
                break;
            }
        }
    }
    m_aligning = false;
}

void TWinControl::KeyDown(unsigned short& Key, TShiftState Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(unsigned short& Key, TShiftState Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TWinControl::DefaultHandler(TMessage& Message) {
    if (m_handle)
        Message.Result = DefWindowProcA(m_handle, Message.Msg, Message.WParam, Message.LParam);
    else
        Message.Result = 0;
}

void TWinControl::LoseCapture(TControl* holder) {
    // The release that would finish the press goes elsewhere now: a later release over the
    // control must not click it.
    holder->m_clicked = false;
    SetCaptureControl(nullptr);
}

void TWinControl::TranslateDoubleClick(TMessage& Message, TControl* receiver) {
    // The system pairs presses per window; a second press on another windowless control of
    // the same window is a first press there.
    static TControl* lastPressed = nullptr;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        lastPressed = receiver;
        break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (receiver != lastPressed)
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        lastPressed = receiver;
        break;
    }
}

bool TWinControl::RouteMouseToChild(TMessage& Message) {
    const TPoint pos(static_cast<short>(LOWORD(static_cast<DWORD>(Message.LParam))),
                     static_cast<short>(HIWORD(static_cast<DWORD>(Message.LParam))));
    TControl* target = nullptr;
    TControl* capture = GetCaptureControl();
    if (capture && capture != this) {
        // A windowless child that holds the mouse gets every mouse message of this window.
        if (capture->Parent() == this && !dynamic_cast<TWinControl*>(capture))
            target = capture;
    } else if (!capture) {
        target = ControlAtPos(pos, false);
    }
    if (!target)
        return false;
    TranslateDoubleClick(Message, target);
    TMessage forwarded = Message;
    forwarded.LParam = MAKELPARAM(static_cast<WORD>(pos.x - target->Left()),
                                  static_cast<WORD>(pos.y - target->Top()));
    target->WndProc(forwarded);
    Message.Result = forwarded.Result;
    return true;
}

void TWinControl::HandleKey(TMessage& Message) {
    unsigned short key = static_cast<unsigned short>(Message.WParam);
    const TShiftState shift = KeyboardShiftState();
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        KeyDown(key, shift);
        if (key == 0) {
            Message.Result = 0;
            return;
        }
        if (key == VK_F1 && shift == 0 && Message.Msg == WM_KEYDOWN && InvokeHelp(this)) {
            Message.Result = 0;
            return;
        }
        if (key == VK_TAB && !WantsTabKey() && !(shift & (ssCtrl | ssAlt))) {
            if (TCustomForm* form = GetParentForm(this)) {
                form->SelectNext(this, (shift & ssShift) == 0, true);
                Message.Result = 0;
                return;
            }
        }
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        KeyUp(key, shift);
        if (key == 0) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_CHAR: {
        char ch = static_cast<char>(Message.WParam);
        KeyPress(ch);
        if (ch == 0) {
            Message.Result = 0;
            return;
        }
        Message.WParam = static_cast<unsigned char>(ch);
        break;
    }
    }
    Message.WParam = Message.Msg == WM_CHAR ? Message.WParam : key;
    DefaultHandler(Message);
}

void TWinControl::EraseBackground(HDC DC) {
    if (ControlStyle.Contains(csOpaque))
        return;
    RECT rect;
    GetClientRect(m_handle, &rect);
    const UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
    FillRect(DC, &rect, brush.get());
}

void TWinControl::PaintWindow(HDC) {}

void TWinControl::PaintControls(HDC DC) {
    RECT clip;
    if (GetClipBox(DC, &clip) == ERROR)
        return;
    // Copy: a child's painting must not be able to disturb the walk.
    std::vector<TControl*> children(m_controls);
    for (TControl* child : children) {
        if (!child->Visible() && !child->HasState(csDesigning))
            continue;
        RECT bounds = {child->Left(), child->Top(), child->Left() + child->Width(),
                       child->Top() + child->Height()};
        RECT overlap;
        if (!IntersectRect(&overlap, &bounds, &clip))
            continue;
        const int saved = SaveDC(DC);
        OffsetViewportOrgEx(DC, child->Left(), child->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, child->Width(), child->Height());
        child->PaintControl(DC);
        RestoreDC(DC, saved);
    }
}

void TWinControl::PaintHandler(TMessage& Message) {
    if (Message.WParam) {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        PaintWindow(dc);
        PaintControls(dc);
        Message.Result = 0;
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_handle, &ps);
    PaintWindow(dc);
    PaintControls(dc);
    EndPaint(m_handle, &ps);
    Message.Result = 0;
}

TWinControl* TWinControl::TopLevel() {
    TWinControl* control = this;
    while (control->Parent())
        control = control->Parent();
    return control;
}

void TWinControl::WndProc(TMessage& Message) {
    if (DragFilterMessage(this, Message))
        return;
    if (IsMouseMessage(Message.Msg) && Message.Msg != WM_MOUSEWHEEL) {
        if (RouteMouseToChild(Message)) {
            // The window's default turns a right release into WM_CONTEXTMENU, which then
            // finds the windowless child under the pointer.
            if (Message.Msg == WM_RBUTTONUP)
                DefaultHandler(Message);
            return;
        }
        TranslateDoubleClick(Message, this);
        TControl::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_PAINT:
        PaintHandler(Message);
        return;
    case WM_PRINTCLIENT: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (Message.LParam & PRF_ERASEBKGND)
            EraseBackground(dc);
        PaintWindow(dc);
        PaintControls(dc);
        Message.Result = 0;
        return;
    }
    case WM_SETCURSOR:
        if (!ShowControlCursor(this, Message))
            DefaultHandler(Message);
        return;
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 1;
        return;
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
        if (!m_settingBounds && !(pos->flags & SWP_NOSIZE) && !HasState(csLoading) &&
            (pos->cx != m_width || pos->cy != m_height)) {
            int width = pos->cx;
            int height = pos->cy;
            if (CanResize(width, height)) {
                Constraints()->Apply(width, height);
                pos->cx = width;
                pos->cy = height;
            } else {
                pos->flags |= SWP_NOSIZE;
            }
        }
        DefaultHandler(Message);
        return;
    }
    case WM_WINDOWPOSCHANGED: {
        const bool sized = UpdateBounds();
        DefaultHandler(Message);
        if (sized) {
            Realign();
            if (!HasState(csLoading))
                Resize();
        }
        return;
    }
    case WM_SIZE:
        // Also a change of the frame alone changes the client area.
        DefaultHandler(Message);
        AnchorChildren();
        return;
    case WM_GETMINMAXINFO:
        DefaultHandler(Message);
        LimitTrackSize(*reinterpret_cast<MINMAXINFO*>(Message.LParam), *Constraints());
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
        HandleKey(Message);
        return;
    case WM_SETFOCUS:
        if (TCustomForm* form = GetParentForm(this))
            if (form != this)
                form->ControlFocused(this);
        DefaultHandler(Message);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(Message);
        DoExit();
        return;
    case WM_CAPTURECHANGED: {
        TControl* capture = GetCaptureControl();
        if (capture && (capture == this || capture->Parent() == this) &&
            reinterpret_cast<HWND>(Message.LParam) != m_handle)
            LoseCapture(capture);
        DefaultHandler(Message);
        return;
    }
    case WM_CANCELMODE: {
        TControl* capture = GetCaptureControl();
        // The window the capture is on: the holder's own, or its parent's for a windowless one.
        TWinControl* window = capture ? dynamic_cast<TWinControl*>(capture) : nullptr;
        if (capture && !window)
            window = capture->Parent();
        if (window == this && capture) {
            LoseCapture(capture);
        } else if (window && ContainsControl(window)) {
            // A window inside this one holds the capture, however deep (a disabled form
            // cancels the drag of an image in a control on it): that window cancels its own
            // mode (and whatever its press started) and lets go there.
            window->Perform(WM_CANCELMODE, 0, 0);
        }
        DefaultHandler(Message);
        return;
    }
    default:
        TControl::WndProc(Message);
    }
}
