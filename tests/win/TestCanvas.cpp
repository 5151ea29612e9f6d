#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/core/Color.h"
#include "framework/graphics/Font.h"
#include "tessel/Graphics/RgbColor.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinPixels.h"

namespace {

// A white 24-bit bitmap with the canvas pen and brush set.
void Prepare(TBitmap* bitmap, int width, int height, TColor pen, TColor brush) {
    MakeSolid(bitmap, width, height, clWhite);
    bitmap->Canvas()->Pen()->SetColor(pen);
    bitmap->Canvas()->Brush()->SetColor(brush);
}

} // namespace

TEST(Canvas, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    TBitmap bitmap;
    Prepare(&bitmap, 10, 10, clRed, clBlue);
    bitmap.Canvas()->Rectangle(TRect(2, 2, 8, 8));
    EXPECT_EQ(PixelOf(&bitmap, 2, 2), clRed);
    EXPECT_EQ(PixelOf(&bitmap, 7, 7), clRed);
    EXPECT_EQ(PixelOf(&bitmap, 8, 8), clWhite); // right and bottom are exclusive
    EXPECT_EQ(CountOf(&bitmap, TRect(3, 3, 7, 7), clBlue), 16);
    EXPECT_EQ(CountOf(&bitmap, TRect(2, 2, 8, 8), clRed), 20);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 10, 10), clWhite), 100 - 36);
}

TEST(Canvas, AClearBrushLeavesTheInsideAlone) {
    TBitmap bitmap;
    Prepare(&bitmap, 10, 10, clRed, clBlue);
    bitmap.Canvas()->Brush()->SetStyle(bsClear);
    bitmap.Canvas()->Rectangle(1, 1, 9, 9);
    EXPECT_EQ(CountOf(&bitmap, TRect(2, 2, 8, 8), clWhite), 36);
    EXPECT_EQ(CountOf(&bitmap, TRect(1, 1, 9, 9), clRed), 28);
    bitmap.Canvas()->Ellipse(0, 0, 10, 10);
    EXPECT_EQ(PixelOf(&bitmap, 5, 5), clWhite);
}

TEST(Canvas, FillRectUsesTheBrushOnly) {
    TBitmap bitmap;
    Prepare(&bitmap, 10, 10, clRed, clLime);
    bitmap.Canvas()->FillRect(TRect(2, 3, 6, 5));
    EXPECT_EQ(CountOf(&bitmap, TRect(2, 3, 6, 5), clLime), 8);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 10, 10), clRed), 0);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 10, 10), clLime), 8);
}

TEST(Canvas, EllipseAndRoundRectFillTheirMiddleAndSpareTheCorners) {
    TBitmap bitmap;
    Prepare(&bitmap, 20, 20, clBlack, clYellow);
    bitmap.Canvas()->Ellipse(TRect(0, 0, 20, 20));
    EXPECT_EQ(PixelOf(&bitmap, 10, 10), clYellow);
    EXPECT_EQ(PixelOf(&bitmap, 0, 0), clWhite);
    EXPECT_EQ(PixelOf(&bitmap, 19, 19), clWhite);

    MakeSolid(&bitmap, 20, 20, clWhite);
    bitmap.Canvas()->RoundRect(0, 0, 20, 20, 10, 10);
    EXPECT_EQ(PixelOf(&bitmap, 10, 10), clYellow);
    EXPECT_EQ(PixelOf(&bitmap, 0, 0), clWhite);
    EXPECT_EQ(PixelOf(&bitmap, 10, 0), clBlack); // straight part of the top edge
}

TEST(Canvas, PolygonTakesTheIndexOfTheLastPoint) {
    TBitmap bitmap;
    Prepare(&bitmap, 12, 12, clBlack, clRed);
    const TPoint triangle[] = {TPoint(1, 1), TPoint(10, 1), TPoint(1, 10)};
    bitmap.Canvas()->Polygon(triangle, 2);
    EXPECT_EQ(PixelOf(&bitmap, 3, 3), clRed);   // filled, so all three points were used
    EXPECT_EQ(PixelOf(&bitmap, 9, 9), clWhite); // beyond the hypotenuse
    EXPECT_EQ(PixelOf(&bitmap, 1, 5), clBlack); // closing edge from the last to the first
    EXPECT_EQ(PixelOf(&bitmap, 5, 1), clBlack);
}

