// Image::Decode on records of random data for every codec: never a crash, never a read past the
// chunks (each chunk is its own heap block) or a write past the pixels, and a record that
// decodes has pixels of its texture size.
//
// Input: codec, format, width, height, chunk size, the alpha split (16 bits, little-endian), then
// the stored bytes. For the JPEG codec with RGBA the bytes after the split are the alpha plane.
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "orvan/image.h"
#include "orvan/log_sink.h"
#include "orvan/static_image_info.h"

namespace {

struct Chunks {
  Chunks(const std::uint8_t* data, std::size_t size, int chunkSize) {
    for (std::size_t at = 0; at < size; at += static_cast<std::size_t>(chunkSize)) {
      const std::size_t n = std::min(size - at, static_cast<std::size_t>(chunkSize));
      blocks.emplace_back(new std::uint8_t[n]);
      std::memcpy(blocks.back().get(), data + at, n);
      table.push_back(blocks.back().get());
    }
  }
  const unsigned char* const* Table() const { return table.empty() ? nullptr : table.data(); }
  std::vector<std::unique_ptr<std::uint8_t[]>> blocks;
  std::vector<const unsigned char*> table;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Damaged JPEG streams are the point here; their log lines are not.
  orvan::SetLogSink([](orvan::LogKind, const std::string&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 7) return 0;
  static const int kFormats[] = {GL_LUMINANCE, GL_LUMINANCE_ALPHA, GL_RGB, GL_RGBA, GL_ALPHA, 12345};
  const orvan::vesImageCodec codec = static_cast<orvan::vesImageCodec>(data[0] % 4);
  const int format = kFormats[data[1] % 6];
  const int width = data[2] % 65;  // 0 is a valid (refused) width too
  const int height = data[3] % 65;
  const int chunkSize = 1 + data[4];
  const std::size_t payload = size - 7;
  const std::size_t given = data[5] | static_cast<std::size_t>(data[6]) << 8;
  const std::size_t split = codec == orvan::VES_CODEC_JPEG && format == GL_RGBA ? std::min(given, payload) : payload;
  Chunks colour(data + 7, split, chunkSize);
  Chunks alpha(data + 7 + split, payload - split, chunkSize);
  const int components = format == GL_LUMINANCE_ALPHA ? 2 : format == GL_RGB ? 3 : format == GL_RGBA ? 4 : 1;
  const orvan::StaticImageInfo info{width, height, components, format, codec, 0, 0, static_cast<int>(split),
                                    static_cast<int>(payload - split), chunkSize, colour.Table(), alpha.Table()};

  orvan::Image* image = new orvan::Image(info);
  if (image->Decode()) {
    const unsigned char* pixels = image->Pixels();
    if (pixels == nullptr) std::abort();
    // Every byte of the buffer was written (padding included): reading them all must be clean.
    volatile unsigned int sum = 0;
    for (unsigned int i = 0; i < image->PixelDataSize(); ++i) sum = sum + pixels[i];
    image->StretchToTextureSize();
    image->Unload();
    if (image->Pixels() == nullptr) std::abort();  // decodes again after an unload
  } else if (image->Pixels() != nullptr || !image->HasError()) {
    std::abort();  // a failed picture has no pixels and says why
  }
  image->Release();
  return 0;
}
