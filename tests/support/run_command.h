#pragma once
// Runs a command through the shell for tests of the player program.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

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

inline std::string PlayerPath() { return std::string(VESSANT_BINARY_DIR) + "/vessant-player"; }

}  // namespace vessant::test
