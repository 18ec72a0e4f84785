// vessant-font: rasterises a TrueType font into the runtime's built-in bitmap font: a glyph table
// and a compiled-in luminance-and-alpha texture record.
#include <cstdio>
#include <cstring>
#include <string>

#include "vessant_font/font_source.h"
#include "vessant_font/glyph_atlas.h"
#include "vessant_image/file_output.h"
#include "vessant_image/picture.h"
#include "vessant_image/record.h"

namespace {

const char* const kUsage =
    "usage: vessant-font [--font FILE.ttf] [--png PREVIEW.png] OUTPUT_DIR\n"
    "  writes builtin_font_glyphs.h/.cpp and builtin_font_texture.h/.cpp into OUTPUT_DIR\n"
    "  --font   the font to rasterise (default: Liberation Sans Regular of fonts-liberation2)\n"
    "  --png    also writes the texture as a PNG picture, to look at\n";

// The texture is derived from the font as much as the glyph table is.
const std::string kLicence =
    "// The glyphs are derived from Liberation Sans, licensed under the SIL Open Font License 1.1\n"
    "// (see OFL.txt beside this file).\n";

const char* const kDefaultFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

int Fail(const std::string& message) {
  std::fprintf(stderr, "vessant-font: %s\n", message.c_str());
  return 1;
}

std::string BaseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

int main(int argc, char** argv) {
  std::string font = kDefaultFont, png, outputDir;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if ((arg == "--font" || arg == "--png") && i + 1 < argc) {
      (arg == "--font" ? font : png) = argv[++i];
    } else if (arg == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (!arg.empty() && arg[0] != '-' && outputDir.empty()) {
      outputDir = arg;
    } else {
      std::fprintf(stderr, "vessant-font: unexpected argument '%s'\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  if (outputDir.empty()) {
    std::fprintf(stderr, "vessant-font: no output folder\n%s", kUsage);
    return 2;
  }

  const vessant_font::AtlasSpec spec;
  vessant_font::GlyphAtlas atlas;
  std::string error;
  if (!vessant_font::RasteriseFont(font, spec, &atlas, &error)) return Fail(error);

  vessant_image::Picture picture;
  picture.width = spec.textureSize;
  picture.height = spec.textureSize;
  picture.components = 2;
  picture.pixels = atlas.pixels;
  vessant_image::EncodeOptions encode;
  encode.codec = orvan::VES_CODEC_LZ77;
  encode.chunkSize = 16;
  vessant_image::EncodedRecord record;
  if (!vessant_image::EncodeRecord(picture, encode, &record, &error)) return Fail(error);

  vessant_font::SourceInfo info;
  info.fontName = BaseName(font);
  vessant_image::SourceNames names;
  names.identifier = "builtin_font_texture";
  names.namespaceName = "orvan::builtin_font";
  names.headerInclude = "builtin_font_texture.h";
  names.pictureName = "the glyphs of " + info.fontName;
  const std::string dir = outputDir + "/";
  using vessant_image::WriteFileAtomically;
  if (!WriteFileAtomically(dir + "builtin_font_glyphs.h", vessant_font::GlyphHeaderText(atlas, spec, info), &error) ||
      !WriteFileAtomically(dir + "builtin_font_glyphs.cpp", vessant_font::GlyphSourceText(atlas, spec, info), &error) ||
      !WriteFileAtomically(dir + "builtin_font_texture.h", vessant_image::HeaderText(record, names), &error) ||
      !WriteFileAtomically(dir + "builtin_font_texture.cpp", kLicence + vessant_image::SourceText(record, names),
                           &error)) {
    return Fail(error);
  }
  if (!png.empty()) {
    // Shown the usual way up: the texture's top row first, coverage as grey on black.
    vessant_image::Picture preview = picture;
    for (std::size_t i = 0; i < preview.pixels.size(); i += 2) {
      preview.pixels[i] = preview.pixels[i + 1];
      preview.pixels[i + 1] = 255;
    }
    vessant_image::FlipRows(&preview);
    if (!vessant_image::WritePng(png, preview, &error)) return Fail(error);
  }
  return 0;
}
