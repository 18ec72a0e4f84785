#pragma once
// Reads a PNG written by the player back into RGBA rows, for tests.

#include <png.h>

#include <cstdio>
#include <string>

#include "common/host/host_types.h"

namespace vessant::test {

inline bool ReadPng(const std::string& path, RgbaImage* image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) return false;
    png.format = PNG_FORMAT_RGBA;
    image->width = static_cast<int>(png.width);
    image->height = static_cast<int>(png.height);
    image->pixels.assign(PNG_IMAGE_SIZE(png), 0);
    const bool ok = png_image_finish_read(&png, nullptr, image->pixels.data(), 0, nullptr) != 0;
    png_image_free(&png);
    return ok;
}

}  // namespace vessant::test
