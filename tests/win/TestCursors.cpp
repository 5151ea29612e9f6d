#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/ui/Cursors.h"
#include "framework/ui/WinControl.h"
#include "tests/support/WinTestForm.h"

namespace {

HCURSOR System(LPCSTR id) {
    return LoadCursorA(nullptr, id);
}

// A shown form with a windowed child and a windowless one side by side, and a windowless one
// on the windowed child; the pointer starts on the form's bare corner.
struct CursorInput : ::testing::Test {
    ShownForm form{300, 200};
    std::unique_ptr<TWinControl> panel = std::make_unique<TWinControl>(nullptr);
    std::unique_ptr<TControl> plain = std::make_unique<TControl>(nullptr);
    std::unique_ptr<TControl> inner = std::make_unique<TControl>(nullptr);

    void SetUp() override {
        panel->SetParent(form.form.get());
        panel->SetBounds(20, 20, 120, 100);
        plain->SetParent(form.form.get());
        plain->SetBounds(160, 20, 60, 40);
        inner->SetParent(panel.get());
        inner->SetBounds(10, 60, 40, 30);
        PumpMessages(20);
    }
    void TearDown() override {
        inner.reset();
        plain.reset();
        panel.reset();
    }
    // Moves the pointer onto the control's middle from the form's bare corner (so that the
    // system sees a move even when the pointer was there already) and reads the cursor.
    HCURSOR CursorOver(TControl* control) {
        MoveMouseTo(form.Handle(), 290, 190);
        const TPoint middle =
            control->ClientToScreen(TPoint(control->Width() / 2, control->Height() / 2));
        MoveMouseTo(middle.x, middle.y);
        PumpMessages(20);
        return GetCursor();
    }
};

TEST_F(CursorInput, ThePointerOverAControlTakesItsCursor) {
    struct Case {
        TCursor cursor;
        LPCSTR system;
    };
    const Case cases[] = {
        {crIBeam, IDC_IBEAM}, {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL},
        {crNoDrop, IDC_NO},   {crHSplit, IDC_SIZEWE},  {crAppStart, IDC_APPSTARTING},
    };
    for (TControl* control : {static_cast<TControl*>(panel.get()), plain.get()}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(c.cursor) + (control == plain.get() ? " windowless" : ""));
            control->SetCursor(c.cursor);
            EXPECT_EQ(CursorOver(control), System(c.system));
        }
        control->SetCursor(crNone);
        EXPECT_EQ(CursorOver(control), nullptr) << "no pointer at all";
        control->SetCursor(crDefault);
    }
}

TEST_F(CursorInput, ADefaultCursorTakesTheParentsAndAtLastTheClassArrow) {
    struct Case {
        const char* name;
        TCursor formCursor, panelCursor, innerCursor;
        TControl* over;
        LPCSTR system;
    };
    const Case cases[] = {
        {"windowed child of a form with its own", crCross, crDefault, crDefault, panel.get(),
         IDC_CROSS},
        {"windowless child of a form with its own", crCross, crDefault, crDefault, plain.get(),
         IDC_CROSS},
        {"windowless child of a windowed one", crCross, crHandPoint, crDefault, inner.get(),
         IDC_HAND},
        {"none anywhere", crDefault, crDefault, crDefault, inner.get(), IDC_ARROW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // A different shape first, so that the class arrow cannot be a leftover.
        plain->SetCursor(crSizeWE);
        ASSERT_EQ(CursorOver(plain.get()), System(IDC_SIZEWE));
        plain->SetCursor(crDefault);
        form->SetCursor(c.formCursor);
        panel->SetCursor(c.panelCursor);
        inner->SetCursor(c.innerCursor);
        EXPECT_EQ(CursorOver(c.over), System(c.system));
    }
}

TEST_F(CursorInput, ChangingTheCursorUnderTheRestingPointerShowsItAtOnce) {
    for (TControl* control : {static_cast<TControl*>(panel.get()), inner.get()}) {
        SCOPED_TRACE(control == panel.get() ? "windowed" : "windowless");
        ASSERT_EQ(CursorOver(control), System(IDC_ARROW));
        control->SetCursor(crHandPoint);
        EXPECT_EQ(GetCursor(), System(IDC_HAND));
        control->SetCursor(crDefault);
    }
}

} // namespace
