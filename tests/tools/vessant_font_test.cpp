// The built-in font's committed sources are what vessant-font makes from the installed Liberation
// Sans; and the font they define has the header's cell, a glyph where each code's record says.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "orvan/font_registry.h"
#include "orvan/image.h"
#include "orvan/ves_font_base.h"
#include "support/acquisition_fixture.h"
#include "support/run_command.h"

namespace {

const std::string kTool = std::string(VESSANT_BINARY_DIR) + "/vessant-font";
const std::string kFont = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
const std::string kCommitted = std::string(VESSANT_SOURCE_DIR) + "/runtime/text/builtin_font/";

TEST(VessantFont, BadInputIsRefusedAndTheInstalledFontGivesTheCommittedSources) {
  if (access(kTool.c_str(), X_OK) != 0) GTEST_SKIP() << "vessant-font not built (FreeType missing)";
  vessant::test::ScratchDir dir;
  vessant::test::WriteText(dir.Path() + "/not-a-font.ttf", "hello");
  auto r = vessant::test::RunCommand(kTool + " --font " + dir.Path() + "/not-a-font.ttf " + dir.Path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.output.find("not a font file"), std::string::npos) << r.output;
  r = vessant::test::RunCommand(kTool);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.output.find("no output folder"), std::string::npos) << r.output;

  if (access(kFont.c_str(), R_OK) != 0) GTEST_SKIP() << "Liberation Sans not installed (fonts-liberation2)";
  const auto made = vessant::test::RunCommand(kTool + " --font " + kFont + " " + dir.Path());
  ASSERT_EQ(made.status, 0) << made.output;
  for (const char* name : {"builtin_font_glyphs.h", "builtin_font_glyphs.cpp", "builtin_font_texture.h",
                           "builtin_font_texture.cpp"}) {
    const std::string fresh = vessant::test::ReadText(dir.Path() + "/" + name);
    ASSERT_FALSE(fresh.empty()) << name;
    EXPECT_TRUE(fresh == vessant::test::ReadText(kCommitted + name))
        << name << " differs: run build/vessant-font runtime/text/builtin_font and commit the result";
  }
  EXPECT_NE(vessant::test::ReadText(kCommitted + "OFL.txt").find("SIL OPEN FONT LICENSE Version 1.1"), std::string::npos);
}

TEST(BuiltInFont, EveryGlyphCellLiesInTheTextureWithTheInkOnlyInsideCells) {
  orvan::VesFontBase* font = orvan::FontRegistry::DefaultFont();
  ASSERT_NE(font, nullptr);
  const orvan::VesFontHeader& h = font->Header();
  EXPECT_EQ(font->Key(), "ArialRegular12");
  EXPECT_EQ(h.extra, 3);
  EXPECT_EQ(h.cellHeight, 17);
  EXPECT_EQ(h.cellWidth, 16);
  EXPECT_EQ(font->GlyphCount(), 224);
  EXPECT_EQ(font->TextureWidth(), 256.0f);
  EXPECT_EQ(font->TextureHeight(), 256.0f);
  orvan::Image* image = font->GetImage();
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->Format(), 0x190A);  // GL_LUMINANCE_ALPHA
  const unsigned char* pixels = image->Pixels();
  ASSERT_NE(pixels, nullptr);

  // Every texel's coverage belongs to exactly the cell of one glyph.
  std::vector<int> owner(256 * 256, -1);
  for (int code = 32; code <= 255; ++code) {
    const auto& g = font->Glyph(static_cast<unsigned int>(code));
    ASSERT_LE(g[0], 16.0f) << code;
    const int x0 = static_cast<int>(g[2] * 256.0f + 0.5f), x1 = static_cast<int>(g[3] * 256.0f + 0.5f);
    const int y0 = static_cast<int>(g[8] * 256.0f + 0.5f), y1 = static_cast<int>(g[9] * 256.0f + 0.5f);
    EXPECT_EQ(x1 - x0, static_cast<int>(g[0])) << code;
    EXPECT_EQ(y1 - y0, 17) << code;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        ASSERT_EQ(owner[y * 256 + x], -1) << "cells overlap at " << x << "," << y;
        owner[y * 256 + x] = code;
      }
    }
  }
  int inked = 0;
  for (int i = 0; i < 256 * 256; ++i) {
    EXPECT_EQ(pixels[i * 2], 255);
    if (pixels[i * 2 + 1] != 0) {
      ASSERT_NE(owner[i], -1) << "coverage outside every cell at texel " << i;
      ++inked;
    }
  }
  EXPECT_GT(inked, 2000);
  // Codes outside the range use the first glyph.
  EXPECT_EQ(&font->Glyph(9), &font->Glyph(32));
  EXPECT_EQ(&font->Glyph(1000), &font->Glyph(32));
}

}  // namespace
