#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormText.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/Published.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Menus.h"
#include "tests/support/WinMenus.h"
#include "tests/support/WinTestForm.h"

namespace {

std::string Text(const TPoint& p) {
    return std::to_string(p.x) + "," + std::to_string(p.y);
}

// A shown form with a windowed and a windowless control side by side, and a menu of two
// commands.
struct MenuScene {
    ShownForm form{300, 200};
    TWinControl* windowed = new TWinControl(form.form.get());
    TControl* windowless = new TControl(form.form.get());
    TPopupMenu* menu = new TPopupMenu(form.form.get());
    EventLog log;

    MenuScene() {
        windowed->SetParent(form.form.get());
        windowed->SetBounds(10, 10, 100, 60);
        windowless->SetParent(form.form.get());
        windowless->SetBounds(150, 10, 100, 60);
        for (const char* caption : {"&Copy", "&Reset"}) {
            auto* item = new TMenuItem(form.form.get());
            item->SetCaption(caption);
            item->OnClick = [this, caption](TObject*) { log.Add(caption); };
            menu->Items()->Add(item);
        }
        PumpMessages(30);
    }
    // The centre of a control in the form's client coordinates.
    static TPoint Centre(TControl* control) {
        return TPoint(control->Left() + control->Width() / 2,
                      control->Top() + control->Height() / 2);
    }
    void RightClick(TControl* control) {
        const TPoint at = Centre(control);
        ClickMouse(form.Handle(), at.x, at.y, mbRight);
    }
};

TEST(PopupMenus, ARightClickOpensTheMenuAtThePointerAndTheClickedItemRunsItsHandler) {
    MenuScene scene;
    for (TControl* target : {static_cast<TControl*>(scene.windowed), scene.windowless}) {
        SCOPED_TRACE(target == scene.windowed ? "windowed" : "windowless");
        scene.log.entries.clear();
        target->SetPopupMenu(scene.menu);
        PopupMenuDriver driver(
            [](HWND window, HMENU menu) { ClickMenuItemFromAnyThread(window, menu, 1); });
        scene.RightClick(target);
        EXPECT_TRUE(PumpUntil([&] { return !scene.log.entries.empty(); }));
        ASSERT_TRUE(driver.Appeared());
        EXPECT_EQ(scene.log.Joined(), "&Reset");
        EXPECT_EQ(scene.menu->PopupComponent(), target);
        const TPoint pointer = scene.form->ClientToScreen(MenuScene::Centre(target));
        EXPECT_EQ(driver.MenuRect().left, pointer.x);
        EXPECT_EQ(driver.MenuRect().top, pointer.y);
        target->SetPopupMenu(nullptr);
    }
}

TEST(PopupMenus, ShiftF10AndTheMenuKeyOpenTheFocusedControlsMenuAtItsCorner) {
    MenuScene scene;
    scene.windowed->SetPopupMenu(scene.menu);
    scene.windowed->OnContextPopup = [&](TObject*, TPoint pos, bool&) {
        scene.log.Add("popup at " + Text(pos));
    };
    scene.windowed->SetFocus();
    const TPoint corner = scene.windowed->ClientToScreen(TPoint(0, 0));
    for (bool shiftF10 : {true, false}) {
        SCOPED_TRACE(shiftF10 ? "Shift+F10" : "menu key");
        scene.log.entries.clear();
        PopupMenuDriver driver([](HWND, HMENU) { TapKeyFromAnyThread(VK_ESCAPE); });
        if (shiftF10) {
            PressKey(VK_SHIFT);
            TapKey(VK_F10);
            ReleaseKey(VK_SHIFT);
        } else {
            TapKey(VK_APPS);
        }
        PumpUntil([&] { return driver.Appeared() && !VisiblePopupMenu(); });
        ASSERT_TRUE(driver.Appeared());
        EXPECT_EQ(driver.MenuRect().left, corner.x);
        EXPECT_EQ(driver.MenuRect().top, corner.y);
        EXPECT_EQ(scene.log.Joined(), "popup at -1,-1") << "Escape chooses nothing";
    }
}

TEST(PopupMenus, AContextPopupHandlerThatTakesTheRequestKeepsTheMenuAway) {
    MenuScene scene;
    for (TControl* target : {static_cast<TControl*>(scene.windowed), scene.windowless}) {
        SCOPED_TRACE(target == scene.windowed ? "windowed" : "windowless");
        scene.log.entries.clear();
        target->SetPopupMenu(scene.menu);
        target->OnContextPopup = [&](TObject* sender, TPoint pos, bool& handled) {
            scene.log.Add((sender == target ? "target at " : "other at ") + Text(pos));
            handled = true;
        };
        PopupMenuDriver driver([](HWND, HMENU) { TapKeyFromAnyThread(VK_ESCAPE); }, 400);
        scene.RightClick(target);
        PumpMessages(500);
        EXPECT_FALSE(driver.Appeared());
        EXPECT_EQ(scene.log.Joined(), "target at 50,30") << "client coordinates";
        target->OnContextPopup = nullptr;
        target->SetPopupMenu(nullptr);
    }
}

TEST(PopupMenus, TheMenuShowsSeparatorsSubMenusStatesAndShortcutsAndLeavesHiddenItemsOut) {
    MenuScene scene;
    TForm* owner = scene.form.form.get();
    auto add = [&](TMenuItem* parent, const char* caption) {
        auto* item = new TMenuItem(owner);
        item->SetCaption(caption);
        parent->Add(item);
        return item;
    };
    TMenuItem* root = scene.menu->Items();
    root->Items(0)->SetShortCut(ShortCut('C', ssCtrl));
    add(root, "-");
    TMenuItem* more = add(root, "&More");
    add(more, "Deep")->SetChecked(true);
    add(more, "Off")->SetEnabled(false);
    add(root, "Hidden")->SetVisible(false);
    add(root, "&Last")->SetShortCut(ShortCut(VK_DELETE, ssShift | ssAlt));
    scene.windowed->SetPopupMenu(scene.menu);

    struct Entry {
        std::string text;
        UINT state;
        int subItems;
    };
    std::vector<Entry> seen;
    PopupMenuDriver driver([&](HWND, HMENU menu) {
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char text[64] = {};
            GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof(text), MF_BYPOSITION);
            HMENU sub = GetSubMenu(menu, i);
            seen.push_back({text, GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION),
                            sub ? GetMenuItemCount(sub) : -1});
            if (sub)
                for (int j = 0; j < GetMenuItemCount(sub); ++j) {
                    GetMenuStringA(sub, static_cast<UINT>(j), text, sizeof(text), MF_BYPOSITION);
                    seen.push_back({std::string("  ") + text,
                                    GetMenuState(sub, static_cast<UINT>(j), MF_BYPOSITION), -1});
                }
        }
        TapKeyFromAnyThread(VK_ESCAPE);
    });
    scene.RightClick(scene.windowed);
    PumpUntil([&] { return driver.Appeared() && !VisiblePopupMenu(); });
    ASSERT_TRUE(driver.Appeared());

    const UINT kinds = MF_SEPARATOR | MF_GRAYED | MF_CHECKED;
    const std::vector<std::pair<std::string, UINT>> expected = {
        {"&Copy\tCtrl+C", 0},   {"&Reset", 0},        {"", MF_SEPARATOR},          {"&More", 0},
        {"  Deep", MF_CHECKED}, {"  Off", MF_GRAYED}, {"&Last\tShift+Alt+Del", 0},
    };
    ASSERT_EQ(seen.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(seen[i].text, expected[i].first) << i;
        // A separator reads as greyed too.
        const UINT mask = expected[i].second == MF_SEPARATOR ? MF_SEPARATOR : kinds;
        EXPECT_EQ(seen[i].state & mask, expected[i].second) << i;
    }
    EXPECT_EQ(seen[3].subItems, 2) << "a sub-menu";
    EXPECT_TRUE(scene.log.entries.empty());
}

