// Polygons: construction, texture coordinates, normals, cloning, and what they put on screen.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "runtime/scene_fixture.h"

namespace orvan {
namespace {

using scene_test::kBlack;
using scene_test::Rgba;
using scene_test::SceneTest;

void ExpectNear(const Vector& v, float x, float y, float z, float tolerance = 1e-5f) {
  EXPECT_NEAR(v.x, x, tolerance);
  EXPECT_NEAR(v.y, y, tolerance);
  EXPECT_NEAR(v.z, z, tolerance);
}

std::unique_ptr<GLPolygon> Rect(float x0, float y0, float x1, float y1, const vesColor& fill, float z = 0) {
  const Vertex corners[4] = {Vertex(x0, y0, z, fill), Vertex(x1, y0, z, fill), Vertex(x1, y1, z, fill),
                             Vertex(x0, y1, z, fill)};
  return std::make_unique<GLPolygon>(4, corners);
}

const vesColor kRed(255, 0, 0, 255);
const vesColor kGreen(0, 255, 0, 255);
const vesColor kBlue(0, 0, 255, 255);
const Rgba kRedPixel{255, 0, 0, 255};
const Rgba kGreenPixel{0, 255, 0, 255};

// --- Without drawing -----------------------------------------------------------------------------

TEST(PolygonConstruction, WorldVerticesBecomeRelativeToTheFirst) {
  const Vertex given[3] = {Vertex(10, 20, 0, vesColor(1, 2, 3, 4)), Vertex(12, 20, 0, kRed), Vertex(10, 24, 0)};
  GLPolygon p(3, given);
  ExpectNear(p.Location(), 10, 20, 0);
  EXPECT_EQ(p.Location().color, vesColor(1, 2, 3, 4));
  ExpectNear(p.Vertices()[1], 2, 0, 0);
  EXPECT_EQ(p.Vertices()[1].color, kRed);
  ExpectNear(p.WorldVertex(2), 10, 24, 0);
  EXPECT_NE(p.InstanceName()[0], '\0');
  ExpectNear(p.BoundingCenter(), 1, 2, 0);

  GLPolygon empty;
  EXPECT_EQ(empty.NumberOfVertices(), 0u);
  empty.CalculateNormals(1);
  empty.CalculateTexCoordinates();
  EXPECT_EQ(empty.Normals(), nullptr);
}

TEST(PolygonTextureCoordinates, TexturePointsSpanTheTexture) {
  auto square = Rect(0, 0, 1, 1, kRed);
  Vector* points = square->GetTexturePoints();
  points[1] = Vector(0, 0, 0);
  points[0] = Vector(1, 0, 0);
  points[2] = Vector(0, 1, 0);
  square->TextureIndex(0);
  square->CalculateTexCoordinates();
  ASSERT_EQ(square->TextureCoordinateCount(), 4u);
  for (unsigned int i = 0; i < 4; ++i) {
    ExpectNear(square->TextureCoordinates()[i], square->Vertices()[i].x, square->Vertices()[i].y, 0);
  }

  // A frame twice as large and moved: coordinates are fractions of it.
  points[1] = Vector(-1, -1, 0);
  points[0] = Vector(1, -1, 0);
  points[2] = Vector(-1, 1, 0);
  square->CalculateTexCoordinates();
  ExpectNear(square->TextureCoordinates()[0], 0.5f, 0.5f, 0);
  ExpectNear(square->TextureCoordinates()[2], 1, 1, 0);
}

TEST(PolygonTextureCoordinates, WithoutATextureOfItsOwnTheGroupFrameIsUsed) {
  Group g;
  g.TextureIndex(4);
  Vector* points = g.GetTexturePoints();
  points[1] = Vector(0, 0, 0);
  points[0] = Vector(10, 0, 0);
  points[2] = Vector(0, 10, 0);
  const Vertex v[3] = {Vertex(5, 5, 0), Vertex(10, 5, 0), Vertex(10, 10, 0)};
  GLPolygon p(3, v);
  p.CalculateTexCoordinates();  // no group yet: nothing
  EXPECT_EQ(p.TextureCoordinates(), nullptr);
  g.InsertObject(&p);
  p.CalculateTexCoordinates();
  ASSERT_EQ(p.TextureCoordinateCount(), 3u);
  ExpectNear(p.TextureCoordinates()[0], 0.5f, 0.5f, 0);
  ExpectNear(p.TextureCoordinates()[1], 1, 0.5f, 0);
  ExpectNear(p.TextureCoordinates()[2], 1, 1, 0);
  g.TextureIndex(-1);
  g.CalculateTexCoordinates();  // passed on to the child, which now has no frame: unchanged
  ExpectNear(p.TextureCoordinates()[2], 1, 1, 0);
  g.DeleteObject(&p);
}

TEST(PolygonTextureCoordinates, CollinearTexturePointsStayFinite) {
  auto square = Rect(0, 0, 1, 1, kRed);
  Vector* points = square->GetTexturePoints();
  points[0] = Vector(1, 0, 0);
  points[1] = Vector(0, 0, 0);
  points[2] = Vector(2, 0, 0);
  square->TextureIndex(1);
  square->CalculateTexCoordinates();
  for (unsigned int i = 0; i < 4; ++i) {
    const Vector& c = square->TextureCoordinates()[i];
    EXPECT_TRUE(std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z));
  }
}

TEST(PolygonNormals, CounterClockwiseFacesTowardsTheViewer) {
  const Vertex tri[3] = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0, 1, 0)};
  GLPolygon p(3, tri);
  p.CalculateNormals(1);
  for (unsigned int i = 0; i < 3; ++i) ExpectNear(p.Normals()[i], 0, 0, 1);
  p.CalculateNormals(-1);
  for (unsigned int i = 0; i < 3; ++i) ExpectNear(p.Normals()[i], 0, 0, -1);
}

