// Attributes and resources of the drawing classes: the dictionary's life, attribute creation and
// the resource text. Everything here waits for the attribute system; until it exists objects
// have no dictionary and publish nothing.
#include <ostream>

#include "orvan/display_object.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"

namespace orvan {

void DisplayObject::CreateAttributes() { attributes = nullptr; }

void DisplayObject::FreeAttributes() { attributes = nullptr; }

void DisplayObject::RegisterAttributes(unsigned int /*groups*/) {
  if (attributesRegistered) return;
  attributesRegistered = true;
}

OrvanAttributeBase* DisplayObject::Resource(const char* /*name*/) { return nullptr; }

void DisplayObject::GetResources(std::ostream& /*out*/, VesResourceFilter* /*filter*/) {}

void Group::RegisterAttributes(unsigned int groups) { DisplayObject::RegisterAttributes(groups); }

void Group::GetResources(std::ostream& /*out*/, VesResourceFilter* /*filter*/) {}

void GLPolygon::RegisterAttributes(unsigned int groups) { DisplayObject::RegisterAttributes(groups); }

}  // namespace orvan
