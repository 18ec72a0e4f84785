#pragma once
// X protocol errors must not end the container's process: a host installs a handler that reports
// them, and a trap collects the error of a request that may fail (a window destroyed by another client).

#include <X11/Xlib.h>

namespace vessant {

class XErrorTrap {
public:
    // Starts collecting errors of `display` (pending requests are flushed first).
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;

    // Waits for the server and returns the first error code since the trap began, 0 for none.
    int Finish();

    // The reporting handler, counted per host: the previous handler comes back with the last host.
    static void InstallHandler();
    static void UninstallHandler();

private:
    Display* display_;
    bool finished_ = false;
};

}  // namespace vessant
