// The yardstick for the launcher's start-up cost: a program that does nothing but start the
// command line it was given, as the launcher starts the installer (no window, handles
// closed, not waited for).
//   BareLaunch.exe "C:\Support Disc\setup.exe" -s
#include "framework/win/Win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process)) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return 0;
}
