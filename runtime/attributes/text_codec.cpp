#include "orvan/text_codec.h"

#include <cstring>
#include <vector>

namespace orvan {

namespace {

bool StartsWithStartMarker(const char* text, std::size_t length) {
  return length >= static_cast<std::size_t>(kStringStartMarkerLength) &&
         std::memcmp(text, kStringStartMarker, kStringStartMarkerLength) == 0;
}

// A framed text ends at the first end marker, so framing keeps text only when the marker
// appended to it is that first one.
bool FramingKeeps(const char* text, std::size_t length) {
  std::string framed(text, length);
  framed += kStringEndMarker;
  return framed.find(kStringEndMarker) == length;
}

char Unescaped(char c) {
  switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case 's': return ' ';
    default: return c;
  }
}

}  // namespace

std::string EscapeQuotes(const std::string& text) {
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    switch (c) {
      case '"':
      case '\\':
        out += '\\';
        out += c;
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '#':
        // A start marker in the text would open a block on reading: break it with an escape.
        out += c;
        if (text.compare(i, kStringStartMarkerLength, kStringStartMarker) == 0) out += '\\';
        break;
      default:
        out += c;
        break;
    }
  }
  return out;
}

std::string UnescapeText(const std::string& text) {
  if (text.empty()) return text;
  const std::size_t start = text.find(kStringStartMarker);
  if (start != std::string::npos) {
    const std::size_t from = start + kStringStartMarkerLength;
    const std::size_t end = text.find(kStringEndMarker, from);
    return text.substr(from, end == std::string::npos ? std::string::npos : end - from);
  }
  if (text.size() == 1) return text;
  std::string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i + 1 < n) {
    if (text[i] == '\\') {
      out += Unescaped(text[i + 1]);
      i += 2;
    } else {
      out += text[i];
      ++i;
    }
  }
  if (i < n) out += text[i];  // the last character, a lone backslash included
  return out;
}

bool ReadTextLine(std::istream& is, std::string& out, bool decode) {
  out.clear();
  if (!is) return true;  // a failed stream reads nothing, as the extractors do
  bool inBlock = false;
  std::size_t taken = 0;
  std::streambuf* source = is.rdbuf();
  while (source != nullptr) {
    const int next = source->sgetc();
    if (next == std::char_traits<char>::eof()) {
      is.setstate(std::ios::eofbit);
      break;
    }
    const char c = static_cast<char>(next);
    if (!inBlock && (c == '\n' || c == '\r')) break;
    source->sbumpc();
    out += c;
    ++taken;
    if (!inBlock && taken == static_cast<std::size_t>(kStringStartMarkerLength) &&
        out == kStringStartMarker) {
      decode = false;
      inBlock = true;
      out.clear();
    } else if (inBlock && out.size() >= static_cast<std::size_t>(kStringEndMarkerLength) &&
               out.compare(out.size() - kStringEndMarkerLength, kStringEndMarkerLength,
                           kStringEndMarker) == 0) {
      out.resize(out.size() - kStringEndMarkerLength);
      inBlock = false;
    }
  }
  if (decode) {
    const std::size_t size = out.size() + 1 < static_cast<std::size_t>(kReadTextLineDecodeLimit)
                                 ? out.size() + 1
                                 : static_cast<std::size_t>(kReadTextLineDecodeLimit);
    std::vector<char> buffer(size);
    const int length = DecodeText(buffer.data(), out.c_str(), static_cast<int>(size));
    out.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  return true;
}

int EncodeText(char* dst, const char* src, int dstSize) {
  if (dst == nullptr || dstSize <= 0) return 0;
  if (src == nullptr) src = "";
  const std::size_t length = std::strlen(src);
  const std::size_t room = static_cast<std::size_t>(dstSize) - 1;
  const std::size_t frame = kStringStartMarkerLength + kStringEndMarkerLength;
  const bool lineBreak = std::strpbrk(src, "\r\n") != nullptr;

  if (lineBreak && FramingKeeps(src, length) && room >= frame) {
    const std::size_t kept = length + frame <= room ? length : room - frame;
    char* out = dst;
    std::memcpy(out, kStringStartMarker, kStringStartMarkerLength);
    out += kStringStartMarkerLength;
    std::memcpy(out, src, kept);
    out += kept;
    std::memcpy(out, kStringEndMarker, kStringEndMarkerLength);
    out += kStringEndMarkerLength;
    *out = '\0';
    return static_cast<int>(kept + frame);
  }

  // One line of escaped text; an escape is never split when the room runs out.
  const bool breakMarker = StartsWithStartMarker(src, length);
  std::size_t n = 0;
  for (std::size_t i = 0; i < length; ++i) {
    const char c = src[i];
    char escape = 0;
    switch (c) {
      case '\\': escape = '\\'; break;
      case '\t': escape = 't'; break;
      case ' ': escape = 's'; break;
      case '\n': escape = 'n'; break;
      case '\r': escape = 'r'; break;
      case '#':
        if (i == 0 && breakMarker) escape = '#';
        break;
      default: break;
    }
    const std::size_t need = escape != 0 ? 2 : 1;
    if (n + need > room) break;
    if (escape != 0) {
      dst[n++] = '\\';
      dst[n++] = escape;
    } else {
      dst[n++] = c;
    }
  }
  dst[n] = '\0';
  return static_cast<int>(n);
}

std::string LiteralTextLine(const std::string& text) {
  const bool opensBlock = StartsWithStartMarker(text.c_str(), text.size());
  const std::size_t lineBreak = text.find_first_of("\r\n");
  if (!opensBlock && lineBreak == std::string::npos) return text;
  if (FramingKeeps(text.c_str(), text.size())) {
    return std::string(kStringStartMarker) + text + kStringEndMarker;
  }
  std::string first = text.substr(0, lineBreak);
  if (StartsWithStartMarker(first.c_str(), first.size())) first.erase(0, 1);
  return first;
}

int DecodeText(char* dst, const char* src, int dstSize) {
  if (dst == nullptr || dstSize <= 0) return 0;
  if (src == nullptr) src = "";
  const std::size_t room = static_cast<std::size_t>(dstSize) - 1;
  std::size_t length = std::strlen(src);
  std::size_t n = 0;

  if (StartsWithStartMarker(src, length)) {
    const char* text = src + kStringStartMarkerLength;
    const char* end = std::strstr(text, kStringEndMarker);
    std::size_t count = end != nullptr ? static_cast<std::size_t>(end - text) : std::strlen(text);
    if (count > room) count = room;
    std::memcpy(dst, text, count);
    dst[count] = '\0';
    return static_cast<int>(count);
  }

  while (length > 0 && (src[length - 1] == ' ' || src[length - 1] == '\t')) --length;
  std::size_t i = 0;
  while (i < length && n < room) {
    const char c = src[i];
    if (c != '\\') {
      dst[n++] = c;
      ++i;
      continue;
    }
    if (i + 1 < length) {
      switch (src[i + 1]) {
        case 'n': dst[n++] = '\n'; break;
        case 'r': dst[n++] = '\r'; break;
        case 't': dst[n++] = '\t'; break;
        case 's': dst[n++] = ' '; break;
        case '\\': dst[n++] = '\\'; break;
        case '#': dst[n++] = '#'; break;
        default: break;  // unknown escapes drop both characters
      }
    }
    i += 2;
  }
  dst[n] = '\0';
  return static_cast<int>(n);
}

}  // namespace orvan
