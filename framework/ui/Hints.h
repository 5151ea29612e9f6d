#pragma once
#include "framework/win/Win.h"

class TControl;

// The application's one hint window: when the pointer rests on a control whose ShowHint is
// true and whose Hint is not empty, the window shows the hint after Application->HintPause
// milliseconds, below the pointer. It hides when the pointer leaves the control, on a mouse
// press, and after Application->HintHidePause; it shows again only once the pointer has been
// on another control (or outside) and comes back.
//
// The controls report what the pointer does: every control's WM_MOUSEMOVE (a windowless one
// gets its parent's, forwarded) and mouse presses, and the WM_MOUSELEAVE of every framework
// window.

// The pointer moved to (X, Y), client coordinates of the control that got the move.
void HintMouseMoved(TControl* control, int X, int Y);
// A mouse button went down on a framework window.
void HintMousePressed();
// The pointer left a framework window.
void HintMouseLeft(HWND window);
// A control is being destroyed: the hint forgets it.
void HintControlGone(TControl* control);
// Hides the hint and forgets its control.
void CancelHint();

// The hint window (class "TesselHint"), or null when none has been needed yet.
HWND HintWindowHandle();
// Destroys the hint window (it is made again when needed).
void DestroyHintWindow();

// Whether a control's ShowHint must be written: only when it does not follow its parent and
// differs from what a reader would give it (the parent's value, false without a parent).
bool IsShowHintStored(TControl* control);
