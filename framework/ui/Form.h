#pragma once
#include "framework/ui/WinControl.h"

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TFormStateFlag : unsigned { fsCreating = 1u << 0, fsVisible = 1u << 1, fsModal = 1u << 2 };

using TCloseEvent = Closure<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = Closure<void(TObject* Sender, bool& CanClose)>;

// A top-level window, owned by the application's hidden window. A form starts hidden; Show
// fires OnShow before the window appears. Closing the application's main form ends the
// application's message loop; ShowModal runs a loop of its own until ModalResult is set.
// The constructor reads nothing: a derived form calls the form reader after it.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle value);

    // Kept for the form description; the form is never rescaled.
    bool Scaled() const { return m_scaled; }
    void SetScaled(bool value) { m_scaled = value; }
    int PixelsPerInch() const { return m_pixelsPerInch; }
    void SetPixelsPerInch(int value) { m_pixelsPerInch = value; }
    int TextHeight() const { return m_textHeight; }
    void SetTextHeight(int value) { m_textHeight = value; }
    bool OldCreateOrder() const { return m_oldCreateOrder; }
    void SetOldCreateOrder(bool value) { m_oldCreateOrder = value; }

    // Sizes the window so that its client area is exactly AWidth x AHeight.
    void SetClientSize(int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override;

    void Close();
    bool CloseQuery();
    // Frees the form once the messages already queued for it have been handled.
    void Release();
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult value) { m_modalResult = value; }
    // Shows the form, disables the application's other windows and handles messages until
    // ModalResult is not mrNone (or the form is closed); returns ModalResult.
    virtual TModalResult ShowModal();
    unsigned FormState() const { return m_formState; }

    // The control that has (or last had) the focus on this form.
    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    bool Active() const;
    // Told by the form's windowed controls: one took the focus; one left the form (taken off
    // its parent or destroyed), and with it the active control if that was it or inside it.
    void ControlFocused(TWinControl* control);
    void ControlRemoved(TWinControl* control);

    void SetFocus() override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);
    void CreateParams(TCreateParams& Params) override;
    void VisibleChanged() override;
    void HandleCreated() override;
    // The frame's extra size around the client area for the current border style.
    SIZE FrameSize() const;

private:
    void FocusFirstControl();

    TFormBorderStyle m_borderStyle = bsSizeable;
    bool m_scaled = true;
    int m_pixelsPerInch = 96;
    int m_textHeight = 13;
    bool m_oldCreateOrder = false;
    TModalResult m_modalResult = mrNone;
    unsigned m_formState = 0;
    TWinControl* m_activeControl = nullptr;
};

// The forms of the programs derive from TForm.
class TForm : public TCustomForm {
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
