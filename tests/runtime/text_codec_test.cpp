// The escaping and block-marker functions behind the string text forms.
#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/text_codec.h"

namespace orvan {
namespace {

constexpr char kCanary = '\x5A';

// Runs a codec function into a buffer of dstSize bytes followed by guard bytes and checks that
// nothing beyond the buffer was touched and that the result is terminated where it says.
template <typename Codec>
std::string Coded(Codec codec, const char* src, int dstSize) {
  std::vector<char> buffer(static_cast<std::size_t>(dstSize > 0 ? dstSize : 0) + 16, kCanary);
  const int length = codec(buffer.data(), src, dstSize);
  for (std::size_t i = static_cast<std::size_t>(dstSize > 0 ? dstSize : 0); i < buffer.size(); ++i) {
    EXPECT_EQ(buffer[i], kCanary) << "written past " << dstSize << " bytes";
  }
  if (dstSize <= 0) {
    EXPECT_EQ(length, 0);
    return std::string();
  }
  EXPECT_GE(length, 0);
  EXPECT_LT(length, dstSize);
  EXPECT_EQ(buffer[static_cast<std::size_t>(length)], '\0');
  return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string Encoded(const std::string& text) {
  return Coded(EncodeText, text.c_str(), static_cast<int>(text.size() * 2 + 50));
}

std::string Decoded(const std::string& text) {
  return Coded(DecodeText, text.c_str(), static_cast<int>(text.size() + 1));
}

const std::vector<std::string> kAwkwardTexts = {
    "",
    "plain",
    "a b",
    " leading and trailing ",
    "\t",
    "\\",
    "ends with \\",
    "line one\nline two",
    "\n",
    "carriage\rreturn",
    "\r\n\r\n",
    "#$STRING_START$#",
    "#$STRING_START$#not framed",
    "#$STRING_START$#framed\nhere",
    "a\n#$STRING_END$#b",
    "x\n#$STRING_END$",
    "#$STRING_START$#a#$STRING_END$#b",
    "#$STRING_START$#a\n#$STRING_END$#b",
    "\\n is not a line break",
    "quote \" and # and $",
};

TEST(ReadTextLineTest, AMarkedBlockSpansLinesEscapesAreDecodedWithinTheBuffer) {
  std::istringstream first("first line \r\nsecond");
  std::string out;
  EXPECT_TRUE(ReadTextLine(first, out, false));
  EXPECT_EQ(out, "first line ");
  EXPECT_EQ(first.peek(), '\r');

  std::istringstream is("#$STRING_START$#a\nb\\s#$STRING_END$# tail\nnext");
  ReadTextLine(is, out, true);
  EXPECT_EQ(out, "a\nb\\s tail");  // a block is never decoded
  EXPECT_EQ(is.peek(), '\n');

  std::istringstream late(" #$STRING_START$#x\ny");
  ReadTextLine(late, out, false);
  EXPECT_EQ(out, " #$STRING_START$#x");  // only at the very start

  std::istringstream open("#$STRING_START$#never\nclosed");
  ReadTextLine(open, out, false);
  EXPECT_EQ(out, "never\nclosed");
  EXPECT_TRUE(open.eof());

  std::istringstream escaped("a\\sb\\\\c  \n");
  ReadTextLine(escaped, out, true);
  EXPECT_EQ(out, "a b\\c");

  const std::string huge(kReadTextLineDecodeLimit + 50000, 'x');
  std::istringstream big(huge);
  ReadTextLine(big, out, true);
  EXPECT_EQ(out.size(), static_cast<std::size_t>(kReadTextLineDecodeLimit - 1));
  std::istringstream raw(huge);
  ReadTextLine(raw, out, false);
  EXPECT_EQ(out.size(), huge.size());
  raw.setstate(std::ios::failbit);
  ReadTextLine(raw, out, false);  // a failed stream reads nothing
  EXPECT_EQ(out, "");
}

TEST(EncodeTextTest, EscapesOneLineTextsFramesLineBreaksAndNeverOverruns) {
  EXPECT_EQ(Encoded("a b"), "a\\sb");
  EXPECT_EQ(Encoded("t\tb\\"), "t\\tb\\\\");
  EXPECT_EQ(Encoded("#$STRING_START$#x"), "\\#$STRING_START$#x");

  EXPECT_EQ(Encoded("two\nlines"), "#$STRING_START$#two\nlines#$STRING_END$#");
  // Exactly enough room: markers, text and terminator.
  EXPECT_EQ(Coded(EncodeText, "a\nb", 34), "#$STRING_START$#a\nb#$STRING_END$#");
  // One byte less: the text is cut, the markers stay.
  EXPECT_EQ(Coded(EncodeText, "a\nb", 33), "#$STRING_START$#a\n#$STRING_END$#");

  EXPECT_EQ(Coded(EncodeText, "ab c", 4), "ab");
  EXPECT_EQ(Coded(EncodeText, "abc", 1), "");
  Coded(EncodeText, "abc", 0);
  for (const std::string& text : kAwkwardTexts) {
    for (int size = -1; size < 48; ++size) Coded(EncodeText, text.c_str(), size);
  }
}

TEST(DecodeTextTest, TranslatesEscapesDropsTrailingBlanksAndNeverOverruns) {
  const std::pair<const char*, const char*> decoded[] = {{"a\\sb\\tc\\nd\\\\e", "a b\tc\nd\\e"}, {"a\\qb", "ab"},
      {"end\\", "end"}, {"x \t ", "x"}, {"#$STRING_START$#raw \\s#$STRING_END$#ignored", "raw \\s"}};
  for (const auto& [text, result] : decoded) EXPECT_EQ(Decoded(text), result) << text;

  EXPECT_EQ(Coded(DecodeText, "abcdef", 4), "abc");
  EXPECT_EQ(Coded(DecodeText, "#$STRING_START$#abcdef", 3), "ab");
  EXPECT_EQ(Coded(DecodeText, "\\s\\s\\s", 2), " ");
  Coded(DecodeText, "abc", 0);

  const std::pair<const char*, const char*> unescaped[] = {
      {"", ""}, {"\\", "\\"}, {"a\\", "a\\"}, {"\\n\\t\\s\\q\\\\", "\n\t q\\"}, {"\\\"hi\\\"", "\"hi\""},
      {"xx#$STRING_START$#a\\nb#$STRING_END$#yy", "a\\nb"}, {"#$STRING_START$#to the end", "to the end"}};
  for (const auto& [text, result] : unescaped) EXPECT_EQ(UnescapeText(text), result) << text;
}

TEST(TextCodecRoundTripTest, DecodeGivesBackWhatEncodeTookAndAnEncodedLineReadsBack) {
  for (const std::string& text : kAwkwardTexts) {
    EXPECT_EQ(Decoded(Encoded(text)), text) << text;
    std::istringstream is(Encoded(text) + "\nNext: 1\n");
    std::string out;
    ReadTextLine(is, out, true);
    EXPECT_EQ(out, text);
    std::string rest;
    std::getline(is, rest);
    std::getline(is, rest);
    EXPECT_EQ(rest, "Next: 1") << text;
  }

  for (const std::string& text : kAwkwardTexts) {
    std::istringstream is(LiteralTextLine(text) + "\nNext: 1\n");
    std::string out;
    ReadTextLine(is, out, false);
    if ((text + kStringEndMarker).find(kStringEndMarker) == text.size()) {
      EXPECT_EQ(out, text);  // what framing can hold comes back whole
    }
    std::string rest;
    std::getline(is, rest);
    std::getline(is, rest);
    EXPECT_EQ(rest, "Next: 1") << text;
  }
}

}  // namespace
}  // namespace orvan
