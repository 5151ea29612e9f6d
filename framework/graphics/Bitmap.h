#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/AnsiString.h"
#include "framework/codec/BmpCodec.h"
#include "framework/core/Color.h"
#include "framework/core/Persistent.h"
#include "framework/win/Win.h"

class TCanvas;
class TStream;
class TBitmapCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

// A picture held as real pixels in a DIB section, with a canvas (a memory DC that has the
// section selected) to draw on it. A 0 x 0 bitmap is empty and has no handle. Rows are
// numbered from the top: ScanLine(0) is the top row, DWORD padded, in the layout of the
// pixel format. pfDevice is a section of the screen's depth.
//
// OnChange fires after Assign, loading, SetSize, SetPixelFormat, SetHandle, ReleaseHandle
// and the transparency settings; drawing on the canvas does not fire it (the canvas has
// its own OnChange).
class TBitmap : public TPersistent {
public:
    TBitmap();
    ~TBitmap() override;
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;

    // From a TBitmap: image, size, pixel format and transparency settings; from null: the
    // bitmap becomes empty.
    void Assign(TPersistent* source) override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int width) { SetSize(width, m_height); }
    void SetHeight(int height) { SetSize(m_width, height); }
    // Keeps the overlapping top-left part of the image; new area is white.
    void SetSize(int width, int height);
    bool Empty() const { return m_width == 0 || m_height == 0; }

    TPixelFormat PixelFormat() const { return m_pixelFormat; }
    // Converts the image; for 4 and 8 bits per pixel the palette is the one the bitmap last
    // had at that depth, else the VGA colours / a 256-colour palette that holds them.
    void SetPixelFormat(TPixelFormat format);

    // Row y (0 = top). EInvalidGraphic "Scan line index out of range" outside 0 .. Height-1.
    void* ScanLine(int y);

    TCanvas* Canvas();

    // The DIB section (0 for an empty bitmap).
    HBITMAP Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }
    // Takes the handle over (any bitmap handle; a device-dependent one is turned into a DIB
    // section when its pixels are needed). 0 makes the bitmap empty.
    void SetHandle(HBITMAP handle);
    // Gives up the handle: it stays valid, the caller owns it, the bitmap becomes empty.
    HBITMAP ReleaseHandle();

    TTransparentMode TransparentMode() const { return m_transparentMode; }
    void SetTransparentMode(TTransparentMode mode);
    // tmFixed: the stored colour; tmAuto: the RGB of the bottom-left pixel (clNone while
    // the bitmap is empty).
    TColor TransparentColor();
    // Stores the colour and switches to tmFixed.
    void SetTransparentColor(TColor color);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool transparent);

    void LoadFromFile(const AnsiString& fileName);
    void SaveToFile(const AnsiString& fileName);
    // Reads one .bmp file image from the stream's position (its length from the file
    // header when that is plausible, else the rest of the stream).
    void LoadFromStream(TStream* stream);
    // The same from bytes in memory, without a stream's copy of them.
    void LoadFromBytes(const unsigned char* data, std::size_t size);
    void SaveToStream(TStream* stream);

    // The picture as portable pixels (16-bit formats come out as 24 bits per pixel).
    BmpImage ToImage();
    // Replaces the picture; the pixel format follows the image's depth.
    void LoadFromImage(BmpImage image);

    TNotifyEvent OnChange;

protected:
    virtual void Changed();

private:
    friend class TBitmapCanvas;
    static int BitsPerPixelOf(TPixelFormat format);
    static int ImageBitsOf(TPixelFormat format);
    static TPixelFormat FormatOfImageBits(int bitsPerPixel);
    std::vector<BmpPaletteEntry>* PaletteFor(int bitsPerPixel);
    void FreeContext();
    void DestroyImage();
    void AdoptImage(BmpImage image, TPixelFormat format);
    void EnsureDib();
    std::uint32_t PixelRgb(int x, int y);
    unsigned char* RowBits(int y);
    int Stride() const;

    HBITMAP m_handle = nullptr;
    unsigned char* m_bits = nullptr; // null for a device-dependent handle
    bool m_topDown = false;
    int m_width = 0;
    int m_height = 0;
    int m_bitsPerPixel = 0; // of the DIB section
    TPixelFormat m_pixelFormat = pfDevice;
    // The palette of each indexed depth: the current one, or the last one the bitmap had,
    // so that a round trip through a deeper format comes back to the same indices.
    std::vector<BmpPaletteEntry> m_palette1;
    std::vector<BmpPaletteEntry> m_palette4;
    std::vector<BmpPaletteEntry> m_palette8;
    TTransparentMode m_transparentMode = tmAuto;
    TColor m_transparentColor = clDefault;
    bool m_transparent = false;
    // Destroyed first (see the destructor): the DC must let go of the section.
    std::unique_ptr<TBitmapCanvas> m_canvas;
};
