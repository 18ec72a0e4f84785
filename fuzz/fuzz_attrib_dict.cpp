// OrvanAttribDict::Read (first byte even) or ReadAsStrings (odd) over a dictionary that holds
// one attribute of every class; what was read is then written out again.
#include <cstdint>
#include <sstream>
#include <string>

#include "attribute_zoo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  orvan::fuzzing::AttributeZoo zoo;
  std::istringstream is(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
  if ((data[0] & 1) == 0) {
    zoo.Dictionary().Read(is);
  } else {
    zoo.Dictionary().ReadAsStrings(is);
  }
  std::ostringstream os;
  zoo.Dictionary().Write(os, (data[0] & 2) != 0);
  std::istringstream again(os.str());
  zoo.Dictionary().Read(again);
  return 0;
}
