// Frame time with DrawBackground false at 400 x 400: the container's pixels under the control are
// drawn behind every frame. A paint of the whole window copies and converts the whole background
// (what every frame cost when each paint recaptured the full bounds); the frame timer's paint
// invalidates one pixel, so only that pixel is copied again. Both are timed in turn in one
// headless control and the medians compared.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "platform/egl_headless_host.h"

using namespace vessant;

int main(int argc, char** argv) {
    orvan::SetErrorDialogsSuppressed(true);
    const int frames = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    constexpr int kSize = 400;
    CTessaryCtrl ctrl;
    HeadlessOptions options;
    options.width = options.height = kSize;
    options.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    auto host = EglHeadlessHost::Create(ctrl, options, &error);
    if (!host) {
        std::printf("background_capture: %s, nothing measured\n", error.c_str());
        return 0;
    }
    RgbaImage background;
    background.width = background.height = kSize;
    background.pixels.resize(static_cast<size_t>(kSize) * kSize * 4);
    for (size_t i = 0; i < background.pixels.size(); ++i) background.pixels[i] = static_cast<std::uint8_t>(i * 7);
    host->SetBackgroundImage(background);
    ctrl.SetDrawBackground(false);
    ctrl.SetTargetFrameRate(0);  // paints come only from here

    const auto paint = [&](const ScreenRect& rect) {
        return bench::Milliseconds([&] {
            host->InvalidateRect(rect, true);
            host->UpdateNow();
        });
    };
    const ScreenRect whole{0, 0, kSize, kSize}, pixel{0, 0, 1, 1};
    for (int i = 0; i < 10; ++i) paint(whole), paint(pixel);
    std::vector<double> wholeTimes, pixelTimes;
    for (int i = 0; i < frames; ++i) {
        wholeTimes.push_back(paint(whole));
        pixelTimes.push_back(paint(pixel));
    }
    const double w = bench::Median(wholeTimes), p = bench::Median(pixelTimes);
    std::printf("DrawBackground false, %dx%d, %d frames each, median frame time: whole window invalid %.3f ms, "
                "timer's one-pixel request %.3f ms, ratio %.3f\n",
                kSize, kSize, frames, w, p, p / w);
    host->Close();
    ctrl.AttachHost(nullptr);
    return 0;
}
