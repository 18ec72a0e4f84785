// Pixel memory of the instrument sample's compiled-in pictures: how much a decoded picture
// takes while its texture is made, and how much is still held after the first frame (target:
// 0, the pixels are freed once uploaded and decoded again only if read).
#include <GL/gl.h>

#include <cstdio>

#include "bench/bench_support.h"
#include "instrument/instrument.h"
#include "orvan/image.h"
#include "orvan/render_state.h"
#include "orvan/static_image_list.h"
#include "orvan/texture_palette.h"

int main() {
  constexpr int kSize = 400;
  bench::EglContext context(kSize);
  if (!context.Open("image_memory")) return 0;
  Instrument gauge;
  gauge.Initialize();
  const std::size_t beforeFrame = orvan::StaticImageList::HeldPixelBytes();
  orvan::Image* face = gauge.Palette()->GetImage(0);
  // What the picture and its mipmap levels take while decoded (a copy decodes the same way).
  orvan::Image* decoded = face->Clone();
  decoded->MipMap(true);
  const std::size_t whileDecoded = decoded->HeldPixelBytes();
  decoded->Release();

  orvan::ResetRenderState(false);
  glViewport(0, 0, kSize, kSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 100, 0, 100, -1000, 1000);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  bench::DrawScene(gauge);

  const std::size_t afterFrame = orvan::StaticImageList::HeldPixelBytes();
  std::printf("compiled-in pictures listed: %d (%d x %d, shared by %d palette entries)\n",
              orvan::StaticImageList::Count(), face->Width(), face->Height(), face->RefCount());
  std::printf("pixel bytes held before the first frame: %zu\n", beforeFrame);
  std::printf("pixel bytes while decoded for upload (picture and mipmap levels): %zu\n", whileDecoded);
  std::printf("pixel bytes held after the first frame: %zu (target: 0)\n", afterFrame);
  std::printf("texture made: %s\n", face->HasTexture() ? "yes" : "NO");
  return afterFrame == 0 ? 0 : 1;
}
