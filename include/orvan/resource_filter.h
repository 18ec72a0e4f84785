#pragma once

#include <string>
#include <vector>

#include "orvan/dynamic_array.h"

namespace orvan {

// Selects what a resource listing writes: how many names qualify each line, how deep below
// the starting level it goes, which attribute names it writes, and whether values are written.
// Every level of a listing works on its own copy, so the caller's filter never changes.
class VesResourceFilter {
 public:
  // The defaults: full qualification, no deeper levels, every name, values written.
  VesResourceFilter();
  // A copy of other (both name lists deep-copied in order), or the defaults for null.
  explicit VesResourceFilter(const VesResourceFilter* other);
  VesResourceFilter(const VesResourceFilter& other);
  VesResourceFilter& operator=(const VesResourceFilter& other);

  /* 1 */ virtual ~VesResourceFilter();
  // Whether an attribute of this name is written: it must be included (when the included list
  // is not empty) and must not be excluded. Names compare case-sensitively.
  /* 2 */ virtual bool Accepts(const char* name) const;

  // Names in the prefix of each line: -1 all, 0 none, 1 the object's own, n adds n - 1
  // enclosing components.
  int QualificationLevels() const { return qualificationLevels; }
  void QualificationLevels(int levels) { qualificationLevels = levels; }
  // Levels of objects written below the starting one: -1 all.
  int LevelsDown() const { return levelsDown; }
  void LevelsDown(int levels) { levelsDown = levels; }
  // Names only: no ": " and value, and names of attributes without a value too.
  bool NamesOnly() const { return namesOnly; }
  void NamesOnly(bool on) { namesOnly = on; }

  void Exclude(const char* name);
  void Include(const char* name);
  unsigned int ExcludedCount() const { return excluded.Count(); }
  unsigned int IncludedCount() const { return included.Count(); }
  // The name at index, or null at or beyond the count.
  const char* Excluded(unsigned int index) const;
  const char* Included(unsigned int index) const;

 private:
  void CopyFrom(const VesResourceFilter& other);
  void FreeNames();

  int qualificationLevels;
  int levelsDown;
  DynamicArray<char*> excluded;
  DynamicArray<char*> included;
  bool namesOnly;
};

// The dotted prefix of an object's resource lines under filter (null: full qualification):
// the object's own instance name, preceded by the names of up to QualificationLevels - 1
// enclosing components, innermost last. Components with an empty name add nothing; the walk
// stops at the outermost component or when the chain comes back to a component already seen.
//
// Node is whatever the caller's objects are; nameOf(node) gives a node's instance name (null
// counts as empty) and enclosingOf(node) the component that encloses it, or null.
template <typename Node, typename NameOf, typename EnclosingOf>
std::string QualifiedPrefix(const Node* object, const VesResourceFilter* filter, NameOf nameOf,
                            EnclosingOf enclosingOf) {
  const int levels = filter != nullptr ? filter->QualificationLevels() : -1;
  if (levels == 0 || object == nullptr) return std::string();
  const char* own = nameOf(object);
  std::string prefix = own != nullptr ? own : "";
  std::vector<const Node*> seen;
  seen.push_back(object);
  int components = 0;
  for (const Node* component = enclosingOf(object); component != nullptr; component = enclosingOf(component)) {
    if (levels != -1 && components >= levels - 1) break;
    bool repeated = false;
    for (const Node* earlier : seen) repeated = repeated || earlier == component;
    if (repeated) break;
    seen.push_back(component);
    ++components;
    const char* name = nameOf(component);
    if (name != nullptr && name[0] != '\0') prefix = std::string(name) + "." + prefix;
  }
  return prefix;
}

}  // namespace orvan
