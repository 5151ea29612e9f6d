#pragma once
#include "framework/core/Types.h"

// The sides of its parent a control keeps its distance to when the parent is resized. A set:
// `akLeft | akTop` is [akLeft, akTop] in a form description (bit i is the i-th name).
enum TAnchorKind : unsigned {
    akLeft = 1u << 0,
    akTop = 1u << 1,
    akRight = 1u << 2,
    akBottom = 1u << 3
};
using TAnchors = unsigned;
const TAnchors kDefaultAnchors = akLeft | akTop;

// Where a control was placed the last time its bounds were set by someone other than the
// anchoring itself, and how large its parent's client area was then.
struct TAnchorRule {
    TRect Bounds;
    int ParentWidth = 0;
    int ParentHeight = 0;
};

// The bounds an anchored control takes when its parent's client area becomes
// parentWidth x parentHeight. Anchored on both sides of an axis it stretches, on the far side
// only it moves, on neither side its centre keeps its proportional place.
TRect AnchoredBounds(TAnchors anchors, const TAnchorRule& rule, int parentWidth, int parentHeight);
