#include "framework/Component.h"

#include <algorithm>

namespace {
// Blocks handed out by TComponent::operator new whose component is not constructed yet. A
// component is constructed on the thread that allocated it, the innermost new last.
std::vector<void*>& PendingBlocks() {
    thread_local std::vector<void*> blocks;
    return blocks;
}

bool TakePendingBlock(void* memory) {
    std::vector<void*>& blocks = PendingBlocks();
    auto it = std::find(blocks.rbegin(), blocks.rend(), memory);
    if (it == blocks.rend())
        return false;
    blocks.erase(std::next(it).base());
    return true;
}
} // namespace

void* TComponent::operator new(std::size_t size) {
    std::vector<void*>& blocks = PendingBlocks();
    blocks.reserve(blocks.size() + 1); // so that noting the block below cannot throw
    void* memory = ::operator new(size);
    blocks.push_back(memory);
    return memory;
}

void TComponent::operator delete(void* memory) noexcept {
    TakePendingBlock(memory); // still noted only when construction failed early
    ::operator delete(memory);
}

TComponent::TComponent(TComponent* AOwner) : m_madeByNew(TakePendingBlock(this)) {
    if (AOwner)
        AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
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

void TComponent::Destroying() {
    if (HasState(csDestroying))
        return;
    SetComponentState(csDestroying, true);
    for (TComponent* component : m_components)
        if (component->m_madeByNew)
            component->Destroying();
}

void TComponent::DestroyComponents() {
    // Each destructor removes itself from the list, so take from the end until it is empty.
    // Deleting a component that was not made with new would free memory the heap never gave
    // out, and its own end would then destroy it a second time: such a one is only let go.
    while (!m_components.empty()) {
        TComponent* component = m_components.back();
        m_components.pop_back();
        component->m_owner = nullptr;
        if (component->m_madeByNew)
            delete component;
    }
}
