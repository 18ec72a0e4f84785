// Vertex data of a display object: the arrays, their editing, extents and bounding volume.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <new>
#include <vector>

#include "orvan/display_object.h"
#include "orvan/error_report.h"

namespace orvan {

// Normals, when present, always cover every vertex: drawing reads one per vertex.
void DisplayObject::ResizeNormals(unsigned int oldCount, unsigned int n) {
  if (normals == nullptr) return;
  Vector* resized = n > 0 ? new Vector[n] : nullptr;
  std::copy(normals, normals + std::min(oldCount, n), resized);
  delete[] normals;
  normals = resized;
}

void DisplayObject::ReallocateVertices(unsigned int n, bool initializeNew, bool copyOld) {
  if (n == vertexCount) return;
  Vertex* newVertices = n > 0 ? new Vertex[n] : nullptr;
  Vector* newNormals = n > 0 ? new Vector[n] : nullptr;
  Vector* newCoords = n > 0 ? new Vector[n] : nullptr;
  if (initializeNew) {
    // All bytes zero: new vertices are black and transparent.
    for (unsigned int i = 0; i < n; ++i) newVertices[i] = Vertex(0.0f, 0.0f, 0.0f, vesColor());
  }
  if (copyOld) {
    if (vertices != nullptr) std::copy(vertices, vertices + std::min(n, vertexCount), newVertices);
    if (normals != nullptr) std::copy(normals, normals + std::min(n, vertexCount), newNormals);
    if (textureCoordinates != nullptr) {
      std::copy(textureCoordinates, textureCoordinates + std::min(n, textureCoordinateCount), newCoords);
    }
  }
  delete[] vertices;
  delete[] normals;
  delete[] textureCoordinates;
  vertices = newVertices;
  normals = newNormals;
  textureCoordinates = newCoords;
  vertexCount = n;
  textureCoordinateCount = n;
}

Vertex* DisplayObject::Vertices() { return vertices; }

void DisplayObject::SetVertices(unsigned int n, Vertex* newVertices) {
  if (n != vertexCount || vertices == nullptr) {
    delete[] vertices;
    vertices = n > 0 ? new Vertex[n] : nullptr;
    ResizeNormals(vertexCount, n);
    vertexCount = n;
  }
  if (newVertices != nullptr) std::copy(newVertices, newVertices + n, vertices);
  UpdateBoundingVolume();
}

void DisplayObject::SetVertices(unsigned int n, ...) {
  std::vector<Vertex> given(n);
  va_list args;
  va_start(args, n);
  for (unsigned int i = 0; i < n; ++i) {
    const int r = va_arg(args, int);
    const int g = va_arg(args, int);
    const int b = va_arg(args, int);
    const int a = va_arg(args, int);
    const double x = va_arg(args, double);
    const double y = va_arg(args, double);
    const double z = va_arg(args, double);
    given[i] = Vertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z),
                      vesColor(static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                               static_cast<unsigned char>(b), static_cast<unsigned char>(a)));
  }
  va_end(args);
  SetVertices(n, n > 0 ? given.data() : static_cast<Vertex*>(nullptr));
}

void DisplayObject::SetNormals(unsigned int n, Vector* newNormals) {
  delete[] normals;
  normals = nullptr;
  if (n == 0) return;
  // Never fewer entries than vertices, so drawing cannot read past the array.
  normals = new Vector[std::max(n, vertexCount)];
  if (newNormals != nullptr) std::copy(newNormals, newNormals + n, normals);
}

