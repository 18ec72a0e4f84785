// The player's script mode end to end: commands on standard input, JSON lines back. Malformed
// commands are answered in the bad-input tests, clicks in the picking tests.
#include <gtest/gtest.h>

#include "support/player_script.h"
#include "support/png_read.h"

namespace vessant {
namespace {

TEST(PlayerScript, PropertiesFramesAndSnapshotAnswerInJson) {
    test::ScratchDir dir;
    const std::string png = dir.Path() + "/shot.png";
    const auto lines = test::RunPlayerScript("",
                                             "set BackgroundColor 0x00FF00\n"
                                             "set UseContainerBackground 0\n"
                                             "get BackgroundColor\n"
                                             "get TargetFrameRate\n"
                                             "frames 3\n"
                                             "snapshot " + png + "\n"
                                             "quit\n"
                                             "get scaleX\n");
    const std::vector<std::string> expected = {
        R"({"reply":"set","ok":true})",
        R"({"reply":"set","ok":true})",
        R"({"reply":"get","ok":true,"value":"65280"})",
        R"({"reply":"get","ok":true,"value":"30"})",
        R"({"reply":"frames","ok":true})",
        R"({"reply":"snapshot","ok":true})",
        R"({"reply":"quit","ok":true})",  // nothing after quit runs
    };
    EXPECT_EQ(lines, expected);
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(png, &image));
    EXPECT_EQ(image.width, 200);
    EXPECT_EQ(image.At(5, 5)[1], 255);  // the 2:1 splash leaves the top rows to the background
}

TEST(PlayerScript, AttributesWaitForAComponentAndEscapesDecode) {
    // "\n" and "\\" are a script's escapes; any other backslash stays as written.
    const auto lines = test::RunPlayerScript("",
                                             "setattrib note two\\nlines \\\\ \"q\" C:\\temp\n"
                                             "set ComponentFileName " + test::Probe() + "\n"
                                             "getattrib note\n"
                                             "getattrib log\n"
                                             "quit\n");
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[0], R"({"reply":"setattrib","ok":true})");
    EXPECT_EQ(lines[1], R"({"reply":"set","ok":true})");
    // The component received the waiting value decoded, and answers it back.
    const std::string decoded = R"(two\nlines \\ \"q\" C:\\temp)";
    EXPECT_NE(lines[3].find("SetAttribute note=" + decoded + "\\n"), std::string::npos) << lines[3];
    EXPECT_EQ(lines[2], R"({"reply":"getattrib","ok":true,"value":")" + decoded + "\"}");
}

}  // namespace
}  // namespace vessant
