#include "control/palette.h"

namespace vessant {
namespace {

std::uint8_t Widen(unsigned index, int shift, int bits) {
    static const std::uint8_t one[2] = {0, 255};
    static const std::uint8_t two[4] = {0, 85, 170, 255};
    static const std::uint8_t three[8] = {0, 36, 73, 109, 146, 182, 219, 255};
    if (bits <= 0) return 0;
    unsigned value = (index >> shift) & ((1u << bits) - 1u);
    switch (bits) {
        case 1: return one[value];
        case 2: return two[value];
        case 3: return three[value];
        default: return static_cast<std::uint8_t>((value * 255u) / ((1u << bits) - 1u));
    }
}

struct StaticColor {
    unsigned index;
    std::uint8_t red, green, blue;
};

// The system's static colours, which an 8-bit palette keeps so other windows still look right.
const StaticColor kStaticColors[12] = {
    {3, 0x80, 0x00, 0x00},   {24, 0x00, 0x80, 0x00},  {27, 0x80, 0x80, 0x00},  {64, 0x00, 0x00, 0x80},
    {67, 0x80, 0x00, 0x80},  {88, 0x00, 0x80, 0x80},  {173, 0xC0, 0xC0, 0xC0}, {181, 0xC0, 0xDC, 0xC0},
    {236, 0xA6, 0xCA, 0xF0}, {247, 0xFF, 0xFB, 0xF0}, {164, 0xA0, 0xA0, 0xA4}, {91, 0x80, 0x80, 0x80},
};

}  // namespace

std::vector<PaletteEntry> BuildPalette(const PixelFormatInfo& format) {
    std::vector<PaletteEntry> palette;
    if (!format.needsPalette || format.colorBits <= 0 || format.colorBits > 16) return palette;
    const unsigned n = 1u << format.colorBits;
    palette.resize(n);
    for (unsigned i = 0; i < n; ++i) {
        palette[i].red = Widen(i, format.redShift, format.redBits);
        palette[i].green = Widen(i, format.greenShift, format.greenBits);
        palette[i].blue = Widen(i, format.blueShift, format.blueBits);
    }
    if (format.colorBits == 8 && format.redBits == 3 && format.redShift == 0 && format.greenBits == 3 &&
        format.greenShift == 3 && format.blueBits == 2 && format.blueShift == 6) {
        for (const StaticColor& c : kStaticColors) palette[c.index] = {c.red, c.green, c.blue, 0};
    }
    return palette;
}

}  // namespace vessant
