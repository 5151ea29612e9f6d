#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinPixels.h"

namespace {

// RGB of a pixel read straight from the scan line of a 24- or 32-bit bitmap.
TColor ScanPixel(TBitmap* bitmap, int x, int y) {
    const int bytes = bitmap->PixelFormat() == pf24bit ? 3 : 4;
    const unsigned char* p = static_cast<unsigned char*>(bitmap->ScanLine(y)) + x * bytes;
    return p[2] | p[1] << 8 | p[0] << 16;
}

// A bitmap whose every pixel has its own colour.
void FillPattern(TBitmap* bitmap, int width, int height) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        unsigned char* row = static_cast<unsigned char*>(bitmap->ScanLine(y));
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<unsigned char>(x * 9);
            row[x * 3 + 1] = static_cast<unsigned char>(y * 13);
            row[x * 3 + 2] = static_cast<unsigned char>(x + y * 7 + 1);
        }
    }
}

// An 8-bit bitmap with its own palette: index i is RGB(i, 255 - i, 3 * i), pixel (x, y)
// holds index (x + 5 y) mod 200.
void FillIndexed(TBitmap* bitmap, int width, int height) {
    BmpImage image = BmpImage::Blank(width, height, 8);
    for (int i = 0; i < 200; ++i)
        image.Palette.push_back(BmpPaletteEntry{static_cast<std::uint8_t>(3 * i),
                                                static_cast<std::uint8_t>(255 - i),
                                                static_cast<std::uint8_t>(i), 0});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.SetPixelValue(x, y, static_cast<std::uint32_t>((x + 5 * y) % 200));
    bitmap->LoadFromImage(image);
}

std::string RowBytes(TBitmap* bitmap, int y, int count) {
    return std::string(static_cast<const char*>(bitmap->ScanLine(y)), count);
}

} // namespace

TEST(Bitmap, ScanLineZeroIsTheTopRow) {
    for (TPixelFormat format : {pf24bit, pf32bit}) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(4, 3);
        bitmap.Canvas()->SetPixel(1, 0, 0x1E140A); // RGB(10, 20, 30)
        bitmap.Canvas()->SetPixel(2, 2, 0x030201);
        EXPECT_EQ(ScanPixel(&bitmap, 1, 0), 0x1E140A) << format;
        EXPECT_EQ(ScanPixel(&bitmap, 2, 2), 0x030201) << format;
        EXPECT_EQ(ScanPixel(&bitmap, 1, 2), clWhite) << format;

        // And the other way round: a byte written to row 2 is the bottom row on the canvas.
        unsigned char* bottom = static_cast<unsigned char*>(bitmap.ScanLine(2));
        bottom[0] = 0x40, bottom[1] = 0x50, bottom[2] = 0x60;
        EXPECT_EQ(PixelOf(&bitmap, 0, 2), 0x405060) << format;
    }
}

TEST(Bitmap, ScanLinesAreDwordPaddedAndChecked) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(5, 2);
    const char* row0 = static_cast<const char*>(bitmap.ScanLine(0));
    const char* row1 = static_cast<const char*>(bitmap.ScanLine(1));
    EXPECT_EQ(row0 > row1 ? row0 - row1 : row1 - row0, 16); // 15 bytes padded to 16
    EXPECT_THROW(bitmap.ScanLine(2), EInvalidGraphic);
    EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphic);
    TBitmap empty;
    EXPECT_THROW(empty.ScanLine(0), EInvalidGraphic);
}

