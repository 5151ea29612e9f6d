#pragma once
#include <vector>

#include "framework/win/Win.h"

struct IdentMapping;

// The pointer shape a control asks for. Negative values name the system's shapes; crDefault
// leaves the choice to the parent, and in the end to the window class.
using TCursor = int;
const TCursor crDefault = 0;
const TCursor crNone = -1;
const TCursor crArrow = -2;
const TCursor crCross = -3;
const TCursor crIBeam = -4;
const TCursor crSize = -22;
const TCursor crSizeNESW = -6;
const TCursor crSizeNS = -7;
const TCursor crSizeNWSE = -8;
const TCursor crSizeWE = -9;
const TCursor crUpArrow = -10;
const TCursor crHourGlass = -11;
const TCursor crDrag = -12;
const TCursor crNoDrop = -13;
const TCursor crHSplit = -14;
const TCursor crVSplit = -15;
const TCursor crMultiDrag = -16;
const TCursor crSQLWait = -17;
const TCursor crNo = -18;
const TCursor crAppStart = -19;
const TCursor crHelp = -20;
const TCursor crHandPoint = -21;
const TCursor crSizeAll = -22;

// The names a TCursor property is written with; crSize and crSizeAll share a value, which is
// written as crSizeAll.
const std::vector<IdentMapping>& CursorNames();

// The system cursor that shows a TCursor: null for crNone (no pointer), the arrow for crDefault
// and for values the framework has no shape for.
HCURSOR CursorHandle(TCursor cursor);

class TWinControl;
struct TMessage;
// WM_SETCURSOR over a framework window: the pointer takes the shape of the control under it
// (a windowless child, else the window), or of the nearest parent that has one. Returns false,
// leaving the message unanswered, when all of them say crDefault.
bool ShowControlCursor(TWinControl* window, TMessage& Message);
