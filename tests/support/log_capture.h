#pragma once
// Collects what the system hands its log sink, in place of standard error, for a test to read.

#include <string>

#include "orvan/log_sink.h"

namespace vessant::test {

inline std::string& CapturedLog() {
    static std::string text;
    return text;
}

inline void CaptureLog() {
    CapturedLog().clear();
    orvan::SetLogSink([](const std::string& text) { CapturedLog() += text; });
}

// Ends the capture (the default sink is back) and returns what arrived.
inline std::string TakeCapturedLog() {
    orvan::SetLogSink(nullptr);
    std::string text;
    text.swap(CapturedLog());
    return text;
}

}  // namespace vessant::test
