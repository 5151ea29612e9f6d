#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/codec/BmpCodec.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Form.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/streaming/Published.h"
#include "framework/ui/Timer.h"
#include "framework/win/Win.h"

namespace {

class TStreamForm : public TForm {
public:
    explicit TStreamForm(TComponent* owner = nullptr) : TForm(owner) {}
    TImage* Background = nullptr;
    TLabel* Message = nullptr;
    TLabel* Causion = nullptr;
    TTimer* Timer = nullptr;
    std::vector<std::string> Calls;

    void FormShow(TObject*) { Calls.push_back("FormShow"); }
    void TimerTimer(TObject*) { Calls.push_back("TimerTimer"); }
    void BackgroundMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
        Calls.push_back("BackgroundMouseDown " + std::to_string(X) + "," + std::to_string(Y));
    }
};

void RegisterStreamForm() {
    RegisterFrameworkClasses();
    PublishedClass<TStreamForm>("TStreamForm", "TForm")
        .Field("Background", &TStreamForm::Background)
        .Field("Message", &TStreamForm::Message)
        .Field("Causion", &TStreamForm::Causion)
        .Field("Timer", &TStreamForm::Timer)
        .Handler("FormShow", &TStreamForm::FormShow)
        .Handler("TimerTimer", &TStreamForm::TimerTimer)
        .Handler("BackgroundMouseDown", &TStreamForm::BackgroundMouseDown);
}

// A 24-bit picture whose every pixel differs: red = 40 x, green = 60 y, blue = 7.
BmpImage Gradient(int width, int height) {
    BmpImage image = BmpImage::Blank(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelValue(x, y,
                                static_cast<std::uint32_t>((40 * x) | (60 * y) << 8 | 7 << 16));
    return image;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string hex;
    char digits[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(digits, sizeof digits, "%02X", b);
        hex += digits;
    }
    return hex;
}

std::string NoticeDescription(const std::string& pictureHex) {
    return R"(object StreamForm: TStreamForm
  Left = 192
  Top = 114
  Width = 428
  Height = 244
  Caption = 'Velmora KVX Setup'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Scaled = False
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object Background: TImage
    Left = 0
    Top = 0
    Width = 5
    Height = 3
    AutoSize = True
    Picture.Data = {
      )" + pictureHex +
           R"(}
    OnMouseDown = BackgroundMouseDown
  end
  object Message: TLabel
    Left = 32
    Top = 57
    Width = 337
    Height = 42
    AutoSize = False
    Caption = 'Please install Microsoft .NET Framework 2.0 before installing an' +
      'y program from the support DVD!'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlack
    Font.Height = -14
    Font.Name = 'Arial'
    Font.Style = []
    ParentFont = False
    Transparent = True
    WordWrap = True
  end
  object Causion: TLabel
    Left = 32
    Top = 77
    Width = 337
    Height = 52
    AutoSize = False
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -12
    Font.Name = 'Arial'
    Font.Style = [fsBold, fsUnderline]
    ParentFont = False
    Transparent = True
    WordWrap = True
  end
  object Timer: TTimer
    Interval = 500
    OnTimer = TimerTimer
    Left = 408
    Top = 8
  end
end
)";
}

class FormStreaming : public ::testing::Test {
protected:
    void SetUp() override { RegisterStreamForm(); }
};

} // namespace

