#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tessel/Graphics/FigureBase.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/FigureBounds.h"
#include "tests/support/RecordingPainter.h"

using tessel::CompositeFigure;
using tessel::CompositeScalableFig;
using tessel::Rect;

namespace {

using Box = tessel::PolygonFigure<RecordingPainter>;

const std::string kContainmentFailure =
    "Assertion failed: figurePtr->Left() >= m_left && figurePtr->Top() >= m_top && "
    "figurePtr->Left() + figurePtr->Width() <= m_left + m_width && figurePtr->Top() + "
    "figurePtr->Height() <= m_top + m_height, file tessel/Graphics/FigureBase, line 128";

const std::string kSetRectChildFailure =
    "Assertion failed: (*first)->Left() >= rect.left && (*first)->Top() >= rect.top && "
    "(*first)->Width() + (*first)->Left() <= rect.right && (*first)->Height() + (*first)->Top() "
    "<= rect.bottom, file tessel/Graphics/Source/FigureBase, line 72";

} // namespace

TEST(CompositeFigure, AcceptsChildrenUpToItsEdgesAndRefusesOthers) {
    struct Case {
        const char* what;
        int left, top, right, bottom;
        bool accepted;
    };
    const Case cases[] = {
        {"whole group", 10, 20, 110, 70, true},
        {"on the right edge", 90, 30, 110, 40, true},
        {"on the bottom edge", 20, 60, 30, 70, true},
        {"one past the right edge", 91, 30, 111, 40, false},
        {"one past the bottom edge", 20, 61, 30, 71, false},
        {"left of the group", 9, 30, 20, 40, false},
        {"above the group", 20, 19, 30, 40, false},
    };
    RecordingPainter painter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Box child = MakeBoxFigure(&painter, c.left, c.top, c.right, c.bottom);
        CompositeFigure group(10, 20, 110, 70);
        EXPECT_EQ(AssertionTextOf([&] { group.Add(&child); }),
                  c.accepted ? "" : kContainmentFailure);
        EXPECT_EQ(group.Children().size(), c.accepted ? 1u : 0u);
    }
}

TEST(CompositeFigure, RefusesANegativeSizeAndAcceptsAnEmptyOne) {
    EXPECT_EQ(AssertionTextOf([] { CompositeFigure group(5, 5, 4, 9); }),
              "Assertion failed: m_width >=0 && m_height >=0, file tessel/Graphics/FigureBase, "
              "line 107");
    EXPECT_EQ(AssertionTextOf([] { CompositeFigure group(5, 5, 5, 5); }), "");

    CompositeFigure group(0, 0, 10, 10);
    EXPECT_EQ(AssertionTextOf([&] { group.SetRect(Rect(3, 4, 3, 4)); }), "");
    EXPECT_EQ(BoundsOf(group), (Bounds{3, 4, 0, 0}));
    EXPECT_EQ(AssertionTextOf([&] { group.SetRect(Rect(3, 4, 3, 3)); }),
              "Assertion failed: m_width >=0 && m_height >=0, file "
              "tessel/Graphics/Source/FigureBase, line 61");
}

TEST(CompositeFigure, SetRectLeavesChildrenWhereTheyAreAndChecksEach) {
    RecordingPainter painter;
    Box child = MakeBoxFigure(&painter, 20, 20, 30, 25);
    CompositeFigure group(0, 0, 100, 100);
    group.Add(&child);

    EXPECT_EQ(AssertionTextOf([&] { group.SetRect(Rect(20, 20, 30, 25)); }), "");
    EXPECT_EQ(BoundsOf(group), (Bounds{20, 20, 10, 5}));
    EXPECT_EQ(BoundsOf(child), (Bounds{20, 20, 10, 5}));
    EXPECT_EQ(AssertionTextOf([&] { group.SetRect(Rect(21, 20, 40, 40)); }), kSetRectChildFailure);
    EXPECT_EQ(AssertionTextOf([&] { group.SetRect(Rect(0, 0, 29, 40)); }), kSetRectChildFailure);
}

