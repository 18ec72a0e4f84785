// Reshaping pictures before they are stored: component counts, row order, power-of-two sides.
#include <algorithm>
#include <cstring>

#include "orvan/image.h"
#include "vessant_image/picture.h"

namespace vessant_image {

namespace {

int PowerOfTwoAtLeast(int side) {
  int power = 1;
  while (power < side) power *= 2;
  return power;
}

}  // namespace

Picture ConvertComponents(const Picture& picture, int components) {
  if (components == picture.components) return picture;
  Picture out;
  out.width = picture.width;
  out.height = picture.height;
  out.components = components;
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  out.pixels.resize(count * components);
  const int from = picture.components;
  const bool hasAlpha = from == 2 || from == 4;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* s = &picture.pixels[i * from];
    std::uint8_t* d = &out.pixels[i * components];
    const std::uint8_t r = s[0], g = from >= 3 ? s[1] : s[0], b = from >= 3 ? s[2] : s[0];
    const std::uint8_t alpha = hasAlpha ? s[from - 1] : 255;
    if (components <= 2) {
      d[0] = from >= 3 ? static_cast<std::uint8_t>((299 * r + 587 * g + 114 * b + 500) / 1000) : r;
    } else {
      d[0] = r;
      d[1] = g;
      d[2] = b;
    }
    if (components == 2 || components == 4) d[components - 1] = alpha;
  }
  return out;
}

void FlipRows(Picture* picture) {
  const std::size_t row = static_cast<std::size_t>(picture->width) * picture->components;
  for (int top = 0, bottom = picture->height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(picture->pixels.begin() + static_cast<long>(row * top),
                     picture->pixels.begin() + static_cast<long>(row * (top + 1)),
                     picture->pixels.begin() + static_cast<long>(row * bottom));
  }
}

Picture PadToPowerOfTwo(const Picture& picture) {
  Picture out;
  out.width = PowerOfTwoAtLeast(picture.width);
  out.height = PowerOfTwoAtLeast(picture.height);
  out.components = picture.components;
  out.pixels.assign(static_cast<std::size_t>(out.width) * out.height * out.components, 0);
  const std::size_t row = static_cast<std::size_t>(picture.width) * picture.components;
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(&out.pixels[static_cast<std::size_t>(y) * out.width * out.components], &picture.pixels[row * y], row);
  }
  return out;
}

Picture StretchToPowerOfTwo(const Picture& picture) {
  // The runtime's own stretch, so a picture stretched here matches one stretched at run time.
  orvan::Image* image = new orvan::Image(1, 1, picture.components);
  image->SetPixels(picture.pixels.data(), picture.width, picture.height, picture.components);
  image->StretchToTextureSize();
  Picture out;
  out.width = image->TextureWidth();
  out.height = image->TextureHeight();
  out.components = picture.components;
  out.pixels.assign(image->Pixels(), image->Pixels() + image->PixelDataSize());
  image->Release();
  return out;
}

}  // namespace vessant_image
