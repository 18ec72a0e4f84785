// Input latency in a real X window with the hand-written component: from an X button press
// (XTest, as xdotool sends it) to the container's ObjectEvent, the part of that spent between
// the control receiving the press and the event reaching the host, and from SetAttrib to the
// first frame that shows the new value. Needs DISPLAY (Xvfb is enough).

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "platform/x11_glx_host.h"

using namespace vessant;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Notes when the control receives each mouse message.
class TimingClient : public HostClient {
public:
    explicit TimingClient(CTessaryCtrl& ctrl) : ctrl_(ctrl) {}
    void OnCreate() override { ctrl_.OnCreate(); }
    void OnDestroy() override { ctrl_.OnDestroy(); }
    void OnSize(int cx, int cy) override { ctrl_.OnSize(cx, cy); }
    void OnPaint(const ScreenRect& invalid) override { ctrl_.OnPaint(invalid); }
    void OnTimer(unsigned id) override { ctrl_.OnTimer(id); }
    bool OnEraseBackground() override { return ctrl_.OnEraseBackground(); }
    void OnClose() override { ctrl_.OnClose(); }
    void OnKey(bool down, unsigned long keysym, unsigned flags) override { ctrl_.OnKey(down, keysym, flags); }
    void OnMouse(MouseMessage m, int x, int y, unsigned flags) override {
        if (m == MouseMessage::LButtonDown || m == MouseMessage::LButtonDblClk) received = Clock::now();
        ctrl_.OnMouse(m, x, y, flags);
    }
    Clock::time_point received;

private:
    CTessaryCtrl& ctrl_;
};

void Report(FILE* out, const char* what, std::vector<double> v, const char* unit) {
    std::sort(v.begin(), v.end());
    std::fprintf(out, "%s: median %.3f %s, 95th percentile %.3f %s (%zu samples)\n", what, v[v.size() / 2], unit,
                v[v.size() * 95 / 100], unit, v.size());
}

}  // namespace

int main(int argc, char** argv) {
    orvan::SetErrorDialogsSuppressed(true);
    const int repetitions = argc > 1 ? std::atoi(argv[1]) : 300;
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench_input_latency: needs an X display (set DISPLAY; Xvfb is enough)\n");
        return 1;
    }
    char cache[] = "/tmp/vessant_latencyXXXXXX";
    if (!mkdtemp(cache)) return 1;
    setenv("TEMP", cache, 1);
    std::freopen("/dev/null", "w", stdout);  // the loader's diagnostic lines
    FILE* out = std::fopen("/dev/stderr", "w");

    CTessaryCtrl ctrl;
    TimingClient client(ctrl);
    X11HostOptions options;
    options.width = 200;
    options.height = 200;
    options.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    auto host = X11GlxHost::Create(client, options, &error);
    if (!host) {
        std::fprintf(out, "bench_input_latency: %s\n", error.c_str());
        return 1;
    }
    ctrl.SetComponentFileName(std::string(VESSANT_BINARY_DIR) + "/samples/libhandmade.so");
    if (!ctrl.Wrapper()) {
        std::fprintf(out, "bench_input_latency: %s\n", ctrl.SplashMessage().c_str());
        return 1;
    }
    Clock::time_point eventAt;
    int events = 0;
    ctrl.SetObjectEventSink([&](const std::string&, const std::string&, const std::string&) {
        eventAt = Clock::now();
        ++events;
    });
    auto spin = [&](auto done) {
        const auto end = Clock::now() + std::chrono::seconds(2);
        while (!done() && Clock::now() < end) {
            host->ProcessPending();
            pollfd none{-1, 0, 0};
            poll(&none, 0, 0);
        }
        return done();
    };
    for (int i = 0; i < 20; ++i) spin([&] { return ctrl.FramesDrawn() > 3; });

    Display* display = XOpenDisplay(nullptr);
    Window child;
    int rootX = 0, rootY = 0;
    XTranslateCoordinates(display, host->WindowId(), DefaultRootWindow(display), 80, 120, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display, -1, rootX, rootY, CurrentTime);
    XSync(display, False);

    std::vector<double> pressToEvent, receiveToEvent, framesToShow, attributeToFrame;
    for (int i = 0; i < repetitions; ++i) {
        const int before = events;
        const auto pressed = Clock::now();
        XTestFakeButtonEvent(display, 1, True, CurrentTime);
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XFlush(display);
        if (!spin([&] { return events > before; })) {
            std::fprintf(out, "bench_input_latency: no event for press %d\n", i);
            return 1;
        }
        pressToEvent.push_back(Ms(eventAt - pressed));
        receiveToEvent.push_back(Ms(eventAt - client.received) * 1000.0);

        // Alternate the button's colour and count frames until a frame shows it.
        const bool red = i % 2 == 0;
        const unsigned frame0 = ctrl.FramesDrawn();
        const auto set = Clock::now();
        ctrl.SetAttrib("Color", red ? "255 0 0 255" : "0 0 255 255");
        RgbaImage image;
        const bool shown = spin([&] {
            if (ctrl.FramesDrawn() == frame0) return false;
            ctrl.ReadFramePixels(image);
            const std::uint8_t* p = image.At(80, 120);
            return red ? p[0] > 200 && p[2] < 50 : p[2] > 200 && p[0] < 50;
        });
        if (!shown) {
            std::fprintf(out, "bench_input_latency: attribute never shown\n");
            return 1;
        }
        framesToShow.push_back(ctrl.FramesDrawn() - frame0);
        attributeToFrame.push_back(Ms(Clock::now() - set));
    }
    Report(out, "X button press to container event", pressToEvent, "ms");
    Report(out, "control receiving the press to container event", receiveToEvent, "us");
    Report(out, "frames from SetAttrib until one shows it", framesToShow, "frames");
    Report(out, "SetAttrib to the frame that shows it", attributeToFrame, "ms");
    XCloseDisplay(display);
    host->Close();
    ctrl.AttachHost(nullptr);
    std::system(("rm -rf '" + std::string(cache) + "'").c_str());
    return 0;
}
