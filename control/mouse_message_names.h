#pragma once
// The short names hosts use for mouse messages: ldown, lup, ldbl, mdown, mup, mdbl, rdown, rup,
// rdbl and move.

#include <string>

#include "common/host/host_types.h"

namespace vessant {

// False for an unknown name. impliedFlags: the button state a window message reports with it.
bool MouseMessageFromName(const std::string& name, MouseMessage* message, unsigned* impliedFlags);

}  // namespace vessant
