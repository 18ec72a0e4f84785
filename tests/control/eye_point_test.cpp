// A component's own view: the EyePoint property names an object whose query attributes give
// the model-view and projection matrices, which replace the control's projection rules.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <sstream>

#include "orvan/attrib_dict.h"
#include "orvan/attribute_base.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "support/headless_control.h"

namespace vessant {
namespace {

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
