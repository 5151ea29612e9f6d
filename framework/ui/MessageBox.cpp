#include "framework/ui/MessageBox.h"

namespace {
int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return MessageBoxA(owner, text, caption, flags);
}
MessageBoxFunction g_messageBox = SystemMessageBox;
} // namespace

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT flags) {
    return g_messageBox(owner, text, caption, flags);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : SystemMessageBox;
    return previous;
}
