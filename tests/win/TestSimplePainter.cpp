#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/Form.h"
#include "framework/win/Win.h"
#include "tessel/Graphics/Shape.h"
#include "tessel/Graphics/SimplePainter.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/WinPixels.h"

namespace {

using Layer = tessel::ImageLayer<tessel::NullSaver<TCanvas*>>;
using Painter = tessel::SimplePainter<Layer>;

constexpr TColor kBackground = 0x00FFFF; // yellow
constexpr TColor kFill = 0x00C000;       // green
constexpr TColor kLine = 0xC00000;       // blue
constexpr TColor kBlack = 0x000000;
constexpr int kSize = 60;

// A 60 x 60 image layer on a form that is never shown, with a painter over it.
struct Surface {
    TForm form{nullptr};
    Layer layer{&form, &form};
    Painter painter{&layer};

    Surface() {
        layer.Resize(kSize, kSize);
        layer.SetBackgroundColor(tessel::RgbColor::FromColor(kBackground));
        layer.Clear();
    }
    TBitmap* Bitmap() { return layer.Image()->Picture()->Bitmap(); }
    TColor At(int x, int y) { return PixelOf(Bitmap(), x, y); }
    void Blacken() {
        painter.SetColor(tessel::RgbColor::FromColor(kBlack));
        painter.FillRect(tessel::Rect(0, 0, kSize, kSize));
    }
};

struct ShapeCase {
    std::string name;
    std::function<std::unique_ptr<tessel::ShapeFigure>(Painter*)> make;
    TPoint inside;        // a pixel well inside the shape
    TPoint outside;       // a pixel inside the bounding box but outside the shape
    bool filledByOutline; // the outline pass fills the whole shape (rounded rectangle)
};

template <class F, class S> std::unique_ptr<tessel::ShapeFigure> Fitted(Painter* painter, S shape) {
    auto figure = std::make_unique<F>(painter);
    figure->GetShape() = shape;
    figure->Resize(figure->OriginalWidth(), figure->OriginalHeight());
    return figure;
}

std::vector<ShapeCase> Shapes() {
    return {
        {"rectangle",
         [](Painter* p) {
             return Fitted<tessel::RectangleFigure<Painter>>(p, tessel::Rectangle(10, 10, 50, 40));
         },
         {30, 25},
         {52, 42},
         false},
        {"square",
         [](Painter* p) {
             return std::make_unique<tessel::SquareFigure<Painter>>(tessel::Square(10, 10, 30), p);
         },
         {25, 25},
         {45, 45},
         false},
        {"ellipse",
         [](Painter* p) {
             return Fitted<tessel::EllipseFigure<Painter>>(p, tessel::Ellipse(10, 10, 50, 40));
         },
         {30, 25},
         {11, 11},
         false},
        {"circle",
         [](Painter* p) {
             return std::make_unique<tessel::CircleFigure<Painter>>(tessel::Circle(10, 10, 30), p);
         },
         {25, 25},
         {11, 11},
         false},
        {"rounded rectangle",
         [](Painter* p) {
             return Fitted<tessel::RoundRectFigure<Painter>>(
                 p, tessel::RoundRect(10, 10, 50, 40, 16, 16));
         },
         {30, 25},
         {10, 10},
         true},
        {"polygon",
         [](Painter* p) {
             return Fitted<tessel::PolygonFigure<Painter>>(
                 p, tessel::Polygon({{10, 10}, {50, 10}, {10, 50}}));
         },
         {20, 20},
         {45, 45},
         false},
    };
}

bool IsBackgroundOrOff(Surface& s, int x, int y) {
    return x < 0 || y < 0 || x >= kSize || y >= kSize || s.At(x, y) == kBackground;
}

TEST(SimplePainter, DrawsEachShapeSolidWithItsOutlineOnTheBorder) {
    for (const ShapeCase& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        Surface s;
        auto figure = shape.make(&s.painter);
        figure->SetFillColor(tessel::RgbColor::FromColor(kFill));
        figure->SetLineColor(tessel::RgbColor::FromColor(kLine));

        figure->Draw();

        EXPECT_EQ(s.At(shape.inside.x, shape.inside.y), shape.filledByOutline ? kLine : kFill);
        EXPECT_EQ(s.At(shape.outside.x, shape.outside.y), kBackground);
        int border = 0;
        for (int y = 0; y < kSize; ++y) {
            for (int x = 0; x < kSize; ++x) {
                const TColor c = s.At(x, y);
                if (c == kBackground)
                    continue;
                ASSERT_TRUE(c == kFill || c == kLine) << "stray colour at " << x << ", " << y;
                const bool onBorder =
                    IsBackgroundOrOff(s, x - 1, y) || IsBackgroundOrOff(s, x + 1, y) ||
                    IsBackgroundOrOff(s, x, y - 1) || IsBackgroundOrOff(s, x, y + 1);
                if (onBorder) {
                    ++border;
                    ASSERT_EQ(c, kLine) << "border pixel at " << x << ", " << y;
                }
            }
        }
        EXPECT_GT(border, 60);
    }
}

TEST(SimplePainter, EraseOfAFigurePaintsExactlyWhatDrawPaintedInTheBackground) {
    for (const ShapeCase& shape : Shapes()) {
        SCOPED_TRACE(shape.name);
        Surface s;
        auto figure = shape.make(&s.painter);
        figure->SetFillColor(tessel::RgbColor::FromColor(kFill));
        figure->SetLineColor(tessel::RgbColor::FromColor(kLine));

        s.Blacken();
        figure->Draw();
        std::vector<bool> drawn = MaskOf(s.Bitmap(), kBlack);
        drawn.flip();
        s.Blacken();
        figure->Erase();
        const std::vector<bool> erased = MaskOf(s.Bitmap(), kBackground);

        EXPECT_EQ(drawn, erased);
    }
}

TEST(SimplePainter, UsesOnlyTheRgbPartOfTheColourAndResetsTheCanvasForEachPrimitive) {
    Surface s;
    TCanvas* canvas = s.layer.Canvas();
    canvas->Brush()->SetStyle(bsClear);
    canvas->Pen()->SetStyle(psDot);
    canvas->Pen()->SetMode(pmXor);
    s.painter.SetColor(tessel::RgbColor(0x7F0000FFu)); // red with a high byte

    s.painter.FillRect(tessel::Rect(5, 5, 15, 15));

    EXPECT_EQ(CountOf(s.Bitmap(), TRect(5, 5, 15, 15), 0x0000FF), 100);
}

TEST(SimplePainter, DrawsABitmapFromItsHandleAndLeavesTheHandleToItsOwner) {
    Surface s;
    TBitmap source;
    MakeSolid(&source, 30, 20, 0x0000FF);
    PaintRect(&source, TRect(15, 0, 30, 20), 0xFF0000);
    const HBITMAP handle = source.Handle();

    s.painter.DrawBitmap(handle, tessel::Rect(15, 0, 30, 20), 5, 8);

    EXPECT_EQ(CountOf(s.Bitmap(), TRect(5, 8, 20, 28), 0xFF0000), 15 * 20);
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, kSize, kSize), kBackground), kSize * kSize - 300);
    EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(source.Handle(), handle);
    EXPECT_EQ(PixelOf(&source, 20, 10), static_cast<TColor>(0xFF0000));
}

