#include "orvan/resource_filter.h"

#include <cstring>

namespace orvan {

namespace {

char* CopyOf(const char* text) {
  const char* source = text != nullptr ? text : "";
  const std::size_t length = std::strlen(source);
  char* copy = new char[length + 1];
  std::memcpy(copy, source, length + 1);
  return copy;
}

bool Listed(const DynamicArray<char*>& names, const char* name) {
  for (unsigned int i = 0; i < names.Count(); ++i) {
    if (names.data[i] != nullptr && std::strcmp(names.data[i], name) == 0) return true;
  }
  return false;
}

const char* At(const DynamicArray<char*>& names, unsigned int index) {
  return index < names.Count() ? names.data[index] : nullptr;
}

}  // namespace

VesResourceFilter::VesResourceFilter() : qualificationLevels(-1), levelsDown(0), namesOnly(false) {}

VesResourceFilter::VesResourceFilter(const VesResourceFilter* other) : VesResourceFilter() {
  if (other != nullptr) CopyFrom(*other);
}

VesResourceFilter::VesResourceFilter(const VesResourceFilter& other) : VesResourceFilter() { CopyFrom(other); }

VesResourceFilter& VesResourceFilter::operator=(const VesResourceFilter& other) {
  if (this != &other) {
    FreeNames();
    CopyFrom(other);
  }
  return *this;
}

VesResourceFilter::~VesResourceFilter() { FreeNames(); }

void VesResourceFilter::CopyFrom(const VesResourceFilter& other) {
  qualificationLevels = other.qualificationLevels;
  levelsDown = other.levelsDown;
  namesOnly = other.namesOnly;
  for (unsigned int i = 0; i < other.excluded.Count(); ++i) Exclude(other.excluded.data[i]);
  for (unsigned int i = 0; i < other.included.Count(); ++i) Include(other.included.data[i]);
}

void VesResourceFilter::FreeNames() {
  for (unsigned int i = 0; i < excluded.Count(); ++i) delete[] excluded.data[i];
  for (unsigned int i = 0; i < included.Count(); ++i) delete[] included.data[i];
  excluded.Resize(0);
  included.Resize(0);
}

bool VesResourceFilter::Accepts(const char* name) const {
  const char* text = name != nullptr ? name : "";
  if (included.Count() > 0 && !Listed(included, text)) return false;
  return !Listed(excluded, text);
}

void VesResourceFilter::Exclude(const char* name) { excluded.InsertAt(CopyOf(name), excluded.Count()); }

void VesResourceFilter::Include(const char* name) { included.InsertAt(CopyOf(name), included.Count()); }

const char* VesResourceFilter::Excluded(unsigned int index) const { return At(excluded, index); }

const char* VesResourceFilter::Included(unsigned int index) const { return At(included, index); }

}  // namespace orvan
