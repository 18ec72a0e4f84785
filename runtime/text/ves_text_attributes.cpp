// What a text publishes: its attributes, in a fixed order, and its scriptable operations.
#include "orvan/attribute.h"
#include "orvan/attribute_property.h"
#include "orvan/attribute_string.h"
#include "orvan/callback_method_caller.h"
#include "orvan/object_resources.h"
#include "orvan/ves_text.h"
#include "orvan/ves_text_char_attr.h"

namespace orvan {

namespace {

struct TextAttributeNames {
  AttributeName border{"Border"}, constrainCellRatio{"ConstrainCellRatio"}, controlCellSize{"ControlCellSize"},
      cellHeight{"CellHeight"}, cellWidth{"CellWidth"}, halo{"Halo"}, haloColor{"HaloColor"}, justify{"Justify"},
      lineSpacing{"LineSpacing"}, lockCellSize{"LockCellSize"}, shadow{"Shadow"}, shadowColor{"ShadowColor"},
      shadowDistance{"ShadowDistance"}, text{"Text"}, uppercase{"Uppercase"}, wrapText{"WrapText"},
      baseline{"Baseline"}, bgColor{"BgColor"}, textColor{"TextColor"}, fauxBold{"FauxBold"}, inverse{"Inverse"},
      charSpacing{"CharSpacing"}, charScaling{"CharScaling"}, strikeThru{"StrikeThru"}, underline{"Underline"},
      charAttribs{"CharAttribs"};
};

const TextAttributeNames& Names() {
  static const TextAttributeNames names;
  return names;
}

const MethodDescriptionRow kVesTextMethods[] = {
    {"", "------ VesText ------", ""},
    {"Baseline(", "void Baseline(float baselineShift)",
     "Sets the baseline shift (-1.0 <= shift <= 1.0, a fraction of the cell height) for all characters."},
    {"BgColor(", "void BgColor(const vesColor& color)", "Sets the background color of the cells of all characters."},
    {"Border(", "void Border(float units)", "Sets the spacing between the border and the text in logical units."},
    {"Char(", "void Char(Char_t code)", "Sets the character code of all character records."},
    {"CharScaling(", "void CharScaling(float newScale)",
     "Sets the per character scale factor (0.0 < scale <= 1.0) for all characters."},
    {"CharSpacing(", "void CharSpacing(float horizontalSpacing)",
     "Sets the horizontal character spacing for all characters.  1.0 is the default spacing 2.0 would be twice the "
     "normal spacing."},
    {"TextColor(", "void TextColor(const vesColor& color)", "Sets the text color for all characters."},
    {"ControlCellSize(", "void ControlCellSize(bool stretch)",
     "When true the cell height and width set for this object are used, otherwise the font's cell size."},
    {"Erase()", "void Erase()", "Erases all characters."},
    {"FauxBold(", "void FauxBold(bool bold)", "Draws all characters in a simulated bold face."},
    {"Font()", "VesFontBase* Font()", "Returns the font used by this object."},
    {"Font(", "void Font(VesFontBase* font)", "Sets the font used by this object."},
    {"Halo(", "void Halo(bool halo)", "Turns the halo around the characters on or off."},
    {"Halo()", "bool Halo()", "Returns whether the characters are drawn with a halo."},
    {"HaloColor(", "void HaloColor(const vesColor& color)", "Sets the color of the halo."},
    {"HaloColor()", "const vesColor& HaloColor()", "Returns the color of the halo."},
    {"Inverse(", "void Inverse(bool inverse)", "Draws all characters in inverse video."},
    {"Justify(", "void Justify(Justify_t justification)", "Sets the justification of the text (LEFT, CENTER, RIGHT)."},
    {"LineSpacing(", "void LineSpacing(float spacing)",
     "Sets the spacing between lines as a multiple of the cell height.  1.0 is the default spacing."},
    {"LockCellSize(", "void LockCellSize(bool lock)", "Locks the cell size."},
    {"Shadow(", "void Shadow(bool shadow)", "Turns the drop shadow of the characters on or off."},
    {"Shadow()", "bool Shadow()", "Returns whether the characters are drawn with a drop shadow."},
    {"ShadowColor(", "void ShadowColor(const vesColor& color)", "Sets the color of the drop shadow."},
    {"ShadowColor()", "const vesColor& ShadowColor()", "Returns the color of the drop shadow."},
    {"ShadowDistance(", "void ShadowDistance(float dist)",
     "Sets the offset of the drop shadow as a fraction of the scaled cell width."},
    {"ShadowDistance()", "float ShadowDistance()", "Returns the offset of the drop shadow."},
    {"StrikeThru(", "void StrikeThru(bool strike)", "Draws all characters struck through."},
    {"String()", "std::string String()", "Returns the string displayed by this object."},
    {"String(", "void String(const char* s)", "Sets the ASCII string to be displayed for this object."},
    {"String(", "void String(const std::string& s)", "Sets the ASCII string to be displayed for this object."},
    {"Underline(", "void Underline(bool underline)", "Draws all characters underlined."},
    {"Uppercase(", "void Uppercase(bool uppercase)", "Displays all characters in upper case."},
    {"WrapText(", "void WrapText(bool wrap)",
     "When true the text is wrapped at word boundaries, otherwise each line is cut at the border."},
    {nullptr, nullptr, nullptr},
};

}  // namespace

void VesText::RegisterAttributes(unsigned int groups) {
  GLPolygon::RegisterAttributes(groups);
  if (!(groups & (kAttributesRendering | kAttributesGeometry | 0x10u))) return;
  const TextAttributeNames& n = Names();
  OrvanAttribDict* dict = attributes;
  using Callback = CallbackMethodCallerTemplate<VesText, DisplayObject>;
  Callback dirty(this, &VesText::MarkLayoutDirty);
  auto add = [&](const AttributeName& name, auto make) { AddAttributeOnce(dict, name, make); };

  add(n.border, [&] { return new OrvanAttribute<float>(&dirty, n.border, &border); });
  add(n.constrainCellRatio,
      [&] { return new OrvanAttribute<bool>(&dirty, n.constrainCellRatio, &constrainCellRatio); });
  add(n.controlCellSize, [&] { return new OrvanAttribute<bool>(&dirty, n.controlCellSize, &controlCellSize); });
  add(n.cellHeight, [&] { return new OrvanAttribute<float>(&dirty, n.cellHeight, &cellHeight); });
  add(n.cellWidth, [&] { return new OrvanAttribute<float>(&dirty, n.cellWidth, &cellWidth); });
  add(n.halo, [&] { return new OrvanAttribute<bool>(nullptr, n.halo, &halo); });
  add(n.haloColor, [&] { return new OrvanAttribute<vesColor>(nullptr, n.haloColor, &haloColor); });
  add(n.justify, [&] { return new OrvanAttribute<Justify_t>(&dirty, n.justify, &justify); });
  add(n.lineSpacing, [&] { return new OrvanAttribute<float>(&dirty, n.lineSpacing, &lineSpacing); });
  add(n.lockCellSize, [&] { return new OrvanAttribute<bool>(&dirty, n.lockCellSize, &lockCellSize); });
  add(n.shadow, [&] { return new OrvanAttribute<bool>(nullptr, n.shadow, &shadow); });
  add(n.shadowColor, [&] { return new OrvanAttribute<vesColor>(nullptr, n.shadowColor, &shadowColor); });
  add(n.shadowDistance, [&] { return new OrvanAttribute<float>(nullptr, n.shadowDistance, &shadowDistance); });
  add(n.text, [&] { return new OrvanAttributeEncodedStdString(nullptr, n.text, &text); });
  add(n.uppercase, [&] { return new OrvanAttribute<bool>(nullptr, n.uppercase, &uppercase); });
  add(n.wrapText, [&] { return new OrvanAttribute<bool>(&dirty, n.wrapText, &wrapText); });

  // The character settings apply to every record through the setters (and their range checks).
  using FloatSetter = void (VesText::*)(float);
  using FloatGetter = float (VesText::*)() const;
  using BoolSetter = void (VesText::*)(bool);
  using BoolGetter = bool (VesText::*)() const;
  using ColorSetter = void (VesText::*)(const vesColor&);
  using ColorGetter = vesColor (VesText::*)() const;
  auto floatProperty = [&](const AttributeName& name, FloatSetter set, FloatGetter get) {
    add(name, [&] { return new OrvanAttributeProperty<VesText, float>(name, this, nullptr, set, get); });
  };
  auto boolProperty = [&](const AttributeName& name, BoolSetter set, BoolGetter get) {
    add(name, [&] { return new OrvanAttributeProperty<VesText, bool>(name, this, nullptr, set, get); });
  };
  auto colorProperty = [&](const AttributeName& name, ColorSetter set, ColorGetter get) {
    add(name, [&] { return new OrvanAttributeProperty<VesText, vesColor>(name, this, nullptr, set, get); });
  };
  floatProperty(n.baseline, &VesText::Baseline, &VesText::Baseline);
  colorProperty(n.bgColor, &VesText::BgColor, &VesText::BgColor);
  colorProperty(n.textColor, &VesText::TextColor, &VesText::TextColor);
  boolProperty(n.fauxBold, &VesText::FauxBold, &VesText::FauxBold);
  boolProperty(n.inverse, &VesText::Inverse, &VesText::Inverse);
  floatProperty(n.charSpacing, &VesText::CharSpacing, &VesText::CharSpacing);
  floatProperty(n.charScaling, &VesText::CharScaling, &VesText::CharScaling);
  boolProperty(n.strikeThru, &VesText::StrikeThru, &VesText::StrikeThru);
  boolProperty(n.underline, &VesText::Underline, &VesText::Underline);
  add(n.charAttribs, [&] { return new VesTextCharAttr(n.charAttribs, this); });
}

MethodDescriptionList* VesText::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kVesTextMethods);
  return GLPolygon::GetMethodDescriptions(list);
}

}  // namespace orvan
