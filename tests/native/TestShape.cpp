#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tessel/Graphics/Shape.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/RecordingPainter.h"

using tessel::Point;
using tessel::Polygon;
using tessel::Rect;
using tessel::RgbColor;
using Points = std::vector<Point>;
using Kind = RecordingPainter::Kind;

namespace {

Rect BoundsOf(const Polygon& polygon) {
    Rect bounds;
    polygon.Bounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
    return bounds;
}

std::string Failure(const char* expression, int line) {
    return tessel::AssertMessage(expression, "tessel/Graphics/Shape", line);
}

// The way the segment tables build a polygon figure: two points set, the rest inserted.
tessel::PolygonFigure<RecordingPainter> SegmentFigure(RecordingPainter* painter,
                                                      const Points& points) {
    tessel::PolygonFigure<RecordingPainter> figure(painter);
    for (unsigned i = 0; i < points.size(); ++i) {
        if (i < figure.ControlPointCount())
            figure.SetControlPoint(points[i].x, points[i].y, i);
        else
            figure.GetShape().InsertControlPoint(points[i], i);
    }
    figure.Resize(figure.OriginalWidth(), figure.OriginalHeight());
    return figure;
}

} // namespace

TEST(Polygon, BoundsSpanAllPointsAndAreEmptyWithoutPoints) {
    struct Case {
        Points points;
        Rect bounds;
    };
    const Case cases[] = {
        {{{3, 2}, {18, 2}, {15, 5}, {6, 5}}, Rect(3, 2, 18, 5)},
        {{{9, 9}, {1, 4}, {12, 0}, {5, 20}}, Rect(1, 0, 12, 20)},
        {{{-4, 7}}, Rect(-4, 7, -4, 7)},
        {{}, Rect(0, 0, 0, 0)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(BoundsOf(Polygon(c.points)), c.bounds) << c.points.size() << " points";
}

TEST(Polygon, ScalesAboutItsTopLeftRoundingHalfUp) {
    struct Case {
        const char* what;
        Points points;
        int width, height;
        Points scaled;
    };
    const Case cases[] = {
        {"a vertical line stretches from its first point",
         {{5, 1}, {5, 4}, {5, 9}},
         10,
         8,
         {{15, 1}, {5, 4}, {5, 9}}},
        {"a horizontal line likewise", {{2, 7}, {6, 7}, {4, 7}}, 4, 3, {{2, 10}, {6, 7}, {4, 7}}},
        {"a single point becomes width x height from itself", {{4, 4}}, 3, 2, {{7, 6}}},
        {"offset 1 times 1.5 lands on 2",
         {{10, 20}, {11, 20}, {12, 22}},
         3,
         3,
         {{10, 20}, {12, 20}, {13, 23}}},
        {"offset 1 times 0.5 rounds up to 1",
         {{0, 0}, {1, 1}, {2, 2}},
         1,
         1,
         {{0, 0}, {1, 1}, {1, 1}}},
        {"its own extent changes nothing",
         {{28, 12}, {44, 12}, {43, 13}, {37, 13}, {37, 24}, {36, 24}, {36, 13}, {29, 13}},
         16,
         12,
         {{28, 12}, {44, 12}, {43, 13}, {37, 13}, {37, 24}, {36, 24}, {36, 13}, {29, 13}}},
        {"an empty polygon stays empty", {}, 10, 10, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Polygon polygon(c.points);
        polygon.ScaleTo(c.width, c.height);
        EXPECT_EQ(polygon.ControlPoints(), c.scaled);
    }
}

TEST(Polygon, InsertsBeforeAnIndexAndAppendsAtTheEnd) {
    Polygon polygon;
    EXPECT_EQ(polygon.ControlPoints(), (Points{{0, 0}, {0, 0}}));
    polygon.SetControlPoint(1, 1, 0);
    polygon.InsertControlPoint(Point(3, 3), 2);
    polygon.InsertControlPoint(Point(2, 2), 1);
    EXPECT_EQ(polygon.ControlPoints(), (Points{{1, 1}, {2, 2}, {0, 0}, {3, 3}}));
    int x = -1, y = -1;
    polygon.GetControlPoint(3, x, y);
    EXPECT_EQ(Point(x, y), Point(3, 3));
}

TEST(Shapes, ReportBrokenPreconditionsWithTheirExactTexts) {
    tessel::Rectangle rectangle;
    tessel::Ellipse ellipse;
    tessel::RoundRect roundRect;
    tessel::Square square(0, 0, 5);
    tessel::Circle circle(0, 0, 5);
    Polygon polygon;
    int x = 0, y = 0;
    struct Case {
        const char* what;
        std::function<void()> statement;
        std::string text;
    };
    const Case cases[] = {
        {"rectangle set", [&] { rectangle.SetControlPoint(1, 1, 2); },
         Failure("index < CONTROL_POINT_COUNT", 141)},
        {"ellipse get", [&] { ellipse.GetControlPoint(2, x, y); },
         Failure("index < CONTROL_POINT_COUNT", 148)},
        {"round rect set", [&] { roundRect.SetControlPoint(1, 1, 7); },
         Failure("index < CONTROL_POINT_COUNT", 141)},
        {"square index", [&] { square.SetControlPoint(1, 1, 2); },
         Failure("index < CONTROL_POINT_COUNT", 141)},
        {"square out of square", [&] { square.SetControlPoint(5, 6, 1); },
         Failure("m_data.Width() == m_data.Height()", 388)},
        {"circle out of square", [&] { circle.SetControlPoint(1, 0, 0); },
         Failure("m_data.Width() == m_data.Height()", 388)},
        {"square scaled unevenly", [&] { square.ScaleTo(4, 5); }, Failure("width == height", 398)},
        {"circle scaled unevenly", [&] { circle.ScaleTo(5, 4); }, Failure("width == height", 398)},
        {"polygon set", [&] { polygon.SetControlPoint(1, 1, 2); },
         Failure("index < ControlPointCount()", 536)},
        {"polygon get", [&] { polygon.GetControlPoint(2, x, y); },
         Failure("index < ControlPointCount()", 543)},
        {"polygon insert", [&] { polygon.InsertControlPoint(Point(), 3); },
         Failure("index <= m_controlPoints.size()", 651)},
        {"square stays square", [&] { square.SetControlPoint(6, 6, 1); }, ""},
        {"square scaled evenly", [&] { square.ScaleTo(3, 3); }, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AssertionTextOf(c.statement), c.text) << c.what;
    EXPECT_EQ(polygon.ControlPointCount(), 2u);
}

TEST(Shapes, FixedShapesScaleFromCornerZero) {
    tessel::RoundRect roundRect(2, 3, 12, 8, 4, 5);
    roundRect.ScaleTo(20, 1);
    EXPECT_EQ(roundRect.Corner1(), Point(22, 4));
    EXPECT_EQ(roundRect.EllipseWidth(), 4);
    EXPECT_EQ(roundRect.EllipseHeight(), 5);

    // Corners are stored as given: the extent may be negative.
    tessel::Rectangle rectangle(10, 10, 4, 6);
    EXPECT_EQ(rectangle.Width(), -6);
    EXPECT_EQ(rectangle.Height(), -4);
}

TEST(ShapeFigure, ResizeKeepsTheRatioOnlyForSquareAndCircle) {
    RecordingPainter painter;
    tessel::SquareFigure<RecordingPainter> square(tessel::Square(0, 0, 10), &painter);
    tessel::CircleFigure<RecordingPainter> circle(tessel::Circle(0, 0, 10), &painter);
    auto polygon = MakeBoxFigure(&painter, 0, 0, 10, 10);
    tessel::RectangleFigure<RecordingPainter> rectangle(&painter);
    rectangle.SetControlPoint(0, 0, 0);
    rectangle.SetControlPoint(10, 10, 1);

    struct Case {
        const char* what;
        tessel::ShapeFigure* figure;
        int width, height;
    };
    const Case cases[] = {
        {"square", &square, 20, 20},
        {"circle", &circle, 20, 20},
        {"polygon", &polygon, 30, 20},
        {"rectangle reports its own extent", &rectangle, 10, 10},
    };
    for (const Case& c : cases) {
        c.figure->Resize(30, 20);
        EXPECT_EQ(c.figure->Width(), c.width) << c.what;
        EXPECT_EQ(c.figure->Height(), c.height) << c.what;
        EXPECT_EQ(c.figure->OriginalWidth(), 10) << c.what;
    }
}

TEST(ShapeFigure, DrawsTheShapeScaledToItsDisplaySizeFillThenOutline) {
    RecordingPainter painter;
    const RgbColor fill(0xFF00FF00u);
    const RgbColor line(0xFF0000FFu);
    struct Case {
        const char* what;
        std::unique_ptr<tessel::ShapeFigure> figure;
        Kind fillKind, frameKind;
        Rect rect;
        Points points;
    };
    std::vector<Case> cases;
    {
        auto polygon = std::make_unique<tessel::PolygonFigure<RecordingPainter>>(
            MakeBoxFigure(&painter, 2, 3, 6, 5));
        polygon->Resize(8, 4);
        cases.push_back({"polygon at twice its width", std::move(polygon), Kind::FillPolygon,
                         Kind::FramePolygon, Rect(), Points{{2, 3}, {10, 3}, {10, 7}, {2, 7}}});
    }
    {
        auto rectangle = std::make_unique<tessel::RectangleFigure<RecordingPainter>>(&painter);
        rectangle->SetControlPoint(2, 3, 0);
        rectangle->SetControlPoint(6, 5, 1);
        rectangle->Resize(40, 40);
        cases.push_back({"rectangle ignores its display size", std::move(rectangle), Kind::FillRect,
                         Kind::FrameRect, Rect(2, 3, 6, 5), Points{}});
    }
    {
        auto ellipse = std::make_unique<tessel::EllipseFigure<RecordingPainter>>(&painter);
        ellipse->SetControlPoint(1, 1, 0);
        ellipse->SetControlPoint(9, 5, 1);
        cases.push_back({"ellipse", std::move(ellipse), Kind::FillEllipse, Kind::FrameEllipse,
                         Rect(1, 1, 9, 5), Points{}});
    }
    {
        auto square = std::make_unique<tessel::SquareFigure<RecordingPainter>>(
            tessel::Square(2, 3, 10), &painter);
        square->Resize(4, 6);
        cases.push_back({"square at the smaller side", std::move(square), Kind::FillRect,
                         Kind::FrameRect, Rect(2, 3, 6, 7), Points{}});
    }
    {
        auto circle = std::make_unique<tessel::CircleFigure<RecordingPainter>>(
            tessel::Circle(0, 0, 7), &painter);
        cases.push_back({"circle", std::move(circle), Kind::FillEllipse, Kind::FrameEllipse,
                         Rect(0, 0, 7, 7), Points{}});
    }
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.figure->SetFillColor(fill);
        c.figure->SetLineColor(line);
        const int left = c.figure->Left();
        const int originalWidth = c.figure->OriginalWidth();
        painter.Clear();
        c.figure->Draw();
        ASSERT_EQ(painter.Primitives().size(), 2u);
        const auto& filled = painter.Primitives()[0];
        const auto& framed = painter.Primitives()[1];
        EXPECT_EQ(filled.kind, c.fillKind);
        EXPECT_EQ(framed.kind, c.frameKind);
        EXPECT_EQ(filled.color, fill);
        EXPECT_EQ(framed.color, line);
        EXPECT_EQ(filled.rect, c.rect);
        EXPECT_EQ(filled.points, c.points);
        EXPECT_EQ(framed.rect, filled.rect);
        EXPECT_EQ(framed.points, filled.points);
        // Drawing leaves the stored shape alone.
        EXPECT_EQ(c.figure->Left(), left);
        EXPECT_EQ(c.figure->OriginalWidth(), originalWidth);
    }
}

TEST(ShapeFigure, RoundedRectangleUsesTheFilledPrimitiveForBothPasses) {
    RecordingPainter painter;
    tessel::RoundRectFigure<RecordingPainter> figure(&painter);
    figure.SetControlPoint(1, 2, 0);
    figure.SetControlPoint(11, 8, 1);
    figure.SetEllipseWidth(3);
    figure.SetEllipseHeight(4);
    figure.SetLineColor(RgbColor(0xFF111111u));
    figure.Draw();
    ASSERT_EQ(painter.Primitives().size(), 2u);
    for (const auto& primitive : painter.Primitives()) {
        EXPECT_EQ(primitive.kind, Kind::FillRoundRect);
        EXPECT_EQ(primitive.rect, Rect(1, 2, 11, 8));
        EXPECT_EQ(primitive.cornerWidth, 3);
        EXPECT_EQ(primitive.cornerHeight, 4);
    }
    EXPECT_EQ(painter.Primitives()[1].color, RgbColor(0xFF111111u));
}

TEST(ShapeFigure, ErasePaintsWhatDrawPaintedInTheBackgroundColour) {
    const RgbColor background(0x00203040u);
    RecordingPainter painter(background);
    auto polygon = SegmentFigure(&painter, {{3, 2}, {18, 2}, {15, 5}, {6, 5}});
    polygon.Resize(30, 9);
    tessel::RectangleFigure<RecordingPainter> rectangle(&painter);
    rectangle.SetControlPoint(1, 1, 0);
    rectangle.SetControlPoint(5, 4, 1);
    tessel::EllipseFigure<RecordingPainter> ellipse(&painter);
    ellipse.SetControlPoint(1, 1, 0);
    ellipse.SetControlPoint(5, 4, 1);
    tessel::RoundRectFigure<RecordingPainter> roundRect(&painter);
    roundRect.SetControlPoint(1, 1, 0);
    roundRect.SetControlPoint(5, 4, 1);
    roundRect.SetEllipseWidth(2);
    tessel::SquareFigure<RecordingPainter> square(tessel::Square(4, 4, 6), &painter);
    square.Resize(3, 9);
    tessel::CircleFigure<RecordingPainter> circle(tessel::Circle(4, 4, 6), &painter);

    tessel::ShapeFigure* figures[] = {&polygon, &rectangle, &ellipse, &roundRect, &square, &circle};
    for (tessel::ShapeFigure* figure : figures) {
        painter.Clear();
        figure->Draw();
        std::vector<RecordingPainter::Primitive> expected = painter.Primitives();
        for (auto& primitive : expected)
            primitive.color = background;
        painter.Clear();
        figure->Erase();
        EXPECT_EQ(painter.Primitives(), expected);
    }
}

TEST(ShapeFigure, SegmentPolygonTakesItsExtentFromItsPoints) {
    RecordingPainter painter;
    auto figure = SegmentFigure(&painter, {{3, 2}, {18, 2}, {15, 5}, {6, 5}});
    EXPECT_EQ(figure.Left(), 3);
    EXPECT_EQ(figure.Top(), 2);
    EXPECT_EQ(figure.OriginalWidth(), 15);
    EXPECT_EQ(figure.OriginalHeight(), 3);
    EXPECT_EQ(figure.Width(), 15);
    EXPECT_EQ(figure.Height(), 3);
    EXPECT_EQ(figure.GetShape().ControlPoints(), (Points{{3, 2}, {18, 2}, {15, 5}, {6, 5}}));
}

TEST(ShapeFigure, ControlPointsAreSetAndReadInDisplayCoordinates) {
    RecordingPainter painter;
    auto figure = MakeBoxFigure(&painter, 0, 0, 10, 10);
    figure.Resize(20, 20);
    int x = 0, y = 0;
    figure.GetControlPoint(2, x, y);
    EXPECT_EQ(Point(x, y), Point(20, 20));

    figure.SetControlPoint(30, 20, 2);
    EXPECT_EQ(figure.Width(), 30);
    EXPECT_EQ(figure.Height(), 20);
    EXPECT_EQ(figure.GetShape().ControlPoints(), (Points{{0, 0}, {20, 0}, {30, 20}, {0, 20}}));
}

TEST(ShapeFigure, FixOriginalMakesTheDisplaySizeTheDesignSize) {
    RecordingPainter painter;
    auto polygon = MakeBoxFigure(&painter, 4, 4, 8, 8);
    polygon.Resize(8, 2);
    polygon.FixOriginal();
    EXPECT_EQ(polygon.GetShape().ControlPoints(), (Points{{4, 4}, {12, 4}, {12, 6}, {4, 6}}));

    tessel::RectangleFigure<RecordingPainter> rectangle(&painter);
    rectangle.SetControlPoint(1, 2, 0);
    rectangle.SetControlPoint(4, 6, 1);
    rectangle.Resize(50, 50);
    rectangle.FixOriginal();
    EXPECT_EQ(rectangle.GetShape().Corner1(), Point(4, 6));
}

TEST(ShapeFigure, MoveByShiftsTheShapeButNotItsSize) {
    RecordingPainter painter;
    tessel::CircleFigure<RecordingPainter> circle(tessel::Circle(1, 1, 4), &painter);
    circle.Resize(2, 2);
    circle.MoveBy(5, -1);
    EXPECT_EQ(circle.Left(), 6);
    EXPECT_EQ(circle.Top(), 0);
    EXPECT_EQ(circle.Width(), 2);
    EXPECT_EQ(circle.OriginalWidth(), 4);
}

TEST(ShapeFigure, AnEmptyPolygonScalesAndDrawsNothing) {
    RecordingPainter painter;
    tessel::PolygonFigure<RecordingPainter> figure(&painter);
    figure.GetShape() = Polygon(Points{});
    figure.Resize(10, 10);
    figure.Draw();
    figure.Erase();
    figure.FixOriginal();
    figure.MoveBy(3, 3);
    EXPECT_TRUE(painter.Primitives().empty());
    EXPECT_EQ(figure.Left(), 0);
    EXPECT_EQ(figure.OriginalWidth(), 0);
    EXPECT_EQ(figure.ControlPointCount(), 0u);
}
