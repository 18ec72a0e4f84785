// The dynamic transformation of a display object and the matrices of the pre-draw pass.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "orvan/display_object.h"
#include "orvan/error_report.h"

namespace orvan {

namespace {

// Rotations below this many degrees are treated as none.
constexpr float kMinimumRotation = 0.0001f;

bool SamePosition(const Vector& a, const Vector& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

}  // namespace

// --- Location and rotation point ---------------------------------------------------------------

void DisplayObject::Location(float x, float y, float z) {
  location.x = x;
  location.y = y;
  location.z = z;
  LocationChanged();
}

void DisplayObject::Location(const Vertex& v) {
  location = v;
  LocationChanged();
}

Vertex& DisplayObject::Location() { return location; }

void DisplayObject::GetLocation(float& x, float& y, float& z) {
  x = location.x;
  y = location.y;
  z = location.z;
}

void DisplayObject::GetLocation(Vertex& v) { v = location; }

void DisplayObject::RotationPoint(float x, float y, float z) {
  rotationPoint.x = x;
  rotationPoint.y = y;
  rotationPoint.z = z;
  LocationChanged();
}

void DisplayObject::RotationPoint(const Vertex& v) {
  rotationPoint = v;
  LocationChanged();
}

void DisplayObject::GetRotationPoint(Vertex& v) { v = rotationPoint; }

void DisplayObject::WorldRotationPoint(const Vector& point) {
  rotationPoint = Vertex(point.x - location.x, point.y - location.y, point.z - location.z);
  LocationChanged();
}

Vector DisplayObject::WorldRotationPoint() { return location.Position() + rotationPoint.Position(); }

float DisplayObject::RelativeAngle(float x, float y) {
  double degrees = std::atan2(static_cast<double>(y) - location.y - rotationPoint.y,
                              static_cast<double>(x) - location.x - rotationPoint.x) *
                   kRadiansToDegrees;
  if (degrees < 0.0) degrees += 360.0;
  return static_cast<float>(degrees);
}

void DisplayObject::LocationChanged() {
  if (transformMatrix != nullptr) UpdateTransform();
}

void DisplayObject::DCSMatrix(const VesMatrix<double, 4>& m) {
  dcsMatrix = m;
  LocationChanged();
}

// --- Dynamic properties ------------------------------------------------------------------------

void DisplayObject::DynamicRotate(float x, float y, float z) {
  if (dynamicRotation.x == x && dynamicRotation.y == y && dynamicRotation.z == z) return;
  dynamicRotation = Vector(x, y, z);
  MarkTransformDirty();
}

void DisplayObject::DynamicRotateRelative(float angle, int axis) {
  ORVAN_ASSERT(((axis>=0) && (axis<=2)) && "Invalid axis passed to DynamicRotateRelative");
  float* angles = &dynamicRotation.x;
  const float sum = angles[axis] + angle;
  float normalised = sum >= 0.0f ? std::fmod(sum, 360.0f) : std::fmod(sum, -360.0f) + 360.0f;
  // A sum that is a negative multiple of 360 would otherwise come out as 360.
  if (normalised >= 360.0f) normalised -= 360.0f;
  angles[axis] = normalised;
  MarkTransformDirty();
}

Vector DisplayObject::DynamicRotation() { return dynamicRotation; }

float DisplayObject::DynamicRotation(int axis) {
  ORVAN_ASSERT(((axis>=0) && (axis<=2)) && "Invalid axis passed to DynamicRotation");
  return (&dynamicRotation.x)[axis];
}

void DisplayObject::DynamicScale(float x, float y, float z) {
  if (dynamicScale.x == x && dynamicScale.y == y && dynamicScale.z == z) return;
  dynamicScale = Vector(x, y, z);
  MarkTransformDirty();
}

Vector DisplayObject::DynamicScale() { return dynamicScale; }

void DisplayObject::DynamicTranslate(float amount, int axis, bool relative) {
  if (axis < 0 || axis > 2) return;
  float& value = (&dynamicTranslate.x)[axis];
  value = relative ? value + amount : amount;
  MarkTransformDirty();
}

void DisplayObject::DynamicTranslate(float x, float y, float z, bool relative) {
  if (relative) {
    dynamicTranslate += Vector(x, y, z);
    MarkTransformDirty();
    return;
  }
  if (dynamicTranslate.x == x && dynamicTranslate.y == y && dynamicTranslate.z == z) return;
  dynamicTranslate = Vector(x, y, z);
  MarkTransformDirty();
}

Vector DisplayObject::DynamicTranslation() { return dynamicTranslate; }

float DisplayObject::DynamicTranslation(int axis) {
  if (axis < 0 || axis > 2) return 0.0f;
  return (&dynamicTranslate.x)[axis];
}

// --- Matrices ----------------------------------------------------------------------------------

void DisplayObject::UpdateTransform() {
  if (transformMatrix == nullptr) transformMatrix = new VesMatrixAffine<double>;

  // Scale, then the rotations about X, Y and Z (each applied on the left), then the translation.
  VesMatrixAffine<double> m;
  if (dynamicScale.x != 1.0f || dynamicScale.y != 1.0f || dynamicScale.z != 1.0f) {
    m(0, 0) = dynamicScale.x;
    m(1, 1) = dynamicScale.y;
    m(2, 2) = dynamicScale.z;
  }
  const float* angles = &dynamicRotation.x;
  for (int axis = 0; axis < 3; ++axis) {
    if (std::fabs(angles[axis]) >= kMinimumRotation) m.Rotate(angles[axis], axis);
  }
  m(0, 3) = dynamicTranslate.x;
  m(1, 3) = dynamicTranslate.y;
  m(2, 3) = dynamicTranslate.z;

  // The dynamic transformation acts in the coordinate system the DCS matrix describes.
  VesMatrixAffine<double> t(m);
  if (!dcsMatrix.IsIdentity()) t = dcsMatrix * m * dcsMatrix.Inverse();

  // About the logical rotation point: translation(p) · T · translation(−p).
  const Vector p = location.Position() + rotationPoint.Position();
  for (int r = 0; r < 4; ++r) {
    t(r, 3) -= t(r, 0) * p.x + t(r, 1) * p.y + t(r, 2) * p.z;
  }
  t.Translate(p);

  lastLocation = location;
  preDrawNeeded = true;
  *transformMatrix = t;
  transformDirty = false;
}

void DisplayObject::CalculateMatrices(const ViewMatrices& parentMatrices) {
  if (transformDirty) UpdateTransform();
  if (transformMatrix != nullptr) {
    if (!SamePosition(location, lastLocation)) UpdateTransform();
    if (modelViewMatrix == nullptr) modelViewMatrix = new VesMatrix<double, 4>;
    if (parentMatrices.modelView != nullptr) {
      *modelViewMatrix = *parentMatrices.modelView * *transformMatrix;
    } else {
      *modelViewMatrix = *transformMatrix;
    }
  } else if (modelViewMatrix != nullptr && parentMatrices.modelView != nullptr &&
             modelViewMatrix != parentMatrices.modelView) {
    *modelViewMatrix = *parentMatrices.modelView;
  }
  if (viewport != nullptr && parentMatrices.viewport != nullptr && viewport != parentMatrices.viewport) {
    for (int i = 0; i < 4; ++i) viewport[i] = parentMatrices.viewport[i];
  }
  if (projectionMatrix != nullptr && parentMatrices.projection != nullptr &&
      projectionMatrix != parentMatrices.projection) {
    *projectionMatrix = *parentMatrices.projection;
  }
}

void DisplayObject::PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) {
  if (!visible) return;
  CalculateMatrices(parentMatrices);
  if (culler.enabled) {
    const VesMatrix<double, 4>* mv = modelViewMatrix != nullptr ? modelViewMatrix : parentMatrices.modelView;
    culled = mv != nullptr && CullTest(*mv, culler);
  } else {
    culled = false;
  }
}

bool DisplayObject::CullTest(const VesMatrix<double, 4>& modelView, const FrustumCuller& culler) const {
  const Vector c = location.Position() + boundingCenter;
  const Vector center = modelView.TransformPoint(c);
  // The largest stretch of the three unit axes bounds how much the matrix grows the sphere.
  double scaleSquared = 0.0;
  const Vector axes[3] = {Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, 1)};
  for (const Vector& axis : axes) {
    const Vector d = modelView.TransformDirection(axis);
    scaleSquared = std::max(scaleSquared, static_cast<double>(d.Dot(d)));
  }
  const float radius = static_cast<float>(std::sqrt(scaleSquared) * boundingRadius);
  return !culler.SphereVisible(center, radius);
}

void DisplayObject::CaptureMatrices() {
  if (viewport == nullptr) viewport = new int[4];
  if (projectionMatrix == nullptr) projectionMatrix = new VesMatrix<double, 4>;
  if (modelViewMatrix == nullptr) {
    modelViewMatrix = new VesMatrix<double, 4>;
    preDrawNeeded = true;
  }
  glGetDoublev(GL_MODELVIEW_MATRIX, modelViewMatrix->data);
  glGetDoublev(GL_PROJECTION_MATRIX, projectionMatrix->data);
  glGetIntegerv(GL_VIEWPORT, viewport);
}

}  // namespace orvan