TEST(Canvas, CopyRectCopiesTheSourceRectangleExactly) {
    TBitmap source, dest;
    source.SetPixelFormat(pf24bit);
    source.SetSize(30, 27);
    for (int y = 0; y < 27; ++y)
        for (int x = 0; x < 30; ++x)
            source.Canvas()->SetPixel(x, y, RGB(x * 8, y * 9, 100));
    MakeSolid(&dest, 40, 40, clWhite);
    dest.Canvas()->SetCopyMode(cmSrcCopy);
    dest.Canvas()->CopyRect(TRect(5, 5, 25, 32), source.Canvas(), TRect(10, 0, 30, 27));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 5 && x < 25 && y >= 5 && y < 32;
            const TColor expected = inside ? RGB((x + 5) * 8, (y - 5) * 9, 100) : clWhite;
            ASSERT_EQ(PixelOf(&dest, x, y), expected) << x << "," << y;
        }
}

TEST(Canvas, CopyRectAppliesTheCopyMode) {
    TBitmap source, dest;
    MakeSolid(&source, 4, 4, 0x0F0F0F);
    MakeSolid(&dest, 4, 4, 0xF0F0FF);
    dest.Canvas()->SetCopyMode(cmSrcInvert);
    dest.Canvas()->CopyRect(TRect(0, 0, 4, 4), source.Canvas(), TRect(0, 0, 4, 4));
    EXPECT_EQ(PixelOf(&dest, 2, 2), 0xFFFFF0);
    EXPECT_EQ(dest.Canvas()->CopyMode(), cmSrcInvert);
}

TEST(Canvas, DrawLeavesOutTheTransparentColourOfATransparentBitmap) {
    TBitmap sprite, dest;
    MakeSolid(&sprite, 4, 4, clFuchsia);
    sprite.Canvas()->SetPixel(1, 1, clBlue);
    MakeSolid(&dest, 6, 6, clWhite);
    sprite.SetTransparent(true); // automatic key: the bottom-left pixel, fuchsia
    dest.Canvas()->Draw(1, 1, &sprite);
    EXPECT_EQ(PixelOf(&dest, 2, 2), clBlue);
    EXPECT_EQ(CountOf(&dest, TRect(0, 0, 6, 6), clFuchsia), 0);
    sprite.SetTransparent(false);
    dest.Canvas()->Draw(1, 1, &sprite);
    EXPECT_EQ(CountOf(&dest, TRect(0, 0, 6, 6), clFuchsia), 15);
}

TEST(Canvas, PixelsReadWhatSetPixelWroteWithSystemColoursResolved) {
    TBitmap bitmap;
    MakeSolid(&bitmap, 3, 3, clWhite);
    bitmap.Canvas()->SetPixel(1, 2, 0x123456);
    EXPECT_EQ(bitmap.Canvas()->Pixels(1, 2), 0x123456);
    bitmap.Canvas()->SetPixel(0, 0, clBtnFace);
    EXPECT_EQ(bitmap.Canvas()->Pixels(0, 0), ColorToRGB(clBtnFace));
}

TEST(Canvas, ChangingThePenOrBrushTakesEffectOnTheNextCall) {
    TBitmap bitmap;
    Prepare(&bitmap, 10, 4, clRed, clRed);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Rectangle(0, 0, 5, 4);
    canvas->Pen()->SetColor(clLime);
    canvas->Brush()->SetColor(clBlue);
    canvas->Rectangle(5, 0, 10, 4);
    EXPECT_EQ(PixelOf(&bitmap, 0, 0), clRed);
    EXPECT_EQ(PixelOf(&bitmap, 5, 0), clLime);
    EXPECT_EQ(PixelOf(&bitmap, 7, 2), clBlue);

    canvas->Pen()->SetStyle(psClear);
    canvas->Rectangle(0, 0, 10, 4);
    EXPECT_EQ(PixelOf(&bitmap, 4, 1), clBlue); // no outline, and the fill reaches the inside
}

TEST(Canvas, XorPenModeUndoesItselfWhenDrawnTwice) {
    TBitmap bitmap;
    Prepare(&bitmap, 8, 8, 0x00FFFF, clBlack);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Pen()->SetMode(pmXor);
    canvas->MoveTo(0, 4);
    canvas->LineTo(8, 4);
    EXPECT_EQ(PixelOf(&bitmap, 3, 4), 0xFF0000); // white xor yellow
    canvas->MoveTo(0, 4);
    canvas->LineTo(8, 4);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 8, 8), clWhite), 64);
}

