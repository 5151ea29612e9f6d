#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormWriter.h"
#include "tests/support/FormDescription.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinStreamedForm.h"
#include "tests/support/WinWindowShape.h"

namespace {

// The notice window's button as a form description stores it: three 75 x 27 bitmaps with the
// colour key in their corners, then the rest in published order.
std::string Description() {
    return FormDescription("KxForm", "TStreamedForm")
        .Bounds(100, 100, 300, 200)
        .Set("BorderStyle", "bsNone")
        .Add(FormDescription("YesButton", "KxButtonTx")
                 .Bounds(160, 139, 75, 27)
                 .Set("TransparentColor", 13946831)
                 .Set("Transparent", "True")
                 .Data("Appearance.RaisedBmp.Data", CorneredBmpFile(75, 27, kStateColors[0]))
                 .Data("Appearance.SunkenBmp.Data", CorneredBmpFile(75, 27, kStateColors[1]))
                 .Data("Appearance.FocusedBmp.Data", CorneredBmpFile(75, 27, kStateColors[2]))
                 .Set("ModalResult", 6)
                 .Set("TabOrder", 0)
                 .Set("OnClick", "YesButtonClick")
                 .Quoted("Caption", "OK")
                 .Set("FontColors.Sunken", "clRed"));
}

void ExpectNoticeButton(TStreamedForm& form) {
    KxButtonTx* button = form.YesButton;
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->Parent(), &form);
    EXPECT_EQ(button->BoundsRect(), TRect(160, 139, 235, 166));
    EXPECT_EQ(button->GetTransparentColor(), 13946831);
    EXPECT_TRUE(button->GetTransparent());
    for (int state = 0; state < 3; ++state)
        EXPECT_EQ(CentreOf(button->StateBitmap(state)), kStateColors[state]) << state;
    EXPECT_TRUE(button->IsStateEmpty(3));
    EXPECT_EQ(button->GetModalResult(), 6);
    EXPECT_EQ(button->TabOrder(), 0);
    EXPECT_EQ(button->GetText(), AnsiString("OK"));
    EXPECT_EQ(button->GetFontColors()->GetSunken(), clRed);
    EXPECT_EQ(button->GetFontColors()->GetFocused(), -1);
    // Cut with the streamed colour, captioned in the font's colour.
    EXPECT_FALSE(button->IsInside(0, 0));
    EXPECT_TRUE(button->IsInside(37, 13));
    EXPECT_GT(CaptionMask(button, kStateColors[0], 75, 27).Count(), 10);
    // The handler is bound: a click runs it after the form has the result.
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
    EXPECT_EQ(form.Calls, std::vector<std::string>{"YesButtonClick with result 6"});
    form.SetModalResult(mrNone);
}

TEST(KxStreaming, ATextButtonIsReadWrittenAndReadAgainToTheSameProperties) {
    RegisterStreamedForm();
    TStreamedForm first;
    ReadForm(&first, Description());
    ExpectNoticeButton(first);

    const std::string written = WriteForm(&first);
    // Published order, defaults and the missing disabled bitmap left out.
    std::vector<size_t> at;
    for (const char* path :
         {"TransparentColor = 13946831", "Transparent = True", "Appearance.RaisedBmp.Data",
          "Appearance.SunkenBmp.Data", "Appearance.FocusedBmp.Data", "ModalResult = 6",
          "TabOrder = 0", "OnClick = YesButtonClick", "Caption = 'OK'",
          "FontColors.Sunken = clRed"}) {
        at.push_back(written.find(path));
        EXPECT_NE(at.back(), std::string::npos) << path;
    }
    EXPECT_TRUE(std::is_sorted(at.begin(), at.end())) << written;
    for (const char* absent : {"DisabledBmp", "ShowMouseOver", "FontColors.Focused", "Enabled"})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent;

    TStreamedForm second;
    ReadForm(&second, written);
    ExpectNoticeButton(second);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&first), WriteFormTree(&second)));

    // Shown, the window takes the shape built while reading.
    second.Show();
    PumpMessages(20);
    const WindowShape shape(second.YesButton->Handle());
    EXPECT_EQ(shape.kind, COMPLEXREGION);
    EXPECT_FALSE(shape.Contains(0, 0));
}

TEST(KxStreaming, ReadingADescriptionWithThreeButtonBitmapsTakesLittleTime) {
    RegisterStreamedForm();
    const std::string text = Description();
    const int runs = 200;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < runs; ++i) {
        TStreamedForm form;
        ReadForm(&form, text);
    }
    QueryPerformanceCounter(&end);
    const double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                      static_cast<double>(frequency.QuadPart) / runs;
    std::printf("reading a description of %zu bytes with three 75 x 27 bitmaps: %.3f ms\n",
                text.size(), ms);
    ::testing::Test::RecordProperty("read_ms", std::to_string(ms));
    EXPECT_LT(ms, 50.0);
}

} // namespace
