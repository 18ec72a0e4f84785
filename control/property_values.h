#pragma once
// The text forms of the control's property values, shared by every way a value arrives (the
// player's --set, script commands, the C interface and saved property sets), so one text is
// accepted or refused the same everywhere.

#include <string>

namespace vessant {

enum class PropertyType { Float, Bool, Short, String, Color, UnsignedLong, Long };

// A value of one of those types; only the member its type uses is meaningful.
struct PropertyValue {
    bool flag = false;    // Bool
    float number = 0.0f;  // Float
    long long whole = 0;  // Short, Color, UnsignedLong, Long
    std::string text;     // String
};

// Reads text in the form of the type: booleans TRUE/FALSE/1/0 in any case; numbers finite;
// colours and whole numbers decimal or 0x hexadecimal within the type's range. On failure
// *expected says what the type takes, as in "expects a finite number".
bool ParseValue(PropertyType type, const std::string& text, PropertyValue* out, const char** expected);
// The text of a value: what a get answers and what a property set stores (floats in the
// shortest form that reads back the same).
std::string ValueText(PropertyType type, const PropertyValue& value);

// Decimal or 0x hexadecimal, no sign, at most max.
bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long* out);

}  // namespace vessant
