#pragma once
#include "framework/core/Persistent.h"

class TControl;

// The smallest and largest size a control may take; 0 means no limit. Every change of the
// control's size goes through Apply; a change of a limit applies it to the current size.
class TSizeConstraints : public TPersistent {
public:
    explicit TSizeConstraints(TControl* control) : m_control(control) {}

    int MinWidth() const { return m_minWidth; }
    int MinHeight() const { return m_minHeight; }
    int MaxWidth() const { return m_maxWidth; }
    int MaxHeight() const { return m_maxHeight; }
    void SetMinWidth(int value) { Change(m_minWidth, value); }
    void SetMinHeight(int value) { Change(m_minHeight, value); }
    void SetMaxWidth(int value) { Change(m_maxWidth, value); }
    void SetMaxHeight(int value) { Change(m_maxHeight, value); }

    // Brings a size within the limits. A maximum below the minimum gives way to it.
    void Apply(int& width, int& height) const;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void Change(int& field, int value);

    TControl* m_control;
    int m_minWidth = 0;
    int m_minHeight = 0;
    int m_maxWidth = 0;
    int m_maxHeight = 0;
};
