#include "player/error_alert.h"

#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>

namespace vessant {
namespace {

bool alertOpen = false;

void WriteToStandardError(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

// Without a display FLTK would end the process.
bool DisplayAvailable() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (display != nullptr && display[0] != '\0') || (wayland != nullptr && wayland[0] != '\0');
}

}  // namespace

void AlertingLogSink(orvan::LogKind kind, const std::string& text) {
    if (kind != orvan::LogKind::kErrorReport || alertOpen || !DisplayAvailable()) {
        WriteToStandardError(text);
        return;
    }
    // The box shows the report without its line end.
    std::string message = text;
    if (!message.empty() && message.back() == '\n') message.pop_back();

    fl_message_font(fl_message_font_, 12);
    alertOpen = true;
    try {
        fl_alert("%s", message.c_str());
        alertOpen = false;
    } catch (const char* thrown) {
        alertOpen = false;
        // The thrown text belongs to the thrower; it is reported, not freed.
        WriteToStandardError(text);
        WriteToStandardError(std::string("Exception occured while displaying error:") +
                             (thrown != nullptr ? thrown : "") + "\n");
    } catch (...) {
        alertOpen = false;
        WriteToStandardError("Vessant:\nUnknown exception occured while displaying error:\n" + message);
        throw;
    }
}

}  // namespace vessant
