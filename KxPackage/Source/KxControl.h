#pragma once
#include <memory>

#include "framework/core/AnsiString.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/core/Color.h"
#include "framework/core/Persistent.h"
#include "framework/ui/WinControl.h"
#include "tessel/Component/TBmpLEDCtrl.h"
#include "tessel/Graphics/WinRegion.h"

// A windowed control that turns mouse, keyboard, focus and enable changes into four display
// calls (raised, sunken, focused, disabled) and tells when the pointer enters and leaves.
class KxControl : public TWinControl {
public:
    KxControl(TComponent* AOwner, bool clicksDisabled);

    // Hooks for the check box.
    virtual bool GetChecked();
    virtual void SetChecked(bool value);
    // The four looks; the base has only the raised one.
    virtual void ShowRaised();
    virtual void ShowDisabled();
    virtual void ShowFocused();
    virtual void ShowSunken();
    // Client coordinates.
    virtual bool IsInside(int X, int Y);
    virtual void WMMouseLeave(TMessage& Message);

    bool IsPressed() const { return FKeyPressed || FMousePressed; }
    bool IsHot() const { return ShowMouseOver && FMouseInside; }

    bool GetShowMouseOver() const { return ShowMouseOver; }
    void SetShowMouseOver(bool value);
    bool GetClicksDisabled() const { return ClicksDisabled; }
    void SetClicksDisabled(bool value);

    void SetEnabled(bool value) override;
    void WndProc(TMessage& Message) override;

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    void BeginPress();
    void EndPress();
    void CancelPress();
    void CancelMouseOver();
    // The mouse's release will not come here any more (the capture went to another window,
    // a mode was cancelled, the control was disabled): what a mouse press started ends now,
    // without a click.
    virtual void CancelMouseMode();
    void DoMouseEnter(bool leftButtonDown);
    void DoMouseLeave();

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoEnter() override;
    void DoExit() override;
    void KeyDown(unsigned short& Key, TShiftState Shift) override;
    void KeyUp(unsigned short& Key, TShiftState Shift) override;

    bool ShowMouseOver = true;
    bool FMouseInside = false;
    bool FKeyPressed = false;
    bool FMousePressed = false;
    bool ClicksDisabled;
};

// A KxControl that shows one of a fixed number of state bitmaps, takes the size of its
// state-0 bitmap and can cut its window to the pixels of that bitmap that are not of its
// transparent colour.
class KxCustomControl : public KxControl {
public:
    KxCustomControl(TComponent* AOwner, bool clicksDisabled, int stateCount);
    ~KxCustomControl() override;

    virtual void ShowBitmap(int state);
    // The state shown instead of an empty one; must lead to 0 eventually.
    virtual int Substitute(int state);
    virtual void SetTransparent(bool value);
    virtual void SetTransparentColor(TColor value);

    void ShowRaised() override;
    bool IsInside(int X, int Y) override;
    void Repaint() override;
    void WndProc(TMessage& Message) override;

    int StateCount() const { return FLedCtrl->StateCount(); }
    // The live bitmap of a state, owned by the display.
    TBitmap* StateBitmap(int state) const { return FLedCtrl->Bitmap(state); }
    void SetStateBitmap(TBitmap* bitmap, int state);
    bool IsStateEmpty(int state) const;
    // The state last asked for, before any substitution.
    int CurState() const { return FCurState; }
    // The display image's canvas; a caption painted here lasts until the next redraw.
    TCanvas* ImageCanvas() const { return FLedCtrl->Canvas(); }
    void RedrawImage() { FLedCtrl->Update(); }
    bool GetTransparent() const { return FLedCtrl->Transparent(); }
    // Plain RGB.
    TColor GetTransparentColor() const { return FLedCtrl->TransparentColor(); }

    void UpdateRegion();
    void BuildRegion();
    void StateBitmapChanged(TObject* Sender);

protected:
    bool CanResize(int& NewWidth, int& NewHeight) override;
    void Resize() override;
    // A window made after the shape was built gets it now.
    void HandleCreated() override;

