#include "platform/rgba_crop.h"

#include <cstring>

namespace vessant {

bool CropRgbaImage(const RgbaImage& source, const ScreenRect& rect, std::uint32_t fill, RgbaImage& out) {
    if (rect.Empty()) return false;
    out.width = rect.Width();
    out.height = rect.Height();
    out.pixels.resize(static_cast<size_t>(out.width) * out.height * 4);

    const std::uint8_t fillPixel[4] = {static_cast<std::uint8_t>(fill >> 16), static_cast<std::uint8_t>(fill >> 8),
                                       static_cast<std::uint8_t>(fill), 255};
    const bool sourceComplete =
        source.width > 0 && source.height > 0 &&
        source.pixels.size() >= static_cast<size_t>(source.width) * source.height * 4;
    for (int y = 0; y < out.height; ++y) {
        const int sy = rect.top + y;
        for (int x = 0; x < out.width; ++x) {
            const int sx = rect.left + x;
            std::uint8_t* dst = &out.pixels[(static_cast<size_t>(y) * out.width + x) * 4];
            const bool inside = sourceComplete && sx >= 0 && sy >= 0 && sx < source.width && sy < source.height;
            std::memcpy(dst, inside ? source.At(sx, sy) : fillPixel, 4);
        }
    }
    return true;
}

}  // namespace vessant