void DisplayObject::SetNormals(unsigned int n, ...) {
  std::vector<Vector> given(n);
  va_list args;
  va_start(args, n);
  for (unsigned int i = 0; i < n; ++i) {
    const double x = va_arg(args, double);
    const double y = va_arg(args, double);
    const double z = va_arg(args, double);
    given[i] = Vector(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
  }
  va_end(args);
  SetNormals(n, n > 0 ? given.data() : static_cast<Vector*>(nullptr));
}

// isVectorArray false: coords points at Vertex records (their colour is skipped).
void DisplayObject::SetTexCoords(unsigned int n, Vector* coords, bool isVectorArray) {
  delete[] textureCoordinates;
  textureCoordinates = nullptr;
  textureCoordinateCount = 0;
  if (n == 0) return;
  Vector* array = new (std::nothrow) Vector[n];
  if (array == nullptr) {
    // The count stays 0 with the null array, so nothing reads coordinates that do not exist.
    ShowError("Out of memory in DisplayObject::SetTexCoords\n");
    throw std::bad_alloc();
  }
  if (coords != nullptr) {
    if (isVectorArray) {
      std::copy(coords, coords + n, array);
    } else {
      const Vertex* records = reinterpret_cast<const Vertex*>(coords);
      for (unsigned int i = 0; i < n; ++i) array[i] = records[i].Position();
    }
  }
  textureCoordinates = array;
  textureCoordinateCount = n;
}

void DisplayObject::SetTexCoords(unsigned int n, ...) {
  std::vector<Vector> given(n);
  va_list args;
  va_start(args, n);
  for (unsigned int i = 0; i < n; ++i) {
    const double s = va_arg(args, double);
    const double t = va_arg(args, double);
    const double r = va_arg(args, double);
    given[i] = Vector(static_cast<float>(s), static_cast<float>(t), static_cast<float>(r));
  }
  va_end(args);
  SetTexCoords(n, n > 0 ? given.data() : static_cast<Vector*>(nullptr), true);
}

void DisplayObject::InsertVertex(unsigned int number) {
  if (number < 1 || number > vertexCount || vertices == nullptr) return;
  const unsigned int at = number - 1;
  const unsigned int n = vertexCount + 1;
  Vertex* grown = new Vertex[n];
  std::copy(vertices, vertices + at + 1, grown);
  std::copy(vertices + at, vertices + vertexCount, grown + at + 1);
  delete[] vertices;
  vertices = grown;
  if (normals != nullptr) {
    Vector* grownNormals = new Vector[n];
    std::copy(normals, normals + at + 1, grownNormals);
    std::copy(normals + at, normals + vertexCount, grownNormals + at + 1);
    delete[] normals;
    normals = grownNormals;
  }
  if (textureCoordinates != nullptr && textureCoordinateCount > at) {
    Vector* grownCoords = new Vector[textureCoordinateCount + 1];
    std::copy(textureCoordinates, textureCoordinates + at + 1, grownCoords);
    std::copy(textureCoordinates + at, textureCoordinates + textureCoordinateCount, grownCoords + at + 1);
    delete[] textureCoordinates;
    textureCoordinates = grownCoords;
    ++textureCoordinateCount;
  }
  vertexCount = n;
  UpdateBoundingVolume();
}

void DisplayObject::DeleteVertex(unsigned int number) {
  if (vertexCount < 3 || number < 1 || number > vertexCount || vertices == nullptr) return;
  const unsigned int at = number - 1;
  // The arrays keep their allocation; only the counts shrink.
  std::copy(vertices + at + 1, vertices + vertexCount, vertices + at);
  if (normals != nullptr) std::copy(normals + at + 1, normals + vertexCount, normals + at);
  if (textureCoordinates != nullptr && textureCoordinateCount > at) {
    std::copy(textureCoordinates + at + 1, textureCoordinates + textureCoordinateCount,
              textureCoordinates + at);
    --textureCoordinateCount;
  }
  --vertexCount;
  UpdateBoundingVolume();
}

void DisplayObject::SetVertexColor(unsigned int number, const vesColor& c) {
  if (number < 1 || number > vertexCount || vertices == nullptr) return;
  vertices[number - 1].color = c;
}

vesColor DisplayObject::GetFillColor() {
  if (vertexCount == 0 || vertices == nullptr) return vesColor();
  return vertices[0].color;
}

void DisplayObject::SetFillColor(const vesColor& c) {
  if (vertexCount == 0) return;
  if (vertices == nullptr) ReportAssertion("_vertices", __FILE__, __LINE__);
  for (unsigned int i = 0; i < vertexCount; ++i) vertices[i].color = c;
}

void DisplayObject::WorldVertex(unsigned int i, const Vertex& v) {
  if (i >= vertexCount || vertices == nullptr) return;
  vertices[i] = Vertex(v.x - location.x, v.y - location.y, v.z - location.z, v.color);
}

Vertex DisplayObject::WorldVertex(unsigned int i) {
  if (i >= vertexCount || vertices == nullptr) return Vertex();
  const Vertex& v = vertices[i];
  return Vertex(location.x + v.x, location.y + v.y, location.z + v.z, v.color);
}

// --- Extents -----------------------------------------------------------------------------------

void DisplayObject::GetExtents(float& x, float& y, float& z, float& x2, float& y2, float& z2) {
  if (vertexCount == 0 || vertices == nullptr) {
    x = y = z = x2 = y2 = z2 = 0.0f;
    return;
  }
  x = x2 = vertices[0].x;
  y = y2 = vertices[0].y;
  z = z2 = vertices[0].z;
  for (unsigned int i = 1; i < vertexCount; ++i) {
    const Vertex& v = vertices[i];
    x = std::min(x, v.x);
    y = std::min(y, v.y);
    z = std::min(z, v.z);
    x2 = std::max(x2, v.x);
    y2 = std::max(y2, v.y);
    z2 = std::max(z2, v.z);
  }
  x += location.x;
  x2 += location.x;
  y += location.y;
  y2 += location.y;
  z += location.z;
  z2 += location.z;
}

void DisplayObject::GetTransformedExtents(Vector& min, Vector& max, const VesMatrix<double, 4>& m,
                                          bool resetMinMax) {
  if (resetMinMax) {
    min = Vector(FLT_MAX, FLT_MAX, FLT_MAX);
    max = Vector(-FLT_MAX, -FLT_MAX, -FLT_MAX);
  }
  for (unsigned int i = 0; vertices != nullptr && i < vertexCount; ++i) {
    const Vector p = m.TransformPoint(location.Position() + vertices[i].Position());
    min = Vector(std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z));
    max = Vector(std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z));
  }
}

