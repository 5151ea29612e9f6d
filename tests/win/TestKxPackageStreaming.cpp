#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "framework/ui/ActnList.h"
#include "framework/ui/Menus.h"
#include "framework/graphics/Font.h"
#include "framework/ui/SizeConstraints.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormText.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/Published.h"
#include "tests/support/FormDescription.h"
#include "tests/support/PublishedNames.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinStreamedForm.h"

namespace {

constexpr TColor kIndicatorColor = 0x2020E0;

// Every control of the package with non-default values in each of its own properties.
std::string Description() {
    return FormDescription("PackageForm", "TStreamedForm")
        .Bounds(100, 100, 400, 300)
        .Add(FormDescription("Brick", "KxBrick")
                 .Bounds(10, 10, 40, 20)
                 .Set("TransparentColor", 13946831)
                 .Set("Transparent", "True")
                 .Data("Appearance.NormalBmp.Data", CorneredBmpFile(40, 20, kStateColors[0]))
                 .Data("Appearance.FocusedBmp.Data", CorneredBmpFile(40, 20, kStateColors[1]))
                 .Data("Appearance.DisabledBmp.Data", CorneredBmpFile(40, 20, kStateColors[2]))
                 .Set("ShowMouseOver", "False")
                 .Set("TabOrder", 0)
                 .Set("TabStop", "True")
                 .Set("OnDblClick", "BrickDblClick"))
        .Add(FormDescription("Label", "KxBrickTx")
                 .Bounds(10, 40, 60, 24)
                 .Data("Appearance.NormalBmp.Data", CorneredBmpFile(60, 24, kStateColors[0]))
                 .Set("TabOrder", 1)
                 .Set("Font.Charset", "DEFAULT_CHARSET")
                 .Set("Font.Color", "clRed")
                 .Set("Font.Height", -14)
                 .Quoted("Font.Name", "Arial")
                 .Set("Font.Style", "[]")
                 .Quoted("Caption", "Go")
                 .Set("FontColors.Focused", "clBlue")
                 .Set("FontColors.Disabled", "clGreen"))
        .Add(
            FormDescription("Box", "KxCheckBox")
                .Bounds(10, 80, 16, 16)
                .Set("Checked", "True")
                .Set("AllowGrayed", "True")
                .Set("State", "cbChecked")
                .Data("Appearance.Check.RaisedBmp.Data", CorneredBmpFile(16, 16, kStateColors[1]))
                .Data("Appearance.Uncheck.RaisedBmp.Data", CorneredBmpFile(16, 16, kStateColors[0]))
                .Data("Appearance.Gray.SunkenBmp.Data", CorneredBmpFile(16, 16, kStateColors[3]))
                .Set("ShowMouseOver", "False")
                .Set("ClicksDisabled", "True")
                .Set("TabOrder", 2)
                .Set("OnClick", "BoxClick"))
        .Add(FormDescription("Grayed", "KxCheckBox")
                 .Bounds(40, 80, 16, 16)
                 .Set("State", "cbGrayed")
                 .Set("TabOrder", 3))
        .Add(FormDescription("Bar", "KxBar")
                 .Bounds(10, 120, 30, 120)
                 .Data("Appearance.NormalBmp.Data", CorneredBmpFile(30, 120, kStateColors[2]))
                 .Set("TabOrder", 4)
                 .Data("Indicator.Data", CorneredBmpFile(10, 6, kIndicatorColor))
                 .Set("Length", 0)
                 .Set("Origin.X", 15)
                 .Set("Origin.Y", 8)
                 .Set("ScrollPos", 12)
                 .Set("Kind", "sbVertical")
                 .Set("OnScroll", "BarScroll")
                 .Set("OnIndicate", "BarIndicate"));
}

// A form holding one bar with the given property lines.
std::string BarDescription(FormDescription bar) {
    return FormDescription("PackageForm", "TStreamedForm").Add(bar);
}

// What the description above gives, property by property.
void ExpectPackage(TStreamedForm& form) {
    ASSERT_NE(form.Brick, nullptr);
    KxBrick& brick = *form.Brick;
    EXPECT_EQ(brick.BoundsRect(), TRect(10, 10, 50, 30));
    EXPECT_EQ(brick.GetTransparentColor(), 13946831);
    EXPECT_TRUE(brick.GetTransparent());
    EXPECT_FALSE(brick.IsInside(0, 0)) << "cut with the streamed colour";
    for (int state = 0; state < 3; ++state)
        EXPECT_EQ(CentreOf(brick.StateBitmap(state)), kStateColors[state]) << state;
    EXPECT_FALSE(brick.GetShowMouseOver());
    EXPECT_TRUE(brick.TabStop());
    EXPECT_TRUE(brick.GetClicksDisabled());

    ASSERT_NE(form.Label, nullptr);
    KxBrickTx& label = *form.Label;
    EXPECT_EQ(label.GetText(), AnsiString("Go"));
    EXPECT_EQ(label.Font()->Color(), clRed);
    EXPECT_EQ(label.Font()->Height(), -14);
    EXPECT_EQ(label.GetFontColors()->GetFocused(), clBlue);
    EXPECT_EQ(label.GetFontColors()->GetDisabled(), clGreen);
    EXPECT_EQ(label.TextRect(), TRect(0, 0, 60, 24));
    EXPECT_GT(CountOf(label.StateBitmap(0), TRect(0, 0, 60, 24), kStateColors[0]), 0);
    EXPECT_GT(CaptionMask(&label, kStateColors[0], 60, 24).Count(), 10) << "captioned";

    ASSERT_NE(form.Box, nullptr);
    KxCheckBox& box = *form.Box;
    EXPECT_EQ(box.GetState(), cbChecked);
    EXPECT_TRUE(box.GetAllowGrayed());
    EXPECT_FALSE(box.GetShowMouseOver());
    EXPECT_TRUE(box.GetClicksDisabled());
    EXPECT_EQ(CentreOf(box.StateBitmap(4)), kStateColors[1]);
    EXPECT_EQ(CentreOf(box.StateBitmap(0)), kStateColors[0]);
    EXPECT_EQ(CentreOf(box.StateBitmap(9)), kStateColors[3]);
    for (int state : {1, 2, 3, 5, 6, 7, 8, 10, 11})
        EXPECT_TRUE(box.IsStateEmpty(state)) << state;
    EXPECT_EQ(ShownState(&box), 1) << "the checked raised bitmap (test colour 1)";
    ASSERT_NE(form.Grayed, nullptr);
    EXPECT_EQ(form.Grayed->GetState(), cbGrayed);

    ASSERT_NE(form.Bar, nullptr);
    KxBar& bar = *form.Bar;
    EXPECT_EQ(bar.GetLength(), 0);
    EXPECT_EQ(bar.GetOrigin()->GetX(), 15);
    EXPECT_EQ(bar.GetOrigin()->GetY(), 8);
    EXPECT_EQ(bar.GetScrollPos(), 12);
    EXPECT_EQ(bar.GetKind(), sbVertical);
    EXPECT_EQ(CentreOf(bar.GetIndicator()), kIndicatorColor);
    EXPECT_EQ(bar.IndicatorImage()->BoundsRect(), TRect(10, 17, 20, 23));
    EXPECT_TRUE(bar.OnScroll);
    EXPECT_TRUE(bar.OnIndicate);

    EXPECT_EQ(form.Calls, std::vector<std::string>{}) << "no event fires while reading";
}

TEST(KxPackageStreaming, EachControlIsReadWrittenAndReadAgainToTheSameProperties) {
    RegisterStreamedForm();
    TStreamedForm first;
    ReadForm(&first, Description());
    ExpectPackage(first);

    const std::string written = WriteForm(&first);
    TStreamedForm second;
    ReadForm(&second, written);
    ExpectPackage(second);
    EXPECT_TRUE(SameFormTree(WriteFormTree(&first), WriteFormTree(&second)));
    // Only the form's own properties may differ from what was read.
    const FormObject tree = WriteFormTree(&first);
    const FormObject source = ParseFormText(Description());
    ASSERT_EQ(tree.Children.size(), source.Children.size()) << "the indicator image is not written";
    for (size_t i = 0; i < tree.Children.size(); ++i)
        EXPECT_TRUE(SameFormTree(tree.Children[i], source.Children[i])) << written;

    // The events are bound to the form's handlers.
    second.Bar->SetScrollPos(3);
    second.Brick->OnDblClick(second.Brick);
    EXPECT_EQ(second.Calls, (std::vector<std::string>{"BarIndicate 8", "BrickDblClick"}));
}

TEST(KxPackageStreaming, TheBarsLengthIsLeftOutOnlyAtTheConstructorsTwenty) {
    RegisterStreamedForm();
    struct Case {
        const char* length; // the value in the description, "" for none
        int read;
        const char* written;
    };
    const Case cases[] = {
        {"", 20, ""},
        {"20", 20, ""},
        {"0", 0, "Length = 0"},
        {"35", 35, "Length = 35"},
        {"-4", -4, "Length = -4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        FormDescription bar("Bar", "KxBar");
        if (*c.length)
            bar.Set("Length", c.length);
        const std::string text = BarDescription(bar);
        TStreamedForm form;
        ReadForm(&form, text);
        EXPECT_EQ(form.Bar->GetLength(), c.read);

        const std::string written = WriteForm(&form);
        if (*c.written) {
            EXPECT_NE(written.find(c.written), std::string::npos) << written;
        } else {
            EXPECT_EQ(written.find("Length"), std::string::npos) << written;
        }
        TStreamedForm again;
        ReadForm(&again, written);
        EXPECT_EQ(again.Bar->GetLength(), c.read);
    }
}

TEST(KxPackageStreaming, ABarWithEveryPlacingSettingAtItsDefaultIsPlacedOnceReadWithoutEvents) {
    RegisterStreamedForm();
    const std::string text =
        BarDescription(FormDescription("Bar", "KxBar")
                           .Data("Indicator.Data", CorneredBmpFile(10, 6, kIndicatorColor))
                           .Set("OnIndicate", "BarIndicate"));
    TStreamedForm first;
    ReadForm(&first, text);
    const std::string written = WriteForm(&first);
    TStreamedForm second;
    ReadForm(&second, written);

    for (TStreamedForm* form : {&first, &second}) {
        ASSERT_NE(form->Bar, nullptr);
        EXPECT_EQ(form->Bar->IndicatorImage()->BoundsRect(), TRect(-5, -3, 5, 3)) << written;
        EXPECT_EQ(form->Calls, std::vector<std::string>{}) << "no event fires while reading";
    }
    EXPECT_EQ(written.find("Length"), std::string::npos) << written;
}

TEST(KxPackageStreaming, OwnPropertiesAreWrittenInPublishedOrder) {
    RegisterStreamedForm();
    TStreamedForm form;
    ReadForm(&form, Description());
    const std::string written = WriteForm(&form);
    const std::vector<std::vector<const char*>> orders = {
        {"object Brick", "Appearance.NormalBmp.Data", "Appearance.FocusedBmp.Data",
         "Appearance.DisabledBmp.Data", "ShowMouseOver = False", "TabStop = True",
         "OnDblClick = BrickDblClick", "object Label"},
        {"object Label", "Font.", "Caption = 'Go'", "FontColors.Focused", "FontColors.Disabled",
         "object Box"},
        {"object Box", "Checked = True", "AllowGrayed = True", "State = cbChecked",
         "Appearance.Check.RaisedBmp.Data", "Appearance.Uncheck.RaisedBmp.Data",
         "Appearance.Gray.SunkenBmp.Data", "ShowMouseOver = False", "ClicksDisabled = True",
         "OnClick = BoxClick", "object Grayed"},
        {"object Bar", "Indicator.Data", "Length = 0", "Origin.X = 15", "Origin.Y = 8",
         "ScrollPos = 12", "Kind = sbVertical", "OnScroll = BarScroll", "OnIndicate = BarIndicate"},
    };
    for (const auto& order : orders) {
        SCOPED_TRACE(order.front());
        std::vector<size_t> at;
        size_t from = 0;
        for (const char* text : order) {
            at.push_back(written.find(text, from));
            ASSERT_NE(at.back(), std::string::npos) << text << "\n" << written;
            from = at.back();
        }
        EXPECT_TRUE(std::is_sorted(at.begin(), at.end()));
    }
    for (const char* absent : {"Checked = False", "ClicksDisabled = False", "Kind = sbHorizontal"})
        EXPECT_EQ(written.find(absent), std::string::npos) << absent;
}

TEST(KxPackageStreaming, EachControlReadsAndWritesItsActionPopupMenuAndContextPopupEvent) {
    RegisterStreamedForm();
    struct Case {
        const char* className;
        bool publishesAction; // the numeric display has no action
    };
    const Case cases[] = {{"KxButton", true},  {"KxButtonTx", true}, {"KxBrick", true},
                          {"KxBrickTx", true}, {"KxBar", true},      {"KxCheckBox", true},
                          {"KxNumLed", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.className);
        // The references point forward, past the target, to the menu and the action.
        const std::string text = std::string(R"(object PackageForm: TStreamedForm
  object Target: )") + c.className +
                                 "\n" + (c.publishesAction ? "    Action = Act\n" : "") +
                                 R"(    PopupMenu = Menu
    OnContextPopup = TargetContextPopup
  end
  object Menu: TPopupMenu
    object Item: TMenuItem
      Caption = 'Item'
    end
  end
  object Actions: TActionList
    object Act: TAction
      Caption = 'Act'
      Hint = 'Acts'
    end
  end
end
)";
        TStreamedForm first;
        ReadForm(&first, text);
        const std::string written = WriteForm(&first);
        TStreamedForm second;
        ReadForm(&second, written);
        EXPECT_TRUE(SameFormTree(WriteFormTree(&first), WriteFormTree(&second))) << written;

        for (TStreamedForm* form : {&first, &second}) {
            auto* target = dynamic_cast<TControl*>(form->FindComponent("Target"));
            ASSERT_NE(target, nullptr);
            EXPECT_EQ(target->PopupMenu(), form->FindComponent("Menu"));
            if (c.publishesAction) {
                EXPECT_EQ(target->Action(), form->FindComponent("Act"));
                EXPECT_EQ(target->Hint(), AnsiString("Acts"));
            }
            ASSERT_TRUE(target->OnContextPopup);
            bool handled = false;
            target->OnContextPopup(target, TPoint(7, 1), handled);
        }
        EXPECT_EQ(second.Calls, std::vector<std::string>{"TargetContextPopup 7"});
        // In published order: Action first, PopupMenu among the properties, the event after
        // OnClick's place.
        const size_t action = written.find("Action = Act");
        const size_t menu = written.find("PopupMenu = Menu");
        const size_t popup = written.find("OnContextPopup = TargetContextPopup");
        ASSERT_NE(menu, std::string::npos) << written;
        ASSERT_NE(popup, std::string::npos) << written;
        EXPECT_LT(menu, popup);
        if (c.publishesAction)
            EXPECT_LT(action, menu) << written;
        else
            EXPECT_EQ(action, std::string::npos) << written;
    }
}

TEST(KxPackageStreaming, EachControlSitsOnItsPalettePage) {
    RegisterStreamedForm();
    for (const char* name : {"KxBrick", "KxCheckBox", "KxBar", "KxNumLed"})
        EXPECT_TRUE(OnPalettePage("KxComponents", name)) << name;
    EXPECT_TRUE(OnPalettePage("KxComponentsTx", "KxBrickTx"));
    EXPECT_FALSE(OnPalettePage("KxComponents", "KxBrickTx"));
}

// The lines of a written object block that set one of the given properties, in order.
std::vector<std::string> LinesOf(const std::string& written, const std::string& object,
                                 const std::vector<std::string>& names) {
    std::vector<std::string> lines;
    std::istringstream in(written.substr(written.find("object " + object)));
    std::string line;
    std::getline(in, line);
    while (std::getline(in, line)) {
        line.erase(0, line.find_first_not_of(' '));
        if (line == "end")
            break;
        for (const std::string& name : names)
            if (line.compare(0, name.size() + 2, name + " =") == 0)
                lines.push_back(line);
    }
    return lines;
}

TEST(KxPackageStreaming, HintCursorAndHelpPropertiesOfEachControlAreReadAndWrittenBack) {
    RegisterStreamedForm();
    KxButton::Register();
    KxButtonTx::Register();
    KxNumLed::Register();
    struct Case {
        const char* name;
        const char* formLine;           // the form's own line, "" for none
        std::vector<std::string> lines; // the control's, as read
        TCursor cursor;
        const char* hint;
        int helpContext;
        bool showHint;
        bool parentShowHint;
        std::vector<std::string> written; // the control's lines of these properties
    };
    const std::vector<std::string> all = {"Cursor = crHandPoint",   "Hint = 'Press here'",
                                          "Enabled = False",        "HelpContext = 42",
                                          "ParentShowHint = False", "ShowHint = True"};
    const Case cases[] = {
        {"defaults", "", {}, crDefault, "", 0, false, true, {}},
        {"every one set", "", all, crHandPoint, "Press here", 42, true, false, all},
        {"the shared value is written as crSizeAll",
         "",
         {"Cursor = crSize"},
         crSizeAll,
         "",
         0,
         false,
         true,
         {"Cursor = crSizeAll"}},
        {"a cursor without a name", "", {"Cursor = 7"}, 7, "", 0, false, true, {"Cursor = 7"}},
        {"following the form", "ShowHint = True", {}, crDefault, "", 0, true, true, {}},
        {"apart from the form, the same value",
         "ShowHint = True",
         {"ParentShowHint = False"},
         crDefault,
         "",
         0,
         true,
         false,
         {"ParentShowHint = False"}},
        {"apart from the form, another value",
         "ShowHint = True",
         {"ParentShowHint = False", "ShowHint = False"},
         crDefault,
         "",
         0,
         false,
         false,
         {"ParentShowHint = False", "ShowHint = False"}},
    };
    const std::vector<std::string> names = {"Cursor",      "Hint",           "Enabled",
                                            "HelpContext", "ParentShowHint", "ShowHint"};
    for (const char* className :
         {"KxButton", "KxButtonTx", "KxBrick", "KxBrickTx", "KxBar", "KxCheckBox", "KxNumLed"}) {
        // The display publishes no HelpContext.
        const bool withHelp = std::string(className) != "KxNumLed";
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(className) + ": " + c.name);
            std::vector<std::string> lines = c.lines, expected = c.written;
            for (auto* list : {&lines, &expected})
                if (!withHelp)
                    list->erase(std::remove(list->begin(), list->end(), "HelpContext = 42"),
                                list->end());
            std::string text = "object PackageForm: TStreamedForm\n";
            if (*c.formLine)
                text += "  " + std::string(c.formLine) + "\n";
            text += "  object Subject: " + std::string(className) + "\n    Left = 5\n";
            for (const std::string& line : lines)
                text += "    " + line + "\n";
            text += "  end\nend\n";

            TStreamedForm first;
            ReadForm(&first, text);
            const std::string written = WriteForm(&first);
            TStreamedForm second;
            ReadForm(&second, written);
            for (TStreamedForm* form : {&first, &second}) {
                auto* control = dynamic_cast<TControl*>(form->FindComponent("Subject"));
                ASSERT_NE(control, nullptr);
                EXPECT_EQ(control->Cursor(), c.cursor);
                EXPECT_EQ(control->Hint(), AnsiString(c.hint));
                EXPECT_EQ(control->HelpContext(), withHelp ? c.helpContext : 0);
                EXPECT_EQ(control->ShowHint(), c.showHint);
                EXPECT_EQ(control->ParentShowHint(), c.parentShowHint);
            }
            EXPECT_EQ(LinesOf(written, "Subject", names), expected) << written;
            EXPECT_TRUE(SameFormTree(WriteFormTree(&first), WriteFormTree(&second)));
        }
    }
}

