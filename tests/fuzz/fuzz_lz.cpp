// Decodes arbitrary bytes as a compressed resource, once as they are and once behind the
// stream signature (so that the fuzzer need not find it). Whatever the input, the decoder
// either raises EReadError or returns exactly the size the header declares; the sanitizers
// catch any access outside its buffers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/streaming/LzDecode.h"

namespace {

// Small, so that a few header bytes cannot make every run allocate megabytes.
const std::size_t kFuzzDecodedSize = 1u << 20;

void Decode(const std::string& stream) {
    std::string decoded;
    try {
        decoded = LzDecode(stream.data(), stream.size(), kFuzzDecodedSize);
    } catch (const EReadError& e) {
        if (e.Message.str().rfind("Compressed resource is corrupt: ", 0) != 0)
            std::abort();
        return;
    }
    if (stream.size() < LzHeaderSize)
        std::abort();
    const std::size_t declared =
        static_cast<unsigned char>(stream[4]) |
        static_cast<std::size_t>(static_cast<unsigned char>(stream[5])) << 8 |
        static_cast<std::size_t>(static_cast<unsigned char>(stream[6])) << 16 |
        static_cast<std::size_t>(static_cast<unsigned char>(stream[7])) << 24;
    if (decoded.size() != declared)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Decode(bytes);
    Decode(std::string(LzSignature, 4) + bytes);
    return 0;
}
