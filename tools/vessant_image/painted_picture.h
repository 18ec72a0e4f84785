#pragma once
// For the build steps that draw a picture of their own (the splash, the samples' faces).

#include <cstdint>
#include <functional>

#include "vessant_image/picture.h"

namespace vessant_image {

// A width x height picture of components bytes per pixel, each pixel's bytes filled by
// pixel(x, y, bytes); row 0 is stored first.
Picture PaintPixels(int width, int height, int components,
                    const std::function<void(int x, int y, std::uint8_t* bytes)>& pixel);

// The whole program of such a step: "usage: NAME OUTPUT.png" unless given exactly one argument,
// then the picture paint() returns written to it as a PNG. Returns the exit status.
int PaintedPictureMain(int argc, char** argv, const char* name, const std::function<Picture()>& paint);

}  // namespace vessant_image
