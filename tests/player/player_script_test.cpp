// The player's script mode end to end: commands on standard input, JSON lines back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/png_read.h"
#include "support/run_command.h"

namespace vessant {
namespace {

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + "vessant_script_" + std::to_string(getpid()) + "_" + name;
}

// Runs the player with the script on standard input; returns its output lines.
std::vector<std::string> RunScript(const std::string& args, const std::string& script, int* status = nullptr) {
    const std::string input = TempPath("input.txt");
    { std::ofstream(input, std::ios::binary) << script; }
    const auto r = test::RunCommand(test::PlayerPath() + " --headless --script " + args + " < " + input);
    unlink(input.c_str());
    if (status) *status = r.status;
    std::vector<std::string> lines;
    std::istringstream in(r.output);
    std::string line;
    while (std::getline(in, line))
        if (!line.empty() && line[0] == '{') lines.push_back(line);
    return lines;
}

std::string HandmadePath() { return std::string(VESSANT_BINARY_DIR) + "/samples/libhandmade.so"; }

TEST(PlayerScript, PropertiesFramesAndSnapshotAnswerInJson) {
    const std::string png = TempPath("shot.png");
    int status = -1;
    const auto lines = RunScript("--size 16x32",  // the 2:1 splash leaves the top rows to the background
                                 "set BackgroundColor 0x00FF00\n"
                                 "set UseContainerBackground 0\n"
                                 "get BackgroundColor\n"
                                 "get TargetFrameRate\n"
                                 "frames 3\n"
                                 "snapshot " + png + "\n"
                                 "quit\n"
                                 "get scaleX\n",
                                 &status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], R"({"reply":"set","ok":true})");
    EXPECT_EQ(lines[2], R"({"reply":"get","ok":true,"value":"65280"})");
    EXPECT_EQ(lines[3], R"({"reply":"get","ok":true,"value":"30"})");
    EXPECT_EQ(lines[4], R"({"reply":"frames","ok":true})");
    EXPECT_EQ(lines[5], R"({"reply":"snapshot","ok":true})");
    EXPECT_EQ(lines[6], R"({"reply":"quit","ok":true})");  // nothing after quit runs
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(png, &image));
    EXPECT_EQ(image.width, 16);
    EXPECT_EQ(image.At(5, 5)[1], 255);
    unlink(png.c_str());
}

TEST(PlayerScript, MalformedCommandsGetErrorRepliesAndReadingGoesOn) {
    const auto lines = RunScript("",
                                 "bogus\n"
                                 "set NoSuchThing 1\n"
                                 "set TargetFrameRate fast\n"
                                 "get\n"
                                 "frames x\n"
                                 "mouse fly 1 2\n"
                                 "mouse ldown 1\n"
                                 "key down NoSuchKey\n"
                                 "key sideways a\n"
                                 "mouse move 3 4 left sideways\n"
                                 "load /no/such/file.vpp\n"
                                 "get scaleX\n");
    ASSERT_EQ(lines.size(), 12u);
    for (size_t i = 0; i + 1 < lines.size(); ++i) EXPECT_NE(lines[i].find("\"ok\":false,\"error\":"), std::string::npos) << lines[i];
    EXPECT_EQ(lines[0].rfind(R"({"reply":"bogus","ok":false)", 0), 0u);
    EXPECT_NE(lines[2].find("fast"), std::string::npos);
    EXPECT_EQ(lines[11], R"({"reply":"get","ok":true,"value":"1"})");
}

TEST(PlayerScript, AttributesWaitForAComponentAndEscapesDecode) {
    const std::string probe = std::string(VESSANT_BINARY_DIR) + "/tests/fixtures/libkesh_contract_probe.so";
    const auto lines = RunScript("",
                                 "setattrib note two\\nlines \\\\ \"q\"\n"
                                 "set ComponentFileName " + probe + "\n"
                                 "getattrib note\n"
                                 "quit\n");
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], R"({"reply":"setattrib","ok":true})");
    EXPECT_EQ(lines[1], R"({"reply":"set","ok":true})");
    // The waiting value reached the component with its escapes decoded.
    EXPECT_EQ(lines[2], R"({"reply":"getattrib","ok":true,"value":"two\nlines \\ \"q\""})");
}

TEST(PlayerScript, ClicksOnTheHandmadeComponentComeBackAsEvents) {
    if (access(HandmadePath().c_str(), R_OK) != 0) GTEST_SKIP() << "handmade sample not built";
    const std::string cache = TempPath("cache");
    const auto lines = RunScript("--size 200x200 " + HandmadePath(),
                                 "frames 2\n"
                                 "mouse ldown 100 100\n"
                                 "mouse lup 100 100\n"
                                 "mouse ldown 2 2\n"
                                 "mouse lup 2 2\n"
                                 "quit\n");
    std::string all;
    for (const auto& l : lines) all += l + "\n";
    EXPECT_NE(all.find(R"("event":"ObjectEvent")"), std::string::npos) << all;
    EXPECT_NE(all.find(R"("InitiatorName":"button")"), std::string::npos) << all;
}

}  // namespace
}  // namespace vessant
