// EncodeText and DecodeText: decoding what was encoded gives back the input (with a buffer
// big enough for it), and neither function writes past a buffer of any size.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "orvan/text_codec.h"

namespace {

// Exactly dstSize bytes on the heap, so that AddressSanitizer sees the first byte past them.
std::string Coded(int (*codec)(char*, const char*, int), const std::string& src, int dstSize) {
  std::vector<char> dst(static_cast<std::size_t>(dstSize));
  const int length = codec(dst.data(), src.c_str(), dstSize);
  if (length < 0 || length >= dstSize || dst[static_cast<std::size_t>(length)] != '\0') std::abort();
  return std::string(dst.data(), static_cast<std::size_t>(length));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int smallSize = 1 + data[0] % 64;
  // The functions take C strings: the input up to its first NUL.
  const std::string text(reinterpret_cast<const char*>(data + 1), strnlen(reinterpret_cast<const char*>(data + 1), size - 1));
  const int length = static_cast<int>(text.size());

  const std::string encoded = Coded(orvan::EncodeText, text, length * 2 + 50);
  if (Coded(orvan::DecodeText, encoded, static_cast<int>(encoded.size()) + 1) != text) std::abort();

  Coded(orvan::EncodeText, text, smallSize);
  Coded(orvan::DecodeText, text, smallSize);
  Coded(orvan::DecodeText, encoded, smallSize);
  return 0;
}
