#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KxPackage/Source/KxButtonTx.h"
#include "framework/graphics/Font.h"
#include "framework/streaming/Published.h"
#include "tests/support/PublishedNames.h"
#include "tests/support/WinControlOnForm.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"

namespace {

const TColor kBack = 0xE0E0E0; // every state bitmap's colour unless a test says otherwise

// A text button on a shown form with three 75 x 27 bitmaps of one colour and a black "OK".
struct KxTx : ControlOnForm<KxButtonTx> {
    KxButtonTx*& button = control;
    void SetUp() override {
        Place(40, 40, 75, 27);
        button->Font()->SetName("Arial");
        button->Font()->SetHeight(-14);
        button->Font()->SetColor(clBlack);
        for (int state = 0; state < 3; ++state)
            button->SetStateBitmap(SolidBitmap(75, 27, kBack).get(), state);
        button->SetText("OK");
        MoveMouseTo(form.Handle(), 5, 5);
    }
    PixelMask Caption(TColor background = kBack) const {
        return CaptionMask(button, background, 75, 27);
    }
    int PixelsOf(TColor color) const { return DisplayPixelsOf(button, color); }
};

TEST_F(KxTx, PressingMovesTheCaptionOnePixelRightAndDownForOneDrawOnly) {
    const PixelMask raised = Caption();
    ASSERT_GT(raised.Count(), 10);
    MoveMouseTo(button->Handle(), 60, 5);
    EXPECT_EQ(Caption(), raised); // focused look: the caption stays
    PressMouse();
    EXPECT_EQ(button->CurState(), 1);
    EXPECT_EQ(Caption(), raised.Shifted(1, 1));
    // Any later repaint while still sunken draws it in place.
    button->Repaint();
    EXPECT_EQ(Caption(), raised);
    ReleaseMouse();
    EXPECT_EQ(button->CurState(), 2);
    EXPECT_EQ(Caption(), raised);
}

TEST_F(KxTx, ANewBitmapForTheStateShownKeepsTheCaptionOnTop) {
    const PixelMask raised = Caption();
    button->SetFocus(); // focused look: state 2
    ASSERT_EQ(button->CurState(), 2);
    const TColor newBack = 0xC0D0E0;
    button->GetAppearance()->SetFocusedBmp(SolidBitmap(75, 27, newBack).get());
    EXPECT_EQ(DisplayPixel(button, 2, 2), newBack);
    EXPECT_EQ(Caption(newBack), raised);
}

TEST_F(KxTx, TheCaptionMovesByHalfTheDisplacement) {
    const PixelMask raised = Caption();
    struct Case {
        int dispX, dispY, dx, dy;
    } cases[] = {{2, 2, 1, 1}, {4, 0, 2, 0}, {0, 4, 0, 2}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        button->SetDisp(c.dispX, c.dispY);
        EXPECT_EQ(Caption(), raised) << "no redraw for SetDisp";
        button->ShowSunken();
        EXPECT_EQ(Caption(), raised.Shifted(c.dx, c.dy)) << c.dispX << "," << c.dispY;
        button->ShowRaised();
    }
}

TEST_F(KxTx, TheCaptionColourFollowsTheStateAskedFor) {
    const int gray = ColorToRGB(clGrayText);
    struct Case {
        TColor sunken, focused, disabled;
        int expected[4]; // raised, sunken, focused, disabled
    } cases[] = {
        {-1, -1, -1, {clBlack, clBlack, clBlack, gray}},
        {clRed, -1, -1, {clBlack, clRed, clBlack, gray}},
        {-1, clBlue, clGreen, {clBlack, clBlack, clBlue, clGreen}},
        {clBtnText, -1, -1, {clBlack, ColorToRGB(clBtnText), clBlack, gray}},
    };
    button->SetStateBitmap(SolidBitmap(75, 27, kBack).get(), 3);
    for (const Case& c : cases) {
        button->GetFontColors()->SetSunken(c.sunken);
        button->GetFontColors()->SetFocused(c.focused);
        button->GetFontColors()->SetDisabled(c.disabled);
        int state = 0;
        for (void (KxControl::*show)() : {&KxControl::ShowRaised, &KxControl::ShowSunken,
                                          &KxControl::ShowFocused, &KxControl::ShowDisabled}) {
            (button->*show)();
            EXPECT_EQ(button->GetFontColorOfCurState(), c.expected[state]) << state;
            EXPECT_GT(PixelsOf(c.expected[state]), 0) << state;
            ++state;
        }
    }
}

TEST_F(KxTx, WithoutADisabledBitmapDisablingShowsTheRaisedBitmapWithAGrayCaption) {
    button->SetStateBitmap(SolidBitmap(75, 27, kStateColors[0]).get(), 0);
    button->SetEnabled(false);
    EXPECT_EQ(ShownState(button), 0);
    EXPECT_GT(PixelsOf(ColorToRGB(clGrayText)), 0);
    EXPECT_EQ(PixelsOf(clBlack), 0);
}

TEST_F(KxTx, TextBoundsLastUntilTheNextSetBounds) {
    const PixelMask whole = Caption();
    button->SetTextBounds(0, 0, 40, 27);
    const TRect left = Caption().Bounds();
    EXPECT_LE(left.Right, 40);
    EXPECT_NEAR(left.Left + left.Right, 40, 2); // centred in the left 40 pixels
    button->ShowFocused();
    EXPECT_EQ(Caption().Bounds(), left);

    button->SetBounds(40, 40, 75, 27);
    EXPECT_EQ(button->TextRect(), TRect(0, 0, 75, 27));
    EXPECT_EQ(Caption(), whole);

    // A state-0 bitmap arriving sets the bounds, and so the text rectangle.
    button->SetTextBounds(0, 0, 40, 27);
    button->SetStateBitmap(SolidBitmap(75, 27, kBack).get(), 0);
    EXPECT_EQ(button->TextRect(), TRect(0, 0, 75, 27));
}

TEST_F(KxTx, AFontChangeRepaintsTheCaptionAndReachesTheFramework) {
    button->SetParentFont(true); // follows the form's font again
    ASSERT_TRUE(button->ParentFont());
    button->Font()->SetColor(clBlue);
    EXPECT_GT(PixelsOf(clBlue), 0);
    // The framework's handler ran: the font is the control's own now.
    EXPECT_FALSE(button->ParentFont());
    const int small = Caption().Count();
    button->Font()->SetHeight(-22);
    EXPECT_GT(Caption().Count(), small);
}

TEST_F(KxTx, ACaptionColourSetIsAssignedWithOneRepaint) {
    // Every repaint draws the state bitmap onto the display canvas; count those draws.
    TCanvas* canvas = button->ImageCanvas();
    const TNotifyEvent previous = canvas->OnChange;
    int draws = 0;
    canvas->OnChange = [&](TObject* sender) {
        ++draws;
        if (previous)
            previous(sender);
    };
    button->SetTextBounds(0, 0, 75, 27); // one repaint
    const int perRepaint = draws;
    ASSERT_GT(perRepaint, 0);

    KxThreeStateFontColor colours;
    colours.SetSunken(clRed);
    colours.SetFocused(clBlue);
    colours.SetDisabled(clGreen);
    draws = 0;
    button->SetFontColors(&colours);
    EXPECT_EQ(draws, perRepaint);
    EXPECT_EQ(button->GetFontColors()->GetSunken(), clRed);
    EXPECT_EQ(button->GetFontColors()->GetDisabled(), clGreen);
    EXPECT_NE(button->GetFontColors(), &colours);

    draws = 0;
    button->GetFontColors()->SetSunken(clRed); // unchanged: no repaint
    EXPECT_EQ(draws, 0);
    canvas->OnChange = previous;
}

TEST_F(KxTx, AnAmpersandUnderlinesTheNextCharacterAndLineBreaksStayOnOneLine) {
    button->SetText("Yes");
    const PixelMask plain = Caption();
    button->SetText("&Yes");
    const PixelMask prefixed = Caption();
    EXPECT_GT(prefixed.Count(), plain.Count());
    int lost = 0; // pixels of "Yes" that "&Yes" does not have
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 75; ++x)
            lost += plain.At(x, y) && !prefixed.At(x, y);
    EXPECT_EQ(lost, 0);

    button->SetText("AB");
    const int oneLine = Caption().Bounds().Height();
    button->SetText("A\r\nB");
    EXPECT_LT(Caption().Bounds().Height(), oneLine * 3 / 2);
}

TEST(KxButtonTx, PublishesFontCaptionAndColoursAfterTheButtonsAndSitsOnItsPalettePage) {
    KxButtonTx::Register();
    KxButton::Register();
    const std::vector<std::string> names = PublishedNames(ClassOf<KxButtonTx>());
    // The button's list, then the caption's three.
    const std::vector<std::string> button = PublishedNames(ClassOf<KxButton>());
    ASSERT_EQ(names.size(), button.size() + 3);
    EXPECT_TRUE(std::equal(button.begin(), button.end(), names.begin()));
    EXPECT_EQ(std::vector<std::string>(names.end() - 3, names.end()),
              (std::vector<std::string>{"Font", "Caption", "FontColors"}));
    EXPECT_TRUE(OnPalettePage("KxComponentsTx", "KxButtonTx"));
}

} // namespace
