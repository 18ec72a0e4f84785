// What display objects, groups and polygons publish as attributes: the names in order, the
// text of each value, what a write through each attribute changes, the empty attribute of
// unknown names, and the resource lines an object writes under a filter. A tree with a value
// other than the default in every attribute is written, read into a fresh tree of the same shape
// and written again: both texts must be equal, in the general notation of in-memory streams and
// in the fixed notation of resource files.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_string.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/object_resources.h"
#include "orvan/resource_filter.h"
#include "support/vector_near.h"

namespace orvan {
namespace {

const std::vector<std::string> kObjectNames = {
    "Name", "Location", "Visible", "Pickable", "RotationOrigin", "Rotation", "DynamicTranslate", "DynamicScale",
    "DCSMatrix", "LineWidth", "CullBackFace", "AlphaMode", "AntiAlias", "DepthTest", "Color", "TextureIndex",
    "TextureRepeat", "TextureMap", "BlendColor", "TextureMinFilter", "TextureMagFilter", "PolygonMode",
    "PolygonEnd", "PolygonOffset", "Shading", "ColorMaterialMode", "LineStippleMultiplier", "LineStipplePattern",
    "Blink", "BlinkRate", "LightingEnabled", "MaterialIndex", "Vertices", "TexturePoints", "TextureCoords",
    "Normals"};

std::vector<std::string> NamesOf(const DisplayObject& o) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < o.Attributes()->Count(); ++i) names.push_back(o.Attributes()->At(i)->NameText());
  return names;
}

std::string Text(DisplayObject& o, const char* name) { return o.Resource(name)->ValueText(); }
void Write(DisplayObject& o, const char* name, const std::string& text) { o.Resource(name)->ValueText(text); }

std::string Lines(DisplayObject& o, VesResourceFilter* filter) {
  std::ostringstream os;
  o.GetResources(os, filter);
  return os.str();
}

using vessant::test::ExpectNear;

// One row per attribute: its text on a fresh polygon (null: not pinned), a text written through
// it, and the field that text must reach.
struct Row {
  const char* name;
  const char* initial;
  const char* written;
  double (*field)(GLPolygon&);
  double expected;
};
#define ROW(name, initial, written, field, expected) \
  { name, initial, written, [](GLPolygon& p) -> double { return p.field; }, expected }
const Row kRows[] = {
    ROW("Visible", "1", "0", Visibility(), 0),
    ROW("Pickable", "1", "3", Pickable(), 3),
    ROW("LineWidth", nullptr, "2.5", LineWidth(), 2.5),
    ROW("CullBackFace", "0", "TRUE", CullBackFace(), 1),
    // A cull mode written as a number is kept as that number, as CullBackFace(int) keeps it.
    ROW("CullBackFace", "0", "2", CullBackFace(), 2),
    ROW("AlphaMode", "ALPHA_MODE_256_LEVEL", "ALPHA_MODE_OPAQUE", AlphaMode(), 1),
    ROW("AntiAlias", nullptr, "1", AntiAlias(), 1),
    ROW("DepthTest", "2", "0", DepthTest(), 0),
    ROW("Color", "0 0 0 255", "1 2 3 4", GetColor() == vesColor(1, 2, 3, 4), 1),
    ROW("TextureIndex", "-1", "7", TextureIndex(), 7),
    ROW("TextureRepeat", nullptr, "0", TextureRepeat(), 0),
    ROW("TextureMap", "TEXTURE_MAP_REPLACE", "TEXTURE_MAP_DECAL", TextureMappingTechnique(), 1),
    ROW("BlendColor", "255 255 255 255", "5 6 7 8", GetBlendColor() == vesColor(5, 6, 7, 8), 1),
    ROW("TextureMinFilter", "TEXTURE_FILTER_LINEAR", "TEXTURE_FILTER_NEAREST", TextureMinificationFilter(), 0),
    ROW("TextureMagFilter", nullptr, "TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR", TextureMagnificationFilter(), 3),
    ROW("PolygonMode", "POLY_MODE_OUTLINE", "POLY_MODE_FILLED", PolygonMode(), 3),
    ROW("PolygonEnd", "POLY_CLOSED", "POLY_OPEN", PolygonEnd(), 0),
    ROW("PolygonOffset", nullptr, "-2", PolygonOffset(), -2),
    ROW("Shading", "FLAT", "GOURAUD", Shading(), 1),
    ROW("ColorMaterialMode", "NO_COLOR_MATERIAL", "EMISSION_COLOR_MATERIAL", ColorMaterialMode(), 4),
    ROW("LineStippleMultiplier", nullptr, "3", LineStippleMultiplier(), 3),
    ROW("LineStipplePattern", "65535", "43690", LineStipplePattern(), 43690),
    ROW("Blink", nullptr, "true", Blinking(), 1),
    ROW("BlinkRate", "2", "4.5", BlinkRate(), 4.5),
    ROW("LightingEnabled", nullptr, "1", LightingEnabled(), 1),
    // The index is signed: a negative one reads back as written.
    ROW("MaterialIndex", "0", "-4", MaterialIndex(), -4),
};
#undef ROW

