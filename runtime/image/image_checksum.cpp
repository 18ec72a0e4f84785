// The checksum by which identical pictures are recognised and shared.
#include "orvan/image_checksum.h"

#include <array>

#include "orvan/image.h"
#include "orvan/static_image_list.h"

namespace orvan {

namespace {

constexpr unsigned int kPolynomial = 0xFFFFFFFFu;

// Only one polynomial is ever used, so the table is built once, on first use (thread-safe).
const std::array<unsigned int, 256>& Table() {
  static const std::array<unsigned int, 256> table = [] {
    std::array<unsigned int, 256> t{};
    for (unsigned int i = 0; i < 256; ++i) {
      unsigned int value = i << 24;
      for (int step = 0; step < 8; ++step) value = (value & 0x80000000u) ? (value << 1) ^ kPolynomial : value << 1;
      t[i] = value;
    }
    return t;
  }();
  return table;
}

}  // namespace

unsigned int ImageChecksum(const unsigned char* data, std::size_t size) {
  const std::array<unsigned int, 256>& table = Table();
  unsigned int value = 0;
  for (std::size_t i = 0; i < size; ++i) value = (value << 8) ^ table[(data[i] ^ (value >> 24)) & 0xFFu];
  return value;
}

unsigned int Image::Checksum() {
  if (!shareable) return 0;
  if (pixels != nullptr) {
    if (checksum == 0) checksum = ImageChecksum(pixels, PixelDataSize());
    return checksum;
  }
  if (staticInfo != nullptr) return checksum;
  checksum = 0;
  return 0;
}

bool Image::Equals(const Image& other) {
  Image& that = const_cast<Image&>(other);
  const unsigned int theirs = that.Checksum();
  return theirs != 0 && theirs == Checksum() && that.Height() == height && that.Width() == width &&
         that.Components() == components && that.Compressed() == compressed;
}

Image* Image::FindShared() { return StaticImageList::FindEqual(this); }

}  // namespace orvan
