#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/Published.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/FormDescription.h"
#include "tests/support/FormTestClasses.h"

namespace {

const char* const kGadgets = R"(object GadgetForm: TGadgetForm
  Left = 5
  Style.Name = 'Serif'
  OnShow = OtherClick
  object First: TGadget
    Left = 3
    Kind = gkRound
    Caption = 'Hello'#13'you'
    Style.Height = -14
    Style.Color = clNavy
    Style.Style = [gfBold, gfUnderline]
    Picture.Data = {424D01}
    OnClick = FirstClick
  end
  object Box: TGadgetBox
    Visible = True
    Spacing = 4
    OnScroll = BoxScroll
    object Inner: TGadget
      Left = 9
      Width = -2
      Ratio = 0.5
      Hint = 'tip'
      OnClick = FirstClick
    end
  end
end
)";

std::string ReadErrorOf(TComponent* root, const std::string& text) {
    return MessageOf<EReadError>([&] { ReadForm(root, text); });
}

class FormReader : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterGadgetClasses();
        FormTestLog().clear();
    }
};

} // namespace

TEST_F(FormReader, CreatesComponentsAndSetsPropertiesInFileOrderWhileLoading) {
    TGadgetForm form;
    ReadForm(&form, kGadgets);

    EXPECT_EQ(form.Name().str(), "GadgetForm");
    ASSERT_EQ(form.ComponentCount(), 3);
    auto* first = dynamic_cast<TGadget*>(form.Components(0));
    auto* box = dynamic_cast<TGadgetBox*>(form.Components(1));
    auto* inner = dynamic_cast<TGadget*>(form.Components(2));
    ASSERT_TRUE(first && box && inner);
    EXPECT_EQ(typeid(*first), typeid(TGadget));
    EXPECT_EQ(inner->Owner(), &form) << "the root owns every component";
    EXPECT_EQ(inner->Container, box) << "the parent hook nests Inner in Box";
    EXPECT_EQ(first->Container, nullptr);

    EXPECT_EQ(first->Caption().str(), "Hello\ryou");
    EXPECT_EQ(first->Kind(), gkRound);
    EXPECT_EQ(first->Style()->Height(), -14);
    EXPECT_EQ(first->Style()->Color(), clNavy);
    EXPECT_EQ(first->Style()->Style(), gfBold | gfUnderline);
    EXPECT_EQ(first->Picture()->Data(), (std::vector<unsigned char>{'B', 'M', 1}));
    EXPECT_EQ(inner->Width, -2);
    EXPECT_EQ(inner->Ratio, 0.5);
    EXPECT_EQ(inner->Hint, "tip");
    EXPECT_EQ(form.Style()->Name().str(), "Serif");

    // Every setter ran with csLoading set, in file order; Loaded came last, root first.
    const std::vector<std::string> expected = {
        "Form.Left=5 loading",
        "Style.Name=Serif loading",
        "First.Left=3 loading",
        "First.Kind=1 loading",
        "First.Caption=Hello\ryou loading",
        "Style.Height=-14 loading",
        ".Visible=0",
        "Box.Visible=1 loading",
        "Inner.Left=9 loading",
        "Form.Loaded",
        "First.Loaded",
        "Box.Loaded",
        "Inner.Loaded",
    };
    EXPECT_EQ(FormTestLog(), expected);
    for (int i = 0; i < form.ComponentCount(); ++i)
        EXPECT_FALSE(form.Components(i)->HasState(csLoading) ||
                     form.Components(i)->HasState(csReading));
    EXPECT_FALSE(form.HasState(csLoading) || form.HasState(csReading));
}

TEST_F(FormReader, BindsEventsAndAssignsFieldsByName) {
    TGadgetForm form;
    ReadForm(&form, kGadgets);
    ASSERT_TRUE(form.First && form.Box);
    EXPECT_EQ(form.First->Name().str(), "First");
    EXPECT_EQ(form.Box->Name().str(), "Box");
    EXPECT_EQ(form.Missing, nullptr) << "a field without a component stays as it was";

    form.First->OnClick(form.First);
    int delta = 5;
    form.Box->OnScroll(form.Box, delta);
    form.Box->Contents[0]->OnClick(form.Box->Contents[0]);
    form.OnShow(&form);
    EXPECT_EQ(form.Calls, (std::vector<std::string>{"FirstClick First", "BoxScroll 5",
                                                    "FirstClick Inner", "OtherClick"}));
    EXPECT_EQ(delta, 0) << "a by-reference argument reaches the handler";
    EXPECT_FALSE(form.First->OnScroll);
}

