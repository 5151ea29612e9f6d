// Stands in for the installer: writes the arguments it was given and the folder it was
// started in to "<its file name>.record" in the folder named by FAKE_SETUP_RECORDS (beside
// itself when that is unset), then ends. Everything is read wide and written as UTF-8, so
// that a folder named in any script is recorded as it is. It imports only kernel32 and the
// C runtime (built with -municode for its wide arguments): the planted-DLL test runs it
// from a folder full of planted system libraries. The record appears whole
// (written aside, then renamed), so a reader that sees it may read it.
#include <cstdio>
#include <string>

#include "framework/win/Win.h"

namespace {

std::string Utf8(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return std::string();
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], size, nullptr, nullptr);
    utf8.resize(static_cast<size_t>(size) - 1);
    return utf8;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    wchar_t path[4096];
    const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
    if (length == 0 || length >= 4096)
        return 1;
    wchar_t directory[4096];
    const DWORD directoryLength = GetCurrentDirectoryW(4096, directory);
    if (directoryLength == 0 || directoryLength >= 4096)
        return 1;

    std::wstring record = path;
    wchar_t folder[4096];
    const DWORD folderLength = GetEnvironmentVariableW(L"FAKE_SETUP_RECORDS", folder, 4096);
    if (folderLength > 0 && folderLength < 4096)
        record = std::wstring(folder) + L"\\" + record.substr(record.rfind(L'\\') + 1);
    record += L".record";
    const std::wstring partial = record + L".partial";
    FILE* file = _wfopen(partial.c_str(), L"wb");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "arguments=%d\n", __argc - 1);
    for (int i = 1; i < __argc; ++i)
        std::fprintf(file, "argument=%s\n", Utf8(__wargv[i]).c_str());
    std::fprintf(file, "directory=%s\n", Utf8(directory).c_str());
    std::fprintf(file, "command=%s\n", Utf8(GetCommandLineW()).c_str());
    std::fclose(file);
    return MoveFileExW(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
