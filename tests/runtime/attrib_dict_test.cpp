// The attribute dictionary and its resource lines, nested dictionaries, resource filters and
// qualified prefixes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/attribute_arrays.h"
#include "orvan/attribute_dictionary_attribute.h"
#include "orvan/attribute_string.h"
#include "orvan/enum_attributes.h"
#include "orvan/resource_filter.h"

namespace orvan {
namespace {

std::string Written(OrvanAttribDict& dict) {
  std::ostringstream os;
  dict.Write(os, false);
  return os.str();
}

// An object with one attribute of many kinds, like the ones a polygon publishes.
struct Sample {
  bool visible = true;
  int materialIndex = 0;
  float lineWidth = 1;
  vesColor color{0, 0, 0, 255};
  Vertex location{1, 2, 3};
  unsigned char polygonMode = 2;
  unsigned int vertexCount = 0;
  Vertex* vertices = nullptr;
  VesPropString title;
  std::string label;
  OrvanAttribDict dict;

  Sample() {
    dict.Add(new OrvanAttribute<bool>(nullptr, "Visible", &visible));
    dict.Add(new OrvanAttribute<int>(nullptr, "MaterialIndex", &materialIndex));
    dict.Add(new OrvanAttribute<float>(nullptr, "LineWidth", &lineWidth));
    dict.Add(new OrvanAttribute<vesColor>(nullptr, "Color", &color));
    dict.Add(new OrvanAttributeLocation(nullptr, "Location", &location));
    dict.Add(new OrvanAttributePolyModeEnum(nullptr, "PolygonMode", &polygonMode));
    dict.Add(new OrvanAttributeVertexArray<Vertex>(nullptr, "Vertices", &vertices, &vertexCount));
    dict.Add(new OrvanAttribute<VesPropString>(nullptr, "Title", &title));
    dict.Add(new OrvanAttributeEncodedStdString(nullptr, "Label", &label));
  }
  ~Sample() {
    dict.Clear();
    delete[] vertices;
  }
};

TEST(AttribDictTest, OneLinePerAttributeReadsBackSkippingCommentsUnknownNamesAndLinesWithoutAColon) {
  Sample source;
  EXPECT_EQ(Written(source.dict).substr(0, 25), "Visible: 1\nMaterialIndex:");
  for (const char* empty : {"Vertices", "Label"}) EXPECT_EQ(Written(source.dict).find(empty), std::string::npos);
  ResourceIndent = 3;
  std::ostringstream os;
  source.dict.Write(os, true);
  ResourceIndent = 0;
  EXPECT_EQ(os.str().substr(0, 14), "   Visible: 1\n");

  source.visible = false;
  source.materialIndex = -4;
  source.lineWidth = 0.1f;
  source.color = vesColor(1, 2, 3, 4);
  source.location = Vertex(-1.5f, 1e6f, 0.25f);
  source.polygonMode = 4;
  source.vertexCount = 2;
  source.vertices = new Vertex[2]{Vertex(0, 0, 0, vesColor(255, 0, 0, 255)), Vertex(1, 1, 0)};
  source.title = "Altimeter \"main\"\nsecond line";
  source.label = "a label\twith blanks";
  const std::string text = Written(source.dict);

  Sample target;
  std::istringstream is(text);
  EXPECT_TRUE(target.dict.Read(is));
  EXPECT_EQ(Written(target.dict), text);
  EXPECT_EQ(target.title, source.title);
  EXPECT_EQ(target.label, source.label);

  Sample sample;
  std::istringstream skipped(
      "// Visible: 0\n"
      "Unknown: 1 2 3\n"
      "   MaterialIndex: 7\n"
      "// was: MaterialIndex: 99\n"
      "LineWidth\n"
      "Color: 9 9 9 9\n"
      "Visible:0\n"
      "Location : 5 5 5\n"
      "PolygonMode: POLY_MODE_FILLED // trailing words\n");
  EXPECT_TRUE(sample.dict.Read(skipped));
  EXPECT_TRUE(sample.visible == false);
  EXPECT_EQ(sample.materialIndex, 7);
  EXPECT_EQ(sample.lineWidth, 1.0f);
  EXPECT_EQ(sample.color, vesColor(9, 9, 9, 9));
  EXPECT_EQ(sample.location, Vector(1, 2, 3));  // "Location " skipped another name
  EXPECT_EQ(sample.polygonMode, 3);

  std::istringstream nothing("Nothing: here\n");
  EXPECT_FALSE(sample.dict.Read(nothing));
}

TEST(AttribDictTest, DuplicateNamesAndAssignmentInStepThenByName) {
  int first = 1, second = 2;
  OrvanAttribDict dict;
  auto* a = new OrvanAttribute<int>(nullptr, "Value", &first);
  dict.Add(a);
  dict.Add(new OrvanAttribute<int>(nullptr, "Value", &second));
  dict.Add(nullptr);
  EXPECT_EQ(dict.Count(), 2u);
  EXPECT_EQ(Written(dict), "Value: 1\nValue: 2\n");
  EXPECT_EQ(dict.Get("Value"), a);
  std::istringstream is("Value: 5\n");
  dict.Read(is);
  EXPECT_EQ(first, 5);
  EXPECT_EQ(second, 2);
  dict.Remove("Value");
  EXPECT_EQ(dict.Count(), 0u);
  EXPECT_EQ(dict.Get("Value"), nullptr);

  dict.Add(a = new OrvanAttribute<int>(nullptr, "Value", &first));
  dict.Detach("Value");  // out of the dictionary, but alive
  EXPECT_EQ(dict.Get("Value"), nullptr);
  EXPECT_EQ(a->ValueText(), "5");
  delete a;

  int a1 = 0, b1 = 0, c1 = 0;
  int a2 = 1, c2 = 3, d2 = 4;
  OrvanAttribDict target, source;
  target.Add(new OrvanAttribute<int>(nullptr, "A", &a1));
  target.Add(new OrvanAttribute<int>(nullptr, "B", &b1));
  target.Add(new OrvanAttribute<int>(nullptr, "C", &c1));
  source.Add(new OrvanAttribute<int>(nullptr, "A", &a2));
  source.Add(new OrvanAttribute<int>(nullptr, "D", &d2));
  source.Add(new OrvanAttribute<int>(nullptr, "C", &c2));
  target = source;
  EXPECT_EQ(a1, 1);
  EXPECT_EQ(b1, 0);
  EXPECT_EQ(c1, 3);
  target = target;
  EXPECT_EQ(a1, 1);
}

TEST(AttribDictTest, ReadAsStringsAndValueOperationsByName) {
  OrvanAttribDict dict;
  std::istringstream is("Title: hello world\nno colon here\nTime: 12:30\nLast: one");
  dict.ReadAsStrings(is);
  ASSERT_EQ(dict.Count(), 3u);
  EXPECT_EQ(dict.ValueText("Title"), "hello world");
  EXPECT_EQ(dict.At(0)->NameText(), "Title");
  EXPECT_EQ(dict.ValueText("Time"), "12");
  EXPECT_EQ(dict.ValueText("Last"), "one");
  EXPECT_EQ(dict.Get("30"), nullptr);

  int value = 4;
  OrvanAttribDict values;
  values.Add(new OrvanAttribute<int>(nullptr, "Value", &value));
  EXPECT_EQ(values.ValueText("Missing"), "");
  values.ValueText("Value", "8");
  EXPECT_TRUE(values.ValueIntEquals("Value", 8));
  EXPECT_FALSE(values.ValueIntEquals("Missing", 0));
  std::istringstream nine("9");
  values.ReadValue("Value", nine);
  std::ostringstream os;
  values.WriteValue("Value", os);
  values.WriteValue("Missing", os);
  EXPECT_EQ(os.str(), "9");
}

TEST(DictionaryAttributeTest, NestedBlockIsIndentedReadsBackAndNeedsItsOpeningBrace) {
  int inner = 5;
  OrvanAttribDict nested;
  nested.Add(new OrvanAttribute<int>(nullptr, "Inner", &inner));
  int outer = 1;
  OrvanAttribDict dict;
  dict.Add(new OrvanAttribute<int>(nullptr, "Outer", &outer));
  auto* block = new OrvanAttributeDictionaryAttribute("Material", &nested);
  dict.Add(block);
  const std::string text = Written(dict);
  EXPECT_EQ(text, "Outer: 1\nMaterial: \n{\n  Inner: 5\n}\n\n");

  inner = 0;
  outer = 0;
  std::istringstream is(text + "Outer: 2\n");
  dict.Read(is);
  EXPECT_EQ(inner, 5);
  EXPECT_EQ(outer, 2);

  int added = 7;
  block->Add(new OrvanAttribute<int>(nullptr, "Added", &added));
  EXPECT_EQ(nested.Count(), 2u);
  dict.Clear();  // the nested dictionary stays ours
  EXPECT_EQ(nested.ValueText("Added"), "7");

  int kept = 5;
  OrvanAttribDict material;
  material.Add(new OrvanAttribute<int>(nullptr, "Inner", &kept));
  int after = 0;
  OrvanAttribDict braceless;
  braceless.Add(new OrvanAttributeDictionaryAttribute("Material", &material));
  braceless.Add(new OrvanAttribute<int>(nullptr, "Outer", &after));
  std::istringstream noBrace("Material: none\n" + std::string(2000, 'x') + "\nInner: 9\nOuter: 3\n");
  braceless.Read(noBrace);
  EXPECT_EQ(kept, 5);
  EXPECT_EQ(after, 3);
}

TEST(ResourceFilterTest, IncludedAndExcludedNamesAndDeepCopies) {
  VesResourceFilter filter;
  EXPECT_EQ(filter.QualificationLevels(), -1);
  EXPECT_TRUE(filter.Accepts("Location"));
  filter.Exclude("ObjectClass");
  EXPECT_FALSE(filter.Accepts("ObjectClass"));
  EXPECT_TRUE(filter.Accepts("objectclass"));
  filter.Include("Location");
  EXPECT_TRUE(filter.Accepts("Location"));
  EXPECT_FALSE(filter.Accepts("Visible"));
  filter.Exclude("Location");
  EXPECT_FALSE(filter.Accepts("Location"));
  EXPECT_EQ(filter.ExcludedCount(), 2u);

  filter.QualificationLevels(2);
  filter.NamesOnly(true);
  VesResourceFilter child(&filter);
  child.Exclude("C");
  EXPECT_EQ(child.QualificationLevels(), 2);
  EXPECT_TRUE(child.NamesOnly());
  EXPECT_STREQ(child.Included(0), "Location");
  EXPECT_NE(child.Excluded(0), filter.Excluded(0));  // its own copies of the names
  EXPECT_EQ(filter.ExcludedCount(), 2u);
  VesResourceFilter defaults(static_cast<const VesResourceFilter*>(nullptr));
  EXPECT_EQ(defaults.IncludedCount(), 0u);
  defaults = filter;
  EXPECT_STREQ(defaults.Excluded(0), "ObjectClass");
}

struct Node {
  const char* name;
  const Node* enclosing;
};

std::string Prefix(const Node& node, int levels) {
  VesResourceFilter filter;
  filter.QualificationLevels(levels);
  return QualifiedPrefix(&node, levels == -2 ? nullptr : &filter, [](const Node* n) { return n->name; },
                         [](const Node* n) { return n->enclosing; });
}

TEST(QualifiedPrefixTest, LevelsOfEnclosingComponentsAndARepeatingChainStops) {
  const Node cockpit{"cockpit", nullptr};
  const Node unnamed{"", &cockpit};
  const Node altimeter{"altimeter", &unnamed};
  const Node needle{"needle", &altimeter};
  // Levels 0 to 4, then all (-1) and no filter (-2); the unnamed component adds nothing.
  const char* const prefixes[] = {"", "needle", "altimeter.needle", "altimeter.needle", "cockpit.altimeter.needle"};
  for (int levels = -2; levels <= 4; ++levels) {
    EXPECT_EQ(Prefix(needle, levels), prefixes[levels < 0 ? 4 : levels]) << levels;
  }

  Node a{"a", nullptr};
  Node b{"b", &a};
  a.enclosing = &b;
  const Node leaf{"leaf", &a};
  EXPECT_EQ(Prefix(leaf, -1), "b.a.leaf");
  const Node self{nullptr, nullptr};
  EXPECT_EQ(Prefix(self, -1), "");
}

}  // namespace
}  // namespace orvan
