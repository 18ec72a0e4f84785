#include "control/line_escaping.h"

#include <cstdio>

namespace vessant {
namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes text from `from` to its end, or to the first quote not escaped when stopAtQuote is set;
// *end is where it stopped.
bool Decode(const std::string& text, size_t from, LineEscaping::Dialect dialect, bool stopAtQuote, std::string* out,
            size_t* end) {
    out->clear();
    size_t i = from;
    for (; i < text.size(); ++i) {
        if (stopAtQuote && text[i] == '"') break;
        if (text[i] != '\\') {
            *out += text[i];
            continue;
        }
        const bool hasNext = i + 1 < text.size();
        const char next = hasNext ? text[i + 1] : '\0';
        if (hasNext && (next == 'n' || next == '\\')) {
            *out += next == 'n' ? '\n' : '\\';
            ++i;
            continue;
        }
        if (dialect == LineEscaping::Dialect::LineBreaks) {
            *out += '\\';
            continue;
        }
        if (!hasNext) return false;
        switch (next) {
            case 't': *out += '\t'; break;
            case 'r': *out += '\r'; break;
            case '"': *out += '"'; break;
            case 'x': {
                if (i + 3 >= text.size()) return false;
                const int hi = HexDigit(text[i + 2]), lo = HexDigit(text[i + 3]);
                if (hi < 0 || lo < 0) return false;
                *out += static_cast<char>(hi * 16 + lo);
                i += 2;
                break;
            }
            default: return false;
        }
        ++i;
    }
    *end = i;
    return true;
}

}  // namespace

std::string LineEscaping::Escape(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
            case '\n': out += "\\n"; break;
            case '\t': out += "\\t"; break;
            case '\r': out += "\\r"; break;
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            default:
                if (c < 0x20 || c == 0x7F) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02X", c);
                    out += hex;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out;
}

std::string LineEscaping::Quote(const std::string& text) { return "\"" + Escape(text) + "\""; }

bool LineEscaping::Unescape(const std::string& text, Dialect dialect, std::string* out) {
    size_t end = 0;
    return Decode(text, 0, dialect, false, out, &end);
}

bool LineEscaping::Unquote(const std::string& text, std::string* out, std::string* rest) {
    size_t end = 0;
    if (text.empty() || text[0] != '"' || !Decode(text, 1, Dialect::Full, true, out, &end) || end >= text.size())
        return false;
    *rest = text.substr(end + 1);
    return true;
}

}  // namespace vessant
