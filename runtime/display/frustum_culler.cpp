#include "orvan/frustum_culler.h"

#include <cmath>

#include "orvan/view_matrices.h"

namespace orvan {

void FrustumCuller::FromMatrices(const ViewMatrices& matrices) {
  if (matrices.projection == nullptr) return;
  const VesMatrix<double, 4>& p = *matrices.projection;
  // Row 3 plus or minus rows 0, 1, 2: left, right, bottom, top, near, far.
  for (int i = 0; i < 6; ++i) {
    const int row = i / 2;
    const double sign = (i % 2 == 0) ? 1.0 : -1.0;
    double plane[4];
    for (int c = 0; c < 4; ++c) plane[c] = p(3, c) + sign * p(row, c);
    const double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    for (int c = 0; c < 4; ++c) {
      planes[i][c] = static_cast<float>(length > 0.0 ? plane[c] / length : plane[c]);
    }
  }
}

bool FrustumCuller::SphereOutside(const Vector& center, float radius) const {
  for (const float* plane : planes) {
    if (plane[0] == 0.0f && plane[1] == 0.0f && plane[2] == 0.0f) continue;
    const float distance = plane[0] * center.x + plane[1] * center.y + plane[2] * center.z + plane[3];
    if (distance <= -radius) return true;
  }
  return false;
}

}  // namespace orvan
