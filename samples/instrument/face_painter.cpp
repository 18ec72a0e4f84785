// Draws the instrument's dial face at build time: a 128 x 128 RGBA picture, a steel-blue disc
// that darkens towards its rim, two rings, twelve faint spokes, transparent outside the disc.
// Usage: instrument_face_painter OUTPUT.png
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "vessant_image/painted_picture.h"

namespace {

constexpr int kSize = 128;
constexpr double kPi = 3.14159265358979323846;

// How strongly a line of the given half width at distance d covers a pixel, 0 to 1.
double Line(double d, double halfWidth) { return std::max(0.0, std::min(1.0, halfWidth + 0.5 - std::fabs(d))); }

std::uint8_t Mix(double a, double b, double t) { return static_cast<std::uint8_t>(std::lround(a + (b - a) * t)); }

}  // namespace

int main(int argc, char** argv) {
  return vessant_image::PaintedPictureMain(argc, argv, "instrument_face_painter", [] {
    const double centre = kSize / 2.0, radius = kSize / 2.0;
    return vessant_image::PaintPixels(kSize, kSize, 4, [&](int x, int y, std::uint8_t* p) {
      const double dx = x + 0.5 - centre, dy = y + 0.5 - centre;
      const double r = std::sqrt(dx * dx + dy * dy) / radius;  // 0 at the centre, 1 at the rim
      // From a pale steel blue in the middle to a deep navy at the rim.
      double red = 196 - 170 * r * r, green = 214 - 160 * r * r, blue = 236 - 130 * r * r;
      const double angle = std::atan2(dy, dx);
      const double spoke = std::fabs(std::remainder(angle, kPi / 6.0)) * r * radius;
      const double ink = std::max({Line((r - 0.9) * radius, 0.8), Line((r - 0.6) * radius, 0.5),
                                   r > 0.62 && r < 0.88 ? 0.35 * Line(spoke, 0.5) : 0.0});
      p[0] = Mix(red, 235, ink);
      p[1] = Mix(green, 240, ink);
      p[2] = Mix(blue, 250, ink);
      p[3] = static_cast<std::uint8_t>(std::lround(255 * std::max(0.0, std::min(1.0, (1.0 - r) * radius + 0.5))));
    });
  });
}
