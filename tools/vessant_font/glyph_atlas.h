#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace vessant_font {

// What the built-in font's header fixes: the code range and the cell every glyph must fit.
struct AtlasSpec {
  int firstCode = 32;
  int lastCode = 255;
  int cellHeight = 17;
  int cellWidth = 16;
  int textureSize = 256;
};

// The sixteen values of one glyph record. The text box reads [0], [2], [3], [8], [9], [10] and
// [12]; the rest describe the rasterised glyph for whoever looks at the table.
enum GlyphField {
  kCellWidth = 0,      // cell width in texture pixels
  kCellHeight = 1,     // cell height in texture pixels (the font's cell height)
  kS0 = 2, kS1 = 3,    // texture s range of the cell
  kAtlasX = 4,         // cell position in the texture, pixels from the left
  kAtlasY = 5,         // cell position in the texture, pixels from the bottom
  kInkLeft = 6,        // the ink's left edge relative to the pen
  kInkTop = 7,         // the ink's top edge above the baseline
  kT0 = 8, kT1 = 9,    // texture t range of the cell, bottom to top
  kOffset = 10,        // the cell's left edge relative to the pen
  kBaseline = 11,      // the baseline's height in the cell
  kAdvance = 12,       // how far the pen moves
  kInkWidth = 13,
  kInkHeight = 14,
  kCodePoint = 15,     // the Unicode character drawn (0: none, the cell is blank)
};

using GlyphRecord = std::array<float, 16>;

// A 256 x 256 luminance-and-alpha texture (luminance 255 everywhere, alpha the coverage),
// row 0 at the bottom, and one record per code of the range.
struct GlyphAtlas {
  int pixelSize = 0;   // the size the font was rasterised at, in pixels per em
  int baseline = 0;    // the baseline's height in every cell
  std::vector<std::uint8_t> pixels;
  std::vector<GlyphRecord> glyphs;
};

// The Unicode character a code of the range stands for: Latin-1, with the printable characters
// of Windows-1252 in 128 to 159; 0 for a code that stands for none.
unsigned int CodePointOf(int code);

// Rasterises the font file with FreeType at the largest pixel size at which every glyph of the
// range fits the cell on one common baseline. False with a message when the file cannot be read
// or the glyphs do not fit the texture.
bool RasteriseFont(const std::string& fontPath, const AtlasSpec& spec, GlyphAtlas* atlas, std::string* error);

}  // namespace vessant_font
