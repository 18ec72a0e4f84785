// Cost of drawing 100 textured quads per frame through the scene graph (a component, its
// palette and 100 polygons naming texture 0) against the same quads in raw immediate mode with
// the one texture bound once. Both draw in the same context, are timed frame by frame,
// interleaved, and the medians compared (target: at most 1.3x).
//
// It measures twice: with glibc's default heap trimming, and with trimming held off. Every object
// is its own draw (each one switches texturing on and off around its fill), and for 100 textured
// draws llvmpipe bins a few hundred kilobytes per frame that glibc hands back to the system at
// the frame's end and faults in again in the next one; the baseline's single draw stays below
// the trim threshold. The second figure is the drawing itself.
#include <GL/gl.h>
#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "bench/bench_support.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "orvan/image.h"
#include "orvan/static_image_info.h"
#include "orvan/texture_palette.h"

namespace {

constexpr int kSize = 512;
constexpr int kGrid = 10;     // 10 x 10 quads
constexpr float kStep = 50.0f, kQuad = 40.0f;
constexpr int kTexture = 64;  // a 64 x 64 RGBA picture

std::vector<unsigned char> Picture() {
  std::vector<unsigned char> pixels(kTexture * kTexture * 4);
  for (std::size_t i = 0; i < pixels.size(); i += 4) {
    const std::size_t x = (i / 4) % kTexture, y = (i / 4) / kTexture;
    pixels[i] = static_cast<unsigned char>(x * 4);
    pixels[i + 1] = static_cast<unsigned char>(y * 4);
    pixels[i + 2] = (x / 8 + y / 8) % 2 ? 255 : 40;
    pixels[i + 3] = 255;
  }
  return pixels;
}

struct Scene {
  explicit Scene(const orvan::StaticImageInfo& picture) {
    component.Palette()->Resize(1);
    component.Palette()->SetImage(0, &picture);
    const orvan::vesColor white(255, 255, 255, 255);
    for (int i = 0; i < kGrid * kGrid; ++i) {
      const float x = 5 + (i % kGrid) * kStep, y = 5 + (i / kGrid) * kStep;
      const orvan::Vertex v[4] = {orvan::Vertex(x, y, 0, white), orvan::Vertex(x + kQuad, y, 0, white),
                                  orvan::Vertex(x + kQuad, y + kQuad, 0, white), orvan::Vertex(x, y + kQuad, 0, white)};
      auto* quad = new orvan::GLPolygon(4, v);
      quad->SetValue(18, 3, 7, 0, 9, 3, 10, 1, 11, 1, 40, kQuad * 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, kQuad * 1.0, 0.0,
                     0.0, 0.0, 0.0, 0);
      quad->CalculateTexCoordinates();
      component.InsertObject(quad, true, false);
    }
    component.Parent(&component);
  }
  orvan::ComponentBase component;
};

void DrawThroughSceneGraph(Scene& scene) {
  bench::SetUpFrame(kSize, 0.0f);
  bench::DrawScene(scene.component);
}

// The same quads, texture coordinates and colour, the texture bound once for the frame.
void DrawDirectly(GLuint texture) {
  bench::SetUpFrame(kSize, 0.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  for (int i = 0; i < kGrid * kGrid; ++i) {
    const float x = 5 + (i % kGrid) * kStep, y = 5 + (i / kGrid) * kStep;
    glBegin(GL_POLYGON);
    glColor4ub(255, 255, 255, 255);
    glTexCoord2f(0, 0);
    glVertex3f(x, y, 0);
    glTexCoord2f(1, 0);
    glVertex3f(x + kQuad, y, 0);
    glTexCoord2f(1, 1);
    glVertex3f(x + kQuad, y + kQuad, 0);
    glTexCoord2f(0, 1);
    glVertex3f(x, y + kQuad, 0);
    glEnd();
  }
  glDisable(GL_TEXTURE_2D);
  glFinish();
}

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(5, std::atoi(argv[1])) : 200;
  bench::EglContext context(kSize);
  if (!context.Open("textured_quads")) return 0;
  std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
  const std::vector<unsigned char> pixels = Picture();
  const unsigned char* chunks[] = {pixels.data()};
  const orvan::StaticImageInfo picture{kTexture, kTexture, 4, GL_RGBA, orvan::VES_CODEC_RAW, 0, 0,
                                       static_cast<int>(pixels.size()), 0, static_cast<int>(pixels.size()), chunks,
                                       nullptr};
  Scene scene(picture);

  const GLuint texture = bench::UploadRgbaTexture(kTexture, kTexture, pixels.data());

  std::printf("%d textured quads of %.0f x %.0f pixels, %d frames each\n", kGrid * kGrid, kQuad, kQuad, frames);
  for (const bool trimming : {true, false}) {
    if (!trimming) {
      mallopt(M_TRIM_THRESHOLD, 256 << 20);
      mallopt(M_TOP_PAD, 16 << 20);
    }
    for (int i = 0; i < 10; ++i) {  // warm up both paths (the first frame uploads the picture)
      DrawThroughSceneGraph(scene);
      DrawDirectly(texture);
    }
    std::vector<double> graph, direct;
    for (int i = 0; i < frames; ++i) {
      graph.push_back(bench::Milliseconds([&] { DrawThroughSceneGraph(scene); }));
      direct.push_back(bench::Milliseconds([&] { DrawDirectly(texture); }));
    }
    const double g = bench::Median(graph), d = bench::Median(direct);
    std::printf("%s\n", trimming ? "glibc's default heap trimming:" : "heap trimming held off (mallopt):");
    std::printf("  scene graph:          %.3f ms per frame (median)\n", g);
    std::printf("  raw immediate mode:   %.3f ms per frame\n", d);
    std::printf("  ratio: %.3fx (target: at most 1.3x)\n", g / d);
  }
  glDeleteTextures(1, &texture);
  return 0;
}
