#pragma once

#include "orvan/ves_matrix.h"

namespace orvan {

// The viewport, projection and model-view that the pre-draw pass hands down the tree. A record
// built from existing pointers borrows them; GetCurrent() allocates what is missing and then
// owns (and frees) all three.
struct ViewMatrices {
  ViewMatrices()
      : owner(false), viewport(nullptr), projection(nullptr), modelView(nullptr), allocated(0) {}
  ViewMatrices(int* viewport_, VesMatrix<double, 4>* projection_, VesMatrix<double, 4>* modelView_)
      : owner(false), viewport(viewport_), projection(projection_), modelView(modelView_),
        allocated(0) {}
  ~ViewMatrices();
  ViewMatrices(const ViewMatrices&) = delete;
  ViewMatrices& operator=(const ViewMatrices&) = delete;

  // Fills the three from the current OpenGL state (GL_MODELVIEW_MATRIX, GL_PROJECTION_MATRIX,
  // GL_VIEWPORT), allocating whichever is missing. The record then owns what it allocated; a
  // borrowed pointer stays its lender's, so it is never freed twice.
  void GetCurrent();

  bool owner;
  int* viewport;  // four ints: x, y, width, height
  VesMatrix<double, 4>* projection;
  VesMatrix<double, 4>* modelView;

 private:
  unsigned char allocated;  // bits: 1 viewport, 2 projection, 4 model-view
};

}  // namespace orvan
