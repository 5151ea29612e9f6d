#include "framework/core/ShortCut.h"

#include <string>

namespace {

// The named keys, by virtual key code (the platform's values, which never change).
struct KeyName {
    unsigned char Key;
    const char* Name;
};
constexpr KeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

std::string KeyText(unsigned key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
        return std::string(1, static_cast<char>(key));
    if (key >= 0x70 && key <= 0x87) // F1 .. F24
        return "F" + std::to_string(key - 0x70 + 1);
    for (const KeyName& name : kKeyNames)
        if (name.Key == key)
            return name.Name;
    return "";
}

} // namespace

TShortCut ShortCut(unsigned short Key, TShiftState Shift) {
    // A key code with bits above the low byte cannot be told from the modifier flags.
    if (Key & 0xFF00)
        return scNone;
    unsigned value = Key;
    if (Shift & ssShift)
        value |= scShift;
    if (Shift & ssCtrl)
        value |= scCtrl;
    if (Shift & ssAlt)
        value |= scAlt;
    return static_cast<TShortCut>(value);
}

AnsiString ShortCutToText(TShortCut ShortCut) {
    const std::string key = KeyText(ShortCut & 0xFF);
    if (key.empty())
        return AnsiString();
    std::string text;
    if (ShortCut & scShift)
        text += "Shift+";
    if (ShortCut & scCtrl)
        text += "Ctrl+";
    if (ShortCut & scAlt)
        text += "Alt+";
    return AnsiString(text + key);
}
