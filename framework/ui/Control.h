#pragma once
#include <memory>

#include "framework/core/AnsiString.h"
#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/Types.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/Anchors.h"
#include "framework/ui/DragDrop.h"
#include "framework/win/Win.h"

class TFont;
class TSizeConstraints;
class TWinControl;
class TCustomForm;
class TAction;
class TActionLink;
class TPopupMenu;

// A window message as the framework's controls dispatch it.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// What a control is and how the framework treats it.
enum TControlStyleFlag : unsigned {
    csAcceptsControls = 1u << 0, // may be the parent of other controls
    csCaptureMouse = 1u << 1,    // holds the mouse while the left button is down on it
    csClickEvents = 1u << 2,     // a press and release inside fires Click
    csOpaque = 1u << 3,          // paints its whole area: no background is painted under it
    csDoubleClicks = 1u << 4,    // a quick second press is a double click
    csSetCaption = 1u << 5,      // the name becomes the caption while the caption is unset
    csFixedWidth = 1u << 6,
    csFixedHeight = 1u << 7,
    csReplicatable = 1u << 8,
    csNoStdEvents = 1u << 9,
};

// A set of TControlStyleFlag values.
class TControlStyle {
public:
    TControlStyle() = default;
    TControlStyle(unsigned bits) : m_bits(bits) {}
    bool Contains(TControlStyleFlag flag) const { return (m_bits & flag) != 0; }
    void Include(TControlStyleFlag flag) { m_bits |= flag; }
    void Exclude(TControlStyleFlag flag) { m_bits &= ~static_cast<unsigned>(flag); }
    TControlStyle& operator<<(TControlStyleFlag flag) {
        Include(flag);
        return *this;
    }
    TControlStyle& operator>>(TControlStyleFlag flag) {
        Exclude(flag);
        return *this;
    }
    unsigned Bits() const { return m_bits; }

private:
    unsigned m_bits = 0;
};

// Where a control sits in its parent's client area when the parent lays out its children.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Modal results of forms and buttons.
using TModalResult = int;
const TModalResult mrNone = 0;
const TModalResult mrOk = 1;
const TModalResult mrCancel = 2;
const TModalResult mrAbort = 3;
const TModalResult mrRetry = 4;
const TModalResult mrIgnore = 5;
const TModalResult mrYes = 6;
const TModalResult mrNo = 7;

// Framework-private messages (above WM_APP's range of the programs).
const UINT CM_BASE = 0xB000;
const UINT CM_RELEASE = CM_BASE + 1; // a form asked to free itself (Release)
const UINT CM_PARENTFONTCHANGED = CM_BASE + 2;

// Asked before a control's pop-up menu shows: MousePos is in client coordinates, (-1, -1)
// when the keyboard asked; setting Handled keeps the menu away.
using TContextPopupEvent = Closure<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// A control: a rectangle on its parent that paints and takes input. This class has no window
// of its own; its parent window paints it (PaintControl) and forwards its mouse messages to
// WndProc in the control's client coordinates. TWinControl adds a window.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return m_parent; }
    virtual void SetParent(TWinControl* AParent);

    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int value) { SetBounds(value, m_top, m_width, m_height); }
    void SetTop(int value) { SetBounds(m_left, value, m_width, m_height); }
    void SetWidth(int value) { SetBounds(m_left, m_top, value, m_height); }
    void SetHeight(int value) { SetBounds(m_left, m_top, m_width, value); }
    // Moves and sizes the control in its parent's client coordinates.
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return TRect(m_left, m_top, m_left + m_width, m_top + m_height); }
    void SetBoundsRect(const TRect& rect) {
        SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    }

    // The client area: (0, 0, ClientWidth, ClientHeight).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int value) { SetClientSize(value, ClientHeight()); }
    void SetClientHeight(int value) { SetClientSize(ClientWidth(), value); }
    virtual void SetClientSize(int AWidth, int AHeight);
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(const TPoint& point) const;
    TPoint ScreenToClient(const TPoint& point) const;

    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all of its parents (a form: its window is shown).
    virtual bool Showing() const;

    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool value);

    TAlign Align() const { return m_align; }
    void SetAlign(TAlign value);

    // The caption (or text) of the control.
    AnsiString GetText() const;
    void SetText(const AnsiString& value);
    AnsiString Caption() const { return GetText(); }
    void SetCaption(const AnsiString& value) { SetText(value); }
    void SetName(const AnsiString& name) override;

    // The control's own font (owned). While ParentFont is true it follows the parent's font;
    // changing the font makes ParentFont false.
    TFont* Font() const { return m_font.get(); }
    void SetFont(TFont* value);
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool value);

    TColor Color() const { return m_color; }
    virtual void SetColor(TColor value);
    bool ParentColor() const { return m_parentColor; }
    void SetParentColor(bool value);

    bool MouseCapture() const;
    void SetMouseCapture(bool value);

    // Painting: Invalidate marks the control's area for painting, Update paints what is
    // marked now, Repaint does both.
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Puts the control above (or below) its siblings of the same kind.
    void BringToFront();
    void SendToBack();

    // Sends a message straight to WndProc and returns its result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The dispatch point of every message the control receives.
    virtual void WndProc(TMessage& Message);

    // Hints, help and the pointer's shape (Hints.cpp, Help.cpp, Cursors.cpp).
    AnsiString Hint() const { return m_hint; }
    void SetHint(const AnsiString& value) { m_hint = value; }
    // While ParentShowHint is true ShowHint follows the parent's; setting ShowHint makes
    // ParentShowHint false.
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    bool ParentShowHint() const { return m_parentShowHint; }
    void SetParentShowHint(bool value);
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }
    TCursor Cursor() const { return m_cursor; }
    void SetCursor(TCursor value);

    // Pop-up menu and action: the menu shows on a right click, Shift+F10 or the menu key,
    // unless OnContextPopup takes the request first; a linked action gives the control its
    // caption, enabled and visible state and hint, and runs on a click when OnClick is unset.
    TPopupMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(TPopupMenu* value);
    TAction* Action() const;
    void SetAction(TAction* value);
    TContextPopupEvent OnContextPopup;

    int Tag = 0;
    TControlStyle ControlStyle;

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseMoveEvent OnMouseMove;
    TMouseEvent OnMouseUp;
    TNotifyEvent OnResize;

    // Layout and drag and drop: anchors, size constraints, dragging, docking.
    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors value);
    TSizeConstraints* Constraints() const { return m_constraints.get(); }
    void SetConstraints(TSizeConstraints* value);
    // Takes the distances to the parent's sides from the current bounds (Anchors.cpp).
    void UpdateAnchorRules();
    // The constraints changed: the current size is brought within them.
    void ConstraintsChanged();
    TDragMode DragMode() const { return m_dragMode; }
    void SetDragMode(TDragMode value) { m_dragMode = value; }
    TDragKind DragKind() const { return m_dragKind; }
    void SetDragKind(TDragKind value) { m_dragKind = value; }
    TCursor DragCursor() const { return m_dragCursor; }
    void SetDragCursor(TCursor value) { m_dragCursor = value; }
    // Starts a drag of this control: at once, or once the pointer has moved Threshold pixels
    // (-1: the default) with the left button held (DragDrop.cpp).
    void BeginDrag(bool Immediate, int Threshold = -1);
    void EndDrag(bool Drop);
    bool Dragging() const;
    // Asked by a drag over this control; accepts only through OnDragOver.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    virtual void DragDrop(TObject* Source, int X, int Y);
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;
    TEndDragEvent OnEndDock;
    TEndDragEvent OnEndDrag;
    TStartDockEvent OnStartDock;
    TStartDragEvent OnStartDrag;

