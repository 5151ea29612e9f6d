// The entry of both programs. spelorin is this file built with SILENT_SETUP.
#include "framework/ui/Application.h"
#include "framework/core/Exceptions.h"
#include "framework/win/Win.h"
#include "launcher/LaunchSetup.h"
#include "launcher/MainForm.h"
#include "launcher/SystemLibraries.h"

namespace {
#ifdef SILENT_SETUP
const char* const kSetupArguments = "-s";
#else
const char* const kSetupArguments = "";
#endif
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    try {
        if (HasNetFramework2OrLater()) {
            // Nothing is shown on this path, not even a failed start.
            LaunchSetup(kSetupArguments);
            return 0;
        }
        // Initialize comes first: it loads the window libraries, where the form's layered
        // window service is looked up.
        Application->Initialize();
        Application->CreateForm(MainForm);
        MainForm->PrepareWindow();
        Application->Run();
        // The form (and its shaper before it) goes once the loop has ended.
        delete MainForm;
        MainForm = nullptr;
    } catch (Exception& exception) {
        Application->ShowException(&exception);
    }
    return 0;
}
