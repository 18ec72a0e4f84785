// Draws the showcase's faceplate at build time: a 256 x 256 RGB picture that the panel stretches
// over its 160 x 120 units. Brushed slate metal with an engraved border and four screws, the
// gauge's dark dial with its ticks and red zone, the slider's slot with its marks and the well
// of the run lamp, all where showcase_layout.h puts the parts.
// Usage: showcase_plate_painter OUTPUT.png
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "showcase/showcase_layout.h"
#include "vessant_image/painted_picture.h"

namespace {

constexpr int kSize = 256;
constexpr double kPi = 3.14159265358979323846;

// How much a line of half width w (panel units) at distance d covers a pixel of size px.
double Cover(double d, double w, double px) { return std::clamp((w - std::fabs(d)) / px + 0.5, 0.0, 1.0); }

struct Colour {
  double r, g, b;
};

void Paint(Colour& c, const Colour& ink, double amount) {
  c.r += (ink.r - c.r) * amount;
  c.g += (ink.g - c.g) * amount;
  c.b += (ink.b - c.b) * amount;
}

// The colour of the panel at (x, y) in its units; px is one pixel's size there.
Colour Plate(double x, double y, double px) {
  using namespace showcase;
  // Slate, lighter towards the top, with a fine horizontal brushing.
  const double grain = std::sin(y * 37.0 + std::sin(x * 0.7) * 2.0) * 3.0;
  Colour c{62 + y * 0.18 + grain, 70 + y * 0.18 + grain, 80 + y * 0.2 + grain};
  // An engraved border: a dark groove with a bright lip below it.
  const double edge = std::min({x - 3.0, kWidth - 3.0 - x, y - 3.0, kHeight - 3.0 - y});
  Paint(c, {25, 28, 34}, Cover(edge, 0.35, px));
  Paint(c, {140, 150, 160}, Cover(edge + 0.7, 0.25, px));
  // Screws in the corners, each with its slot.
  for (double sx : {7.0, kWidth - 7.0})
    for (double sy : {7.0, kHeight - 7.0}) {
      const double r = std::hypot(x - sx, y - sy);
      Paint(c, {175, 180, 186}, Cover(r, 2.4, px) * (r < 2.4 ? 1.0 : 0.0) + Cover(r - 1.2, 1.2, px));
      Paint(c, {40, 40, 44}, Cover(x - y - (sx - sy), 0.3, px) * (r < 2.0 ? 1.0 : 0.0));
    }
  // The dial: near black inside the bezel, ticks every 2 units of value, long ones every 10.
  const double dx = x - kGaugeX, dy = y - kGaugeY, r = std::hypot(dx, dy);
  if (r < kBezelOuter) Paint(c, {12, 14, 18}, Cover(r - kBezelOuter / 2, kBezelOuter / 2, px));
  const double angle = std::atan2(-dx, dy) * 180.0 / kPi;  // counter-clockwise from up
  if (std::fabs(angle) <= kSweepHalf + 0.5) {
    const double value = (kSweepHalf - angle) * 100.0 / (2 * kSweepHalf);
    const double along = std::fabs(std::remainder(value, 2.0)) * 2 * kSweepHalf / 100.0 * kPi / 180.0 * r;
    const bool major = std::fabs(std::remainder(value, 10.0)) < 1.0;
    const double inner = major ? kDialRadius - 8.0 : kDialRadius - 4.5;
    if (r > inner && r < kDialRadius - 1.0) Paint(c, {230, 232, 236}, Cover(along, major ? 0.55 : 0.3, px));
    if (value >= 80.0) Paint(c, {200, 40, 30}, Cover(r - (kDialRadius - 0.5), 0.9, px));
  }
  // The slider's slot and its marks at 0, 25, 50, 75 and 100.
  const double slot = std::max(std::fabs(y - kSlotY) - 1.8, std::max(kSlotLeft - 3.0 - x, x - kSlotRight - 3.0));
  Paint(c, {10, 10, 12}, Cover(slot - 0.5, 0.5, px) * (slot < 0.5 ? 1.0 : 0.0) + (slot < 0.0 ? 1.0 : 0.0));
  for (int i = 0; i <= 4; ++i) {
    const double mx = kSlotLeft + (kSlotRight - kSlotLeft) * i / 4.0;
    if (y > kSlotY - kSlotHalfHeight - 4.0 && y < kSlotY - kSlotHalfHeight - 1.0)
      Paint(c, {220, 222, 226}, Cover(x - mx, 0.3, px));
  }
  // The lamp's well.
  Paint(c, {20, 22, 26}, Cover(std::hypot(x - kLampX, y - kLampY) - kLampRadius - 1.0, 1.2, px));
  return c;
}

}  // namespace

int main(int argc, char** argv) {
  return vessant_image::PaintedPictureMain(argc, argv, "showcase_plate_painter", [] {
    const double sx = showcase::kWidth / kSize, sy = showcase::kHeight / kSize;
    return vessant_image::PaintPixels(kSize, kSize, 3, [&](int column, int row, std::uint8_t* p) {
      // The first row is the panel's top.
      const Colour c = Plate((column + 0.5) * sx, showcase::kHeight - (row + 0.5) * sy, std::max(sx, sy));
      p[0] = static_cast<std::uint8_t>(std::lround(std::clamp(c.r, 0.0, 255.0)));
      p[1] = static_cast<std::uint8_t>(std::lround(std::clamp(c.g, 0.0, 255.0)));
      p[2] = static_cast<std::uint8_t>(std::lround(std::clamp(c.b, 0.0, 255.0)));
    });
  });
}
