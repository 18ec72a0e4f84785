#pragma once

#include <string>
#include <vector>

#include "orvan/attribute_enum_types.h"
#include "orvan/character_record.h"
#include "orvan/gl_polygon.h"

namespace orvan {

class VesFontBase;

// A text string and everything that governs how it looks: font, cell size, spacing,
// justification, wrapping, halo, shadow and the character records. Its four vertices span the
// rectangle the text lives in: vertex 0 at the lower left, vertex 1 along the text's x axis,
// vertex 3 along its y axis. Laying out and drawing glyphs belong to VesTextBox; a plain VesText
// draws its rectangle only.
class VesText : public GLPolygon {
 public:
  VesText();
  // Releases the font.
  ~VesText() override;

  using DisplayObject::SetValue;

  void RegisterAttributes(unsigned int groups) override;
  // Also copies cell size, axes and the previous vertices, and marks the layout dirty.
  void CopyGeometry(DisplayObject* src) override;
  // Geometry first, then the rendering properties and every text setting, the font included.
  void CopyProperties(DisplayObject* src) override;
  MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list) override;
  // Rotates the vertices, then recomputes the text axes.
  void Rotate(const Vector& orig, float angle, const Vector& axis) override;
  // 42 border, 43 cell height, 44 cell width, 45 constrain cell ratio, 46 control cell size,
  // 47 font (name, style, size), 48 halo and colour, 49 line spacing, 50 lock cell size,
  // 51 justify, 52 shadow, distance and colour, 53 text, 54 uppercase, 55 wrap text.
  void SetValue(int property, va_list& args) override;

  // Sets the ASCII string to be displayed for this object.
  void String(const char* s);
  void String(const std::string& s);
  std::string String() const { return text; }
  const std::string& Text() const { return text; }

  // A different font gets a registry reference and the old one is released.
  void Font(VesFontBase* newFont);
  VesFontBase* Font() const { return font; }

  // Setters for all character records; an out-of-range baseline or scale is ignored.
  void Baseline(float baselineShift);
  void BgColor(const vesColor& color);
  void TextColor(const vesColor& color);
  void FauxBold(bool bold);
  void Inverse(bool inverse);
  void CharSpacing(float horizontalSpacing);
  void CharScaling(float newScale);
  void StrikeThru(bool strike);
  void Underline(bool underline);
  void Char(Char_t code);
  // Getters read the first record, or the defaults when there is none.
  float Baseline() const { return FirstRecord().baseline; }
  vesColor BgColor() const { return FirstRecord().background; }
  vesColor TextColor() const { return FirstRecord().text; }
  bool FauxBold() const { return FirstRecord().fauxBold; }
  bool Inverse() const { return FirstRecord().inverse; }
  float CharSpacing() const { return FirstRecord().spacing; }
  float CharScaling() const { return FirstRecord().scale; }
  bool StrikeThru() const { return FirstRecord().strikeThrough; }
  bool Underline() const { return FirstRecord().underline; }
  Char_t Char() const { return FirstRecord().code; }
  const std::vector<CharacterRecord>& CharacterRecords() const { return charAttribs; }

  void Border(float units);
  float Border() const { return border; }
  void CellHeight(float height);
  float CellHeight() const { return cellHeight; }
  void CellWidth(float width);
  float CellWidth() const { return cellWidth; }
  void ConstrainCellRatio(bool constrain);
  bool ConstrainCellRatio() const { return constrainCellRatio; }
  void ControlCellSize(bool stretch);
  bool ControlCellSize() const { return controlCellSize; }
  void LockCellSize(bool lock);
  bool LockCellSize() const { return lockCellSize; }
  void LineSpacing(float spacing);
  float LineSpacing() const { return lineSpacing; }
  void Justify(Justify_t justification);
  Justify_t Justify() const { return justify; }
  void WrapText(bool wrap);
  bool WrapText() const { return wrapText; }
  void Uppercase(bool uppercase);
  bool Uppercase() const { return uppercase; }
  void Halo(bool on) { halo = on; }
  bool Halo() const { return halo; }
  void HaloColor(const vesColor& color) { haloColor = color; }
  const vesColor& HaloColor() const { return haloColor; }
  void Shadow(bool on) { shadow = on; }
  bool Shadow() const { return shadow; }
  void ShadowColor(const vesColor& color) { shadowColor = color; }
  const vesColor& ShadowColor() const { return shadowColor; }
  void ShadowDistance(float dist) { shadowDistance = dist; }
  float ShadowDistance() const { return shadowDistance; }
  // Erases all characters: the text and the character records.
  void Erase();

  bool LayoutDirty() const { return layoutDirty; }
  // Every change that affects the layout calls this (attribute writes through their callback).
  void MarkLayoutDirty() { layoutDirty = true; }
  const Vector& XAxis() const { return xAxis; }
  const Vector& YAxis() const { return yAxis; }
  const Vector& Normal() const { return normal; }
  const Vertex* PreviousVertices() const { return previousVertices; }

  // The text's frame from the vertices: x along vertex 1 - vertex 0, y along vertex 3 - vertex 0
  // (each kept when its two vertices coincide), both normalised, the normal their cross product.
  void UpdateTextAxes();

 protected:
  // The first record, or the defaults when there is none.
  const CharacterRecord& FirstRecord() const;
  // Every "for all characters" setter writes through this; a text without records gets one
  // first, so that no setting is lost.
  template <typename F>
  void ForAllRecords(F&& apply);

  float border;
  std::vector<CharacterRecord> charAttribs;
  Vertex previousVertices[4];
  float cellHeight;
  float cellWidth;
  bool constrainCellRatio;
  bool controlCellSize;
  VesFontBase* font;
  bool halo;
  vesColor haloColor;
  Justify_t justify;
  float lineSpacing;
  bool lockCellSize;
  bool layoutDirty;
  bool shadow;
  vesColor shadowColor;
  float shadowDistance;
  std::string text;
  bool uppercase;
  Vector xAxis;
  Vector yAxis;
  Vector normal;
  bool wrapText;
};

}  // namespace orvan