TEST(PolygonNormals, CollinearAndReflexCornersAgreeWithThePolygon) {
  // A square with an extra vertex in the middle of its first edge.
  const Vertex five[5] = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(2, 0, 0), Vertex(2, 2, 0), Vertex(0, 2, 0)};
  GLPolygon square(5, five);
  square.CalculateNormals(1);
  for (unsigned int i = 0; i < 5; ++i) ExpectNear(square.Normals()[i], 0, 0, 1);

  // An L shape: its corner at (1, 1) turns the other way.
  const Vertex l[6] = {Vertex(0, 0, 0), Vertex(2, 0, 0), Vertex(2, 1, 0),
                       Vertex(1, 1, 0), Vertex(1, 2, 0), Vertex(0, 2, 0)};
  GLPolygon shape(6, l);
  shape.CalculateNormals(1);
  for (unsigned int i = 0; i < 6; ++i) ExpectNear(shape.Normals()[i], 0, 0, 1);
}

TEST(PolygonClone, CopiesGeometryPropertiesAndLinks) {
  Group g;
  auto original = Rect(1, 2, 5, 6, kRed);
  original->InstanceName("gauge");
  original->SetColor(kBlue);
  original->PolygonMode(4);
  original->LineWidth(3);
  original->DynamicRotate(0, 0, 45);
  Vector n(0, 0, 1);
  original->SetNormals(1, &n);
  g.InsertObject(original.get());

  std::unique_ptr<DisplayObject> clone(original->CloneObject());
  ASSERT_NE(dynamic_cast<GLPolygon*>(clone.get()), nullptr);
  EXPECT_STREQ(clone->InstanceName(), "gauge");
  EXPECT_EQ(clone->ParentGroup(), &g);
  EXPECT_EQ(g.Count(), 1u);  // the clone is not inserted
  EXPECT_EQ(clone->GetColor(), kBlue);
  EXPECT_EQ(clone->PolygonMode(), 4);
  EXPECT_FLOAT_EQ(clone->LineWidth(), 3.0f);
  EXPECT_FLOAT_EQ(clone->DynamicRotation(2), 45.0f);
  EXPECT_TRUE(clone->TransformDirty());
  ASSERT_EQ(clone->NumberOfVertices(), 4u);
  EXPECT_NE(clone->Vertices(), original->Vertices());
  ExpectNear(clone->WorldVertex(2), 5, 6, 0);
  ExpectNear(clone->Normals()[0], 0, 0, 1);

  std::unique_ptr<DisplayObject> named(original->CloneObject(true));
  EXPECT_STRNE(named->InstanceName(), "gauge");
  g.DeleteObject(original.get());
}

// --- On screen -----------------------------------------------------------------------------------

using PolygonDrawing = SceneTest;

TEST_F(PolygonDrawing, FillShowsItsColourInsideOnly) {
  auto p = Rect(20, 20, 60, 60, kRed);
  p->PolygonMode(3);
  const auto image = Render(*p);
  EXPECT_EQ(Pixel(image, 40, 40), kRedPixel);
  EXPECT_EQ(Pixel(image, 10, 10), kBlack);
  EXPECT_EQ(Pixel(image, 70, 40), kBlack);
}

TEST_F(PolygonDrawing, OutlineIsClosedOrOpenAndLeavesTheInsideEmpty) {
  // Edges through pixel centres.
  auto p = Rect(20.5f, 20.5f, 60.5f, 60.5f, kRed);
  p->PolygonMode(2);
  p->SetColor(kGreen);
  auto image = Render(*p);
  EXPECT_EQ(Pixel(image, 40, 40), kBlack);
  EXPECT_EQ(Pixel(image, 60, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 20, 40), kGreenPixel);  // the closing edge

  p->PolygonEnd(0);
  image = Render(*p);
  EXPECT_EQ(Pixel(image, 20, 40), kBlack);
  EXPECT_EQ(Pixel(image, 60, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 40, 20), kGreenPixel);
  EXPECT_EQ(Pixel(image, 40, 60), kGreenPixel);
}

TEST_F(PolygonDrawing, PointsAtTheVerticesOnly) {
  auto p = Rect(20.5f, 20.5f, 60.5f, 60.5f, kRed);
  p->PolygonMode(1);
  p->SetColor(kGreen);
  const auto image = Render(*p);
  EXPECT_EQ(Pixel(image, 20, 20), kGreenPixel);
  EXPECT_EQ(Pixel(image, 60, 60), kGreenPixel);
  EXPECT_EQ(Pixel(image, 40, 20), kBlack);
  EXPECT_EQ(Pixel(image, 40, 40), kBlack);
}

