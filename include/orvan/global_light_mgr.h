#pragma once

#include <memory>
#include <vector>

namespace orvan {

class VesEyePoint;
class VesLightSource;

// Owner of the OpenGL light slots for the whole process: which light holds which slot, with
// OpenGL calls only for slots whose assignment changed. Used from the drawing thread only.
class GlobalLightMgr {
 public:
  using LightList = std::vector<VesLightSource*>;

  static GlobalLightMgr& Instance();
  ~GlobalLightMgr();

  // GL_MAX_LIGHTS, read once with a current context (8 when the query gives nothing).
  int MaxLights();

  // Saves the OpenGL lighting state and takes over the slots lit outside the scene graph.
  void PushState();
  // Restores what PushState saved.
  void PopState();
  // Keeps the desired list for a later RestoreDesired (nested frames with their own lights).
  void SaveDesired();
  void RestoreDesired();

  // Entries beyond MaxLights are dropped; missing ones are empty.
  void SetDesired(const LightList& list);
  const LightList& Desired();
  // Brings OpenGL to the desired list, touching only slots that differ (every slot when forced).
  void ApplyLights(VesEyePoint* eye);
  void Force() { force = true; }
  int StackDepth() const { return static_cast<int>(stack.size()); }

 private:
  GlobalLightMgr() = default;
  void Size();
  VesLightSource* Placeholder(int slot);

  int maxLights = 0;
  LightList applied, desired;
  std::vector<LightList> stack;
  std::vector<int> attribPushes;  // which stack entries saved OpenGL attributes
  std::vector<std::unique_ptr<VesLightSource>> placeholders;
  bool force = false;
};

}  // namespace orvan
