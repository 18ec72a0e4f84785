#pragma once

#include "orvan/attrib_dict.h"
#include "orvan/attribute_dictionary_attribute.h"
#include "orvan/character_record.h"

namespace orvan {

class VesText;

// "CharAttribs": the character settings of one VesText as a nested block of "Baseline",
// "BGColor", "Color", "FauxBold", "Inverse", "Scale", "Spacing", "Strike" and "Underline".
// Writing shows the text's first record; reading starts from it and applies every field to all
// records of the text through its setters (with their range checks), marking the layout dirty.
class VesTextCharAttr : public OrvanAttributeDictionaryAttribute {
 public:
  VesTextCharAttr(const AttributeName& name, VesText* text);
  ~VesTextCharAttr() override;
  ORVAN_ATTRIBUTE_ASSIGNMENT(VesTextCharAttr);

  std::ostream& WriteValue(std::ostream& os) const override;
  std::istream& ReadValue(std::istream& is) override;

 private:
  VesText* text;
  // Mutable: writing refreshes it from the text first.
  mutable CharacterRecord record;
  OrvanAttribDict fields;
};

}  // namespace orvan
