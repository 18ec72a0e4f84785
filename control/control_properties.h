#pragma once
// The stored properties of the control, with the values a new control starts from.

#include <cstdint>
#include <string>

namespace vessant {

struct ControlProperties {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    float offsetX = 0.0f;
    float offsetY = 0.0f;
    bool maintainAspect = true;
    bool perspective = false;
    float depthFactor = 4.0f;
    float offsetZ = 0.0f;
    short setSizeX = 0;  // holds a value only once the container sets it
    short setSizeY = 0;
    float fieldOfView = 0.0f;
    std::string componentFileName;
    std::string className;
    bool useExtents = true;
    bool absolutePlacement = false;  // NOT useExtents
    std::string eyePoint;
    bool useContainerBackground = true;
    std::uint32_t backgroundColor = 0;  // 0xRRGGBB
    std::string initialAttribs;
    std::uint32_t targetFrameRate = 30;
    bool drawBackground = true;
};

}  // namespace vessant
