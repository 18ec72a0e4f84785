// Culling with an enabled culler: the six planes taken from a projection, and culled objects
// not picked.
#include <gtest/gtest.h>

#include "orvan/component_base.h"
#include "runtime/pick_view.h"

namespace orvan {
namespace {

using pick_test::PickView;

TEST(Culling, PlanesFromTheProjectionBoundTheView) {
  PickView view;  // x 0..200, y 0..100, z -1000..1000
  FrustumCuller culler(true);
  culler.FromMatrices(view.record);
  EXPECT_TRUE(culler.enabled);
  EXPECT_NEAR(culler.planes[0][0], 1.0f, 1e-6f);  // left: x >= 0, unit normal inwards
  EXPECT_NEAR(culler.planes[0][3], 0.0f, 1e-6f);
  EXPECT_TRUE(culler.SphereOutside(Vector(-5, 50, 0), 5));  // distance exactly -r
  EXPECT_FALSE(culler.SphereOutside(Vector(-4.5f, 50, 0), 5));
  EXPECT_TRUE(culler.SphereOutside(Vector(100, 107, 0), 6.5f));  // above the top
  EXPECT_FALSE(culler.SphereOutside(Vector(100, 50, 990), 20));
  EXPECT_TRUE(culler.SphereOutside(Vector(100, 50, -1030), 20));  // beyond the far plane
}

TEST(Culling, AnObjectOutsideTheViewIsCulledAndThenNotPicked) {
  PickView view;
  ComponentBase component;
  GLPolygon* shown = pick_test::NewRect(20, 20, 60, 60);
  GLPolygon* moved = pick_test::NewRect(20, 20, 60, 60);
  moved->DynamicTranslate(300.0f, 0.0f, 0.0f);  // now wholly right of the view
  component.InsertObject(shown);
  component.InsertObject(moved);
  FrustumCuller culler(true);
  culler.FromMatrices(view.record);
  component.PreDraw(view.record, culler);
  EXPECT_FALSE(component.Culled());
  EXPECT_TRUE(moved->Culled());
  // Static objects are not pre-drawn, so never culled by the pass.
  EXPECT_FALSE(shown->Culled());
  EXPECT_EQ(view.PickAt(component, 40, 40), shown);

  moved->DynamicTranslate(0.0f, 0.0f, 0.0f);
  component.PreDraw(view.record, culler);
  EXPECT_FALSE(moved->Culled());
  EXPECT_EQ(view.PickAt(component, 40, 40), moved);  // the later child, found first
}

}  // namespace
}  // namespace orvan
