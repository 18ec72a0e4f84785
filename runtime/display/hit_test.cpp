// Picking of one object: a bounding-sphere pre-test, then the polygon test along the ray.
#include <cfloat>
#include <cmath>
#include <vector>

#include "orvan/display_object.h"
#include "orvan/mutex.h"
#include "orvan/view_matrices.h"

namespace orvan {

namespace {

constexpr float kToleranceFactor = 5.0f;
constexpr double kMinimumRayAngle = 0.0001;  // radians

// The polygon test's work buffer, shared by every object.
Mutex& ScratchMutex() {
  static Mutex mutex;
  return mutex;
}
std::vector<Vector>& Scratch() {
  static std::vector<Vector> points;
  return points;
}

// Where the ray from origin along direction meets the plane through a with this normal; the
// origin itself when the ray runs in the plane.
Vector OnPlane(const Vector& origin, const Vector& direction, const Vector& a, const Vector& normal) {
  const float along = normal.Dot(direction);
  if (std::fabs(along) < 1e-12f) return origin;
  return origin + direction * (normal.Dot(a - origin) / along);
}

// Even-odd crossing of a ray from (px, py) towards +u, the coordinates given as (u, v) pairs.
// An edge counts when the point's v lies in [lower end, upper end): an end exactly at the
// point's v is then counted once, by the edge that leaves it upwards.
bool CrossesRay(float pu, float pv, float u0, float v0, float u1, float v1) {
  if (std::fabs(v1 - v0) <= FLT_MIN) return false;
  if ((v0 > pv) == (v1 > pv)) return false;
  const float t = (pv - v0) / (v1 - v0);
  return (1.0f - t) * u0 + t * u1 >= pu;
}

// Within the tolerance band of the edge, measured in y (in x for a vertical edge).
bool NearEdge(float px, float py, const Vector& a, const Vector& b, float tolerance) {
  if (a.x == b.x) {
    const float lo = std::fmin(a.y, b.y), hi = std::fmax(a.y, b.y);
    return py >= lo && py <= hi && px > a.x - tolerance && px < a.x + tolerance;
  }
  if (px < std::fmin(a.x, b.x) || px > std::fmax(a.x, b.x)) return false;
  const float ye = ((b.y - a.y) * px - (b.y * a.x - a.y * b.x)) / (b.x - a.x);
  return py > ye - tolerance && py < ye + tolerance;
}

// The two-dimensional test of the point against the polygon in x and y.
bool InsideOrNear(float px, float py, const Vector* p, unsigned int count, float tolerance) {
  bool anyY = false, anyX = false;
  for (unsigned int i = 0; i < count; ++i) {
    anyY = anyY || p[i].y == py;
    anyX = anyX || p[i].x == px;
  }
  // A ray that passes through no vertex where one exists; the counting rule keeps either right.
  const bool alongY = anyY && !anyX;
  bool inside = false;
  for (unsigned int i = 0; i < count; ++i) {
    const Vector& a = p[i];
    const Vector& b = p[i + 1 < count ? i + 1 : 0];
    if (NearEdge(px, py, a, b, tolerance)) return true;
    const bool crosses = alongY ? CrossesRay(py, px, a.y, a.x, b.y, b.x) : CrossesRay(px, py, a.x, a.y, b.x, b.y);
    if (crosses) inside = !inside;
  }
  return inside;
}

}  // namespace

bool DisplayObject::Hit(float x, float y, float z, float scale, const Vector& direction, Vector* collisionPoint) {
  if (vertices == nullptr || vertexCount == 0) return false;
  const Vector d = direction.Normalised();
  // The point of the ray's line nearest the sphere's centre, relative to the location.
  const Vector origin = Vector(x, y, z) - location.Position();
  const Vector toCentre = boundingCenter - origin;
  const Vector nearest = origin + d * toCentre.Dot(d);
  const Vector off = boundingCenter - nearest;
  if (!(off.Dot(off) < boundingRadius * boundingRadius)) return false;
  return HitUtil(x, y, z, scale, vertices, vertexCount, d, collisionPoint);
}

bool DisplayObject::HitUtil(float x, float y, float z, float scale, Vertex* points, unsigned int count,
                            const Vector& direction, Vector* collisionPoint) {
  if (points == nullptr || count == 0) return false;
  const Vector origin(x, y, z);
  bool hit;
  {
    MutexLock lock(ScratchMutex());
    // The ray is turned onto -z about its origin; the test is then two-dimensional. Only the
    // copy is turned: the object's own vertices are never touched.
    std::vector<Vector>& scratch = Scratch();
    scratch.resize(count);
    const Vector down(0.0f, 0.0f, -1.0f);
    const double angle = direction.AngleBetween(down);
    Vector axis = direction.Cross(down);
    // Looking straight along +z: any axis across the ray turns it around.
    if (axis.Length() <= 0.0f) axis = Vector(1.0f, 0.0f, 0.0f);
    const bool turn = angle >= kMinimumRayAngle;
    const double degrees = angle * kRadiansToDegrees;
    for (unsigned int i = 0; i < count; ++i) {
      const Vector p = location.Position() + points[i].Position();
      scratch[i] = turn ? origin + (p - origin).RotatedAbout(axis, degrees) : p;
    }
    hit = InsideOrNear(x, y, scratch.data(), count, scale * kToleranceFactor);
  }
  if (hit && collisionPoint != nullptr) {
    Vertex a, b, c;
    Vector normal;
    *collisionPoint = GetPlanePoints(a, b, c, normal) ? OnPlane(origin, direction.Normalised(), a, normal) : origin;
  }
  return hit;
}

DisplayObject* DisplayObject::Pick3D(const Vector& winLocation, const Vector& origin, float scale,
                                     const Vector& direction, Vector& hitPoint, const ViewMatrices& parentMatrices) {
  if (pickable == 3) return this;
  if (!visible || pickable == 0 || culled) return nullptr;
  Vector collision;
  if (!HasOwnMatrices()) {
    if (!Hit(origin.x, origin.y, origin.z, scale, direction, &collision)) return nullptr;
    Vector win;
    if (ObjectToWindow(collision, win, parentMatrices)) hitPoint = win;
    return this;
  }
  // Own matrices: the ray starts again from the window, in this object's coordinates.
  const ViewMatrices own(viewport != nullptr ? viewport : parentMatrices.viewport,
                         projectionMatrix != nullptr ? projectionMatrix : parentMatrices.projection,
                         modelViewMatrix != nullptr ? modelViewMatrix : parentMatrices.modelView);
  Vector ownOrigin, ownDirection;
  if (!WindowToObject(winLocation, ownOrigin, &ownDirection, own)) return nullptr;
  if (!Hit(ownOrigin.x, ownOrigin.y, ownOrigin.z, scale, ownDirection, &collision)) return nullptr;
  Vector win;
  if (ObjectToWindow(collision, win, own)) hitPoint = win;
  return this;
}

}  // namespace orvan
