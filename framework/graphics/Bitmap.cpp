#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Exceptions.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Canvas.h"
#include "framework/win/WinHandle.h"

// The canvas of a bitmap: a memory DC with the bitmap's section selected. A bitmap can be
// selected into one DC only, so before a canvas takes a handle every other bitmap canvas
// that holds it lets go (its DC is freed and made again when next needed).
class TBitmapCanvas : public TCanvas {
public:
    explicit TBitmapCanvas(TBitmap* bitmap) : m_bitmap(bitmap) { Canvases().push_back(this); }
    ~TBitmapCanvas() override {
        FreeContext();
        auto& list = Canvases();
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }

    void FreeContext() {
        if (!m_dc)
            return;
        SetHandle(nullptr);
        if (m_oldBitmap)
            SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
        m_dc = nullptr;
        m_oldBitmap = nullptr;
        m_selected = nullptr;
    }

    static void DeselectEverywhere(HBITMAP handle, TBitmapCanvas* except) {
        if (!handle)
            return;
        for (TBitmapCanvas* canvas : Canvases())
            if (canvas != except && canvas->m_selected == handle)
                canvas->FreeContext();
    }

protected:
    void CreateHandle() override {
        const HBITMAP handle = m_bitmap->m_handle;
        DeselectEverywhere(handle, this);
        m_dc = CreateCompatibleDC(nullptr);
        if (!m_dc)
            throw EOutOfResources("Out of system resources");
        if (handle) {
            m_oldBitmap = SelectObject(m_dc, handle);
            m_selected = handle;
        }
        SetHandle(m_dc);
    }

private:
    static std::vector<TBitmapCanvas*>& Canvases() {
        static std::vector<TBitmapCanvas*> canvases;
        return canvases;
    }
    TBitmap* m_bitmap;
    HDC m_dc = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HBITMAP m_selected = nullptr;
};

namespace {

int ScreenBitsPerPixel() {
    const WindowDC screen;
    return GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
}

[[noreturn]] void OutOfResources() {
    throw EOutOfResources("Out of system resources");
}

std::uint32_t Unpack16(unsigned pixel, bool is565) {
    const unsigned greenBits = is565 ? 6 : 5;
    const unsigned red = is565 ? pixel >> 11 : (pixel >> 10) & 0x1F;
    const unsigned green = (pixel >> 5) & ((1u << greenBits) - 1);
    const unsigned blue = pixel & 0x1F;
    const unsigned r8 = (red * 255 + 15) / 31;
    const unsigned g8 = (green * 255 + ((1u << greenBits) - 1) / 2) / ((1u << greenBits) - 1);
    const unsigned b8 = (blue * 255 + 15) / 31;
    return r8 | g8 << 8 | b8 << 16;
}

unsigned Pack16(std::uint32_t rgb, bool is565) {
    const unsigned red = (rgb & 0xFF) >> 3, blue = ((rgb >> 16) & 0xFF) >> 3;
    if (is565)
        return red << 11 | (((rgb >> 8) & 0xFF) >> 2) << 5 | blue;
    return red << 10 | (((rgb >> 8) & 0xFF) >> 3) << 5 | blue;
}

// The length of a .bmp file whose first bytes (up to 14) are given and of which `available`
// bytes are at hand: the file header's when it is plausible, else all of them.
std::size_t FileLength(const unsigned char* head, std::size_t headSize, std::size_t available) {
    if (headSize < 14)
        return available;
    const std::uint32_t fileSize =
        head[2] | head[3] << 8 | head[4] << 16 | static_cast<std::uint32_t>(head[5]) << 24;
    return fileSize >= 14 + 12 && fileSize <= available ? fileSize : available;
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
    // The DC goes before the section: GDI does not delete a bitmap that is still selected.
    m_canvas.reset();
    if (m_handle)
        DeleteObject(m_handle);
}

int TBitmap::BitsPerPixelOf(TPixelFormat format) {
    switch (format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    case pf32bit:
        return 32;
    case pfDevice:
        break;
    }
    static const int screen = ScreenBitsPerPixel();
    if (screen <= 1)
        return 1;
    if (screen <= 4)
        return 4;
    if (screen <= 8)
        return 8;
    if (screen <= 16)
        return 16;
    return screen <= 24 ? 24 : 32;
}

int TBitmap::ImageBitsOf(TPixelFormat format) {
    const int bits = BitsPerPixelOf(format);
    return bits == 16 ? 24 : bits;
}

TPixelFormat TBitmap::FormatOfImageBits(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return pf1bit;
    case 4:
        return pf4bit;
    case 8:
        return pf8bit;
    case 32:
        return pf32bit;
    default:
        return pf24bit;
    }
}

