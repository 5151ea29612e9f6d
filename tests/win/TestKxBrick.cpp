#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxButton.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Font.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinControlOnForm.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinScratchFolder.h"

namespace {

// A brick on a shown form, its three states painted in kStateColors, with its mouse and
// click events written to a log. The pointer starts off the brick.
template <class Brick> struct OnAForm : ControlOnForm<Brick> {
    Brick*& brick = this->control;
    void SetUp() override {
        this->Place(40, 40, 75, 27);
        SkinStates(brick, 3);
        this->LogEnterLeave();
        this->LogMouseButtons();
        this->LogClicks();
        this->LogDoubleClicks();
        this->ParkPointer();
    }
};

using KxBrickInput = OnAForm<KxBrick>;

TEST_F(KxBrickInput, HoverShowsFocusedOnlyWithShowMouseOverAndLeavingShowsNormal) {
    ShortHoverTime hover;
    struct Case {
        bool showMouseOver;
        int lookInside;
        const char* events;
    };
    for (const Case c : {Case{true, 1, "enter leave"}, Case{false, 0, ""}}) {
        SCOPED_TRACE(c.showMouseOver ? "ShowMouseOver" : "no ShowMouseOver");
        brick->SetShowMouseOver(c.showMouseOver);
        log.entries.clear();

        MoveMouseTo(Handle(), 30, 10);
        EXPECT_EQ(Look(), c.lookInside);
        MoveMouseTo(form.Handle(), 10, 10);
        PumpUntil([&] { return log.Count("leave") == 1; }, 800);

        EXPECT_EQ(Look(), 0);
        EXPECT_FALSE(brick->IsHot());
        EXPECT_EQ(log.Joined(), c.events);
    }
}

TEST_F(KxBrickInput, ClicksAndDoubleClicksFireTheirEventsWithoutChangingTheLook) {
    MoveMouseTo(Handle(), 30, 10);
    ASSERT_EQ(Look(), 1);
    log.entries.clear();

    PressMouse();
    EXPECT_EQ(Look(), 1);
    EXPECT_FALSE(brick->IsPressed());
    ReleaseMouse();
    EXPECT_EQ(Look(), 1);
    PressMouse();
    ReleaseMouse();

    EXPECT_EQ(Look(), 1);
    EXPECT_EQ(log.Joined(), "down click up dblclick down2 up");
}

TEST_F(KxBrickInput, SpaceAndEnterNeitherPressNorClick) {
    Focus();
    ASSERT_EQ(Look(), 1);
    log.entries.clear();

    for (WORD key : {VK_SPACE, VK_RETURN}) {
        PressKey(key);
        EXPECT_EQ(Look(), 1);
        EXPECT_FALSE(brick->IsPressed());
        ReleaseKey(key);
    }

    EXPECT_EQ(Look(), 1);
    EXPECT_EQ(log.Joined(), "");
}

TEST_F(KxBrickInput, FocusEnableAndASunkenRequestShowTheirBitmaps) {
    Focus();
    EXPECT_EQ(Look(), 1);
    brick->ShowSunken();
    EXPECT_EQ(Look(), 0) << "a brick has no sunken bitmap: the normal one stands for it";
    EXPECT_EQ(brick->CurState(), 0);
    brick->SetEnabled(false);
    EXPECT_EQ(Look(), 2);
    brick->SetEnabled(true);
    EXPECT_EQ(Look(), 0);
}

// ---- appearance ------------------------------------------------------------------------

TEST(KxBrick, LoadBitmapSetsTheNamedStatesAndKeepsTheOthers) {
    ScratchFolder folder("kx_brick_load");
    folder.AddSolidBitmap("n.bmp", 30, 20, kStateColors[0]);
    folder.AddSolidBitmap("f.bmp", 30, 20, kStateColors[1]);
    folder.AddSolidBitmap("d.bmp", 30, 20, kStateColors[2]);
    folder.AddSolidBitmap("n2.bmp", 12, 10, kStateColors[3]);
    KxBrick brick(nullptr);

    EXPECT_TRUE(brick.LoadBitmap(folder.Path(), "n.bmp", "f.bmp", "d.bmp"));
    EXPECT_EQ(brick.Width(), 30);
    for (int state = 0; state < 3; ++state)
        EXPECT_EQ(PixelOf(brick.StateBitmap(state), 1, 1), kStateColors[state]) << state;

    // A trailing "\" is not doubled; empty names keep their states.
    EXPECT_TRUE(brick.LoadBitmap(folder.Path() + "\\", "n2.bmp", "", ""));
    EXPECT_EQ(brick.Width(), 12);
    EXPECT_EQ(PixelOf(brick.StateBitmap(0), 1, 1), kStateColors[3]);
    EXPECT_EQ(PixelOf(brick.StateBitmap(1), 1, 1), kStateColors[1]);
    EXPECT_EQ(PixelOf(brick.StateBitmap(2), 1, 1), kStateColors[2]);

    EXPECT_THROW(brick.LoadBitmap(folder.Path(), "n.bmp", "missing.bmp", ""), EFOpenError);
    EXPECT_EQ(brick.Width(), 12) << "nothing changes when a file cannot be read";
}

TEST(KxBrick, SetAppearanceCopiesNormalFocusedDisabledInThatOrder) {
    KxBrick source(nullptr);
    SkinStates(&source, 3, 20, 10);
    KxBrick brick(nullptr);
    std::vector<int> changed;
    for (int state = 0; state < 3; ++state) {
        const TNotifyEvent inherited = brick.StateBitmap(state)->OnChange;
        brick.StateBitmap(state)->OnChange = [&changed, inherited, state](TObject* sender) {
            changed.push_back(state);
            inherited(sender);
        };
    }

    brick.SetAppearance(source.GetAppearance());

    EXPECT_EQ(changed, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(brick.Width(), 20);
    for (int state = 0; state < 3; ++state)
        EXPECT_EQ(PixelOf(brick.StateBitmap(state), 1, 1), kStateColors[state]) << state;
}

TEST(KxBrick, ItsAppearanceIsAssignedOnlyToAThreeStateAppearance) {
    KxBrick brick(nullptr);
    SkinStates(&brick, 3, 20, 10);
    KxButton button(nullptr);
    SkinStates(&button, 4, 30, 12);

    EXPECT_EQ(
        MessageOf<EConvertError>([&] { button.GetAppearance()->Assign(brick.GetAppearance()); }),
        "Cannot assign a KxThreeStateAppearance to a KxFourStateAppearance");
    EXPECT_EQ(button.Width(), 30);
    EXPECT_EQ(PixelOf(button.StateBitmap(0), 1, 1), kStateColors[0]);
}

// ---- the brick with a caption ----------------------------------------------------------

constexpr TColor kBlack = 0x000000;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kRed = 0x0000FF;

struct KxBrickTxCaption : OnAForm<KxBrickTx> {
    void SetUp() override {
        OnAForm<KxBrickTx>::SetUp();
        brick->Font()->SetName("Arial");
        brick->Font()->SetHeight(-16);
        brick->Font()->SetStyle(fsBold);
        brick->Font()->SetColor(kBlack);
        brick->SetCaption("Hello");
    }
    // The caption as painted on the display image over the current state's colour.
    PixelMask Caption() const { return CaptionMask(brick, kStateColors[Look()], 75, 27); }
    int CaptionPixelsOf(TColor color) const { return DisplayPixelsOf(brick, color); }
};

TEST_F(KxBrickTxCaption, TakesItsColourFromTheStateAskedFor) {
    const TColor grayText = static_cast<TColor>(ColorToRGB(clGrayText));
    struct Case {
        int state;
        TColor focused;
        TColor disabled;
        TColor expected;
    };
    const Case cases[] = {
        {0, kBlue, kRed, kBlack}, {1, kBlue, kRed, kBlue}, {2, kBlue, kRed, kRed},
        {1, -1, -1, kBlack},      {2, -1, -1, grayText},   {2, kBlue, -1, grayText},
        {0, -1, -1, kBlack},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.state) + " focused " + std::to_string(c.focused) +
                     " disabled " + std::to_string(c.disabled));
        brick->GetFontColors()->SetFocused(c.focused);
        brick->GetFontColors()->SetDisabled(c.disabled);

        brick->ShowBitmap(c.state);

        EXPECT_EQ(brick->GetFontColorOfCurState(), c.expected);
        EXPECT_GT(CaptionPixelsOf(c.expected), 10);
        for (TColor other : {kBlack, kBlue, kRed, grayText}) {
            if (other != c.expected) {
                EXPECT_EQ(CaptionPixelsOf(other), 0) << std::hex << other;
            }
        }
    }
}

