// VesText: its defaults, the character settings and their ranges, fonts shared through the
// registry, property numbers, attributes and the copies.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/font_registry.h"
#include "orvan/image.h"
#include "orvan/ves_font_base.h"
#include "orvan/ves_text.h"
#include "orvan/ves_text_box.h"
#include "support/rectangle.h"

namespace orvan {
namespace {

// A font of its own whose destruction a test can watch.
class WatchedFont : public VesFontBase {
 public:
  WatchedFont(const char* name, const char* style, int size, bool* destroyed)
      : VesFontBase(Header(name, style, size), nullptr, 0, nullptr), destroyed_(destroyed) {}
  ~WatchedFont() override { *destroyed_ = true; }

 private:
  static VesFontHeader Header(const char* name, const char* style, int size) {
    VesFontHeader h;
    h.name = name;
    h.style = style;
    h.pointSize = size;
    h.firstCode = 32;
    h.lastCode = 126;
    h.cellHeight = 10;
    h.cellWidth = 8;
    return h;
  }
  bool* destroyed_;
};

TEST(VesText, DefaultsRangesAndErasing) {
  VesText text;
  std::uint32_t bits = 0;
  const float distance = text.ShadowDistance();
  std::memcpy(&bits, &distance, sizeof bits);
  EXPECT_EQ(bits, 0x3E051EB8u);
  EXPECT_EQ(text.ShadowColor(), vesColor(128, 128, 128, 255));
  EXPECT_EQ(text.HaloColor(), vesColor(0, 0, 0, 0));
  EXPECT_EQ(text.Justify(), LEFT);
  EXPECT_EQ(text.LineSpacing(), 1.0f);
  EXPECT_TRUE(text.WrapText());
  EXPECT_TRUE(text.ConstrainCellRatio());
  EXPECT_TRUE(text.LockCellSize());
  EXPECT_FALSE(text.ControlCellSize());
  EXPECT_TRUE(text.LayoutDirty());
  EXPECT_EQ(text.BgColor(), vesColor(255, 255, 255, 0));
  EXPECT_EQ(text.TextColor(), vesColor(0, 0, 0, 255));
  EXPECT_EQ(text.Font(), FontRegistry::DefaultFont());

  VesText ranged;
  ranged.CharScaling(0.5f);
  ranged.CharScaling(0.0f);  // the upper bound is the attribute tests'
  EXPECT_EQ(ranged.CharScaling(), 0.5f);
  ranged.Baseline(-1.0f);
  EXPECT_EQ(ranged.Baseline(), -1.0f);
  ranged.Baseline(1.0f);
  EXPECT_EQ(ranged.Baseline(), 1.0f);
  ranged.Baseline(1.01f);
  EXPECT_EQ(ranged.Baseline(), 1.0f);
  ranged.Baseline(std::nanf(""));
  EXPECT_EQ(ranged.Baseline(), 1.0f);

  VesText erased;
  erased.TextColor(vesColor(1, 2, 3, 4));
  erased.String("abc");
  erased.Erase();
  EXPECT_TRUE(erased.CharacterRecords().empty());
  EXPECT_EQ(erased.String(), "");
  EXPECT_EQ(erased.TextColor(), vesColor(0, 0, 0, 255));
  erased.Underline(true);
  ASSERT_EQ(erased.CharacterRecords().size(), 1u);
  EXPECT_TRUE(erased.Underline());

  bool destroyed = false;
  WatchedFont* font = new WatchedFont("Numbered", "Plain", 11, &destroyed);
  FontRegistry::Add(font);
  VesTextBox numberedText;
  numberedText.SetValue(42, 2.5, 43, 20.0, 44, 18.0, 45, 0, 46, 1, 47, "Numbered", "Plain", 11, 49, 1.5, 50, 0, 51, 2,
                        53, "hello", 55, 0, 0);
  EXPECT_EQ(numberedText.Border(), 2.5f);
  EXPECT_EQ(numberedText.CellHeight(), 20.0f);
  EXPECT_EQ(numberedText.CellWidth(), 18.0f);
  EXPECT_FALSE(numberedText.ConstrainCellRatio());
  EXPECT_TRUE(numberedText.ControlCellSize());
  EXPECT_EQ(numberedText.Font(), font);
  EXPECT_EQ(numberedText.LineSpacing(), 1.5f);
  EXPECT_FALSE(numberedText.LockCellSize());
  EXPECT_EQ(numberedText.Justify(), RIGHT);
  EXPECT_EQ(numberedText.String(), "hello");
  EXPECT_FALSE(numberedText.WrapText());
  EXPECT_TRUE(numberedText.LayoutDirty());

  numberedText.UpdateLayout();
  numberedText.SetValue(48, 1, 1, 2, 3, 4, 52, 1, 0.25, 5, 6, 7, 8, 54, 1, 0);
  EXPECT_FALSE(numberedText.LayoutDirty()) << "halo, shadow and upper case do not touch the layout";
  EXPECT_TRUE(numberedText.Halo());
  EXPECT_EQ(numberedText.HaloColor(), vesColor(1, 2, 3, 4));
  EXPECT_TRUE(numberedText.Shadow());
  EXPECT_EQ(numberedText.ShadowDistance(), 0.25f);
  EXPECT_EQ(numberedText.ShadowColor(), vesColor(5, 6, 7, 8));
  EXPECT_TRUE(numberedText.Uppercase());
  // Numbers of the polygon still reach it, and the chain goes on after them.
  numberedText.SetValue(21, 9, 8, 7, 6, 53, "after", 0);
  EXPECT_EQ(numberedText.GetColor(), vesColor(9, 8, 7, 6));
  EXPECT_EQ(numberedText.String(), "after");
}

TEST(VesText, FontsAreSharedThroughTheRegistryAndKeepUserCounts) {
  EXPECT_EQ(VesFontBase::MakeKey("Times New Roman", "Bold\tItalic", 10), "TimesNewRomanBoldItalic10");
  VesFontBase* builtIn = FontRegistry::DefaultFont();
  EXPECT_EQ(builtIn->Key(), "ArialRegular12");
  EXPECT_TRUE(FontRegistry::IsBuiltIn(builtIn));

  bool destroyed = false;
  WatchedFont* font = new WatchedFont("Test Face", "Bold", 9, &destroyed);
  FontRegistry::Add(font);
  EXPECT_EQ(FontRegistry::UserCount(font), 0);
  EXPECT_EQ(FontRegistry::Find("TestFace", "Bold", 9), font);
  {
    VesTextBox a, b;
    a.UpdateLayout();
    a.Font(font);
    EXPECT_TRUE(a.LayoutDirty());
    a.UpdateLayout();
    a.Font(font);
    EXPECT_FALSE(a.LayoutDirty()) << "the same font again changes nothing";
    b.Font(font);
    EXPECT_EQ(FontRegistry::UserCount(font), 2);
    b.Font(builtIn);
    EXPECT_EQ(FontRegistry::UserCount(font), 1);
    b.Font(font);
  }
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(FontRegistry::Find("TestFace", "Bold", 9), nullptr);

  for (int i = 0; i < 3; ++i) FontRegistry::Release(builtIn);
  EXPECT_EQ(FontRegistry::DefaultFont(), builtIn);
  EXPECT_EQ(FontRegistry::UserCount(builtIn), 0);
  EXPECT_NE(builtIn->GetImage(), nullptr);

  bool firstGone = false, secondGone = false;
  WatchedFont* first = new WatchedFont("Twin", "", 8, &firstGone);
  WatchedFont* second = new WatchedFont("Twin", "", 8, &secondGone);
  {
    VesText a, b;
    a.Font(first);
    b.Font(second);
    EXPECT_EQ(FontRegistry::UserCount(first), 1);
    EXPECT_EQ(FontRegistry::UserCount(second), 1);
    b.Font(nullptr);
    EXPECT_TRUE(secondGone);
    EXPECT_FALSE(firstGone);
  }
  EXPECT_TRUE(firstGone);
}

std::vector<std::string> AttributeNames(DisplayObject& object) {
  std::vector<std::string> names;
  for (std::size_t i = 0; i < object.Attributes()->Count(); ++i) names.push_back(object.Attributes()->At(i)->NameText());
  return names;
}

TEST(VesText, AttributesFollowThePolygonsCharAttribsAndLayoutSettingsMarkTheLayout) {
  VesTextBox box;
  GLPolygon polygon;
  const std::vector<std::string> base = AttributeNames(polygon);
  std::vector<std::string> names = AttributeNames(box);
  ASSERT_GT(names.size(), base.size());
  EXPECT_EQ(std::vector<std::string>(names.begin(), names.begin() + base.size()), base);
  const std::vector<std::string> expected = {
      "Border", "ConstrainCellRatio", "ControlCellSize", "CellHeight", "CellWidth", "Halo", "HaloColor", "Justify",
      "LineSpacing", "LockCellSize", "Shadow", "ShadowColor", "ShadowDistance", "Text", "Uppercase", "WrapText",
      "Baseline", "BgColor", "TextColor", "FauxBold", "Inverse", "CharSpacing", "CharScaling", "StrikeThru",
      "Underline", "CharAttribs", "VerticalAlignment"};
  EXPECT_EQ(std::vector<std::string>(names.begin() + base.size(), names.end()), expected);

  for (const char* name : {"Border", "ConstrainCellRatio", "ControlCellSize", "CellHeight", "CellWidth", "Justify",
                           "LineSpacing", "LockCellSize", "WrapText", "VerticalAlignment", "CharSpacing"}) {
    box.UpdateLayout();
    box.Resource(name)->ValueText(std::string(name) == "Justify" ? "CENTER"
                                  : std::string(name) == "VerticalAlignment" ? "ALIGN_BOTTOM" : "1");
    EXPECT_TRUE(box.LayoutDirty()) << name;
  }
  for (const char* name : {"Halo", "Shadow", "Uppercase", "TextColor", "Underline"}) {
    box.UpdateLayout();
    box.Resource(name)->ValueText(std::string(name) == "TextColor" ? "1 2 3 4" : "1");
    EXPECT_FALSE(box.LayoutDirty()) << name;
  }
  EXPECT_EQ(box.TextColor(), vesColor(1, 2, 3, 4));
  EXPECT_EQ(box.Justify(), CENTER);
  EXPECT_EQ(box.VerticalAlignment(), ALIGN_BOTTOM);
  box.Resource("CharScaling")->ValueText("2");
  EXPECT_EQ(box.CharScaling(), 1.0f) << "the range check holds for attributes too";

  VesTextBox styled;
  styled.TextColor(vesColor(10, 20, 30, 255));
  std::ostringstream out;
  styled.Resource("CharAttribs")->WriteValue(out);
  EXPECT_NE(out.str().find("Color: 10 20 30 255"), std::string::npos) << out.str();
  EXPECT_NE(out.str().find("Spacing: 1"), std::string::npos) << out.str();

  styled.UpdateLayout();
  std::istringstream in("\n{\n  Color: 200 0 0 255\n  Scale: 1.5\n  Spacing: 2\n  Strike: 1\n}\n");
  styled.Resource("CharAttribs")->ReadValue(in);
  EXPECT_EQ(styled.TextColor(), vesColor(200, 0, 0, 255));
  EXPECT_EQ(styled.CharSpacing(), 2.0f);
  EXPECT_EQ(styled.CharScaling(), 1.0f) << "1.5 is out of range";
  EXPECT_TRUE(styled.StrikeThru());
  EXPECT_TRUE(styled.LayoutDirty());

  bool destroyed = false;
  WatchedFont* font = new WatchedFont("Cloned", "", 7, &destroyed);
  VesTextBox cloned;
  vessant::test::SetRectangle(cloned, 50.0, 20.0);
  cloned.Location(5, 6, 0);
  cloned.String("copy me");
  cloned.Font(font);
  cloned.VerticalAlignment(ALIGN_CENTER);
  cloned.Underline(true);
  cloned.InstanceName("original");
  VesTextBox* clone = static_cast<VesTextBox*>(cloned.CloneObject(true));
  EXPECT_EQ(clone->String(), "copy me");
  EXPECT_EQ(clone->Font(), font);
  EXPECT_EQ(FontRegistry::UserCount(font), 2);
  EXPECT_EQ(clone->VerticalAlignment(), ALIGN_CENTER);
  EXPECT_TRUE(clone->Underline());
  EXPECT_EQ(clone->WorldVertex(2).Position(), Vector(55, 26, 0));
  EXPECT_STRNE(clone->InstanceName(), "original");
  EXPECT_TRUE(clone->LayoutDirty());
  delete clone;
  EXPECT_FALSE(destroyed);

  VesText turned;
  vessant::test::SetRectangle(turned, 10.0, 5.0);
  turned.UpdateTextAxes();
  turned.Rotate(Vector(0, 0, 0), 90.0f, Vector(0, 0, 1));
  EXPECT_NEAR(turned.XAxis().y, 1.0f, 1e-6f);
  EXPECT_NEAR(turned.YAxis().x, -1.0f, 1e-6f);
  EXPECT_NEAR(turned.Normal().z, 1.0f, 1e-6f);
}

}  // namespace
}  // namespace orvan
