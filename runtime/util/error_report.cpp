#include "orvan/error_report.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "orvan/log_sink.h"
#include "orvan/orvan_exception.h"

namespace orvan {

namespace {

bool quiet = false;

}  // namespace

void SetErrorDialogsSuppressed(bool suppressed) { quiet = suppressed; }

bool ErrorDialogsSuppressed() { return quiet; }

void ShowError(const char* format, ...) {
  static char text[256];
  static char message[256];

  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  // "Error: " leaves room for 248 characters of the text within the 255 of the buffer.
  std::snprintf(message, sizeof message, "Error: %.248s", text);

  LogText(std::string(message) + "\n", quiet ? LogKind::kDiagnostic : LogKind::kErrorReport);
}

void ReportAssertion(const char* expression, const char* file, unsigned int line) {
  std::string text = "Vessant Assertion Failure:\n";
  text += expression != nullptr ? expression : "";
  text += "\n";
  text += file != nullptr ? file : "";
  text += " (";
  text += std::to_string(line);
  text += ")\n";
  LogText(text);
  throw OrvanException(text.c_str());
}

}  // namespace orvan
