#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "launcher/LaunchSetup.h"
#include "tests/support/WinScratchKey.h"

namespace {

// What the stand-in services saw and what they answer.
struct Observed {
    std::vector<DWORD> moduleBufferSizes;
    int creates = 0;
    WideString application;
    WideString commandLine;
    bool attributesNull = false;
    BOOL inheritHandles = TRUE;
    DWORD creationFlags = 0;
    bool environmentNull = false;
    WideString createDirectory;
    STARTUPINFOW startup = {};
    int shellStarts = 0;
    SHELLEXECUTEINFOW shell = {};
    WideString shellFile, shellParameters, shellDirectory;
    bool shellParametersNull = false;
};

Observed g_seen;
WideString g_modulePath;        // the path the module service reports
bool g_moduleAlwaysCut = false; // report every buffer as too small
BOOL g_createResult = TRUE;
DWORD g_createError = ERROR_SUCCESS;
HANDLE g_createdProcess = nullptr, g_createdThread = nullptr;
BOOL g_shellResult = TRUE;
HANDLE g_shellProcess = nullptr;
decltype(ProcessServices::shellExecuteEx) g_forwardShell = nullptr;

// Behaves as Wine does: a cut path fills the buffer and gets no terminator.
DWORD WINAPI FakeModuleFileName(HMODULE module, LPWSTR path, DWORD size) {
    EXPECT_EQ(module, nullptr);
    g_seen.moduleBufferSizes.push_back(size);
    if (g_modulePath.empty())
        return 0;
    if (g_moduleAlwaysCut || g_modulePath.size() >= size) {
        std::wmemcpy(path, g_modulePath.data(), std::min<size_t>(size, g_modulePath.size()));
        return size;
    }
    std::wmemcpy(path, g_modulePath.c_str(), g_modulePath.size() + 1);
    return static_cast<DWORD>(g_modulePath.size());
}

BOOL WINAPI FakeCreateProcess(LPCWSTR application, LPWSTR commandLine,
                              LPSECURITY_ATTRIBUTES processAttributes,
                              LPSECURITY_ATTRIBUTES threadAttributes, BOOL inheritHandles,
                              DWORD creationFlags, LPVOID environment, LPCWSTR directory,
                              LPSTARTUPINFOW startup, LPPROCESS_INFORMATION process) {
    ++g_seen.creates;
    g_seen.application = application ? application : L"(null)";
    g_seen.commandLine = commandLine;
    g_seen.attributesNull = processAttributes == nullptr && threadAttributes == nullptr;
    g_seen.inheritHandles = inheritHandles;
    g_seen.creationFlags = creationFlags;
    g_seen.environmentNull = environment == nullptr;
    g_seen.createDirectory = directory ? directory : L"(null)";
    g_seen.startup = *startup;
    if (!g_createResult) {
        SetLastError(g_createError);
        return FALSE;
    }
    process->hProcess = g_createdProcess;
    process->hThread = g_createdThread;
    return TRUE;
}

BOOL WINAPI FakeShellExecuteEx(SHELLEXECUTEINFOW* info) {
    ++g_seen.shellStarts;
    g_seen.shell = *info;
    g_seen.shellFile = info->lpFile ? info->lpFile : L"(null)";
    g_seen.shellParametersNull = info->lpParameters == nullptr;
    g_seen.shellParameters = info->lpParameters ? info->lpParameters : L"";
    g_seen.shellDirectory = info->lpDirectory ? info->lpDirectory : L"(null)";
    if (g_forwardShell)
        return g_forwardShell(info);
    if (g_shellResult && (info->fMask & SEE_MASK_NOCLOSEPROCESS))
        info->hProcess = g_shellProcess;
    return g_shellResult;
}

const ProcessServices kFakes = {&FakeModuleFileName, &FakeCreateProcess, &FakeShellExecuteEx};

bool IsOpenHandle(HANDLE handle) {
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != FALSE;
}

// An event handed to the launcher as a process or thread handle. The test keeps a duplicate
// of its own, so the value it handed out is never reused while the test looks at it.
struct HandedOutHandle {
    HandedOutHandle() {
        handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        DuplicateHandle(GetCurrentProcess(), handle, GetCurrentProcess(), &kept, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
    }
    ~HandedOutHandle() { CloseHandle(kept); }
    HANDLE handle = nullptr;
    HANDLE kept = nullptr;
};

class LaunchSetupTest : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void Reset() {
        g_seen = Observed();
        g_modulePath = L"C:\\Support Disc\\spelorin.exe";
        g_moduleAlwaysCut = false;
        g_createResult = TRUE;
        g_createError = ERROR_SUCCESS;
        m_process.reset(new HandedOutHandle);
        m_thread.reset(new HandedOutHandle);
        m_shellProcess.reset(new HandedOutHandle);
        g_createdProcess = m_process->handle;
        g_createdThread = m_thread->handle;
        g_shellProcess = m_shellProcess->handle;
        g_shellResult = TRUE;
        g_forwardShell = nullptr;
    }
    std::unique_ptr<HandedOutHandle> m_process, m_thread, m_shellProcess;
};

} // namespace