// A form whose handlers fit every drag and dock event.
class TLayoutForm : public TForm {
public:
    explicit TLayoutForm(TComponent* owner = nullptr) : TForm(owner) {}
    std::vector<std::string> Calls;
    void ControlDragDrop(TObject*, TObject*, int, int) { Calls.push_back("drop"); }
    void ControlDragOver(TObject*, TObject*, int, int, TDragState, bool&) {
        Calls.push_back("over");
    }
    void ControlEndDrag(TObject*, TObject*, int, int) { Calls.push_back("end"); }
    void ControlStartDock(TObject*, TDragDockObject*&) { Calls.push_back("startdock"); }
    void ControlStartDrag(TObject*, TDragObject*&) { Calls.push_back("startdrag"); }
};

TEST(KxPackageStreaming, AnchorsConstraintsAndDragSettingsOfEachControlRoundTrip) {
    RegisterStreamedForm();
    KxButton::Register();
    KxButtonTx::Register();
    KxNumLed::Register();
    PublishedClass<TLayoutForm>("TLayoutForm", "TForm")
        .Handler("ControlDragDrop", &TLayoutForm::ControlDragDrop)
        .Handler("ControlDragOver", &TLayoutForm::ControlDragOver)
        .Handler("ControlEndDrag", &TLayoutForm::ControlEndDrag)
        .Handler("ControlStartDock", &TLayoutForm::ControlStartDock)
        .Handler("ControlStartDrag", &TLayoutForm::ControlStartDrag);
    // In published order; only the numeric display publishes its constraints.
    const std::vector<std::string> settings = {"Anchors = [akTop, akRight, akBottom]",
                                               "Constraints.MaxWidth = 300",
                                               "Constraints.MinHeight = 12",
                                               "DragCursor = crNo",
                                               "DragKind = dkDock",
                                               "DragMode = dmAutomatic",
                                               "OnDragDrop = ControlDragDrop",
                                               "OnDragOver = ControlDragOver",
                                               "OnEndDock = ControlEndDrag",
                                               "OnEndDrag = ControlEndDrag",
                                               "OnStartDock = ControlStartDock",
                                               "OnStartDrag = ControlStartDrag"};
    for (const char* className :
         {"KxButton", "KxButtonTx", "KxBrick", "KxBrickTx", "KxBar", "KxCheckBox", "KxNumLed"}) {
        SCOPED_TRACE(className);
        const bool constrained = std::string(className) == "KxNumLed";
        std::string text =
            std::string("object LayoutForm: TLayoutForm\n  object Control: ") + className + "\n";
        for (const std::string& line : settings)
            if (constrained || line.find("Constraints") == std::string::npos)
                text += "    " + line + "\n";
        text += "  end\nend\n";

        TLayoutForm first;
        ReadForm(&first, text);
        auto* control = dynamic_cast<TControl*>(first.FindComponent("Control"));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Anchors(), akTop | akRight | akBottom);
        EXPECT_EQ(control->DragCursor(), crNo);
        EXPECT_EQ(control->DragKind(), dkDock);
        EXPECT_EQ(control->DragMode(), dmAutomatic);
        EXPECT_EQ(control->Constraints()->MaxWidth(), constrained ? 300 : 0);
        EXPECT_EQ(control->Constraints()->MinHeight(), constrained ? 12 : 0);
        TDragObject* object = nullptr;
        TDragDockObject* dockObject = nullptr;
        bool accept = false;
        control->OnStartDrag(control, object);
        control->OnStartDock(control, dockObject);
        control->OnDragOver(control, control, 0, 0, dsDragMove, accept);
        control->OnDragDrop(control, control, 0, 0);
        control->OnEndDrag(control, nullptr, 0, 0);
        control->OnEndDock(control, nullptr, 0, 0);
        EXPECT_EQ(first.Calls, (std::vector<std::string>{"startdrag", "startdock", "over", "drop",
                                                         "end", "end"}));

        const std::string written = WriteForm(&first);
        size_t from = 0;
        for (const std::string& line : settings) {
            if (!constrained && line.find("Constraints") != std::string::npos)
                continue;
            const size_t at = written.find(line, from);
            EXPECT_NE(at, std::string::npos) << line << "\n" << written;
            from = at == std::string::npos ? from : at;
        }
        TLayoutForm second;
        ReadForm(&second, written);
        EXPECT_TRUE(SameFormTree(WriteFormTree(&first), WriteFormTree(&second))) << written;

        // At their defaults, none of them is written.
        TLayoutForm plain;
        ReadForm(&plain, std::string("object LayoutForm: TLayoutForm\n  object Control: ") +
                             className + "\n  end\nend\n");
        const std::string bare = WriteForm(&plain);
        for (const char* absent : {"Anchors", "Constraints", "Drag", "Dock"})
            EXPECT_EQ(bare.find(absent), std::string::npos) << absent << "\n" << bare;
    }
}

} // namespace
