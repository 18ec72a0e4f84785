#pragma once
// Reads a window's pixels into a top-down RGBA image.

#include <X11/Xlib.h>

#include <cstdint>

#include "common/host/host_types.h"

namespace vessant {

class X11BackgroundCapture {
public:
    // The pixels of `window` in the rectangle (x, y, width, height) of its own coordinates. Parts
    // outside the window are `fill` (0xRRGGBB). False when the window cannot be read (unmapped,
    // destroyed, an indexed visual).
    static bool Read(Display* display, Window window, int x, int y, int width, int height, std::uint32_t fill,
                     RgbaImage* out);
};

}  // namespace vessant
