#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxCheckBox.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinControlOnForm.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinScratchFolder.h"

namespace {

// The test colour of each of the twelve states (4 x group + look).
const TColor kBoxColors[12] = {0x200000, 0x400000, 0x600000, 0x800000, 0x002000, 0x004000,
                               0x006000, 0x008000, 0x000020, 0x000040, 0x000060, 0x000080};

// Gives every state a 30 x 20 bitmap of its colour.
void SkinAllStates(KxCheckBox* box) {
    for (int state = 0; state < 12; ++state)
        box->SetStateBitmap(SolidBitmap(30, 20, kBoxColors[state]).get(), state);
}

// The state whose colour the display shows; -1 for any other colour.
int Shown(KxCheckBox* box) {
    const TColor color = DisplayPixel(box, 3, 3);
    for (int state = 0; state < 12; ++state)
        if (color == kBoxColors[state])
            return state;
    return -1;
}

// A fully skinned check box on a shown form; each OnClick logs the check state and the state
// shown while it runs. The pointer starts off the box.
struct KxCheckBoxInput : ControlOnForm<KxCheckBox> {
    KxCheckBox*& box = control;
    void SetUp() override {
        Place(40, 40, 30, 20);
        SkinAllStates(box);
        LogClicks(
            [this] { return std::to_string(box->GetState()) + "@" + std::to_string(Shown(box)); });
        ParkPointer();
    }
};

TEST_F(KxCheckBoxInput, QuickClicksCycleTheCheckStatesShowingEachBeforeOnClick) {
    struct Case {
        bool allowGrayed;
        const char* clicks; // check state @ state shown during OnClick (sunken of the group)
        int lookAfter;
    };
    const Case cases[] = {
        {false, "1@5 0@1 1@5", 6},
        {true, "2@9 1@5 0@1", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.allowGrayed ? "AllowGrayed" : "no AllowGrayed");
        box->SetState(cbUnchecked);
        box->SetAllowGrayed(c.allowGrayed);
        log.entries.clear();

        for (int i = 0; i < 3; ++i)
            ClickMouse(box->Handle(), 10, 10);

        EXPECT_EQ(log.Joined(), c.clicks);
        EXPECT_EQ(Shown(box), c.lookAfter) << "focused look of the new group while hovered";
        MoveMouseTo(form.Handle(), 5, 5);
        PumpMessages(600); // the next clicks must not pair with these
    }
}

TEST_F(KxCheckBoxInput, TheSpaceCharacterClicksAndEnterOnlyPresses) {
    Focus();

    PressKey(VK_RETURN);
    EXPECT_EQ(Shown(box), 1);
    ReleaseKey(VK_RETURN);
    EXPECT_EQ(log.Joined(), "");
    EXPECT_EQ(box->GetState(), cbUnchecked);

    TapKey(VK_SPACE);
    EXPECT_EQ(log.Joined(), "1@5");
    EXPECT_EQ(Shown(box), 6);

    box->OnKeyPress = [](TObject*, char& key) {
        if (key == ' ')
            key = 0;
    };
    TapKey(VK_SPACE);
    EXPECT_EQ(log.Joined(), "1@5") << "a key-press handler that takes the Space away";
}

TEST_F(KxCheckBoxInput, WithClicksDisabledItIsNeverPressedYetStillClicks) {
    box->SetClicksDisabled(true);
    MoveMouseTo(box->Handle(), 10, 10);

    PressMouse();
    EXPECT_EQ(Shown(box), 2);
    ReleaseMouse();
    EXPECT_EQ(box->GetState(), cbChecked);

    MoveMouseTo(form.Handle(), 5, 5);
    Focus();
    PressKey(VK_SPACE);
    EXPECT_FALSE(box->IsPressed());
    ReleaseKey(VK_SPACE);

    EXPECT_EQ(log.Joined(), "1@6 0@2");
}

// ---- looks and bitmaps -----------------------------------------------------------------

TEST(KxCheckBox, WithOnlyRaisedBitmapsEachLookFallsBackToItsGroupThenToUnchecked) {
    ScratchFolder folder("kx_checkbox_raised");
    folder.AddSolidBitmap("u.bmp", 30, 20, kBoxColors[0]);
    folder.AddSolidBitmap("c.bmp", 30, 20, kBoxColors[4]);
    KxCheckBox box(nullptr);
    EXPECT_TRUE(box.LoadUnchecked(folder.Path(), "u.bmp", "", "", ""));
    EXPECT_TRUE(box.LoadChecked(folder.Path(), "c.bmp", "", "", ""));
    EXPECT_EQ(box.Width(), 30) << "the unchecked raised bitmap still sizes the box";

    struct Case {
        TCheckBoxState state;
        int shown;
    };
    for (const Case c : {Case{cbUnchecked, 0}, Case{cbChecked, 4}, Case{cbGrayed, 0}})
        for (int look = 0; look < 4; ++look) {
            SCOPED_TRACE("check state " + std::to_string(c.state) + " look " +
                         std::to_string(look));
            box.SetState(c.state);
            box.ShowChkboxBmp(look);
            EXPECT_EQ(box.CurState(), 4 * c.state + look);
            EXPECT_EQ(Shown(&box), c.shown);
        }
}

TEST(KxCheckBox, LoadingTheRaisedBitmapALookFallsBackToShowsItAtOnce) {
    ScratchFolder folder("kx_checkbox_late");
    folder.AddSolidBitmap("u.bmp", 30, 20, kBoxColors[0]);
    folder.AddSolidBitmap("c.bmp", 30, 20, kBoxColors[4]);
    KxCheckBox box(nullptr);
    box.LoadUnchecked(folder.Path(), "u.bmp", "", "", "");
    box.SetChecked(true);
    box.ShowSunken();
    ASSERT_EQ(Shown(&box), 0);

    box.LoadChecked(folder.Path(), "c.bmp", "", "", "");

    EXPECT_EQ(Shown(&box), 4);
    EXPECT_EQ(box.CurState(), 5);
}

TEST(KxCheckBox, EachLoadingOperationFillsItsOwnGroup) {
    ScratchFolder folder("kx_checkbox_groups");
    std::vector<std::string> names;
    for (int state = 0; state < 12; ++state)
        names.push_back(
            folder.AddSolidBitmap("s" + std::to_string(state) + ".bmp", 30, 20, kBoxColors[state]));
    using Load = bool (KxCheckBox::*)(AnsiString, AnsiString, AnsiString, AnsiString, AnsiString);
    struct Case {
        const char* name;
        Load load;
        int firstState;
    };
    const Case cases[] = {{"LoadUnchecked", &KxCheckBox::LoadUnchecked, 0},
                          {"LoadChecked", &KxCheckBox::LoadChecked, 4},
                          {"LoadGrayed", &KxCheckBox::LoadGrayed, 8}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KxCheckBox box(nullptr);
        const size_t first = static_cast<size_t>(c.firstState);

        EXPECT_TRUE((box.*c.load)(folder.Path(), names[first], names[first + 1], names[first + 2],
                                  names[first + 3]));

        for (int state = 0; state < 12; ++state) {
            const bool inGroup = state >= c.firstState && state < c.firstState + 4;
            EXPECT_EQ(box.IsStateEmpty(state), !inGroup) << state;
            if (inGroup) {
                EXPECT_EQ(PixelOf(box.StateBitmap(state), 1, 1), kBoxColors[state]) << state;
            }
        }
    }
}

TEST(KxCheckBox, SettingTheCheckStateKeepsTheLookAndFiresNothing) {
    KxCheckBox box(nullptr);
    SkinAllStates(&box);
    int clicks = 0;
    box.OnClick = [&](TObject*) { ++clicks; };
    box.ShowFocused();

    struct Step {
        const char* what;
        void (*act)(KxCheckBox&);
        TCheckBoxState state;
        int shown;
    };
    const Step steps[] = {
        {"Checked = true", [](KxCheckBox& b) { b.SetChecked(true); }, cbChecked, 6},
        {"State = grayed", [](KxCheckBox& b) { b.SetState(cbGrayed); }, cbGrayed, 10},
        {"Checked = false on grayed", [](KxCheckBox& b) { b.SetChecked(false); }, cbUnchecked, 2},
        {"State = grayed", [](KxCheckBox& b) { b.SetState(cbGrayed); }, cbGrayed, 10},
        {"Checked = true on grayed", [](KxCheckBox& b) { b.SetChecked(true); }, cbChecked, 6},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act(box);
        EXPECT_EQ(box.GetState(), s.state);
        EXPECT_EQ(box.GetChecked(), s.state == cbChecked);
        EXPECT_EQ(Shown(&box), s.shown);
    }
    EXPECT_EQ(clicks, 0);
}

TEST(KxCheckBox, SetAppearanceCopiesUncheckedThenCheckedThenGrayed) {
    KxCheckBox source(nullptr);
    SkinAllStates(&source);
    KxCheckBox box(nullptr);
    std::vector<int> changed;
    for (int state = 0; state < 12; ++state) {
        const TNotifyEvent handler = box.StateBitmap(state)->OnChange;
        box.StateBitmap(state)->OnChange = [&changed, handler, state](TObject* sender) {
            changed.push_back(state);
            handler(sender);
        };
    }

    box.SetAppearance(source.GetAppearance());

    EXPECT_EQ(changed, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    for (int state = 0; state < 12; ++state)
        EXPECT_EQ(PixelOf(box.StateBitmap(state), 1, 1), kBoxColors[state]) << state;
    EXPECT_EQ(box.Width(), 30);
}

TEST(KxCheckBox, AnAppearanceIsAssignedOnlyToAnotherCheckBoxAppearance) {
    KxCheckBox box(nullptr);
    SkinAllStates(&box);
    KxBrick brick(nullptr);

    EXPECT_EQ(MessageOf<EConvertError>(
                  [&] { box.GetAppearance()->GetCheck()->Assign(box.GetAppearance()); }),
              "Cannot assign a KxChkBoxAppearance to a KxFourStateAppearance");
    EXPECT_EQ(PixelOf(box.StateBitmap(4), 1, 1), kBoxColors[4]);
    EXPECT_THROW(box.GetAppearance()->Assign(brick.GetAppearance()), EConvertError);
}

} // namespace
