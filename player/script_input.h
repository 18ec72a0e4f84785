#pragma once
// Splits the bytes of the script's standard input into command lines, each at most a bounded
// length: a longer line is reported once and skipped up to its end, and reading goes on.

#include <cstddef>
#include <functional>
#include <string>

namespace vessant {

class ScriptInput {
public:
    static constexpr std::size_t kMaxLine = 16u << 20;

    // onLine runs one command and returns false to stop (quit); onOverlong reports a skipped line.
    ScriptInput(std::function<bool(const std::string&)> onLine, std::function<void()> onOverlong,
                std::size_t maxLine = kMaxLine);

    // Feeds bytes; false once a command asked to stop.
    bool Feed(const char* data, std::size_t size);
    // The input ended: a last line without its newline still runs. False when it asked to stop.
    bool Finish();

    // Reads a descriptor until it ends or a command stops; false when a command stopped.
    bool ReadAll(int fd);
    // Reads what one read() gives; false when the input ended or a command stopped.
    bool ReadOnce(int fd);

private:
    bool Line();

    std::function<bool(const std::string&)> onLine_;
    std::function<void()> onOverlong_;
    std::size_t maxLine_;
    std::string pending_;
    bool skipping_ = false;  // inside an over-long line, until its newline
    bool stopped_ = false;
};

}  // namespace vessant
