// The eye point: field of view and orthographic size under the constraints, the projection and
// model-view matrices and their query attributes, orientation, copying and rotation; and lights
// drawn in a headless context: the light's OpenGL settings, the global manager's slot rule (no
// calls when nothing changed, the slot limit, a hidden light losing its slot), the component
// lighting steps and lit pixels.
#include <gtest/gtest.h>

#include <GL/glu.h>
#include <cmath>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/component_base.h"
#include "orvan/component_light_mgr.h"
#include "orvan/eye_point.h"
#include "orvan/gl_polygon.h"
#include "orvan/global_light_mgr.h"
#include "orvan/group.h"
#include "orvan/light_source.h"
#include "runtime/scene_fixture.h"

namespace orvan {
namespace {

using namespace scene_test;

constexpr double kRad = 3.14159265358979323846 / 180.0;

TEST(EyePoint, ConstraintsProjectionsAndTheModelViewCarriedByItsGroups) {
  VesEyePoint eye;
  double fovY = 0, aspect = 0;
  // Defaults: the horizontal 30 degrees kept exactly, the vertical following the window.
  eye.CalculateFov(400, 300, &eye, fovY, aspect);
  EXPECT_NEAR(fovY, 2 * std::atan(std::tan(15 * kRad) / (4.0 / 3.0)) / kRad, 1e-9);
  EXPECT_NEAR(aspect, 4.0 / 3.0, 1e-12);
  eye.FOV(40);
  eye.VerticalConstraint(FOV_CONSTRAINT_EXACTLY);
  eye.CalculateFov(123, 456, &eye, fovY, aspect);
  EXPECT_DOUBLE_EQ(fovY, 30.0);
  EXPECT_NEAR(aspect, std::tan(20 * kRad) / std::tan(15 * kRad), 1e-12);
  eye.FOV(30);
  eye.HorizontalConstraint(FOV_CONSTRAINT_NONE);
  eye.VerticalConstraint(FOV_CONSTRAINT_GREATER);
  eye.CalculateFov(200, 100, &eye, fovY, aspect);
  EXPECT_DOUBLE_EQ(fovY, 30.0);  // the window would need 15.3 degrees
  EXPECT_DOUBLE_EQ(aspect, 2.0);
  eye.VerticalConstraint(FOV_CONSTRAINT_LESS);
  eye.CalculateFov(200, 100, &eye, fovY, aspect);
  EXPECT_NEAR(fovY, 2 * std::atan(std::tan(15 * kRad) / 2) / kRad, 1e-9);
  eye.FovIsHorizontal(false);  // now fov is the vertical angle
  eye.FOV(200);
  eye.VerticalConstraint(FOV_CONSTRAINT_EXACTLY);
  eye.CalculateFov(200, 100, &eye, fovY, aspect);
  EXPECT_DOUBLE_EQ(fovY, 180.0);

  VesEyePoint flat;
  double w = 0, h = 0;
  flat.CalculateOrthoSize(400, 300, &flat, w, h);
  EXPECT_DOUBLE_EQ(w, 500.0);
  EXPECT_DOUBLE_EQ(h, 375.0);
  flat.HorizontalConstraint(FOV_CONSTRAINT_NONE);
  flat.VerticalConstraint(FOV_CONSTRAINT_GREATER);
  flat.CalculateOrthoSize(400, 300, &flat, w, h);
  EXPECT_DOUBLE_EQ(h, 500.0);
  EXPECT_NEAR(w, 500.0 * 4 / 3, 1e-9);

  VesEyePoint ortho;
  ortho.VerticalConstraint(FOV_CONSTRAINT_EXACTLY);
  ortho.OtherOrthoSize(200);
  ortho.SetValue(43, 1, 47, 10.0, 48, 110.0, 0);
  VesMatrix<double, 4> m, identity;
  ortho.GetProjectionMatrix(m, 10, 300);  // both sizes kept exactly, whatever the window
  EXPECT_DOUBLE_EQ(m(0, 0), 2.0 / 500);
  EXPECT_DOUBLE_EQ(m(1, 1), 2.0 / 200);
  EXPECT_DOUBLE_EQ(m(2, 2), -2.0 / 100);
  EXPECT_DOUBLE_EQ(m(2, 3), -120.0 / 100);
  EXPECT_DOUBLE_EQ(m(3, 3), 1.0);

  VesEyePoint perspective;
  perspective.NearClip(100);
  perspective.FarClip(100);
  perspective.GetProjectionMatrix(m, 400, 300);
  EXPECT_TRUE(std::equal(m.data, m.data + 16, identity.data));
  perspective.FarClip(1000);
  perspective.FovIsHorizontal(false);
  perspective.VerticalConstraint(FOV_CONSTRAINT_EXACTLY);
  perspective.FOV(0);
  perspective.GetProjectionMatrix(m, 400, 300);
  EXPECT_TRUE(std::equal(m.data, m.data + 16, identity.data));

  Group group;
  auto* carried = new VesEyePoint;
  carried->Location(10, 0, 100);
  group.InsertObject(carried);
  group.DynamicRotate(0, 0, 90);
  ViewMatrices record(nullptr, nullptr, &identity);
  FrustumCuller culler(false);
  group.PreDraw(record, culler);

  VesMatrix<double, 4> still, moved;
  carried->GetModelViewMatrix(still, false);
  carried->GetModelViewMatrix(moved, true);
  // Without transformations: the eye at (10, 0, 100) looking down -z.
  const Vector p = still.TransformPoint(Vector(10, 5, 0));
  EXPECT_NEAR((p - Vector(0, 5, -100)).Length(), 0.0f, 1e-5f);
  // A point carried by the group's rotation looks the same from the eye carried with it.
  const Vector q = moved.TransformPoint(group.TransformMatrix()->TransformPoint(Vector(10, 5, 0)));
  EXPECT_NEAR((q - Vector(0, 5, -100)).Length(), 0.0f, 1e-4f);
  group.DeleteAllChildren();

  VesEyePoint queried;
  EXPECT_EQ(queried.Pickable(), 0);
  const char* expectedNames[] = {"Fov", "OtherFov", "Orthographic", "OrthoSize", "OtherOrthoSize", "FovIsHorizontal",
                            "HorizontalConstraint", "VerticalConstraint", "NearClip", "FarClip", "ViewVectors",
                            "GetModelViewMatrix", "GetProjectionMatrix"};
  const OrvanAttribDict& dict = *queried.Attributes();
  ASSERT_GE(dict.Count(), 13u);
  for (std::size_t i = 0; i < 13; ++i) EXPECT_EQ(dict.At(dict.Count() - 13 + i)->NameText(), expectedNames[i]);
  EXPECT_EQ(queried.Resource("HorizontalConstraint")->ValueText(), "FOV_CONSTRAINT_EXACTLY");
  queried.Resource("VerticalConstraint")->ValueText("FOV_CONSTRAINT_LESS");
  EXPECT_EQ(queried.VerticalConstraint(), FOV_CONSTRAINT_LESS);

  // The model-view query: the flag written, the matrix read row by row.
  queried.Location(1, 2, 3);
  queried.Resource("GetModelViewMatrix")->ValueText("0");
  EXPECT_EQ(queried.ModelViewQueryFlag(), 0);
  EXPECT_EQ(queried.Resource("GetModelViewMatrix")->ValueText(), "1 0 0 -1 0 1 0 -2 0 0 1 -3 0 0 0 1 ");
  queried.Location(1.0f / 3.0f, 0, 0);
  EXPECT_NE(queried.Resource("GetModelViewMatrix")->ValueText().find("-0.33333334327 "), std::string::npos);

  queried.SetValue(42, 50.0, 45, 0, 44, 80.0, 47, 1.0, 48, 2.0, 50, 0.0, 0.0, 1.0, 0.0, 1.0, 0.0, -1.0, 0.0, 0.0, 0);
  EXPECT_EQ(queried.FOV(), 50.0);
  EXPECT_FALSE(queried.FovIsHorizontal());
  EXPECT_EQ(queried.OrthoSize(), 80.0);
  EXPECT_EQ(queried.NearClip(), 1.0);
  EXPECT_EQ(queried.FarClip(), 2.0);
  EXPECT_EQ(queried.Direction(), Vector(-1, 0, 0));

  queried.SetViewVectors(Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, -1));
  queried.Rotate(Vector(0, 0, 0), 90, Vector(0, 1, 0));  // turn to look along -x
  EXPECT_NEAR((queried.Direction() - Vector(-1, 0, 0)).Length(), 0.0f, 1e-6f);
  queried.Orientation(Vector(1, 1, 0), 30.0f);
  EXPECT_NEAR(queried.Roll(), 30.0f, 1e-3f);
  EXPECT_NEAR(queried.Direction().x, std::sqrt(0.5f), 1e-6f);

