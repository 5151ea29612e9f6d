#include "tessel/System/Assert.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include "framework/ui/MessageBox.h"
#include "framework/win/Win.h"
#endif

namespace tessel {
namespace {

#ifdef _WIN32
// The title of the report: the file name of the running program, from its full path
// (which may be far longer than MAX_PATH).
std::string ProgramFileName() {
    std::string path(32768, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, &path[0], static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : path.size());
    const size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}
#endif

void DefaultHandler(const char* expression, const char* file, int line) {
    const std::string text = AssertMessage(expression, file, line);
#ifdef _WIN32
    const std::string title = ProgramFileName();
    ShowMessageBox(nullptr, text.c_str(), title.c_str(),
                   MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
    ShowMessageBox(nullptr, "Abnormal program termination", title.c_str(),
                   MB_OK | MB_ICONERROR | MB_SETFOREGROUND | MB_TASKMODAL);
    ExitProcess(3);
#else
    std::fprintf(stderr, "%s\nAbnormal program termination\n", text.c_str());
    std::_Exit(3);
#endif
}

AssertHandler g_handler = DefaultHandler;

} // namespace

AssertHandler SetAssertHandler(AssertHandler handler) {
    AssertHandler previous = g_handler;
    g_handler = handler ? handler : DefaultHandler;
    return previous;
}

std::string AssertMessage(const char* expression, const char* file, int line) {
    return std::string("Assertion failed: ") + expression + ", file " + file + ", line " +
           std::to_string(line);
}

void AssertFailed(const char* expression, const char* file, int line) {
    g_handler(expression, file, line);
}

} // namespace tessel