TEST(RegisteredAttributes, EveryRowInOrderStartsAtItsDefaultAndWritesReachItsField) {
  for (const Row& row : kRows) {
    GLPolygon p;
    if (row.initial != nullptr) {
      EXPECT_EQ(Text(p, row.name), row.initial) << row.name;
    }
    Write(p, row.name, row.written);
    EXPECT_EQ(row.field(p), row.expected) << row.name << " = " << row.written;
  }
  GLPolygon p;
  Write(p, "Name", "needle one");
  EXPECT_STREQ(p.InstanceName(), "needle one");
  Write(p, "CullBackFace", "2");
  Write(p, "MaterialIndex", "-4");
  EXPECT_EQ(Text(p, "CullBackFace"), "2");
  EXPECT_EQ(Text(p, "MaterialIndex"), "-4");

  GLPolygon polygon;
  EXPECT_EQ(NamesOf(polygon), kObjectNames);
  polygon.RegisterAttributes(kAttributesAll);
  EXPECT_EQ(NamesOf(polygon).size(), kObjectNames.size());

  Group group;
  std::vector<std::string> groupNames = kObjectNames;
  groupNames.push_back("PerformGroupCullCheck");
  groupNames.push_back("CullTestChildren");
  EXPECT_EQ(NamesOf(group), groupNames);
  group.RegisterAttributes(kAttributesIdentity);
  EXPECT_EQ(NamesOf(group), groupNames);
  EXPECT_EQ(Text(group, "CullTestChildren"), "1");
  Write(group, "PerformGroupCullCheck", "TRUE");
  Write(group, "CullTestChildren", "0");
  EXPECT_TRUE(group.PerformGroupCullCheck());
  EXPECT_FALSE(group.CullTestChildren());
}

