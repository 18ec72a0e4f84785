#pragma once
// Where the system's diagnostic lines and error reports go. Library code never writes to standard
// output: a host whose standard output carries a protocol (the player's JSON lines) must be able
// to trust it. Nor does it show anything itself: the host's sink decides how a person sees an
// error report, so the runtime a component library carries needs no toolkit.

#include <functional>
#include <string>

namespace orvan {

// What a text is for. A diagnostic is for whoever reads the log; an error report (ShowError while
// dialogs are not suppressed) is meant for the person using the program, and a host with a
// display may show it in an alert box.
enum class LogKind { kDiagnostic, kErrorReport };

// Receives one text, normally ending in a newline, with what it is for.
using LogSink = std::function<void(LogKind kind, const std::string& text)>;

// Installs the process's sink; an empty sink restores the default, which writes every kind to
// standard error. A component library's copy of the runtime only ever has the default.
void SetLogSink(LogSink sink);

// Hands text to the sink as it stands.
void LogText(const std::string& text, LogKind kind = LogKind::kDiagnostic);

// printf-style, a diagnostic; the text is cut at 64 KiB.
void LogPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace orvan
