#pragma once
// The numbers behind the control's projection, apart from the OpenGL calls that use them.

#include <string>

namespace vessant {

// The view in world units: the world width fitted to the control's width.
struct ViewSize {
    float width = 0.0f;
    float height = 0.0f;
};

struct PerspectiveView {
    double fovy = 0.0;  // degrees
    double aspect = 1.0;
    double zNear = 10.0;
    double zFar = 1000.0;
};

ViewSize ComputeViewSize(float worldWidth, int cx, int cy);

// The eye sits 1000 units from the view centre; depthFactor scales the depth range with the
// control's size; a field of view of exactly 0 fits the view height at that distance.
PerspectiveView ComputePerspective(const ViewSize& view, int cx, int cy, float depthFactor, float fieldOfView);

// Parses 16 numbers given row by row into a column-major array, the form in which an eye point
// answers its view queries. False when fewer than 16 numbers parse.
bool ParseRowOrderMatrix(const std::string& text, double columnMajor[16]);

}  // namespace vessant
