// Checks the generated artwork of the notice window and the form descriptions that carry it.
// The build draws them into ARTWORK_DIR and writes PELORIN_FORM and SPELORIN_FORM.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "framework/codec/BmpCodec.h"
#include "framework/streaming/FormText.h"

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

std::string ReadText(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadFile(path);
    return std::string(bytes.begin(), bytes.end());
}

const FormProperty* FindProperty(const FormObject& object, const std::string& path) {
    for (const FormProperty& property : object.Properties)
        if (property.Path == path)
            return &property;
    return nullptr;
}

std::vector<std::string> PathsOf(const FormObject& object) {
    std::vector<std::string> paths;
    for (const FormProperty& property : object.Properties)
        paths.push_back(property.Path);
    return paths;
}

} // namespace

TEST(Artwork, FormDescriptionsReadBackAsTheFormWriterWritesThem) {
    for (const char* form : {PELORIN_FORM, SPELORIN_FORM}) {
        SCOPED_TRACE(form);
        const std::string text = ReadText(form);
        const std::string written = WriteFormText(ParseFormText(text));
        // Report the first line that differs: the texts are half a megabyte each.
        const auto difference =
            std::mismatch(text.begin(), text.end(), written.begin(), written.end());
        EXPECT_TRUE(written == text)
            << "first difference in line " << 1 + std::count(text.begin(), difference.first, '\n');
    }
}

TEST(Artwork, FormDescriptionsCarryTheBitmapFilesAsData) {
    for (const char* form : {PELORIN_FORM, SPELORIN_FORM}) {
        SCOPED_TRACE(form);
        const FormObject root = ParseFormText(ReadText(form));
        ASSERT_GE(root.Children.size(), 4u);
        const struct {
            const FormObject& Object;
            const char* Path;
            const char* File;
        } carried[] = {
            {root.Children[0], "Picture.Data", "skin.bmp"},
            {root.Children[3], "Appearance.RaisedBmp.Data", "button_raised.bmp"},
            {root.Children[3], "Appearance.SunkenBmp.Data", "button_sunken.bmp"},
            {root.Children[3], "Appearance.FocusedBmp.Data", "button_focused.bmp"},
        };
        for (const auto& c : carried) {
            SCOPED_TRACE(c.Path);
            const FormProperty* property = FindProperty(c.Object, c.Path);
            ASSERT_NE(property, nullptr);
            ASSERT_EQ(property->Value.Kind, FormValueKind::Binary);
            EXPECT_EQ(property->Value.Bytes, ReadFile(ArtworkPath(c.File)));
        }
    }
}

TEST(Artwork, TheTwoFormsDifferOnlyInWidthAndTimer) {
    const FormObject pelorin = ParseFormText(ReadText(PELORIN_FORM));
    const FormObject spelorin = ParseFormText(ReadText(SPELORIN_FORM));
    for (const FormObject* root : {&pelorin, &spelorin}) {
        EXPECT_EQ(root->Name, "MainForm");
        EXPECT_EQ(root->ClassName, "TMainForm");
        const FormProperty* message = FindProperty(root->Children.at(1), "Caption");
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->Value.Text, "Please install Microsoft .NET Framework 2.0 before "
                                       "installing any program from the support DVD!");
        // The button's properties come in the order its bitmaps and caption depend on.
        const FormObject& button = root->Children.at(3);
        EXPECT_EQ(button.Name + ": " + button.ClassName, "YesButton: KxButtonTx");
        EXPECT_EQ(PathsOf(button), (std::vector<std::string>{
                                       "Left", "Top", "Width", "Height", "TransparentColor",
                                       "Appearance.RaisedBmp.Data", "Appearance.SunkenBmp.Data",
                                       "Appearance.FocusedBmp.Data", "ModalResult", "TabOrder",
                                       "OnClick", "Caption"}));
    }
    EXPECT_EQ(FindProperty(pelorin, "Width")->Value.Integer, 428);
    EXPECT_EQ(FindProperty(spelorin, "Width")->Value.Integer, 451);
    ASSERT_EQ(pelorin.Children.size(), 4u);
    ASSERT_EQ(spelorin.Children.size(), 5u);
    EXPECT_EQ(spelorin.Children[4].Name + ": " + spelorin.Children[4].ClassName, "Timer: TTimer");

    FormObject withoutTimer = spelorin;
    withoutTimer.Children.pop_back();
    for (FormProperty& property : withoutTimer.Properties)
        if (property.Path == "Width")
            property.Value.Integer = 428;
    EXPECT_TRUE(SameFormTree(withoutTimer, pelorin));
}
