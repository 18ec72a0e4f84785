// The EyePoint property end to end with a component built on the contract alone: the player
// asks the hand-written component's "handEye" for its two matrices and picks in that view.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/acquisition_fixture.h"
#include "support/run_command.h"

namespace vessant {
namespace {

std::string Handmade() { return std::string(VESSANT_BINARY_DIR) + "/samples/libhandmade.so"; }

TEST(EyePointScript, AContractOnlyComponentsEyePointGivesTheView) {
    if (access(Handmade().c_str(), R_OK) != 0) GTEST_SKIP() << "handmade sample not built";
    test::ScratchDir dir;
    const std::string input = dir.Path() + "/input.txt";
    // Flat view: the 100 x 100 square fills the window and (100, 100) is inside the button
    // (10..70). The eye maps a unit to a pixel from the lower left: the button then covers
    // pixels 10..70 from the left and 130..190 from the top.
    std::ofstream(input) << "frames 1\nmouse ldown 100 100\nmouse lup 100 100\n"
                            "set EyePoint handEye\nframes 1\n"
                            "mouse ldown 100 100\nmouse lup 100 100\n"
                            "mouse ldown 40 160\nmouse lup 40 160\n"
                            "getattrib Presses\nquit\n";
    const auto r = test::RunCommand("TEMP='" + dir.Path() + "' " + test::PlayerPath() +
                                    " --headless --size 200x200 --script " + Handmade() + " < " + input);
    EXPECT_EQ(r.status, 0) << r.output;
    std::vector<std::string> lines;
    std::istringstream in(r.output);
    for (std::string line; std::getline(in, line);)
        if (line.find("\"event\"") != std::string::npos || line.find("getattrib") != std::string::npos)
            lines.push_back(line);
    const std::string click = R"({"event":"ObjectEvent","EventName":"Click","InitiatorName":"button","EventData":"pressed"})";
    const std::vector<std::string> expected = {click, click, R"({"reply":"getattrib","ok":true,"value":"2"})"};
    EXPECT_EQ(lines, expected) << r.output;
}

}  // namespace
}  // namespace vessant
