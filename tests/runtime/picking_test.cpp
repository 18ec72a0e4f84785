// Picking: the polygon test with its tolerance band and counting rule, the collision point,
// the group rules, conversions between window and object coordinates, moving groups; culling
// with an enabled culler (the six planes taken from a projection, culled objects not picked); and
// input inside a component found by picking: the object under the pointer gets the event in its
// own coordinates and keeps the focus for drags, and nested components are picked where they are
// drawn, also after they moved.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/group.h"
#include "orvan/mouse_event.h"
#include "runtime/pick_view.h"

namespace orvan {
namespace {

using pick_test::PickView;

std::unique_ptr<GLPolygon> Polygon(std::initializer_list<Vector> points) {
  std::vector<Vertex> v;
  for (const Vector& p : points) v.push_back(Vertex(p.x, p.y, p.z));
  return std::make_unique<GLPolygon>(static_cast<unsigned>(v.size()), v.data());
}

std::unique_ptr<GLPolygon> Rect(float x0, float y0, float x1, float y1, float z = 0.0f, const char* name = "") {
  return std::unique_ptr<GLPolygon>(pick_test::NewRect(x0, y0, x1, y1, z, name));
}

TEST(Picking, ToleranceBandCountingRuleAndTheCollisionPointAsWindowDepth) {
  PickView view;
  auto r = Rect(20, 20, 120, 60);
  EXPECT_EQ(view.PickAt(*r, 70, 40), r.get());
  EXPECT_EQ(view.PickAt(*r, 70, 64), r.get());  // 4 above the top edge
  EXPECT_EQ(view.PickAt(*r, 70, 66), nullptr);
  EXPECT_EQ(view.PickAt(*r, 70, 16), r.get());
  EXPECT_EQ(view.PickAt(*r, 124, 40), r.get());  // 4 beside the right edge
  EXPECT_EQ(view.PickAt(*r, 126, 40), nullptr);
  EXPECT_EQ(view.PickAt(*r, 70, 66, nullptr, 2.0f), r.get());  // the band grows with the scale
  // Beyond a corner in both directions: no edge's band reaches it.
  EXPECT_EQ(view.PickAt(*r, 123, 63), nullptr);

  // A house: the point (70, 70) has the y of two vertices and the x of the roof's top.
  auto house = Polygon({Vector(20, 20, 0), Vector(120, 20, 0), Vector(120, 70, 0), Vector(70, 90, 0),
                        Vector(20, 70, 0)});
  EXPECT_EQ(view.PickAt(*house, 70, 70), house.get());
  EXPECT_EQ(view.PickAt(*house, 20, 90), nullptr);
  // A ray through a vertex counts the two edges that meet there once, not twice.
  EXPECT_EQ(view.PickAt(*house, 40, 70), house.get());
  EXPECT_EQ(view.PickAt(*house, 150, 70), nullptr);

  // The plane z = x - 20, rising to the right.
  auto slope = Polygon({Vector(20, 20, 0), Vector(120, 20, 100), Vector(120, 60, 100), Vector(20, 60, 0)});
  Vector hit;
  ASSERT_EQ(view.PickAt(*slope, 70, 40, &hit), slope.get());
  EXPECT_NEAR(hit.x, 70.0f, 1e-3f);
  EXPECT_NEAR(hit.y, 40.0f, 1e-3f);
  EXPECT_NEAR(hit.z, 0.5f - 50.0f / 2000.0f, 1e-5f);
  // Conversions are inverse to each other.
  Vector origin, win;
  ASSERT_TRUE(slope->WindowToObject(Vector(33, 44, 0.25f), origin, nullptr, view.record));
  ASSERT_TRUE(slope->ObjectToWindow(origin, win, view.record));
  EXPECT_NEAR(win.x, 33.0f, 1e-3f);
  EXPECT_NEAR(win.y, 44.0f, 1e-3f);
  EXPECT_NEAR(win.z, 0.25f, 1e-5f);

  auto target = Rect(20, 20, 120, 60);
  Vector from, direction;
  EXPECT_FALSE(target->WindowToObject(Vector(70, 40, 0.5f), from, &direction, ViewMatrices()));
  PickView other;
  target->Visibility(false);
  EXPECT_EQ(other.PickAt(*target, 70, 40), nullptr);
  target->Pickable(3);
  EXPECT_EQ(other.PickAt(*target, 190, 90), target.get());  // no test at all, even far away
  target->Visibility(true);
  target->Pickable(0);
  EXPECT_EQ(other.PickAt(*target, 70, 40), nullptr);
  other.modelView(0, 0) = 0.0;  // a singular other
  EXPECT_FALSE(target->WindowToObject(Vector(70, 40, 0.5f), from, &direction, other.record));
}

class GroupPicking : public ::testing::Test {
 protected:
  GroupPicking() {
    group.InsertObject(front.get());  // earlier in the list, but nearer the viewer
    group.InsertObject(back.get());
  }
  PickView view;
  Group group;
  std::unique_ptr<GLPolygon> front = Rect(20, 20, 80, 80, 10.0f, "front");
  std::unique_ptr<GLPolygon> back = Rect(50, 20, 120, 80, 0.0f, "back");
};

TEST_F(GroupPicking, PickableDecidesBetweenTheLastChildHitTheNearestTheGroupAndNothing) {
  EXPECT_EQ(view.PickAt(group, 60, 50), back.get());  // 1: the last child hit
  EXPECT_EQ(view.PickAt(group, 30, 50), front.get());
  EXPECT_EQ(view.PickAt(group, 150, 50), nullptr);
  group.Pickable(2);  // the nearest hit, wherever it is in the list
  Vector hit;
  EXPECT_EQ(view.PickAt(group, 60, 50, &hit), front.get());
  EXPECT_NEAR(hit.z, 0.5f - 10.0f / 2000.0f, 1e-5f);
  EXPECT_EQ(view.PickAt(group, 100, 50), back.get());
  group.Pickable(3);
  group.Visibility(false);
  EXPECT_EQ(view.PickAt(group, 190, 90), &group);
  group.Pickable(1);
  EXPECT_EQ(view.PickAt(group, 60, 50), nullptr);
  group.Visibility(true);
  group.Pickable(0);
  EXPECT_EQ(view.PickAt(group, 60, 50), nullptr);

  Group outer;
  auto square = Rect(0, 0, 10, 10, 0.0f, "square");
  auto moving = std::make_unique<Group>();
  moving->InsertObject(square.get());
  // (x, y) is drawn at (100 - 2y, 20 + 2x): the square covers (80..100, 20..40).
  moving->DynamicScale(2, 2, 1);
  moving->DynamicRotate(0, 0, 90);
  moving->DynamicTranslate(100.0f, 20.0f, 0.0f);
  outer.InsertObject(moving.get());
  view.PreDraw(outer);
  Vector turnedHit;
  EXPECT_EQ(view.PickAt(outer, 90, 30, &turnedHit), square.get());
  EXPECT_NEAR(turnedHit.x, 90.0f, 1e-3f);
  EXPECT_NEAR(turnedHit.y, 30.0f, 1e-3f);
  EXPECT_EQ(view.PickAt(outer, 5, 5), nullptr);  // where it would be without the motion
  EXPECT_EQ(view.PickAt(outer, 116, 30), nullptr);
}

struct Seen {
  std::string name;
  Vector location;
  Vector objectPoint;
};

class Recorder {
 public:
  int On(DisplayObject* sender, DisplayEvent* ev) {
    const auto* at = dynamic_cast<LocationEvent*>(ev);
    seen.push_back({sender->InstanceName(), at ? at->location : Vector(), at ? at->objectPoint : Vector()});
    return 1;
  }
  std::vector<Seen> seen;
};

GLPolygon* RecordedRect(float x0, float y0, float x1, float y1, float z, const char* name, Recorder& recorder) {
  GLPolygon* p = pick_test::NewRect(x0, y0, x1, y1, z, name);
  p->CallbackCaller(new CallbackMethodCallerTemplate<Recorder>(&recorder, &Recorder::On));
  return p;
}

DisplayObject* Mouse(ComponentBase& c, unsigned short subtype, float x, float y) {
  MouseEvent ev(subtype, subtype == MOUSE_MOVE ? 0 : MOUSE_LBUTTON);
  ev.location = Vector(x, y, 0.5f);
  return c.HandleFrameEvent(&ev);
}

TEST(ComponentPicking, TheObjectUnderThePointerGetsTheEventAndKeepsTheFocusForTheDrag) {
  PickView view;
  Recorder recorder;
  ComponentBase component;
  GLPolygon* button = RecordedRect(20, 20, 60, 60, 0.0f, "button", recorder);
  GLPolygon* knob = RecordedRect(100, 20, 140, 60, 100.0f, "knob", recorder);
  component.InsertObject(button);
  component.InsertObject(knob);
  view.PreDraw(component);

  EXPECT_EQ(Mouse(component, MOUSE_DOWN, 40, 45), button);
  EXPECT_EQ(component.FocusObject(), button);
  EXPECT_FLOAT_EQ(component.LastPickDepth(), 0.5f);
  ASSERT_EQ(recorder.seen.size(), 2u);  // enter, then the press itself
  EXPECT_NEAR(recorder.seen[1].location.x, 40.0f, 1e-3f);  // object coordinates
  EXPECT_NEAR(recorder.seen[1].objectPoint.x, 20.0f, 1e-3f);  // from the button's location
  EXPECT_NEAR(recorder.seen[1].objectPoint.y, 25.0f, 1e-3f);

  // Dragged far away, the button still gets the event, with the point in its own plane.
  EXPECT_EQ(Mouse(component, MOUSE_DRAG, 180, 90), button);
  EXPECT_EQ(recorder.seen.back().name, "button");
  EXPECT_NEAR(recorder.seen.back().objectPoint.x, 160.0f, 1e-3f);
  EXPECT_EQ(Mouse(component, MOUSE_UP, 180, 90), button);

  // Moving onto the knob (the leave and enter around it are events_test's): the knob's depth.
  EXPECT_EQ(Mouse(component, MOUSE_MOVE, 120, 40), knob);
  EXPECT_NEAR(component.LastPickDepth(), 0.5f - 100.0f / 2000.0f, 1e-5f);

  EXPECT_EQ(Mouse(component, MOUSE_DOWN, 80, 90), nullptr);
  EXPECT_EQ(component.FocusObject(), nullptr);

  PickView nestedView;
  Recorder nestedRecorder;
  ComponentBase outerComponent;
  auto* innerComponent = new ComponentBase;
  innerComponent->InstanceName("innerComponent");
  GLPolygon* cell = RecordedRect(0, 0, 10, 10, 0.0f, "cell", nestedRecorder);
  innerComponent->InsertObject(cell);
  outerComponent.InsertObject(innerComponent);

  outerComponent.SetResource("innerComponent.Location", "50 20 0");
  nestedView.PreDraw(outerComponent);
  EXPECT_EQ(Mouse(outerComponent, MOUSE_DOWN, 55, 25), cell);
  EXPECT_EQ(Mouse(outerComponent, MOUSE_DOWN, 105, 45), nullptr);

  innerComponent->SetValue(2, 100.0, 20.0, 0.0, 0);
  nestedView.PreDraw(outerComponent);
  EXPECT_EQ(Mouse(outerComponent, MOUSE_DOWN, 105, 25), cell);
  EXPECT_EQ(Mouse(outerComponent, MOUSE_DOWN, 55, 25), nullptr);
  EXPECT_EQ(Mouse(outerComponent, MOUSE_DOWN, 155, 25), nullptr);
  EXPECT_EQ(cell->Location().x, 0.0f);  // component-local, untouched

  PickView cullView;  // x 0..200, y 0..100, z -1000..1000
  FrustumCuller culler(true);
  culler.FromMatrices(cullView.record);
  EXPECT_TRUE(culler.enabled);
  EXPECT_NEAR(culler.planes[0][0], 1.0f, 1e-6f);  // left: x >= 0, unit normal inwards
  EXPECT_NEAR(culler.planes[0][3], 0.0f, 1e-6f);
  EXPECT_TRUE(culler.SphereOutside(Vector(-5, 50, 0), 5));  // distance exactly -r
  EXPECT_FALSE(culler.SphereOutside(Vector(-4.5f, 50, 0), 5));
  EXPECT_TRUE(culler.SphereOutside(Vector(100, 107, 0), 6.5f));  // above the top
  EXPECT_FALSE(culler.SphereOutside(Vector(100, 50, 990), 20));
  EXPECT_TRUE(culler.SphereOutside(Vector(100, 50, -1030), 20));  // beyond the far plane

  ComponentBase culledComponent;
  GLPolygon* shown = pick_test::NewRect(20, 20, 60, 60);
  GLPolygon* moved = pick_test::NewRect(20, 20, 60, 60);
  moved->DynamicTranslate(300.0f, 0.0f, 0.0f);  // now wholly right of the cullView
  culledComponent.InsertObject(shown);
  culledComponent.InsertObject(moved);
  culledComponent.PreDraw(cullView.record, culler);
  EXPECT_FALSE(culledComponent.Culled());
  EXPECT_TRUE(moved->Culled());
  // Static objects are not pre-drawn, so never culled by the pass.
  EXPECT_FALSE(shown->Culled());
  EXPECT_EQ(cullView.PickAt(culledComponent, 40, 40), shown);

  moved->DynamicTranslate(0.0f, 0.0f, 0.0f);
  culledComponent.PreDraw(cullView.record, culler);
  EXPECT_FALSE(moved->Culled());
  EXPECT_EQ(cullView.PickAt(culledComponent, 40, 40), moved);  // the later child, found first
}

}  // namespace
}  // namespace orvan
