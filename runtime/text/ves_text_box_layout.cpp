// Breaking a text box's text into lines: by words (wrapping on) or by characters, with newlines,
// blanks and tabs. Every line holds at least one character, so breaking always moves on.
#include "orvan/font_registry.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text_box.h"

namespace orvan {

namespace {

bool IsBlank(unsigned int c) { return c == ' '; }

// Upper case for ASCII, Latin-1 and the Windows-1252 letters of the built-in font.
unsigned int Upper(unsigned int c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;
    case 0x9C: return 0x8C;
    case 0x9E: return 0x8E;
    case 0xFF: return 0x9F;
    default: return c;
  }
}

}  // namespace

VesFontBase* VesTextBox::DrawingFont() const { return font != nullptr ? font : FontRegistry::DefaultFont(); }

float VesTextBox::HorizontalScale(const VesFontBase* f) const {
  const int pixels = f != nullptr ? f->Header().cellWidth : 0;
  return pixels > 0 ? cellWidth / static_cast<float>(pixels) : 0.0f;
}

float VesTextBox::VerticalScale(const VesFontBase* f) const {
  const int pixels = f != nullptr ? f->Header().cellHeight : 0;
  return pixels > 0 ? cellHeight / static_cast<float>(pixels) : 0.0f;
}

float VesTextBox::AvailableWidth() const {
  if (vertices == nullptr || vertexCount < 2) return -2.0f * border;
  return (vertices[1].Position() - vertices[0].Position()).Length() - 2.0f * border;
}

float VesTextBox::AvailableHeight() const {
  if (vertices == nullptr || vertexCount < 4) return -2.0f * border;
  return (vertices[3].Position() - vertices[0].Position()).Length() - 2.0f * border;
}

const CharacterRecord& VesTextBox::RecordFor(int i) const {
  if (perCharacterAttributes && i >= 0 && static_cast<std::size_t>(i) < charAttribs.size()) {
    return charAttribs[static_cast<std::size_t>(i)];
  }
  return FirstRecord();
}

unsigned int VesTextBox::CodeAt(int i) const {
  const unsigned int c = static_cast<unsigned char>(text[static_cast<std::size_t>(i)]);
  return uppercase ? Upper(c) : c;
}

float VesTextBox::AdvanceWith(const VesFontBase* f, float h, unsigned int c, int i) const {
  if (f == nullptr) return 0.0f;
  const float a = h * f->Glyph(c)[12] * RecordFor(i).spacing;
  return c == '\t' ? a * tabWidth : a;
}

float VesTextBox::Advance(unsigned int c, int i) const {
  const VesFontBase* f = DrawingFont();
  return AdvanceWith(f, HorizontalScale(f), c, i);
}

VesTextBox::Line VesTextBox::BreakLine(int start, float width) {
  const int n = static_cast<int>(text.size());
  Line line;
  if (start < 0) start = 0;
  if (start >= n) {
    line.end = line.next = n;
  } else {
    const VesFontBase* f = DrawingFont();
    const float h = HorizontalScale(f);
    if (!wrapText || !BreakWords(start, width, f, h, line)) BreakCharacters(start, width, f, h, line);
    line.next = line.end;
    if (line.end < n && text[static_cast<std::size_t>(line.end - 1)] != '\n' && !wrapText) {
      // Without wrapping the rest of the source line is cut off.
      const std::size_t newline = text.find('\n', static_cast<std::size_t>(line.end));
      line.next = newline == std::string::npos ? n : static_cast<int>(newline) + 1;
    }
  }
  switch (justify) {
    case CENTER: line.offset = (width - line.width) * 0.5f + border; break;
    case RIGHT: line.offset = width - line.width + border; break;
    default: line.offset = border; break;
  }
  return line;
}

bool VesTextBox::BreakWords(int start, float width, const VesFontBase* f, float h, Line& line) const {
  const int n = static_cast<int>(text.size());
  float lineWidth = 0.0f, pendingSpace = 0.0f;
  int wordStart = start, p = start;
  line.end = start;
  for (;;) {
    if (p >= n) {
      line.end = n;
      break;
    }
    if (text[static_cast<std::size_t>(p)] == '\n') {
      line.end = p + 1;
      break;
    }
    // The next word from p: up to a newline, through its trailing blanks, or a tab alone.
    float word = 0.0f, trailing = 0.0f;
    int i = p;
    while (i < n) {
      const unsigned int c = CodeAt(i);
      if (c == '\n') break;
      if (IsBlank(c)) {
        do {
          trailing += AdvanceWith(f, h, ' ', i);
          ++i;
        } while (i < n && IsBlank(CodeAt(i)));
        break;
      }
      if (c == '\t') {
        if (i == p) {
          word = AdvanceWith(f, h, c, i);
          ++i;
        }
        break;
      }
      word += AdvanceWith(f, h, c, i);
      ++i;
    }
    if (word + pendingSpace + lineWidth > width) {
      line.end = wordStart;
      // A word wider than the whole line is broken by characters from the line's start.
      if (word > width) return false;
      break;
    }
    lineWidth += word + pendingSpace;
    line.end = wordStart = p = i;
    pendingSpace = trailing;
  }
  line.width = lineWidth;
  return true;
}

void VesTextBox::BreakCharacters(int start, float width, const VesFontBase* f, float h, Line& line) const {
  const int n = static_cast<int>(text.size());
  float lineWidth = 0.0f;
  line.end = n;
  for (int i = start; i < n; ++i) {
    const unsigned int c = CodeAt(i);
    if (c == '\n') {
      line.end = i + 1;
      break;
    }
    const float a = lineWidth + AdvanceWith(f, h, c, i);
    if (a > width) {
      // A line holds at least one character.
      if (i > start) {
        line.end = i;
      } else {
        line.end = i + 1;
        lineWidth = a;
      }
      break;
    }
    lineWidth = a;
  }
  line.width = lineWidth;
}

int VesTextBox::CountLines() {
  const int n = static_cast<int>(text.size());
  if (n == 0) return 0;
  const float width = AvailableWidth();
  int count = 0;
  for (int start = 0;;) {
    const Line line = BreakLine(start, width);
    ++count;
    if (line.next <= start || line.next >= n) break;
    start = line.next;
  }
  return count;
}

}  // namespace orvan
