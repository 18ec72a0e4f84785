#pragma once
// Matrix helpers shared by picking and the eye point.

#include "orvan/ves_matrix.h"

namespace orvan {

// The object point of a window point, given inverse(projection · model-view) and the viewport.
bool UnProject(const Vector& win, const VesMatrix<double, 4>& inverseProjectionModelView, const int viewport[4],
               Vector& out);

}  // namespace orvan
