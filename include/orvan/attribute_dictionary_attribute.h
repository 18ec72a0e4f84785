#pragma once

#include "orvan/attribute_base.h"

namespace orvan {

class OrvanAttribDict;

// A nested dictionary written as an indented block between "{" and "}" lines. The dictionary
// stays the caller's: destroying the attribute does not free it.
class OrvanAttributeDictionaryAttribute : public OrvanAttributeBase {
 public:
  // How far reading looks for the "{" that opens the block.
  static constexpr int kOpeningSearchLimit = 1024;

  OrvanAttributeDictionaryAttribute(const AttributeName& name, OrvanAttribDict* dict);
  ORVAN_ATTRIBUTE_ASSIGNMENT(OrvanAttributeDictionaryAttribute);

  bool HasValue() const override;
  std::ostream& WriteValue(std::ostream& os) const override;
  // Reads the block's lines into the nested dictionary; nothing when no "{" comes soon enough.
  std::istream& ReadValue(std::istream& is) override;
  /* 14 */ virtual void Add(OrvanAttributeBase* attribute);

  OrvanAttribDict* Dictionary() const { return dict; }

 private:
  OrvanAttribDict* dict;
};

}  // namespace orvan
