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
  // Draw's whole sequence: set up the drawing state, draw the polygon, then `inside` (what a
  // subclass draws in the same state and transformation), and restore. Nothing for an object
  // that is hidden, culled, blinked off or has no vertices.
  void DrawShape(void (*inside)(GLPolygon&) = nullptr);
  void DrawFill(bool textured);
  void DrawOutline();
  void DrawPoints();
};

}  // namespace orvan
