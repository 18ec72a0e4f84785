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
  void Compute(const ViewMatrices& matrices);

  // False only when culling is enabled and the sphere (eye coordinates) lies wholly outside
  // one of the planes.
  bool SphereVisible(const Vector& center, float radius) const;

  bool enabled;
  float planes[6][4];  // a, b, c, d: left, right, bottom, top, near, far
};

}  // namespace orvan
