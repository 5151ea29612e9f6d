#pragma once
#include "framework/core/Types.h"
#include "framework/ui/Cursors.h"
#include "framework/win/Win.h"

class TControl;
class TWinControl;
struct TMessage;


// How a drag of a control starts: only through BeginDrag, or also by pressing the left button
// on it and moving.
enum TDragMode { dmManual, dmAutomatic };
// What a drag of a control does: drops it on a target, or docks it on a dock site.
enum TDragKind { dkDrag, dkDock };
// Why a target is asked whether it accepts a drag.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };

// What is being dragged. A handler of OnStartDrag may hand in an object of its own (it stays
// the handler's); it is then the Source the targets see instead of the control.
class TDragObject : public TObject {
public:
    TDragObject() = default;
    explicit TDragObject(TControl* control) : Control(control) {}
    TControl* Control = nullptr;
};

// What is being docked.
class TDragDockObject : public TDragObject {
public:
    using TDragObject::TDragObject;
};

using TStartDragEvent = Closure<void(TObject* Sender, TDragObject*& DragObject)>;
using TStartDockEvent = Closure<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDragOverEvent =
    Closure<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = Closure<void(TObject* Sender, TObject* Source, int X, int Y)>;
// Target is null when the drag ended without a drop.
using TEndDragEvent = Closure<void(TObject* Sender, TObject* Target, int X, int Y)>;

// The system cursor shown for a drag cursor value.
HCURSOR DragCursorHandle(TCursor cursor);

// The drag in progress: its source, or null.
TControl* DragSourceControl();

// Hooks of the windowed controls' message dispatch. While a drag runs, the window that holds
// its mouse capture hands the drag its mouse messages, and any window the Escape key; true
// when the message was the drag's.
bool DragFilterMessage(TWinControl* window, TMessage& Message);
// A control is going away: a drag from it ends without events, a target forgets it.
void DragControlDestroyed(TControl* control);
