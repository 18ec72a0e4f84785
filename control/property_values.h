#pragma once
// The text forms of the control's property values, shared by every way a value arrives (the
// player's --set, script commands, the C interface and saved property sets), so one text is
// accepted or refused the same everywhere.

#include <string>

namespace vessant {

// TRUE, FALSE, 1 or 0, in any case.
bool ParseBool(const std::string& text, bool* out);
// A finite number; nan, inf and literals that overflow a float are refused.
bool ParseFloat(const std::string& text, float* out);
// Decimal or 0x hexadecimal, no sign, at most max.
bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long* out);
// A whole number from -32768 to 32767.
bool ParseShort(const std::string& text, short* out);

// The shortest text that reads back as the same float.
std::string FloatText(float value);

}  // namespace vessant
