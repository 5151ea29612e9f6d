#include "launcher/SystemLibraries.h"

#include <cstring>

namespace {

// Flags of LoadLibraryEx and SetDefaultDllDirectories, which not every set of Win32 headers
// names for an XP target.
constexpr DWORD kSearchSystem32 = 0x00000800;    // LOAD_LIBRARY_SEARCH_SYSTEM32
constexpr DWORD kAlteredSearchPath = 0x00000008; // LOAD_WITH_ALTERED_SEARCH_PATH

// A kernel32 function the oldest systems we run on lack (XP before SP1 has no
// SetDllDirectoryA; before Windows 8 only an update brings SetDefaultDllDirectories).
template <class Function> Function Kernel32Function(const char* name) {
    HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
    return kernel32 == nullptr ? nullptr
                               : reinterpret_cast<Function>(
                                     reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

// LoadLibraryEx knows the LOAD_LIBRARY_SEARCH_ flags exactly where AddDllDirectory exists;
// elsewhere it rejects them.
bool HasSearchFlags() {
    static const bool has = Kernel32Function<void*(WINAPI*)(PCWSTR)>("AddDllDirectory") != nullptr;
    return has;
}

} // namespace

void RestrictDllSearch() {
    if (auto setDllDirectory = Kernel32Function<BOOL(WINAPI*)(LPCSTR)>("SetDllDirectoryA"))
        setDllDirectory(""); // "" takes the current folder out; null would put it back
    if (auto setDefault = Kernel32Function<BOOL(WINAPI*)(DWORD)>("SetDefaultDllDirectories"))
        setDefault(kSearchSystem32);
}

HMODULE LoadSystemLibrary(const char* name) {
    if (HasSearchFlags())
        return LoadLibraryExA(name, nullptr, kSearchSystem32);
    char path[MAX_PATH + 64];
    const UINT folder = GetSystemDirectoryA(path, MAX_PATH);
    const size_t nameLength = std::strlen(name);
    if (folder == 0 || folder >= MAX_PATH || nameLength >= sizeof path - folder - 1)
        return nullptr;
    path[folder] = '\\';
    std::memcpy(path + folder + 1, name, nameLength + 1);
    // With the full path, the library's own imports are searched from the system folder
    // too, not from the program's.
    return LoadLibraryExA(path, nullptr, kAlteredSearchPath);
}
