#pragma once

#include <string>

#include "vessant_font/glyph_atlas.h"

namespace vessant_font {

// Where the generated files say they come from.
struct SourceInfo {
  std::string fontName;  // the font file's name, for the comments
  std::string identifier = "builtin_font_glyphs";
  std::string namespaceName = "orvan::builtin_font";
};

// The header declaring the glyph table and the source defining it: one row of sixteen floats
// per code, in code order.
std::string GlyphHeaderText(const GlyphAtlas& atlas, const AtlasSpec& spec, const SourceInfo& info);
std::string GlyphSourceText(const GlyphAtlas& atlas, const AtlasSpec& spec, const SourceInfo& info);

}  // namespace vessant_font
