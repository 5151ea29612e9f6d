#include "tessel/System/Assert.h"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include "framework/MessageBox.h"
#include "framework/Win.h"
#endif

namespace tessel {
namespace {

#ifdef _WIN32
std::string ProgramFileName() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH] = '\0';
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
    return name;
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
