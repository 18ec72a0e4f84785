// The EyePoint property end to end with a component built on the contract alone: the player
// asks the hand-written component's "handEye" for its two matrices and picks in that view.
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/player_script.h"

namespace vessant {
namespace {

TEST(EyePointScript, AContractOnlyComponentsEyePointGivesTheView) {
    const std::string handmade = test::SampleLibrary("handmade");
    if (access(handmade.c_str(), R_OK) != 0) GTEST_SKIP() << "handmade sample not built";
    // Flat view: the 100 x 100 square fills the window and (100, 100) is inside the button
    // (10..70). The eye maps a unit to a pixel from the lower left: the button then covers
    // pixels 10..70 from the left and 130..190 from the top.
    const auto lines = test::RunPlayerScript(handmade, "frames 1\nmouse ldown 100 100\nmouse lup 100 100\n"
                                                       "set EyePoint handEye\nframes 1\n"
                                                       "mouse ldown 100 100\nmouse lup 100 100\n"
                                                       "mouse ldown 40 160\nmouse lup 40 160\n"
                                                       "getattrib Presses\nquit\n");
    const std::vector<std::string> expected = {
        R"({"reply":"frames","ok":true})", test::ClickEvent("button"),
        R"({"reply":"set","ok":true})",    R"({"reply":"frames","ok":true})",
        test::ClickEvent("button"),        R"({"reply":"getattrib","ok":true,"value":"2"})",
        R"({"reply":"quit","ok":true})",
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vessant
