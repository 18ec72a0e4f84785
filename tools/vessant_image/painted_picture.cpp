#include "vessant_image/painted_picture.h"

#include <cstddef>
#include <cstdio>
#include <string>

namespace vessant_image {

Picture PaintPixels(int width, int height, int components,
                    const std::function<void(int x, int y, std::uint8_t* bytes)>& pixel) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.components = components;
  picture.pixels.resize(static_cast<std::size_t>(width) * height * components);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixel(x, y, &picture.pixels[(static_cast<std::size_t>(y) * width + x) * components]);
  return picture;
}

int PaintedPictureMain(int argc, char** argv, const char* name, const std::function<Picture()>& paint) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", name);
    return 2;
  }
  std::string error;
  if (!WritePng(argv[1], paint(), &error)) {
    std::fprintf(stderr, "%s: %s\n", name, error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace vessant_image
