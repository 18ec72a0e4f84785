// Groups: children and their order, render state passed down, the box around the children,
// moving and scaling, culling switches, texture inheritance, finding by name, cloning, drawing.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/orvan_exception.h"
#include "runtime/scene_fixture.h"
#include "support/vector_near.h"

namespace orvan {
namespace {

using namespace scene_test;

using vessant::test::ExpectNear;

TEST(GroupChildren, ChildrenInOrderRemovalDeletionFindingByNameAndCloning) {
  Group g, inner;
  auto a = Rect(0, 0, 1, 1), b = Rect(0, 0, 1, 1), c = Rect(0, 0, 1, 1), d = Rect(0, 0, 1, 1);
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  g.InsertObject(c.get(), true, true, 0);
  g.PushObject(d.get());
  EXPECT_EQ(g.Item(0), d.get());
  EXPECT_EQ(g.Item(1), c.get());
  EXPECT_EQ(g.Position(b.get()), 3);
  EXPECT_EQ(d->ParentGroup(), &g);
  EXPECT_EQ(g.Item(10), nullptr);  // reading past the end leaves the list as it was
  EXPECT_EQ(g.Count(), 4u);

  inner.InsertObject(a.get(), false, false, 99);  // not reparented; past the end appends
  EXPECT_EQ(a->ParentGroup(), &g);
  g.InsertObject(&inner);
  EXPECT_TRUE(g.DeleteObject(a.get()));  // the direct child first
  EXPECT_TRUE(g.DeleteObject(a.get()));  // then the one inside the subgroup
  EXPECT_FALSE(g.DeleteObject(a.get()));
  EXPECT_TRUE(inner.IsEmpty());
  EXPECT_EQ(g.FindNonRecursive(a.get()), nullptr);

  EXPECT_THROW(g.InsertObject(&g), OrvanException);
  EXPECT_THROW(g.DeleteObject(&g), OrvanException);

  struct Counted : GLPolygon {
    explicit Counted(int* deaths) : deaths(deaths) {}
    ~Counted() override { ++*deaths; }
    int* deaths;
  };
  int deaths = 0;
  Group owner;
  Group* nested = new Group;
  nested->InsertObject(new Counted(&deaths));
  nested->InsertObject(new Counted(&deaths));
  owner.InsertObject(new Counted(&deaths));
  owner.InsertObject(nested);
  owner.DeleteAllChildren();
  EXPECT_EQ(deaths, 3);
  EXPECT_TRUE(owner.IsEmpty());

  Group root, cockpit, altimeter;
  cockpit.InstanceName("cockpit");
  altimeter.InstanceName("altimeter");
  auto needle = Rect(0, 0, 1, 1), other = Rect(0, 0, 1, 1), dial = Rect(0, 0, 1, 1);
  needle->InstanceName("needle");
  other->InstanceName("needle");
  dial->InstanceName("dial");
  altimeter.InsertObject(needle.get());
  cockpit.InsertObject(&altimeter);
  cockpit.InsertObject(dial.get());
  root.InsertObject(&cockpit);
  root.InsertObject(other.get());

  EXPECT_EQ(root.FindByName("needle"), needle.get());  // depth first, in child order
  EXPECT_EQ(root.FindByName("missing"), nullptr);
  EXPECT_EQ(root.FindByName(""), nullptr);
  EXPECT_EQ(root.FindByQualifiedName("cockpit.altimeter.needle"), needle.get());
  EXPECT_EQ(root.FindByQualifiedName("cockpit.dial"), dial.get());
  EXPECT_EQ(root.FindByQualifiedName("cockpit.altimeter."), nullptr);
  EXPECT_EQ(root.FindByQualifiedName("cockpit..needle"), nullptr);
  EXPECT_EQ(root.FindByQualifiedName("cockpit.dial.needle"), nullptr);

  // A component is the frame of its own subtree: the same-frame search stays out of it.
  int frameA = 0, frameB = 0;
  root.Parent(reinterpret_cast<DisplayFrame*>(&frameA));
  cockpit.Parent(reinterpret_cast<DisplayFrame*>(&frameB));
  EXPECT_EQ(root.FindByNameSameFrame("cockpit"), &cockpit);
  EXPECT_EQ(root.FindByNameSameFrame("dial"), nullptr);
  EXPECT_EQ(root.FindByNameSameFrame("needle"), other.get());
  EXPECT_EQ(cockpit.FindByNameSameFrame("needle"), needle.get());

  Group source;
  source.InstanceName("source");
  source.CullTestChildren(false);
  auto child = Rect(0, 0, 1, 1);
  child->InstanceName("child");
  child->SetColor(vesColor(1, 2, 3, 4));
  source.InsertObject(child.get());

  std::unique_ptr<Group> clone(dynamic_cast<Group*>(source.CloneObject()));
  EXPECT_STREQ(clone->InstanceName(), "source");
  EXPECT_FALSE(clone->CullTestChildren());
  ASSERT_EQ(clone->Count(), 1u);
  EXPECT_NE(clone->Item(0), child.get());
  EXPECT_STREQ(clone->Item(0)->InstanceName(), "child");
  EXPECT_EQ(clone->Item(0)->GetColor(), vesColor(1, 2, 3, 4));
  EXPECT_EQ(clone->Item(0)->ParentGroup(), clone.get());
  clone->DeleteAllChildren();
}

TEST(GroupRenderState, SettersReachEveryChildGettersAskTheFirst) {
  Group g;
  g.LineWidth(3);
  EXPECT_FLOAT_EQ(g.LineWidth(), 1.0f);  // empty: nothing to pass it to, own value untouched
  EXPECT_EQ(g.GetColor(), vesColor(0, 0, 0, 255));

  auto a = Rect(0, 0, 1, 1), b = Rect(0, 0, 1, 1);
  a->SetColor(vesColor(9, 8, 7, 6));
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  EXPECT_EQ(g.GetColor(), vesColor(9, 8, 7, 6));
  g.LineWidth(3);
  g.DepthTest(0);
  g.SetFillColor(vesColor(1, 1, 1, 1));
  g.TextureMinificationFilter(5);
  for (GLPolygon* child : {a.get(), b.get()}) {
    EXPECT_FLOAT_EQ(child->LineWidth(), 3.0f);
    EXPECT_EQ(child->DepthTest(), 0);
    EXPECT_EQ(child->GetFillColor(), vesColor(1, 1, 1, 1));
    EXPECT_EQ(child->TextureMinificationFilter(), 5);
  }

  struct Clock : Probe {
    void Calculate(double time) override { seen = time; }
    double seen = -1;
  };
  Clock clock;
  Group inner;
  inner.InsertObject(&clock);
  g.InsertObject(&inner);
  g.Calculate(4.5);
  EXPECT_EQ(clock.seen, 4.5);
  int token = 0;
  DisplayFrame* frame = reinterpret_cast<DisplayFrame*>(&token);  // a link only, never followed
  g.Parent(frame);
  EXPECT_EQ(clock.Parent(), frame);

  std::vector<int> seen;
  auto record = [&](Probe&) {
    seen.push_back(DisplayObject::InheritedTextureIndex());
    seen.push_back(DisplayObject::InheritedTextureRepeat());
  };
  Group outer, textured, plain;
  Probe inOuter(record), inTextured(record), inPlain(record);
  outer.TextureIndex(5);
  outer.SetValue(8, 0, 0);  // the group's own repeat flag (TextureRepeat goes to the children)
  textured.TextureIndex(2);
  textured.InsertObject(&inTextured);
  plain.InsertObject(&inPlain);  // textureIndex -1
  outer.InsertObject(&inOuter);
  outer.InsertObject(&textured);
  outer.InsertObject(&plain);
  DisplayObject::SetInheritedTexture(-1, 1);
  outer.Draw();
  EXPECT_EQ(seen, (std::vector<int>{5, 0, 2, 1, -1, 1}));
  EXPECT_EQ(DisplayObject::InheritedTextureIndex(), -1);

  Probe thrower([](Probe&) { throw std::runtime_error("child failed"); });
  outer.InsertObject(&thrower);
  EXPECT_THROW(outer.Draw(), std::runtime_error);
  EXPECT_EQ(DisplayObject::InheritedTextureIndex(), -1);  // restored all the same
}

TEST(GroupMotion, MovingRotatingScalingAndTheBoxAroundTheChildren) {
  Group g;
  auto a = Rect(10, 10, 12, 12);
  g.InsertObject(a.get());
  g.Location(5, 0, 0);
  ExpectNear(a->Location(), 15, 10, 0);
  g.SetGroupLocation(Vertex(0, 0, 0));  // the group alone
  ExpectNear(a->Location(), 15, 10, 0);
  g.Translate(1, 2, 0);
  ExpectNear(a->Location(), 16, 12, 0);

  Group r;
  auto c = Rect(1, 0, 2, 1);
  r.InsertObject(c.get());
  r.Rotate(Vector(0, 0, 0), 90, Vector(0, 0, 1));
  ExpectNear(c->WorldVertex(2), -1, 2, 0);
  float x, y, z, x2, y2, z2;
  r.GetExtents(x, y, z, x2, y2, z2);
  EXPECT_NEAR(x, -1, 1e-5);

  Group s;
  auto d = Rect(0, 0, 2, 2), e = Rect(4, 4, 6, 6);
  s.InsertObject(d.get());
  s.InsertObject(e.get());
  s.Scale2D(0.5f, 2.0f);  // about the centre (3, 3)
  ExpectNear(d->WorldVertex(0), 1.5f, -3, 0);
  ExpectNear(e->WorldVertex(2), 4.5f, 9, 0);
  EXPECT_FLOAT_EQ(s.ObjectHeight(), 12.0f);

  Group holder, boxed;
  holder.InsertObject(&boxed);
  boxed.Location(1, 1, 0);
  auto first = Rect(2, 3, 4, 5), b = Rect(-1, 0, 0, 9);
  boxed.InsertObject(first.get());
  boxed.InsertObject(b.get());
  ExpectNear(boxed.WorldVertex(0), -1, 0, 0);
  ExpectNear(boxed.WorldVertex(2), 4, 9, 0);  // (x1, y1, z0)
  ExpectNear(boxed.Vertices()[0], -2, -1, 0);  // stored relative to the location
  ExpectNear(boxed.BoundingCenter(), 0.5f, 3.5f, 0);
  EXPECT_FLOAT_EQ(holder.ObjectHeight(), 9.0f);  // the parent's box follows

  boxed.DeleteObject(first.get());
  boxed.DeleteObject(b.get());
  for (unsigned int i = 0; i < 8; ++i) ExpectNear(boxed.Vertices()[i], 0, 0, 0);
}

// --- Pre-draw and culling --------------------------------------------------------------------------

class GroupCulling : public ::testing::Test {
 protected:
  GroupCulling() : parent(nullptr, nullptr, &identity), culler(true) {
    culler.planes[0][0] = 1;  // everything left of x = 100 is outside
    culler.planes[0][3] = -100;
    child->DynamicTranslate(0.0f, 0.0f, 0.0f, true);  // pre-drawn from now on
    group.InsertObject(child.get());
  }
  VesMatrix<double, 4> identity;
  ViewMatrices parent;
  FrustumCuller culler;
  Group group;
  std::unique_ptr<GLPolygon> child = Rect(0, 0, 10, 10);
};

TEST_F(GroupCulling, GroupIsNeverCulledByDefaultButItsChildrenAre) {
  group.PreDraw(parent, culler);
  EXPECT_FALSE(group.Culled());
  EXPECT_TRUE(child->Culled());
  group.CullTestChildren(false);
  group.PreDraw(parent, culler);
  EXPECT_FALSE(child->Culled());
  EXPECT_TRUE(culler.enabled);  // switched back on for the rest of the tree
}

TEST_F(GroupCulling, ACulledGroupStopsBeforeItsChildren) {
  group.PerformGroupCullCheck(true);
  group.PreDraw(parent, culler);
  EXPECT_TRUE(group.Culled());
  EXPECT_EQ(child->ModelViewMatrix(), nullptr);  // never reached
}

TEST_F(GroupCulling, StaticChildrenAreSkippedAndMovingGroupsPassTheirMatrices) {
  auto still = Rect(0, 0, 1, 1);
  group.InsertObject(still.get());
  group.DynamicTranslate(0.0f, 7.0f, 0.0f);
  culler.enabled = false;
  group.PreDraw(parent, culler);
  EXPECT_EQ(still->ModelViewMatrix(), nullptr);
  ExpectNear(child->ModelViewMatrix()->TransformPoint(Vector(1, 1, 0)), 1, 8, 0);
}

// --- Texture inheritance ---------------------------------------------------------------------------

// --- Finding by name -------------------------------------------------------------------------------

// --- On screen ---------------------------------------------------------------------------------------

using GroupDrawing = SceneTest;

TEST_F(GroupDrawing, DynamicTransformationOfAGroupMovesItsChildren) {
  Group g;
  auto a = Rect(10, 10, 20, 20), b = Rect(30, 10, 40, 20);
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  EXPECT_EQ(Pixel(Render(g), 35, 15), kRedPixel);

  g.DynamicTranslate(30.0f, 0.0f, 0.0f);
  auto image = Render(g);
  EXPECT_EQ(Pixel(image, 15, 15), kBlack);
  EXPECT_EQ(Pixel(image, 45, 15), kRedPixel);
  EXPECT_EQ(Pixel(image, 65, 15), kRedPixel);

  b->DynamicTranslate(0.0f, 20.0f, 0.0f);  // a child's own motion adds to the group's
  image = Render(g);
  EXPECT_EQ(Pixel(image, 65, 15), kBlack);
  EXPECT_EQ(Pixel(image, 65, 35), kRedPixel);

  // A quarter turn about the group's rotation point (15, 15): a turns in place, b swings up.
  g.DynamicTranslate(0.0f, 0.0f, 0.0f);
  b->DynamicTranslate(0.0f, 0.0f, 0.0f);
  g.WorldRotationPoint(Vector(15, 15, 0));
  g.DynamicRotate(0, 0, 90);
  image = Render(g);
  EXPECT_EQ(Pixel(image, 15, 15), kRedPixel);
  EXPECT_EQ(Pixel(image, 35, 15), kBlack);
  EXPECT_EQ(Pixel(image, 15, 35), kRedPixel);

  g.Visibility(false);
  EXPECT_EQ(Pixel(Render(g), 15, 15), kBlack);
}

}  // namespace
}  // namespace orvan
