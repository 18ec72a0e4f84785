// Real X input to a player window: xdotool clicks and drags on the instrument sample, whose
// objects are found by picking, and their events come back on standard output as JSON lines.
#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would break its headers.
#include <X11/Xlib.h>
#include <signal.h>
#include <sys/wait.h>
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

std::string Instrument() { return std::string(VESSANT_BINARY_DIR) + "/samples/libinstrument.so"; }

using test::FirstChild;
using test::WaitFor;

TEST(PickingXdotoolWindow, AClickAndADragReachTheInstrumentsObjects) {
    const char* d = std::getenv("DISPLAY");
    if (!d || !*d) GTEST_SKIP() << "no X display (set DISPLAY or run under Xvfb)";
    if (test::RunCommand("command -v xdotool").status != 0) GTEST_SKIP() << "xdotool is not installed";
    if (access(Instrument().c_str(), R_OK) != 0) GTEST_SKIP() << "instrument sample not built";
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 300, 0, 0, 0x404040);
    XMapWindow(display, parent);
    XSync(display, False);

    test::ScratchDir dir;
    const std::string out = dir.Path() + "/out.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TEMP", dir.Path().c_str(), 1);
        const std::string command = "exec " + test::PlayerPath() + " --parent " + std::to_string(parent) +
                                    " --size 200x200 --frames 600 " + Instrument() + " > " + out + " 2>&1";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Window child = 0;
    for (int i = 0; i < 100 && child == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        child = FirstChild(display, parent);
    }
    ASSERT_NE(child, 0u) << test::ReadText(out);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the component loads and draws

    // The instrument's 100 x 100 square fills the 200 x 200 window; plus sits at (82..98, 2..18).
    const std::string id = std::to_string(child);
    EXPECT_EQ(test::RunCommand("xdotool mousemove --window " + id + " 180 180 click 1").status, 0);
    EXPECT_TRUE(WaitFor(out, R"({"event":"ObjectEvent","EventName":"Click","InitiatorName":"plus","EventData":"pressed"})", 5))
        << test::ReadText(out);
    // Pressed left of the dial's centre and dragged to its right: the needle passes the alarm mark.
    EXPECT_EQ(test::RunCommand("xdotool mousemove --window " + id + " 40 100 mousedown 1 sleep 0.2 mousemove --window " +
                               id + " 100 40 sleep 0.2 mousemove --window " + id + " 160 100 sleep 0.2 mouseup 1")
                  .status,
              0);
    EXPECT_TRUE(WaitFor(out, R"({"event":"ObjectEvent","EventName":"Alarm","InitiatorName":"needle","EventData":"on"})", 5))
        << test::ReadText(out);

    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

}  // namespace
}  // namespace vessant
