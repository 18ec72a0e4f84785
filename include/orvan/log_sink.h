#pragma once

#include <functional>
#include <string>

namespace orvan {

// Where the runtime's diagnostic lines go: one process-wide sink, standard error by default.
using LogSink = std::function<void(const std::string&)>;

// Replaces the sink; an empty sink restores standard error.
void SetLogSink(LogSink sink);
// Hands text to the sink as it is (callers end their lines themselves).
void LogText(const std::string& text);
// LogText of a printf-style text.
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orvan
