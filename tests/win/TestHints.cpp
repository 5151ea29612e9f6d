#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KxPackage/Source/KxButton.h"
#include "KxPackage/Source/KxNumLED.h"
#include "framework/ui/Application.h"
#include "tests/support/WinHintWindow.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinTestForm.h"

namespace {

// A shown form whose ShowHint is true, with short hint times; the pointer starts on the
// form's bare corner. Each case puts one control on it.
struct HintInput : ::testing::Test {
    HintWindowCleanup cleanup;
    ShortHoverTime hover;
    ShownForm form{300, 200};

    void SetUp() override {
        Application->HintPause = 300;
        Application->HintHidePause = 10000;
        form->SetShowHint(true);
        MoveMouseTo(form.Handle(), 290, 190);
    }
    void TearDown() override {
        Application->HintPause = 500;
        Application->HintHidePause = 2500;
        Application->SetShowHint(true);
        MoveMouseTo(form.Handle(), 290, 190);
    }
    // Rests the pointer on the control's middle and waits for the hint; the time it took.
    DWORD RestOn(TControl* control) {
        const TPoint middle =
            control->ClientToScreen(TPoint(control->Width() / 2, control->Height() / 2));
        const DWORD start = GetTickCount();
        MoveMouseTo(middle.x, middle.y);
        PumpUntil([] { return !VisibleHintText().empty(); }, 2000);
        return GetTickCount() - start;
    }
};

// The kinds of control a hint may sit on: windowless ones get their moves from the form, the
// skinned button keeps its leave notice to itself.
std::unique_ptr<TControl> MakeControl(const std::string& kind, TForm* form) {
    std::unique_ptr<TControl> control;
    if (kind == "windowless") {
        control = std::make_unique<TControl>(nullptr);
    } else if (kind == "button") {
        auto button = std::make_unique<KxButton>(nullptr);
        SkinStates(button.get(), 4);
        control = std::move(button);
    } else {
        control = std::make_unique<KxNumLed>(nullptr);
    }
    control->SetParent(form);
    control->SetBounds(40, 40, 80, 30);
    return control;
}

TEST_F(HintInput, RestingOnAControlShowsItsHintAfterThePauseAndLeavingHidesIt) {
    struct Case {
        const char* kind;
        bool leaveTheForm; // else to the form's bare area
    };
    const Case cases[] = {{"windowless", false}, {"windowless", true}, {"button", false},
                          {"button", true},      {"numled", false},    {"numled", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + (c.leaveTheForm ? " leaving the form" : ""));
        std::unique_ptr<TControl> control = MakeControl(c.kind, form.form.get());
        control->SetHint(std::string("Hint of the ") + c.kind);
        EXPECT_TRUE(control->ShowHint()) << "follows the form";
        PumpMessages(20);

        EXPECT_GE(RestOn(control.get()), 250u) << "not before the pause";
        EXPECT_EQ(VisibleHintText(), std::string("Hint of the ") + c.kind);
        // Below the pointer, not under it.
        RECT hint;
        GetWindowRect(HintWindowHandle(), &hint);
        POINT pointer;
        GetCursorPos(&pointer);
        EXPECT_GT(hint.top, pointer.y);

        if (c.leaveTheForm) {
            RECT frame;
            GetWindowRect(form.Handle(), &frame);
            MoveMouseTo(frame.right + 40, frame.bottom + 40);
        } else {
            MoveMouseTo(form.Handle(), 200, 150);
        }
        EXPECT_TRUE(PumpUntil([] { return VisibleHintText().empty(); }, 1500));
        MoveMouseTo(form.Handle(), 290, 190);
    }
}

TEST_F(HintInput, APressOrTheHidePauseHidesTheHintUntilThePointerComesBack) {
    std::unique_ptr<TControl> control = MakeControl("button", form.form.get());
    control->SetHint("Press me");
    RestOn(control.get());
    ASSERT_EQ(VisibleHintText(), "Press me");

    PressMouse();
    EXPECT_EQ(VisibleHintText(), "");
    ReleaseMouse();
    PumpMessages(600);
    EXPECT_EQ(VisibleHintText(), "") << "the pointer rests on, but the hint stays away";

    Application->HintHidePause = 300;
    MoveMouseTo(form.Handle(), 200, 150);
    RestOn(control.get());
    EXPECT_EQ(VisibleHintText(), "Press me") << "back after leaving";
    EXPECT_TRUE(PumpUntil([] { return VisibleHintText().empty(); }, 1500)) << "hide pause";
    PumpMessages(500);
    EXPECT_EQ(VisibleHintText(), "");

    Application->SetShowHint(false);
    MoveMouseTo(form.Handle(), 200, 150);
    RestOn(control.get());
    EXPECT_EQ(VisibleHintText(), "") << "the application's ShowHint is false";
}

TEST_F(HintInput, AControlDestroyedWhileItsHintWaitsShowsNothing) {
    std::unique_ptr<TControl> control = MakeControl("windowless", form.form.get());
    control->SetHint("Gone");
    const TPoint middle = control->ClientToScreen(TPoint(40, 15));
    MoveMouseTo(middle.x, middle.y);
    control.reset();
    PumpMessages(600);
    EXPECT_EQ(VisibleHintText(), "");
}

TEST(Hints, ParentShowHintFollowsTheParentUntilShowHintIsSet) {
    TForm form(nullptr);
    TWinControl panel(nullptr);
    panel.SetParent(&form);
    TControl child(nullptr);
    child.SetParent(&panel);
    // Each step and then (form, panel, child) ShowHint and the child's ParentShowHint.
    struct Step {
        const char* name;
        std::function<void()> act;
        bool form, panel, child, childFollows;
    };
    const Step steps[] = {
        {"start", [] {}, false, false, false, true},
        {"form on", [&] { form.SetShowHint(true); }, true, true, true, true},
        {"child set off", [&] { child.SetShowHint(false); }, true, true, false, false},
        {"form off and on",
         [&] {
             form.SetShowHint(false);
             form.SetShowHint(true);
         },
         true, true, false, false},
        {"child follows again", [&] { child.SetParentShowHint(true); }, true, true, true, true},
        {"panel set off", [&] { panel.SetShowHint(false); }, true, false, false, true},
        {"form off, panel keeps", [&] { form.SetShowHint(false); }, false, false, false, true},
        {"panel follows again", [&] { panel.SetParentShowHint(true); }, false, false, false, true},
        {"form on reaches the child", [&] { form.SetShowHint(true); }, true, true, true, true},
        {"child set to the same value", [&] { child.SetShowHint(true); }, true, true, true, false},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        EXPECT_EQ(form.ShowHint(), step.form);
        EXPECT_EQ(panel.ShowHint(), step.panel);
        EXPECT_EQ(child.ShowHint(), step.child);
        EXPECT_EQ(child.ParentShowHint(), step.childFollows);
    }
    // A control put on a parent takes the parent's value.
    TControl late(nullptr);
    late.SetParent(&panel);
    EXPECT_TRUE(late.ShowHint());
    child.SetParent(nullptr);
    late.SetParent(nullptr);
    panel.SetParent(nullptr);
}

} // namespace
