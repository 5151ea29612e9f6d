#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/win/Win.h"
#include "tessel/Graphics/Graphicutility.h"

using namespace tessel;

namespace {

// A 24-bit bitmap of one colour to draw on.
class Surface {
public:
    Surface(int width, int height, TColor color) {
        m_bitmap.SetPixelFormat(pf24bit);
        m_bitmap.SetSize(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                Put(x, y, color);
    }
    TBitmap& Bitmap() { return m_bitmap; }
    TCanvas* Canvas() { return m_bitmap.Canvas(); }

    void Put(int x, int y, TColor color) {
        auto* p = Row(y) + 3 * x;
        p[0] = static_cast<std::uint8_t>(color >> 16);
        p[1] = static_cast<std::uint8_t>(color >> 8);
        p[2] = static_cast<std::uint8_t>(color);
    }
    TColor At(int x, int y) {
        GdiFlush();
        const auto* p = Row(y) + 3 * x;
        return p[2] | p[1] << 8 | p[0] << 16;
    }
    int Count(TColor color) {
        int n = 0;
        for (int y = 0; y < m_bitmap.Height(); ++y)
            for (int x = 0; x < m_bitmap.Width(); ++x)
                n += At(x, y) == color;
        return n;
    }

private:
    std::uint8_t* Row(int y) { return static_cast<std::uint8_t*>(m_bitmap.ScanLine(y)); }
    TBitmap m_bitmap;
};

struct Settings {
    TColor penColor;
    TBrushStyle brushStyle;
    TCopyMode copyMode;
    friend bool operator==(const Settings& a, const Settings& b) {
        return a.penColor == b.penColor && a.brushStyle == b.brushStyle && a.copyMode == b.copyMode;
    }
};

Settings SettingsOf(TCanvas* canvas) {
    return {canvas->Pen()->Color(), canvas->Brush()->Style(), canvas->CopyMode()};
}

// Settings a caller might have, none of them what the functions use for their call.
void SetUnusual(TCanvas* canvas) {
    canvas->Pen()->SetColor(clBlack);
    canvas->Brush()->SetColor(clRed);
    canvas->Brush()->SetStyle(bsCross);
    canvas->SetCopyMode(cmSrcInvert);
}

const TPoint kTriangle[] = {{5, 5}, {30, 5}, {5, 30}};

struct Operation {
    const char* name;
    std::function<void(TCanvas*, TBitmap*)> draw;
};

const Operation kOperations[] = {
    {"FrameRectangle", [](TCanvas* c, TBitmap*) { FrameRectangle(c, TRect(2, 2, 20, 20)); }},
    {"FillRectangle", [](TCanvas* c, TBitmap*) { FillRectangle(c, TRect(2, 2, 20, 20)); }},
    {"FrameEllipse", [](TCanvas* c, TBitmap*) { FrameEllipse(c, TRect(2, 2, 20, 20)); }},
    {"FillEllipse", [](TCanvas* c, TBitmap*) { FillEllipse(c, TRect(2, 2, 20, 20)); }},
    {"FillRoundRect", [](TCanvas* c, TBitmap*) { FillRoundRect(c, TRect(2, 2, 20, 20), 6, 6); }},
    {"FramePolygon", [](TCanvas* c, TBitmap*) { FramePolygon(c, kTriangle, 3); }},
    {"FillPolygon", [](TCanvas* c, TBitmap*) { FillPolygon(c, kTriangle, 3); }},
    {"CopyBitmapRect",
     [](TCanvas* c, TBitmap* source) { CopyBitmapRect(c, 1, 1, source, TRect(0, 0, 8, 8)); }},
};

constexpr TColor kPaper = 0x00A0F0;

} // namespace

TEST(Graphicutility, EveryCallLeavesPenColourBrushStyleAndCopyModeAsTheyWere) {
    Surface source(10, 10, clBlue);
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        Surface surface(40, 40, kPaper);
        SetUnusual(surface.Canvas());
        const Settings before = SettingsOf(surface.Canvas());

        op.draw(surface.Canvas(), &source.Bitmap());

        EXPECT_TRUE(SettingsOf(surface.Canvas()) == before);
        EXPECT_EQ(surface.Canvas()->Brush()->Color(), clRed);
        EXPECT_LT(surface.Count(kPaper), 40 * 40) << "nothing was drawn";
    }
}

TEST(Graphicutility, SettingIsPutBackWhenTheDrawingCallThrows) {
    Surface source(10, 10, clBlue);
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        Surface surface(40, 40, kPaper);
        SetUnusual(surface.Canvas());
        const Settings before = SettingsOf(surface.Canvas());
        surface.Canvas()->OnChange = [](TObject*) { throw std::runtime_error("drawing failed"); };

        EXPECT_THROW(op.draw(surface.Canvas(), &source.Bitmap()), std::runtime_error);

        EXPECT_TRUE(SettingsOf(surface.Canvas()) == before);
    }
}

