#pragma once

#include "orvan/vector.h"

namespace orvan {

struct ViewMatrices;

// The culling record of the pre-draw pass. Its leading flag is the cull-test switch: while it
// is false every sphere counts as visible and no object is culled.
struct FrustumCuller {
  explicit FrustumCuller(bool enabled_ = false) : enabled(enabled_), planes{} {}

  // Takes the six clip planes (eye coordinates, unit normals pointing inwards) from the
  // record's projection; enabled is left as it is.
  void FromMatrices(const ViewMatrices& matrices);

  // True when the sphere (eye coordinates) lies wholly outside one of the planes: at a signed
  // distance of -radius or less. Planes never computed (all zero) bound nothing.
  bool SphereOutside(const Vector& center, float radius) const;
  // False only when culling is enabled and the sphere lies outside.
  bool SphereVisible(const Vector& center, float radius) const { return !enabled || !SphereOutside(center, radius); }

  bool enabled;
  float planes[6][4];  // a, b, c, d: left, right, bottom, top, near, far
};

}  // namespace orvan
