// The control gallery's entry. The test build (GALLERY_RESOURCE_COUNT) also takes the
// switch of gallery/ResourceCount.h; the gallery itself reads no command line.
#include <memory>

#include "framework/ui/Application.h"
#include "framework/core/Exceptions.h"
#include "framework/win/Win.h"
#include "gallery/GalleryForm.h"
#include "launcher/SystemLibraries.h"

#ifdef GALLERY_RESOURCE_COUNT
#include <cstdlib>

#include "gallery/ResourceCount.h"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictDllSearch();
#ifdef GALLERY_RESOURCE_COUNT
    ResourceCount::Options options;
    if (!ResourceCount::Parse(__argc, __argv, options))
        return 2;
    std::unique_ptr<ResourceCount> count;
#endif
    try {
        Application->Initialize();
        Application->CreateForm(GalleryForm);
#ifdef GALLERY_RESOURCE_COUNT
        count = std::make_unique<ResourceCount>(GalleryForm, options);
#endif
        Application->Run();
    } catch (Exception& exception) {
        Application->ShowException(&exception);
    }
#ifdef GALLERY_RESOURCE_COUNT
    if (!count || !count->Written())
        return 1;
#endif
    return 0;
}
