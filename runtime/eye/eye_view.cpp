// The eye point's numbers: field of view and orthographic size under the constraints, the
// projection for a window and the viewing transform.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "orvan/eye_point.h"
#include "orvan/group.h"

namespace orvan {

namespace {

constexpr double kHalfAngle = 0.008726646259971648;  // radians of half a degree
constexpr double kFullAngle = 114.59155902616465;    // degrees of twice a radian

bool AtLeast(FovConstraintType c) { return c == FOV_CONSTRAINT_GREATER || c == FOV_CONSTRAINT_EXACTLY; }
bool AtMost(FovConstraintType c) { return c == FOV_CONSTRAINT_LESS || c == FOV_CONSTRAINT_EXACTLY; }

// The configured pair stands (stretched to the window) when the constraints allow it for a
// window of this aspect against the configured one.
bool KeepConfigured(FovConstraintType vertical, FovConstraintType horizontal, double aspect, double configured) {
  if (vertical == FOV_CONSTRAINT_EXACTLY && horizontal == FOV_CONSTRAINT_EXACTLY) return true;
  if (AtLeast(vertical) && AtMost(horizontal) && aspect > configured) return true;
  return AtMost(vertical) && AtLeast(horizontal) && aspect < configured;
}

// The vertical value the vertical constraint picks, given the one that keeps the horizontal.
double ChooseVertical(FovConstraintType vertical, double keepsHorizontal, double configured) {
  switch (vertical) {
    case FOV_CONSTRAINT_GREATER: return keepsHorizontal < configured ? configured : keepsHorizontal;
    case FOV_CONSTRAINT_LESS: return keepsHorizontal > configured ? configured : keepsHorizontal;
    case FOV_CONSTRAINT_EXACTLY: return configured;
    default: return keepsHorizontal;
  }
}

}  // namespace

void VesEyePoint::CalculateFov(int width, int height, VesEyePoint* eye, double& fovY, double& aspectOut) {
  const VesEyePoint& e = eye != nullptr ? *eye : *this;
  const double h = e.fovIsHorizontal ? e.fov : e.otherFov;
  const double v = e.fovIsHorizontal ? e.otherFov : e.fov;
  const double aspect = static_cast<double>(width) / static_cast<double>(height);
  const double implied = std::tan(h * kHalfAngle) / std::tan(v * kHalfAngle);
  if (KeepConfigured(e.verticalConstraint, e.horizontalConstraint, aspect, implied)) {
    fovY = v;
    aspectOut = implied;
  } else {
    const double keepsHorizontal = std::atan(std::tan(h * kHalfAngle) / aspect) * kFullAngle;
    fovY = ChooseVertical(e.verticalConstraint, keepsHorizontal, v);
    aspectOut = aspect;
  }
  fovY = std::min(180.0, std::max(0.0, fovY));
}

void VesEyePoint::CalculateOrthoSize(int width, int height, VesEyePoint* eye, double& horizontalSize,
                                     double& verticalSize) {
  const VesEyePoint& e = eye != nullptr ? *eye : *this;
  const double w = e.fovIsHorizontal ? e.orthoSize : e.otherOrthoSize;
  const double s = e.fovIsHorizontal ? e.otherOrthoSize : e.orthoSize;
  const double aspect = static_cast<double>(width) / static_cast<double>(height);
  if (KeepConfigured(e.verticalConstraint, e.horizontalConstraint, aspect, w / s)) {
    horizontalSize = w;
    verticalSize = s;
    return;
  }
  verticalSize = ChooseVertical(e.verticalConstraint, w / aspect, s);
  horizontalSize = verticalSize * aspect;
}

void VesEyePoint::GetProjectionMatrix(VesMatrix<double, 4>& m, int width, int height) {
  m.SetIdentity();
  if (!orthographic) {
    double fovY = 0.0, aspect = 1.0;
    if (fovCalculator != nullptr) {
      fovCalculator->Calculate(width, height, this, fovY, aspect);
    } else {
      CalculateFov(width, height, this, fovY, aspect);
    }
    const double depth = farClip - nearClip;
    const double sine = std::sin(fovY * kHalfAngle);
    if (depth == 0.0 || sine == 0.0 || aspect == 0.0) return;
    const double c = std::cos(fovY * kHalfAngle) / sine;
    m(0, 0) = c / aspect;
    m(1, 1) = c;
    m(2, 2) = -(farClip + nearClip) / depth;
    m(2, 3) = -2.0 * nearClip * farClip / depth;
    m(3, 2) = -1.0;
    m(3, 3) = 0.0;
    return;
  }
  double w = 0.0, h = 0.0;
  if (orthoSizeCalculator != nullptr) {
    orthoSizeCalculator->Calculate(width, height, this, w, h);
  } else {
    CalculateOrthoSize(width, height, this, w, h);
  }
  // An empty box has no projection: the identity, as for the perspective's degenerate cases.
  if (w == 0.0 || h == 0.0 || farClip == nearClip) return;
  const double l = -w / 2, r = w / 2, b = -h / 2, t = h / 2, n = nearClip, f = farClip;
  m(0, 0) = 2.0 / (r - l);
  m(1, 1) = 2.0 / (t - b);
  m(2, 2) = -2.0 / (f - n);
  m(0, 3) = -(r + l) / (r - l);
  m(1, 3) = -(t + b) / (t - b);
  m(2, 3) = -(f + n) / (f - n);
  m(3, 3) = 1.0;
}

void VesEyePoint::GetModelViewMatrix(VesMatrix<double, 4>& m, bool withTransforms) {
  const Vector& x = viewVectors[0];
  const Vector& z = viewVectors[2];
  const Vector back = -z;
  const Vector up = x.Cross(z);
  const VesMatrix<double, 4> basis = VesMatrix<double, 4>::FromColumns(x, up, back);
  VesMatrixAffine<double> toEye;
  toEye.Translate(-location.x, -location.y, -location.z);
  m = basis.Inverse() * toEye;
  if (!withTransforms) return;
  // The dynamic transformations of the eye and of the groups around it move the viewer.
  VesMatrix<double, 4> moved;
  for (const DisplayObject* o = this; o != nullptr; o = o->ParentGroup()) {
    if (const VesMatrixAffine<double>* t = o->TransformMatrix()) moved = *t * moved;
  }
  m = m * moved.Inverse();
}

void VesEyePoint::ApplyView() {
  GLint view[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, view);
  VesMatrix<double, 4> projection, modelView;
  GetProjectionMatrix(projection, view[2], view[3]);
  GetModelViewMatrix(modelView, true);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixd(projection.data);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixd(modelView.data);
}

}  // namespace orvan
