// vessant-player --edit under real X input (xdotool): the page opens over a saved property set,
// "+" and Apply change and save it, OK closes; bad files and a missing display are refused.
#include <gtest/gtest.h>

#include <cstdlib>

#include "control/property_bag.h"
#include "support/acquisition_fixture.h"
#include "support/png_read.h"
#include "support/run_command.h"
#include "support/x_window_wait.h"

namespace vessant {
namespace {

using test::RunCommand;

class EditCommand : public ::testing::Test {
protected:
    void SetUp() override {
        file_ = dir_ / "panel.vessant";
        test::WriteText(file_, "version 4.4\nComponentFileName = \"" + std::string(PAGE_GAUGE_LIBRARY) +
                                   "\"\nX-Designer-Note = \"kept\"\nInitialAttribs = \"Value: 20\\n\"\n");
    }
    std::string Player() const { return "TEMP='" + cache_.Path() + "' " + test::PlayerPath(); }

    test::ScratchDir dir_, cache_;
    std::string file_;
};

TEST_F(EditCommand, ClicksOnThePageChangeAndSaveThePropertySet) {
    const std::string why = test::XdotoolUnavailable();
    if (!why.empty()) GTEST_SKIP() << why;
    const std::string shot = dir_ / "preview.png";
    // Widget centres in window coordinates: "+" (444,128 46x26), Apply (630,234 76x28), OK (470,234 74x28).
    const std::string script =
        Player() + " --edit '" + file_ + "' --snapshot '" + shot + "' & pid=$!\n"
        "w=$(timeout 30 xdotool search --sync --onlyvisible --name '^General$' | head -1)\n"
        "[ -n \"$w\" ] || { kill $pid; echo 'no window'; exit 9; }\n"
        "sleep 0.5\n"
        "xdotool mousemove --window $w 467 141 click 1; sleep 0.3\n"
        "xdotool mousemove --window $w 668 248 click 1; sleep 0.5\n"
        "xdotool mousemove --window $w 507 248 click 1\n"
        "timeout 30 tail --pid=$pid -f /dev/null; wait $pid";
    test::WriteText(dir_ / "edit.sh", script);
    const auto r = RunCommand("bash '" + (dir_ / "edit.sh") + "'");
    ASSERT_EQ(r.status, 0) << r.output;

    PropertyBag saved;
    std::string error;
    ASSERT_TRUE(saved.ReadFile(file_, &error)) << error;
    EXPECT_EQ(saved.Get("InitialAttribs"), "Value: 20\n--Unlisted Attribute--\n");
    EXPECT_EQ(saved.Get("X-Designer-Note"), "kept");
    EXPECT_EQ(saved.Get("ComponentFileName"), PAGE_GAUGE_LIBRARY);
    RgbaImage preview;
    ASSERT_TRUE(test::ReadPng(shot, &preview));
    EXPECT_EQ(preview.width, 200);
    int red = 0;
    for (size_t i = 0; i < preview.pixels.size(); i += 4) red += preview.pixels[i] > 150 && preview.pixels[i + 1] < 60;
    EXPECT_GT(red, 20) << "the needle is drawn";
}

TEST_F(EditCommand, RefusesAMalformedSetAndAMissingDisplay) {
    test::WriteText(dir_ / "bad.vessant", "version 9.0\n");
    const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    if (!display.empty()) {
        const auto bad = RunCommand(Player() + " --edit '" + (dir_ / "bad.vessant") + "'");
        EXPECT_EQ(bad.status, 2) << bad.output;
        EXPECT_NE(bad.output.find("9.0"), std::string::npos) << bad.output;
    }
    const auto none = RunCommand("env -u DISPLAY " + Player() + " --edit '" + file_ + "'");
    EXPECT_EQ(none.status, 1) << none.output;
    EXPECT_NE(none.output.find("DISPLAY"), std::string::npos) << none.output;
    EXPECT_EQ(RunCommand(Player() + " --edit").status, 2);
}

}  // namespace
}  // namespace vessant
