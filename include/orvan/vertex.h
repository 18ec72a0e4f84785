#pragma once

#include "orvan/ves_color.h"
#include "orvan/vector.h"

namespace orvan {

// A position followed by its fill colour: x, y, z (floats) then red, green, blue, alpha;
// vertex arrays are contiguous arrays of these 16-byte records.
struct Vertex : public Vector {
  vesColor color;

  Vertex() : Vector(), color(255, 255, 255, 255) {}
  Vertex(float x_, float y_, float z_) : Vector(x_, y_, z_), color(255, 255, 255, 255) {}
  Vertex(float x_, float y_, float z_, const vesColor& c) : Vector(x_, y_, z_), color(c) {}
  explicit Vertex(const Vector& v) : Vector(v), color(255, 255, 255, 255) {}

  Vector& Position() { return *this; }
  const Vector& Position() const { return *this; }
};

// x, y, z only: the element through which texture-coordinate and normal arrays (stored as
// Vector arrays) are read and written as attributes.
struct VertexNoColor : public Vector {
  VertexNoColor() : Vector() {}
  VertexNoColor(float x_, float y_, float z_) : Vector(x_, y_, z_) {}
  explicit VertexNoColor(const Vector& v) : Vector(v) {}
};

static_assert(sizeof(Vertex) == 16, "Vertex is x, y, z floats then four colour bytes");
static_assert(sizeof(VertexNoColor) == 12, "VertexNoColor is x, y, z floats");

}  // namespace orvan
