// Resources of a whole frame: dotted names through nested components, the text a frame writes
// under each filter, reading it back, and the file forms.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/log_capture.h"
#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/attribute_string.h"
#include "orvan/component_base.h"
#include "orvan/error_report.h"
#include "orvan/gl_polygon.h"
#include "orvan/resource_filter.h"

namespace orvan {
namespace {

// A frame holding the component "cockpit" and the polygon "lamp"; inside cockpit the component
// "altimeter" with the polygon "needle".
struct NestedTree {
  DisplayFrame frame;
  ComponentBase* cockpit;
  ComponentBase* altimeter;
  GLPolygon* needle;
  GLPolygon* lamp;

  NestedTree() {
    needle = Polygon("needle", 2.0f);
    altimeter = new ComponentBase;
    altimeter->InstanceName("altimeter");
    altimeter->InsertObject(needle, true, false);
    altimeter->FinishConstruction();
    cockpit = new ComponentBase;
    cockpit->InstanceName("cockpit");
    cockpit->InsertObject(altimeter, true, false);
    cockpit->FinishConstruction();
    lamp = Polygon("lamp", 20.0f);
    frame.Root()->InsertObject(cockpit);
    frame.Root()->InsertObject(lamp);
    frame.Root()->Parent(&frame);
  }

