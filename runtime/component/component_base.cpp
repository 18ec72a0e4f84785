#include "orvan/component_base.h"

#include "orvan/attrib_dict.h"
#include "orvan/attribute_property.h"
#include "orvan/component_light_mgr.h"
#include "orvan/object_resources.h"
#include "orvan/static_image_list.h"
#include "orvan/value_specs.h"

namespace orvan {

namespace {

const MethodDescriptionRow kComponentBaseMethods[] = {
    {"", "------ ComponentBase ------", ""},
    {"FinishConstruction(", "void FinishConstruction()",
     "Gives the children this frame and moves the location to the corner of their box."},
    {"UseParentsLighting()", "bool UseParentsLighting()", "Returns UseParentsLighting state"},
    {"UseParentsLighting(", "void UseParentsLighting(bool val)", "Sets whether to use lights from parent"},
    {"ClearDragAndFocus(", "void ClearDragAndFocus()",
     "Clears any parents pointers to handled objects.  Call this before dynamically deleting an object."},
    {nullptr, nullptr, nullptr},
};

const DisplayObject* EnclosingComponentOf(const DisplayObject* object) { return EnclosingComponent(object); }

// Resource prefixes name enclosing components; only this code knows which frames are components.
// A component built before this runs (from another file's static initialiser) installs it too.
const bool enclosingLookupInstalled = (SetEnclosingComponentLookup(&EnclosingComponentOf), true);

}  // namespace

// The component is the root of its own tree, so the frame part starts without a root group.
ComponentBase::ComponentBase()
    : Group(false), DisplayFrame(1, 1, false), outerFrame(nullptr), absolutePlacement(false), componentMatrix() {
  root = this;
  if (!enclosingLookupInstalled) SetEnclosingComponentLookup(&EnclosingComponentOf);
  RegisterAttributes(kAttributesAll);
  // A component always has a transformation: its children draw relative to its location. It
  // keeps the whole view of its last pre-draw, so that input can be picked between frames.
  modelViewMatrix = new VesMatrix<double, 4>;
  projectionMatrix = new VesMatrix<double, 4>;
  viewport = new int[4]{0, 0, 0, 0};
  UpdateTransform();
}

// The tree goes here rather than in the frame's destructor, which runs once this object has
// stopped being a group.
ComponentBase::~ComponentBase() {
  DeleteAllChildren();
  root = nullptr;
}

// Group's constructor has registered the group rows already; these are added once, whenever
// this runs first with the bits that select them.
void ComponentBase::RegisterAttributes(unsigned int groups) {
  Group::RegisterAttributes(groups);
  using BoolProperty = OrvanAttributeProperty<ComponentBase, bool>;
  using Setter = void (ComponentBase::*)(bool);
  using Getter = bool (ComponentBase::*)();
  if (groups & kAttributesRendering) {
    const AttributeName name("UseParentsLighting");
    AddAttributeOnce(attributes, name, [&] {
      return new BoolProperty(name, this, nullptr, static_cast<Setter>(&ComponentBase::UseParentsLighting),
                              static_cast<Getter>(&ComponentBase::UseParentsLighting));
    });
  }
  const AttributeName name("EmptyStaticImageList");
  AddAttributeOnce(attributes, name, [&] {
    return new BoolProperty(name, this, nullptr, static_cast<Setter>(&ComponentBase::EmptyStaticImageList),
                            static_cast<Getter>(&ComponentBase::EmptyStaticImageList));
  });
}

MethodDescriptionList* ComponentBase::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kComponentBaseMethods);
  Group::GetMethodDescriptions(list);
  return DisplayFrame::GetMethodDescriptions(list);
}

void ComponentBase::ReleaseMethodDescriptions(MethodDescriptionList* list) { delete list; }

DisplayObject* ComponentBase::FinishClone(ComponentBase* copy, bool generateNames) {
  copy->RegisterAttributes(0x13);
  copy->AbsolutePlacement(AbsolutePlacement());
  copy->Initialize();
  copy->CopyProperties(this);
  copy->CopyHierarchyProperties(this, !generateNames);
  if (generateNames) copy->GenerateInstanceName();
  return copy;
}

MethodDescriptionList* ComponentBase::DescribeMethods(MethodDescriptionList* list, const MethodDescriptionRow* table) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(table);
  return ComponentBase::GetMethodDescriptions(list);
}

void ComponentBase::Parent(DisplayFrame* f) {
  // Its own frame is never the frame it sits in: that would make every walk outwards circular.
  if (f != static_cast<DisplayFrame*>(this)) outerFrame = f;
  Group::Parent(this);
}

void ComponentBase::SetValue(int property, va_list& args) {
  switch (property) {
    case spec::kAbsolutePlacement:
      absolutePlacement = va_arg(args, int) != 0;
      break;
    case spec::kComponentMatrix: {
      VesMatrix<double, 4> m;
      for (int i = 0; i < 16; ++i) m.data[i] = va_arg(args, double);
      ComponentMatrix(m);
      break;
    }
    default:
      Group::SetValue(property, args);
      break;
  }
}

void ComponentBase::ComponentMatrix(const VesMatrix<double, 4>& m) {
  componentMatrix = m;
  UpdateTransform();
}

void ComponentBase::UpdateTransform() {
  DisplayObject::UpdateTransform();
  VesMatrixAffine<double> local(componentMatrix);
  local.Translate(location.Position());
  *transformMatrix = *transformMatrix * local;
}

void ComponentBase::Location(float x, float y, float z) { ComponentBase::Location(Vertex(x, y, z, location.color)); }

// The same as writing the "Location" attribute: the transformation alone moves the children.
void ComponentBase::Location(const Vertex& v) { DisplayObject::Location(v); }

void ComponentBase::Initialize() {}

void ComponentBase::PostInitialize() {}

void ComponentBase::FinishConstruction() {
  Parent(static_cast<DisplayFrame*>(this));
  RecalculateBoundingBox();
  if (!absolutePlacement && vertices != nullptr && vertexCount > 0) {
    const Vector corner = location.Position() + vertices[0].Position();
    // Only the component's own box moves; the children stay where they are.
    const Vector offset = location.Position() - corner;
    DisplayObject::TranslateVertices(offset.x, offset.y, offset.z);
    DisplayObject::Location(Vertex(corner.x, corner.y, corner.z, location.color));
  }
  RecalculateBoundingBox();
}

bool ComponentBase::UseParentsLighting() { return lightManager->UseParentsLighting(); }

void ComponentBase::UseParentsLighting(bool on) { lightManager->UseParentsLighting(on); }

bool ComponentBase::EmptyStaticImageList() { return false; }

void ComponentBase::EmptyStaticImageList(bool on) {
  if (on) orvan::EmptyStaticImageList();
}

void ComponentBase::NotifyOuterFrame() {
  if (outerFrame != nullptr) outerFrame->NotifyOuterFrame();
}

ComponentBase* EnclosingComponent(const DisplayObject* object) {
  if (object == nullptr) return nullptr;
  if (const ComponentBase* component = dynamic_cast<const ComponentBase*>(object)) {
    return dynamic_cast<ComponentBase*>(component->OuterFrame());
  }
  return dynamic_cast<ComponentBase*>(object->Parent());
}


}  // namespace orvan
