#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/codec/BmpCodec.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ExceptionMessage.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}
void Put32(Bytes& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
void Set32(Bytes& out, size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + i] = (value >> (8 * i)) & 0xFF;
}

// A .bmp file written field by field, so that tests can state exactly what is in it.
struct BmpFile {
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    unsigned planes = 1;
    unsigned bits = 24;
    std::uint32_t compression = 0;
    std::uint32_t colorsUsed = 0;
    std::vector<std::uint32_t> masks;   // after a 40-byte header, or inside a larger one
    std::vector<std::uint32_t> palette; // 0x00RRGGBB as RGBQUAD stores it
    Bytes pixels;
    long long pixelOffset = -1; // -1: right after the palette

    Bytes Build() const {
        Bytes out = {'B', 'M'};
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, 0);
        Put32(out, headerSize);
        if (headerSize == 12) {
            Put16(out, static_cast<unsigned>(width));
            Put16(out, static_cast<unsigned>(height));
            Put16(out, planes);
            Put16(out, bits);
        } else {
            Put32(out, static_cast<std::uint32_t>(width));
            Put32(out, static_cast<std::uint32_t>(height));
            Put16(out, planes);
            Put16(out, bits);
            Put32(out, compression);
            Put32(out, static_cast<std::uint32_t>(pixels.size()));
            Put32(out, 2835);
            Put32(out, 2835);
            Put32(out, colorsUsed);
            Put32(out, 0);
            if (headerSize > 40)
                for (std::uint32_t mask : masks)
                    Put32(out, mask);
            out.resize(14 + headerSize, 0);
            if (headerSize == 40)
                for (std::uint32_t mask : masks)
                    Put32(out, mask);
        }
        for (std::uint32_t colour : palette) {
            if (headerSize == 12) {
                out.push_back(colour & 0xFF);
                out.push_back((colour >> 8) & 0xFF);
                out.push_back((colour >> 16) & 0xFF);
            } else {
                Put32(out, colour);
            }
        }
        const std::uint32_t offset = pixelOffset < 0 ? static_cast<std::uint32_t>(out.size())
                                                     : static_cast<std::uint32_t>(pixelOffset);
        if (pixelOffset < 0 || static_cast<size_t>(pixelOffset) >= out.size())
            out.resize(std::max<size_t>(out.size(), offset), 0);
        Set32(out, 10, offset);
        out.insert(out.end(), pixels.begin(), pixels.end());
        Set32(out, 2, static_cast<std::uint32_t>(out.size()));
        return out;
    }
};

BmpImage Decode(const Bytes& bytes) {
    return DecodeBmp(bytes.data(), bytes.size());
}

// An image of the given depth whose pixels vary with x and y and use the whole palette.
BmpImage Pattern(int width, int height, int bits) {
    BmpImage image = BmpImage::Blank(width, height, bits);
    if (bits <= 8) {
        for (unsigned i = 0; i < (1u << bits); ++i)
            image.Palette.push_back(BmpPaletteEntry{std::uint8_t(i * 7), std::uint8_t(255 - i),
                                                    std::uint8_t(i * 3), 0});
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = static_cast<std::uint32_t>(x * 31 + y * 17 + x * y);
            image.SetPixelValue(x, y, bits <= 8 ? v % (1u << bits) : (v * 2654435761u) & 0xFFFFFF);
        }
    return image;
}

void ExpectSameImage(const BmpImage& a, const BmpImage& b) {
    EXPECT_EQ(a.Width, b.Width);
    EXPECT_EQ(a.Height, b.Height);
    EXPECT_EQ(a.BitsPerPixel, b.BitsPerPixel);
    EXPECT_EQ(a.Palette, b.Palette);
    EXPECT_EQ(a.Pixels, b.Pixels);
}

std::string InvalidReason(const Bytes& bytes) {
    return MessageOf<EInvalidGraphic>([&] { DecodeBmp(bytes.data(), bytes.size()); });
}

} // namespace

