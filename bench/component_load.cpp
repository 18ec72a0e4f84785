// Time from setting ComponentFileName to the first frame that draws the component: a local
// library copied into the per-user cache, a local cabinet unpacked, and the same cabinet again
// with its cached copy up to date (no unpacking).

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "control/tessary_ctrl.h"
#include "orvan/error_report.h"
#include "platform/egl_headless_host.h"

using namespace vessant;
using Clock = std::chrono::steady_clock;

namespace {

// Milliseconds from naming the component to its first frame, in a fresh control.
double LoadToFirstFrame(const std::string& component, bool* ok) {
    CTessaryCtrl ctrl;
    HeadlessOptions options;
    options.width = 200;
    options.height = 200;
    options.attach = [&ctrl](WindowHost& host) { ctrl.AttachHost(&host); };
    std::string error;
    auto host = EglHeadlessHost::Create(ctrl, options, &error);
    if (!host) {
        std::fprintf(stderr, "bench_component_load: %s\n", error.c_str());
        *ok = false;
        return 0;
    }
    host->Invalidate(true);
    host->UpdateNow();
    const unsigned before = ctrl.FramesDrawn();
    const auto t0 = Clock::now();
    ctrl.SetComponentFileName(component);
    host->Invalidate(true);
    host->UpdateNow();
    const auto t1 = Clock::now();
    *ok = ctrl.Wrapper() != nullptr && ctrl.FramesDrawn() > before;
    if (!*ok) std::fprintf(stderr, "bench_component_load: %s\n", ctrl.SplashMessage().c_str());
    host->Close();
    ctrl.AttachHost(nullptr);
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}


}  // namespace

int main() {
    orvan::SetErrorDialogsSuppressed(true);
    char cache[] = "/tmp/vessant_bench_cacheXXXXXX";
    if (!mkdtemp(cache)) return 1;
    setenv("TEMP", cache, 1);
    const std::string library = std::string(VESSANT_BINARY_DIR) + "/samples/libinstrument.so";
    const std::string work = std::string(cache) + "/work";
    const std::string cabinet = work + "/instrument.cab";
    const std::string setup = "mkdir -p '" + work + "' && cp '" + library + "' '" + work + "/instrument.so' && cd '" +
                              work + "' && gcab -c -z instrument.cab instrument.so";
    if (access(library.c_str(), R_OK) != 0 || std::system(setup.c_str()) != 0) {
        std::fprintf(stderr, "bench_component_load: needs %s and gcab\n", library.c_str());
        return 1;
    }
    std::freopen("/dev/null", "w", stdout);  // the loader's diagnostic lines
    bool ok = true;
    std::vector<double> plain, cold, cached;
    for (int i = 0; i < 15 && ok; ++i) plain.push_back(LoadToFirstFrame(library, &ok));
    for (int i = 0; i < 15 && ok; ++i) {
        std::system(("rm -rf '" + std::string(cache) + "/Vessant Temporary Files'").c_str());
        cold.push_back(LoadToFirstFrame(cabinet, &ok));
        cached.push_back(LoadToFirstFrame(cabinet, &ok));
    }
    std::system(("rm -rf '" + std::string(cache) + "'").c_str());
    if (!ok) return 1;
    std::fprintf(stderr,
                 "LoadComponent to first frame (median of 15): local library %.2f ms, local cabinet unpacked %.2f ms, "
                 "cabinet with an up-to-date cache %.2f ms (cached/unpacked %.2f)\n",
                 bench::Median(plain), bench::Median(cold), bench::Median(cached), bench::Median(cached) / bench::Median(cold));
    return 0;
}