TEST_F(FormStreaming, ReadsAFormWithImageLabelsAndTimer) {
    const BmpImage picture = Gradient(5, 3);
    TStreamForm form;
    ReadForm(&form, NoticeDescription(Hex(EncodeBmp(picture))));

    EXPECT_EQ(form.Name(), AnsiString("StreamForm"));
    EXPECT_EQ(form.Caption(), AnsiString("Velmora KVX Setup"));
    EXPECT_EQ(form.Left(), 192);
    EXPECT_EQ(form.Width(), 428);
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_FALSE(form.Scaled());
    EXPECT_EQ(form.PixelsPerInch(), 96);

    ASSERT_TRUE(form.Background && form.Message && form.Causion && form.Timer);
    EXPECT_EQ(form.Background->Parent(), &form);
    EXPECT_EQ(form.Message->Parent(), &form);
    EXPECT_EQ(form.Timer->Owner(), &form);
    EXPECT_EQ(form.ComponentCount(), 4);

    // The picture arrives as real pixels, and the image takes its size.
    TBitmap* bitmap = form.Background->Picture()->Bitmap();
    ASSERT_EQ(bitmap->Width(), 5);
    ASSERT_EQ(bitmap->Height(), 3);
    const BmpImage pixels = bitmap->ToImage();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(pixels.PixelRgb(x, y), picture.PixelRgb(x, y)) << x << "," << y;
    EXPECT_TRUE(form.Background->AutoSize());
    EXPECT_EQ(form.Background->Width(), 5);

    EXPECT_EQ(form.Message->Caption(),
              AnsiString("Please install Microsoft .NET Framework 2.0 before installing any "
                         "program from the support DVD!"));
    EXPECT_EQ(form.Message->Font()->Name(), AnsiString("Arial"));
    EXPECT_EQ(form.Message->Font()->Height(), -14);
    EXPECT_EQ(form.Message->Font()->Color(), clBlack);
    EXPECT_FALSE(form.Message->ParentFont());
    EXPECT_TRUE(form.Message->Transparent());
    EXPECT_TRUE(form.Message->WordWrap());
    EXPECT_FALSE(form.Message->AutoSize());
    EXPECT_EQ(form.Message->Height(), 42);
    EXPECT_EQ(form.Causion->Caption(), AnsiString(""));
    EXPECT_EQ(form.Causion->Font()->Style(), fsBold | fsUnderline);
    EXPECT_EQ(form.Causion->Font()->Color(), clNavy);

    EXPECT_EQ(form.Timer->Interval(), 500u);
    EXPECT_TRUE(form.Timer->Enabled());
    EXPECT_EQ(form.Timer->DesignInfo(), (8 << 16) | 408);

    form.OnShow(&form);
    form.Timer->OnTimer(form.Timer);
    form.Background->OnMouseDown(form.Background, mbLeft, 0, 2, 1);
    EXPECT_EQ(form.Calls,
              (std::vector<std::string>{"FormShow", "TimerTimer", "BackgroundMouseDown 2,1"}));
    EXPECT_FALSE(form.HasState(csLoading) || form.Background->HasState(csLoading) ||
                 form.Timer->HasState(csLoading));
}

TEST_F(FormStreaming, WritesTheSamePropertiesBackAndReadsThemAgain) {
    const std::string description = NoticeDescription(Hex(EncodeBmp(Gradient(5, 3))));
    TStreamForm form;
    ReadForm(&form, description);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&form), ParseFormText(description))) << WriteForm(&form);

    const std::string written = WriteForm(&form);
    TStreamForm again;
    ReadForm(&again, written);
    EXPECT_EQ(WriteForm(&again), written);
    EXPECT_EQ(again.Background->Picture()->Bitmap()->ToImage().Pixels,
              form.Background->Picture()->Bitmap()->ToImage().Pixels);
}

TEST_F(FormStreaming, ReportsABrokenBitmapWithItsLine) {
    std::string description = NoticeDescription("424D0000");
    TStreamForm form;
    try {
        ReadForm(&form, description);
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        const std::string expected =
            "Line 24: Error reading Background.Picture.Data: Bitmap image is not valid";
        EXPECT_EQ(e.Message.str().substr(0, expected.size()), expected) << e.Message.str();
    }
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.Background, nullptr);
}

TEST_F(FormStreaming, AMissingResourceIsAReadError) {
    TStreamForm form;
    try {
        ReadFormResource(&form, "NOSUCHFORM");
        FAIL() << "no exception";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message.str(), "Resource NOSUCHFORM not found");
    }
}

// Not a check: prints how long reading a description with three 75 x 27 24-bit bitmaps takes.
TEST_F(FormStreaming, MeasuresReadingThreeButtonBitmaps) {
    const std::string hex = Hex(EncodeBmp(Gradient(75, 27)));
    std::string description = "object StreamForm: TStreamForm\n";
    for (int i = 0; i < 3; ++i)
        description += "  object Image" + std::to_string(i) +
                       ": TImage\n    AutoSize = True\n    Picture.Data = {\n      " + hex +
                       "}\n  end\n";
    description += "end\n";

    const int rounds = 200;
    for (int i = 0; i < 20; ++i) { // warm up: page in the allocator and the code
        TStreamForm form;
        ReadForm(&form, description);
    }
    LARGE_INTEGER frequency, start, parsed, read;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i)
        ParseFormText(description);
    QueryPerformanceCounter(&parsed);
    for (int i = 0; i < rounds; ++i) {
        TStreamForm form;
        ReadForm(&form, description);
        ASSERT_EQ(static_cast<TImage*>(form.Components(2))->Width(), 75);
    }
    QueryPerformanceCounter(&read);
    const double usParse =
        1e6 * double(parsed.QuadPart - start.QuadPart) / double(frequency.QuadPart) / rounds;
    const double usRead =
        1e6 * double(read.QuadPart - parsed.QuadPart) / double(frequency.QuadPart) / rounds;
    std::printf("[ MEASURE  ] %zu bytes of description, three 75x27 24-bit bitmaps: parse %.1f us, "
                "read into a form (parse, create, load pixels) %.1f us\n",
                description.size(), usParse, usRead);
}
