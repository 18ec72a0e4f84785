// The display object without drawing: dynamic transformation bookkeeping, culling, vertex
// editing, geometry and the property-number setter.
#include <gtest/gtest.h>

#include <cmath>
#include <new>

#include "orvan/display_object.h"
#include "orvan/orvan_exception.h"
#include "support/vector_near.h"

namespace orvan {
namespace {

class Shape : public DisplayObject {
 public:
  Shape(float x = 0, float y = 0, float z = 0) : DisplayObject(x, y, z) {}
};

using vessant::test::ExpectNear;

// A 2 × 2 square centred on the location.
void MakeSquare(DisplayObject& o) {
  Vertex square[4] = {Vertex(-1, -1, 0), Vertex(1, -1, 0), Vertex(1, 1, 0), Vertex(-1, 1, 0)};
  o.SetVertices(4, square);
}

// The logical point p carried through the object's dynamic transformation.
Vector Transformed(DisplayObject& o, const Vector& p) {
  VesMatrix<double, 4> identity;
  ViewMatrices parent(nullptr, nullptr, &identity);
  o.CalculateMatrices(parent);
  return o.ModelViewMatrix()->TransformPoint(p);
}

TEST(DynamicTransform, OnlyChangesMarkDirtyAndTheMotionActsAboutTheRotationPointAndDcsAxes) {
  Shape o(10, 10, 0);
  o.RotationPoint(1, 0, 0);  // logical (11, 10)
  o.DynamicRotate(0, 0, 90);
  ExpectNear(Transformed(o, Vector(12, 10, 0)), 11, 11, 0);

  Shape s(2, 0, 0);
  s.DynamicScale(3, 3, 1);
  s.DynamicTranslate(0.0f, 5.0f, 0.0f);
  ExpectNear(Transformed(s, Vector(3, 1, 0)), 5, 8, 0);
  // The rotation point follows the location, even when the location is written directly.
  s.Location().x = 10;
  ExpectNear(Transformed(s, Vector(11, 1, 0)), 13, 8, 0);

  Shape tiny(5, 5, 0);
  tiny.DynamicRotate(0.00005f, 0.00005f, 0.00005f);
  Transformed(tiny, Vector());
  EXPECT_TRUE(tiny.TransformMatrix()->IsIdentity());
  tiny.DynamicRotate(0, 0, 0.0002f);
  Transformed(tiny, Vector());
  EXPECT_FALSE(tiny.TransformMatrix()->IsIdentity());

  Shape d;
  VesMatrixAffine<double> dcs;
  dcs.Rotate(90, 2);  // its x axis is the world's y axis
  d.DCSMatrix(dcs);
  d.DynamicTranslate(1.0f, 0.0f, 0.0f);
  ExpectNear(Transformed(d, Vector(0, 0, 0)), 0, 1, 0);

  VesMatrix<double, 4> identity;
  ViewMatrices parent(nullptr, nullptr, &identity);
  Shape marked;
  marked.DynamicScale(1, 1, 1);
  marked.DynamicRotate(0, 0, 0);
  marked.DynamicTranslate(0.0f, 0.0f, 0.0f);
  EXPECT_FALSE(marked.TransformDirty() || marked.PreDrawNeeded());
  marked.CalculateMatrices(parent);
  EXPECT_EQ(marked.ModelViewMatrix(), nullptr);

  marked.DynamicScale(2, 1, 1);
  EXPECT_TRUE(marked.TransformDirty() && marked.PreDrawNeeded());
  marked.CalculateMatrices(parent);
  EXPECT_NE(marked.TransformMatrix(), nullptr);
  EXPECT_NE(marked.ModelViewMatrix(), nullptr);
  EXPECT_FALSE(marked.TransformDirty());
  EXPECT_TRUE(marked.PreDrawNeeded());  // stays in its group's pre-draw from now on

  Shape relative;
  relative.DynamicTranslate(0.0f, 0.0f, 0.0f, true);  // relative always marks
  EXPECT_TRUE(relative.TransformDirty());
  relative.DynamicTranslate(2.0f, 1, false);
  relative.DynamicTranslate(3.0f, 1, true);
  ExpectNear(relative.DynamicTranslation(), 0, 5, 0);
  EXPECT_FLOAT_EQ(relative.DynamicTranslation(7), 0.0f);

  Shape wrapped;
  wrapped.DynamicRotate(0, 0, 10);
  wrapped.DynamicRotateRelative(-30, 2);
  EXPECT_FLOAT_EQ(wrapped.DynamicRotation(2), 340.0f);
  wrapped.DynamicRotateRelative(370, 0);
  EXPECT_FLOAT_EQ(wrapped.DynamicRotation(0), 10.0f);
  wrapped.DynamicRotateRelative(-370, 0);  // a negative multiple of 360 lands on 0, not 360
  EXPECT_FLOAT_EQ(wrapped.DynamicRotation(0), 0.0f);
  EXPECT_THROW(wrapped.DynamicRotation(3), OrvanException);
  EXPECT_THROW(wrapped.DynamicRotateRelative(5, -1), OrvanException);

  Shape culled;
  MakeSquare(culled);
  culled.DynamicTranslate(0.0f, 0.0f, 0.0f, true);
  VesMatrix<double, 4> cullIdentity;
  ViewMatrices cullParent(nullptr, nullptr, &cullIdentity);
  FrustumCuller culler(true);
  culler.planes[0][0] = 1;  // x >= 10
  culler.planes[0][3] = -10;
  culled.PreDraw(cullParent, culler);
  EXPECT_TRUE(culled.Culled());
  culler.enabled = false;
  culled.PreDraw(cullParent, culler);
  EXPECT_FALSE(culled.Culled());
  culler.enabled = true;
  culled.Location(9, 0, 0);
  culled.PreDraw(cullParent, culler);
  EXPECT_FALSE(culled.Culled());
}

TEST(Vertices, NumbersIndicesInsertDeleteNormalsAndFailedAllocation) {
  Shape o;
  o.SetVertices(3, 255, 255, 255, 255, 0.0, 0.0, 0.0, 255, 255, 255, 255, 1.0, 0.0, 0.0, 255, 255, 255, 255,
                0.0, 1.0, 0.0);
  o.SetNormals(3, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0);
  o.SetTexCoords(3, 1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0);

  o.InsertVertex(2);  // vertex 2 duplicated right after itself
  ASSERT_EQ(o.NumberOfVertices(), 4u);
  ExpectNear(o.Vertices()[2], 1, 0, 0);
  ExpectNear(o.Vertices()[3], 0, 1, 0);
  ExpectNear(o.Normals()[2], 0, 1, 0);
  EXPECT_EQ(o.TextureCoordinateCount(), 4u);
  ExpectNear(o.TextureCoordinates()[3], 0, 0, 1);

  o.DeleteVertex(1);
  ASSERT_EQ(o.NumberOfVertices(), 3u);
  ExpectNear(o.Normals()[0], 0, 1, 0);
  EXPECT_EQ(o.TextureCoordinateCount(), 3u);

  o.InsertVertex(0);
  o.InsertVertex(4);
  o.DeleteVertex(3);
  o.DeleteVertex(1);  // fewer than three vertices left: nothing happens
  EXPECT_EQ(o.NumberOfVertices(), 2u);

  Shape n;
  MakeSquare(n);
  Vector up(0, 0, 1);
  n.SetNormals(1, &up);
  ExpectNear(n.Normals()[3], 0, 0, 0);  // readable, zero-filled
  Vertex six[6];
  n.SetVertices(6, six);
  ExpectNear(n.Normals()[0], 0, 0, 1);
  ExpectNear(n.Normals()[5], 0, 0, 0);

  Shape f;
  Vector t(1, 1, 0);
  f.SetTexCoords(1, &t);
  EXPECT_THROW(f.SetTexCoords(0xFFFFFFFFu, static_cast<Vector*>(nullptr)), std::bad_alloc);
  EXPECT_EQ(f.TextureCoordinates(), nullptr);
  EXPECT_EQ(f.TextureCoordinateCount(), 0u);

  Shape numbered(10, 0, 0);
  MakeSquare(numbered);
  numbered.SetVertexColor(1, vesColor(1, 2, 3, 4));
  numbered.SetVertexColor(5, vesColor(9, 9, 9, 9));  // no such vertex
  EXPECT_EQ(numbered.Vertices()[0].color, vesColor(1, 2, 3, 4));
  ExpectNear(numbered.WorldVertex(0), 9, -1, 0);
  EXPECT_EQ(numbered.WorldVertex(0).color, vesColor(1, 2, 3, 4));
  ExpectNear(numbered.WorldVertex(4), 0, 0, 0);
  numbered.WorldVertex(1, Vertex(20, 5, 0));
  ExpectNear(numbered.Vertices()[1], 10, 5, 0);
}

TEST(Geometry, BoundingSphereOriginAndPermanentScaleAndRotate) {
  Shape square(5, 5, 0);
  MakeSquare(square);
  ExpectNear(square.BoundingCenter(), 0, 0, 0);
  EXPECT_NEAR(square.BoundingRadius(), std::sqrt(8.0f) / 2, 1e-5);
  // The corners of a solid box lie inside its sphere too.
  Shape cube;
  Vertex corners[2] = {Vertex(-1, -1, -1), Vertex(1, 1, 1)};
  cube.SetVertices(2, corners);
  EXPECT_NEAR(cube.BoundingRadius(), std::sqrt(3.0f), 1e-5);

  Shape moved(3, 4, 0);
  MakeSquare(moved);
  Vertex before[4];
  for (unsigned int i = 0; i < 4; ++i) before[i] = moved.WorldVertex(i);
  moved.SetOrigin(Vector(-7, 2, 1));
  ExpectNear(moved.Location(), -7, 2, 1);
  for (unsigned int i = 0; i < 4; ++i) ExpectNear(moved.WorldVertex(i), before[i].x, before[i].y, before[i].z);

  Shape scaled;
  Vertex line[2] = {Vertex(0, 0, 0), Vertex(2, 2, 0)};
  scaled.SetVertices(2, line);
  scaled.Scale(2, 2, 1, nullptr, 3);  // about the minimum corner
  ExpectNear(scaled.WorldVertex(1), 4, 4, 0);
  scaled.Scale(0.5f, 0.5f, 1, nullptr, 5);  // about the centre (2, 2)
  ExpectNear(scaled.WorldVertex(0), 1, 1, 0);
  Vertex anchor(3, 3, 0);
  scaled.Scale(3, 1, 1, &anchor, 0);
  ExpectNear(scaled.WorldVertex(0), -3, 1, 0);

  Shape r(1, 0, 0);
  Vertex tri[2] = {Vertex(0, 0, 0), Vertex(1, 0, 0)};
  r.SetVertices(2, tri);
  Vector n(1, 0, 0);
  r.SetNormals(1, &n);
  r.Rotate(Vector(0, 0, 0), 90, Vector(0, 0, 1));
  ExpectNear(r.Location(), 1, 0, 0);
  ExpectNear(r.WorldVertex(1), 0, 2, 0);
  ExpectNear(r.Normals()[0], 0, 1, 0);
}

TEST(SetValue, ChainsEndWithZero) {
  Shape o;
  char name[] = "needle";
  o.SetValue(1, name, 2, 1.0, 2.0, 3.0, 21, 10, 20, 30, 40, 23, 2.5, 26, 0, 28, 2, 33, 4.0, 37, 1.0, 0.0, 0.0, 0.0,
             0.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0, 5.0, 6.0, 7.0, 1.0, 40, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 1.0,
             0.0, 1.0, 1.0, 0.0, 3, 0.5, 0.5, 0.0, 0);
  EXPECT_STREQ(o.InstanceName(), "needle");
  ExpectNear(o.Location(), 1, 2, 3);
  EXPECT_EQ(o.GetColor(), vesColor(10, 20, 30, 40));
  EXPECT_FLOAT_EQ(o.LineWidth(), 2.5f);
  EXPECT_FALSE(o.Visibility());
  EXPECT_EQ(o.AlphaMode(), 2);
  EXPECT_FLOAT_EQ(o.BlinkRate(), 4.0f);
  EXPECT_EQ(o.DCSMatrix()(2, 3), 7.0);  // column-major: values 13 to 15 are the translation
  ExpectNear(o.GetTexturePoints()[2], 0, 1, 0);
  ExpectNear(o.RotationPointRelative(), 0.5f, 0.5f, 0);
}

}  // namespace
}  // namespace orvan
