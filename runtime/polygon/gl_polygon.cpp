#include "orvan/gl_polygon.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "orvan/display_frame.h"
#include "orvan/draw_state_run.h"
#include "orvan/group.h"
#include "orvan/image.h"
#include "orvan/material_list.h"
#include "orvan/object_resources.h"

namespace orvan {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Three points whose edges are parallel give no plane.
bool Collinear(const Vector& e1, const Vector& e2) {
  const double angle = e1.AngleBetween(e2);
  return std::fabs(angle - kPi) < 0.0001 || angle < 0.0001;
}

}  // namespace

GLPolygon::GLPolygon() : DisplayObject() { RegisterAttributes(kAttributesAll); }

GLPolygon::GLPolygon(unsigned int n, const Vertex* worldVertices) : DisplayObject() {
  RegisterAttributes(kAttributesAll);
  if (n == 0 || worldVertices == nullptr) return;
  location = worldVertices[0];
  vertices = new Vertex[n];
  vertexCount = n;
  for (unsigned int i = 0; i < n; ++i) {
    const Vertex& w = worldVertices[i];
    vertices[i] = Vertex(w.x - location.x, w.y - location.y, w.z - location.z, w.color);
  }
  GenerateInstanceName();
  UpdateBoundingVolume();
}

GLPolygon::~GLPolygon() {}

DisplayObject* GLPolygon::CloneObject(bool generateNames) {
  GLPolygon* clone = new GLPolygon();
  clone->CopyGeometry(this);
  clone->CopyHierarchyProperties(this, !generateNames);
  clone->CopyProperties(this);
  if (generateNames) clone->GenerateInstanceName();
  return clone;
}

void GLPolygon::CalculateTexCoordinates() {
  if (vertexCount == 0 || vertices == nullptr) return;
  // The texture frame is this object's own, or its group's when it has no texture of its own.
  DisplayObject* frame = this;
  if (textureIndex < 0) {
    if (parentGroup == nullptr || parentGroup->TextureIndex() < 0) return;
    frame = parentGroup;
  }
  const Vector* points = frame->GetTexturePoints();
  const Vector at = frame->Location().Position();
  const Vector a = points[0] + at, b = points[1] + at, c = points[2] + at;
  const Vector d1 = a - b, d2 = c - b, n = d1.Cross(d2);
  const Vector origin = b - location.Position();

  if (textureCoordinateCount != vertexCount || textureCoordinates == nullptr) {
    delete[] textureCoordinates;
    textureCoordinates = new Vector[vertexCount];
    textureCoordinateCount = vertexCount;
  }
  // (s, t, r) with v − O = s·d1 + t·d2 + r·n: point 1 maps to (0,0), point 0 to (1,0), point 2
  // to (0,1). Collinear points leave the inverse's partial (finite) result.
  const VesMatrix<double, 4> inverse = VesMatrix<double, 4>::FromColumns(d1, d2, n).Inverse();
  for (unsigned int i = 0; i < vertexCount; ++i) {
    textureCoordinates[i] = inverse.TransformDirection(vertices[i].Position() - origin);
  }
}

void GLPolygon::CalculateNormals(int direction) {
  const unsigned int count = vertexCount;
  if (count == 0 || vertices == nullptr) return;
  // The polygon's overall facing (Newell's method): at a reflex corner of a concave polygon the
  // two edges turn the other way, and that corner's normal is turned back to agree with it.
  Vector facing;
  for (unsigned int i = 0; i < count; ++i) {
    const Vector& p = vertices[i];
    const Vector& q = vertices[(i + 1) % count];
    facing += Vector((p.y - q.y) * (p.z + q.z), (p.z - q.z) * (p.x + q.x), (p.x - q.x) * (p.y + q.y));
  }
  std::vector<Vector> result(count);
  for (unsigned int i = 0; i < count; ++i) {
    const Vector& v = vertices[i];
    const Vector e1 = vertices[(i + 1) % count].Position() - v;
    // From the previous vertex backwards until the three points are not collinear.
    unsigned int j = (i + count - 1) % count;
    Vector e2 = vertices[j].Position() - v;
    while (Collinear(e1, e2)) {
      j = (j + count - 1) % count;
      if (j == i) break;
      e2 = vertices[j].Position() - v;
    }
    Vector normal = e1.Cross(e2);
    normal.Normalise();
    if (normal.Dot(facing) < 0.0f) normal = -normal;
    if (direction < 0) normal = -normal;
    result[i] = normal;
  }
  SetNormals(count, result.data());
}

