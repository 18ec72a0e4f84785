#pragma once
// Helpers of the tests that drive a player window with real X input.

#include <X11/Xlib.h>

#include <chrono>
#include <string>
#include <thread>

#include "support/acquisition_fixture.h"

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

}  // namespace vessant::test
