#pragma once
// Runs a command through the shell for tests of the player program.

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace vessant::test {

struct CommandResult {
    int status = -1;     // exit status, or -1 when it did not exit normally
    std::string output;  // standard output and standard error together
};

inline CommandResult RunCommand(const std::string& command) {
    CommandResult result;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    const int status = pclose(pipe);
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    return result;
}

struct SplitResult {
    int status = -1;
    std::string out;  // standard output alone
    std::string err;  // standard error alone
};

// Runs a command with its standard output and standard error kept apart.
inline SplitResult RunCommandSplit(const std::string& command) {
    char name[] = "/tmp/vessant-stderr-XXXXXX";
    const int fd = mkstemp(name);
    SplitResult result;
    if (fd < 0) return result;
    close(fd);
    FILE* pipe = popen((command + " 2>" + name).c_str(), "r");
    if (pipe) {
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
        const int status = pclose(pipe);
        if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
    }
    if (FILE* err = fopen(name, "rb")) {
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), err)) > 0) result.err.append(buffer.data(), n);
        fclose(err);
    }
    unlink(name);
    return result;
}

inline std::string PlayerPath() { return std::string(VESSANT_BINARY_DIR) + "/vessant-player"; }
// Libraries of the build the tests load: the contract probe fixture and the samples, e.g. "instrument".
inline std::string Probe() { return std::string(VESSANT_BINARY_DIR) + "/tests/fixtures/libkesh_contract_probe.so"; }
inline std::string SampleLibrary(const std::string& name) {
    return std::string(VESSANT_BINARY_DIR) + "/samples/lib" + name + ".so";
}
inline std::string Instrument() { return SampleLibrary("instrument"); }

// The lines of a text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

}  // namespace vessant::test
