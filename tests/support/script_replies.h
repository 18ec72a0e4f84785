#pragma once
// The JSON lines the player's script mode answers with, for tests to expect.

#include <string>

namespace vessant::test {

// A successful reply to a command, with the value a get answers.
inline std::string Reply(const std::string& command, const std::string& value = "") {
    return R"({"reply":")" + command + R"(","ok":true)" + (value.empty() ? "" : R"(,"value":")" + value + "\"") + "}";
}

// An object event a component emitted.
inline std::string Event(const std::string& name, const std::string& initiator, const std::string& data) {
    return R"({"event":"ObjectEvent","EventName":")" + name + R"(","InitiatorName":")" + initiator +
           R"(","EventData":")" + data + R"("})";
}

}  // namespace vessant::test
