// The vessant-player program as a user runs it: options, failures and the headless snapshot.
#include <gtest/gtest.h>

#include <string>

#include "support/acquisition_fixture.h"
#include "support/png_read.h"
#include "support/run_command.h"

namespace vessant {
namespace {

using test::PlayerPath;
using test::RunCommand;

TEST(PlayerCli, MalformedCommandLinesExitWithStatusTwoNamingTheCulprit) {
    struct Case {
        const char* args;
        const char* culprit;
    } cases[] = {
        {"--bogus", "--bogus"},
        {"--size 640", "640"},
        {"--size 0x10", "0x10"},
        {"--size axb", "axb"},
        {"--set NoSuchProperty=1", "NoSuchProperty"},
        {"--set TargetFrameRate=fast", "fast"},
        {"--set perspective=maybe", "maybe"},
        {"--set BackgroundColor=0x1000000", "0x1000000"},
        {"--set novalue", "novalue"},
        {"--frames 0", "0"},
        {"--frames 4294977297", "4294977297"},
        {"--frames", "--frames"},
        {"a b c", "c"},
    };
    for (const Case& c : cases) {
        const auto r = RunCommand(PlayerPath() + " --headless " + c.args);
        EXPECT_EQ(r.status, 2) << c.args << ": " << r.output;
        EXPECT_NE(r.output.find(c.culprit), std::string::npos) << c.args << ": " << r.output;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "one line: " << r.output;
    }
}

TEST(PlayerCli, NoDisplayWithoutHeadlessSuggestsHeadless) {
    const auto r = RunCommand("env -u DISPLAY " + PlayerPath());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("--headless"), std::string::npos) << r.output;
}

TEST(PlayerCli, KeyColourIsTransparentInTheSnapshot) {
    test::ScratchDir dir;
    const std::string out = dir / "key.png";
    const auto r = RunCommand(PlayerPath() + " --headless --size 32x8 --set drawbackground=false --frames 3 --snapshot " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(out, &image));
    // Left and right of the 2:1 splash (columns 8 to 23) only the key was drawn.
    for (int y = 0; y < 8; ++y)
        for (int x : {0, 1, 2, 3, 4, 5, 6, 25, 26, 27, 28, 29, 30, 31}) ASSERT_EQ(image.At(x, y)[3], 0) << x << "," << y;
}

TEST(PlayerCli, SavedPropertySetLoadsBackBeforeOtherOptions) {
    test::ScratchDir dir;
    const std::string set = dir / "props.vpp", out = dir / "green.png";
    auto r = RunCommand(PlayerPath() + " --headless --size 8x8 --set UseContainerBackground=FALSE"
                                       " --set BackgroundColor=0x00FF00 --set InitialAttribs=x --save " + set);
    ASSERT_EQ(r.status, 0) << r.output;
    r = RunCommand(PlayerPath() + " --headless --size 8x8 --load " + set + " --snapshot " + out);
    ASSERT_EQ(r.status, 0) << r.output;
    RgbaImage image;
    ASSERT_TRUE(test::ReadPng(out, &image));
    EXPECT_EQ(image.At(3, 0)[1], 255);
    // Options after --load override what it read.
    r = RunCommand(PlayerPath() + " --headless --size 8x8 --set BackgroundColor=0x0000FF --load " + set +
                   " --snapshot " + out);
    ASSERT_TRUE(test::ReadPng(out, &image));
    EXPECT_EQ(image.At(3, 0)[2], 255);
}

}  // namespace
}  // namespace vessant
