#pragma once

class TControl;

// F1 on a focused control: the help context number of the control, or of the nearest parent
// that has one, goes to the application's OnHelp. Returns false (and calls nothing) when no
// control up the chain has a number. There is no system help behind it: a program shows its
// help from OnHelp.
bool InvokeHelp(TControl* control);
