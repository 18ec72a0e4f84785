// Interned names, the typed attribute and its text forms, and property attributes.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <thread>
#include <vector>

#include "attribute_test_callback.h"
#include "orvan/attribute.h"
#include "orvan/attribute_property.h"

namespace orvan {
namespace {

using testing_support::CountingCallback;

std::string WrittenFixed(const OrvanAttributeBase& attribute) {
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);  // how resource files are opened
  attribute.WriteValue(os);
  return os.str();
}

TEST(AttributeNameTest, EqualTextsShareOneIndexAcrossThreads) {
  EXPECT_EQ(AttributeName("Location"), AttributeName(std::string("Location")));
  EXPECT_NE(AttributeName("Location"), AttributeName("location"));
  EXPECT_EQ(AttributeName(static_cast<const char*>(nullptr)), AttributeName(""));
  std::vector<std::vector<std::uint32_t>> seen(4);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &seen] {
      for (int i = 0; i < 500; ++i) seen[t].push_back(AttributeName("Concurrent" + std::to_string(i)).Index());
    });
  }
  for (auto& thread : threads) thread.join();
  for (int t = 1; t < 4; ++t) EXPECT_EQ(seen[t], seen[0]);
  EXPECT_EQ(AttributeName("Concurrent42").Text(), "Concurrent42");
}

TEST(AttributeBoolTest, AcceptsWordsAndNumbers) {
  int notified = 0;
  CountingCallback callback(&notified);
  bool value = false;
  OrvanAttribute<bool> attribute(&callback, "Visible", &value);
  const std::vector<std::pair<std::string, bool>> cases = {
      {"True", true}, {"FALSE", false}, {"2", true}, {"yes", false}, {"-7", true}, {"0x1", false},
      {"99999999999999999999999", true}};
  for (const auto& c : cases) {
    value = !c.second;
    attribute.ValueText(c.first);
    EXPECT_EQ(value, c.second) << c.first;
    EXPECT_EQ(attribute.ValueText(), c.second ? "1" : "0");
  }
  attribute.ValueInt(5);
  EXPECT_EQ(attribute.ValueInt(), 1);
  EXPECT_EQ(notified, static_cast<int>(cases.size()) + 1);
}

TEST(AttributeIntegerTest, NarrowTypesKeepLowBitsWideTypesGoThroughText) {
  unsigned char byte = 0;
  OrvanAttribute<unsigned char> byteAttribute(nullptr, "Byte", &byte);
  byteAttribute.ValueText("300");
  EXPECT_EQ(byteAttribute.ValueText(), "44");
  byteAttribute.ValueInt(-1);
  EXPECT_EQ(byte, 255);
  unsigned short pattern = 0;
  OrvanAttribute<unsigned short> patternAttribute(nullptr, "Pattern", &pattern);
  patternAttribute.ValueInt(0x1FFFF);
  EXPECT_EQ(pattern, 0xFFFF);
  long big = 0;
  OrvanAttribute<long> bigAttribute(nullptr, "Big", &big);
  bigAttribute.ValueInt(LONG_MAX);
  EXPECT_EQ(big, LONG_MAX);
  unsigned int count = 0;
  OrvanAttribute<unsigned int> countAttribute(nullptr, "Count", &count);
  countAttribute.ValueText("4000000000");
  EXPECT_EQ(countAttribute.ValueInt(), 4000000000L);
}

TEST(AttributeIntegerTest, UnparsableTextKeepsTheValueButStillNotifies) {
  int notified = 0;
  CountingCallback callback(&notified);
  int number = 17;
  OrvanAttribute<int> attribute(&callback, "Number", &number);
  std::istringstream is("abc");
  attribute.ReadValue(is);
  EXPECT_EQ(number, 17);
  EXPECT_TRUE(is.fail());
  EXPECT_EQ(notified, 1);
}

TEST(AttributeFloatTest, GeneralNotationInMemoryAndFixedInFiles) {
  float value = 1.5f;
  OrvanAttribute<float> attribute(nullptr, "LineWidth", &value);
  EXPECT_EQ(attribute.ValueText(), "1.5");
  EXPECT_EQ(WrittenFixed(attribute), "1.5000000000");
  value = 0.1f;
  EXPECT_EQ(attribute.ValueText(), "0.1000000015");
  EXPECT_EQ(WrittenFixed(attribute), "0.1000000015");
  double exact = 0.1;
  OrvanAttribute<double> doubleAttribute(nullptr, "Exact", &exact);
  EXPECT_EQ(doubleAttribute.ValueText(), "0.1");
  EXPECT_EQ(WrittenFixed(doubleAttribute), "0.1000000000");
}

TEST(AttributeFloatTest, ValueIntTruncatesTowardZeroWithoutOverflow) {
  float value = 0;
  OrvanAttribute<float> attribute(nullptr, "Rate", &value);
  attribute.ValueInt(7);
  EXPECT_EQ(value, 7.0f);
  value = -2.7f;
  EXPECT_EQ(attribute.ValueInt(), -2);
  value = 1e30f;
  EXPECT_EQ(attribute.ValueInt(), LONG_MAX);
  double d = 2.5;
  EXPECT_EQ(OrvanAttribute<double>(nullptr, "D", &d).ValueInt(), 2);  // "2.5" read as a long
}

