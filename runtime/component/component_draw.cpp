// A component's per-frame passes: its own lights around its children, and no texture leaking
// in from the tree it sits in.
#include <GL/gl.h>

#include "orvan/component_base.h"
#include "orvan/component_light_mgr.h"
#include "orvan/draw_state_run.h"
#include "orvan/error_report.h"
#include "orvan/global_light_mgr.h"

namespace orvan {

namespace {

// Undoes what Draw set up even when a child's Draw throws, in the reverse order.
class ComponentDrawScope {
 public:
  ComponentDrawScope(DisplayObject& component_, ComponentLightMgr& lights_, bool topLevel_)
      : component(component_),
        lights(lights_),
        topLevel(topLevel_),
        savedIndex(DisplayObject::InheritedTextureIndex()),
        savedRepeat(DisplayObject::InheritedTextureRepeat()),
        pushed(false),
        lightsOn(false),
        statePushed(false) {}
  ~ComponentDrawScope() {
    DisplayObject::SetInheritedTexture(savedIndex, savedRepeat);
    if (pushed) glPopMatrix();
    if (lightsOn) lights.DisableLights();
    if (statePushed) GlobalLightMgr::Instance().PopState();
    component.RestoreLighting();
  }
  ComponentDrawScope(const ComponentDrawScope&) = delete;
  ComponentDrawScope& operator=(const ComponentDrawScope&) = delete;

  DisplayObject& component;
  ComponentLightMgr& lights;
  bool topLevel;
  int savedIndex;
  int savedRepeat;
  bool pushed;
  bool lightsOn;
  bool statePushed;
};

}  // namespace

void ComponentBase::Draw() {
  if (DrawSkipped()) return;
  SetupLighting();
  const bool topLevel = outerFrame == nullptr;
  ComponentDrawScope scope(*this, *lightManager, topLevel);
  scope.pushed = PushTransform();
  if (topLevel) {
    // Lights enabled outside the scene graph are taken over; without the parent's lighting
    // they go off for the children.
    GlobalLightMgr& global = GlobalLightMgr::Instance();
    global.PushState();
    scope.statePushed = true;
    if (!lightManager->UseParentsLighting()) {
      global.SetDesired({});
      global.ApplyLights(nullptr);
    }
  }
  lightManager->EnableLights();
  scope.lightsOn = true;
  SetInheritedTexture(-1, -1);
  DrawStateRun::Loop children;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) children.Draw(*objects.data[i]);
  }
}

void ComponentBase::PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) {
  lightManager->Reset();
  Group::PreDraw(parentMatrices, culler);
}

DisplayObject* ComponentBase::Pick3D(const Vector& winLocation, const Vector& origin, float scale,
                                     const Vector& direction, Vector& hitPoint, const ViewMatrices& parentMatrices) {
  switch (pickable) {
    case 0:
      return nullptr;
    case 3:
      return this;
    case 1:
    case 2:
      if (!visible || culled) return nullptr;
      return Group::Pick3D(winLocation, origin, scale, direction, hitPoint, parentMatrices);
    default:
      ORVAN_ASSERT(false);
      return nullptr;
  }
}

}  // namespace orvan
