#pragma once
// Cutting the container's pixels to the rectangle the control asks for.

#include <cstdint>

#include "common/host/host_types.h"

namespace vessant {

// Copies the part of `source` under `rect` (source coordinates) into `out`, sized as `rect`.
// Pixels of `rect` outside `source` get `fill` (0xRRGGBB, opaque). False for an empty rect.
bool CropRgbaImage(const RgbaImage& source, const ScreenRect& rect, std::uint32_t fill, RgbaImage& out);

}  // namespace vessant
