#include <gtest/gtest.h>

#include <string>

#include "KxPackage/Source/KxBrick.h"
#include "framework/ui/Form.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestForm.h"

namespace {

std::string NameOf(TObject* object) {
    auto* component = dynamic_cast<TComponent*>(object);
    return object ? (component ? component->Name().str() : std::string("object")) : "null";
}

std::string At(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

// Writes down the drag events of a control: "Name.start", "Name.enter X,Y Source",
// "Name.move ...", "Name.leave ...", "Name.drop X,Y Source", "Name.end Target X,Y",
// "Name.startdock", "Name.enddock Target X,Y".
void Record(TControl* control, EventLog& log, bool accepts) {
    const std::string name = control->Name().str();
    control->OnStartDrag = [&log, name](TObject*, TDragObject*&) { log.Add(name + ".start"); };
    control->OnEndDrag = [&log, name](TObject*, TObject* target, int x, int y) {
        log.Add(name + ".end " + NameOf(target) + " " + At(x, y));
    };
    control->OnStartDock = [&log, name](TObject*, TDragDockObject*&) {
        log.Add(name + ".startdock");
    };
    control->OnEndDock = [&log, name](TObject*, TObject* target, int x, int y) {
        log.Add(name + ".enddock " + NameOf(target) + " " + At(x, y));
    };
    control->OnDragDrop = [&log, name](TObject*, TObject* source, int x, int y) {
        log.Add(name + ".drop " + At(x, y) + " " + NameOf(source));
    };
    if (!accepts)
        return;
    control->OnDragOver = [&log, name](TObject*, TObject* source, int x, int y, TDragState state,
                                       bool& accept) {
        static const char* const kStates[] = {"enter", "leave", "move"};
        log.Add(name + "." + kStates[state] + " " + At(x, y) + " " + NameOf(source));
        (void)accept; // a handler that says nothing accepts
    };
}

// Entries of the log without the target's moves.
std::string WithoutMoves(const EventLog& log) {
    std::string all;
    for (const auto& e : log.entries)
        if (e.find(".move ") == std::string::npos)
            all += (all.empty() ? "" : " ") + e;
    return all;
}

// The kinds of control a drag may start from or end on.
enum class Kind { Windowless, Windowed, Skinned };

TControl* Place(TWinControl* form, Kind kind, const char* name, int x, int y, int w, int h) {
    TControl* control = kind == Kind::Windowless ? new TControl(form)
                        : kind == Kind::Windowed ? new TWinControl(form)
                                                 : new KxBrick(form);
    control->SetName(name);
    control->SetParent(form);
    control->SetBounds(x, y, w, h);
    return control;
}

const char* NameOf(Kind kind) {
    return kind == Kind::Windowless ? "windowless"
           : kind == Kind::Windowed ? "windowed"
                                    : "skinned";
}

struct DragTest : ::testing::Test {
    EventLog log;
    ShownForm form{400, 200};

    void SetUp() override { MoveMouseTo(form.Handle(), 390, 190); }
    // Presses the left button at a client point of the form and moves there in steps.
    void PressAndMove(TPoint from, TPoint to) {
        MoveMouseTo(form.Handle(), from.x, from.y);
        PressMouse();
        for (int step = 1; step <= 4; ++step)
            MoveMouseTo(form.Handle(), from.x + (to.x - from.x) * step / 4,
                        from.y + (to.y - from.y) * step / 4);
    }
};

TEST_F(DragTest, ADropOnAnAcceptingTargetReachesTheTargetThenTheSource) {
    for (Kind sourceKind : {Kind::Windowless, Kind::Windowed, Kind::Skinned}) {
        for (Kind targetKind : {Kind::Windowless, Kind::Windowed}) {
            SCOPED_TRACE(std::string(NameOf(sourceKind)) + " source, " + NameOf(targetKind) +
                         " target");
            TControl* source = Place(form.form.get(), sourceKind, "Src", 20, 20, 60, 40);
            TControl* target = Place(form.form.get(), targetKind, "Dst", 200, 20, 80, 60);
            source->SetDragMode(dmAutomatic);
            bool clicked = false;
            source->OnClick = [&](TObject*) { clicked = true; };
            Record(source, log, false);
            Record(target, log, true);

            PressAndMove(TPoint(30, 30), TPoint(230, 50));
            EXPECT_TRUE(source->Dragging());
            EXPECT_EQ(GetCursor(), DragCursorHandle(crDrag)) << "accepted";
            ReleaseMouse();

            EXPECT_EQ(WithoutMoves(log), "Src.start Dst.enter 30,30 Src Dst.leave 30,30 Src "
                                         "Dst.drop 30,30 Src Src.end Dst 30,30")
                << log.Joined();
            EXPECT_EQ(log.Count("Dst.move 30,30 Src"), 1) << log.Joined();
            EXPECT_FALSE(source->Dragging());
            EXPECT_FALSE(clicked);
            EXPECT_EQ(GetCapture(), nullptr);
            delete source;
            delete target;
            log.entries.clear();
        }
    }
}

TEST_F(DragTest, EscapeCancelsTheDragWithoutADrop) {
    auto* source = Place(form.form.get(), Kind::Windowed, "Src", 20, 20, 60, 40);
    auto* target = Place(form.form.get(), Kind::Windowless, "Dst", 200, 20, 80, 60);
    source->SetDragMode(dmAutomatic);
    Record(source, log, false);
    Record(target, log, true);

    PressAndMove(TPoint(30, 30), TPoint(230, 50));
    TapKey(VK_ESCAPE);
    EXPECT_FALSE(source->Dragging());
    ReleaseMouse();
    EXPECT_EQ(WithoutMoves(log),
              "Src.start Dst.enter 30,30 Src Dst.leave 30,30 Src Src.end null 0,0");
}

TEST_F(DragTest, OnlyATargetWithAnOverHandlerThatSaysYesAccepts) {
    auto* source = Place(form.form.get(), Kind::Windowed, "Src", 20, 20, 60, 40);
    auto* silent = Place(form.form.get(), Kind::Windowless, "Silent", 100, 20, 80, 60);
    auto* refusing = Place(form.form.get(), Kind::Windowed, "Refusing", 200, 20, 80, 60);
    source->SetDragMode(dmAutomatic);
    Record(source, log, false);
    Record(silent, log, false);
    refusing->OnDragOver = [&](TObject*, TObject*, int, int, TDragState state, bool& accept) {
        accept = false;
        log.Add(state == dsDragLeave ? "Refusing.leave" : "Refusing.asked");
    };
    refusing->OnDragDrop = [&](TObject*, TObject*, int, int) { log.Add("Refusing.drop"); };

    PressAndMove(TPoint(30, 30), TPoint(130, 50));
    EXPECT_EQ(GetCursor(), DragCursorHandle(crNo));
    MoveMouseTo(form.Handle(), 230, 50);
    EXPECT_EQ(GetCursor(), DragCursorHandle(crNo));
    ReleaseMouse();
    EXPECT_EQ(log.Joined(),
              "Src.start Refusing.asked Refusing.asked Refusing.leave Src.end null 0,0");
    EXPECT_NE(DragCursorHandle(crDrag), DragCursorHandle(crNo));
}

TEST_F(DragTest, APressReleasedBeforeTheThresholdEndsWithoutADrop) {
    auto* source = Place(form.form.get(), Kind::Windowed, "Src", 20, 20, 60, 40);
    source->SetDragMode(dmAutomatic);
    Record(source, log, true); // accepts drops on itself
    bool clicked = false;
    source->OnClick = [&](TObject*) { clicked = true; };
    MoveMouseTo(form.Handle(), 30, 30);
    PressMouse();
    MoveMouseTo(form.Handle(), 33, 32);
    ReleaseMouse();
    EXPECT_EQ(log.Joined(), "Src.start Src.end null 0,0");
    EXPECT_FALSE(clicked);
}

TEST_F(DragTest, AManualDragStartsFromTheSourcesOwnPressHandler) {
    auto* source = Place(form.form.get(), Kind::Windowless, "Src", 20, 20, 60, 40);
    auto* target = Place(form.form.get(), Kind::Windowed, "Dst", 200, 20, 80, 60);
    Record(source, log, false);
    Record(target, log, true);
    bool released = false;
    source->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        source->BeginDrag(true);
    };
    source->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { released = true; };
    MoveMouseTo(form.Handle(), 30, 30);
    PressMouse();
    EXPECT_TRUE(released) << "the press that starts a drag ends";
    MoveMouseTo(form.Handle(), 210, 30);
    ReleaseMouse();
    EXPECT_EQ(WithoutMoves(log), "Src.start Dst.enter 10,10 Src Dst.leave 10,10 Src "
                                 "Dst.drop 10,10 Src Src.end Dst 10,10");
}

TEST_F(DragTest, ADockDragMovesTheControlOntoADockSiteWhereItWasDropped) {
    auto* site = static_cast<TWinControl*>(
        Place(form.form.get(), Kind::Windowed, "Site", 150, 20, 200, 150));
    site->DockSite = true;
    auto* plainPanel = Place(form.form.get(), Kind::Windowed, "Plain", 20, 100, 100, 80);
    for (Kind kind : {Kind::Windowed, Kind::Windowless, Kind::Skinned}) {
        SCOPED_TRACE(NameOf(kind));
        log.entries.clear();
        TControl* source = Place(form.form.get(), kind, "Src", 20, 20, 60, 40);
        source->SetDragMode(dmAutomatic);
        source->SetDragKind(dkDock);
        Record(source, log, false);
        Record(site, log, true);

        // Not a dock site: the control stays.
        PressAndMove(TPoint(30, 30), TPoint(50, 140));
        EXPECT_EQ(GetCursor(), DragCursorHandle(crNo));
        ReleaseMouse();
        EXPECT_EQ(source->Parent(), form.form.get());
        EXPECT_EQ(source->BoundsRect(), TRect(20, 20, 80, 60));

        // Taken at (10, 10), dropped at (70, 40) of the site.
        PressAndMove(TPoint(30, 30), TPoint(220, 60));
        EXPECT_EQ(GetCursor(), DragCursorHandle(crDrag));
        ReleaseMouse();
        EXPECT_EQ(source->Parent(), site);
        EXPECT_EQ(source->BoundsRect(), TRect(60, 30, 120, 70));
        EXPECT_EQ(log.Joined(), "Src.startdock Src.enddock null 0,0 Src.startdock Src.enddock "
                                "Site 70,40")
            << "no drag events on either side";
        if (auto* window = dynamic_cast<TWinControl*>(source)) {
            EXPECT_EQ(GetParent(window->Handle()), site->Handle());
        }
        delete source;
    }
    (void)plainPanel;
}

TEST_F(DragTest, DestroyingTheSourceDuringADragEndsItQuietly) {
    auto* source = Place(form.form.get(), Kind::Windowed, "Src", 20, 20, 60, 40);
    source->SetDragMode(dmAutomatic);
    Record(source, log, false);
    PressAndMove(TPoint(30, 30), TPoint(130, 50));
    delete source;
    EXPECT_EQ(DragSourceControl(), nullptr);
    MoveMouseTo(form.Handle(), 150, 60);
    ReleaseMouse();
    EXPECT_EQ(log.Joined(), "Src.start");
}

} // namespace
