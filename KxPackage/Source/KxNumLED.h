#pragma once
#include <memory>

#include "KxPackage/Source/NumLedBuilder.h"
#include "framework/core/AnsiString.h"
#include "framework/ui/Control.h"
#include "framework/core/DateTime.h"
#include "framework/core/Persistent.h"

namespace tessel {
class KxNumLed_imp;
}
class KxLedColors;

// The seven-segment display as a form component: a number, a time or a date. It paints
// nothing itself; its model draws into an image on the same parent, and the component's
// bounds always follow the size the model chose.
class KxNumLed : public TControl {
public:
    explicit KxNumLed(TComponent* AOwner);
    ~KxNumLed() override;

    tessel::KxNumLedType GetType() const;
    void SetType(tessel::KxNumLedType value);
    tessel::KxNumLedStyle GetStyle() const;
    void SetStyle(tessel::KxNumLedStyle value);
    bool GetZeroLeading() const;
    void SetZeroLeading(bool value);
    AnsiString GetFormat() const;
    void SetFormat(const AnsiString& value);
    KxLedColors* GetLedColors() const { return FLedColors.get(); }
    void SetLedColors(KxLedColors* value);
    bool GetTransparent() const;
    void SetTransparent(bool value);
    bool GetKeepRatio() const;
    // Lays the display out again with the new rule, also when the value is unchanged.
    void SetKeepRatio(bool value);

    // A number is taken while Type is nledFloat, a date-time while it is nledTime or
    // nledDate; the other kind is ignored, and asking for it returns false and leaves the
    // argument untouched.
    void SetValue(double value);
    void SetValue(TDateTime value);
    bool GetValue(double& value) const;
    bool GetValue(TDateTime& value) const;

    // Index 0: every cell; n: the n-th; beyond the last cell nothing changes.
    void On(unsigned index);
    void Off(unsigned index);

    void Repaint() override;
    // The model takes the position and the requested size; the control takes the size of
    // the model's image.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    // The image goes on the parent first.
    void SetParent(TWinControl* AParent) override;

    tessel::KxNumLed_imp* Model() const { return m_imp.get(); }

    // Publishes the component and its colour set and puts it on the palette page
    // "KxComponents".
    static void Register();

protected:
    // The display is shown and hidden with the control.
    void VisibleChanged() override;

private:
    std::unique_ptr<tessel::KxNumLed_imp> m_imp;
    std::unique_ptr<KxLedColors> FLedColors;
};

// The published colours of a KxNumLed, kept in its model.
class KxLedColors : public TPersistent {
public:
    explicit KxLedColors(KxNumLed* owner);

    TColor GetLightColor() const;
    void SetLightColor(TColor value);
    TColor GetDarkColor() const;
    void SetDarkColor(TColor value);
    TColor GetBackgroundColor() const;
    void SetBackgroundColor(TColor value);
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor value);

protected:
    // Copies the four colours into another KxLedColors; any other class is refused.
    void AssignTo(TPersistent* dest) override;

private:
    KxNumLed* m_owner;
};
