#include <gtest/gtest.h>

#include <string>

#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxButtonTx.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/Application.h"
#include "framework/ui/Menus.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinMenus.h"
#include "tests/support/WinTestForm.h"

namespace {

// A shown form with a text button and a text brick, both skinned, and an action in a list.
struct ActionScene {
    ShownForm form{300, 200};
    KxButtonTx* button = new KxButtonTx(form.form.get());
    KxBrickTx* brick = new KxBrickTx(form.form.get());
    TActionList* list = new TActionList(form.form.get());
    TAction* action = new TAction(form.form.get());
    EventLog log;

    ActionScene() {
        SkinStates(button, 4);
        SkinStates(brick, 3);
        button->SetParent(form.form.get());
        button->SetBounds(10, 10, 75, 27);
        brick->SetParent(form.form.get());
        brick->SetBounds(10, 60, 75, 27);
        action->SetActionList(list);
        action->OnExecute = [this](TObject* sender) {
            log.Add(sender == action ? "execute" : "execute from another");
        };
        PumpMessages(30);
    }
};

TEST(Actions, LinkedControlsAndMenuItemsFollowTheActionsCaptionStateAndHint) {
    ActionScene scene;
    auto* item = new TMenuItem(scene.form.form.get());
    scene.action->SetCaption("Go");
    scene.action->SetEnabled(false);
    scene.action->SetHint("Starts it");
    scene.button->SetAction(scene.action);
    scene.brick->SetAction(scene.action);
    item->SetAction(scene.action);

    auto expectState = [&](const char* caption, bool enabled, bool visible, const char* hint) {
        for (TControl* control :
             {static_cast<TControl*>(scene.button), static_cast<TControl*>(scene.brick)}) {
            EXPECT_EQ(control->Caption(), AnsiString(caption));
            EXPECT_EQ(control->Enabled(), enabled);
            EXPECT_EQ(control->Visible(), visible);
            EXPECT_EQ(control->Hint(), AnsiString(hint));
        }
        EXPECT_EQ(item->Caption(), AnsiString(caption));
        EXPECT_EQ(item->Enabled(), enabled);
        EXPECT_EQ(item->Visible(), visible);
    };
    {
        SCOPED_TRACE("when linked");
        expectState("Go", false, true, "Starts it");
        EXPECT_EQ(ShownState(scene.button), 3) << "the disabled look";
    }
    scene.action->SetEnabled(true);
    const PixelMask go = CaptionMask(scene.button, kStateColors[0], 75, 27);
    const PixelMask goBrick = CaptionMask(scene.brick, kStateColors[0], 75, 27);
    scene.action->SetCaption("Run");
    scene.action->SetHint("Runs it");
    {
        SCOPED_TRACE("after changes");
        expectState("Run", true, true, "Runs it");
        EXPECT_EQ(ShownState(scene.button), 0);
        EXPECT_GT(go.Count(), 10);
        EXPECT_FALSE(CaptionMask(scene.button, kStateColors[0], 75, 27) == go)
            << "the new caption is painted";
        EXPECT_FALSE(CaptionMask(scene.brick, kStateColors[0], 75, 27) == goBrick);
    }
    scene.action->SetVisible(false);
    {
        SCOPED_TRACE("hidden");
        expectState("Run", true, false, "Runs it");
        EXPECT_FALSE(IsWindowVisible(scene.button->Handle()));
    }
    // An unlinked control keeps what it has.
    scene.brick->SetAction(nullptr);
    scene.action->SetCaption("Stop");
    EXPECT_EQ(scene.brick->Caption(), AnsiString("Run"));
    EXPECT_EQ(scene.button->Caption(), AnsiString("Stop"));
}

TEST(Actions, AClickRunsTheActionUnlessTheControlHasAnOnClickOfItsOwn) {
    struct Case {
        const char* name;
        bool ownOnClick;
        bool actionEnabled;
        const char* log;
    };
    const Case cases[] = {
        {"action only", false, true, "execute"},
        {"own OnClick", true, true, "click"},
        {"disabled action", false, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ActionScene scene;
        scene.button->SetAction(scene.action);
        scene.action->SetEnabled(c.actionEnabled);
        if (c.ownOnClick)
            scene.button->OnClick = [&](TObject*) { scene.log.Add("click"); };
        ClickMouse(scene.form.Handle(), 40, 20);
        PumpMessages(30);
        EXPECT_EQ(scene.log.Joined(), c.log);
        // Programs run it as they like, too.
        scene.log.entries.clear();
        EXPECT_EQ(scene.action->Execute(), c.actionEnabled);
        EXPECT_EQ(scene.log.Joined(), c.actionEnabled ? "execute" : "");
    }
}

TEST(Actions, AMenuItemLinkedToTheActionRunsItWhenChosen) {
    ActionScene scene;
    scene.action->SetCaption("&Shared");
    auto* menu = new TPopupMenu(scene.form.form.get());
    auto* item = new TMenuItem(scene.form.form.get());
    item->SetAction(scene.action);
    menu->Items()->Add(item);
    scene.button->SetAction(scene.action);
    scene.button->SetPopupMenu(menu);

    PopupMenuDriver driver(
        [](HWND window, HMENU menu) { ClickMenuItemFromAnyThread(window, menu, 0); });
    ClickMouse(scene.form.Handle(), 40, 20, mbRight);
    EXPECT_TRUE(PumpUntil([&] { return !scene.log.entries.empty(); }));
    EXPECT_TRUE(driver.Appeared());
    EXPECT_EQ(scene.log.Joined(), "execute");
}

TEST(Actions, OnUpdateRunsOnlyWhenTheMessageQueueHasRunEmpty) {
    ActionScene scene;
    scene.button->SetAction(scene.action);
    bool wanted = false;
    int updates = 0;
    scene.action->OnUpdate = [&](TObject*) {
        ++updates;
        scene.action->SetEnabled(wanted);
    };
    Application->ProcessMessages();
    PostMessageA(scene.form.Handle(), WM_NULL, 0, 0);
    Application->HandleMessage();
    Application->ProcessMessages();
    EXPECT_EQ(updates, 0) << "messages were waiting each time";

    // A thread timer wakes the wait that follows the update.
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    for (int i = 0; i < 100 && updates == 0; ++i)
        Application->HandleMessage();
    KillTimer(nullptr, timer);
    Application->ProcessMessages();
    EXPECT_GT(updates, 0);
    EXPECT_FALSE(scene.button->Enabled()) << "the update reached the control";
}

TEST(Actions, ADestroyedActionLeavesItsControlsAndItemsUnlinked) {
    ActionScene scene;
    auto* item = new TMenuItem(scene.form.form.get());
    scene.action->SetCaption("Go");
    scene.button->SetAction(scene.action);
    item->SetAction(scene.action);
    delete scene.action;
    EXPECT_EQ(scene.button->Action(), nullptr);
    EXPECT_EQ(item->Action(), nullptr);
    EXPECT_EQ(scene.list->ActionCount(), 0);
    EXPECT_EQ(scene.button->Caption(), AnsiString("Go")) << "what it took stays";
    ClickMouse(scene.form.Handle(), 40, 20);
    item->Click();
    UpdateActions();
    EXPECT_TRUE(scene.log.entries.empty());

    // The other way round: a control that goes first leaves the action alone.
    auto* action = new TAction(scene.form.form.get());
    scene.button->SetAction(action);
    delete scene.button;
    action->SetCaption("Still here");
    EXPECT_EQ(action->Caption(), AnsiString("Still here"));
}

} // namespace