TEST(BmpCodec, EncodedImagesDecodeToTheSamePixelsAtEveryDepth) {
    for (int bits : {1, 4, 8, 24, 32})
        for (int width : {0, 1, 2, 3, 5, 7, 9, 33})
            for (int height : {1, 4}) {
                SCOPED_TRACE(std::to_string(bits) + " bpp " + std::to_string(width) + "x" +
                             std::to_string(height));
                const BmpImage image = Pattern(width, height, bits);
                ExpectSameImage(Decode(EncodeBmp(image)), image);
            }
}

TEST(BmpCodec, AnEmptyImageRoundTrips) {
    const BmpImage empty = BmpImage::Blank(0, 0, 24);
    const BmpImage decoded = Decode(EncodeBmp(empty));
    EXPECT_EQ(decoded.Width, 0);
    EXPECT_EQ(decoded.Height, 0);
    EXPECT_TRUE(decoded.Pixels.empty());
}

TEST(BmpCodec, BottomUpFilesStoreTheBottomRowFirstAndTopDownFilesTheTopRow) {
    BmpFile file;
    file.width = 1;
    file.height = 2;
    file.pixels = {0x01, 0x02, 0x03, 0, 0x0A, 0x0B, 0x0C, 0}; // first stored row, second row
    const BmpImage bottomUp = Decode(file.Build());
    EXPECT_EQ(bottomUp.PixelRgb(0, 1), 0x010203u); // first stored row is the bottom row
    EXPECT_EQ(bottomUp.PixelRgb(0, 0), 0x0A0B0Cu);

    file.height = -2;
    const BmpImage topDown = Decode(file.Build());
    EXPECT_EQ(topDown.Height, 2);
    EXPECT_EQ(topDown.PixelRgb(0, 0), 0x010203u);
    EXPECT_EQ(topDown.PixelRgb(0, 1), 0x0A0B0Cu);
}

TEST(BmpCodec, EveryDepthReadsTheSameFromTopDownAndBottomUpFiles) {
    for (int bits : {1, 4, 8, 24, 32}) {
        SCOPED_TRACE(bits);
        const BmpImage image = Pattern(5, 3, bits);
        Bytes file = EncodeBmp(image);
        // Turn the file top-down: negate the height and reverse the rows.
        const std::uint32_t offset = file[10] | file[11] << 8 | file[12] << 16 | file[13] << 24;
        const size_t stride = static_cast<size_t>(image.Stride());
        Bytes flipped(file.begin(), file.begin() + offset);
        for (int r = image.Height - 1; r >= 0; --r)
            flipped.insert(flipped.end(), file.begin() + offset + r * stride,
                           file.begin() + offset + (r + 1) * stride);
        Set32(flipped, 22, static_cast<std::uint32_t>(-image.Height));
        ExpectSameImage(Decode(flipped), image);
    }
}

TEST(BmpCodec, PaddingBitsOfARowAreNotPartOfThePicture) {
    // 3 pixels at 8 bpp leave one padding byte; garbage there must not reach the image.
    BmpFile file;
    file.bits = 8;
    file.width = 3;
    file.palette = {0x000000, 0xFFFFFF};
    file.pixels = {1, 0, 1, 0xEE};
    const BmpImage image = Decode(file.Build());
    EXPECT_EQ(image.Row(0)[3], 0);
    EXPECT_EQ(image.PixelRgb(0, 0), 0xFFFFFFu);
    EXPECT_EQ(image.PixelRgb(1, 0), 0u);
}

TEST(BmpCodec, Rle8RunsAbsoluteRunsDeltasAndLineEndsPlacePixels) {
    BmpFile file;
    file.bits = 8;
    file.compression = 1;
    file.width = 5;
    file.height = 3;
    file.palette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF};
    file.pixels = {
        0x03, 0x04,                   // bottom row: 4 4 4
        0x00, 0x00,                   // end of line
        0x00, 0x03, 1,    2,    3, 0, // absolute run 1 2 3 (padded to an even count)
        0x00, 0x02, 0x01, 0x01,       // delta: one right, one up -> (4, top row)
        0x01, 0x02,                   // 2 at the top row's last pixel
        0x00, 0x01,                   // end of bitmap
    };
    const BmpImage image = Decode(file.Build());
    const std::vector<std::vector<unsigned>> expected = {
        {0, 0, 0, 0, 2}, // top
        {1, 2, 3, 0, 0},
        {4, 4, 4, 0, 0}, // bottom
    };
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.PixelValue(x, y), expected[y][x]) << x << "," << y;
}

