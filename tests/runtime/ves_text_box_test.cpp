// VesTextBox layout: the exact rectangle, the cell size, how many lines fit, and how text breaks
// into lines by words and by characters; and text boxes drawn in a headless context: vertical
// alignment, inverse video with and without a background, and a text frame turned with its
// rectangle (the OpenGL state it leaves is the drawing state tests').
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "orvan/font_registry.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text_box.h"
#include "runtime/scene_fixture.h"
#include "support/rectangle.h"

namespace orvan {
namespace {

float Advance(unsigned int c) { return FontRegistry::DefaultFont()->Glyph(c)[12]; }

float Width(const std::string& s) {
  float w = 0.0f;
  for (unsigned char c : s) w += Advance(c);
  return w;
}

// A box of width x 80 units at the origin, laid out.
void Shape(VesTextBox& box, float width, float height = 80.0f) {
  vessant::test::SetRectangle(box, width, height);
  box.MarkLayoutDirty();
  box.UpdateLayout();
}

// The text of every line the box breaks into.
std::vector<std::string> Lines(VesTextBox& box) {
  std::vector<std::string> lines;
  const std::string text = box.String();
  const int n = static_cast<int>(text.size());
  for (int start = 0; start < n;) {
    const VesTextBox::Line line = box.BreakLine(start, box.AvailableWidth());
    lines.push_back(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(line.end - start)));
    if (line.next <= start) break;
    start = line.next;
  }
  return lines;
}

TEST(VesTextBox, LayoutCellLinesThatFitScalingAndFormatting) {
  VesTextBox box;
  // A slanted quad with vertex 0 away from the location.
  box.Location(100, 50, 0);
  box.SetVertices(4, 255, 0, 0, 255, 10.0, 20.0, 0.0, 255, 0, 0, 255, 40.0, 20.0, 0.0, 0, 0, 0, 255, 45.0, 33.0, 0.0,
                  0, 0, 0, 255, 10.0, 30.0, 0.0);
  box.CellHeight(-5.0f);
  box.UpdateLayout();
  EXPECT_FALSE(box.LayoutDirty());
  EXPECT_EQ(box.Location().Position(), Vector(110, 70, 0));
  const Vertex* v = box.Vertices();
  EXPECT_EQ(v[0].Position(), Vector(0, 0, 0));
  EXPECT_EQ(v[1].Position(), Vector(30, 0, 0));
  EXPECT_EQ(v[2].Position(), Vector(30, 10, 0));
  EXPECT_EQ(v[3].Position(), Vector(0, 10, 0));
  EXPECT_EQ(v[2].color, vesColor(0, 0, 0, 255));  // the corners keep their colours
  EXPECT_EQ(box.PreviousVertices()[2].Position(), Vector(30, 10, 0));
  // The built-in font's cell: one texture pixel per unit.
  EXPECT_EQ(box.CellWidth(), 16.0f);
  EXPECT_EQ(box.CellHeight(), 17.0f);
  EXPECT_EQ(box.Advance('H', 0), Advance('H'));

  // With control of the cell size the box keeps its own, but never a negative one.
  box.ControlCellSize(true);
  box.CellWidth(32.0f);
  box.CellHeight(-1.0f);
  box.UpdateLayout();
  EXPECT_EQ(box.CellWidth(), 32.0f);
  EXPECT_EQ(box.CellHeight(), 0.0f);
  EXPECT_EQ(box.Advance('H', 0), 2.0f * Advance('H'));

  VesTextBox two;
  two.SetVertices(2, 255, 255, 255, 255, 5.0, 5.0, 0.0, 255, 255, 255, 255, 25.0, 5.0, 0.0);
  two.UpdateLayout();
  ASSERT_EQ(two.NumberOfVertices(), 4u);
  EXPECT_EQ(two.Vertices()[1].Position(), Vector(20, 0, 0));
  EXPECT_EQ(two.Vertices()[3].Position(), Vector(0, 0, 0));
  two.String("WWWW");  // one W fits the 20 units, two do not
  EXPECT_EQ(two.CountLines(), 4);

  VesTextBox scaled;
  Shape(scaled, 40, 20);
  scaled.Scale(2.0f, 0.5f, 1.0f, nullptr, 3);
  EXPECT_EQ(scaled.Vertices()[2].Position(), Vector(80, 10, 0));
  EXPECT_EQ(scaled.AvailableWidth(), 80.0f);
  EXPECT_EQ(scaled.AvailableHeight(), 10.0f);

  VesTextBox pitched;
  Shape(pitched, 100);
  EXPECT_EQ(pitched.LinesThatFit(17.0f), 1);
  EXPECT_EQ(pitched.LinesThatFit(16.9f), 0);
  EXPECT_EQ(pitched.LinesThatFit(50.0f), 2);
  pitched.LineSpacing(0.0f);
  EXPECT_EQ(pitched.LinesThatFit(17.0f), INT_MAX);
  pitched.ControlCellSize(true);
  pitched.CellHeight(0.0f);
  EXPECT_EQ(pitched.LinesThatFit(17.0f), INT_MAX);
  pitched.LineSpacing(1.0f);
  EXPECT_EQ(pitched.LinesThatFit(17.0f), INT_MAX);
  EXPECT_EQ(pitched.LinesThatFit(-1.0f), 0);
  pitched.CellHeight(10.0f);
  pitched.LineSpacing(-1.0f);
  EXPECT_EQ(pitched.LinesThatFit(50.0f), 0);

  VesTextBox formatted;
  formatted.VaString("%d%% at %.1f %s", 42, 3.25, "units");
  EXPECT_EQ(formatted.String(), "42% at 3.2 units");
  const std::string huge(100000, 'x');
  formatted.VaString("%s!", huge.c_str());
  EXPECT_EQ(formatted.String().size(), static_cast<std::size_t>(VesTextBox::kVaStringLimit));
  formatted.VaString(nullptr);
  EXPECT_EQ(formatted.String().size(), static_cast<std::size_t>(VesTextBox::kVaStringLimit));
}

TEST(VesTextBox, LineBreaksTabsUppercaseAndSpacing) {
  VesTextBox box;
  Shape(box, Width("one two") + 1.0f);
  box.String("one two three\nfour  five");
  EXPECT_EQ(Lines(box), (std::vector<std::string>{"one two ", "three\n", "four  ", "five"}));
  EXPECT_EQ(box.CountLines(), 4);
  // Blanks at a line's end do not count towards its width.
  const VesTextBox::Line first = box.BreakLine(0, box.AvailableWidth());
  EXPECT_EQ(first.width, Width("one two"));
  box.Justify(RIGHT);
  EXPECT_EQ(box.BreakLine(0, box.AvailableWidth()).offset, 1.0f);
  box.Justify(CENTER);
  box.Border(2.0f);
  EXPECT_EQ(box.BreakLine(0, 40.0f).offset, (40.0f - Width("one")) * 0.5f + 2.0f);
  box.String("");
  EXPECT_EQ(box.CountLines(), 0);

  VesTextBox chars;
  Shape(chars, Width("abc") + 0.5f);
  chars.String("abcdefgh");
  EXPECT_EQ(Lines(chars), (std::vector<std::string>{"abc", "def", "gh"}));
  Shape(chars, 1.0f);  // narrower than any glyph
  EXPECT_EQ(Lines(chars), (std::vector<std::string>{"a", "b", "c", "d", "e", "f", "g", "h"}));
  chars.String("\n\nx");
  EXPECT_EQ(Lines(chars), (std::vector<std::string>{"\n", "\n", "x"}));

  VesTextBox unwrapped;
  Shape(unwrapped, Width("abc") + 0.5f);
  unwrapped.WrapText(false);
  unwrapped.String("abcdef ghi\njklmno");
  EXPECT_EQ(Lines(unwrapped), (std::vector<std::string>{"abc", "jkl"}));
  EXPECT_EQ(unwrapped.BreakLine(0, unwrapped.AvailableWidth()).next, 11);
  EXPECT_EQ(unwrapped.CountLines(), 2);

  VesTextBox tabbed;
  Shape(tabbed, 200);
  tabbed.String("a\tb");
  EXPECT_EQ(tabbed.Advance('\t', 1), 4.0f * Advance(' '));  // code 9 maps to the first glyph
  EXPECT_EQ(tabbed.BreakLine(0, 200).width, Width("ab") + 4.0f * Advance(' '));
  // Room for "a" and the tab but not "b": the tab stays with the first line as a word.
  Shape(tabbed, Width("a") + 4.0f * Advance(' ') + 1.0f);
  EXPECT_EQ(Lines(tabbed), (std::vector<std::string>{"a\t", "b"}));
  tabbed.TabWidth(8.0f);
  EXPECT_EQ(tabbed.Advance('\t', 1), 8.0f * Advance(' '));

  VesTextBox upper;
  Shape(upper, 500);
  upper.String("ab\xe9");
  upper.Uppercase(true);
  EXPECT_EQ(upper.CodeAt(0), static_cast<unsigned int>('A'));
  EXPECT_EQ(upper.CodeAt(2), 0xC9u);
  EXPECT_EQ(upper.BreakLine(0, 500).width, Width("AB\xc9"));
  upper.CharSpacing(2.0f);
  EXPECT_EQ(upper.BreakLine(0, 500).width, 2.0f * Width("AB\xc9"));
}

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

TEST_F(TextBoxDrawing, VerticalAlignmentPlacesTheBlockOfLinesAndTextFollowsARotatedRectangle) {
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

  VesTextBox turned;
  // A box standing on its side: its x axis points up the screen.
  turned.Location(90, 0, 0);
  turned.SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 0.0, 80.0, 0.0, 255, 255, 255, 255,
                     -40.0, 80.0, 0.0, 255, 255, 255, 255, -40.0, 0.0, 0.0);
  turned.PolygonMode(0);
  turned.TextColor(vesColor(255, 255, 255, 255));
  turned.String("----");
  turned.UpdateLayout();
  EXPECT_EQ(turned.XAxis(), Vector(0, 1, 0));
  const vessant::RgbaImage turnedImage = Render(turned);
  // The dashes run up the screen near the box's top side, which lies at x = 50.
  auto rows = InkRows(turnedImage, 50, 90);
  EXPECT_GE(rows.first, 0);
  EXPECT_GT(rows.second - rows.first, 15) << "a vertical run of dashes";
  EXPECT_EQ(InkRows(turnedImage, 0, 50).first, -1);
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

TEST_F(TextBoxDrawing, InverseVideoDrawsTheGlyphAsAHoleOrSwapsTheColoursOfABackground) {
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

  VesTextBox backed;
  PrepareBigH(backed);
  backed.BgColor(vesColor(0, 0, 255, 255));
  vessant::RgbaImage swapped = Render(backed);
  const Cell backedCell = FirstCell('H', 4.0f);
  // Normal: blue cell, white glyph.
  EXPECT_EQ(Pixel(swapped, backedCell.x1 - 2, backedCell.y1 - 2), (Rgba{0, 0, 255, 255}));
  backed.Inverse(true);
  swapped = Render(backed);
  EXPECT_EQ(Pixel(swapped, backedCell.x1 - 2, backedCell.y1 - 2), (Rgba{255, 255, 255, 255}));
  int blue = 0;
  for (int y = backedCell.y0; y < backedCell.y1; ++y) {
    for (int x = backedCell.x0; x < backedCell.x1; ++x) blue += Pixel(swapped, x, y).r < 80 && Pixel(swapped, x, y).b == 255;
  }
  EXPECT_GT(blue, 100) << "the glyph in the background colour";
}

}  // namespace
}  // namespace orvan
