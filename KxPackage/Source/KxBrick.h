#pragma once
#include <memory>

#include "KxPackage/Source/KxControl.h"

// Normal, focused and disabled bitmaps from a first state on.
class KxThreeStateAppearance : public KxCtrlAppearance {
public:
    KxThreeStateAppearance(KxCustomControl* control, int firstState)
        : KxCtrlAppearance(control), FFirstState(firstState) {}

    TBitmap* GetNormalBmp() const { return GetBitmap(FFirstState); }
    void SetNormalBmp(TBitmap* value) { SetBitmap(value, FFirstState); }
    TBitmap* GetFocusedBmp() const { return GetBitmap(FFirstState + 1); }
    void SetFocusedBmp(TBitmap* value) { SetBitmap(value, FFirstState + 1); }
    TBitmap* GetDisabledBmp() const { return GetBitmap(FFirstState + 2); }
    void SetDisabledBmp(TBitmap* value) { SetBitmap(value, FFirstState + 2); }

    // Reads every named file first, then sets the named states in order; an empty name
    // keeps its state. Returns true; a file that cannot be read raises and changes nothing.
    bool LoadFromFiles(AnsiString folder, AnsiString normal, AnsiString focused,
                       AnsiString disabled);

protected:
    void AssignTo(TPersistent* dest) override;

    int FFirstState;
};

// A bitmap tile that is never shown pressed: normal, focused and disabled bitmaps, clicks
// disabled, yet it reports clicks and double clicks through the framework's events.
class KxBrick : public KxCustomControl {
public:
    explicit KxBrick(TComponent* AOwner);
    ~KxBrick() override;

    // A sunken request is KxControl's: it shows the normal bitmap.
    void ShowRaised() override;
    void ShowFocused() override;
    void ShowDisabled() override;

    // Reads the named files from folder (an empty name keeps that state); see
    // KxThreeStateAppearance::LoadFromFiles.
    bool LoadBitmap(AnsiString folder, AnsiString normal, AnsiString focused, AnsiString disabled);

    KxThreeStateAppearance* GetAppearance() const { return FAppearance.get(); }
    // Copies the three bitmaps, normal first.
    void SetAppearance(KxThreeStateAppearance* value);

    // Puts KxBrick on the designer's palette page "KxComponents".
    static void Register();

protected:
    std::unique_ptr<KxThreeStateAppearance> FAppearance;
};

