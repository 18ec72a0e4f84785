// A group's per-frame passes over its children, and the box it keeps around them.
#include <GL/gl.h>

#include <algorithm>
#include <cfloat>

#include "orvan/draw_state_run.h"
#include "orvan/group.h"

namespace orvan {

namespace {

// Undoes a group's drawing state even when a child's Draw throws: the host abandons such a
// frame and draws the next one, which must not start with a deeper matrix stack or a stale
// inherited texture.
class GroupDrawScope {
 public:
  GroupDrawScope(int textureIndex, int textureRepeat)
      : savedIndex(DisplayObject::InheritedTextureIndex()),
        savedRepeat(DisplayObject::InheritedTextureRepeat()),
        pushed(false) {
    DisplayObject::SetInheritedTexture(textureIndex, textureRepeat);
  }
  ~GroupDrawScope() {
    if (pushed) glPopMatrix();
    DisplayObject::SetInheritedTexture(savedIndex, savedRepeat);
  }
  GroupDrawScope(const GroupDrawScope&) = delete;
  GroupDrawScope& operator=(const GroupDrawScope&) = delete;

  int savedIndex;
  int savedRepeat;
  bool pushed;
};

}  // namespace

void Group::Calculate(double time) {
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->Calculate(time);
  }
}

void Group::PrepareGroupForDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) {
  CalculateMatrices(parentMatrices);
  if (performGroupCullCheck && culler.enabled) {
    const VesMatrix<double, 4>* mv = modelViewMatrix != nullptr ? modelViewMatrix : parentMatrices.modelView;
    culled = mv != nullptr && CullTest(*mv, culler);
  } else {
    culled = false;
  }
}

void Group::PreDraw(const ViewMatrices& parentMatrices, FrustumCuller& culler) {
  if (!visible) return;
  PrepareGroupForDraw(parentMatrices, culler);
  if (culled) return;

  // The children see this group's own matrices where it has them (a borrowed record: nothing
  // is allocated), the parent's otherwise.
  const bool ownMatrices = modelViewMatrix != nullptr || viewport != nullptr || projectionMatrix != nullptr;
  ViewMatrices own(viewport != nullptr ? viewport : parentMatrices.viewport,
                   projectionMatrix != nullptr ? projectionMatrix : parentMatrices.projection,
                   modelViewMatrix != nullptr ? modelViewMatrix : parentMatrices.modelView);
  const ViewMatrices& record = ownMatrices ? own : parentMatrices;

  const bool withholdCulling = culler.enabled && !cullTestChildren;
  if (withholdCulling) culler.enabled = false;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    DisplayObject* child = objects.data[i];
    if (child != nullptr && child->PreDrawNeeded()) child->PreDraw(record, culler);
  }
  if (withholdCulling) culler.enabled = true;
}

void Group::Draw() {
  if (DrawSkipped()) return;
  // A group with no texture of its own (-1) switches inheritance off for its subtree.
  GroupDrawScope scope(textureIndex, textureRepeat);
  scope.pushed = PushTransform();
  DrawStateRun::Loop children;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) children.Draw(*objects.data[i]);
  }
}

// --- The box around the children ---------------------------------------------------------------

void Group::RecalculateBoundingBox() {
  if (vertices == nullptr || vertexCount < 8) {
    delete[] vertices;
    vertices = new Vertex[8];
    ResizeNormals(vertexCount, 8);
    vertexCount = 8;
  }
  bool any = false;
  float x0 = 0, y0 = 0, z0 = 0, x1 = 0, y1 = 0, z1 = 0;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    DisplayObject* child = objects.data[i];
    if (child == nullptr) continue;
    float a, b, c, a2, b2, c2;
    child->GetExtents(a, b, c, a2, b2, c2);
    if (!any) {
      x0 = a, y0 = b, z0 = c, x1 = a2, y1 = b2, z1 = c2;
      any = true;
    } else {
      x0 = std::min(x0, a), y0 = std::min(y0, b), z0 = std::min(z0, c);
      x1 = std::max(x1, a2), y1 = std::max(y1, b2), z1 = std::max(z1, c2);
    }
  }
  if (!any) {
    for (unsigned int i = 0; i < 8; ++i) vertices[i].Position() = Vector();
    return;
  }
  const Vector corners[8] = {Vector(x0, y0, z0), Vector(x1, y0, z0), Vector(x1, y1, z0), Vector(x0, y1, z0),
                             Vector(x0, y0, z1), Vector(x1, y0, z1), Vector(x1, y1, z1), Vector(x0, y1, z1)};
  for (unsigned int i = 0; i < 8; ++i) vertices[i].Position() = corners[i] - location.Position();
  if (parentGroup != nullptr) parentGroup->RecalculateBoundingBox();
  UpdateBoundingVolume();
}

void Group::GetExtents(float& x, float& y, float& z, float& x2, float& y2, float& z2) {
  if (vertices == nullptr || vertexCount < 7) {
    DisplayObject::GetExtents(x, y, z, x2, y2, z2);
    return;
  }
  const Vertex& lo = vertices[0];
  const Vertex& hi = vertices[6];
  x = std::min(lo.x, hi.x) + location.x;
  y = std::min(lo.y, hi.y) + location.y;
  z = std::min(lo.z, hi.z) + location.z;
  x2 = std::max(lo.x, hi.x) + location.x;
  y2 = std::max(lo.y, hi.y) + location.y;
  z2 = std::max(lo.z, hi.z) + location.z;
}

void Group::GetTransformedExtents(Vector& min, Vector& max, const VesMatrix<double, 4>& m, bool resetMinMax) {
  if (resetMinMax) {
    min = Vector(FLT_MAX, FLT_MAX, FLT_MAX);
    max = Vector(-FLT_MAX, -FLT_MAX, -FLT_MAX);
  }
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->GetTransformedExtents(min, max, m, false);
  }
}

// --- Permanent scaling -------------------------------------------------------------------------

void Group::Scale(float x, float y, float z, Vertex* anchor, int anchorMode) {
  Vertex a;
  if (anchor != nullptr) {
    a = *anchor;
  } else {
    float x0, y0, z0, x1, y1, z1;
    GetExtents(x0, y0, z0, x1, y1, z1);
    switch (anchorMode) {
      case 2: a = Vertex(x0, y1, z0); break;
      case 3: a = Vertex(x0, y0, z0); break;
      case 4: a = Vertex(x1, y0, z0); break;
      case 6: a = Vertex(location.x, location.y, location.z); break;
      case 0:
      case 5: a = Vertex(x0 + (x1 - x0) * 0.5f, y0 + (y1 - y0) * 0.5f, z0 + (z1 - z0) * 0.5f); break;
      default: a = Vertex(x1, y1, z0); break;
    }
  }
  // The group and every child about the same point.
  DisplayObject::Scale(x, y, z, &a, anchorMode);
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->Scale(x, y, z, &a, anchorMode);
  }
  RecalculateBoundingBox();
}

void Group::Scale2D(float a, float b) {
  float x0, y0, z0, x1, y1, z1;
  GetExtents(x0, y0, z0, x1, y1, z1);
  Vertex centre(x0 + (x1 - x0) * 0.5f, y0 + (y1 - y0) * 0.5f, 0.0f);
  Scale(a, b, 1.0f, &centre, 0);
}

}  // namespace orvan
