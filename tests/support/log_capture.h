#pragma once
// Collects what the system hands its log sink, in place of standard error, for a test to read.

#include <string>

#include "orvan/log_sink.h"

namespace vessant::test {

inline std::string& CapturedLog() {
    static std::string text;
    return text;
}

// The texts among them that arrived as error reports meant for a person.
inline std::string& CapturedErrorReports() {
    static std::string text;
    return text;
}

inline void CaptureLog() {
    CapturedLog().clear();
    CapturedErrorReports().clear();
    orvan::SetLogSink([](orvan::LogKind kind, const std::string& text) {
        CapturedLog() += text;
        if (kind == orvan::LogKind::kErrorReport) CapturedErrorReports() += text;
    });
}

// Ends the capture (the default sink is back) and returns what arrived.
inline std::string TakeCapturedLog() {
    orvan::SetLogSink(nullptr);
    std::string text;
    text.swap(CapturedLog());
    return text;
}

}  // namespace vessant::test
