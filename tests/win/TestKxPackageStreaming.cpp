#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "KxPackage/Source/KxBar.h"
#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxButtonTx.h"
#include "KxPackage/Source/KxCheckBox.h"
#include "KxPackage/Source/KxNumLED.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Form.h"
#include "framework/ui/SizeConstraints.h"
#include "framework/streaming/FormReader.h"
#include "framework/streaming/FormText.h"
#include "framework/streaming/FormWriter.h"
#include "framework/streaming/Published.h"
#include "tests/support/WinKxSkins.h"

namespace {

constexpr TColor kIndicatorColor = 0x2020E0;

class TPackageForm : public TForm {
public:
    explicit TPackageForm(TComponent* owner = nullptr) : TForm(owner) {}
    KxBrick* Brick = nullptr;
    KxBrickTx* Label = nullptr;
    KxCheckBox* Box = nullptr;
    KxCheckBox* Grayed = nullptr;
    KxBar* Bar = nullptr;
    std::vector<std::string> Calls;

    void BrickDblClick(TObject*) { Calls.push_back("BrickDblClick"); }
    void BoxClick(TObject*) { Calls.push_back("BoxClick"); }
    void BarScroll(TObject*, int& disp, bool) {
        Calls.push_back("BarScroll " + std::to_string(disp));
    }
    void BarIndicate(TObject*, int& disp) {
        Calls.push_back("BarIndicate " + std::to_string(disp));
    }
};

void RegisterPackageForm() {
    KxBrick::Register();
    KxBrickTx::Register();
    KxCheckBox::Register();
    KxBar::Register();
    PublishedClass<TPackageForm>("TPackageForm", "TForm")
        .Field("Brick", &TPackageForm::Brick)
        .Field("Label", &TPackageForm::Label)
        .Field("Box", &TPackageForm::Box)
        .Field("Grayed", &TPackageForm::Grayed)
        .Field("Bar", &TPackageForm::Bar)
        .Handler("BrickDblClick", &TPackageForm::BrickDblClick)
        .Handler("BoxClick", &TPackageForm::BoxClick)
        .Handler("BarScroll", &TPackageForm::BarScroll)
        .Handler("BarIndicate", &TPackageForm::BarIndicate);
}

std::string Bmp(int width, int height, TColor color) {
    return "{" + HexOf(CorneredBmpFile(width, height, color)) + "}";
}

// Every control of the package with non-default values in each of its own properties.
std::string Description() {
    return R"(object PackageForm: TPackageForm
  Left = 100
  Top = 100
  Width = 400
  Height = 300
  object Brick: KxBrick
    Left = 10
    Top = 10
    Width = 40
    Height = 20
    TransparentColor = 13946831
    Transparent = True
    Appearance.NormalBmp.Data = )" +
           Bmp(40, 20, kStateColors[0]) + R"(
    Appearance.FocusedBmp.Data = )" +
           Bmp(40, 20, kStateColors[1]) + R"(
    Appearance.DisabledBmp.Data = )" +
           Bmp(40, 20, kStateColors[2]) + R"(
    ShowMouseOver = False
    TabOrder = 0
    TabStop = True
    OnDblClick = BrickDblClick
  end
  object Label: KxBrickTx
    Left = 10
    Top = 40
    Width = 60
    Height = 24
    Appearance.NormalBmp.Data = )" +
           Bmp(60, 24, kStateColors[0]) + R"(
    TabOrder = 1
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clRed
    Font.Height = -14
    Font.Name = 'Arial'
    Font.Style = []
    Caption = 'Go'
    FontColors.Focused = clBlue
    FontColors.Disabled = clGreen
  end
  object Box: KxCheckBox
    Left = 10
    Top = 80
    Width = 16
    Height = 16
    Checked = True
    AllowGrayed = True
    State = cbChecked
    Appearance.Check.RaisedBmp.Data = )" +
           Bmp(16, 16, kStateColors[1]) + R"(
    Appearance.Uncheck.RaisedBmp.Data = )" +
           Bmp(16, 16, kStateColors[0]) + R"(
    Appearance.Gray.SunkenBmp.Data = )" +
           Bmp(16, 16, kStateColors[3]) + R"(
    ShowMouseOver = False
    ClicksDisabled = True
    TabOrder = 2
    OnClick = BoxClick
  end
  object Grayed: KxCheckBox
    Left = 40
    Top = 80
    Width = 16
    Height = 16
    State = cbGrayed
    TabOrder = 3
  end
  object Bar: KxBar
    Left = 10
    Top = 120
    Width = 30
    Height = 120
    Appearance.NormalBmp.Data = )" +
           Bmp(30, 120, kStateColors[2]) + R"(
    TabOrder = 4
    Indicator.Data = )" +
           Bmp(10, 6, kIndicatorColor) + R"(
    Length = 0
    Origin.X = 15
    Origin.Y = 8
    ScrollPos = 12
    Kind = sbVertical
    OnScroll = BarScroll
    OnIndicate = BarIndicate
  end
