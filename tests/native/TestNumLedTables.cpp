#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "KxPackage/Source/NumLed.h"
#include "tessel/Component/LED/ShapeLED.h"
#include "tests/support/RecordingPainter.h"

using tessel::CompositeScalableLED;
using tessel::Point;
using tessel::RgbColor;
using Points = std::vector<Point>;

namespace {

const RgbColor kDark(0xFF3E260Eu);
const RgbColor kLight(0xFF0AF00Au);

// The segments of a seven-segment director's state, as letters a-g.
std::string LitSegments(int state) {
    std::string lit;
    for (int i = 0; i < 7; ++i)
        if (tessel::SevenSegDirector.SubState(state, i) == 1)
            lit += static_cast<char>('a' + i);
    return lit;
}

struct Cell {
    std::unique_ptr<CompositeScalableLED> led;
    std::vector<std::unique_ptr<tessel::ScalableLED>> segments;
    const std::int32_t* end = nullptr;
};

Cell MakeCell(const std::int32_t* table, const tessel::LED_Director& director,
              RecordingPainter* painter, const RgbColor* colors) {
    Cell cell;
    CompositeScalableLED* made = nullptr;
    cell.end = tessel::ShapeLedFatory<RecordingPainter>().CreateLED(table, &director, painter,
                                                                    colors, 2, made);
    cell.led.reset(made);
    for (tessel::ScalableLED* segment : made->LEDs())
        cell.segments.emplace_back(segment);
    return cell;
}

} // namespace

TEST(SevenSegTbl, LightsTheSegmentsOfEachDigit) {
    const char* const digits[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                                  "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    EXPECT_EQ(tessel::SevenSegDirector.StateCount(), 12);
    EXPECT_EQ(LitSegments(0), "");
    for (int digit = 0; digit < 10; ++digit)
        EXPECT_EQ(LitSegments(digit + 1), digits[digit]) << "digit " << digit;
    EXPECT_EQ(LitSegments(11), "abcdefg");
    EXPECT_EQ(LitSegments(9), LitSegments(11));
}

TEST(SegmentDirectors, TwoStateTablesSwitchAllTheirSegmentsTogether) {
    struct Case {
        const char* what;
        const tessel::LED_Director& director;
        int segments;
    };
    const Case cases[] = {
        {"single", tessel::SingleSegDirector, 1},
        {"four", tessel::FourSegDirector, 4},
        {"thirteen (sixteen wide)", tessel::ThirteenSegDirector, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.director.StateCount(), 2);
        for (int i = 0; i < c.segments; ++i) {
            EXPECT_EQ(c.director.SubState(0, i), 0) << i;
            EXPECT_EQ(c.director.SubState(1, i), 1) << i;
        }
        // Outside the table every reader answers "off" instead of reading past it.
        EXPECT_EQ(c.director.SubState(1, c.segments), 0);
        EXPECT_EQ(c.director.SubState(2, 0), 0);
    }
    EXPECT_EQ(tessel::SevenSegDirector.SubState(11, 7), 0);
    EXPECT_EQ(tessel::SevenSegDirector.SubState(12, 0), 0);
    EXPECT_EQ(tessel::SevenSegDirector.SubState(-1, 0), 0);
}

TEST(GeometryTables, EachBuildsItsCellAndEndsWhereTheTableEnds) {
    struct Case {
        const char* what;
        const std::int32_t* table;
        std::ptrdiff_t size;
        const tessel::LED_Director& director;
        int width, height;
        std::size_t segments;
    };
    const Case cases[] = {
        {"digit", tessel::DigitGeometry, std::size(tessel::DigitGeometry), tessel::SevenSegDirector,
         18, 22, 7},
        {"dot", tessel::DotGeometry, std::size(tessel::DotGeometry), tessel::SingleSegDirector, 6,
         27, 1},
        {"degree sign", tessel::DegreeSignGeometry, std::size(tessel::DegreeSignGeometry),
         tessel::FourSegDirector, 9, 27, 4},
        {"letter C", tessel::LetterCGeometry, std::size(tessel::LetterCGeometry),
         tessel::FourSegDirector, 19, 27, 4},
        {"RPM label", tessel::RpmLabelGeometry, std::size(tessel::RpmLabelGeometry),
         tessel::ThirteenSegDirector, 47, 27, 16},
    };
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Cell cell = MakeCell(c.table, c.director, &painter, colors);
        EXPECT_EQ(cell.end - c.table, c.size);
        EXPECT_EQ(cell.led->Width(), c.width);
        EXPECT_EQ(cell.led->Height(), c.height);
        EXPECT_EQ(cell.segments.size(), c.segments);
        EXPECT_EQ(cell.led->StateCount(), c.director.StateCount());

        // All on: every segment is painted, fill and outline, in the light colour.
        cell.led->SetState(cell.led->StateCount() - 1);
        painter.Clear();
        cell.led->Figure()->Draw();
        ASSERT_EQ(painter.Primitives().size(), 2 * c.segments);
        for (const RecordingPainter::Primitive& primitive : painter.Primitives())
            EXPECT_EQ(primitive.color, kLight);
    }
    EXPECT_EQ(tessel::DigitGeometry + 75,
              MakeCell(tessel::DigitGeometry, tessel::SevenSegDirector, &painter, colors).end);
}

