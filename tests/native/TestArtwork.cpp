// Checks the generated artwork of the notice window and the form descriptions that carry it.
// The build draws them into ARTWORK_DIR and writes PELORIN_FORM and SPELORIN_FORM.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/BmpCodec.h"

namespace {

const std::uint32_t KeyColour = 0xF17EFF;   // RGB(255, 126, 241) as 0x00BBGGRR
const std::uint32_t PanelColour = 0xEEE8E8; // RGB(232, 232, 238)
const std::uint32_t ButtonKey = 0xD4CFCF;   // RGB(207, 207, 212), TransparentColor 13946831

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

std::string ArtworkPath(const std::string& name) {
    return std::string(ARTWORK_DIR) + "/" + name;
}

std::int32_t Int32At(const std::vector<std::uint8_t>& bytes, size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | bytes.at(offset + i);
    return static_cast<std::int32_t>(value);
}

// The header fields the window relies on, read straight from the file (the decoder turns
// the rows top-down, so it cannot tell how they were stored).
struct StoredLayout {
    int HeaderSize, Width, Height, BitsPerPixel, Compression;
};

StoredLayout LayoutOf(const std::vector<std::uint8_t>& file) {
    return {Int32At(file, 14), Int32At(file, 18), Int32At(file, 22),
            static_cast<int>(file.at(28) | file.at(29) << 8), Int32At(file, 30)};
}

struct Picture {
    std::vector<std::uint8_t> File;
    BmpImage Image;
};

Picture Load(const std::string& name) {
    Picture picture;
    picture.File = ReadFile(ArtworkPath(name));
    picture.Image = DecodeBmp(picture.File.data(), picture.File.size());
    return picture;
}

void ExpectUncompressed24BitBottomUp(const Picture& picture, int width, int height) {
    StoredLayout layout = LayoutOf(picture.File);
    EXPECT_EQ(layout.HeaderSize, 40);
    EXPECT_EQ(layout.Width, width);
    EXPECT_EQ(layout.Height, height) << "a positive height stores the rows bottom-up";
    EXPECT_EQ(layout.BitsPerPixel, 24);
    EXPECT_EQ(layout.Compression, 0);
    EXPECT_EQ(picture.Image.Width, width);
    EXPECT_EQ(picture.Image.Height, height);
}

// See-through pixels at the left and right end of each row of the skin, counted from the
// top; a row with left = -1 is see-through from end to end.
struct OutlineRows {
    int First, Last, Left, Right;
};

const OutlineRows SkinOutline[] = {
    {0, 5, -1, -1},     {6, 6, 26, 26},     {7, 7, 23, 23},     {8, 8, 21, 21},
    {9, 9, 20, 20},     {10, 10, 18, 18},   {11, 11, 17, 17},   {12, 12, 16, 16},
    {13, 13, 15, 15},   {14, 14, 14, 14},   {15, 15, 13, 13},   {16, 16, 12, 12},
    {17, 17, 11, 11},   {18, 18, 10, 10},   {19, 19, 9, 9},     {20, 21, 8, 8},
    {22, 22, 7, 7},     {23, 24, 6, 6},     {25, 26, 5, 5},     {27, 27, 5, 4},
    {28, 160, 4, 4},    {161, 162, 5, 5},   {163, 164, 6, 6},   {165, 165, 7, 7},
    {166, 167, 8, 8},   {168, 168, 9, 9},   {169, 170, 10, 10}, {171, 171, 11, 11},
    {172, 172, 12, 12}, {173, 173, 13, 13}, {174, 174, 14, 14}, {175, 175, 15, 15},
    {176, 176, 16, 16}, {177, 177, 17, 17}, {178, 178, 18, 18}, {179, 179, 19, 19},
    {180, 180, 20, 20}, {181, 181, 22, 22}, {182, 182, 24, 24}, {183, 183, 26, 26},
    {184, 189, -1, -1},
};

} // namespace

TEST(Artwork, SkinIsAn400By190Uncompressed24BitBottomUpBitmap) {
    ExpectUncompressed24BitBottomUp(Load("skin.bmp"), 400, 190);
}

TEST(Artwork, SkinIsSeeThroughExactlyOutsideTheRoundedPanel) {
    const BmpImage skin = Load("skin.bmp").Image;
    ASSERT_EQ(skin.Width, 400);
    ASSERT_EQ(skin.Height, 190);
    int rowsChecked = 0;
    for (const OutlineRows& rows : SkinOutline) {
        for (int y = rows.First; y <= rows.Last; ++y, ++rowsChecked) {
            ASSERT_EQ(y, rowsChecked) << "the outline table leaves a gap";
            const int left = rows.Left < 0 ? skin.Width : rows.Left;
            const int right = rows.Right < 0 ? 0 : rows.Right;
            for (int x = 0; x < skin.Width; ++x) {
                const bool seeThrough = x < left || x >= skin.Width - right;
                ASSERT_EQ(skin.PixelRgb(x, y) == KeyColour, seeThrough)
                    << "pixel " << x << ", " << y;
            }
        }
    }
    EXPECT_EQ(rowsChecked, 190);
}

