#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KxPackage/Source/KxNumLED.h"
#include "KxPackage/Source/KxNumLed_imp.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormText.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/Published.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/win/Win.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinCapture.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinStreamedForm.h"
#include "tests/support/WinTestForm.h"

using tessel::nledDate;
using tessel::nledFloat;
using tessel::nledTime;

namespace {

constexpr TColor kLight = 0x0AF00A;
constexpr TColor kDark = 0x3E260E;
constexpr TColor kGrey = 0x808080;

// A pixel of the display's drawing surface.
TColor SurfacePixel(KxNumLed& led, int x, int y) {
    return led.Model()->Image()->Canvas()->Pixels(x, y);
}

// Segment positions of a digit cell at its design size (cell-relative), inside each bar.
struct SegmentPixel {
    const char* name;
    int x, y;
};
const SegmentPixel kDigitSegments[] = {
    {"a", 8, 2}, {"b", 14, 6}, {"c", 14, 14}, {"d", 8, 18}, {"e", 2, 14}, {"f", 2, 6}, {"g", 8, 10},
};

class KxNumLedTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterStreamedForm(); }
};

} // namespace

TEST_F(KxNumLedTest, DrawsLitSegmentsLightUnlitOnesDarkAndBackgroundElsewhere) {
    ShownForm form(200, 80);
    KxNumLed* led = new KxNumLed(form.form.get());
    led->SetParent(form.form.get());
    led->SetBounds(10, 10, 72, 22);
    led->GetLedColors()->SetBackgroundColor(kGrey);
    led->SetValue(47.0);

    // Cell 2 shows 4 (b, c, f, g lit), cell 3 shows 7 (a, b, c lit).
    const char* lit[4] = {"", "", "bcfg", "abc"};
    for (int cell = 2; cell < 4; ++cell) {
        for (const SegmentPixel& s : kDigitSegments) {
            SCOPED_TRACE(std::to_string(cell) + s.name);
            const bool on = std::string(lit[cell]).find(s.name) != std::string::npos;
            EXPECT_EQ(SurfacePixel(*led, 18 * cell + s.x, s.y), on ? kLight : kDark);
        }
    }
    // Blank leading digits still show every segment, dark.
    for (const SegmentPixel& s : kDigitSegments)
        EXPECT_EQ(SurfacePixel(*led, s.x, s.y), kDark) << s.name;
    // Between and around the segments: the background.
    for (auto [x, y] : {std::pair{0, 0}, {8, 6}, {8, 14}, {17, 21}, {71, 21}, {40, 20}})
        EXPECT_EQ(SurfacePixel(*led, x, y), kGrey) << x << "," << y;

    // The form shows the display where the control is.
    const ClientPixels shown = PaintedClient(form.Handle());
    EXPECT_EQ(shown.At(10 + 36 + 14, 10 + 6), RgbOf(kLight));
    EXPECT_EQ(shown.At(10 + 36 + 8, 10 + 2), RgbOf(kDark));
    EXPECT_EQ(shown.At(10 + 36 + 8, 10 + 6), RgbOf(kGrey));
}

TEST_F(KxNumLedTest, TakesTheSizeTheDisplayChose) {
    ShownForm form(400, 200);
    KxNumLed led(form.form.get());
    led.SetParent(form.form.get());
    led.SetBounds(20, 30, 144, 100);
    EXPECT_EQ(led.Width(), 144);
    EXPECT_EQ(led.Height(), 100);

    led.SetKeepRatio(true);
    EXPECT_EQ(led.Width(), 144) << "the new rule applies at once";
    EXPECT_EQ(led.Height(), 44);
    led.SetBounds(20, 30, 100, 11);
    EXPECT_EQ(led.Width(), 36);
    EXPECT_EQ(led.Height(), 11);
    TImage* image = led.Model()->Image();
    EXPECT_EQ(image->Left(), 20);
    EXPECT_EQ(image->Top(), 30);
    EXPECT_EQ(image->Width(), 36);
    EXPECT_EQ(image->Picture()->Bitmap()->Width(), 36);

    // Scaled by two, a lit segment of the last digit lies twice as far in.
    led.SetBounds(20, 30, 144, 44);
    led.SetValue(1.0);
    EXPECT_EQ(SurfacePixel(led, 2 * (54 + 14), 2 * 6), kLight);
    EXPECT_EQ(SurfacePixel(led, 2 * (54 + 8), 2 * 2), kDark);
}

TEST_F(KxNumLedTest, SettingKeepRatioAgainLaysTheDisplayOutAgain) {
    ShownForm form;
    KxNumLed led(form.form.get());
    led.SetParent(form.form.get());
    led.SetBounds(0, 0, 72, 22);
    TCanvas* canvas = led.Model()->Image()->Canvas();
    canvas->SetPixel(8, 6, clRed);
    ASSERT_EQ(SurfacePixel(led, 8, 6), clRed);
    led.SetKeepRatio(false);
    EXPECT_EQ(SurfacePixel(led, 8, 6), clBlack) << "cleared and redrawn";
}

