// The control gallery's entry; the gallery reads no command line.
#include "framework/core/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/win/Win.h"
#include "gallery/GalleryForm.h"
#include "launcher/SystemLibraries.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    try {
        Application->Initialize();
        Application->CreateForm(GalleryForm);
        Application->Run();
    } catch (Exception& exception) {
        Application->ShowException(&exception);
    }
    return 0;
}
