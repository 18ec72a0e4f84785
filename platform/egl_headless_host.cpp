#include "platform/egl_headless_host.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "platform/egl_contexts.h"
#include "platform/egl_surface.h"
#include "platform/rgba_crop.h"

namespace vessant {
namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

std::string Hex(EGLint code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(code));
    return text;
}

EGLint ConfigAttribute(EGLDisplay display, EGLConfig config, EGLint attribute) {
    EGLint value = 0;
    eglGetConfigAttrib(display, config, attribute, &value);
    return value;
}

// The fixed descriptor: 8 bits per colour, no alpha wanted, the deepest depth buffer offered up to 32.
bool ChoosePbufferConfig(EGLDisplay display, EGLConfig* chosen) {
    const EGLint wanted[] = {EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24,
                             EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, nullptr, 0, &count) || count <= 0) return false;
    std::vector<EGLConfig> configs(static_cast<size_t>(count));
    if (!eglChooseConfig(display, wanted, configs.data(), count, &count) || count <= 0) return false;
    configs.resize(static_cast<size_t>(count));

    auto score = [&](EGLConfig config) {
        const EGLint depth = ConfigAttribute(display, config, EGL_DEPTH_SIZE);
        const bool exactColour = ConfigAttribute(display, config, EGL_RED_SIZE) == 8 &&
                                 ConfigAttribute(display, config, EGL_GREEN_SIZE) == 8 &&
                                 ConfigAttribute(display, config, EGL_BLUE_SIZE) == 8;
        const bool noAlpha = ConfigAttribute(display, config, EGL_ALPHA_SIZE) == 0;
        const bool noStencil = ConfigAttribute(display, config, EGL_STENCIL_SIZE) == 0;
        return (exactColour ? 1000 : 0) + (depth <= 32 ? depth * 10 : 0) + (noAlpha ? 2 : 0) + (noStencil ? 1 : 0);
    };
    *chosen = *std::max_element(configs.begin(), configs.end(),
                                [&](EGLConfig a, EGLConfig b) { return score(a) < score(b); });
    return true;
}

// Initialises `display` and finds a pbuffer config on it; the message says which step failed.
bool PrepareDisplay(EGLDisplay display, EGLConfig* config, std::string* error) {
    if (display == EGL_NO_DISPLAY) return Fail(error, "EGL: no display");
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) {
        return Fail(error, "EGL: eglInitialize failed (" + Hex(eglGetError()) + ")");
    }
    if (!eglBindAPI(EGL_OPENGL_API)) return Fail(error, "EGL: desktop OpenGL API not available");
    if (!ChoosePbufferConfig(display, config)) return Fail(error, "EGL: no pbuffer config");
    return true;
}

}  // namespace

std::unique_ptr<EglHeadlessHost> EglHeadlessHost::Create(HostClient& client, const HeadlessOptions& options,
                                                         std::string* error) {
    if (options.width <= 0 || options.height <= 0) {
        Fail(error, "EGL: window size must be positive (" + std::to_string(options.width) + "x" +
                        std::to_string(options.height) + ")");
        return nullptr;
    }

    // Mesa's surfaceless platform needs no display server; the default display is the fallback.
    EGLConfig config = nullptr;
    std::string surfacelessError;
    EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (!PrepareDisplay(display, &config, &surfacelessError)) {
        display = eglGetDisplay(EGL_DEFAULT_DISPLAY);
        std::string defaultError;
        if (!PrepareDisplay(display, &config, &defaultError)) {
            Fail(error, surfacelessError + "; default display: " + defaultError);
            return nullptr;
        }
    }

    std::unique_ptr<EglHeadlessHost> host(new EglHeadlessHost(client, options, display, config));
    if (!host->window_->Recreate(options.width, options.height)) {
        Fail(error, "EGL: eglCreatePbufferSurface failed (" + Hex(eglGetError()) + ")");
        host->hasWindow_ = false;
        host->closing_ = true;  // the client never saw OnCreate: no close messages either
        return nullptr;
    }

    if (options.attach) options.attach(*host);
    client.OnCreate();
    client.OnSize(host->size_.width, host->size_.height);
    return host;
}

EglHeadlessHost::EglHeadlessHost(HostClient& client, const HeadlessOptions& options, void* display, void* config)
    : client_(client),
      options_(options),
      display_(display),
      config_(config),
      window_(std::make_unique<EglSurface>(display, config, false)),
      contexts_(std::make_unique<EglContexts>(display)),
      size_{options.width, options.height} {}

EglHeadlessHost::~EglHeadlessHost() {
    Close();
    contexts_.reset();
    window_.reset();
}

void EglHeadlessHost::Close() {
    if (closing_) return;
    closing_ = true;
    timers_.Clear();
    client_.OnClose();
    client_.OnDestroy();
    timers_.Clear();  // the handlers may have armed one
    hasWindow_ = false;
    invalid_ = erase_ = false;
    invalidRect_ = ScreenRect();
    capture_ = false;
    window_->Release();
}

