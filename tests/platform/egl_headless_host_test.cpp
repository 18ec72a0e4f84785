// The headless host: its window messages, contexts, clock and background; and the timer queue
// that orders its timers and catches up or skips late ones.
#include "platform/egl_headless_host.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/recording_client.h"
#include "platform/timer_queue.h"

namespace vessant {
namespace {

using test::RecordingClient;

class EglHeadlessHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessOptions options;
        options.width = 64;
        options.height = 48;
        options.ambientBackColor = 0x102030;
        host_ = EglHeadlessHost::Create(client_, options, &error_);
        if (!host_) GTEST_SKIP() << "no EGL here: " << error_;
    }

    // A context on the window surface, made current.
    GLContextHandle CurrentWindowContext() {
        bool shared = false;
        GLContextHandle context = host_->CreateContext(*host_->WindowSurface(), &shared);
        EXPECT_NE(context, nullptr);
        EXPECT_TRUE(shared);
        EXPECT_TRUE(host_->MakeCurrent(*host_->WindowSurface(), context));
        return context;
    }

    RecordingClient client_;
    std::string error_;
    std::unique_ptr<EglHeadlessHost> host_;
};

std::vector<std::uint8_t> ReadPixel(int x, int y) {
    std::vector<std::uint8_t> rgba(4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

TEST_F(EglHeadlessHostTest, CreateThenSizeAndAmbientsOnOpeningCloseThenDestroyOnceOnClosing) {
    EXPECT_EQ(client_.log, (std::vector<std::string>{"create", "size 64x48"}));
    EXPECT_TRUE(host_->HasWindow());
    EXPECT_EQ(host_->ClientSize().width, 64);
    EXPECT_EQ(host_->ClientSize().height, 48);
    EXPECT_EQ(host_->WindowScreenRect(), (ScreenRect{0, 0, 64, 48}));
    EXPECT_EQ(host_->AmbientBackColor(), 0x102030u);
    EXPECT_TRUE(host_->AmbientUserMode());
    EXPECT_FALSE(host_->AmbientUIDead());

    const RenderSurface& surface = *host_->WindowSurface();
    EXPECT_EQ(surface.Size().width, 64);
    EXPECT_EQ(surface.Format().colorBits, 24);
    EXPECT_GE(surface.Format().depthBits, 24);
    EXPECT_FALSE(surface.Format().needsPalette);

    // Closed twice: close and destroy come once, and the timers and contexts go with the window.
    GLContextHandle context = CurrentWindowContext();
    host_->SetTimer(1, 16);
    client_.log.clear();
    host_->Close();
    host_->Close();
    EXPECT_EQ(client_.log, (std::vector<std::string>{"close", "destroy"}));
    EXPECT_FALSE(host_->HasWindow());
    EXPECT_FALSE(host_->MakeCurrent(*host_->WindowSurface(), context));
    host_->AdvanceClock(100000);
    EXPECT_TRUE(client_.timers.empty());
    EXPECT_EQ(host_->SetTimer(1, 16), 0u);
    host_->DeleteContext(context);

    host_.reset();
    EXPECT_EQ(client_.log.size(), 2u);
}

TEST(EglHeadlessHostLifetime, AttachComesBeforeCreateAndTheDestructorClosesAWindowLeftOpen) {
    RecordingClient client;
    HeadlessOptions options;
    options.width = 0;
    std::string error;
    EXPECT_EQ(EglHeadlessHost::Create(client, options, &error), nullptr);
    EXPECT_NE(error.find("size"), std::string::npos) << error;
    EXPECT_TRUE(client.log.empty());

    // The client can arm its timers in attach, before create.
    WindowHost* attached = nullptr;
    options = HeadlessOptions();
    options.attach = [&](WindowHost& host) {
        attached = &host;
        EXPECT_TRUE(client.log.empty());
    };
    auto host = EglHeadlessHost::Create(client, options, &error);
    if (!host) GTEST_SKIP() << "no EGL here: " << error;
    EXPECT_EQ(attached, host.get());
    bool shared = false;
    host->CreateContext(*host->WindowSurface(), &shared);  // left for the host to delete
    host.reset();
    EXPECT_EQ(client.log, (std::vector<std::string>{"create", "size 640x480", "close", "destroy"}));
}

TEST_F(EglHeadlessHostTest, ContextsShareTexturesAcrossSurfacesAndHosts) {
    GLContextHandle first = CurrentWindowContext();
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const std::uint8_t texel[4] = {1, 2, 3, 4};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glFinish();

    auto working = host_->CreateWorkingSurface(16, 8);
    ASSERT_NE(working, nullptr);
    EXPECT_EQ(working->Size().width, 16);
    bool shared = false;
    GLContextHandle second = host_->CreateContext(*working, &shared);
    ASSERT_NE(second, nullptr);
    EXPECT_TRUE(shared);
    ASSERT_TRUE(host_->MakeCurrent(*working, second));
    EXPECT_EQ(glIsTexture(texture), GL_TRUE);

    // A second control in the same process shares with the same root.
    RecordingClient otherClient;
    std::string error;
    auto other = EglHeadlessHost::Create(otherClient, HeadlessOptions(), &error);
    ASSERT_NE(other, nullptr) << error;
    GLContextHandle third = other->CreateContext(*other->WindowSurface(), &shared);
    ASSERT_NE(third, nullptr);
    EXPECT_TRUE(shared);
    ASSERT_TRUE(other->MakeCurrent(*other->WindowSurface(), third));
    EXPECT_EQ(glIsTexture(texture), GL_TRUE);

    other->DeleteContext(third);
    host_->DeleteContext(second);
    host_->DeleteContext(first);
    // A deleted context, or one of another host, is refused rather than used.
    EXPECT_FALSE(host_->MakeCurrent(*host_->WindowSurface(), first));
    EXPECT_FALSE(other->MakeCurrent(*other->WindowSurface(), second));
    host_->DeleteContext(first);  // twice is harmless
}

// The queue's order and catch-up rules have their own tests; here the host's clock and messages.
TEST_F(EglHeadlessHostTest, TimersFireOnTheSteppedClockAndAnInvalidatingOneIsFollowedByAPaint) {
    std::vector<std::uint64_t> firedAt;
    client_.onTimer = [&](unsigned id) {
        firedAt.push_back(host_->NowMicroseconds());
        if (id == 2) host_->Invalidate(false);
    };
    client_.log.clear();
    EXPECT_EQ(host_->SetTimer(1, 16), 1u);
    host_->AdvanceClock(50000);
    EXPECT_EQ(firedAt, (std::vector<std::uint64_t>{16000, 32000, 48000}));
    EXPECT_EQ(host_->NowMicroseconds(), 50000u);
    EXPECT_EQ(client_.log, (std::vector<std::string>(3, "timer 1"))) << "nothing invalid, nothing painted";
    host_->SetTimer(1, 100);  // arming again replaces the period and restarts it from now
    host_->AdvanceClock(99999);
    EXPECT_EQ(firedAt.size(), 3u);
    host_->KillTimer(1);

    firedAt.clear();
    client_.log.clear();
    EXPECT_EQ(host_->SetTimerAt(2, 150000 + 16667), 2u);
    host_->SetTimerAt(2, 150000 + 16000);  // arming again replaces the due time
    host_->AdvanceClock(100000);
    EXPECT_EQ(firedAt, (std::vector<std::uint64_t>{166000}));
    EXPECT_EQ(client_.log, (std::vector<std::string>{"timer 2", "paint"}));
}

TEST_F(EglHeadlessHostTest, InvalidationsCoalesceAndEraseComesFirst) {
    client_.log.clear();
    host_->UpdateNow();
    EXPECT_TRUE(client_.log.empty());

    host_->Invalidate(false);
    host_->InvalidateRect(ScreenRect{0, 0, 1, 1}, true);
    host_->Invalidate(false);
    host_->UpdateNow();
    EXPECT_EQ(client_.log, (std::vector<std::string>{"erase", "paint"}));

    // The paint is told the bounds of what was invalidated, clipped to the window.
    client_.paintRects.clear();
    host_->InvalidateRect(ScreenRect{0, 0, 1, 1}, false);
    host_->UpdateNow();
    host_->InvalidateRect(ScreenRect{10, 5, 20, 8}, false);
    host_->InvalidateRect(ScreenRect{60, 40, 90, 90}, false);
    host_->UpdateNow();
    EXPECT_EQ(client_.paintRects, (std::vector<ScreenRect>{{0, 0, 1, 1}, {10, 5, 64, 48}}));

    client_.log.clear();
    host_->Invalidate(false);
    host_->Validate();
    host_->InvalidateRect(ScreenRect{100, 100, 120, 120}, false);  // outside the window
    host_->UpdateNow();
    host_->AdvanceClock(0);
    EXPECT_TRUE(client_.log.empty());

    host_->Invalidate(false);
    host_->AdvanceClock(0);  // a pending paint comes when the queue is empty
    EXPECT_EQ(client_.log, (std::vector<std::string>{"paint"}));
}

TEST_F(EglHeadlessHostTest, ResizeRecreatesThePbufferAndDeliversSize) {
    GLContextHandle context = CurrentWindowContext();
    client_.log.clear();
    host_->ResizeWindow(100, 70);
    EXPECT_EQ(client_.log, (std::vector<std::string>{"size 100x70"}));
    EXPECT_EQ(host_->ClientSize().width, 100);
    EXPECT_EQ(host_->WindowSurface()->Size().height, 70);
    EXPECT_TRUE(host_->IsInvalid());

    // The context followed the surface; a fresh context sees the new size as its viewport.
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(ReadPixel(99, 69), (std::vector<std::uint8_t>{0, 0, 255, 255}));
    GLContextHandle fresh = CurrentWindowContext();
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 100);
    EXPECT_EQ(viewport[3], 70);
    GLint depthBits = 0;  // the format reported is the one the surface has
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_EQ(depthBits, host_->WindowSurface()->Format().depthBits);

    client_.log.clear();
    host_->ResizeWindow(100, 70);  // unchanged: no message
    EXPECT_TRUE(client_.log.empty());
    EXPECT_FALSE(host_->WindowSurface()->Resize(10, 10));  // the window surface follows the window

    host_->DeleteContext(fresh);
    host_->DeleteContext(context);
}

TEST_F(EglHeadlessHostTest, BackgroundCaptureCropsAndPadsWithTheAmbientColour) {
    RgbaImage out;
    EXPECT_FALSE(host_->CaptureBackground(ScreenRect{0, 0, 4, 4}, out));

    RgbaImage background;
    background.width = 4;
    background.height = 3;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) background.pixels.insert(background.pixels.end(), {uint8_t(x), uint8_t(y), 7, 255});
    host_->SetBackgroundImage(background);

    ASSERT_TRUE(host_->CaptureBackground(ScreenRect{1, 1, 3, 3}, out));
    EXPECT_EQ(out.width, 2);
    EXPECT_EQ(out.height, 2);
    const auto rgba = [&out](int x, int y) { return std::vector<std::uint8_t>(out.At(x, y), out.At(x, y) + 4); };
    EXPECT_EQ(rgba(0, 0), (std::vector<std::uint8_t>{1, 1, 7, 255}));
    EXPECT_EQ(rgba(1, 1), (std::vector<std::uint8_t>{2, 2, 7, 255}));

    // Beyond the image: the container's ambient colour.
    ASSERT_TRUE(host_->CaptureBackground(ScreenRect{3, 2, 5, 4}, out));
    EXPECT_EQ(rgba(0, 0), (std::vector<std::uint8_t>{3, 2, 7, 255}));
    EXPECT_EQ(rgba(1, 1), (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 255}));

    EXPECT_FALSE(host_->CaptureBackground(ScreenRect{2, 2, 2, 5}, out));
}

