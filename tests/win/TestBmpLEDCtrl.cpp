#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/core/Color.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/win/Win.h"
#include "tessel/Component/LED/BmpLED.h"
#include "tessel/Component/TBmpLEDCtrl.h"
#include "tessel/Graphics/Figure/BmpFigure.h"
#include "tessel/Graphics/SimplePainter.h"
#include "tessel/Graphics/WinRegion.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinPixels.h"
#include "tests/support/WinTestForm.h"

namespace {

using tessel::TBmpLEDCtrl;
using Layer = TBmpLEDCtrl::Layer;
using Painter = TBmpLEDCtrl::Painter;
using Figure = tessel::TBitmapFigure<Painter>;

constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kGreen = 0x00FF00;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;

// A 24-bit bitmap of one colour.
struct Solid : TBitmap {
    Solid(int width, int height, TColor color) { MakeSolid(this, width, height, color); }
};

TBitmap* SurfaceOf(const TBmpLEDCtrl& ctrl) {
    return ctrl.DisplayImage()->Picture()->Bitmap();
}

// ---- the bitmap figure ------------------------------------------------------------------

// A 40 x 30 layer with a black surface and a yellow background colour, and its painter.
struct FigureSurface {
    TForm form{nullptr};
    Layer layer{&form, &form};
    Painter painter{&layer};
    FigureSurface() {
        layer.Resize(40, 30);
        layer.SetBackgroundColor(tessel::RgbColor::FromColor(0x00FFFF));
        PaintRect(Bitmap(), TRect(0, 0, 40, 30), kBlack);
    }
    TBitmap* Bitmap() { return layer.Image()->Picture()->Bitmap(); }
};

TEST(BitmapFigure, WithoutABitmapOrWithAnEmptyOneIsEmptyAndPaintsNothing) {
    for (const bool withEmptyBitmap : {false, true}) {
        SCOPED_TRACE(withEmptyBitmap ? "empty bitmap" : "no bitmap");
        FigureSurface s;
        Figure figure(&s.painter);
        TBitmap empty;
        if (withEmptyBitmap)
            figure.SetBitmap(&empty);

        figure.Draw();
        figure.Erase();

        EXPECT_EQ(figure.Width(), 0);
        EXPECT_EQ(figure.Height(), 0);
        EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, 40, 30), kBlack), 40 * 30);
    }
}

TEST(BitmapFigure, DrawsItsOwnCopyAtItsPositionAndErasesExactlyThatArea) {
    FigureSurface s;
    Figure figure(&s.painter);
    Solid source(10, 6, kRed);
    figure.SetBitmap(&source);
    PaintRect(&source, TRect(0, 0, 10, 6), kBlue); // the figure keeps what it copied
    figure.MoveBy(5, 3);
    figure.MoveBy(2, 1);

    figure.Draw();

    EXPECT_EQ(figure.Left(), 7);
    EXPECT_EQ(figure.Top(), 4);
    EXPECT_EQ(figure.Width(), 10);
    EXPECT_EQ(figure.Height(), 6);
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(7, 4, 17, 10), kRed), 60);
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, 40, 30), kBlack), 40 * 30 - 60);

    figure.Erase();

    EXPECT_EQ(CountOf(s.Bitmap(), TRect(7, 4, 17, 10), 0x00FFFF), 60);
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, 40, 30), kBlack), 40 * 30 - 60);
}

TEST(BitmapFigure, WithoutAPainterFailsItsChecks) {
    Figure figure(nullptr);

    EXPECT_EQ(AssertionTextOf([&] { figure.Draw(); }),
              tessel::AssertMessage("m_painterPtr", "tessel/Graphics/Figure/BmpFigure", 132));
    EXPECT_EQ(AssertionTextOf([&] { figure.Erase(); }),
              tessel::AssertMessage("m_painterPtr", "tessel/Graphics/Figure/BmpFigure", 145));
}

// ---- the bitmap LED -----------------------------------------------------------------------

