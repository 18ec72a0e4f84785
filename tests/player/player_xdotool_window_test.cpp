// Real X input to a player window: xdotool clicks and types into the embedded control, and the
// hand-written component's events come back on the player's standard output as JSON lines.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "support/acquisition_fixture.h"
#include "support/run_command.h"
#include "support/x_window_wait.h"

namespace vessant {
namespace {

std::string Handmade() { return std::string(VESSANT_BINARY_DIR) + "/samples/libhandmade.so"; }

using test::WaitFor;

TEST(PlayerXdotoolWindow, ClicksAndKeysReachTheHandmadeComponent) {
    const char* d = std::getenv("DISPLAY");
    if (!d || !*d) GTEST_SKIP() << "no X display (set DISPLAY or run under Xvfb)";
    if (test::RunCommand("command -v xdotool").status != 0) GTEST_SKIP() << "xdotool is not installed";
    if (access(Handmade().c_str(), R_OK) != 0) GTEST_SKIP() << "handmade sample not built";
    test::PlayerInWindow player(Handmade(), KeyPressMask);
    ASSERT_NE(player.display, nullptr);
    ASSERT_NE(player.child, 0u) << player.Output();

    // The button fills (10,10)-(70,70) of the component's 100 x 100 square, fitted to 200 x 200.
    EXPECT_EQ(player.Xdotool("mousemove {w} 80 120 click 1"), 0);
    EXPECT_TRUE(WaitFor(player.out, R"({"event":"ObjectEvent","EventName":"Click","InitiatorName":"button","EventData":"pressed"})", 5))
        << player.Output();
    EXPECT_EQ(test::RunCommand("xdotool key space").status, 0);
    EXPECT_TRUE(WaitFor(player.out, R"("EventName":"Toggle","InitiatorName":"lamp","EventData":"on")", 5)) << player.Output();
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

}  // namespace
}  // namespace vessant
