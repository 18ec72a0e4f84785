#include "orvan/view_matrices.h"

#include <GL/gl.h>

namespace orvan {

ViewMatrices::~ViewMatrices() {
  if (allocated & 1) delete[] viewport;
  if (allocated & 2) delete projection;
  if (allocated & 4) delete modelView;
}

void ViewMatrices::GetCurrent() {
  if (viewport == nullptr) {
    viewport = new int[4];
    allocated |= 1;
  }
  if (projection == nullptr) {
    projection = new VesMatrix<double, 4>;
    allocated |= 2;
  }
  if (modelView == nullptr) {
    modelView = new VesMatrix<double, 4>;
    allocated |= 4;
  }
  owner = true;
  glGetDoublev(GL_MODELVIEW_MATRIX, modelView->data);
  glGetDoublev(GL_PROJECTION_MATRIX, projection->data);
  glGetIntegerv(GL_VIEWPORT, viewport);
}

}  // namespace orvan
