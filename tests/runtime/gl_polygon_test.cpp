// Polygons: construction, texture coordinates, normals, cloning, and what they put on screen; the
// OpenGL state an object sets around its geometry and undoes afterwards, the blink test, and what
// these settings do to the pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/timer.h"
#include "orvan/ves_text_box.h"
#include "runtime/scene_fixture.h"
#include "support/rectangle.h"
#include "support/vector_near.h"

namespace orvan {
namespace {

using namespace scene_test;

using vessant::test::ExpectNear;

TEST(Polygon, VerticesNormalsTextureCoordinatesAndCloning) {
  const Vertex given[3] = {Vertex(10, 20, 0, vesColor(1, 2, 3, 4)), Vertex(12, 20, 0, kRed), Vertex(10, 24, 0)};
  GLPolygon p(3, given);
  ExpectNear(p.Location(), 10, 20, 0);
  EXPECT_EQ(p.Location().color, vesColor(1, 2, 3, 4));
  ExpectNear(p.Vertices()[1], 2, 0, 0);
  EXPECT_EQ(p.Vertices()[1].color, kRed);
  EXPECT_NE(p.InstanceName()[0], '\0');
  ExpectNear(p.BoundingCenter(), 1, 2, 0);

  const Vertex tri[3] = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(0, 1, 0)};
  GLPolygon facing(3, tri);
  facing.CalculateNormals(1);
  for (unsigned int i = 0; i < 3; ++i) ExpectNear(facing.Normals()[i], 0, 0, 1);
  facing.CalculateNormals(-1);
  ExpectNear(facing.Normals()[1], 0, 0, -1);

  // A vertex in the middle of an edge, and an L shape whose corner at (1, 1) turns the other way.
  const Vertex l[7] = {Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(2, 0, 0), Vertex(2, 1, 0),
                       Vertex(1, 1, 0), Vertex(1, 2, 0), Vertex(0, 2, 0)};
  GLPolygon shape(7, l);
  shape.CalculateNormals(1);
  for (unsigned int i = 0; i < 7; ++i) ExpectNear(shape.Normals()[i], 0, 0, 1);

  auto square = Rect(0, 0, 1, 1, kRed);
  Vector* points = square->GetTexturePoints();
  points[1] = Vector(0, 0, 0);
  points[0] = Vector(1, 0, 0);
  points[2] = Vector(0, 1, 0);
  square->CalculateTexCoordinates();  // no texture anywhere: nothing
  EXPECT_EQ(square->TextureCoordinates(), nullptr);
  square->TextureIndex(0);
  square->CalculateTexCoordinates();
  ASSERT_EQ(square->TextureCoordinateCount(), 4u);
  for (unsigned int i = 0; i < 4; ++i) {
    ExpectNear(square->TextureCoordinates()[i], square->Vertices()[i].x, square->Vertices()[i].y, 0);
  }

  Group g;
  g.TextureIndex(4);
  Vector* frame = g.GetTexturePoints();
  frame[1] = Vector(0, 0, 0);
  frame[0] = Vector(10, 0, 0);
  frame[2] = Vector(0, 10, 0);
  auto child = Rect(5, 5, 10, 10, kRed);
  g.InsertObject(child.get());
  g.CalculateTexCoordinates();
  ExpectNear(child->TextureCoordinates()[0], 0.5f, 0.5f, 0);
  ExpectNear(child->TextureCoordinates()[2], 1, 1, 0);

  points[2] = Vector(2, 0, 0);  // collinear: meaningless but finite
  square->CalculateTexCoordinates();
  EXPECT_TRUE(std::isfinite(square->TextureCoordinates()[2].x) && std::isfinite(square->TextureCoordinates()[2].y));

  Group parent;
  auto original = Rect(1, 2, 5, 6, kRed);
  original->InstanceName("gauge");
  original->SetColor(kBlue);
  original->LineWidth(3);
  original->DynamicRotate(0, 0, 45);
  parent.InsertObject(original.get());

