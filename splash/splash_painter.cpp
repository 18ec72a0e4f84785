// Draws the splash picture at build time: a 1024 x 512 RGBA panel with rounded (transparent)
// corners, a dark instrument-panel gradient with a faint grid, the words "VESSANT PLAYER" in a
// stroke lettering of its own, a round gauge on the right and a dark band at the bottom that
// the status line is written over.
// Usage: splash_painter OUTPUT.png
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "vessant_image/painted_picture.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 512;
constexpr double kPi = 3.14159265358979323846;

struct Point {
  double x, y;
};
struct Segment {
  Point a, b;
};

double Clamp01(double v) { return std::max(0.0, std::min(1.0, v)); }

double DistanceToSegment(double px, double py, const Segment& s) {
  const double dx = s.b.x - s.a.x, dy = s.b.y - s.a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0.0 ? ((px - s.a.x) * dx + (py - s.a.y) * dy) / len2 : 0.0;
  t = Clamp01(t);
  const double ex = s.a.x + t * dx - px, ey = s.a.y + t * dy - py;
  return std::sqrt(ex * ex + ey * ey);
}

// Strokes of the capitals the picture needs, on a 4 x 6 grid with y downwards.
std::vector<Segment> Letter(char c) {
  switch (c) {
    case 'V': return {{{0, 0}, {2, 6}}, {{2, 6}, {4, 0}}};
    case 'E': return {{{4, 0}, {0, 0}}, {{0, 0}, {0, 6}}, {{0, 6}, {4, 6}}, {{0, 3}, {3, 3}}};
    case 'S': return {{{4, 0}, {0, 0}}, {{0, 0}, {0, 3}}, {{0, 3}, {4, 3}}, {{4, 3}, {4, 6}}, {{4, 6}, {0, 6}}};
    case 'A': return {{{0, 6}, {2, 0}}, {{2, 0}, {4, 6}}, {{0.83, 3.5}, {3.17, 3.5}}};
    case 'N': return {{{0, 6}, {0, 0}}, {{0, 0}, {4, 6}}, {{4, 6}, {4, 0}}};
    case 'T': return {{{0, 0}, {4, 0}}, {{2, 0}, {2, 6}}};
    case 'P': return {{{0, 6}, {0, 0}}, {{0, 0}, {4, 0}}, {{4, 0}, {4, 3}}, {{4, 3}, {0, 3}}};
    case 'L': return {{{0, 0}, {0, 6}}, {{0, 6}, {4, 6}}};
    case 'Y': return {{{0, 0}, {2, 3}}, {{4, 0}, {2, 3}}, {{2, 3}, {2, 6}}};
    case 'R': return {{{0, 6}, {0, 0}}, {{0, 0}, {4, 0}}, {{4, 0}, {4, 3}}, {{4, 3}, {0, 3}}, {{1.5, 3}, {4, 6}}};
    default: return {};
  }
}

class Canvas {
 public:
  Canvas() : pixels(static_cast<std::size_t>(kWidth) * kHeight * 4) {}

  void Blend(int x, int y, double r, double g, double b, double coverage) {
    if (x < 0 || y < 0 || x >= kWidth || y >= kHeight || coverage <= 0.0) return;
    std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4];
    const double t = Clamp01(coverage);
    p[0] = static_cast<std::uint8_t>(std::lround(p[0] + (r - p[0]) * t));
    p[1] = static_cast<std::uint8_t>(std::lround(p[1] + (g - p[1]) * t));
    p[2] = static_cast<std::uint8_t>(std::lround(p[2] + (b - p[2]) * t));
  }

  // Strokes of half width hw over the box they span, antialiased by distance.
  void Strokes(const std::vector<Segment>& strokes, double hw, double r, double g, double b) {
    if (strokes.empty()) return;
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Segment& s : strokes) {
      x0 = std::min({x0, s.a.x, s.b.x});
      y0 = std::min({y0, s.a.y, s.b.y});
      x1 = std::max({x1, s.a.x, s.b.x});
      y1 = std::max({y1, s.a.y, s.b.y});
    }
    for (int y = static_cast<int>(y0 - hw - 2); y <= static_cast<int>(y1 + hw + 2); ++y) {
      for (int x = static_cast<int>(x0 - hw - 2); x <= static_cast<int>(x1 + hw + 2); ++x) {
        double d = 1e9;
        for (const Segment& s : strokes) d = std::min(d, DistanceToSegment(x + 0.5, y + 0.5, s));
        Blend(x, y, r, g, b, hw + 0.5 - d);
      }
    }
  }

  void Word(const std::string& word, double left, double top, double scale, double hw) {
    double x = left;
    for (char c : word) {
      std::vector<Segment> strokes = Letter(c);
      for (Segment& s : strokes) {
        s.a = {x + s.a.x * scale, top + s.a.y * scale};
        s.b = {x + s.b.x * scale, top + s.b.y * scale};
      }
      // A soft shadow first, then the letter.
      std::vector<Segment> shadow = strokes;
      for (Segment& s : shadow) {
        s.a.x += 4; s.a.y += 4; s.b.x += 4; s.b.y += 4;
      }
      Strokes(shadow, hw + 1.5, 0, 0, 0);
      Strokes(strokes, hw, 236, 242, 250);
      x += scale * 4.0 + scale * 1.6;
    }
  }

  std::vector<std::uint8_t> pixels;
};

