#include "framework/codec/BmpCodec.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

#include "framework/core/Exceptions.h"

namespace {

const std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;

[[noreturn]] void Invalid(const char* reason) {
    throw EInvalidGraphic(AnsiString(std::string("Bitmap image is not valid: ") + reason));
}

// Bounds-checked little-endian reads over the file image.
class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::size_t Size() const { return m_size; }
    bool Has(std::uint64_t offset, std::uint64_t count) const {
        return offset <= m_size && count <= m_size - offset;
    }
    std::uint8_t U8(std::uint64_t offset) const {
        Need(offset, 1);
        return m_data[offset];
    }
    std::uint16_t U16(std::uint64_t offset) const {
        Need(offset, 2);
        return static_cast<std::uint16_t>(m_data[offset] | m_data[offset + 1] << 8);
    }
    std::uint32_t U32(std::uint64_t offset) const {
        Need(offset, 4);
        return static_cast<std::uint32_t>(m_data[offset]) |
               static_cast<std::uint32_t>(m_data[offset + 1]) << 8 |
               static_cast<std::uint32_t>(m_data[offset + 2]) << 16 |
               static_cast<std::uint32_t>(m_data[offset + 3]) << 24;
    }
    std::int32_t I32(std::uint64_t offset) const {
        const std::uint32_t value = U32(offset);
        std::int32_t result;
        std::memcpy(&result, &value, sizeof result);
        return result;
    }
    const std::uint8_t* At(std::uint64_t offset, std::uint64_t count) const {
        Need(offset, count);
        return m_data + offset;
    }

private:
    void Need(std::uint64_t offset, std::uint64_t count) const {
        if (!Has(offset, count))
            Invalid("the file is truncated");
    }
    const std::uint8_t* m_data;
    std::size_t m_size;
};

// A channel of a bit-field pixel: where it sits and how to widen it to 8 bits.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t m) : mask(m) {
        if (mask == 0)
            return;
        while (((mask >> shift) & 1u) == 0)
            ++shift;
        std::uint32_t rest = mask >> shift;
        while (rest & 1u) {
            ++bits;
            rest >>= 1;
        }
        if (rest != 0)
            Invalid("a colour mask is not contiguous");
    }
    std::uint8_t Extract(std::uint32_t pixel) const {
        if (bits == 0)
            return 0;
        const std::uint32_t value = (pixel & mask) >> shift;
        if (bits >= 8)
            return static_cast<std::uint8_t>(value >> (bits - 8));
        const std::uint32_t maximum = (1u << bits) - 1;
        return static_cast<std::uint8_t>((value * 255 + maximum / 2) / maximum);
    }
};

void StoreIndex(BmpImage& image, int x, int y, unsigned index) {
    if (index >= image.Palette.size())
        Invalid("a palette index is out of range");
    image.SetPixelValue(x, y, index);
}

// RLE8 and RLE4: runs and escapes from the bottom row up. Every write is checked against
// the image; a run or delta that leaves it is refused, as is data that ends without the
// end-of-bitmap escape. Common encoders fill each row up to its padded width (the width of
// an uncompressed row, 4-byte aligned), so runs may reach that far; what lies beyond the
// visible width is dropped.
void DecodeRle(const Reader& file, std::uint64_t offset, BmpImage& image, bool rle4) {
    const int bitsPerPixel = rle4 ? 4 : 8;
    const int paddedWidth = static_cast<int>(
        (static_cast<std::int64_t>(image.Width) * bitsPerPixel + 31) / 32 * 4 * 8 / bitsPerPixel);
    int x = 0, row = 0; // row counts from the bottom
    auto put = [&](unsigned index) {
        if (x >= paddedWidth || row >= image.Height)
            Invalid("RLE data runs outside the image");
        if (x < image.Width)
            StoreIndex(image, x, image.Height - 1 - row, index);
        ++x;
    };
    for (;;) {
        const std::uint8_t count = file.U8(offset);
        const std::uint8_t value = file.U8(offset + 1);
        offset += 2;
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(rle4 ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++row;
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            const int dx = file.U8(offset), dy = file.U8(offset + 1);
            offset += 2;
            x += dx;
            row += dy;
            if (x > paddedWidth || row > image.Height)
                Invalid("an RLE delta moves outside the image");
            break;
        }
        default: { // absolute run of `value` pixels, padded to a 16-bit boundary
            const int n = value;
            const std::uint64_t bytes = rle4 ? (n + 1) / 2 : n;
            const std::uint8_t* data = file.At(offset, bytes);
            for (int i = 0; i < n; ++i)
                put(rle4 ? ((i & 1) ? data[i / 2] & 0x0F : data[i / 2] >> 4) : data[i]);
            offset += (bytes + 1) & ~std::uint64_t(1);
            break;
        }
        }
    }
}