end
)";
}

TColor CentreOf(TBitmap* bitmap) {
    return PixelOf(bitmap, bitmap->Width() / 2, bitmap->Height() / 2);
}

// What the description above gives, property by property.
void ExpectPackage(TPackageForm& form) {
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
    RegisterPackageForm();
    TPackageForm first;
    ReadForm(&first, Description());
    ExpectPackage(first);

    const std::string written = WriteForm(&first);
    TPackageForm second;
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
    RegisterPackageForm();
    struct Case {
        const char* length; // the line in the description, "" for none
        int read;
        const char* written;
    };
    const Case cases[] = {
        {"", 20, ""},
        {"Length = 20", 20, ""},
        {"Length = 0", 0, "Length = 0"},
        {"Length = 35", 35, "Length = 35"},
        {"Length = -4", -4, "Length = -4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text = std::string(R"(object PackageForm: TPackageForm
  object Bar: KxBar
    )") + c.length + R"(
  end
end
)";
        TPackageForm form;
        ReadForm(&form, text);
        EXPECT_EQ(form.Bar->GetLength(), c.read);

        const std::string written = WriteForm(&form);
        if (*c.written) {
            EXPECT_NE(written.find(c.written), std::string::npos) << written;
        } else {
            EXPECT_EQ(written.find("Length"), std::string::npos) << written;
        }
        TPackageForm again;
        ReadForm(&again, written);
        EXPECT_EQ(again.Bar->GetLength(), c.read);
    }
}

TEST(KxPackageStreaming, ABarWithEveryPlacingSettingAtItsDefaultIsPlacedOnceReadWithoutEvents) {
    RegisterPackageForm();
    const std::string text = R"(object PackageForm: TPackageForm
  object Bar: KxBar
    Indicator.Data = )" + Bmp(10, 6, kIndicatorColor) +
                             R"(
    OnIndicate = BarIndicate
  end
end
)";
    TPackageForm first;
    ReadForm(&first, text);
    const std::string written = WriteForm(&first);
    TPackageForm second;
    ReadForm(&second, written);

    for (TPackageForm* form : {&first, &second}) {
        ASSERT_NE(form->Bar, nullptr);
        EXPECT_EQ(form->Bar->IndicatorImage()->BoundsRect(), TRect(-5, -3, 5, 3)) << written;
        EXPECT_EQ(form->Calls, std::vector<std::string>{}) << "no event fires while reading";
    }
    EXPECT_EQ(written.find("Length"), std::string::npos) << written;
}

TEST(KxPackageStreaming, OwnPropertiesAreWrittenInPublishedOrder) {
    RegisterPackageForm();
    TPackageForm form;
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

TEST(KxPackageStreaming, EachControlSitsOnItsPalettePage) {
    RegisterPackageForm();
    const std::vector<std::string> plain = PaletteClasses("KxComponents");
    for (const char* name : {"KxBrick", "KxCheckBox", "KxBar"})
        EXPECT_NE(std::find(plain.begin(), plain.end(), name), plain.end()) << name;
    const std::vector<std::string> captioned = PaletteClasses("KxComponentsTx");
    EXPECT_NE(std::find(captioned.begin(), captioned.end(), "KxBrickTx"), captioned.end());
    EXPECT_EQ(std::find(plain.begin(), plain.end(), "KxBrickTx"), plain.end());
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
    RegisterPackageForm();
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
                                               "DragCursor = -18",
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