TEST(SimplePainter, EraseRectFillsWithTheBackgroundAndKeepsTheBrush) {
    Surface s;
    s.Blacken();
    TCanvas* canvas = s.layer.Canvas();
    canvas->Brush()->SetColor(0x123456);
    canvas->Brush()->SetStyle(bsCross);

    s.painter.EraseRect(tessel::Rect(10, 20, 30, 25));

    EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, kSize, kSize), kBackground), 20 * 5);
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(10, 20, 30, 25), kBackground), 20 * 5);
    EXPECT_EQ(canvas->Brush()->Color(), 0x123456);
    EXPECT_EQ(canvas->Brush()->Style(), bsCross);
}

TEST(SimplePainter, PolygonPrimitivesReportAPointArrayThatCannotBeMade) {
    // 2 GB of points do not fit a 32-bit process; 4 GB cannot even be asked for. A 64-bit
    // process gets them, and the painter would then read that many points.
    if (sizeof(void*) != 4)
        GTEST_SKIP() << "the arrays asked for fit a 64-bit process";
    Surface s;
    const tessel::Point points[] = {{0, 0}, {10, 0}, {0, 10}};
    for (const int impossible : {0x0FFFFFFF, 0x1FFFFFFF}) {
        SCOPED_TRACE(impossible);
        EXPECT_EQ(AssertionTextOf([&] { s.painter.FramePolygon(points, impossible); }),
                  "Assertion failed: p != NULL, file tessel/Graphics/SimplePainter, line 425");
        EXPECT_EQ(AssertionTextOf([&] { s.painter.FillPolygon(points, impossible); }),
                  "Assertion failed: p != NULL, file tessel/Graphics/SimplePainter, line 442");
    }
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, kSize, kSize), kBackground), kSize * kSize);
}

TEST(CanvasLayer, GrowingPaintsOnlyTheNewlyExposedStrips) {
    TBitmap bitmap;
    MakeSolid(&bitmap, 20, 15, kBlack);
    tessel::CanvasLayer<tessel::NullSaver<TCanvas*>> layer(bitmap.Canvas(), 10, 10);
    EXPECT_EQ(layer.Background(), 0xFFFFFFu);
    layer.SetBackground(0x0000FF);

    layer.Resize(20, 15);

    EXPECT_EQ(CountOf(&bitmap, TRect(10, 0, 20, 15), 0x0000FF), 10 * 15);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 10, 10, 15), 0x0000FF), 10 * 5);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 10, 10), kBlack), 100);
    EXPECT_EQ(layer.Width(), 20);
    EXPECT_EQ(layer.Height(), 15);
}

TEST(CanvasLayer, ShrinkingOrGrowingOneWayPaintsOnlyThatStrip) {
    struct Case {
        int width, height;
        int painted;
    };
    const Case cases[] = {{5, 5, 0},
                          {10, 10, 0},
                          {20, 10, 100},
                          {10, 15, 50},
                          {5, 15, 25}}; // the strip below is no wider than the layer
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        TBitmap bitmap;
        MakeSolid(&bitmap, 20, 15, kBlack);
        tessel::CanvasLayer<tessel::NullSaver<TCanvas*>> layer(bitmap.Canvas(), 10, 10);
        layer.SetBackground(0x0000FF);

        layer.Resize(c.width, c.height);

        EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 20, 15), 0x0000FF), c.painted);
    }
}

} // namespace
