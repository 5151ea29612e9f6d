#include "framework/ui/Control.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Font.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/Form.h"
#include "framework/ui/Hints.h"
#include "framework/ui/Menus.h"
#include "framework/ui/SizeConstraints.h"
#include "framework/ui/WinControl.h"

namespace {
// The control that holds the mouse. A windowless one holds it through its parent's window.
TControl* g_captureControl = nullptr;

int SignedLow(LPARAM value) {
    return static_cast<short>(LOWORD(static_cast<DWORD>(value)));
}
int SignedHigh(LPARAM value) {
    return static_cast<short>(HIWORD(static_cast<DWORD>(value)));
}
} // namespace

TShiftState MouseShiftState(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT)
        shift |= ssShift;
    if (keys & MK_CONTROL)
        shift |= ssCtrl;
    if (keys & MK_LBUTTON)
        shift |= ssLeft;
    if (keys & MK_RBUTTON)
        shift |= ssRight;
    if (keys & MK_MBUTTON)
        shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TShiftState KeyboardShiftState() {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0)
        shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0)
        shift |= ssAlt;
    return shift;
}

TControl* GetCaptureControl() {
    return g_captureControl;
}

void SetCaptureControl(TControl* control) {
    g_captureControl = nullptr;
    if (!control) {
        ReleaseCapture();
        return;
    }
    TWinControl* window = dynamic_cast<TWinControl*>(control);
    if (!window)
        window = control->Parent();
    if (!window || !window->HandleAllocated())
        return;
    SetCapture(window->Handle());
    // Set after SetCapture: the WM_CAPTURECHANGED it causes must not clear the new holder.
    g_captureControl = control;
}

TCustomForm* GetParentForm(TControl* control) {
    while (control) {
        if (TCustomForm* form = dynamic_cast<TCustomForm*>(control))
            return form;
        control = control->Parent();
    }
    return nullptr;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      ControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks),
      m_font(std::make_unique<TFont>()), m_constraints(std::make_unique<TSizeConstraints>(this)) {
    m_font->OnChange = TNotifyEvent(this, &TControl::FontChangeHandler);
}

TControl::~TControl() {
    HintControlGone(this);
    SetPopupMenu(nullptr);
    DragControlDestroyed(this);
    if (g_captureControl == this)
        SetCaptureControl(nullptr);
    if (m_parent)
        m_parent->RemoveControl(this);
    m_font->OnChange = nullptr;
}

void TControl::SetParent(TWinControl* AParent) {
    if (AParent == m_parent)
        return;
    for (TControl* p = AParent; p; p = p->Parent())
        if (p == this)
            throw EInvalidOperation("A control cannot have itself as its parent");
    if (m_parent)
        m_parent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if ((AWidth != m_width || AHeight != m_height) && !HasState(csLoading)) {
        if (!CanResize(AWidth, AHeight)) {
            AWidth = m_width;
            AHeight = m_height;
        }
    }
    m_constraints->Apply(AWidth, AHeight);
    if (ALeft == m_left && ATop == m_top && AWidth == m_width && AHeight == m_height) {
        UpdateAnchorRules();
        return;
    }
    const bool sized = AWidth != m_width || AHeight != m_height;
    InvalidateControl(true);
    m_left = ALeft;
    m_top = ATop;
    m_width = AWidth;
    m_height = AHeight;
    InvalidateControl(true);
    if (m_parent && m_align != alNone)
        m_parent->Realign();
    if (sized && !HasState(csLoading))
        Resize();
    UpdateAnchorRules();
}

TRect TControl::ClientRect() const {
    return TRect(0, 0, m_width, m_height);
}

void TControl::SetClientSize(int AWidth, int AHeight) {
    const TRect client = ClientRect();
    SetBounds(m_left, m_top, m_width - client.Width() + AWidth,
              m_height - client.Height() + AHeight);
}

TPoint TControl::ClientOrigin() const {
    if (!m_parent)
        return TPoint(m_left, m_top);
    const TPoint origin = m_parent->ClientOrigin();
    return TPoint(origin.x + m_left, origin.y + m_top);
}

TPoint TControl::ClientToScreen(const TPoint& point) const {
    const TPoint origin = ClientOrigin();
    return TPoint(point.x + origin.x, point.y + origin.y);
}

TPoint TControl::ScreenToClient(const TPoint& point) const {
    const TPoint origin = ClientOrigin();
    return TPoint(point.x - origin.x, point.y - origin.y);
}

void TControl::SetVisible(bool value) {
    if (value == m_visible)
        return;
    if (!value)
        InvalidateControl(true);
    m_visible = value;
    VisibleChanged();
}

