// Cost of a text box with 10,000 characters of wrapped text drawn per frame (line breaking,
// glyph quads, colour and texture state) against a raw immediate-mode loop that draws the same
// glyph quads from the same font texture, laid out once beforehand. Both draw in the same
// context, are timed frame by frame, interleaved, and the medians compared (target: at most
// 1.3x). Then layout alone: CountLines over 1 MB of text, in MB/s, against one pass that only
// sums the glyph advances of the same text.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "orvan/font_registry.h"
#include "orvan/image.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text_box.h"

namespace {

constexpr int kSize = 512;
constexpr int kCharacters = 10000;

// Words of 1 to 9 letters with blanks between them, the same every run.
std::string Words(std::size_t length) {
  std::string text;
  unsigned int seed = 12345;
  while (text.size() < length) {
    seed = seed * 1103515245u + 12345u;
    const int letters = 1 + static_cast<int>((seed >> 16) % 9);
    for (int i = 0; i < letters && text.size() < length; ++i) {
      seed = seed * 1103515245u + 12345u;
      text += static_cast<char>('a' + (seed >> 16) % 26);
    }
    if (text.size() < length) text += ' ';
  }
  return text;
}

struct Quad {
  float x0, y0, x1, y1, s0, t0, s1, t1;
};

// The quads the box draws, from its own line breaking, for the raw loop.
std::vector<Quad> LaidOut(orvan::VesTextBox& box, int* drawnCharacters) {
  orvan::VesFontBase* font = orvan::FontRegistry::DefaultFont();
  const float h = box.CellWidth() / 16.0f, v = box.CellHeight() / 17.0f;
  const std::string text = box.String();
  const int n = static_cast<int>(text.size()), maxLines = box.LinesThatFit(box.AvailableHeight());
  std::vector<Quad> quads;
  float y = box.AvailableHeight() - box.CellHeight();
  int start = 0;
  *drawnCharacters = 0;
  orvan::VesTextBox::Line line = box.BreakLine(0, box.AvailableWidth());
  for (int drawn = 0; drawn < maxLines; ++drawn) {
    float x = line.offset;
    for (int i = start; i < line.end; ++i) {
      const auto& g = font->Glyph(static_cast<unsigned char>(text[static_cast<std::size_t>(i)]));
      const float x0 = x + h * g[10];
      quads.push_back(Quad{x0, y, x0 + h * g[0], y + v * 17.0f, g[2], g[8], g[3], g[9]});
      x += h * g[12];
      ++*drawnCharacters;
    }
    if (line.next >= n) break;
    start = line.next;
    line = box.BreakLine(start, box.AvailableWidth());
    y -= box.CellHeight();
  }
  return quads;
}

void DrawBox(orvan::VesTextBox& box) {
  bench::SetUpFrame(kSize, 1.0f);
  box.Draw();
  glFinish();
}

void DrawDirectly(const std::vector<Quad>& quads, GLuint texture) {
  bench::SetUpFrame(kSize, 1.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  glColor4ub(0, 0, 0, 255);
  glBegin(GL_QUADS);
  for (const Quad& q : quads) {
    glTexCoord2f(q.s0, q.t0);
    glVertex2f(q.x0, q.y0);
    glTexCoord2f(q.s1, q.t0);
    glVertex2f(q.x1, q.y0);
    glTexCoord2f(q.s1, q.t1);
    glVertex2f(q.x1, q.y1);
    glTexCoord2f(q.s0, q.t1);
    glVertex2f(q.x0, q.y1);
  }
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glFinish();
}

void MeasureDrawing(int frames) {
  orvan::VesTextBox box;
  box.SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 512.0, 0.0, 0.0, 255, 255, 255, 255, 512.0,
                  512.0, 0.0, 255, 255, 255, 255, 0.0, 512.0, 0.0);
  box.PolygonMode(0);
  box.ControlCellSize(true);
  box.CellWidth(6.5f);
  box.CellHeight(6.5f * 17.0f / 16.0f);
  box.String(Words(kCharacters));
  box.UpdateLayout();
  int drawnCharacters = 0;
  const std::vector<Quad> quads = LaidOut(box, &drawnCharacters);
  std::printf("text box: %d characters, %d drawn on %d lines in %d x %d pixels, %d frames each\n", kCharacters,
              drawnCharacters, box.CountLines(), kSize, kSize, frames);

  DrawBox(box);  // uploads the font texture
  const GLuint texture = orvan::FontRegistry::DefaultFont()->GetImage()->TextureName();
  for (int i = 0; i < 10; ++i) {
    DrawBox(box);
    DrawDirectly(quads, texture);
  }
  std::vector<double> graph, direct;
  for (int i = 0; i < frames; ++i) {
    graph.push_back(bench::Milliseconds([&] { DrawBox(box); }));
    direct.push_back(bench::Milliseconds([&] { DrawDirectly(quads, texture); }));
  }
  const double g = bench::Median(graph), d = bench::Median(direct);
  std::printf("  text box (breaks lines every frame): %.3f ms per frame (median)\n", g);
  std::printf("  raw immediate mode, same quads:      %.3f ms per frame\n", d);
  std::printf("  ratio: %.3fx (target: at most 1.3x)\n", g / d);
}

void MeasureLayout() {
  constexpr std::size_t kBytes = 1 << 20;
  orvan::VesTextBox box;
  box.SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 500.0, 0.0, 0.0, 255, 255, 255, 255, 500.0,
                  100.0, 0.0, 255, 255, 255, 255, 0.0, 100.0, 0.0);
  box.UpdateLayout();
  box.String(Words(kBytes));
  orvan::VesFontBase* font = orvan::FontRegistry::DefaultFont();
  const std::string text = box.String();
  int lines = 0;
  float sum = 0.0f;
  std::vector<double> layout, baseline;
  for (int i = 0; i < 7; ++i) {
    layout.push_back(bench::Milliseconds([&] { lines = box.CountLines(); }));
    baseline.push_back(bench::Milliseconds([&] {
      float total = 0.0f;
      for (unsigned char c : text) total += font->Glyph(c)[12];
      sum = total;
    }));
  }
  const double l = bench::Median(layout), b = bench::Median(baseline);
  const double megabytes = static_cast<double>(kBytes) / (1 << 20);
  std::printf("layout: CountLines over 1 MB of words at 500 units wide: %d lines\n", lines);
  std::printf("  CountLines:            %.2f ms, %.1f MB/s (median of 7)\n", l, megabytes / (l / 1000.0));
  std::printf("  summing advances only: %.2f ms, %.1f MB/s (sum %.0f)\n", b, megabytes / (b / 1000.0),
              static_cast<double>(sum));
  std::printf("  ratio: %.2fx\n", l / b);
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 100;
  MeasureLayout();
  bench::EglContext context(kSize);
  if (!context.Open()) {
    std::printf("text_box: no EGL OpenGL context available, drawing not measured\n");
    return 0;
  }
  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  MeasureDrawing(frames);
  return 0;
}
