#include "player/script_input.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vessant {

ScriptInput::ScriptInput(std::function<bool(const std::string&)> onLine, std::function<void()> onOverlong,
                         std::size_t maxLine)
    : onLine_(std::move(onLine)), onOverlong_(std::move(onOverlong)), maxLine_(maxLine) {}

bool ScriptInput::Line() {
    std::string line;
    line.swap(pending_);
    if (!onLine_(line)) stopped_ = true;
    return !stopped_;
}

bool ScriptInput::Feed(const char* data, std::size_t size) {
    while (size > 0 && !stopped_) {
        const char* newline = static_cast<const char*>(std::memchr(data, '\n', size));
        const std::size_t take = newline ? static_cast<std::size_t>(newline - data) : size;
        if (!skipping_) {
            if (pending_.size() + take > maxLine_) {
                pending_.clear();
                pending_.shrink_to_fit();
                skipping_ = true;
                onOverlong_();
            } else {
                pending_.append(data, take);
            }
        }
        if (!newline) break;
        data += take + 1;
        size -= take + 1;
        if (skipping_)
            skipping_ = false;
        else
            Line();
    }
    return !stopped_;
}

bool ScriptInput::Finish() {
    if (stopped_) return false;
    if (skipping_ || pending_.empty()) return true;
    return Line();
}

bool ScriptInput::ReadOnce(int fd) {
    char buffer[65536];
    ssize_t n;
    do {
        n = ::read(fd, buffer, sizeof buffer);
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
        Finish();
        return false;
    }
    return Feed(buffer, static_cast<std::size_t>(n));
}

bool ScriptInput::ReadAll(int fd) {
    while (ReadOnce(fd)) {
    }
    return !stopped_;
}

}  // namespace vessant
