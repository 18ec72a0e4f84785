#pragma once
// Helpers of the tests that drive a player window with real X input.

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

namespace vessant::test {

// The first child of a window (the embedded control), or 0.
inline Window FirstChild(Display* display, Window parent) {
    Window root, up, found = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) && count > 0) found = children[0];
    if (children) XFree(children);
    return found;
}

// Waits until the file holds the text (or the time is up).
inline bool WaitFor(const std::string& path, const std::string& text, double seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (ReadText(path).find(text) != std::string::npos) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// Why real X input cannot be driven here, or empty when it can.
inline std::string XdotoolUnavailable() {
    const char* d = std::getenv("DISPLAY");
    if (!d || !*d) return "no X display (set DISPLAY or run under Xvfb)";
    if (RunCommand("command -v xdotool").status != 0) return "xdotool is not installed";
    return "";
}

// A 300 x 300 container window with a player embedded in it (--parent), showing a component
// library at 200 x 200 for 600 frames; the player's output goes to a file. Once child is set the
// component has had time to load and draw. Stops the player and closes the window at the end.
struct PlayerInWindow {
    explicit PlayerInWindow(const std::string& library, long containerEvents = 0) {
        display = XOpenDisplay(nullptr);
        if (display == nullptr) return;
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 300, 300, 0, 0, 0x404040);
        if (containerEvents != 0) XSelectInput(display, parent, containerEvents);
        XMapWindow(display, parent);
        XSync(display, False);
        out = dir.Path() + "/out.txt";
        pid = fork();
        if (pid == 0) {
            setenv("TEMP", dir.Path().c_str(), 1);
            const std::string command = "exec " + PlayerPath() + " --parent " + std::to_string(parent) +
                                        " --size 200x200 --frames 600 " + library + " > " + out + " 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        for (int i = 0; i < 100 && child == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            child = FirstChild(display, parent);
        }
        if (child != 0) std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
    ~PlayerInWindow() {
        Stop();
        if (display == nullptr) return;
        XDestroyWindow(display, parent);
        XCloseDisplay(display);
    }
    PlayerInWindow(const PlayerInWindow&) = delete;
    PlayerInWindow& operator=(const PlayerInWindow&) = delete;

    void Stop() {
        if (pid <= 0) return;
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        pid = 0;
    }
    std::string Output() const { return ReadText(out); }
    // Runs xdotool with the player's window id after "--window" wherever the arguments say {w}.
    int Xdotool(std::string arguments) const {
        for (std::size_t at; (at = arguments.find("{w}")) != std::string::npos;)
            arguments.replace(at, 3, "--window " + std::to_string(child));
        return RunCommand("xdotool " + arguments).status;
    }

    Display* display = nullptr;
    Window parent = 0;
    Window child = 0;
    ScratchDir dir;
    std::string out;
    pid_t pid = 0;
};

}  // namespace vessant::test
