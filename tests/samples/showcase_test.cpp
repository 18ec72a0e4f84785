// The showcase panel as the player draws it: its first frame against a golden picture, within a
// tolerance for the software rasteriser, and its "Lighting" attribute changing what is drawn;
// and as the player's script mode works it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/acquisition_fixture.h"
#include "support/player_script.h"
#include "support/player_snapshot.h"
#include "support/png_read.h"
#include "support/script_replies.h"

namespace vessant {
namespace {

const std::string kGolden = std::string(VESSANT_SOURCE_DIR) + "/tests/data/showcase/first_frame.png";

// How many pixels differ by more than tolerance in some channel; -1 when the sizes differ.
long Differing(const RgbaImage& a, const RgbaImage& b, int tolerance) {
    if (a.width != b.width || a.height != b.height) return -1;
    long count = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            for (int c = 0; c < 3; ++c)
                if (std::abs(a.At(x, y)[c] - b.At(x, y)[c]) > tolerance) {
                    ++count;
                    break;
                }
    return count;
}

using test::ClickEvent;
using test::Event;
using test::Reply;

class ShowcaseDrawing : public ::testing::Test {
protected:
    void SetUp() override {
        if (access(library.c_str(), R_OK) != 0) GTEST_SKIP() << "showcase sample not built";
    }
    const std::string library = test::SampleLibrary("showcase");
    test::ScratchDir dir;
};

// Remade by: vessant-player --headless --size 240x180 --set EyePoint=panelEye --snapshot FILE libshowcase.so
TEST_F(ShowcaseDrawing, TheFirstFrameThroughItsEyePointMatchesTheGoldenPicture) {
    const RgbaImage image = test::PlayerSnapshot("--size 240x180 --set EyePoint=panelEye " + library, dir);
    RgbaImage golden;
    ASSERT_TRUE(test::ReadPng(kGolden, &golden));
    const long differing = Differing(image, golden, 12);
    EXPECT_GE(differing, 0) << "size " << image.width << "x" << image.height;
    const std::string kept = ::testing::TempDir() + "showcase_first_frame.png";
    EXPECT_LE(differing, golden.width * golden.height / 100) << "the frame drawn is kept in " << kept;
    if (HasFailure()) std::system(("cp " + (dir / "snapshot.png") + " " + kept).c_str());
}

// At 200 x 200 the 160 x 120 panel fills the width: world (x, y) is pixel (x / 0.8, 200 - y / 0.8).
TEST_F(ShowcaseDrawing, TurningTheLightingOffChangesTheLitPartsOnly) {
    const std::string lit = dir / "lit.png", plain = dir / "plain.png";
    const auto lines = test::RunPlayerScript(library, "frames 1\nsnapshot " + lit +
                                                          "\nsetattrib Lighting 0\ngetattrib Lighting\nframes 1\n"
                                                          "snapshot " + plain + "\nquit\n");
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[3], R"({"reply":"getattrib","ok":true,"value":"0"})");
    RgbaImage a, b;
    ASSERT_TRUE(test::ReadPng(lit, &a));
    ASSERT_TRUE(test::ReadPng(plain, &b));
    // The bezel's ridge above the dial's centre (54, 98.5) and the thumb's cap at 60 (134.8, 28).
    for (auto [x, y] : {std::pair{67, 77}, std::pair{168, 165}}) {
        int change = 0;
        for (int c = 0; c < 3; ++c) change += std::abs(a.At(x, y)[c] - b.At(x, y)[c]);
        EXPECT_GT(change, 30) << x << "," << y;
    }
    // Everything else, the plate, the dial, the text and the buttons, looks the same.
    EXPECT_LT(Differing(a, b, 4), 200 * 200 / 8);
}

// Worked through the script mode: presses on its buttons and drags on its slider come back as
// its object events, and its attributes follow.
TEST_F(ShowcaseDrawing, StartAndStopPressesSwitchTheRunLampWithTheirEvents) {
    const auto lines = test::RunPlayerScript(library, "frames 1\n"
                                                      "mouse ldown 148 114\nmouse lup 148 114\n"  // START
                                                      "mouse ldown 148 114\nmouse lup 148 114\n"  // again
                                                      "getattrib Running\n"
                                                      "mouse ldown 181 114\nmouse lup 181 114\n"  // STOP
                                                      "mouse ldown 175 80\nmouse lup 175 80\n"    // the lamp
                                                      "getattrib Running\nquit\n");
    const std::vector<std::string> expected = {
        Reply("frames"),          ClickEvent("startButton"),         Event("Running", "runLamp", "on"),
        ClickEvent("startButton"), Reply("getattrib", "1"),          ClickEvent("stopButton"),
        Event("Running", "runLamp", "off"), Reply("getattrib", "0"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(ShowcaseDrawing, DraggingTheSliderSetsTheSetpointUntilReleased) {
    const auto lines = test::RunPlayerScript(library, "setattrib Setpoint 30\nframes 1\n"
                                                      "mouse ldown 137 165\n"  // left of the slot's 0
                                                      "mouse move 195 165\n"   // right of its 100
                                                      "mouse move 195 195\n"   // off the slot, still held
                                                      "mouse lup 195 195\n"
                                                      "mouse move 137 165\n"  // released: nothing moves
                                                      "getattrib Setpoint\nquit\n");
    const std::vector<std::string> expected = {
        Reply("setattrib"),  Reply("frames"), Event("Setpoint", "slider", "0"), Event("Setpoint", "slider", "100"),
        Reply("getattrib", "100"), Reply("quit"),
    };
    EXPECT_EQ(lines, expected);
}

}  // namespace
}  // namespace vessant
