// Start-up and memory: start to exit of `vessant-player --headless --snapshot` on the sample
// component, and its peak resident memory, against a minimal EGL program that makes the same
// kind of context, clears, reads the pixels back and writes the PNG with libpng. Both run in
// turn, several times; the medians and their ratios are printed.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/process_run.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    const std::string bin = VESSANT_BINARY_DIR;
    char scratch[] = "/tmp/vessant-startup-XXXXXX";
    if (!mkdtemp(scratch)) return 1;
    const std::vector<std::string> player{bin + "/vessant-player", "--headless", "--snapshot",
                                          std::string(scratch) + "/player.png", bin + "/samples/libinstrument.so"};
    const std::vector<std::string> minimal{bin + "/bench/bench_baseline_egl_snapshot", "640", "480",
                                           std::string(scratch) + "/minimal.png"};
    bench::MeasureProcess(player);  // the first start pays for the page cache
    bench::MeasureProcess(minimal);
    std::vector<double> playerTime, playerMemory, minimalTime, minimalMemory;
    for (int i = 0; i < runs; ++i) {
        const bench::ProcessRun p = bench::MeasureProcess(player), m = bench::MeasureProcess(minimal);
        if (!p.ok || !m.ok) {
            std::printf("startup: %s failed\n", p.ok ? "the minimal program" : "vessant-player");
            return 1;
        }
        playerTime.push_back(p.milliseconds);
        playerMemory.push_back(p.peakMiB);
        minimalTime.push_back(m.milliseconds);
        minimalMemory.push_back(m.peakMiB);
    }
    const double pt = bench::Median(playerTime), mt = bench::Median(minimalTime);
    const double pm = bench::Median(playerMemory), mm = bench::Median(minimalMemory);
    std::printf("headless snapshot 640x480, median of %d runs: start to exit: player %.1f ms, minimal EGL program "
                "%.1f ms, ratio %.2f (target <= 1.30)\n",
                runs, pt, mt, pt / mt);
    std::printf("                                        peak RSS:      player %.1f MiB, minimal EGL program "
                "%.1f MiB, ratio %.2f (target <= 1.20)\n",
                pm, mm, pm / mm);
    std::remove((std::string(scratch) + "/player.png").c_str());
    std::remove((std::string(scratch) + "/minimal.png").c_str());
    rmdir(scratch);
    return 0;
}
