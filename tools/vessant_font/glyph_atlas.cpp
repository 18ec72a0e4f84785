// The built-in font's glyphs: rendered by FreeType (hinted, 256 grey levels) and packed into the
// texture row by row, each cell the full cell height with the baseline at the same height.
#include "vessant_font/glyph_atlas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <memory>

namespace vessant_font {

namespace {

// Windows-1252's characters for 128 to 159 (0 where it has none).
const unsigned int kWindows1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                       0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                       0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                       0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

struct Library {
  FT_Library handle = nullptr;
  ~Library() {
    if (handle != nullptr) FT_Done_FreeType(handle);
  }
};

struct Face {
  FT_Face handle = nullptr;
  ~Face() {
    if (handle != nullptr) FT_Done_Face(handle);
  }
};

// One rendered glyph, its bitmap top row first as FreeType gives it.
struct Rendered {
  unsigned int codePoint = 0;
  int left = 0, top = 0, width = 0, rows = 0, advance = 0;
  std::vector<std::uint8_t> coverage;
  int CellLeft() const { return std::min(0, left); }
  // The cell spans the pen's advance and the ink, so a cell background covers both.
  int CellWidth() const { return std::max(advance, left + width) - CellLeft(); }
};

bool RenderAll(FT_Face face, int pixelSize, const AtlasSpec& spec, std::vector<Rendered>* out, std::string* error) {
  if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    *error = "the font cannot be set to " + std::to_string(pixelSize) + " pixels";
    return false;
  }
  out->clear();
  Rendered blank;
  for (int code = spec.firstCode; code <= spec.lastCode; ++code) {
    Rendered r;
    r.codePoint = CodePointOf(code);
    const FT_UInt index = r.codePoint != 0 ? FT_Get_Char_Index(face, r.codePoint) : 0;
    if (index == 0) {
      r.codePoint = 0;
      out->push_back(r);  // blank; it gets the space's advance below
      continue;
    }
    if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0 || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
      *error = "FreeType cannot render character U+" + std::to_string(r.codePoint);
      return false;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    r.left = slot->bitmap_left;
    r.top = slot->bitmap_top;
    r.width = static_cast<int>(bitmap.width);
    r.rows = static_cast<int>(bitmap.rows);
    r.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    r.coverage.resize(static_cast<std::size_t>(r.width) * r.rows);
    for (int y = 0; y < r.rows; ++y) {
      const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
      std::copy(row, row + r.width, r.coverage.begin() + static_cast<std::ptrdiff_t>(y) * r.width);
    }
    out->push_back(r);
  }
  const int spaceAdvance = (*out)[static_cast<std::size_t>(' ' - spec.firstCode)].advance;
  for (Rendered& r : *out) {
    if (r.codePoint == 0) r.advance = spaceAdvance;
  }
  return true;
}

// The baseline height at which every glyph fits the cell, or -1 when none does.
int FittingBaseline(const std::vector<Rendered>& glyphs, const AtlasSpec& spec) {
  int above = 0, below = 0;
  for (const Rendered& r : glyphs) {
    if (r.CellWidth() > spec.cellWidth) return -1;
    if (r.rows == 0) continue;
    above = std::max(above, r.top);
    below = std::max(below, r.rows - r.top);
  }
  return above + below <= spec.cellHeight ? below : -1;
}

}  // namespace

unsigned int CodePointOf(int code) {
  if (code >= 32 && code < 127) return static_cast<unsigned int>(code);
  if (code >= 128 && code < 160) return kWindows1252[code - 128];
  if (code >= 160 && code <= 255) return static_cast<unsigned int>(code);
  return 0;
}

bool RasteriseFont(const std::string& fontPath, const AtlasSpec& spec, GlyphAtlas* atlas, std::string* error) {
  Library library;
  if (FT_Init_FreeType(&library.handle) != 0) {
    *error = "FreeType cannot be initialised";
    return false;
  }
  Face face;
  if (FT_New_Face(library.handle, fontPath.c_str(), 0, &face.handle) != 0) {
    *error = fontPath + ": not a font file FreeType can read";
    return false;
  }
  std::vector<Rendered> glyphs;
  int pixelSize = spec.cellHeight;
  int baseline = -1;
  for (; pixelSize > 4; --pixelSize) {
    if (!RenderAll(face.handle, pixelSize, spec, &glyphs, error)) return false;
    baseline = FittingBaseline(glyphs, spec);
    if (baseline >= 0) break;
  }
  if (baseline < 0) {
    *error = fontPath + ": the glyphs fit the cell at no size";
    return false;
  }

  const int size = spec.textureSize;
  atlas->pixelSize = pixelSize;
  atlas->baseline = baseline;
  atlas->pixels.assign(static_cast<std::size_t>(size) * size * 2, 0);
  for (std::size_t i = 0; i < atlas->pixels.size(); i += 2) atlas->pixels[i] = 255;
  atlas->glyphs.clear();
  // Shelves of cell height, one empty texel between cells so filtering never reaches a
  // neighbour.
  int x = 1, y = 1;
  for (const Rendered& r : glyphs) {
    const int cellWidth = r.CellWidth();
    if (x + cellWidth + 1 > size) {
      x = 1;
      y += spec.cellHeight + 1;
    }
    if (y + spec.cellHeight + 1 > size) {
      *error = "the glyphs do not fit a " + std::to_string(size) + " x " + std::to_string(size) + " texture";
      return false;
    }
    // Ink pixel (column i, bitmap row j) lands in cell column i + left - cellLeft, at the
    // height baseline + top - 1 - j above the cell's bottom.
    for (int j = 0; j < r.rows; ++j) {
      const int cellRow = baseline + r.top - 1 - j;
      for (int i = 0; i < r.width; ++i) {
        const int cellColumn = i + r.left - r.CellLeft();
        const std::size_t at = (static_cast<std::size_t>(y + cellRow) * size + x + cellColumn) * 2;
        atlas->pixels[at + 1] = r.coverage[static_cast<std::size_t>(j) * r.width + i];
      }
    }
    GlyphRecord g{};
    g[kCellWidth] = static_cast<float>(cellWidth);
    g[kCellHeight] = static_cast<float>(spec.cellHeight);
    g[kS0] = static_cast<float>(x) / size;
    g[kS1] = static_cast<float>(x + cellWidth) / size;
    g[kAtlasX] = static_cast<float>(x);
    g[kAtlasY] = static_cast<float>(y);
    g[kInkLeft] = static_cast<float>(r.left);
    g[kInkTop] = static_cast<float>(r.top);
    g[kT0] = static_cast<float>(y) / size;
    g[kT1] = static_cast<float>(y + spec.cellHeight) / size;
    g[kOffset] = static_cast<float>(r.CellLeft());
    g[kBaseline] = static_cast<float>(baseline);
    g[kAdvance] = static_cast<float>(r.advance);
    g[kInkWidth] = static_cast<float>(r.width);
    g[kInkHeight] = static_cast<float>(r.rows);
    g[kCodePoint] = static_cast<float>(r.codePoint);
    atlas->glyphs.push_back(g);
    x += cellWidth + 1;
  }
  return true;
}

}  // namespace vessant_font
