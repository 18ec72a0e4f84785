#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vessant_image {

// A picture in memory: rows packed, components bytes per pixel (1 luminance, 2 luminance and
// alpha, 3 RGB, 4 RGBA), the first row the one stored first.
struct Picture {
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<std::uint8_t> pixels;
};

// Reads a PNG or JPEG file (told apart by its first bytes) at 8 bits per component, in the
// file's own component count. False with a message naming the file and the problem.
bool ReadPicture(const std::string& path, Picture* picture, std::string* error);

// The picture with another component count: colour to luminance by the Rec. 601 weights,
// luminance to colour by repetition, a missing alpha opaque.
Picture ConvertComponents(const Picture& picture, int components);

// The rows in the opposite order.
void FlipRows(Picture* picture);

// The picture extended to power-of-two sides with transparent black.
Picture PadToPowerOfTwo(const Picture& picture);

// The picture stretched to power-of-two sides the way the runtime stretches at run time.
Picture StretchToPowerOfTwo(const Picture& picture);

// Encodes a picture as a PNG file; used by build steps that draw pictures.
bool WritePng(const std::string& path, const Picture& picture, std::string* error);

}  // namespace vessant_image
