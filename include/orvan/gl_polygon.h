#pragma once

#include "orvan/display_object.h"

namespace orvan {

// Draws its vertices as a filled polygon, an outline (closed loop or open strip), points, or a
// fill with an outline; flat or Gouraud coloured, optionally textured and lit. The colour of each
// vertex is its fill colour; the object's colour is the outline and point colour.
class GLPolygon : public DisplayObject {
 public:
  GLPolygon();
  // The location becomes the first given vertex (position and colour); the vertices are stored
  // relative to it with their own colours.
  GLPolygon(unsigned int n, const Vertex* worldVertices);
  ~GLPolygon() override;

  using DisplayObject::SetValue;

  void RegisterAttributes(unsigned int groups) override;
  void CalculateTexCoordinates() override;
  DisplayObject* CloneObject(bool generateNames = false) override;
  void Draw() override;

  // One normal per vertex from its two edges; a negative direction turns them all around.
  /* 124 */ virtual void CalculateNormals(int direction);

 protected:
  // The parts of Draw, for subclasses that draw more inside the same set-up.
  void DrawFill(bool textured);
  void DrawOutline();
  void DrawPoints();
};

}  // namespace orvan
