// Helper of the notice window's end-to-end tests, run under Wine beside the launcher:
//
//   NoticeHelper.exe windows
//       Prints one line per top-level window of the desktop:
//       hwnd=H class=C visible=0|1 left=L top=T right=R bottom=B style=S exstyle=X owner=O
//       (hexadecimal handles and styles; the title follows last as title=...).
//   NoticeHelper.exe texts HWND
//       Prints the text of each child window of HWND (hexadecimal), one line each: what a
//       message box says.
//   NoticeHelper.exe cover LEFT TOP WIDTH HEIGHT RRGGBB SECONDS [topmost]
//       Shows a borderless window of one colour there, brings it in front and into the
//       foreground (made topmost first when asked), and ends after SECONDS. The line "shown"
//       is printed once it is up.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/win/Win.h"

namespace {

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    char className[128] = {};
    char title[256] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    RECT rect = {};
    GetWindowRect(window, &rect);
    std::printf(
        "hwnd=%lx class=%s visible=%d left=%ld top=%ld right=%ld bottom=%ld style=%lx "
        "exstyle=%lx owner=%lx title=%s\n",
        static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)), className,
        IsWindowVisible(window) ? 1 : 0, rect.left, rect.top, rect.right, rect.bottom,
        static_cast<unsigned long>(GetWindowLongA(window, GWL_STYLE)),
        static_cast<unsigned long>(GetWindowLongA(window, GWL_EXSTYLE)),
        static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetWindow(window, GW_OWNER))),
        title);
    return TRUE;
}

BOOL CALLBACK PrintText(HWND window, LPARAM) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    std::printf("%s\n", text);
    return TRUE;
}

COLORREF g_colour = 0;

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(g_colour);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Cover(int argc, char** argv) {
    if (argc < 8)
        return 2;
    const int left = std::atoi(argv[2]), top = std::atoi(argv[3]);
    const int width = std::atoi(argv[4]), height = std::atoi(argv[5]);
    const unsigned long rgb = std::strtoul(argv[6], nullptr, 16);
    g_colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    const DWORD seconds = static_cast<DWORD>(std::atoi(argv[7]));
    const bool topmost = argc > 8 && std::strcmp(argv[8], "topmost") == 0;

    WNDCLASSA wc = {};
    wc.lpfnWndProc = CoverProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "NoticeTestCover";
    RegisterClassA(&wc);
    HWND window =
        CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, wc.lpszClassName, "cover", WS_POPUP, left, top,
                        width, height, nullptr, nullptr, wc.hInstance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, SW_SHOW);
    if (topmost)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(window);
    BringWindowToTop(window);
    UpdateWindow(window);
    std::printf("shown\n");
    std::fflush(stdout);
    SetTimer(window, 1, seconds * 1000, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.hwnd == window) {
            DestroyWindow(window);
            continue;
        }
        DispatchMessageA(&msg);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "windows") == 0) {
        EnumWindows(PrintWindow, 0);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "texts") == 0) {
        HWND window = reinterpret_cast<HWND>(std::strtoul(argv[2], nullptr, 16));
        EnumChildWindows(window, PrintText, 0);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "cover") == 0)
        return Cover(argc, argv);
    std::fprintf(
        stderr,
        "usage: NoticeHelper windows | texts HWND | cover L T W H RRGGBB SECONDS [topmost]\n");
    return 2;
}
