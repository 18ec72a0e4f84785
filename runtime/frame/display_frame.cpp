#include "orvan/display_frame.h"

#include <GL/gl.h>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_string.h"
#include "orvan/group.h"
#include "orvan/component_light_mgr.h"
#include "orvan/material_list.h"
#include "orvan/texture_palette.h"

namespace orvan {

namespace {

const MethodDescriptionRow kDisplayFrameMethods[] = {
    {"", "------ DisplayFrame ------", ""},
    {"Resource(", "OrvanAttributeBase &Resource(const char *name)",
     "Returns a reference to the specified resource.  Values can be streamed in and out of this reference."},
    {"GetResource(", "std::string GetResource(const char *name)", "Returns the value text of the named resource."},
    {"SetResource(", "void SetResource(const char *name,const char *value)", "Sets the named resource from text."},
    {"WriteResources(", "void WriteResources(const char *filename,VesResourceFilter *filter)",
     "Writes the resources of the frame and its objects to a file."},
    {"ReadResources(", "void ReadResources(const char *filename,VesResourceFilter *filter)",
     "Reads resources from a file."},
    {"ClearDragAndFocus(", "void ClearDragAndFocus()",
     "Clears any parents pointers to handled objects.  Call this before dynamically deleting an object."},
    {nullptr, nullptr, nullptr},
};

}  // namespace

DisplayFrame::DisplayFrame(int designWidth_, int designHeight_, bool createRoot)
    : frameAttributes(new OrvanAttribDict),
      valid(true),
      designWidth(designWidth_),
      designHeight(designHeight_),
      secondObject(nullptr),
      focusObject(nullptr),
      lastPickDepth(0.5f),
      materials(new MaterialList),
      lightManager(new ComponentLightMgr),
      clearMask(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT),
      texturePalette(new TexturePalette),
      reserved(nullptr),
      root(nullptr) {
  frameAttributes->Add(new OrvanAttributeString(nullptr, AttributeName("ComponentHeaderFile"), ""));
  if (createRoot) {
    root = new Group;
    root->InstanceName("HierarchyRoot");
    root->Parent(this);
  }
}

DisplayFrame::~DisplayFrame() {
  if (root != nullptr) {
    root->DeleteAllChildren();
    delete root;
  }
  delete lightManager;
  delete texturePalette;
  delete frameAttributes;
  delete materials;
}

DisplayObject* DisplayFrame::SecondObject() { return secondObject; }

void DisplayFrame::SecondObject(DisplayObject* object) { secondObject = object; }

MethodDescriptionList* DisplayFrame::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kDisplayFrameMethods);
  return list;
}

void DisplayFrame::ReleaseMethodDescriptions(MethodDescriptionList* list) { delete list; }

void DisplayFrame::NotifyOuterFrame() {}

void DisplayFrame::ClearDragAndFocus() {
  focusObject = nullptr;
  secondObject = nullptr;
}

}  // namespace orvan
