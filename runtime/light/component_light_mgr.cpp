#include "orvan/component_light_mgr.h"

#include <algorithm>

#include "orvan/global_light_mgr.h"

namespace orvan {

void ComponentLightMgr::AddLight(VesLightSource* light) {
  if (light == nullptr) return;
  if (std::find(lights.begin(), lights.end(), light) == lights.end()) lights.push_back(light);
}

void ComponentLightMgr::EnableLights() {
  enabled = !lights.empty();
  if (!enabled) return;
  GlobalLightMgr& global = GlobalLightMgr::Instance();
  global.SaveDesired();
  GlobalLightMgr::LightList next;
  if (useParentsLighting) {
    // The frame's lights take the free slots; the surrounding ones keep theirs.
    next = global.Desired();
    std::size_t from = 0;
    for (VesLightSource*& slot : next) {
      if (slot == nullptr && from < lights.size()) slot = lights[from++];
    }
  } else {
    next = lights;
  }
  global.SetDesired(next);
  global.ApplyLights(nullptr);
}

void ComponentLightMgr::DisableLights() {
  if (!enabled) return;
  enabled = false;
  GlobalLightMgr& global = GlobalLightMgr::Instance();
  global.RestoreDesired();
  global.ApplyLights(nullptr);
}

}  // namespace orvan
