#include <gtest/gtest.h>

#include <string>

#include "framework/ui/MessageBox.h"
#include "tests/support/WinMessageBoxes.h"

TEST(MessageBox, GoesThroughTheReplaceableFunction) {
    RecordedMessageBoxes boxes;
    EXPECT_EQ(ShowMessageBox(nullptr, "text", "title", MB_OK | MB_ICONERROR), IDOK);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "text");
    EXPECT_EQ(boxes.Shown()[0].caption, "title");
    EXPECT_EQ(boxes.Shown()[0].flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // Setting a function hands back the one it replaces.
    EXPECT_EQ(SetMessageBoxFunction(&RecordedMessageBoxes::Record), &RecordedMessageBoxes::Record);
}

TEST(Display, RealWindowsCanBeCreated) {
    HWND window = CreateWindowExA(0, "STATIC", "probe", WS_POPUP | WS_VISIBLE, 10, 10, 50, 40,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 50);
    DestroyWindow(window);
}
