#pragma once

namespace orvan {

// Reports a user-visible error "Error: " + the formatted text (at most 255 characters) in a
// modal alert box, or through the log sink (orvan/log_sink.h) when dialogs are suppressed, when another error
// dialog is already open, or when there is no display to show one on.
void ShowError(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes "Vessant Assertion Failure:" with the expression, file and line to standard error and
// throws an OrvanException carrying that text.
[[noreturn]] void ReportAssertion(const char* expression, const char* file, unsigned int line);

// The process-wide quiet flag of ShowError: hosts without a user (tests, the headless host) set it.
void SetErrorDialogsSuppressed(bool suppressed);
bool ErrorDialogsSuppressed();

}  // namespace orvan

#define ORVAN_ASSERT(expr) \
  ((expr) ? static_cast<void>(0) : ::orvan::ReportAssertion(#expr, __FILE__, __LINE__))
