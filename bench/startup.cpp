// Start-up and memory: start to exit of `vessant-player --headless --snapshot` on the sample
// component, and its peak resident memory, against a minimal EGL program that makes the same
// kind of context, clears, reads the pixels back and writes the PNG with libpng. Both run in
// turn, several times; the medians and their ratios are printed.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace {

struct Run {
    bool ok = false;
    double milliseconds = 0;
    double peakMiB = 0;
};

// Runs the program with its output discarded; wall time from fork to exit and the peak RSS.
Run Measure(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        if (!freopen("/dev/null", "w", stdout) || !freopen("/dev/null", "w", stderr)) _exit(126);
        execv(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return Run();
    Run run;
    run.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 9;
    const std::string bin = VESSANT_BINARY_DIR;
    char scratch[] = "/tmp/vessant-startup-XXXXXX";
    if (!mkdtemp(scratch)) return 1;
    const std::vector<std::string> player{bin + "/vessant-player", "--headless", "--snapshot",
                                          std::string(scratch) + "/player.png", bin + "/samples/libinstrument.so"};
    const std::vector<std::string> minimal{bin + "/bench/bench_baseline_egl_snapshot", "640", "480",
                                           std::string(scratch) + "/minimal.png"};
    Measure(player);  // the first start pays for the page cache
    Measure(minimal);
    std::vector<double> playerTime, playerMemory, minimalTime, minimalMemory;
    for (int i = 0; i < runs; ++i) {
        const Run p = Measure(player), m = Measure(minimal);
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