TEST(CompositeFigure, RemoveReportsThePositionOrMinusOne) {
    RecordingPainter painter;
    Box a = MakeBoxFigure(&painter, 0, 0, 1, 1);
    Box b = MakeBoxFigure(&painter, 1, 1, 2, 2);
    Box c = MakeBoxFigure(&painter, 2, 2, 3, 3);
    CompositeFigure group(0, 0, 3, 3);
    group.Add(&a);
    group.Add(&b);
    group.Add(&c);

    EXPECT_EQ(group.Remove(&b), 1);
    EXPECT_EQ(group.Remove(&b), -1);
    EXPECT_EQ(group.Remove(&c), 1);
    EXPECT_EQ(group.Children(), (std::vector<tessel::Figure*>{&a}));
}

TEST(CompositeFigure, DrawsErasesAndMovesItsChildrenFirstToLast) {
    RecordingPainter painter(tessel::RgbColor(0x123456u));
    Box a = MakeBoxFigure(&painter, 1, 1, 3, 3);
    Box b = MakeBoxFigure(&painter, 5, 5, 8, 8);
    a.SetFillColor(tessel::RgbColor(0xFF0000AAu));
    b.SetFillColor(tessel::RgbColor(0xFF0000BBu));
    CompositeFigure group(0, 0, 10, 10);
    group.Add(&a);
    group.Add(&b);

    group.Draw();
    ASSERT_EQ(painter.Primitives().size(), 4u);
    EXPECT_EQ(painter.Primitives()[0].color, tessel::RgbColor(0xFF0000AAu));
    EXPECT_EQ(painter.Primitives()[2].color, tessel::RgbColor(0xFF0000BBu));

    painter.Clear();
    group.Erase();
    ASSERT_EQ(painter.Primitives().size(), 4u);
    EXPECT_EQ(painter.Primitives()[0].points.front(), tessel::Point(1, 1));
    EXPECT_EQ(painter.Primitives()[2].points.front(), tessel::Point(5, 5));

    group.MoveBy(-1, 2);
    EXPECT_EQ(BoundsOf(group), (Bounds{-1, 2, 10, 10}));
    EXPECT_EQ(BoundsOf(a), (Bounds{0, 3, 2, 2}));
    EXPECT_EQ(BoundsOf(b), (Bounds{4, 7, 3, 3}));
    EXPECT_EQ(AssertionTextOf([&] { group.SetRect(Rect(-1, 2, 9, 12)); }), "");
}

TEST(CompositeFigure, WithoutChildrenOnlyItsOwnPositionChanges) {
    RecordingPainter painter;
    CompositeFigure group(0, 0, 4, 4);
    group.Draw();
    group.Erase();
    group.MoveBy(7, -3);
    EXPECT_TRUE(painter.Primitives().empty());
    EXPECT_EQ(BoundsOf(group), (Bounds{7, -3, 4, 4}));
}

TEST(CompositeScalableFig, ResizeAndResizeBackRestoresTheLayoutExactly) {
    RecordingPainter painter;
    // Offset (30, 10) and size 20 x 10 in a 100 x 50 group at (5, 7).
    Box child = MakeBoxFigure(&painter, 35, 17, 55, 27);
    const std::vector<tessel::Point> original = child.GetShape().ControlPoints();
    CompositeScalableFig group(5, 7, 105, 57);
    group.Add(&child);

    group.Resize(50, 25);
    EXPECT_EQ(BoundsOf(group), (Bounds{5, 7, 50, 25}));
    EXPECT_EQ(BoundsOf(child), (Bounds{20, 12, 10, 5}));
    EXPECT_EQ(child.OriginalWidth(), 20);

    group.Resize(100, 50);
    EXPECT_EQ(BoundsOf(group), (Bounds{5, 7, 100, 50}));
    EXPECT_EQ(BoundsOf(child), (Bounds{35, 17, 20, 10}));
    EXPECT_EQ(child.GetShape().ControlPoints(), original);
    EXPECT_EQ(group.OriginalWidth(), 100);
    EXPECT_EQ(group.OriginalHeight(), 50);
}