TEST(BitmapLED, KeepsPrivateCopiesAndShowsStateZeroWithoutDrawing) {
    FigureSurface s;
    Solid red(8, 5, kRed);
    Solid blue(4, 3, kBlue);
    TBitmap* sources[] = {&red, &blue, nullptr};

    tessel::TBitmapLED<Painter> led(0, 0, std::begin(sources), std::end(sources), &s.painter);
    PaintRect(&red, TRect(0, 0, 8, 5), kGreen);

    EXPECT_EQ(led.StateCount(), 3);
    EXPECT_EQ(led.State(), 0);
    EXPECT_NE(led.Bitmap(0), &red);
    EXPECT_EQ(PixelOf(led.Bitmap(0), 1, 1), kRed);
    EXPECT_TRUE(led.Bitmap(2)->Empty());
    EXPECT_EQ(led.Width(), 8);
    EXPECT_EQ(led.Height(), 5);
    led.SetState(1);
    EXPECT_EQ(led.Width(), 4);
    EXPECT_EQ(CountOf(s.Bitmap(), TRect(0, 0, 40, 30), kBlack), 40 * 30);
}

TEST(BitmapLED, ChecksStatesAndIndexes) {
    FigureSurface s;
    TBitmap* sources[] = {nullptr, nullptr};
    tessel::TBitmapLED<Painter> led(0, 0, std::begin(sources), std::end(sources), &s.painter);
    const std::string stateCheck = tessel::AssertMessage("state >= 0 && state < StateCount()",
                                                         "tessel/Component/LED/BmpLED", 115);
    const std::string indexCheck =
        tessel::AssertMessage("index < (int) m_bitmaps.size()", "tessel/Component/LED/BmpLED", 218);

    EXPECT_EQ(AssertionTextOf([&] { led.SetState(2); }), stateCheck);
    EXPECT_EQ(AssertionTextOf([&] { led.SetState(-1); }), stateCheck);
    EXPECT_EQ(AssertionTextOf([&] { led.Bitmap(2); }), indexCheck);
    EXPECT_EQ(AssertionTextOf([&] { led.Bitmap(-1); }), indexCheck);
    EXPECT_EQ(led.State(), 0);

    led.RemoveBitmap(1);
    led.RemoveBitmap(0);
    EXPECT_EQ(led.StateCount(), 0);
    EXPECT_EQ(AssertionTextOf([&] { led.Update(); }),
              tessel::AssertMessage("m_state >= 0 && m_state < StateCount()",
                                    "tessel/Component/LED/BmpLED", 87));
}

TEST(BitmapLED, HelperWithoutBitmapsFailsItsCheck) {
    FigureSurface s;
    tessel::detail::BitmapLEDHelper<Figure, std::vector<std::unique_ptr<TBitmap>>> helper(
        &s.painter, nullptr);

    EXPECT_EQ(helper.State(), -1);
    EXPECT_EQ(AssertionTextOf([&] { helper.StateCount(); }),
              tessel::AssertMessage("m_pBitmaps", "tessel/Component/LED/BmpLED", 78));
}

// ---- the control ------------------------------------------------------------------------

TEST(BmpLEDCtrl, RefusesAStateCountBelowOne) {
    for (int stateCount : {0, -1}) {
        SCOPED_TRACE(stateCount);
        TForm form(nullptr);

        EXPECT_EQ(
            AssertionTextOf([&] { TBmpLEDCtrl ctrl(&form, &form, stateCount); }),
            tessel::AssertMessage("stateCount > 0", "tessel/Component/Source/TBmpLEDCtrl", 21));
        EXPECT_EQ(form.ComponentCount(), 0);
    }
}

TEST(BmpLEDCtrl, StartsInStateZeroWithEmptyBitmapsOnADisabledEmptyImage) {
    TForm form(nullptr);

    TBmpLEDCtrl ctrl(&form, &form, 3);

    EXPECT_EQ(ctrl.StateCount(), 3);
    EXPECT_EQ(ctrl.State(), 0);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(ctrl.Bitmap(i)->Empty());
        EXPECT_TRUE(ctrl.Bitmap(i)->OnChange == TNotifyEvent(&ctrl, &TBmpLEDCtrl::BitmapChanged));
    }
    EXPECT_EQ(ctrl.Width(), 0);
    EXPECT_EQ(ctrl.Height(), 0);
    EXPECT_EQ(ctrl.Left(), 0);
    EXPECT_EQ(ctrl.Top(), 0);
    ASSERT_EQ(form.ComponentCount(), 1);
    EXPECT_EQ(form.Components(0), ctrl.DisplayImage());
    EXPECT_EQ(ctrl.DisplayImage()->Parent(), &form);
    EXPECT_FALSE(ctrl.DisplayImage()->Enabled());
    EXPECT_EQ(ctrl.Canvas(), ctrl.DisplayImage()->Canvas());
}