TEST(RegisteredAttributes, LocationDynamicAndGeometryRowsAndUnknownNames) {
  const Vertex corners[3] = {Vertex(1, 1, 0), Vertex(3, 1, 0), Vertex(1, 3, 0)};
  GLPolygon p(3, corners);
  Write(p, "Location", "10 20 30");
  ExpectNear(p.WorldVertex(1), 12, 20, 30);
  EXPECT_EQ(p.TransformMatrix(), nullptr);  // nothing to rebuild yet

  Write(p, "Rotation", "0 0 90");
  ASSERT_NE(p.TransformMatrix(), nullptr);
  EXPECT_TRUE(p.PreDrawNeeded());
  EXPECT_FALSE(p.TransformDirty());
  // About the location (10, 20, 30): the point (11, 20, 30) goes to (10, 21, 30).
  const double* m = p.TransformMatrix()->Data();
  EXPECT_NEAR(m[0] * 11 + m[4] * 20 + m[8] * 30 + m[12], 10, 1e-9);
  EXPECT_NEAR(m[1] * 11 + m[5] * 20 + m[9] * 30 + m[13], 21, 1e-9);

  // The pivot follows the location and the rotation point.
  Write(p, "Location", "0 0 0");
  Write(p, "RotationOrigin", "1 0 0");
  m = p.TransformMatrix()->Data();
  EXPECT_NEAR(m[12], 1, 1e-9);
  EXPECT_NEAR(m[13], -1, 1e-9);

  GLPolygon moving;
  Write(moving, "DynamicTranslate", "1 2 3");
  ASSERT_NE(moving.TransformMatrix(), nullptr);
  EXPECT_NEAR(moving.TransformMatrix()->Data()[14], 3, 1e-9);
  Write(moving, "DynamicScale", "2 4 1");
  EXPECT_NEAR(moving.TransformMatrix()->Data()[5], 4, 1e-9);
  ExpectNear(moving.DynamicScale(), 2, 4, 1);
  // In a DCS translated by (5, 0, 0) the scale acts about x = 5.
  Write(moving, "DynamicTranslate", "0 0 0");
  Write(moving, "DCSMatrix", "1 0 0 0  0 1 0 0  0 0 1 0  5 0 0 1");
  EXPECT_DOUBLE_EQ(moving.DCSMatrix().Data()[12], 5);
  EXPECT_NEAR(moving.TransformMatrix()->Data()[12], -5, 1e-9);

  GLPolygon shape;
  Write(shape, "Vertices", "4\n-1 -1 0 255 0 0 255\n1 -1 0 255 0 0 255\n1 1 0 0 0 255 255\n-1 1 0 0 0 255 255");
  ASSERT_EQ(shape.NumberOfVertices(), 4u);
  EXPECT_NEAR(shape.BoundingRadius(), 1.41421f, 1e-4f);
  EXPECT_TRUE(shape.WorldVertex(2).color == vesColor(0, 0, 255, 255));

  // Fewer normals than vertices are fitted to the vertices; the vertex count never follows them.
  Write(shape, "Normals", "2\n0 0 1\n0 1 0");
  EXPECT_EQ(shape.NumberOfVertices(), 4u);
  std::istringstream normals(Text(shape, "Normals"));
  unsigned int count = 0;
  float values[12] = {};
  normals >> count;
  for (float& v : values) normals >> v;
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(values[5], 0.0f);
  EXPECT_EQ(values[4], 1.0f);
  EXPECT_EQ(values[11], 0.0f);

  // New vertices take the normals along.
  Write(shape, "Vertices", "3\n0 0 0 1 1 1 1\n2 0 0 1 1 1 1\n0 2 0 1 1 1 1");
  EXPECT_EQ(Text(shape, "Normals").substr(0, 2), "3\n");
  Write(shape, "Normals", "0");
  EXPECT_EQ(shape.Normals(), nullptr);
  EXPECT_EQ(shape.NumberOfVertices(), 3u);

  Write(shape, "TextureCoords", "2\n0 0 0\n1 1 0");
  EXPECT_EQ(shape.TextureCoordinateCount(), 2u);
  ExpectNear(shape.TextureCoordinates()[1], 1, 1, 0);
  Write(shape, "TexturePoints", "1 2 3\n4 5 6\n7 8 9\n10 11 12");
  ExpectNear(shape.GetTexturePoints()[3], 10, 11, 12);

  GLPolygon looked;
  looked.InstanceName("looked");
  EXPECT_EQ(looked.Resource("LineWidth")->NameText(), "LineWidth");
  const std::string before = Lines(looked, nullptr);
  for (const char* name : {"NoSuchAttribute", "", static_cast<const char*>(nullptr), "looked.LineWidth"}) {
    OrvanAttributeBase* empty = looked.Resource(name);
    ASSERT_EQ(empty, &OrvanEmptyAttribute::Instance());
    EXPECT_EQ(empty->NameText(), "EmptyAttribute");
    empty->ValueText("5");
    EXPECT_EQ(empty->ValueText(), "");
  }
  EXPECT_EQ(Lines(looked, nullptr), before);
  // Names asked for are not added to the name table.
  const std::size_t names = AttributeNameTable::Size();
  looked.Resource("NeverRegisteredAnywhere");
  EXPECT_EQ(AttributeNameTable::Size(), names);
}

struct Tree {
  Group root, inner;
  GLPolygon a, b;
  Tree() {
    root.InstanceName("root");
    inner.InstanceName("inner");
    a.InstanceName("a");
    b.InstanceName("b");
    root.InsertObject(&a);
    root.InsertObject(&inner);
    inner.InsertObject(&b);
  }
};

