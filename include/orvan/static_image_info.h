#pragma once

#include <cstddef>

#include "orvan/attribute_enum_types.h"

namespace orvan {

// A picture compiled into a program as constant data: its size and pixel format, how its bytes
// are stored (raw, one zlib stream, or a JPEG stream plus a zlib alpha plane), and the tables of
// chunks that hold those bytes. Generated code fills the twelve fields with constants, in order.
struct StaticImageInfo {
  int width;
  int height;
  int components;  // bytes per decoded pixel, 1 to 4
  int format;      // GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB or GL_RGBA
  vesImageCodec codec;
  unsigned int checksum;  // of the decoded texture-size pixel buffer; 0 = none
  int compressed;         // 1: ask OpenGL for a compressed texture
  int colorSize;          // bytes of stored colour data
  int alphaSize;          // bytes of stored alpha data (JPEG with GL_RGBA only)
  int chunkSize;          // bytes in every chunk but the last
  const unsigned char* const* colorChunks;
  const unsigned char* const* alphaChunks;  // JPEG with GL_RGBA only, else null
};

// Generated code and the decoder agree on this layout.
static_assert(sizeof(vesImageCodec) == 4, "the codec is a 32-bit field");
static_assert(offsetof(StaticImageInfo, chunkSize) == 36, "ten 32-bit fields come first");
static_assert(offsetof(StaticImageInfo, colorChunks) == 40 && offsetof(StaticImageInfo, alphaChunks) == 48,
              "then the two chunk tables");

// A new[] buffer of totalSize bytes joined from the chunks of table (each chunkSize bytes but
// the last); the caller frees it with delete[]. Null for a null table, a size below 1 or a
// chunk size below 1, or when memory is exhausted.
unsigned char* JoinChunks(const unsigned char* const* table, int totalSize, int chunkSize);

// The same copy straight into destination, which holds at least totalSize bytes. Copies
// nothing for a null table or destination, a size below 1 or a chunk size below 1.
void CopyChunks(const unsigned char* const* table, int chunkSize, int totalSize, unsigned char* destination);

}  // namespace orvan