TEST(BmpLEDCtrl, ChecksTheStateAndTheBitmapIndex) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 1);
    Solid red(4, 4, kRed);
    const std::string indexCheck =
        tessel::AssertMessage("index < (int) m_bitmaps.size()", "tessel/Component/LED/BmpLED", 218);

    EXPECT_EQ(AssertionTextOf([&] { ctrl.SetState(1); }),
              tessel::AssertMessage("state >= 0 && state < StateCount()",
                                    "tessel/Component/LED/BmpLED", 115));
    EXPECT_EQ(AssertionTextOf([&] { ctrl.Bitmap(1); }), indexCheck);
    EXPECT_EQ(AssertionTextOf([&] { ctrl.SetBitmap(&red, -1); }), indexCheck);
    EXPECT_EQ(AssertionTextOf([&] {
                  tessel::WinRegion region;
                  ctrl.MakeRegion(region, 1);
              }),
              indexCheck);
    EXPECT_EQ(ctrl.State(), 0);
}

TEST(BmpLEDCtrl, SizeIsThatOfTheSurfaceNotOfTheStateBitmaps) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 2);
    Solid red(30, 20, kRed);

    ctrl.SetBitmap(&red, 0);
    ctrl.SetBitmap(&red, 1);
    ctrl.SetState(1);
    EXPECT_EQ(ctrl.Width(), 0);
    EXPECT_EQ(ctrl.Height(), 0);

    ctrl.Resize(12, 9);
    EXPECT_EQ(ctrl.Width(), 12);
    EXPECT_EQ(ctrl.Height(), 9);
    EXPECT_EQ(ctrl.DisplayImage()->Width(), 12);
    EXPECT_EQ(ctrl.DisplayImage()->Height(), 9);
}

TEST(BmpLEDCtrl, SetStateWithTheCurrentStateDrawsNothing) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 1);
    ctrl.Resize(10, 10);
    ctrl.Bitmap(0)->SetSize(10, 10); // white; the change redraws state 0
    PaintRect(SurfaceOf(ctrl), TRect(0, 0, 10, 10), kBlack);
    PaintRect(ctrl.Bitmap(0), TRect(0, 0, 10, 10), kRed); // drawing fires no change

    ctrl.SetState(0);
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 10, 10), kBlack), 100);

    ctrl.Update();
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 10, 10), kRed), 100);
}

TEST(BmpLEDCtrl, NewPictureOfTheStateOnShowRedrawsAtOnceAndOfAnotherStateOnlyWhenSelected) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 2);
    ctrl.Resize(20, 10);
    Solid red(20, 10, kRed);
    Solid blue(20, 10, kBlue);
    Solid green(20, 10, kGreen);

    ctrl.SetBitmap(&red, 0);
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kRed), 200);

    PaintRect(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kBlack);
    ctrl.Bitmap(1)->Assign(&blue);
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kBlack), 200);

    ctrl.SetState(1);
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kBlue), 200);

    ctrl.Bitmap(1)->Assign(&green); // loaded straight into the live bitmap
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kGreen), 200);

    PaintRect(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kBlack);
    ctrl.BitmapChanged(&red); // not one of the state bitmaps: nothing happens
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kBlack), 200);
}

TEST(BmpLEDCtrl, AnOwnerThatTakesOverTheChangeEventKeepsTheRedrawByCallingTheHandler) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 1);
    ctrl.Resize(6, 6);
    const TNotifyEvent saved = ctrl.Bitmap(0)->OnChange;
    int ownerCalls = 0;
    ctrl.Bitmap(0)->OnChange = [&](TObject* sender) {
        ++ownerCalls;
        saved(sender);
    };
    Solid blue(6, 6, kBlue);

    ctrl.SetBitmap(&blue, 0);

    EXPECT_EQ(ownerCalls, 1);
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 6, 6), kBlue), 36);
}

