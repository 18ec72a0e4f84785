// Real X input to a player window: xdotool clicks, drags and types into the embedded control,
// and the sample components' events come back on the player's standard output as JSON lines.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/player_script.h"
#include "support/x_window_wait.h"

namespace vessant {
namespace {

using test::WaitFor;

class PlayerXdotoolWindow : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string why = test::XdotoolUnavailable();
        if (!why.empty()) GTEST_SKIP() << why;
    }
};

TEST_F(PlayerXdotoolWindow, ClicksAndKeysReachTheHandmadeComponent) {
    test::PlayerInWindow player(test::SampleLibrary("handmade"), KeyPressMask);
    ASSERT_NE(player.display, nullptr);
    ASSERT_NE(player.child, 0u) << player.Output();

    // The button fills (10,10)-(70,70) of the component's 100 x 100 square, fitted to 200 x 200.
    EXPECT_EQ(player.Xdotool("mousemove {w} 80 120 click 1"), 0);
    EXPECT_TRUE(WaitFor(player.out, test::ClickEvent("button"), 5)) << player.Output();
    EXPECT_EQ(test::RunCommand("xdotool key space").status, 0);
    EXPECT_TRUE(WaitFor(player.out, R"("EventName":"Toggle","InitiatorName":"lamp","EventData":"on")", 5))
        << player.Output();
    // The key went on to the container's window too.
    XEvent key;
    bool containerSawKey = false;
    for (int i = 0; i < 40 && !containerSawKey; ++i) {
        XSync(player.display, False);
        containerSawKey = XCheckWindowEvent(player.display, player.parent, KeyPressMask, &key);
        if (!containerSawKey) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(containerSawKey);
    // A click beside the button is no event.
    EXPECT_EQ(player.Xdotool("mousemove {w} 190 10 click 1"), 0);

    player.Stop();
    const std::string output = player.Output();
    EXPECT_EQ(output.find("\"EventName\":\"Click\"", output.find("Toggle")), std::string::npos);
}

TEST_F(PlayerXdotoolWindow, AClickAndADragReachTheInstrumentsObjectsByPicking) {
    test::PlayerInWindow w(test::SampleLibrary("instrument"));
    ASSERT_NE(w.display, nullptr);
    ASSERT_NE(w.child, 0u) << w.Output();

    // The instrument's 100 x 100 square fills the 200 x 200 window; plus sits at (82..98, 2..18).
    EXPECT_EQ(w.Xdotool("mousemove {w} 180 180 click 1"), 0);
    EXPECT_TRUE(WaitFor(w.out, test::ClickEvent("plus"), 5)) << w.Output();
    // Pressed left of the dial's centre and dragged to its right: the needle passes the alarm mark.
    EXPECT_EQ(w.Xdotool("mousemove {w} 40 100 mousedown 1 sleep 0.2 mousemove {w} 100 40 sleep 0.2 "
                        "mousemove {w} 160 100 sleep 0.2 mouseup 1"),
              0);
    EXPECT_TRUE(WaitFor(w.out, R"("EventName":"Alarm","InitiatorName":"needle","EventData":"on"})", 5))
        << w.Output();
}

}  // namespace
}  // namespace vessant
