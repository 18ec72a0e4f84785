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
    const bench::PairedMedians m = bench::MeasureInTurn(player, minimal, runs, "startup");
    if (!m.ok) return 1;
    const double pt = m.player.milliseconds, mt = m.baseline.milliseconds;
    const double pm = m.player.peakMiB, mm = m.baseline.peakMiB;
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
