#pragma once
// Runs of plain polygons that a group draws one after another. Each polygon sets the face
// culling, depth test, shade model and texturing it needs itself, so within a run those calls
// reach OpenGL only where the state really changes, and the undo of depth testing and culling is
// done once when the run ends instead of after every polygon: toggling them per polygon would
// cut the driver's batch at every polygon. Plain groups among the polygons carry the run into
// their children. A run ends before anything else is drawn, when the outermost group's children
// are done, and when a frame's state is reset; outside a run every call goes to OpenGL and every
// undo is done at once.
#include <GL/gl.h>

namespace orvan {

class DisplayObject;

class DrawStateRun {
 public:
  // A group's pass over its children: draws them, extending the run over plain polygons.
  class Loop {
   public:
    Loop();
    ~Loop();  // ends the run, also when a child's Draw throws
    Loop(const Loop&) = delete;
    Loop& operator=(const Loop&) = delete;
    void Draw(DisplayObject& child);

   private:
    bool joined_;  // a group's children inside its parent's run: the parent ends it
  };

  // For the polygon's Draw: true when this draw is part of a run (the group granted it).
  static bool Enter();
  // After the polygon's geometry: undoes its depth test and culling now, or when the run ends.
  static void UndoDepthAndCulling(bool inRun, int depthTest, bool cullBackFace);
  static void Leave();

  // State setters that skip what the run knows is already set.
  static void Enable(GLenum capability, bool on);
  static void DepthFunc(GLenum function);
  static void DepthMask(GLboolean mask);
  static void ShadeModel(GLenum model);

  // Ends any run and forgets what OpenGL state is known (the frame's state was reset).
  static void Reset();

 private:
  static void EndRun();
};

}  // namespace orvan
