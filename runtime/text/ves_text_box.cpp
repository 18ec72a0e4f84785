#include "orvan/ves_text_box.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "orvan/attribute.h"
#include "orvan/callback_method_caller.h"
#include "orvan/object_resources.h"
#include "orvan/ves_font_base.h"

namespace orvan {

namespace {

const MethodDescriptionRow kVesTextBoxMethods[] = {
    {"", "------ VesTextBox ------", ""},
    {"CellHeight(", "void CellHeight(float width)",
     "Sets the rendering height in logical units for the largest character in the font.  All other characters will "
     "be scaled based on this value."},
    {"CellWidth(", "void CellWidth(float width)",
     "Sets the rendering width in logical units for the largest character in the font.  All other characters will "
     "be scaled based on this value."},
    {"VaString(", "void VaString(const char* format)", "Print an ASCII string using printf format specifiers."},
    {"VerticalAlignment(", "void VerticalAlignment(Align_t val)",
     "Set the vertical alignment (ALIGN_TOP, ALIGN_BOTTOM, ALIGN_CENTER)."},
    {nullptr, nullptr, nullptr},
};

const AttributeName& VerticalAlignmentName() {
  static const AttributeName name("VerticalAlignment");
  return name;
}

}  // namespace

VesTextBox::VesTextBox() : VesText(), perCharacterAttributes(false), verticalAlignment(ALIGN_TOP), tabWidth(4.0f) {
  RegisterAttributes(kAttributesAll);
}

VesTextBox::~VesTextBox() {}

void VesTextBox::RegisterAttributes(unsigned int groups) {
  VesText::RegisterAttributes(groups);
  if (!(groups & (kAttributesRendering | kAttributesGeometry | 0x10u))) return;
  CallbackMethodCallerTemplate<VesText, DisplayObject> dirty(this, &VesText::MarkLayoutDirty);
  const AttributeName& name = VerticalAlignmentName();
  AddAttributeOnce(attributes, name, [&] { return new OrvanAttribute<Align_t>(&dirty, name, &verticalAlignment); });
}

void VesTextBox::Calculate(double time) {
  if (layoutDirty) UpdateLayout();
  VesText::Calculate(time);
}

DisplayObject* VesTextBox::CloneObject(bool generateNames) {
  VesTextBox* clone = new VesTextBox;
  clone->CopyProperties(this);
  clone->CopyHierarchyProperties(this, !generateNames);
  if (generateNames) clone->GenerateInstanceName();
  return clone;
}

void VesTextBox::CopyGeometry(DisplayObject* src) {
  VesText::CopyGeometry(src);
  if (dynamic_cast<VesTextBox*>(src) != nullptr) layoutDirty = true;
}

void VesTextBox::CopyProperties(DisplayObject* src) {
  if (src == nullptr || src == this) return;
  VesText::CopyProperties(src);
  if (const VesTextBox* other = dynamic_cast<const VesTextBox*>(src)) {
    verticalAlignment = other->verticalAlignment;
    tabWidth = other->tabWidth;
    perCharacterAttributes = other->perCharacterAttributes;
  }
}

MethodDescriptionList* VesTextBox::GetMethodDescriptions(MethodDescriptionList* list) {
  if (list == nullptr) list = new MethodDescriptionList;
  list->AppendTable(kVesTextBoxMethods);
  return VesText::GetMethodDescriptions(list);
}

void VesTextBox::Scale(float x, float y, float z, Vertex* anchor, int anchorMode) {
  VesText::Scale(x, y, z, anchor, anchorMode);
  UpdateTextAxes();
  MakeRectangleExact();
}

void VesTextBox::VerticalAlignment(Align_t val) {
  verticalAlignment = val;
  layoutDirty = true;
}

void VesTextBox::VaString(const char* format, ...) {
  if (format == nullptr) return;
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (needed < 0) {
    va_end(again);
    return;
  }
  const int kept = needed < kVaStringLimit ? needed : kVaStringLimit;
  std::vector<char> buffer(static_cast<std::size_t>(kept) + 1);
  std::vsnprintf(buffer.data(), buffer.size(), format, again);
  va_end(again);
  String(std::string(buffer.data(), static_cast<std::size_t>(kept)));
}

void VesTextBox::UpdateLayout() {
  if (!layoutDirty) return;
  layoutDirty = false;
  UpdateTextAxes();
  MakeRectangleExact();
  if (!controlCellSize) {
    if (const VesFontBase* f = DrawingFont()) {
      cellWidth = static_cast<float>(f->Header().cellWidth);
      cellHeight = static_cast<float>(f->Header().cellHeight);
    }
  }
  if (cellHeight < 0.0f) cellHeight = 0.0f;
  if (cellWidth < 0.0f) cellWidth = 0.0f;
}

void VesTextBox::MakeRectangleExact() {
  if (vertices == nullptr || vertexCount == 0) return;
  // Missing corners count as vertex 0: a text box is always a four-vertex rectangle afterwards.
  const Vector v0 = vertices[0].Position();
  const Vector v1 = vertexCount > 1 ? vertices[1].Position() : v0;
  const Vector v3 = vertexCount > 3 ? vertices[3].Position() : v0;
  const float width = (v1 - v0).Length();
  const float height = (v3 - v0).Length();
  location = Vertex(location.x + v0.x, location.y + v0.y, location.z + v0.z, location.color);
  // The corners keep their colours (the panel's fill); missing corners are white.
  vesColor colour[4];
  for (unsigned int i = 0; i < 4; ++i) colour[i] = i < vertexCount ? vertices[i].color : vesColor(255, 255, 255, 255);
  const Vector across = xAxis * width, up = yAxis * height;
  Vertex corners[4] = {Vertex(0.0f, 0.0f, 0.0f, colour[0]), Vertex(across.x, across.y, across.z, colour[1]),
                       Vertex(across.x + up.x, across.y + up.y, across.z + up.z, colour[2]),
                       Vertex(up.x, up.y, up.z, colour[3])};
  SetVertices(4, corners);
  for (int i = 0; i < 4; ++i) previousVertices[i] = corners[i];
  LocationChanged();
}

int VesTextBox::LinesThatFit(float height) {
  constexpr int kUnlimited = 2147483647;
  if (lineSpacing == 0.0f && cellHeight > 0.0f) return kUnlimited;
  const double room = static_cast<double>(height) - cellHeight;
  if (!(room >= 0.0)) return 0;
  const double pitch = static_cast<double>(lineSpacing) * cellHeight;
  // Lines without a pitch (a cell height of 0) all fit.
  if (pitch == 0.0) return kUnlimited;
  const double lines = std::floor(room / pitch) + 1.0;
  if (!(lines > 0.0)) return 0;
  return lines >= kUnlimited ? kUnlimited : static_cast<int>(lines);
}

}  // namespace orvan
