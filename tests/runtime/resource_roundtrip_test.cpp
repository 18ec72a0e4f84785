// A tree of groups and polygons with a value other than the default in every attribute is
// written as resource text, read into a fresh tree of the same shape and written again: both
// texts must be equal, in the general notation of in-memory streams and in the fixed notation
// of resource files.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/object_resources.h"
#include "orvan/resource_filter.h"

namespace orvan {
namespace {

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

TEST(ResourceRoundTrip, EveryAttributeOfTheSourceTreeDiffersFromTheDefault) {
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
}

TEST(ResourceRoundTrip, TreeTextReadIntoAFreshTreeWritesTheSameText) {
  for (bool fixed : {false, true}) {
    Panel source(true), copy(false);
    const std::string first = source.Write(fixed);
    const int lines = copy.Read(first);
    EXPECT_EQ(copy.Write(fixed), first) << (fixed ? "fixed" : "general") << " notation";
    int expected = 0;
    for (DisplayObject* o : source.Objects()) expected += static_cast<int>(o->Attributes()->Count());
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