void DisplayObject::GetCenter(Vector& center) {
  float x, y, z, x2, y2, z2;
  GetExtents(x, y, z, x2, y2, z2);
  center = Vector(x + (x2 - x) * 0.5f, y + (y2 - y) * 0.5f, z + (z2 - z) * 0.5f);
}

float DisplayObject::ObjectDepth() {
  float x, y, z, x2, y2, z2;
  GetExtents(x, y, z, x2, y2, z2);
  return z2 - z;
}

float DisplayObject::ObjectHeight() {
  float x, y, z, x2, y2, z2;
  GetExtents(x, y, z, x2, y2, z2);
  return y2 - y;
}

float DisplayObject::ObjectWidth() {
  float x, y, z, x2, y2, z2;
  GetExtents(x, y, z, x2, y2, z2);
  return x2 - x;
}

void DisplayObject::UpdateBoundingVolume() {
  float x, y, z, x2, y2, z2;
  GetExtents(x, y, z, x2, y2, z2);
  boundingCenter = Vector((x + x2) * 0.5f - location.x, (y + y2) * 0.5f - location.y,
                          (z + z2) * 0.5f - location.z);
  const double w = x2 - x, h = y2 - y, d = z2 - z;
  const double m = std::max(w, std::max(h, d));
  // sqrt(2·m²) covers every flat box; the full diagonal is larger only for solid boxes, whose
  // corners the flat formula would leave outside the sphere.
  const double squared = std::max(2.0 * m * m, w * w + h * h + d * d);
  boundingRadius = static_cast<float>(0.5 * std::sqrt(squared));
}

