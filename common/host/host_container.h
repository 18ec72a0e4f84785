#pragma once
// What the container around the control tells it: its ambient properties and its pixels.

#include <cstdint>

#include "common/host/host_types.h"

namespace vessant {

class HostContainer {
public:
    virtual ~HostContainer() = default;
    virtual bool AmbientUserMode() const = 0;
    virtual std::uint32_t AmbientBackColor() const = 0;  // 0xRRGGBB
    virtual bool AmbientUIDead() const = 0;
    // The container's pixels under the control (client coordinates of the control). False when none.
    virtual bool CaptureBackground(const ScreenRect& clientRect, RgbaImage& out) = 0;
};

}  // namespace vessant