  static GLPolygon* Polygon(const char* name, float at) {
    GLPolygon* polygon = new GLPolygon;
    polygon->InstanceName(name);
    polygon->SetVertices(3, 255, 0, 0, 255, double(at), double(at), 0.0, 255, 0, 0, 255, double(at + 4), double(at), 0.0,
                         255, 0, 0, 255, double(at), double(at + 4), 0.0);
    return polygon;
  }
};

std::string Written(DisplayFrame& frame, VesResourceFilter* filter) {
  char* text = frame.GetResources(filter);
  std::string copy(text);
  frame.FreeResources(text);
  return copy;
}

bool Has(const std::string& text, const std::string& line) {
  return text.find("\n" + line) != std::string::npos || text.compare(0, line.size(), line) == 0;
}
void ExpectLines(const std::string& text, std::initializer_list<const char*> lines) {
  for (const char* line : lines) EXPECT_TRUE(Has(text, line)) << line << " in\n" << text;
}

TEST(FrameResourceLookupTest, DottedNamesFrameAttributesAndReadingPastBadLines) {
  NestedTree tree;
  tree.frame.SetResource("cockpit.altimeter.needle.Visible", "0");
  EXPECT_FALSE(tree.needle->Visibility());
  EXPECT_EQ(tree.frame.GetResource("cockpit.altimeter.needle.Visible"), "0");
  tree.frame.SetResource(std::string("lamp.Visible"), std::string("0"));
  EXPECT_FALSE(tree.lamp->Visibility());
  // The frame's own attributes need no prefix; a component's own object attributes are reached
  // through its name.
  tree.frame.SetResource("ComponentHeaderFile", "panel.h");
  EXPECT_EQ(tree.frame.GetResource("ComponentHeaderFile"), "panel.h");
  tree.frame.SetResource("cockpit.altimeter.Visible", "0");
  EXPECT_FALSE(tree.altimeter->Visibility());
  // Names that reach nothing give the empty attribute.
  for (const char* name : {"nobody.Visible", "lamp.NoSuchAttribute", "NoSuchFrameAttribute"}) {
    EXPECT_EQ(tree.frame.Resource(name), &OrvanEmptyAttribute::Instance()) << name;
  }
  tree.frame.SetResource("nobody.Visible", "0");
  EXPECT_EQ(tree.frame.GetResource("nobody.Visible"), "");

  tree.cockpit->FrameAttributes()->Add(new OrvanAttribute<bool>(AttributeName("Visible"), true));
  tree.cockpit->SetResource("Visible", "0");
  EXPECT_TRUE(tree.cockpit->Visibility());
  EXPECT_EQ(tree.cockpit->GetResource("Visible"), "0");
  tree.cockpit->SetResource("Pickable", "0");
  EXPECT_EQ(tree.cockpit->Pickable(), 0);
  EXPECT_EQ(tree.cockpit->Resource("altimeter.needle.Visible"), tree.needle->Resource("Visible"));
  // A name written with full qualification from the component itself starts with its name.
  EXPECT_EQ(tree.altimeter->Resource("altimeter.needle.Visible"), tree.needle->Resource("Visible"));

  NestedTree shadowed;
  // An object of the same name inside the earlier component "cockpit".
  GLPolygon* inner = NestedTree::Polygon("lamp", 40.0f);
  shadowed.altimeter->InsertObject(inner, true, false);
  shadowed.altimeter->FinishConstruction();
  shadowed.frame.SetResource("lamp.Visible", "0");
  EXPECT_FALSE(shadowed.lamp->Visibility());
  EXPECT_TRUE(inner->Visibility());
  // A name only a nested component has is still found below it.
  shadowed.frame.SetResource("needle.Visible", "0");
  EXPECT_FALSE(shadowed.needle->Visibility());
  shadowed.cockpit->SetResource("lamp.Visible", "0");
  EXPECT_FALSE(inner->Visibility());

  NestedTree read;
  std::istringstream in(
      "nobody.Color: 1 2 3 4\n"
      "lamp.Bogus: 12 34\r\n"
      "lamp.LineWidth: wide\n"
      "cockpit.nobody.Visible: 1\n"
      "lamp.Vertices: 2\n0 0 0 255 255 255 255\n"
      "cockpit.altimeter.needle.LineWidth: 3.5\n"
      "lamp.Visible: 0\n"
      "}\n"
      "lamp.Pickable: 0\n");
  read.frame.ReadResources(in);
  EXPECT_FLOAT_EQ(read.lamp->LineWidth(), 1.0f);
  EXPECT_EQ(read.lamp->NumberOfVertices(), 1u);  // only the vertex the text holds
  EXPECT_FLOAT_EQ(read.needle->LineWidth(), 3.5f);
  EXPECT_FALSE(read.lamp->Visibility());
  EXPECT_EQ(read.lamp->Pickable(), 1);  // after the closing "}"
  const std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(rest, "\nlamp.Pickable: 0\n");
  read.frame.SetResources(nullptr);
  read.frame.SetResources("lamp.Visible: 1\n");
  EXPECT_TRUE(read.lamp->Visibility());
}

TEST(FrameResourceWriteTest, WrittenTextFollowsTheFilterLevelsAndQualification) {
  NestedTree tree;
  std::string text = Written(tree.frame, nullptr);  // the frame and its top-level objects only
  ExpectLines(text, {"ComponentHeaderFile: ", "lamp.Visible: 1", "cockpit.Name: cockpit"});
  EXPECT_EQ(text.find("altimeter"), std::string::npos) << text;
  EXPECT_EQ(text.find("needle"), std::string::npos) << text;
  VesResourceFilter frameOnly;
  EXPECT_EQ(Written(tree.frame, &frameOnly), "ComponentHeaderFile: \n");

  VesResourceFilter all;
  all.LevelsDown(-1);
  ExpectLines(Written(tree.frame, &all), {"cockpit.altimeter.needle.Visible: 1",
                                          "cockpit.altimeter.ComponentHeaderFile: ", "lamp.Visible: 1"});
  // Qualification counts outwards from the writing frame.
  ExpectLines(Written(*tree.altimeter, &all),
              {"cockpit.altimeter.ComponentHeaderFile: ", "cockpit.altimeter.needle.Visible: 1"});
  all.QualificationLevels(1);
  text = Written(*tree.altimeter, &all);
  ExpectLines(text, {"altimeter.ComponentHeaderFile: ", "altimeter.needle.Visible: 1"});
  EXPECT_EQ(text.find("cockpit."), std::string::npos) << text;
  // Lines a caller's filter excludes stay out at every level, and the caller's filter is
  // left as it was.
  all.QualificationLevels(-1);
  all.Exclude("Visible");
  EXPECT_EQ(Written(tree.frame, &all).find(".Visible:"), std::string::npos);
  EXPECT_EQ(all.LevelsDown(), -1);
  EXPECT_EQ(all.QualificationLevels(), -1);

  NestedTree classed;
  classed.cockpit->Attributes()->Add(new OrvanAttributeString(nullptr, AttributeName("ObjectClass"), "ComponentBase"));
  VesResourceFilter filter;
  filter.LevelsDown(-1);
  for (bool namesOnly : {false, true}) {
    filter.NamesOnly(namesOnly);
    const std::string text = Written(classed.frame, &filter);
    EXPECT_EQ(text.find("ObjectClass"), std::string::npos) << text;
    EXPECT_EQ(text.find("EmptyStaticImageList"), std::string::npos) << text;
    EXPECT_NE(text.find("cockpit.UseParentsLighting"), std::string::npos) << text;
  }
  // Still reachable by name: the property reads false.
  EXPECT_EQ(classed.frame.GetResource("cockpit.EmptyStaticImageList"), "0");

  NestedTree plain;
  char* value = plain.frame.GetResource_CRTClean("lamp.Visible");
  EXPECT_STREQ(value, "1");
  plain.frame.GetResourceFree_CRTClean(value);
  value = plain.frame.GetResource_CRTClean(nullptr);
  EXPECT_STREQ(value, "");
  plain.frame.GetResourceFree_CRTClean(value);
  plain.frame.SetResource_CRTClean("lamp.Visible", "0");
  EXPECT_FALSE(plain.lamp->Visibility());
  plain.frame.SetResource_CRTClean("lamp.Visible", nullptr);
  plain.frame.SetResource_CRTClean(nullptr, "1");
}

class FrameResourceFileTest : public ::testing::Test {
 protected:
  void SetUp() override { SetErrorDialogsSuppressed(true); }
  std::string Path(const char* name) const { return dir / name; }
  int FilesInDir() const { return vessant::test::CountEntries(dir.Path()); }