std::size_t PaletteSizeFor(int bitsPerPixel) {
    return bitsPerPixel <= 8 ? std::size_t(1) << bitsPerPixel : 0;
}

void CheckShape(int width, int height, int bitsPerPixel,
                std::size_t maxPixelBytes = BmpMaxPixelBytes) {
    if (width < 0 || height < 0)
        Invalid("a dimension is negative");
    if (width > BmpMaxDimension || height > BmpMaxDimension)
        Invalid("the image is too large");
    const std::uint64_t bytes =
        static_cast<std::uint64_t>(BmpImage::StrideFor(width, bitsPerPixel)) * height;
    if (bytes > maxPixelBytes)
        Invalid("the image is too large");
}

void Put16(std::vector<std::uint8_t>& out, unsigned value) {
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

BmpPaletteEntry Entry(std::uint32_t rgb) {
    BmpPaletteEntry entry;
    entry.Red = rgb & 0xFF;
    entry.Green = (rgb >> 8) & 0xFF;
    entry.Blue = (rgb >> 16) & 0xFF;
    return entry;
}

std::uint32_t RgbOf(const BmpPaletteEntry& entry) {
    return entry.Red | entry.Green << 8 | static_cast<std::uint32_t>(entry.Blue) << 16;
}

} // namespace

BmpImage BmpImage::Blank(int width, int height, int bitsPerPixel) {
    CheckShape(width, height, bitsPerPixel);
    BmpImage image;
    image.Width = width;
    image.Height = height;
    image.BitsPerPixel = bitsPerPixel;
    image.Pixels.assign(static_cast<std::size_t>(image.Stride()) * height, 0);
    return image;
}

std::uint32_t BmpImage::PixelValue(int x, int y) const {
    const std::uint8_t* row = Row(y);
    switch (BitsPerPixel) {
    case 1:
        return (row[x / 8] >> (7 - x % 8)) & 1u;
    case 4:
        return (x & 1) ? row[x / 2] & 0x0Fu : row[x / 2] >> 4;
    case 8:
        return row[x];
    case 24:
        return row[x * 3 + 2] | row[x * 3 + 1] << 8 | static_cast<std::uint32_t>(row[x * 3]) << 16;
    default:
        return row[x * 4 + 2] | row[x * 4 + 1] << 8 | static_cast<std::uint32_t>(row[x * 4]) << 16;
    }
}

std::uint32_t BmpImage::PixelRgb(int x, int y) const {
    const std::uint32_t value = PixelValue(x, y);
    if (BitsPerPixel > 8)
        return value;
    return value < Palette.size() ? RgbOf(Palette[value]) : 0;
}

void BmpImage::SetPixelValue(int x, int y, std::uint32_t value) {
    std::uint8_t* row = Row(y);
    switch (BitsPerPixel) {
    case 1: {
        const std::uint8_t bit = static_cast<std::uint8_t>(0x80u >> (x % 8));
        row[x / 8] = static_cast<std::uint8_t>((value & 1) ? row[x / 8] | bit : row[x / 8] & ~bit);
        break;
    }
    case 4:
        row[x / 2] = static_cast<std::uint8_t>((x & 1) ? (row[x / 2] & 0xF0) | (value & 0x0F)
                                                       : (row[x / 2] & 0x0F) | (value << 4));
        break;
    case 8:
        row[x] = static_cast<std::uint8_t>(value);
        break;
    case 24:
        row[x * 3] = (value >> 16) & 0xFF;
        row[x * 3 + 1] = (value >> 8) & 0xFF;
        row[x * 3 + 2] = value & 0xFF;
        break;
    default:
        row[x * 4] = (value >> 16) & 0xFF;
        row[x * 4 + 1] = (value >> 8) & 0xFF;
        row[x * 4 + 2] = value & 0xFF;
        row[x * 4 + 3] = 0;
        break;
    }
}

