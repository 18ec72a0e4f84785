#pragma once

#include <istream>
#include <string>

namespace orvan {

// A value that spans lines is framed by these markers; what lies between is taken literally.
constexpr const char kStringStartMarker[] = "#$STRING_START$#";
constexpr const char kStringEndMarker[] = "#$STRING_END$#";
constexpr int kStringStartMarkerLength = 16;
constexpr int kStringEndMarkerLength = 14;

// ReadTextLine decodes through a buffer of this many bytes, so at most one byte less survives.
constexpr int kReadTextLineDecodeLimit = 200000;

// Backslash before every quote and backslash, line breaks as backslash-n (backslash-r for a
// carriage return), so the text fits on one resource line.
std::string EscapeQuotes(const std::string& text);

// The inverse of EscapeQuotes: backslash-n, -r, -t and -s give line feed, carriage return, tab
// and space, any other escaped character stands for itself, a final lone backslash is kept.
// A text holding the start marker gives what follows it, up to the end marker.
std::string UnescapeText(const std::string& text);

// The rest of the current line, or a whole marked block when the text starts with the start
// marker. The line end itself is left in the stream. With decode, the text is passed through
// DecodeText (a marked block never is). Always returns true.
bool ReadTextLine(std::istream& is, std::string& out, bool decode);

// Writes src so that it survives as one resource line: a text with line breaks is framed by the
// markers; any other text has backslash, tab, space, carriage return and line feed escaped.
// At most dstSize - 1 characters and a terminator are written; returns the length written.
int EncodeText(char* dst, const char* src, int dstSize);

// text as it may stand on one resource line and be read back by ReadTextLine without
// decoding: unchanged when it holds no line break and does not open a block; framed by the
// markers when it does; and, for the rare text that framing cannot keep (it holds the end
// marker too), its first line with any opening marker broken, so that it never swallows the
// lines that follow it.
std::string LiteralTextLine(const std::string& text);

// The inverse of EncodeText. Trailing blanks of an unframed text are ignored and an unknown
// escape drops both characters. At most dstSize - 1 characters and a terminator are written;
// returns the length written.
int DecodeText(char* dst, const char* src, int dstSize);

}  // namespace orvan
