#pragma once
// The container's pixels under the control, drawn behind the frame when DrawBackground is
// false: kept as the captured image and as the 24-bit bottom-up rows glDrawPixels takes.

#include <cstdint>
#include <vector>

#include "common/host/host_container.h"

namespace vessant {

class ContainerBackground {
public:
    // The first capture takes all of bounds; later ones only the invalid part of it.
    void Capture(HostContainer& container, const ScreenRect& bounds, const ScreenRect& invalid);
    // Draws the pixels at the lower left of the viewport; false when there are none.
    bool Draw() const;
    bool Empty() const { return pixels_.empty(); }
    void Free();

private:
    void Convert(const ScreenRect& rect);

    RgbaImage bitmap_;
    std::vector<std::uint8_t> pixels_;  // bitmap_ as 24-bit bottom-up rows, 4-byte aligned
};

}  // namespace vessant
