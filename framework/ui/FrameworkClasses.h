#pragma once

// Registers the published properties of the framework's own streamable classes (TControl,
// TWinControl, TForm, TImage, TLabel, TTimer, TPopupMenu, TMenuItem, TActionList, TAction
// and the TFont, TPicture and TBitmap sub-objects) and the parent hooks that put a control
// read inside a windowed control on it, and a menu item or an action inside its menu or list.
// Registering again changes nothing. ReadFormResource calls it; code that reads descriptions with
// ReadForm calls it first.
void RegisterFrameworkClasses();
