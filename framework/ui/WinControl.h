#pragma once
#include <vector>

#include "framework/ui/Control.h"

LRESULT CALLBACK FrameworkWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// A handler that threw something other than the framework's Exception while the system was
// dispatching a message: the exception is kept and rethrown here (the application's message
// loop calls this after each message; tests that send messages directly may call it too).
void RethrowWindowProcException();

class Exception;
// Where the window procedure reports a framework Exception that a handler let out. The
// application object installs its report; with none installed the exception waits for
// RethrowWindowProcException like any other. Returns the hook it replaces.
using TWindowProcExceptionHook = void (*)(Exception* E);
TWindowProcExceptionHook SetWindowProcExceptionHook(TWindowProcExceptionHook hook);

// How a window is made: filled by CreateParams, used by CreateWnd.
struct TCreateParams {
    AnsiString Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
};

// A control with a window of its own, made on demand (Handle()). Its window paints its
// background (Color, unless csOpaque) and then its windowless children; mouse messages over
// a windowless child go to that child. A windowed control without a parent lives in the
// window given by SetParentWindow.
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, created when first asked for (with the parent's windows).
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    void HandleNeeded() { Handle(); }
    // A raw window to live in when the control has no parent control.
    HWND ParentWindow() const { return m_parentWindow; }
    void SetParentWindow(HWND value);

    // Children: windowless ones first (bottom to top), then windowed ones (in z-order).
    int ControlCount() const;
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    bool ContainsControl(TControl* control) const;
    // The topmost visible child at a client point; disabled windowless children are skipped
    // unless AllowDisabled.
    TControl* ControlAtPos(const TPoint& pos, bool AllowDisabled, bool AllowWinControls = false);

    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool value);
    // The position in the parent's tab list (-1 without a parent).
    int TabOrder() const;
    void SetTabOrder(int value);
    // The windowed controls below this one that take the focus with Tab, in tab order.
    void GetTabOrderList(std::vector<TWinControl*>& list);
    // Moves the focus to the next (or previous) control after `current` in tab order.
    void SelectNext(TWinControl* current, bool GoForward, bool CheckTabStop);

    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetEnabled(bool value) override;
    void SetColor(TColor value) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    void WndProc(TMessage& Message) override;

    // Lays out the children that have an Align other than alNone, then the anchored ones.
    void Realign();

    // Layout and docking: a dock site takes the controls of dkDock drags dropped on it.
    bool DockSite = false;
    // Moves and sizes the anchored children to the client area's size (Anchors.cpp).
    void AnchorChildren();

    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void KeyDown(unsigned short& Key, TShiftState Shift);
    virtual void KeyUp(unsigned short& Key, TShiftState Shift);
    virtual void KeyPress(char& Key);
    virtual void DoEnter();
    virtual void DoExit();
    // Whether this control takes the Tab key itself instead of passing the focus on.
    virtual bool WantsTabKey() const { return false; }

    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    // Destroys the window (and so the children's windows); the control keeps its state.
    void DestroyHandle();
    // Paints the window's own content between the background and the windowless children.
    virtual void PaintWindow(HDC DC);
    // Paints the windowless children that meet the DC's clip box.
    void PaintControls(HDC DC);
    virtual void EraseBackground(HDC DC);
    void DefaultHandler(TMessage& Message) override;
    void VisibleChanged() override;
    void TextChanged() override;
    void ParentFontChanged() override;
    void FontChanged() override;
    // Runs after the window was made (children's windows included).
    virtual void HandleCreated() {}

    // Brings the window's position into m_left .. m_height after the system moved it.
    // Returns whether the size changed.
    bool UpdateBounds();

private:
    friend class TControl;
    friend LRESULT CALLBACK FrameworkWindowProc(HWND, UINT, WPARAM, LPARAM);
    void CreateHandle();
    void CreateChildHandles();
    void ForgetHandle();
    bool RouteMouseToChild(TMessage& Message);
    static void TranslateDoubleClick(TMessage& Message, TControl* receiver);
    // The capture was taken away from a control of this window (not released by it).
    static void LoseCapture(TControl* holder);
    void HandleKey(TMessage& Message);
    void PaintHandler(TMessage& Message);
    void AlignChildren();
    void NotifyParentFont();
    TWinControl* TopLevel();

    HWND m_handle = nullptr;
    HWND m_parentWindow = nullptr;
    WNDPROC m_defaultProc = nullptr;
    std::vector<TControl*> m_controls;       // windowless children, bottom first
    std::vector<TWinControl*> m_winControls; // windowed children, in tab order
    bool m_tabStop = false;
    bool m_settingBounds = false;
    bool m_aligning = false;
    bool m_anchoring = false; // children's bounds set by anchoring keep their rules
};
