// The eye point: field of view and orthographic size under the constraints, the projection and
// model-view matrices and their query attributes, orientation, copying and rotation.
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "orvan/attrib_dict.h"
#include "orvan/eye_point.h"
#include "orvan/group.h"
#include "runtime/scene_fixture.h"

namespace orvan {
namespace {

using namespace scene_test;

constexpr double kRad = 3.14159265358979323846 / 180.0;

TEST(EyePoint, ConstraintsOrthographicAndDegenerateProjections) {
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
}

TEST(EyePoint, TheModelViewMovesWithTheTransformationsOfItsGroups) {
  Group group;
  auto* eye = new VesEyePoint;
  eye->Location(10, 0, 100);
  group.InsertObject(eye);
  group.DynamicRotate(0, 0, 90);
  VesMatrix<double, 4> identity;
  ViewMatrices record(nullptr, nullptr, &identity);
  FrustumCuller culler(false);
  group.PreDraw(record, culler);

  VesMatrix<double, 4> still, moved;
  eye->GetModelViewMatrix(still, false);
  eye->GetModelViewMatrix(moved, true);
  // Without transformations: the eye at (10, 0, 100) looking down -z.
  const Vector p = still.TransformPoint(Vector(10, 5, 0));
  EXPECT_NEAR((p - Vector(0, 5, -100)).Length(), 0.0f, 1e-5f);
  // A point carried by the group's rotation looks the same from the eye carried with it.
  const Vector q = moved.TransformPoint(group.TransformMatrix()->TransformPoint(Vector(10, 5, 0)));
  EXPECT_NEAR((q - Vector(0, 5, -100)).Length(), 0.0f, 1e-4f);
  group.DeleteAllChildren();
}

TEST(EyePoint, AttributesPropertyNumbersQueriesOrientationAndCopies) {
  VesEyePoint eye;
  EXPECT_EQ(eye.Pickable(), 0);
  const char* expected[] = {"Fov", "OtherFov", "Orthographic", "OrthoSize", "OtherOrthoSize", "FovIsHorizontal",
                            "HorizontalConstraint", "VerticalConstraint", "NearClip", "FarClip", "ViewVectors",
                            "GetModelViewMatrix", "GetProjectionMatrix"};
  const OrvanAttribDict& dict = *eye.Attributes();
  ASSERT_GE(dict.Count(), 13u);
  for (std::size_t i = 0; i < 13; ++i) EXPECT_EQ(dict.At(dict.Count() - 13 + i)->NameText(), expected[i]);
  EXPECT_EQ(eye.Resource("HorizontalConstraint")->ValueText(), "FOV_CONSTRAINT_EXACTLY");
  eye.Resource("VerticalConstraint")->ValueText("FOV_CONSTRAINT_LESS");
  EXPECT_EQ(eye.VerticalConstraint(), FOV_CONSTRAINT_LESS);

  // The model-view query: the flag written, the matrix read row by row.
  eye.Location(1, 2, 3);
  eye.Resource("GetModelViewMatrix")->ValueText("0");
  EXPECT_EQ(eye.ModelViewQueryFlag(), 0);
  EXPECT_EQ(eye.Resource("GetModelViewMatrix")->ValueText(), "1 0 0 -1 0 1 0 -2 0 0 1 -3 0 0 0 1 ");
  eye.Location(1.0f / 3.0f, 0, 0);
  EXPECT_NE(eye.Resource("GetModelViewMatrix")->ValueText().find("-0.33333334327 "), std::string::npos);

  eye.SetValue(42, 50.0, 45, 0, 44, 80.0, 47, 1.0, 48, 2.0, 50, 0.0, 0.0, 1.0, 0.0, 1.0, 0.0, -1.0, 0.0, 0.0, 0);
  EXPECT_EQ(eye.FOV(), 50.0);
  EXPECT_FALSE(eye.FovIsHorizontal());
  EXPECT_EQ(eye.OrthoSize(), 80.0);
  EXPECT_EQ(eye.NearClip(), 1.0);
  EXPECT_EQ(eye.FarClip(), 2.0);
  EXPECT_EQ(eye.Direction(), Vector(-1, 0, 0));

  eye.SetViewVectors(Vector(1, 0, 0), Vector(0, 1, 0), Vector(0, 0, -1));
  eye.Rotate(Vector(0, 0, 0), 90, Vector(0, 1, 0));  // turn to look along -x
  EXPECT_NEAR((eye.Direction() - Vector(-1, 0, 0)).Length(), 0.0f, 1e-6f);
  eye.Orientation(Vector(1, 1, 0), 30.0f);
  EXPECT_NEAR(eye.Roll(), 30.0f, 1e-3f);
  EXPECT_NEAR(eye.Direction().x, std::sqrt(0.5f), 1e-6f);

  VesEyePoint copy;
  copy.CopyGeometry(&eye);
  copy.CopyProperties(&eye);
  EXPECT_NEAR(copy.Roll(), 30.0f, 1e-3f);
  EXPECT_EQ(copy.FOV(), 50.0);
  EXPECT_EQ(copy.FarClip(), 2.0);
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

}  // namespace
}  // namespace orvan
