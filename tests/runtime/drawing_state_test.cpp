// The OpenGL state an object sets around its geometry and undoes afterwards, the blink test,
// and what these settings do to the pixels.
#include <gtest/gtest.h>

#include <memory>

#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/timer.h"
#include "orvan/ves_text_box.h"
#include "runtime/scene_fixture.h"
#include "support/rectangle.h"

namespace orvan {
namespace {

using namespace scene_test;

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

TEST_F(DrawingStatePixels, DepthModesOfANearSquareThenAFarOne) {
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
}

TEST_F(DrawingStatePixels, LineWidthAndStipple) {
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
}

TEST_F(DrawingStatePixels, AlphaModesOnAHalfTransparentFillAndBlinkingInTheOnPhaseOnly) {
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
