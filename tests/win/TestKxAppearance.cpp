#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "KxPackage/Source/KxButton.h"
#include "KxPackage/Source/KxControl.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinScratchFolder.h"
#include "tests/support/WinTestForm.h"

namespace {

// The colour of a state bitmap's centre pixel; clNone for an empty bitmap.
TColor StateColor(KxCustomControl* control, int state) {
    TBitmap* bitmap = control->StateBitmap(state);
    if (bitmap->Empty())
        return clNone;
    return PixelOf(bitmap, bitmap->Width() / 2, bitmap->Height() / 2);
}

TEST(KxAppearance, PropertiesAreTheLiveStateBitmapsCountedFromTheFirstState) {
    ShownForm form;
    auto* control = new KxCustomControl(form.form.get(), false, 8);
    control->SetParent(form.form.get());
    KxFourStateAppearance appearance(control, 4);
    EXPECT_EQ(appearance.GetRaisedBmp(), control->StateBitmap(4));
    EXPECT_EQ(appearance.GetSunkenBmp(), control->StateBitmap(5));
    EXPECT_EQ(appearance.GetFocusedBmp(), control->StateBitmap(6));
    EXPECT_EQ(appearance.GetDisabledBmp(), control->StateBitmap(7));

    // Written: a copy goes into the state, the given bitmap stays the caller's.
    auto focused = SolidBitmap(30, 20, kStateColors[2]);
    appearance.SetFocusedBmp(focused.get());
    EXPECT_NE(control->StateBitmap(6), focused.get());
    EXPECT_EQ(StateColor(control, 6), kStateColors[2]);
    // Only state 0 gives the size.
    EXPECT_EQ(control->Width(), 0);
}

TEST(KxAppearance, TheRaisedBitmapGivesItsTransparentColourSizeAndShape) {
    ShownForm form;
    auto* button = new KxButton(form.form.get());
    button->SetParent(form.form.get());
    button->SetTransparent(true);
    button->GetAppearance()->SetRaisedBmp(CorneredBitmap(75, 27, kStateColors[0]).get());
    EXPECT_EQ(button->GetTransparentColor(), kSkinKey);
    EXPECT_EQ(button->Width(), 75);
    EXPECT_EQ(button->Height(), 27);
    EXPECT_FALSE(button->IsInside(0, 0));
    EXPECT_TRUE(button->IsInside(10, 10));

    // A fixed transparent colour of the source is taken as RGB; other states give none.
    auto fixed = SolidBitmap(75, 27, kStateColors[0]);
    fixed->SetTransparentColor(clBtnFace);
    button->GetAppearance()->SetRaisedBmp(fixed.get());
    EXPECT_EQ(button->GetTransparentColor(), ColorToRGB(clBtnFace) & 0xFFFFFF);
    button->GetAppearance()->SetSunkenBmp(CorneredBitmap(75, 27, kStateColors[1]).get());
    EXPECT_EQ(button->GetTransparentColor(), ColorToRGB(clBtnFace) & 0xFFFFFF);
}

TEST(KxAppearance, AssignCopiesTheFourBitmapsOfAnotherButton) {
    ShownForm form;
    auto* source = new KxButton(form.form.get());
    source->SetParent(form.form.get());
    source->SetStateBitmap(CorneredBitmap(60, 20, kStateColors[0]).get(), 0);
    for (int state = 1; state < 4; ++state)
        source->SetStateBitmap(SolidBitmap(60, 20, kStateColors[state]).get(), state);
    auto* target = new KxButton(form.form.get());
    target->SetParent(form.form.get());

    target->SetAppearance(source->GetAppearance());
    for (int state = 0; state < 4; ++state) {
        EXPECT_EQ(StateColor(target, state), kStateColors[state]) << state;
        EXPECT_NE(target->StateBitmap(state), source->StateBitmap(state));
    }
    EXPECT_EQ(target->Width(), 60);
    EXPECT_EQ(target->GetTransparentColor(), kSkinKey);
}

TEST(KxAppearance, AssignmentsBetweenOtherClassesAreRefusedAndChangeNothing) {
    ShownForm form;
    auto* button = new KxButton(form.form.get());
    SkinStates(button, 1);
    KxThreeStateFontColor three;
    three.SetSunken(clRed);
    KxTwoStateFontColor two;
    two.SetFocused(clBlue);
    TBitmap bitmap;

    struct Case {
        std::function<void()> assign;
        const char* message;
    } cases[] = {
        {[&] { button->GetAppearance()->Assign(&three); },
         "Cannot assign a KxThreeStateFontColor to a KxFourStateAppearance"},
        {[&] { bitmap.Assign(button->GetAppearance()); },
         "Cannot assign a KxFourStateAppearance to a TBitmap"},
        {[&] { three.Assign(&two); },
         "Cannot assign a KxTwoStateFontColor to a KxThreeStateFontColor"},
        {[&] { two.Assign(&three); },
         "Cannot assign a KxThreeStateFontColor to a KxTwoStateFontColor"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MessageOf<EConvertError>(c.assign), c.message);
    EXPECT_EQ(StateColor(button, 0), kStateColors[0]);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(three.GetSunken(), clRed);
    EXPECT_EQ(three.GetFocused(), -1);
    EXPECT_EQ(two.GetFocused(), clBlue);
}

// ---- Loading from files ----------------------------------------------------------------

struct KxLoad : ::testing::Test {
    ScratchFolder folder{"KxAppearanceTest"};
    ShownForm form;
    KxButton* button = nullptr;
    KxFourStateAppearance* appearance = nullptr;
    // The look before loading: states in "before" colours, 40 x 16, key 0x010203.
    const TColor before[4] = {0x102030, 0x203040, 0x304050, 0x405060};

    void SetUp() override {
        folder.AddSolidBitmap("raised.bmp", 75, 27, kStateColors[0]);
        folder.AddSolidBitmap("sunken.bmp", 75, 27, kStateColors[1]);
        folder.AddSolidBitmap("focused.bmp", 75, 27, kStateColors[2]);
        folder.AddSolidBitmap("disabled.bmp", 75, 27, kStateColors[3]);
        button = new KxButton(form.form.get());
        button->SetParent(form.form.get());
        for (int state = 0; state < 4; ++state)
            button->SetStateBitmap(SolidBitmap(40, 16, before[state]).get(), state);
        button->SetTransparentColor(0x010203);
        appearance = button->GetAppearance();
    }
    void ExpectUnchanged() {
        for (int state = 0; state < 4; ++state)
            EXPECT_EQ(StateColor(button, state), before[state]) << state;
        EXPECT_EQ(button->Width(), 40);
        EXPECT_EQ(button->Height(), 16);
        EXPECT_EQ(button->GetTransparentColor(), 0x010203);
    }
};

TEST_F(KxLoad, ReadsTheNamedFilesAndKeepsAStateWithoutAName) {
    EXPECT_TRUE(appearance->LoadFromFiles(folder.Path().c_str(), "raised.bmp", "", "focused.bmp",
                                          "disabled.bmp"));
    EXPECT_EQ(StateColor(button, 0), kStateColors[0]);
    EXPECT_EQ(StateColor(button, 1), before[1]);
    EXPECT_EQ(StateColor(button, 2), kStateColors[2]);
    EXPECT_EQ(StateColor(button, 3), kStateColors[3]);
    EXPECT_EQ(button->Width(), 75);
    // The raised file's bottom-left pixel.
    EXPECT_EQ(button->GetTransparentColor(), kStateColors[0]);
}

TEST_F(KxLoad, AFolderEndingInABackslashOrAColonGetsNoOtherBackslash) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    const std::string drive = folder.Path().substr(0, 2); // "C:": relative to C:'s current
    ASSERT_EQ(drive[1], ':');
    struct Case {
        std::string folder;
        int state;
    } cases[] = {{folder.Path(), 0}, {folder.Path() + "\\", 1}, {drive, 2}};
    for (const Case& c : cases) {
        AnsiString files[4];
        files[c.state] = c.state == 0 ? "raised.bmp" : c.state == 1 ? "sunken.bmp" : "focused.bmp";
        EXPECT_NO_THROW(
            appearance->LoadFromFiles(c.folder.c_str(), files[0], files[1], files[2], files[3]))
            << c.folder;
        EXPECT_EQ(StateColor(button, c.state), kStateColors[c.state]) << c.folder;
    }
    SetCurrentDirectoryA(current);
}

TEST_F(KxLoad, AFileThatCannotBeReadChangesNothingEvenWhenTheOthersExist) {
    const std::string text = folder.Path() + "\\notes.bmp";
    HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a bitmap", 12, &written, nullptr);
    CloseHandle(file);

    EXPECT_THROW(appearance->LoadFromFiles(folder.Path().c_str(), "missing.bmp", "sunken.bmp",
                                           "focused.bmp", "disabled.bmp"),
                 EFOpenError);
    ExpectUnchanged();
    // The last file is the bad one: every other was read, none was set.
    EXPECT_THROW(appearance->LoadFromFiles(folder.Path().c_str(), "raised.bmp", "sunken.bmp",
                                           "focused.bmp", "notes.bmp"),
                 EInvalidGraphic);
    ExpectUnchanged();
    DeleteFileA(text.c_str());
}

TEST_F(KxLoad, AnEmptyFolderIsTheStringsRangeError) {
    EXPECT_THROW(appearance->LoadFromFiles("", "raised.bmp", "", "", ""), ERangeError);
    ExpectUnchanged();
}

// ---- Caption colour sets ---------------------------------------------------------------

TEST(KxFontColor, AColourChangeNotifiesOnlyWhenTheValueDiffers) {
    KxThreeStateFontColor three;
    KxTwoStateFontColor two;
    int notified = 0;
    three.FOnChange = [&](TObject* sender) { notified += sender == &three; };
    two.FOnChange = [&](TObject* sender) { notified += sender == &two; };
    struct Case {
        const char* name;
        std::function<void(TColor)> set;
        std::function<TColor()> get;
    } cases[] = {
        {"Sunken", [&](TColor c) { three.SetSunken(c); }, [&] { return three.GetSunken(); }},
        {"Focused", [&](TColor c) { three.SetFocused(c); }, [&] { return three.GetFocused(); }},
        {"Disabled", [&](TColor c) { three.SetDisabled(c); }, [&] { return three.GetDisabled(); }},
        {"two.Focused", [&](TColor c) { two.SetFocused(c); }, [&] { return two.GetFocused(); }},
        {"two.Disabled", [&](TColor c) { two.SetDisabled(c); }, [&] { return two.GetDisabled(); }},
    };
    for (const Case& c : cases) {
        notified = 0;
        EXPECT_EQ(c.get(), -1) << c.name;
        c.set(-1);
        EXPECT_EQ(notified, 0) << c.name;
        c.set(clGrayText);
        c.set(clGrayText);
        EXPECT_EQ(notified, 1) << c.name;
        EXPECT_EQ(c.get(), clGrayText) << c.name;
    }
}

TEST(KxFontColor, AssigningAWholeSetNotifiesOnceEvenWithoutADifference) {
    KxThreeStateFontColor source;
    source.SetSunken(clRed);
    source.SetDisabled(clNavy);
    KxThreeStateFontColor target;
    int notified = 0;
    target.FOnChange = [&](TObject*) { ++notified; };
    target.Assign(&source);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(target.GetSunken(), clRed);
    EXPECT_EQ(target.GetFocused(), -1);
    EXPECT_EQ(target.GetDisabled(), clNavy);
    target.Assign(&source);
    EXPECT_EQ(notified, 2);

    KxTwoStateFontColor twoSource;
    twoSource.SetFocused(clLime);
    KxTwoStateFontColor twoTarget;
    twoTarget.FOnChange = [&](TObject*) { ++notified; };
    twoTarget.Assign(&twoSource);
    EXPECT_EQ(notified, 3);
    EXPECT_EQ(twoTarget.GetFocused(), clLime);
    EXPECT_EQ(twoTarget.GetDisabled(), -1);
}

} // namespace
