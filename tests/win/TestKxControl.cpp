#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "KxPackage/Source/KxButton.h"
#include "KxPackage/Source/KxControl.h"
#include "tessel/Graphics/WinRegion.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/WinControlOnForm.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinTestForm.h"
#include "tests/support/WinWindowShape.h"

namespace {

// A four-state button on a shown form, its states painted in kStateColors, with its clicks
// (and the look shown while OnClick runs), enters and leaves written to a log. The pointer
// starts off the button.
struct KxInput : ControlOnForm<KxButton> {
    KxButton*& button = control;
    void SetUp() override {
        Place(40, 40, 75, 27);
        SkinStates(button, 4);
        LogClicks([this] { return "click@" + std::to_string(Look()); });
        LogEnterLeave();
        ParkPointer();
    }
    HWND Button() const { return Handle(); }
};

TEST_F(KxInput, HoverPressAndReleaseInsideShowFocusedSunkenThenFocusedAndClickWhileSunken) {
    MoveMouseTo(Button(), 30, 10);
    EXPECT_EQ(Look(), 2);
    PressMouse();
    EXPECT_EQ(Look(), 1);
    EXPECT_TRUE(button->IsPressed());
    ReleaseMouse();
    EXPECT_EQ(Look(), 2);
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(log.Joined(), "enter click@1");
}

TEST_F(KxInput, DraggingAPressOffReleasesTheLookAndDraggingBackPressesAgain) {
    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    MoveMouseTo(Button(), 150, 10);
    EXPECT_EQ(Look(), 0);
    EXPECT_FALSE(button->IsPressed());
    MoveMouseTo(Button(), 20, 12);
    EXPECT_EQ(Look(), 1);
    ReleaseMouse();
    EXPECT_EQ(Look(), 2);
    // Leaving with the button held is no leave; coming back is an enter.
    EXPECT_EQ(log.Joined(), "enter enter click@1");
}

TEST_F(KxInput, ReleasingOutsideGivesNoClickAndNoMouseLeave) {
    ShortHoverTime hover;
    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    MoveMouseTo(Button(), 150, 10);
    ReleaseMouse();
    PumpMessages(300); // time for a late leave notification
    EXPECT_EQ(Look(), 0);
    EXPECT_EQ(log.Joined(), "enter");
}

TEST_F(KxInput, PointerLeavingShowsRaisedAndFiresOnMouseLeave) {
    ShortHoverTime hover;
    MoveMouseTo(Button(), 30, 10);
    EXPECT_EQ(Look(), 2);
    // Onto the form: the button hears of it only through the leave notification.
    MoveMouseTo(form.Handle(), 10, 10);
    EXPECT_TRUE(PumpUntil([&] { return log.Count("leave") == 1; }, 1500)) << log.Joined();
    EXPECT_EQ(Look(), 0);
    EXPECT_FALSE(button->IsHot());
}

TEST_F(KxInput, WithoutShowMouseOverHoverKeepsTheRaisedLook) {
    button->SetShowMouseOver(false);
    MoveMouseTo(Button(), 30, 10);
    EXPECT_EQ(Look(), 0);
    EXPECT_FALSE(button->IsHot());
    PressMouse();
    EXPECT_EQ(Look(), 1);
    ReleaseMouse();
    EXPECT_EQ(Look(), 0);
    EXPECT_EQ(log.Joined(), "enter click@1");
}

TEST_F(KxInput, SpaceHeldAcrossAMouseClickKeepsTheSunkenLookUntilSpaceComesUp) {
    Focus();
    EXPECT_EQ(Look(), 2);
    PressKey(VK_SPACE);
    EXPECT_EQ(Look(), 1);
    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    ReleaseMouse();
    EXPECT_EQ(Look(), 1);
    EXPECT_TRUE(button->IsPressed());
    ReleaseKey(VK_SPACE);
    EXPECT_EQ(Look(), 2);
    EXPECT_FALSE(button->IsPressed());
    // The Space character clicks, and so does the mouse.
    EXPECT_EQ(log.Joined(), "click@1 enter click@1");
}

TEST_F(KxInput, SpaceReleasedWhileTheMouseHoldsThePressEndsWithTheMouse) {
    Focus();
    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    PressKey(VK_SPACE);
    ReleaseKey(VK_SPACE);
    EXPECT_EQ(Look(), 1);
    ReleaseMouse();
    EXPECT_EQ(Look(), 2);
    EXPECT_FALSE(button->IsPressed());
}

TEST_F(KxInput, EnterGivesThePressedLookWhileHeldButNoClick) {
    Focus();
    PressKey(VK_RETURN);
    EXPECT_EQ(Look(), 1);
    ReleaseKey(VK_RETURN);
    EXPECT_EQ(Look(), 2);
    EXPECT_EQ(log.Joined(), "");
}

TEST_F(KxInput, DisablingClicksWhilePressedEndsThePressAndLaterPressesShowNoSunkenLook) {
    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    ASSERT_EQ(Look(), 1);
    button->SetClicksDisabled(true);
    EXPECT_EQ(Look(), 2); // hovered
    EXPECT_FALSE(button->IsPressed());
    ReleaseMouse();
    EXPECT_EQ(Look(), 2);
    PressMouse();
    EXPECT_EQ(Look(), 2);
    ReleaseMouse();
    PressKey(VK_SPACE);
    ReleaseKey(VK_SPACE);
    EXPECT_EQ(Look(), 2);
}

TEST_F(KxInput, APressWhoseCaptureIsTakenAwayEndsWithoutAClickEvenOnALaterRelease) {
    struct Case {
        const char* what;
        std::function<void()> lose;
        std::function<void()> restore;
        int lookAfter;
    };
    const Case cases[] = {
        {"another window takes the capture", [&] { SetCapture(form.Handle()); },
         [] { ReleaseCapture(); }, 2},
        {"the form is disabled, as for a modal box", [&] { EnableWindow(form.Handle(), FALSE); },
         [&] { EnableWindow(form.Handle(), TRUE); }, 2},
        {"the mode is cancelled", [&] { SendMessageA(Button(), WM_CANCELMODE, 0, 0); }, [] {}, 2},
        {"the button is disabled", [&] { button->SetEnabled(false); },
         [&] { button->SetEnabled(true); }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MoveMouseTo(Button(), 30, 10);
        PressMouse();
        ASSERT_EQ(Look(), 1);
        log.entries.clear();

        c.lose();
        PumpMessages(20);
        EXPECT_FALSE(button->IsPressed());
        c.restore();
        EXPECT_EQ(Look(), c.lookAfter);
        ReleaseMouse();

        EXPECT_FALSE(button->IsPressed());
        EXPECT_EQ(log.Joined().find("click"), std::string::npos) << log.Joined();
        MoveMouseTo(form.Handle(), 5, 5);
        PumpMessages(20);
    }
}

TEST_F(KxInput, DisablingAHoveredButtonShowsDisabledAndEnablingShowsRaised) {
    MoveMouseTo(Button(), 30, 10);
    ASSERT_EQ(Look(), 2);
    button->SetEnabled(false);
    EXPECT_EQ(Look(), 3);
    EXPECT_FALSE(button->IsHot());
    button->SetEnabled(true);
    EXPECT_EQ(Look(), 0); // the pointer is still over it
    MoveMouseTo(Button(), 31, 11);
    EXPECT_EQ(Look(), 2);
    EXPECT_EQ(log.Joined(), "enter enter");
}

TEST_F(KxInput, DisablingTheFocusedButtonShowsDisabled) {
    Focus();
    button->SetEnabled(false);
    PumpMessages(30);
    EXPECT_EQ(Look(), 3);
}

TEST_F(KxInput, FocusShowsFocusedAndAPressTakesTheFocusOnlyWithTabStop) {
    auto* other = new TWinControl(form.form.get());
    other->SetParent(form.form.get());
    other->SetBounds(150, 120, 40, 30);
    other->SetTabStop(true);

    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    ReleaseMouse();
    EXPECT_FALSE(button->Focused());

    Focus();
    MoveMouseTo(form.Handle(), 10, 10);
    PumpMessages(30);
    EXPECT_EQ(Look(), 2); // focused, not hovered
    other->SetFocus();
    PumpMessages(20);
    EXPECT_EQ(Look(), 0);

    MoveMouseTo(Button(), 30, 10);
    PressMouse();
    ReleaseMouse();
    EXPECT_TRUE(button->Focused());
    MoveMouseTo(form.Handle(), 12, 12);
    PumpMessages(30);
    EXPECT_EQ(Look(), 2);
}

// ---- The state bitmaps, the size and the shape ----------------------------------------

struct KxShape : ControlOnForm<KxButton> {
    KxButton*& button = control;
    void SetUp() override { Place(20, 20, 200, 100); }
    SIZE WindowSize() const {
        RECT r;
        GetWindowRect(button->Handle(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
};

TEST_F(KxShape, StateZeroBitmapGivesTheSizeAndTheWindowKeepsIt) {
    EXPECT_EQ(button->BoundsRect(), TRect(20, 20, 220, 120)); // no bitmap: any size
    button->SetStateBitmap(SolidBitmap(100, 40, kStateColors[1]).get(), 1);
    EXPECT_EQ(button->Width(), 200);
    SkinStates(button, 1);
    EXPECT_EQ(button->BoundsRect(), TRect(20, 20, 95, 47));
    button->SetBounds(5, 6, 120, 60);
    EXPECT_EQ(button->BoundsRect(), TRect(5, 6, 80, 33));
    // Sized behind the framework's back, through the window itself.
    SetWindowPos(button->Handle(), nullptr, 0, 0, 200, 90, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(WindowSize().cx, 75);
    EXPECT_EQ(WindowSize().cy, 27);
    EXPECT_EQ(button->Width(), 75);
}

TEST_F(KxShape, EditingTheLiveStateZeroBitmapResizesAndRedraws) {
    SkinStates(button, 1);
    button->StateBitmap(0)->Assign(SolidBitmap(50, 20, kStateColors[2]).get());
    EXPECT_EQ(button->Width(), 50);
    EXPECT_EQ(button->Height(), 20);
    EXPECT_EQ(ShownState(button), 2);
}

TEST_F(KxShape, AStateWithoutABitmapShowsStateZeroButCurStateKeepsTheRequest) {
    SkinStates(button, 1);
    struct Case {
        void (KxControl::*show)();
        int asked;
    } cases[] = {{&KxControl::ShowSunken, 1},
                 {&KxControl::ShowFocused, 2},
                 {&KxControl::ShowDisabled, 3},
                 {&KxControl::ShowRaised, 0}};
    for (const Case& c : cases) {
        (button->*c.show)();
        EXPECT_EQ(button->CurState(), c.asked);
        EXPECT_EQ(ShownState(button), 0) << c.asked;
    }
}

TEST_F(KxShape, ABitmapArrivingForTheStateAskedForIsShownAtOnce) {
    SkinStates(button, 1);
    button->ShowFocused();
    ASSERT_EQ(ShownState(button), 0);
    button->SetStateBitmap(SolidBitmap(75, 27, kStateColors[2]).get(), 2);
    EXPECT_EQ(ShownState(button), 2);
    // A bitmap for a state not on show changes nothing visible.
    button->SetStateBitmap(SolidBitmap(75, 27, kStateColors[1]).get(), 1);
    EXPECT_EQ(ShownState(button), 2);
    // Changing the live bitmap of the state on show redraws it.
    button->StateBitmap(2)->Assign(SolidBitmap(75, 27, kStateColors[3]).get());
    EXPECT_EQ(ShownState(button), 3);
}

TEST_F(KxShape, ATransparentControlIsCutToItsStateZeroBitmapInEveryLook) {
    for (int state = 0; state < 4; ++state)
        button->SetStateBitmap(CorneredBitmap(75, 27, kStateColors[state]).get(), state);
    EXPECT_EQ(button->GetTransparentColor(), kSkinKey);
    button->SetTransparent(true);

    tessel::WinRegion expected;
    expected.FromBitmap(CorneredBitmap(75, 27, kStateColors[0]).get(), kSkinKey);
    HRGN expectedCopy = expected.Copy();
    for (void (KxControl::*show)() : {&KxControl::ShowRaised, &KxControl::ShowSunken,
                                      &KxControl::ShowFocused, &KxControl::ShowDisabled}) {
        (button->*show)();
        const WindowShape shape(button->Handle());
        ASSERT_EQ(shape.kind, COMPLEXREGION);
        EXPECT_TRUE(shape.Equals(expectedCopy)) << button->CurState();
    }
    DeleteObject(expectedCopy);

    // The hit test follows the shape.
    EXPECT_FALSE(button->IsInside(0, 0));
    EXPECT_FALSE(button->IsInside(74, 26));
    EXPECT_TRUE(button->IsInside(2, 0));
    EXPECT_TRUE(button->IsInside(37, 13));
    EXPECT_FALSE(button->IsInside(75, 13));

    // Not transparent: the whole rectangle again.
    button->SetTransparent(false);
    EXPECT_EQ(WindowShape(button->Handle()).kind, ERROR); // no window region at all
    EXPECT_TRUE(button->IsInside(0, 0));
}

TEST_F(KxShape, WhileDesigningTheShapeIsBuiltButTheWindowIsNotCut) {
    button->SetComponentState(csDesigning, true);
    button->SetStateBitmap(CorneredBitmap(75, 27, kStateColors[0]).get(), 0);
    button->SetTransparent(true);
    EXPECT_EQ(WindowShape(button->Handle()).kind, ERROR);
    EXPECT_FALSE(button->IsInside(0, 0));
    EXPECT_TRUE(button->IsInside(37, 13));
    button->SetComponentState(csDesigning, false);
}

TEST_F(KxShape, ATransparentControlWithoutBitmapsHasNoShapeAndNothingIsInside) {
    button->SetTransparent(true);
    EXPECT_EQ(WindowShape(button->Handle()).kind, ERROR);
    for (TPoint p : {TPoint(0, 0), TPoint(100, 50), TPoint(199, 99)})
        EXPECT_FALSE(button->IsInside(p.x, p.y));
}

TEST_F(KxShape, AnEightBitStateZeroBitmapIsCutAndKeepsItsFormat) {
    auto skin = CorneredBitmap(75, 27, kStateColors[0]);
    skin->SetPixelFormat(pf8bit);
    button->SetStateBitmap(skin.get(), 0);
    button->SetTransparent(true);
    EXPECT_EQ(button->StateBitmap(0)->PixelFormat(), pf8bit);
    const WindowShape shape(button->Handle());
    ASSERT_EQ(shape.kind, COMPLEXREGION);
    EXPECT_FALSE(shape.Contains(0, 0));
    EXPECT_TRUE(shape.Contains(37, 13));
    EXPECT_EQ(button->Width(), 75);
}

TEST_F(KxShape, TransparentColorIsStoredAsRgb) {
    button->SetTransparentColor(clBtnFace);
    EXPECT_EQ(button->GetTransparentColor(), ColorToRGB(clBtnFace) & 0xFFFFFF);
    button->SetTransparentColor(0x00123456);
    EXPECT_EQ(button->GetTransparentColor(), 0x00123456);
}

TEST_F(KxShape, ATransparentColorSetLaterRecutsTheWindow) {
    button->SetStateBitmap(CorneredBitmap(75, 27, kStateColors[0]).get(), 0);
    button->SetTransparent(true);
    button->SetTransparentColor(kStateColors[0]); // now the body is the key
    EXPECT_FALSE(button->IsInside(37, 13));
    EXPECT_TRUE(button->IsInside(0, 0));
}

TEST_F(KxShape, EraseBackgroundIsAnsweredWithoutErasingExceptWhileDesigning) {
    // Even without csOpaque, which would keep the framework from erasing as well.
    button->ControlStyle.Exclude(csOpaque);
    button->SetColor(clBlue);
    auto target = SolidBitmap(10, 10, clRed);
    const WPARAM dc = reinterpret_cast<WPARAM>(target->Canvas()->Handle());
    EXPECT_EQ(SendMessageA(button->Handle(), WM_ERASEBKGND, dc, 0), 1);
    EXPECT_EQ(CountOf(target.get(), TRect(0, 0, 10, 10), clRed), 100);

    button->SetComponentState(csDesigning, true);
    SendMessageA(button->Handle(), WM_ERASEBKGND, dc, 0);
    button->SetComponentState(csDesigning, false);
    EXPECT_EQ(CountOf(target.get(), TRect(0, 0, 10, 10), clBlue), 100);
}

TEST(KxCustomControl, WithoutAWindowTakesItsBitmapsAndGetsItsShapeWhenTheWindowIsMade) {
    ShownForm form;
    auto* control = new KxCustomControl(form.form.get(), false, 2);
    control->SetStateBitmap(CorneredBitmap(75, 27, kStateColors[0]).get(), 0);
    control->SetTransparent(true);
    EXPECT_FALSE(control->HandleAllocated());
    EXPECT_EQ(control->Width(), 75);
    control->SetParent(form.form.get());
    ASSERT_TRUE(control->HandleAllocated());
    const WindowShape shape(control->Handle());
    EXPECT_EQ(shape.kind, COMPLEXREGION);
    EXPECT_FALSE(shape.Contains(0, 0));
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

TEST(KxCustomControl, AskedForItsWindowBeforeItsFormHasOneGetsExactlyOneWindow) {
    TForm form(nullptr);
    auto* button = new KxButton(&form);
    button->SetParent(&form);
    SkinStates(button, 1);
    HWND window = button->Handle(); // makes the form's window, and so the button's
    int children = 0;
    EnumChildWindows(form.Handle(), CountChild, reinterpret_cast<LPARAM>(&children));
    EXPECT_EQ(children, 1);
    EXPECT_EQ(GetParent(window), form.Handle());
}

TEST(KxCustomControl, AStateCountOfZeroFailsTheDisplaysCheck) {
    EXPECT_EQ(AssertionTextOf([] { KxCustomControl control(nullptr, false, 0); }),
              "Assertion failed: stateCount > 0, file tessel/Component/Source/TBmpLEDCtrl, line "
              "21");
}

} // namespace