protected:
    friend class TWinControl;

    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // OnClick when set, else the linked action.
    virtual void Click();
    virtual void DblClick();
    virtual void DoContextPopup(const TPoint& MousePos, bool& Handled);
    // The linked action changed, or was just linked: the control takes its state.
    virtual void ActionChange(TAction* Sender);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Fires OnResize after the size changed (not while the control is being loaded).
    virtual void Resize();
    void Loaded() override;
    // Asked before an existing control is sized; may change the size or refuse it.
    virtual bool CanResize(int& NewWidth, int& NewHeight);
    // A windowless control paints itself here; the DC's origin is the control's top-left
    // corner and it is clipped to the control.
    virtual void PaintControl(HDC DC);
    virtual void TextChanged();
    virtual void FontChanged();
    virtual void ColorChanged() { Invalidate(); }
    virtual void VisibleChanged();
    virtual void EnabledChanged() { Invalidate(); }
    // The default handling of a message no handler took.
    virtual void DefaultHandler(TMessage& Message);
    // Brings a new font in from the parent (ParentFont) and passes it on.
    virtual void ParentFontChanged();
    void ParentColorChanged();
    // Invalidates the control's rectangle on its parent.
    void InvalidateControl(bool erase);

    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;

private:
    void MoveInZOrder(bool toFront);
    void HandleMouseButton(TMessage& Message, TMouseButton Button, bool down, bool dbl);
    void FontChangeHandler(TObject* Sender);
    // WM_CONTEXTMENU: true when this control or a windowless child under the pointer took it.
    bool ContextMenu(TMessage& Message);
    void ActionLinkChanged(TObject* Sender);

    TWinControl* m_parent = nullptr;
    bool m_visible = true;
    bool m_enabled = true;
    bool m_clicked = false;
    TAlign m_align = alNone;
    AnsiString m_text;
    std::unique_ptr<TFont> m_font;
    bool m_parentFont = true;
    bool m_changingFont = false;
    TColor m_color = clWindow;
    bool m_parentColor = false;

    // Hints, help, the pointer's shape, the pop-up menu and the action.
    void ParentShowHintChanged();
    void PassShowHintOn();

    AnsiString m_hint;
    bool m_showHint = false;
    bool m_parentShowHint = true;
    int m_helpContext = 0;
    TCursor m_cursor = crDefault;
    TPopupMenu* m_popupMenu = nullptr;
    std::unique_ptr<TActionLink> m_actionLink;

    // Layout and drag and drop: anchors, size constraints, dragging, docking.
    TAnchors m_anchors = kDefaultAnchors;
    TAnchorRule m_anchorRule;
    std::unique_ptr<TSizeConstraints> m_constraints;
    TDragMode m_dragMode = dmManual;
    TDragKind m_dragKind = dkDrag;
    TCursor m_dragCursor = crDrag;
};

// The shift state of a mouse message's WParam (plus the Alt key).
TShiftState MouseShiftState(WPARAM keys);
// The shift state from the keyboard's current state.
TShiftState KeyboardShiftState();

// The control that holds the mouse (the left button went down on it), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);

// The form a control lies on: the nearest form among the control and its parents, or null.
TCustomForm* GetParentForm(TControl* control);
