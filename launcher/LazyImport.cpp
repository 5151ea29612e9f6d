// The binder behind the lazy import stubs that launcher/LazyImports.cmake writes.
//
// Attaching user32 costs Wine tens of milliseconds, more than the whole installer path
// takes otherwise. The window libraries are therefore bound on their first call, which
// only the notice path makes: the installer path loads kernel32, advapi32 and the C
// runtime, like any program that only starts another.
#include "framework/win/Win.h"
#include "launcher/SystemLibraries.h"

// Code of a failed delay load, as the system's own delay-load helper raises it.
constexpr DWORD kLazyImportFailed = 0xC06D007F;

// Called by a stub with the DLL's name, the function's name and the stub's import slot:
// loads the DLL from the system folder, stores the function in the slot and returns it, for the
// stub to jump to.
extern "C" void* LazyImportResolve(const char* dll, const char* name, void** slot) {
    HMODULE module = LoadSystemLibrary(dll);
    void* function =
        module == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(module, name));
    if (function == nullptr) {
        // A system library without a function the program was linked against: nothing
        // sensible can run in its place.
        const ULONG_PTR arguments[] = {reinterpret_cast<ULONG_PTR>(dll),
                                       reinterpret_cast<ULONG_PTR>(name)};
        RaiseException(kLazyImportFailed, EXCEPTION_NONCONTINUABLE, 2, arguments);
    }
    *slot = function;
    return function;
}
