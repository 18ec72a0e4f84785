#pragma once

#include <cstdarg>

#include "orvan/ves_color.h"

namespace orvan {

// Readers of the values generated component code passes to SetValue: bytes and colours travel
// as promoted ints, reals as doubles.
namespace value_args {

inline unsigned char Byte(va_list& args) { return static_cast<unsigned char>(va_arg(args, int)); }

inline float Real(va_list& args) { return static_cast<float>(va_arg(args, double)); }

inline vesColor Colour(va_list& args) {
  const unsigned char r = Byte(args);
  const unsigned char g = Byte(args);
  const unsigned char b = Byte(args);
  const unsigned char a = Byte(args);
  return vesColor(r, g, b, a);
}

}  // namespace value_args

}  // namespace orvan
