// Turning an image's compiled-in record into its pixel buffer: raw bytes, one zlib stream, or a
// JPEG stream with a zlib alpha plane. Every size is checked against the record before a byte
// is written, and a picture that does not decode completely leaves no pixels at all.
#include <zlib.h>

#include <GL/gl.h>

#include <cstring>
#include <memory>
#include <new>

#include "orvan/image.h"
#include "orvan/jpeg_util.h"
#include "orvan/static_image_info.h"

namespace orvan {

namespace {

constexpr const char* kDecodeError = "Error decoding image, the picture data are damaged or do not match the image.";
constexpr const char* kMemoryError = "Error creating image, out of memory error.";

// Inflates a chunked zlib stream into exactly expected bytes; anything else is a failure.
bool Inflate(const unsigned char* const* chunks, int size, int chunkSize, unsigned char* out, std::size_t expected) {
  std::unique_ptr<unsigned char[]> joined(JoinChunks(chunks, size, chunkSize));
  if (!joined) return false;
  uLongf length = static_cast<uLongf>(expected);
  const int result = uncompress(out, &length, joined.get(), static_cast<uLong>(size));
  return result == Z_OK && length == expected;
}

}  // namespace

bool Image::Decode() {
  if (staticInfo == nullptr) return false;
  if (pixels != nullptr) return true;
  // A record that failed once fails again: it is neither retried nor reported twice.
  if (decodeFailed) return false;
  if (!DecodeRecord()) {
    decodeFailed = true;
    if (!HasError()) SetError(kDecodeError);
    return false;
  }
  GenerateMipMaps(false);
  if (checksum == 0) Checksum();
  return pixels != nullptr;
}

bool Image::DecodeRecord() {
  const StaticImageInfo& info = *staticInfo;
  const int w = info.width, h = info.height, c = components;
  // The texture was sized from the record; a record that disagrees with it cannot be placed.
  if (w < 1 || h < 1 || textureWidth < w || textureWidth >= 2 * w || textureHeight < h || textureHeight >= 2 * h ||
      info.chunkSize < 1 || info.colorChunks == nullptr) {
    return false;
  }
  const bool padded = w != textureWidth || h != textureHeight;
  if (!AllocatePixels(padded)) {
    SetError(kMemoryError);
    return false;
  }
  const std::size_t row = static_cast<std::size_t>(w) * c;
  const std::size_t stride = static_cast<std::size_t>(textureWidth) * c;
  const std::size_t total = row * h;

  bool ok = false;
  if (info.codec == VES_CODEC_RAW || info.codec == VES_CODEC_LZ77) {
    // The codecs deliver packed picture rows; a picture narrower than its texture goes through a
    // packed buffer first.
    std::unique_ptr<unsigned char[]> packed;
    unsigned char* target = pixels;
    if (w != textureWidth) {
      packed.reset(new (std::nothrow) unsigned char[total]);
      target = packed.get();
    }
    if (target == nullptr) {
      SetError(kMemoryError);
    } else if (info.codec == VES_CODEC_RAW) {
      ok = info.colorSize >= 0 && static_cast<std::size_t>(info.colorSize) == total;
      if (ok) CopyChunks(info.colorChunks, info.chunkSize, info.colorSize, target);
    } else {
      ok = Inflate(info.colorChunks, info.colorSize, info.chunkSize, target, total);
    }
    if (ok && packed) {
      for (int y = 0; y < h; ++y) std::memcpy(pixels + stride * y, packed.get() + row * y, row);
    }
  } else if (info.codec == VES_CODEC_JPEG && (format == GL_RGB || format == GL_RGBA) && c == (format == GL_RGB ? 3 : 4)) {
    std::unique_ptr<unsigned char[]> joined(JoinChunks(info.colorChunks, info.colorSize, info.chunkSize));
    ok = joined && JpegDecompress(w, h, pixels, joined.get(), static_cast<std::size_t>(info.colorSize), c, stride);
    if (ok && format == GL_RGBA) {
      const std::size_t count = static_cast<std::size_t>(w) * h;
      std::unique_ptr<unsigned char[]> alpha(new (std::nothrow) unsigned char[count]);
      ok = alpha && Inflate(info.alphaChunks, info.alphaSize, info.chunkSize, alpha.get(), count);
      for (int y = 0; ok && y < h; ++y) {
        unsigned char* p = pixels + stride * y + 3;
        const unsigned char* a = alpha.get() + static_cast<std::size_t>(w) * y;
        for (int x = 0; x < w; ++x) p[4 * x] = a[x];
      }
    }
  }
  // Any other codec, or a JPEG record of another format, has nothing that could fill the buffer.
  if (!ok) {
    FreePixels();
    return false;
  }
  // An image stretched before this decode shows the stretched picture again.
  if (width != w || height != h) ResampleFrom(w, h);
  return true;
}

}  // namespace orvan
