#include "KxPackage/Source/KxNumLED.h"

#include "KxPackage/Source/KxNumLed_imp.h"
#include "KxPackage/Source/KxPublished.h"
#include "framework/streaming/Published.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Hints.h"
#include "framework/ui/Menus.h"
#include "framework/ui/SizeConstraints.h"

namespace {

// The model's colours after construction: what the form writer leaves out. The transparent
// colour of a new display image reads as black.
const TColor kDefaultLightColor = 0x0AF00A; // RGB(10, 240, 10)
const TColor kDefaultDarkColor = 0x3E260E;  // RGB(14, 38, 62)
const TColor kDefaultBackgroundColor = clBlack;
const TColor kDefaultTransparentColor = clBlack;

void Publish() {
    RegisterFrameworkClasses();

    PublishedClass<KxLedColors>("KxLedColors")
        .Color("LightColor", &KxLedColors::GetLightColor, &KxLedColors::SetLightColor,
               kDefaultLightColor)
        .Color("DarkColor", &KxLedColors::GetDarkColor, &KxLedColors::SetDarkColor,
               kDefaultDarkColor)
        .Color("BackgroundColor", &KxLedColors::GetBackgroundColor,
               &KxLedColors::SetBackgroundColor, kDefaultBackgroundColor)
        .Color("TransparentColor", &KxLedColors::GetTransparentColor,
               &KxLedColors::SetTransparentColor, kDefaultTransparentColor);

    PublishedClass<KxNumLed> led("KxNumLed", "TControl");
    led.Enum("Type", &KxNumLed::GetType, &KxNumLed::SetType, {"nledFloat", "nledTime", "nledDate"},
             tessel::nledFloat)
        .Enum("Style", &KxNumLed::GetStyle, &KxNumLed::SetStyle, {"nledRectangle7_s"},
              tessel::nledRectangle7_s)
        .Bool("ZeroLeading", &KxNumLed::GetZeroLeading, &KxNumLed::SetZeroLeading, false)
        .String("Format", &KxNumLed::GetFormat, &KxNumLed::SetFormat)
        .Object("LedColors", &KxNumLed::GetLedColors)
        .Bool("Transparent", &KxNumLed::GetTransparent, &KxNumLed::SetTransparent, false)
        .Bool("KeepRatio", &KxNumLed::GetKeepRatio, &KxNumLed::SetKeepRatio, false)
        // What the control inherits, published unchanged.
        .Enum("Align", &TControl::Align, &TControl::SetAlign,
              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, alNone)
        .Set("Anchors", &TControl::Anchors, &TControl::SetAnchors,
             {"akLeft", "akTop", "akRight", "akBottom"}, kDefaultAnchors)
        .Object("Constraints", &TControl::Constraints);
    PublishDragSettings(led)
        .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
        .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
        .Component("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
        .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .StoredIf(&IsShowHintStored)
        .Bool("Visible", &TControl::Visible, &TControl::SetVisible, true)
        .Event("OnClick", &TControl::OnClick)
        .Event("OnContextPopup", &TControl::OnContextPopup)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnDragDrop", &TControl::OnDragDrop)
        .Event("OnDragOver", &TControl::OnDragOver)
        .Event("OnEndDock", &TControl::OnEndDock)
        .Event("OnEndDrag", &TControl::OnEndDrag)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp)
        .Event("OnStartDock", &TControl::OnStartDock)
        .Event("OnStartDrag", &TControl::OnStartDrag);
}

} // namespace

KxNumLed::KxNumLed(TComponent* AOwner) : TControl(AOwner) {
    m_imp = std::make_unique<tessel::KxNumLed_imp>(this, Parent(), Width(), Height());
    FLedColors = std::make_unique<KxLedColors>(this);
}

// The model goes first, while the control it draws for is still whole.
KxNumLed::~KxNumLed() {
    m_imp.reset();
    FLedColors.reset();
}

tessel::KxNumLedType KxNumLed::GetType() const {
    return m_imp->Type();
}
void KxNumLed::SetType(tessel::KxNumLedType value) {
    m_imp->SetType(value);
}

