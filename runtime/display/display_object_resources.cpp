// Resource text of display objects: looking attributes up by name, writing an object's lines,
// and reading lines back through a name resolver.
#include <atomic>
#include <istream>
#include <ostream>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_base.h"
#include "orvan/display_object.h"
#include "orvan/group.h"
#include "orvan/object_resources.h"
#include "orvan/resource_filter.h"

namespace orvan {

namespace {

std::atomic<EnclosingComponentLookup> enclosingComponentLookup{nullptr};

}  // namespace

void SetEnclosingComponentLookup(EnclosingComponentLookup lookup) { enclosingComponentLookup.store(lookup); }

EnclosingComponentLookup GetEnclosingComponentLookup() { return enclosingComponentLookup.load(); }

std::string ObjectResourcePrefix(const DisplayObject* object, const VesResourceFilter* filter) {
  const EnclosingComponentLookup lookup = enclosingComponentLookup.load();
  return QualifiedPrefix(
      object, filter, [](const DisplayObject* node) { return node->InstanceName(); },
      [lookup](const DisplayObject* node) { return lookup != nullptr ? lookup(node) : nullptr; });
}

void WriteAttributeLines(std::ostream& os, const OrvanAttribDict* dict, const std::string& prefix,
                         const VesResourceFilter* filter) {
  if (dict == nullptr) return;
  const bool namesOnly = filter != nullptr && filter->NamesOnly();
  for (std::size_t i = 0; i < dict->Count(); ++i) {
    const OrvanAttributeBase* attribute = dict->At(i);
    if (attribute == nullptr) continue;
    const std::string name = attribute->NameText();
    if (filter != nullptr && !filter->Accepts(name.c_str())) continue;
    if (!namesOnly && !attribute->HasValue()) continue;
    if (!prefix.empty()) os << prefix << '.';
    os << name;
    if (!namesOnly) {
      os << ": ";
      attribute->WriteValue(os);
    }
    os << '\n';
  }
}

int ReadResourceText(std::istream& is, const ResourceResolver& resolve) {
  int values = 0;
  std::string name;
  for (int c = is.get(); c != std::char_traits<char>::eof() && c != '}'; c = is.get()) {
    if (c == '\r' || c == '\n' || c == ' ') {
      name.clear();
      continue;
    }
    if (c != ':') {
      name.push_back(static_cast<char>(c));
      continue;
    }
    // The blank after ":" belongs to the line, not to the value.
    if (is.peek() == ' ') is.get();
    OrvanAttributeBase& attribute = resolve(name);
    name.clear();
    attribute.ReadValue(is);
    if (!IsEmptyAttribute(&attribute)) ++values;
    // A value that does not parse leaves the stream failed; without this every later line
    // would read nothing. What is left of the bad value is scanned like the value of an
    // unknown name.
    if (is.fail()) {
      if (is.eof()) break;
      is.clear();
    }
  }
  return values;
}

OrvanAttributeBase& TreeResource(Group& root, const std::string& name) {
  const std::size_t dot = name.find('.');
  if (dot == std::string::npos) return *root.Resource(name.c_str());
  const std::string head = name.substr(0, dot);
  DisplayObject* object = nullptr;
  if (!head.empty()) object = head == root.InstanceName() ? &root : root.FindByName(head.c_str());
  if (object == nullptr) return OrvanEmptyAttribute::Instance();
  return *object->Resource(name.c_str() + dot + 1);
}

// Never null: unknown, empty and null names give the shared empty attribute, which reads and
// writes nothing, so callers can always stream through the result.
OrvanAttributeBase* DisplayObject::Resource(const char* name) {
  OrvanAttributeBase* found = nullptr;
  AttributeName key;
  // Names from callers are looked up without interning them, so unknown names never grow the
  // process-wide name table.
  if (name != nullptr && name[0] != '\0' && attributes != nullptr && AttributeName::Existing(name, &key)) {
    found = attributes->Get(key);
  }
  return found != nullptr ? found : &OrvanEmptyAttribute::Instance();
}

void DisplayObject::GetResources(std::ostream& out, VesResourceFilter* filter) {
  WriteAttributeLines(out, attributes, ObjectResourcePrefix(this, filter), filter);
}

}  // namespace orvan
