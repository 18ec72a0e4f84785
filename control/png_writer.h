#pragma once

#include <string>

#include "common/host/host_types.h"

namespace vessant {

// Writes the image as an 8-bit RGBA PNG. The file appears whole or not at all: it is written
// under a temporary name beside the target and renamed. False with a message on failure.
bool WritePng(const std::string& path, const RgbaImage& image, std::string* error);

}  // namespace vessant
