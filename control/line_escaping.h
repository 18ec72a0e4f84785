#pragma once
// The one escaping of text that has to stay on one line, shared by the property set file and the
// script protocol: a backslash followed by n (line feed), t (tab), r (carriage return), " (double
// quote), \ (backslash) or xHH (the byte with that hexadecimal value).
//
// The two read it in different dialects, because property sets and scripts written before they
// shared it mean different things by the same text: in a property set "\t" is a tab and an escape
// outside the list is malformed; in a script only "\n" and "\\" are escapes and any other backslash
// stays as written (a script's "C:\temp" is seven characters). Only property sets are written.

#include <string>

namespace vessant {

class LineEscaping {
public:
    enum class Dialect {
        Full,        // every escape above; any other backslash is malformed
        LineBreaks,  // "\n" and "\\" only; any other backslash stays as written
    };

    // The text with line breaks, tabs, quotes, backslashes and other control characters (and
    // DEL) escaped, in the full dialect: "\n", "\t", "\r", "\"", "\\", else "\xHH".
    static std::string Escape(const std::string& text);
    // The same between double quotes.
    static std::string Quote(const std::string& text);

    // Decodes all of the text; false on a malformed escape (the full dialect only).
    static bool Unescape(const std::string& text, Dialect dialect, std::string* out);
    // Decodes a quoted text in the full dialect: text[0] is the opening quote, the first quote not
    // escaped closes it and *rest is what follows. False when an escape is malformed or the quote
    // is not closed.
    static bool Unquote(const std::string& text, std::string* out, std::string* rest);
};

}  // namespace vessant
