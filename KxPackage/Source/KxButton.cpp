#include "KxPackage/Source/KxButton.h"

#include "framework/Form.h"
#include "framework/Published.h"

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
    RegisterKxButtonClasses();
    RegisterComponents("KxComponents", {ClassOf<KxButton>()});
}

namespace {
void PublishKxButton() {
    RegisterKxControlClasses();
    PublishedClass<KxButton>("KxButton", "KxCustomControl")
        .Object("Appearance", &KxButton::GetAppearance)
        .Int("ModalResult", &KxButton::GetModalResult, &KxButton::SetModalResult, 0)
        .Bool("ShowMouseOver", &KxButton::GetShowMouseOver, &KxButton::SetShowMouseOver, true)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
        .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnExit", &TWinControl::OnExit)
        .Event("OnEnter", &TWinControl::OnEnter)
        .Event("OnKeyDown", &TWinControl::OnKeyDown)
        .Event("OnKeyUp", &TWinControl::OnKeyUp)
        .Event("OnKeyPress", &TWinControl::OnKeyPress)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseUp", &TControl::OnMouseUp);
}
} // namespace

void RegisterKxButtonClasses() {
    static const bool registered = (PublishKxButton(), true);
    (void)registered;
}