BmpImage DecodeBmp(const void* data, std::size_t size, std::size_t maxPixelBytes) {
    const Reader file(static_cast<const std::uint8_t*>(data), size);
    if (!file.Has(0, 18) || file.U8(0) != 'B' || file.U8(1) != 'M')
        Invalid("the file does not start with a bitmap file header");
    const std::uint32_t pixelOffset = file.U32(10);
    const std::uint32_t headerSize = file.U32(14);
    if (headerSize != 12 && headerSize != 40 && headerSize != 52 && headerSize != 56 &&
        headerSize != 108 && headerSize != 124)
        Invalid("the header size is unknown");
    if (!file.Has(14, headerSize))
        Invalid("the file is truncated");

    std::int64_t width, height;
    unsigned planes, bitsPerPixel;
    std::uint32_t compression = kRgb, colorsUsed = 0;
    const bool core = headerSize == 12;
    if (core) {
        width = file.U16(18);
        height = file.U16(20);
        planes = file.U16(22);
        bitsPerPixel = file.U16(24);
    } else {
        width = file.I32(18);
        height = file.I32(22);
        planes = file.U16(26);
        bitsPerPixel = file.U16(28);
        compression = file.U32(30);
        colorsUsed = file.U32(46);
    }
    if (planes != 1)
        Invalid("the number of planes is not 1");
    if (width < 0)
        Invalid("the width is negative");
    const bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width > BmpMaxDimension || height > BmpMaxDimension)
        Invalid("the image is too large");
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 16 &&
        bitsPerPixel != 24 && bitsPerPixel != 32)
        Invalid("the number of bits per pixel is not supported");
    if (compression > kBitFields)
        Invalid("the compression is unknown");
    if ((compression == kRle8 && bitsPerPixel != 8) ||
        (compression == kRle4 && bitsPerPixel != 4) ||
        (compression == kBitFields && bitsPerPixel != 16 && bitsPerPixel != 32))
        Invalid("the compression does not match the number of bits per pixel");
    if (topDown && (compression == kRle8 || compression == kRle4))
        Invalid("a compressed image cannot be stored top-down");

    std::uint64_t tableOffset = 14 + static_cast<std::uint64_t>(headerSize);
    std::uint32_t masks[3] = {0x7C00, 0x03E0, 0x001F};
    if (bitsPerPixel == 32)
        masks[0] = 0xFF0000, masks[1] = 0xFF00, masks[2] = 0xFF;
    if (compression == kBitFields) {
        const std::uint64_t at = headerSize == 40 ? tableOffset : 14 + 40;
        for (int i = 0; i < 3; ++i)
            masks[i] = file.U32(at + 4 * i);
        if (headerSize == 40)
            tableOffset += 12;
    }
    if (pixelOffset < tableOffset)
        Invalid("the pixel data overlaps the header");
    if (pixelOffset > size)
        Invalid("the pixel data offset lies beyond the end of the file");

    const int outBits = bitsPerPixel == 16 ? 24 : static_cast<int>(bitsPerPixel);
    CheckShape(static_cast<int>(width), static_cast<int>(height), outBits, maxPixelBytes);
    BmpImage image = BmpImage::Blank(static_cast<int>(width), static_cast<int>(height), outBits);

    if (bitsPerPixel <= 8) {
        const std::size_t most = PaletteSizeFor(bitsPerPixel);
        if (colorsUsed > most)
            Invalid("the palette is larger than the pixel depth allows");
        std::uint64_t count = colorsUsed ? colorsUsed : most;
        const unsigned entrySize = core ? 3 : 4;
        // Some writers leave out unused entries and let the pixels start early.
        if (tableOffset + count * entrySize > pixelOffset)
            count = (pixelOffset - tableOffset) / entrySize;
        image.Palette.resize(static_cast<std::size_t>(count));
        for (std::size_t i = 0; i < image.Palette.size(); ++i) {
            const std::uint8_t* entry = file.At(tableOffset + i * entrySize, entrySize);
            image.Palette[i].Blue = entry[0];
            image.Palette[i].Green = entry[1];
            image.Palette[i].Red = entry[2];
        }
    }

    if (compression == kRle8 || compression == kRle4) {
        DecodeRle(file, pixelOffset, image, compression == kRle4);
        return image;
    }

    const int w = image.Width, h = image.Height;
    const std::uint64_t inStride = BmpImage::StrideFor(w, static_cast<int>(bitsPerPixel));
    if (!file.Has(pixelOffset, inStride * h))
        Invalid("the pixel data is truncated");
    const Channel red(masks[0]), green(masks[1]), blue(masks[2]);
    if (w == 0)
        return image;
    for (int r = 0; r < h; ++r) {
        const std::uint8_t* in = file.At(pixelOffset + inStride * r, inStride);
        const int y = topDown ? r : h - 1 - r;
        std::uint8_t* out = image.Row(y);
        switch (bitsPerPixel) {
        case 1:
        case 4:
        case 8: {
            const unsigned mask = (1u << bitsPerPixel) - 1;
            for (int x = 0; x < w; ++x) {
                const long long bit = static_cast<long long>(x) * bitsPerPixel;
                const unsigned index = (in[bit / 8] >> (8 - bitsPerPixel - bit % 8)) & mask;
                StoreIndex(image, x, y, index);
            }
            break;
        }
        case 16:
            for (int x = 0; x < w; ++x) {
                const std::uint32_t pixel = in[x * 2] | in[x * 2 + 1] << 8;
                out[x * 3] = blue.Extract(pixel);
                out[x * 3 + 1] = green.Extract(pixel);
                out[x * 3 + 2] = red.Extract(pixel);
            }
            break;
        case 24:
            std::memcpy(out, in, static_cast<std::size_t>(w) * 3);
            break;
        case 32:
            if (compression == kRgb) {
                std::memcpy(out, in, static_cast<std::size_t>(w) * 4);
                break;
            }
            for (int x = 0; x < w; ++x) {
                const std::uint32_t pixel = in[x * 4] | in[x * 4 + 1] << 8 | in[x * 4 + 2] << 16 |
                                            static_cast<std::uint32_t>(in[x * 4 + 3]) << 24;
                out[x * 4] = blue.Extract(pixel);
                out[x * 4 + 1] = green.Extract(pixel);
                out[x * 4 + 2] = red.Extract(pixel);
            }
            break;
        }
    }
    return image;
}

