#include "framework/ui/Help.h"

#include "framework/ui/Application.h"
#include "framework/ui/WinControl.h"

bool InvokeHelp(TControl* control) {
    for (TControl* c = control; c; c = c->Parent())
        if (c->HelpContext() != 0) {
            Application->HelpContext(c, c->HelpContext());
            return true;
        }
    return false;
}

bool TApplication::HelpContext(TObject* Sender, int Context) {
    return OnHelp ? OnHelp(Sender, Context) : false;
}
