// Text boxes drawn in a headless context: vertical alignment, inverse video with and without a
// background, and a text frame turned with its rectangle (the OpenGL state it leaves is the
// drawing state tests').
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "orvan/font_registry.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text_box.h"
#include "runtime/scene_fixture.h"
#include "support/rectangle.h"

namespace orvan {
namespace {

using namespace scene_test;

// White text in a box that fills the 100 x 80 view and draws no rectangle of its own.
void Prepare(VesTextBox& box, const std::string& text) {
  vessant::test::SetRectangle(box, 100.0, 80.0);
  box.PolygonMode(0);
  box.TextColor(vesColor(255, 255, 255, 255));
  box.String(text);
  box.MarkLayoutDirty();
  box.UpdateLayout();
}

// Lowest and highest row with a lit pixel between columns x0 and x1; -1 when none.
std::pair<int, int> InkRows(const vessant::RgbaImage& image, int x0, int x1) {
  int low = -1, high = -1;
  for (int y = 0; y < image.height; ++y) {
    for (int x = x0; x < x1; ++x) {
      const std::uint8_t* p = image.At(x, image.height - 1 - y);
      if (p[0] + p[1] + p[2] > 60) {
        if (low < 0) low = y;
        high = y;
      }
    }
  }
  return {low, high};
}

class TextBoxDrawing : public SceneTest {};

TEST_F(TextBoxDrawing, VerticalAlignmentPlacesTheBlockOfLines) {
  VesTextBox box;
  // "A" over "_": one glyph per line, far apart horizontally so their ink can be told apart.
  Prepare(box, "A\n                  _");
  const int split = 50;
  const float pitch = 17.0f;

  box.VerticalAlignment(ALIGN_TOP);
  vessant::RgbaImage image = Render(box);
  auto a = InkRows(image, 0, split);
  EXPECT_GE(a.first, 80 - 17);
  EXPECT_LT(a.second, 80);

  // Centred: the first line's cell starts half a pitch above the middle position.
  box.VerticalAlignment(ALIGN_CENTER);
  image = Render(box);
  const float middle = (80.0f - 17.0f) * 0.5f;
  a = InkRows(image, 0, split);
  auto under = InkRows(image, split, 100);
  EXPECT_GE(a.first, static_cast<int>(middle + pitch * 0.5f));
  EXPECT_LT(a.second, static_cast<int>(middle + pitch * 0.5f) + 17);
  EXPECT_GE(under.first, static_cast<int>(middle - pitch * 0.5f));
  EXPECT_LT(under.second, static_cast<int>(middle + pitch * 0.5f));

  // Bottom: the last line's cell sits on the border.
  box.VerticalAlignment(ALIGN_BOTTOM);
  image = Render(box);
  under = InkRows(image, split, 100);
  a = InkRows(image, 0, split);
  EXPECT_GE(under.first, 0);
  EXPECT_LT(under.second, 17);
  EXPECT_GE(a.first, 17);
  EXPECT_LT(a.second, 34);
}

// The cell of the first character of a top-aligned line at the left border.
struct Cell {
  int x0, x1, y0, y1;
};
Cell FirstCell(unsigned int c, float unitsPerPixel = 1.0f) {
  const auto& g = FontRegistry::DefaultFont()->Glyph(c);
  const int x0 = static_cast<int>(g[10] * unitsPerPixel);
  return Cell{x0, x0 + static_cast<int>(g[0] * unitsPerPixel), 80 - static_cast<int>(17 * unitsPerPixel), 80};
}

// An "H" in cells of 64 x 68 units: four units per texel.
void PrepareBigH(VesTextBox& box) {
  Prepare(box, "H");
  box.ControlCellSize(true);
  box.CellWidth(64.0f);
  box.CellHeight(68.0f);
  box.UpdateLayout();
}

TEST_F(TextBoxDrawing, InverseWithoutBackgroundDrawsTheGlyphAsAHoleWithoutHaloOrShadow) {
  VesTextBox box;
  PrepareBigH(box);
  box.Inverse(true);
  box.Halo(true);
  box.HaloColor(vesColor(0, 255, 0, 255));
  box.Shadow(true);
  box.ShadowColor(vesColor(255, 0, 0, 255));
  const vessant::RgbaImage image = Render(box);
  const Cell cell = FirstCell('H', 4.0f);
  int text = 0, hole = 0;
  for (int y = cell.y0 + 2; y < cell.y1 - 2; ++y) {
    for (int x = cell.x0 + 2; x < cell.x1 - 2; ++x) {
      const Rgba p = Pixel(image, x, y);
      ASSERT_EQ(p.r, p.g) << "no halo or shadow colour at " << x << "," << y;
      ASSERT_EQ(p.g, p.b) << x << "," << y;
      if (p.r == 255) ++text;
      if (p.r < 80) ++hole;
    }
  }
  EXPECT_GT(text, 500) << "the cell is filled with the text colour";
  EXPECT_GT(hole, 200) << "the glyph shows what lies below";
  EXPECT_EQ(Pixel(image, cell.x1 + 6, 40), kBlack);
}

TEST_F(TextBoxDrawing, InverseWithABackgroundSwapsTheColours) {
  VesTextBox box;
  PrepareBigH(box);
  box.BgColor(vesColor(0, 0, 255, 255));
  vessant::RgbaImage image = Render(box);
  const Cell cell = FirstCell('H', 4.0f);
  // Normal: blue cell, white glyph.
  EXPECT_EQ(Pixel(image, cell.x1 - 2, cell.y1 - 2), (Rgba{0, 0, 255, 255}));
  box.Inverse(true);
  image = Render(box);
  EXPECT_EQ(Pixel(image, cell.x1 - 2, cell.y1 - 2), (Rgba{255, 255, 255, 255}));
  int blue = 0;
  for (int y = cell.y0; y < cell.y1; ++y) {
    for (int x = cell.x0; x < cell.x1; ++x) blue += Pixel(image, x, y).r < 80 && Pixel(image, x, y).b == 255;
  }
  EXPECT_GT(blue, 100) << "the glyph in the background colour";
}

TEST_F(TextBoxDrawing, TextFollowsARotatedRectangle) {
  VesTextBox box;
  // A box standing on its side: its x axis points up the screen.
  box.Location(90, 0, 0);
  box.SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 0.0, 80.0, 0.0, 255, 255, 255, 255, -40.0,
                  80.0, 0.0, 255, 255, 255, 255, -40.0, 0.0, 0.0);
  box.PolygonMode(0);
  box.TextColor(vesColor(255, 255, 255, 255));
  box.String("----");
  box.UpdateLayout();
  EXPECT_EQ(box.XAxis(), Vector(0, 1, 0));
  const vessant::RgbaImage image = Render(box);
  // The dashes run up the screen near the box's top side, which lies at x = 50.
  auto rows = InkRows(image, 50, 90);
  EXPECT_GE(rows.first, 0);
  EXPECT_GT(rows.second - rows.first, 15) << "a vertical run of dashes";
  EXPECT_EQ(InkRows(image, 0, 50).first, -1);
}

}  // namespace
}  // namespace orvan
