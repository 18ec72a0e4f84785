#pragma once
// A window host without a display server: the window is an EGL pbuffer on Mesa's surfaceless
// platform, and the clock and input are stepped by the caller (the player's snapshot mode, tests).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/host/window_host.h"
#include "platform/timer_queue.h"

namespace vessant {

class EglSurface;
class EglContexts;

struct HeadlessOptions {
    int width = 640;
    int height = 480;
    std::uint32_t ambientBackColor = 0x000000;  // 0xRRGGBB
    bool userMode = true;
    bool uiDead = false;
    // Called with the new host before OnCreate, so the client can use it while handling OnCreate.
    std::function<void(WindowHost&)> attach;
};

class EglHeadlessHost : public WindowHost {
public:
    // Opens EGL, makes the window's pbuffer and delivers OnCreate then OnSize. On failure returns
    // nullptr and a message naming what failed in *error.
    static std::unique_ptr<EglHeadlessHost> Create(HostClient& client, const HeadlessOptions& options,
                                                   std::string* error);
    ~EglHeadlessHost() override;
    EglHeadlessHost(const EglHeadlessHost&) = delete;
    EglHeadlessHost& operator=(const EglHeadlessHost&) = delete;

    // Moves the clock forward, firing every timer due on the way in order; after each timer
    // message, and at the end, a pending invalidation is painted.
    void AdvanceClock(std::uint64_t microseconds);
    // The container's pixels under the control, in client coordinates.
    void SetBackgroundImage(RgbaImage image);
    void SetModifierState(unsigned flags) { modifiers_ = flags; }
    // Delivers OnClose then OnDestroy once; the window surface is gone afterwards.
    void Close();

    // What the control asked of the missing desktop.
    const std::vector<std::pair<int, int>>& SyntheticClicks() const { return clicks_; }
    unsigned ParentInvalidations() const { return parentInvalidations_; }
    bool IsInvalid() const { return invalid_; }

    // WindowHost
    bool HasWindow() const override { return hasWindow_; }
    PixelSize ClientSize() const override { return size_; }
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
    std::uint64_t NowMicroseconds() const override { return now_; }
    void SetCapture() override { capture_ = true; }
    void ReleaseCapture() override { capture_ = false; }
    bool HasCapture() const override { return capture_; }
    unsigned ModifierState() const override { return modifiers_; }
    void SyntheticClick(int x, int y) override { clicks_.emplace_back(x, y); }
    bool AmbientUserMode() const override { return options_.userMode; }
    std::uint32_t AmbientBackColor() const override { return options_.ambientBackColor; }
    bool AmbientUIDead() const override { return options_.uiDead; }
    bool CaptureBackground(const ScreenRect& clientRect, RgbaImage& out) override;
    RenderSurface* WindowSurface() override;
    std::unique_ptr<RenderSurface> CreateWorkingSurface(int width, int height) override;
    GLContextHandle CreateContext(RenderSurface& surface, bool* shared) override;
    bool MakeCurrent(RenderSurface& surface, GLContextHandle context) override;
    void ReleaseCurrent() override;
    void SwapBuffers(RenderSurface& surface) override;
    void DeleteContext(GLContextHandle context) override;

private:
    EglHeadlessHost(HostClient& client, const HeadlessOptions& options, void* display, void* config);
    void PaintIfInvalid();

    HostClient& client_;
    HeadlessOptions options_;
    void* display_;  // EGLDisplay
    void* config_;   // EGLConfig
    std::unique_ptr<EglSurface> window_;
    std::unique_ptr<EglContexts> contexts_;
    PixelSize size_;
    bool hasWindow_ = true;
    bool closing_ = false;
    TimerQueue timers_;
    std::uint64_t now_ = 0;
    bool invalid_ = false;
    bool erase_ = false;
    ScreenRect invalidRect_;  // bounds everything invalidated since the last paint
    bool capture_ = false;
    unsigned modifiers_ = 0;
    unsigned parentInvalidations_ = 0;
    std::vector<std::pair<int, int>> clicks_;
    bool hasBackground_ = false;
    RgbaImage background_;
};

}  // namespace vessant