TEST(Graphicutility, AThrowingSettingHandlerPassesItsExceptionOnAndTheSettingIsBack) {
    struct HandlerFailed : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    struct DrawingFailed : std::runtime_error {
        using std::runtime_error::runtime_error;
    };
    Surface source(10, 10, clBlue);
    // The brush (frame manner) or the pen (fill manner) reports its change back with a
    // throwing handler; the drawing call may fail first.
    for (const bool drawingFails : {false, true}) {
        for (const Operation& op : kOperations) {
            if (std::string(op.name) == "CopyBitmapRect")
                continue; // the copy mode has no change handler
            SCOPED_TRACE(std::string(op.name) + (drawingFails ? ", drawing fails" : ""));
            Surface surface(40, 40, kPaper);
            TCanvas* canvas = surface.Canvas();
            SetUnusual(canvas);
            const Settings before = SettingsOf(canvas);
            int changes = 0;
            const TNotifyEvent throwOnRestore = [&](TObject*) {
                if (++changes == 2)
                    throw HandlerFailed("restoring failed");
            };
            canvas->Pen()->OnChange = throwOnRestore;
            canvas->Brush()->OnChange = throwOnRestore;
            if (drawingFails)
                canvas->OnChange = [](TObject*) { throw DrawingFailed("drawing failed"); };

            if (drawingFails)
                EXPECT_THROW(op.draw(canvas, &source.Bitmap()), DrawingFailed);
            else
                EXPECT_THROW(op.draw(canvas, &source.Bitmap()), HandlerFailed);

            EXPECT_EQ(changes, 2);
            EXPECT_TRUE(SettingsOf(canvas) == before);
            canvas->Pen()->OnChange = nullptr;
            canvas->Brush()->OnChange = nullptr;
        }
    }
}

TEST(Graphicutility, FillRectangleDrawsItsBorderInTheBrushColour) {
    Surface surface(30, 30, kPaper);
    TCanvas* canvas = surface.Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->Pen()->SetColor(clBlack);
    canvas->Pen()->SetWidth(3);

    FillRectangle(canvas, TRect(5, 5, 25, 20));

    EXPECT_EQ(surface.Count(clBlack), 0);
    const struct {
        int x, y;
        TColor color;
    } probes[] = {{5, 5, clRed},  {6, 6, clRed},   {15, 12, clRed}, {24, 19, clRed},
                  {4, 4, kPaper}, {15, 2, kPaper}, {27, 12, kPaper}};
    for (const auto& p : probes)
        EXPECT_EQ(surface.At(p.x, p.y), p.color) << p.x << "," << p.y;
    EXPECT_EQ(canvas->Pen()->Color(), clBlack);
}

TEST(Graphicutility, FrameShapesDrawOnlyTheOutlineAndFillShapesHaveNoBorderOfThePenColour) {
    // A frame draws the pen's outline and leaves the inside alone; a fill paints the inside
    // in the brush colour and draws no pen border.
    struct Case {
        const char* name;
        std::function<void(TCanvas*)> draw;
        bool frame;
        TPoint inside;
        TPoint probe; // frame: a pixel of the outline; fill: a pixel outside the shape
    } cases[] = {
        {"frame ellipse",
         [](TCanvas* c) { FrameEllipse(c, TRect(0, 0, 40, 40)); },
         true,
         {20, 20},
         {0, 20}},
        {"frame rectangle",
         [](TCanvas* c) { FrameRectangle(c, TRect(4, 4, 30, 30)); },
         true,
         {16, 16},
         {4, 20}},
        // The closing edge, from the last point back to the first, is drawn too.
        {"frame triangle",
         [](TCanvas* c) { FramePolygon(c, kTriangle, 3); },
         true,
         {10, 10},
         {5, 20}},
        {"fill ellipse",
         [](TCanvas* c) { FillEllipse(c, TRect(0, 0, 40, 40)); },
         false,
         {20, 20},
         {1, 1}},
        {"fill round rectangle",
         [](TCanvas* c) { FillRoundRect(c, TRect(0, 0, 40, 40), 20, 20); },
         false,
         {20, 20},
         {0, 0}},
        {"fill triangle",
         [](TCanvas* c) { FillPolygon(c, kTriangle, 3); },
         false,
         {10, 10},
         {30, 30}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Surface surface(40, 40, kPaper);
        TCanvas* canvas = surface.Canvas();
        canvas->Brush()->SetColor(clRed);
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Pen()->SetColor(clBlack);

        c.draw(canvas);

        EXPECT_EQ(surface.Count(c.frame ? clRed : clBlack), 0);
        EXPECT_EQ(surface.At(c.inside.x, c.inside.y), c.frame ? kPaper : clRed);
        EXPECT_EQ(surface.At(c.probe.x, c.probe.y), c.frame ? clBlack : kPaper);
        EXPECT_EQ(canvas->Brush()->Style(), bsSolid);
    }
}

TEST(Graphicutility, CopyBitmapRectCopiesTheBlockExactlyWhateverTheCopyMode) {
    Surface source(40, 30, 0);
    auto colourAt = [](int x, int y) {
        return static_cast<TColor>(x * 6 | (y * 8) << 8 | 0x40 << 16);
    };
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            source.Put(x, y, colourAt(x, y));
    Surface dest(60, 60, kPaper);
    dest.Canvas()->SetCopyMode(cmSrcInvert);

    CopyBitmapRect(dest.Canvas(), 5, 5, &source.Bitmap(), TRect(10, 0, 30, 27));

    int wrong = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inBlock = x >= 5 && x < 25 && y >= 5 && y < 32;
            const TColor expected = inBlock ? colourAt(x - 5 + 10, y - 5) : kPaper;
            if (dest.At(x, y) != expected && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << "," << y;
        }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(dest.Canvas()->CopyMode(), cmSrcInvert);
}