void EglHeadlessHost::AdvanceClock(std::uint64_t microseconds) {
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max();
    const std::uint64_t target = microseconds > limit - now_ ? limit : now_ + microseconds;
    unsigned id = 0;
    std::uint64_t due = 0;
    while (hasWindow_ && timers_.TakeDue(target, TimerQueue::Late::CatchUp, &id, &due)) {
        now_ = std::max(now_, due);
        client_.OnTimer(id);
        PaintIfInvalid();
    }
    now_ = target;
    PaintIfInvalid();
}

void EglHeadlessHost::SetBackgroundImage(RgbaImage image) {
    background_ = std::move(image);
    hasBackground_ = true;
}

ScreenRect EglHeadlessHost::WindowScreenRect() const { return ScreenRect{0, 0, size_.width, size_.height}; }

void EglHeadlessHost::ResizeWindow(int cx, int cy) {
    if (!hasWindow_) return;
    cx = std::max(cx, 1);
    cy = std::max(cy, 1);
    if (cx == size_.width && cy == size_.height) return;
    if (!window_->Recreate(cx, cy)) return;  // the old pbuffer and size stay
    size_ = PixelSize{cx, cy};
    client_.OnSize(cx, cy);
    // A new pbuffer holds nothing yet: the whole window needs painting, as after an expose.
    Invalidate(true);
}

void EglHeadlessHost::Invalidate(bool erase) { InvalidateRect(ScreenRect{0, 0, size_.width, size_.height}, erase); }

void EglHeadlessHost::InvalidateRect(const ScreenRect& clientRect, bool erase) {
    const ScreenRect clipped{std::max(clientRect.left, 0), std::max(clientRect.top, 0),
                             std::min(clientRect.right, size_.width), std::min(clientRect.bottom, size_.height)};
    if (!hasWindow_ || clipped.Empty()) return;
    invalid_ = true;
    erase_ = erase_ || erase;
    invalidRect_ = invalidRect_.United(clipped);
}

void EglHeadlessHost::Validate() {
    invalid_ = erase_ = false;
    invalidRect_ = ScreenRect();
}

void EglHeadlessHost::InvalidateParent(bool) { ++parentInvalidations_; }

void EglHeadlessHost::UpdateNow() { PaintIfInvalid(); }

void EglHeadlessHost::PaintIfInvalid() {
    if (!hasWindow_ || !invalid_) return;
    const bool erase = erase_;
    const ScreenRect rect = invalidRect_;
    // Validated before the handlers run, so an invalidation made while painting asks for another paint.
    invalid_ = erase_ = false;
    invalidRect_ = ScreenRect();
    if (erase) client_.OnEraseBackground();
    client_.OnPaint(rect);
}

unsigned EglHeadlessHost::SetTimer(unsigned id, unsigned periodMs) {
    if (!hasWindow_) return 0;
    return timers_.Set(id, periodMs, now_);
}

unsigned EglHeadlessHost::SetTimerAt(unsigned id, std::uint64_t dueUs) {
    if (!hasWindow_) return 0;
    return timers_.SetAt(id, dueUs);
}

void EglHeadlessHost::KillTimer(unsigned id) { timers_.Kill(id); }

bool EglHeadlessHost::CaptureBackground(const ScreenRect& clientRect, RgbaImage& out) {
    if (!hasBackground_) return false;
    return CropRgbaImage(background_, clientRect, options_.ambientBackColor, out);
}

RenderSurface* EglHeadlessHost::WindowSurface() { return window_.get(); }

std::unique_ptr<RenderSurface> EglHeadlessHost::CreateWorkingSurface(int width, int height) {
    auto surface = std::make_unique<EglSurface>(display_, config_, true);
    if (!surface->Recreate(width, height)) return nullptr;
    return surface;
}

GLContextHandle EglHeadlessHost::CreateContext(RenderSurface& surface, bool* shared) {
    if (shared) *shared = false;
    auto* egl = dynamic_cast<EglSurface*>(&surface);
    if (egl == nullptr || egl->Display() != display_) return nullptr;
    return contexts_->Create(egl->Config(), shared);
}

bool EglHeadlessHost::MakeCurrent(RenderSurface& surface, GLContextHandle context) {
    auto* egl = dynamic_cast<EglSurface*>(&surface);
    if (egl == nullptr || egl->Display() != display_) return false;
    return contexts_->MakeCurrent(egl->Handle(), context);
}

void EglHeadlessHost::ReleaseCurrent() { contexts_->ReleaseCurrent(); }

void EglHeadlessHost::SwapBuffers(RenderSurface& surface) {
    // A pbuffer has no front buffer: the frame stays readable in the back buffer after this.
    auto* egl = dynamic_cast<EglSurface*>(&surface);
    if (egl != nullptr && egl->Handle() != EGL_NO_SURFACE) eglSwapBuffers(display_, egl->Handle());
}

void EglHeadlessHost::DeleteContext(GLContextHandle context) { contexts_->Delete(context); }

}  // namespace vessant
