#include "orvan/light_manager.h"

namespace orvan {

LightManager::LightManager() : useParentsLighting(false), stateSaved(false), switchDepth(0) {}

LightManager::~LightManager() {}

void LightManager::ResetFrameState() {
  stateSaved = false;
  switchDepth = 0;
}

void LightManager::SaveLightState() { stateSaved = true; }

void LightManager::RestoreLightState() { stateSaved = false; }

void LightManager::SwitchOffSurroundingLights() {}

void LightManager::SwitchOnLights() { ++switchDepth; }

void LightManager::RestoreLights() {
  if (switchDepth > 0) --switchDepth;
}

}  // namespace orvan
