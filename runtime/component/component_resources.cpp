#include <cstring>
#include <ostream>
#include <string>

#include "orvan/attrib_dict.h"
#include "orvan/component_base.h"
#include "orvan/object_resources.h"
#include "orvan/resource_filter.h"

namespace orvan {

OrvanAttributeBase* ComponentBase::Resource(const char* name) {
  OrvanAttributeBase* empty = &OrvanEmptyAttribute::Instance();
  if (name == nullptr || name[0] == '\0') return empty;
  OrvanAttributeBase* found = nullptr;
  if (const char* dot = std::strchr(name, '.')) {
    const std::string first(name, static_cast<std::size_t>(dot - name));
    DisplayObject* object = FindResourceObject(this, first.c_str());
    // A name written with full qualification from this component starts with its own name.
    if (object == nullptr && first == InstanceName()) object = this;
    if (object != nullptr) found = object->Resource(dot + 1);
  } else {
    AttributeName key;
    if (AttributeName::Existing(name, &key)) found = frameAttributes->Get(key);
    if (found == nullptr) found = DisplayObject::Resource(name);
  }
  return found != nullptr ? found : empty;
}

// The frame's lines, then the component's own as an object, then its members one level down.
void ComponentBase::GetResources(std::ostream& out, VesResourceFilter* filter) {
  VesResourceFilter child(filter);
  const int levelsDown = child.LevelsDown();
  const int qualification = child.QualificationLevels();
  child.LevelsDown(0);
  WriteAttributeLines(out, frameAttributes, ObjectResourcePrefix(this, &child), &child);
  child.Exclude("ObjectClass");
  child.Exclude("EmptyStaticImageList");
  DisplayObject::GetResources(out, &child);
  if (levelsDown != -1 && levelsDown <= 0) return;
  child.LevelsDown(levelsDown == -1 ? -1 : levelsDown - 1);
  child.QualificationLevels(qualification == -1 ? -1 : qualification + 1);
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->GetResources(out, &child);
  }
}

}  // namespace orvan
