#include "orvan/attribute_dictionary_attribute.h"

#include <istream>
#include <ostream>

#include "orvan/attrib_dict.h"

namespace orvan {

namespace {

void WriteIndent(std::ostream& os) {
  for (int i = 0; i < ResourceIndent; ++i) os.put(' ');
}

// Raises ResourceIndent for the nested lines and lowers it again, whatever happens.
class NestedIndent {
 public:
  NestedIndent() { ResourceIndent += 2; }
  ~NestedIndent() { ResourceIndent -= 2; }
  NestedIndent(const NestedIndent&) = delete;
  NestedIndent& operator=(const NestedIndent&) = delete;
};

}  // namespace

OrvanAttributeDictionaryAttribute::OrvanAttributeDictionaryAttribute(const AttributeName& name_,
                                                                     OrvanAttribDict* dict_)
    : OrvanAttributeBase(nullptr, name_, true), dict(dict_) {}

bool OrvanAttributeDictionaryAttribute::HasValue() const { return dict != nullptr; }

std::ostream& OrvanAttributeDictionaryAttribute::WriteValue(std::ostream& os) const {
  if (dict == nullptr) return os;
  os << '\n';
  WriteIndent(os);
  os << "{\n";
  {
    NestedIndent nested;
    dict->Write(os, false);
  }
  WriteIndent(os);
  os << "}\n";
  return os;
}

std::istream& OrvanAttributeDictionaryAttribute::ReadValue(std::istream& is) {
  bool opened = false;
  std::streambuf* source = is ? is.rdbuf() : nullptr;
  for (int i = 0; source != nullptr && i < kOpeningSearchLimit; ++i) {
    const int c = source->sbumpc();
    if (c == std::char_traits<char>::eof()) {
      is.setstate(std::ios::eofbit);
      break;
    }
    if (c == '{') {
      opened = true;
      break;
    }
  }
  // Without its "{" the block is not there: reading on would take the enclosing lines.
  if (opened && dict != nullptr) dict->Read(is);
  return is;
}

void OrvanAttributeDictionaryAttribute::Add(OrvanAttributeBase* attribute) {
  if (dict != nullptr) {
    dict->Add(attribute);
  } else {
    delete attribute;  // nobody else would own it
  }
}

}  // namespace orvan
