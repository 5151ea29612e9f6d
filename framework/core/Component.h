#pragma once
#include <vector>

#include "framework/core/AnsiString.h"
#include "framework/core/Persistent.h"

enum TComponentStateFlag : unsigned {
    csLoading = 1u << 0,
    csReading = 1u << 1,
    csDesigning = 1u << 2,
    csDestroying = 1u << 3,
};
using TComponentState = unsigned;

enum TOperation { opInsert, opRemove };

// A persistent object with an owner. An owner destroys what it owns, last created first.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return m_owner; }
    const AnsiString& Name() const { return m_name; }
    virtual void SetName(const AnsiString& name) { m_name = name; }

    int ComponentCount() const { return static_cast<int>(m_components.size()); }
    TComponent* Components(int index) const { return m_components.at(static_cast<size_t>(index)); }
    TComponent* FindComponent(const AnsiString& name) const;

    TComponentState ComponentState() const { return m_state; }
    bool HasState(TComponentStateFlag flag) const { return (m_state & flag) != 0; }
    void SetComponentState(TComponentStateFlag flag, bool on);

    // Called once the form description has set every property of this component.
    virtual void Loaded() { SetComponentState(csLoading, false); }

    // Where the form designer shows a component that is not a control (low 16 bits: left,
    // high 16 bits: top). Only the form description reads and writes it.
    int DesignInfo() const { return m_designInfo; }
    void SetDesignInfo(int value) { m_designInfo = value; }

    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    // References between components: after A->FreeNotification(B), whichever of the two is
    // destroyed first tells the other through Notification(itself, opRemove), so a reference
    // to it can be cleared. Each call makes one link and RemoveFreeNotification takes one
    // away, so two references between the same components come and go apart.
    void FreeNotification(TComponent* AComponent);
    void RemoveFreeNotification(TComponent* AComponent);

    // The component a component is nested in when it is not a control (a menu item in its
    // menu, an action in its list): the form description writes it inside that one, and
    // the reader puts it back there.
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual void SetParentComponent(TComponent*) {}

protected:
    virtual void Notification(TComponent*, TOperation) {}
    // Marks this component and everything it owns as being destroyed.
    void Destroying();
    void DestroyComponents();

private:
    TComponent* m_owner = nullptr;
    AnsiString m_name;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    TComponentState m_state = 0;
    int m_designInfo = 0;
};