TEST(CompositeScalableFig, ScalesBySinglePrecisionFactorsAndTruncates) {
    struct Case {
        const char* what;
        int designWidth, newWidth, offset, width;
        int scaledOffset, scaledWidth;
    };
    const Case cases[] = {
        {"3 x 0.5 becomes 1", 100, 50, 3, 5, 1, 2},
        {"growing truncates too", 100, 150, 3, 5, 4, 7},
        {"a third", 30, 10, 10, 7, 3, 2},
        // 0.7 in single precision is 0.69999999; times 10 in double that truncates to 6 (a
        // single-precision product would have rounded to 7.0).
        {"single-precision factor, double product", 20, 14, 10, 10, 6, 6},
        {"down to nothing", 10, 0, 4, 6, 0, 0},
    };
    RecordingPainter painter;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Box child =
            MakeBoxFigure(&painter, c.offset, c.offset, c.offset + c.width, c.offset + c.width);
        CompositeScalableFig group(0, 0, c.designWidth, c.designWidth);
        group.Add(&child);
        group.Resize(c.newWidth, c.newWidth);
        EXPECT_EQ(BoundsOf(child),
                  (Bounds{c.scaledOffset, c.scaledOffset, c.scaledWidth, c.scaledWidth}));
    }
}

TEST(CompositeScalableFig, RefusesToResizeWithoutADesignSize) {
    const std::string failure = "Assertion failed: m_originalWidth > 0 && m_originalHeight > 0, "
                                "file tessel/Graphics/Source/FigureBase, line 120";
    CompositeScalableFig empty;
    EXPECT_EQ(AssertionTextOf([&] { empty.Resize(10, 10); }), failure);
    CompositeScalableFig flat(0, 0, 10, 0);
    EXPECT_EQ(AssertionTextOf([&] { flat.Resize(10, 10); }), failure);
}

TEST(CompositeScalableFig, AddAndRemoveTakeTheCurrentLayoutAsTheDesign) {
    RecordingPainter painter;
    Box a = MakeBoxFigure(&painter, 0, 0, 20, 20);
    Box b = MakeBoxFigure(&painter, 10, 10, 15, 15);
    Box stranger = MakeBoxFigure(&painter, 0, 0, 1, 1);
    CompositeScalableFig group(0, 0, 40, 40);
    group.Add(&a);
    group.Resize(20, 20);
    EXPECT_EQ(BoundsOf(a), (Bounds{0, 0, 10, 10}));

    group.Add(&b); // the layout at 20 x 20 becomes the design
    EXPECT_EQ(group.OriginalWidth(), 20);
    EXPECT_EQ(a.OriginalWidth(), 10);
    group.Resize(40, 40);
    EXPECT_EQ(BoundsOf(a), (Bounds{0, 0, 20, 20}));
    EXPECT_EQ(BoundsOf(b), (Bounds{20, 20, 10, 10}));

    group.Remove(&stranger); // not a child: nothing removed, the layout is still re-fixed
    EXPECT_EQ(group.Children().size(), 2u);
    EXPECT_EQ(group.OriginalWidth(), 40);

    group.Remove(&a);
    group.Resize(20, 20);
    EXPECT_EQ(BoundsOf(b), (Bounds{10, 10, 5, 5}));
    EXPECT_EQ(BoundsOf(a), (Bounds{0, 0, 20, 20}));
}

TEST(CompositeScalableFig, SetOriginalRectChangesTheDesignAndKeepsTheFarEdges) {
    CompositeScalableFig group(0, 0, 30, 20);
    group.SetOriginalRect(Rect(2, 3, 12, 8));
    EXPECT_EQ(group.OriginalWidth(), 10);
    EXPECT_EQ(group.OriginalHeight(), 5);
    EXPECT_EQ(BoundsOf(group), (Bounds{2, 3, 28, 17}));
}
