// The property set reader: any text parses or is refused with a message naming its line, and
// a set that parsed is written and read back to the same entries.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "control/property_bag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  vessant::PropertyBag bag;
  std::string error;
  if (!bag.Parse(text, "fuzz", &error)) {
    if (error.rfind("fuzz:", 0) != 0) std::abort();
    return 0;
  }
  const std::string formatted = bag.Format();
  vessant::PropertyBag again;
  if (!again.Parse(formatted, "again", &error)) std::abort();
  if (again.Format() != formatted) std::abort();
  return 0;
}
