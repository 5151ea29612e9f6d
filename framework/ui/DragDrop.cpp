#include "framework/ui/DragDrop.h"

#include <cstdlib>

#include "framework/core/Exceptions.h"
#include "framework/ui/Form.h"
#include "framework/ui/WinControl.h"

namespace {
// The pointer must move this far from where the button went down before a drag starts.
const int kDefaultDragThreshold = 5;

// The one drag in progress.
struct DragSession {
    TControl* source = nullptr;
    TDragObject* object = nullptr; // the handler's own drag object, not owned
    bool dock = false;
    bool started = false; // the pointer passed the threshold
    int threshold = kDefaultDragThreshold;
    HWND captureWindow = nullptr;
    TPoint startPos; // screen
    TPoint grab;     // where the source was taken, in its client coordinates
    TPoint pos;      // screen, at the last step
    TControl* target = nullptr;
    bool accepted = false;
};
DragSession g_drag;

// The framework control of a window, or of its nearest ancestor that is one.
TWinControl* ControlOfWindow(HWND window) {
    HWND desktop = GetDesktopWindow();
    for (; window && window != desktop; window = GetAncestor(window, GA_PARENT)) {
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)) ==
            FrameworkWindowProc)
            return reinterpret_cast<TWinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    return nullptr;
}

TObject* SourceObject(const DragSession& drag) {
    return drag.object ? static_cast<TObject*>(drag.object) : drag.source;
}

// The control under a screen point: the deepest framework window there, or the windowless
// child of it under the point.
TControl* ControlAtScreen(const TPoint& screen) {
    TWinControl* window = ControlOfWindow(WindowFromPoint(POINT{screen.x, screen.y}));
    if (!window)
        return nullptr;
    if (TControl* child = window->ControlAtPos(window->ScreenToClient(screen), false))
        return child;
    return window;
}

// A dock site under the point that may take the source: not the source nor inside it.
TControl* DockSiteAtScreen(const TPoint& screen, TControl* source) {
    TControl* control = ControlAtScreen(screen);
    auto* sourceWindow = dynamic_cast<TWinControl*>(source);
    for (; control; control = control->Parent()) {
        if (sourceWindow && sourceWindow->ContainsControl(control))
            return nullptr;
        if (auto* site = dynamic_cast<TWinControl*>(control))
            if (site->DockSite)
                return site;
    }
    return nullptr;
}

// Asks a target; it accepts only through a handler, which starts from yes.
bool AskTarget(TControl* target, TDragState state) {
    bool accept = false;
    const TPoint at = target->ScreenToClient(g_drag.pos);
    target->DragOver(SourceObject(g_drag), at.x, at.y, state, accept);
    return accept;
}

void ShowDragCursor() {
    SetCursor(DragCursorHandle(g_drag.accepted ? g_drag.source->DragCursor() : crNo));
}

// One step of the pointer: starts the drag past the threshold, then finds the target under
// the pointer and asks it.
void DragTo(const TPoint& screen) {
    g_drag.pos = screen;
    if (!g_drag.started) {
        if (std::abs(screen.x - g_drag.startPos.x) < g_drag.threshold &&
            std::abs(screen.y - g_drag.startPos.y) < g_drag.threshold)
            return;
        g_drag.started = true;
    }
    TControl* target =
        g_drag.dock ? DockSiteAtScreen(screen, g_drag.source) : ControlAtScreen(screen);
    if (target != g_drag.target) {
        TControl* previous = g_drag.target;
        g_drag.target = nullptr;
        g_drag.accepted = false;
        if (previous && !g_drag.dock)
            AskTarget(previous, dsDragLeave);
        if (!g_drag.source)
            return; // a handler ended the drag
        g_drag.target = target;
        const bool accepted = target && (g_drag.dock || AskTarget(target, dsDragEnter));
        if (g_drag.source)
            g_drag.accepted = accepted;
    } else if (target && !g_drag.dock) {
        const bool accepted = AskTarget(target, dsDragMove);
        if (g_drag.source)
            g_drag.accepted = accepted;
    }
    if (g_drag.source)
        ShowDragCursor();
}

// Ends the drag in progress: drops on an accepting target when asked to, tells the target
// it was left and the source how it ended.
void FinishDrag(bool drop) {
    const DragSession drag = g_drag;
    g_drag = DragSession();
    TControl* source = drag.source;
    if (source->MouseCapture())
        SetCaptureControl(nullptr);
    if (drag.started)
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    TControl* target = drag.target;
    const bool dropped = drop && drag.started && target && drag.accepted;
    TPoint at;
    if (dropped)
        at = target->ScreenToClient(drag.pos);
    if (drag.dock) {
        if (dropped) {
            source->SetParent(static_cast<TWinControl*>(target));
            source->SetBounds(at.x - drag.grab.x, at.y - drag.grab.y, source->Width(),
                              source->Height());
        }
        if (source->OnEndDock)
            source->OnEndDock(source, dropped ? target : nullptr, at.x, at.y);
        return;
    }
    if (target) {
        bool ignored = false;
        const TPoint leaveAt = target->ScreenToClient(drag.pos);
        target->DragOver(SourceObject(drag), leaveAt.x, leaveAt.y, dsDragLeave, ignored);
    }
    if (dropped)
        target->DragDrop(SourceObject(drag), at.x, at.y);
    if (source->OnEndDrag)
        source->OnEndDrag(source, dropped ? target : nullptr, at.x, at.y);
}

