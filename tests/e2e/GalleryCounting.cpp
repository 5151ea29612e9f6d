// The entry of the gallery's counting variant: the gallery with the switch of
// tests/e2e/ResourceCount.h. It ends with 2 for a command line the switch does not take and
// with 1 when the samples were not written.
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/win/Win.h"
#include "gallery/GalleryForm.h"
#include "launcher/SystemLibraries.h"
#include "tests/e2e/ResourceCount.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
    ResourceCount::Options options;
    if (!ResourceCount::Parse(__argc, __argv, options))
        return 2;
    std::unique_ptr<ResourceCount> count;
    try {
        Application->Initialize();
        Application->CreateForm(GalleryForm);
        count = std::make_unique<ResourceCount>(GalleryForm, options);
        Application->Run();
    } catch (Exception& exception) {
        Application->ShowException(&exception);
    }
    return count && count->Written() ? 0 : 1;
}
