#include "orvan/global_light_mgr.h"

#include <GL/gl.h>

#include "orvan/eye_point.h"
#include "orvan/light_source.h"

namespace orvan {

GlobalLightMgr& GlobalLightMgr::Instance() {
  static GlobalLightMgr instance;
  return instance;
}

GlobalLightMgr::~GlobalLightMgr() {}

int GlobalLightMgr::MaxLights() {
  if (maxLights == 0) {
    GLint n = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &n);
    maxLights = n > 0 ? n : 8;
  }
  return maxLights;
}

void GlobalLightMgr::Size() {
  const std::size_t n = static_cast<std::size_t>(MaxLights());
  if (applied.size() != n) applied.resize(n, nullptr);
  if (desired.size() != n) desired.resize(n, nullptr);
}

VesLightSource* GlobalLightMgr::Placeholder(int slot) {
  if (placeholders.size() <= static_cast<std::size_t>(slot)) placeholders.resize(static_cast<std::size_t>(slot) + 1);
  std::unique_ptr<VesLightSource>& p = placeholders[static_cast<std::size_t>(slot)];
  if (!p) {
    p.reset(new VesLightSource);
    p->placeholder = true;
  }
  return p.get();
}

void GlobalLightMgr::PushState() {
  Size();
  glPushAttrib(0x0BE1);
  glEnable(GL_NORMALIZE);
  for (int i = 0; i < maxLights; ++i) {
    desired[static_cast<std::size_t>(i)] = glIsEnabled(static_cast<GLenum>(GL_LIGHT0 + i)) ? Placeholder(i) : nullptr;
  }
  applied = desired;
  stack.push_back(desired);
  attribPushes.push_back(1);
}

void GlobalLightMgr::PopState() {
  if (stack.empty()) return;
  Size();
  desired = stack.back();
  stack.pop_back();
  const bool pushedAttributes = attribPushes.back() != 0;
  attribPushes.pop_back();
  if (pushedAttributes) {
    // The saved attributes bring back the slots' switches and settings as they were.
    glPopAttrib();
    applied = desired;
  }
}

void GlobalLightMgr::SaveDesired() {
  Size();
  stack.push_back(desired);
  attribPushes.push_back(0);
}

void GlobalLightMgr::RestoreDesired() {
  if (stack.empty()) return;
  desired = stack.back();
  stack.pop_back();
  attribPushes.pop_back();
}

void GlobalLightMgr::SetDesired(const LightList& list) {
  Size();
  for (std::size_t i = 0; i < desired.size(); ++i) desired[i] = i < list.size() ? list[i] : nullptr;
}

const GlobalLightMgr::LightList& GlobalLightMgr::Desired() {
  Size();
  return desired;
}

void GlobalLightMgr::ApplyLights(VesEyePoint* eye) {
  Size();
  if (!force && applied == desired) return;
  VesMatrix<double, 4> view;
  if (eye != nullptr) eye->GetModelViewMatrix(view, false);
  for (int i = 0; i < maxLights; ++i) {
    const std::size_t s = static_cast<std::size_t>(i);
    if (!force && desired[s] == applied[s]) continue;
    if (desired[s] == nullptr) {
      glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
    } else if (eye != nullptr) {
      // Seen from the eye: its view, then the light's own placement among the groups.
      VesMatrix<double, 4> m = view;
      if (const VesMatrixAffine<double>* t = desired[s]->TransformMatrix()) m = m * *t;
      desired[s]->SetupLight(i, &m);
    } else {
      desired[s]->SetupLight(i, nullptr);
    }
    applied[s] = desired[s];
  }
  force = false;
}

}  // namespace orvan
