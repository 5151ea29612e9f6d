#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/codec/BmpCodec.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Font.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "framework/ui/Form.h"
#include "framework/win/Win.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/FormDescription.h"
#include "tests/support/WinStreamedForm.h"

namespace {

// A 24-bit picture whose every pixel differs: red = 40 x, green = 60 y, blue = 7.
BmpImage Gradient(int width, int height) {
    BmpImage image = BmpImage::Blank(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelValue(x, y,
                                static_cast<std::uint32_t>((40 * x) | (60 * y) << 8 | 7 << 16));
    return image;
}

// One of the notice window's word-wrapped Arial labels; caption as written, "" for none.
FormDescription NoticeLabel(const char* name, int top, int height, const std::string& caption,
                            const char* color, int fontHeight, const char* style) {
    FormDescription label(name, "TLabel");
    label.Bounds(32, top, 337, height).Set("AutoSize", "False");
    if (!caption.empty())
        label.Set("Caption", caption);
    return label.Set("Font.Charset", "DEFAULT_CHARSET")
        .Set("Font.Color", color)
        .Set("Font.Height", fontHeight)
        .Quoted("Font.Name", "Arial")
        .Set("Font.Style", style)
        .Set("ParentFont", "False")
        .Set("Transparent", "True")
        .Set("WordWrap", "True");
}

std::string NoticeDescription(const std::vector<unsigned char>& picture) {
    return FormDescription("StreamForm", "TStreamedForm")
        .Bounds(192, 114, 428, 244)
        .Quoted("Caption", "Velmora KVX Setup")
        .Set("Color", "clBtnFace")
        .Set("Font.Charset", "DEFAULT_CHARSET")
        .Set("Font.Color", "clWindowText")
        .Set("Font.Height", -11)
        .Quoted("Font.Name", "MS Sans Serif")
        .Set("Font.Style", "[]")
        .Set("OldCreateOrder", "False")
        .Set("Scaled", "False")
        .Set("OnShow", "FormShow")
        .Set("PixelsPerInch", 96)
        .Set("TextHeight", 13)
        .Add(FormDescription("Background", "TImage")
                 .Bounds(0, 0, 5, 3)
                 .Set("AutoSize", "True")
                 .Data("Picture.Data", picture)
                 .Set("OnMouseDown", "BackgroundMouseDown"))
        // Long texts come split in two quoted parts, as the designer writes them.
        .Add(NoticeLabel("Message", 57, 42,
                         "'Please install Microsoft .NET Framework 2.0 before installing an' "
                         "+\n      'y program from the support DVD!'",
                         "clBlack", -14, "[]"))
        .Add(NoticeLabel("Causion", 77, 52, "", "clNavy", -12, "[fsBold, fsUnderline]"))
        .Add(FormDescription("Timer", "TTimer")
                 .Set("Interval", 500)
                 .Set("OnTimer", "TimerTimer")
                 .Set("Left", 408)
                 .Set("Top", 8));
}

class FormStreaming : public ::testing::Test {
protected:
    void SetUp() override { RegisterStreamedForm(); }
};

} // namespace

TEST_F(FormStreaming, ReadsAFormWithImageLabelsAndTimer) {
    const BmpImage picture = Gradient(5, 3);
    TStreamedForm form;
    ReadForm(&form, NoticeDescription(EncodeBmp(picture)));

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
    const std::string description = NoticeDescription(EncodeBmp(Gradient(5, 3)));
    TStreamedForm form;
    ReadForm(&form, description);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&form), ParseFormText(description))) << WriteForm(&form);

    const std::string written = WriteForm(&form);
    TStreamedForm again;
    ReadForm(&again, written);
    EXPECT_EQ(WriteForm(&again), written);
    EXPECT_EQ(again.Background->Picture()->Bitmap()->ToImage().Pixels,
              form.Background->Picture()->Bitmap()->ToImage().Pixels);
}

TEST_F(FormStreaming, ReportsABrokenBitmapWithItsLine) {
    std::string description = NoticeDescription({0x42, 0x4D, 0, 0});
    TStreamedForm form;
    const std::string message = MessageOf<EReadError>([&] { ReadForm(&form, description); });
    const std::string expected =
        "Line 24: Error reading Background.Picture.Data: Bitmap image is not valid";
    EXPECT_EQ(message.substr(0, expected.size()), expected) << message;
    EXPECT_EQ(form.ComponentCount(), 0);
    EXPECT_EQ(form.Background, nullptr);
}

TEST_F(FormStreaming, AMissingResourceIsAReadError) {
    TStreamedForm form;
    EXPECT_EQ(MessageOf<EReadError>([&] { ReadFormResource(&form, "NOSUCHFORM"); }),
              "Resource NOSUCHFORM not found");
}

// Not a check: prints how long reading a description with three 75 x 27 24-bit bitmaps takes.
TEST_F(FormStreaming, MeasuresReadingThreeButtonBitmaps) {
    FormDescription form("StreamForm", "TStreamedForm");
    for (int i = 0; i < 3; ++i)
        form.Add(FormDescription("Image" + std::to_string(i), "TImage")
                     .Set("AutoSize", "True")
                     .Data("Picture.Data", EncodeBmp(Gradient(75, 27))));
    const std::string description = form;

    const int rounds = 200;
    for (int i = 0; i < 20; ++i) { // warm up: page in the allocator and the code
        TStreamedForm form;
        ReadForm(&form, description);
    }
    LARGE_INTEGER frequency, start, parsed, read;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < rounds; ++i)
        ParseFormText(description);
    QueryPerformanceCounter(&parsed);
    for (int i = 0; i < rounds; ++i) {
        TStreamedForm form;
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
