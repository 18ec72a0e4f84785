#include "orvan/ves_text.h"

#include <cstdint>
#include <cstring>

#include "orvan/font_registry.h"
#include "orvan/object_resources.h"
#include "orvan/ves_font_base.h"

namespace orvan {

namespace {

// The shadow distance's default is kept bit for bit: 0.13 as the float 0x3E051EB8.
float DefaultShadowDistance() {
  const std::uint32_t bits = 0x3E051EB8u;
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

const CharacterRecord& DefaultRecord() {
  static const CharacterRecord record;
  return record;
}

}  // namespace

VesText::VesText()
    : GLPolygon(),
      border(0.0f),
      charAttribs(1),
      cellHeight(0.0f),
      cellWidth(0.0f),
      constrainCellRatio(true),
      controlCellSize(false),
      font(nullptr),
      halo(false),
      haloColor(0, 0, 0, 0),
      justify(LEFT),
      lineSpacing(1.0f),
      lockCellSize(true),
      layoutDirty(true),
      shadow(false),
      shadowColor(128, 128, 128, 255),
      shadowDistance(DefaultShadowDistance()),
      uppercase(false),
      xAxis(1.0f, 0.0f, 0.0f),
      yAxis(0.0f, 1.0f, 0.0f),
      normal(0.0f, 0.0f, 1.0f),
      wrapText(true) {
  for (Vertex& v : previousVertices) v = Vertex(0.0f, 0.0f, 0.0f, vesColor(255, 255, 255, 255));
  // A text is a four-vertex polygon from the start; generated code moves the corners.
  SetVertices(4, previousVertices);
  Font(FontRegistry::DefaultFont());
  // The cell has no size of its own before the first layout: the font's is the natural one.
  if (font != nullptr) {
    cellHeight = static_cast<float>(font->Header().cellHeight);
    cellWidth = static_cast<float>(font->Header().cellWidth);
  }
  RegisterAttributes(kAttributesAll);
  UpdateTextAxes();
}

VesText::~VesText() { FontRegistry::Release(font); }

const CharacterRecord& VesText::FirstRecord() const {
  return charAttribs.empty() ? DefaultRecord() : charAttribs.front();
}

template <typename F>
void VesText::ForAllRecords(F&& apply) {
  if (charAttribs.empty()) charAttribs.resize(1);
  for (CharacterRecord& record : charAttribs) apply(record);
}

void VesText::String(const char* s) { text = s != nullptr ? s : ""; }

void VesText::String(const std::string& s) { text = s; }

void VesText::Font(VesFontBase* newFont) {
  if (newFont == font) return;
  FontRegistry::AddRef(newFont);
  VesFontBase* old = font;
  font = newFont;
  FontRegistry::Release(old);
  layoutDirty = true;
}

void VesText::Baseline(float baselineShift) {
  if (!(baselineShift >= -1.0f && baselineShift <= 1.0f)) return;
  ForAllRecords([&](CharacterRecord& r) { r.baseline = baselineShift; });
}

void VesText::BgColor(const vesColor& color) {
  ForAllRecords([&](CharacterRecord& r) { r.background = color; });
}

void VesText::TextColor(const vesColor& color) {
  ForAllRecords([&](CharacterRecord& r) { r.text = color; });
}

void VesText::FauxBold(bool bold) {
  ForAllRecords([&](CharacterRecord& r) { r.fauxBold = bold; });
}

void VesText::Inverse(bool inverse) {
  ForAllRecords([&](CharacterRecord& r) { r.inverse = inverse; });
}

void VesText::CharSpacing(float horizontalSpacing) {
  ForAllRecords([&](CharacterRecord& r) { r.spacing = horizontalSpacing; });
  layoutDirty = true;
}

void VesText::CharScaling(float newScale) {
  if (!(newScale > 0.0f && newScale <= 1.0f)) return;
  ForAllRecords([&](CharacterRecord& r) { r.scale = newScale; });
}

void VesText::StrikeThru(bool strike) {
  ForAllRecords([&](CharacterRecord& r) { r.strikeThrough = strike; });
}

void VesText::Underline(bool underline) {
  ForAllRecords([&](CharacterRecord& r) { r.underline = underline; });
}

void VesText::Char(Char_t code) {
  ForAllRecords([&](CharacterRecord& r) { r.code = code; });
}

void VesText::Border(float units) {
  border = units;
  layoutDirty = true;
}

void VesText::CellHeight(float height) {
  cellHeight = height;
  layoutDirty = true;
}

void VesText::CellWidth(float width) {
  cellWidth = width;
  layoutDirty = true;
}

void VesText::ConstrainCellRatio(bool constrain) {
  constrainCellRatio = constrain;
  layoutDirty = true;
}

void VesText::ControlCellSize(bool stretch) {
  controlCellSize = stretch;
  layoutDirty = true;
}

void VesText::LockCellSize(bool lock) {
  lockCellSize = lock;
  layoutDirty = true;
}

void VesText::LineSpacing(float spacing) {
  lineSpacing = spacing;
  layoutDirty = true;
}

void VesText::Justify(Justify_t justification) {
  justify = justification;
  layoutDirty = true;
}

void VesText::WrapText(bool wrap) {
  wrapText = wrap;
  layoutDirty = true;
}

void VesText::Uppercase(bool on) { uppercase = on; }

void VesText::Erase() {
  text.clear();
  charAttribs.clear();
}

void VesText::UpdateTextAxes() {
  if (vertices == nullptr || vertexCount < 2) return;
  const Vector origin = vertices[0].Position();
  if (vertices[1].Position() != origin) xAxis = (vertices[1].Position() - origin).Normalised();
  if (vertexCount >= 4 && vertices[3].Position() != origin) yAxis = (vertices[3].Position() - origin).Normalised();
  normal = xAxis.Cross(yAxis);
}

void VesText::Rotate(const Vector& orig, float angle, const Vector& axis) {
  GLPolygon::Rotate(orig, angle, axis);
  UpdateTextAxes();
}

void VesText::CopyGeometry(DisplayObject* src) {
  if (src == nullptr || src == this) return;
  GLPolygon::CopyGeometry(src);
  if (const VesText* other = dynamic_cast<const VesText*>(src)) {
    cellHeight = other->cellHeight;
    cellWidth = other->cellWidth;
    xAxis = other->xAxis;
    yAxis = other->yAxis;
    normal = other->normal;
    for (int i = 0; i < 4; ++i) previousVertices[i] = other->previousVertices[i];
  }
  layoutDirty = true;
}

void VesText::CopyProperties(DisplayObject* src) {
  if (src == nullptr || src == this) return;
  CopyGeometry(src);
  GLPolygon::CopyProperties(src);
  const VesText* other = dynamic_cast<const VesText*>(src);
  if (other == nullptr) return;
  border = other->border;
  charAttribs = other->charAttribs;
  constrainCellRatio = other->constrainCellRatio;
  controlCellSize = other->controlCellSize;
  halo = other->halo;
  haloColor = other->haloColor;
  justify = other->justify;
  lineSpacing = other->lineSpacing;
  lockCellSize = other->lockCellSize;
  shadow = other->shadow;
  shadowColor = other->shadowColor;
  shadowDistance = other->shadowDistance;
  text = other->text;
  uppercase = other->uppercase;
  wrapText = other->wrapText;
  Font(other->font);
}

}  // namespace orvan
