#include <gtest/gtest.h>

#include <string>

#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestForm.h"

namespace {

// A control that writes down what reaches it: "down X,Y", "move X,Y", "up X,Y", "click",
// "dblclick", "leave".
template <class Base> class Probe : public Base {
public:
    Probe(TComponent* owner, EventLog& log, const char* name) : Base(owner), m_log(log) {
        m_name = name;
    }
    using Base::ControlStyle;

protected:
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override {
        m_log.Add(m_name + (b == mbLeft ? ".down " : ".rdown ") + (s & ssDouble ? "double " : "") +
                  Pos(x, y));
        Base::MouseDown(b, s, x, y);
    }
    void MouseMove(TShiftState s, int x, int y) override {
        m_log.Add(m_name + ".move " + Pos(x, y));
        Base::MouseMove(s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override {
        m_log.Add(m_name + (b == mbLeft ? ".up " : ".rup ") + Pos(x, y));
        Base::MouseUp(b, s, x, y);
    }
    void Click() override {
        m_log.Add(m_name + ".click");
        Base::Click();
    }
    void DblClick() override {
        m_log.Add(m_name + ".dblclick");
        Base::DblClick();
    }
    void WndProc(TMessage& m) override {
        if (m.Msg == WM_MOUSELEAVE)
            m_log.Add(m_name + ".leave");
        Base::WndProc(m);
    }

private:
    static std::string Pos(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    EventLog& m_log;
    std::string m_name;
};

// Entries of the log that start with a prefix, moves left out.
std::string WithoutMoves(const EventLog& log) {
    std::string all;
    for (const auto& e : log.entries)
        if (e.find(".move") == std::string::npos)
            all += (all.empty() ? "" : " ") + e;
    return all;
}

struct InputTest : ::testing::Test {
    EventLog log;
    ShownForm form{300, 200};
    // A windowless control at (20, 30), 100 x 60, and a windowed one at (150, 30), 100 x 60.
    Probe<TControl>* plain = nullptr;
    Probe<TWinControl>* windowed = nullptr;

    void SetUp() override {
        plain = new Probe<TControl>(form.form.get(), log, "plain");
        plain->SetParent(form.form.get());
        plain->SetBounds(20, 30, 100, 60);
        windowed = new Probe<TWinControl>(form.form.get(), log, "win");
        windowed->SetParent(form.form.get());
        windowed->SetBounds(150, 30, 100, 60);
        PumpMessages(30);
        // Start every test with the pointer off the controls and no button held.
        MoveMouseTo(form.Handle(), 5, 5);
        log.entries.clear();
    }
};

TEST_F(InputTest, PressAndReleaseInsideClickBeforeMouseUp) {
    for (HWND window : {form.Handle(), windowed->Handle()}) {
        const bool onPlain = window == form.Handle();
        log.entries.clear();
        ClickMouse(window, onPlain ? 30 : 10, onPlain ? 40 : 10);
        const std::string name = onPlain ? "plain" : "win";
        EXPECT_EQ(WithoutMoves(log), name + ".down 10,10 " + name + ".click " + name + ".up 10,10")
            << name;
    }
}

TEST_F(InputTest, DragOutsideKeepsTheMouseAndGivesNoClick) {
    for (TControl* control : {static_cast<TControl*>(plain), static_cast<TControl*>(windowed)}) {
        log.entries.clear();
        const TPoint start = control->ClientToScreen(TPoint(50, 30));
        MoveMouseTo(start.x, start.y);
        PressMouse();
        EXPECT_TRUE(GetCaptureControl() == control);
        // Far off the control and off the form: moves still arrive, in the control's own
        // coordinates.
        MoveMouseTo(start.x + 400, start.y + 250);
        ReleaseMouse();
        const std::string name = control == plain ? "plain" : "win";
        EXPECT_EQ(log.Count(name + ".move 450,280"), 1) << log.Joined();
        EXPECT_EQ(WithoutMoves(log), name + ".down 50,30 " + name + ".up 450,280");
        EXPECT_TRUE(GetCaptureControl() == nullptr);
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(InputTest, DragOutAndBackInClicks) {
    const TPoint start = plain->ClientToScreen(TPoint(5, 5));
    MoveMouseTo(start.x, start.y);
    PressMouse();
    MoveMouseTo(start.x + 300, start.y);
    MoveMouseTo(start.x + 10, start.y + 10);
    ReleaseMouse();
    EXPECT_EQ(WithoutMoves(log), "plain.down 5,5 plain.click plain.up 15,15");
}

TEST_F(InputTest, QuickSecondPressIsADoubleClickOnlyWithDoubleClicksStyle) {
    struct Case {
        bool doubleClicks;
        const char* expected;
    } cases[] = {
        {true, "plain.down 10,10 plain.click plain.up 10,10 plain.dblclick plain.down double "
               "10,10 plain.up 10,10"},
        {false, "plain.down 10,10 plain.click plain.up 10,10 plain.down 10,10 plain.click "
                "plain.up 10,10"},
    };
    for (const Case& c : cases) {
        if (c.doubleClicks)
            plain->ControlStyle.Include(csDoubleClicks);
        else
            plain->ControlStyle.Exclude(csDoubleClicks);
        log.entries.clear();
        MoveMouseTo(form.Handle(), 30, 40);
        PressMouse();
        ReleaseMouse();
        PressMouse();
        ReleaseMouse();
        EXPECT_EQ(WithoutMoves(log), c.expected);
        // Let the double-click time pass before the next case.
        PumpMessages(static_cast<int>(GetDoubleClickTime()) + 50);
    }
}

TEST_F(InputTest, AQuickPressOnAnotherWindowlessControlIsAFirstPressThere) {
    auto* neighbour = new Probe<TControl>(form.form.get(), log, "next");
    neighbour->SetParent(form.form.get());
    neighbour->SetBounds(20, 90, 100, 60); // just below the plain control
    MoveMouseTo(form.Handle(), 30, 89);
    PressMouse();
    ReleaseMouse();
    MoveMouseTo(form.Handle(), 30, 90); // within the system's double-click distance
    PressMouse();
    ReleaseMouse();
    EXPECT_EQ(WithoutMoves(log),
              "plain.down 10,59 plain.click plain.up 10,59 next.down 10,0 next.click next.up 10,0");
}

TEST_F(InputTest, ADisabledWindowlessControlLetsThePressThroughToTheOneBelow) {
    // An image layer over the plain control, like the display image of a skinned control.
    auto* layer = new Probe<TImage>(form.form.get(), log, "layer");
    layer->SetParent(form.form.get());
    layer->SetBounds(20, 30, 50, 60);
    PumpMessages(20);
    ClickMouse(form.Handle(), 30, 40);
    EXPECT_EQ(WithoutMoves(log), "layer.down 10,10 layer.click layer.up 10,10");

    log.entries.clear();
    layer->SetEnabled(false);
    ClickMouse(form.Handle(), 30, 40);
    EXPECT_EQ(WithoutMoves(log), "plain.down 10,10 plain.click plain.up 10,10");

    // Nothing below but the form: the press reaches the form.
    log.entries.clear();
    plain->SetVisible(false);
    bool formPressed = false;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        formPressed = x == 30 && y == 40;
    };
    ClickMouse(form.Handle(), 30, 40);
    EXPECT_TRUE(formPressed);
    EXPECT_EQ(WithoutMoves(log), "");
}

TEST_F(InputTest, RightButtonDoesNotClickOrCapture) {
    ClickMouse(form.Handle(), 30, 40, mbRight);
    EXPECT_EQ(WithoutMoves(log), "plain.rdown 10,10 plain.rup 10,10");
}

TEST_F(InputTest, LeaveNotificationReachesWndProc) {
    ShortHoverTime hover;
    MoveMouseTo(windowed->Handle(), 10, 10);
    TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, windowed->Handle(), HOVER_DEFAULT};
    ASSERT_TRUE(TrackMouseEvent(&track));
    MoveMouseTo(form.Handle(), 5, 5);
    EXPECT_TRUE(PumpUntil([&] { return log.Count("win.leave") == 1; }, 1500)) << log.Joined();
}

} // namespace