TPoint MessageScreenPoint(HWND window, LPARAM lParam) {
    POINT point = {static_cast<short>(LOWORD(static_cast<DWORD>(lParam))),
                   static_cast<short>(HIWORD(static_cast<DWORD>(lParam)))};
    ClientToScreen(window, &point);
    return TPoint(point.x, point.y);
}
} // namespace

HCURSOR DragCursorHandle(TCursor cursor) {
    return CursorHandle(cursor);
}

TControl* DragSourceControl() {
    return g_drag.source;
}

bool DragFilterMessage(TWinControl* window, TMessage& Message) {
    if (!g_drag.source)
        return false;
    if (Message.Msg == WM_KEYDOWN && Message.WParam == VK_ESCAPE) {
        FinishDrag(false);
        Message.Result = 0;
        return true;
    }
    if (!window->HandleAllocated() || window->Handle() != g_drag.captureWindow)
        return false;
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        DragTo(MessageScreenPoint(g_drag.captureWindow, Message.LParam));
        break;
    case WM_LBUTTONUP:
        if (g_drag.started)
            DragTo(MessageScreenPoint(g_drag.captureWindow, Message.LParam));
        if (g_drag.source)
            FinishDrag(true);
        break;
    case WM_RBUTTONDOWN:
        FinishDrag(false);
        break;
    case WM_SETCURSOR:
        if (g_drag.started)
            ShowDragCursor();
        break;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
        // Someone else took the mouse: the drag cannot go on.
        if (Message.Msg == WM_CANCELMODE ||
            reinterpret_cast<HWND>(Message.LParam) != g_drag.captureWindow)
            FinishDrag(false);
        return false;
    default:
        if (Message.Msg < WM_MOUSEFIRST || Message.Msg > WM_MOUSELAST)
            return false;
    }
    Message.Result = 0;
    return true;
}

void DragControlDestroyed(TControl* control) {
    if (g_drag.target == control) {
        g_drag.target = nullptr;
        g_drag.accepted = false;
    }
    if (g_drag.source == control) {
        g_drag = DragSession();
        SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
    }
}

void TControl::BeginDrag(bool Immediate, int Threshold) {
    if (g_drag.source)
        return;
    if (m_dragKind != dkDock && dynamic_cast<TCustomForm*>(this))
        throw EInvalidOperation("Cannot drag a form");
    POINT cursor;
    GetCursorPos(&cursor);
    if (MouseCapture()) {
        // The press that starts the drag is over: it ends here, and it is no click.
        m_clicked = false;
        const TPoint at = ScreenToClient(TPoint(cursor.x, cursor.y));
        Perform(WM_LBUTTONUP, 0, MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    }
    g_drag = DragSession();
    g_drag.source = this;
    g_drag.dock = m_dragKind == dkDock;
    g_drag.threshold = Threshold < 0 ? kDefaultDragThreshold : Threshold;
    g_drag.startPos = g_drag.pos = TPoint(cursor.x, cursor.y);
    g_drag.grab = ScreenToClient(g_drag.startPos);
    TWinControl* window = dynamic_cast<TWinControl*>(this);
    if (!window)
        window = Parent();
    g_drag.captureWindow = window && window->HandleAllocated() ? window->Handle() : nullptr;
    SetCaptureControl(this);
    if (g_drag.dock) {
        TDragDockObject* object = nullptr;
        if (OnStartDock)
            OnStartDock(this, object);
        if (g_drag.source == this)
            g_drag.object = object;
    } else {
        TDragObject* object = nullptr;
        if (OnStartDrag)
            OnStartDrag(this, object);
        if (g_drag.source == this)
            g_drag.object = object;
    }
    if (Immediate && g_drag.source == this) {
        g_drag.started = true;
        DragTo(g_drag.pos);
    }
}

void TControl::EndDrag(bool Drop) {
    if (g_drag.source == this)
        FinishDrag(Drop);
}

bool TControl::Dragging() const {
    return g_drag.source == this;
}

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    Accept = false;
    if (OnDragOver) {
        Accept = true;
        OnDragOver(this, Source, X, Y, State, Accept);
    }
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
    if (OnDragDrop)
        OnDragDrop(this, Source, X, Y);
}