TEST(Bitmap, SetSizeKeepsTheOverlapAndWhitensTheNewArea) {
    TBitmap bitmap;
    MakeSolid(&bitmap, 4, 4, clRed);
    bitmap.SetSize(6, 3);
    EXPECT_EQ(bitmap.Width(), 6);
    EXPECT_EQ(bitmap.Height(), 3);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 4, 3), clRed), 12);
    EXPECT_EQ(CountOf(&bitmap, TRect(4, 0, 6, 3), clWhite), 6);

    bitmap.SetPixelFormat(pf8bit);
    bitmap.SetSize(7, 4);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 0, 4, 3), clRed), 12);
    EXPECT_EQ(CountOf(&bitmap, TRect(0, 3, 7, 4), clWhite), 7);

    bitmap.SetSize(0, 0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(Bitmap, PaletteFormatsSurviveARoundTripThroughTwentyFourBits) {
    TBitmap bitmap;
    FillIndexed(&bitmap, 13, 5);
    ASSERT_EQ(bitmap.PixelFormat(), pf8bit);
    const std::string before = RowBytes(&bitmap, 0, 13) + RowBytes(&bitmap, 4, 13);

    bitmap.SetPixelFormat(pf24bit);
    EXPECT_EQ(ScanPixel(&bitmap, 7, 0), RGB(7, 248, 21));  // index 7
    EXPECT_EQ(ScanPixel(&bitmap, 2, 4), RGB(22, 233, 66)); // index 22
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(RowBytes(&bitmap, 0, 13) + RowBytes(&bitmap, 4, 13), before);
}

TEST(Bitmap, ConversionsKeepTheColoursEachFormatCanHold) {
    struct Case {
        TPixelFormat format;
        TColor colour; // a colour the format holds exactly
    } const cases[] = {
        {pf1bit, clBlack},   {pf4bit, clNavy},    {pf4bit, clSilver},
        {pf8bit, clTeal},    {pf8bit, 0x336699},  {pf15bit, 0x0842FF},
        {pf16bit, 0x0804FF}, {pf32bit, 0x123456}, {pfDevice, 0x654321},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "format " << c.format << " colour " << std::hex << c.colour);
        TBitmap bitmap;
        MakeSolid(&bitmap, 5, 3, clWhite);
        bitmap.Canvas()->SetPixel(2, 1, c.colour);
        bitmap.SetPixelFormat(c.format);
        EXPECT_EQ(bitmap.PixelFormat(), c.format);
        EXPECT_EQ(PixelOf(&bitmap, 2, 1), c.colour);
        EXPECT_EQ(PixelOf(&bitmap, 0, 0), clWhite);
        bitmap.SetPixelFormat(pf24bit);
        EXPECT_EQ(ScanPixel(&bitmap, 2, 1), c.colour);
        EXPECT_EQ(ScanPixel(&bitmap, 4, 2), clWhite);
    }
}

TEST(Bitmap, AutomaticTransparentColourIsTheBottomLeftPixel) {
    TBitmap bitmap;
    EXPECT_EQ(bitmap.TransparentMode(), tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clNone); // empty: no pixel to take
    MakeSolid(&bitmap, 6, 4, clWhite);
    bitmap.Canvas()->SetPixel(0, 3, 0x030201);
    bitmap.Canvas()->SetPixel(0, 0, clRed);
    bitmap.Canvas()->SetPixel(5, 3, clBlue);
    EXPECT_EQ(bitmap.TransparentColor(), 0x030201);

    bitmap.SetPixelFormat(pf4bit); // an indexed bitmap reports the colour, not the index
    bitmap.Canvas()->SetPixel(0, 3, clNavy);
    EXPECT_EQ(bitmap.TransparentColor(), clNavy);

    bitmap.SetTransparentColor(clFuchsia);
    EXPECT_EQ(bitmap.TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);
    bitmap.SetTransparentMode(tmAuto);
    EXPECT_EQ(bitmap.TransparentColor(), clNavy);
}

