#include "launcher/LaunchSetup.h"

#include "launcher/LaunchNames.h"
#include "tessel/System/WinRegistry.h"

namespace {

// No Windows path is longer than 32767 characters: a buffer this big that still comes back
// full means the path cannot be read.
constexpr DWORD kLongestModulePath = 65536;

// ERROR_ELEVATION_REQUIRED, which not every set of Win32 headers names.
constexpr DWORD kElevationRequired = 740;

void CloseIfOpen(HANDLE handle) {
    if (handle != nullptr)
        CloseHandle(handle);
}

// The arguments are ASCII ("-s"): each character widens to itself.
WideString Widen(const char* text) {
    WideString wide;
    for (; *text != '\0'; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

// The shell start asks for the elevation that CreateProcessW cannot give.
bool StartElevated(const WideString& program, const WideString& arguments, const WideString& folder,
                   const ProcessServices& services) {
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // No error box (every failure stays silent), the handle back so it can be closed, and
    // the start finished before we return: the program ends right after.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = program.c_str();
    info.lpParameters = arguments.empty() ? nullptr : arguments.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!services.shellExecuteEx(&info))
        return false;
    CloseIfOpen(info.hProcess);
    return true;
}

// The programs bind shell32 on the first call (launcher/LazyImport.cpp), so taking the
// address here loads nothing.
const ProcessServices kSystemServices = {&GetModuleFileNameW, &CreateProcessW, &ShellExecuteExW};

} // namespace

const ProcessServices& SystemProcessServices() {
    return kSystemServices;
}

bool HasVersionSubKey(HKEY root, const char* path) {
    tessel::RegKeyEnumerater keys; // closes the key on every return
    if (!keys.Open(root, path))
        return false;
    for (; !keys.IsDone(); keys.Next())
        if (IsFramework2OrLaterKeyName(keys.Name()))
            return true;
    return false;
}

bool HasNetFramework2OrLater() {
    return HasVersionSubKey(HKEY_LOCAL_MACHINE, "software\\Microsoft\\.NETFramework");
}

WideString GetModuleDirectory(const ProcessServices& services) {
    // A path cut at the buffer's size fills it completely (Wine then leaves it without a
    // terminator), so only a shorter length is a whole path.
    for (DWORD size = 128; size <= kLongestModulePath; size *= 2) {
        WideString buffer(size, L'\0');
        const DWORD length = services.moduleFileName(nullptr, &buffer[0], size);
        if (length == 0)
            return WideString();
        if (length < size)
            return ExtractDirectory(buffer.substr(0, length));
    }
    return WideString();
}

bool LaunchSetup(const char* arguments, const ProcessServices& services) {
    const WideString folder = GetModuleDirectory(services);
    if (folder.empty())
        return false; // without our own folder there is no setup.exe we could name safely
    const WideString program = folder + L"setup.exe";
    const WideString wideArguments = Widen(arguments);
    // CreateProcessW may write into the command line: it gets a buffer of its own, as long
    // as the command. One the system refuses (too long, a missing file) is not started.
    WideString command = QuotedCommandLine(program, wideArguments);

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    // The program is named in full as well as in the command line: the system then takes
    // exactly that file and never parses the command for it.
    const BOOL started =
        services.createProcess(program.c_str(), &command[0], nullptr, nullptr, FALSE,
                               CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process);
    const DWORD error = started ? ERROR_SUCCESS : GetLastError();
    CloseIfOpen(process.hProcess);
    CloseIfOpen(process.hThread);

    if (!started && error == kElevationRequired)
        return StartElevated(program, wideArguments, folder, services);
    return started != FALSE;
}
