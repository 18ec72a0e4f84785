#pragma once

#include <vector>

namespace orvan {

class VesLightSource;

// The lights of one frame, collected during each pre-draw, and the switching around the
// frame's drawing through the global manager.
class ComponentLightMgr {
 public:
  ComponentLightMgr() = default;
  virtual ~ComponentLightMgr() = default;
  ComponentLightMgr(const ComponentLightMgr&) = delete;
  ComponentLightMgr& operator=(const ComponentLightMgr&) = delete;

  void Reset() { lights.clear(); }
  // Appends unless already present.
  void AddLight(VesLightSource* light);
  const std::vector<VesLightSource*>& Lights() const { return lights; }
  unsigned int Count() const { return static_cast<unsigned int>(lights.size()); }

  bool UseParentsLighting() const { return useParentsLighting; }
  void UseParentsLighting(bool on) { useParentsLighting = on; }

  // Puts this frame's lights in force (after or instead of the surrounding ones); DisableLights
  // takes back what was in force before. Both do nothing for a frame without lights.
  void EnableLights();
  void DisableLights();

 private:
  bool useParentsLighting = true;
  bool enabled = false;
  std::vector<VesLightSource*> lights;
};

}  // namespace orvan
