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

namespace orvan {
namespace {

using scene_test::kBlack;
using scene_test::Probe;
using scene_test::Rgba;
using scene_test::SceneTest;

void ExpectNear(const Vector& v, float x, float y, float z, float tolerance = 1e-4f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

std::unique_ptr<GLPolygon> Rect(float x0, float y0, float x1, float y1, const vesColor& fill = vesColor(255, 0, 0, 255)) {
  const Vertex corners[4] = {Vertex(x0, y0, 0, fill), Vertex(x1, y0, 0, fill), Vertex(x1, y1, 0, fill),
                             Vertex(x0, y1, 0, fill)};
  auto p = std::make_unique<GLPolygon>(4, corners);
  p->PolygonMode(3);
  return p;
}

std::unique_ptr<GLPolygon> Named(const char* name) {
  auto p = Rect(0, 0, 1, 1);
  p->InstanceName(name);
  return p;
}

// --- Children ------------------------------------------------------------------------------------

TEST(GroupChildren, InsertionOrderAndPositions) {
  Group g;
  auto a = Named("a"), b = Named("b"), c = Named("c"), d = Named("d");
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  g.InsertObject(c.get(), true, true, 0);
  g.PushObject(d.get());
  ASSERT_EQ(g.Count(), 4u);
  EXPECT_EQ(g.Item(0), d.get());
  EXPECT_EQ(g.Item(1), c.get());
  EXPECT_EQ(g.Item(3), b.get());
  EXPECT_EQ(g.Position(a.get()), 2);
  EXPECT_EQ(g.FindNonRecursive(b.get()), b.get());
  EXPECT_EQ(d->ParentGroup(), &g);
  // Reading past the end answers null and leaves the list as it was.
  EXPECT_EQ(g.Item(10), nullptr);
  EXPECT_EQ(g.Count(), 4u);

  Group other;
  other.InsertObject(a.get(), false, false, 99);  // not reparented; an index past the end appends
  EXPECT_EQ(a->ParentGroup(), &g);
  EXPECT_EQ(other.Position(a.get()), 0);
  EXPECT_EQ(other.Position(b.get()), -1);
  EXPECT_EQ(other.FindNonRecursive(b.get()), nullptr);
}

TEST(GroupChildren, AGroupIsNeverItsOwnChild) {
  Group g;
  EXPECT_THROW(g.InsertObject(&g), OrvanException);
  EXPECT_THROW(g.DeleteObject(&g), OrvanException);
  EXPECT_THROW(g.PushObject(&g), OrvanException);
  EXPECT_TRUE(g.IsEmpty());
}

TEST(GroupChildren, DeleteObjectSearchesSubgroupsButFreesNothing) {
  Group root, inner;
  auto a = Named("a"), b = Named("b");
  inner.InsertObject(b.get());
  root.InsertObject(a.get());
  root.InsertObject(&inner);
  EXPECT_TRUE(root.DeleteObject(b.get()));
  EXPECT_TRUE(inner.IsEmpty());
  EXPECT_FALSE(root.DeleteObject(b.get()));
  EXPECT_TRUE(root.DeleteObject(a.get()));
  EXPECT_EQ(root.Count(), 1u);
  EXPECT_STREQ(b->InstanceName(), "b");  // still alive
}

class Counted : public GLPolygon {
 public:
  explicit Counted(int* deaths) : deaths_(deaths) {}
  ~Counted() override { ++*deaths_; }

 private:
  int* deaths_;
};

TEST(GroupChildren, DeleteAllChildrenDeletesTheWholeSubtree) {
  int deaths = 0;
  Group root;
  Group* inner = new Group;
  inner->InsertObject(new Counted(&deaths));
  inner->InsertObject(new Counted(&deaths));
  root.InsertObject(new Counted(&deaths));
  root.InsertObject(inner);
  root.DeleteAllChildren();
  EXPECT_EQ(deaths, 3);
  EXPECT_TRUE(root.IsEmpty());
}

// --- Render state passed down --------------------------------------------------------------------

TEST(GroupRenderState, SettersReachEveryChildGettersAskTheFirst) {
  Group g;
  EXPECT_EQ(g.GetColor(), vesColor(0, 0, 0, 255));  // empty: the group's own
  g.LineWidth(3);
  EXPECT_FLOAT_EQ(g.LineWidth(), 1.0f);  // nothing to pass it to, own value untouched

  auto a = Rect(0, 0, 1, 1), b = Rect(0, 0, 1, 1);
  a->SetColor(vesColor(9, 8, 7, 6));
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  EXPECT_EQ(g.GetColor(), vesColor(9, 8, 7, 6));

  g.LineWidth(3);
  g.AlphaMode(2);
  g.DepthTest(0);
  g.PolygonMode(4);
  g.SetFillColor(vesColor(1, 1, 1, 1));
  g.TextureMinificationFilter(5);
  g.LightingEnabled(true);
  for (GLPolygon* child : {a.get(), b.get()}) {
    EXPECT_FLOAT_EQ(child->LineWidth(), 3.0f);
    EXPECT_EQ(child->AlphaMode(), 2);
    EXPECT_EQ(child->DepthTest(), 0);
    EXPECT_EQ(child->PolygonMode(), 4);
    EXPECT_EQ(child->GetFillColor(), vesColor(1, 1, 1, 1));
    EXPECT_EQ(child->TextureMinificationFilter(), 5);
    EXPECT_TRUE(child->LightingEnabled());
  }
  EXPECT_FLOAT_EQ(g.LineWidth(), 3.0f);
  EXPECT_EQ(g.GetFillColor(), vesColor(1, 1, 1, 1));
  g.DeleteObject(a.get());
  g.DeleteObject(b.get());
  EXPECT_FLOAT_EQ(g.LineWidth(), 1.0f);
}

TEST(GroupRenderState, CalculateAndFrameLinksReachEveryChild) {
  struct Clock : Probe {
    void Calculate(double time) override { seen = time; }
    double seen = -1;
  };
  Group root, inner;
  Clock a, b;
  inner.InsertObject(&b);
  root.InsertObject(&a);
  root.InsertObject(&inner);
  root.Calculate(4.5);
  EXPECT_EQ(a.seen, 4.5);
  EXPECT_EQ(b.seen, 4.5);

  int token = 0;
  DisplayFrame* frame = reinterpret_cast<DisplayFrame*>(&token);  // a link only, never followed
  root.Parent(frame);
  EXPECT_EQ(b.Parent(), frame);
  EXPECT_EQ(inner.Parent(), frame);
}

// --- The box around the children -----------------------------------------------------------------

TEST(GroupBox, CornersFollowTheChildrenAndResetWhenEmpty) {
  Group g;
  g.Location(1, 1, 0);
  auto a = Rect(2, 3, 4, 5), b = Rect(-1, 0, 0, 9);
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  float x, y, z, x2, y2, z2;
  g.GetExtents(x, y, z, x2, y2, z2);
  EXPECT_FLOAT_EQ(x, -1);
  EXPECT_FLOAT_EQ(y, 0);
  EXPECT_FLOAT_EQ(x2, 4);
  EXPECT_FLOAT_EQ(y2, 9);
  ExpectNear(g.WorldVertex(2), 4, 9, 0);  // (x1, y1, z0), stored relative to the location
  ExpectNear(g.Vertices()[0], -2, -1, 0);
  ExpectNear(g.BoundingCenter(), 0.5f, 3.5f, 0);  // relative to (1, 1)

  Vector lo, hi;
  VesMatrixAffine<double> m;
  m.Translate(10, 0, 0);
  g.GetTransformedExtents(lo, hi, m, true);
  ExpectNear(lo, 9, 0, 0);
  ExpectNear(hi, 14, 9, 0);

  g.DeleteObject(a.get());
  g.DeleteObject(b.get());
  for (unsigned int i = 0; i < 8; ++i) ExpectNear(g.Vertices()[i], 0, 0, 0);
}

TEST(GroupBox, ParentBoxesFollowNestedInsertions) {
  Group outer, inner;
  outer.InsertObject(&inner);
  auto a = Rect(10, 10, 20, 20);
  inner.InsertObject(a.get());
  EXPECT_FLOAT_EQ(outer.ObjectWidth(), 10.0f);
  a->CalculateParentBoundingBox();  // no change, but harmless
  EXPECT_FLOAT_EQ(outer.ObjectHeight(), 10.0f);
}

// --- Moving and scaling --------------------------------------------------------------------------

TEST(GroupMotion, LocationCarriesChildrenSetGroupLocationDoesNot) {
  Group g;
  auto a = Rect(10, 10, 12, 12);
  g.InsertObject(a.get());
  g.Location(5, 0, 0);
  ExpectNear(a->Location(), 15, 10, 0);
  g.SetGroupLocation(Vertex(0, 0, 0));
  ExpectNear(a->Location(), 15, 10, 0);
  ExpectNear(g.Location(), 0, 0, 0);
  g.Translate(1, 2, 0);
  ExpectNear(g.Location(), 1, 2, 0);
  ExpectNear(a->Location(), 16, 12, 0);
  const float offset[3] = {1, 0, 0};
  g.TranslateVertices(offset);
  ExpectNear(a->WorldVertex(0), 17, 12, 0);
  ExpectNear(a->Location(), 16, 12, 0);
}

TEST(GroupMotion, RotateTurnsChildrenAndRebuildsTheBox) {
  Group g;
  auto a = Rect(1, 0, 2, 1);
  g.InsertObject(a.get());
  g.Rotate(Vector(0, 0, 0), 0, Vector(0, 0, 1));
  ExpectNear(a->WorldVertex(0), 1, 0, 0);
  g.Rotate(Vector(0, 0, 0), 90, Vector(0, 0, 1));
  ExpectNear(a->WorldVertex(0), 0, 1, 0);
  ExpectNear(a->WorldVertex(2), -1, 2, 0);
  float x, y, z, x2, y2, z2;
  g.GetExtents(x, y, z, x2, y2, z2);
  EXPECT_NEAR(x, -1, 1e-5);
  EXPECT_NEAR(y2, 2, 1e-5);
}

TEST(GroupMotion, ScaleAboutTheCentreOfTheChildren) {
  Group g;
  auto a = Rect(0, 0, 2, 2), b = Rect(4, 4, 6, 6);
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  g.Scale2D(0.5f, 2.0f);  // centre (3, 3)
  ExpectNear(a->WorldVertex(0), 1.5f, -3, 0);
  ExpectNear(b->WorldVertex(2), 4.5f, 9, 0);
  EXPECT_FLOAT_EQ(g.ObjectWidth(), 3.0f);
  EXPECT_FLOAT_EQ(g.ObjectHeight(), 12.0f);
  g.Scale(2, 1, 1, nullptr, 3);  // about the minimum corner (1.5, -3)
  ExpectNear(b->WorldVertex(2), 7.5f, 9, 0);
}

TEST(GroupMotion, VertexEditingIsNotForGroups) {
  Group g;
  g.InsertVertex(1);
  g.DeleteVertex(1);
  EXPECT_EQ(g.NumberOfVertices(), 8u);
}

// --- Pre-draw and culling --------------------------------------------------------------------------

class GroupCulling : public ::testing::Test {
 protected:
  GroupCulling() : parent(nullptr, nullptr, &identity), culler(true) {
    // Everything left of x = 100 is outside.
    culler.planes[0][0] = 1;
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
}

TEST_F(GroupCulling, CullTestChildrenOffProtectsTheChildren) {
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
  culler.enabled = false;
  group.PreDraw(parent, culler);
  EXPECT_FALSE(group.Culled());
  EXPECT_FALSE(child->Culled());
}

TEST_F(GroupCulling, StaticChildrenAreSkippedAndMovedGroupsPassTheirMatrices) {
  auto still = Rect(0, 0, 1, 1);
  group.InsertObject(still.get());
  group.DynamicTranslate(0.0f, 7.0f, 0.0f);
  culler.enabled = false;
  group.PreDraw(parent, culler);
  EXPECT_EQ(still->ModelViewMatrix(), nullptr);
  ASSERT_NE(child->ModelViewMatrix(), nullptr);
  ExpectNear(child->ModelViewMatrix()->TransformPoint(Vector(1, 1, 0)), 1, 8, 0);
  group.DeleteObject(still.get());
}

// --- Texture inheritance ---------------------------------------------------------------------------

TEST(GroupTexture, ChildrenSeeTheGroupsTextureUntilAGroupSwitchesItOff) {
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
  EXPECT_EQ(DisplayObject::InheritedTextureRepeat(), 1);
}

TEST(GroupTexture, InheritanceIsRestoredWhenAChildThrows) {
  Group g;
  g.TextureIndex(3);
  Probe thrower([](Probe&) { throw std::runtime_error("child failed"); });
  g.InsertObject(&thrower);
  DisplayObject::SetInheritedTexture(-1, 1);
  EXPECT_THROW(g.Draw(), std::runtime_error);
  EXPECT_EQ(DisplayObject::InheritedTextureIndex(), -1);
}

// --- Finding by name -------------------------------------------------------------------------------

TEST(GroupFind, DepthFirstInChildOrder) {
  Group root, cockpit, altimeter;
  cockpit.InstanceName("cockpit");
  altimeter.InstanceName("altimeter");
  auto needle = Named("needle"), other = Named("needle"), dial = Named("dial");
  altimeter.InsertObject(needle.get());
  cockpit.InsertObject(&altimeter);
  cockpit.InsertObject(dial.get());
  root.InsertObject(&cockpit);
  root.InsertObject(other.get());

  EXPECT_EQ(root.FindByName("needle"), needle.get());  // inside the first child before the second
  EXPECT_EQ(root.FindByName("dial"), dial.get());
  EXPECT_EQ(root.FindByName("cockpit"), &cockpit);
  EXPECT_EQ(root.FindByName("missing"), nullptr);
  EXPECT_EQ(root.FindByName(nullptr), nullptr);
  EXPECT_EQ(root.FindByName(""), nullptr);

  EXPECT_EQ(root.FindByQualifiedName("cockpit.altimeter.needle"), needle.get());
  EXPECT_EQ(root.FindByQualifiedName("cockpit.dial"), dial.get());
  EXPECT_EQ(root.FindByQualifiedName("needle"), needle.get());
  EXPECT_EQ(root.FindByQualifiedName("cockpit.altimeter."), nullptr);
  EXPECT_EQ(root.FindByQualifiedName(".cockpit"), nullptr);
  EXPECT_EQ(root.FindByQualifiedName("cockpit..needle"), nullptr);
  EXPECT_EQ(root.FindByQualifiedName("cockpit.dial.needle"), nullptr);  // a dial has no children
  EXPECT_EQ(root.FindByQualifiedName("altimeter.nothing"), nullptr);
}

TEST(GroupFind, SameFrameSearchStaysOutOfOtherFrames) {
  int frameA = 0, frameB = 0;
  Group root, local, component;
  auto inLocal = Named("gauge"), inComponent = Named("knob");
  local.InsertObject(inLocal.get());
  component.InstanceName("panel");
  component.InsertObject(inComponent.get());
  root.InsertObject(&local);
  root.InsertObject(&component);
  root.Parent(reinterpret_cast<DisplayFrame*>(&frameA));
  // A component is the frame of its own subtree.
  component.Parent(reinterpret_cast<DisplayFrame*>(&frameB));

  EXPECT_EQ(root.FindByNameSameFrame("gauge"), inLocal.get());
  EXPECT_EQ(root.FindByNameSameFrame("panel"), &component);
  EXPECT_EQ(root.FindByNameSameFrame("knob"), nullptr);
  EXPECT_EQ(root.FindByName("knob"), inComponent.get());
  EXPECT_EQ(component.FindByNameSameFrame("knob"), inComponent.get());
}

// --- Copying ---------------------------------------------------------------------------------------

TEST(GroupCopy, CloneCopiesPropertiesAndClonesEveryChild) {
  Group source;
  source.InstanceName("source");
  source.PerformGroupCullCheck(true);
  source.CullTestChildren(false);
  source.TextureIndex(4);
  auto a = Named("a");
  a->SetColor(vesColor(1, 2, 3, 4));
  source.InsertObject(a.get());

  std::unique_ptr<Group> clone(dynamic_cast<Group*>(source.CloneObject()));
  ASSERT_NE(clone, nullptr);
  EXPECT_STREQ(clone->InstanceName(), "source");
  EXPECT_TRUE(clone->PerformGroupCullCheck());
  EXPECT_FALSE(clone->CullTestChildren());
  EXPECT_EQ(clone->TextureIndex(), 4);
  ASSERT_EQ(clone->Count(), 1u);
  DisplayObject* copy = clone->Item(0);
  EXPECT_NE(copy, a.get());
  EXPECT_STREQ(copy->InstanceName(), "a");
  EXPECT_EQ(copy->GetColor(), vesColor(1, 2, 3, 4));
  EXPECT_EQ(copy->ParentGroup(), clone.get());
  EXPECT_FLOAT_EQ(clone->ObjectWidth(), 1.0f);

  std::unique_ptr<Group> renamed(dynamic_cast<Group*>(source.CloneObject(true)));
  EXPECT_STRNE(renamed->InstanceName(), "source");
  EXPECT_STRNE(renamed->Item(0)->InstanceName(), "a");
  clone->DeleteAllChildren();
  renamed->DeleteAllChildren();
  source.DeleteObject(a.get());
}

TEST(GroupCopy, PropertiesAndGeometryGoChildToChild) {
  Group source, target;
  auto s1 = Rect(5, 5, 6, 6), t1 = Rect(0, 0, 1, 1), t2 = Rect(0, 0, 1, 1);
  s1->LineWidth(7);
  source.InsertObject(s1.get());
  target.InsertObject(t1.get());
  target.InsertObject(t2.get());
  target.CopyProperties(&source);
  target.CopyGeometry(&source);
  EXPECT_FLOAT_EQ(t1->LineWidth(), 7.0f);
  EXPECT_FLOAT_EQ(t2->LineWidth(), 1.0f);  // no counterpart
  ExpectNear(t1->WorldVertex(2), 6, 6, 0);
  target.DeleteObject(t1.get());
  target.DeleteObject(t2.get());
}

// --- On screen ---------------------------------------------------------------------------------------

using GroupDrawing = SceneTest;

TEST_F(GroupDrawing, DynamicTransformationOfAGroupMovesItsChildren) {
  const Rgba red{255, 0, 0, 255};
  Group g;
  auto a = Rect(10, 10, 20, 20), b = Rect(30, 10, 40, 20);
  g.InsertObject(a.get());
  g.InsertObject(b.get());
  auto image = Render(g);
  EXPECT_EQ(Pixel(image, 15, 15), red);
  EXPECT_EQ(Pixel(image, 35, 15), red);

  g.DynamicTranslate(30.0f, 0.0f, 0.0f);
  image = Render(g);
  EXPECT_EQ(Pixel(image, 15, 15), kBlack);
  EXPECT_EQ(Pixel(image, 45, 15), red);
  EXPECT_EQ(Pixel(image, 65, 15), red);

  // A child's own motion adds to the group's.
  b->DynamicTranslate(0.0f, 20.0f, 0.0f);
  image = Render(g);
  EXPECT_EQ(Pixel(image, 65, 15), kBlack);
  EXPECT_EQ(Pixel(image, 65, 35), red);

  // A quarter turn about the group's rotation point (15, 15): a turns in place, b swings up.
  g.DynamicTranslate(0.0f, 0.0f, 0.0f);
  b->DynamicTranslate(0.0f, 0.0f, 0.0f);
  g.WorldRotationPoint(Vector(15, 15, 0));
  g.DynamicRotate(0, 0, 90);
  image = Render(g);
  EXPECT_EQ(Pixel(image, 15, 15), red);
  EXPECT_EQ(Pixel(image, 35, 15), kBlack);
  EXPECT_EQ(Pixel(image, 15, 35), red);
}

TEST_F(GroupDrawing, InvisibleGroupHidesItsChildren) {
  Group g;
  auto a = Rect(10, 10, 20, 20);
  g.InsertObject(a.get());
  g.Visibility(false);
  EXPECT_EQ(Pixel(Render(g), 15, 15), kBlack);
  g.Visibility(true);
  a->Visibility(false);
  EXPECT_EQ(Pixel(Render(g), 15, 15), kBlack);
  g.DeleteObject(a.get());
}

}  // namespace
}  // namespace orvan
