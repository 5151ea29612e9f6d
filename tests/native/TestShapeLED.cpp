#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "KxPackage/Source/NumLed.h"
#include "tessel/Component/LED/ShapeLED.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/RecordingPainter.h"

using tessel::CompositeScalableLED;
using tessel::Point;
using tessel::Rect;
using tessel::RgbColor;
using Kind = RecordingPainter::Kind;
using Points = std::vector<Point>;

namespace {

using Segment = tessel::SolidShapeLED<tessel::PolygonFigure<RecordingPainter>>;
using Factory = tessel::ShapeLedFatory<RecordingPainter>;

const RgbColor kDark(0xFF3E260Eu);
const RgbColor kLight(0xFF0AF00Au);

// The cell and its segment LEDs, freed together as their owner does.
struct Cell {
    std::unique_ptr<CompositeScalableLED> led;
    std::vector<std::unique_ptr<tessel::ScalableLED>> segments;
    explicit Cell(CompositeScalableLED* cell) : led(cell) {
        for (tessel::ScalableLED* segment : cell->LEDs())
            segments.emplace_back(segment);
    }
};

} // namespace

TEST(SolidShapeLED, ShowsStateZeroFromConstructionOn) {
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    Segment led(0, 0, MakeBoxFigure(&painter, 0, 0, 4, 2), colors, 2);
    EXPECT_EQ(led.State(), 0);
    EXPECT_EQ(led.StateCount(), 2);
    EXPECT_EQ(led.FigureObject()->FillColor(), kDark);
    EXPECT_EQ(led.FigureObject()->LineColor(), kDark);
    led.SetState(1);
    EXPECT_EQ(led.FigureObject()->FillColor(), kLight);
    EXPECT_EQ(led.FigureObject()->LineColor(), kLight);
    EXPECT_TRUE(painter.Primitives().empty()); // recolouring draws nothing
}

TEST(SolidShapeLED, TakesAChangedColourOnlyWithTheNextStateChangeOrUpdate) {
    RecordingPainter painter;
    RgbColor colors[] = {kDark, kLight};
    Segment led(0, 0, MakeBoxFigure(&painter, 0, 0, 4, 2), colors, 2);
    colors[0] = RgbColor(0xFF000001u);
    led.SetState(0);
    EXPECT_EQ(led.FigureObject()->FillColor(), kDark);
    led.Update();
    EXPECT_EQ(led.FigureObject()->FillColor(), RgbColor(0xFF000001u));
}

TEST(SolidShapeLED, RefusesStatesOutsideItsColourTable) {
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    const std::string failure = "Assertion failed: state >= 0 && state < StateCount(), file "
                                "tessel/Component/LED/ShapeLED, line 79";
    Segment led(0, 0, MakeBoxFigure(&painter, 0, 0, 4, 2), colors, 2);
    EXPECT_EQ(AssertionTextOf([&] { led.SetState(2); }), failure);
    EXPECT_EQ(AssertionTextOf([&] { led.SetState(-1); }), failure);
    EXPECT_EQ(led.State(), 0);
    EXPECT_EQ(AssertionTextOf(
                  [&] { Segment none(0, 0, MakeBoxFigure(&painter, 0, 0, 4, 2), colors, 0); }),
              failure);
}

