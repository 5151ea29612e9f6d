// Times how long a GUI program takes to show its first window, for tools/bench-notice.sh:
//   StartupTimer.exe "C:\folder\program.exe" X Y RRGGBB
// starts the program, then prints
//   shown=<ms> painted=<ms>
// shown: until a visible top-level window of the new process with a size exists; painted:
// until the screen shows the colour RRGGBB at X, Y (the first frame on screen). Both are
// polled about every millisecond. Then it closes that window (WM_CLOSE), waits for the
// process to end and returns its exit code.
#include <cstdio>
#include <cstdlib>

#include "framework/win/Win.h"

namespace {

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindShown(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    RECT rect = {};
    GetWindowRect(window, &rect);
    // A window of no size (an application's hidden owner window) shows nothing.
    if (process == search->process && IsWindowVisible(window) && rect.right > rect.left &&
        rect.bottom > rect.top) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: StartupTimer \"program.exe\" X Y RRGGBB\n");
        return 2;
    }
    const int x = std::atoi(argv[2]), y = std::atoi(argv[3]);
    const unsigned long rgb = std::strtoul(argv[4], nullptr, 16);
    const COLORREF wanted = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    HDC screen = GetDC(nullptr);
    if (GetPixel(screen, x, y) == wanted) {
        std::fprintf(stderr, "the screen shows that colour already\n");
        return 2;
    }

    char commandLine[1024];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", argv[1]);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    LARGE_INTEGER start, shownAt = {}, paintedAt = {};
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (%lu)\n", argv[1], GetLastError());
        return 2;
    }
    Search search = {info.dwProcessId, nullptr};
    bool painted = false;
    while (!(search.found && painted)) {
        if (!search.found) {
            EnumWindows(FindShown, reinterpret_cast<LPARAM>(&search));
            if (search.found)
                QueryPerformanceCounter(&shownAt);
        }
        if (!painted && GetPixel(screen, x, y) == wanted) {
            painted = true;
            QueryPerformanceCounter(&paintedAt);
        }
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        if (WaitForSingleObject(info.hProcess, 1) != WAIT_TIMEOUT ||
            Milliseconds(start, now) > 60000)
            break;
    }
    ReleaseDC(nullptr, screen);
    if (!search.found || !painted) {
        std::fprintf(stderr, "no window shown and painted\n");
        TerminateProcess(info.hProcess, 1);
        return 2;
    }
    std::printf("shown=%.1f painted=%.1f\n", Milliseconds(start, shownAt),
                Milliseconds(start, paintedAt));
    std::fflush(stdout);
    PostMessageA(search.found, WM_CLOSE, 0, 0);
    DWORD code = 1;
    if (WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return static_cast<int>(code);
}
