#pragma once

namespace orvan {

// The lights of one frame and the switching around a component's drawing: the surrounding
// lights go off (unless the component uses its parent's lighting), the frame's own go on, and
// afterwards everything is as it was. This layer has no lights, so it switches nothing; it
// keeps the flags and the order of the steps.
class LightManager {
 public:
  LightManager();
  virtual ~LightManager();
  LightManager(const LightManager&) = delete;
  LightManager& operator=(const LightManager&) = delete;

  bool UseParentsLighting() const { return useParentsLighting; }
  void UseParentsLighting(bool on) { useParentsLighting = on; }
  unsigned int LightCount() const { return 0; }

  // Forgets what the previous frame's drawing switched (run from the pre-draw pass).
  void ResetFrameState();
  // Around a top-level frame: remember the lights in force, then restore them.
  void SaveLightState();
  void RestoreLightState();
  // Switches the surrounding lights off; a frame that uses its parent's lighting keeps them.
  void SwitchOffSurroundingLights();
  // Switches this frame's lights on; RestoreLights puts back what was in force before.
  void SwitchOnLights();
  void RestoreLights();

  // How many switch-ons are waiting for their restore; 0 between frames.
  int SwitchDepth() const { return switchDepth; }

 private:
  bool useParentsLighting;
  bool stateSaved;
  int switchDepth;
};

}  // namespace orvan
