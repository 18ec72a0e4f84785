#pragma once
// The control's type information: its library, dispatch interface (properties and methods),
// event interface and class, as one line of JSON. The same text is printed by
// `vessant-player --describe`, returned by the C interface and installed by registration, so a
// host can generate its bindings from any of them.

#include <string>

namespace vessant {

// One JSON object, without a trailing newline.
std::string DescribeTypeInformation();

}  // namespace vessant
