// Stands in for the installer: writes the arguments it was given and the folder it was
// started in to "<its file name>.record" in the folder named by FAKE_SETUP_RECORDS (beside
// itself when that is unset), then ends. The record appears whole (written aside, then
// renamed), so a reader that sees it may read it.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/win/Win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[4096];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return 1;
    char directory[4096];
    const DWORD directoryLength = GetCurrentDirectoryA(sizeof directory, directory);
    if (directoryLength == 0 || directoryLength >= sizeof directory)
        return 1;

    std::string record = path;
    char folder[4096];
    const DWORD folderLength = GetEnvironmentVariableA("FAKE_SETUP_RECORDS", folder, sizeof folder);
    if (folderLength > 0 && folderLength < sizeof folder)
        record = std::string(folder) + "\\" + record.substr(record.rfind('\\') + 1);
    record += ".record";
    const std::string partial = record + ".partial";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr)
        return 1;
    std::fprintf(file, "arguments=%d\n", __argc - 1);
    for (int i = 1; i < __argc; ++i)
        std::fprintf(file, "argument=%s\n", __argv[i]);
    std::fprintf(file, "directory=%s\n", directory);
    std::fprintf(file, "command=%s\n", GetCommandLineA());
    std::fclose(file);
    return MoveFileExA(partial.c_str(), record.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
