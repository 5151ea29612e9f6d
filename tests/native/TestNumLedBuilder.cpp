#include <gtest/gtest.h>

#include <vector>

#include "KxPackage/Source/NumLedBuilder.h"
#include "tests/support/RecordingPainter.h"

using tessel::KxNumLedStyle;
using tessel::Point;
using tessel::RgbColor;
using tessel::detail::Builder;
using tessel::detail::Builder_r7_s;
using tessel::detail::CreateBuilder;
using tessel::detail::OwnedCell;

namespace {

using CellMaker = OwnedCell (Builder<RecordingPainter>::*)(int, RecordingPainter*, const RgbColor*,
                                                           int) const;

const RgbColor kDark(0xFF3E260Eu);
const RgbColor kLight(0xFF0AF00Au);

} // namespace

TEST(Builder_r7_s, MakesEachCellKindAtItsPositionWithItsDesignSize) {
    struct Case {
        const char* what;
        CellMaker make;
        int width, height, segments, states;
    };
    const Case cases[] = {
        {"digit", &Builder<RecordingPainter>::MakeDigit, 18, 22, 7, 12},
        {"dot", &Builder<RecordingPainter>::MakeDot, 6, 27, 1, 2},
        {"degree sign", &Builder<RecordingPainter>::MakeDegreeSign, 9, 27, 4, 2},
        {"letter C", &Builder<RecordingPainter>::MakeLetterC, 19, 27, 4, 2},
        {"RPM label", &Builder<RecordingPainter>::MakeRpmLabel, 47, 27, 16, 2},
    };
    RecordingPainter painter;
    const RgbColor colors[2] = {kDark, kLight};
    const Builder_r7_s<RecordingPainter> builder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OwnedCell cell = (builder.*c.make)(40, &painter, colors, 2);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->X(), 40);
        EXPECT_EQ(cell->Y(), 0);
        EXPECT_EQ(cell->Width(), c.width);
        EXPECT_EQ(cell->Height(), c.height);
        EXPECT_EQ(cell->LEDs().size(), static_cast<std::size_t>(c.segments));
        EXPECT_EQ(cell->StateCount(), c.states);
        EXPECT_EQ(cell->State(), -1) << "a new cell shows no state yet";
        // Placed, the cell lies at x with its design size.
        EXPECT_EQ(cell->Figure()->Left(), 40);
        EXPECT_EQ(cell->Figure()->Top(), 0);
        EXPECT_EQ(cell->Figure()->Width(), c.width);
    }
}

TEST(Builder_r7_s, DigitSegmentsFollowTheCellAndTakeTheColoursOfItsState) {
    RecordingPainter painter;
    const RgbColor colors[2] = {kDark, kLight};
    OwnedCell digit = Builder_r7_s<RecordingPainter>().MakeDigit(36, &painter, colors, 2);

    digit->SetState(2); // the digit 1: segments b and c
    digit->Figure()->Draw();

    const std::vector<RecordingPainter::Primitive>& drawn = painter.Primitives();
    ASSERT_EQ(drawn.size(), 14u) << "fill and outline of seven segments";
    // Segment a, shifted by the cell's x.
    EXPECT_EQ(drawn[0].kind, RecordingPainter::FillPolygon);
    EXPECT_EQ(drawn[0].points, (std::vector<Point>{{40, 2}, {48, 2}, {48, 3}, {40, 3}}));
    const bool lit[7] = {false, true, true, false, false, false, false};
    for (int segment = 0; segment < 7; ++segment) {
        SCOPED_TRACE(segment);
        EXPECT_EQ(drawn[2 * segment].color, lit[segment] ? kLight : kDark);
        EXPECT_EQ(drawn[2 * segment + 1].color, lit[segment] ? kLight : kDark);
    }
}

TEST(CreateBuilder, HasABuilderForTheRectangleStyleOnly) {
    EXPECT_NE(dynamic_cast<Builder_r7_s<RecordingPainter>*>(
                  CreateBuilder<RecordingPainter>(tessel::nledRectangle7_s).get()),
              nullptr);
    for (int style : {1, 2, 127, 255}) {
        SCOPED_TRACE(style);
        EXPECT_EQ(CreateBuilder<RecordingPainter>(static_cast<KxNumLedStyle>(style)), nullptr);
    }
}
