#include "framework/ui/SizeConstraints.h"

#include "framework/ui/Control.h"

namespace {
int Limit(int value, int minimum, int maximum) {
    if (maximum > 0 && value > maximum)
        value = maximum;
    if (minimum > 0 && value < minimum)
        value = minimum;
    return value;
}
} // namespace

void TSizeConstraints::Apply(int& width, int& height) const {
    width = Limit(width, m_minWidth, m_maxWidth);
    height = Limit(height, m_minHeight, m_maxHeight);
}

void TSizeConstraints::Change(int& field, int value) {
    if (value == field)
        return;
    field = value;
    if (m_control)
        m_control->ConstraintsChanged();
}

void TSizeConstraints::AssignTo(TPersistent* dest) {
    auto* other = dynamic_cast<TSizeConstraints*>(dest);
    if (!other) {
        TPersistent::AssignTo(dest);
        return;
    }
    other->m_minWidth = m_minWidth;
    other->m_minHeight = m_minHeight;
    other->m_maxWidth = m_maxWidth;
    other->m_maxHeight = m_maxHeight;
    if (other->m_control)
        other->m_control->ConstraintsChanged();
}

void TControl::SetConstraints(TSizeConstraints* value) {
    m_constraints->Assign(value);
}

void TControl::ConstraintsChanged() {
    SetBounds(m_left, m_top, m_width, m_height);
}
