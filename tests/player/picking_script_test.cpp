// Clicks and drags from the player's script mode reach the instrument's objects through
// picking, and their events and attribute changes come back as JSON lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/player_script.h"

namespace vessant {
namespace {

using test::ClickEvent;

class PickingScript : public ::testing::Test {
protected:
    void SetUp() override {
        if (access(instrument.c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
    }
    std::vector<std::string> Run(const std::string& script) { return test::RunPlayerScript(instrument, script); }
    const std::string instrument = test::SampleLibrary("instrument");
};

// At 200 x 200 the instrument's 100 x 100 square fills the window: world (x, y) is pixel
// (2x, 200 - 2y) from the top left.
TEST_F(PickingScript, ButtonsAndTheNearerBadgeAnswerClicksByName) {
    const auto lines = Run("frames 1\n"
                           "mouse ldown 180 180\nmouse lup 180 180\n"  // plus
                           "getattrib Value\n"
                           "mouse ldown 20 180\nmouse lup 20 180\n"  // minus
                           "mouse ldown 178 18\nmouse lup 178 18\n"  // where the two badges overlap
                           "mouse ldown 196 2\nmouse lup 196 2\n"    // the back badge alone
                           "mouse ldown 4 4\nmouse lup 4 4\n"        // the empty upper left corner
                           "quit\n");
    const std::vector<std::string> expected = {
        R"({"reply":"frames","ok":true})",
        ClickEvent("plus"),
        R"({"reply":"getattrib","ok":true,"value":"60"})",
        ClickEvent("minus"),
        ClickEvent("badgeFront"),
        ClickEvent("badgeBack"),
        R"({"reply":"quit","ok":true})",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(PickingScript, DraggingOnTheDialTurnsTheNeedleAndChangesTheValue) {
    const auto lines = Run("frames 1\n"
                           "mouse ldown 40 100\n"  // left of the centre: value 16.7
                           "getattrib Value\n"
                           "mouse move 160 100\n"  // dragged to the right of the centre
                           "mouse lup 160 100\n"
                           "getattrib Value\n"
                           "mouse move 100 20\n"  // released: moving no longer turns it
                           "getattrib Value\n"
                           "quit\n");
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1], R"({"reply":"getattrib","ok":true,"value":"16.66666603"})");
    EXPECT_EQ(lines[2], R"({"event":"ObjectEvent","EventName":"Alarm","InitiatorName":"needle","EventData":"on"})");
    EXPECT_EQ(lines[3], R"({"reply":"getattrib","ok":true,"value":"83.33333588"})");
    EXPECT_EQ(lines[4], lines[3]);
}

TEST_F(PickingScript, TheInstrumentsEyePointGivesTheViewThatClicksArePickedIn) {
    // 380 units in front of the dial's centre with its 30 degree field of view, the eye sees
    // the instrument in the middle half of the window: the plus button's centre (90, 10) is at
    // pixel (139, 139), which the flat view would put on the dial.
    const auto lines = Run("set EyePoint eye\nsetattrib eye.Location 50 50 380\nframes 1\n"
                           "mouse ldown 139 139\nmouse lup 139 139\n"
                           "getattrib Value\nquit\n");
    const std::vector<std::string> expected = {
        R"({"reply":"set","ok":true})",
        R"({"reply":"setattrib","ok":true})",
        R"({"reply":"frames","ok":true})",
        ClickEvent("plus"),
        R"({"reply":"getattrib","ok":true,"value":"60"})",
        R"({"reply":"quit","ok":true})",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vessant
