#include "orvan/group.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "orvan/error_report.h"
#include "orvan/object_resources.h"

namespace orvan {

namespace {

const MethodDescriptionRow kGroupMethods[] = {
    {"", "------ Group ------", ""},
    {"FindByName(", "DisplayObject *FindByName(const char *name)",
     "Recursively finds a pointer to the display object in the group, using the passed in name as a key"},
    {"FindByQualifiedName(", "DisplayObject *FindByQualifiedName(const char *name)",
     "Finds a pointer to the DisplayObject in the group using a qualified instance name."},
    {"Position(", "int Position(DisplayObject *obj)",
     "Returns the index of the object in the group or -1 if it isn't in the group."},
    {"PushObject(", "void PushObject(DisplayObject *obj)",
     "Inserts the object into the group at the beginning of the group."},
    {"SetGroupLocation(", "void SetGroupLocation(const Vertex &v)",
     "Moves the group.  Does not recalculate the position of children."},
    {"PerformGroupCullCheck(", "void PerformGroupCullCheck(bool val)",
     "Sets whether or not this group should be considered for culling."},
    {"CullTestChildren(", "void CullTestChildren(bool val)",
     "Sets whether or not this group's children should be considered for culling."},
    {nullptr, nullptr, nullptr},
};

}  // namespace

Group::Group(bool generateName) : DisplayObject(), performGroupCullCheck(false), cullTestChildren(true) {
  // The eight corners of the box around the children.
  vertices = new Vertex[8];
  vertexCount = 8;
  if (generateName) GenerateInstanceName();
  // Groups are always visited by their parent's pre-draw.
  preDrawNeeded = true;
  RegisterAttributes(kAttributesAll);
}

// Children are not owned through the list: DeleteAllChildren deletes them.
Group::~Group() {}

// --- Render state passed to the children -------------------------------------------------------

#define ORVAN_GROUP_PROPAGATE(Setter, Type)                                  \
  void Group::Setter(Type value) {                                           \
    for (unsigned int i = 0; i < objects.Count(); ++i) {                     \
      if (objects.data[i] != nullptr) objects.data[i]->Setter(value);        \
    }                                                                        \
  }

#define ORVAN_GROUP_FIRST_CHILD(Getter, Type, field)                         \
  Type Group::Getter() {                                                     \
    DisplayObject* first = First();                                          \
    return first != nullptr ? first->Getter() : static_cast<Type>(field);    \
  }

ORVAN_GROUP_PROPAGATE(AlphaMode, int)
ORVAN_GROUP_FIRST_CHILD(AlphaMode, int, alphaMode)
ORVAN_GROUP_PROPAGATE(AntiAlias, bool)
ORVAN_GROUP_FIRST_CHILD(AntiAlias, bool, antiAlias)
ORVAN_GROUP_PROPAGATE(SetBlendColor, const vesColor&)
ORVAN_GROUP_PROPAGATE(SetColor, const vesColor&)
ORVAN_GROUP_PROPAGATE(CullBackFace, int)
ORVAN_GROUP_FIRST_CHILD(CullBackFace, int, cullBackFace)
ORVAN_GROUP_PROPAGATE(DepthTest, int)
ORVAN_GROUP_FIRST_CHILD(DepthTest, int, depthTest)
ORVAN_GROUP_PROPAGATE(SetFillColor, const vesColor&)
ORVAN_GROUP_PROPAGATE(LightingEnabled, bool)
ORVAN_GROUP_FIRST_CHILD(LightingEnabled, bool, lightingEnabled)
ORVAN_GROUP_PROPAGATE(LineStippleMultiplier, int)
ORVAN_GROUP_FIRST_CHILD(LineStippleMultiplier, int, lineStippleMultiplier)
ORVAN_GROUP_PROPAGATE(LineStipplePattern, int)
ORVAN_GROUP_FIRST_CHILD(LineStipplePattern, int, lineStipplePattern)
ORVAN_GROUP_PROPAGATE(LineWidth, float)
ORVAN_GROUP_FIRST_CHILD(LineWidth, float, lineWidth)
ORVAN_GROUP_PROPAGATE(PolygonEnd, int)
ORVAN_GROUP_FIRST_CHILD(PolygonEnd, int, polygonEnd)
ORVAN_GROUP_PROPAGATE(PolygonMode, int)
ORVAN_GROUP_FIRST_CHILD(PolygonMode, int, polygonMode)
ORVAN_GROUP_PROPAGATE(Shading, int)
ORVAN_GROUP_FIRST_CHILD(Shading, int, shading)
ORVAN_GROUP_PROPAGATE(ColorMaterialMode, int)
ORVAN_GROUP_FIRST_CHILD(ColorMaterialMode, int, colorMaterialMode)
ORVAN_GROUP_PROPAGATE(TextureRepeat, int)
ORVAN_GROUP_FIRST_CHILD(TextureRepeat, int, textureRepeat)
ORVAN_GROUP_PROPAGATE(TextureMappingTechnique, int)
ORVAN_GROUP_FIRST_CHILD(TextureMappingTechnique, int, textureMap)
ORVAN_GROUP_PROPAGATE(TextureMagnificationFilter, int)
ORVAN_GROUP_FIRST_CHILD(TextureMagnificationFilter, int, textureMagFilter)
ORVAN_GROUP_PROPAGATE(TextureMinificationFilter, int)
ORVAN_GROUP_FIRST_CHILD(TextureMinificationFilter, int, textureMinFilter)

#undef ORVAN_GROUP_PROPAGATE
#undef ORVAN_GROUP_FIRST_CHILD

vesColor Group::GetBlendColor() {
  DisplayObject* first = First();
  return first != nullptr ? first->GetBlendColor() : blendColor;
}

vesColor Group::GetColor() {
  DisplayObject* first = First();
  return first != nullptr ? first->GetColor() : color;
}

vesColor Group::GetFillColor() {
  DisplayObject* first = First();
  return first != nullptr ? first->GetFillColor() : DisplayObject::GetFillColor();
}

// --- Applied to the group and every child ------------------------------------------------------

void Group::Parent(DisplayFrame* frame) {
  DisplayObject::Parent(frame);
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->Parent(frame);
  }
}

