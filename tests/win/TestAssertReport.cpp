#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "framework/ui/MessageBox.h"
#include "tessel/System/Assert.h"

// The default report of a failed check ends the process, so it is watched from outside: this
// executable starts itself again to run the child test alone, with the boxes written to a file.
namespace {

const char* const kLogVariable = "ASSERT_REPORT_LOG";

int WriteBoxToLog(HWND owner, const char* text, const char* caption, UINT flags) {
    if (FILE* log = std::fopen(std::getenv(kLogVariable), "a")) {
        std::fprintf(log, "%s|%s|%u|%s\n", text, caption, flags, owner ? "owner" : "no owner");
        std::fclose(log);
    }
    return IDOK;
}

std::string OwnPath() {
    char path[MAX_PATH * 4] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path) - 1);
    return path;
}

std::string FileNameOf(const std::string& path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

} // namespace

TEST(AssertReportChild, FailsACheck) {
    if (!std::getenv(kLogVariable))
        GTEST_SKIP() << "runs only when started by the report test";
    SetMessageBoxFunction(WriteBoxToLog);
    TESSEL_ASSERT(1 + 1 == 3, "tessel/System/Example", 7);
    std::fprintf(stderr, "the program went on after a failed check\n");
}

TEST(AssertReport, ShowsTheTextTitledWithTheProgramThenEndsWithExitCode3) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string log = std::string(folder) + "assert-report.log";
    DeleteFileA(log.c_str());
    SetEnvironmentVariableA(kLogVariable, log.c_str());

    std::string command = "\"" + OwnPath() + "\" --gtest_filter=AssertReportChild.FailsACheck";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    SetEnvironmentVariableA(kLogVariable, nullptr);
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    EXPECT_EQ(exitCode, 3u);
    std::ifstream file(log);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    const std::string title = FileNameOf(OwnPath());
    const std::string flags =
        std::to_string(MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "Assertion failed: 1 + 1 == 3, file tessel/System/Example, line 7|" +
                             title + "|" + flags + "|no owner",
                         "Abnormal program termination|" + title + "|" + flags + "|no owner",
                     }));
    file.close();
    DeleteFileA(log.c_str());
}
