#include "KxPackage/Source/KxControl.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include <vector>

#include "framework/core/ScopeGuard.h"
#include "framework/streaming/Published.h"
#include "framework/ui/FrameworkClasses.h"

// ---- KxControl -------------------------------------------------------------------------

KxControl::KxControl(TComponent* AOwner, bool clicksDisabled)
    : TWinControl(AOwner), ClicksDisabled(clicksDisabled) {
    ControlStyle.Include(csOpaque);
}

bool KxControl::GetChecked() {
    return false;
}

void KxControl::SetChecked(bool) {}

void KxControl::ShowRaised() {}

void KxControl::ShowDisabled() {
    ShowRaised();
}

void KxControl::ShowFocused() {
    ShowRaised();
}

void KxControl::ShowSunken() {
    ShowRaised();
}

bool KxControl::IsInside(int X, int Y) {
    return X >= 0 && X < Width() && Y >= 0 && Y < Height();
}

void KxControl::WMMouseLeave(TMessage&) {
    if (FMouseInside)
        DoMouseLeave();
}

void KxControl::SetShowMouseOver(bool value) {
    if (value == ShowMouseOver)
        return;
    if (!value)
        CancelMouseOver();
    ShowMouseOver = value;
}

void KxControl::SetClicksDisabled(bool value) {
    if (value == ClicksDisabled)
        return;
    if (value)
        CancelPress();
    ClicksDisabled = value;
}

void KxControl::BeginPress() {
    if (!Focused() && TabStop())
        SetFocus();
    ShowSunken();
}

void KxControl::EndPress() {
    if (IsHot() || Focused())
        ShowFocused();
    else
        ShowRaised();
}

void KxControl::CancelPress() {
    if (!IsPressed())
        return;
    EndPress();
    FMousePressed = false;
    FKeyPressed = false;
}

void KxControl::CancelMouseOver() {
    if (!FMouseInside)
        return;
    FMouseInside = false;
    if (!FMousePressed && !Focused() && ShowMouseOver)
        ShowRaised();
}

void KxControl::CancelMouseMode() {
    if (!FMousePressed)
        return;
    FMousePressed = false;
    if (!FKeyPressed)
        EndPress();
}

void KxControl::DoMouseEnter(bool leftButtonDown) {
    if (leftButtonDown) {
        BeginPress();
        FMousePressed = true;
    } else if (ShowMouseOver && !Focused()) {
        ShowFocused();
    }
    FMouseInside = true;
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void KxControl::DoMouseLeave() {
    FMouseInside = false;
    if (FMousePressed) {
        // A press dragged off: the press ends, but the pointer has not really left the
        // control for good, so no leave event.
        FMousePressed = false;
        if (!FKeyPressed)
            EndPress();
        return;
    }
    if (!Focused() && ShowMouseOver)
        ShowRaised();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void KxControl::SetEnabled(bool value) {
    if (value == Enabled())
        return;
    if (value) {
        ShowRaised();
    } else {
        CancelMouseMode();
        CancelPress();
        CancelMouseOver();
        ShowDisabled();
    }
    TWinControl::SetEnabled(value);
}

void KxControl::WndProc(TMessage& Message) {
    if (Message.Msg == WM_MOUSELEAVE) {
        WMMouseLeave(Message);
        return;
    }
    if (Message.Msg == WM_CANCELMODE)
        CancelMouseMode();
    // The framework lets go of the capture itself (a release) only after clearing its
    // holder, so a holder still set here means the capture was taken away.
    if (Message.Msg == WM_CAPTURECHANGED && reinterpret_cast<HWND>(Message.LParam) != Handle()) {
        const TControl* holder = GetCaptureControl();
        if (holder && (holder == this || holder->Parent() == this))
            CancelMouseMode();
    }
    TWinControl::WndProc(Message);
}

void KxControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && IsInside(X, Y) && !ClicksDisabled) {
        FMousePressed = true;
        if (!FKeyPressed)
            BeginPress();
    }
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void KxControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (ShowMouseOver || !ClicksDisabled) {
        TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, Handle(), HOVER_DEFAULT};
        TrackMouseEvent(&track);
        const bool inside = IsInside(X, Y);
        if (inside && !FMouseInside)
            DoMouseEnter((Shift & ssLeft) != 0);
        else if (!inside && FMouseInside)
            DoMouseLeave();
    }
    TWinControl::MouseMove(Shift, X, Y);
}

void KxControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbLeft && !ClicksDisabled) {
        if (!FKeyPressed && FMousePressed)
            EndPress();
        FMousePressed = false;
    }
    TWinControl::MouseUp(Button, Shift, X, Y);
}

void KxControl::DoEnter() {
    if (!IsPressed() && !IsHot())
        ShowFocused();
    TWinControl::DoEnter();
}

void KxControl::DoExit() {
    // Disabling the focused control takes the focus away from it: the disabled look stays.
    if (!Enabled()) {
        TWinControl::DoExit();
        return;
    }
    if (IsPressed()) {
        if (!FMousePressed)
            EndPress();
        // The key's release goes to the window that has the focus now; a flag left set
        // would keep the control pressed after the mouse lets go.
        FKeyPressed = false;
    } else if (!IsHot()) {
        ShowRaised();
    }
    TWinControl::DoExit();
}

void KxControl::KeyDown(unsigned short& Key, TShiftState Shift) {
    if (!ClicksDisabled && (Key == VK_SPACE || Key == VK_RETURN)) {
        FKeyPressed = true;
        if (!FMousePressed)
            BeginPress();
    }
    TWinControl::KeyDown(Key, Shift);
}

void KxControl::KeyUp(unsigned short& Key, TShiftState Shift) {
    if (!ClicksDisabled && (Key == VK_SPACE || Key == VK_RETURN)) {
        // While the mouse still holds the press the look stays; the mouse's release ends
        // it, which it could not do with the key's flag left set.
        if (!FMousePressed && FKeyPressed)
            EndPress();
        FKeyPressed = false;
    }
    TWinControl::KeyUp(Key, Shift);
}

// ---- KxCustomControl -------------------------------------------------------------------

KxCustomControl::KxCustomControl(TComponent* AOwner, bool clicksDisabled, int stateCount)
    : KxControl(AOwner, clicksDisabled) {
    FLedCtrl = std::make_unique<tessel::TBmpLEDCtrl>(this, this, stateCount);
    FRegion = std::make_unique<tessel::WinRegion>();
    FSavedBitmapChange = FLedCtrl->Bitmap(0)->OnChange;
    for (int i = 0; i < FLedCtrl->StateCount(); ++i)
        FLedCtrl->Bitmap(i)->OnChange = TNotifyEvent(this, &KxCustomControl::StateBitmapChanged);
}

// The display (with its image and bitmaps) goes first, then the shape; the windowed
// control's own destruction follows.
KxCustomControl::~KxCustomControl() {
    FLedCtrl.reset();
    FRegion.reset();
}

void KxCustomControl::ShowBitmap(int state) {
    FCurState = state;
    int shown = state;
    while (shown != 0 && IsStateEmpty(shown))
        shown = Substitute(shown);
    FLedCtrl->SetState(shown);
}

int KxCustomControl::Substitute(int) {
    return 0;
}

void KxCustomControl::SetTransparent(bool value) {
    if (value == GetTransparent())
        return;
    FLedCtrl->SetTransparent(value);
    UpdateRegion();
}

void KxCustomControl::SetTransparentColor(TColor value) {
    FLedCtrl->SetTransparentColor(static_cast<TColor>(ColorToRGB(value) & 0xFFFFFF));
    UpdateRegion();
}

void KxCustomControl::ShowRaised() {
    ShowBitmap(0);
}

bool KxCustomControl::IsInside(int X, int Y) {
    return FRegion->Contains(X, Y);
}

void KxCustomControl::Repaint() {
    FLedCtrl->Update();
    KxControl::Repaint();
}