  VesEyePoint copied;
  copied.CopyGeometry(&queried);
  copied.CopyProperties(&queried);
  EXPECT_NEAR(copied.Roll(), 30.0f, 1e-3f);
  EXPECT_EQ(copied.FOV(), 50.0);
  EXPECT_EQ(copied.FarClip(), 2.0);
}

class EyePointView : public SceneTest {};

TEST_F(EyePointView, TheProjectionQueryAndApplyViewMatchWhatGluPerspectiveLoads) {
  VesEyePoint eye;
  eye.Resource("GetProjectionMatrix")->ValueText("800 600");
  std::istringstream text(eye.Resource("GetProjectionMatrix")->ValueText());
  std::vector<double> answered;
  for (double d; text >> d;) answered.push_back(d);
  ASSERT_EQ(answered.size(), 16u);
  std::vector<double> loaded(16), applied(16);
  Probe probe([&](Probe&) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    double fovY = 0, aspect = 0;
    eye.CalculateFov(800, 600, &eye, fovY, aspect);
    gluPerspective(fovY, aspect, 25.0, 5000.0);
    glGetDoublev(GL_PROJECTION_MATRIX, loaded.data());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(0, 0, 800, 600);
    eye.ApplyView();  // leaves model-view mode selected
    glGetDoublev(GL_PROJECTION_MATRIX, applied.data());
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
  });
  Render(probe);
  for (int k = 0; k < 16; ++k) {
    // Row order against column-major; the context keeps single precision.
    const double fromGl = loaded[(k % 4) * 4 + k / 4];
    EXPECT_NEAR(answered[k], fromGl, 1e-9 + std::fabs(fromGl) * 1e-6) << k;
    EXPECT_NEAR(applied[(k % 4) * 4 + k / 4], fromGl, 1e-9 + std::fabs(fromGl) * 1e-6) << k;
  }
}

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

