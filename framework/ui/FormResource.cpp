#include "framework/core/Exceptions.h"
#include "framework/streaming/FormReader.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/streaming/LzDecode.h"
#include "framework/win/Win.h"

void ReadFormResource(TComponent* root, const char* resourceName) {
    RegisterFrameworkClasses();
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data)
        throw EReadError(AnsiString(std::string("Resource ") + resourceName + " not found"));
    const DWORD size = SizeofResource(module, resource);
    // The programs store their descriptions compressed (tools/build/compress-form.py).
    if (IsLzStream(data, size))
        ReadForm(root, LzDecode(data, size));
    else
        ReadForm(root, std::string(static_cast<const char*>(data), size));
}
