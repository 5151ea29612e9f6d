#pragma once
#include <string>

#include "framework/win/Win.h"
#include "launcher/LaunchNames.h"

// The system services the start step goes through. Tests hand in their own to watch a start
// or to make one fail. They are the wide ones: a folder named in characters the ANSI code
// page cannot hold (Cyrillic on a Western system) comes back from the ANSI ones with '?'
// in their place, and nothing could be started from there.
struct ProcessServices {
    DWORD(WINAPI* moduleFileName)(HMODULE module, LPWSTR path, DWORD size);
    BOOL(WINAPI* createProcess)
    (LPCWSTR application, LPWSTR commandLine, LPSECURITY_ATTRIBUTES processAttributes,
     LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles, DWORD creationFlags,
     LPVOID environment, LPCWSTR directory, LPSTARTUPINFOW startup, LPPROCESS_INFORMATION process);
    BOOL(WINAPI* shellExecuteEx)(SHELLEXECUTEINFOW* info);
};

// The real services. The programs bind shell32 lazily, so the installer path loads no shell
// library unless the shell start is needed.
const ProcessServices& SystemProcessServices();

// Whether `root`\`path` has a subkey naming a framework of version 2 or later.
bool HasVersionSubKey(HKEY root, const char* path);
bool HasNetFramework2OrLater();

// The folder of the running program through its last backslash; "" when its path cannot be
// read.
WideString GetModuleDirectory(const ProcessServices& services = SystemProcessServices());

// Starts "setup.exe" from the program's own folder, named in full so that the system searches
// nothing, in that folder, with `arguments` (ASCII, "" for none) and without a window, and
// does not wait for it. True when it was started.
bool LaunchSetup(const char* arguments, const ProcessServices& services = SystemProcessServices());
