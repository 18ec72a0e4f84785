#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "orvan/attrib_dict.h"

namespace orvan {

class DisplayObject;
class Group;
class OrvanAttributeBase;
class VesResourceFilter;

// The bits of RegisterAttributes(groups): which of its attributes an object publishes.
// Subclasses use 0x10 and up for rows of their own.
enum AttributeGroup : unsigned int {
  kAttributesIdentity = 0x1,   // "Name", "Location", "Visible", "Pickable" (groups: the cull flags)
  kAttributesTransform = 0x2,  // rotation point, dynamic rotation, translation, scale, DCS matrix
  kAttributesRendering = 0x4,  // line, colour, texture, polygon and lighting state
  kAttributesGeometry = 0x8,   // vertices, texture points, texture coordinates, normals
  kAttributesAll = 0xFFFFFFFFu,
};

// Registration runs more than once on one object: the constructor of each class registers,
// and generated code may register again. DisplayObject registers its rows on the first call
// only; a subclass calls its base and then adds each of its own rows through this, so that no
// row is ever added twice and a subclass constructed after its base still gets its rows.
template <typename Make>
void AddAttributeOnce(OrvanAttribDict* dict, const AttributeName& name, Make make) {
  if (dict != nullptr && dict->Get(name) == nullptr) dict->Add(make());
}

// The component that encloses node, for the dotted prefix of its resource lines: for an
// ordinary object the component whose frame it belongs to, for a component the one containing
// it; null when there is none.
using EnclosingComponentLookup = const DisplayObject* (*)(const DisplayObject* node);

// Only the component code knows which frames are components, so it installs the lookup; until
// it does, no object is enclosed by anything and prefixes hold the object's own name only.
// Null restores that default.
void SetEnclosingComponentLookup(EnclosingComponentLookup lookup);
EnclosingComponentLookup GetEnclosingComponentLookup();

// The dotted prefix of object's resource lines under filter (null: full qualification).
std::string ObjectResourcePrefix(const DisplayObject* object, const VesResourceFilter* filter);

// One line per attribute of dict, in insertion order: the prefix and "." (when the prefix is
// not empty), the name, then ": " and the value unless the filter asks for names only.
// Attributes the filter does not accept are left out, and so are attributes without a value
// (unless names only): a "Name: " line with nothing after it would make the reader take the
// next line as the value. A null filter writes every attribute that has a value.
void WriteAttributeLines(std::ostream& os, const OrvanAttribDict* dict, const std::string& prefix,
                         const VesResourceFilter* filter);

// Finds the attribute a resource line names; unknown names give the shared empty attribute.
using ResourceResolver = std::function<OrvanAttributeBase&(const std::string& name)>;

// Reads resource lines ("name: value") up to the end of the input or a "}", handing each value
// to the attribute resolve(name) gives. Names are what stands before ":" with carriage returns,
// line feeds and spaces ending any earlier word. A value that does not parse is dropped and
// reading goes on after it, so one bad value never loses the lines that follow. Returns the
// number of values handed to attributes other than the empty one.
int ReadResourceText(std::istream& is, const ResourceResolver& resolve);

// The attribute a dotted name reaches in the tree below root: the part before the first "."
// names an object (root itself, or one found by FindByName below it) and the rest is looked
// up with that object's Resource. A name without "." is looked up in root's own attributes.
OrvanAttributeBase& TreeResource(Group& root, const std::string& name);

}  // namespace orvan
