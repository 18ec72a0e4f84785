#pragma once
// The control's window on an X server: an Xlib window (a child of the container's window, or a
// top-level one) drawn with GLX, with an event loop that delivers the window's messages.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/host/window_host.h"

namespace vessant {

struct X11HostOptions {
    unsigned long parent = 0;  // the container's window (XID); 0 for a top-level window
    int x = 0;
    int y = 0;
    int width = 640;
    int height = 480;
    std::string title = "Vessant Player";  // top-level windows only
    std::string display;                   // empty: $DISPLAY
    std::uint32_t ambientBackColor = 0x000000;  // 0xRRGGBB
    bool userMode = true;
    bool uiDead = false;
    // Called with the new host before OnCreate, so the client can use it while handling OnCreate.
    std::function<void(WindowHost&)> attach;
};

class X11GlxHost : public WindowHost {
public:
    // Opens the display, creates and maps the window, and delivers OnCreate then OnSize. On failure
    // returns nullptr and a message naming what failed in *error.
    static std::unique_ptr<X11GlxHost> Create(HostClient& client, const X11HostOptions& options,
                                              std::string* error);
    ~X11GlxHost() override;
    X11GlxHost(const X11GlxHost&) = delete;
    X11GlxHost& operator=(const X11GlxHost&) = delete;

    // Delivers events, timers and paints until the window closes or Quit is called.
    void Run();
    // While Run waits, also waits on fd and calls onReadable when it can be read (or hung up);
    // an empty function stops watching.
    void WatchDescriptor(int fd, std::function<void()> onReadable);
    // Ends Run after the message being handled; callable from any handler.
    void Quit();
    // Handles what is waiting now (events, due timers, a pending paint) without blocking.
    void ProcessPending();
    // Delivers OnClose then OnDestroy once and destroys the window.
    void Close();
    unsigned long WindowId() const;

    // WindowHost
    bool HasWindow() const override;
    PixelSize ClientSize() const override;
    ScreenRect WindowScreenRect() const override;
    void ResizeWindow(int cx, int cy) override;
    void Invalidate(bool erase) override;
    void InvalidateRect(const ScreenRect& clientRect, bool erase) override;
    void Validate() override;
    void InvalidateParent(bool erase) override;
    void UpdateNow() override;
    unsigned SetTimer(unsigned id, unsigned periodMs) override;
    unsigned SetTimerAt(unsigned id, std::uint64_t dueUs) override;
    void KillTimer(unsigned id) override;
    std::uint64_t NowMicroseconds() const override;
    void SetCapture() override;
    void ReleaseCapture() override;
    bool HasCapture() const override;
    unsigned ModifierState() const override;
    void SyntheticClick(int x, int y) override;
    bool AmbientUserMode() const override;
    std::uint32_t AmbientBackColor() const override;
    bool AmbientUIDead() const override;
    bool CaptureBackground(const ScreenRect& clientRect, RgbaImage& out) override;
    RenderSurface* WindowSurface() override;
    std::unique_ptr<RenderSurface> CreateWorkingSurface(int width, int height) override;
    GLContextHandle CreateContext(RenderSurface& surface, bool* shared) override;
    bool MakeCurrent(RenderSurface& surface, GLContextHandle context) override;
    void ReleaseCurrent() override;
    void SwapBuffers(RenderSurface& surface) override;
    void DeleteContext(GLContextHandle context) override;

private:
    struct State;  // the X and GLX objects and the loop, kept out of this header
    explicit X11GlxHost(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;
};

}  // namespace vessant
