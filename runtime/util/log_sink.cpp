#include "orvan/log_sink.h"

#include <cstdarg>
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace orvan {
namespace {

std::mutex& SinkMutex() {
  static std::mutex mutex;
  return mutex;
}

LogSink& Sink() {
  static LogSink sink;
  return sink;
}

}  // namespace

void SetLogSink(LogSink sink) {
  std::lock_guard<std::mutex> lock(SinkMutex());
  Sink() = std::move(sink);
}

void LogText(const std::string& text, LogKind kind) {
  // A copy, so a sink may log or replace itself without deadlocking.
  LogSink sink;
  {
    std::lock_guard<std::mutex> lock(SinkMutex());
    sink = Sink();
  }
  if (sink) {
    sink(kind, text);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

void LogPrintf(const char* format, ...) {
  std::vector<char> buffer(1024);
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  const int needed = std::vsnprintf(buffer.data(), buffer.size(), format, args);
  va_end(args);
  if (needed >= static_cast<int>(buffer.size())) {
    buffer.resize(std::min<std::size_t>(static_cast<std::size_t>(needed) + 1, 65536));
    std::vsnprintf(buffer.data(), buffer.size(), format, again);
  }
  va_end(again);
  if (needed < 0) return;
  LogText(buffer.data());
}

}  // namespace orvan