TEST(BmpLEDCtrl, SetStateDrawsWithoutRepaintingAndUpdateRepaints) {
    ShownForm form;
    TBmpLEDCtrl ctrl(form.form.get(), form.form.get(), 2);
    ctrl.Resize(20, 10);
    Solid red(20, 10, kRed);
    Solid blue(20, 10, kBlue);
    ctrl.SetBitmap(&blue, 1);
    ctrl.SetBitmap(&red, 0);
    PumpMessages(50);
    ASSERT_EQ(ScreenPixelOf(form.Handle(), 5, 5), kRed);

    ctrl.SetState(1);

    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 20, 10), kBlue), 200);
    EXPECT_TRUE(HasPendingPaint(form.Handle()));
    EXPECT_EQ(ScreenPixelOf(form.Handle(), 5, 5), kRed);

    ctrl.Update();

    EXPECT_FALSE(HasPendingPaint(form.Handle()));
    EXPECT_EQ(ScreenPixelOf(form.Handle(), 5, 5), kBlue);
}

TEST(BmpLEDCtrl, CanvasPaintingStaysUntilTheNextRedraw) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 1);
    ctrl.Resize(8, 8);
    Solid red(8, 8, kRed);
    ctrl.SetBitmap(&red, 0);

    PaintRect(SurfaceOf(ctrl), TRect(2, 2, 6, 6), kWhite);
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 8, 8), kWhite), 16);

    ctrl.Update();
    EXPECT_EQ(CountOf(SurfaceOf(ctrl), TRect(0, 0, 8, 8), kRed), 64);
}

TEST(BmpLEDCtrl, TransparentColourIsKeptAsRgbOnly) {
    struct Case {
        TColor set;
        TColor expected;
    };
    const Case cases[] = {
        {0xD4CFCF, 0xD4CFCF},
        {clBtnFace, static_cast<TColor>(ColorToRGB(clBtnFace) & 0xFFFFFF)},
        {clWhite, 0xFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.set);
        TForm form(nullptr);
        TBmpLEDCtrl ctrl(&form, &form, 1);

        ctrl.SetTransparentColor(c.set);

        EXPECT_EQ(ctrl.TransparentColor(), c.expected);
        EXPECT_EQ(SurfaceOf(ctrl)->TransparentColor(), c.expected);
    }
}

TEST(BmpLEDCtrl, MakeRegionLeavesOutTheTransparentColourOfTheStateBitmap) {
    TForm form(nullptr);
    TBmpLEDCtrl ctrl(&form, &form, 2);
    Solid shape(10, 10, kRed);
    PaintRect(&shape, TRect(0, 0, 5, 10), kGreen);
    ctrl.SetBitmap(&shape, 1);
    ctrl.SetTransparentColor(kGreen);
    tessel::WinRegion region;

    ctrl.MakeRegion(region, 1);

    EXPECT_FALSE(region.Contains(2, 5));
    EXPECT_TRUE(region.Contains(7, 5));
    EXPECT_FALSE(region.Contains(10, 5));
}

// One life of a control as a skinned button has it: four 75 x 27 states, sized, switched.
void CreateUseAndDestroy(TForm* form, std::vector<std::unique_ptr<Solid>>& looks) {
    auto ctrl = std::make_unique<TBmpLEDCtrl>(form, form, 4);
    for (int i = 0; i < 4; ++i)
        ctrl->SetBitmap(looks[static_cast<std::size_t>(i)].get(), i);
    ctrl->Resize(75, 27);
    for (int state : {1, 2, 3, 0})
        ctrl->SetState(state);
    ctrl->Update();
}

TEST(BmpLEDCtrl, DestroyingFreesEverythingItMade) {
    ShownForm form;
    std::vector<std::unique_ptr<Solid>> looks;
    for (TColor color : {kRed, kBlue, kGreen, kWhite})
        looks.push_back(std::make_unique<Solid>(75, 27, color));
    CreateUseAndDestroy(form.form.get(), looks);
    PumpMessages(20);
    const int gdiObjects = CountGdiObjects();
    const int windows = CountWindows();

    for (int cycle = 0; cycle < 1000; ++cycle)
        CreateUseAndDestroy(form.form.get(), looks);
    PumpMessages(20);

    EXPECT_EQ(CountGdiObjects(), gdiObjects);
    EXPECT_EQ(CountWindows(), windows);
    EXPECT_EQ(form->ComponentCount(), 0);
    EXPECT_EQ(form->ControlCount(), 0);
}

} // namespace
