#pragma once
// Runs the player in script mode on a sample component and collects what it answers.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/acquisition_fixture.h"
#include "support/run_command.h"
#include "support/script_replies.h"

namespace vessant::test {

// The JSON lines the headless 200 x 200 player writes for the script, in order, without the
// replies to mouse commands.
inline std::vector<std::string> RunPlayerScript(const std::string& library, const std::string& script) {
    ScratchDir dir;
    const std::string input = dir.Path() + "/input.txt";
    { std::ofstream(input, std::ios::binary) << script; }
    const auto r = RunCommand("TEMP='" + dir.Path() + "' " + PlayerPath() + " --headless --size 200x200 --script " +
                              library + " < " + input);
    EXPECT_EQ(r.status, 0) << r.output;
    std::vector<std::string> lines;
    std::istringstream in(r.output);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] == '{' && line.find("\"reply\":\"mouse\"") == std::string::npos)
            lines.push_back(line);
    return lines;
}

// The object event a push button emits when it is pressed.
inline std::string ClickEvent(const std::string& initiator) { return Event("Click", initiator, "pressed"); }

}  // namespace vessant::test
