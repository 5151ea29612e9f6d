#include <gtest/gtest.h>

#include <string>

#include "framework/core/Exceptions.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"

namespace {

// A windowless control that counts size questions and resizes; it may hold a fixed size.
class Sized : public TControl {
public:
    using TControl::TControl;
    int asked = 0;
    int resized = 0;
    int fixed = 0;

protected:
    bool CanResize(int& width, int& height) override {
        ++asked;
        if (fixed)
            width = height = fixed;
        return true;
    }
    void Resize() override {
        ++resized;
        TControl::Resize();
    }
};

TEST(Control, HasNoWindowAndWorksWithoutAParent) {
    Sized control(nullptr);
    control.SetBounds(1, 2, 30, 40);
    EXPECT_EQ(control.BoundsRect(), TRect(1, 2, 31, 42));
    EXPECT_EQ(control.ClientRect(), TRect(0, 0, 30, 40));
    EXPECT_EQ(control.ClientOrigin(), TPoint(1, 2));
    control.Invalidate();
    control.Repaint();
    control.BringToFront();
    EXPECT_FALSE(control.Showing());
    EXPECT_EQ(control.resized, 1);
}

TEST(Control, SizeChangesAskCanResizeExceptWhileLoadingAndResizeOnlyWhenSized) {
    Sized control(nullptr);
    control.fixed = 25;
    control.SetBounds(0, 0, 80, 60);
    EXPECT_EQ(control.Width(), 25);
    EXPECT_EQ(control.Height(), 25);
    EXPECT_EQ(control.asked, 1);
    EXPECT_EQ(control.resized, 1);
    control.SetLeft(9); // moved only
    EXPECT_EQ(control.asked, 1);
    EXPECT_EQ(control.resized, 1);
    control.SetComponentState(csLoading, true);
    control.SetBounds(0, 0, 80, 60);
    control.SetComponentState(csLoading, false);
    EXPECT_EQ(control.Width(), 80);
    EXPECT_EQ(control.asked, 1);
    EXPECT_EQ(control.resized, 1); // no OnResize while loading either
}

TEST(Control, ControlsListsWindowlessChildrenFirstThenWindowedOnes) {
    TForm form(nullptr);
    auto* windowed = new TWinControl(&form);
    windowed->SetParent(&form);
    auto* image = new TImage(&form);
    image->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    ASSERT_EQ(form.ControlCount(), 3);
    EXPECT_EQ(form.Controls(0), image);
    EXPECT_EQ(form.Controls(1), label);
    EXPECT_EQ(form.Controls(2), windowed);
    EXPECT_THROW(form.Controls(3), ERangeError);
    image->BringToFront();
    EXPECT_EQ(form.Controls(1), image);
    image->SendToBack();
    EXPECT_EQ(form.Controls(0), image);
    label->SetParent(nullptr);
    EXPECT_EQ(form.ControlCount(), 2);
    EXPECT_EQ(label->Parent(), nullptr);
    delete label;
    EXPECT_THROW(form.SetParent(windowed), EInvalidOperation);
}

TEST(Control, ControlAtPosFindsTheTopmostVisibleEnabledWindowlessChild) {
    TForm form(nullptr);
    auto make = [&](int left, int width) {
        auto* c = new TImage(&form);
        c->SetParent(&form);
        c->SetBounds(left, 0, width, 50);
        return c;
    };
    TImage* below = make(0, 100);
    TImage* above = make(50, 100);
    struct Case {
        int x;
        bool aboveEnabled, aboveVisible, allowDisabled;
        TControl* expected;
    } cases[] = {
        {10, true, true, false, below},  {60, true, true, false, above},
        {60, false, true, false, below}, {60, false, true, true, above},
        {60, true, false, false, below}, {120, false, true, false, nullptr},
        {100, true, true, false, above}, {150, true, true, false, nullptr},
    };
    for (const Case& c : cases) {
        above->SetEnabled(c.aboveEnabled);
        above->SetVisible(c.aboveVisible);
        EXPECT_EQ(form.ControlAtPos(TPoint(c.x, 10), c.allowDisabled), c.expected)
            << c.x << c.aboveEnabled << c.aboveVisible << c.allowDisabled;
    }
}

TEST(Control, AlignedChildrenShareTheParentsClientArea) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 200, 100);
    auto* top = new TLabel(&form);
    top->SetAutoSize(false);
    top->SetHeight(20);
    top->SetParent(&form);
    top->SetAlign(alTop);
    auto* left = new TImage(&form);
    left->SetWidth(30);
    left->SetParent(&form);
    left->SetAlign(alLeft);
    auto* client = new TWinControl(&form);
    client->SetParent(&form);
    client->SetAlign(alClient);
    EXPECT_EQ(top->BoundsRect(), TRect(0, 0, 200, 20));
    EXPECT_EQ(left->BoundsRect(), TRect(0, 20, 30, 100));
    EXPECT_EQ(client->BoundsRect(), TRect(30, 20, 200, 100));
    form.SetBounds(0, 0, 300, 150);
    EXPECT_EQ(client->BoundsRect(), TRect(30, 20, 300, 150));
    form.HandleNeeded();
    form.SetBounds(0, 0, 250, 120);
    EXPECT_EQ(client->BoundsRect(), TRect(30, 20, 250, 120));
}

TEST(Control, ANamedControlShowsItsNameUntilItHasACaption) {
    TLabel label(nullptr);
    label.SetName("Message");
    EXPECT_EQ(label.Caption(), AnsiString("Message"));
    label.SetName("Notice");
    EXPECT_EQ(label.Caption(), AnsiString("Notice"));
    label.SetCaption("Hello");
    label.SetName("Other");
    EXPECT_EQ(label.Caption(), AnsiString("Hello"));
    TLabel loaded(nullptr);
    loaded.SetComponentState(csLoading, true);
    loaded.SetName("Causion");
    EXPECT_EQ(loaded.Caption(), AnsiString(""));
}

TEST(Control, ParentColorFollowsTheParentUntilAColourIsSet) {
    TForm form(nullptr);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    EXPECT_TRUE(label->ParentColor());
    EXPECT_EQ(label->Color(), clBtnFace);
    form.SetColor(clNavy);
    EXPECT_EQ(label->Color(), clNavy);
    label->SetColor(clRed);
    EXPECT_FALSE(label->ParentColor());
    form.SetColor(clLime);
    EXPECT_EQ(label->Color(), clRed);
}

TEST(Control, PerformDispatchesToWndProcAndTheClickRuleHoldsForWindowlessControls) {
    TImage image(nullptr);
    image.SetBounds(0, 0, 20, 20);
    std::string order;
    image.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { order += "d"; };
    image.OnClick = [&](TObject*) { order += "c"; };
    image.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { order += "u"; };
    image.OnDblClick = [&](TObject*) { order += "D"; };
    image.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    image.Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(order, "dcu");
    order.clear();
    image.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    image.Perform(WM_LBUTTONUP, 0, MAKELPARAM(25, 5)); // released outside
    EXPECT_EQ(order, "du");
    order.clear();
    image.Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    image.Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(order, "Ddu");
    order.clear();
    image.ControlStyle.Exclude(csDoubleClicks);
    image.Perform(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    image.Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(order, "dcu");
    order.clear();
    image.ControlStyle.Exclude(csClickEvents);
    image.Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    image.Perform(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(order, "du");
}

} // namespace
