#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include "KxPackage/Source/KxPublished.h"

// ---- KxThreeStateAppearance ------------------------------------------------------------

void KxThreeStateAppearance::AssignTo(TPersistent* dest) {
    auto* target = dynamic_cast<KxThreeStateAppearance*>(dest);
    if (!target) {
        KxCtrlAppearance::AssignTo(dest);
        return;
    }
    target->SetNormalBmp(GetNormalBmp());
    target->SetFocusedBmp(GetFocusedBmp());
    target->SetDisabledBmp(GetDisabledBmp());
}

bool KxThreeStateAppearance::LoadFromFiles(AnsiString folder, AnsiString normal, AnsiString focused,
                                           AnsiString disabled) {
    const AnsiString names[] = {normal, focused, disabled};
    return LoadStateBitmaps(this, folder, names, 3, FFirstState);
}

// ---- KxBrick ---------------------------------------------------------------------------

KxBrick::KxBrick(TComponent* AOwner) : KxCustomControl(AOwner, true, 3) {
    ControlStyle.Include(csDoubleClicks);
    FAppearance = std::make_unique<KxThreeStateAppearance>(this, 0);
}

KxBrick::~KxBrick() {
    FAppearance.reset();
}

void KxBrick::ShowRaised() {
    ShowBitmap(0);
}

void KxBrick::ShowFocused() {
    ShowBitmap(1);
}

void KxBrick::ShowDisabled() {
    ShowBitmap(2);
}

bool KxBrick::LoadBitmap(AnsiString folder, AnsiString normal, AnsiString focused,
                         AnsiString disabled) {
    FAppearance->LoadFromFiles(folder, normal, focused, disabled);
    return true;
}

void KxBrick::SetAppearance(KxThreeStateAppearance* value) {
    FAppearance->Assign(value);
}

void KxBrick::Register() {
    PublishKxBrickClasses();
    RegisterComponents("KxComponents", {ClassOf<KxBrick>()});
}

namespace {
void PublishKxBrick() {
    PublishKxControlClasses();
    PublishedClass<KxThreeStateAppearance>("KxThreeStateAppearance", "KxCtrlAppearance")
        .Object("NormalBmp", &KxThreeStateAppearance::GetNormalBmp)
        .Object("FocusedBmp", &KxThreeStateAppearance::GetFocusedBmp)
        .Object("DisabledBmp", &KxThreeStateAppearance::GetDisabledBmp);
    PublishedClass<KxBrick> brick("KxBrick", "KxCustomControl");
    brick.Object("Appearance", &KxBrick::GetAppearance)
        .Bool("ShowMouseOver", &KxBrick::GetShowMouseOver, &KxBrick::SetShowMouseOver, true);
    PublishKxControlTail(brick, true);
}
} // namespace

void PublishKxBrickClasses() {
    static const bool registered = (PublishKxBrick(), true);
    (void)registered;
}