TEST(Artwork, SkinTakesTheKeyFromItsBottomLeftPixelAndShowsThePanelColour) {
    const BmpImage skin = Load("skin.bmp").Image;
    EXPECT_EQ(skin.PixelRgb(0, skin.Height - 1), KeyColour);
    // Behind the button the panel is plain, so that the button's corners blend in.
    for (int y = 139; y < 139 + 27; ++y)
        for (int x = 160; x < 160 + 75; ++x)
            ASSERT_EQ(skin.PixelRgb(x, y), PanelColour) << "pixel " << x << ", " << y;
}

TEST(Artwork, EachButtonLookHasExactlyThreeTransparentPixelsAndPanelCorners) {
    for (const char* name : {"button_raised.bmp", "button_sunken.bmp", "button_focused.bmp"}) {
        SCOPED_TRACE(name);
        const Picture button = Load(name);
        ExpectUncompressed24BitBottomUp(button, 75, 27);
        std::set<std::pair<int, int>> transparent;
        for (int y = 0; y < button.Image.Height; ++y)
            for (int x = 0; x < button.Image.Width; ++x)
                if (button.Image.PixelRgb(x, y) == ButtonKey)
                    transparent.insert({x, y});
        EXPECT_EQ(transparent, (std::set<std::pair<int, int>>{{0, 26}, {1, 26}, {73, 26}}));
        EXPECT_EQ(button.Image.PixelRgb(0, 0), PanelColour);
        EXPECT_EQ(button.Image.PixelRgb(74, 0), PanelColour);
    }
}

TEST(Artwork, RaisedSunkenAndFocusedLooksDiffer) {
    const BmpImage looks[] = {Load("button_raised.bmp").Image, Load("button_sunken.bmp").Image,
                              Load("button_focused.bmp").Image};
    for (int a = 0; a < 3; ++a) {
        for (int b = a + 1; b < 3; ++b) {
            int different = 0;
            for (int y = 0; y < 27; ++y)
                for (int x = 0; x < 75; ++x)
                    different += looks[a].PixelRgb(x, y) != looks[b].PixelRgb(x, y);
            // Plainly different: far more than a few stray pixels.
            EXPECT_GT(different, 200) << "looks " << a << " and " << b;
        }
    }
}

namespace {

// A binary property of a form description: its name, the indentation of its line, the
// data and the lines of hex as written.
struct BinaryProperty {
    std::string Name;
    size_t Indent = 0;
    std::vector<std::uint8_t> Data;
    std::vector<std::string> Lines;
};

std::vector<BinaryProperty> BinaryPropertiesOf(const std::string& path) {
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << "cannot open " << path;
    std::vector<BinaryProperty> found;
    std::string line;
    while (std::getline(in, line)) {
        const size_t brace = line.find(" = {");
        if (brace == std::string::npos)
            continue;
        BinaryProperty property;
        property.Indent = line.find_first_not_of(' ');
        property.Name = line.substr(property.Indent, brace - property.Indent);
        bool closed = false;
        while (!closed && std::getline(in, line)) {
            std::string digits = line;
            if (!digits.empty() && digits.back() == '}') {
                digits.pop_back();
                closed = true;
            }
            property.Lines.push_back(digits);
            const std::string hex = digits.substr(digits.find_first_not_of(' '));
            for (size_t i = 0; i + 1 < hex.size(); i += 2)
                property.Data.push_back(
                    static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
            EXPECT_EQ(hex.size() % 2, 0u) << property.Name;
        }
        EXPECT_TRUE(closed) << property.Name << " has no closing brace";
        found.push_back(property);
    }
    return found;
}

} // namespace

TEST(Artwork, FormDescriptionsCarryTheBitmapFilesAsHexData) {
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Picture.Data", "skin.bmp"},
        {"Appearance.RaisedBmp.Data", "button_raised.bmp"},
        {"Appearance.SunkenBmp.Data", "button_sunken.bmp"},
        {"Appearance.FocusedBmp.Data", "button_focused.bmp"},
    };
    for (const char* form : {PELORIN_FORM, SPELORIN_FORM}) {
        SCOPED_TRACE(form);
        const std::vector<BinaryProperty> properties = BinaryPropertiesOf(form);
        ASSERT_EQ(properties.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(expected[i].first);
            EXPECT_EQ(properties[i].Name, expected[i].first);
            EXPECT_EQ(properties[i].Data, ReadFile(ArtworkPath(expected[i].second)));
            for (const std::string& hexLine : properties[i].Lines) {
                const size_t indent = hexLine.find_first_not_of(' ');
                EXPECT_EQ(indent, properties[i].Indent + 2);
                EXPECT_LE(hexLine.size() - indent, 64u);
                for (size_t c = indent; c < hexLine.size(); ++c)
                    ASSERT_TRUE(std::isxdigit(static_cast<unsigned char>(hexLine[c])) &&
                                !std::islower(static_cast<unsigned char>(hexLine[c])))
                        << hexLine;
            }
        }
    }
}
