#pragma once
#include <memory>

#include "KxPackage/Source/KxControl.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class KxCheckBox;

// The check box's twelve bitmaps as three four-state sets: unchecked (states 0-3), checked
// (4-7) and grayed (8-11).
class KxChkBoxAppearance : public TPersistent {
public:
    explicit KxChkBoxAppearance(KxCheckBox* checkBox);
    ~KxChkBoxAppearance() override;
    KxChkBoxAppearance(const KxChkBoxAppearance&) = delete;
    KxChkBoxAppearance& operator=(const KxChkBoxAppearance&) = delete;

    KxFourStateAppearance* GetCheck() const { return FCheck.get(); }
    void SetCheck(KxFourStateAppearance* value) { FCheck->Assign(value); }
    KxFourStateAppearance* GetUncheck() const { return FUncheck.get(); }
    void SetUncheck(KxFourStateAppearance* value) { FUncheck->Assign(value); }
    KxFourStateAppearance* GetGray() const { return FGray.get(); }
    void SetGray(KxFourStateAppearance* value) { FGray->Assign(value); }

protected:
    // Unchecked, checked, grayed.
    void AssignTo(TPersistent* dest) override;

    std::unique_ptr<KxFourStateAppearance> FCheck;
    std::unique_ptr<KxFourStateAppearance> FUncheck;
    std::unique_ptr<KxFourStateAppearance> FGray;
};

// A check box drawn from bitmaps: three check states, each with the package's four looks. A
// click or the Space character moves it to the next check state. A missing bitmap falls back
// to the raised bitmap of its group, then to the unchecked raised one.
class KxCheckBox : public KxCustomControl {
public:
    explicit KxCheckBox(TComponent* AOwner);
    ~KxCheckBox() override;

    // Each reads the named files from folder (an empty name keeps that state); see
    // KxFourStateAppearance::LoadFromFiles.
    bool LoadChecked(AnsiString folder, AnsiString raised, AnsiString sunken, AnsiString focused,
                     AnsiString disabled);
    bool LoadUnchecked(AnsiString folder, AnsiString raised, AnsiString sunken, AnsiString focused,
                       AnsiString disabled);
    bool LoadGrayed(AnsiString folder, AnsiString raised, AnsiString sunken, AnsiString focused,
                    AnsiString disabled);

    bool GetChecked() override;
    // A grayed box set to false becomes unchecked; no event fires.
    void SetChecked(bool value) override;
    void ShowRaised() override;
    void ShowSunken() override;
    void ShowFocused() override;
    void ShowDisabled() override;
    // The raised state of the state's group; 0 for a raised state.
    int Substitute(int state) override;

    // look: 0 raised, 1 sunken, 2 focused, 3 disabled; the group follows State.
    void ShowChkboxBmp(int look);
    TCheckBoxState GetState() const { return State; }
    // Keeps the look, moves it to the new group; no event fires.
    void SetState(TCheckBoxState value);
    KxChkBoxAppearance* GetAppearance() const { return FAppearance.get(); }
    void SetAppearance(KxChkBoxAppearance* value);
    // The OnChange handler of every state bitmap.
    void BitmapChanged(TObject* Sender);

    // Puts KxCheckBox on the designer's palette page "KxComponents".
    static void Register();

    bool GetAllowGrayed() const { return AllowGrayed; }
    void SetAllowGrayed(bool value) { AllowGrayed = value; }

protected:
    // The next check state is shown before OnClick fires.
    void Click() override;
    void KeyPress(char& Key) override;

    TCheckBoxState State = cbUnchecked;
    std::unique_ptr<KxChkBoxAppearance> FAppearance;
    bool AllowGrayed = false;
    // The state bitmaps' handler as KxCustomControl set it.
    TNotifyEvent FInheritedBitmapChange;
};