TEST_F(PolygonDrawing, FillAndOutline) {
  auto p = Rect(20.5f, 20.5f, 60.5f, 60.5f, kRed);
  p->PolygonMode(4);
  p->SetColor(kGreen);
  const auto image = Render(*p);
  EXPECT_EQ(Pixel(image, 40, 40), kRedPixel);
  EXPECT_EQ(Pixel(image, 60, 40), kGreenPixel);
}

TEST_F(PolygonDrawing, FlatShadingTakesVertexZeroGouraudBlends) {
  const Vertex corners[4] = {Vertex(20, 20, 0, kRed), Vertex(80, 20, 0, kGreen),
                             Vertex(80, 60, 0, kBlue), Vertex(20, 60, 0, vesColor(255, 255, 255, 255))};
  GLPolygon p(4, corners);
  p.PolygonMode(3);
  auto image = Render(p);
  EXPECT_EQ(Pixel(image, 78, 22), kRedPixel);
  EXPECT_EQ(Pixel(image, 78, 58), kRedPixel);
  EXPECT_EQ(Pixel(image, 50, 40), kRedPixel);

  p.Shading(1);
  image = Render(p);
  const Rgba nearGreen = Pixel(image, 79, 21);
  EXPECT_GT(nearGreen.g, 220);
  EXPECT_LT(nearGreen.r, 40);
  const Rgba nearBlue = Pixel(image, 79, 59);
  EXPECT_GT(nearBlue.b, 220);
  // Halfway along the diagonal from red to blue.
  const Rgba middle = Pixel(image, 50, 40);
  EXPECT_NEAR(middle.r, 128, 20);
  EXPECT_NEAR(middle.b, 128, 20);
}

TEST_F(PolygonDrawing, TextureIndexWithoutCoordinatesDrawsUntextured) {
  auto p = Rect(20.5f, 20.5f, 60.5f, 60.5f, kRed);
  p->PolygonMode(2);
  p->SetColor(kGreen);
  p->TextureIndex(0);
  const auto image = Render(*p);
  // Not textured, so not filled either.
  EXPECT_EQ(Pixel(image, 40, 40), kBlack);
  EXPECT_EQ(Pixel(image, 60, 40), kGreenPixel);
}

TEST_F(PolygonDrawing, LitPolygonWithColourMaterialShowsItsColour) {
  auto p = Rect(20, 20, 60, 60, kRed);
  p->PolygonMode(3);
  p->LightingEnabled(true);
  p->ColorMaterialMode(3);
  p->CalculateNormals(1);
  // No frame lights: only the global ambient light (0.2) reaches the red material.
  const auto image = Render(*p);
  const Rgba inside = Pixel(image, 40, 40);
  EXPECT_NEAR(inside.r, 51, 3);
  EXPECT_EQ(inside.g, 0);
  EXPECT_EQ(Pixel(image, 10, 10), kBlack);
}

TEST_F(PolygonDrawing, DynamicRotationTurnsAboutTheRotationPoint) {
  // A marker 20 units right of the rotation point (50, 40).
  auto marker = Rect(70, 40, 74, 44, kRed);
  marker->PolygonMode(3);
  marker->WorldRotationPoint(Vector(50, 40, 0));
  auto image = Render(*marker);
  EXPECT_EQ(Pixel(image, 72, 42), kRedPixel);

  marker->DynamicRotate(0, 0, 90);  // counter-clockwise: now 20 units above
  image = Render(*marker);
  EXPECT_EQ(Pixel(image, 72, 42), kBlack);
  EXPECT_EQ(Pixel(image, 48, 62), kRedPixel);
  EXPECT_EQ(Pixel(image, 51, 62), kBlack);
}

TEST_F(PolygonDrawing, OrthographicAndPerspectiveViews) {
  // In the view plane (z = 0) both views agree; nearer the eye perspective magnifies about the
  // view centre (50, 40), by 2 at half the eye distance of 1000.
  auto flat = Rect(60, 40, 64, 44, kRed);
  flat->PolygonMode(3);
  auto near = Rect(60, 40, 64, 44, kGreen, 500);
  near->PolygonMode(3);

  auto image = Render(*flat);
  EXPECT_EQ(Pixel(image, 62, 42), kRedPixel);
  image = Render(*near);
  EXPECT_EQ(Pixel(image, 62, 42), kGreenPixel);
  EXPECT_EQ(Pixel(image, 74, 46), kBlack);

  Properties().perspective = true;
  image = Render(*flat);
  EXPECT_EQ(Pixel(image, 62, 42), kRedPixel);
  image = Render(*near);
  EXPECT_EQ(Pixel(image, 62, 42), kBlack);
  EXPECT_EQ(Pixel(image, 74, 46), kGreenPixel);  // (70..78, 40..48)
}

}  // namespace
}  // namespace orvan
