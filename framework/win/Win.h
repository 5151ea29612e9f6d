#pragma once
// The one way into the Win32 headers: several of their macros would rename our own
// operations (DrawText, LoadBitmap ...), so they are taken back here.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#undef DrawText
#undef LoadBitmap
#undef GetObject
#undef MessageBox
#undef GetClassName
#undef CreateWindow
#undef SendMessage
#undef PostMessage
#undef SetProp
#undef GetProp
#undef LoadIcon
#undef LoadCursor
#undef CopyRect
#undef GetMessage
#undef DispatchMessage
#undef RegisterClass
#undef CreateFont
#undef GetCharWidth
#undef TextOut