// --- Moving and reshaping ----------------------------------------------------------------------

void DisplayObject::Translate(float x, float y, float z) {
  location.x += x;
  location.y += y;
  location.z += z;
  LocationChanged();
}

void DisplayObject::Translate(const float v[3]) { DisplayObject::Translate(v[0], v[1], v[2]); }

void DisplayObject::TranslateVertices(float x, float y, float z) {
  if (vertices == nullptr) return;
  const Vector offset(x, y, z);
  for (unsigned int i = 0; i < vertexCount; ++i) vertices[i].Position() += offset;
  UpdateBoundingVolume();
}

void DisplayObject::SetOrigin(const Vector& newOrigin) {
  TranslateVertices(location.x - newOrigin.x, location.y - newOrigin.y, location.z - newOrigin.z);
  Location(Vertex(newOrigin.x, newOrigin.y, newOrigin.z, location.color));
}

void DisplayObject::Rotate(const Vector& orig, float angle, const Vector& axis) {
  const Vector at = location.Position();
  for (unsigned int i = 0; vertices != nullptr && i < vertexCount; ++i) {
    const Vector logical = at + vertices[i].Position();
    vertices[i].Position() = orig + (logical - orig).RotatedAbout(axis, angle) - at;
  }
  // Normals turn with the surface they describe.
  for (unsigned int i = 0; normals != nullptr && i < vertexCount; ++i) {
    normals[i] = normals[i].RotatedAbout(axis, angle);
  }
  LocationChanged();
  UpdateBoundingVolume();
}

void DisplayObject::Scale(float x, float y, float z, Vertex* anchor, int anchorMode) {
  Vector a;
  if (anchor != nullptr) {
    a = anchor->Position();
  } else {
    float x0, y0, z0, x1, y1, z1;
    GetExtents(x0, y0, z0, x1, y1, z1);
    switch (anchorMode) {
      case 2: a = Vector(x0, y1, z0); break;
      case 3: a = Vector(x0, y0, z0); break;
      case 4: a = Vector(x1, y0, z0); break;
      case 5: a = Vector(x0 + (x1 - x0) * 0.5f, y0 + (y1 - y0) * 0.5f, z0 + (z1 - z0) * 0.5f); break;
      case 6: a = location.Position(); break;
      default: a = Vector(x1, y1, z0); break;
    }
  }
  location.x = a.x + (location.x - a.x) * x;
  location.y = a.y + (location.y - a.y) * y;
  location.z = a.z + (location.z - a.z) * z;
  // Relative to the moved location, a vertex scaled about the anchor is simply scaled.
  for (unsigned int i = 0; vertices != nullptr && i < vertexCount; ++i) {
    vertices[i].x *= x;
    vertices[i].y *= y;
    vertices[i].z *= z;
  }
  rotationPoint.x *= x;
  rotationPoint.y *= y;
  rotationPoint.z *= z;
  LocationChanged();
  UpdateBoundingVolume();
}

bool DisplayObject::GetPlanePoints(Vertex& a, Vertex& b, Vertex& c, Vector& normal) {
  if (vertexCount < 3 || vertices == nullptr) return false;
  a = WorldVertex(0);
  unsigned int i = 1;
  for (; i < vertexCount; ++i) {
    if (vertices[i].Position() != vertices[0].Position()) break;
  }
  if (i >= vertexCount) return false;
  b = WorldVertex(i);
  unsigned int j = i + 1;
  for (; j < vertexCount; ++j) {
    const Vector& p = vertices[j].Position();
    if (p != vertices[0].Position() && p != vertices[i].Position()) break;
  }
  if (j >= vertexCount) return false;
  c = WorldVertex(j);
  normal = (a.Cross(b) + b.Cross(c) + c.Cross(a)).Normalised();
  return std::fabs(normal.x) >= 0.001f || std::fabs(normal.y) >= 0.001f || std::fabs(normal.z) >= 0.001f;
}

}  // namespace orvan
