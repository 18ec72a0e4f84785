#include "platform/x11_background_capture.h"

#include <X11/Xutil.h>

#include <algorithm>

#include "platform/rgba_crop.h"
#include "platform/x_error_trap.h"

namespace vessant {
namespace {

// Widens the field `mask` of `pixel` to eight bits.
std::uint8_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    const unsigned long max = mask >> shift;
    const unsigned long value = (pixel & mask) >> shift;
    return static_cast<std::uint8_t>(value * 255 / max);
}

}  // namespace

bool X11BackgroundCapture::Read(Display* display, Window window, int x, int y, int width, int height,
                                std::uint32_t fill, RgbaImage* out) {
    if (width <= 0 || height <= 0) return false;
    XWindowAttributes attributes;
    {
        XErrorTrap trap(display);
        const Status ok = XGetWindowAttributes(display, window, &attributes);
        if (trap.Finish() != 0 || ok == 0) return false;
    }
    if (attributes.map_state != IsViewable) return false;
    const Visual* visual = attributes.visual;
    if (visual->red_mask == 0 || visual->green_mask == 0 || visual->blue_mask == 0) return false;

    // XGetImage wants a rectangle inside the window: read the overlap, pad the rest.
    const int left = std::max(x, 0), top = std::max(y, 0);
    const int right = std::min(x + width, attributes.width), bottom = std::min(y + height, attributes.height);
    RgbaImage inside;
    if (right > left && bottom > top) {
        XErrorTrap trap(display);
        XImage* image = XGetImage(display, window, left, top, static_cast<unsigned>(right - left),
                                  static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
        const int error = trap.Finish();
        if (image == nullptr || error != 0) {
            if (image) XDestroyImage(image);
            return false;
        }
        inside.width = right - left;
        inside.height = bottom - top;
        inside.pixels.resize(static_cast<size_t>(inside.width) * inside.height * 4);
        std::uint8_t* dst = inside.pixels.data();
        for (int row = 0; row < inside.height; ++row) {
            for (int column = 0; column < inside.width; ++column) {
                const unsigned long pixel = XGetPixel(image, column, row);
                *dst++ = Channel(pixel, visual->red_mask);
                *dst++ = Channel(pixel, visual->green_mask);
                *dst++ = Channel(pixel, visual->blue_mask);
                *dst++ = 255;
            }
        }
        XDestroyImage(image);
    }
    // `inside` starts at (left, top); express the wanted rectangle in its coordinates.
    return CropRgbaImage(inside, ScreenRect{x - left, y - top, x - left + width, y - top + height}, fill, *out);
}

}  // namespace vessant
