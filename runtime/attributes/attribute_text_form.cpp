#include "orvan/attribute_text_form.h"

#include <cstdlib>
#include <iomanip>
#include <strings.h>

#include "orvan/text_codec.h"

namespace orvan {

void WriteVectorForm(std::ostream& os, float x, float y, float z) {
  os.precision(10);
  os << std::setw(1) << x << ' ' << std::setw(8) << y << ' ' << std::setw(8) << z;
}

void ReadVectorForm(std::istream& is, float& x, float& y, float& z) {
  float read = 0.0f;
  if (is >> read) x = read;
  if (is >> read) y = read;
  if (is >> read) z = read;
}

void WriteColorForm(std::ostream& os, const vesColor& color) {
  os << static_cast<int>(color.red) << ' ' << static_cast<int>(color.green) << ' '
     << static_cast<int>(color.blue) << ' ' << static_cast<int>(color.alpha);
}

void ReadColorForm(std::istream& is, vesColor& color) {
  unsigned char* parts[4] = {&color.red, &color.green, &color.blue, &color.alpha};
  for (unsigned char* part : parts) {
    int read = 0;
    if (is >> read) *part = static_cast<unsigned char>(read & 0xFF);
  }
}

bool ReadWord(std::istream& is, std::string& word) {
  word.clear();
  return static_cast<bool>(is >> word);
}

long LeadingInteger(const std::string& text) {
  return std::strtol(text.c_str(), nullptr, 10);  // saturates at LONG_MIN / LONG_MAX
}

long TruncatedToLong(double v) {
  if (std::isnan(v)) return 0;
  if (v >= static_cast<double>(LONG_MAX)) return LONG_MAX;
  if (v <= static_cast<double>(LONG_MIN)) return LONG_MIN;
  return static_cast<long>(v);
}

void AttributeTextForm<bool>::Read(std::istream& is, bool& v) {
  std::string word;
  if (!ReadWord(is, word)) return;
  if (strcasecmp(word.c_str(), "TRUE") == 0) {
    v = true;
  } else if (strcasecmp(word.c_str(), "FALSE") == 0) {
    v = false;
  } else {
    v = LeadingInteger(word) != 0;
  }
}

void AttributeTextForm<VesPropString>::Write(std::ostream& os, const VesPropString& v) { os << EscapeQuotes(v); }

void AttributeTextForm<VesPropString>::Read(std::istream& is, VesPropString& v) {
  std::string line;
  ReadTextLine(is, line, false);
  v = UnescapeText(line);
}

}  // namespace orvan
