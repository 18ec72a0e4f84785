#pragma once

#include <vector>

#include "orvan/ves_text.h"

namespace orvan {

class VesFontBase;

// The text object that draws: it keeps its four vertices an exact rectangle, breaks the text into
// lines that fit it (by words or by characters, with newlines and tabs), places the lines by
// justification and vertical alignment and draws every character as a quad of the font texture,
// with cell background, inverse video, scaling, faux bold, halo, shadow, underline and
// strike-through. The rectangle itself is drawn first as a GLPolygon, so a text box is also a
// background panel.
//
// Everything is measured in logical units of the text frame: the origin at vertex 0, x along the
// text's x axis. A cell of the font's cell size in texture pixels is drawn cellWidth x cellHeight
// units large.
class VesTextBox : public VesText {
 public:
  // Where one line ends: its last character is before `end`; the next line starts at `next`;
  // the line is drawn from `offset` and is `width` wide.
  struct Line {
    int end = 0;
    int next = 0;
    float offset = 0.0f;
    float width = 0.0f;
  };

  VesTextBox();
  ~VesTextBox() override;

  using DisplayObject::SetValue;

  // Also "VerticalAlignment", marking the layout dirty when written.
  void RegisterAttributes(unsigned int groups) override;
  // Lays out first when the layout is dirty.
  void Calculate(double time) override;
  DisplayObject* CloneObject(bool generateNames = false) override;
  void CopyGeometry(DisplayObject* src) override;
  void CopyProperties(DisplayObject* src) override;
  MethodDescriptionList* GetMethodDescriptions(MethodDescriptionList* list) override;
  void Draw() override;
  // Scales the vertices, then makes the rectangle exact again.
  void Scale(float x, float y, float z, Vertex* anchor = nullptr, int anchorMode = 0) override;

  // Does nothing unless the layout is dirty: recomputes the axes, makes the rectangle exact and,
  // without control of the cell size, takes the font's cell size (one texture pixel per unit).
  /* 125 */ virtual void UpdateLayout();
  // How many lines fit in height: 0 when not even one cell does; 2147483647 without a line pitch.
  /* 126 */ virtual int LinesThatFit(float height);

  // The number of lines the whole text breaks into at the available width (0 for no text).
  int CountLines();
  // Breaks one line from start at width: by words with wrapping on (a word wider than the line
  // is broken by characters), by characters with it off (the rest of the source line skipped).
  // A line always holds at least one character unless start is at the end of the text.
  Line BreakLine(int start, float width);

  // Prints an ASCII string using printf format specifiers (the result is cut at kVaStringLimit).
  void VaString(const char* format, ...) __attribute__((format(printf, 2, 3)));
  static constexpr int kVaStringLimit = 65536;

  void VerticalAlignment(Align_t val);
  Align_t VerticalAlignment() const { return verticalAlignment; }
  void TabWidth(float width) { tabWidth = width; }
  float TabWidth() const { return tabWidth; }
  void PerCharacterAttributes(bool on) { perCharacterAttributes = on; }
  bool PerCharacterAttributes() const { return perCharacterAttributes; }

  // The font text is drawn with: the object's own, else the built-in default font.
  VesFontBase* DrawingFont() const;
  // Width and height available to the text: the rectangle's sides less twice the border.
  float AvailableWidth() const;
  float AvailableHeight() const;
  // How far character i (code c) moves the pen, in units.
  float Advance(unsigned int c, int i) const;
  // The code character i is drawn as (upper-cased when asked).
  unsigned int CodeAt(int i) const;

 protected:
  // The record character i uses.
  const CharacterRecord& RecordFor(int i) const;
  // Rebuilds the exact rectangle from vertices 0, 1 and 3 along the text axes.
  void MakeRectangleExact();
  // The text over the rectangle, in the text frame (Draw's part after the polygon).
  void DrawText();

  bool perCharacterAttributes;
  Align_t verticalAlignment;
  float tabWidth;

 private:
  // Word-wrapping part of BreakLine; false when the line must be broken by characters instead.
  // Both take the drawing font and its pixel-to-unit scale h as BreakLine looked them up.
  bool BreakWords(int start, float width, const VesFontBase* f, float h, Line& line) const;
  void BreakCharacters(int start, float width, const VesFontBase* f, float h, Line& line) const;
  // Advance with the font and its pixel-to-unit scale h already looked up.
  float AdvanceWith(const VesFontBase* font, float h, unsigned int c, int i) const;
  // Units per texture pixel across (h) and up (v).
  float HorizontalScale(const VesFontBase* font) const;
  float VerticalScale(const VesFontBase* font) const;
};

}  // namespace orvan
