#pragma once
#include "framework/core/AnsiString.h"
#include "framework/core/Types.h"

// A menu shortcut as form descriptions store it: the virtual key code in the low byte, and
// the modifier keys as flags above it.
using TShortCut = unsigned short;
const TShortCut scShift = 0x2000;
const TShortCut scCtrl = 0x4000;
const TShortCut scAlt = 0x8000;
const TShortCut scNone = 0;

// The shortcut of a key with the modifiers of a shift state.
TShortCut ShortCut(unsigned short Key, TShiftState Shift);

// The text a menu shows for a shortcut after the caption: "Shift+", "Ctrl+" and "Alt+" in
// that order, then the key's name ("Ctrl+C", "Shift+Del", "F5"). Empty for no shortcut or a
// key without a name.
AnsiString ShortCutToText(TShortCut ShortCut);
