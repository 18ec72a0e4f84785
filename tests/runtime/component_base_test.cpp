// The component base: its own frame and transformation, placement by FinishConstruction, the
// numbered settings, its attributes, picking by pickable, and drawing its children relative to
// itself; and a plain frame: what it starts with, what it owns.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/component_base.h"
#include "orvan/display_frame.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/orvan_exception.h"
#include "runtime/scene_fixture.h"

namespace orvan {
namespace {

GLPolygon* Box(const char* name, Vector low, Vector high, vesColor colour = vesColor(255, 0, 0, 255)) {
  GLPolygon* polygon = new GLPolygon;
  polygon->InstanceName(name);
  polygon->SetValue(18, 3, 0);  // filled
  Vertex corners[4] = {Vertex(low.x, low.y, low.z, colour), Vertex(high.x, low.y, low.z, colour),
                       Vertex(high.x, high.y, high.z, colour), Vertex(low.x, high.y, high.z, colour)};
  polygon->SetVertices(4, corners);
  return polygon;
}

std::vector<std::string> Signatures(ComponentBase& component) {
  std::vector<std::string> headers;
  MethodDescriptionList* list = component.GetMethodDescriptions(nullptr);
  for (auto* item = list->First(); item != nullptr; item = item->next) {
    if (item->data->signature.rfind("------ ", 0) == 0) headers.push_back(item->data->signature);
  }
  component.ReleaseMethodDescriptions(list);
  return headers;
}

TEST(ComponentBaseTest, IsTheRootOfItsOwnTreeAndPlacedAtTheBoxCornerOrWhereItIs) {
  ComponentBase component;
  EXPECT_EQ(component.Root(), &component);
  EXPECT_NE(component.TransformMatrix(), nullptr);
  EXPECT_NE(component.ModelViewMatrix(), nullptr);
  EXPECT_TRUE(component.PreDrawNeeded());
  EXPECT_EQ(component.OuterFrame(), nullptr);
  const std::size_t count = component.Attributes()->Count();
  component.RegisterAttributes(0xFFFFFFFFu);  // a second registration adds nothing twice
  EXPECT_EQ(component.Attributes()->Count(), count);
  EXPECT_EQ(Signatures(component), (std::vector<std::string>{"------ ComponentBase ------", "------ Group ------",
                                                             "------ DisplayObject ------",
                                                             "------ DisplayFrame ------"}));

  ComponentBase placed;
  GLPolygon* low = Box("low", Vector(2, 3, 0), Vector(4, 5, 0));
  GLPolygon* high = Box("high", Vector(3, 4, 1), Vector(5, 7, 1));
  placed.InsertObject(low, true, false);
  placed.InsertObject(high, true, false);
  const Vertex lowCorner = low->WorldVertex(0);
  const Vertex highCorner = high->WorldVertex(2);
  placed.FinishConstruction();

  EXPECT_EQ(placed.Location().Position(), Vector(2, 3, 0));
  EXPECT_EQ(low->WorldVertex(0).Position(), lowCorner.Position());
  EXPECT_EQ(high->WorldVertex(2).Position(), highCorner.Position());
  float x, y, z, x2, y2, z2;
  placed.GetExtents(x, y, z, x2, y2, z2);
  EXPECT_EQ(Vector(x, y, z), Vector(2, 3, 0));
  EXPECT_EQ(Vector(x2, y2, z2), Vector(5, 7, 1));
  // Every child now belongs to the component's frame; the component itself sits in none.
  EXPECT_EQ(low->Parent(), static_cast<DisplayFrame*>(&placed));
  EXPECT_EQ(placed.OuterFrame(), nullptr);
  // The transformation carries the children with the location.
  const Vector drawn = placed.TransformMatrix()->TransformPoint(Vector(0, 0, 0));
  EXPECT_EQ(drawn, Vector(2, 3, 0));

  ComponentBase absolute;
  absolute.SetValue(38, 1, 0);
  EXPECT_TRUE(absolute.AbsolutePlacement());
  absolute.InsertObject(Box("box", Vector(2, 3, 0), Vector(5, 7, 0)), true, false);
  absolute.FinishConstruction();
  EXPECT_EQ(absolute.Location().Position(), Vector(0, 0, 0));
  absolute.SetValue(38, 0, 0);
  EXPECT_FALSE(absolute.AbsolutePlacement());

  ComponentBase moved;
  moved.SetValue(2, 10.0, 20.0, 0.0, 39, 2.0, 0.0, 0.0, 0.0, 0.0, 2.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 1.0, 1.0,
                     0.0, 1.0, 26, 1, 0);
  EXPECT_EQ(moved.ComponentMatrix()(0, 0), 2.0);
  EXPECT_EQ(moved.ComponentMatrix()(0, 3), 1.0);
  // translation(location) · componentMatrix: (3, 4) scales to (6, 8), moves by (1, 1) and then
  // by the location.
  EXPECT_EQ(moved.TransformMatrix()->TransformPoint(Vector(3, 4, 0)), Vector(17, 29, 0));
  // A dynamic rotation acts on top, about the rotation point.
  moved.DynamicRotate(0, 0, 90);
  moved.UpdateTransform();
  const Vector turned = moved.TransformMatrix()->TransformPoint(Vector(0, 0, 0));
  EXPECT_NEAR(turned.x, -1.0f + 10.0f - 20.0f + 20.0f, 1e-4);
  EXPECT_NEAR(turned.y, 1.0f + 20.0f - 10.0f + 10.0f, 1e-4);

  ComponentBase outer;
  ComponentBase* inner = new ComponentBase;
  GLPolygon* child = Box("child", Vector(0, 0, 0), Vector(1, 1, 0));
  inner->InsertObject(child, true, false);
  inner->FinishConstruction();
  outer.InsertObject(inner, true, false);
  outer.FinishConstruction();
  EXPECT_EQ(inner->OuterFrame(), static_cast<DisplayFrame*>(&outer));
  EXPECT_EQ(child->Parent(), static_cast<DisplayFrame*>(inner));
  EXPECT_EQ(EnclosingComponent(child), inner);
  EXPECT_EQ(EnclosingComponent(inner), &outer);
  EXPECT_EQ(EnclosingComponent(&outer), nullptr);
  // Being told its own frame again leaves the outer frame in place, so walks outwards end.
  inner->Parent(static_cast<DisplayFrame*>(inner));
  EXPECT_EQ(inner->OuterFrame(), static_cast<DisplayFrame*>(&outer));
  inner->NotifyOuterFrame();
  inner->ClearDragAndFocus();

  ComponentBase picked;
  picked.InsertObject(Box("box", Vector(0, 0, 0), Vector(1, 1, 0)), true, false);
  picked.FinishConstruction();
  Vector hit;
  const ViewMatrices none;
  auto pick = [&] { return picked.Pick3D(Vector(), Vector(), 1.0f, Vector(0, 0, -1), hit, none); };
  picked.SetValue(34, 3, 0);
  EXPECT_EQ(pick(), &picked);
  picked.SetValue(26, 0, 0);
  EXPECT_EQ(pick(), &picked);  // pickable 3 needs no test at all
  picked.SetValue(34, 1, 0);
  EXPECT_EQ(pick(), nullptr);
  picked.SetValue(34, 0, 26, 1, 0);
  EXPECT_EQ(pick(), nullptr);
  picked.SetValue(34, 7, 0);
  EXPECT_THROW(pick(), OrvanException);
}

class ComponentDrawTest : public scene_test::SceneTest {};

TEST_F(ComponentDrawTest, ChildrenDrawInTheComponentsCoordinates) {
  ComponentBase component;
  component.InsertObject(Box("box", Vector(0, 0, 0), Vector(10, 10, 0)), true, false);
  component.FinishConstruction();
  // Twice the size, 30 to the right and 20 up.
  component.SetValue(39, 2.0, 0.0, 0.0, 0.0, 0.0, 2.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 30.0, 20.0, 0.0, 1.0, 0);
  const vessant::RgbaImage image = Render(component);
  const scene_test::Rgba red{255, 0, 0, 255};
  EXPECT_EQ(Pixel(image, 31, 21), red);
  EXPECT_EQ(Pixel(image, 48, 38), red);
  EXPECT_EQ(Pixel(image, 28, 21), scene_test::kBlack);
  EXPECT_EQ(Pixel(image, 52, 38), scene_test::kBlack);
  EXPECT_EQ(Pixel(image, 5, 5), scene_test::kBlack);
}

// Reports its own destruction.
class Tracked : public GLPolygon {
 public:
  explicit Tracked(int* destroyed_) : destroyed(destroyed_) {}
  ~Tracked() override { ++*destroyed; }

 private:
  int* destroyed;
};

TEST(DisplayFrameTest, StartsWithARootGroupOrWithoutOneAndDeletesItsTreeWithIt) {
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
