// Component acquisition throughput: a 50 MB download from a loopback HTTP server into the
// cache against `curl -o`, and unpacking a 50 MB cabinet against `gcab -x`. Prints the rates and
// the ratios (ours / theirs; 1.0 means as fast).
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "control/acquisition/cabinet_extractor.h"
#include "control/acquisition/cache_paths.h"
#include "control/acquisition/remote_source.h"
#include "orvan/log_sink.h"

namespace {

constexpr std::size_t kSize = 50u << 20;
constexpr int kRounds = 7;

double Seconds(const std::function<bool()>& run) {
    const auto start = std::chrono::steady_clock::now();
    if (!run()) return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best times of ours and theirs over kRounds rounds, taken in turn so both meet the same load.
bool BestOfBoth(const std::function<bool()>& ours, const std::function<bool()>& theirs, double* oursBest,
                double* theirsBest) {
    *oursBest = *theirsBest = 1e30;
    for (int i = 0; i < kRounds; ++i) {
        const double a = Seconds(ours), b = Seconds(theirs);
        if (a < 0 || b < 0) return false;
        *oursBest = std::min(*oursBest, a);
        *theirsBest = std::min(*theirsBest, b);
    }
    return true;
}

int FreePort() {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), size);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    close(s);
    return ntohs(address.sin_port);
}

bool Connectable(int port) {
    const int s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    const bool ok = connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(s);
    return ok;
}

// Half random bytes, half repeated text: some of it compresses, some does not.
void WriteSample(const std::string& path) {
    std::vector<char> data(kSize);
    std::mt19937 random(7);
    for (std::size_t i = 0; i < kSize / 2; i += 4) {
        const std::uint32_t value = random();
        std::copy(reinterpret_cast<const char*>(&value), reinterpret_cast<const char*>(&value) + 4, &data[i]);
    }
    const std::string line = "gauge needle 0123456789 instrument panel component\n";
    for (std::size_t i = kSize / 2; i < kSize; ++i) data[i] = line[i % line.size()];
    std::ofstream(path, std::ios::binary).write(data.data(), static_cast<std::streamsize>(data.size()));
}

void Report(const char* what, double ours, double theirs, const char* tool, double target) {
    const double mb = static_cast<double>(kSize) / (1 << 20);
    std::printf("%-9s ours %8.1f MB/s (%.3f s)   %-8s %8.1f MB/s (%.3f s)   ratio %.2f (target >= %.2f)\n", what,
                mb / ours, ours, tool, mb / theirs, theirs, theirs / ours, target);
}

}  // namespace

int main() {
    char name[] = "/tmp/vessant-bench-XXXXXX";
    if (!mkdtemp(name)) return 1;
    const std::string dir = name;
    const std::string served = dir + "/served";
    const std::string scratch = dir + "/scratch";
    if (std::system(("mkdir -p '" + served + "' '" + scratch + "'").c_str()) != 0) return 1;
    WriteSample(served + "/dial.bin");

    const int port = FreePort();
    const pid_t server = fork();
    if (server == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        execlp("python3", "python3", "-m", "http.server", std::to_string(port).c_str(), "--bind", "127.0.0.1",
               "--directory", served.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 200 && !Connectable(port); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));

    const std::string address = "http://127.0.0.1:" + std::to_string(port) + "/dial.bin";
    setenv("TEMP", dir.c_str(), 1);
    vessant::CachePaths paths;
    std::string error;
    if (!vessant::ComputeCachePaths(address, &paths, &error) || !vessant::PrepareCacheDirectories(paths, &error)) {
        std::printf("cache: %s\n", error.c_str());
        return 1;
    }
    std::string progressText;
    const auto ours = [&] {
        const vessant::TransferResult result = vessant::RemoteSource(address).Download(
            paths.downloadPath, [&](std::uint64_t now, std::uint64_t total, const std::string& status) {
                progressText = vessant::RemoteSource::ProgressText(now, total, status);
                return true;
            });
        if (!result.ok()) std::printf("download: %s\n", result.message.c_str());
        return result.ok();
    };
    const std::string curl = "curl -s -f -o '" + scratch + "/dial.bin' '" + address + "'";
    const auto theirs = [&] { return std::system(curl.c_str()) == 0; };
    theirs();  // warm the server and the page cache
    double download = 0, curlTime = 0;
    const bool downloaded = BestOfBoth(ours, theirs, &download, &curlTime);
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    if (downloaded) Report("download", download, curlTime, "curl -o", 0.80);

    const std::string cabinet = dir + "/dial.cab";
    if (std::system(("cd '" + served + "' && gcab -c -z '" + cabinet + "' dial.bin").c_str()) != 0) return 1;
    const std::string unpacked = dir + "/unpacked";
    if (std::system(("mkdir -p '" + unpacked + "'").c_str()) != 0) return 1;
    // The extractor's "Success" line is not part of the figures.
    orvan::SetLogSink([](orvan::LogKind, const std::string&) {});
    const auto extract = [&] { return vessant::CabinetExtractor::Extract(cabinet, paths.componentDir).ok; };
    const std::string gcab = "gcab -x -C '" + unpacked + "' '" + cabinet + "' > /dev/null";
    // Several runs of the comparison: the ratio of each, so its spread shows.
    for (int run = 0; run < 3; ++run) {
        double ourUnpack = 0, gcabTime = 0;
        if (BestOfBoth(extract, [&] { return std::system(gcab.c_str()) == 0; }, &ourUnpack, &gcabTime))
            Report("unpack", ourUnpack, gcabTime, "gcab -x", 0.95);
    }

    if (std::system(("rm -rf '" + dir + "'").c_str()) != 0) return 1;
    return 0;
}
