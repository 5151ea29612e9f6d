// The yardstick for the launcher's start-up cost: a program that does nothing but start the
// command line it was given, as the launcher starts the installer (no window, handles
// closed, not waited for).
//   BareLaunch.exe "C:\Support Disc\setup.exe" -s
// With BARE_LAUNCH_APPLICATION set, that path is also handed over as the program's name, as
// the launcher does; the end-to-end tests use it to show that the name, not the command
// line, decides what starts.
#include "framework/win/Win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    char application[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("BARE_LAUNCH_APPLICATION", application, MAX_PATH);
    const bool named = length > 0 && length < MAX_PATH;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(named ? application : nullptr, commandLine, nullptr, nullptr, FALSE,
                       CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    return 0;
}
