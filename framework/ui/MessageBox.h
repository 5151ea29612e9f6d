#pragma once
#include "framework/win/Win.h"

// Every message box of the programs goes through here, so tests can record instead of show.
using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption,
                                   UINT flags);

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags);

// Installs a replacement (null restores MessageBoxA) and returns the previous function.
MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function);
