// The player in a real X window (Xvfb in CI): top-level and embedded, frames at the target
// rate, resizing and closing.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/tessary_ctrl.h"
#include "platform/x11_glx_host.h"
#include "support/run_command.h"

namespace vessant {
namespace {

class PlayerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const char* d = std::getenv("DISPLAY");
        Display* display = d && *d ? XOpenDisplay(nullptr) : nullptr;
        if (!display) GTEST_SKIP() << "no X display (set DISPLAY or run under Xvfb)";
        XCloseDisplay(display);
    }
};

TEST_F(PlayerWindow, TheProgramDrawsFramesAnswersScriptsAndFailsWhatItCannotShow) {
    auto r = test::RunCommandSplit(test::PlayerPath() + " --size 120x80 --frames 15");
    EXPECT_EQ(r.status, 0) << r.err;
    r = test::RunCommandSplit("printf 'frames 2\\nget scaleX' | " + test::PlayerPath() + " --size 64x64 --script");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find(R"({"reply":"get","ok":true,"value":"1"})"), std::string::npos) << r.out;
    // Without a script nothing could bring a component in later: the run ends at once.
    r = test::RunCommandSplit("timeout 20 " + test::PlayerPath() + " --size 64x64 /no/such/lib.so");
    EXPECT_EQ(r.status, 3) << r.err;
    EXPECT_NE(r.err.find("No such file"), std::string::npos) << r.err;
    EXPECT_EQ(test::RunCommand(test::PlayerPath() + " --parent 0x7ffffff0 --frames 1").status, 1);
}

// Counts frames, resizes after a few, and closes the window after more.
class ScriptedClient : public HostClient {
public:
    explicit ScriptedClient(CTessaryCtrl& ctrl) : ctrl_(ctrl) {}
    void OnCreate() override { ctrl_.OnCreate(); }
    void OnDestroy() override {
        destroyed = true;
        ctrl_.OnDestroy();
    }
    void OnSize(int cx, int cy) override {
        sizes.push_back(cx * 10000 + cy);
        ctrl_.OnSize(cx, cy);
    }
    void OnTimer(unsigned id) override { ctrl_.OnTimer(id); }
    bool OnEraseBackground() override { return ctrl_.OnEraseBackground(); }
    void OnClose() override {
        closed = true;
        ctrl_.OnClose();
    }
    void OnPaint(const ScreenRect& invalid) override {
        ctrl_.OnPaint(invalid);
        times.push_back(std::chrono::steady_clock::now());
        if (ctrl_.FramesDrawn() == 10) host->ResizeWindow(150, 90);
        if (ctrl_.FramesDrawn() == 25) {
            ctrl_.ReadFramePixels(afterResize);
            host->Quit();
        }
    }
    CTessaryCtrl& ctrl_;
    X11GlxHost* host = nullptr;
    std::vector<std::chrono::steady_clock::time_point> times;
    std::vector<int> sizes;
    RgbaImage afterResize;
    bool closed = false, destroyed = false;
};

TEST_F(PlayerWindow, DrawsAtTheTargetRateResizesAndClosesCleanly) {
    CTessaryCtrl ctrl;
    ctrl.SetUseContainerBackground(false);
    ctrl.SetBackgroundColor(0xFF00FF);
    ScriptedClient client(ctrl);
    X11HostOptions options;
    options.width = 100;
    options.height = 60;
    options.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    auto host = X11GlxHost::Create(client, options, &error);
    ASSERT_NE(host, nullptr) << error;
    client.host = host.get();
    host->Run();
    ASSERT_GE(client.times.size(), 25u);
    // Steady frames come about every 33 ms: never faster, and not much slower even on a busy
    // machine (the pacing figures themselves come from the benchmark).
    const double seconds =
        std::chrono::duration<double>(client.times.back() - client.times[client.times.size() - 10]).count();
    EXPECT_GT(seconds / 9.0, 0.025);
    EXPECT_LT(seconds / 9.0, 0.250);
    EXPECT_EQ(client.sizes.back(), 150 * 10000 + 90);
    ASSERT_EQ(client.afterResize.width, 150);
    ASSERT_EQ(client.afterResize.height, 90);
    const std::uint8_t* p = client.afterResize.At(149, 89);
    EXPECT_TRUE(p[0] == 255 && p[1] == 0 && p[2] == 255);
    host->Close();
    EXPECT_TRUE(client.closed);
    EXPECT_TRUE(client.destroyed);
    EXPECT_EQ(ctrl.TimerId(), 0u);
    ctrl.AttachHost(nullptr);
}

}  // namespace
}  // namespace vessant
