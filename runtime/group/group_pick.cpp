// Picking through a group: the children are tried from the last drawn to the first.
#include "orvan/error_report.h"
#include "orvan/group.h"
#include "orvan/view_matrices.h"

namespace orvan {

// A group has no surface of its own; only its children are hit.
bool Group::Hit(float, float, float, float, const Vector&, Vector*) { return false; }

DisplayObject* Group::Pick3D(const Vector& winLocation, const Vector& origin, float scale, const Vector& direction,
                             Vector& hitPoint, const ViewMatrices& parentMatrices) {
  if (pickable == 0) return nullptr;
  if (pickable == 3) return this;
  if (!visible || culled) return nullptr;
  if (pickable != 1 && pickable != 2) {
    ORVAN_ASSERT(false);
    return nullptr;
  }
  // With matrices of its own the group carries the ray into its own coordinates first.
  const ViewMatrices own(viewport != nullptr ? viewport : parentMatrices.viewport,
                         projectionMatrix != nullptr ? projectionMatrix : parentMatrices.projection,
                         modelViewMatrix != nullptr ? modelViewMatrix : parentMatrices.modelView);
  const bool converts = HasOwnMatrices();
  Vector o = origin, d = direction;
  if (converts && !WindowToObject(winLocation, o, &d, own)) return nullptr;
  const ViewMatrices& record = converts ? own : parentMatrices;

  DisplayObject* best = nullptr;
  Vector bestPoint;
  for (unsigned int i = objects.Count(); i-- > 0;) {
    DisplayObject* child = objects.data[i];
    if (child == nullptr) continue;
    Vector point = hitPoint;
    DisplayObject* hit = child->Pick3D(winLocation, o, scale, d, point, record);
    if (hit == nullptr) continue;
    if (pickable == 1) {
      hitPoint = point;
      return hit;
    }
    // The nearest wins; on equal depth the later child, found first, stays.
    if (best == nullptr || point.z < bestPoint.z) {
      best = hit;
      bestPoint = point;
    }
  }
  if (best != nullptr) hitPoint = bestPoint;
  return best;
}

}  // namespace orvan