tessel::KxNumLedStyle KxNumLed::GetStyle() const {
    return m_imp->Style();
}
void KxNumLed::SetStyle(tessel::KxNumLedStyle value) {
    m_imp->SetStyle(value);
}

bool KxNumLed::GetZeroLeading() const {
    return m_imp->ZeroLeading();
}
void KxNumLed::SetZeroLeading(bool value) {
    m_imp->SetZeroLeading(value);
}

AnsiString KxNumLed::GetFormat() const {
    return AnsiString(m_imp->Format());
}
void KxNumLed::SetFormat(const AnsiString& value) {
    m_imp->SetFormat(value.str());
}

void KxNumLed::SetLedColors(KxLedColors* value) {
    FLedColors->Assign(value);
}

bool KxNumLed::GetTransparent() const {
    return m_imp->Transparent();
}
void KxNumLed::SetTransparent(bool value) {
    m_imp->SetTransparent(value);
}

bool KxNumLed::GetKeepRatio() const {
    return m_imp->KeepRatio();
}
void KxNumLed::SetKeepRatio(bool value) {
    m_imp->SetKeepRatio(value);
    SetBounds(Left(), Top(), Width(), Height());
}

void KxNumLed::SetValue(double value) {
    m_imp->SetValue(value);
}
void KxNumLed::SetValue(TDateTime value) {
    m_imp->SetValue(value);
}
bool KxNumLed::GetValue(double& value) const {
    return m_imp->GetValue(value);
}
bool KxNumLed::GetValue(TDateTime& value) const {
    return m_imp->GetValue(value);
}

void KxNumLed::On(unsigned index) {
    m_imp->On(index);
}
void KxNumLed::Off(unsigned index) {
    m_imp->Off(index);
}

void KxNumLed::Repaint() {
    m_imp->Repaint();
    TControl::Repaint();
}

void KxNumLed::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (m_imp) {
        // The model is asked for a size within the limits, so that the control keeps the
        // size of what it draws.
        Constraints()->Apply(AWidth, AHeight);
        m_imp->SetPosition(ALeft, ATop);
        m_imp->SetSize(AWidth, AHeight);
        AWidth = m_imp->Width();
        AHeight = m_imp->Height();
    }
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void KxNumLed::SetParent(TWinControl* AParent) {
    if (m_imp)
        m_imp->SetParent(AParent);
    TControl::SetParent(AParent);
}

void KxNumLed::VisibleChanged() {
    if (m_imp)
        m_imp->Image()->SetVisible(Visible());
    TControl::VisibleChanged();
}

void KxNumLed::Register() {
    static const bool published = (Publish(), true);
    (void)published;
    RegisterComponents("KxComponents", {ClassOf<KxNumLed>()});
}

KxLedColors::KxLedColors(KxNumLed* owner) : m_owner(owner) {}

TColor KxLedColors::GetLightColor() const {
    return m_owner->Model()->LightColor();
}
void KxLedColors::SetLightColor(TColor value) {
    m_owner->Model()->SetLightColor(value);
}

TColor KxLedColors::GetDarkColor() const {
    return m_owner->Model()->DarkColor();
}
void KxLedColors::SetDarkColor(TColor value) {
    m_owner->Model()->SetDarkColor(value);
}

TColor KxLedColors::GetBackgroundColor() const {
    return m_owner->Model()->BackgroundColor();
}
void KxLedColors::SetBackgroundColor(TColor value) {
    m_owner->Model()->SetBackgroundColor(value);
}

TColor KxLedColors::GetTransparentColor() const {
    return m_owner->Model()->TransparentColor();
}
void KxLedColors::SetTransparentColor(TColor value) {
    m_owner->Model()->SetTransparentColor(value);
}

void KxLedColors::AssignTo(TPersistent* dest) {
    auto* colors = dynamic_cast<KxLedColors*>(dest);
    if (!colors) {
        TPersistent::AssignTo(dest);
        return;
    }
    colors->SetLightColor(GetLightColor());
    colors->SetDarkColor(GetDarkColor());
    colors->SetBackgroundColor(GetBackgroundColor());
    colors->SetTransparentColor(GetTransparentColor());
}
