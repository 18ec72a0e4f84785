#pragma once
// The logical palette for a pixel format that needs one (an 8-bit indexed visual).

#include <cstdint>
#include <vector>

#include "common/host/host_types.h"

namespace vessant {

struct PaletteEntry {
    std::uint8_t red = 0, green = 0, blue = 0, flags = 0;
};

// Builds the 2^colourBits entries from the format's bit fields, widened to eight bits; the 8-bit
// 3-3-2 format gets the twelve static system colours at their fixed indices. Empty when the
// format needs no palette.
std::vector<PaletteEntry> BuildPalette(const PixelFormatInfo& format);

}  // namespace vessant
