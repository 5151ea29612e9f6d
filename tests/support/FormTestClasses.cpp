#include "tests/support/FormTestClasses.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/streaming/Published.h"

std::vector<std::string>& FormTestLog() {
    static std::vector<std::string> log;
    return log;
}

namespace {

std::string Loading(const TComponent* component) {
    return component && component->HasState(csLoading) ? " loading" : "";
}

} // namespace

void TGadgetStyle::SetHeight(int value) {
    m_height = value;
    FormTestLog().push_back("Style.Height=" + std::to_string(value) + Loading(m_owner));
}

void TGadgetStyle::SetName(const AnsiString& value) {
    m_name = value;
    FormTestLog().push_back("Style.Name=" + value.str() + Loading(m_owner));
}

void TGadgetStyle::SetColor(TColor value) {
    m_color = value;
}

void TGadgetStyle::SetStyle(unsigned value) {
    m_style = value;
}

void TGadgetPicture::SetData(const std::vector<unsigned char>& data) {
    if (data.size() < 2 || data[0] != 'B' || data[1] != 'M')
        throw EInvalidGraphic("Bitmap image is not valid");
    m_data = data;
}

TGadget::TGadget(TComponent* owner)
    : TComponent(owner), m_style(std::make_unique<TGadgetStyle>(this)),
      m_picture(std::make_unique<TGadgetPicture>()) {}

TGadget::~TGadget() {
    if (Container)
        Container->Contents.erase(
            std::remove(Container->Contents.begin(), Container->Contents.end(), this),
            Container->Contents.end());
    for (TGadget* content : Contents)
        content->Container = nullptr;
}

void TGadget::Log(const std::string& what) {
    FormTestLog().push_back(Name().str() + "." + what + Loading(this));
}

void TGadget::SetLeft(int value) {
    m_left = value;
    Log("Left=" + std::to_string(value));
}

void TGadget::SetVisible(bool value) {
    m_visible = value;
    Log(std::string("Visible=") + (value ? "1" : "0"));
}

void TGadget::SetKind(TGadgetKind value) {
    m_kind = value;
    Log("Kind=" + std::to_string(value));
}

void TGadget::SetCaption(const AnsiString& value) {
    m_caption = value;
    Log("Caption=" + value.str());
}

void TGadget::Loaded() {
    TComponent::Loaded();
    Log("Loaded");
}

TBrokenGadget::TBrokenGadget(TComponent* owner) : TGadget(owner) {
    throw EOutOfResources("No more gadgets");
}

TGadgetForm::~TGadgetForm() {
    DestroyComponents();
}

void TGadgetForm::SetLeft(int value) {
    m_left = value;
    FormTestLog().push_back("Form.Left=" + std::to_string(value) + Loading(this));
}

void TGadgetForm::FirstClick(TObject* Sender) {
    Calls.push_back("FirstClick " + static_cast<TComponent*>(Sender)->Name().str());
}

void TGadgetForm::BoxScroll(TObject*, int& Delta) {
    Calls.push_back("BoxScroll " + std::to_string(Delta));
    Delta = 0;
}

void TGadgetForm::OtherClick(TObject*) {
    Calls.push_back("OtherClick");
}

void TGadgetForm::Loaded() {
    TComponent::Loaded();
    FormTestLog().push_back("Form.Loaded");
}

void RegisterGadgetClasses() {
    static const std::vector<IdentMapping> charsets = {{0, "ANSI_CHARSET"}, {1, "DEFAULT_CHARSET"}};

    PublishedClass<TGadgetStyle>("TGadgetStyle")
        .Mapped("Charset", &TGadgetStyle::Charset, &TGadgetStyle::Charset, charsets)
        .Color("Color", &TGadgetStyle::Color, &TGadgetStyle::SetColor)
        .Int("Height", &TGadgetStyle::Height, &TGadgetStyle::SetHeight)
        .String("Name", &TGadgetStyle::Name, &TGadgetStyle::SetName)
        .Set("Style", &TGadgetStyle::Style, &TGadgetStyle::SetStyle,
             {"gfBold", "gfItalic", "gfUnderline"});

    PublishedClass<TGadgetPicture>("TGadgetPicture")
        .Binary("Data", &TGadgetPicture::Data, &TGadgetPicture::SetData)
        .Object("Nested", &TGadgetPicture::Nested);

    PublishedClass<TGadget>("TGadget")
        .Int("Left", &TGadget::Left, &TGadget::SetLeft)
        .Int("Width", &TGadget::Width, &TGadget::Width, 10)
        .Bool("Visible", &TGadget::Visible, &TGadget::SetVisible, true)
        .Enum("Kind", &TGadget::Kind, &TGadget::SetKind, {"gkPlain", "gkRound", "gkSquare"},
              gkPlain)
        .String("Caption", &TGadget::Caption, &TGadget::SetCaption, "")
        .String(
            "Hint", [](TGadget* g) { return g->Hint; },
            [](TGadget* g, const std::string& v) { g->Hint = v; }, "")
        .Double("Ratio", &TGadget::Ratio, &TGadget::Ratio, 1.0)
        .Object("Style", &TGadget::Style)
        .StoredIf([](TGadget* g) { return g->Style()->Height() != -11; })
        .Object("Picture", &TGadget::Picture)
        .Int("Computed", &TGadget::Computed, nullptr)
        .Event("OnClick", &TGadget::OnClick)
        .Event("OnScroll", &TGadget::OnScroll);

    PublishedClass<TGadgetBox>("TGadgetBox", "TGadget")
        .Bool("Visible", &TGadget::Visible, &TGadget::SetVisible, false)
        .Int("Spacing", &TGadgetBox::Spacing, &TGadgetBox::Spacing, 0);

    PublishedClass<TBrokenGadget>("TBrokenGadget", "TGadget");

    PublishedClass<TGadgetForm>("TGadgetForm")
        .Int("Left", &TGadgetForm::Left, &TGadgetForm::SetLeft)
        .Object("Style", &TGadgetForm::Style)
        .Event("OnShow", &TGadgetForm::OnShow)
        .Field("First", &TGadgetForm::First)
        .Field("Box", &TGadgetForm::Box)
        .Field("Missing", &TGadgetForm::Missing)
        .Handler("FirstClick", &TGadgetForm::FirstClick)
        .Handler("BoxScroll", &TGadgetForm::BoxScroll)
        .Handler("OtherClick", &TGadgetForm::OtherClick);

    FormParentHooks hooks;
    hooks.SetParent = [](TComponent* child, TComponent* enclosing) {
        auto* gadget = dynamic_cast<TGadget*>(child);
        auto* box = dynamic_cast<TGadgetBox*>(enclosing);
        if (gadget && box) {
            gadget->Container = box;
            box->Contents.push_back(gadget);
        }
    };
    hooks.GetParent = [](TComponent* component) -> TComponent* {
        auto* gadget = dynamic_cast<TGadget*>(component);
        return gadget ? gadget->Container : nullptr;
    };
    SetFormParentHooks(hooks);
}
