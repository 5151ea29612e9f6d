#include "framework/ui/ActnList.h"

#include <algorithm>

#include "framework/core/Exceptions.h"

namespace {

// Every action alive, for the idle update. Never freed: actions of static objects may go
// after the program's statics.
std::vector<TAction*>& LiveActions() {
    static auto* actions = new std::vector<TAction*>;
    return *actions;
}

template <class T> void Forget(std::vector<T*>& list, T* item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

} // namespace

void TActionLink::SetAction(TAction* value) {
    if (value == m_action)
        return;
    if (m_action)
        Forget(m_action->m_links, this);
    m_action = value;
    if (value) {
        value->m_links.push_back(this);
        if (OnChange)
            OnChange(value);
    }
}

TAction::TAction(TComponent* AOwner) : TComponent(AOwner) {
    LiveActions().push_back(this);
}

TAction::~TAction() {
    Forget(LiveActions(), this);
    SetActionList(nullptr);
    // The clients keep what they took from the action; they only lose the link.
    for (TActionLink* link : m_links)
        link->m_action = nullptr;
    m_links.clear();
}

void TAction::Changed() {
    // Copy: a client's handler may unlink itself.
    const std::vector<TActionLink*> links(m_links);
    for (TActionLink* link : links)
        if (std::find(m_links.begin(), m_links.end(), link) != m_links.end() && link->OnChange)
            link->OnChange(this);
}

void TAction::SetCaption(const AnsiString& value) {
    if (value == m_caption)
        return;
    m_caption = value;
    Changed();
}

void TAction::SetEnabled(bool value) {
    if (value == m_enabled)
        return;
    m_enabled = value;
    Changed();
}

void TAction::SetVisible(bool value) {
    if (value == m_visible)
        return;
    m_visible = value;
    Changed();
}

void TAction::SetHint(const AnsiString& value) {
    if (value == m_hint)
        return;
    m_hint = value;
    Changed();
}

void TAction::SetActionList(TActionList* value) {
    if (value == m_actionList)
        return;
    if (m_actionList)
        Forget(m_actionList->m_actions, this);
    m_actionList = value;
    if (value)
        value->m_actions.push_back(this);
}

bool TAction::Execute() {
    if (!m_enabled || !OnExecute)
        return false;
    OnExecute(this);
    return true;
}

bool TAction::Update() {
    if (!OnUpdate)
        return false;
    OnUpdate(this);
    return true;
}

TComponent* TAction::GetParentComponent() const {
    return m_actionList;
}

void TAction::SetParentComponent(TComponent* value) {
    auto* list = dynamic_cast<TActionList*>(value);
    if (value && !list)
        throw EInvalidOperation("An action cannot be put in a " + value->ClassName());
    SetActionList(list);
}

TActionList::~TActionList() {
    // The actions belong to their owner; they only leave the list.
    for (TAction* action : m_actions)
        action->m_actionList = nullptr;
    m_actions.clear();
}

void UpdateActions() {
    // Copy: a handler may create or destroy actions.
    const std::vector<TAction*> actions(LiveActions());
    for (TAction* action : actions) {
        const auto& live = LiveActions();
        if (std::find(live.begin(), live.end(), action) != live.end())
            action->Update();
    }
}