void GLPolygon::Draw() { DrawShape(); }

void GLPolygon::DrawShape(void (*inside)(GLPolygon&)) {
  if (!visible || culled || vertexCount == 0 || vertices == nullptr) return;
  if (blinking && BlinkedOff()) return;
  const bool inRun = DrawStateRun::Enter();

  SetupCullFace();
  const bool smoothed = SetupAntiAlias();
  SetupDepthTest();
  SetupShading();
  const bool alphaChanged = SetupAlpha();
  SetupLighting();
  const bool pushed = PushTransform();
  glTranslatef(location.x, location.y, location.z);
  if (polygonOffset != 0) glPolygonOffset(1.0f, static_cast<GLfloat>(polygonOffset));

  const bool textured = SetupTexture();
  SetupTextureEnvironment(-1);
  // A textured polygon is always filled.
  if (polygonMode == 3 || polygonMode == 4 || textured) DrawFill(textured);
  RestoreLighting();
  if (polygonMode == 2 || polygonMode == 4) {
    DrawOutline();
  } else if (polygonMode == 1) {
    DrawPoints();
  }
  if (inside != nullptr) inside(*this);

  if (pushed) {
    glPopMatrix();
  } else {
    glTranslatef(-location.x, -location.y, -location.z);
  }
  if (alphaChanged) RestoreAlpha();
  if (smoothed) RestoreAntiAlias();
  if (polygonOffset != 0) glPolygonOffset(1.0f, 0.0f);
  DrawStateRun::UndoDepthAndCulling(inRun, depthTest, cullBackFace != 0);
  DrawStateRun::Leave();
}

void GLPolygon::DrawFill(bool textured) {
  const bool lit = lightingEnabled;
  // Coordinates address the picture; an image whose texture is larger than its picture covers
  // only part of it.
  float scaleS = 1.0f, scaleT = 1.0f;
  if (Image* image = textured ? TextureImage() : nullptr) {
    scaleS = image->TexCoordScaleX();
    scaleT = image->TexCoordScaleY();
  }
  const bool scaled = scaleS != 1.0f || scaleT != 1.0f;
  auto texCoord = [&](unsigned int i) {
    if (scaled) {
      glTexCoord2f(textureCoordinates[i].x * scaleS, textureCoordinates[i].y * scaleT);
    } else {
      glTexCoord2fv(&textureCoordinates[i].x);
    }
  };
  if (lit && parent != nullptr && parent->Materials() != nullptr && materialIndex >= 0)
    parent->Materials()->At(static_cast<unsigned int>(materialIndex)).Apply(GL_FRONT_AND_BACK);
  glBegin(GL_POLYGON);
  if (shading != 1) {
    // Flat: vertex 0's colour (and normal) for the whole fill.
    if (lit) {
      if (normals != nullptr) glNormal3fv(&normals[0].x);
      if (colorMaterialMode != 0) glColor4ubv(vertices[0].color.Bytes());
    } else {
      glColor4ubv(vertices[0].color.Bytes());
    }
    for (unsigned int i = 0; i < vertexCount; ++i) {
      if (textured) texCoord(i);
      glVertex3fv(&vertices[i].x);
    }
  } else {
    for (unsigned int i = 0; i < vertexCount; ++i) {
      if (textured) texCoord(i);
      if (lit && normals != nullptr) {
        if (textured) {
          if (colorMaterialMode != 0) glColor4ubv(vertices[i].color.Bytes());
          glNormal3fv(&normals[i].x);
        } else {
          glNormal3fv(&normals[i].x);
          if (colorMaterialMode != 0) glColor4ubv(vertices[i].color.Bytes());
        }
      } else {
        glColor4ubv(vertices[i].color.Bytes());
      }
      glVertex3fv(&vertices[i].x);
    }
  }
  glEnd();
  DrawStateRun::Enable(GL_TEXTURE_2D, false);
}

void GLPolygon::DrawOutline() {
  const bool styled = SetupLineStyle();
  glColor4ubv(color.Bytes());
  glBegin(polygonEnd == 1 ? GL_LINE_LOOP : GL_LINE_STRIP);
  for (unsigned int i = 0; i < vertexCount; ++i) glVertex3fv(&vertices[i].x);
  glEnd();
  if (styled) RestoreLineStyle();
}

void GLPolygon::DrawPoints() {
  glColor4ubv(color.Bytes());
  glBegin(GL_POINTS);
  for (unsigned int i = 0; i < vertexCount; ++i) glVertex3fv(&vertices[i].x);
  glEnd();
}

}  // namespace orvan
