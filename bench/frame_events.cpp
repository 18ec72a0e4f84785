// Two frame paths that run per user action: resolving a dotted resource name inside a large
// component, and delivering mouse events through a component to the object holding the focus.
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "orvan/attribute_base.h"
#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "orvan/mouse_event.h"

namespace {

using namespace orvan;
using Clock = std::chrono::steady_clock;

constexpr int kSubcomponents = 100;
constexpr int kPolygonsEach = 99;  // 100 + 100 * 99 = 10,000 objects below the panel
constexpr int kLookups = 100000;
constexpr int kEvents = 100000;

// Exposes the routing step that picking will drive, to give the panel a focus object.
class Panel : public ComponentBase {
 public:
  using ComponentBase::RouteToHitObject;
};

struct Counter {
  int OnEvent(DisplayObject*, DisplayEvent* ev) {
    sum += ev->eventSubtype;
    return 1;
  }
  long sum = 0;
};

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

void Report(const char* what, int count, double seconds) {
  std::printf("%-52s %9d in %8.3f s  %12.0f /s  %8.3f us each\n", what, count, seconds, count / seconds,
              seconds * 1e6 / count);
}

// Resolves names whose first part lies at the given fraction of the panel's children.
double ResolveNames(Panel& panel, const std::vector<std::string>& names) {
  const Clock::time_point start = Clock::now();
  int found = 0;
  for (int i = 0; i < kLookups; ++i) {
    OrvanAttributeBase* attribute = panel.Resource(names[static_cast<std::size_t>(i) % names.size()].c_str());
    found += attribute != &OrvanEmptyAttribute::Instance() ? 1 : 0;
  }
  const double seconds = Seconds(start);
  if (found != kLookups) std::printf("only %d of %d names resolved\n", found, kLookups);
  return seconds;
}

}  // namespace

int main() {
  Panel panel;
  panel.InstanceName("panel");
  for (int s = 0; s < kSubcomponents; ++s) {
    ComponentBase* sub = new ComponentBase;
    sub->InstanceName(("sub" + std::to_string(s)).c_str());
    for (int p = 0; p < kPolygonsEach; ++p) {
      GLPolygon* polygon = new GLPolygon;
      polygon->InstanceName(("p" + std::to_string(s) + "_" + std::to_string(p)).c_str());
      sub->InsertObject(polygon, true, false);
    }
    sub->FinishConstruction();
    panel.InsertObject(sub, true, false);
  }
  panel.FinishConstruction();

  std::vector<std::string> first, spread, last;
  for (int p = 0; p < kPolygonsEach; ++p) {
    first.push_back("sub0.p0_" + std::to_string(p) + ".Visible");
    last.push_back("sub99.p99_" + std::to_string(p) + ".Visible");
  }
  for (int s = 0; s < kSubcomponents; ++s) {
    spread.push_back("sub" + std::to_string(s) + ".p" + std::to_string(s) + "_" + std::to_string((s * 37) % 99) +
                     ".Location");
  }
  std::printf("panel of %d objects\n", kSubcomponents * (kPolygonsEach + 1));
  Report("dotted look-ups, first subcomponent", kLookups, ResolveNames(panel, first));
  Report("dotted look-ups, spread over all subcomponents", kLookups, ResolveNames(panel, spread));
  Report("dotted look-ups, last subcomponent", kLookups, ResolveNames(panel, last));

  Counter counter;
  DisplayObject* target = panel.FindByName("p42_7");
  target->CallbackCaller(new CallbackMethodCallerTemplate<Counter, DisplayObject>(&counter, &Counter::OnEvent));
  MouseEvent down(MOUSE_DOWN, MOUSE_LBUTTON);
  panel.RouteToHitObject(target, &down);
  const Clock::time_point start = Clock::now();
  int handled = 0;
  for (int i = 0; i < kEvents; ++i) {
    MouseEvent drag(MOUSE_DRAG, MOUSE_LBUTTON);
    *drag.x = static_cast<float>(i % 640);
    *drag.y = static_cast<float>(i % 480);
    handled += panel.HandleFrameEvent(&drag) == target ? 1 : 0;
  }
  Report("mouse drags through HandleFrameEvent to the focus", kEvents, Seconds(start));
  if (handled != kEvents) std::printf("only %d of %d events handled\n", handled, kEvents);
  return 0;
}