TEST(BmpCodec, RleRunsMayFillThePaddedRowAndWhatLiesBeyondTheWidthIsDropped) {
    struct Case {
        const char* what;
        unsigned bits;
        Bytes pixels;
        std::vector<std::vector<unsigned>> expected; // top row first
    };
    const Case cases[] = {
        // As an image tool writes a 5 x 3 RLE8 image: every row filled to its padded 8.
        {"RLE8 runs",
         8,
         {4, 0, 1, 1, 3, 0, 0, 0, 1, 0, 1, 1, 6, 0, 0, 0, 8, 0, 0, 0, 0, 1},
         {{0, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 0, 0, 1}}},
        {"RLE8 absolute run", 8, {0, 8, 1, 2, 3, 1, 2, 3, 1, 2, 0, 1}, {{}, {}, {1, 2, 3, 1, 2}}},
        // Five pixels at 4 bits take 3 bytes: the padded row holds 8 pixels.
        {"RLE4 runs",
         4,
         {8, 0x12, 0, 0, 0, 8, 0x21, 0x21, 0x21, 0x21, 0, 1},
         {{}, {2, 1, 2, 1, 2}, {1, 2, 1, 2, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BmpFile file;
        file.bits = c.bits;
        file.compression = c.bits == 8 ? 1 : 2;
        file.width = 5;
        file.height = 3;
        file.palette = {0x000000, 0xFFFFFF, 0x0000FF, 0xFF0000};
        file.pixels = c.pixels;
        const BmpImage image = Decode(file.Build());
        ASSERT_EQ(image.Width, 5);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) {
                const auto& row = c.expected[static_cast<size_t>(y)];
                const unsigned want =
                    x < static_cast<int>(row.size()) ? row[static_cast<size_t>(x)] : 0;
                EXPECT_EQ(image.PixelValue(x, y), want) << x << "," << y;
            }
    }
}

TEST(BmpCodec, Rle4AlternatesTheTwoIndicesOfARun) {
    BmpFile file;
    file.bits = 4;
    file.compression = 2;
    file.width = 6;
    file.height = 2;
    file.palette = {0, 1, 2, 3, 4, 5, 6, 7};
    file.pixels = {
        0x05, 0x12,                   // bottom row: 1 2 1 2 1
        0x00, 0x00,                   // end of line
        0x00, 0x03, 0x34, 0x50, 0, 0, // absolute 3 4 5, two data bytes padded to a word
        0x00, 0x01,
    };
    const BmpImage image = Decode(file.Build());
    const std::vector<unsigned> bottom = {1, 2, 1, 2, 1, 0}, top = {3, 4, 5, 0, 0, 0};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(image.PixelValue(x, 1), bottom[x]) << x;
        EXPECT_EQ(image.PixelValue(x, 0), top[x]) << x;
    }
}

TEST(BmpCodec, BitFieldsAndOtherHeadersDecodeToPlainColours) {
    struct Case {
        const char* name;
        BmpFile file;
        std::uint32_t expected; // 0x00BBGGRR of the single pixel
    };
    auto make = [](std::uint32_t headerSize, unsigned bits, std::uint32_t compression,
                   std::vector<std::uint32_t> masks, Bytes pixels) {
        BmpFile file;
        file.headerSize = headerSize;
        file.bits = bits;
        file.compression = compression;
        file.masks = std::move(masks);
        file.pixels = std::move(pixels);
        return file;
    };
    const std::vector<Case> cases = {
        {"32 bpp standard masks",
         make(40, 32, 3, {0xFF0000, 0xFF00, 0xFF}, {0x30, 0x20, 0x10, 0x99}), 0x302010},
        {"32 bpp red in the low byte",
         make(40, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {0x30, 0x20, 0x10, 0}), 0x102030},
        {"V4 header carries its masks", make(108, 32, 3, {0xFF0000, 0xFF00, 0xFF}, {1, 2, 3, 0}),
         0x010203},
        {"V5 header, no compression", make(124, 24, 0, {}, {0x11, 0x22, 0x33, 0}), 0x112233},
        {"16 bpp 5-5-5", make(40, 16, 0, {}, {0x1F, 0x7C, 0, 0}), 0xFF00FF /* red + blue full */},
        {"16 bpp 5-6-5", make(40, 16, 3, {0xF800, 0x07E0, 0x001F}, {0xE0, 0x07, 0, 0}), 0x00FF00},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const BmpImage image = Decode(c.file.Build());
        ASSERT_EQ(image.Width, 1);
        EXPECT_EQ(image.PixelRgb(0, 0), c.expected);
    }
}

TEST(BmpCodec, CoreHeadersUseThreeBytePaletteEntries) {
    BmpFile file;
    file.headerSize = 12;
    file.bits = 1;
    file.width = 2;
    file.palette = {0x112233, 0x445566};
    file.pixels = {0x40, 0, 0, 0}; // pixel 0: index 0, pixel 1: index 1
    const BmpImage image = Decode(file.Build());
    EXPECT_EQ(image.PixelRgb(0, 0), 0x332211u);
    EXPECT_EQ(image.PixelRgb(1, 0), 0x665544u);
}

TEST(BmpCodec, MalformedFilesRaiseInvalidGraphicWithTheReason) {
    struct Case {
        const char* name;
        Bytes bytes;
        const char* reason;
    };
    auto with = [](auto change) {
        BmpFile file;
        change(file);
        return file.Build();
    };
    BmpFile good;
    good.pixels = {1, 2, 3, 0};
    const Bytes valid = good.Build();
    ASSERT_NO_THROW(Decode(valid));
    auto patched = [&](size_t at, std::uint32_t value) {
        Bytes bytes = valid;
        Set32(bytes, at, value);
        return bytes;
    };
    auto rle8 = [](Bytes data) {
        return [data](BmpFile& f) {
            f.bits = 8;
            f.compression = 1;
            f.width = 2;
            f.height = 2;
            f.palette = {0, 0xFFFFFF};
            f.pixels = data;
        };
    };
    const std::vector<Case> cases = {
        {"empty", {}, "bitmap file header"},
        {"wrong signature", Bytes{'B', 'A', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0},
         "bitmap file header"},
        {"truncated header", Bytes(valid.begin(), valid.begin() + 30), "truncated"},
        {"unknown header size", patched(14, 41), "header size"},
        {"zero planes", with([](BmpFile& f) { f.planes = 0; }), "planes"},
        {"negative width", with([](BmpFile& f) { f.width = -4; }), "width is negative"},
        {"absurd width", with([](BmpFile& f) { f.width = 100000; }), "too large"},
        {"most negative height", with([](BmpFile& f) { f.height = INT32_MIN; }), "too large"},
        {"too many pixel bytes", with([](BmpFile& f) {
             f.width = 16384;
             f.height = 16384;
             f.bits = 32;
         }),
         "too large"},
        {"two bits per pixel", with([](BmpFile& f) { f.bits = 2; }), "bits per pixel"},
        {"jpeg compression", with([](BmpFile& f) { f.compression = 4; }), "compression is unknown"},
        {"RLE8 at 24 bpp", with([](BmpFile& f) { f.compression = 1; }), "does not match"},
        {"top-down RLE", with([&](BmpFile& f) {
             rle8({0, 1})(f);
             f.height = -2;
         }),
         "top-down"},
        {"gapped colour mask", with([](BmpFile& f) {
             f.bits = 32;
             f.compression = 3;
             f.masks = {0xF0F000, 0xFF00, 0xFF};
             f.pixels = {0, 0, 0, 0};
         }),
         "not contiguous"},
        {"palette larger than the depth", with([](BmpFile& f) {
             f.bits = 1;
             f.colorsUsed = 3;
             f.palette = {0, 0, 0};
             f.pixels = {0, 0, 0, 0};
         }),
         "palette is larger"},
        {"pixel offset beyond the end", patched(10, 0xFFFFFFF0u), "beyond the end"},
        {"pixel offset inside the header", patched(10, 20), "overlaps the header"},
        {"truncated pixels", Bytes(valid.begin(), valid.end() - 1), "pixel data is truncated"},
        {"palette index out of range", with([](BmpFile& f) {
             f.bits = 8;
             f.colorsUsed = 2;
             f.palette = {0, 0xFFFFFF};
             f.pixels = {2, 0, 0, 0};
         }),
         "palette index"},
        // Two pixels at 8 bits make a padded row of four.
        {"RLE run past the padded row end", with(rle8({5, 1, 0, 1})), "outside the image"},
        {"RLE runs past the padded row end", with(rle8({4, 1, 1, 1, 0, 1})), "outside the image"},
        {"RLE4 run past the padded row end", with([&](BmpFile& f) {
             rle8({9, 0x11, 0, 1})(f);
             f.bits = 4;
             f.compression = 2;
             f.width = 6;
         }),
         "outside the image"},
        {"RLE run past the last row", with(rle8({0, 0, 0, 0, 0, 0, 1, 1, 0, 1})),
         "outside the image"},
        {"RLE delta out of the image", with(rle8({0, 2, 0, 3, 0, 1})), "delta"},
        {"RLE index outside the palette", with(rle8({1, 7, 0, 1})), "palette index"},
        {"RLE without end of bitmap", with(rle8({2, 1})), "truncated"},
        {"RLE absolute run cut short", with(rle8({0, 4, 1})), "truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string message = InvalidReason(c.bytes);
        EXPECT_EQ(message.rfind("Bitmap image is not valid: ", 0), 0u) << message;
        EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    }
}

TEST(BmpCodec, TheEncoderRefusesInconsistentImages) {
    BmpImage deep = BmpImage::Blank(2, 2, 16);
    BmpImage shortBuffer = Pattern(3, 3, 24);
    shortBuffer.Pixels.pop_back();
    BmpImage bigPalette = Pattern(2, 2, 4);
    bigPalette.Palette.resize(17);
    BmpImage badIndex = Pattern(4, 1, 8);
    badIndex.Palette.resize(2);
    for (const BmpImage* image : {&deep, &shortBuffer, &bigPalette, &badIndex})
        EXPECT_THROW(EncodeBmp(*image), EInvalidGraphic);
}

TEST(BmpCodec, ConversionToAPaletteKeepsColoursThatThePaletteHolds) {
    const BmpImage indexed = Pattern(9, 4, 8);
    const BmpImage deep = ConvertBmpImage(indexed, 24);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(deep.PixelRgb(x, y), indexed.PixelRgb(x, y));
    ExpectSameImage(ConvertBmpImage(deep, 8, &indexed.Palette), indexed);

    // Without a palette of its own, a 4-bit picture takes the VGA colours; off colours go
    // to the nearest one.
    BmpImage colours = BmpImage::Blank(3, 1, 24);
    colours.SetPixelValue(0, 0, 0x0000FF); // red
    colours.SetPixelValue(1, 0, 0xC0C0C0); // silver
    colours.SetPixelValue(2, 0, 0x0000F0); // nearly red
    const BmpImage vga = ConvertBmpImage(colours, 4);
    EXPECT_EQ(vga.Palette, BmpVgaPalette());
    EXPECT_EQ(vga.PixelRgb(0, 0), 0x0000FFu);
    EXPECT_EQ(vga.PixelRgb(1, 0), 0xC0C0C0u);
    EXPECT_EQ(vga.PixelValue(2, 0), vga.PixelValue(0, 0));
}

TEST(BmpCodec, TheStandardPaletteStartsWithTheVgaColoursAndHoldsEachColourOnce) {
    const std::vector<BmpPaletteEntry>& palette = BmpStandardPalette256();
    ASSERT_EQ(palette.size(), 256u);
    EXPECT_TRUE(std::equal(BmpVgaPalette().begin(), BmpVgaPalette().end(), palette.begin()));
    for (size_t i = 0; i < palette.size(); ++i)
        for (size_t j = i + 1; j < palette.size(); ++j)
            ASSERT_NE(palette[i], palette[j]) << i << " and " << j;
}

TEST(BmpCodec, ACallerCanLowerThePixelLimit) {
    const Bytes file = EncodeBmp(Pattern(4, 4, 24)); // 12-byte rows, 48 bytes of pixels
    EXPECT_NO_THROW(DecodeBmp(file.data(), file.size(), 48));
    EXPECT_THROW(DecodeBmp(file.data(), file.size(), 47), EInvalidGraphic);
}
