#pragma once

#include "orvan/ves_color.h"

namespace orvan {

// A character code of a text.
using Char_t = unsigned int;

// How one character of a text looks. 32 bytes, fields in this order.
struct CharacterRecord {
  Char_t code = 0;
  float baseline = 0.0f;  // raise by this fraction of the cell height, -1 to 1
  vesColor background = vesColor(255, 255, 255, 0);
  vesColor text = vesColor(0, 0, 0, 255);
  bool fauxBold = false;
  bool inverse = false;
  float scale = 1.0f;     // 0 < scale <= 1
  float spacing = 1.0f;   // multiplies the advance
  bool strikeThrough = false;
  bool underline = false;
};

static_assert(sizeof(CharacterRecord) == 32, "a character record is 32 bytes");

}  // namespace orvan