TEST(ShapeLedFatory, BuildsEveryShapeKindAndReturnsThePositionAfterTheCell) {
    // clang-format off
    const std::int32_t table[] = {
        6, 0, 0, 40, 30,
        0, 3, 1, 1, 5, 1, 3, 4,     // polygon
        1, 6, 1, 10, 5,             // rectangle
        2, 11, 1, 15, 5,            // ellipse
        3, 16, 1, 24, 9, 2, 3,      // rounded rectangle
        4, 1, 10, 6,                // circle
        5, 10, 10, 8,               // square
        -7,                         // the next cell would start here
    };
    // clang-format on
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    CompositeScalableLED* made = nullptr;
    const std::int32_t* end =
        Factory().CreateLED(table, &tessel::ThirteenSegDirector, &painter, colors, 2, made);
    Cell cell(made);
    EXPECT_EQ(end - table, 38);
    EXPECT_EQ(cell.led->Width(), 40);
    EXPECT_EQ(cell.led->Height(), 30);
    ASSERT_EQ(cell.segments.size(), 6u);

    const Point positions[] = {{1, 1}, {6, 1}, {11, 1}, {16, 1}, {1, 10}, {10, 10}};
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(Point(cell.segments[i]->X(), cell.segments[i]->Y()), positions[i]) << i;
        EXPECT_EQ(cell.segments[i]->State(), 0) << i;
    }

    cell.led->SetState(1);
    cell.led->Figure()->Draw();
    struct Expected {
        Kind kind;
        Rect rect;
        Points points;
        int cornerWidth, cornerHeight;
    };
    const Expected expected[] = {
        {Kind::FillPolygon, Rect(), {{1, 1}, {5, 1}, {3, 4}}, 0, 0},
        {Kind::FillRect, Rect(6, 1, 10, 5), {}, 0, 0},
        {Kind::FillEllipse, Rect(11, 1, 15, 5), {}, 0, 0},
        {Kind::FillRoundRect, Rect(16, 1, 24, 9), {}, 2, 3},
        {Kind::FillEllipse, Rect(1, 10, 7, 16), {}, 0, 0},
        {Kind::FillRect, Rect(10, 10, 18, 18), {}, 0, 0},
    };
    ASSERT_EQ(painter.Primitives().size(), 12u);
    for (std::size_t i = 0; i < 6; ++i) {
        const RecordingPainter::Primitive& fill = painter.Primitives()[2 * i];
        EXPECT_EQ(fill.kind, expected[i].kind) << i;
        EXPECT_EQ(fill.rect, expected[i].rect) << i;
        EXPECT_EQ(fill.points, expected[i].points) << i;
        EXPECT_EQ(fill.cornerWidth, expected[i].cornerWidth) << i;
        EXPECT_EQ(fill.cornerHeight, expected[i].cornerHeight) << i;
        EXPECT_EQ(fill.color, kLight) << i;
    }
}

TEST(ShapeLedFatory, RefusesAnUnknownTypeCodeWithoutLeaking) {
    const std::int32_t table[] = {2, 0, 0, 10, 10, 0, 2, 1, 1, 3, 3, 9, 1, 1, 2, 2};
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    CompositeScalableLED* made = nullptr;
    EXPECT_EQ(AssertionTextOf([&] {
                  Factory().CreateLED(table, &tessel::FourSegDirector, &painter, colors, 2, made);
              }),
              "Assertion failed: false, file tessel/Component/LED/ShapeLED, line 262");
    EXPECT_EQ(made, nullptr);
}

namespace {
int g_reported = 0;
void CountAndGoOn(const char*, const char*, int) {
    ++g_reported;
}
} // namespace

TEST(ShapeLedFatory, StopsReadingAtAnUnknownTypeCodeWhenTheCheckReturns) {
    const std::int32_t table[] = {2, 0, 0, 10, 10, 0, 2, 1, 1, 3, 3, 9, 1, 1, 2, 2};
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    CompositeScalableLED* made = nullptr;
    g_reported = 0;
    const tessel::AssertHandler previous = tessel::SetAssertHandler(&CountAndGoOn);
    const std::int32_t* end =
        Factory().CreateLED(table, &tessel::FourSegDirector, &painter, colors, 2, made);
    tessel::SetAssertHandler(previous);
    Cell cell(made);
    EXPECT_EQ(g_reported, 1);
    EXPECT_EQ(cell.segments.size(), 1u);
    EXPECT_EQ(end - table, 12); // just after the unknown type code
}

TEST(ShapeLedFatory, DigitCellScalesItsSegmentsWithTheCell) {
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    CompositeScalableLED* made = nullptr;
    Factory().CreateLED(tessel::DigitGeometry, &tessel::SevenSegDirector, &painter, colors, 2,
                        made);
    Cell cell(made);
    cell.led->SetState(2); // the digit 1: segments b and c
    cell.led->Figure()->Resize(36, 44);
    cell.led->Figure()->Draw();
    ASSERT_EQ(painter.Primitives().size(), 14u);
    const RecordingPainter::Primitive& a = painter.Primitives()[0];
    const RecordingPainter::Primitive& b = painter.Primitives()[2];
    EXPECT_EQ(a.points, (Points{{8, 4}, {24, 4}, {24, 6}, {8, 6}}));
    EXPECT_EQ(a.color, kDark);
    EXPECT_EQ(b.points, (Points{{28, 8}, {30, 8}, {30, 18}, {28, 18}}));
    EXPECT_EQ(b.color, kLight);
    EXPECT_EQ(cell.led->Width(), 18); // still its design size
    EXPECT_EQ(cell.led->Height(), 22);
}
