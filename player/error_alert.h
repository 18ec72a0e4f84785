#pragma once
// The player's log sink: how a person sees the runtime's error reports.

#include <string>

#include "orvan/log_sink.h"

namespace vessant {

// Shows an error report in a modal FLTK alert box while a display is open and no other alert is;
// writes everything else to standard error. Install it with orvan::SetLogSink.
void AlertingLogSink(orvan::LogKind kind, const std::string& text);

}  // namespace vessant