void PaintBackground(Canvas& c) {
  constexpr double kCorner = 36.0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t* p = &c.pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4];
      const double t = static_cast<double>(y) / kHeight;
      double r = 30 - 18 * t, g = 44 - 26 * t, b = 70 - 40 * t;
      // A faint grid, as on a panel's backplate.
      if (x % 32 == 0 || y % 32 == 0) {
        r += 8; g += 10; b += 14;
      }
      p[0] = static_cast<std::uint8_t>(r);
      p[1] = static_cast<std::uint8_t>(g);
      p[2] = static_cast<std::uint8_t>(b);
      // Rounded corners: distance outside the inner rectangle decides the alpha.
      const double cx = std::max(kCorner - (x + 0.5), std::max(0.0, x + 0.5 - (kWidth - kCorner)));
      const double cy = std::max(kCorner - (y + 0.5), std::max(0.0, y + 0.5 - (kHeight - kCorner)));
      const double outside = std::sqrt(std::max(0.0, cx) * std::max(0.0, cx) + std::max(0.0, cy) * std::max(0.0, cy));
      p[3] = static_cast<std::uint8_t>(std::lround(255 * Clamp01(kCorner + 0.5 - outside)));
    }
  }
}

void PaintGauge(Canvas& c) {
  const double cx = 800, cy = 200, radius = 130;
  for (int y = 60; y < 340; ++y) {
    for (int x = 660; x < 940; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double r = std::sqrt(dx * dx + dy * dy);
      c.Blend(x, y, 12, 18, 30, Clamp01(radius + 0.5 - r));                   // face
      c.Blend(x, y, 150, 170, 195, Clamp01(3.5 - std::fabs(r - radius)));      // bezel
      c.Blend(x, y, 90, 110, 140, Clamp01(1.5 - std::fabs(r - radius * 0.7)));  // inner ring
    }
  }
  // Ticks over a 270 degree sweep, the last quarter in amber.
  for (int i = 0; i <= 20; ++i) {
    const double a = (225.0 - 13.5 * i) * kPi / 180.0;
    const double inner = i % 5 == 0 ? radius - 34 : radius - 22;
    const Segment tick{{cx + inner * std::cos(a), cy - inner * std::sin(a)},
                       {cx + (radius - 10) * std::cos(a), cy - (radius - 10) * std::sin(a)}};
    if (i >= 15)
      c.Strokes({tick}, i % 5 == 0 ? 2.5 : 1.5, 245, 170, 40);
    else
      c.Strokes({tick}, i % 5 == 0 ? 2.5 : 1.5, 220, 228, 240);
  }
  const double needle = (225.0 - 13.5 * 12) * kPi / 180.0;
  c.Strokes({{{cx - 18 * std::cos(needle), cy + 18 * std::sin(needle)},
              {cx + (radius - 26) * std::cos(needle), cy - (radius - 26) * std::sin(needle)}}},
            3.0, 240, 80, 50);
  c.Strokes({{{cx, cy}, {cx, cy}}}, 9.0, 190, 200, 215);
}

void PaintStatusBand(Canvas& c) {
  for (int y = 400; y < 486; ++y) {
    for (int x = 0; x < kWidth; ++x) c.Blend(x, y, 4, 6, 12, 0.75);
  }
  for (int x = 24; x < kWidth - 24; ++x) c.Blend(x, 398, 245, 170, 40, 1.0);
}

}  // namespace

int main(int argc, char** argv) {
  return vessant_image::PaintedPictureMain(argc, argv, "splash_painter", [] {
    Canvas canvas;
    PaintBackground(canvas);
    PaintGauge(canvas);
    canvas.Word("VESSANT", 70, 110, 13.0, 5.0);
    canvas.Word("PLAYER", 70, 220, 13.0, 5.0);
    PaintStatusBand(canvas);
    vessant_image::Picture picture;
    picture.width = kWidth;
    picture.height = kHeight;
    picture.components = 4;
    picture.pixels = std::move(canvas.pixels);
    return picture;
  });
}
