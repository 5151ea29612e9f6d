#include <gtest/gtest.h>

#include <memory>

#include "framework/ui/Application.h"
#include "framework/core/Exceptions.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Form.h"
#include "framework/ui/Label.h"
#include "framework/ui/Timer.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestForm.h"

namespace {

TEST(Form, StartsHiddenAsAClassicForm) {
    TForm form(nullptr);
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(form.BorderStyle(), bsSizeable);
    EXPECT_TRUE(form.Scaled());
    EXPECT_EQ(form.Color(), clBtnFace);
    EXPECT_EQ(form.Font()->Name(), AnsiString("MS Sans Serif"));
    EXPECT_EQ(form.Font()->Height(), -11);
    EXPECT_EQ(form.Font()->Color(), clWindowText);
    EXPECT_EQ(form.ModalResult(), mrNone);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
    EXPECT_EQ(GetWindow(form.Handle(), GW_OWNER), Application->Handle());
}

TEST(Form, BorderStyleNoneIsAPopupWithoutCaption) {
    for (bool early : {true, false}) {
        TForm form(nullptr);
        if (early)
            form.SetBorderStyle(bsNone);
        form.SetBounds(50, 60, 200, 100);
        HWND window = form.Handle();
        EXPECT_EQ((GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != 0, !early);
        if (!early)
            form.SetBorderStyle(bsNone);
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_TRUE(style & WS_POPUP) << early;
        EXPECT_FALSE(style & (WS_CAPTION | WS_THICKFRAME)) << early;
        // The window keeps its outer size; the client area is all of it now.
        EXPECT_EQ(form.Width(), 200);
        EXPECT_EQ(form.ClientWidth(), 200);
        EXPECT_EQ(form.ClientHeight(), 100);
    }
}

TEST(Form, ClientSizeSetsTheClientAreaExactly) {
    for (TFormBorderStyle style : {bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow}) {
        for (bool withWindow : {false, true}) {
            TForm form(nullptr);
            form.SetBorderStyle(style);
            if (withWindow)
                form.HandleNeeded();
            form.SetClientWidth(400);
            form.SetClientHeight(190);
            RECT client;
            GetClientRect(form.Handle(), &client);
            EXPECT_EQ(client.right, 400) << style << withWindow;
            EXPECT_EQ(client.bottom, 190) << style << withWindow;
            EXPECT_EQ(form.ClientWidth(), 400);
            EXPECT_EQ(form.ClientHeight(), 190);
        }
    }
}

TEST(Form, OnShowRunsBeforeTheWindowIsVisibleAndOnHideWhenItGoes) {
    TForm form(nullptr);
    bool visibleInOnShow = true;
    int shows = 0, hides = 0;
    form.OnShow = [&](TObject* sender) {
        EXPECT_EQ(sender, &form);
        visibleInOnShow = IsWindowVisible(form.Handle()) != FALSE;
        ++shows;
    };
    form.OnHide = [&](TObject*) { ++hides; };
    form.Show();
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(visibleInOnShow);
    EXPECT_TRUE(IsWindowVisible(form.Handle()));
    EXPECT_TRUE(form.Showing());
    form.Hide();
    EXPECT_EQ(hides, 1);
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

// A form whose timer plays the user: after a few ticks it sets a result or closes the form.
struct ModalScript {
    TForm form{nullptr};
    TTimer timer{&form};
    int ticks = 0;
    std::function<void()> action;
    ModalScript() {
        timer.SetInterval(20);
        timer.OnTimer = [this](TObject*) {
            if (++ticks == 3 && action)
                action();
        };
    }
};

TEST(Form, ShowModalReturnsTheModalResultAHandlerSets) {
    TForm other(nullptr);
    other.Show();
    ModalScript script;
    bool otherDisabled = false;
    script.action = [&] {
        otherDisabled = !IsWindowEnabled(other.Handle());
        script.form.SetModalResult(mrYes);
    };
    EXPECT_EQ(script.form.ShowModal(), mrYes);
    EXPECT_TRUE(otherDisabled);
    EXPECT_TRUE(IsWindowEnabled(other.Handle()));
    EXPECT_FALSE(script.form.Visible());
    EXPECT_FALSE(script.form.FormState() & fsModal);
}

TEST(Form, CloseEndsAModalLoopWithCancelUnlessCloseQueryRefuses) {
    ModalScript script;
    script.action = [&] { script.form.Close(); };
    EXPECT_EQ(script.form.ShowModal(), mrCancel);

    ModalScript refusing;
    int asked = 0;
    refusing.form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
    refusing.action = [&] { refusing.form.SetModalResult(mrOk); };
    refusing.timer.OnTimer = [&](TObject*) {
        if (++refusing.ticks % 3 == 0)
            refusing.form.SetModalResult(mrOk);
    };
    EXPECT_EQ(refusing.form.ShowModal(), mrOk);
    EXPECT_EQ(asked, 2);
}

TEST(Form, ShowModalOnAVisibleFormIsRefused) {
    TForm form(nullptr);
    form.Show();
    EXPECT_THROW(form.ShowModal(), EInvalidOperation);
}

TEST(Form, CloseHidesAFormThatIsNotTheMainFormAndOnCloseMayChooseOtherwise) {
    TForm form(nullptr);
    form.Show();
    TCloseAction chosen = caNone;
    form.OnClose = [&](TObject*, TCloseAction& action) {
        EXPECT_EQ(action, caHide);
        action = chosen;
    };
    form.Close();
    EXPECT_TRUE(form.Visible());
    chosen = caHide;
    form.Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(Form, ReleaseFreesTheFormAfterPendingMessages) {
    auto* form = new TForm(nullptr);
    auto* label = new TLabel(form);
    label->SetParent(form);
    HWND window = form->Handle();
    form->Release();
    EXPECT_TRUE(IsWindow(window));
    PumpMessages(20);
    EXPECT_FALSE(IsWindow(window));
}

TEST(Form, GetParentFormFindsTheNearestFormIncludingTheControlItself) {
    TForm form(nullptr);
    auto* panel = new TWinControl(&form);
    panel->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetParent(panel);
    TLabel loose(nullptr);
    EXPECT_EQ(GetParentForm(label), &form);
    EXPECT_EQ(GetParentForm(panel), &form);
    EXPECT_EQ(GetParentForm(&form), &form);
    EXPECT_EQ(GetParentForm(&loose), nullptr);
    EXPECT_EQ(GetParentForm(nullptr), nullptr);
}

} // namespace
