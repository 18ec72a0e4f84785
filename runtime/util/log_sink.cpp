#include "orvan/log_sink.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

namespace orvan {

static std::mutex sinkMutex;
static LogSink sink;

void SetLogSink(LogSink newSink) {
  std::lock_guard<std::mutex> lock(sinkMutex);
  sink = std::move(newSink);
}

void LogText(const std::string& text) {
  LogSink current;
  {
    std::lock_guard<std::mutex> lock(sinkMutex);
    current = sink;
  }
  if (current) {
    current(text);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void LogPrintf(const char* format, ...) {
  std::vector<char> buffer(1024);
  for (;;) {
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    va_end(args);
    if (length < 0) return;
    if (static_cast<std::size_t>(length) < buffer.size() || buffer.size() >= 65536) break;
    buffer.resize(std::min<std::size_t>(static_cast<std::size_t>(length) + 1, 65536));
  }
  LogText(std::string(buffer.data()));
}

}  // namespace orvan
