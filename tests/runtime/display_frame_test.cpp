// A plain frame: what it starts with, what it owns, and clearing its focus.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>

#include "orvan/attrib_dict.h"
#include "orvan/display_frame.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"

namespace orvan {
namespace {

// Reports its own destruction.
class Tracked : public GLPolygon {
 public:
  explicit Tracked(int* destroyed_) : destroyed(destroyed_) {}
  ~Tracked() override { ++*destroyed; }

 private:
  int* destroyed;
};

TEST(DisplayFrameTest, StartsWithARootGroupOrWithoutOne) {
  DisplayFrame frame(640, 480);
  ASSERT_NE(frame.Root(), nullptr);
  EXPECT_STREQ(frame.Root()->InstanceName(), "HierarchyRoot");
  EXPECT_EQ(frame.Root()->Parent(), &frame);
  EXPECT_EQ(frame.ClearMask(), static_cast<unsigned int>(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
  EXPECT_EQ(frame.DesignWidth(), 640);
  EXPECT_EQ(frame.DesignHeight(), 480);

  DisplayFrame bare(1, 1, false);
  EXPECT_EQ(bare.Root(), nullptr);
  EXPECT_EQ(bare.Resource("anything.Visible"), bare.Resource(nullptr));
  VesResourceFilter* noFilter = nullptr;
  char* text = bare.GetResources(noFilter);
  EXPECT_STREQ(text, "ComponentHeaderFile: \n");
  bare.FreeResources(text);
}

TEST(DisplayFrameTest, DestroyingTheFrameDeletesItsWholeTree) {
  int destroyed = 0;
  {
    DisplayFrame frame;
    Group* group = new Group;
    group->InsertObject(new Tracked(&destroyed));
    frame.Root()->InsertObject(group);
    frame.Root()->InsertObject(new Tracked(&destroyed));
  }
  EXPECT_EQ(destroyed, 2);
}

}  // namespace
}  // namespace orvan
