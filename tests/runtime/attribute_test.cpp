// Interned names, the typed attribute and its text forms, and property attributes; the
// attribute classes with their own text forms (strings, bytes-or-booleans, locations, number and
// vertex arrays, file paths, the empty attribute); and enumerated attributes: the name tables,
// names and numbers in both directions, notification, the justification and alignment lists.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "orvan/attribute.h"
#include "orvan/attribute_arrays.h"
#include "orvan/attribute_file_path.h"
#include "orvan/attribute_property.h"
#include "orvan/attribute_string.h"
#include "orvan/callback_method_caller.h"
#include "orvan/enum_attributes.h"

namespace orvan {
namespace {

// A notification callback that counts its calls into a counter shared by its clones, so a
// test can see the notifications of the clone an attribute keeps.
class CountingCallback : public CallbackMethodCallerBase {
 public:
  explicit CountingCallback(int* counter_) : counter(counter_) {}
  int Call(DisplayObject*, DisplayEvent*) override { return 0; }
  void Call(void*, void*) override {}
  void Call() override { ++*counter; }
  CallbackMethodCallerBase* Clone() const override { return new CountingCallback(counter); }

 private:
  int* counter;
};

std::string WrittenFixed(const OrvanAttributeBase& attribute) {
  std::ostringstream os;
  os.setf(std::ios::fixed, std::ios::floatfield);  // how resource files are opened
  attribute.WriteValue(os);
  return os.str();
}

TEST(AttributeNameTest, EqualTextsShareOneIndexAcrossThreadsAndBooleansAcceptWordsAndNumbers) {
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

TEST(AttributeIntegerTest, NarrowTypesKeepLowBitsWideTypesGoThroughTextBadTextStillNotifies) {
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

TEST(AttributeFloatTest, GeneralNotationFixedInFilesTruncatedValueIntAndColourVertexLocationForms) {
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

  float rate = 0;
  OrvanAttribute<float> rateAttribute(nullptr, "Rate", &rate);
  rateAttribute.ValueInt(7);
  EXPECT_EQ(rate, 7.0f);
  rate = -2.7f;
  EXPECT_EQ(rateAttribute.ValueInt(), -2);
  rate = 1e30f;
  EXPECT_EQ(rateAttribute.ValueInt(), LONG_MAX);
  double d = 2.5;
  EXPECT_EQ(OrvanAttribute<double>(nullptr, "D", &d).ValueInt(), 2);  // "2.5" read as a long

  vesColor color(255, 128, 0, 255);
  OrvanAttribute<vesColor> colorAttribute(nullptr, "Color", &color);
  EXPECT_EQ(colorAttribute.ValueText(), "255 128 0 255");
  colorAttribute.ValueText("256 -1 10\n20");
  EXPECT_EQ(color, vesColor(0, 255, 10, 20));
  colorAttribute.ValueText("1 2");  // the missing components stay
  EXPECT_EQ(color, vesColor(1, 2, 10, 20));

  Vertex vertex(-12.25f, 123456789.0f, 0.5f, vesColor(255, 0, 0, 255)), copy;
  OrvanAttribute<Vertex> vertexAttribute(nullptr, "Point", &vertex);
  OrvanAttribute<Vertex>(nullptr, "Copy", &copy).ValueText(vertexAttribute.ValueText());
  EXPECT_EQ(copy, vertex);
  EXPECT_EQ(copy.color, vesColor(255, 0, 0, 255));

  Vertex location(1, 2, 3, vesColor(9, 8, 7, 6));
  OrvanAttributeLocation locationAttribute(nullptr, "Location", &location);
  EXPECT_EQ(locationAttribute.ValueText().find("9"), std::string::npos);  // no colour written
  locationAttribute.ValueText("4 5 6 1 1 1 1");
  EXPECT_EQ(location, Vector(4, 5, 6));
  EXPECT_EQ(location.color, vesColor(9, 8, 7, 6));
}

TEST(AttributeStringTest, PlainStringReadsOneWordPropStringTheLineAndEscapes) {
  std::string word;
  VesPropString line;
  OrvanAttribute<std::string>(nullptr, "Word", &word).ValueText("two words\nnext");
  OrvanAttribute<VesPropString>(nullptr, "MainMessage", &line).ValueText("two words\nnext");
  EXPECT_EQ(word, "two");
  EXPECT_EQ(line, "two words");

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

TEST(AttributeCompareTest, EqualityNeedsSameTypeNameAndValueAndAssignmentCopiesOrGoesThroughText) {
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

TEST(AttributePropertyTest, MethodsWhenGivenElseStorageElseNothing) {
  Gauge gauge;
  OrvanAttributeProperty<Gauge, float> attribute("Needle", &gauge, nullptr, &Gauge::SetNeedle, &Gauge::GetNeedle);
  EXPECT_EQ(attribute.ValueText(), "0.25");
  attribute.ValueText("0.1");
  EXPECT_EQ(attribute.ValueText(), "0.1000000015");
  attribute.ValueInt(9);  // through the setter as well
  EXPECT_EQ(gauge.needle, 9.0f);
  EXPECT_EQ(gauge.sets, 2);

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

TEST(AttributeStringClassTest, OwnCopyOrCallersVariableAndTheEmptyAttribute) {
  OrvanAttributeString own(nullptr, "ComponentHeaderFile", "first\nsecond");
  const std::string written = own.ValueText();
  EXPECT_EQ(written, "#$STRING_START$#first\nsecond#$STRING_END$#");
  own.ValueText("panel header.h\nNext: 1");
  EXPECT_STREQ(own.Text(), "panel header.h");
  own.ValueText(written + "\nNext: 1");
  EXPECT_STREQ(own.Text(), "first\nsecond");

  int notified = 0;
  CountingCallback callback(&notified);
  char* text = nullptr;
  OrvanAttributeString borrowed(&callback, "Title", &text);
  EXPECT_FALSE(borrowed.HasValue());
  text = new char[4]{'o', 'l', 'd', '\0'};
  borrowed.ValueText("new title");  // frees the old text
  EXPECT_STREQ(text, "new title");
  EXPECT_EQ(notified, 1);
  delete[] text;

  OrvanEmptyAttribute& empty = OrvanEmptyAttribute::Instance();
  EXPECT_EQ(empty.NameText(), "EmptyAttribute");
  std::istringstream is("1 2 3");
  empty.ReadValue(is);
  EXPECT_EQ(is.tellg(), 0);
  EXPECT_EQ(empty.ValueText(), "");
}

TEST(EncodedStdStringTest, BlanksAndLinesAreEncoded) {
  int notified = 0;
  CountingCallback callback(&notified);
  std::string text;
  OrvanAttributeEncodedStdString attribute(&callback, "Label", &text);
  std::ostringstream none;
  attribute.WriteValue(none);
  EXPECT_EQ(none.str(), "");
  text = "a b";
  std::ostringstream os;
  attribute.WriteValue(os);
  EXPECT_EQ(os.str(), "a\\sb");
  EXPECT_EQ(attribute.ValueText(), "a b");  // ValueText bypasses the encoding
  text = "two\nlines";
  std::ostringstream framed;
  attribute.WriteValue(framed);
  EXPECT_EQ(framed.str(), "#$STRING_START$#two\nlines#$STRING_END$#");
  std::istringstream is(framed.str() + "\n");
  text = "x";
  attribute.ReadValue(is);
  EXPECT_EQ(text, "two\nlines");
  std::istringstream empty("\nNext");
  attribute.ReadValue(empty);
  EXPECT_EQ(text, "");
  EXPECT_EQ(notified, 2);
}

TEST(UCharOrBoolTest, WordsNumbersOverlongWordsAndAssignmentFromItsOwnKind) {
  unsigned char value = 7;
  OrvanAttributeUCharOrBool attribute(nullptr, "DepthTest", &value);
  attribute.ValueText("true");
  EXPECT_EQ(value, 1);
  attribute.ValueText("False");
  EXPECT_EQ(value, 0);
  attribute.ValueText("300");
  EXPECT_EQ(attribute.ValueText(), "44");
  attribute.ValueText("0000000000000000000000000000000009");  // only 15 digits looked at
  EXPECT_EQ(value, 0);
  std::istringstream is(std::string(100000, '7') + " 2");
  attribute.ReadValue(is);
  EXPECT_EQ(value, 0xFF & 777777777777777L);
  attribute.ReadValue(is);
  EXPECT_EQ(value, 2);  // the rest of the long word did not leak into this read

  int notified = 0;
  CountingCallback callback(&notified);
  unsigned char a = 0, b = 200;
  bool flag = true;
  OrvanAttributeUCharOrBool target(&callback, "A", &a);
  target = OrvanAttributeUCharOrBool(nullptr, "B", &b);
  EXPECT_EQ(a, 200);
  EXPECT_EQ(notified, 1);
  static_cast<OrvanAttributeBase&>(target) = OrvanAttribute<bool>(nullptr, "C", &flag);
  EXPECT_EQ(a, 1);
}

TEST(VertexArrayTest, NumberVertexAndTexturePointArrays) {
  unsigned int count = 2;
  VertexNoColor* points = new VertexNoColor[2]{VertexNoColor(1, 2, 3), VertexNoColor(4, 5, 6)};
  OrvanAttributeVertexArray<VertexNoColor> attribute(nullptr, "TextureCoords", &points, &count);
  const std::string written = attribute.ValueText();
  EXPECT_EQ(written.substr(0, 2), "2\n");
  attribute.ValueText("0");
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(attribute.ValueText(), "0");
  attribute.ValueText(written);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(points[1], Vector(4, 5, 6));
  attribute.ValueText("4000000000\n1 2 3\n4 5");  // a count beyond the text: what parses
  EXPECT_EQ(count, 1u);
  attribute.ValueText("junk");  // no count: nothing replaced
  EXPECT_EQ(count, 1u);
  delete[] points;

  unsigned int vertexCount = 0;
  Vertex* vertices = nullptr;
  int notified = 0;
  CountingCallback callback(&notified);
  OrvanAttributeVertexArray<Vertex> vertexAttribute(&callback, "Vertices", &vertices, &vertexCount);
  EXPECT_FALSE(vertexAttribute.HasValue());
  vertexAttribute.ValueText("2\n0 0 0 255 0 0 255\n1.5 2 0 0 255 0 128");
  ASSERT_EQ(vertexCount, 2u);
  EXPECT_EQ(vertices[1], Vector(1.5f, 2, 0));
  EXPECT_EQ(vertices[1].color, vesColor(0, 255, 0, 128));
  EXPECT_EQ(notified, 1);
  delete[] vertices;

  Vertex corners[2] = {Vertex(0, 0, 0), Vertex(1, 1, 0)};
  {
    OrvanAttributeVertexArray<Vertex> attribute(nullptr, "Corners", corners, 2);
    EXPECT_EQ(attribute.ValueText().substr(0, 2), "\n0");  // no count: the size is the owner's
    attribute.ValueText("5 6 7 1 2 3 4 8 9 10 0 0 0 0 99 99 99 1 1 1 1");
    EXPECT_EQ(corners[0], Vector(5, 6, 7));
  }
  EXPECT_EQ(corners[1], Vector(8, 9, 10));  // still ours after the attribute is gone

  float values[2] = {1, 2};
  OrvanAttributeFloatArray floats(nullptr, "Values", values, 2);
  floats.ValueText("0.5 0.25 99");
  EXPECT_EQ(values[1], 0.25f);
  double matrix[3] = {0.1, -2, 3}, copy[3] = {};
  OrvanAttributeDoubleArray doubles(nullptr, "Matrix", matrix, 3);
  OrvanAttributeDoubleArray(nullptr, "Copy", copy, 3).ValueText(doubles.ValueText());
  EXPECT_EQ(copy[0], 0.1);
  doubles.ValueText("7 8");  // the missing number keeps its value
  EXPECT_EQ(matrix[2], 3);
  EXPECT_FALSE(OrvanAttributeFloatArray(nullptr, "None", values, 0).HasValue());

  VertexNoColor texturePoints[2] = {VertexNoColor(0, 1, 0), VertexNoColor(1, 1, 0)};
  VertexNoColor copied[2];
  OrvanAttributeTexturePointArray sourcePoints(nullptr, "TexturePoints", texturePoints, 2);
  OrvanAttributeTexturePointArray targetPoints(nullptr, "TexturePoints", copied, 2);
  targetPoints.ValueText(sourcePoints.ValueText());
  EXPECT_EQ(copied[0], texturePoints[0]);
  EXPECT_EQ(copied[1], texturePoints[1]);

  const ResourceFormatVersionPair saved = ResourceFormatVersion;
  ResourceFormatVersion = {3.0, 0};
  targetPoints.ValueText("1 2 3 255 255 255 255 4 5 6 0 0 0 0");
  ResourceFormatVersion = saved;
  EXPECT_EQ(copied[1], Vector(4, 5, 6));
}

TEST(FilePathAttributeTest, RelativeToTheBaseOrTheWorkingDirectoryAndNoneWhenEmpty) {
  FilePath base("/work/panels/main.res");
  FilePath path;
  int notified = 0;
  CountingCallback callback(&notified);
  OrvanAttributeFilePathClass attribute(&base, &callback, "ImageFile", &path, true);
  EXPECT_EQ(attribute.ValueText(), "(None)");
  attribute.ValueText("../images/dial.bmp");
  EXPECT_EQ(path.Text(), "/work/images/dial.bmp");
  EXPECT_EQ(attribute.ValueText(), "../images/dial.bmp");
  attribute.ValueText("(None)");
  EXPECT_TRUE(path.Empty());
  EXPECT_EQ(notified, 2);
  EXPECT_EQ(OrvanAttributeFilePathClass(&base, nullptr, "ImageFile", &path, false).ValueText(), "");

  char* cwd = getcwd(nullptr, 0);
  ASSERT_NE(cwd, nullptr);
  const std::string here = cwd;
  free(cwd);
  FilePath cwdPath;
  OrvanAttributeCWDRelativePath cwdAttribute(nullptr, "CacheFile", &cwdPath, false);
  cwdAttribute.ValueText("data/x.res");
  EXPECT_EQ(cwdPath.Text(), FilePath::Normalise(here + "/data/x.res"));
  EXPECT_EQ(cwdAttribute.ValueText(), "./data/x.res");
}

template <typename Attribute, typename T>
void ExpectTable(const std::vector<std::pair<std::string, int>>& table) {
  T value{};
  Attribute attribute(nullptr, "Mode", &value);
  for (const auto& entry : table) {
    value = static_cast<T>(entry.second);
    EXPECT_EQ(attribute.ValueText(), entry.first);
    value = static_cast<T>(99);
    attribute.ValueText(entry.first);
    EXPECT_EQ(static_cast<int>(value), entry.second) << entry.first;
  }
  EXPECT_EQ(Attribute::Names()->Count(), static_cast<int>(table.size()));
}

TEST(EnumTableTest, EveryNameAndValueTheDefinitionListsAndTheJustificationList) {
  ExpectTable<OrvanAttributeTextureModeEnum, unsigned char>({{"TEXTURE_MAP_MODULATE", 0}, {"TEXTURE_MAP_DECAL", 1},
                                                             {"TEXTURE_MAP_BLEND", 2}, {"TEXTURE_MAP_REPLACE", 3}});
  ExpectTable<OrvanAttributeTextureFilterEnum, unsigned char>(
      {{"TEXTURE_FILTER_NEAREST", 0}, {"TEXTURE_FILTER_LINEAR", 1}, {"TEXTURE_FILTER_NEAREST_MIPMAP_NEAREST", 2},
       {"TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR", 3}, {"TEXTURE_FILTER_NEAREST_MIPMAP_LINEAR", 4},
       {"TEXTURE_FILTER_LINEAR_MIPMAP_NEAREST", 5}});
  ExpectTable<OrvanAttributePolyModeEnum, unsigned char>({{"POLY_MODE_UNDEFINED", 0}, {"POLY_MODE_POINTS", 1},
                                                          {"POLY_MODE_OUTLINE", 2}, {"POLY_MODE_FILLED", 3},
                                                          {"POLY_MODE_FILL_AND_OUTLINE", 4}});
  ExpectTable<OrvanAttributePolyEndEnum, unsigned char>({{"POLY_OPEN", 0}, {"POLY_CLOSED", 1}});
  ExpectTable<OrvanAttributeShadingEnum, unsigned char>({{"FLAT", 0}, {"GOURAUD", 1}});
  ExpectTable<OrvanAttributeColorMaterialModeEnum, unsigned char>(
      {{"NO_COLOR_MATERIAL", 0}, {"DIFFUSE_COLOR_MATERIAL", 1}, {"AMBIENT_COLOR_MATERIAL", 2},
       {"DIFFUSE_AND_AMBIENT_COLOR_MATERIAL", 3}, {"EMISSION_COLOR_MATERIAL", 4}, {"SPECULAR_COLOR_MATERIAL", 5}});
  ExpectTable<OrvanAttributeAlphaModeEnum, int>({{"ALPHA_MODE_UNDEFINED", 0}, {"ALPHA_MODE_OPAQUE", 1},
                                                 {"ALPHA_MODE_2_LEVEL", 2}, {"ALPHA_MODE_256_LEVEL", 3}});
  ExpectTable<OrvanAttributeImageCodecEnum, vesImageCodec>(
      {{"VES_CODEC_RAW", 0}, {"VES_CODEC_LZ77", 1}, {"VES_CODEC_JPEG", 2}});
  ExpectTable<OrvanAttributeLightTypeEnum, LightType_e>({{"LIGHT_LOCAL", 0}, {"LIGHT_INFINITE", 1}});

  enum Fov : int { NONE = 0, GREATER = 1, LESS = 2, EXACTLY = 3 };
  EnumDefList<Fov> names("FOV_CONSTRAINT_NONE", NONE, "FOV_CONSTRAINT_GREATER", GREATER, "FOV_CONSTRAINT_LESS", LESS,
                         "FOV_CONSTRAINT_EXACTLY", EXACTLY, nullptr);
  ASSERT_EQ(names.Count(), 4);
  EXPECT_STREQ(names.Last()->data->name, "FOV_CONSTRAINT_EXACTLY");
  Fov constraint = EXACTLY;
  OrvanAttributeEnum<Fov> fovAttribute(nullptr, "HorizontalConstraint", &constraint, &names);
  EXPECT_EQ(fovAttribute.ValueText(), "FOV_CONSTRAINT_EXACTLY");
  fovAttribute.ValueText("FOV_CONSTRAINT_LESS");
  EXPECT_EQ(constraint, LESS);

  const std::string longName(100, 'N');
  names.Define(longName.c_str(), GREATER);
  EXPECT_EQ(std::string(names.Last()->data->name), longName.substr(0, 63));

  int notified = 0;
  CountingCallback callback(&notified);
  Justify_t justify = LEFT;
  OrvanAttribute<Justify_t> justifyAttribute(&callback, "Justify", &justify);
  EXPECT_EQ(justifyAttribute.ValueText(), "LEFT");
  justifyAttribute.ValueText("right");
  EXPECT_EQ(justify, LEFT);
  justifyAttribute.ValueText("RIGHT");
  EXPECT_EQ(justify, RIGHT);
  EXPECT_EQ(justifyAttribute.ValueInt(), 2);
  justifyAttribute.ValueInt(1);  // the text "1" is no name
  EXPECT_EQ(justify, RIGHT);
  EXPECT_EQ(notified, 3);
  justify = static_cast<Justify_t>(5);
  EXPECT_EQ(justifyAttribute.ValueText(), "");
}

TEST(EnumAttributeTest, NamesNumbersNotificationOverlongWordsAndAssignment) {
  unsigned char mode = 7;
  OrvanAttributeTextureModeEnum attribute(nullptr, "TextureMap", &mode);
  EXPECT_EQ(attribute.ValueText(), "7");
  attribute.ValueText("texture_map_blend");  // names are case-sensitive
  EXPECT_EQ(mode, 0);
  attribute.ValueText("2");
  EXPECT_EQ(mode, 2);
  EXPECT_EQ(attribute.ValueText(), "TEXTURE_MAP_BLEND");
  attribute.ValueText("3rd");
  EXPECT_EQ(mode, 3);
  attribute.ValueText("");  // no word at all: unchanged
  EXPECT_EQ(mode, 3);

  int notified = 0;
  CountingCallback callback(&notified);
  unsigned char end = 0;
  OrvanAttributePolyEndEnum polyEnd(&callback, "PolygonEnd", &end);
  polyEnd.ValueText("POLY_CLOSED");
  EXPECT_EQ(end, 1);
  EXPECT_EQ(notified, 1);
  polyEnd.ValueInt(0);
  EXPECT_EQ(end, 0);
  EXPECT_EQ(notified, 1);

  unsigned char longMode = 1;
  OrvanAttributeTextureModeEnum longAttribute(nullptr, "TextureMap", &longMode);
  std::istringstream is(std::string(70, '0') + "2 TEXTURE_MAP_REPLACE " + std::string(100000, 'Z'));
  longAttribute.ReadValue(is);
  EXPECT_EQ(longMode, 0);  // only the first 63 characters (all zeros) count
  longAttribute.ReadValue(is);
  EXPECT_EQ(longMode, 3);
  longAttribute.ReadValue(is);
  EXPECT_EQ(longMode, 0);

  int copies = 0;
  CountingCallback copyCallback(&copies);
  unsigned char a = 0, b = 3;
  OrvanAttributeTextureModeEnum target(&copyCallback, "TextureMap", &a);
  OrvanAttributePolyModeEnum sameType(nullptr, "PolygonMode", &b);
  OrvanAttributeBase& targetBase = target;
  targetBase = sameType;
  EXPECT_EQ(a, 3);
  EXPECT_EQ(copies, 1);

  int alpha = 2;
  OrvanAttributeAlphaModeEnum alphaMode(nullptr, "AlphaMode", &alpha);
  int plain = 9;
  OrvanAttribute<int> number(nullptr, "Number", &plain);
  OrvanAttributeBase& numberBase = number;
  numberBase = alphaMode;  // "ALPHA_MODE_2_LEVEL" is no number
  EXPECT_EQ(plain, 9);
  OrvanAttributeBase& alphaBase = alphaMode;
  alphaBase = number;
  EXPECT_EQ(alpha, 9);
}

}  // namespace
}  // namespace orvan
