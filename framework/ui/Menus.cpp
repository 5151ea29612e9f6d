#include "framework/ui/Menus.h"

#include <algorithm>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/Application.h"
#include "framework/win/Win.h"

namespace {

// The system menu of an item's visible items; a command's id is its place in `commands`
// plus one.
HMENU BuildMenu(const TMenuItem* parent, std::vector<TMenuItem*>& commands) {
    HMENU menu = CreatePopupMenu();
    for (int i = 0; i < parent->Count(); ++i) {
        TMenuItem* item = parent->Items(i);
        if (!item->Visible())
            continue;
        if (item->IsLine()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item->Caption().str();
        const AnsiString shortCut = ShortCutToText(item->ShortCut());
        if (!shortCut.IsEmpty())
            text += "\t" + shortCut.str();
        UINT flags = MF_STRING;
        if (item->Checked())
            flags |= MF_CHECKED;
        if (!item->Enabled())
            flags |= MF_GRAYED;
        if (item->Count() > 0) {
            HMENU sub = BuildMenu(item, commands);
            AppendMenuA(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text.c_str());
        } else {
            commands.push_back(item);
            AppendMenuA(menu, flags, commands.size(), text.c_str());
        }
    }
    return menu;
}

// Compares pointers only: `item` may be gone.
bool Holds(const TMenuItem* parent, const TMenuItem* item) {
    for (int i = 0; i < parent->Count(); ++i)
        if (parent->Items(i) == item || Holds(parent->Items(i), item))
            return true;
    return false;
}

} // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
    if (m_parent)
        m_parent->Remove(this);
    // The items belong to their owner; they only lose their parent.
    for (TMenuItem* item : m_items)
        item->m_parent = nullptr;
    m_items.clear();
}

TAction* TMenuItem::Action() const {
    return m_actionLink ? m_actionLink->Action() : nullptr;
}

void TMenuItem::SetAction(TAction* value) {
    if (!value) {
        m_actionLink.reset();
        return;
    }
    if (!m_actionLink)
        m_actionLink = std::make_unique<TActionLink>(TNotifyEvent(this, &TMenuItem::ActionChanged));
    m_actionLink->SetAction(value);
}

void TMenuItem::ActionChanged(TObject* Sender) {
    auto* action = static_cast<TAction*>(Sender);
    m_caption = action->Caption();
    m_enabled = action->Enabled();
    m_visible = action->Visible();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item)
        return;
    for (const TMenuItem* p = this; p; p = p->m_parent)
        if (p == item)
            throw EInvalidOperation("A menu item cannot be put inside itself");
    if (item->m_parent)
        item->m_parent->Remove(item);
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, item);
    item->m_parent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    item->m_parent = nullptr;
}

void TMenuItem::Click() {
    if (!m_enabled)
        return;
    if (OnClick)
        OnClick(this);
    else if (TAction* action = Action())
        action->Execute();
}

TComponent* TMenuItem::GetParentComponent() const {
    if (m_parent && m_parent->m_menu)
        return m_parent->m_menu;
    return m_parent;
}

void TMenuItem::SetParentComponent(TComponent* value) {
    if (auto* menu = dynamic_cast<TPopupMenu*>(value))
        menu->Items()->Add(this);
    else if (auto* item = dynamic_cast<TMenuItem*>(value))
        item->Add(this);
    else if (value)
        throw EInvalidOperation("A menu item cannot be put in a " + value->ClassName());
    else if (m_parent)
        m_parent->Remove(this);
}

TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), m_items(std::make_unique<TMenuItem>(nullptr)) {
    m_items->m_menu = this;
}

TPopupMenu::~TPopupMenu() {
    SetPopupComponent(nullptr);
}

void TPopupMenu::SetPopupComponent(TComponent* value) {
    if (value == m_popupComponent)
        return;
    if (m_popupComponent)
        RemoveFreeNotification(m_popupComponent);
    m_popupComponent = value;
    if (value)
        FreeNotification(value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    if (Operation == opRemove && AComponent == m_popupComponent)
        m_popupComponent = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
    std::vector<TMenuItem*> commands;
    HMENU menu = BuildMenu(m_items.get(), commands);
    // The choice comes back here rather than as a message, so no window has to route it.
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, X, Y,
                       0, Application->Handle(), nullptr));
    DestroyMenu(menu); // with its sub-menus
    if (chosen <= 0 || chosen > static_cast<int>(commands.size()))
        return;
    TMenuItem* item = commands[static_cast<size_t>(chosen - 1)];
    // A handler that ran while the menu was open (a timer) may have taken the item away.
    if (Holds(m_items.get(), item))
        item->Click();
}
