// The planted-DLL test's control: loads the library named by its argument by bare name,
// with the default search, as a careless program would.
//   BareNameLoad.exe msimg32.dll
#include "framework/win/Win.h"

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    HMODULE module = LoadLibraryA(argv[1]);
    if (module != nullptr)
        FreeLibrary(module);
    return 0;
}
