// The projection the frame sets up, read back from real OpenGL after a frame: the control's
// own rules, or a component's view, when the EyePoint property names an object whose query
// attributes give the model-view and projection matrices.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <sstream>

#include "control/projection.h"
#include "orvan/attrib_dict.h"
#include "orvan/attribute_base.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
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

// A query attribute: writing it asks the question, reading it gives a fixed answer.
class QueryAttribute : public orvan::OrvanAttributeBase {
public:
    QueryAttribute(const char* name, std::string answer, std::string* asked)
        : OrvanAttributeBase(nullptr, orvan::AttributeName(name), false), answer_(std::move(answer)), asked_(asked) {}
    std::ostream& WriteValue(std::ostream& os) const override { return os << answer_; }
    std::istream& ReadValue(std::istream& is) override {
        std::getline(is, *asked_);
        return is;
    }

private:
    std::string answer_;
    std::string* asked_;
};

// 16 numbers row by row.
std::string Rows(const double m[16]) {
    std::ostringstream s;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) s << m[c * 4 + r] << ' ';
    return s.str();
}

TEST(EyePoint, TheComponentsEyePointReplacesTheProjectionRules) {
    test::HeadlessControl hc(80, 60);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    orvan::ComponentBase component;
    auto* eye = new orvan::GLPolygon();
    eye->InstanceName("eye");
    component.InsertObject(eye, true, false);
    const double projection[16] = {0.5, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, -1, 0, -0.5, 0.125, 0, 1};
    const double modelView[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 4, -5, 1};
    std::string modelViewAsked, projectionAsked;
    eye->Attributes()->Add(new QueryAttribute("GetModelViewMatrix", Rows(modelView), &modelViewAsked));
    eye->Attributes()->Add(new QueryAttribute("GetProjectionMatrix", Rows(projection), &projectionAsked));
    component.FinishConstruction();
    hc.SetDrawnObject(&component);
    hc.Control().SetEyePoint("eye");
    hc.RenderFrame();
    EXPECT_EQ(modelViewAsked, "1");
    EXPECT_EQ(projectionAsked, "80 60");
    double p[16], mv[16];
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(p[i], projection[i]) << i;
    for (int i = 0; i < 16; ++i) EXPECT_DOUBLE_EQ(mv[i], modelView[i]) << i;

    // An eye point the component does not have falls back to the orthographic rule.
    hc.Control().SetEyePoint("nobody");
    hc.Control().SetUseExtents(false);
    hc.RenderFrame();
    glGetDoublev(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[0], 2.0 / 80.0, 1e-9);
    hc.SetDrawnObject(nullptr);
}

}  // namespace
}  // namespace vessant
