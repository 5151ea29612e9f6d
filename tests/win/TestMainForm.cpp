// The notice window as spelorin builds it (this test carries spelorin's form resource), on
// real windows under Wine: reading the form, preparing the window, the handlers, the order of
// the foreground calls and the handles a form leaves behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "KxPackage/Source/KxButtonTx.h"
#include "framework/ui/Application.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Timer.h"
#include "launcher/MainForm.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinRegionReference.h"
#include "tests/support/WinWindowShape.h"

namespace {

constexpr COLORREF kKey = RGB(255, 126, 241);

// MainForm made as the program makes it, and destroyed again at the end of the test.
struct NoticeForm {
    NoticeForm() { Application->CreateForm(MainForm); }
    // With the layered-window service looked up in `user32` instead of the loaded user32.dll.
    explicit NoticeForm(HMODULE user32) { Application->CreateForm(MainForm, user32); }
    ~NoticeForm() {
        delete MainForm;
        MainForm = nullptr;
        // A Close() of the main form asked the loop to end; that request is not for later tests.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    TMainForm* operator->() const { return MainForm; }
};

bool QuitRequested() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != 0;
}

TEST(MainForm, CentresWithTheDivisionRoundedTowardZero) {
    const struct {
        int screen, extent, start;
    } cases[] = {
        {1024, 400, 312}, {768, 190, 289}, {400, 400, 0}, {395, 400, -2}, // -5 / 2 is -2, not -3
        {399, 400, 0},    {397, 400, -1},  {0, 190, -95},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CentredStart(c.screen, c.extent), c.start) << c.screen << " " << c.extent;
}

TEST(MainForm, IsReadFromItsResourceWithEveryPublishedFieldAndHandler) {
    NoticeForm form;
    ASSERT_NE(form->Background, nullptr);
    ASSERT_NE(form->Message, nullptr);
    ASSERT_NE(form->Causion, nullptr);
    ASSERT_NE(form->YesButton, nullptr);
    ASSERT_NE(form->Timer, nullptr);
    EXPECT_EQ(form->Caption(), "Velmora KVX Setup");
    EXPECT_FALSE(form->Scaled());
    EXPECT_EQ(form->Width(), 451); // the design width, until the window is prepared
    EXPECT_EQ(form->Background->Picture()->Width(), 400);
    EXPECT_EQ(form->Background->Picture()->Height(), 190);
    EXPECT_EQ(form->Message->Caption(), "Please install Microsoft .NET Framework 2.0 before "
                                        "installing any program from the support DVD!");
    EXPECT_EQ(form->Causion->Caption(), "");
    EXPECT_EQ(form->YesButton->Caption(), "OK");
    EXPECT_EQ(form->YesButton->GetModalResult(), 6);
    EXPECT_EQ(form->Timer->Interval(), 500u);
    EXPECT_TRUE(form->Timer->Enabled());

    EXPECT_TRUE(form->OnShow == TNotifyEvent(MainForm, &TMainForm::FormShow));
    EXPECT_TRUE(form->YesButton->OnClick == TNotifyEvent(MainForm, &TMainForm::YesButtonClick));
    EXPECT_TRUE(form->Timer->OnTimer == TNotifyEvent(MainForm, &TMainForm::TimerTimer));
}

TEST(MainForm, SkinGivesTheRunByRunRegion) {
    NoticeForm form;
    TBitmap skin;
    skin.Assign(form->Background->Picture()->Bitmap());
    skin.SetPixelFormat(pf24bit);
    EXPECT_TRUE(FromBitmapMatchesRunByRun(skin, kKey));
}

TEST(MainForm, PrepareWindowShapesCentresAndHidesTheTaskbarButton) {
    NoticeForm form;
    form->PrepareWindow();
    HWND window = form->Handle();
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 312);
    EXPECT_EQ(rect.top, 289);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 190);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);

    ASSERT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
    EXPECT_EQ(key, kKey);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_EQ(form->Color(), static_cast<TColor>(kKey));

    // The bit WS_EX_TOPMOST is not read back: set with SetWindowLongA it is ignored.
    const LONG application = GetWindowLongA(Application->Handle(), GWL_EXSTYLE);
    EXPECT_NE(application & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(application & WS_EX_APPWINDOW, 0);
}

TEST(MainForm, ShownItTakesTheForegroundAndHidesTheApplicationWindow) {
    NoticeForm form;
    form->PrepareWindow();
    form->Show();
    PumpMessages(50);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(Application->Handle()));
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
}

