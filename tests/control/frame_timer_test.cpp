// The frame cycle on the headless host's clock: when ticks come and which of them draw.
#include <gtest/gtest.h>

#include <vector>

#include "support/headless_control.h"

namespace vessant {
namespace {

// Steps the host clock a millisecond at a time and records when frames were drawn (ms).
std::vector<unsigned> FrameTimes(test::HeadlessControl& hc, unsigned milliseconds) {
    std::vector<unsigned> times;
    for (unsigned t = 0; t < milliseconds; ++t) {
        const unsigned before = hc.Control().FramesDrawn();
        hc.Host().AdvanceClock(1000);
        if (hc.Control().FramesDrawn() != before) times.push_back(static_cast<unsigned>(hc.Host().NowMicroseconds() / 1000));
    }
    return times;
}

TEST(FrameTimer, ThirtyFramesPerSecondTicksEvery16msAndSettlesNear33ms) {
    test::HeadlessControl hc(64, 64);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    EXPECT_NE(hc.Control().TimerId(), 0u);
    hc.Host().AdvanceClock(0);  // the first paint arms the timer for the applied rate
    const unsigned start = static_cast<unsigned>(hc.Host().NowMicroseconds() / 1000);
    const std::vector<unsigned> times = FrameTimes(hc, 3000);
    ASSERT_GT(times.size(), 10u);
    // Ticks come every 16 ms; the first one after more than 33 ms draws.
    EXPECT_GT(times[0] - start, 33u);
    for (unsigned t : times) EXPECT_EQ((t - start) % 16, 0u) << t;
    const double mean = double(times.back() - times.front()) / double(times.size() - 1);
    EXPECT_NEAR(mean, 33.3, 1.0);
    for (size_t i = 1; i < times.size(); ++i) EXPECT_LE(times[i] - times[i - 1], 48u);
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
}

TEST(FrameTimer, StartingWithRateZeroSetsItToOne) {
    test::HeadlessControl hc(32, 32);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    hc.Control().Properties().targetFrameRate = 0;
    hc.Control().StartFrameTimer();
    EXPECT_EQ(hc.Control().Properties().targetFrameRate, 1u);
    EXPECT_NE(hc.Control().TimerId(), 0u);
}

TEST(FrameTimer, SixtyFramesPerSecondDrawsAboutEvery16ms) {
    test::HeadlessControl hc(32, 32);
    if (!hc.Ok()) GTEST_SKIP() << "no EGL here";
    hc.Control().SetTargetFrameRate(60);
    hc.RenderFrame();
    const std::vector<unsigned> times = FrameTimes(hc, 2000);
    ASSERT_GT(times.size(), 10u);
    const double mean = double(times.back() - times.front()) / double(times.size() - 1);
    EXPECT_NEAR(mean, 16.0, 1.0);
}

}  // namespace
}  // namespace vessant
