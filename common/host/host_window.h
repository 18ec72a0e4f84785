#pragma once
// The control's window as its host keeps it: size, place and what needs painting.

#include "common/host/host_types.h"

namespace vessant {

class HostWindow {
public:
    virtual ~HostWindow() = default;
    virtual bool HasWindow() const = 0;
    virtual PixelSize ClientSize() const = 0;
    virtual ScreenRect WindowScreenRect() const = 0;
    virtual void ResizeWindow(int cx, int cy) = 0;
    virtual void Invalidate(bool erase) = 0;
    virtual void InvalidateRect(const ScreenRect& clientRect, bool erase) = 0;
    virtual void Validate() = 0;
    virtual void InvalidateParent(bool erase) = 0;
    // Paints at once when anything is invalid.
    virtual void UpdateNow() = 0;
};

}  // namespace vessant