void Group::CalculateTexCoordinates() {
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->CalculateTexCoordinates();
  }
}

void Group::Translate(float x, float y, float z) {
  DisplayObject::Translate(x, y, z);
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->Translate(x, y, z);
  }
}

void Group::Translate(const float v[3]) { Translate(v[0], v[1], v[2]); }

void Group::TranslateVertices(float x, float y, float z) {
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->TranslateVertices(x, y, z);
  }
  DisplayObject::TranslateVertices(x, y, z);
}

void Group::TranslateVertices(const float v[3]) { TranslateVertices(v[0], v[1], v[2]); }

void Group::Rotate(const Vector& orig, float angle, const Vector& axis) {
  if (angle == 0.0f) return;
  DisplayObject::Rotate(orig, angle, axis);
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->Rotate(orig, angle, axis);
  }
  RecalculateBoundingBox();
}

// Moving a group carries its children along.
void Group::Location(const Vertex& v) {
  const float dx = v.x - location.x, dy = v.y - location.y, dz = v.z - location.z;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->Translate(dx, dy, dz);
  }
  DisplayObject::Location(v);
}

void Group::Location(float x, float y, float z) { Group::Location(Vertex(x, y, z, location.color)); }

void Group::SetGroupLocation(const Vertex& v) { DisplayObject::Location(v); }

void Group::DeleteVertex(unsigned int /*number*/) {}

void Group::InsertVertex(unsigned int /*number*/) {}

// --- Copying -----------------------------------------------------------------------------------

void Group::CopyGeometry(DisplayObject* src) {
  if (Group* source = dynamic_cast<Group*>(src)) {
    const unsigned int n = std::min(objects.Count(), source->objects.Count());
    for (unsigned int i = 0; i < n; ++i) {
      if (objects.data[i] != nullptr) objects.data[i]->CopyGeometry(source->objects.data[i]);
    }
  }
  DisplayObject::CopyGeometry(src);
}

void Group::CopyProperties(DisplayObject* src) {
  if (Group* source = dynamic_cast<Group*>(src)) {
    const unsigned int n = std::min(objects.Count(), source->objects.Count());
    for (unsigned int i = 0; i < n; ++i) {
      if (objects.data[i] != nullptr) objects.data[i]->CopyProperties(source->objects.data[i]);
    }
    performGroupCullCheck = source->performGroupCullCheck;
    cullTestChildren = source->cullTestChildren;
  }
  DisplayObject::CopyProperties(src);
}