TEST_F(LaunchSetupTest, StartsQuotedSetupByFullNameInItsOwnFolderWithoutWindow) {
    // A folder the ANSI code page cannot name (Cyrillic, CJK) goes through whole.
    const struct {
        const wchar_t* modulePath;
        const char* arguments;
        const wchar_t* commandLine;
    } cases[] = {
        {L"C:\\Support Disc\\spelorin.exe", "-s", L"\"C:\\Support Disc\\setup.exe\" -s"},
        {L"C:\\Support Disc\\pelorin.exe", "", L"\"C:\\Support Disc\\setup.exe\""},
        {L"C:\\\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\\spelorin.exe", "-s",
         L"\"C:\\\u0423\u0441\u0442\u0430\u043d\u043e\u0432\u043a\u0430\\setup.exe\" -s"},
        {L"C:\\\u5b89\u88c5\\pelorin.exe", "", L"\"C:\\\u5b89\u88c5\\setup.exe\""},
    };
    for (const auto& c : cases) {
        Reset();
        g_modulePath = c.modulePath;
        const WideString folder = g_modulePath.substr(0, g_modulePath.rfind(L'\\') + 1);
        EXPECT_TRUE(LaunchSetup(c.arguments, kFakes));
        EXPECT_EQ(g_seen.creates, 1);
        EXPECT_EQ(g_seen.commandLine, c.commandLine);
        // Named in full: the system takes that file and searches nothing.
        EXPECT_EQ(g_seen.application, folder + L"setup.exe");
        EXPECT_TRUE(g_seen.attributesNull);
        EXPECT_FALSE(g_seen.inheritHandles);
        EXPECT_EQ(g_seen.creationFlags, static_cast<DWORD>(CREATE_NO_WINDOW));
        EXPECT_TRUE(g_seen.environmentNull);
        EXPECT_EQ(g_seen.createDirectory, folder);
        EXPECT_EQ(g_seen.startup.cb, sizeof(STARTUPINFOW));
        STARTUPINFOW cleared = {};
        cleared.cb = sizeof cleared;
        EXPECT_EQ(std::memcmp(&g_seen.startup, &cleared, sizeof cleared), 0);
        EXPECT_EQ(g_seen.shellStarts, 0);
        // Both handles of the started process are closed: it is not waited for.
        EXPECT_FALSE(IsOpenHandle(g_createdProcess));
        EXPECT_FALSE(IsOpenHandle(g_createdThread));
    }
}

TEST_F(LaunchSetupTest, DeepFolderIsReadWholeAndStartedWhole) {
    WideString folder = L"C:\\";
    while (folder.size() < 400)
        folder += L"a folder with a rather long name\\";
    g_modulePath = folder + L"spelorin.exe";

    EXPECT_TRUE(LaunchSetup("-s", kFakes));
    EXPECT_EQ(g_seen.moduleBufferSizes, (std::vector<DWORD>{128, 256, 512}));
    EXPECT_EQ(g_seen.commandLine, L"\"" + folder + L"setup.exe\" -s");
    EXPECT_EQ(g_seen.createDirectory, folder);
}

TEST_F(LaunchSetupTest, PathOfExactlyTheBufferSizeIsAskedForAgain) {
    g_modulePath = L"C:\\" + WideString(128 - 3 - 13, L'x') + L"\\spelorin.exe";
    ASSERT_EQ(g_modulePath.size(), 128u);
    EXPECT_EQ(GetModuleDirectory(kFakes), g_modulePath.substr(0, 128 - 12));
    EXPECT_EQ(g_seen.moduleBufferSizes, (std::vector<DWORD>{128, 256}));
}

TEST_F(LaunchSetupTest, UnreadableModulePathStartsNothing) {
    g_modulePath.clear(); // the path service fails
    EXPECT_FALSE(LaunchSetup("-s", kFakes));
    EXPECT_EQ(g_seen.creates, 0);

    Reset();
    g_moduleAlwaysCut = true; // never fits, however large the buffer
    EXPECT_FALSE(LaunchSetup("-s", kFakes));
    EXPECT_EQ(g_seen.creates, 0);
    ASSERT_FALSE(g_seen.moduleBufferSizes.empty());
    EXPECT_EQ(g_seen.moduleBufferSizes.back(), 65536u);
}

TEST_F(LaunchSetupTest, FailedStartIsReportedOnlyToTheCaller) {
    g_createResult = FALSE;
    g_createError = ERROR_FILE_NOT_FOUND;
    EXPECT_FALSE(LaunchSetup("-s", kFakes));
    EXPECT_EQ(g_seen.creates, 1);
    EXPECT_EQ(g_seen.shellStarts, 0);
}