TEST(PopupMenus, ADestroyedMenuIsNoLongerAnyControlsMenu) {
    MenuScene scene;
    scene.windowed->SetPopupMenu(scene.menu);
    scene.windowless->SetPopupMenu(scene.menu);
    delete scene.menu;
    EXPECT_EQ(scene.windowed->PopupMenu(), nullptr);
    EXPECT_EQ(scene.windowless->PopupMenu(), nullptr);

    PopupMenuDriver driver([](HWND, HMENU) { TapKeyFromAnyThread(VK_ESCAPE); }, 400);
    scene.RightClick(scene.windowed);
    scene.RightClick(scene.windowless);
    PumpMessages(500);
    EXPECT_FALSE(driver.Appeared());
}

// A form whose description holds a menu and an action list.
class TMenuForm : public TForm {
public:
    explicit TMenuForm(TComponent* owner = nullptr) : TForm(owner) {}
    std::vector<std::string> Calls;
    void CopyClick(TObject*) { Calls.push_back("CopyClick"); }
    void ResetExecute(TObject*) { Calls.push_back("ResetExecute"); }
};

void RegisterMenuForm() {
    RegisterFrameworkClasses();
    PublishedClass<TMenuForm>("TMenuForm", "TForm")
        .Handler("CopyClick", &TMenuForm::CopyClick)
        .Handler("ResetExecute", &TMenuForm::ResetExecute);
}

