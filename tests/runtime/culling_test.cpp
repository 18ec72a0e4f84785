// Culling with an enabled culler: the six planes taken from a projection, the sphere test at
// its boundary, and culled objects neither drawn nor picked.
#include <gtest/gtest.h>

#include <memory>

#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "runtime/pick_view.h"

namespace orvan {
namespace {

using pick_test::PickView;

TEST(Culling, PlanesFromTheProjectionBoundTheViewAndTouchingFromOutsideIsOutside) {
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
  culler.enabled = false;
  EXPECT_TRUE(culler.SphereVisible(Vector(-500, 50, 0), 5));
}

TEST(Culling, AnObjectOutsideTheViewIsCulledAndThenNotPicked) {
  PickView view;
  ComponentBase component;
  const Vertex inside[4] = {Vertex(20, 20, 0), Vertex(60, 20, 0), Vertex(60, 60, 0), Vertex(20, 60, 0)};
  auto* shown = new GLPolygon(4, inside);
  auto* moved = new GLPolygon(4, inside);
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

  // A component that withholds culling from its children keeps them all.
  moved->DynamicTranslate(300.0f, 0.0f, 0.0f);
  component.CullTestChildren(false);
  component.PreDraw(view.record, culler);
  EXPECT_FALSE(moved->Culled());
}

}  // namespace
}  // namespace orvan
