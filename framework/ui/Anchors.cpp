#include "framework/ui/Anchors.h"

#include <cmath>

#include "framework/core/ScopeGuard.h"
#include "framework/ui/WinControl.h"

namespace {
// One axis: the start and size of a control along it.
struct Span {
    int start;
    int size;
};

Span AnchoredSpan(bool nearSide, bool farSide, Span span, int oldExtent, int newExtent) {
    const int delta = newExtent - oldExtent;
    if (nearSide && farSide)
        return {span.start, span.size + delta};
    if (farSide)
        return {span.start + delta, span.size};
    if (nearSide || oldExtent <= 0)
        return span;
    const double centre = (span.start + span.size / 2.0) * newExtent / oldExtent;
    return {static_cast<int>(std::floor(centre - span.size / 2.0 + 0.5)), span.size};
}
} // namespace

TRect AnchoredBounds(TAnchors anchors, const TAnchorRule& rule, int parentWidth, int parentHeight) {
    const TRect& b = rule.Bounds;
    const Span x = AnchoredSpan(anchors & akLeft, anchors & akRight, {b.Left, b.Width()},
                                rule.ParentWidth, parentWidth);
    const Span y = AnchoredSpan(anchors & akTop, anchors & akBottom, {b.Top, b.Height()},
                                rule.ParentHeight, parentHeight);
    return TRect(x.start, y.start, x.start + x.size, y.start + y.size);
}

void TControl::SetAnchors(TAnchors value) {
    m_anchors = value;
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    // A control at the default anchors never moves; SetAnchors takes its rule when that
    // changes.
    if (m_anchors == kDefaultAnchors || !m_parent || m_parent->m_anchoring)
        return;
    const TRect client = m_parent->ClientRect();
    m_anchorRule.Bounds = BoundsRect();
    m_anchorRule.ParentWidth = client.Width();
    m_anchorRule.ParentHeight = client.Height();
}

void TControl::Loaded() {
    TComponent::Loaded();
    UpdateAnchorRules();
}

void TWinControl::AnchorChildren() {
    if (m_anchoring || (m_handle && IsIconic(m_handle)))
        return;
    const TRect client = ClientRect();
    const FlagScope anchoring(m_anchoring);
    // Copy: moving a child must not be able to disturb the walk.
    std::vector<TControl*> children(m_controls.begin(), m_controls.end());
    children.insert(children.end(), m_winControls.begin(), m_winControls.end());
    for (TControl* child : children) {
        if (child->Align() != alNone || child->m_anchors == kDefaultAnchors)
            continue;
        child->SetBoundsRect(
            AnchoredBounds(child->m_anchors, child->m_anchorRule, client.Width(), client.Height()));
    }
}