TEST_F(FormReader, RejectsWhatDoesNotFitTheClassesNamingTheLine) {
    const struct {
        const char* body; // inside "object F: TGadgetForm" (line 2 on)
        const char* message;
    } bodies[] = {
        {"  object G: TNoSuch\n  end\n", "Line 2: Class TNoSuch not found"},
        {"  object G: TGadgetStyle\n  end\n", "Line 2: Class TGadgetStyle cannot be created"},
        {"  object G: TBrokenGadget\n  end\n", "Line 2: Error reading G: No more gadgets"},
        {"  object G: TGadget\n  end\n  object G: TGadget\n  end\n",
         "Line 4: A component named G already exists"},
        {"  object First: TGadgetBox\n  end\n  object Box: TGadget\n  end\n",
         "Line 4: Field Box of TGadgetForm cannot hold a TGadget"},
        {"  Left = 1\n  Size = 2\n", "Line 3: Error reading F.Size: Property Size does not exist "
                                     "in TGadgetForm"},
    };
    // A property of a gadget G, on line 3: the message names G and the property's path.
    const struct {
        const char* path;
        const char* value;
        const char* error;
    } properties[] = {
        {"Top", "1", "Property Top does not exist in TGadget"},
        {"Style.Size", "1", "Property Size does not exist in TGadgetStyle"},
        {"Left.Size", "1", "Property Left is not an object"},
        {"Picture.Nested.Height", "1", "Property Nested holds no object"},
        {"Style", "1", "Property Style is an object; set its properties instead"},
        {"Computed", "1", "Property Computed is read-only"},
        {"Left", "'x'", "Expected an integer but found a string"},
        {"Left", "True", "Expected an integer but found the identifier True"},
        {"Left", "2147483648", "Value 2147483648 is out of range (-2147483648..2147483647)"},
        {"Width", "40000", "Value 40000 is out of range (-32768..32767)"},
        {"Visible", "1", "Expected True or False but found the integer 1"},
        {"Visible", "Yes", "Invalid value Yes for property Visible"},
        {"Kind", "gkOval", "Invalid value gkOval for property Kind"},
        {"Kind", "1", "Expected an identifier but found the integer 1"},
        {"Style.Color", "clNoSuchColour", "Invalid value clNoSuchColour for property Color"},
        {"Style.Color", "[gfBold]", "Expected an integer or a name but found a set"},
        {"Style.Style", "[gfBold, gfHuge]", "Invalid set element gfHuge for property Style"},
        {"Style.Style", "gfBold", "Expected a set but found the identifier gfBold"},
        {"Ratio", "'half'", "Expected a number but found a string"},
        {"Caption", "Hello", "Expected a string but found the identifier Hello"},
        {"Picture.Data", "'BM'", "Expected binary data but found a string"},
        {"Picture.Data", "{\n      0000}", "Bitmap image is not valid"},
        {"OnClick", "NoSuchHandler", "Handler NoSuchHandler not found in TGadgetForm"},
        {"OnClick", "BoxScroll", "Handler BoxScroll does not fit event OnClick"},
        {"OnClick", "'FirstClick'", "Expected the name of a handler but found a string"},
    };
    std::vector<std::pair<std::string, std::string>> cases; // text, message
    for (const auto& c : bodies)
        cases.emplace_back(std::string("object F: TGadgetForm\n") + c.body + "end\n", c.message);
    for (const auto& p : properties)
        cases.emplace_back(FormDescription("F", "TGadgetForm")
                               .Add(FormDescription("G", "TGadget").Set(p.path, p.value)),
                           std::string("Line 3: Error reading G.") + p.path + ": " + p.error);
    for (const auto& [text, message] : cases) {
        TGadgetForm form;
        EXPECT_EQ(ReadErrorOf(&form, text), message) << text;
        EXPECT_EQ(form.ComponentCount(), 0) << "what the failed read created is gone: " << text;
        EXPECT_EQ(form.First, nullptr) << text;
        EXPECT_EQ(form.Box, nullptr) << text;
        EXPECT_FALSE(form.HasState(csLoading) || form.HasState(csReading)) << text;
    }
}

