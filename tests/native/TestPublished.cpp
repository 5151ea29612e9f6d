#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/streaming/Published.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/FormTestClasses.h"
#include "tests/support/PublishedNames.h"

namespace {

class Published : public ::testing::Test {
protected:
    void SetUp() override { RegisterGadgetClasses(); }
};

} // namespace

TEST_F(Published, DerivedTablesInheritInOrderAndRedeclareInPlace) {
    const PublishedClassInfo* gadget = FindClass("TGadget");
    const PublishedClassInfo* box = FindClass("tgadgetbox");
    ASSERT_TRUE(gadget && box);
    EXPECT_EQ(box->Name(), "TGadgetBox");
    EXPECT_EQ(box->Parent(), gadget);
    EXPECT_TRUE(box->InheritsFrom(gadget));
    EXPECT_FALSE(gadget->InheritsFrom(box));

    const std::vector<std::string> inherited = {"Left",    "Width",    "Visible", "Kind",
                                                "Caption", "Hint",     "Ratio",   "Style",
                                                "Picture", "Computed", "OnClick", "OnScroll"};
    EXPECT_EQ(PublishedNames(gadget), inherited);
    std::vector<std::string> boxNames = inherited;
    boxNames.push_back("Spacing");
    EXPECT_EQ(PublishedNames(box), boxNames);

    EXPECT_TRUE(gadget->FindProperty("visible")->DefaultOrdinal == 1);
    EXPECT_TRUE(box->FindProperty("Visible")->DefaultOrdinal == 0)
        << "the redeclared Visible carries the box's default";
    EXPECT_EQ(box->FindProperty("Spacing"), box->Properties().back());
    EXPECT_EQ(gadget->FindProperty("Spacing"), nullptr);
}

TEST_F(Published, ClassesAreFoundByNameAndByDynamicType) {
    TGadgetForm form;
    TGadget* plain = new TGadget(&form);
    TGadget* box = new TGadgetBox(&form);
    EXPECT_EQ(ClassOf(plain), FindClass("TGadget"));
    EXPECT_EQ(ClassOf(box), FindClass("TGadgetBox"));
    EXPECT_EQ(ClassOf<TGadgetBox>(), FindClass("TGadgetBox"));
    EXPECT_EQ(ClassOf(plain->Style()), FindClass("TGadgetStyle"));
    EXPECT_EQ(FindClass("TNoSuchGadget"), nullptr);
    EXPECT_EQ(ClassOf(static_cast<TPersistent*>(nullptr)), nullptr);

    // Components get a factory that creates them with the given owner; sub-objects do not.
    TComponent* made = FindClass("TGadgetBox")->Factory()(&form);
    EXPECT_NE(dynamic_cast<TGadgetBox*>(made), nullptr);
    EXPECT_EQ(made->Owner(), &form);
    EXPECT_EQ(FindClass("TGadgetStyle")->Factory(), nullptr);
}

TEST_F(Published, AccessorsWorkThroughMemberFunctionsDataMembersAndLambdas) {
    TGadgetForm form;
    TGadget gadget(&form);
    const PublishedClassInfo* info = ClassOf(&gadget);

    info->FindProperty("Left")->SetOrdinal(&gadget, -7);
    EXPECT_EQ(gadget.Left(), -7);
    EXPECT_EQ(info->FindProperty("Left")->GetOrdinal(&gadget), -7);

    const PublishedProperty* width = info->FindProperty("Width");
    width->SetOrdinal(&gadget, 300);
    EXPECT_EQ(gadget.Width, 300);
    EXPECT_EQ(width->MinValue, -32768);
    EXPECT_EQ(width->MaxValue, 32767);

    info->FindProperty("Kind")->SetOrdinal(&gadget, gkSquare);
    EXPECT_EQ(gadget.Kind(), gkSquare);
    info->FindProperty("Hint")->SetString(&gadget, "tip");
    EXPECT_EQ(gadget.Hint, "tip");
    EXPECT_EQ(info->FindProperty("Hint")->GetString(&gadget), AnsiString("tip"));
    info->FindProperty("Ratio")->SetDouble(&gadget, 0.25);
    EXPECT_EQ(gadget.Ratio, 0.25);
    EXPECT_EQ(info->FindProperty("Style")->GetObject(&gadget), gadget.Style());
    EXPECT_TRUE(info->FindProperty("Computed")->IsReadOnly());
    EXPECT_EQ(info->FindProperty("Computed")->GetOrdinal(&gadget), 42);

    // A property used on an object of the wrong class is refused, not misread.
    EXPECT_THROW(info->FindProperty("Left")->GetOrdinal(gadget.Style()), EInvalidOperation);
}