TEST(AttributeColorTest, FourIntegersTruncatedToBytes) {
  vesColor color(255, 128, 0, 255);
  OrvanAttribute<vesColor> attribute(nullptr, "Color", &color);
  EXPECT_EQ(attribute.ValueText(), "255 128 0 255");
  attribute.ValueText("256 -1 10\n20");
  EXPECT_EQ(color, vesColor(0, 255, 10, 20));
  attribute.ValueText("1 2");  // the missing components stay
  EXPECT_EQ(color, vesColor(1, 2, 10, 20));
}

TEST(AttributeVertexTest, CoordinatesThenColorReadBackWhole) {
  Vertex vertex(-12.25f, 123456789.0f, 0.5f, vesColor(255, 0, 0, 255)), copy;
  OrvanAttribute<Vertex> attribute(nullptr, "Point", &vertex);
  OrvanAttribute<Vertex>(nullptr, "Copy", &copy).ValueText(attribute.ValueText());
  EXPECT_EQ(copy, vertex);
  EXPECT_EQ(copy.color, vesColor(255, 0, 0, 255));
}

TEST(AttributeStringTest, PlainStringReadsOneWordPropStringTheLine) {
  std::string word;
  VesPropString line;
  OrvanAttribute<std::string>(nullptr, "Word", &word).ValueText("two words\nnext");
  OrvanAttribute<VesPropString>(nullptr, "MainMessage", &line).ValueText("two words\nnext");
  EXPECT_EQ(word, "two");
  EXPECT_EQ(line, "two words");
}

TEST(AttributeStringTest, PropStringEscapesQuotesBackslashesAndLineBreaks) {
  VesPropString text("say \"hi\"");
  OrvanAttribute<VesPropString> attribute(nullptr, "MainMessage", &text);
  EXPECT_EQ(attribute.ValueText(), "say \\\"hi\\\"");
  text = "a\nb";
  EXPECT_EQ(attribute.ValueText(), "a\\nb");
  for (const std::string sample : {"say \"hi\"", "back\\slash\\", "tab\there  ", "cr\r\nlf",
                                   "#$STRING_START$#not a block", "x#$STRING_START$#y#$STRING_END$#z"}) {
    text = sample;
    const std::string written = attribute.ValueText();
    EXPECT_EQ(written.find_first_of("\r\n"), std::string::npos) << sample;
    text = "";
    attribute.ValueText(written);
    EXPECT_EQ(text, sample);
  }
}

TEST(AttributeCompareTest, EqualityNeedsSameTypeNameAndValue) {
  int a = 3, b = 3;
  float f = 3;
  OrvanAttribute<int> first(nullptr, "Value", &a);
  OrvanAttribute<int> sameName(nullptr, "Value", &b);
  EXPECT_TRUE(first == sameName);
  EXPECT_FALSE(first == OrvanAttribute<int>(nullptr, "Other", &b));
  EXPECT_FALSE(first == OrvanAttribute<float>(nullptr, "Value", &f));
  b = 4;
  EXPECT_FALSE(first == sameName);
  Vertex v1(1, 2, 3, vesColor(1, 1, 1, 1)), v2(1, 2, 3, vesColor(9, 9, 9, 9));
  EXPECT_TRUE(OrvanAttribute<Vertex>(nullptr, "Point", &v1) == OrvanAttribute<Vertex>(nullptr, "Point", &v2));
}

TEST(AttributeAssignTest, SameTypeCopiesValueOtherTypesGoThroughText) {
  int notified = 0;
  CountingCallback callback(&notified);
  float from = 3.75f, copy = 0;
  int to = 0;
  OrvanAttribute<float> source(nullptr, "A", &from);
  OrvanAttribute<int> target(&callback, "B", &to);
  static_cast<OrvanAttributeBase&>(target) = source;
  EXPECT_EQ(to, 3);
  EXPECT_EQ(notified, 1);
  OrvanAttribute<float> sameType(nullptr, "C", &copy);
  sameType = source;
  EXPECT_EQ(copy, 3.75f);
}

class Gauge {
 public:
  void SetNeedle(const float& v) {
    needle = v;
    ++sets;
  }
  float GetNeedle() { return needle; }

  float needle = 0.25f;
  int sets = 0;
};

TEST(AttributePropertyTest, UsesTheMethodsWhenGiven) {
  Gauge gauge;
  OrvanAttributeProperty<Gauge, float> attribute("Needle", &gauge, nullptr, &Gauge::SetNeedle, &Gauge::GetNeedle);
  EXPECT_EQ(attribute.ValueText(), "0.25");
  attribute.ValueText("0.1");
  EXPECT_EQ(attribute.ValueText(), "0.1000000015");
  attribute.ValueInt(9);  // through the setter as well
  EXPECT_EQ(gauge.needle, 9.0f);
  EXPECT_EQ(gauge.sets, 2);
}

TEST(AttributePropertyTest, FallsBackToStorageOrNothing) {
  vesColor stored(1, 2, 3, 4);
  OrvanAttributeProperty<Gauge, vesColor> storageOnly("Color", nullptr, &stored, nullptr, nullptr);
  storageOnly.ValueText("5 6 7 8");
  EXPECT_EQ(stored, vesColor(5, 6, 7, 8));
  OrvanAttributeProperty<Gauge, float> nothing("Needle", nullptr, nullptr, nullptr, nullptr);
  EXPECT_FALSE(nothing.HasValue());
  nothing.ValueText("3");
  nothing.ValueInt(3);
  EXPECT_EQ(nothing.ValueText(), "");
  EXPECT_EQ(nothing.Value(), 0.0f);
  EXPECT_EQ((OrvanAttributeProperty<Gauge, VesPropString>("M", nullptr, nullptr, nullptr, nullptr).Value()), "");
}

}  // namespace
}  // namespace orvan