// Every firing up to `nowUs`, as (id, due) pairs.
std::vector<std::pair<unsigned, std::uint64_t>> Drain(TimerQueue& queue, std::uint64_t nowUs, TimerQueue::Late late) {
    std::vector<std::pair<unsigned, std::uint64_t>> fired;
    unsigned id = 0;
    std::uint64_t due = 0;
    while (queue.TakeDue(nowUs, late, &id, &due)) fired.emplace_back(id, due);
    return fired;
}

TEST(TimerQueue, CatchUpFiresEveryMissedPeriodInOrder) {
    TimerQueue queue;
    queue.Set(1, 16, 0);
    queue.Set(2, 20, 0);
    const auto fired = Drain(queue, 50000, TimerQueue::Late::CatchUp);
    const std::vector<std::pair<unsigned, std::uint64_t>> expected{{1, 16000}, {2, 20000}, {1, 32000},
                                                                   {2, 40000}, {1, 48000}};
    EXPECT_EQ(fired, expected);
    std::uint64_t next = 0;
    ASSERT_TRUE(queue.NextDue(&next));
    EXPECT_EQ(next, 60000u);
}

TEST(TimerQueue, SkipFiresALateTimerOnceAndResumesAPeriodFromNow) {
    TimerQueue queue;
    queue.Set(1, 16, 0);
    // 100 ms late: one firing, not six.
    EXPECT_EQ(Drain(queue, 116000, TimerQueue::Late::Skip).size(), 1u);
    std::uint64_t next = 0;
    ASSERT_TRUE(queue.NextDue(&next));
    EXPECT_EQ(next, 132000u);

    // Slightly late (less than a period): the rhythm of the due times is kept.
    EXPECT_EQ(Drain(queue, 140000, TimerQueue::Late::Skip).size(), 1u);
    ASSERT_TRUE(queue.NextDue(&next));
    EXPECT_EQ(next, 148000u);
}