std::vector<BmpPaletteEntry>* TBitmap::PaletteFor(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1:
        return &m_palette1;
    case 4:
        return &m_palette4;
    case 8:
        return &m_palette8;
    default:
        return nullptr;
    }
}

int TBitmap::Stride() const {
    return BmpImage::StrideFor(m_width, m_bitsPerPixel);
}

void TBitmap::Changed() {
    if (OnChange)
        OnChange(this);
}

void TBitmap::FreeContext() {
    if (m_canvas)
        m_canvas->FreeContext();
}

void TBitmap::DestroyImage() {
    FreeContext();
    if (m_handle)
        DeleteObject(m_handle);
    m_handle = nullptr;
    m_bits = nullptr;
    m_topDown = false;
    m_width = m_height = 0;
}

// Replaces the section with one that holds the image, converting it to the format first.
void TBitmap::AdoptImage(BmpImage image, TPixelFormat format) {
    const int bits = BitsPerPixelOf(format);
    if (image.BitsPerPixel != ImageBitsOf(format))
        image = ConvertBmpImage(image, ImageBitsOf(format), PaletteFor(ImageBitsOf(format)));
    if (bits <= 8 && image.Palette.empty())
        image.Palette.assign(std::size_t(1) << bits, BmpPaletteEntry());

    HBITMAP handle = nullptr;
    void* pixels = nullptr;
    if (image.Width > 0 && image.Height > 0) {
        struct {
            BITMAPINFOHEADER header;
            RGBQUAD colours[256];
        } info = {};
        info.header.biSize = sizeof(BITMAPINFOHEADER);
        info.header.biWidth = image.Width;
        info.header.biHeight = image.Height;
        info.header.biPlanes = 1;
        info.header.biBitCount = static_cast<WORD>(bits);
        info.header.biCompression = BI_RGB;
        const bool is565 = bits == 16 && format != pf15bit;
        if (is565) {
            info.header.biCompression = BI_BITFIELDS;
            const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
            std::memcpy(info.colours, masks, sizeof masks);
        }
        if (bits <= 8) {
            info.header.biClrUsed = static_cast<DWORD>(image.Palette.size());
            for (std::size_t i = 0; i < image.Palette.size(); ++i)
                info.colours[i] =
                    RGBQUAD{image.Palette[i].Blue, image.Palette[i].Green, image.Palette[i].Red, 0};
        }
        handle = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                  &pixels, nullptr, 0);
        if (!handle)
            OutOfResources();
        const int stride = BmpImage::StrideFor(image.Width, bits);
        for (int y = 0; y < image.Height; ++y) {
            unsigned char* row =
                static_cast<unsigned char*>(pixels) + std::size_t(stride) * (image.Height - 1 - y);
            if (bits == 16) {
                for (int x = 0; x < image.Width; ++x) {
                    const unsigned value = Pack16(image.PixelRgb(x, y), is565);
                    row[x * 2] = value & 0xFF;
                    row[x * 2 + 1] = static_cast<unsigned char>(value >> 8);
                }
            } else {
                std::memcpy(row, image.Row(y), static_cast<std::size_t>(stride));
            }
        }
    }
    DestroyImage();
    m_handle = handle;
    m_bits = static_cast<unsigned char*>(pixels);
    m_width = handle ? image.Width : 0;
    m_height = handle ? image.Height : 0;
    m_bitsPerPixel = bits;
    m_pixelFormat = format;
    if (std::vector<BmpPaletteEntry>* palette = PaletteFor(bits))
        *palette = image.Palette;
}

// A device-dependent handle taken over with SetHandle becomes a DIB section of the
// screen's depth the first time its pixels are needed.
void TBitmap::EnsureDib() {
    if (!m_handle || m_bits)
        return;
    FreeContext();
    TBitmapCanvas::DeselectEverywhere(m_handle, nullptr);
    BmpImage image = BmpImage::Blank(m_width, m_height, 32);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int lines = GetDIBits(WindowDC().get(), m_handle, 0, static_cast<UINT>(m_height),
                                image.Pixels.data(), &info, DIB_RGB_COLORS);
    if (lines != m_height)
        throw EInvalidGraphic("Bitmap image is not valid: its pixels cannot be read");
    AdoptImage(image, pfDevice);
}

unsigned char* TBitmap::RowBits(int y) {
    const int row = m_topDown ? y : m_height - 1 - y;
    return m_bits + static_cast<std::size_t>(Stride()) * row;
}

