// The attribute classes with their own text forms: strings, bytes-or-booleans, locations,
// number and vertex arrays, file paths and the empty attribute.
#include <gtest/gtest.h>

#include <unistd.h>

#include <sstream>
#include <string>

#include "attribute_test_callback.h"
#include "orvan/attribute_arrays.h"
#include "orvan/attribute_file_path.h"
#include "orvan/attribute_string.h"

namespace orvan {
namespace {

using testing_support::CountingCallback;

TEST(EmptyAttributeTest, ReadsAndWritesNothing) {
  OrvanEmptyAttribute& empty = OrvanEmptyAttribute::Instance();
  EXPECT_EQ(empty.NameText(), "EmptyAttribute");
  std::istringstream is("1 2 3");
  empty.ReadValue(is);
  EXPECT_EQ(is.tellg(), 0);
  EXPECT_EQ(empty.ValueText(), "");
}

TEST(AttributeStringClassTest, OwnCopyOrCallersVariable) {
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

TEST(UCharOrBoolTest, WordsNumbersAndOverlongWords) {
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
}

TEST(UCharOrBoolTest, AssignmentCopiesTheByteFromItsOwnKind) {
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

TEST(LocationAttributeTest, OnlyCoordinatesTravel) {
  Vertex location(1, 2, 3, vesColor(9, 8, 7, 6));
  OrvanAttributeLocation attribute(nullptr, "Location", &location);
  EXPECT_EQ(attribute.ValueText().find("9"), std::string::npos);  // no colour written
  attribute.ValueText("4 5 6 1 1 1 1");
  EXPECT_EQ(location, Vector(4, 5, 6));
  EXPECT_EQ(location.color, vesColor(9, 8, 7, 6));
}

TEST(NumberArrayTest, ReadsItsCountAndKeepsWhatTheTextLacks) {
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
}

TEST(VertexArrayTest, VariableFormWritesTheCountThenOnePointPerLine) {
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
}

TEST(VertexArrayTest, ColouredVerticesReplaceTheArray) {
  unsigned int count = 0;
  Vertex* vertices = nullptr;
  int notified = 0;
  CountingCallback callback(&notified);
  OrvanAttributeVertexArray<Vertex> attribute(&callback, "Vertices", &vertices, &count);
  EXPECT_FALSE(attribute.HasValue());
  attribute.ValueText("2\n0 0 0 255 0 0 255\n1.5 2 0 0 255 0 128");
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(vertices[1], Vector(1.5f, 2, 0));
  EXPECT_EQ(vertices[1].color, vesColor(0, 255, 0, 128));
  EXPECT_EQ(notified, 1);
  delete[] vertices;
}

TEST(VertexArrayTest, FixedFormReadsInPlaceAndLeavesTheArrayToItsOwner) {
  Vertex corners[2] = {Vertex(0, 0, 0), Vertex(1, 1, 0)};
  {
    OrvanAttributeVertexArray<Vertex> attribute(nullptr, "Corners", corners, 2);
    EXPECT_EQ(attribute.ValueText().substr(0, 2), "\n0");  // no count: the size is the owner's
    attribute.ValueText("5 6 7 1 2 3 4 8 9 10 0 0 0 0 99 99 99 1 1 1 1");
    EXPECT_EQ(corners[0], Vector(5, 6, 7));
  }
  EXPECT_EQ(corners[1], Vector(8, 9, 10));  // still ours after the attribute is gone
}

TEST(TexturePointArrayTest, ReadsBackWhatItWritesAndOldFormatsWithColour) {
  VertexNoColor points[2] = {VertexNoColor(0, 1, 0), VertexNoColor(1, 1, 0)};
  VertexNoColor copy[2];
  OrvanAttributeTexturePointArray source(nullptr, "TexturePoints", points, 2);
  OrvanAttributeTexturePointArray target(nullptr, "TexturePoints", copy, 2);
  target.ValueText(source.ValueText());
  EXPECT_EQ(copy[0], points[0]);
  EXPECT_EQ(copy[1], points[1]);

  const ResourceFormatVersionPair saved = ResourceFormatVersion;
  ResourceFormatVersion = {3.0, 0};
  target.ValueText("1 2 3 255 255 255 255 4 5 6 0 0 0 0");
  ResourceFormatVersion = saved;
  EXPECT_EQ(copy[1], Vector(4, 5, 6));
}

TEST(FilePathAttributeTest, RelativeToTheBaseAndNoneWhenEmpty) {
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
}

TEST(FilePathAttributeTest, WorkingDirectoryRelative) {
  char* cwd = getcwd(nullptr, 0);
  ASSERT_NE(cwd, nullptr);
  const std::string here = cwd;
  free(cwd);
  FilePath path;
  OrvanAttributeCWDRelativePath attribute(nullptr, "CacheFile", &path, false);
  attribute.ValueText("data/x.res");
  EXPECT_EQ(path.Text(), FilePath::Normalise(here + "/data/x.res"));
  EXPECT_EQ(attribute.ValueText(), "./data/x.res");
}

}  // namespace
}  // namespace orvan
