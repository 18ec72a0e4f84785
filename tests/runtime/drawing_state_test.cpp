// The OpenGL state an object sets around its geometry and undoes afterwards, the blink test,
// and what these settings do to the pixels.
#include <gtest/gtest.h>

#include <memory>

#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "orvan/timer.h"
#include "runtime/scene_fixture.h"

namespace orvan {
namespace {

using scene_test::Enabled;
using scene_test::ExpectSameState;
using scene_test::Float;
using scene_test::FrameState;
using scene_test::Integer;
using scene_test::kBlack;
using scene_test::Probe;
using scene_test::Rgba;
using scene_test::SceneTest;

std::unique_ptr<GLPolygon> Rect(float x0, float y0, float x1, float y1, const vesColor& fill, float z = 0) {
  const Vertex corners[4] = {Vertex(x0, y0, z, fill), Vertex(x1, y0, z, fill), Vertex(x1, y1, z, fill),
                             Vertex(x0, y1, z, fill)};
  auto p = std::make_unique<GLPolygon>(4, corners);
  p->PolygonMode(3);
  return p;
}

const vesColor kRed(255, 0, 0, 255);
const vesColor kGreen(0, 255, 0, 255);
const Rgba kRedPixel{255, 0, 0, 255};
const Rgba kGreenPixel{0, 255, 0, 255};

// --- Blinking ------------------------------------------------------------------------------------

class SteppedTimer : public Timer {
 public:
  SteppedTimer() { Restart(); }
  using Timer::Now;
  void Now(unsigned long long* microseconds) override { *microseconds = now; }
  unsigned long long now = 0;
};

class BlinkTest : public ::testing::Test {
 protected:
  void SetUp() override { SetSharedTimer(&timer); }
  void TearDown() override { SetSharedTimer(nullptr); }
  void At(double seconds) { timer.now = static_cast<unsigned long long>(seconds * 1e6 + 0.5); }
  bool OffAt(DisplayObject& o, double seconds) {
    At(seconds);
    return o.BlinkedOff();
  }
  SteppedTimer timer;
};

TEST_F(BlinkTest, OffForTheFirstHalfOfEachPeriod) {
  Probe o;
  o.BlinkRate(2);
  EXPECT_TRUE(OffAt(o, 0.1));
  EXPECT_FALSE(OffAt(o, 0.3));
  EXPECT_TRUE(OffAt(o, 0.55));
  EXPECT_FALSE(OffAt(o, 0.8));
  o.BlinkRate(0);
  EXPECT_FALSE(OffAt(o, 0.1));
  o.BlinkRate(-1);
  EXPECT_FALSE(OffAt(o, 0.1));
}

TEST_F(BlinkTest, DrawSkippedWhenInvisibleCulledOrBlinkedOff) {
  Probe o;
  o.BlinkRate(2);
  At(0.1);
  EXPECT_FALSE(o.DrawSkipped());  // not blinking
  o.Blinking(true);
  EXPECT_TRUE(o.DrawSkipped());
  At(0.3);
  EXPECT_FALSE(o.DrawSkipped());
  o.Visibility(false);
  EXPECT_TRUE(o.DrawSkipped());
}

// --- State set and undone, looked at from inside a frame ----------------------------------------

using DrawingState = SceneTest;

TEST_F(DrawingState, DepthTestModes) {
  struct Case {
    int mode;
    bool enabled;
    GLint func;
    GLboolean mask;
  };
  const Case cases[] = {{1, true, GL_LESS, GL_TRUE},
                        {2, true, GL_LESS, GL_FALSE},
                        {3, true, GL_ALWAYS, GL_TRUE},
                        {0, false, GL_LESS, GL_TRUE},
                        {7, false, GL_LESS, GL_TRUE}};
  for (const Case& c : cases) {
    bool enabled = false, restored = true;
    GLint func = 0;
    GLboolean mask = GL_FALSE, restoredMask = GL_FALSE;
    Probe probe([&](Probe& self) {
      self.SetupDepthTest();
      enabled = Enabled(GL_DEPTH_TEST);
      func = Integer(GL_DEPTH_FUNC);
      glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
      self.RestoreDepthAndCulling();
      restored = Enabled(GL_DEPTH_TEST) || Integer(GL_DEPTH_FUNC) != GL_LESS;
      glGetBooleanv(GL_DEPTH_WRITEMASK, &restoredMask);
    });
    probe.DepthTest(c.mode);
    Render(probe);
    EXPECT_EQ(enabled, c.enabled) << c.mode;
    EXPECT_EQ(func, c.func) << c.mode;
    EXPECT_EQ(mask, c.mask) << c.mode;
    EXPECT_FALSE(restored) << c.mode;
    EXPECT_EQ(restoredMask, GL_TRUE) << c.mode;
  }
}

TEST_F(DrawingState, AlphaModes) {
  struct Case {
    int mode;
    bool changed, blend, alphaTest;
  };
  // Values outside the enumeration keep the frame's blending, as 256-level does.
  const Case cases[] = {{1, true, false, false}, {2, true, false, true}, {3, false, true, false},
                        {0, false, true, false}, {9, false, true, false}};
  for (const Case& c : cases) {
    bool changed = false, blend = false, alphaTest = false, restoredBlend = false, restoredTest = true;
    GLint alphaFunc = 0;
    GLfloat alphaRef = 0;
    Probe probe([&](Probe& self) {
      changed = self.SetupAlpha();
      blend = Enabled(GL_BLEND);
      alphaTest = Enabled(GL_ALPHA_TEST);
      alphaFunc = Integer(GL_ALPHA_TEST_FUNC);
      alphaRef = Float(GL_ALPHA_TEST_REF);
      if (changed) DisplayObject::RestoreAlpha();
      restoredBlend = Enabled(GL_BLEND) && Integer(GL_BLEND_SRC) == GL_SRC_ALPHA &&
                      Integer(GL_BLEND_DST) == GL_ONE_MINUS_SRC_ALPHA;
      restoredTest = Enabled(GL_ALPHA_TEST);
    });
    probe.AlphaMode(c.mode);
    Render(probe);
    EXPECT_EQ(changed, c.changed) << c.mode;
    EXPECT_EQ(blend, c.blend) << c.mode;
    EXPECT_EQ(alphaTest, c.alphaTest) << c.mode;
    if (c.alphaTest) {
      EXPECT_EQ(alphaFunc, GL_GREATER);
      EXPECT_FLOAT_EQ(alphaRef, 0.5f);
    }
    EXPECT_TRUE(restoredBlend) << c.mode;
    EXPECT_FALSE(restoredTest) << c.mode;
  }
}

TEST_F(DrawingState, LineStyleChangesOnlyWhatDiffersFromSolidWidthOne) {
  struct Seen {
    bool changed, stipple;
    GLfloat width;
    GLint pattern, repeat;
  };
  auto look = [&](float width, int pattern, int multiplier) {
    Seen seen{};
    bool restored = false;
    Probe probe([&](Probe& self) {
      seen.changed = self.SetupLineStyle();
      seen.stipple = Enabled(GL_LINE_STIPPLE);
      seen.width = Float(GL_LINE_WIDTH);
      seen.pattern = Integer(GL_LINE_STIPPLE_PATTERN);
      seen.repeat = Integer(GL_LINE_STIPPLE_REPEAT);
      DisplayObject::RestoreLineStyle();
      restored = !Enabled(GL_LINE_STIPPLE) && Float(GL_LINE_WIDTH) == 1.0f;
    });
    probe.LineWidth(width);
    probe.LineStipplePattern(pattern);
    probe.LineStippleMultiplier(multiplier);
    Render(probe);
    EXPECT_TRUE(restored);
    return seen;
  };
  Seen solid = look(1.0f, 0xFFFF, 1);
  EXPECT_FALSE(solid.changed);
  EXPECT_FALSE(solid.stipple);
  EXPECT_EQ(solid.width, 1.0f);

  Seen wide = look(3.0f, 0xFFFF, 5);
  EXPECT_TRUE(wide.changed);
  EXPECT_FALSE(wide.stipple);
  EXPECT_EQ(wide.width, 3.0f);

  Seen dashed = look(1.0f, 0x0F0F, 2);
  EXPECT_TRUE(dashed.changed);
  EXPECT_TRUE(dashed.stipple);
  EXPECT_EQ(dashed.pattern, 0x0F0F);
  EXPECT_EQ(dashed.repeat, 2);
}

TEST_F(DrawingState, LightingFaceCullingSmoothingAndShading) {
  bool lighting = false, colorMaterial = false, cull = false, smooth = false, smoothed = false;
  bool afterLighting = true, afterMaterial = true, afterSmooth = true, afterCull = true;
  GLint materialFace = 0, materialParameter = 0, shadeModel = 0;
  Probe probe([&](Probe& self) {
    self.SetupCullFace();
    cull = Enabled(GL_CULL_FACE);
    smoothed = self.SetupAntiAlias();
    smooth = Enabled(GL_LINE_SMOOTH);
    self.SetupShading();
    shadeModel = Integer(GL_SHADE_MODEL);
    self.SetupLighting();
    lighting = Enabled(GL_LIGHTING);
    colorMaterial = Enabled(GL_COLOR_MATERIAL);
    materialFace = Integer(GL_COLOR_MATERIAL_FACE);
    materialParameter = Integer(GL_COLOR_MATERIAL_PARAMETER);
    self.RestoreLighting();
    afterLighting = Enabled(GL_LIGHTING);
    afterMaterial = Enabled(GL_COLOR_MATERIAL);
    DisplayObject::RestoreAntiAlias();
    afterSmooth = Enabled(GL_LINE_SMOOTH);
    self.RestoreDepthAndCulling();
    afterCull = Enabled(GL_CULL_FACE);
  });
  probe.CullBackFace(1);
  probe.AntiAlias(true);
  probe.Shading(1);
  probe.LightingEnabled(true);
  probe.ColorMaterialMode(2);
  Render(probe);
  EXPECT_TRUE(cull);
  EXPECT_TRUE(smoothed);
  EXPECT_TRUE(smooth);
  EXPECT_EQ(shadeModel, GL_SMOOTH);
  EXPECT_TRUE(lighting);
  EXPECT_TRUE(colorMaterial);
  EXPECT_EQ(materialFace, GL_FRONT_AND_BACK);
  EXPECT_EQ(materialParameter, GL_AMBIENT);
  EXPECT_FALSE(afterLighting || afterMaterial || afterSmooth || afterCull);

  // Colour material is part of lighting: without lighting nothing is switched.
  probe.LightingEnabled(false);
  probe.AntiAlias(false);
  probe.Shading(0);
  Render(probe);
  EXPECT_FALSE(lighting || colorMaterial || smoothed);
  EXPECT_EQ(shadeModel, GL_FLAT);
}

TEST_F(DrawingState, PushTransformLoadsTheObjectsOwnModelView) {
  bool pushed = true;
  GLint depthBefore = 0, depthAfter = 0;
  GLdouble loaded[16] = {};
  Probe plain([&](Probe& self) {
    depthBefore = Integer(GL_MODELVIEW_STACK_DEPTH);
    pushed = self.PushTransform();
    depthAfter = Integer(GL_MODELVIEW_STACK_DEPTH);
  });
  Render(plain);
  EXPECT_FALSE(pushed);
  EXPECT_EQ(depthAfter, depthBefore);

  Probe moved([&](Probe& self) {
    depthBefore = Integer(GL_MODELVIEW_STACK_DEPTH);
    pushed = self.PushTransform();
    depthAfter = Integer(GL_MODELVIEW_STACK_DEPTH);
    glGetDoublev(GL_MODELVIEW_MATRIX, loaded);
    if (pushed) glPopMatrix();
  });
  moved.DynamicTranslate(5.0f, 6.0f, 0.0f);
  Render(moved);
  EXPECT_TRUE(pushed);
  EXPECT_EQ(depthAfter, depthBefore + 1);
  ASSERT_NE(moved.ModelViewMatrix(), nullptr);
  for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(loaded[i], moved.ModelViewMatrix()->data[i]);
  EXPECT_DOUBLE_EQ(loaded[12], 5.0);  // one world unit is one pixel in this view
}

TEST_F(DrawingState, TextureSetupAndEnvironment) {
  bool textured = true;
  GLint modeUntouched = 0, mode = 0, magFilter = 0, minFilter = 0;
  GLfloat envColor[4] = {};
  Probe probe([&](Probe& self) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
    self.TextureIndex(-1);
    textured = self.SetupTexture();
    self.SetupTextureEnvironment(-1);  // no texture: the environment stays
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &modeUntouched);
    self.TextureIndex(2);
    textured = textured || self.SetupTexture();  // no coordinates (and no palette entry)
    self.SetupTextureEnvironment(-1);
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    glGetTexEnvfv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_COLOR, envColor);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &name);
  });
  probe.TextureMappingTechnique(2);
  probe.SetBlendColor(vesColor(255, 0, 51, 255));
  probe.TextureMagnificationFilter(0);
  probe.TextureMinificationFilter(3);
  Render(probe);
  EXPECT_FALSE(textured);
  EXPECT_EQ(modeUntouched, GL_DECAL);
  EXPECT_EQ(mode, GL_BLEND);
  EXPECT_FLOAT_EQ(envColor[0], 1.0f);
  EXPECT_NEAR(envColor[2], 0.2f, 1e-6);
  EXPECT_EQ(magFilter, GL_NEAREST);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
}

