#include "orvan/draw_state_run.h"

#include <typeinfo>

#include "orvan/display_object.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"

namespace orvan {

namespace {

// What a run knows of OpenGL state; single-threaded, like all drawing.
struct RunState {
  bool granted = false;  // the next polygon Draw belongs to the run
  bool joinGranted = false;  // the next group's children continue the run
  bool active = false;   // a polygon of the run is drawing: the known state below may be used
  bool undoPending = false;
  int pendingDepthTest = 0;
  bool pendingCull = false;
  // Known values; a known flag false means "ask OpenGL".
  bool cullKnown = false, cull = false;
  bool depthKnown = false, depth = false;
  bool textureKnown = false, texture = false;
  bool funcKnown = false;
  GLenum func = GL_LESS;
  bool maskKnown = false;
  GLboolean mask = GL_TRUE;
  bool shadeKnown = false;
  GLenum shade = GL_FLAT;

  void Forget() { cullKnown = depthKnown = textureKnown = funcKnown = maskKnown = shadeKnown = false; }
};

RunState& State() {
  static RunState state;
  return state;
}

// Depth testing and culling back to the frame's defaults after an object drawn with these.
void PerformUndo(int depthTest, bool cullBackFace) {
  if (cullBackFace) DrawStateRun::Enable(GL_CULL_FACE, false);
  switch (depthTest) {
    case 1:
      DrawStateRun::Enable(GL_DEPTH_TEST, false);
      break;
    case 2:
      DrawStateRun::Enable(GL_DEPTH_TEST, false);
      DrawStateRun::DepthMask(GL_TRUE);
      break;
    case 3:
      DrawStateRun::Enable(GL_DEPTH_TEST, false);
      DrawStateRun::DepthFunc(GL_LESS);
      break;
    default:
      break;
  }
}

}  // namespace

DrawStateRun::Loop::Loop() : joined_(State().joinGranted) {
  State().joinGranted = false;
  if (!joined_) EndRun();
}

DrawStateRun::Loop::~Loop() {
  if (!joined_) EndRun();
}

void DrawStateRun::Loop::Draw(DisplayObject& child) {
  RunState& s = State();
  // Only a plain polygon's own Draw is known to set every state the run skips; a subclass may
  // draw otherwise. The type's identity is compared by address: one runtime copy per binary, and
  // a polygon of another copy only misses the run.
  if (&typeid(child) == &typeid(GLPolygon)) {
    s.granted = true;
    child.Draw();
    s.granted = s.active = false;
    return;
  }
  // A plain group only moves the matrix and passes textures down: its children go on with the run.
  if (&typeid(child) == &typeid(Group)) {
    s.joinGranted = true;
    child.Draw();
    s.joinGranted = false;
    return;
  }
  EndRun();
  child.Draw();
  State().Forget();  // whatever it drew may have changed anything
}

bool DrawStateRun::Enter() {
  RunState& s = State();
  s.active = s.granted;
  s.granted = false;
  return s.active;
}

void DrawStateRun::UndoDepthAndCulling(bool inRun, int depthTest, bool cullBackFace) {
  if (!inRun) {
    PerformUndo(depthTest, cullBackFace);
    return;
  }
  // The next polygon sets all of it again; only the last one's undo is needed, at the run's end.
  RunState& s = State();
  s.undoPending = true;
  s.pendingDepthTest = depthTest;
  s.pendingCull = cullBackFace;
}

void DrawStateRun::Leave() { State().active = false; }

void DrawStateRun::EndRun() {
  RunState& s = State();
  s.granted = s.active = false;
  if (s.undoPending) {
    s.undoPending = false;
    PerformUndo(s.pendingDepthTest, s.pendingCull);
  }
  s.Forget();
}

void DrawStateRun::Reset() {
  RunState& s = State();
  s.granted = s.active = s.undoPending = false;
  s.Forget();
}

void DrawStateRun::Enable(GLenum capability, bool on) {
  RunState& s = State();
  bool* known = nullptr;
  bool* value = nullptr;
  switch (capability) {
    case GL_CULL_FACE: known = &s.cullKnown, value = &s.cull; break;
    case GL_DEPTH_TEST: known = &s.depthKnown, value = &s.depth; break;
    case GL_TEXTURE_2D: known = &s.textureKnown, value = &s.texture; break;
    default: break;
  }
  if (s.active && known && *known && *value == on) return;
  if (on) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
  if (s.active && known) *known = true, *value = on;
}

void DrawStateRun::DepthFunc(GLenum function) {
  RunState& s = State();
  if (s.active && s.funcKnown && s.func == function) return;
  glDepthFunc(function);
  if (s.active) s.funcKnown = true, s.func = function;
}

void DrawStateRun::DepthMask(GLboolean mask) {
  RunState& s = State();
  if (s.active && s.maskKnown && s.mask == mask) return;
  glDepthMask(mask);
  if (s.active) s.maskKnown = true, s.mask = mask;
}

void DrawStateRun::ShadeModel(GLenum model) {
  RunState& s = State();
  if (s.active && s.shadeKnown && s.shade == model) return;
  glShadeModel(model);
  if (s.active) s.shadeKnown = true, s.shade = model;
}

}  // namespace orvan