std::vector<std::uint8_t> EncodeBmp(const BmpImage& image) {
    const int bits = image.BitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        Invalid("the number of bits per pixel is not supported");
    CheckShape(image.Width, image.Height, bits);
    const std::size_t pixelBytes = static_cast<std::size_t>(image.Stride()) * image.Height;
    if (image.Pixels.size() != pixelBytes)
        Invalid("the pixel buffer does not match the size");
    std::size_t paletteSize = 0;
    if (bits <= 8) {
        if (image.Palette.size() > PaletteSizeFor(bits))
            Invalid("the palette is larger than the pixel depth allows");
        // An empty palette is written in full (black), so that the count field can say 0.
        paletteSize = image.Palette.empty() ? PaletteSizeFor(bits) : image.Palette.size();
        for (int y = 0; y < image.Height; ++y)
            for (int x = 0; x < image.Width; ++x)
                if (image.PixelValue(x, y) >= paletteSize)
                    Invalid("a palette index is out of range");
    }
    const std::uint32_t pixelOffset = static_cast<std::uint32_t>(14 + 40 + paletteSize * 4);
    std::vector<std::uint8_t> out;
    out.reserve(pixelOffset + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    Put32(out, static_cast<std::uint32_t>(pixelOffset + pixelBytes));
    Put32(out, 0);
    Put32(out, pixelOffset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(image.Width));
    Put32(out, static_cast<std::uint32_t>(image.Height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bits));
    Put32(out, kRgb);
    Put32(out, static_cast<std::uint32_t>(pixelBytes));
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, paletteSize == PaletteSizeFor(bits) ? 0 : static_cast<std::uint32_t>(paletteSize));
    Put32(out, 0);
    for (std::size_t i = 0; i < paletteSize; ++i) {
        const BmpPaletteEntry entry =
            i < image.Palette.size() ? image.Palette[i] : BmpPaletteEntry();
        out.push_back(entry.Blue);
        out.push_back(entry.Green);
        out.push_back(entry.Red);
        out.push_back(0);
    }
    for (int y = image.Height - 1; y >= 0; --y) {
        const std::uint8_t* row = image.Row(y);
        out.insert(out.end(), row, row + image.Stride());
    }
    return out;
}

