// The palette for indexed visuals: widened bit fields and the kept system colours.
#include <gtest/gtest.h>

#include "control/palette.h"

namespace vessant {
namespace {

TEST(Palette, TrueColourNeedsNone) {
    PixelFormatInfo format;
    EXPECT_TRUE(BuildPalette(format).empty());
}

TEST(Palette, ThreeThreeTwoFormatWidensFieldsAndKeepsSystemColours) {
    PixelFormatInfo format;
    format.needsPalette = true;
    format.colorBits = 8;
    format.redBits = 3;
    format.redShift = 0;
    format.greenBits = 3;
    format.greenShift = 3;
    format.blueBits = 2;
    format.blueShift = 6;
    const std::vector<PaletteEntry> p = BuildPalette(format);
    ASSERT_EQ(p.size(), 256u);
    // Index 0b10'011'101: blue 2 of 2 bits, green 3 of 3 bits, red 5 of 3 bits.
    const PaletteEntry& e = p[0b10011101];
    EXPECT_EQ(e.red, 182);
    EXPECT_EQ(e.green, 109);
    EXPECT_EQ(e.blue, 170);
    EXPECT_EQ(p[255].red, 255);
    EXPECT_EQ(p[255].blue, 255);
    // The static colours replace the computed ones at their indices.
    EXPECT_EQ(p[3].red, 0x80);
    EXPECT_EQ(p[3].green, 0);
    EXPECT_EQ(p[247].red, 0xFF);
    EXPECT_EQ(p[247].green, 0xFB);
    EXPECT_EQ(p[247].blue, 0xF0);
    EXPECT_EQ(p[91].blue, 0x80);
}

TEST(Palette, OtherIndexedFormatsHaveNoStaticColours) {
    PixelFormatInfo format;
    format.needsPalette = true;
    format.colorBits = 4;
    format.redBits = 1;
    format.redShift = 0;
    format.greenBits = 2;
    format.greenShift = 1;
    format.blueBits = 1;
    format.blueShift = 3;
    const std::vector<PaletteEntry> p = BuildPalette(format);
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(p[3].red, 255);
    EXPECT_EQ(p[3].green, 85);
    EXPECT_EQ(p[3].blue, 0);
}

}  // namespace
}  // namespace vessant
