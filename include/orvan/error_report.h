#pragma once

namespace orvan {

// Reports a user-visible error "Error: " + the formatted text (at most 255 characters) and a line
// end to the log sink (orvan/log_sink.h): as an error report meant for a person, which the host's
// sink may show in an alert box, or as a plain diagnostic when dialogs are suppressed.
void ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Hands "Vessant Assertion Failure:" with the expression, file and line to the log sink (by
// default standard error) and throws an OrvanException carrying that text.
[[noreturn]] void ReportAssertion(const char* expression, const char* file, unsigned int line);

// The process-wide quiet flag of ShowError: hosts without a user (tests, the headless host) set it.
void SetErrorDialogsSuppressed(bool suppressed);
bool ErrorDialogsSuppressed();

}  // namespace orvan

#define ORVAN_ASSERT(expr) \
  ((expr) ? static_cast<void>(0) : ::orvan::ReportAssertion(#expr, __FILE__, __LINE__))
