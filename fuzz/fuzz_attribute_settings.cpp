// The property page's settings text (InitialAttribs from a property set): lines never hold a
// line break, the value of a line put back gives the line, and a text of whole lines joins back
// to itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "control/attribute_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace settings = vessant::attribute_settings;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto lines = settings::Lines(text);
  for (const std::string& line : lines) {
    if (line.find('\n') != std::string::npos) std::abort();
    if (settings::WithValue(line, settings::ValueOf(line)) != line) std::abort();
    if (settings::ValueOf(settings::WithValue(line, "v")) != "v") std::abort();
  }
  const bool wholeLines = text.empty() || text.back() == '\n';
  if (wholeLines && text.find("\r\n") == std::string::npos && settings::Join(lines) != text) std::abort();
  return 0;
}
