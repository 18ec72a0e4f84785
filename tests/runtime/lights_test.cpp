// Lights drawn in a headless context: the light's OpenGL settings, the global manager's slot
// rule (no calls when nothing changed, the slot limit, a hidden light losing its slot), the
// component lighting steps and lit pixels.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/component_base.h"
#include "orvan/component_light_mgr.h"
#include "orvan/gl_polygon.h"
#include "orvan/global_light_mgr.h"
#include "orvan/group.h"
#include "orvan/light_source.h"
#include "runtime/scene_fixture.h"

namespace orvan {
namespace {

using namespace scene_test;

std::array<float, 4> LightVector(GLenum which) {
  std::array<float, 4> v{-9, -9, -9, -9};
  glGetLightfv(GL_LIGHT0, which, v.data());
  return v;
}

class Lights : public SceneTest {
 protected:
  // Runs body with the control's context current, the model-view at identity.
  void WithContext(std::function<void()> body) {
    Probe probe([&](Probe&) {
      glMatrixMode(GL_MODELVIEW);
      glPushMatrix();
      glLoadIdentity();
      body();
      glPopMatrix();
    });
    Render(probe);
  }
};

TEST_F(Lights, ANewLightShinesAlongMinusZALocalLightHasAPositionAndAttributesReachTheFields) {
  VesLightSource light;
  light.RegisterAttributes(0x4);
  std::array<float, 4> position{}, spot{}, local{};
  WithContext([&] {
    VesMatrix<double, 4> identity;
    light.SetupLight(0, &identity);
    position = LightVector(GL_POSITION);
    spot = LightVector(GL_SPOT_DIRECTION);
    light.Resource("LightType")->ValueText("LIGHT_LOCAL");
    light.SetupLight(0, &identity);
    local = LightVector(GL_POSITION);
    glDisable(GL_LIGHT0);
  });
  EXPECT_EQ(position, (std::array<float, 4>{0, 0, 1, 0}));
  EXPECT_FLOAT_EQ(spot[0], 0.0f);
  EXPECT_FLOAT_EQ(spot[1], 0.0f);
  EXPECT_FLOAT_EQ(spot[2], -1.0f);
  EXPECT_EQ(local[3], 1.0f);

  VesLightSource configured;
  configured.RegisterAttributes(0x4);
  EXPECT_EQ(configured.Resource("LightType")->ValueText(), "LIGHT_INFINITE");
  configured.SetValue(43, 10, 20, 30, 40, 45, 30.0, 46, 2.0, 47, 0.5, 48, 0.25, 49, 0.125, 0);
  EXPECT_EQ(configured.GetDiffuse().green, 20);
  EXPECT_EQ(configured.SpotCutoff(), 30.0f);
  EXPECT_EQ(configured.Resource("SpotExponent")->ValueText(), "2");
  EXPECT_EQ(configured.Resource("QuadraticAttenuation")->ValueText(), "0.125");
}

TEST_F(Lights, ApplyingTheSameLightsTwiceMakesNoOpenGLCallsAndSlotsStopAtTheMaximum) {
  VesLightSource light;
  bool afterSecondApply = true, afterForce = false;
  int max = 0;
  std::size_t desiredSize = 0;
  WithContext([&] {
    GlobalLightMgr& global = GlobalLightMgr::Instance();
    global.PushState();
    global.SetDesired({&light});
    global.ApplyLights(nullptr);
    // Switched off behind the manager's back: an apply that changes nothing leaves it off.
    glDisable(GL_LIGHT0);
    global.ApplyLights(nullptr);
    afterSecondApply = glIsEnabled(GL_LIGHT0);
    global.Force();
    global.ApplyLights(nullptr);
    afterForce = glIsEnabled(GL_LIGHT0);

    max = global.MaxLights();
    std::vector<std::unique_ptr<VesLightSource>> many;
    GlobalLightMgr::LightList list;
    for (int i = 0; i < max + 2; ++i) {
      many.emplace_back(new VesLightSource);
      list.push_back(many.back().get());
    }
    global.SetDesired(list);
    desiredSize = global.Desired().size();
    global.ApplyLights(nullptr);
    global.PopState();
  });
  EXPECT_FALSE(afterSecondApply);
  EXPECT_TRUE(afterForce);
  EXPECT_GE(max, 8);
  EXPECT_EQ(desiredSize, static_cast<std::size_t>(max));
}

// A component of two lit squares facing +z (towards the light) and facing +x (away from it).
class LitPanel : public ComponentBase {
 public:
  LitPanel() {
    light = new VesLightSource;
    light->SetValue(1, const_cast<char*>("lamp"), 42, 0, 0, 0, 255, 43, 255, 255, 255, 255, 0);
    InsertObject(light, true, false);
    facing = Square("facing", 10.0, 0.0, 0.0, 1.0);
    away = Square("away", 60.0, 1.0, 0.0, 0.0);
    AbsolutePlacement(true);
    FinishConstruction();
  }
  GLPolygon* Square(const char* name, double x, double nx, double ny, double nz) {
    GLPolygon* p = new GLPolygon;
    p->SetValue(1, const_cast<char*>(name), 18, 3, 35, 1, 36, 0, 0);
    p->SetVertices(4, 255, 255, 255, 255, x, 20.0, 0.0, 255, 255, 255, 255, x + 30.0, 20.0, 0.0, 255, 255, 255, 255,
                   x + 30.0, 60.0, 0.0, 255, 255, 255, 255, x, 60.0, 0.0);
    p->SetNormals(4, nx, ny, nz, nx, ny, nz, nx, ny, nz, nx, ny, nz);
    InsertObject(p, true, false);
    return p;
  }
  VesLightSource* light;
  GLPolygon* facing;
  GLPolygon* away;
};

TEST_F(Lights, AFaceTurnedToTheLightIsBrighterAndAHiddenLightLosesItsSlot) {
  LitPanel panel;
  vessant::RgbaImage image = Render(panel);
  EXPECT_EQ(panel.Lights()->Count(), 1u);
  const Rgba lit = Pixel(image, 25, 40), dark = Pixel(image, 75, 40);
  EXPECT_GT(lit.g, 150) << lit;
  EXPECT_LT(dark.g + 60, lit.g) << dark;

  panel.light->Visibility(false);
  image = Render(panel);
  EXPECT_EQ(panel.Lights()->Count(), 0u);
  EXPECT_LT(Pixel(image, 25, 40).g + 60, lit.g) << Pixel(image, 25, 40);
}

class DarkComponent : public ComponentBase {
 public:
  explicit DarkComponent(std::function<void(Probe&)> check) {
    UseParentsLighting(false);
    InsertObject(new Probe(std::move(check)), true, false);
    FinishConstruction();
  }
};

TEST_F(Lights, AComponentWithoutParentsLightingDrawsWithSurroundingLightsOff) {
  bool insideOn = true, afterOn = false;
  Group scene(false);
  scene.InsertObject(new Probe([](Probe&) { glEnable(GL_LIGHT1); }), true, false);
  auto* dark = new DarkComponent([&](Probe&) { insideOn = glIsEnabled(GL_LIGHT1); });
  scene.InsertObject(dark, true, false);
  scene.InsertObject(new Probe([&](Probe&) {
    afterOn = glIsEnabled(GL_LIGHT1);
    glDisable(GL_LIGHT1);
  }), true, false);
  Render(scene);
  scene.DeleteAllChildren();
  EXPECT_FALSE(insideOn);
  EXPECT_TRUE(afterOn);
  EXPECT_EQ(GlobalLightMgr::Instance().StackDepth(), 0);
}

}  // namespace
}  // namespace orvan