TEST_F(KxNumLedTest, PutsItsImageOnItsParentAndFreesItWithItself) {
    ShownForm form;
    const int before = form->ControlCount();
    KxNumLed* led = new KxNumLed(form.form.get());
    TImage* image = led->Model()->Image();
    EXPECT_EQ(image->Parent(), nullptr);
    led->SetParent(form.form.get());
    EXPECT_EQ(image->Parent(), form.form.get());
    EXPECT_EQ(form->ControlCount(), before + 2);
    EXPECT_FALSE(image->Enabled()) << "the mouse goes to what lies below the image";
    delete led;
    EXPECT_EQ(form->ControlCount(), before);
}

TEST_F(KxNumLedTest, ReadsWritesAndReadsBackTheSameProperties) {
    // 156 x 54 is twice the design size of HH.MM, so keeping the ratio keeps it.
    const std::string description = R"(object NumForm: TStreamedForm
  Left = 100
  Top = 100
  Width = 300
  Height = 120
  Caption = 'Clock'
  object Led: KxNumLed
    Left = 8
    Top = 16
    Width = 156
    Height = 54
    Type = nledTime
    ZeroLeading = True
    Format = 'HH.MM'
    LedColors.LightColor = clRed
    LedColors.DarkColor = 4210752
    LedColors.BackgroundColor = clWhite
    LedColors.TransparentColor = clFuchsia
    Transparent = True
    KeepRatio = True
    Visible = False
  end
end
)";
    TStreamedForm form;
    ReadForm(&form, description);
    ASSERT_NE(form.Led, nullptr);
    KxNumLed& led = *form.Led;
    EXPECT_EQ(led.GetType(), nledTime);
    EXPECT_EQ(led.GetStyle(), tessel::nledRectangle7_s);
    EXPECT_TRUE(led.GetZeroLeading());
    EXPECT_EQ(led.GetFormat(), AnsiString("HH.MM"));
    EXPECT_EQ(led.GetLedColors()->GetLightColor(), clRed);
    EXPECT_EQ(led.GetLedColors()->GetDarkColor(), 0x404040);
    EXPECT_EQ(led.GetLedColors()->GetBackgroundColor(), clWhite);
    EXPECT_EQ(led.GetLedColors()->GetTransparentColor(), clFuchsia);
    EXPECT_TRUE(led.GetTransparent());
    EXPECT_TRUE(led.GetKeepRatio());
    EXPECT_FALSE(led.Visible());
    EXPECT_FALSE(led.Model()->Image()->Visible()) << "the display hides with the control";
    EXPECT_EQ(led.Parent(), &form);
    EXPECT_EQ(led.Model()->Image()->Parent(), &form);
    EXPECT_EQ(led.Left(), 8);
    EXPECT_EQ(led.Width(), 156);
    EXPECT_EQ(led.Height(), 54);

    // The form's own properties are the framework's business: compare the display.
    const FormObject writtenTree = WriteFormTree(&form);
    ASSERT_EQ(writtenTree.Children.size(), 1u) << "the display's image is not written";
    EXPECT_TRUE(SameFormTree(writtenTree.Children[0], ParseFormText(description).Children[0]))
        << WriteForm(&form);
    const std::string written = WriteForm(&form);
    TStreamedForm again;
    ReadForm(&again, written);
    EXPECT_EQ(WriteForm(&again), written);
}

TEST_F(KxNumLedTest, LeavesDefaultsOutOfTheDescription) {
    TStreamedForm form;
    form.SetName("NumForm");
    KxNumLed* led = new KxNumLed(&form);
    led->SetName("Led");
    led->SetParent(&form);
    const std::string all = WriteForm(&form);
    const std::string written = all.substr(all.find("object Led"));
    for (const char* left : {"Type", "Style", "ZeroLeading", "LedColors",
                             "Transparent =", "KeepRatio", "Visible", "Enabled", "Align"})
        EXPECT_EQ(written.find(left), std::string::npos) << left << " in\n" << written;
    EXPECT_NE(written.find("Format = '8888'"), std::string::npos) << written;
}

TEST_F(KxNumLedTest, LedColorsCopyFourColoursFromAnotherSetOnly) {
    KxNumLed from(nullptr);
    KxLedColors* colors = from.GetLedColors();
    colors->SetLightColor(static_cast<TColor>(0x7F112233));
    EXPECT_EQ(colors->GetLightColor(), 0x112233) << "the top byte is cleared";
    colors->SetDarkColor(0x445566);
    colors->SetBackgroundColor(0x778899);
    colors->SetTransparentColor(0x0A0B0C);

    KxNumLed to(nullptr);
    to.SetLedColors(colors);
    EXPECT_EQ(to.GetLedColors()->GetLightColor(), 0x112233);
    EXPECT_EQ(to.GetLedColors()->GetDarkColor(), 0x445566);
    EXPECT_EQ(to.GetLedColors()->GetBackgroundColor(), 0x778899);
    EXPECT_EQ(to.GetLedColors()->GetTransparentColor(), 0x0A0B0C);

    TFont font;
    EXPECT_EQ(MessageOf<EConvertError>([&] { to.GetLedColors()->Assign(&font); }),
              "Cannot assign a TFont to a KxLedColors");
    EXPECT_EQ(MessageOf<EConvertError>([&] { font.Assign(colors); }),
              "Cannot assign a KxLedColors to a TFont");
    EXPECT_EQ(to.GetLedColors()->GetLightColor(), 0x112233);
}