    std::unique_ptr<tessel::TBmpLEDCtrl> FLedCtrl;
    int FCurState = 0;
    std::unique_ptr<tessel::WinRegion> FRegion;
    TNotifyEvent FSavedBitmapChange;

private:
    // Building the region converts the state-0 bitmap to 24 bits and back, which reports
    // two changes of it; they change no pixel and must not start another build.
    bool FBuildingRegion = false;
};

// Names a control's state bitmaps for the designer and the form description.
class KxCtrlAppearance : public TPersistent {
public:
    explicit KxCtrlAppearance(KxCustomControl* control) : FControl(control) {}

    TBitmap* GetBitmap(int state) const { return FControl->StateBitmap(state); }
    void SetBitmap(TBitmap* bitmap, int state) { FControl->SetStateBitmap(bitmap, state); }

protected:
    KxCustomControl* FControl;
};

// Raised, sunken, focused and disabled bitmaps from a first state on.
class KxFourStateAppearance : public KxCtrlAppearance {
public:
    KxFourStateAppearance(KxCustomControl* control, int firstState)
        : KxCtrlAppearance(control), FFirstState(firstState) {}

    TBitmap* GetRaisedBmp() const { return GetBitmap(FFirstState); }
    void SetRaisedBmp(TBitmap* value) { SetBitmap(value, FFirstState); }
    TBitmap* GetSunkenBmp() const { return GetBitmap(FFirstState + 1); }
    void SetSunkenBmp(TBitmap* value) { SetBitmap(value, FFirstState + 1); }
    TBitmap* GetFocusedBmp() const { return GetBitmap(FFirstState + 2); }
    void SetFocusedBmp(TBitmap* value) { SetBitmap(value, FFirstState + 2); }
    TBitmap* GetDisabledBmp() const { return GetBitmap(FFirstState + 3); }
    void SetDisabledBmp(TBitmap* value) { SetBitmap(value, FFirstState + 3); }

    // Reads every named file first, then sets the named states in order; an empty name
    // keeps its state. Returns true; a file that cannot be read raises and changes nothing.
    bool LoadFromFiles(AnsiString folder, AnsiString raised, AnsiString sunken, AnsiString focused,
                       AnsiString disabled);

protected:
    void AssignTo(TPersistent* dest) override;

    int FFirstState;
};

bool LoadStateBitmaps(KxCtrlAppearance* set, AnsiString folder, const AnsiString names[], int count,
                      int firstState);

// Caption colours per look; -1 means the look has none of its own.
class KxCtrlFontColor : public TPersistent {
public:
    KxCtrlFontColor() = default;
    ~KxCtrlFontColor() override { FOnChange = nullptr; }
    KxCtrlFontColor(const KxCtrlFontColor&) = delete;
    KxCtrlFontColor& operator=(const KxCtrlFontColor&) = delete;

    // The owning control's hook.
    TNotifyEvent FOnChange;

    void Changed();

protected:
    void SetColor(TColor& field, TColor value);
};

class KxTwoStateFontColor : public KxCtrlFontColor {
public:
    TColor GetFocused() const { return Focused; }
    void SetFocused(TColor value) { SetColor(Focused, value); }
    TColor GetDisabled() const { return Disabled; }
    void SetDisabled(TColor value) { SetColor(Disabled, value); }

protected:
    void AssignTo(TPersistent* dest) override;

    TColor Focused = -1;
    TColor Disabled = -1;
};

class KxThreeStateFontColor : public KxCtrlFontColor {
public:
    TColor GetSunken() const { return Sunken; }
    void SetSunken(TColor value) { SetColor(Sunken, value); }
    TColor GetFocused() const { return Focused; }
    void SetFocused(TColor value) { SetColor(Focused, value); }
    TColor GetDisabled() const { return Disabled; }
    void SetDisabled(TColor value) { SetColor(Disabled, value); }

protected:
    void AssignTo(TPersistent* dest) override;

    TColor Sunken = -1;
    TColor Focused = -1;
    TColor Disabled = -1;
};

