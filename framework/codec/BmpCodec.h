#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The Windows BMP file format, without the platform: decoding a file image into pixels and
// encoding pixels back into a file. Malformed input raises EInvalidGraphic
// ("Bitmap image is not valid: <reason>"); nothing is read outside the given buffer.

// One palette entry, in the order of the file (RGBQUAD).
struct BmpPaletteEntry {
    std::uint8_t Blue = 0;
    std::uint8_t Green = 0;
    std::uint8_t Red = 0;
    std::uint8_t Reserved = 0;
    friend bool operator==(const BmpPaletteEntry& a, const BmpPaletteEntry& b) {
        return a.Blue == b.Blue && a.Green == b.Green && a.Red == b.Red;
    }
    friend bool operator!=(const BmpPaletteEntry& a, const BmpPaletteEntry& b) { return !(a == b); }
};

// Limits on what the decoder accepts (and what the encoder writes).
const int BmpMaxDimension = 16384;
const std::size_t BmpMaxPixelBytes = 256u * 1024u * 1024u;

// Pixels in the layout of a DIB row: rows top-down, each Stride() bytes (a multiple of 4),
// pixels packed most significant bits first (1/4/8 bpp: palette indices), 24 bpp as blue,
// green, red, and 32 bpp as blue, green, red, unused.
struct BmpImage {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 24;                // 1, 4, 8, 24 or 32
    std::vector<BmpPaletteEntry> Palette; // 1/4/8 bpp: up to 2^BitsPerPixel entries
    std::vector<std::uint8_t> Pixels;     // Stride() * Height bytes

    static int StrideFor(int width, int bitsPerPixel) {
        return static_cast<int>(((static_cast<long long>(width) * bitsPerPixel + 31) / 32) * 4);
    }
    int Stride() const { return StrideFor(Width, BitsPerPixel); }
    std::uint8_t* Row(int y) { return Pixels.data() + static_cast<std::size_t>(y) * Stride(); }
    const std::uint8_t* Row(int y) const {
        return Pixels.data() + static_cast<std::size_t>(y) * Stride();
    }

    // Makes an image of that size and depth with every pixel byte 0 (and no palette).
    static BmpImage Blank(int width, int height, int bitsPerPixel);

    // The colour of a pixel as 0x00BBGGRR (palette resolved; an index outside the palette
    // reads as black).
    std::uint32_t PixelRgb(int x, int y) const;
    // Stores a palette index (1/4/8 bpp) or an 0x00BBGGRR colour (24/32 bpp).
    void SetPixelValue(int x, int y, std::uint32_t value);
    // The raw value: palette index, or 0x00BBGGRR.
    std::uint32_t PixelValue(int x, int y) const;
};

// Decodes a whole .bmp file image (starting with "BM"). An image whose pixels would take
// more than maxPixelBytes is refused as too large.
BmpImage DecodeBmp(const void* data, std::size_t size,
                   std::size_t maxPixelBytes = BmpMaxPixelBytes);

// Encodes as a .bmp file: BITMAPINFOHEADER, bottom-up rows, no compression; for 1/4/8 bpp
// the palette as it is (an empty one as 2^bpp black entries). An image that is not
// consistent (depth, pixel buffer size, palette too large, an index outside the palette)
// raises EInvalidGraphic.
std::vector<std::uint8_t> EncodeBmp(const BmpImage& image);

// The 16 colours of the VGA palette, and a 256-colour palette that starts with them and
// holds no colour twice (used when a picture is reduced to 4 or 8 bits per pixel).
const std::vector<BmpPaletteEntry>& BmpVgaPalette();
const std::vector<BmpPaletteEntry>& BmpStandardPalette256();

// The same picture in another depth. For 1/4/8 bpp the given palette is used when it fits
// (at most 2^bpp entries), else the standard one (black and white, VGA, the 256 colours);
// every pixel gets the first palette entry of the nearest colour, so a colour that is in
// the palette keeps exactly that entry.
BmpImage ConvertBmpImage(const BmpImage& image, int bitsPerPixel,
                         const std::vector<BmpPaletteEntry>* palette = nullptr);