TEST(MainForm, TheTimerTakesTheForegroundBackWithinHalfASecond) {
    NoticeForm form;
    form->PrepareWindow();
    form->Show();
    PumpMessages(50);
    TForm other(nullptr);
    other.SetBorderStyle(bsNone);
    other.SetBounds(0, 0, 100, 100);
    other.Show();
    ASSERT_TRUE(MakeForeground(other.Handle()));
    const DWORD start = GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }, 1500));
    EXPECT_LE(GetTickCount() - start, 700u);
}

TEST(MainForm, PressingOkEndsTheMessageLoop) {
    NoticeForm form;
    form->PrepareWindow();
    form->Show();
    PumpMessages(50);
    ASSERT_FALSE(QuitRequested());
    const int x = form->YesButton->Left() + form->YesButton->Width() / 2;
    const int y = form->YesButton->Top() + form->YesButton->Height() / 2;
    ClickMouse(form->Handle(), x, y);
    // The pump handles the quit request it finds (the application notes it as terminated).
    EXPECT_TRUE(PumpUntil([] { return Application->Terminated() || QuitRequested(); }, 1000));
}

TEST(MainForm, EnterEscapeAndSpaceAnswerAsOkDoesButNotOtherOrRepeatedKeys) {
    constexpr LPARAM kRepeated = 1 << 30; // the key was already down
    const struct {
        WPARAM key;
        LPARAM flags;
        bool answers;
    } cases[] = {
        {VK_RETURN, 0, true},
        {VK_ESCAPE, 0, true},
        {VK_SPACE, 0, true},
        {'A', 0, false},
        {VK_TAB, 0, false},
        {VK_F4, 0, false},
        {VK_RETURN, kRepeated, false},
        {VK_ESCAPE, kRepeated, false},
    };
    for (const auto& c : cases) {
        NoticeForm form;
        form->PrepareWindow();
        form->Show();
        PumpMessages(50);
        ASSERT_FALSE(QuitRequested());
        SendMessageA(form->Handle(), WM_KEYDOWN, c.key, 1 | c.flags);
        EXPECT_EQ(QuitRequested(), c.answers) << "key " << c.key << " flags " << c.flags;
        // As a click on OK: the form takes the button's result (6) before it closes.
        EXPECT_EQ(form->ModalResult(), c.answers ? 6 : 0) << "key " << c.key;
    }
}

TEST(MainForm, WithoutLayeredWindowsItShowsRectangularAndOkClosesIt) {
    // kernel32 has no SetLayeredWindowAttributes: the system as it is without layered windows.
    NoticeForm form(GetModuleHandleA("kernel32.dll"));
    form->PrepareWindow();
    form->Show();
    PumpMessages(50);
    HWND window = form->Handle();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    EXPECT_EQ(WindowShape(window).kind, ERROR); // no region: the whole rectangle
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.left, 312); // still borderless, sized to the skin and centred
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 190);
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_NE(form->Color(), static_cast<TColor>(kKey)); // the key colour is not see-through

    ASSERT_FALSE(QuitRequested());
    ClickMouse(window, form->YesButton->Left() + form->YesButton->Width() / 2,
               form->YesButton->Top() + form->YesButton->Height() / 2);
    EXPECT_TRUE(PumpUntil([] { return Application->Terminated() || QuitRequested(); }, 1000));
}

// ---- BringWindowToForeground, through recording services ----

std::vector<std::string>& Calls() {
    static std::vector<std::string> calls;
    return calls;
}
HWND g_window = nullptr;
HWND g_other = nullptr;
bool g_refuse = false; // the foreground stays with g_other, as when the system refuses

std::string Name(HWND window) {
    return window == g_window ? "window" : window == g_other ? "other" : window ? "?" : "none";
}

