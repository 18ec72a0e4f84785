#include "orvan/ves_text_char_attr.h"

#include "orvan/attribute.h"
#include "orvan/ves_text.h"

namespace orvan {

namespace {

struct CharAttrNames {
  AttributeName baseline{"Baseline"}, bgColor{"BGColor"}, color{"Color"}, fauxBold{"FauxBold"},
      inverse{"Inverse"}, scale{"Scale"}, spacing{"Spacing"}, strike{"Strike"}, underline{"Underline"};
};

const CharAttrNames& Names() {
  static const CharAttrNames names;
  return names;
}

}  // namespace

VesTextCharAttr::VesTextCharAttr(const AttributeName& name_, VesText* text_)
    : OrvanAttributeDictionaryAttribute(name_, &fields), text(text_) {
  const CharAttrNames& n = Names();
  fields.Add(new OrvanAttribute<float>(nullptr, n.baseline, &record.baseline));
  fields.Add(new OrvanAttribute<vesColor>(nullptr, n.bgColor, &record.background));
  fields.Add(new OrvanAttribute<vesColor>(nullptr, n.color, &record.text));
  fields.Add(new OrvanAttribute<bool>(nullptr, n.fauxBold, &record.fauxBold));
  fields.Add(new OrvanAttribute<bool>(nullptr, n.inverse, &record.inverse));
  fields.Add(new OrvanAttribute<float>(nullptr, n.scale, &record.scale));
  fields.Add(new OrvanAttribute<float>(nullptr, n.spacing, &record.spacing));
  fields.Add(new OrvanAttribute<bool>(nullptr, n.strike, &record.strikeThrough));
  fields.Add(new OrvanAttribute<bool>(nullptr, n.underline, &record.underline));
}

VesTextCharAttr::~VesTextCharAttr() {}

std::ostream& VesTextCharAttr::WriteValue(std::ostream& os) const {
  if (text != nullptr) record = text->CharacterRecords().empty() ? CharacterRecord() : text->CharacterRecords().front();
  return OrvanAttributeDictionaryAttribute::WriteValue(os);
}

std::istream& VesTextCharAttr::ReadValue(std::istream& is) {
  if (text == nullptr) return OrvanAttributeDictionaryAttribute::ReadValue(is);
  record = text->CharacterRecords().empty() ? CharacterRecord() : text->CharacterRecords().front();
  OrvanAttributeDictionaryAttribute::ReadValue(is);
  text->Baseline(record.baseline);
  text->BgColor(record.background);
  text->TextColor(record.text);
  text->FauxBold(record.fauxBold);
  text->Inverse(record.inverse);
  text->CharScaling(record.scale);
  text->CharSpacing(record.spacing);
  text->StrikeThru(record.strikeThrough);
  text->Underline(record.underline);
  text->MarkLayoutDirty();
  return is;
}

}  // namespace orvan
