#pragma once
#include "framework/win/Win.h"

// Where the programs take system libraries from. A program copied into a shared folder (a
// Downloads folder) finds whatever DLLs lie beside it there; the default search would load
// such a copy of msimg32, comctl32 or uxtheme before the system's own.

// Takes the current folder out of the DLL search and, where the system can, limits the
// default search of the whole process, the system's own loads included, to the system
// folder. Every entry calls it before anything else.
void RestrictDllSearch();

// Loads a system library from the system folder, never from the program's folder; null when
// it cannot be loaded.
HMODULE LoadSystemLibrary(const char* name);