TEST(Bitmap, AssignCopiesImageSizeFormatAndTransparency) {
    TBitmap source;
    FillPattern(&source, 7, 5);
    source.SetTransparentColor(clLime);
    source.SetTransparent(true);
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Width(), 7);
    EXPECT_EQ(copy.Height(), 5);
    EXPECT_EQ(copy.PixelFormat(), pf24bit);
    EXPECT_EQ(copy.TransparentMode(), tmFixed);
    EXPECT_EQ(copy.TransparentColor(), clLime);
    EXPECT_TRUE(copy.Transparent());
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(RowBytes(&copy, y, 21), RowBytes(&source, y, 21)) << y;

    // The copy is a picture of its own.
    EXPECT_NE(copy.Handle(), source.Handle());
    copy.Canvas()->SetPixel(0, 0, clBlack);
    EXPECT_NE(PixelOf(&source, 0, 0), clBlack);

    TBitmap indexed;
    FillIndexed(&indexed, 3, 3);
    copy.Assign(&indexed);
    EXPECT_EQ(copy.PixelFormat(), pf8bit);
    EXPECT_EQ(RowBytes(&copy, 1, 3), RowBytes(&indexed, 1, 3));

    copy.Assign(nullptr);
    EXPECT_TRUE(copy.Empty());
    EXPECT_EQ(copy.Handle(), nullptr);
}

TEST(Bitmap, AssignFromAnotherClassIsRefused) {
    TBitmap bitmap;
    TFont font;
    EXPECT_EQ(MessageOf<EConvertError>([&] { bitmap.Assign(&font); }),
              "Cannot assign a TFont to a TBitmap");
}

TEST(Bitmap, StreamsRoundTripEveryFormat) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(format);
        TBitmap source;
        FillPattern(&source, 9, 4);
        source.SetPixelFormat(format);
        TMemoryStream stream;
        source.SaveToStream(&stream);
        source.SaveToStream(&stream); // two pictures back to back
        stream.SetPosition(0);

        TBitmap first, second, fromBytes;
        first.LoadFromStream(&stream);
        second.LoadFromStream(&stream);
        EXPECT_EQ(stream.Position(), stream.Size());
        // From memory too, where the file header's length ends the first picture.
        const std::vector<unsigned char> both = stream.Bytes();
        fromBytes.LoadFromBytes(both.data(), both.size());
        for (TBitmap* loaded : {&first, &second, &fromBytes}) {
            EXPECT_EQ(loaded->PixelFormat(), format);
            ASSERT_EQ(loaded->Width(), 9);
            ASSERT_EQ(loaded->Height(), 4);
            EXPECT_EQ(MaskOf(loaded, PixelOf(&source, 3, 2)),
                      MaskOf(&source, PixelOf(&source, 3, 2)));
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 9; ++x)
                    ASSERT_EQ(PixelOf(loaded, x, y), PixelOf(&source, x, y)) << x << "," << y;
        }
    }
}

TEST(Bitmap, AFileRoundTripsAndAMissingFileRaisesOpenError) {
    char directory[MAX_PATH];
    GetTempPathA(MAX_PATH, directory);
    const std::string name = std::string(directory) + "fwg_bitmap_test.bmp";
    TBitmap source;
    FillPattern(&source, 3, 3);
    source.SaveToFile(name.c_str());
    TBitmap loaded;
    loaded.LoadFromFile(name.c_str());
    EXPECT_EQ(RowBytes(&loaded, 2, 9), RowBytes(&source, 2, 9));
    std::remove(name.c_str());

    EXPECT_EQ(MessageOf<EFOpenError>([&] { loaded.LoadFromFile(name.c_str()); }),
              "Cannot open file \"" + name + "\"");
    EXPECT_EQ(loaded.Width(), 3); // unchanged
}

TEST(Bitmap, AMalformedStreamRaisesInvalidGraphicAndLeavesTheBitmapAlone) {
    TBitmap bitmap;
    MakeSolid(&bitmap, 2, 2, clRed);
    TMemoryStream stream;
    stream.WriteBuffer("BM not really a bitmap", 22);
    stream.SetPosition(0);
    EXPECT_THROW(bitmap.LoadFromStream(&stream), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 2);
    EXPECT_EQ(PixelOf(&bitmap, 1, 1), clRed);
}