std::uint32_t TBitmap::PixelRgb(int x, int y) {
    const unsigned char* row = RowBits(y);
    switch (m_bitsPerPixel) {
    case 1:
    case 4:
    case 8: {
        const std::vector<BmpPaletteEntry>& palette = *PaletteFor(m_bitsPerPixel);
        const long long bit = static_cast<long long>(x) * m_bitsPerPixel;
        const unsigned index =
            (row[bit / 8] >> (8 - m_bitsPerPixel - bit % 8)) & ((1u << m_bitsPerPixel) - 1);
        if (index >= palette.size())
            return 0;
        return palette[index].Red | palette[index].Green << 8 |
               static_cast<std::uint32_t>(palette[index].Blue) << 16;
    }
    case 16:
        return Unpack16(row[x * 2] | row[x * 2 + 1] << 8, m_pixelFormat != pf15bit);
    case 24:
        return row[x * 3 + 2] | row[x * 3 + 1] << 8 | static_cast<std::uint32_t>(row[x * 3]) << 16;
    default:
        return row[x * 4 + 2] | row[x * 4 + 1] << 8 | static_cast<std::uint32_t>(row[x * 4]) << 16;
    }
}

BmpImage TBitmap::ToImage() {
    EnsureDib();
    GdiFlush();
    BmpImage image = BmpImage::Blank(m_width, m_height, ImageBitsOf(m_pixelFormat));
    if (m_bitsPerPixel <= 8)
        image.Palette = *PaletteFor(m_bitsPerPixel);
    for (int y = 0; y < m_height; ++y) {
        if (m_bitsPerPixel == 16) {
            for (int x = 0; x < m_width; ++x)
                image.SetPixelValue(x, y, PixelRgb(x, y));
        } else {
            std::memcpy(image.Row(y), RowBits(y), static_cast<std::size_t>(Stride()));
        }
    }
    return image;
}

void TBitmap::LoadFromImage(BmpImage image) {
    const TPixelFormat format = FormatOfImageBits(image.BitsPerPixel);
    AdoptImage(std::move(image), format);
    Changed();
}

void TBitmap::Assign(TPersistent* source) {
    if (!source) {
        DestroyImage();
        Changed();
        return;
    }
    TBitmap* bitmap = dynamic_cast<TBitmap*>(source);
    if (!bitmap) {
        TPersistent::Assign(source);
        return;
    }
    if (bitmap == this)
        return;
    m_palette1 = bitmap->m_palette1;
    m_palette4 = bitmap->m_palette4;
    m_palette8 = bitmap->m_palette8;
    if (bitmap->Empty()) {
        DestroyImage();
        m_pixelFormat = bitmap->m_pixelFormat;
    } else {
        AdoptImage(bitmap->ToImage(), bitmap->m_pixelFormat);
    }
    m_transparentMode = bitmap->m_transparentMode;
    m_transparentColor = bitmap->m_transparentColor;
    m_transparent = bitmap->m_transparent;
    Changed();
}

void TBitmap::SetSize(int width, int height) {
    if (width == m_width && height == m_height)
        return;
    if (width < 0 || height < 0 || width > BmpMaxDimension || height > BmpMaxDimension)
        throw EInvalidGraphic("Invalid image size");
    if (width == 0 || height == 0) {
        DestroyImage();
        m_width = width;
        m_height = height;
        Changed();
        return;
    }
    const BmpImage old = Empty() ? BmpImage() : ToImage();
    BmpImage image = BmpImage::Blank(width, height, ImageBitsOf(m_pixelFormat));
    std::uint32_t white = 0xFFFFFF;
    if (image.BitsPerPixel <= 8) {
        // The new area is white, or the palette's colour nearest to it.
        BmpImage probe = BmpImage::Blank(1, 1, 24);
        probe.SetPixelValue(0, 0, 0xFFFFFF);
        const BmpImage index =
            ConvertBmpImage(probe, image.BitsPerPixel, PaletteFor(image.BitsPerPixel));
        image.Palette = index.Palette;
        white = index.PixelValue(0, 0);
    }
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelValue(x, y,
                                y < old.Height && x < old.Width ? old.PixelValue(x, y) : white);
    AdoptImage(image, m_pixelFormat);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == m_pixelFormat)
        return;
    if (Empty()) {
        m_pixelFormat = format;
    } else {
        BmpImage image = ToImage();
        // A palette that did not change depth keeps its indices as they are.
        if (image.BitsPerPixel == ImageBitsOf(format) && BitsPerPixelOf(format) <= 8)
            m_pixelFormat = format;
        else
            AdoptImage(std::move(image), format);
    }
    Changed();
}

