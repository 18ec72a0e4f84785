// Reshaping pixels: the bilinear stretch to the texture size and the chain of mipmap levels.
#include <algorithm>
#include <new>

#include "orvan/image.h"

namespace orvan {

bool Image::AllocateMipMaps(bool zeroFill) {
  if (!mipmap) return true;
  int w = textureWidth, h = textureHeight;
  for (int level = 1; level < 16; ++level) {
    if (w <= 1 && h <= 1) break;
    if (w > 1) w /= 2;
    if (h > 1) h /= 2;
    if (mipmapLevels[level] != nullptr) continue;
    const std::size_t size = static_cast<std::size_t>(components) * w * h;
    mipmapLevels[level] = zeroFill ? new (std::nothrow) unsigned char[size]() : new (std::nothrow) unsigned char[size];
    if (mipmapLevels[level] == nullptr) return false;
  }
  return true;
}

void Image::GenerateMipMaps(bool force) {
  if (!mipmap || pixels == nullptr || (mipmapLevels[1] != nullptr && !force)) return;
  StretchToTextureSize();
  AllocateMipMaps(false);
  const unsigned char* source = pixels;
  int sw = textureWidth, sh = textureHeight;
  const int c = components;
  for (int level = 1; level < 16 && source != nullptr && mipmapLevels[level] != nullptr && (sw > 1 || sh > 1);
       ++level) {
    const int dw = sw > 1 ? sw / 2 : 1;
    const int dh = sh > 1 ? sh / 2 : 1;
    unsigned char* destination = mipmapLevels[level];
    const std::size_t stride = static_cast<std::size_t>(sw) * c;
    for (int r = 0; r < dh; ++r) {
      // A source of height (or width) 1 has no second row (column): the one it has counts twice.
      const int r0 = std::min(2 * r, sh - 1), r1 = std::min(2 * r + 1, sh - 1);
      for (int col = 0; col < dw; ++col) {
        const int c0 = std::min(2 * col, sw - 1), c1 = std::min(2 * col + 1, sw - 1);
        for (int k = 0; k < c; ++k) {
          const int sum = source[stride * r0 + c0 * c + k] + source[stride * r0 + c1 * c + k] +
                          source[stride * r1 + c0 * c + k] + source[stride * r1 + c1 * c + k];
          destination[(static_cast<std::size_t>(dw) * r + col) * c + k] = static_cast<unsigned char>(sum >> 2);
        }
      }
    }
    source = destination;
    sw = dw;
    sh = dh;
  }
}

void Image::StretchToTextureSize() {
  if (width == textureWidth && height == textureHeight) return;
  Resample();
  width = textureWidth;
  height = textureHeight;
  texCoordScaleX = texCoordScaleY = 1.0f;
}

void Image::Resample() {
  // A record not decoded yet is decoded first; without pixels there is nothing to stretch.
  if (Pixels() == nullptr) return;
  ResampleFrom(width, height);
}

void Image::ResampleFrom(int sourceWidth, int sourceHeight) {
  if (pixels == nullptr || sourceWidth < 1 || sourceHeight < 1) return;
  unsigned char* stretched = new (std::nothrow) unsigned char[PixelDataSize()];
  if (stretched == nullptr) return;
  // A texture side of 1 means a picture side of 1: nothing to spread along it.
  const float xRatio =
      textureWidth > 1 ? static_cast<float>(static_cast<double>(sourceWidth - 1) / (textureWidth - 1)) : 0.0f;
  const float yRatio =
      textureHeight > 1 ? static_cast<float>(static_cast<double>(sourceHeight - 1) / (textureHeight - 1)) : 0.0f;
  const double kToUnit = 0.00392156862745098;
  const int c = components;
  const std::size_t stride = static_cast<std::size_t>(textureWidth) * c;
  for (int y = 0; y < textureHeight; ++y) {
    const float fy = y * yRatio;
    const int y0 = std::min(static_cast<int>(fy), sourceHeight - 1);
    const int y1 = std::min(y0 + 1, sourceHeight - 1);
    const double wy = fy - y0;
    for (int x = 0; x < textureWidth; ++x) {
      const float fx = x * xRatio;
      const int x0 = std::min(static_cast<int>(fx), sourceWidth - 1);
      const int x1 = std::min(x0 + 1, sourceWidth - 1);
      const double wx = fx - x0;
      for (int k = 0; k < c; ++k) {
        const double s00 = pixels[stride * y0 + x0 * c + k] * kToUnit;
        const double s10 = pixels[stride * y0 + x1 * c + k] * kToUnit;
        const double s01 = pixels[stride * y1 + x0 * c + k] * kToUnit;
        const double s11 = pixels[stride * y1 + x1 * c + k] * kToUnit;
        // 1/255 is not exact in binary: without the nudge a byte of 33 read back alone would
        // truncate to 32.
        const double v =
            ((s11 * wx + s01 * (1 - wx)) * wy + (s10 * wx + s00 * (1 - wx)) * (1 - wy)) * 255.0 + 1e-9;
        stretched[stride * y + x * c + k] = static_cast<unsigned char>(v <= 0.0 ? 0.0 : v >= 255.0 ? 255.0 : v);
      }
    }
  }
  delete[] pixels;
  pixels = stretched;
}

}  // namespace orvan