// The item refers to an action that comes later in the text.
const char* const kMenuDescription = R"(object MenuForm: TMenuForm
  object PopupMenu1: TPopupMenu
    Left = 16
    Top = 8
    object CopyItem: TMenuItem
      Caption = '&Copy'
      ShortCut = 16451
      OnClick = CopyClick
    end
    object Line1: TMenuItem
      Caption = '-'
    end
    object MoreItem: TMenuItem
      Caption = '&More'
      object DeepItem: TMenuItem
        Caption = 'Deep && deeper'
        Checked = True
        Enabled = False
      end
      object HiddenItem: TMenuItem
        Caption = 'Hidden'
        Visible = False
      end
    end
    object ResetItem: TMenuItem
      Action = ResetAction
    end
  end
  object ActionList1: TActionList
    Left = 48
    Top = 8
    object ResetAction: TAction
      Caption = 'Reset'
      Hint = 'Back to zero'
      OnExecute = ResetExecute
    end
  end
end
)";

template <class T> T* Find(TComponent* root, const char* name) {
    return dynamic_cast<T*>(root->FindComponent(name));
}

void ExpectMenuForm(TMenuForm& form) {
    auto* menu = Find<TPopupMenu>(&form, "PopupMenu1");
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->DesignInfo(), (8 << 16) | 16);
    TMenuItem* root = menu->Items();
    ASSERT_EQ(root->Count(), 4);
    EXPECT_EQ(root->Items(0)->ShortCut(), scCtrl | 'C');
    EXPECT_TRUE(root->Items(1)->IsLine());
    TMenuItem* more = root->Items(2);
    ASSERT_EQ(more->Count(), 2);
    EXPECT_EQ(more->Items(0)->Caption(), AnsiString("Deep && deeper"));
    EXPECT_TRUE(more->Items(0)->Checked());
    EXPECT_FALSE(more->Items(0)->Enabled());
    EXPECT_FALSE(more->Items(1)->Visible());
    EXPECT_EQ(more->Items(0)->GetParentComponent(), more);
    EXPECT_EQ(root->Items(0)->GetParentComponent(), menu);

    auto* list = Find<TActionList>(&form, "ActionList1");
    auto* action = Find<TAction>(&form, "ResetAction");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->ActionCount(), 1);
    EXPECT_EQ(list->Actions(0), action);
    EXPECT_EQ(action->Hint(), AnsiString("Back to zero"));
    TMenuItem* reset = root->Items(3);
    EXPECT_EQ(reset->Action(), action);
    EXPECT_EQ(reset->Caption(), AnsiString("Reset")) << "from the action";

    root->Items(0)->Click();
    reset->Click();
    EXPECT_EQ(form.Calls, (std::vector<std::string>{"CopyClick", "ResetExecute"}));
    form.Calls.clear();
}

TEST(MenuStreaming, ANestedMenuAndAnActionListAreReadWrittenAndReadAgain) {
    RegisterMenuForm();
    TMenuForm first;
    ReadForm(&first, kMenuDescription);
    ExpectMenuForm(first);

    const std::string written = WriteForm(&first);
    TMenuForm second;
    ReadForm(&second, written);
    ExpectMenuForm(second);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&first), WriteFormTree(&second)));
    // Nested as read: the deep item inside the item that holds it.
    const FormObject tree = WriteFormTree(&second);
    ASSERT_EQ(tree.Children.size(), 2u) << written;
    ASSERT_EQ(tree.Children[0].Children.size(), 4u) << written;
    EXPECT_EQ(tree.Children[0].Children[2].Children.size(), 2u) << written;
    EXPECT_NE(written.find("Action = ResetAction"), std::string::npos) << written;
}

TEST(MenuStreaming, AReferenceThatCannotBeResolvedIsAReadErrorThatLeavesNothingBehind) {
    RegisterMenuForm();
    struct Case {
        const char* from;
        const char* to;
        const char* message;
    };
    const Case cases[] = {
        {"Action = ResetAction", "Action = NoSuchAction",
         "Line 26: Error reading ResetItem.Action: Component NoSuchAction not found"},
        {"Action = ResetAction", "Action = CopyItem",
         "Line 26: Error reading ResetItem.Action: CopyItem is a TMenuItem, not a TAction"},
        {"Action = ResetAction", "Action = 'ResetAction'",
         "Line 26: Error reading ResetItem.Action: Expected the name of a component but found a "
         "string"},
        {"object ResetAction: TAction", "object ResetAction: TMenuItem",
         "Line 32: Error reading ResetAction: A menu item cannot be put in a TActionList"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.to);
        std::string text = kMenuDescription;
        text.replace(text.find(c.from), std::string(c.from).size(), c.to);
        TMenuForm form;
        try {
            ReadForm(&form, text);
            ADD_FAILURE() << "read";
        } catch (const EReadError& e) {
            EXPECT_EQ(e.Message.str(), c.message);
        }
        EXPECT_EQ(form.ComponentCount(), 0);
    }
}

} // namespace