TEST_F(DrawingState, DrawingLeavesTheFrameStateAsReset) {
  FrameState before{}, after{};
  Probe first([&](Probe&) { before = FrameState::Current(); });
  Probe last([&](Probe&) { after = FrameState::Current(); });

  // Every setting that changes state, in a moved group with a moved and a lit child.
  Group scene;
  Group moved;
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
  lit->DepthTest(2);
  lit->CalculateNormals(1);
  auto dots = Rect(5, 5, 8, 8, kGreen);
  dots->PolygonMode(1);
  dots->DepthTest(1);
  moved.InsertObject(busy.get());
  moved.InsertObject(lit.get());
  moved.InsertObject(dots.get());
  scene.InsertObject(&first);
  scene.InsertObject(&moved);
  scene.InsertObject(&last);
  Render(scene);

  ExpectSameState(before, after);
  // And that state is the frame's reset state.
  EXPECT_FALSE(before.depthTest || before.cullFace || before.lighting || before.colorMaterial ||
               before.alphaTest || before.lineSmooth || before.lineStipple || before.texture2D);
  EXPECT_TRUE(before.blend);
  EXPECT_EQ(before.blendSrc, GL_SRC_ALPHA);
  EXPECT_EQ(before.blendDst, GL_ONE_MINUS_SRC_ALPHA);
  EXPECT_EQ(before.depthMask, GL_TRUE);
  EXPECT_EQ(before.lineWidth, 1.0f);
}

