#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tessel/Component/LED.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/FigureBounds.h"
#include "tests/support/RecordingPainter.h"

using tessel::CompositeScalableLED;
using tessel::LED;

namespace {

using Box = tessel::PolygonFigure<RecordingPainter>;
using Collector =
    tessel::BasicLED_Collector<tessel::ScalableLED_Collector, tessel::CompositeScalableFig>;

// A scalable LED that counts what is asked of it; its figure is a box placed at (x, y).
class ProbeLED : public tessel::ScalableLED {
public:
    ProbeLED(RecordingPainter* painter, int x, int y, int width, int height, int stateCount = 3)
        : ScalableLED(x, y), m_figure(MakeBoxFigure(painter, x, y, x + width, y + height)),
          m_stateCount(stateCount) {}

    int StateCount() const override { return m_stateCount; }
    int State() const override { return m_state; }
    void SetState(int state) override {
        m_state = state;
        setStates.push_back(state);
    }
    void Update() override { ++updates; }
    Box* FigureObject() override { return &m_figure; }

    std::vector<int> setStates;
    int updates = 0;

private:
    Box m_figure;
    int m_stateCount;
    int m_state = 0;
};

// Sub-LED i shows state * 10 + i, so every answer can be traced back.
class TracingDirector : public tessel::LED_Director {
public:
    int StateCount() const override { return 3; }
    int SubState(int state, int index) const override { return state * 10 + index; }
};

} // namespace

TEST(LED, FigurePlacesTheFigureAtThePositionOfTheLED) {
    RecordingPainter painter;
    ProbeLED led(&painter, 4, 5, 10, 6);
    led.FigureObject()->MoveBy(7, 7);
    EXPECT_EQ(led.FigureObject()->Left(), 11);

    tessel::Figure* figure = led.Figure();
    EXPECT_EQ(figure, led.FigureObject());
    EXPECT_EQ(BoundsOf(*figure), (Bounds{4, 5, 10, 6}));

    led.SetX(0);
    EXPECT_EQ(led.Figure()->Left(), 0);
}

TEST(LED, ScalableLEDReportsItsDesignSizeAfterAResize) {
    RecordingPainter painter;
    ProbeLED led(&painter, 0, 0, 10, 6);
    led.FigureObject()->Resize(30, 2);
    EXPECT_EQ(led.Width(), 10);
    EXPECT_EQ(led.Height(), 6);
    EXPECT_EQ(led.FigureObject()->Width(), 30);
}

TEST(CompositeScalableLED, FirstSetStateReachesEverySubLEDAndARepeatReachesNone) {
    RecordingPainter painter;
    TracingDirector director;
    ProbeLED a(&painter, 0, 0, 2, 2), b(&painter, 2, 0, 2, 2), c(&painter, 4, 0, 2, 2);
    CompositeScalableLED cell(0, 0, 6, 2, &director);
    cell.AddLED(&a);
    cell.AddLED(&b);
    cell.AddLED(&c);
    EXPECT_EQ(cell.State(), -1);
    EXPECT_EQ(cell.StateCount(), 3);

    cell.SetState(0);
    cell.SetState(0);
    EXPECT_EQ(a.setStates, std::vector<int>{0});
    EXPECT_EQ(b.setStates, std::vector<int>{1});
    EXPECT_EQ(c.setStates, std::vector<int>{2});

    cell.SetState(2);
    EXPECT_EQ(cell.State(), 2);
    EXPECT_EQ(c.setStates, (std::vector<int>{2, 22}));

    cell.Update();
    EXPECT_EQ(a.updates + b.updates + c.updates, 3);
}

TEST(CompositeScalableLED, RefusesStatesOutsideTheDirectorsRange) {
    RecordingPainter painter;
    TracingDirector director;
    ProbeLED a(&painter, 0, 0, 2, 2);
    CompositeScalableLED cell(0, 0, 2, 2, &director);
    cell.AddLED(&a);
    const std::string failure = tessel::AssertMessage("state >= 0 && state < StateCount()",
                                                      "tessel/Component/Source/LED", 33);
    EXPECT_EQ(AssertionTextOf([&] { cell.SetState(3); }), failure);
    EXPECT_EQ(AssertionTextOf([&] { cell.SetState(-1); }), failure);
    EXPECT_TRUE(a.setStates.empty());
    EXPECT_EQ(cell.State(), -1);
}

TEST(CompositeScalableLED, KeepsItsSubLEDsInsideItsRectangleAndHasItsDesignSize) {
    RecordingPainter painter;
    TracingDirector director;
    ProbeLED inside(&painter, 8, 10, 2, 2);
    ProbeLED outside(&painter, 9, 10, 2, 2);
    CompositeScalableLED cell(30, 40, 40, 52, &director);
    EXPECT_EQ(AssertionTextOf([&] { cell.AddLED(&inside); }), "");
    EXPECT_NE(AssertionTextOf([&] { cell.AddLED(&outside); }), "");
    EXPECT_EQ(cell.Width(), 10);
    EXPECT_EQ(cell.Height(), 12);

    // Placing the cell moves its group and the sub-LED figures with it.
    EXPECT_EQ(BoundsOf(*cell.Figure()), (Bounds{30, 40, 10, 12}));
    EXPECT_EQ(BoundsOf(*inside.FigureObject()), (Bounds{38, 50, 2, 2}));
}