  std::unique_ptr<DisplayObject> clone(original->CloneObject());
  EXPECT_STREQ(clone->InstanceName(), "gauge");
  EXPECT_EQ(clone->ParentGroup(), &parent);
  EXPECT_EQ(parent.Count(), 1u);  // not inserted
  EXPECT_EQ(clone->GetColor(), kBlue);
  EXPECT_FLOAT_EQ(clone->LineWidth(), 3.0f);
  EXPECT_TRUE(clone->TransformDirty());  // draws with the copied rotation
  EXPECT_NE(clone->Vertices(), original->Vertices());
  ExpectNear(clone->WorldVertex(2), 5, 6, 0);
  std::unique_ptr<DisplayObject> renamed(original->CloneObject(true));
  EXPECT_STRNE(renamed->InstanceName(), "gauge");
}

// --- On screen -----------------------------------------------------------------------------------

using PolygonDrawing = SceneTest;

TEST_F(PolygonDrawing, FillOutlineStripPointsAndRotationAboutTheRotationPoint) {
  auto p = Rect(20.5f, 20.5f, 60.5f, 60.5f, kRed);  // edges through pixel centres
  p->SetColor(kGreen);
  p->PolygonMode(3);
  auto image = Render(*p);
  EXPECT_EQ(Pixel(image, 40, 40), kRedPixel);
  EXPECT_EQ(Pixel(image, 70, 40), kBlack);

  p->PolygonMode(2);
  image = Render(*p);
  EXPECT_EQ(Pixel(image, 40, 40), kBlack);
  EXPECT_EQ(Pixel(image, 60, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 20, 40), kGreenPixel);  // the closing edge

  p->PolygonEnd(0);
  image = Render(*p);
  EXPECT_EQ(Pixel(image, 20, 40), kBlack);
  EXPECT_EQ(Pixel(image, 40, 60), kGreenPixel);

  p->PolygonMode(4);
  image = Render(*p);
  EXPECT_EQ(Pixel(image, 40, 40), kRedPixel);
  EXPECT_EQ(Pixel(image, 60, 40), kGreenPixel);

  p->PolygonMode(1);
  image = Render(*p);
  EXPECT_EQ(Pixel(image, 60, 60), kGreenPixel);
  EXPECT_EQ(Pixel(image, 40, 20), kBlack);
  EXPECT_EQ(Pixel(image, 40, 40), kBlack);

  // A texture index without coordinates: untextured, so an outline stays an outline.
  p->PolygonMode(2);
  p->TextureIndex(0);
  EXPECT_EQ(Pixel(Render(*p), 40, 40), kBlack);

  auto marker = Rect(70, 40, 74, 44, kRed);  // 20 units right of (50, 40)
  marker->PolygonMode(3);
  marker->WorldRotationPoint(Vector(50, 40, 0));
  EXPECT_EQ(Pixel(Render(*marker), 72, 42), kRedPixel);
  marker->DynamicRotate(0, 0, 90);  // counter-clockwise: now 20 units above
  const auto turned = Render(*marker);
  EXPECT_EQ(Pixel(turned, 72, 42), kBlack);
  EXPECT_EQ(Pixel(turned, 48, 62), kRedPixel);
  EXPECT_EQ(Pixel(turned, 51, 62), kBlack);
}

TEST_F(PolygonDrawing, ShadingLightingAndTheOrthographicAndPerspectiveViews) {
  const Vertex corners[4] = {Vertex(20, 20, 0, kRed), Vertex(80, 20, 0, kGreen), Vertex(80, 60, 0, kBlue),
                             Vertex(20, 60, 0, vesColor(255, 255, 255, 255))};
  GLPolygon p(4, corners);
  p.PolygonMode(3);
  auto image = Render(p);
  EXPECT_EQ(Pixel(image, 78, 22), kRedPixel);
  EXPECT_EQ(Pixel(image, 78, 58), kRedPixel);

  p.Shading(1);
  image = Render(p);
  EXPECT_GT(Pixel(image, 79, 21).g, 220);
  EXPECT_GT(Pixel(image, 79, 59).b, 220);
  const Rgba middle = Pixel(image, 50, 40);  // halfway along the diagonal from red to blue
  EXPECT_NEAR(middle.r, 128, 20);
  EXPECT_NEAR(middle.b, 128, 20);

  auto lit = Rect(20, 20, 60, 60, kRed);
  lit->PolygonMode(3);
  lit->LightingEnabled(true);
  lit->ColorMaterialMode(3);
  lit->CalculateNormals(1);
  const Rgba inside = Pixel(Render(*lit), 40, 40);
  EXPECT_NEAR(inside.r, 51, 3);  // the global ambient light of 0.2
  EXPECT_EQ(inside.g, 0);

  // In the plane z = 0 both views agree; nearer the eye the perspective view magnifies about the
  // view centre (50, 40), by 2 at half the eye distance of 1000.
  auto flat = Rect(60, 40, 64, 44, kRed);
  auto near = Rect(60, 40, 64, 44, kGreen, 500);
  flat->PolygonMode(3);
  near->PolygonMode(3);
  EXPECT_EQ(Pixel(Render(*flat), 62, 42), kRedPixel);
  EXPECT_EQ(Pixel(Render(*near), 62, 42), kGreenPixel);

  Properties().perspective = true;
  EXPECT_EQ(Pixel(Render(*flat), 62, 42), kRedPixel);
  const auto viewed = Render(*near);
  EXPECT_EQ(Pixel(viewed, 62, 42), kBlack);
  EXPECT_EQ(Pixel(viewed, 74, 46), kGreenPixel);  // now (70..78, 40..48)
}

// --- State seen from inside a frame --------------------------------------------------------------

using DrawingState = SceneTest;

TEST_F(DrawingState, DrawingAndRunsOfPolygonsLeaveTheFrameStateAsReset) {
  FrameState before{}, after{};
  Probe first([&](Probe&) { before = FrameState::Current(); });
  Probe last([&](Probe&) { after = FrameState::Current(); });

  // Every setting that changes state, in a moving group with a moving and a lit child.
  Group scene, moved;
  moved.DynamicRotate(0, 0, 10);
  auto busy = Rect(10, 10, 50, 50, kRed);
  busy->PolygonMode(4);
  busy->CullBackFace(1);
  busy->AntiAlias(true);
  busy->DepthTest(3);
  busy->Shading(1);
  busy->AlphaMode(2);
  busy->PolygonOffset(2);
  busy->LineWidth(4);
  busy->LineStipplePattern(0x0F0F);
  busy->DynamicTranslate(1.0f, 1.0f, 0.0f);
  auto lit = Rect(30, 30, 70, 70, kGreen);
  lit->LightingEnabled(true);
  lit->ColorMaterialMode(1);
  lit->AlphaMode(1);
  lit->CalculateNormals(1);
  auto dots = Rect(5, 5, 8, 8, kGreen);
  dots->PolygonMode(1);
  dots->DepthTest(1);
  VesTextBox text;  // every character decoration, inverse, outlined, mipmapped, turned
  vessant::test::SetRectangle(text, 100.0, 80.0);
  text.String("Under strike\nbold shadow halo");
  text.Underline(true);
  text.StrikeThru(true);
  text.FauxBold(true);
  text.Shadow(true);
  text.Halo(true);
  text.Inverse(true);
  text.PolygonMode(4);
  text.TextureMinificationFilter(3);
  text.DynamicRotate(0, 0, 5);
  for (DisplayObject* o : {static_cast<DisplayObject*>(busy.get()), static_cast<DisplayObject*>(lit.get()),
                           static_cast<DisplayObject*>(dots.get()), static_cast<DisplayObject*>(&text)}) {
    moved.InsertObject(o);
  }
  scene.InsertObject(&first);
  scene.InsertObject(&moved);
  scene.InsertObject(&last);
  Render(scene);

  EXPECT_TRUE(before == after);
  // ...and that is the reset state: only blending on, source alpha over, depth writes on.
  EXPECT_EQ(before.enabled, (std::array<bool, 9>{false, false, false, false, false, true, false, false, false}));
  EXPECT_EQ(before.values[0], GL_SRC_ALPHA);
  EXPECT_EQ(before.values[1], GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(before.values[3], GL_TRUE);
  EXPECT_EQ(before.lineWidth, 1.0f);

  // Polygons one after another leave their depth and culling undo until something else draws.
  FrameState reset{}, seen{};
  Probe start([&](Probe&) { reset = FrameState::Current(); });
  Probe next([&](Probe&) { seen = FrameState::Current(); });
  auto culled = Rect(10, 10, 50, 50, kRed);
  culled->CullBackFace(1);
  culled->DepthTest(3);
  auto tested = Rect(30, 30, 70, 70, kGreen);
  tested->DepthTest(2);
  Group run, carrier;  // a plain group carries the run into its children
  carrier.InsertObject(tested.get());
  run.InsertObject(&start);
  run.InsertObject(culled.get());
  run.InsertObject(&carrier);
  run.InsertObject(&next);
  Render(run);
  EXPECT_TRUE(reset == seen);
}

// --- What the settings draw ----------------------------------------------------------------------

using DrawingStatePixels = SceneTest;

TEST_F(DrawingStatePixels, DepthModesLinesAlphaModesAndBlinking) {
  auto winner = [&](int nearMode, int farMode) {
    auto nearSquare = Rect(20, 20, 60, 60, kRed, 10);
    auto farSquare = Rect(20, 20, 60, 60, kGreen, -10);
    nearSquare->DepthTest(nearMode);
    farSquare->DepthTest(farMode);
    Group g;
    g.InsertObject(nearSquare.get());
    g.InsertObject(farSquare.get());
    return Pixel(Render(g), 40, 40);
  };
  EXPECT_EQ(winner(1, 1), kRedPixel);    // written, then the far one fails the test
  EXPECT_EQ(winner(1, 2), kRedPixel);    // tested without writing still fails
  EXPECT_EQ(winner(1, 3), kGreenPixel);  // always passes
  EXPECT_EQ(winner(1, 0), kGreenPixel);  // no test
  EXPECT_EQ(winner(2, 1), kGreenPixel);  // the near one wrote no depth

  const Vertex ends[2] = {Vertex(10.5f, 40.5f, 0), Vertex(90.5f, 40.5f, 0)};
  GLPolygon line(2, ends);
  line.PolygonEnd(0);
  line.SetColor(kGreen);
  auto image = Render(line);
  EXPECT_EQ(Pixel(image, 50, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 50, 42), kBlack);

  line.LineWidth(5);
  image = Render(line);
  EXPECT_EQ(Pixel(image, 50, 42), kGreenPixel);
  EXPECT_EQ(Pixel(image, 50, 44), kBlack);

  line.LineWidth(1);
  line.LineStipplePattern(0x00FF);  // 8 bits on, 8 off, each 4 pixels long
  line.LineStippleMultiplier(4);
  image = Render(line);
  EXPECT_EQ(Pixel(image, 20, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 57, 40), kBlack);
  EXPECT_EQ(Pixel(image, 85, 40), kGreenPixel);

  auto square = Rect(20, 20, 60, 60, vesColor(255, 0, 0, 100));
  square->AlphaMode(2);  // below the 0.5 threshold: discarded
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kBlack);
  square->SetFillColor(vesColor(255, 0, 0, 200));  // above it: drawn without blending
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kRedPixel);
  square->SetFillColor(vesColor(255, 0, 0, 100));
  square->AlphaMode(1);
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kRedPixel);
  square->AlphaMode(3);  // blended over black
  EXPECT_NEAR(Pixel(Render(*square), 40, 40).r, 100, 2);
  square->AlphaMode(0);
  EXPECT_NEAR(Pixel(Render(*square), 40, 40).r, 100, 2);

  auto blinking = Rect(20, 20, 60, 60, kRed);
  blinking->BlinkRate(2);
  SetTime(0.1);
  EXPECT_EQ(Pixel(Render(*blinking), 40, 40), kRedPixel);  // only a blinking object blinks
  blinking->Blinking(true);
  blinking->BlinkRate(2);
  SetTime(0.1);
  EXPECT_EQ(Pixel(Render(*blinking), 40, 40), kBlack);
  SetTime(0.3);
  EXPECT_EQ(Pixel(Render(*blinking), 40, 40), kRedPixel);
  SetTime(1.1);
  EXPECT_EQ(Pixel(Render(*blinking), 40, 40), kBlack);
  blinking->BlinkRate(0);  // a rate of 0 never turns it off
  EXPECT_EQ(Pixel(Render(*blinking), 40, 40), kRedPixel);
}

}  // namespace
}  // namespace orvan
