#pragma once

#include <array>
#include <string>
#include <vector>

namespace orvan {

class Image;

// The header of a bitmap font. Sizes are in texture pixels; the cell is the largest glyph's.
struct VesFontHeader {
  std::string name;      // e.g. "Arial"
  std::string style;     // e.g. "Regular"
  int pointSize = 0;
  int extra = 0;         // the header's fourth integer: carried with the font, read by nothing
  int firstCode = 0;
  int lastCode = -1;
  int cellHeight = 0;
  int cellWidth = 0;
  int underlineOffset = 0;  // how far the underline bar's top lies above a cell's bottom
  int barThickness = 0;     // thickness of underline and strike-through bars
};

// A bitmap font whose glyphs are rectangles of one texture. Each glyph record holds sixteen
// floats; text drawing reads [0] the glyph width, [2] and [3] the texture s range, [8] and [9]
// the texture t range, [10] the glyph's offset from the pen and [12] the advance (all sizes in
// texture pixels). Fonts are shared through the font registry, which owns them.
class VesFontBase {
 public:
  using GlyphRecord = std::array<float, 16>;

  // Takes over one reference to image (null allowed: the font then draws untextured). glyphs
  // holds one record per code of the header's range, in order; missing ones are zero.
  VesFontBase(const VesFontHeader& header, const float (*glyphs)[16], int glyphCount, Image* image);
  VesFontBase(const VesFontBase&) = delete;
  VesFontBase& operator=(const VesFontBase&) = delete;
  // Releases the image.
  virtual ~VesFontBase();

  float TextureHeight() const { return textureHeight; }
  float TextureWidth() const { return textureWidth; }
  const VesFontHeader& Header() const { return header; }
  // The record of a code; a code outside the range uses the first glyph.
  const GlyphRecord& Glyph(unsigned int code) const {
    const long index = static_cast<long>(code) - header.firstCode;
    return index >= 0 && index < static_cast<long>(glyphs.size()) ? glyphs[static_cast<std::size_t>(index)]
                                                                  : glyphs.front();
  }
  int GlyphCount() const { return static_cast<int>(glyphs.size()); }
  const std::string& Key() const { return key; }
  Image* GetImage() const { return image; }

  // Name, style and size as text with every blank (space or tab) removed: ArialRegular12.
  static std::string MakeKey(const std::string& name, const std::string& style, int size);

 private:
  float textureHeight;
  float textureWidth;
  VesFontHeader header;
  std::vector<GlyphRecord> glyphs;  // never empty: a font without records gets one blank glyph
  std::string key;
  Image* image;
};

}  // namespace orvan
