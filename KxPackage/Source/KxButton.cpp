#include "KxPackage/Source/KxButton.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include "KxPackage/Source/KxPublished.h"
#include "framework/ui/Form.h"

KxButton::KxButton(TComponent* AOwner) : KxCustomControl(AOwner, false, 4) {
    // A quick second press is a second click, never a double click.
    ControlStyle.Exclude(csDoubleClicks);
    FAppearance = std::make_unique<KxFourStateAppearance>(this, 0);
}

KxButton::~KxButton() {
    FAppearance.reset();
}

void KxButton::ShowDisabled() {
    ShowBitmap(3);
}

void KxButton::ShowFocused() {
    ShowBitmap(2);
}

void KxButton::ShowSunken() {
    ShowBitmap(1);
}

bool KxButton::LoadBitmap(AnsiString folder, AnsiString raised, AnsiString sunken,
                          AnsiString focused, AnsiString disabled) {
    FAppearance->LoadFromFiles(folder, raised, sunken, focused, disabled);
    return true;
}

void KxButton::SetAppearance(KxFourStateAppearance* value) {
    FAppearance->Assign(value);
}

void KxButton::Click() {
    // The form learns the result first, so OnClick already sees it.
    if (TCustomForm* form = GetParentForm(this))
        form->SetModalResult(ModalResult);
    KxCustomControl::Click();
}

void KxButton::KeyPress(char& Key) {
    KxCustomControl::KeyPress(Key);
    if (Key == ' ')
        Click();
}

void KxButton::Register() {
    PublishKxButtonClasses();
    RegisterComponents("KxComponents", {ClassOf<KxButton>()});
}

namespace {
void PublishKxButton() {
    PublishKxControlClasses();
    PublishedClass<KxButton> button("KxButton", "KxCustomControl");
    button.Object("Appearance", &KxButton::GetAppearance)
        .Int("ModalResult", &KxButton::GetModalResult, &KxButton::SetModalResult, 0)
        .Bool("ShowMouseOver", &KxButton::GetShowMouseOver, &KxButton::SetShowMouseOver, true);
    PublishKxControlTail(button, false);
}
} // namespace

void PublishKxButtonClasses() {
    static const bool registered = (PublishKxButton(), true);
    (void)registered;
}
