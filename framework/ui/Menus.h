#pragma once
#include <memory>
#include <vector>

#include "framework/core/AnsiString.h"
#include "framework/core/Component.h"
#include "framework/core/ShortCut.h"

class TAction;
class TActionLink;
class TPopupMenu;

// One entry of a menu: a command, a separator (Caption "-") or, with items of its own, a
// sub-menu. "&" in the caption marks the accelerator letter ("&&" is a plain "&"). Items
// belong to their owner component like any other; a parent item only lists them.
class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    AnsiString Caption() const { return m_caption; }
    void SetCaption(const AnsiString& value) { m_caption = value; }
    bool Checked() const { return m_checked; }
    void SetChecked(bool value) { m_checked = value; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value) { m_enabled = value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }
    // Shown after the caption, e.g. "Ctrl+C".
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value) { m_shortCut = value; }
    bool IsLine() const { return m_caption == "-"; }

    // A linked action gives the item its caption, enabled and visible state.
    TAction* Action() const;
    void SetAction(TAction* value);

    int Count() const { return static_cast<int>(m_items.size()); }
    TMenuItem* Items(int index) const { return m_items.at(static_cast<size_t>(index)); }
    int IndexOf(const TMenuItem* item) const;
    TMenuItem* Parent() const { return m_parent; }
    // Takes the item from where it was; an item cannot go inside itself.
    void Add(TMenuItem* item) { Insert(Count(), item); }
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item);

    // OnClick when set, else the linked action's OnExecute.
    virtual void Click();

    // A top-level item's is its menu.
    TComponent* GetParentComponent() const override;
    // Only a menu or a menu item can hold a menu item.
    void SetParentComponent(TComponent* value) override;

    TNotifyEvent OnClick;

private:
    friend class TPopupMenu;
    void ActionChanged(TObject* Sender);

    AnsiString m_caption;
    bool m_checked = false;
    bool m_enabled = true;
    bool m_visible = true;
    TShortCut m_shortCut = scNone;
    TMenuItem* m_parent = nullptr;
    std::vector<TMenuItem*> m_items;
    TPopupMenu* m_menu = nullptr; // set on a menu's root item only
    std::unique_ptr<TActionLink> m_actionLink;
};

// A menu that appears at a point when asked (a control's PopupMenu, on a right click or the
// context-menu key), built from its items each time it is shown.
class TPopupMenu : public TComponent {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // The root item: its items are the menu's.
    TMenuItem* Items() const { return m_items.get(); }

    // Shows the menu with its top-left corner at a screen point and waits until it closes;
    // the chosen item's Click runs after that.
    virtual void Popup(int X, int Y);
    // The component the menu was last shown for.
    TComponent* PopupComponent() const { return m_popupComponent; }
    void SetPopupComponent(TComponent* value);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    std::unique_ptr<TMenuItem> m_items;
    TComponent* m_popupComponent = nullptr;
};
