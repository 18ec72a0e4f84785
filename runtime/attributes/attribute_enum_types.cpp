#include "orvan/attribute_enum_types.h"

#include <iterator>
#include <string>

namespace orvan {

namespace {

struct FixedName {
  const char* name;
  int value;
};

const FixedName kJustifyNames[] = {{"LEFT", LEFT}, {"CENTER", CENTER}, {"RIGHT", RIGHT}};
const FixedName kAlignNames[] = {{"ALIGN_CENTER", ALIGN_CENTER}, {"ALIGN_TOP", ALIGN_TOP}, {"ALIGN_BOTTOM", ALIGN_BOTTOM}};

template <typename T>
struct FixedNames;
template <>
struct FixedNames<Justify_t> {
  static const FixedName* Begin() { return std::begin(kJustifyNames); }
  static const FixedName* End() { return std::end(kJustifyNames); }
};
template <>
struct FixedNames<Align_t> {
  static const FixedName* Begin() { return std::begin(kAlignNames); }
  static const FixedName* End() { return std::end(kAlignNames); }
};

}  // namespace

template <typename T>
void FixedNameTextForm<T>::Write(std::ostream& os, const T& v) {
  for (const FixedName* entry = FixedNames<T>::Begin(); entry != FixedNames<T>::End(); ++entry) {
    if (entry->value == static_cast<int>(v)) {
      os << entry->name;
      return;
    }
  }
}

template <typename T>
void FixedNameTextForm<T>::Read(std::istream& is, T& v) {
  std::string word;
  if (!ReadWord(is, word)) return;
  for (const FixedName* entry = FixedNames<T>::Begin(); entry != FixedNames<T>::End(); ++entry) {
    if (word == entry->name) {
      v = static_cast<T>(entry->value);
      return;
    }
  }
}

template struct FixedNameTextForm<Justify_t>;
template struct FixedNameTextForm<Align_t>;

}  // namespace orvan