TEST(Bitmap, ReleaseHandleGivesUpAValidHandle) {
    HBITMAP handle;
    {
        TBitmap bitmap;
        MakeSolid(&bitmap, 8, 6, clBlue);
        handle = bitmap.ReleaseHandle();
        EXPECT_TRUE(bitmap.Empty());
        EXPECT_EQ(bitmap.Handle(), nullptr);
    }
    ASSERT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BITMAP));
    BITMAP info = {};
    ASSERT_NE(GetObjectA(handle, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, 8);
    EXPECT_EQ(info.bmHeight, 6);
    TBitmap adopted;
    adopted.SetHandle(handle);
    EXPECT_EQ(adopted.Width(), 8);
    EXPECT_EQ(adopted.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelOf(&adopted, 7, 5), clBlue);
}

TEST(Bitmap, ABorrowedHandleIsGivenBackAndTheOwnerKeepsDrawing) {
    // The painter's pattern: a temporary bitmap takes the handle, is copied from, and
    // releases it again unfreed.
    TBitmap owner, target;
    MakeSolid(&owner, 4, 4, clRed);
    MakeSolid(&target, 4, 4, clWhite);
    {
        TBitmap borrower;
        borrower.SetHandle(owner.Handle());
        target.Canvas()->CopyRect(TRect(0, 0, 2, 2), borrower.Canvas(), TRect(0, 0, 2, 2));
        EXPECT_EQ(borrower.ReleaseHandle(), owner.Handle());
    }
    EXPECT_EQ(CountOf(&target, TRect(0, 0, 2, 2), clRed), 4);
    EXPECT_EQ(GetObjectType(owner.Handle()), static_cast<DWORD>(OBJ_BITMAP));
    owner.Canvas()->SetPixel(3, 3, clLime); // its DC was given up for the borrower; made again
    EXPECT_EQ(PixelOf(&owner, 3, 3), clLime);
}

TEST(Bitmap, TakesOverADeviceDependentBitmap) {
    const HDC screen = GetDC(nullptr);
    const HBITMAP ddb = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    TBitmap bitmap;
    bitmap.SetHandle(ddb);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.PixelFormat(), pfDevice);
    bitmap.Canvas()->SetPixel(2, 1, 0x102030);
    bitmap.SetPixelFormat(pf24bit); // its pixels are read out into a section
    EXPECT_EQ(ScanPixel(&bitmap, 2, 1), 0x102030);
}

TEST(Bitmap, OnChangeFollowsPictureChangesButNotDrawing) {
    TBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &bitmap);
        ++changes;
    };
    struct Step {
        const char* name;
        std::function<void()> action;
        int expected;
    };
    TBitmap other;
    MakeSolid(&other, 2, 2, clRed);
    TMemoryStream stream;
    other.SaveToStream(&stream);
    const std::vector<Step> steps = {
        {"size", [&] { bitmap.SetSize(3, 3); }, 1},
        {"same size", [&] { bitmap.SetSize(3, 3); }, 0},
        {"format", [&] { bitmap.SetPixelFormat(pf8bit); }, 1},
        {"same format", [&] { bitmap.SetPixelFormat(pf8bit); }, 0},
        {"drawing", [&] { bitmap.Canvas()->FillRect(TRect(0, 0, 2, 2)); }, 0},
        {"pixel", [&] { bitmap.Canvas()->SetPixel(0, 0, clRed); }, 0},
        {"assign", [&] { bitmap.Assign(&other); }, 1},
        {"load",
         [&] {
             stream.SetPosition(0);
             bitmap.LoadFromStream(&stream);
         },
         1},
        {"transparent colour", [&] { bitmap.SetTransparentColor(clRed); }, 1},
        {"release", [&] { DeleteObject(bitmap.ReleaseHandle()); }, 1},
    };
    for (const Step& step : steps) {
        changes = 0;
        step.action();
        EXPECT_EQ(changes, step.expected) << step.name;
    }
}
