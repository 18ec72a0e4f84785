// The showcase panel worked through the player's script mode: presses on its buttons and
// drags on its slider come back as its object events, and its attributes follow.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/player_script.h"

namespace vessant {
namespace {

using test::ClickEvent;

std::string Event(const std::string& name, const std::string& initiator, const std::string& data) {
    return R"({"event":"ObjectEvent","EventName":")" + name + R"(","InitiatorName":")" + initiator +
           R"(","EventData":")" + data + R"("})";
}

class ShowcaseScript : public ::testing::Test {
protected:
    void SetUp() override {
        if (access(library.c_str(), R_OK) != 0) GTEST_SKIP() << "showcase sample not built";
    }
    const std::string library = test::SampleLibrary("showcase");
};

// At 200 x 200 the 160 x 120 panel fills the width: world (x, y) is pixel (x / 0.8, 200 - y / 0.8).
TEST_F(ShowcaseScript, StartAndStopPressesSwitchTheRunLampWithTheirEvents) {
    const auto lines = test::RunPlayerScript(library, "frames 1\n"
                                                      "mouse ldown 148 114\nmouse lup 148 114\n"  // START
                                                      "mouse ldown 148 114\nmouse lup 148 114\n"  // again
                                                      "getattrib Running\n"
                                                      "mouse ldown 181 114\nmouse lup 181 114\n"  // STOP
                                                      "mouse ldown 175 80\nmouse lup 175 80\n"    // the lamp
                                                      "getattrib Running\nquit\n");
    const std::vector<std::string> expected = {
        R"({"reply":"frames","ok":true})",
        ClickEvent("startButton"),
        Event("Running", "runLamp", "on"),
        ClickEvent("startButton"),
        R"({"reply":"getattrib","ok":true,"value":"1"})",
        ClickEvent("stopButton"),
        Event("Running", "runLamp", "off"),
        R"({"reply":"getattrib","ok":true,"value":"0"})",
        R"({"reply":"quit","ok":true})",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(ShowcaseScript, DraggingTheSliderSetsTheSetpointUntilReleased) {
    const auto lines = test::RunPlayerScript(library, "setattrib Setpoint 30\nframes 1\n"
                                                      "mouse ldown 137 165\n"  // left of the slot's 0
                                                      "mouse move 195 165\n"   // right of its 100
                                                      "mouse move 195 195\n"   // off the slot, still held
                                                      "mouse lup 195 195\n"
                                                      "mouse move 137 165\n"  // released: nothing moves
                                                      "getattrib Setpoint\nquit\n");
    const std::vector<std::string> expected = {
        R"({"reply":"setattrib","ok":true})",
        R"({"reply":"frames","ok":true})",
        Event("Setpoint", "slider", "0"),
        Event("Setpoint", "slider", "100"),
        R"({"reply":"getattrib","ok":true,"value":"100"})",
        R"({"reply":"quit","ok":true})",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vessant