void TControl::VisibleChanged() {
    InvalidateControl(true);
    if (m_parent && m_align != alNone)
        m_parent->Realign();
}

bool TControl::Showing() const {
    return m_visible && m_parent && m_parent->Showing();
}

void TControl::SetEnabled(bool value) {
    if (value == m_enabled)
        return;
    m_enabled = value;
    EnabledChanged();
}

void TControl::SetAlign(TAlign value) {
    if (value == m_align)
        return;
    m_align = value;
    if (m_parent)
        m_parent->Realign();
}

AnsiString TControl::GetText() const {
    return m_text;
}

void TControl::SetText(const AnsiString& value) {
    if (value == m_text)
        return;
    m_text = value;
    TextChanged();
}

void TControl::TextChanged() {
    Invalidate();
}

void TControl::SetName(const AnsiString& name) {
    // A control made in code shows its name until it is given a caption of its own.
    const bool follow = ControlStyle.Contains(csSetCaption) && !HasState(csLoading) &&
                        Name() == m_text && !(Owner() && Owner()->HasState(csLoading));
    TComponent::SetName(name);
    if (follow)
        SetText(name);
}

void TControl::SetFont(TFont* value) {
    m_font->Assign(value);
}

void TControl::SetParentFont(bool value) {
    m_parentFont = value;
    if (value)
        ParentFontChanged();
}

void TControl::ParentFontChanged() {
    if (!m_parentFont || !m_parent)
        return;
    const FlagScope changing(m_changingFont);
    m_font->Assign(m_parent->Font());
}

void TControl::FontChangeHandler(TObject*) {
    if (!m_changingFont)
        m_parentFont = false;
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
}

void TControl::SetColor(TColor value) {
    m_parentColor = false;
    if (value == m_color)
        return;
    m_color = value;
    ColorChanged();
}

void TControl::SetParentColor(bool value) {
    m_parentColor = value;
    if (value)
        ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!m_parentColor || !m_parent || m_parent->Color() == m_color)
        return;
    m_color = m_parent->Color();
    ColorChanged();
}

bool TControl::MouseCapture() const {
    return g_captureControl == this;
}

void TControl::SetMouseCapture(bool value) {
    if (value)
        SetCaptureControl(this);
    else if (g_captureControl == this)
        SetCaptureControl(nullptr);
}

void TControl::InvalidateControl(bool erase) {
    if (!m_parent || !m_parent->HandleAllocated() || (!m_visible && !HasState(csDesigning)))
        return;
    RECT rect = {m_left, m_top, m_left + m_width, m_top + m_height};
    InvalidateRect(m_parent->Handle(), &rect, erase ? TRUE : FALSE);
}

void TControl::Invalidate() {
    InvalidateControl(!ControlStyle.Contains(csOpaque));
}

void TControl::Update() {
    if (m_parent)
        m_parent->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

// Moves this control to the end (front) or the start (back) of its parent's z-order list.
void TControl::MoveInZOrder(bool toFront) {
    if (!m_parent)
        return;
    auto& list = m_parent->m_controls;
    auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end())
        return;
    list.erase(it);
    list.insert(toFront ? list.end() : list.begin(), this);
    Invalidate();
}

void TControl::BringToFront() {
    MoveInZOrder(true);
}

void TControl::SendToBack() {
    MoveInZOrder(false);
}

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
    TMessage message;
    message.Msg = Msg;
    message.WParam = WParam;
    message.LParam = LParam;
    WndProc(message);
    return message.Result;
}

namespace {
// The mouse button messages: which button, pressed or released, and whether the press is the
// second of a double click.
struct ButtonMessage {
    UINT msg;
    TMouseButton button;
    bool down;
    bool doubleClick;
};
constexpr ButtonMessage kButtonMessages[] = {
    {WM_LBUTTONDOWN, mbLeft, true, false},   {WM_LBUTTONDBLCLK, mbLeft, true, true},
    {WM_LBUTTONUP, mbLeft, false, false},    {WM_RBUTTONDOWN, mbRight, true, false},
    {WM_RBUTTONDBLCLK, mbRight, true, true}, {WM_RBUTTONUP, mbRight, false, false},
    {WM_MBUTTONDOWN, mbMiddle, true, false}, {WM_MBUTTONDBLCLK, mbMiddle, true, true},
    {WM_MBUTTONUP, mbMiddle, false, false},
};
} // namespace