  vessant::test::ScratchDir dir;
};

// Makes the stream fail part-way through a listing, as a full disk would.
class FailingAttribute : public OrvanAttributeBase {
 public:
  FailingAttribute() : OrvanAttributeBase(nullptr, AttributeName("Broken"), false) {}
  std::ostream& WriteValue(std::ostream& os) const override {
    os.setstate(std::ios::badbit);
    return os;
  }
  std::istream& ReadValue(std::istream& is) override { return is; }
};

// Written over an existing file (whose permissions stay) and read into a fresh tree, the whole
// tree writes the same text again.
TEST_F(FrameResourceFileTest, AWrittenFileReadsBackAndAFailedOrUnopenableOneIsLeftAsItWas) {
  NestedTree source;
  source.frame.SetResource("cockpit.altimeter.needle.Color", "10 20 30 40");
  source.frame.SetResource("cockpit.altimeter.needle.Rotation", "0 0 33.5");
  source.frame.SetResource("lamp.LineWidth", "4.25");
  source.frame.SetResource("cockpit.UseParentsLighting", "1");
  VesResourceFilter all;
  all.LevelsDown(-1);
  const std::string path = Path("panel.res");
  { std::ofstream(path) << "old\n"; }
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(source.frame.WriteResources(path.c_str(), &all));
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesInDir(), 1);

  NestedTree target;
  EXPECT_NE(Written(target.frame, &all), Written(source.frame, &all));
  ASSERT_TRUE(target.frame.ReadResources(path.c_str()));
  EXPECT_EQ(Written(target.frame, &all), Written(source.frame, &all));
  EXPECT_TRUE(target.cockpit->UseParentsLighting());
  EXPECT_FLOAT_EQ(target.needle->DynamicRotation(2), 33.5f);

  const std::string kept = Path("panel.res");
  { std::ofstream(kept) << "lamp.Visible: 0\n"; }
  NestedTree tree;
  tree.frame.FrameAttributes()->Add(new FailingAttribute);
  vessant::test::CaptureLog();
  EXPECT_FALSE(tree.frame.WriteResources(kept.c_str()));
  const std::string shown = vessant::test::TakeCapturedLog();
  EXPECT_NE(shown.find(kept), std::string::npos) << shown;
  EXPECT_EQ(vessant::test::ReadText(kept), "lamp.Visible: 0\n");
  EXPECT_EQ(FilesInDir(), 1);

  NestedTree unwritten;
  const std::string missing = Path("no/such/dir/panel.res");
  vessant::test::CaptureLog();
  EXPECT_FALSE(unwritten.frame.WriteResources(missing.c_str()));
  EXPECT_NE(vessant::test::TakeCapturedLog().find("Unable to open file(" + missing + ")"), std::string::npos);

  vessant::test::CaptureLog();
  EXPECT_FALSE(unwritten.frame.ReadResources(missing.c_str()));
  EXPECT_FALSE(unwritten.frame.ReadResources(nullptr));
  EXPECT_EQ(vessant::test::TakeCapturedLog(), "");
  EXPECT_TRUE(unwritten.lamp->Visibility());
}

}  // namespace
}  // namespace orvan