TEST(Canvas, TextIsDrawnInTheFontColourWithinItsExtent) {
    TBitmap bitmap;
    MakeSolid(&bitmap, 80, 30, clWhite);
    TCanvas* canvas = bitmap.Canvas();
    canvas->Font()->SetName("Arial");
    canvas->Font()->SetHeight(-16);
    canvas->Font()->SetColor(clRed);
    canvas->Brush()->SetStyle(bsClear);
    const SIZE extent = canvas->TextExtent("Hig");
    EXPECT_GT(extent.cx, 10);
    EXPECT_GE(extent.cy, 16);
    canvas->TextOut(2, 2, "Hig");
    EXPECT_GT(CountOf(&bitmap, TRect(2, 2, 2 + extent.cx, 2 + extent.cy), clRed), 10);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 80, 30), clRed),
              CountOf(&bitmap, TRect(2, 2, 2 + extent.cx, 2 + extent.cy), clRed));

    // A bigger font makes a wider text.
    canvas->Font()->SetHeight(-24);
    EXPECT_GT(canvas->TextWidth("Hig"), extent.cx);
}

TEST(Canvas, GivesTheDeviceContextBackAsItFoundIt) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    const HGDIOBJ brush = GetCurrentObject(dc, OBJ_BRUSH);
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    {
        TCanvas canvas(dc);
        canvas.Pen()->SetColor(clRed);
        canvas.Rectangle(0, 0, 1, 1);
        canvas.TextOut(0, 0, "x");
        EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    DeleteDC(dc);
}

TEST(Canvas, DrawingFiresTheCanvasOnChange) {
    TBitmap bitmap;
    MakeSolid(&bitmap, 4, 4, clWhite);
    int changes = 0;
    bitmap.Canvas()->OnChange = [&](TObject*) { ++changes; };
    bitmap.Canvas()->FillRect(TRect(0, 0, 2, 2));
    bitmap.Canvas()->SetPixel(3, 3, clRed);
    bitmap.Canvas()->Pen()->SetColor(clRed); // a setting, not a drawing
    EXPECT_EQ(changes, 2);
}

TEST(Canvas, NoGdiObjectLeaksOverAThousandCycles) {
    auto cycle = [](int i) {
        TBitmap bitmap, other;
        bitmap.SetPixelFormat(i % 2 ? pf24bit : pf8bit);
        bitmap.SetSize(16, 12);
        TCanvas* canvas = bitmap.Canvas();
        canvas->Pen()->SetColor(static_cast<TColor>(i * 0x10203));
        canvas->Pen()->SetWidth(1 + i % 3);
        canvas->Brush()->SetColor(static_cast<TColor>(i * 0x30201));
        canvas->Brush()->SetStyle(i % 3 ? bsSolid : bsClear);
        canvas->Font()->SetHeight(-8 - i % 5);
        canvas->Rectangle(0, 0, 10, 10);
        canvas->Ellipse(2, 2, 14, 11);
        canvas->TextOut(1, 1, "ab");
        canvas->Brush()->SetStyle(bsCross);
        canvas->FillRect(TRect(0, 0, 4, 4));
        other.Assign(&bitmap);
        other.Canvas()->CopyRect(TRect(0, 0, 8, 8), canvas, TRect(0, 0, 8, 8));
        other.SetPixelFormat(pf4bit);
        TBitmap borrower;
        borrower.SetHandle(other.Handle());
        bitmap.Canvas()->Draw(0, 0, &borrower);
        borrower.ReleaseHandle();
        other.SetSize(20, 3);
    };
    cycle(0); // let one-time objects (stock objects, caches) come into being
    const int before = CountGdiObjects();
    for (int i = 1; i <= 1000; ++i)
        cycle(i);
    EXPECT_EQ(CountGdiObjects(), before);
}

TEST(Font, DefaultsAndChangeNotification) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Style(), 0u);

    int changes = 0;
    font.OnChange = [&](TObject*) { ++changes; };
    font.SetHeight(-11);
    EXPECT_EQ(changes, 0);
    font.SetStyle(fsBold | fsItalic);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(changes, 2);

    LOGFONTA description = {};
    ASSERT_NE(GetObjectA(font.Handle(), sizeof description, &description), 0);
    EXPECT_EQ(description.lfHeight, -16);
    EXPECT_EQ(description.lfWeight, FW_BOLD);
    EXPECT_TRUE(description.lfItalic);
    EXPECT_STREQ(description.lfFaceName, "MS Sans Serif");

    TFont copy;
    copy.Assign(&font);
    EXPECT_EQ(copy.Height(), -16);
    EXPECT_EQ(copy.Style(), static_cast<TFontStyles>(fsBold | fsItalic));
}

TEST(Colour, SystemColoursResolveToTheUsersSetting) {
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<int>(GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clGrayText), static_cast<int>(GetSysColor(COLOR_GRAYTEXT)));
    EXPECT_EQ(ColorToRGB(clNavy), clNavy);
    EXPECT_EQ(tessel::RgbColor::FromColor(clWindowText).Value(),
              0xFF000000u | GetSysColor(COLOR_WINDOWTEXT));
}