// --- What the settings draw ----------------------------------------------------------------------

using DrawingStatePixels = SceneTest;

// A near red square drawn first and a far green one over it, each with its own depth mode.
class DepthPixels : public SceneTest {
 protected:
  Rgba Winner(int nearMode, int farMode) {
    auto nearSquare = Rect(20, 20, 60, 60, kRed, 10);
    auto farSquare = Rect(20, 20, 60, 60, kGreen, -10);
    nearSquare->DepthTest(nearMode);
    farSquare->DepthTest(farMode);
    Group g;
    g.InsertObject(nearSquare.get());
    g.InsertObject(farSquare.get());
    return Pixel(Render(g), 40, 40);
  }
};

TEST_F(DepthPixels, TestedWrittenAlwaysAndOff) {
  EXPECT_EQ(Winner(1, 1), kRedPixel);    // written, then the far one fails the test
  EXPECT_EQ(Winner(1, 2), kRedPixel);    // tested without writing still fails
  EXPECT_EQ(Winner(1, 3), kGreenPixel);  // always passes
  EXPECT_EQ(Winner(1, 0), kGreenPixel);  // no test
  EXPECT_EQ(Winner(2, 1), kGreenPixel);  // the near one wrote no depth
}

TEST_F(DrawingStatePixels, LineWidthAndStipple) {
  const Vertex ends[2] = {Vertex(10.5f, 40.5f, 0), Vertex(90.5f, 40.5f, 0)};
  GLPolygon line(2, ends);
  line.PolygonMode(2);
  line.PolygonEnd(0);
  line.SetColor(kGreen);
  auto image = Render(line);
  EXPECT_EQ(Pixel(image, 50, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 50, 42), kBlack);

  line.LineWidth(5);
  image = Render(line);
  EXPECT_EQ(Pixel(image, 50, 42), kGreenPixel);
  EXPECT_EQ(Pixel(image, 50, 44), kBlack);

  // 8 bits on then 8 off, each bit 4 pixels long.
  line.LineWidth(1);
  line.LineStipplePattern(0x00FF);
  line.LineStippleMultiplier(4);
  image = Render(line);
  EXPECT_EQ(Pixel(image, 20, 40), kGreenPixel);
  EXPECT_EQ(Pixel(image, 57, 40), kBlack);
  EXPECT_EQ(Pixel(image, 85, 40), kGreenPixel);
}

