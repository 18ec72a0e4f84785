#pragma once
// Shapes a polygon (a text box, for one) into a white width x height rectangle from the origin.

#include "orvan/gl_polygon.h"

namespace vessant::test {

inline void SetRectangle(orvan::GLPolygon& polygon, double width, double height) {
  polygon.SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, width, 0.0, 0.0, 255, 255, 255, 255,
                      width, height, 0.0, 255, 255, 255, 255, 0.0, height, 0.0);
}

}  // namespace vessant::test
