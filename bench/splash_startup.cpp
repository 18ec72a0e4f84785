// Start to the first splash frame: `vessant-player --headless --snapshot` without a component
// shows the splash display, so from its start to its exit it decodes and uploads the splash
// picture, draws one frame and writes it. The baseline does the least a program can for the same
// picture: the same context, the same compiled-in bytes decoded with libjpeg-turbo and zlib,
// uploaded with glTexImage2D, drawn once, read back and written. Both run in turn; the medians
// and their ratio are printed, of the wall time and of the CPU time (which a busy machine
// disturbs less).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/process_run.h"

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    const std::string bin = VESSANT_BINARY_DIR;
    char scratch[] = "/tmp/vessant-splash-XXXXXX";
    if (!mkdtemp(scratch)) return 1;
    const std::string playerPng = std::string(scratch) + "/player.png", minimalPng = std::string(scratch) + "/minimal.png";
    const std::vector<std::string> player{bin + "/vessant-player", "--headless", "--snapshot", playerPng};
    const std::vector<std::string> minimal{bin + "/bench/bench_baseline_egl_splash", "640", "480", minimalPng};
    const bench::PairedMedians m = bench::MeasureInTurn(player, minimal, runs, "splash_startup");
    if (!m.ok) return 1;
    const double pt = m.player.milliseconds, mt = m.baseline.milliseconds;
    std::printf("first splash frame, headless 640x480, median of %d runs: start to exit: player %.1f ms, "
                "decode-and-upload baseline %.1f ms, ratio %.2f (target <= 1.30)\n",
                runs, pt, mt, pt / mt);
    const double pc = m.player.cpuMilliseconds, mc = m.baseline.cpuMilliseconds;
    std::printf("                                                     CPU time:      player %.1f ms, "
                "decode-and-upload baseline %.1f ms, ratio %.2f\n",
                pc, mc, pc / mc);
    std::remove(playerPng.c_str());
    std::remove(minimalPng.c_str());
    rmdir(scratch);
    return 0;
}
