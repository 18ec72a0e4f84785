// Text box layout: random text broken into lines in a random box (width, height, border,
// spacing, cell size, wrapping and justification from the first bytes, floats taken bit for bit
// so NaN and infinities come too). Breaking must end, always move on, and put every character on
// at most one line, in order; the line counts must be finite.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "orvan/ves_text_box.h"

namespace {

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  float Float() {
    std::uint8_t bytes[4] = {Byte(), Byte(), Byte(), Byte()};
    float value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }
  std::string Rest() { return at_ < size_ ? std::string(reinterpret_cast<const char*>(data_ + at_), size_ - at_) : ""; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  const std::uint8_t flags = in.Byte();
  const float width = in.Float(), height = in.Float();
  orvan::VesTextBox box;
  box.SetVertices(4, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, static_cast<double>(width), 0.0, 0.0, 255,
                  255, 255, 255, static_cast<double>(width), static_cast<double>(height), 0.0, 255, 255, 255, 255, 0.0,
                  static_cast<double>(height), 0.0);
  box.Border(in.Float());
  box.LineSpacing(in.Float());
  box.CharSpacing(in.Float());
  box.TabWidth(in.Float());
  box.WrapText((flags & 1) != 0);
  box.Uppercase((flags & 2) != 0);
  box.Justify(static_cast<orvan::Justify_t>((flags >> 2) & 3));
  if (flags & 16) {
    box.ControlCellSize(true);
    box.CellWidth(in.Float());
    box.CellHeight(in.Float());
  }
  box.UpdateLayout();
  const std::string text = in.Rest();
  box.String(text);
  const int n = static_cast<int>(text.size());

  // Every line starts where the last one said, ends after it and never runs past the text.
  const float available = box.AvailableWidth();
  int start = 0, lines = 0;
  while (start < n) {
    const orvan::VesTextBox::Line line = box.BreakLine(start, available);
    if (line.end <= start || line.end > n || line.next < line.end || line.next > n) std::abort();
    if (++lines > n) std::abort();
    if (line.next >= n) break;
    start = line.next;
  }
  if (box.CountLines() != lines) std::abort();
  if (box.LinesThatFit(box.AvailableHeight()) < 0) std::abort();
  box.BreakLine(n, available);
  box.BreakLine(-5, available);
  return 0;
}