int LinesStartingWith(const std::string& text, const std::string& start) {
  std::istringstream is(text);
  int n = 0;
  for (std::string line; std::getline(is, line);) n += line.compare(0, start.size(), start) == 0;
  return n;
}

TEST(ObjectResourceLines, FiltersSelectNamesLevelsAndQualificationAndGroupsNeverWriteObjectClass) {
  Tree t;
  VesResourceFilter filter;
  filter.Include("Visible");
  filter.Include("LineWidth");
  EXPECT_EQ(Lines(t.a, &filter), "a.Visible: 1\na.LineWidth: 1\n");
  filter.Exclude("LineWidth");
  filter.QualificationLevels(0);
  EXPECT_EQ(Lines(t.a, &filter), "Visible: 1\n");

  VesResourceFilter namesOnly;
  namesOnly.NamesOnly(true);
  namesOnly.Include("Vertices");
  EXPECT_EQ(Lines(t.a, &namesOnly), "a.Vertices\n");  // written without a value
  namesOnly.NamesOnly(false);
  EXPECT_EQ(Lines(t.a, &namesOnly), "");

  // Depth: one level down reaches the children, not the grandchildren.
  VesResourceFilter visible;
  visible.Include("Visible");
  visible.LevelsDown(1);
  EXPECT_EQ(Lines(t.root, &visible), "root.Visible: 1\na.Visible: 1\ninner.Visible: 1\n");
  EXPECT_EQ(visible.ExcludedCount(), 0u);  // the caller's filter is unchanged

  Tree classed;
  for (DisplayObject* o : {static_cast<DisplayObject*>(&classed.root), static_cast<DisplayObject*>(&classed.a)}) {
    o->Attributes()->Add(new OrvanAttributeString(nullptr, "ObjectClass", "Thing"));
  }
  VesResourceFilter everything;
  everything.LevelsDown(-1);
  EXPECT_EQ(LinesStartingWith(Lines(classed.root, &everything), "root.ObjectClass"), 0);
  EXPECT_EQ(LinesStartingWith(Lines(classed.a, &everything), "a.ObjectClass: Thing"), 1);
  // Below a group the children share the group's filter, which leaves the name out.
  EXPECT_EQ(LinesStartingWith(Lines(classed.root, &everything), "a.ObjectClass"), 0);
}

// A text other than the default for every attribute, varied by seed so that objects differ.
std::vector<std::pair<const char*, std::string>> CustomTexts(int seed) {
  const std::string s = std::to_string(seed);
  return {
      {"Location", s + ".25 -" + s + ".5 0.125"}, {"Visible", "0"}, {"Pickable", "3"},
      {"RotationOrigin", "0.5 0.25 " + s}, {"Rotation", "10 20 3" + s}, {"DynamicTranslate", "1 2 " + s},
      {"DynamicScale", "2 0.5 1.5"}, {"DCSMatrix", "0 1 0 0 -1 0 0 0 0 0 1 0 " + s + " 6 0 1"},
      {"LineWidth", "2.7" + s}, {"CullBackFace", "1"}, {"AlphaMode", "ALPHA_MODE_2_LEVEL"}, {"AntiAlias", "1"},
      {"DepthTest", "0"}, {"Color", "10 20 3" + s + " 40"}, {"TextureIndex", s}, {"TextureRepeat", "0"},
      {"TextureMap", "TEXTURE_MAP_BLEND"}, {"BlendColor", "1 2 3 4"},
      {"TextureMinFilter", "TEXTURE_FILTER_LINEAR_MIPMAP_LINEAR"}, {"TextureMagFilter", "TEXTURE_FILTER_NEAREST"},
      {"PolygonMode", "POLY_MODE_FILL_AND_OUTLINE"}, {"PolygonEnd", "POLY_OPEN"}, {"PolygonOffset", "-" + s},
      {"Shading", "GOURAUD"}, {"ColorMaterialMode", "SPECULAR_COLOR_MATERIAL"}, {"LineStippleMultiplier", "4"},
      {"LineStipplePattern", "3855"}, {"Blink", "1"}, {"BlinkRate", "0.7" + s}, {"LightingEnabled", "1"},
      {"MaterialIndex", "2" + s},
      {"Vertices", "5\n0 0 0 255 0 0 255\n1.5 0 0 0 255 0 128\n1.5 " + s + " 0 0 0 255 255\n0.1 1 0 9 9 9 9\n-1 0.3 -2 1 2 3 4"},
      {"TexturePoints", "1 0 0\n0 0 0\n0 1 " + s + "\n0.5 0.5 0.5"},
      {"TextureCoords", "3\n0 0 0\n1 0.3333333 0\n0.1 0.9 " + s}, {"Normals", "5\n0 0 1\n0 0 1\n0 1 0\n1 0 0\n0 0 -1"},
      {"PerformGroupCullCheck", "1"}, {"CullTestChildren", "0"}};
}