const std::vector<BmpPaletteEntry>& BmpVgaPalette() {
    static const std::vector<BmpPaletteEntry> palette = [] {
        const std::uint32_t colours[16] = {
            0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
            0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        std::vector<BmpPaletteEntry> result;
        for (std::uint32_t colour : colours)
            result.push_back(Entry(colour));
        return result;
    }();
    return palette;
}

const std::vector<BmpPaletteEntry>& BmpStandardPalette256() {
    // The VGA colours, a 6 x 6 x 6 colour cube, a grey ramp in steps of 8 and three soft
    // system tints, each colour once.
    static const std::vector<BmpPaletteEntry> palette = [] {
        std::vector<BmpPaletteEntry> result = BmpVgaPalette();
        auto add = [&](std::uint32_t rgb) {
            const BmpPaletteEntry entry = Entry(rgb);
            if (result.size() < 256 &&
                std::find(result.begin(), result.end(), entry) == result.end())
                result.push_back(entry);
        };
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    add(static_cast<std::uint32_t>(r * 0x33 | g * 0x33 << 8 | b * 0x33 << 16));
        for (int level = 8; level < 256; level += 8)
            add(static_cast<std::uint32_t>(level * 0x010101));
        add(0xC0DCC0);
        add(0xF0CAA6);
        add(0xF0FBFF);
        return result;
    }();
    return palette;
}

BmpImage ConvertBmpImage(const BmpImage& image, int bitsPerPixel,
                         const std::vector<BmpPaletteEntry>* palette) {
    BmpImage result = BmpImage::Blank(image.Width, image.Height, bitsPerPixel);
    if (bitsPerPixel <= 8) {
        const std::size_t most = PaletteSizeFor(bitsPerPixel);
        if (palette && !palette->empty() && palette->size() <= most)
            result.Palette = *palette;
        else if (bitsPerPixel == 1)
            result.Palette = {Entry(0x000000), Entry(0xFFFFFF)};
        else if (bitsPerPixel == 4)
            result.Palette = BmpVgaPalette();
        else
            result.Palette = BmpStandardPalette256();
    }
    std::unordered_map<std::uint32_t, std::uint32_t> nearest;
    auto indexOf = [&](std::uint32_t rgb) {
        const auto found = nearest.find(rgb);
        if (found != nearest.end())
            return found->second;
        std::uint32_t best = 0;
        long bestDistance = -1;
        for (std::size_t i = 0; i < result.Palette.size(); ++i) {
            const BmpPaletteEntry& p = result.Palette[i];
            const long dr = static_cast<long>(rgb & 0xFF) - p.Red;
            const long dg = static_cast<long>((rgb >> 8) & 0xFF) - p.Green;
            const long db = static_cast<long>((rgb >> 16) & 0xFF) - p.Blue;
            const long distance = dr * dr + dg * dg + db * db;
            if (bestDistance < 0 || distance < bestDistance) {
                bestDistance = distance;
                best = static_cast<std::uint32_t>(i);
                if (distance == 0)
                    break;
            }
        }
        nearest.emplace(rgb, best);
        return best;
    };
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x) {
            const std::uint32_t rgb = image.PixelRgb(x, y);
            result.SetPixelValue(x, y, bitsPerPixel <= 8 ? indexOf(rgb) : rgb);
        }
    return result;
}
