#pragma once
// A 200 x 100 orthographic view for picking tests: window pixels equal world units, and window
// depth is 0.5 - z / 2000.

#include "orvan/display_object.h"
#include "orvan/frustum_culler.h"
#include "orvan/gl_polygon.h"
#include "orvan/view_matrices.h"

namespace orvan::pick_test {

inline VesMatrix<double, 4> Ortho(double l, double r, double b, double t, double n, double f) {
  VesMatrix<double, 4> m;
  m(0, 0) = 2.0 / (r - l);
  m(1, 1) = 2.0 / (t - b);
  m(2, 2) = -2.0 / (f - n);
  m(0, 3) = -(r + l) / (r - l);
  m(1, 3) = -(t + b) / (t - b);
  m(2, 3) = -(f + n) / (f - n);
  return m;
}

// A new rectangle from (x0, y0) to (x1, y1) at depth z.
inline GLPolygon* NewRect(float x0, float y0, float x1, float y1, float z = 0.0f, const char* name = "") {
  const Vertex corners[4] = {Vertex(x0, y0, z), Vertex(x1, y0, z), Vertex(x1, y1, z), Vertex(x0, y1, z)};
  auto* p = new GLPolygon(4, corners);
  p->InstanceName(name);
  return p;
}

struct PickView {
  int viewport[4] = {0, 0, 200, 100};
  VesMatrix<double, 4> projection = Ortho(0, 200, 0, 100, -1000, 1000);
  VesMatrix<double, 4> modelView;
  ViewMatrices record{viewport, &projection, &modelView};

  // Runs the pre-draw pass (matrices of moving objects) without culling.
  void PreDraw(DisplayObject& o) {
    FrustumCuller culler(false);
    o.PreDraw(record, culler);
  }

  // What the frame does for a click at window (x, y): the ray, then Pick3D.
  DisplayObject* PickAt(DisplayObject& o, float x, float y, Vector* hitPoint = nullptr, float scale = 1.0f) {
    const Vector win(x, y, 0.5f);
    Vector origin, direction;
    if (!o.WindowToObject(win, origin, &direction, record)) return nullptr;
    Vector point = win;
    DisplayObject* hit = o.Pick3D(win, origin, scale, direction, point, record);
    if (hitPoint != nullptr) *hitPoint = point;
    return hit;
  }
};

}  // namespace orvan::pick_test
