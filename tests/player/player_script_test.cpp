// The player's script mode end to end: commands on standard input, JSON lines back; clicks and
// drags on the sample components reach their objects through picking. Malformed commands are
// answered in the bad-input tests.
#include <gtest/gtest.h>

#include "support/player_script.h"
#include "support/png_read.h"
#include "support/script_replies.h"

namespace vessant {
namespace {

using test::ClickEvent;
using test::Event;
using test::Reply;

TEST(PlayerScript, PropertiesFramesAndSnapshotAnswerInJson) {
    test::ScratchDir dir;
    const std::string png = dir.Path() + "/shot.png";
    const auto lines = test::RunPlayerScript("", "set BackgroundColor 0x00FF00\nset UseContainerBackground 0\n"
                                                 "get BackgroundColor\nget TargetFrameRate\nframes 3\n"
                                                 "snapshot " + png + "\nquit\nget scaleX\n");
    const std::vector<std::string> expected = {
        Reply("set"),    Reply("set"),      Reply("get", "65280"), Reply("get", "30"),
        Reply("frames"), Reply("snapshot"), Reply("quit"),  // nothing after quit runs
    };
    EXPECT_EQ(lines, expected);
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(png, &image));
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.At(5, 5)[1], 255);  // the 2:1 splash leaves the top rows to the background
}

TEST(PlayerScript, AttributesWaitForAComponentAndEscapesDecode) {
    // "\n" and "\\" are a script's escapes; any other backslash stays as written.
    const auto lines = test::RunPlayerScript("", "setattrib note two\\nlines \\\\ \"q\" C:\\temp\n"
                                                 "set ComponentFileName " + test::Probe() + "\n"
                                                 "getattrib note\ngetattrib log\nquit\n");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], Reply("setattrib"));
    EXPECT_EQ(lines[1], Reply("set"));
    // The component received the waiting value decoded, and answers it back.
    const std::string decoded = R"(two\nlines \\ \"q\" C:\\temp)";
    EXPECT_NE(lines[3].find("SetAttribute note=" + decoded + "\\n"), std::string::npos) << lines[3];
    EXPECT_EQ(lines[2], Reply("getattrib", decoded));
}

// A sample component's script session (the samples are always built with the player).
std::vector<std::string> Sample(const std::string& sample, const std::string& script) {
    return test::RunPlayerScript(test::SampleLibrary(sample), script);
}

// At 200 x 200 the instrument's 100 x 100 square fills the window: world (x, y) is pixel
// (2x, 200 - 2y) from the top left.
TEST(SampleScript, InstrumentButtonsAndTheNearerBadgeAnswerClicksByName) {
    const auto lines = Sample("instrument", "frames 1\n"
                                            "mouse ldown 180 180\nmouse lup 180 180\n"  // plus
                                            "getattrib Value\n"
                                            "mouse ldown 20 180\nmouse lup 20 180\n"  // minus
                                            "mouse ldown 178 18\nmouse lup 178 18\n"  // where the two badges overlap
                                            "mouse ldown 196 2\nmouse lup 196 2\n"    // the back badge alone
                                            "mouse ldown 4 4\nmouse lup 4 4\n"        // the empty upper left corner
                                            "quit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),   ClickEvent("plus"),      Reply("getattrib", "60"), ClickEvent("minus"),
        ClickEvent("badgeFront"), ClickEvent("badgeBack"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(SampleScript, DraggingOnTheInstrumentsDialTurnsTheNeedleAndChangesTheValue) {
    const auto lines = Sample("instrument", "frames 1\n"
                                            "mouse ldown 40 100\n"  // left of the centre: value 16.7
                                            "getattrib Value\n"
                                            "mouse move 160 100\n"  // dragged to the right of the centre
                                            "mouse lup 160 100\n"
                                            "getattrib Value\n"
                                            "mouse move 100 20\n"  // released: moving no longer turns it
                                            "getattrib Value\nquit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),          Reply("getattrib", "16.66666603"), Event("Alarm", "needle", "on"),
        Reply("getattrib", "83.33333588"), Reply("getattrib", "83.33333588"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(SampleScript, TheInstrumentsEyePointGivesTheViewThatClicksArePickedIn) {
    // 380 units in front of the dial's centre with its 30 degree field of view, the eye sees
    // the instrument in the middle half of the window: the plus button's centre (90, 10) is at
    // pixel (139, 139), which the flat view would put on the dial.
    const auto lines = Sample("instrument", "set EyePoint eye\nsetattrib eye.Location 50 50 380\nframes 1\n"
                                            "mouse ldown 139 139\nmouse lup 139 139\ngetattrib Value\nquit\n");
    const std::vector<std::string> expected = {
        Reply("set"),       Reply("setattrib"),       Reply("frames"),
        ClickEvent("plus"), Reply("getattrib", "60"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST(SampleScript, AContractOnlyComponentsEyePointGivesTheView) {
    // Flat view: the handmade 100 x 100 square fills the window and (100, 100) is inside the
    // button (10..70). Its eye "handEye" maps a unit to a pixel from the lower left: the button
    // then covers pixels 10..70 from the left and 130..190 from the top.
    const auto lines = Sample("handmade", "frames 1\nmouse ldown 100 100\nmouse lup 100 100\n"
                                          "set EyePoint handEye\nframes 1\n"
                                          "mouse ldown 100 100\nmouse lup 100 100\n"
                                          "mouse ldown 40 160\nmouse lup 40 160\n"
                                          "getattrib Presses\nquit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),      ClickEvent("button"),    Reply("set"), Reply("frames"),
        ClickEvent("button"), Reply("getattrib", "2"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vessant
