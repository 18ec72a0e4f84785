// The palette for indexed visuals: widened bit fields and the kept system colours.
#include <gtest/gtest.h>

#include <tuple>

#include "control/palette.h"

namespace vessant {
namespace {

// An indexed format of `bits` bits with red, green and blue fields of these sizes, in that order.
PixelFormatInfo Indexed(int bits, int red, int green, int blue) {
    PixelFormatInfo format;
    format.needsPalette = true;
    format.colorBits = bits;
    format.redBits = red;
    format.redShift = 0;
    format.greenBits = green;
    format.greenShift = red;
    format.blueBits = blue;
    format.blueShift = red + green;
    return format;
}

std::tuple<int, int, int> Rgb(const PaletteEntry& e) { return {e.red, e.green, e.blue}; }

TEST(Palette, ThreeThreeTwoFormatWidensFieldsAndKeepsSystemColours) {
    EXPECT_TRUE(BuildPalette(PixelFormatInfo()).empty()) << "true colour needs none";
    const std::vector<PaletteEntry> p = BuildPalette(Indexed(8, 3, 3, 2));
    ASSERT_EQ(p.size(), 256u);
    // Index 0b10'011'101: blue 2 of 2 bits, green 3 of 3 bits, red 5 of 3 bits.
    EXPECT_EQ(Rgb(p[0b10011101]), std::make_tuple(182, 109, 170));
    EXPECT_EQ(Rgb(p[255]), std::make_tuple(255, 255, 255));
    // The static colours replace the computed ones at their indices.
    EXPECT_EQ(Rgb(p[3]), std::make_tuple(0x80, 0, 0));
    EXPECT_EQ(Rgb(p[247]), std::make_tuple(0xFF, 0xFB, 0xF0));
    EXPECT_EQ(p[91].blue, 0x80);
}

TEST(Palette, OtherIndexedFormatsHaveNoStaticColours) {
    const std::vector<PaletteEntry> p = BuildPalette(Indexed(4, 1, 2, 1));
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(Rgb(p[3]), std::make_tuple(255, 85, 0));
}

}  // namespace
}  // namespace vessant
