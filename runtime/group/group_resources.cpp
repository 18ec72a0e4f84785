// A group's resource lines: its own, then those of its children, depth permitting.
#include <ostream>

#include "orvan/group.h"
#include "orvan/resource_filter.h"

namespace orvan {

void Group::GetResources(std::ostream& out, VesResourceFilter* filter) {
  // Every level works on its own copy, so the caller's filter never changes.
  VesResourceFilter child(filter);
  child.Exclude("ObjectClass");
  DisplayObject::GetResources(out, &child);
  const int levelsDown = child.LevelsDown();
  if (levelsDown != -1 && levelsDown <= 0) return;
  if (levelsDown != -1) child.LevelsDown(levelsDown - 1);
  for (unsigned int i = 0; i < objects.Count(); ++i) {
    if (objects.data[i] != nullptr) objects.data[i]->GetResources(out, &child);
  }
}

}  // namespace orvan
