// Enumerated attributes: the name tables, names and numbers in both directions, notification,
// and the fixed-list justification and alignment attributes.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "attribute_test_callback.h"
#include "orvan/attribute.h"
#include "orvan/enum_attributes.h"

namespace orvan {
namespace {

using testing_support::CountingCallback;

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

TEST(EnumTableTest, EveryNameAndValue) {
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
}

TEST(EnumAttributeTest, NumbersForValuesAndWordsOutsideTheTable) {
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
}

TEST(EnumAttributeTest, ReadingNotifiesValueIntDoesNot) {
  int notified = 0;
  CountingCallback callback(&notified);
  unsigned char end = 0;
  OrvanAttributePolyEndEnum attribute(&callback, "PolygonEnd", &end);
  attribute.ValueText("POLY_CLOSED");
  EXPECT_EQ(end, 1);
  EXPECT_EQ(notified, 1);
  attribute.ValueInt(0);
  EXPECT_EQ(end, 0);
  EXPECT_EQ(notified, 1);
}

TEST(EnumAttributeTest, OverlongWordsNeverOverrun) {
  unsigned char mode = 1;
  OrvanAttributeTextureModeEnum attribute(nullptr, "TextureMap", &mode);
  std::istringstream is(std::string(70, '0') + "2 TEXTURE_MAP_REPLACE " + std::string(100000, 'Z'));
  attribute.ReadValue(is);
  EXPECT_EQ(mode, 0);  // only the first 63 characters (all zeros) count
  attribute.ReadValue(is);
  EXPECT_EQ(mode, 3);
  attribute.ReadValue(is);
  EXPECT_EQ(mode, 0);
}

TEST(EnumAttributeTest, AssignmentCopiesValuesOrGoesThroughNames) {
  int notified = 0;
  CountingCallback callback(&notified);
  unsigned char a = 0, b = 3;
  OrvanAttributeTextureModeEnum target(&callback, "TextureMap", &a);
  OrvanAttributePolyModeEnum sameType(nullptr, "PolygonMode", &b);
  OrvanAttributeBase& targetBase = target;
  targetBase = sameType;
  EXPECT_EQ(a, 3);
  EXPECT_EQ(notified, 1);

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

TEST(EnumDefListTest, BuiltFromPairsInOrderWithTerminatedNames) {
  enum Fov : int { NONE = 0, GREATER = 1, LESS = 2, EXACTLY = 3 };
  EnumDefList<Fov> names("FOV_CONSTRAINT_NONE", NONE, "FOV_CONSTRAINT_GREATER", GREATER, "FOV_CONSTRAINT_LESS", LESS,
                         "FOV_CONSTRAINT_EXACTLY", EXACTLY, nullptr);
  ASSERT_EQ(names.Count(), 4);
  EXPECT_STREQ(names.Last()->data->name, "FOV_CONSTRAINT_EXACTLY");
  Fov constraint = EXACTLY;
  OrvanAttributeEnum<Fov> attribute(nullptr, "HorizontalConstraint", &constraint, &names);
  EXPECT_EQ(attribute.ValueText(), "FOV_CONSTRAINT_EXACTLY");
  attribute.ValueText("FOV_CONSTRAINT_LESS");
  EXPECT_EQ(constraint, LESS);

  const std::string longName(100, 'N');
  names.Define(longName.c_str(), GREATER);
  EXPECT_EQ(std::string(names.Last()->data->name), longName.substr(0, 63));
}

TEST(FixedListAttributeTest, JustificationNamesOnly) {
  int notified = 0;
  CountingCallback callback(&notified);
  Justify_t justify = LEFT;
  OrvanAttribute<Justify_t> attribute(&callback, "Justify", &justify);
  EXPECT_EQ(attribute.ValueText(), "LEFT");
  attribute.ValueText("right");
  EXPECT_EQ(justify, LEFT);
  attribute.ValueText("RIGHT");
  EXPECT_EQ(justify, RIGHT);
  EXPECT_EQ(attribute.ValueInt(), 2);
  attribute.ValueInt(1);  // the text "1" is no name
  EXPECT_EQ(justify, RIGHT);
  EXPECT_EQ(notified, 3);
  justify = static_cast<Justify_t>(5);
  EXPECT_EQ(attribute.ValueText(), "");
}

}  // namespace
}  // namespace orvan