DisplayObject* Group::CloneObject(bool generateNames) {
  Group* clone = new Group(false);
  clone->CopyGeometry(this);
  clone->CopyProperties(this);
  clone->CopyHierarchyProperties(this, !generateNames);
  if (generateNames) clone->GenerateInstanceName();
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] == nullptr) continue;
    DisplayObject* child = objects.data[i]->CloneObject(generateNames);
    if (child != nullptr) clone->InsertObject(child, true, false);
  }
  clone->RecalculateBoundingBox();
  return clone;
}

MethodDescriptionList* Group::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kGroupMethods);
  return DisplayObject::GetMethodDescriptions(list);
}

// --- Children ----------------------------------------------------------------------------------

void Group::InsertObject(DisplayObject* obj, bool reparent, bool recalculateBoundingbox, int loc) {
  ORVAN_ASSERT(this != obj);
  if (obj == nullptr) return;
  if (reparent) obj->ParentGroup(this);
  objects.InsertAt(obj, loc >= 0 ? static_cast<unsigned int>(loc) : objects.Count());
  if (recalculateBoundingbox) RecalculateBoundingBox();
}

bool Group::DeleteObject(DisplayObject* obj) {
  ORVAN_ASSERT(this != obj);
  const int index = Position(obj);
  if (index >= 0) {
    objects.RemoveAt(static_cast<unsigned int>(index));
    RecalculateBoundingBox();
    return true;
  }
  bool removed = false;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    Group* child = dynamic_cast<Group*>(objects.data[i]);
    if (child != nullptr && child->DeleteObject(obj)) removed = true;
  }
  RecalculateBoundingBox();
  return removed;
}

void Group::PushObject(DisplayObject* obj) {
  ORVAN_ASSERT(this != obj);
  if (obj == nullptr) return;
  objects.InsertAt(obj, 0);
  obj->ParentGroup(this);
  RecalculateBoundingBox();
}

void Group::DeleteAllChildren() {
  for (unsigned int i = objects.Count(); i-- > 0;) {
    DisplayObject* child = objects.data[i];
    if (Group* group = dynamic_cast<Group*>(child)) group->DeleteAllChildren();
    objects.RemoveAt(i);
    delete child;
  }
}

int Group::Position(DisplayObject* obj) const {
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] == obj) return static_cast<int>(i);
  }
  return -1;
}

DisplayObject* Group::FindNonRecursive(DisplayObject* obj) const { return Position(obj) >= 0 ? obj : nullptr; }

// --- Finding by name ---------------------------------------------------------------------------

DisplayObject* Group::FindByName(const char* name) {
  if (name == nullptr || name[0] == '\0') return nullptr;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    DisplayObject* child = objects.data[i];
    if (child == nullptr) continue;
    if (std::strcmp(child->InstanceName(), name) == 0) return child;
    if (Group* group = dynamic_cast<Group*>(child)) {
      if (DisplayObject* found = group->FindByName(name)) return found;
    }
  }
  return nullptr;
}

// A component is the frame of its own subtree, so a child group whose frame differs from this
// group's is a component (or lies in one) and is not searched.
DisplayObject* Group::FindByNameSameFrame(const char* name) {
  if (name == nullptr || name[0] == '\0') return nullptr;
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    DisplayObject* child = objects.data[i];
    if (child == nullptr) continue;
    if (std::strcmp(child->InstanceName(), name) == 0) return child;
    Group* group = dynamic_cast<Group*>(child);
    if (group != nullptr && group->Parent() == Parent()) {
      if (DisplayObject* found = group->FindByNameSameFrame(name)) return found;
    }
  }
  return nullptr;
}

DisplayObject* Group::FindByQualifiedName(const char* name) {
  if (name == nullptr) return nullptr;
  const std::string path(name);
  Group* scope = this;
  size_t start = 0;
  for (;;) {
    const size_t dot = path.find('.', start);
    const std::string part = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    // An empty part (leading, doubled or trailing '.') names nothing.
    if (part.empty()) return nullptr;
    DisplayObject* found = scope->FindByName(part.c_str());
    if (found == nullptr || dot == std::string::npos) return found;
    scope = dynamic_cast<Group*>(found);
    if (scope == nullptr) return nullptr;
    start = dot + 1;
  }
}

}  // namespace orvan
