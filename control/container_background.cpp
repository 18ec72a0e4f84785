#include "control/container_background.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

#ifndef GL_BGR
#define GL_BGR 0x80E0
#endif

namespace vessant {

void ContainerBackground::Capture(HostContainer& container, const ScreenRect& bounds, const ScreenRect& invalid) {
    const bool existed = !bitmap_.pixels.empty();
    // Once the bitmap exists only the invalid part is copied and converted again: the per-frame
    // repaint request invalidates a single pixel, so a frame costs one pixel, not the whole area.
    ScreenRect rect = bounds;
    if (existed) {
        rect = ScreenRect{std::max(invalid.left, bounds.left), std::max(invalid.top, bounds.top),
                          std::min({invalid.right, bounds.right, bounds.left + bitmap_.width}),
                          std::min({invalid.bottom, bounds.bottom, bounds.top + bitmap_.height})};
        if (rect.Empty()) return;
    }
    RgbaImage captured;
    if (!container.CaptureBackground(rect, captured) || captured.width != rect.Width() ||
        captured.height != rect.Height())
        return;
    const ScreenRect inBitmap{rect.left - bounds.left, rect.top - bounds.top, rect.right - bounds.left,
                              rect.bottom - bounds.top};
    if (!existed) {
        bitmap_ = std::move(captured);
        pixels_.assign(static_cast<size_t>(bitmap_.width + 4) * bitmap_.height * 4, 0);
    } else {
        for (int y = 0; y < captured.height; ++y)
            std::memcpy(&bitmap_.pixels[(static_cast<size_t>(inBitmap.top + y) * bitmap_.width + inBitmap.left) * 4],
                        captured.At(0, y), static_cast<size_t>(captured.width) * 4);
    }
    Convert(inBitmap);
}

// The bitmap's pixels in `rect` into the 24-bit bottom-up rows glDrawPixels takes.
void ContainerBackground::Convert(const ScreenRect& rect) {
    const size_t stride = (static_cast<size_t>(bitmap_.width) * 3 + 3) & ~static_cast<size_t>(3);
    for (int y = rect.top; y < rect.bottom; ++y) {
        std::uint8_t* row = &pixels_[stride * static_cast<size_t>(bitmap_.height - 1 - y)];
        for (int x = rect.left; x < rect.right; ++x) {
            const std::uint8_t* p = bitmap_.At(x, y);
            row[x * 3 + 0] = p[2];
            row[x * 3 + 1] = p[1];
            row[x * 3 + 2] = p[0];
        }
    }
}

bool ContainerBackground::Draw() const {
    if (pixels_.empty()) return false;
    glRasterPos2f(-1.0f, -1.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glDrawPixels(bitmap_.width, bitmap_.height, GL_BGR, GL_UNSIGNED_BYTE, pixels_.data());
    return true;
}

void ContainerBackground::Free() {
    pixels_.clear();
    bitmap_ = RgbaImage();
}

}  // namespace vessant