TEST(TimerQueue, OneShotFiresOnceAndLeavesPeriodicTimersRunning) {
    TimerQueue queue;
    queue.Set(1, 10, 0);
    EXPECT_EQ(queue.SetAt(2, 15000), 2u);
    const auto fired = Drain(queue, 40000, TimerQueue::Late::CatchUp);
    const std::vector<std::pair<unsigned, std::uint64_t>> expected{{1, 10000}, {2, 15000}, {1, 20000},
                                                                   {1, 30000}, {1, 40000}};
    EXPECT_EQ(fired, expected);
    EXPECT_FALSE(queue.Armed(2));
    EXPECT_TRUE(queue.Armed(1));
}

TEST(TimerQueue, IdZeroIsRefusedAndZeroPeriodCannotSpin) {
    TimerQueue queue;
    EXPECT_EQ(queue.Set(0, 10, 0), 0u);
    EXPECT_TRUE(queue.Empty());
    EXPECT_EQ(queue.Set(7, 0, 0), 7u);
    EXPECT_EQ(Drain(queue, 10000, TimerQueue::Late::CatchUp).size(), 10u);
    queue.Kill(7);
    EXPECT_TRUE(queue.Empty());
    std::uint64_t next = 0;
    EXPECT_FALSE(queue.NextDue(&next));
}

}  // namespace
}  // namespace vessant
