// Real X input to a player window: xdotool clicks and drags on the instrument sample, whose
// objects are found by picking, and their events come back on standard output as JSON lines.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its headers.
#include "support/player_script.h"
#include "support/x_window_wait.h"

namespace vessant {
namespace {

TEST(PickingXdotoolWindow, AClickAndADragReachTheInstrumentsObjects) {
    const std::string why = test::XdotoolUnavailable();
    if (!why.empty()) GTEST_SKIP() << why;
    const std::string instrument = test::SampleLibrary("instrument");
    if (access(instrument.c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
    test::PlayerInWindow w(instrument);
    ASSERT_NE(w.display, nullptr);
    ASSERT_NE(w.child, 0u) << w.Output();

    // The instrument's 100 x 100 square fills the 200 x 200 window; plus sits at (82..98, 2..18).
    EXPECT_EQ(w.Xdotool("mousemove {w} 180 180 click 1"), 0);
    EXPECT_TRUE(test::WaitFor(w.out, test::ClickEvent("plus"), 5)) << w.Output();
    // Pressed left of the dial's centre and dragged to its right: the needle passes the alarm mark.
    EXPECT_EQ(w.Xdotool("mousemove {w} 40 100 mousedown 1 sleep 0.2 mousemove {w} 100 40 sleep 0.2 "
                        "mousemove {w} 160 100 sleep 0.2 mouseup 1"),
              0);
    EXPECT_TRUE(test::WaitFor(
        w.out, R"({"event":"ObjectEvent","EventName":"Alarm","InitiatorName":"needle","EventData":"on"})", 5))
        << w.Output();
}

}  // namespace
}  // namespace vessant
