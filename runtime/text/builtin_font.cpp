// The built-in default font: "Arial", "Regular", 12, with glyphs rasterised from Liberation Sans
// by tools/vessant_font into the generated table and texture record beside this file.
#include "builtin_font/builtin_font_glyphs.h"
#include "builtin_font/builtin_font_texture.h"
#include "orvan/image.h"
#include "orvan/ves_font_base.h"

namespace orvan {

VesFontBase* CreateBuiltInFont() {
  VesFontHeader header;
  header.name = "Arial";
  header.style = "Regular";
  header.pointSize = 12;
  header.extra = 3;
  header.firstCode = 32;
  header.lastCode = 255;
  header.cellHeight = 17;
  header.cellWidth = 16;
  header.underlineOffset = 1;
  header.barThickness = 1;
  static_assert(sizeof(builtin_font::builtin_font_glyphs) / sizeof(builtin_font::builtin_font_glyphs[0]) == 224,
                "one glyph record per code 32 to 255");
  return new VesFontBase(header, builtin_font::builtin_font_glyphs, 224, new Image(builtin_font::builtin_font_texture));
}

}  // namespace orvan
