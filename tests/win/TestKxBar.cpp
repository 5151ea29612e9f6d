#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "KxPackage/Source/KxBar.h"
#include "tests/support/WinControlOnForm.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"

namespace {

constexpr TColor kIndicatorColor = 0x2020E0;

void GiveIndicator(KxBar* bar, int width, int height) {
    bar->SetIndicator(SolidBitmap(width, height, kIndicatorColor).get());
}

TPoint IndicatorAt(const KxBar& bar) {
    return TPoint(bar.IndicatorImage()->Left(), bar.IndicatorImage()->Top());
}

// ---- placing the indicator -------------------------------------------------------------

TEST(KxBar, PutsTheIndicatorsCentreAtTheOriginMovedByScrollPosAlongItsAxis) {
    struct Case {
        const char* what;
        int width, height;
        TScrollBarKind kind;
        int scrollPos;
        TPoint expected;
    };
    const Case cases[] = {
        {"at the origin", 10, 10, sbHorizontal, 0, TPoint(45, 5)},
        {"30 to the right", 10, 10, sbHorizontal, 30, TPoint(75, 5)},
        {"odd width", 9, 9, sbHorizontal, 0, TPoint(46, 6)},
        {"30 down", 10, 10, sbVertical, 30, TPoint(45, 35)},
        {"beyond Length", 10, 10, sbHorizontal, 50, TPoint(95, 5)},
        {"before 0", 10, 10, sbVertical, -8, TPoint(45, -3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KxBar bar(nullptr);
        GiveIndicator(&bar, c.width, c.height);
        bar.GetOrigin()->SetX(50);
        bar.GetOrigin()->SetY(10);
        bar.SetKind(c.kind);

        bar.SetScrollPos(c.scrollPos);

        EXPECT_EQ(IndicatorAt(bar), c.expected);
        EXPECT_EQ(bar.GetScrollPos(), c.scrollPos) << "not clamped";
        EXPECT_EQ(bar.IndicatorImage()->Width(), c.width) << "the image takes the bitmap's size";
    }
}

TEST(KxBar, EverySettingPlacesTheIndicatorOnceAndNoneScrolls) {
    KxBar bar(nullptr);
    GiveIndicator(&bar, 10, 10);
    int indications = 0;
    int scrolls = 0;
    bar.OnIndicate = [&](TObject*, int&) { ++indications; };
    bar.OnScroll = [&](TObject*, int&, bool) { ++scrolls; };
    KxBar other(nullptr);
    other.GetOrigin()->SetX(70);
    other.GetOrigin()->SetY(20);

    struct Step {
        const char* what;
        std::function<void()> act;
        TPoint expected;
    };
    const Step steps[] = {
        {"Length", [&] { bar.SetLength(-5); }, TPoint(-5, -5)},
        {"ScrollPos", [&] { bar.SetScrollPos(7); }, TPoint(2, -5)},
        {"Origin.X", [&] { bar.GetOrigin()->SetX(50); }, TPoint(52, -5)},
        {"Origin.Y", [&] { bar.GetOrigin()->SetY(10); }, TPoint(52, 5)},
        {"Kind", [&] { bar.SetKind(sbVertical); }, TPoint(45, 12)},
        {"Indicator", [&] { GiveIndicator(&bar, 20, 4); }, TPoint(40, 15)},
        {"Origin", [&] { bar.SetOrigin(other.GetOrigin()); }, TPoint(60, 25)},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        indications = 0;
        s.act();
        EXPECT_EQ(indications, 1);
        EXPECT_EQ(IndicatorAt(bar), s.expected);
    }
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(bar.GetScrollPos(), 7);
    EXPECT_EQ(bar.GetLength(), -5);
}

TEST(KxBar, OnIndicateGetsTheIndicatorsPositionAndMayMoveIt) {
    KxBar bar(nullptr);
    GiveIndicator(&bar, 10, 10);
    bar.GetOrigin()->SetX(50);
    bar.GetOrigin()->SetY(10);
    int received = 0;
    bar.OnIndicate = [&](TObject* sender, int& disp) {
        EXPECT_EQ(sender, &bar);
        received = disp;
        disp += 3;
    };

    bar.SetScrollPos(30);

    EXPECT_EQ(received, 75) << "the indicator's Left, not ScrollPos";
    EXPECT_EQ(IndicatorAt(bar), TPoint(78, 5));
    EXPECT_EQ(bar.GetScrollPos(), 30);
}

// ---- dragging --------------------------------------------------------------------------

// A 200 x 30 bar on a shown form with a 10 x 10 indicator whose centre starts at (35, 15):
// origin (20, 15), ScrollPos 15, Length 20. The scroll events are logged.
struct KxBarDrag : ControlOnForm<KxBar> {
    KxBar*& bar = control;
    void SetUp() override {
        Place(20, 40, 200, 30);
        SkinStates(bar, 3, 200, 30);
        GiveIndicator(bar, 10, 10);
        bar->GetOrigin()->SetX(20);
        bar->GetOrigin()->SetY(15);
        bar->SetScrollPos(15);
        bar->OnStartScroll = [this](TObject*) { log.Add("start"); };
        bar->OnEndScroll = [this](TObject*) { log.Add("end"); };
        bar->OnScroll = [this](TObject*, int& disp, bool direction) {
            log.Add(std::to_string(disp) + (direction ? "+" : "-"));
        };
        ParkPointer();
    }
    int IndicatorLeft() const { return bar->IndicatorImage()->Left(); }
};

TEST_F(KxBarDrag, ADragFromTheIndicatorIsClampedAtLengthAndComesBackAtOnce) {
    bar->OnMouseDown = [this](TObject* sender, TMouseButton, TShiftState, int x, int y) {
        EXPECT_EQ(sender, bar);
        log.Add("down " + std::to_string(x) + "," + std::to_string(y));
    };
    ASSERT_EQ(IndicatorLeft(), 30);
    MoveMouseTo(Handle(), 35, 15);

    PressMouse();
    EXPECT_TRUE(bar->IsDraging());
    MoveMouseTo(Handle(), 135, 15);
    EXPECT_EQ(bar->GetScrollPos(), 20);
    EXPECT_EQ(IndicatorLeft(), 35);
    MoveMouseTo(Handle(), 130, 15);
    EXPECT_EQ(bar->GetScrollPos(), 15) << "the step back counts from the clamped point";
    ReleaseMouse();

    EXPECT_FALSE(bar->IsDraging());
    EXPECT_EQ(IndicatorLeft(), 30);
    EXPECT_EQ(log.Joined(), "start down 35,15 20+ 15- end");
}

TEST_F(KxBarDrag, ADragPastZeroStopsAtZero) {
    MoveMouseTo(Handle(), 35, 15);
    PressMouse();
    MoveMouseTo(Handle(), 2, 15);
    EXPECT_EQ(bar->GetScrollPos(), 0);
    MoveMouseTo(Handle(), 1, 15);
    EXPECT_EQ(bar->GetScrollPos(), 0);
    ReleaseMouse();

    EXPECT_EQ(IndicatorLeft(), 15);
    EXPECT_EQ(log.Joined(), "start 0- 0+ end");
}

TEST_F(KxBarDrag, APressOnTheTrackStartsADragWithoutMovingTheIndicator) {
    bar->SetScrollPos(50);
    MoveMouseTo(Handle(), 150, 20);
    PressMouse();
    EXPECT_EQ(IndicatorLeft(), 65);
    MoveMouseTo(Handle(), 149, 20);
    ReleaseMouse();

    EXPECT_EQ(bar->GetScrollPos(), 20) << "clamped to Length on the first step";
    EXPECT_EQ(log.Joined(), "start 20- end");
}

TEST_F(KxBarDrag, HandlersDecideThePositionAndWhereTheIndicatorGoes) {
    bar->OnScroll = [this](TObject*, int& disp, bool) {
        log.Add(std::to_string(disp));
        disp = 5;
    };
    bar->OnIndicate = [](TObject*, int& disp) { disp += 3; };
    MoveMouseTo(Handle(), 35, 15);
    PressMouse();
    MoveMouseTo(Handle(), 37, 15);
    EXPECT_EQ(bar->GetScrollPos(), 5);
    EXPECT_EQ(IndicatorLeft(), 20 - 5 + 5 + 3);
    MoveMouseTo(Handle(), 40, 15);
    ReleaseMouse();

    EXPECT_EQ(bar->GetScrollPos(), 5);
    EXPECT_EQ(log.Joined(), "start 17 8 end");
}

TEST_F(KxBarDrag, AVerticalBarIgnoresHorizontalMovement) {
    bar->SetKind(sbVertical);
    bar->SetScrollPos(0);
    const int left = IndicatorLeft();
    MoveMouseTo(Handle(), 20, 10);
    PressMouse();
    MoveMouseTo(Handle(), 90, 10);
    EXPECT_EQ(bar->GetScrollPos(), 0);
    MoveMouseTo(Handle(), 60, 17);
    ReleaseMouse();

    EXPECT_EQ(bar->GetScrollPos(), 7);
    EXPECT_EQ(IndicatorLeft(), left);
    EXPECT_EQ(bar->IndicatorImage()->Top(), 10 + 7);
    EXPECT_EQ(log.Joined(), "start 0+ 7+ end");
}

TEST_F(KxBarDrag, ReleasingTheRightButtonEndsALeftButtonDrag) {
    MoveMouseTo(Handle(), 35, 15);
    PressMouse(mbLeft);
    PressMouse(mbRight);
    EXPECT_TRUE(bar->IsDraging()) << "only the left button starts a drag";
    ReleaseMouse(mbRight);
    EXPECT_FALSE(bar->IsDraging());
    MoveMouseTo(Handle(), 30, 15);
    ReleaseMouse(mbLeft);

    EXPECT_EQ(bar->GetScrollPos(), 15);
    EXPECT_EQ(log.Joined(), "start end");
}

// Ways a drag's mouse capture is taken away before the button comes up.
struct CaptureLoss {
    const char* what;
    std::function<void(KxBarDrag&)> lose;
    std::function<void(KxBarDrag&)> restore;
};

const CaptureLoss kCaptureLosses[] = {
    {"another window takes the capture", [](KxBarDrag& t) { SetCapture(t.form.Handle()); },
     [](KxBarDrag&) { ReleaseCapture(); }},
    {"the form is disabled, as for a modal box",
     [](KxBarDrag& t) { EnableWindow(t.form.Handle(), FALSE); },
     [](KxBarDrag& t) { EnableWindow(t.form.Handle(), TRUE); }},
    {"the bar is disabled", [](KxBarDrag& t) { t.bar->SetEnabled(false); },
     [](KxBarDrag& t) { t.bar->SetEnabled(true); }},
    {"the bar's window is disabled", [](KxBarDrag& t) { EnableWindow(t.Handle(), FALSE); },
     [](KxBarDrag& t) { EnableWindow(t.Handle(), TRUE); }},
};

TEST_F(KxBarDrag, ADragEndsWhenItsCaptureIsTakenAwayAndLaterMovesDoNotScroll) {
    for (const CaptureLoss& loss : kCaptureLosses) {
        for (const bool inStartScroll : {false, true}) {
            SCOPED_TRACE(std::string(loss.what) + (inStartScroll ? " in OnStartScroll" : ""));
            bar->SetScrollPos(15);
            log.entries.clear();
            bar->OnStartScroll = [&, inStartScroll](TObject*) {
                log.Add("start");
                if (inStartScroll)
                    loss.lose(*this);
            };
            MoveMouseTo(Handle(), 35, 15);
            PressMouse();
            if (!inStartScroll) {
                MoveMouseTo(Handle(), 38, 15);
                loss.lose(*this);
            }
            PumpMessages(20);
            EXPECT_FALSE(bar->IsDraging());
            loss.restore(*this);
            MoveMouseTo(form.Handle(), 5, 5);
            ReleaseMouse();
            MoveMouseTo(Handle(), 100, 15);
            MoveMouseTo(Handle(), 120, 16);

            EXPECT_FALSE(bar->IsDraging());
            EXPECT_EQ(bar->GetScrollPos(), inStartScroll ? 15 : 18);
            EXPECT_EQ(log.Joined(), inStartScroll ? "start end" : "start 18+ end");
        }
    }
}

} // namespace