TEST_F(LaunchSetupTest, InstallerThatNeedsElevationIsStartedThroughTheShell) {
    const struct {
        const char* arguments;
        const wchar_t* wideArguments;
        bool parametersNull;
    } programs[] = {{"-s", L"-s", false}, {"", L"", true}};
    for (const auto& program : programs) {
        Reset();
        g_createResult = FALSE;
        g_createError = 740; // ERROR_ELEVATION_REQUIRED
        EXPECT_TRUE(LaunchSetup(program.arguments, kFakes));
        EXPECT_EQ(g_seen.creates, 1);
        ASSERT_EQ(g_seen.shellStarts, 1);
        EXPECT_EQ(g_seen.shell.cbSize, sizeof(SHELLEXECUTEINFOW));
        EXPECT_EQ(g_seen.shellFile, L"C:\\Support Disc\\setup.exe"); // unquoted: a file name
        EXPECT_EQ(g_seen.shellParametersNull, program.parametersNull);
        EXPECT_EQ(g_seen.shellParameters, program.wideArguments);
        EXPECT_EQ(g_seen.shellDirectory, L"C:\\Support Disc\\");
        EXPECT_TRUE(g_seen.shell.fMask & SEE_MASK_NOCLOSEPROCESS);
        EXPECT_TRUE(g_seen.shell.fMask & SEE_MASK_FLAG_NO_UI); // no error box either
        EXPECT_FALSE(IsOpenHandle(g_shellProcess));
    }

    Reset();
    g_createResult = FALSE;
    g_createError = 740; // ERROR_ELEVATION_REQUIRED
    g_shellResult = FALSE;
    EXPECT_FALSE(LaunchSetup("-s", kFakes));
    EXPECT_EQ(g_seen.shellStarts, 1);
}

namespace {

std::string WindowsPathOf(std::string unixPath) {
    for (char& c : unixPath)
        if (c == '/')
            c = '\\';
    return "Z:" + unixPath; // Wine's drive for the Unix root
}

WideString WideOf(const std::string& text) {
    WideString wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           &wide[0], static_cast<int>(wide.size()));
    wide.resize(length > 0 ? length : 0);
    return wide;
}

std::string ReadWhenThere(const std::string& path, DWORD timeoutMs) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        std::ifstream file(path, std::ios::binary);
        if (file) {
            std::ostringstream text;
            text << file.rdbuf();
            return text.str();
        }
        Sleep(50);
    }
    return "";
}

} // namespace

TEST_F(LaunchSetupTest, ShellFallbackReallyStartsTheInstaller) {
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
    const std::string root = std::string(temp) + "TesselLaunchSetup\\";
    const std::string folder = root + "Support Disc\\";
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string setup = folder + "setup.exe";
    ASSERT_TRUE(CopyFileA(WindowsPathOf(FAKE_SETUP_EXE).c_str(), setup.c_str(), FALSE));
    DeleteFileA((setup + ".record").c_str());

    g_modulePath = WideOf(folder + "spelorin.exe");
    g_createResult = FALSE;
    g_createError = 740; // ERROR_ELEVATION_REQUIRED
    g_forwardShell = SystemProcessServices().shellExecuteEx;
    EXPECT_TRUE(LaunchSetup("-s", kFakes));
    const std::string record = ReadWhenThere(setup + ".record", 20000);
    EXPECT_NE(record.find("arguments=1\nargument=-s\n"), std::string::npos) << record;
    // The current directory comes back without the trailing backslash.
    EXPECT_NE(record.find("directory=" + folder.substr(0, folder.size() - 1) + "\n"),
              std::string::npos)
        << record;

    for (int attempt = 0; attempt < 100 && !DeleteFileA(setup.c_str()); ++attempt)
        Sleep(50); // the installer may still be ending
    DeleteFileA((setup + ".record").c_str());
    RemoveDirectoryA(folder.c_str());
    RemoveDirectoryA(root.c_str());
}

TEST(LaunchSetup, ModuleDirectoryIsTheRunningProgramsFolder) {
    wchar_t path[4096];
    const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
    ASSERT_GT(length, 0u);
    WideString expected(path, length);
    expected.erase(expected.rfind(L'\\') + 1);
    EXPECT_EQ(GetModuleDirectory(), expected);
}

TEST(LaunchSetup, VersionSubkeyOfTwoOrLaterIsFound) {
    const struct {
        std::vector<const char*> subkeys;
        bool found;
    } cases[] = {
        {{"v1.1.4322", "policy"}, false}, {{"v1.1.4322", "policy", "v2.0.50727"}, true},
        {{"V2.0.50727"}, true},           {{"v10.0", "v1.0.3705", "upgrades"}, false},
        {{"v4.0.30319"}, true},           {{}, false},
    };
    for (const auto& c : cases) {
        ScratchKey key("Framework");
        for (const char* name : c.subkeys)
            ASSERT_TRUE(key.AddSubKey(name));
        EXPECT_EQ(HasVersionSubKey(HKEY_CURRENT_USER, key.Path().c_str()), c.found)
            << c.subkeys.size() << " subkeys";
    }
    ScratchKey key("Framework");
    EXPECT_FALSE(HasVersionSubKey(HKEY_CURRENT_USER, (key.Path() + "\\missing").c_str()));
}