class DarkComponent : public ComponentBase {
 public:
  explicit DarkComponent(std::function<void(Probe&)> check) {
    UseParentsLighting(false);
    InsertObject(new Probe(std::move(check)), true, false);
    FinishConstruction();
  }
};

TEST_F(Lights, LightSettingsTheSlotRuleAndComponentsWithoutParentsLighting) {
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

  LitPanel panel;
  vessant::RgbaImage image = Render(panel);
  EXPECT_EQ(panel.Lights()->Count(), 1u);
  const Rgba lit = Pixel(image, 25, 40), darkPixel = Pixel(image, 75, 40);
  EXPECT_GT(lit.g, 150) << lit;
  EXPECT_LT(darkPixel.g + 60, lit.g) << darkPixel;

  panel.light->Visibility(false);
  image = Render(panel);
  EXPECT_EQ(panel.Lights()->Count(), 0u);
  EXPECT_LT(Pixel(image, 25, 40).g + 60, lit.g) << Pixel(image, 25, 40);

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

  VesLightSource shared;
  bool afterSecondApply = true, afterForce = false;
  int max = 0;
  std::size_t desiredSize = 0;
  WithContext([&] {
    GlobalLightMgr& global = GlobalLightMgr::Instance();
    global.PushState();
    global.SetDesired({&shared});
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

}  // namespace
}  // namespace orvan
