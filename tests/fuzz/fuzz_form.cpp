// Parses arbitrary bytes as a form description. Whatever parses must write back to text that
// parses to the same tree, and writing that tree again must give the same text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/streaming/FormText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FormObject tree;
    try {
        tree = ParseFormText(text);
    } catch (const EReadError& e) {
        if (e.Message.str().compare(0, 5, "Line ") != 0)
            std::abort();
        return 0;
    }
    const std::string written = WriteFormText(tree);
    FormObject again;
    try {
        again = ParseFormText(written);
    } catch (const EReadError&) {
        std::abort();
    }
    if (!SameFormTree(tree, again) || WriteFormText(again) != written)
        std::abort();
    return 0;
}
