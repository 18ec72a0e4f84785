#pragma once
// Helpers of the acquisition tests: scratch directories, files, and the loopback HTTP server.

#include <fcntl.h>
#include <ftw.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "support/run_command.h"

namespace vessant::test {

inline std::string AcquisitionData(const std::string& name) {
    return std::string(VESSANT_SOURCE_DIR) + "/tests/data/acquisition/" + name;
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool Exists(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Number of entries in a directory (hidden ones included).
inline int CountEntries(const std::string& directory) {
    return std::atoi(RunCommand("ls -A '" + directory + "' | wc -l").output.c_str());
}

// A fresh directory under /tmp, removed with its contents at the end.
class ScratchDir {
public:
    ScratchDir() {
        char name[] = "/tmp/vessant-acq-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~ScratchDir() {
        nftw(path_.c_str(), [](const char* p, const struct stat*, int, FTW*) { return remove(p); }, 16,
             FTW_DEPTH | FTW_PHYS);
    }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

// python3's http.server on 127.0.0.1 at a free port, serving a directory; every request is
// appended to a log as "METHOD PATH". Stopped (by its process id) when the object goes.
class LoopbackServer {
public:
    explicit LoopbackServer(const std::string& root) : root_(root), logs_() {
        const std::string portFile = logs_ / "port";
        log_ = logs_ / "requests.log";
        pid_ = fork();
        if (pid_ == 0) {
            const std::string script = AcquisitionData("http_server.py");
            execlp("python3", "python3", script.c_str(), "--root", root.c_str(), "--port-file", portFile.c_str(),
                   "--log", log_.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 200 && port_ == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            port_ = std::atoi(ReadText(portFile).c_str());
        }
    }
    ~LoopbackServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    bool Running() const { return port_ != 0; }
    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    std::string Requests() const { return ReadText(log_); }
    void ClearRequests() const { WriteText(log_, ""); }

private:
    std::string root_;
    ScratchDir logs_;
    std::string log_;
    pid_t pid_ = -1;
    int port_ = 0;
};

// Runs a command; a failure is reported on the calling test (usable in any function).
#define ACQ_RUN(command)                                                  \
    do {                                                                  \
        const auto result_ = ::vessant::test::RunCommand(command);        \
        EXPECT_EQ(result_.status, 0) << (command) << "\n" << result_.output; \
    } while (0)

}  // namespace vessant::test
