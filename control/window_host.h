#pragma once
// The one small interface between the control core and the platform it runs on.
// The control never includes X11, GLX or EGL headers: a host in platform/ implements
// this interface and delivers the window's messages to a HostClient (the control).

#include <cstdint>
#include <memory>
#include <vector>

namespace vessant {

struct ScreenRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const ScreenRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const ScreenRect& o) const { return !(*this == o); }
    // The smallest rectangle holding both; an empty one adds nothing.
    ScreenRect United(const ScreenRect& o) const {
        if (o.Empty()) return *this;
        if (Empty()) return o;
        return ScreenRect{left < o.left ? left : o.left, top < o.top ? top : o.top,
                          right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom};
    }
};

struct PixelSize {
    int width = 0, height = 0;
};

// Top-down rows of RGBA bytes, tightly packed.
struct RgbaImage {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
    const std::uint8_t* At(int x, int y) const { return &pixels[(static_cast<size_t>(y) * width + x) * 4]; }
};

// Mouse messages in the form of window messages; flags as a window message carries them.
enum class MouseMessage { LButtonDown, LButtonUp, LButtonDblClk, MButtonDown, MButtonUp, MButtonDblClk,
                          RButtonDown, RButtonUp, RButtonDblClk, Move };
enum MouseFlags : unsigned { kMkLButton = 0x1, kMkRButton = 0x2, kMkShift = 0x4, kMkControl = 0x8, kMkMButton = 0x10 };

// The pixel format chosen for a surface, with what the palette construction needs.
struct PixelFormatInfo {
    int colorBits = 24;
    int depthBits = 24;
    bool needsPalette = false;
    int redBits = 8, redShift = 16, greenBits = 8, greenShift = 8, blueBits = 8, blueShift = 0;
};

// Handle of an OpenGL rendering context; its meaning belongs to the host that made it.
using GLContextHandle = void*;

// A drawable OpenGL renders into: the control's window, or the hidden working surface.
class RenderSurface {
public:
    virtual ~RenderSurface() = default;
    // Chooses and sets the pixel format (double buffer, RGBA, 24 colour bits, deepest depth). False on failure.
    virtual bool ChooseFormat() = 0;
    virtual const PixelFormatInfo& Format() const = 0;
    virtual PixelSize Size() const = 0;
    // Changes the size of a surface the host owns outright (the working surface).
    virtual bool Resize(int width, int height) = 0;
};

// Messages a host delivers to the control.
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

class WindowHost {
public:
    virtual ~WindowHost() = default;

    // Window
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

    // Timers: id and period in milliseconds; a timer fires until killed. Returns the id, 0 on failure.
    virtual unsigned SetTimer(unsigned id, unsigned periodMs) = 0;
    // A timer that fires once, as soon as NowMicroseconds reaches dueUs (at once when it already has).
    // Arming an id again replaces what it was armed for. Returns the id, 0 on failure.
    virtual unsigned SetTimerAt(unsigned id, std::uint64_t dueUs) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // Microseconds of the host's clock; the frame timer reads it so a headless host can step time.
    virtual std::uint64_t NowMicroseconds() const = 0;

    // Input state
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    virtual bool HasCapture() const = 0;
    // kMkShift and kMkControl as they are now.
    virtual unsigned ModifierState() const = 0;
    // Moves the pointer to the client point, clicks the left button there, moves it back.
    virtual void SyntheticClick(int x, int y) = 0;

    // Ambient properties of the container
    virtual bool AmbientUserMode() const = 0;
    virtual std::uint32_t AmbientBackColor() const = 0;  // 0xRRGGBB
    virtual bool AmbientUIDead() const = 0;

    // The container's pixels under the control (client coordinates of the control). False when none.
    virtual bool CaptureBackground(const ScreenRect& clientRect, RgbaImage& out) = 0;

    // OpenGL
    virtual RenderSurface* WindowSurface() = 0;
    virtual std::unique_ptr<RenderSurface> CreateWorkingSurface(int width, int height) = 0;
    // A new context for the surface sharing display lists and textures with the process root context,
    // which is created first when it does not exist yet. *shared is false when sharing failed.
    virtual GLContextHandle CreateContext(RenderSurface& surface, bool* shared) = 0;
    virtual bool MakeCurrent(RenderSurface& surface, GLContextHandle context) = 0;
    virtual void ReleaseCurrent() = 0;
    virtual void SwapBuffers(RenderSurface& surface) = 0;
    virtual void DeleteContext(GLContextHandle context) = 0;
};

}  // namespace vessant
