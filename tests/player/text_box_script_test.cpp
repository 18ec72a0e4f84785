// Text boxes drawn by the player: a component with one text box ("box", white text at 1:1 in a
// 180 x 80 rectangle from the origin) has its attributes set through script lines, and the snapshot
// shows the built-in font's glyphs where the layout and the glyph table put them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "orvan/font_registry.h"
#include "orvan/image.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text_box.h"
#include "support/acquisition_fixture.h"
#include "support/png_read.h"
#include "support/rectangle.h"
#include "support/run_command.h"

namespace {

constexpr int kWidth = 200, kHeight = 100;
constexpr int kBoxX = 0, kBoxY = 0, kBoxHeight = 80;

struct Shot {
  vessant::RgbaImage image;
  std::string output;
  // The pixel showing world point (x, y) (origin lower left, one unit per pixel).
  const std::uint8_t* At(int x, int y) const { return image.At(x, kHeight - 1 - y); }
};

class TextBoxThroughThePlayer : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access(TEXT_PANEL_LIBRARY, R_OK) != 0) GTEST_SKIP() << "text panel fixture not built";
  }

  // Runs the script's lines, then one frame and a snapshot.
  Shot Run(const std::string& lines) {
    Shot shot;
    const std::string png = dir.Path() + "/shot.png";
    vessant::test::WriteText(dir.Path() + "/script.txt", lines + "frames 1\nsnapshot " + png + "\nquit\n");
    const auto r = vessant::test::RunCommand(
        "TEMP='" + dir.Path() + "' " + vessant::test::PlayerPath() + " --headless --size 200x100" +
        " --set UseExtents=FALSE --set UseContainerBackground=FALSE --set BackgroundColor=0 --script " +
        TEXT_PANEL_LIBRARY + " < " + dir.Path() + "/script.txt");
    shot.output = r.output;
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(vessant::test::ReadPng(png, &shot.image)) << r.output;
    return shot;
  }

  vessant::test::ScratchDir dir;
};

// What white glyphs on black look like: each glyph's texels blended over what lies below, for
// the lines the layout gives (the same box, font and sizes as the fixture's).
std::vector<float> ExpectedText(const std::string& text, float width, bool wrap) {
  orvan::VesTextBox box;
  vessant::test::SetRectangle(box, width, 80.0);
  box.String(text);
  box.WrapText(wrap);
  box.UpdateLayout();
  orvan::VesFontBase* font = orvan::FontRegistry::DefaultFont();
  const unsigned char* texels = font->GetImage()->Pixels();
  std::vector<float> out(kWidth * kHeight, 0.0f);
  const int n = static_cast<int>(text.size());
  int start = 0, y = kBoxY + kBoxHeight - 17;
  orvan::VesTextBox::Line line = box.BreakLine(0, width);
  for (int drawn = 0; n > 0 && drawn < box.LinesThatFit(80.0f); ++drawn) {
    int x = kBoxX + static_cast<int>(line.offset);
    for (int i = start; i < line.end; ++i) {
      const unsigned int c = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
      if (c == '\n') continue;
      const auto& g = font->Glyph(c);
      const int s0 = static_cast<int>(g[2] * 256.0f + 0.5f), t0 = static_cast<int>(g[8] * 256.0f + 0.5f);
      const int x0 = x + static_cast<int>(g[10]);
      for (int row = 0; row < 17; ++row) {
        for (int col = 0; col < static_cast<int>(g[0]); ++col) {
          const int px = x0 + col, py = y + row;
          if (px < 0 || px >= kWidth || py < 0 || py >= kHeight) continue;
          const float a = texels[((t0 + row) * 256 + s0 + col) * 2 + 1] / 255.0f;
          float& dst = out[static_cast<std::size_t>(py * kWidth + px)];
          dst = a * 255.0f + (1.0f - a) * dst;
        }
      }
      x += static_cast<int>(g[12]);
    }
    if (line.next <= start || line.next >= n) break;
    start = line.next;
    line = box.BreakLine(start, width);
    y -= 17;
  }
  return out;
}

// Every pixel of the snapshot against the expected grey (red, green and blue alike).
void ExpectPixels(const Shot& shot, const std::vector<float>& expected) {
  int inked = 0, wrong = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const float want = expected[static_cast<std::size_t>(y * kWidth + x)];
      const std::uint8_t* p = shot.At(x, y);
      if (want > 0.0f) ++inked;
      for (int k = 0; k < 3; ++k) {
        if (std::abs(p[k] - want) > 2.5f && ++wrong <= 10) {
          ADD_FAILURE() << "pixel " << x << "," << y << " component " << k << " is " << int(p[k]) << ", expected "
                        << want;
        }
      }
    }
  }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(inked, 20);
}

TEST_F(TextBoxThroughThePlayer, WrappedTextLandsOnTheLinesTheLayoutGives) {
  // Every glyph's texels where the glyph table says, on the lines the layout gives. A 60-unit box: the words go on lines of their own, the long one broken by characters; a
  // newline ends a line early.
  const std::string text = "one two Mississippi\nx";
  const std::string narrow = "setattrib box.Vertices 4\\n0 0 0 255 255 255 255\\n60 0 0 255 255 255 255\\n"
                             "60 80 0 255 255 255 255\\n0 80 0 255 255 255 255\n"
                             "setattrib box.Text one two Mississippi\\nx\n";
  ExpectPixels(Run(narrow), ExpectedText(text, 60.0f, true));
  // Wrapping off cuts each source line at the box's edge instead.
  ExpectPixels(Run("setattrib box.WrapText 0\n" + narrow), ExpectedText(text, 60.0f, false));
}

