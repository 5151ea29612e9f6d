#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KxPackage/Source/KxButton.h"
#include "framework/streaming/Published.h"
#include "framework/ui/Form.h"
#include "framework/ui/Timer.h"
#include "tests/support/PublishedNames.h"
#include "tests/support/WinControlOnForm.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinScratchFolder.h"

namespace {

KxButton* SkinnedButton(TForm* form) {
    auto* button = new KxButton(form);
    button->SetParent(form);
    button->SetBounds(20, 20, 75, 27);
    SkinStates(button, 4);
    return button;
}

// A skinned four-state button on a shown form.
struct KxButtonOnForm : ControlOnForm<KxButton> {
    KxButton*& button = control;
    void SetUp() override {
        Place(20, 20, 75, 27);
        SkinStates(button, 4);
    }
};

// A press and release inside the button, as window messages.
void SendClick(KxButton* button) {
    SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
}

TEST(KxButton, ModalResultSixClosesAModalFormAfterOnClickHasSeenIt) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(100, 100, 200, 100);
    KxButton* button = SkinnedButton(&form);
    button->SetModalResult(mrYes);
    std::vector<std::string> seen;
    button->OnClick = [&](TObject*) {
        seen.push_back("click, form result " + std::to_string(form.ModalResult()) +
                       (form.Visible() ? ", shown" : ", hidden"));
    };
    // Waiting in the queue for the modal loop; a timer ends a loop that would not end.
    PostMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    PostMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    TTimer guard(nullptr);
    guard.SetInterval(3000);
    guard.OnTimer = [&](TObject*) { form.SetModalResult(mrAbort); };
    EXPECT_EQ(form.ShowModal(), mrYes);
    EXPECT_EQ(seen, std::vector<std::string>{"click, form result 6, shown"});
    EXPECT_FALSE(form.Visible());
}

TEST_F(KxButtonOnForm, EveryClickHandsItsModalResultToTheFormEvenZero) {
    struct Case {
        int buttonResult;
        int formBefore;
    } cases[] = {{0, mrCancel}, {mrYes, mrNone}, {mrNo, mrOk}};
    for (const Case& c : cases) {
        button->SetModalResult(c.buttonResult);
        form->SetModalResult(c.formBefore);
        SendClick(button);
        EXPECT_EQ(form->ModalResult(), c.buttonResult);
    }
    form->SetModalResult(mrNone);
}

TEST(KxButton, AButtonOnNoFormStillClicks) {
    ShownForm host;
    KxButton button(nullptr);
    button.SetParentWindow(host.Handle());
    button.SetBounds(10, 10, 75, 27);
    SkinStates(&button, 1);
    button.SetModalResult(mrOk);
    int clicks = 0;
    button.OnClick = [&](TObject*) { ++clicks; };
    SendClick(&button);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(host->ModalResult(), mrNone);
}

TEST_F(KxButtonOnForm, SpaceClicksAfterTheKeyPressHandlersUnlessTheyClearTheKey) {
    button->SetModalResult(mrOk);
    Focus();
    struct Case {
        bool clearKey;
        const char* expected;
    } cases[] = {{false, "keypress click@1"}, {true, "keypress"}};
    LogClicks([this] { return "click@" + std::to_string(Look()); });
    for (const Case& c : cases) {
        log.entries.clear();
        button->OnKeyPress = [&](TObject*, char& key) {
            log.Add("keypress");
            if (c.clearKey && key == ' ')
                key = 0;
        };
        form->SetModalResult(mrNone);
        TapKey(VK_SPACE);
        EXPECT_EQ(log.Joined(), c.expected);
        EXPECT_EQ(form->ModalResult(), c.clearKey ? mrNone : mrOk);
    }
    form->SetModalResult(mrNone);
}

TEST_F(KxButtonOnForm, QuickSecondClickIsASecondClickNeverADoubleClick) {
    LogClicks();
    LogDoubleClicks();
    MoveMouseTo(button->Handle(), 30, 10);
    PressMouse();
    ReleaseMouse();
    PressMouse();
    ReleaseMouse();
    EXPECT_EQ(log.Joined(), "click click");
    PumpMessages(static_cast<int>(GetDoubleClickTime()) + 50);
}

TEST(KxButton, LoadBitmapWithOnlyARaisedFileShowsItInEveryLook) {
    ScratchFolder folder("KxButtonTest");
    folder.AddSolidBitmap("raised.bmp", 75, 27, kStateColors[0]);
    ShownForm form;
    auto* button = new KxButton(form.form.get());
    button->SetParent(form.form.get());
    EXPECT_TRUE(button->LoadBitmap(folder.Path().c_str(), "raised.bmp", "", "", ""));
    EXPECT_EQ(button->Width(), 75);
    for (void (KxControl::*show)() : {&KxControl::ShowSunken, &KxControl::ShowFocused,
                                      &KxControl::ShowDisabled, &KxControl::ShowRaised}) {
        (button->*show)();
        EXPECT_EQ(ShownState(button), 0) << button->CurState();
    }
}

TEST(KxButton, PublishesItsPropertiesInTheDesignersOrderAndSitsOnItsPalettePage) {
    KxButton::Register();
    EXPECT_EQ(Joined(PublishedNames(ClassOf<KxButton>())),
              "Left Top Width Height Cursor Hint OnMouseEnter OnMouseLeave TransparentColor "
              "Transparent Appearance ModalResult ShowMouseOver Action Anchors DragCursor "
              "DragKind DragMode Enabled HelpContext ParentShowHint PopupMenu ShowHint TabOrder "
              "TabStop Visible OnClick OnContextPopup OnDragDrop OnDragOver OnEndDock OnEndDrag "
              "OnExit OnEnter OnKeyDown OnKeyUp OnKeyPress OnMouseMove OnMouseDown OnMouseUp "
              "OnStartDock OnStartDrag");
    EXPECT_TRUE(OnPalettePage("KxComponents", "KxButton"));
}

} // namespace
