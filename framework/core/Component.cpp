#include "framework/core/Component.h"

#include <algorithm>

namespace {
void Erase(std::vector<TComponent*>& list, TComponent* component) {
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}
} // namespace

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    // Take each link off both sides first: a Notification may destroy other components.
    while (!m_freeNotifies.empty()) {
        TComponent* other = m_freeNotifies.back();
        Erase(m_freeNotifies, other);
        Erase(other->m_freeNotifies, this);
        other->Notification(this, opRemove);
    }
    DestroyComponents();
    if (m_owner)
        m_owner->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
    for (TComponent* component : m_components)
        if (component->Name() == name)
            return component;
    return nullptr;
}

void TComponent::SetComponentState(TComponentStateFlag flag, bool on) {
    m_state = on ? (m_state | flag) : (m_state & ~static_cast<unsigned>(flag));
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->m_owner)
        component->m_owner->RemoveComponent(component);
    m_components.push_back(component);
    component->m_owner = this;
    if (HasState(csDesigning))
        component->SetComponentState(csDesigning, true);
}

void TComponent::RemoveComponent(TComponent* component) {
    auto it = std::find(m_components.begin(), m_components.end(), component);
    if (it != m_components.end())
        m_components.erase(it);
    component->m_owner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (!AComponent || AComponent == this)
        return;
    m_freeNotifies.push_back(AComponent);
    AComponent->m_freeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (!AComponent)
        return;
    auto mine = std::find(m_freeNotifies.begin(), m_freeNotifies.end(), AComponent);
    if (mine == m_freeNotifies.end())
        return;
    m_freeNotifies.erase(mine);
    auto& theirs = AComponent->m_freeNotifies;
    theirs.erase(std::find(theirs.begin(), theirs.end(), this));
}

void TComponent::Destroying() {
    if (HasState(csDestroying))
        return;
    SetComponentState(csDestroying, true);
    for (TComponent* component : m_components)
        component->Destroying();
}

void TComponent::DestroyComponents() {
    // Each destructor removes itself from the list, so take from the end until it is empty.
    while (!m_components.empty()) {
        TComponent* component = m_components.back();
        m_components.pop_back();
        component->m_owner = nullptr;
        delete component;
    }
}
