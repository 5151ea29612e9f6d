#pragma once
#include "framework/core/Component.h"
#include "framework/win/Win.h"

// Fires OnTimer every Interval milliseconds while Enabled (a window-message timer, so the
// handler runs inside the message loop). Interval 0 stops it.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned value);
    // True while a system timer is armed for this component.
    bool Armed() const { return m_armed; }

    TNotifyEvent OnTimer;

protected:
    virtual void Timer();

private:
    friend struct TimerWindow;
    void UpdateTimer();

    bool m_enabled = true;
    unsigned m_interval = 1000;
    bool m_armed = false;
    UINT_PTR m_id; // never reused, so a late WM_TIMER cannot reach another timer
};
