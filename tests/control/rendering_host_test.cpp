// The rendering host's frame steps that are not about pixels: contexts, the first frame, the
// container's repaint after the control moved, and the frame cycle on the headless host's
// clock (when ticks come and which of them draw); the palette for indexed visuals, with its
// widened bit fields and kept system colours; the projection the frame sets up, read back from
// real OpenGL after a frame: the control's own rules, or a component's view when the EyePoint
// property names an object whose query attributes give the model-view and projection matrices.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>
#include <cstdint>
#include <sstream>
#include <tuple>
#include <vector>

#include "control/palette.h"
#include "control/projection.h"
#include "orvan/attrib_dict.h"
#include "orvan/attribute_base.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "orvan/group.h"
#include "support/headless_control.h"

namespace vessant {
namespace {

TEST(RenderingHost, ContextIndexAndNullWindowRules) {
    test::HeadlessControl hc(16, 16);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    RenderSurface* window = hc.Host().WindowSurface();
    EXPECT_FALSE(hc.Control().CreateContext(window, 2));
    EXPECT_FALSE(hc.Control().CreateContext(window, -1));
    EXPECT_TRUE(hc.Control().CreateContext(window, 0));
    EXPECT_TRUE(hc.Control().CreateContext(window, 0));  // the same window keeps its context
    EXPECT_FALSE(hc.Control().CreateContext(nullptr, 0));  // deletes it
    hc.RenderFrame();  // and the next frame makes a new one
    EXPECT_GT(hc.Control().FramesDrawn(), 0u);
}

TEST(RenderingHost, UiDeadContainerGetsOneClickInTheCentreOnTheFirstFrame) {
    HeadlessOptions options;
    options.uiDead = true;
    test::HeadlessControl hc(40, 20, options);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    hc.RenderFrame();
    hc.RenderFrame();
    ASSERT_EQ(hc.Host().SyntheticClicks().size(), 1u);
    EXPECT_EQ(hc.Host().SyntheticClicks()[0], std::make_pair(20, 10));

    test::HeadlessControl normal(40, 20);
    normal.RenderFrame();
    EXPECT_TRUE(normal.Host().SyntheticClicks().empty());
}

TEST(RenderingHost, ContainerRepaintsOnlyWhenTheControlMovedAndSizePropertiesWaitForBoth) {
    test::HeadlessControl hc(30, 30);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    hc.RenderFrame();
    const unsigned first = hc.Host().ParentInvalidations();
    EXPECT_EQ(first, 1u);
    hc.RenderFrame();
    EXPECT_EQ(hc.Host().ParentInvalidations(), first);
    hc.Host().ResizeWindow(50, 30);
    hc.RenderFrame();
    EXPECT_EQ(hc.Host().ParentInvalidations(), first + 1);
    EXPECT_EQ(hc.RenderFrame().width, 50);

    hc.Control().SetSizeX(300);
    EXPECT_EQ(hc.Host().ClientSize().width, 50);
    hc.Control().SetSizeY(200);
    EXPECT_EQ(hc.Host().ClientSize().width, 300);
    EXPECT_EQ(hc.Host().ClientSize().height, 200);
    EXPECT_TRUE(hc.Control().Modified());
}

// Frame times on the host clock (to the next 100 us step), over `milliseconds` of stepped time.
std::vector<std::uint64_t> FrameMicroseconds(test::HeadlessControl& hc, unsigned milliseconds) {
    std::vector<std::uint64_t> times;
    const std::uint64_t end = hc.Host().NowMicroseconds() + milliseconds * 1000ull;
    while (hc.Host().NowMicroseconds() < end) {
        const unsigned frames = hc.Control().FramesDrawn();
        hc.Host().AdvanceClock(100);
        if (hc.Control().FramesDrawn() != frames) times.push_back(hc.Host().NowMicroseconds());
    }
    return times;
}

TEST(FrameTimer, ThirtyFramesPerSecondComeEvery33msWithoutQuantisation) {
    test::HeadlessControl hc(64, 64);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    EXPECT_NE(hc.Control().TimerId(), 0u);
    hc.Host().AdvanceClock(0);  // the first paint arms the timer for the applied rate
    const std::uint64_t start = hc.Host().NowMicroseconds();
    const std::vector<std::uint64_t> times = FrameMicroseconds(hc, 3000);
    ASSERT_GT(times.size(), 80u);
    // The first frame is due once more than 33 ms have passed.
    EXPECT_GT(times[0] - start, 33000u);
    // Each frame comes when it is due, not on the next tick of a timer at half the period.
    for (size_t i = 1; i < times.size(); ++i) {
        EXPECT_GE(times[i] - times[i - 1], 33300u) << i;
        EXPECT_LE(times[i] - times[i - 1], 33400u) << i;
    }
    const double mean = double(times.back() - times.front()) / double(times.size() - 1);
    EXPECT_NEAR(mean, 33333.3, 35.0);
}

TEST(FrameTimer, ALateFrameShortensTheNextInterval) {
    test::HeadlessControl hc(32, 32);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    hc.Control().SetTargetFrameRate(50);  // 20 ms
    hc.RenderFrame();
    // The timer's message is held back 5 ms past the frame's due moment.
    hc.Host().KillTimer(hc.Control().TimerId());
    hc.Host().AdvanceClock(25000);
    hc.Control().OnTimer(hc.Control().TimerId());
    hc.Host().AdvanceClock(0);
    const std::uint64_t late = hc.Host().NowMicroseconds();
    const std::vector<std::uint64_t> times = FrameMicroseconds(hc, 100);
    ASSERT_GE(times.size(), 3u);
    // 5 ms late, so the next interval is 15 ms; then the rate is 20 ms again.
    EXPECT_NEAR(double(times[0] - late), 15000.0, 150.0);
    EXPECT_NEAR(double(times[1] - times[0]), 20000.0, 150.0);
}

TEST(FrameTimer, RateZeroLeavesNoTimerAndDrawsOnlyOnRepaint) {
    test::HeadlessControl hc(32, 32);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    hc.Host().AdvanceClock(100000);
    ASSERT_GT(hc.Control().FramesDrawn(), 0u);
    hc.Control().SetTargetFrameRate(0);
    hc.RenderFrame();  // the next paint kills the timer
    EXPECT_EQ(hc.Control().TimerId(), 0u);
    const unsigned frames = hc.Control().FramesDrawn();
    hc.Host().AdvanceClock(1000000);
    EXPECT_EQ(hc.Control().FramesDrawn(), frames);
    hc.RenderFrame();
    EXPECT_EQ(hc.Control().FramesDrawn(), frames + 1);

    // Starting the timer at rate zero sets the rate to one.
    hc.Control().StartFrameTimer();
    EXPECT_EQ(hc.Control().Properties().targetFrameRate, 1u);
    EXPECT_NE(hc.Control().TimerId(), 0u);
}

// An indexed format of `bits` bits with red, green and blue fields of these sizes, in that order.
PixelFormatInfo Indexed(int bits, int red, int green, int blue) {
    PixelFormatInfo format;
    format.needsPalette = true;
    format.colorBits = bits;
    format.redBits = red;
    format.redShift = 0;
    format.greenBits = green;
    format.greenShift = red;
    format.blueBits = blue;
    format.blueShift = red + green;
    return format;
}

std::tuple<int, int, int> Rgb(const PaletteEntry& e) { return {e.red, e.green, e.blue}; }

TEST(Palette, ThreeThreeTwoFormatWidensFieldsAndKeepsSystemColours) {
    EXPECT_TRUE(BuildPalette(PixelFormatInfo()).empty()) << "true colour needs none";
    const std::vector<PaletteEntry> p = BuildPalette(Indexed(8, 3, 3, 2));
    ASSERT_EQ(p.size(), 256u);
    // Index 0b10'011'101: blue 2 of 2 bits, green 3 of 3 bits, red 5 of 3 bits.
    EXPECT_EQ(Rgb(p[0b10011101]), std::make_tuple(182, 109, 170));
    EXPECT_EQ(Rgb(p[255]), std::make_tuple(255, 255, 255));
    // The static colours replace the computed ones at their indices.
    EXPECT_EQ(Rgb(p[3]), std::make_tuple(0x80, 0, 0));
    EXPECT_EQ(Rgb(p[247]), std::make_tuple(0xFF, 0xFB, 0xF0));
    EXPECT_EQ(p[91].blue, 0x80);
}

TEST(Palette, OtherIndexedFormatsHaveNoStaticColours) {
    const std::vector<PaletteEntry> p = BuildPalette(Indexed(4, 1, 2, 1));
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(Rgb(p[3]), std::make_tuple(255, 85, 0));
}

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