TEST_F(FormReader, RefusesADescriptionOfAnotherOrUnregisteredClass) {
    TGadgetForm form;
    EXPECT_EQ(ReadErrorOf(&form, "object F: TOtherForm\nend\n"),
              "Line 1: The description is of a TOtherForm, not of a TGadgetForm");
    struct TUnregisteredForm : TComponent {
        TUnregisteredForm() : TComponent(nullptr) {}
    } unregistered;
    EXPECT_EQ(ReadErrorOf(&unregistered, "object F: TUnregisteredForm\nend\n"),
              "Line 1: Class TUnregisteredForm is not registered");
    EXPECT_EQ(ReadErrorOf(&form, "object F: TGadgetForm\n  Left = \nend\n"),
              "Line 3: Expected a value but found 'end'");
}

TEST_F(FormReader, KeepsComponentsTheRootAlreadyOwned) {
    TGadgetForm form;
    TGadget* own = new TGadget(&form);
    own->SetName("Own");
    EXPECT_EQ(ReadErrorOf(&form, "object F: TGadgetForm\n  object Own: TGadget\n  end\nend\n"),
              "Line 2: A component named Own already exists");
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), own);
}

TEST_F(FormReader, WriterWritesPublishedOrderWithoutDefaults) {
    TGadgetForm form;
    ReadForm(&form, kGadgets);
    const std::string expected = R"(object GadgetForm: TGadgetForm
  Left = 5
  Style.Charset = DEFAULT_CHARSET
  Style.Color = clWindowText
  Style.Height = -11
  Style.Name = 'Serif'
  Style.Style = []
  OnShow = OtherClick
  object First: TGadget
    Left = 3
    Kind = gkRound
    Caption = 'Hello'#13'you'
    Style.Charset = DEFAULT_CHARSET
    Style.Color = clNavy
    Style.Height = -14
    Style.Name = 'Sans'
    Style.Style = [gfBold, gfUnderline]
    Picture.Data = {
      424D01}
    OnClick = FirstClick
  end
  object Box: TGadgetBox
    Left = 0
    Visible = True
    OnScroll = BoxScroll
    Spacing = 4
    object Inner: TGadget
      Left = 9
      Width = -2
      Hint = 'tip'
      Ratio = 0.5
      OnClick = FirstClick
    end
  end
end
)";
    EXPECT_EQ(WriteForm(&form), expected);
}

TEST_F(FormReader, ReadWriteReadGivesTheSameDescription) {
    TGadgetForm form;
    ReadForm(&form, kGadgets);
    const std::string written = WriteForm(&form);
    TGadgetForm again;
    ReadForm(&again, written);
    EXPECT_EQ(WriteForm(&again), written);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&form), WriteFormTree(&again)));
    EXPECT_TRUE(SameFormTree(ParseFormText(written), WriteFormTree(&again)));
}

TEST_F(FormReader, WriterLeavesOutEventsThatHoldNoHandlerOfTheRoot) {
    TGadgetForm form;
    TGadgetForm stranger;
    auto* lambda = new TGadget(&form);
    lambda->SetName("Lambda");
    lambda->OnClick = [](TObject*) {};
    auto* foreign = new TGadget(&form);
    foreign->SetName("Foreign");
    foreign->OnClick = TNotifyEvent(&stranger, &TGadgetForm::FirstClick);
    auto* own = new TGadget(&form);
    own->SetName("Own");
    own->OnClick = TNotifyEvent(&form, &TGadgetForm::OtherClick);

    const FormObject tree = WriteFormTree(&form);
    ASSERT_EQ(tree.Children.size(), 3u);
    auto hasOnClick = [](const FormObject& object) {
        for (const FormProperty& property : object.Properties)
            if (property.Path == "OnClick")
                return property.Value == FormValue::OfIdent("OtherClick");
        return false;
    };
    EXPECT_FALSE(hasOnClick(tree.Children[0]));
    EXPECT_FALSE(hasOnClick(tree.Children[1]));
    EXPECT_TRUE(hasOnClick(tree.Children[2]));
}

TEST_F(FormReader, WriterRefusesWhatItCannotDescribe) {
    struct TUnlisted : TComponent {
        using TComponent::TComponent;
    };
    TGadgetForm form;
    auto* unlisted = new TUnlisted(&form);
    unlisted->SetName("U");
    EXPECT_THROW(WriteForm(&form), EStreamError);
    delete unlisted;

    auto* gadget = new TGadget(&form);
    gadget->SetKind(static_cast<TGadgetKind>(7));
    EXPECT_EQ(MessageOf<EStreamError>([&] { WriteForm(&form); }),
              "Cannot write the form description: Kind has the value 7, which has no name");
}
