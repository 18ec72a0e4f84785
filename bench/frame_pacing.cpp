// Frame pacing in a real X window: mean frame interval against 1000/TargetFrameRate, the 95th
// percentile deviation, and CPU time per wall second (no busy loop). Needs DISPLAY (Xvfb is fine).

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "platform/x11_glx_host.h"

using namespace vessant;
using Clock = std::chrono::steady_clock;

namespace {

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// Records when each frame was drawn and quits after the given wall time.
class PacingClient : public HostClient {
public:
    PacingClient(CTessaryCtrl& ctrl, double seconds) : ctrl_(ctrl), seconds_(seconds) {}
    void OnCreate() override { ctrl_.OnCreate(); }
    void OnDestroy() override { ctrl_.OnDestroy(); }
    void OnSize(int cx, int cy) override { ctrl_.OnSize(cx, cy); }
    void OnTimer(unsigned id) override { ctrl_.OnTimer(id); }
    bool OnEraseBackground() override { return ctrl_.OnEraseBackground(); }
    void OnClose() override { ctrl_.OnClose(); }
    void OnPaint(const ScreenRect& invalid) override {
        ctrl_.OnPaint(invalid);
        const auto now = Clock::now();
        if (frames_.empty()) start_ = now;
        frames_.push_back(std::chrono::duration<double, std::milli>(now - start_).count());
        if (now - start_ > std::chrono::duration<double>(seconds_) && host_) host_->Quit();
    }
    X11GlxHost* host_ = nullptr;
    std::vector<double> frames_;

private:
    CTessaryCtrl& ctrl_;
    double seconds_;
    Clock::time_point start_;
};

bool Measure(unsigned rate, int size, double seconds) {
    CTessaryCtrl ctrl;
    ctrl.SetTargetFrameRate(rate);
    ctrl.SetUseContainerBackground(false);
    ctrl.SetBackgroundColor(0x204060);
    PacingClient client(ctrl, seconds);
    X11HostOptions options;
    options.width = size;
    options.height = size;
    options.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    auto host = X11GlxHost::Create(client, options, &error);
    if (!host) {
        std::fprintf(stderr, "bench_frame_pacing: %s\n", error.c_str());
        return false;
    }
    client.host_ = host.get();
    const double cpu0 = CpuSeconds();
    const auto wall0 = Clock::now();
    host->Run();
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    const double cpu = CpuSeconds() - cpu0;
    host.reset();
    ctrl.AttachHost(nullptr);

    // The first frames include window mapping; measure the steady part.
    std::vector<double> intervals;
    for (size_t i = 3; i < client.frames_.size(); ++i) intervals.push_back(client.frames_[i] - client.frames_[i - 1]);
    if (intervals.size() < 10) {
        std::printf("rate %u: only %zu frames\n", rate, client.frames_.size());
        return false;
    }
    double mean = 0;
    for (double d : intervals) mean += d;
    mean /= intervals.size();
    const double target = 1000.0 / rate;
    std::vector<double> deviation;
    for (double d : intervals) deviation.push_back(std::fabs(d - target));
    std::sort(deviation.begin(), deviation.end());
    const double p95 = deviation[static_cast<size_t>(deviation.size() * 0.95)];
    std::printf("TargetFrameRate %3u, %dx%d: %zu frames, mean interval %.2f ms (target %.2f, ratio %.3f), "
                "p95 deviation %.2f ms, CPU %.1f%% of one core\n",
                rate, size, size, intervals.size(), mean, target, mean / target, p95, 100.0 * cpu / wall);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    orvan::SetErrorDialogsSuppressed(true);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 4.0;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_frame_pacing: needs an X display (set DISPLAY; Xvfb is enough)\n");
        return 1;
    }
    bool ok = Measure(30, 64, seconds);
    ok = Measure(60, 64, seconds) && ok;
    ok = Measure(30, 400, seconds) && ok;
    return ok ? 0 : 1;
}
