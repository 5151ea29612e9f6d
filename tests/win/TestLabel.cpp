#include <gtest/gtest.h>

#include "framework/graphics/Font.h"
#include "framework/ui/Form.h"
#include "framework/ui/Label.h"
#include "tests/support/WinCapture.h"
#include "tests/support/WinTestForm.h"

namespace {

// Rows of the label's area that hold at least one pixel of the text colour.
int TextRows(const ClientPixels& shot, const TLabel& label, unsigned rgb) {
    int rows = 0;
    for (int y = label.Top(); y < label.Top() + label.Height(); ++y)
        rows += shot.CountIn(label.Left(), y, label.Left() + label.Width(), y + 1, rgb) > 0;
    return rows;
}

struct LabelTest : ::testing::Test {
    ShownForm form{360, 200};
    TLabel* label = nullptr;
    void SetUp() override {
        form->SetColor(clWhite);
        label = new TLabel(form.form.get());
        label->SetParent(form.form.get());
        label->SetAutoSize(false);
        label->SetBounds(10, 10, 120, 90);
        label->SetParentFont(false);
        label->Font()->SetName("Arial");
        label->Font()->SetHeight(-14);
        label->Font()->SetColor(clBlack);
        label->SetCaption("Please install the framework before installing any program");
    }
};

TEST_F(LabelTest, WordWrapBreaksTheTextIntoLinesInsideTheLabel) {
    label->SetTransparent(true);
    const int oneLine = TextRows(PaintedClient(form.Handle()), *label, 0x000000);
    EXPECT_GT(oneLine, 5);
    EXPECT_LE(oneLine, 17);
    label->SetWordWrap(true);
    ClientPixels shot = PaintedClient(form.Handle());
    EXPECT_GE(TextRows(shot, *label, 0x000000), 3 * oneLine);
    // Nothing is drawn outside the label.
    EXPECT_EQ(shot.CountIn(130, 0, 360, 200, 0x000000), 0);
    EXPECT_EQ(shot.CountIn(0, 100, 360, 200, 0x000000), 0);
}

TEST_F(LabelTest, OpaqueLabelsFillTheirColourTransparentOnesDoNot) {
    label->SetCaption("");
    label->SetColor(clYellow);
    EXPECT_FALSE(label->Transparent());
    EXPECT_EQ(PaintedClient(form.Handle()).CountIn(10, 10, 130, 100, 0xFFFF00), 120 * 90);
    label->SetTransparent(true);
    EXPECT_EQ(PaintedClient(form.Handle()).CountIn(10, 10, 130, 100, 0xFFFFFF), 120 * 90);
}

TEST_F(LabelTest, TextTakesTheFontColourAndDisabledTextIsGreyed) {
    label->SetTransparent(true);
    label->Font()->SetColor(clNavy);
    EXPECT_GT(PaintedClient(form.Handle()).CountIn(10, 10, 130, 100, 0x000080), 20);
    label->SetEnabled(false);
    ClientPixels shot = PaintedClient(form.Handle());
    EXPECT_EQ(shot.CountIn(10, 10, 130, 100, 0x000080), 0);
    EXPECT_GT(shot.CountIn(10, 10, 130, 100, RgbOf(ColorToRGB(clBtnShadow))), 20);
}

TEST_F(LabelTest, AutoSizeFitsTheTextAndKeepsTheWidthWhenWrapping) {
    label->SetCaption("Short");
    label->SetAutoSize(true);
    const int width = label->Width();
    const int height = label->Height();
    EXPECT_GT(width, 20);
    EXPECT_LT(width, 60);
    EXPECT_GE(height, 14);
    EXPECT_LT(height, 24);
    label->SetCaption("Short and longer");
    EXPECT_GT(label->Width(), width);
    label->SetWordWrap(true);
    label->SetWidth(60);
    label->SetCaption("one two three four five six");
    EXPECT_EQ(label->Width() <= 60, true);
    EXPECT_GE(label->Height(), 3 * height);
    label->SetAutoSize(false);
    label->SetCaption("x");
    EXPECT_GE(label->Height(), 3 * height);
}

TEST(Label, FollowsItsParentsFontUntilItsOwnFontIsChanged) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    EXPECT_TRUE(label->ParentFont());
    label->SetParent(&form);
    EXPECT_EQ(label->Font()->Name(), AnsiString("MS Sans Serif"));
    form.Font()->SetHeight(-20);
    EXPECT_EQ(label->Font()->Height(), -20);
    EXPECT_TRUE(label->ParentFont());

    label->Font()->SetColor(clNavy);
    EXPECT_FALSE(label->ParentFont());
    form.Font()->SetName("Arial");
    EXPECT_EQ(label->Font()->Name(), AnsiString("MS Sans Serif"));
    EXPECT_EQ(label->Font()->Color(), clNavy);

    label->SetParentFont(true);
    EXPECT_EQ(label->Font()->Name(), AnsiString("Arial"));
    EXPECT_EQ(label->Font()->Color(), clWindowText);

    // Through a panel that follows the form as well.
    auto* panel = new TWinControl(&form);
    panel->SetParent(&form);
    label->SetParent(panel);
    form.Font()->SetHeight(-9);
    EXPECT_EQ(panel->Font()->Height(), -9);
    EXPECT_EQ(label->Font()->Height(), -9);
}

} // namespace