// Rows (relative to the pen) at which column x shows colour c.
std::vector<int> RowsShowing(const Shot& shot, int x, int penY, int red, int green, int blue) {
  std::vector<int> rows;
  for (int dy = -3; dy < 20; ++dy) {
    const std::uint8_t* p = shot.At(x, penY + dy);
    if (std::abs(p[0] - red) < 40 && std::abs(p[1] - green) < 40 && std::abs(p[2] - blue) < 40) rows.push_back(dy);
  }
  return rows;
}

TEST_F(TextBoxThroughThePlayer, UnderlineAndStrikeThroughBarsLieWhereTheFontsOffsetsPutThem) {
  // The columns under the blanks between two x's, and the line's pen height.
  orvan::VesFontBase* font = orvan::FontRegistry::DefaultFont();
  const int x0 = kBoxX + static_cast<int>(font->Glyph('x')[12]) + 1, penY = kBoxY + kBoxHeight - 17;
  const int x1 = x0 + 4 * static_cast<int>(font->Glyph(' ')[12]) - 2;
  // Every column under the blanks shows the bar within rows low..high of the pen, or (high < low) nothing.
  const auto expectBar = [&](const std::string& lines, int low, int high) {
    const Shot shot = Run(lines);
    for (int x = x0; x <= x1; ++x) {
      const std::vector<int> rows = RowsShowing(shot, x, penY, 255, 255, 255);
      if (high < low) {
        EXPECT_TRUE(rows.empty()) << lines << x;
      } else {
        ASSERT_FALSE(rows.empty()) << lines << "no bar at column " << x;
        EXPECT_GE(rows.front(), low) << lines << x;
        EXPECT_LE(rows.back(), high) << lines << x;
      }
    }
  };
  // Underline offset 1 and thickness 1: the bar spans the cell's bottom pixel row.
  expectBar("setattrib box.Underline 1\nsetattrib box.Text x\\s\\s\\s\\sx\n", -1, 1);
  // Strike-through: half the cell height up (8.5), one unit thick.
  expectBar("setattrib box.StrikeThru 1\nsetattrib box.Text x\\s\\s\\s\\sx\n", 6, 9);
  // Blanks at the end of a line get no bar.
  expectBar("setattrib box.Underline 1\nsetattrib box.Text x\\s\\s\\s\\s\n", 0, -1);
}

TEST_F(TextBoxThroughThePlayer, ShadowAndHaloColoursAppearBesideTheGlyphs) {
  // A big "I" (cells of 64 x 68 units, four units per texel): the shadow lies 0.13 cell widths
  // (8.3 units) right and down of the stem, the halo about two units around it.
  const std::string big = "setattrib box.ControlCellSize 1\nsetattrib box.CellWidth 64\nsetattrib box.CellHeight 68\n"
                          "setattrib box.Text I\n";
  const Shot plain = Run(big);
  const int row = kBoxY + kBoxHeight - 68 + 40;
  int left = -1, right = -1, core = 0;
  for (int x = kBoxX; x < kBoxX + 64; ++x) {
    const int red = plain.At(x, row)[0];
    if (red > 60) {
      if (left < 0) left = x;
      right = x;
    }
    if (red > plain.At(core, row)[0]) core = x;
  }
  ASSERT_GE(left, 0) << "no stem found";
  ASSERT_LT(right - left, 12);
  EXPECT_EQ(plain.At(right + 3, row)[0], 0);
  const std::uint8_t stem = plain.At(core, row)[0];

  const Shot shadowed = Run(big + "setattrib box.Shadow 1\nsetattrib box.ShadowColor 255 0 0 255\n");
  const std::uint8_t* beside = shadowed.At(right + 3, row - 4);
  EXPECT_GT(beside[0], 100);
  EXPECT_EQ(beside[1], 0);
  EXPECT_EQ(shadowed.At(core, row)[1], stem) << "the glyph is drawn over its shadow";
  EXPECT_EQ(shadowed.At(left - 3, row)[0], 0) << "nothing to the left";

  const Shot haloed = Run(big + "setattrib box.Halo 1\nsetattrib box.HaloColor 0 255 0 255\n");
  for (int x : {left - 1, right + 1}) {
    const std::uint8_t* edge = haloed.At(x, row);
    EXPECT_GT(edge[1] - edge[0], 40) << "no halo at column " << x;
  }
  EXPECT_EQ(haloed.At(core, row)[0], stem);
  EXPECT_EQ(haloed.At(right + 6, row)[1], 0) << "the halo stays close";
}

TEST_F(TextBoxThroughThePlayer, TheTextAttributeCarriesBlanksNewlinesAndNonAsciiBytes) {
  const std::string reply = Run("setattrib box.Text Gr\xc3\xbc\xc3\x9f" "e\\sWelt\ngetattrib box.Text\n"
                                "setattrib box.Text two\\nlines\ngetattrib box.Text\n"
                                "setattrib box.Text \\\\\\\\back\\tslash\ngetattrib box.Text\n")
                                .output;
  // Blanks are written escaped; a value with line breaks goes out framed by the block markers.
  EXPECT_NE(reply.find("\"value\":\"Gr\xc3\xbc\xc3\x9f" "e\\\\sWelt\""), std::string::npos) << reply;
  EXPECT_NE(reply.find("\"value\":\"#$STRING_START$#two\\nlines#$STRING_END$#\""), std::string::npos) << reply;
  EXPECT_NE(reply.find("\"value\":\"\\\\\\\\back\\\\tslash\""), std::string::npos) << reply;
}

}  // namespace
