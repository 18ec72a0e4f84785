#pragma once
// Timing whole programs: the start-up benchmarks run the player and their baseline in turn.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"

namespace bench {

struct ProcessRun {
    bool ok = false;
    double milliseconds = 0;
    double cpuMilliseconds = 0;  // user and system time of the program and its threads
    double peakMiB = 0;
};

// Runs the program with its output discarded; wall time from fork to exit, CPU time and the peak RSS.
inline ProcessRun MeasureProcess(const std::vector<std::string>& argv) {
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
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return ProcessRun();
    ProcessRun run;
    run.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.cpuMilliseconds = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
                          (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
    run.peakMiB = usage.ru_maxrss / 1024.0;
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

// Medians of the player's and the baseline's runs, taken in turn after one warm-up start each.
struct PairedMedians {
    bool ok = false;
    ProcessRun player, baseline;  // the fields hold medians
};

inline PairedMedians MeasureInTurn(const std::vector<std::string>& player, const std::vector<std::string>& baseline,
                                   int runs, const char* name) {
    MeasureProcess(player);  // the first start pays for the page cache
    MeasureProcess(baseline);
    std::vector<ProcessRun> p, b;
    for (int i = 0; i < runs; ++i) {
        p.push_back(MeasureProcess(player));
        b.push_back(MeasureProcess(baseline));
        if (!p.back().ok || !b.back().ok) {
            std::printf("%s: %s failed\n", name, p.back().ok ? "the baseline program" : "vessant-player");
            return PairedMedians();
        }
    }
    const auto median = [](const std::vector<ProcessRun>& runs) {
        std::vector<double> ms, cpu, mib;
        for (const ProcessRun& r : runs) ms.push_back(r.milliseconds), cpu.push_back(r.cpuMilliseconds), mib.push_back(r.peakMiB);
        ProcessRun m;
        m.ok = true;
        m.milliseconds = Median(ms);
        m.cpuMilliseconds = Median(cpu);
        m.peakMiB = Median(mib);
        return m;
    };
    return PairedMedians{true, median(p), median(b)};
}

}  // namespace bench
