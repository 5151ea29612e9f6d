#include <gtest/gtest.h>

#include "framework/core/ShortCut.h"

namespace {

TEST(ShortCut, TextNamesTheModifiersInOrderThenTheKey) {
    struct Case {
        TShortCut shortCut;
        const char* text;
    };
    const Case cases[] = {
        {scCtrl | 'C', "Ctrl+C"},
        {scShift | 0x2E, "Shift+Del"},
        {scShift | scCtrl | scAlt | 'A', "Shift+Ctrl+Alt+A"},
        {scAlt | '7', "Alt+7"},
        {0x74, "F5"},
        {0x87, "F24"},
        {scCtrl | 0x0D, "Ctrl+Enter"},
        {0x1B, "Esc"},
        {0x20, "Space"},
        {scNone, ""},
        {scCtrl, ""},         // modifiers without a key
        {scCtrl | 0x88, ""},  // past F24: no name
        {scShift | 0x6A, ""}, // a key without a name
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShortCutToText(c.shortCut), AnsiString(c.text)) << std::hex << c.shortCut;
}

TEST(ShortCut, TheShiftStateBecomesTheFlagsAboveTheKey) {
    EXPECT_EQ(ShortCut('C', ssCtrl), 0x4043);
    EXPECT_EQ(ShortCut('C', ssCtrl | ssShift | ssAlt), 0xE043);
    // Mouse buttons are no part of a shortcut.
    EXPECT_EQ(ShortCut(0x2E, ssShift | ssLeft | ssDouble), 0x202E);
    // A key code that would run into the flags has no shortcut.
    EXPECT_EQ(ShortCut(0x2043, 0), scNone);
}

} // namespace
