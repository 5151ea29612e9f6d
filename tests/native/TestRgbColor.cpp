#include <gtest/gtest.h>

#include <string>

#include "framework/core/Color.h"
#include "tessel/Graphics/RgbColor.h"

using tessel::RgbColor;

TEST(RgbColor, ARawValueIsKeptAsItIs) {
    EXPECT_EQ(RgbColor(-1).Value(), 0xFFFFFFFFu);
    EXPECT_EQ(RgbColor(-1).Rgb(), 0xFFFFFFu);
    EXPECT_EQ(RgbColor(0xFF000000u).Value(), 0xFF000000u);
    EXPECT_EQ(RgbColor(0xFF000000u).Rgb(), 0u);
    EXPECT_EQ(RgbColor(0x12345678u).Value(), 0x12345678u);
    EXPECT_EQ(RgbColor(0x12345678u).Rgb(), 0x345678u);
}

TEST(RgbColor, AFrameworkColourGetsTheHighByteSet) {
    struct Case {
        TColor color;
        std::uint32_t value;
    } const cases[] = {
        {clBlack, 0xFF000000u},  {clWhite, 0xFFFFFFFFu},
        {clRed, 0xFF0000FFu},    {clNavy, 0xFF800000u},
        {0x0A0B0C, 0xFF0A0B0Cu}, {clNone, 0xFFFFFFFFu}, // only the low 24 bits are a colour
    };
    for (const Case& c : cases) {
        const RgbColor colour = RgbColor::FromColor(c.color);
        EXPECT_EQ(colour.Value(), c.value) << std::hex << c.color;
        EXPECT_EQ(colour.Rgb(), c.value & 0xFFFFFFu);
    }
}

TEST(RgbColor, ChannelsFollowThePlatformOrder) {
    const RgbColor colour = RgbColor::FromColor(0x332211);
    EXPECT_EQ(colour.Red(), 0x11);
    EXPECT_EQ(colour.Green(), 0x22);
    EXPECT_EQ(colour.Blue(), 0x33);
}

TEST(RgbColor, ComparesByTheWholeValue) {
    EXPECT_EQ(RgbColor(0xFF000000u), RgbColor::FromColor(clBlack));
    EXPECT_NE(RgbColor(0u), RgbColor::FromColor(clBlack)); // same RGB, other high byte
    RgbColor copy = RgbColor(-1);
    copy = RgbColor(0xFF00FF00u);
    EXPECT_EQ(copy.Value(), 0xFF00FF00u);
}

TEST(ColorNames, NamesAndValuesMapBothWays) {
    struct Case {
        const char* name;
        TColor value;
    } const cases[] = {
        {"clBtnFace", static_cast<TColor>(0x8000000F)},
        {"clWindowText", static_cast<TColor>(0x80000008)},
        {"clGrayText", static_cast<TColor>(0x80000011)},
        {"clBlack", 0},
        {"clNavy", 0x800000},
        {"clWhite", 0xFFFFFF},
        {"clNone", 0x1FFFFFFF},
        {"clDefault", 0x20000000},
    };
    for (const Case& c : cases) {
        TColor value = 12345;
        ASSERT_TRUE(IdentToColor(c.name, value)) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
        std::string name;
        ASSERT_TRUE(ColorToIdent(c.value, name)) << c.name;
        EXPECT_EQ(name, c.name);
    }
}

TEST(ColorNames, LetterCaseIsIgnoredAndUnknownNamesFail) {
    TColor value = 0;
    EXPECT_TRUE(IdentToColor("CLBTNFACE", value));
    EXPECT_EQ(value, clBtnFace);
    value = 77;
    EXPECT_FALSE(IdentToColor("clBtnFac", value));
    EXPECT_FALSE(IdentToColor("", value));
    EXPECT_EQ(value, 77);
    std::string name = "unchanged";
    EXPECT_FALSE(ColorToIdent(0x123456, name));
    EXPECT_EQ(name, "unchanged");
    // Aliases read back under their first name.
    ASSERT_TRUE(ColorToIdent(clLtGray, name));
    EXPECT_EQ(name, "clSilver");
}
