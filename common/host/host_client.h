#pragma once
// The messages a host delivers to the control it carries.

#include "common/host/host_types.h"

namespace vessant {

class HostClient {
public:
    virtual ~HostClient() = default;
    virtual void OnCreate() = 0;
    virtual void OnDestroy() = 0;
    virtual void OnSize(int cx, int cy) = 0;
    // A paint of the invalid region (the rectangle bounding everything invalidated since the last
    // paint, client coordinates); the control draws and swaps one whole frame.
    virtual void OnPaint(const ScreenRect& invalid) = 0;
    virtual void OnTimer(unsigned id) = 0;
    // True when the erase was handled (the control paints no background there).
    virtual bool OnEraseBackground() = 0;
    virtual void OnClose() = 0;
    virtual void OnMouse(MouseMessage, int /*x*/, int /*y*/, unsigned /*flags*/) {}
    // An X keysym with the modifier flags (kMkShift, kMkControl) and the pointer buttons held.
    virtual void OnKey(bool /*down*/, unsigned long /*keysym*/, unsigned /*flags*/) {}
};

}  // namespace vessant