void KxCustomControl::WndProc(TMessage& Message) {
    // The display image covers the control: erasing first would only flicker.
    if (Message.Msg == WM_ERASEBKGND && !HasState(csDesigning)) {
        Message.Result = 1;
        return;
    }
    KxControl::WndProc(Message);
}

void KxCustomControl::SetStateBitmap(TBitmap* bitmap, int state) {
    if (state == 0 && bitmap)
        FLedCtrl->SetTransparentColor(bitmap->TransparentColor());
    FLedCtrl->SetBitmap(bitmap, state);
}

bool KxCustomControl::IsStateEmpty(int state) const {
    const TBitmap* bitmap = StateBitmap(state);
    return bitmap->Width() == 0 || bitmap->Height() == 0;
}

void KxCustomControl::StateBitmapChanged(TObject* Sender) {
    if (FBuildingRegion)
        return;
    int index = 0;
    while (index < StateCount() && StateBitmap(index) != Sender)
        ++index;
    if (index != 0) {
        // The display redraws the changed bitmap first, so that showing the state again
        // paints the text controls' caption over it rather than under it.
        if (FSavedBitmapChange)
            FSavedBitmapChange(Sender);
        if (index == FCurState)
            ShowBitmap(index);
        return;
    }
    TBitmap* bitmap = StateBitmap(0);
    const int width = bitmap->Width();
    const int height = bitmap->Height();
    FLedCtrl->Resize(width, height);
    Repaint();
    if (FSavedBitmapChange)
        FSavedBitmapChange(Sender);
    if (!IsStateEmpty(0))
        SetBounds(Left(), Top(), width, height);
    UpdateRegion();
}

bool KxCustomControl::CanResize(int& NewWidth, int& NewHeight) {
    const bool result = KxControl::CanResize(NewWidth, NewHeight);
    if (IsStateEmpty(0))
        return result;
    NewWidth = FLedCtrl->Width();
    NewHeight = FLedCtrl->Height();
    return true;
}

void KxCustomControl::Resize() {
    KxControl::Resize();
    UpdateRegion();
}

void KxCustomControl::HandleCreated() {
    KxControl::HandleCreated();
    UpdateRegion();
}

void KxCustomControl::BuildRegion() {
    if (!GetTransparent()) {
        FRegion->SetRect(0, 0, Width(), Height());
    } else if (IsStateEmpty(0)) {
        FRegion->SetRect(0, 0, 0, 0);
    } else {
        const FlagScope building(FBuildingRegion);
        FLedCtrl->MakeRegion(*FRegion, 0);
    }
}

void KxCustomControl::UpdateRegion() {
    BuildRegion();
    if (HasState(csDesigning))
        return;
    // A control without a window yet gets its shape when the window is made.
    if (!HandleAllocated())
        return;
    if (!GetTransparent() || IsStateEmpty(0))
        SetWindowRgn(Handle(), nullptr, TRUE);
    else
        tessel::ApplyWindowRegion(Handle(), *FRegion, true);
}

// ---- Appearance sets -------------------------------------------------------------------

void KxFourStateAppearance::AssignTo(TPersistent* dest) {
    auto* target = dynamic_cast<KxFourStateAppearance*>(dest);
    if (!target) {
        KxCtrlAppearance::AssignTo(dest);
        return;
    }
    target->SetRaisedBmp(GetRaisedBmp());
    target->SetSunkenBmp(GetSunkenBmp());
    target->SetFocusedBmp(GetFocusedBmp());
    target->SetDisabledBmp(GetDisabledBmp());
}

bool KxFourStateAppearance::LoadFromFiles(AnsiString folder, AnsiString raised, AnsiString sunken,
                                          AnsiString focused, AnsiString disabled) {
    const AnsiString names[] = {raised, sunken, focused, disabled};
    return LoadStateBitmaps(this, folder, names, 4, FFirstState);
}