void Customise(DisplayObject& o, const std::string& name, int seed) {
  o.InstanceName(name.c_str());
  for (const auto& [attribute, text] : CustomTexts(seed)) o.Resource(attribute)->ValueText(text);
}

// root: a, needles (b, inner (c)), d — every object named, as resource lines require.
struct Panel {
  Group root, needles, inner;
  GLPolygon a, b, c, d;

  explicit Panel(bool customise) {
    const std::vector<std::pair<DisplayObject*, std::string>> named = {
        {&root, "panel"}, {&needles, "needles"}, {&inner, "inner"}, {&a, "a"}, {&b, "b"}, {&c, "c"}, {&d, "d"}};
    int seed = 1;
    for (const auto& [object, name] : named) {
      if (customise) {
        Customise(*object, name, seed++);
      } else {
        object->InstanceName(name.c_str());
      }
    }
    root.InsertObject(&a, true, false);
    root.InsertObject(&needles, true, false);
    needles.InsertObject(&b, true, false);
    needles.InsertObject(&inner, true, false);
    inner.InsertObject(&c, true, false);
    root.InsertObject(&d, true, false);
  }
  std::vector<DisplayObject*> Objects() { return {&root, &needles, &inner, &a, &b, &c, &d}; }

  std::string Write(bool fixed) {
    std::ostringstream os;
    if (fixed) os.setf(std::ios::fixed, std::ios::floatfield);
    VesResourceFilter everything;
    everything.LevelsDown(-1);
    root.GetResources(os, &everything);
    return os.str();
  }
  int Read(const std::string& text) {
    std::istringstream is(text);
    return ReadResourceText(is, [this](const std::string& name) -> OrvanAttributeBase& {
      return TreeResource(root, name);
    });
  }
};

TEST(ResourceRoundTrip, EveryAttributeDiffersFromTheDefaultAndTheTextReadsBackTheSame) {
  Panel source(true);
  GLPolygon freshPolygon;
  Group freshGroup;
  for (DisplayObject* o : source.Objects()) {
    DisplayObject& fresh = dynamic_cast<Group*>(o) != nullptr ? static_cast<DisplayObject&>(freshGroup) : freshPolygon;
    ASSERT_EQ(o->Attributes()->Count(), fresh.Attributes()->Count());
    for (std::size_t i = 0; i < o->Attributes()->Count(); ++i) {
      const OrvanAttributeBase* attribute = o->Attributes()->At(i);
      EXPECT_NE(attribute->ValueText(), fresh.Attributes()->At(i)->ValueText())
          << o->InstanceName() << "." << attribute->NameText();
    }
  }

  for (bool fixed : {false, true}) {
    Panel written(true), copy(false);
    const std::string first = written.Write(fixed);
    const int lines = copy.Read(first);
    EXPECT_EQ(copy.Write(fixed), first) << (fixed ? "fixed" : "general") << " notation";
    int expected = 0;
    for (DisplayObject* o : written.Objects()) expected += static_cast<int>(o->Attributes()->Count());
    EXPECT_EQ(lines, expected);
    // The values arrived as values, not only as text.
    EXPECT_EQ(copy.c.NumberOfVertices(), 5u);
    EXPECT_EQ(copy.inner.PolygonMode(), 4);  // a group answers with its first child's mode
    EXPECT_FALSE(copy.needles.CullTestChildren());
    ASSERT_NE(copy.b.TransformMatrix(), nullptr);
  }
}

}  // namespace
}  // namespace orvan