void* TBitmap::ScanLine(int y) {
    EnsureDib();
    if (y < 0 || y >= m_height || !m_bits)
        throw EInvalidGraphic("Scan line index out of range");
    GdiFlush();
    return RowBits(y);
}

TCanvas* TBitmap::Canvas() {
    if (!m_canvas)
        m_canvas.reset(new TBitmapCanvas(this));
    return m_canvas.get();
}

HBITMAP TBitmap::Handle() {
    return m_handle;
}

void TBitmap::SetHandle(HBITMAP handle) {
    if (handle == m_handle)
        return;
    DestroyImage();
    if (handle) {
        DIBSECTION section = {};
        const int size = GetObjectA(handle, sizeof section, &section);
        if (size == 0)
            throw EInvalidGraphic("Bitmap image is not valid: the handle is not a bitmap");
        m_handle = handle;
        m_width = section.dsBm.bmWidth;
        m_height = section.dsBm.bmHeight;
        const int bits = section.dsBmih.biBitCount;
        const bool dib =
            size == sizeof(DIBSECTION) && section.dsBm.bmBits &&
            (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
        if (dib) {
            m_bits = static_cast<unsigned char*>(section.dsBm.bmBits);
            m_topDown = section.dsBmih.biHeight < 0;
            m_bitsPerPixel = bits;
            m_pixelFormat = bits == 16 ? (section.dsBitfields[1] == 0x07E0 ? pf16bit : pf15bit)
                                       : FormatOfImageBits(bits);
            if (bits <= 8) {
                // The colour table is read through a DC of our own.
                RGBQUAD colours[256];
                TBitmapCanvas::DeselectEverywhere(handle, nullptr);
                UINT count = 0;
                {
                    const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
                    const SelectedObject selected(dc.get(), handle);
                    count = GetDIBColorTable(dc.get(), 0, 1u << bits, colours);
                }
                std::vector<BmpPaletteEntry>& palette = *PaletteFor(bits);
                palette.assign(count, BmpPaletteEntry());
                for (UINT i = 0; i < count; ++i)
                    palette[i] = BmpPaletteEntry{colours[i].rgbBlue, colours[i].rgbGreen,
                                                 colours[i].rgbRed, 0};
            }
        } else {
            m_pixelFormat = pfDevice;
            m_bitsPerPixel = 0;
        }
    }
    Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
    FreeContext();
    const HBITMAP handle = m_handle;
    m_handle = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
    Changed();
    return handle;
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
    if (mode == m_transparentMode)
        return;
    m_transparentMode = mode;
    if (mode == tmAuto)
        m_transparentColor = clDefault;
    Changed();
}

TColor TBitmap::TransparentColor() {
    if (m_transparentMode == tmFixed)
        return m_transparentColor;
    if (Empty())
        return clNone;
    EnsureDib();
    GdiFlush();
    return static_cast<TColor>(PixelRgb(0, m_height - 1));
}

void TBitmap::SetTransparentColor(TColor color) {
    m_transparentColor = color;
    m_transparentMode = color == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparent(bool transparent) {
    if (transparent == m_transparent)
        return;
    m_transparent = transparent;
    Changed();
}

void TBitmap::LoadFromFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmOpenRead);
    LoadFromStream(&stream);
}

void TBitmap::SaveToFile(const AnsiString& fileName) {
    TFileStream stream(fileName, fmCreate);
    SaveToStream(&stream);
}

void TBitmap::LoadFromStream(TStream* stream) {
    const int available = std::max(stream->Size() - stream->Position(), 0);
    std::vector<unsigned char> data(static_cast<std::size_t>(std::min(available, 14)));
    stream->ReadBuffer(data.data(), static_cast<int>(data.size()));
    const std::size_t total = FileLength(data.data(), data.size(), std::size_t(available));
    data.resize(total);
    stream->ReadBuffer(data.data() + std::min<std::size_t>(total, 14),
                       static_cast<int>(total - std::min<std::size_t>(total, 14)));
    LoadFromBytes(data.data(), data.size());
}

void TBitmap::LoadFromBytes(const unsigned char* data, std::size_t size) {
    LoadFromImage(DecodeBmp(data, FileLength(data, size, size)));
}

void TBitmap::SaveToStream(TStream* stream) {
    const BmpImage image = Empty() ? BmpImage::Blank(0, 0, ImageBitsOf(m_pixelFormat)) : ToImage();
    const std::vector<std::uint8_t> data = EncodeBmp(image);
    stream->WriteBuffer(data.data(), static_cast<int>(data.size()));
}
