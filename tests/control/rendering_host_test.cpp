// The rendering host's frame steps that are not about pixels: contexts, the first frame and
// the container's repaint after the control moved.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace vessant
