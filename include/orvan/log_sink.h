#pragma once
// Where the system's diagnostic lines go. Library code never writes to standard output: a host
// whose standard output carries a protocol (the player's JSON lines) must be able to trust it.

#include <functional>
#include <string>

namespace orvan {

// Receives one diagnostic text, normally ending in a newline.
using LogSink = std::function<void(const std::string& text)>;

// Installs the process's sink; an empty sink restores the default, which writes to standard error.
void SetLogSink(LogSink sink);

// Hands text to the sink as it stands.
void LogText(const std::string& text);

// printf-style; the text is cut at 64 KiB.
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orvan