TEST_F(KxBrickTxCaption, IsNeverDisplaced) {
    const PixelMask resting = Caption();
    ASSERT_GT(resting.Count(), 20);
    brick->SetDisp(6, 4);

    brick->ShowSunken();
    EXPECT_EQ(Caption(), resting);
    MoveMouseTo(Handle(), 30, 10);
    PressMouse();
    brick->ShowRaised();
    EXPECT_EQ(Caption(), resting);
    ReleaseMouse();
}

TEST_F(KxBrickTxCaption, ChangesReachTheScreenAtOnce) {
    PumpMessages(30);
    HDC dc = GetDC(Handle());
    auto onScreen = [&](TColor color) {
        int n = 0;
        for (int y = 0; y < 27; ++y)
            for (int x = 0; x < 75; ++x)
                n += static_cast<TColor>(GetPixel(dc, x, y)) == color;
        return n;
    };
    ASSERT_GT(onScreen(kBlack), 10);

    brick->SetCaption("");
    EXPECT_FALSE(GetUpdateRect(Handle(), nullptr, FALSE)) << "painted, not invalidated";
    EXPECT_EQ(onScreen(kBlack), 0);

    brick->SetCaption("Again");
    EXPECT_FALSE(GetUpdateRect(Handle(), nullptr, FALSE));
    EXPECT_GT(onScreen(kBlack), 10);

    brick->GetFontColors()->SetFocused(kBlue);
    brick->ShowFocused();
    EXPECT_FALSE(GetUpdateRect(Handle(), nullptr, FALSE));
    EXPECT_GT(onScreen(kBlue), 10);
    ReleaseDC(Handle(), dc);
}

} // namespace
