// The rendering host's frame steps that are not about pixels: contexts, the first frame, the
// container's repaint after the control moved, and the frame cycle on the headless host's
// clock (when ticks come and which of them draw); the palette for indexed visuals, with its
// widened bit fields and kept system colours.
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <vector>

#include "control/palette.h"
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

}  // namespace
}  // namespace vessant