TEST_F(Published, OrdinalsHaveTheirNames) {
    const PublishedClassInfo* gadget = FindClass("TGadget");
    const PublishedClassInfo* style = FindClass("TGadgetStyle");
    const struct {
        const PublishedProperty* property;
        long long value;
        const char* ident;
    } cases[] = {
        {gadget->FindProperty("Visible"), 1, "True"},
        {gadget->FindProperty("Visible"), 0, "False"},
        {gadget->FindProperty("Kind"), gkRound, "gkRound"},
        {style->FindProperty("Color"), clBtnFace, "clBtnFace"},
        {style->FindProperty("Color"), clNavy, "clNavy"},
        {style->FindProperty("Charset"), 1, "DEFAULT_CHARSET"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.property->IdentOf(c.value), c.ident);
        long long value = -99;
        EXPECT_TRUE(c.property->ValueOf(c.ident, value)) << c.ident;
        EXPECT_EQ(value, c.value) << c.ident;
    }
    long long value = 0;
    EXPECT_TRUE(gadget->FindProperty("Visible")->ValueOf("TRUE", value));
    EXPECT_FALSE(gadget->FindProperty("Kind")->ValueOf("gkOval", value));
    EXPECT_FALSE(style->FindProperty("Color")->ValueOf("clNoColour", value));
    EXPECT_FALSE(gadget->FindProperty("Left")->ValueOf("True", value));
    EXPECT_EQ(style->FindProperty("Color")->IdentOf(13946831), "") << "no name: written as number";
    EXPECT_EQ(gadget->FindProperty("Kind")->IdentOf(7), "");
}

TEST_F(Published, EventsBindToTheRootsHandlersByName) {
    TGadgetForm form;
    TGadget gadget(&form);
    gadget.SetName("G");
    const PublishedClassInfo* formClass = ClassOf(&form);
    const PublishedProperty* onClick = ClassOf(&gadget)->FindProperty("OnClick");
    const PublishedHandler* firstClick = formClass->FindHandler("firstclick");
    ASSERT_TRUE(firstClick);
    EXPECT_EQ(*firstClick->Signature, *onClick->Signature);
    EXPECT_NE(*formClass->FindHandler("BoxScroll")->Signature, *onClick->Signature);

    EXPECT_FALSE(onClick->IsEventSet(&gadget));
    onClick->SetHandler(&gadget, &form, *firstClick);
    ASSERT_TRUE(onClick->IsEventSet(&gadget));
    gadget.OnClick(&gadget);
    EXPECT_EQ(form.Calls, std::vector<std::string>{"FirstClick G"});

    EXPECT_TRUE(onClick->HoldsHandler(&gadget, &form, *firstClick));
    EXPECT_FALSE(onClick->HoldsHandler(&gadget, &form, *formClass->FindHandler("OtherClick")));
    TGadgetForm otherForm;
    EXPECT_FALSE(onClick->HoldsHandler(&gadget, &otherForm, *firstClick))
        << "the same handler of another form is another closure";
    gadget.OnClick = TNotifyEvent(&form, &TGadgetForm::FirstClick);
    EXPECT_TRUE(onClick->HoldsHandler(&gadget, &form, *firstClick));
}

TEST_F(Published, AClassWhoseParentIsMissingSaysSo) {
    struct TOrphan : TPersistent {
        int Value = 0;
    };
    PublishedClass<TOrphan>("TOrphan", "TNeverRegistered")
        .Int("Value", &TOrphan::Value, &TOrphan::Value);
    EXPECT_EQ(MessageOf<EInvalidOperation>([] { FindClass("TOrphan")->Properties(); }),
              "Class TOrphan: parent class TNeverRegistered is not registered");

    PublishedClass<TOrphan>("TOrphan", "TOrphan");
    EXPECT_THROW(FindClass("TOrphan")->Properties(), EInvalidOperation) << "its own ancestor";
}

TEST_F(Published, RegisteringAgainStartsTheTableAfresh) {
    struct TRedo : TPersistent {
        int A = 0;
        int B = 0;
    };
    PublishedClass<TRedo>("TRedo").Int("A", &TRedo::A, &TRedo::A).Int("B", &TRedo::B, &TRedo::B);
    PublishedClass<TRedo>("TRedo").Int("B", &TRedo::B, &TRedo::B);
    EXPECT_EQ(PublishedNames(FindClass("TRedo")), std::vector<std::string>{"B"});
    EXPECT_EQ(ClassOf<TRedo>(), FindClass("TRedo"));
}

TEST_F(Published, PalettePagesListTheirClassesInOrder) {
    RegisterComponents("TestPageA", {ClassOf<TGadget>(), ClassOf<TGadgetBox>()});
    RegisterComponents("TestPageB", {FindClass("TGadgetBox")});
    RegisterComponents("TestPageA", {ClassOf<TGadget>()});
    EXPECT_EQ(PaletteClasses("TestPageA"), (std::vector<std::string>{"TGadget", "TGadgetBox"}));
    EXPECT_EQ(PaletteClasses("TestPageB"), std::vector<std::string>{"TGadgetBox"});
    EXPECT_TRUE(PaletteClasses("NoSuchPage").empty());
    const std::vector<std::string> pages = PalettePages();
    EXPECT_NE(std::find(pages.begin(), pages.end(), "TestPageB"), pages.end());

    struct TNeverRegistered : TComponent {
        using TComponent::TComponent;
    };
    EXPECT_THROW(RegisterComponents("TestPageC", {ClassOf<TNeverRegistered>()}), EInvalidOperation);
    EXPECT_TRUE(PaletteClasses("TestPageC").empty());
}
