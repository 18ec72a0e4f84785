#pragma once

#include <string>

#include "vessant_image/record.h"

namespace vessant_image {

enum class PowerOfTwo { None, Pad, Stretch };

struct Options {
  std::string picture;
  std::string source;
  std::string header;
  std::string identifier;
  std::string namespaceName;
  EncodeOptions encode;
  int components = 0;  // 0: the picture's own
  PowerOfTwo powerOfTwo = PowerOfTwo::None;
  bool topRowFirst = false;
  bool help = false;
};

extern const char* const kUsage;

// Parses the command line; false with a message for anything it does not accept. Fills in the
// defaults that depend on the picture's path.
bool ParseOptions(int argc, char** argv, Options* options, std::string* error);

// True for a C++ identifier (letters, digits and underscores, not starting with a digit).
bool IsIdentifier(const std::string& text);

}  // namespace vessant_image