BOOL WINAPI RecIsIconic(HWND w) {
    const BOOL iconic = IsIconic(w);
    Calls().push_back("IsIconic " + Name(w) + (iconic ? " yes" : " no"));
    return iconic;
}
BOOL WINAPI RecShowWindow(HWND w, int command) {
    Calls().push_back("ShowWindow " + Name(w) + " " + std::to_string(command));
    return ShowWindow(w, command);
}
HWND WINAPI RecGetForegroundWindow() {
    HWND foreground = g_refuse ? g_other : GetForegroundWindow();
    Calls().push_back("GetForegroundWindow " + Name(foreground));
    return foreground;
}
DWORD WINAPI RecGetWindowThreadProcessId(HWND w, LPDWORD process) {
    Calls().push_back("GetWindowThreadProcessId " + Name(w) + (process ? " pid" : ""));
    return GetWindowThreadProcessId(w, process);
}
BOOL WINAPI RecAttachThreadInput(DWORD from, DWORD to, BOOL attach) {
    const DWORD own = GetCurrentThreadId();
    Calls().push_back(std::string("AttachThreadInput ") + (from == own ? "own" : "?") + " " +
                      (to != own ? "other" : "own") + (attach ? " attach" : " detach"));
    return AttachThreadInput(from, to, attach);
}
BOOL WINAPI RecAllowSetForegroundWindow(DWORD process) {
    Calls().push_back("AllowSetForegroundWindow " + std::to_string(static_cast<int>(process)));
    return AllowSetForegroundWindow(process);
}
BOOL WINAPI RecSetForegroundWindow(HWND w) {
    Calls().push_back("SetForegroundWindow " + Name(w));
    return SetForegroundWindow(w);
}
BOOL WINAPI RecBringWindowToTop(HWND w) {
    Calls().push_back("BringWindowToTop " + Name(w));
    return BringWindowToTop(w);
}
BOOL WINAPI RecSystemParametersInfo(UINT action, UINT parameter, PVOID value, UINT flags) {
    std::string entry = action == SPI_GETFOREGROUNDLOCKTIMEOUT   ? "GetLockTimeout"
                        : action == SPI_SETFOREGROUNDLOCKTIMEOUT ? "SetLockTimeout"
                                                                 : "SPI?";
    if (action == SPI_SETFOREGROUNDLOCKTIMEOUT)
        entry += " " + std::to_string(reinterpret_cast<ULONG_PTR>(value));
    Calls().push_back(entry + " " + std::to_string(parameter) + " flags " + std::to_string(flags));
    return SystemParametersInfoA(action, parameter, value, flags);
}

const ForegroundServices kRecording = {
    RecIsIconic,
    RecShowWindow,
    RecGetForegroundWindow,
    RecGetWindowThreadProcessId,
    RecAttachThreadInput,
    RecAllowSetForegroundWindow,
    RecSetForegroundWindow,
    RecBringWindowToTop,
    RecSystemParametersInfo,
};

// A top-level window of another thread, in the foreground while the test runs.
class OtherThreadWindow {
public:
    OtherThreadWindow() {
        m_thread = std::thread([this] {
            TForm form(nullptr);
            form.SetBorderStyle(bsNone);
            form.SetBounds(600, 0, 100, 100);
            form.Show();
            m_window = form.Handle();
            SetForegroundWindow(m_window);
            MSG msg;
            while (!m_stop) {
                while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                    DispatchMessageA(&msg);
                Sleep(5);
            }
        });
        for (int i = 0; i < 400 && (!m_window || GetForegroundWindow() != m_window); ++i)
            Sleep(5);
    }
    ~OtherThreadWindow() {
        m_stop = true;
        m_thread.join();
    }
    HWND Handle() const { return m_window; }

private:
    std::thread m_thread;
    volatile HWND m_window = nullptr;
    volatile bool m_stop = false;
};

std::string Joined(const std::vector<std::string>& calls) {
    std::string all;
    for (const std::string& call : calls)
        all += call + "\n";
    return all;
}

struct ForegroundCase : ::testing::Test {
    TForm form{nullptr};
    void SetUp() override {
        form.SetBorderStyle(bsNone);
        form.SetBounds(100, 100, 200, 100);
        form.Show();
        PumpMessages(20);
        g_window = form.Handle();
        g_other = nullptr;
        g_refuse = false;
        Calls().clear();
    }
    void TearDown() override {
        g_window = g_other = nullptr;
        g_refuse = false;
    }
};

TEST_F(ForegroundCase, InTheSameThreadItNeedsNoAttachedInput) {
    MakeForeground(g_window);
    BringWindowToForeground(g_window, kRecording);
    EXPECT_EQ(Joined(Calls()), "IsIconic window no\n"
                               "GetForegroundWindow window\n"
                               "GetWindowThreadProcessId window\n"
                               "GetWindowThreadProcessId window\n"
                               "AllowSetForegroundWindow -1\n"
                               "SetForegroundWindow window\n"
                               "BringWindowToTop window\n"
                               "GetForegroundWindow window\n"
                               "IsIconic window no\n"
                               "ShowWindow window 5\n");
}