bool LoadStateBitmaps(KxCtrlAppearance* set, AnsiString folder, const AnsiString names[], int count,
                      int firstState) {
    std::vector<std::unique_ptr<TBitmap>> loaded;
    for (int i = 0; i < count; ++i)
        loaded.push_back(std::make_unique<TBitmap>());
    // An empty folder has no last character: the string's range error, before any file.
    AnsiString prefix = folder;
    const char last = folder[folder.Length()];
    if (last != '\\' && last != ':')
        prefix += "\\";
    for (int i = 0; i < count; ++i)
        if (!names[i].IsEmpty())
            loaded[static_cast<size_t>(i)]->LoadFromFile(prefix + names[i]);
    for (int i = 0; i < count; ++i)
        if (!names[i].IsEmpty())
            set->SetBitmap(loaded[static_cast<size_t>(i)].get(), firstState + i);
    return true;
}

// ---- Caption colour sets ---------------------------------------------------------------

void KxCtrlFontColor::Changed() {
    if (FOnChange)
        FOnChange(this);
}

void KxCtrlFontColor::SetColor(TColor& field, TColor value) {
    if (value == field)
        return;
    field = value;
    Changed();
}

void KxTwoStateFontColor::AssignTo(TPersistent* dest) {
    auto* target = dynamic_cast<KxTwoStateFontColor*>(dest);
    if (!target) {
        KxCtrlFontColor::AssignTo(dest);
        return;
    }
    target->Focused = Focused;
    target->Disabled = Disabled;
    target->Changed();
}

void KxThreeStateFontColor::AssignTo(TPersistent* dest) {
    auto* target = dynamic_cast<KxThreeStateFontColor*>(dest);
    if (!target) {
        KxCtrlFontColor::AssignTo(dest);
        return;
    }
    target->Sunken = Sunken;
    target->Focused = Focused;
    target->Disabled = Disabled;
    target->Changed();
}

// ---- Published properties --------------------------------------------------------------

namespace {
void PublishKxControlClassesOnce() {
    RegisterFrameworkClasses();
    PublishedClass<KxControl>("KxControl", "TWinControl")
        .Event("OnMouseEnter", &KxControl::OnMouseEnter)
        .Event("OnMouseLeave", &KxControl::OnMouseLeave);
    PublishedClass<KxCustomControl>("KxCustomControl", "KxControl")
        .Color("TransparentColor", &KxCustomControl::GetTransparentColor,
               &KxCustomControl::SetTransparentColor, 0)
        .Bool("Transparent", &KxCustomControl::GetTransparent, &KxCustomControl::SetTransparent,
              false);

    PublishedClass<KxCtrlAppearance>("KxCtrlAppearance");
    PublishedClass<KxFourStateAppearance>("KxFourStateAppearance", "KxCtrlAppearance")
        .Object("RaisedBmp", &KxFourStateAppearance::GetRaisedBmp)
        .Object("SunkenBmp", &KxFourStateAppearance::GetSunkenBmp)
        .Object("FocusedBmp", &KxFourStateAppearance::GetFocusedBmp)
        .Object("DisabledBmp", &KxFourStateAppearance::GetDisabledBmp);

    PublishedClass<KxCtrlFontColor>("KxCtrlFontColor");
    PublishedClass<KxTwoStateFontColor>("KxTwoStateFontColor", "KxCtrlFontColor")
        .Color("Focused", &KxTwoStateFontColor::GetFocused, &KxTwoStateFontColor::SetFocused, -1)
        .Color("Disabled", &KxTwoStateFontColor::GetDisabled, &KxTwoStateFontColor::SetDisabled,
               -1);
    PublishedClass<KxThreeStateFontColor>("KxThreeStateFontColor", "KxCtrlFontColor")
        .Color("Sunken", &KxThreeStateFontColor::GetSunken, &KxThreeStateFontColor::SetSunken, -1)
        .Color("Focused", &KxThreeStateFontColor::GetFocused, &KxThreeStateFontColor::SetFocused,
               -1)
        .Color("Disabled", &KxThreeStateFontColor::GetDisabled, &KxThreeStateFontColor::SetDisabled,
               -1);
}
} // namespace

void PublishKxControlClasses() {
    static const bool registered = (PublishKxControlClassesOnce(), true);
    (void)registered;
}
