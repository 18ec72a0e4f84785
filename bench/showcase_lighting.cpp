// The showcase panel's frame time with its lighting on and off: the same panel drawn through the
// scene graph (Calculate, PreDraw, Draw, then glFinish) in one EGL context, in interleaved
// batches, so that both modes see the same machine. The lit frame runs the light manager and
// OpenGL's fixed-function lighting over the bezel's 96 facets and the slider thumb; off, those
// draw in their plain colours. A pixel of the bezel read back from each mode shows that the
// switch took effect.
#include <GL/gl.h>

#include <cstdio>
#include <vector>

#include "bench/bench_support.h"
#include "showcase/showcase.h"
#include "showcase/showcase_layout.h"

namespace {

constexpr int kSize = 480;  // the panel's 160 units across
constexpr int kFramesPerBatch = 50;
constexpr int kBatches = 12;

void Frame(Showcase& panel, double time) {
  bench::SetUpFrame(kSize, 0.1f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, showcase::kWidth, 0, showcase::kWidth, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  panel.Calculate(time);
  bench::DrawScene(panel);
}

}  // namespace

int main() {
  bench::EglContext context(kSize);
  if (!context.Open("showcase_lighting")) return 0;
  Showcase panel;
  panel.Initialize();
  std::vector<double> perFrame[2];  // [0] lighting off, [1] on
  unsigned char bezel[2][4] = {};
  double time = 0.0;
  for (int batch = 0; batch < kBatches; ++batch) {
    for (int lit = 0; lit < 2; ++lit) {
      panel.Lighting(lit == 1);
      Frame(panel, time);  // settles the mode's state before timing
      const double ms = bench::Milliseconds([&] {
        for (int i = 0; i < kFramesPerBatch; ++i) Frame(panel, time += 1.0 / 60.0);
      });
      if (batch > 0) perFrame[lit].push_back(ms / kFramesPerBatch);  // the first batch warms up
      // The bezel's ridge above the dial's centre.
      const float scale = kSize / showcase::kWidth;
      glReadPixels(static_cast<int>(showcase::kGaugeX * scale),
                   static_cast<int>((showcase::kGaugeY + (showcase::kDialRadius + showcase::kBezelOuter) / 2) * scale),
                   1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bezel[lit]);
    }
  }
  const double off = bench::Median(perFrame[0]), on = bench::Median(perFrame[1]);
  std::printf("showcase panel %dx%d, median of %d batches of %d frames: lighting on %.3f ms/frame, off %.3f "
              "ms/frame, ratio on/off %.2f\n",
              kSize, kSize, kBatches - 1, kFramesPerBatch, on, off, on / off);
  std::printf("bezel pixel: lit (%d, %d, %d), plain (%d, %d, %d)\n", bezel[1][0], bezel[1][1], bezel[1][2],
              bezel[0][0], bezel[0][1], bezel[0][2]);
  return 0;
}
