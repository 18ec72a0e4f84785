#include "control/property_values.h"

#include <strings.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vessant {
namespace {

bool ParseBool(const std::string& text, bool* out) {
    if (strcasecmp(text.c_str(), "true") == 0 || text == "1") {
        *out = true;
        return true;
    }
    if (strcasecmp(text.c_str(), "false") == 0 || text == "0") {
        *out = false;
        return true;
    }
    return false;
}

bool ParseFloat(const std::string& text, float* out) {
    if (text.empty() || text[0] == ' ' || text[0] == '\t') return false;
    errno = 0;
    char* end = nullptr;
    const float v = std::strtof(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(v)) return false;
    *out = v;
    return true;
}

bool ParseShort(const std::string& text, long long* out) {
    if (text.empty() || text[0] == ' ' || text[0] == '\t') return false;
    errno = 0;
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v < -32768 || v > 32767) return false;
    *out = v;
    return true;
}

bool ParseWhole(const std::string& text, unsigned long max, long long* out) {
    unsigned long v = 0;
    if (!ParseUnsigned(text, max, &v)) return false;
    *out = static_cast<long long>(v);
    return true;
}

std::string FloatText(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
    float back = 0.0f;
    // Fewer digits when they read back the same: 0.1 rather than 0.100000001.
    for (int digits = 6; digits < 9; ++digits) {
        char shorter[64];
        std::snprintf(shorter, sizeof shorter, "%.*g", digits, static_cast<double>(value));
        back = std::strtof(shorter, nullptr);
        if (back == value) return shorter;
    }
    return buffer;
}

}  // namespace

bool ParseUnsigned(const std::string& text, unsigned long max, unsigned long* out) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ' || text[0] == '\t') return false;
    errno = 0;
    char* end = nullptr;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 0);
    if (errno != 0 || *end != '\0' || v > max) return false;
    *out = static_cast<unsigned long>(v);
    return true;
}

bool ParseValue(PropertyType type, const std::string& text, PropertyValue* out, const char** expected) {
    switch (type) {
        case PropertyType::Bool:
            *expected = "expects TRUE, FALSE, 1 or 0";
            return ParseBool(text, &out->flag);
        case PropertyType::Float:
            *expected = "expects a finite number";
            return ParseFloat(text, &out->number);
        case PropertyType::Short:
            *expected = "expects a whole number from -32768 to 32767";
            return ParseShort(text, &out->whole);
        case PropertyType::Color:
            *expected = "expects a colour as decimal or 0xRRGGBB";
            return ParseWhole(text, 0xFFFFFFul, &out->whole);
        case PropertyType::UnsignedLong:
            *expected = "expects a whole number";
            return ParseWhole(text, 0xFFFFFFFFul, &out->whole);
        case PropertyType::String:
        case PropertyType::Long: break;
    }
    out->text = text;
    return true;
}

std::string ValueText(PropertyType type, const PropertyValue& value) {
    switch (type) {
        case PropertyType::Bool: return value.flag ? "TRUE" : "FALSE";
        case PropertyType::Float: return FloatText(value.number);
        case PropertyType::String: return value.text;
        // An address keeps every bit, as the unsigned number it is.
        case PropertyType::Long: return std::to_string(static_cast<unsigned long long>(value.whole));
        case PropertyType::Short:
        case PropertyType::Color:
        case PropertyType::UnsignedLong: break;
    }
    return std::to_string(value.whole);
}

}  // namespace vessant
