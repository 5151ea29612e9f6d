#include <gtest/gtest.h>

#include "framework/win/Win.h"
#include "tessel/widget/LayeredWindow.h"
#include "tests/support/AssertCapture.h"

using tessel::LayeredWindowMaker;
using tessel::RgbColor;

namespace {

// A top-level window of our own class that counts how often its extended style is written.
int g_exStyleWrites = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STYLECHANGED && wParam == static_cast<WPARAM>(GWL_EXSTYLE))
        ++g_exStyleWrites;
    return DefWindowProcA(window, message, wParam, lParam);
}

class TestWindow {
public:
    explicit TestWindow(DWORD exStyle) {
        static const ATOM atom = [] {
            WNDCLASSA wc = {};
            wc.lpfnWndProc = CountingProc;
            wc.hInstance = GetModuleHandleA(nullptr);
            wc.lpszClassName = "LayeredWindowTest";
            wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
            return RegisterClassA(&wc);
        }();
        m_window =
            CreateWindowExA(exStyle, MAKEINTATOM(atom), "layered", WS_POPUP | WS_VISIBLE, 40, 40,
                            120, 80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        Settle();
        g_exStyleWrites = 0;
    }
    ~TestWindow() { DestroyWindow(m_window); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return m_window; }
    LONG ExStyle() const { return GetWindowLongA(m_window, GWL_EXSTYLE); }
    // Paints whatever is pending, so that a later invalidation can be seen.
    void Settle() const {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        UpdateWindow(m_window);
        ValidateRect(m_window, nullptr);
    }
    bool NeedsPaint() const { return GetUpdateRect(m_window, nullptr, FALSE) != FALSE; }

private:
    HWND m_window = nullptr;
};

struct LayeredAttributes {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};

LayeredAttributes AttributesOf(HWND window) {
    LayeredAttributes a;
    EXPECT_TRUE(GetLayeredWindowAttributes(window, &a.key, &a.alpha, &a.flags));
    return a;
}

constexpr COLORREF kSkinKey = RGB(255, 126, 241);

} // namespace

TEST(LayeredWindowMaker, StartsWithTheEntryFoundAndWhiteKeyOff) {
    LayeredWindowMaker maker;
    EXPECT_TRUE(maker.IsEnabled());
    EXPECT_EQ(maker.ColorKey().Rgb(), 0xFFFFFFu);
    // With both switches off, a plain window is left as it is.
    TestWindow window(0);
    EXPECT_FALSE(maker.Apply(window.Handle()));
    EXPECT_EQ(g_exStyleWrites, 0);
    EXPECT_FALSE(window.NeedsPaint());
}

TEST(LayeredWindowMaker, ApplyWithColourKeyMakesTheWindowLayeredWithThatKey) {
    LayeredWindowMaker maker;
    maker.SetColorKeyEnabled(true);
    maker.SetColorKey(RgbColor(static_cast<std::uint32_t>(0xFF000000u | kSkinKey)));
    TestWindow window(WS_EX_TOOLWINDOW);

    EXPECT_TRUE(maker.Apply(window.Handle()));

    EXPECT_EQ(window.ExStyle() & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW),
              WS_EX_LAYERED | WS_EX_TOOLWINDOW);
    const LayeredAttributes a = AttributesOf(window.Handle());
    EXPECT_EQ(a.key, kSkinKey); // the high byte of the key never reaches the platform
    // Wine reports alpha only for LWA_ALPHA, so the 255 passed along cannot be read back.
    EXPECT_EQ(a.flags, static_cast<DWORD>(LWA_COLORKEY));
}

TEST(LayeredWindowMaker, ApplyTwiceWritesTheStyleOnceButSetsTheAttributesBothTimes) {
    LayeredWindowMaker maker;
    maker.SetColorKeyEnabled(true);
    maker.SetColorKey(RgbColor(static_cast<std::uint32_t>(kSkinKey)));
    TestWindow window(0);

    EXPECT_TRUE(maker.Apply(window.Handle()));
    maker.SetColorKey(RgbColor(static_cast<std::uint32_t>(RGB(1, 2, 3))));
    EXPECT_TRUE(maker.Apply(window.Handle()));

    EXPECT_EQ(g_exStyleWrites, 1);
    EXPECT_EQ(AttributesOf(window.Handle()).key, RGB(1, 2, 3));
}

TEST(LayeredWindowMaker, ApplyWithBothSwitchesOffTakesTheLayeredStyleOffAndRedraws) {
    LayeredWindowMaker keyed;
    keyed.SetColorKeyEnabled(true);
    TestWindow window(0);
    ASSERT_TRUE(keyed.Apply(window.Handle()));
    window.Settle();
    g_exStyleWrites = 0;

    LayeredWindowMaker plain;
    EXPECT_TRUE(plain.Apply(window.Handle()));

    EXPECT_EQ(window.ExStyle() & WS_EX_LAYERED, 0);
    EXPECT_EQ(g_exStyleWrites, 1);
    EXPECT_TRUE(window.NeedsPaint());
}

TEST(LayeredWindowMaker, RemoveClearsLayeredAndClickThroughKeepingEveryOtherBit) {
    const LONG others = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE | WS_EX_TOPMOST;
    TestWindow window(others | WS_EX_LAYERED | WS_EX_TRANSPARENT);
    const LONG before = window.ExStyle();
    ASSERT_EQ(before & (WS_EX_LAYERED | WS_EX_TRANSPARENT), WS_EX_LAYERED | WS_EX_TRANSPARENT);
    LayeredWindowMaker maker;

    EXPECT_TRUE(maker.Remove(window.Handle()));
    EXPECT_EQ(window.ExStyle(), before & ~(WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_EQ(g_exStyleWrites, 1);
    EXPECT_TRUE(window.NeedsPaint());

    // A second Remove finds nothing to do: no write, no redraw.
    window.Settle();
    EXPECT_FALSE(maker.Remove(window.Handle()));
    EXPECT_EQ(g_exStyleWrites, 1);
    EXPECT_FALSE(window.NeedsPaint());
}

TEST(LayeredWindowMaker, ApplyWithoutTheEntryIsAProgrammingError) {
    struct Case {
        const char* name;
        HMODULE module;
    } cases[] = {
        {"no module", nullptr},
        {"module without the entry", GetModuleHandleA("kernel32.dll")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LayeredWindowMaker maker(c.module);
        maker.SetColorKeyEnabled(true);
        EXPECT_FALSE(maker.IsEnabled());
        TestWindow window(0);
        EXPECT_EQ(AssertionTextOf([&] { maker.Apply(window.Handle()); }),
                  "Assertion failed: IsEnabled(), file tessel/widget/Source/LayeredWindow, "
                  "line 111");
        EXPECT_EQ(window.ExStyle() & WS_EX_LAYERED, 0);
    }
}
