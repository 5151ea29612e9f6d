#include "KxPackage/Source/KxCheckBox.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include "KxPackage/Source/KxPublished.h"

// ---- KxChkBoxAppearance ----------------------------------------------------------------

KxChkBoxAppearance::KxChkBoxAppearance(KxCheckBox* checkBox) {
    FUncheck = std::make_unique<KxFourStateAppearance>(checkBox, 0);
    FCheck = std::make_unique<KxFourStateAppearance>(checkBox, 4);
    FGray = std::make_unique<KxFourStateAppearance>(checkBox, 8);
}

// Unchecked, checked, grayed: the order they were made in, not the order of the fields.
KxChkBoxAppearance::~KxChkBoxAppearance() {
    FUncheck.reset();
    FCheck.reset();
    FGray.reset();
}

void KxChkBoxAppearance::AssignTo(TPersistent* dest) {
    auto* target = dynamic_cast<KxChkBoxAppearance*>(dest);
    if (!target) {
        TPersistent::AssignTo(dest);
        return;
    }
    target->SetUncheck(GetUncheck());
    target->SetCheck(GetCheck());
    target->SetGray(GetGray());
}

// ---- KxCheckBox ------------------------------------------------------------------------

KxCheckBox::KxCheckBox(TComponent* AOwner) : KxCustomControl(AOwner, false, 12) {
    // A quick second click is a second click: it moves the check state on again.
    ControlStyle.Exclude(csDoubleClicks);
    FAppearance = std::make_unique<KxChkBoxAppearance>(this);
    FInheritedBitmapChange = StateBitmap(0)->OnChange;
    for (int i = 0; i < StateCount(); ++i)
        StateBitmap(i)->OnChange = TNotifyEvent(this, &KxCheckBox::BitmapChanged);
}

KxCheckBox::~KxCheckBox() {
    FAppearance.reset();
}

bool KxCheckBox::LoadChecked(AnsiString folder, AnsiString raised, AnsiString sunken,
                             AnsiString focused, AnsiString disabled) {
    return FAppearance->GetCheck()->LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool KxCheckBox::LoadUnchecked(AnsiString folder, AnsiString raised, AnsiString sunken,
                               AnsiString focused, AnsiString disabled) {
    return FAppearance->GetUncheck()->LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool KxCheckBox::LoadGrayed(AnsiString folder, AnsiString raised, AnsiString sunken,
                            AnsiString focused, AnsiString disabled) {
    return FAppearance->GetGray()->LoadFromFiles(folder, raised, sunken, focused, disabled);
}

bool KxCheckBox::GetChecked() {
    return State == cbChecked;
}

void KxCheckBox::SetChecked(bool value) {
    SetState(value ? cbChecked : cbUnchecked);
}

void KxCheckBox::ShowRaised() {
    ShowChkboxBmp(0);
}

void KxCheckBox::ShowSunken() {
    ShowChkboxBmp(1);
}

void KxCheckBox::ShowFocused() {
    ShowChkboxBmp(2);
}

void KxCheckBox::ShowDisabled() {
    ShowChkboxBmp(3);
}

int KxCheckBox::Substitute(int state) {
    const int look = state % 4;
    return look == 0 ? 0 : state - look;
}

void KxCheckBox::ShowChkboxBmp(int look) {
    if (State == cbChecked)
        ShowBitmap(look + 4);
    else if (State == cbGrayed)
        ShowBitmap(look + 8);
    else
        ShowBitmap(look);
}

void KxCheckBox::SetState(TCheckBoxState value) {
    State = value;
    ShowChkboxBmp(CurState() % 4);
}

void KxCheckBox::SetAppearance(KxChkBoxAppearance* value) {
    FAppearance->Assign(value);
}

void KxCheckBox::BitmapChanged(TObject* Sender) {
    int index = 0;
    while (index < StateCount() && StateBitmap(index) != Sender)
        ++index;
    // The look on show may be the raised bitmap of its group standing in for a missing one:
    // when that one changes, the stand-in is chosen again.
    const int substitute = Substitute(CurState());
    if (substitute != 0 && index == substitute)
        ShowBitmap(CurState());
    if (FInheritedBitmapChange)
        FInheritedBitmapChange(Sender);
}

void KxCheckBox::Click() {
    switch (State) {
    case cbUnchecked:
        SetState(AllowGrayed ? cbGrayed : cbChecked);
        break;
    case cbGrayed:
        SetState(cbChecked);
        break;
    case cbChecked:
        SetState(cbUnchecked);
        break;
    }
    KxCustomControl::Click();
}

void KxCheckBox::KeyPress(char& Key) {
    KxCustomControl::KeyPress(Key);
    if (Key == ' ')
        Click();
}

void KxCheckBox::Register() {
    PublishKxCheckBoxClasses();
    RegisterComponents("KxComponents", {ClassOf<KxCheckBox>()});
}

namespace {
void PublishKxCheckBox() {
    PublishKxControlClasses();
    PublishedClass<KxChkBoxAppearance>("KxChkBoxAppearance")
        .Object("Check", &KxChkBoxAppearance::GetCheck)
        .Object("Uncheck", &KxChkBoxAppearance::GetUncheck)
        .Object("Gray", &KxChkBoxAppearance::GetGray);
    PublishedClass<KxCheckBox> box("KxCheckBox", "KxCustomControl");
    box.Bool("Checked", &KxCheckBox::GetChecked, &KxCheckBox::SetChecked, false)
        .Bool("AllowGrayed", &KxCheckBox::GetAllowGrayed, &KxCheckBox::SetAllowGrayed, false)
        .Enum("State", &KxCheckBox::GetState, &KxCheckBox::SetState,
              {"cbUnchecked", "cbChecked", "cbGrayed"}, cbUnchecked)
        .Object("Appearance", &KxCheckBox::GetAppearance)
        .Bool("ShowMouseOver", &KxCheckBox::GetShowMouseOver, &KxCheckBox::SetShowMouseOver, true)
        .Bool("ClicksDisabled", &KxCheckBox::GetClicksDisabled, &KxCheckBox::SetClicksDisabled,
              false);
    PublishKxControlTail(box, false);
}
} // namespace

void PublishKxCheckBoxClasses() {
    static const bool registered = (PublishKxCheckBox(), true);
    (void)registered;
}
