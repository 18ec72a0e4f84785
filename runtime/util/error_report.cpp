#include "orvan/error_report.h"

#include <FL/fl_ask.H>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "orvan/log_sink.h"
#include "orvan/orvan_exception.h"

namespace orvan {

namespace {

bool quiet = false;
bool dialogOpen = false;

bool DisplayAvailable() {
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (display != nullptr && display[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

}  // namespace

void SetErrorDialogsSuppressed(bool suppressed) { quiet = suppressed; }

bool ErrorDialogsSuppressed() { return quiet; }

void ShowError(const char* format, ...) {
  static char text[256];
  static char message[256];

  fl_message_font(fl_message_font_, 12);

  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  // "Error: " leaves room for 248 characters of the text within the 255 of the buffer.
  std::snprintf(message, sizeof message, "Error: %.248s", text);

  // Without a display FLTK would end the process, so the message goes to the log sink.
  if (quiet || dialogOpen || !DisplayAvailable()) {
    LogPrintf("%s\n", message);
    return;
  }

  dialogOpen = true;
  try {
    fl_alert("%s", message);
    dialogOpen = false;
  } catch (const char* thrown) {
    dialogOpen = false;
    // The thrown text belongs to the thrower; it is reported, not freed.
    LogPrintf("%s\n", message);
    LogPrintf("Exception occured while displaying error:%s\n", thrown != nullptr ? thrown : "");
  } catch (...) {
    dialogOpen = false;
    LogPrintf("Vessant:\nUnknown exception occured while displaying error:\n%s", message);
    throw;
  }
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
