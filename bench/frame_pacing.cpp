// Frame pacing in a real X window: mean frame interval against 1000/TargetFrameRate, the 95th
// percentile deviation of single intervals, and CPU time per wall second (no busy loop), beside a
// minimal GLX program that sleeps to absolute deadlines and swaps a 64 x 64 window at the same
// rate in the same X server. Needs DISPLAY (Xvfb is fine). Argument: seconds per measurement.

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
        const auto begun = Clock::now();
        ctrl_.OnPaint(invalid);
        const auto now = Clock::now();
        drawing_.push_back(std::chrono::duration<double, std::milli>(now - begun).count());
        if (frames_.empty()) start_ = now;
        frames_.push_back(std::chrono::duration<double, std::milli>(now - start_).count());
        if (now - start_ > std::chrono::duration<double>(seconds_) && host_) host_->Quit();
    }
    X11GlxHost* host_ = nullptr;
    std::vector<double> frames_;
    std::vector<double> drawing_;  // how long each paint took (ms)

private:
    CTessaryCtrl& ctrl_;
    double seconds_;
    Clock::time_point start_;
};

struct Figures {
    bool ok = false;
    std::size_t frames = 0;
    double mean = 0, p95 = 0, cpuPercent = 0;
    double drawingMedian = -1, drawingP95 = -1;  // the player's paints, when measured
};

// Intervals between frame times (ms), leaving out the first half second: it includes mapping the
// window and the driver compiling what the first frames draw, for both programs alike.
Figures Summarise(const std::vector<double>& frames, unsigned rate, double cpu, double wall) {
    Figures f;
    std::vector<double> intervals;
    for (size_t i = 1; i < frames.size(); ++i) {
        if (frames[i - 1] - frames.front() >= 500.0) intervals.push_back(frames[i] - frames[i - 1]);
    }
    if (intervals.size() < 10 || wall <= 0) return f;
    for (double d : intervals) f.mean += d;
    f.mean /= intervals.size();
    const double target = 1000.0 / rate;
    std::vector<double> deviation;
    for (double d : intervals) deviation.push_back(std::fabs(d - target));
    std::sort(deviation.begin(), deviation.end());
    f.p95 = deviation[static_cast<size_t>(deviation.size() * 0.95)];
    f.frames = intervals.size();
    f.cpuPercent = 100.0 * cpu / wall;
    f.ok = true;
    return f;
}

Figures MeasurePlayer(unsigned rate, int size, double seconds) {
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
        return Figures();
    }
    client.host_ = host.get();
    const double cpu0 = CpuSeconds();
    const auto wall0 = Clock::now();
    host->Run();
    const double wall = std::chrono::duration<double>(Clock::now() - wall0).count();
    const double cpu = CpuSeconds() - cpu0;
    host.reset();
    ctrl.AttachHost(nullptr);
    Figures f = Summarise(client.frames_, rate, cpu, wall);
    std::vector<double> drawing = client.drawing_;
    std::sort(drawing.begin(), drawing.end());
    if (!drawing.empty()) {
        f.drawingMedian = drawing[drawing.size() / 2];
        f.drawingP95 = drawing[drawing.size() * 95 / 100];
    }
    return f;
}

// The minimal GLX program sleeping to absolute deadlines, a process of its own: started here, its
// figures read once it ends.
FILE* StartBaseline(unsigned rate, double seconds) {
    const std::string command = std::string(VESSANT_BINARY_DIR) + "/bench/bench_baseline_glx_deadline_swap " +
                                std::to_string(rate) + " " + std::to_string(seconds);
    return popen(command.c_str(), "r");
}

Figures FinishBaseline(FILE* pipe, unsigned rate) {
    if (!pipe) return Figures();
    double cpu = 0, wall = 0, t = 0;
    std::vector<double> frames;
    const bool header = std::fscanf(pipe, "cpu %lf wall %lf", &cpu, &wall) == 2;
    while (header && std::fscanf(pipe, "%lf", &t) == 1) frames.push_back(t);
    if (pclose(pipe) != 0 || !header) return Figures();
    return Summarise(frames, rate, cpu, wall);
}

void Print(const char* who, unsigned rate, int size, const Figures& f) {
    if (!f.ok) {
        std::printf("%-8s %3u fps %3dx%-3d: no figures\n", who, rate, size, size);
        return;
    }
    const double target = 1000.0 / rate;
    std::printf("%-8s %3u fps %3dx%-3d: %4zu intervals, mean %6.2f ms (target %.2f, ratio %.4f), "
                "p95 deviation %5.2f ms, CPU %4.1f%% of one core",
                who, rate, size, size, f.frames, f.mean, target, f.mean / target, f.p95, f.cpuPercent);
    // A frame's time is taken when its paint returns: the paint's own spread adds to the deviation.
    if (f.drawingMedian >= 0) std::printf("; paint median %.2f ms, p95 %.2f ms", f.drawingMedian, f.drawingP95);
    std::printf("\n");
}

// Both run at the same time at each rate, so they meet the same load on a shared machine (each
// needs about a hundredth of a core); the targets are checked against the baseline of the run.
bool Compare(unsigned rate, double seconds) {
    FILE* minimal = StartBaseline(rate, seconds);
    const Figures player = MeasurePlayer(rate, 64, seconds);
    const Figures baseline = FinishBaseline(minimal, rate);
    Print("minimal", rate, 64, baseline);
    Print("player", rate, 64, player);
    if (!baseline.ok || !player.ok) return false;
    const double target = 1000.0 / rate;
    const bool meanOk = std::fabs(player.mean / target - 1.0) <= 0.01;
    const double p95Ratio = player.p95 / std::max(baseline.p95, 1e-9);
    std::printf("         %3u fps: mean within 1%%: %s; p95 %.2f ms <= 2 ms: %s; p95 ratio to minimal %.2f <= 1.5: %s",
                rate, meanOk ? "yes" : "NO", player.p95, player.p95 <= 2.0 ? "yes" : "NO", p95Ratio,
                p95Ratio <= 1.5 ? "yes" : "NO");
    if (rate == 30)
        std::printf("; CPU %.2f%% <= 1.5%%: %s", player.cpuPercent, player.cpuPercent <= 1.5 ? "yes" : "NO");
    std::printf("\n");
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
    bool ok = Compare(30, seconds);
    ok = Compare(60, seconds) && ok;
    const Figures large = MeasurePlayer(30, 400, seconds);
    Print("player", 30, 400, large);
    return ok && large.ok ? 0 : 1;
}
