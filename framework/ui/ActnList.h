#pragma once
#include <memory>
#include <vector>

#include "framework/core/AnsiString.h"
#include "framework/core/Component.h"

class TAction;
class TActionList;

// A client's link to an action (a control or a menu item holds one): the client hears
// through OnChange (Sender: the action) when it is linked and whenever the action's Caption,
// Enabled, Visible or Hint changes. Whichever of the two goes first, the other forgets it.
class TActionLink {
public:
    explicit TActionLink(TNotifyEvent onChange) : OnChange(onChange) {}
    ~TActionLink() { SetAction(nullptr); }
    TActionLink(const TActionLink&) = delete;
    TActionLink& operator=(const TActionLink&) = delete;

    TAction* Action() const { return m_action; }
    void SetAction(TAction* value);

    TNotifyEvent OnChange;

private:
    friend class TAction;
    TAction* m_action = nullptr;
};

// A command shared by the controls and menu items linked to it: they follow its caption,
// enabled and visible state and hint, and run its OnExecute when clicked. OnUpdate runs
// whenever the application's message queue has run empty, to bring the state up to date.
class TAction : public TComponent {
public:
    explicit TAction(TComponent* AOwner);
    ~TAction() override;

    AnsiString Caption() const { return m_caption; }
    void SetCaption(const AnsiString& value);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    AnsiString Hint() const { return m_hint; }
    void SetHint(const AnsiString& value);

    TActionList* ActionList() const { return m_actionList; }
    void SetActionList(TActionList* value);

    // Runs OnExecute when the action is enabled and has one; returns whether it ran.
    virtual bool Execute();
    // Runs OnUpdate when set; returns whether it ran.
    virtual bool Update();

    TComponent* GetParentComponent() const override;
    // Only an action list can hold an action.
    void SetParentComponent(TComponent* value) override;

    TNotifyEvent OnExecute;
    TNotifyEvent OnUpdate;

private:
    friend class TActionLink;
    friend class TActionList;
    void Changed();

    AnsiString m_caption;
    bool m_enabled = true;
    bool m_visible = true;
    AnsiString m_hint;
    TActionList* m_actionList = nullptr;
    std::vector<TActionLink*> m_links;
};

// A non-visual component that groups actions; in a form description the actions are
// written inside it.
class TActionList : public TComponent {
public:
    explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
    ~TActionList() override;

    int ActionCount() const { return static_cast<int>(m_actions.size()); }
    TAction* Actions(int index) const { return m_actions.at(static_cast<size_t>(index)); }

private:
    friend class TAction;
    std::vector<TAction*> m_actions;
};

// Runs OnUpdate of every action there is. The application's message loop calls it each time
// its queue has run empty.
void UpdateActions();
