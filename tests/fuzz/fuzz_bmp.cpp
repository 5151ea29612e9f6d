// Decodes arbitrary bytes as a .bmp file. Whatever the input, the decoder either raises
// EInvalidGraphic or returns a consistent image that encodes and decodes to itself.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/codec/BmpCodec.h"
#include "framework/core/Exceptions.h"

namespace {
void Require(bool condition) {
    if (!condition)
        std::abort();
}
} // namespace

// The decoder accepts up to 256 MiB of pixels, which a few bytes of RLE can ask for; a
// smaller limit here keeps every run fast without changing which paths are reached.
const std::size_t kFuzzPixelBytes = 1u << 20;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    BmpImage image;
    try {
        image = DecodeBmp(data, size, kFuzzPixelBytes);
    } catch (const EInvalidGraphic&) {
        return 0;
    }
    Require(image.Width >= 0 && image.Width <= BmpMaxDimension);
    Require(image.Height >= 0 && image.Height <= BmpMaxDimension);
    Require(image.Pixels.size() == static_cast<std::size_t>(image.Stride()) * image.Height);
    Require(image.BitsPerPixel > 8 || image.Palette.size() <= (1u << image.BitsPerPixel));

    // A decoded image is always encodable, and encoding loses nothing.
    const std::vector<std::uint8_t> encoded = EncodeBmp(image);
    const BmpImage again = DecodeBmp(encoded.data(), encoded.size());
    Require(again.Width == image.Width && again.Height == image.Height);
    Require(again.BitsPerPixel == image.BitsPerPixel);
    Require(again.Pixels == image.Pixels);
    if (!image.Palette.empty())
        Require(again.Palette == image.Palette);

    // Reducing to a palette and widening again keeps the size and stays in the palette.
    if (static_cast<long long>(image.Width) * image.Height <= 4096) {
        const BmpImage reduced = ConvertBmpImage(image, 4);
        Require(reduced.Width == image.Width && reduced.Height == image.Height);
        const BmpImage widened = ConvertBmpImage(reduced, 24);
        for (int y = 0; y < image.Height; ++y)
            for (int x = 0; x < image.Width; ++x)
                Require(widened.PixelRgb(x, y) == reduced.PixelRgb(x, y));
    }
    return 0;
}