TEST_F(ForegroundCase, AMinimisedWindowIsRestoredFirst) {
    ShowWindow(g_window, SW_MINIMIZE);
    PumpMessages(20);
    ASSERT_TRUE(IsIconic(g_window));
    BringWindowToForeground(g_window, kRecording);
    ASSERT_GE(Calls().size(), 2u);
    EXPECT_EQ(Calls()[0], "IsIconic window yes");
    EXPECT_EQ(Calls()[1], "ShowWindow window 9");
    EXPECT_FALSE(IsIconic(g_window));
    EXPECT_EQ(Calls().back(), "ShowWindow window 5");
}

TEST_F(ForegroundCase, TheForegroundThreadsInputIsAttachedAroundTheSwitch) {
    OtherThreadWindow other;
    g_other = other.Handle();
    ASSERT_EQ(GetForegroundWindow(), g_other);
    BringWindowToForeground(g_window, kRecording);
    const std::vector<std::string> switchCalls(
        Calls().begin(), Calls().begin() + std::min<size_t>(9, Calls().size()));
    EXPECT_EQ(Joined(switchCalls), "IsIconic window no\n"
                                   "GetForegroundWindow other\n"
                                   "GetWindowThreadProcessId window\n"
                                   "GetWindowThreadProcessId other\n"
                                   "AttachThreadInput own other attach\n"
                                   "AllowSetForegroundWindow -1\n"
                                   "SetForegroundWindow window\n"
                                   "BringWindowToTop window\n"
                                   "AttachThreadInput own other detach\n");
    // Wine hands the foreground over asynchronously: right after the switch it may report no
    // foreground window yet, which takes the second try. Either way the window is shown last
    // and ends in the foreground.
    EXPECT_EQ(Calls().back(), "ShowWindow window 5");
    EXPECT_TRUE(PumpUntil([&] { return GetForegroundWindow() == g_window; }, 1000));
}

TEST_F(ForegroundCase, ARefusedSwitchIsTriedAgainWithoutTheLockTimeoutWhichIsThenPutBack) {
    OtherThreadWindow other;
    g_other = other.Handle();
    DWORD before = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &before, 0);
    g_refuse = true;
    BringWindowToForeground(g_window, kRecording);
    const std::string saved = std::to_string(before);
    EXPECT_EQ(Joined(Calls()), "IsIconic window no\n"
                               "GetForegroundWindow other\n"
                               "GetWindowThreadProcessId window\n"
                               "GetWindowThreadProcessId other\n"
                               "AttachThreadInput own other attach\n"
                               "AllowSetForegroundWindow -1\n"
                               "SetForegroundWindow window\n"
                               "BringWindowToTop window\n"
                               "AttachThreadInput own other detach\n"
                               "GetForegroundWindow other\n"
                               "GetLockTimeout 0 flags 0\n"
                               "SetLockTimeout 0 0 flags 2\n"
                               "BringWindowToTop window\n"
                               "SetForegroundWindow window\n"
                               "SetLockTimeout " +
                                   saved +
                                   " 0 flags 2\n"
                                   "IsIconic window no\n"
                                   "ShowWindow window 5\n");
    DWORD after = 0;
    SystemParametersInfoA(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &after, 0);
    EXPECT_EQ(after, before);
}

// ---- resources ----

TEST(MainForm, LeavesNoWindowsOrGdiObjectsBehind) {
    Application->Handle();
    auto cycle = [] {
        NoticeForm form;
        form->PrepareWindow();
        form->Show();
        PumpMessages(100); // painted and the timer fired at least once
    };
    PumpMessages(20);
    const int gdiFirst = CountGdiObjects();
    const int windowsFirst = CountWindows();
    cycle();
    PumpMessages(20);
    const int gdiAfterFirst = CountGdiObjects();
    const int windowsAfterFirst = CountWindows();
    for (int i = 0; i < 5; ++i)
        cycle();
    PumpMessages(20);
    // The first form may leave what the framework keeps for the process (stock objects it
    // caches); every later one must leave nothing.
    std::printf("GDI objects %d before the first form, %d after it, %d after five more; "
                "windows %d, %d, %d\n",
                gdiFirst, gdiAfterFirst, CountGdiObjects(), windowsFirst, windowsAfterFirst,
                CountWindows());
    EXPECT_EQ(CountGdiObjects(), gdiAfterFirst);
    EXPECT_EQ(CountWindows(), windowsAfterFirst);
    EXPECT_EQ(windowsAfterFirst, windowsFirst);
}

} // namespace
