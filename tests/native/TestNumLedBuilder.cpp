#include <gtest/gtest.h>

#include "KxPackage/Source/NumLedBuilder.h"
#include "tests/support/RecordingPainter.h"

using tessel::KxNumLedStyle;
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

TEST(CreateBuilder, HasABuilderForTheRectangleStyleOnly) {
    EXPECT_NE(dynamic_cast<Builder_r7_s<RecordingPainter>*>(
                  CreateBuilder<RecordingPainter>(tessel::nledRectangle7_s).get()),
              nullptr);
    for (int style : {1, 2, 127, 255}) {
        SCOPED_TRACE(style);
        EXPECT_EQ(CreateBuilder<RecordingPainter>(static_cast<KxNumLedStyle>(style)), nullptr);
    }
}
