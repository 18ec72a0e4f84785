// The projection the frame sets up, read back from real OpenGL after a frame.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "control/projection.h"
#include "orvan/group.h"
#include "support/headless_control.h"

namespace vessant {
namespace {

TEST(Projection, PerspectiveNumbersFor400By300) {
    const ViewSize view = ComputeViewSize(400.0f, 400, 300);
    EXPECT_FLOAT_EQ(view.width, 400.0f);
    EXPECT_FLOAT_EQ(view.height, 300.0f);
    const PerspectiveView p = ComputePerspective(view, 400, 300, 4.0f, 0.0f);
    EXPECT_DOUBLE_EQ(p.zNear, 10.0);  // 1000 - 2800 is below the floor
    EXPECT_DOUBLE_EQ(p.zFar, 3800.0);
    EXPECT_NEAR(p.fovy, 17.06, 0.01);
    EXPECT_NEAR(p.aspect, 400.0 / 300.0, 1e-12);
    // Only exactly 0 selects the fitted angle; a negative one passes unchanged.
    EXPECT_DOUBLE_EQ(ComputePerspective(view, 400, 300, 4.0f, -5.0f).fovy, -5.0);
    // A small control keeps a near plane in front of the eye.
    EXPECT_NEAR(ComputePerspective(ComputeViewSize(10.0f, 10, 10), 10, 10, 4.0f, 0.0f).zNear, 920.0, 1e-9);
    // A wider world scales the view.
    EXPECT_FLOAT_EQ(ComputeViewSize(800.0f, 400, 300).height, 600.0f);
}

// A 400 x 300 control drawing an empty object (in place of the splash, whose own view would apply).
class ProjectionFrame : public ::testing::Test {
protected:
    void SetUp() override {
        if (!hc_.Ok()) GTEST_SKIP() << "no EGL here";
        hc_.SetDrawnObject(&nothing_);
    }
    void DrawAndReadMatrices() {
        hc_.RenderFrame();
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        glGetDoublev(GL_MODELVIEW_MATRIX, modelView);
    }
    orvan::Group nothing_;
    test::HeadlessControl hc_{400, 300};
    double projection[16] = {};
    double modelView[16] = {};
};

TEST_F(ProjectionFrame, PerspectiveMatchesGluPerspective) {
    hc_.Control().SetPerspective(true);
    DrawAndReadMatrices();
    const double fovy = std::atan2(150.0, 1000.0) * 2.0;
    const double f = 1.0 / std::tan(fovy / 2.0);
    const double zNear = 10.0, zFar = 3800.0;
    EXPECT_NEAR(projection[0], f / (400.0 / 300.0), 1e-5);
    EXPECT_NEAR(projection[5], f, 1e-5);
    EXPECT_NEAR(projection[10], (zFar + zNear) / (zNear - zFar), 1e-5);
    EXPECT_NEAR(projection[11], -1.0, 1e-9);
    EXPECT_NEAR(projection[14], 2.0 * zFar * zNear / (zNear - zFar), 1e-3);
    // The eye looks at the view centre from 1000 units away.
    EXPECT_NEAR(modelView[12], -200.0, 1e-4);
    EXPECT_NEAR(modelView[13], -150.0, 1e-4);
    EXPECT_NEAR(modelView[14], -1000.0, 1e-4);
}

TEST_F(ProjectionFrame, OrthographicPutsTheOriginLowerLeftAndAppliesScaleAndOffsets) {
    hc_.Control().SetScaleX(2.0f);
    hc_.Control().SetOffsetX(10.0f);
    hc_.Control().SetOffsetY(-5.0f);
    DrawAndReadMatrices();
    EXPECT_NEAR(projection[0], 2.0 / 400.0, 1e-9);
    EXPECT_NEAR(projection[5], 2.0 / 300.0, 1e-9);
    EXPECT_NEAR(projection[10], -2.0 / 100000.0, 1e-12);
    EXPECT_NEAR(projection[12], -1.0, 1e-9);
    EXPECT_NEAR(projection[13], -1.0, 1e-9);
    // Scale first, then the offsets in scaled units.
    EXPECT_NEAR(modelView[0], 2.0, 1e-9);
    EXPECT_NEAR(modelView[5], 1.0, 1e-9);
    EXPECT_NEAR(modelView[12], 20.0, 1e-6);
    EXPECT_NEAR(modelView[13], -5.0, 1e-6);
}

}  // namespace
}  // namespace vessant
