// Real X input to a player window: xdotool clicks and types into the embedded control, and the
// hand-written component's events come back on the player's standard output as JSON lines.
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

std::string Handmade() { return std::string(VESSANT_BINARY_DIR) + "/samples/libhandmade.so"; }

using test::FirstChild;
using test::WaitFor;

TEST(PlayerXdotoolWindow, ClicksAndKeysReachTheHandmadeComponent) {
    const char* d = std::getenv("DISPLAY");
    if (!d || !*d) GTEST_SKIP() << "no X display (set DISPLAY or run under Xvfb)";
    if (test::RunCommand("command -v xdotool").status != 0) GTEST_SKIP() << "xdotool is not installed";
    if (access(Handmade().c_str(), R_OK) != 0) GTEST_SKIP() << "handmade sample not built";
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 300, 0, 0, 0x404040);
    XSelectInput(display, parent, KeyPressMask);
    XMapWindow(display, parent);
    XSync(display, False);

    test::ScratchDir dir;
    const std::string out = dir.Path() + "/out.txt";
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("TEMP", dir.Path().c_str(), 1);
        const std::string command = "exec " + test::PlayerPath() + " --parent " + std::to_string(parent) +
                                    " --size 200x200 --frames 600 " + Handmade() + " > " + out + " 2>&1";
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

    // The button fills (10,10)-(70,70) of the component's 100 x 100 square, fitted to 200 x 200.
    const std::string id = std::to_string(child);
    EXPECT_EQ(test::RunCommand("xdotool mousemove --window " + id + " 80 120 click 1").status, 0);
    EXPECT_TRUE(WaitFor(out, R"({"event":"ObjectEvent","EventName":"Click","InitiatorName":"button","EventData":"pressed"})", 5))
        << test::ReadText(out);
    EXPECT_EQ(test::RunCommand("xdotool key space").status, 0);
    EXPECT_TRUE(WaitFor(out, R"("EventName":"Toggle","InitiatorName":"lamp","EventData":"on")", 5)) << test::ReadText(out);
    // The key went on to the container's window too.
    XEvent key;
    bool containerSawKey = false;
    for (int i = 0; i < 40 && !containerSawKey; ++i) {
        XSync(display, False);
        containerSawKey = XCheckWindowEvent(display, parent, KeyPressMask, &key);
        if (!containerSawKey) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(containerSawKey);
    // A click beside the button is no event.
    EXPECT_EQ(test::RunCommand("xdotool mousemove --window " + id + " 190 10 click 1").status, 0);

    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    EXPECT_EQ(test::ReadText(out).find("\"EventName\":\"Click\"", test::ReadText(out).find("Toggle")), std::string::npos);
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

}  // namespace
}  // namespace vessant
