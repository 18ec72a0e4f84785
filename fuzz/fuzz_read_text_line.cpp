// ReadTextLine with and without decoding (the first byte chooses): whatever the text, the line
// it gives is bounded and the stream is left at a line end or at the end of the input.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "orvan/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool decode = (data[0] & 1) != 0;
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  std::istringstream is(text);
  std::string out;
  while (is && !is.eof()) {
    orvan::ReadTextLine(is, out, decode);
    if (decode && out.size() >= static_cast<std::size_t>(orvan::kReadTextLineDecodeLimit)) std::abort();
    const int next = is.get();  // the line end it stopped at
    if (next != std::char_traits<char>::eof() && next != '\n' && next != '\r') std::abort();
  }
  return 0;
}
