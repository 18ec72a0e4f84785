#pragma once
// Compiled-in picture records built at run time for tests: the stored bytes cut into chunks
// exactly as generated code holds them, each chunk its own heap block so that AddressSanitizer
// sees a read past any of them.

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "orvan/image.h"
#include "orvan/static_image_info.h"
#include "tools/vessant_image/stream_codec.h"

namespace orvan::image_test {

using Bytes = std::vector<std::uint8_t>;

struct ImageDeleter {
  void operator()(Image* image) const { image->Release(); }
};
using ImagePtr = std::unique_ptr<Image, ImageDeleter>;

class ChunkTable {
 public:
  ChunkTable(const Bytes& stream, int chunkSize) {
    for (std::size_t at = 0; at < stream.size(); at += static_cast<std::size_t>(chunkSize)) {
      const std::size_t n = std::min(stream.size() - at, static_cast<std::size_t>(chunkSize));
      chunks_.emplace_back(new std::uint8_t[n]);
      std::copy(stream.begin() + static_cast<long>(at), stream.begin() + static_cast<long>(at + n), chunks_.back().get());
      table_.push_back(chunks_.back().get());
    }
  }
  const unsigned char* const* Table() const { return table_.empty() ? nullptr : table_.data(); }
  std::size_t Count() const { return table_.size(); }

 private:
  std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
  std::vector<const unsigned char*> table_;
};

// A record and the chunks it points at.
struct Record {
  Record(int width, int height, int format, vesImageCodec codec, const Bytes& colour, int chunkSize = 16,
         const Bytes& alpha = Bytes(), unsigned int checksum = 0)
      : colourChunks(colour, chunkSize), alphaChunks(alpha, chunkSize) {
    const int components = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : format == GL_LUMINANCE_ALPHA ? 2 : 1;
    info = StaticImageInfo{width, height, components, format, codec, checksum, 0, static_cast<int>(colour.size()),
                           static_cast<int>(alpha.size()), chunkSize, colourChunks.Table(),
                           alpha.empty() ? nullptr : alphaChunks.Table()};
  }
  Record(const Record&) = delete;
  ChunkTable colourChunks;
  ChunkTable alphaChunks;
  StaticImageInfo info;
};

using vessant_image::Deflate;

// A baseline JPEG of packed RGB (or, with components 1, grey) pixels.
inline Bytes EncodeJpeg(const Bytes& pixels, int width, int height, int quality = 95, int components = 3) {
  return vessant_image::EncodeJpeg(pixels.data(), width, height, components, quality);
}

// The checksum computed bit by bit, without a table: each byte enters at the top and eight
// shifts follow, folding in the all-ones polynomial whenever a one leaves the top.
inline unsigned int BitwiseChecksum(const std::uint8_t* data, std::size_t size) {
  unsigned int value = 0;
  for (std::size_t i = 0; i < size; ++i) {
    value ^= static_cast<unsigned int>(data[i]) << 24;
    for (int bit = 0; bit < 8; ++bit) value = (value & 0x80000000u) ? (value << 1) ^ 0xFFFFFFFFu : value << 1;
  }
  return value;
}

// A picture whose every byte differs from its neighbours: byte i of pixel (x, y).
inline Bytes Pattern(int width, int height, int components) {
  Bytes out(static_cast<std::size_t>(width) * height * components);
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = static_cast<std::uint8_t>((i * 37 + i / 7) & 0xFF);
  return out;
}

}  // namespace orvan::image_test
