#pragma once
#include <memory>

#include "KxPackage/Source/KxControl.h"

// A push button drawn from four bitmaps (raised, sunken, focused, disabled) that hands its
// modal result to its form when clicked and clicks on the Space character as well.
class KxButton : public KxCustomControl {
public:
    explicit KxButton(TComponent* AOwner);
    ~KxButton() override;

    void ShowDisabled() override;
    void ShowFocused() override;
    void ShowSunken() override;

    // Reads the named files from folder (an empty name keeps that state); see
    // KxFourStateAppearance::LoadFromFiles.
    bool LoadBitmap(AnsiString folder, AnsiString raised, AnsiString sunken, AnsiString focused,
                    AnsiString disabled);

    KxFourStateAppearance* GetAppearance() const { return FAppearance.get(); }
    // Copies the four bitmaps, raised first.
    void SetAppearance(KxFourStateAppearance* value);
    int GetModalResult() const { return ModalResult; }
    void SetModalResult(int value) { ModalResult = value; }

    // Puts KxButton on the designer's palette page "KxComponents".
    static void Register();

protected:
    void Click() override;
    void KeyPress(char& Key) override;

    std::unique_ptr<KxFourStateAppearance> FAppearance;
    int ModalResult = 0;
};

