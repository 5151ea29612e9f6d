#include <gtest/gtest.h>

#include <string>

#include "framework/MessageBox.h"

namespace {
std::string g_text, g_caption;
UINT g_flags = 0;
int Record(HWND, const char* text, const char* caption, UINT flags) {
    g_text = text;
    g_caption = caption;
    g_flags = flags;
    return IDOK;
}
} // namespace

TEST(MessageBox, GoesThroughTheReplaceableFunction) {
    MessageBoxFunction previous = SetMessageBoxFunction(Record);
    EXPECT_EQ(ShowMessageBox(nullptr, "text", "title", MB_OK | MB_ICONERROR), IDOK);
    EXPECT_EQ(g_text, "text");
    EXPECT_EQ(g_caption, "title");
    EXPECT_EQ(g_flags, static_cast<UINT>(MB_OK | MB_ICONERROR));
    EXPECT_EQ(SetMessageBoxFunction(previous), &Record);
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
