#pragma once

#include <functional>
#include <string>

namespace orvan {

using LogSink = std::function<void(const std::string&)>;

void SetLogSink(LogSink sink);
void LogText(const std::string& text);
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orvan
