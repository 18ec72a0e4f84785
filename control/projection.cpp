#include "control/projection.h"

#include <cmath>
#include <cstdlib>

namespace vessant {

ViewSize ComputeViewSize(float worldWidth, int cx, int cy) {
    const float k = worldWidth / static_cast<float>(cx);
    return ViewSize{static_cast<float>(cx) * k, static_cast<float>(cy) * k};
}

PerspectiveView ComputePerspective(const ViewSize& view, int cx, int cy, float depthFactor, float fieldOfView) {
    PerspectiveView p;
    const float depth = static_cast<float>(cx + cy) * depthFactor;
    p.zNear = 1000.0 - depth;
    if (p.zNear < 10.0) p.zNear = 10.0;
    p.zFar = depth + 1000.0;
    p.fovy = fieldOfView == 0.0f ? std::atan2(view.height * 0.5, 1000.0) * 114.59155902616465 : fieldOfView;
    p.aspect = static_cast<double>(cx) / static_cast<double>(cy);
    return p;
}

bool ParseRowOrderMatrix(const std::string& text, double columnMajor[16]) {
    const char* p = text.c_str();
    for (int k = 0; k < 16; ++k) {
        char* end = nullptr;
        const double v = std::strtod(p, &end);
        if (end == p) return false;
        columnMajor[(k % 4) * 4 + k / 4] = v;
        p = end;
    }
    return true;
}

}  // namespace vessant