TEST(GeometryTables, DigitSegmentsAreDrawnAtTheirDesignPoints) {
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    Cell cell = MakeCell(tessel::DigitGeometry, tessel::SevenSegDirector, &painter, colors);
    cell.led->SetState(5); // the digit 4: b, c, f, g
    cell.led->Figure()->Draw();
    const Points expected[] = {
        {{4, 2}, {12, 2}, {12, 3}, {4, 3}},       {{14, 4}, {15, 4}, {15, 9}, {14, 9}},
        {{14, 12}, {15, 12}, {15, 17}, {14, 17}}, {{4, 18}, {12, 18}, {12, 19}, {4, 19}},
        {{2, 12}, {3, 12}, {3, 17}, {2, 17}},     {{2, 4}, {3, 4}, {3, 9}, {2, 9}},
        {{4, 10}, {12, 10}, {12, 11}, {4, 11}},
    };
    const bool lit[] = {false, true, true, false, false, true, true};
    ASSERT_EQ(painter.Primitives().size(), 14u);
    for (std::size_t i = 0; i < 7; ++i) {
        const RecordingPainter::Primitive& fill = painter.Primitives()[2 * i];
        EXPECT_EQ(fill.points, expected[i]) << "segment " << char('a' + i);
        EXPECT_EQ(fill.color, lit[i] ? kLight : kDark) << "segment " << char('a' + i);
    }
}

TEST(GeometryTables, ComplexSegmentsKeepEveryPointInOrder) {
    RecordingPainter painter;
    const RgbColor colors[] = {kDark, kLight};
    Cell degree = MakeCell(tessel::DegreeSignGeometry, tessel::FourSegDirector, &painter, colors);
    Cell rpm = MakeCell(tessel::RpmLabelGeometry, tessel::ThirteenSegDirector, &painter, colors);
    painter.Clear();
    degree.led->Figure()->Draw();
    EXPECT_EQ(painter.Primitives()[6].points,
              (Points{{6, 7}, {8, 7}, {8, 11}, {2, 11}, {2, 10}, {6, 10}}));
    painter.Clear();
    rpm.led->Figure()->Draw();
    EXPECT_EQ(painter.Primitives()[10].points, (Points{{8, 20}, {10, 23}, {6, 20}}));
    EXPECT_EQ(
        painter.Primitives()[26].points,
        (Points{{28, 12}, {44, 12}, {43, 13}, {37, 13}, {37, 24}, {36, 24}, {36, 13}, {29, 13}}));
    EXPECT_EQ(painter.Primitives()[26].color,
              kDark); // unlit: segments show state 0 until the cell is set
}
