// Window and object coordinates, the way GLU's gluProject and gluUnProject relate them.
#include <cmath>
#include <utility>

#include "orvan/display_object.h"
#include "orvan/group.h"
#include "orvan/view_matrices.h"
#include "display/view_conversion.h"

namespace orvan {

namespace {

// The record's matrix of one kind where it has one, else the object's own, else the nearest
// ancestor's.
template <typename T, typename Get>
const T* Lookup(const T* fromRecord, const DisplayObject* object, Get get) {
  if (fromRecord != nullptr) return fromRecord;
  for (const DisplayObject* o = object; o != nullptr; o = o->ParentGroup()) {
    if (const T* own = get(*o)) return own;
  }
  return nullptr;
}

struct ResolvedView {
  const int* viewport;
  const VesMatrix<double, 4>* projection;
  const VesMatrix<double, 4>* modelView;
  bool Complete() const {
    return viewport != nullptr && projection != nullptr && modelView != nullptr && viewport[2] > 0 &&
           viewport[3] > 0;
  }
};

ResolvedView Resolve(const DisplayObject& object, const ViewMatrices& m) {
  ResolvedView v;
  v.viewport = Lookup<int>(m.viewport, &object, [](const DisplayObject& o) { return o.Viewport(); });
  v.projection = Lookup<VesMatrix<double, 4>>(m.projection, &object,
                                              [](const DisplayObject& o) { return o.ProjectionMatrix(); });
  v.modelView = Lookup<VesMatrix<double, 4>>(m.modelView, &object,
                                             [](const DisplayObject& o) { return o.ModelViewMatrix(); });
  return v;
}

void Multiply(const VesMatrix<double, 4>& m, const double in[4], double out[4]) {
  for (int r = 0; r < 4; ++r) out[r] = m(r, 0) * in[0] + m(r, 1) * in[1] + m(r, 2) * in[2] + m(r, 3) * in[3];
}

}  // namespace

bool UnProject(const Vector& win, const VesMatrix<double, 4>& inverseProjectionModelView, const int viewport[4],
               Vector& out) {
  const double in[4] = {(win.x - viewport[0]) * 2.0 / viewport[2] - 1.0,
                        (win.y - viewport[1]) * 2.0 / viewport[3] - 1.0, win.z * 2.0 - 1.0, 1.0};
  double p[4];
  Multiply(inverseProjectionModelView, in, p);
  if (p[3] == 0.0) return false;
  out = Vector(static_cast<float>(p[0] / p[3]), static_cast<float>(p[1] / p[3]), static_cast<float>(p[2] / p[3]));
  return true;
}

bool DisplayObject::WindowToObject(const Vector& win, Vector& origin, Vector* direction,
                                   const ViewMatrices& m) const {
  const ResolvedView v = Resolve(*this, m);
  if (!v.Complete()) return false;
  VesMatrix<double, 4> inverse;
  if (!(*v.projection * *v.modelView).Invert(&inverse)) return false;
  Vector near;
  if (!UnProject(win, inverse, v.viewport, near)) return false;
  if (direction != nullptr) {
    // A second point on the same line, nearer the eye than the near plane.
    Vector behind;
    if (!UnProject(Vector(win.x, win.y, -1.0f), inverse, v.viewport, behind)) return false;
    Vector d = near - behind;
    if (d.Normalise() <= 0.0f) return false;
    *direction = d;
  }
  origin = near;
  return true;
}

bool DisplayObject::ObjectToWindow(const Vector& point, Vector& win, const ViewMatrices& m) const {
  const ResolvedView v = Resolve(*this, m);
  if (!v.Complete()) return false;
  const double in[4] = {point.x, point.y, point.z, 1.0};
  double eye[4], clip[4];
  Multiply(*v.modelView, in, eye);
  Multiply(*v.projection, eye, clip);
  if (clip[3] == 0.0) return false;
  const double x = clip[0] / clip[3], y = clip[1] / clip[3], z = clip[2] / clip[3];
  win = Vector(static_cast<float>(v.viewport[0] + (1.0 + x) * v.viewport[2] * 0.5),
               static_cast<float>(v.viewport[1] + (1.0 + y) * v.viewport[3] * 0.5),
               static_cast<float>((1.0 + z) * 0.5));
  return true;
}

}  // namespace orvan