void TControl::WndProc(TMessage& Message) {
    if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) &&
        m_dragMode == dmAutomatic && !HasState(csDesigning)) {
        // The press belongs to the drag it may start, not to the control.
        BeginDrag(false);
        Message.Result = 0;
        return;
    }
    for (const ButtonMessage& entry : kButtonMessages)
        if (entry.msg == Message.Msg) {
            // Without csDoubleClicks a quick second press is just another press.
            HandleMouseButton(Message, entry.button, entry.down,
                              entry.doubleClick && ControlStyle.Contains(csDoubleClicks));
            return;
        }
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        HintMouseMoved(this, SignedLow(Message.LParam), SignedHigh(Message.LParam));
        DefaultHandler(Message);
        MouseMove(MouseShiftState(Message.WParam), SignedLow(Message.LParam),
                  SignedHigh(Message.LParam));
        return;
    case WM_CONTEXTMENU:
        // Not taken: the window's default passes it on to the parent window.
        if (!ContextMenu(Message))
            DefaultHandler(Message);
        return;
    default:
        DefaultHandler(Message);
    }
}

void TControl::HandleMouseButton(TMessage& Message, TMouseButton Button, bool down, bool dbl) {
    DefaultHandler(Message);
    Message.Result = 0;
    TShiftState shift = MouseShiftState(Message.WParam);
    const int x = SignedLow(Message.LParam);
    const int y = SignedHigh(Message.LParam);
    if (down) {
        HintMousePressed();
        if (Button == mbLeft) {
            if (ControlStyle.Contains(csCaptureMouse))
                SetMouseCapture(true);
            if (dbl) {
                if (ControlStyle.Contains(csClickEvents))
                    DblClick();
            } else if (ControlStyle.Contains(csClickEvents)) {
                m_clicked = true;
            }
        }
        if (dbl)
            shift |= ssDouble;
        MouseDown(Button, shift, x, y);
        return;
    }
    if (Button == mbLeft) {
        if (ControlStyle.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (m_clicked) {
            m_clicked = false;
            const TRect client = ClientRect();
            // The click comes before MouseUp, so OnClick sees the control still pressed.
            if (x >= client.Left && x < client.Right && y >= client.Top && y < client.Bottom)
                Click();
        }
    }
    MouseUp(Button, shift, x, y);
}

void TControl::DefaultHandler(TMessage& Message) {
    Message.Result = 0;
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
    else if (TAction* action = Action())
        action->Execute();
}

void TControl::SetPopupMenu(TPopupMenu* value) {
    if (value == m_popupMenu)
        return;
    if (m_popupMenu)
        RemoveFreeNotification(m_popupMenu);
    m_popupMenu = value;
    if (value)
        FreeNotification(value);
}

TAction* TControl::Action() const {
    return m_actionLink ? m_actionLink->Action() : nullptr;
}

void TControl::SetAction(TAction* value) {
    if (!value) {
        m_actionLink.reset();
        return;
    }
    if (!m_actionLink)
        m_actionLink =
            std::make_unique<TActionLink>(TNotifyEvent(this, &TControl::ActionLinkChanged));
    m_actionLink->SetAction(value);
}

void TControl::ActionLinkChanged(TObject* Sender) {
    ActionChange(static_cast<TAction*>(Sender));
}

void TControl::ActionChange(TAction* Sender) {
    SetText(Sender->Caption());
    SetEnabled(Sender->Enabled());
    SetVisible(Sender->Visible());
    SetHint(Sender->Hint());
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == m_popupMenu)
        m_popupMenu = nullptr;
}

void TControl::DoContextPopup(const TPoint& MousePos, bool& Handled) {
    if (OnContextPopup)
        OnContextPopup(this, MousePos, Handled);
}

bool TControl::ContextMenu(TMessage& Message) {
    const TPoint screen(SignedLow(Message.LParam), SignedHigh(Message.LParam));
    const bool fromKeyboard = screen.x == -1 && screen.y == -1;
    // A window hears for its windowless children: the one under the pointer comes first.
    if (auto* window = dynamic_cast<TWinControl*>(this); window && !fromKeyboard) {
        TControl* child = window->ControlAtPos(ScreenToClient(screen), false);
        if (child && child->ContextMenu(Message))
            return true;
    }
    bool handled = false;
    DoContextPopup(fromKeyboard ? TPoint(-1, -1) : ScreenToClient(screen), handled);
    if (!handled && m_popupMenu) {
        // From the keyboard the menu opens at the control's top-left corner.
        const TPoint at = fromKeyboard ? ClientToScreen(TPoint(0, 0)) : screen;
        m_popupMenu->SetPopupComponent(this);
        m_popupMenu->Popup(at.x, at.y);
        handled = true;
    }
    Message.Result = handled ? 1 : 0;
    return handled;
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

bool TControl::CanResize(int&, int&) {
    return true;
}

void TControl::PaintControl(HDC) {}
