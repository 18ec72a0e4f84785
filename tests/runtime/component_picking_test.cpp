// Input inside a component found by picking: the object under the pointer gets the event in its
// own coordinates, keeps the focus for drags, and nested components are picked where they
// are drawn, also after they moved.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/mouse_event.h"
#include "runtime/pick_view.h"

namespace orvan {
namespace {

using pick_test::PickView;

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

GLPolygon* Rect(float x0, float y0, float x1, float y1, float z, const char* name, Recorder& recorder) {
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
  GLPolygon* button = Rect(20, 20, 60, 60, 0.0f, "button", recorder);
  GLPolygon* knob = Rect(100, 20, 140, 60, 100.0f, "knob", recorder);
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
}

TEST(ComponentPicking, ANestedComponentMovesOnceWhetherByItsAttributeOrByLocation) {
  PickView view;
  Recorder recorder;
  ComponentBase outer;
  auto* inner = new ComponentBase;
  inner->InstanceName("inner");
  GLPolygon* cell = Rect(0, 0, 10, 10, 0.0f, "cell", recorder);
  inner->InsertObject(cell);
  outer.InsertObject(inner);

  outer.SetResource("inner.Location", "50 20 0");
  view.PreDraw(outer);
  EXPECT_EQ(Mouse(outer, MOUSE_DOWN, 55, 25), cell);
  EXPECT_EQ(Mouse(outer, MOUSE_DOWN, 105, 45), nullptr);

  inner->SetValue(2, 100.0, 20.0, 0.0, 0);
  view.PreDraw(outer);
  EXPECT_EQ(Mouse(outer, MOUSE_DOWN, 105, 25), cell);
  EXPECT_EQ(Mouse(outer, MOUSE_DOWN, 55, 25), nullptr);
  EXPECT_EQ(Mouse(outer, MOUSE_DOWN, 155, 25), nullptr);
  EXPECT_EQ(cell->Location().x, 0.0f);  // component-local, untouched
}

}  // namespace
}  // namespace orvan
