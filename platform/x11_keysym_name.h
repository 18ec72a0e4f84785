#pragma once

#include <string>

namespace vessant {

// The X keysym for a name as xdotool takes it ("a", "KP_5", "Prior", "F1"); 0 when unknown.
// Needs no display connection.
unsigned long KeysymFromName(const std::string& name);

}  // namespace vessant