TEST_F(DrawingStatePixels, AlphaModesOnAHalfTransparentFill) {
  auto square = Rect(20, 20, 60, 60, vesColor(255, 0, 0, 100));
  square->AlphaMode(2);  // below the 0.5 threshold: discarded
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kBlack);
  square->SetFillColor(vesColor(255, 0, 0, 200));  // above it: drawn without blending
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kRedPixel);
  square->SetFillColor(vesColor(255, 0, 0, 100));
  square->AlphaMode(1);  // opaque
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kRedPixel);
  square->AlphaMode(3);  // blended over black
  EXPECT_NEAR(Pixel(Render(*square), 40, 40).r, 100, 2);
  square->AlphaMode(0);  // outside the enumeration: blended as well
  EXPECT_NEAR(Pixel(Render(*square), 40, 40).r, 100, 2);
}

TEST_F(DrawingStatePixels, BlinkingObjectIsDrawnInItsOnPhaseOnly) {
  auto square = Rect(20, 20, 60, 60, kRed);
  square->Blinking(true);
  square->BlinkRate(2);
  SetTime(0.1);
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kBlack);
  SetTime(0.3);
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kRedPixel);
  SetTime(1.1);
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kBlack);
  square->BlinkRate(0);
  EXPECT_EQ(Pixel(Render(*square), 40, 40), kRedPixel);
}

}  // namespace
}  // namespace orvan