TEST(LED_Collector, ChecksEveryIndexItIsGiven) {
    RecordingPainter painter;
    ProbeLED a(&painter, 0, 0, 2, 2), b(&painter, 2, 0, 2, 2);
    Collector collector;
    collector.SetWidth(10);
    collector.SetHeight(10);
    collector.Figure()->Resize(10, 10);
    collector.Add(&a);
    const char* file = "tessel/Component/LED";
    struct Case {
        const char* what;
        std::function<void()> statement;
        std::string text;
    };
    const Case cases[] = {
        {"insert past the end", [&] { collector.Insert(&b, collector.LEDCount() + 1); },
         tessel::AssertMessage("index <= LEDCount()", file, 341)},
        {"remove at the end", [&] { collector.RemoveAt(collector.LEDCount()); },
         tessel::AssertMessage("index < LEDCount()", file, 347)},
        {"state count past the end", [&] { collector.StateCount(1); },
         tessel::AssertMessage("indexOfLED < m_LEDs.size()", file, 319)},
        {"set state past the end", [&] { collector.SetState(1, 0); },
         tessel::AssertMessage("indexOfLED < m_LEDs.size()", file, 331)},
        {"insert at the end appends", [&] { collector.Insert(&b, collector.LEDCount()); }, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AssertionTextOf(c.statement), c.text) << c.what;

    EXPECT_EQ(collector.LEDCount(), 2u);
    EXPECT_EQ(collector.RemoveAt(1), &b);
    EXPECT_EQ(collector.RemoveAt(0), &a);
    EXPECT_EQ(collector.LEDCount(), 0u);
    EXPECT_TRUE(collector.Figure()->Children().empty());
}

TEST(LED_Collector, ForwardsStatesAndUpdatesByIndex) {
    RecordingPainter painter;
    ProbeLED a(&painter, 0, 0, 2, 2, 5), b(&painter, 2, 0, 2, 2, 7);
    Collector collector;
    collector.SetWidth(4);
    collector.SetHeight(2);
    collector.Add(&a);
    collector.Add(&b);
    EXPECT_EQ(collector.StateCount(1), 7);
    collector.SetState(1, 6);
    EXPECT_EQ(b.setStates, std::vector<int>{6});
    EXPECT_TRUE(a.setStates.empty());
    collector.UpdateAll();
    EXPECT_EQ(a.updates, 1);
    EXPECT_EQ(b.updates, 1);
}

TEST(BasicLED_Collector, NeedsBothSidesOfTheDesignSizeBeforeTheFirstAdd) {
    RecordingPainter painter;
    ProbeLED a(&painter, 0, 0, 2, 2);
    Collector collector;
    collector.SetWidth(72);
    EXPECT_EQ(AssertionTextOf([&] { collector.Add(&a); }),
              "Assertion failed: m_originalWidth > 0 && m_originalHeight > 0, file "
              "tessel/Graphics/Source/FigureBase, line 120");
    collector.SetHeight(22);
    EXPECT_EQ(collector.Width(), 72);
    EXPECT_EQ(collector.Height(), 22);
    // The group keeps its far edges until it is resized.
    EXPECT_EQ(BoundsOf(*collector.Figure()), (Bounds{0, 0, 0, 0}));
}

TEST(BasicLED_Collector, AddAndRemoveKeepAResizedGroupsSize) {
    RecordingPainter painter;
    ProbeLED a(&painter, 10, 10, 20, 10);
    ProbeLED b(&painter, 60, 20, 20, 10);
    Collector collector;
    collector.SetWidth(100);
    collector.SetHeight(50);
    collector.Add(&a);
    collector.Figure()->Resize(50, 25);
    EXPECT_EQ(BoundsOf(*a.FigureObject()), (Bounds{5, 5, 10, 5}));

    collector.Add(&b);
    EXPECT_EQ(BoundsOf(*collector.Figure()), (Bounds{0, 0, 50, 25}));
    EXPECT_EQ(BoundsOf(*a.FigureObject()), (Bounds{5, 5, 10, 5}));
    EXPECT_EQ(BoundsOf(*b.FigureObject()), (Bounds{30, 10, 10, 5}));
    EXPECT_EQ(collector.Width(), 100);
    EXPECT_EQ(collector.Height(), 50);

    collector.Remove(&a);
    EXPECT_EQ(collector.LEDCount(), 1u);
    EXPECT_EQ(BoundsOf(*collector.Figure()), (Bounds{0, 0, 50, 25}));
    EXPECT_EQ(BoundsOf(*b.FigureObject()), (Bounds{30, 10, 10, 5}));
    collector.Figure()->Resize(100, 50);
    EXPECT_EQ(BoundsOf(*b.FigureObject()), (Bounds{60, 20, 20, 10}));
    EXPECT_EQ(collector.Figure()->Children(), std::vector<tessel::Figure*>{b.FigureObject()});
}

TEST(BasicLED_Collector, InsertAndRemoveAtKeepTheGroupInStep) {
    RecordingPainter painter;
    ProbeLED a(&painter, 0, 0, 2, 2), b(&painter, 4, 0, 2, 2);
    Collector collector;
    collector.SetWidth(6);
    collector.SetHeight(2);
    collector.Figure()->Resize(6, 2);
    collector.Add(&a);
    collector.Insert(&b, 0);
    EXPECT_EQ(collector.StateCount(0), b.StateCount());
    // The figure goes to the end of the group whatever the index.
    EXPECT_EQ(collector.Figure()->Children(),
              (std::vector<tessel::Figure*>{a.FigureObject(), b.FigureObject()}));

    EXPECT_EQ(collector.RemoveAt(0), &b);
    EXPECT_EQ(collector.Figure()->Children(), std::vector<tessel::Figure*>{a.FigureObject()});
    collector.Remove(&b); // not in the set: nothing changes
    EXPECT_EQ(collector.LEDCount(), 1u);
    EXPECT_EQ(collector.Figure()->Children().size(), 1u);
}
