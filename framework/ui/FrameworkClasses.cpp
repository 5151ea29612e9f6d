#include "framework/ui/FrameworkClasses.h"

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Control.h"
#include "framework/graphics/Font.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/Form.h"
#include "framework/ui/Hints.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Menus.h"
#include "framework/ui/SizeConstraints.h"
#include "framework/streaming/Published.h"
#include "framework/core/Stream.h"
#include "framework/ui/Timer.h"
#include "framework/ui/WinControl.h"

namespace {

const std::vector<IdentMapping>& CharsetNames() {
    static const std::vector<IdentMapping> names = {
        {ANSI_CHARSET, "ANSI_CHARSET"},
        {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
        {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
        {MAC_CHARSET, "MAC_CHARSET"},
        {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"},
        {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
        {JOHAB_CHARSET, "JOHAB_CHARSET"},
        {GB2312_CHARSET, "GB2312_CHARSET"},
        {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"},
        {GREEK_CHARSET, "GREEK_CHARSET"},
        {TURKISH_CHARSET, "TURKISH_CHARSET"},
        {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
        {HEBREW_CHARSET, "HEBREW_CHARSET"},
        {ARABIC_CHARSET, "ARABIC_CHARSET"},
        {BALTIC_CHARSET, "BALTIC_CHARSET"},
        {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
        {THAI_CHARSET, "THAI_CHARSET"},
        {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
        {OEM_CHARSET, "OEM_CHARSET"},
    };
    return names;
}

// A bitmap's Data is its .bmp file; an empty bitmap has none.
std::vector<unsigned char> BitmapData(TBitmap* bitmap) {
    if (bitmap->Empty())
        return {};
    TMemoryStream stream;
    bitmap->SaveToStream(&stream);
    return stream.Bytes();
}

void SetBitmapData(TBitmap* bitmap, const std::vector<unsigned char>& data) {
    bitmap->LoadFromBytes(data.data(), data.size());
}

// The design position of a component that is not a control, as 16-bit halves.
short DesignLeft(TComponent* component) {
    return static_cast<short>(component->DesignInfo() & 0xFFFF);
}
short DesignTop(TComponent* component) {
    return static_cast<short>((static_cast<unsigned>(component->DesignInfo()) >> 16) & 0xFFFF);
}
void SetDesign(TComponent* component, int left, int top) {
    component->SetDesignInfo(static_cast<int>((static_cast<unsigned>(top) << 16) |
                                              (static_cast<unsigned>(left) & 0xFFFF)));
}

void SetDesignLeft(TComponent* component, short left) {
    SetDesign(component, left, DesignTop(component));
}
void SetDesignTop(TComponent* component, short top) {
    SetDesign(component, DesignLeft(component), top);
}

template <class T> void PublishMouseEvents(PublishedClass<T>& c) {
    c.Event("OnClick", &TControl::OnClick)
        .Event("OnDblClick", &TControl::OnDblClick)
        .Event("OnMouseDown", &TControl::OnMouseDown)
        .Event("OnMouseMove", &TControl::OnMouseMove)
        .Event("OnMouseUp", &TControl::OnMouseUp);
}

void Register() {
    PublishedClass<TFont>("TFont")
        .Mapped("Charset", &TFont::Charset, &TFont::SetCharset, CharsetNames())
        .Color("Color", &TFont::Color, &TFont::SetColor)
        .Int("Height", &TFont::Height, &TFont::SetHeight)
        .String("Name", &TFont::Name, &TFont::SetName)
        .Int("Size", &TFont::Size, &TFont::SetSize)
        .Stored(false)
        .Set("Style", &TFont::Style, &TFont::SetStyle,
             {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"});

    PublishedClass<TBitmap>("TBitmap").Binary("Data", &BitmapData, &SetBitmapData);

    // Picture.Data is the picture's bitmap file; Picture.Bitmap.Data reads the same.
    PublishedClass<TPicture>("TPicture")
        .Binary(
            "Data", [](TPicture* p) { return BitmapData(p->Bitmap()); },
            [](TPicture* p, const std::vector<unsigned char>& data) {
                SetBitmapData(p->Bitmap(), data);
            })
        .Object("Bitmap", &TPicture::Bitmap)
        .Stored(false);

    PublishedClass<TSizeConstraints>("TSizeConstraints")
        .Int("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, 0)
        .Int("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, 0)
        .Int("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, 0)
        .Int("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, 0);

    PublishedClass<TControl>("TControl")
        .Int("Left", &TControl::Left, &TControl::SetLeft)
        .Int("Top", &TControl::Top, &TControl::SetTop)
        .Int("Width", &TControl::Width, &TControl::SetWidth)
        .Int("Height", &TControl::Height, &TControl::SetHeight)
        .Mapped("Cursor", &TControl::Cursor, &TControl::SetCursor, CursorNames(), crDefault)
        .String("Hint", &TControl::Hint, &TControl::SetHint, "");

    PublishedClass<TWinControl>("TWinControl", "TControl");
    PublishedClass<TCustomForm>("TCustomForm", "TWinControl");

    PublishedClass<TForm> form("TForm", "TCustomForm");
    form.Enum("BorderStyle", &TForm::BorderStyle, &TForm::SetBorderStyle,
              {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
              bsSizeable)
        .String("Caption", &TForm::Caption, &TForm::SetCaption)
        .Int("ClientHeight", &TForm::ClientHeight, &TForm::SetClientHeight)
        .Stored(false)
        .Int("ClientWidth", &TForm::ClientWidth, &TForm::SetClientWidth)
        .Stored(false)
        .Color("Color", &TForm::Color, &TForm::SetColor)
        .Object("Constraints", &TForm::Constraints)
        .Bool("DockSite", &TForm::DockSite, &TForm::DockSite, false)
        .Object("Font", &TForm::Font)
        .Bool("OldCreateOrder", &TForm::OldCreateOrder, &TForm::SetOldCreateOrder)
        .Bool("Scaled", &TForm::Scaled, &TForm::SetScaled, true)
        .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
        .StoredIf(&IsShowHintStored)
        .Event("OnActivate", &TForm::OnActivate);
    PublishMouseEvents(form);
    form.Event("OnClose", &TForm::OnClose)
        .Event("OnCloseQuery", &TForm::OnCloseQuery)
        .Event("OnDeactivate", &TForm::OnDeactivate)
        .Event("OnHide", &TForm::OnHide)
        .Event("OnResize", &TForm::OnResize)
        .Event("OnShow", &TForm::OnShow)
        .Int("PixelsPerInch", &TForm::PixelsPerInch, &TForm::SetPixelsPerInch)
        .Int("TextHeight", &TForm::TextHeight, &TForm::SetTextHeight);

    PublishedClass<TImage> image("TImage", "TControl");
    image
        .Enum("Align", &TImage::Align, &TImage::SetAlign,
              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, alNone)
        .Set("Anchors", &TImage::Anchors, &TImage::SetAnchors,
             {"akLeft", "akTop", "akRight", "akBottom"}, kDefaultAnchors)
        .Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize, false)
        .Bool("Center", &TImage::Center, &TImage::SetCenter, false)
        .Bool("Enabled", &TImage::Enabled, &TImage::SetEnabled, true)
        .Object("Picture", &TImage::Picture)
        .Bool("Stretch", &TImage::Stretch, &TImage::SetStretch, false)
        .Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent, false)
        .Bool("Visible", &TImage::Visible, &TImage::SetVisible, true);
    PublishMouseEvents(image);

    PublishedClass<TLabel> label("TLabel", "TControl");
    label
        .Enum("Align", &TLabel::Align, &TLabel::SetAlign,
              {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, alNone)
        .Enum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment,
              {"taLeftJustify", "taRightJustify", "taCenter"}, taLeftJustify)
        .Set("Anchors", &TLabel::Anchors, &TLabel::SetAnchors,
             {"akLeft", "akTop", "akRight", "akBottom"}, kDefaultAnchors)
        .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
        .String("Caption", &TLabel::Caption, &TLabel::SetCaption, "")
        .Color("Color", &TLabel::Color, &TLabel::SetColor)
        .StoredIf([](TLabel* l) { return !l->ParentColor(); })
        .Bool("Enabled", &TLabel::Enabled, &TLabel::SetEnabled, true)
        .Object("Font", &TLabel::Font)
        .StoredIf([](TLabel* l) { return !l->ParentFont(); })
        .Bool("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor, true)
        .Bool("ParentFont", &TLabel::ParentFont, &TLabel::SetParentFont, true)
        .Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true)
        .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false)
        .Bool("Visible", &TLabel::Visible, &TLabel::SetVisible, true)
        .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
    PublishMouseEvents(label);

    // A timer is no control: its Left and Top are only where the designer shows it.
    PublishedClass<TTimer>("TTimer")
        .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
        .Int("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000u)
        .Event("OnTimer", &TTimer::OnTimer)
        .Int("Left", &DesignLeft, [](TTimer* t, short v) { SetDesign(t, v, DesignTop(t)); })
        .Int("Top", &DesignTop, [](TTimer* t, short v) { SetDesign(t, DesignLeft(t), v); });

    // Menus and actions: their items are written inside them.
    PublishedClass<TPopupMenu>("TPopupMenu")
        .Int("Left", &DesignLeft, &SetDesignLeft)
        .Int("Top", &DesignTop, &SetDesignTop);
    PublishedClass<TMenuItem>("TMenuItem")
        .Component("Action", &TMenuItem::Action, &TMenuItem::SetAction)
        .String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption, "")
        .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
        .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
        .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
        .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
        .Event("OnClick", &TMenuItem::OnClick);
    PublishedClass<TActionList>("TActionList")
        .Int("Left", &DesignLeft, &SetDesignLeft)
        .Int("Top", &DesignTop, &SetDesignTop);
    PublishedClass<TAction>("TAction")
        .String("Caption", &TAction::Caption, &TAction::SetCaption, "")
        .Bool("Enabled", &TAction::Enabled, &TAction::SetEnabled, true)
        .String("Hint", &TAction::Hint, &TAction::SetHint, "")
        .Bool("Visible", &TAction::Visible, &TAction::SetVisible, true)
        .Event("OnExecute", &TAction::OnExecute)
        .Event("OnUpdate", &TAction::OnUpdate);

    FormParentHooks hooks;
    hooks.SetParent = [](TComponent* child, TComponent* enclosing) {
        auto* control = dynamic_cast<TControl*>(child);
        auto* parent = dynamic_cast<TWinControl*>(enclosing);
        if (control && parent)
            control->SetParent(parent);
        else if (!control)
            child->SetParentComponent(enclosing);
    };
    hooks.GetParent = [](TComponent* component) -> TComponent* {
        auto* control = dynamic_cast<TControl*>(component);
        return control ? control->Parent() : component->GetParentComponent();
    };
    SetFormParentHooks(hooks);
}

} // namespace

void RegisterFrameworkClasses() {
    static const bool registered = (Register(), true);
    (void)registered;
}
