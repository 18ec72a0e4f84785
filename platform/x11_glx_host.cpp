#include "platform/x11_glx_host.h"

#include <GL/glx.h>
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <poll.h>
#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "platform/glx_contexts.h"
#include "platform/glx_surface.h"
#include "platform/rgba_crop.h"
#include "platform/timer_queue.h"
#include "platform/x11_background_capture.h"
#include "platform/x11_input_translator.h"
#include "platform/x_error_trap.h"

namespace vessant {
namespace {

bool Fail(std::string* error, const std::string& message) {
    if (error) *error = message;
    return false;
}

std::uint64_t MonotonicMicroseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000u;
}

std::string Hex(unsigned long value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", value);
    return text;
}

int ConfigAttribute(Display* display, GLXFBConfig config, int attribute) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

// Double buffer, RGBA, 8 bits per colour, the deepest depth buffer offered (32, else 24). A visual
// of the screen's own depth is preferred, so the window needs no conversion against its parent.
GLXFBConfig ChooseConfig(Display* display, int screen, int drawableTypes) {
    const int wanted[] = {GLX_X_RENDERABLE, True, GLX_DRAWABLE_TYPE, drawableTypes, GLX_RENDER_TYPE, GLX_RGBA_BIT,
                          GLX_X_VISUAL_TYPE, GLX_TRUE_COLOR, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                          GLX_DEPTH_SIZE, 24, GLX_DOUBLEBUFFER, True, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, screen, wanted, &count);
    if (configs == nullptr) return nullptr;

    const int screenDepth = DefaultDepth(display, screen);
    auto score = [&](GLXFBConfig config) {
        int result = 0;
        if (XVisualInfo* visual = glXGetVisualFromFBConfig(display, config)) {
            result += visual->depth == screenDepth ? 10000 : 0;
            XFree(visual);
        } else {
            return -1;
        }
        const int depth = ConfigAttribute(display, config, GLX_DEPTH_SIZE);
        const bool exactColour = ConfigAttribute(display, config, GLX_RED_SIZE) == 8 &&
                                 ConfigAttribute(display, config, GLX_GREEN_SIZE) == 8 &&
                                 ConfigAttribute(display, config, GLX_BLUE_SIZE) == 8;
        result += exactColour ? 1000 : 0;
        result += depth <= 32 ? depth * 10 : 0;
        result += ConfigAttribute(display, config, GLX_ALPHA_SIZE) == 0 ? 2 : 0;
        result += ConfigAttribute(display, config, GLX_STENCIL_SIZE) == 0 ? 1 : 0;
        return result;
    };
    GLXFBConfig best = nullptr;
    int bestScore = -1;
    for (int i = 0; i < count; ++i) {
        const int s = score(configs[i]);
        if (s > bestScore) {
            best = configs[i];
            bestScore = s;
        }
    }
    XFree(configs);
    return best;
}

}  // namespace

struct X11GlxHost::State {
    State(HostClient& c, const X11HostOptions& o) : client(c), options(o) {}

    HostClient& client;
    X11HostOptions options;
    std::shared_ptr<Display> connection;  // surfaces hold it too, so it closes after the last one
    Display* display = nullptr;
    int screen = 0;
    GLXFBConfig config = nullptr;
    bool pbuffers = false;
    bool xtest = false;
    Window window = 0;
    Window parent = 0;
    Colormap colormap = 0;
    Atom wmProtocols = 0;
    Atom wmDeleteWindow = 0;
    std::unique_ptr<GlxSurface> surface;
    std::unique_ptr<GlxContexts> contexts;
    X11InputTranslator input;
    TimerQueue timers;
    // The host clock is CLOCK_MONOTONIC from here on, the clock the timer descriptor sleeps on.
    std::uint64_t startUs = MonotonicMicroseconds();
    // Wakes the loop at the next timer's due time to the microsecond; a poll timeout would round
    // to whole milliseconds and land each frame up to a millisecond late.
    int timerFd = -1;
    std::uint64_t timerFdDue = 0;  // host-clock due time the descriptor is armed for; 0: disarmed
    int x = 0, y = 0, width = 0, height = 0;
    bool mapped = false;
    bool invalid = false;
    ScreenRect invalidRect;  // bounds everything invalidated since the last paint
    bool erase = false;
    bool quit = false;
    bool closing = false;  // close messages delivered or under way
    bool capture = false;
    // The parent's pixels under the window, in client coordinates, read once per window geometry.
    enum class Background { Stale, Valid, Unreadable } backgroundState = Background::Stale;
    RgbaImage background;
    // A descriptor the loop waits on besides the X connection (a script on standard input).
    int watchFd = -1;
    std::function<void()> onWatchReadable;

    std::uint64_t Now() const { return MonotonicMicroseconds() - startUs; }
    bool Open() const { return window != 0 && !closing; }

    bool Step(bool wait);
    void Dispatch(XEvent& event);
    void Configure(const XConfigureEvent& event);
    void FireDueTimers();
    void PaintIfInvalid();
    void Invalidate(bool withErase, const ScreenRect& rect);
    void Invalidate(bool withErase) { Invalidate(withErase, ScreenRect{0, 0, width, height}); }
    void ArmTimerFd();
    void CloseWindow(bool destroyedByServer);
    bool ReadBackground();
};

// One turn of the loop: events first, then due timers, then a paint when nothing else waits.
bool X11GlxHost::State::Step(bool wait) {
    while (Open() && !quit && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        Dispatch(event);
    }
    if (!Open() || quit) return false;
    FireDueTimers();
    if (!Open() || quit) return false;
    if (XPending(display) > 0) return true;
    PaintIfInvalid();
    if (!Open() || quit || !wait) return Open() && !quit;

    ArmTimerFd();
    XFlush(display);
    if (XPending(display) > 0) return true;
    pollfd descriptors[3] = {{ConnectionNumber(display), POLLIN, 0}, {timerFd, POLLIN, 0}, {watchFd, POLLIN, 0}};
    const nfds_t count = watchFd >= 0 ? 3 : 2;
    if (poll(descriptors, count, invalid ? 0 : -1) <= 0) return true;
    if ((descriptors[1].revents & POLLIN) != 0) {
        std::uint64_t expirations = 0;
        if (read(timerFd, &expirations, sizeof expirations) < 0) {
            // Nothing to take: the descriptor was re-armed after it became readable.
        }
        timerFdDue = 0;
    }
    if (count == 3 && (descriptors[2].revents & (POLLIN | POLLHUP)) != 0 && onWatchReadable) onWatchReadable();
    return true;
}

// An absolute CLOCK_MONOTONIC deadline: the wake-up does not drift by the time spent computing it.
void X11GlxHost::State::ArmTimerFd() {
    std::uint64_t due = 0;
    if (!timers.NextDue(&due)) {
        if (timerFdDue != 0) {
            const itimerspec off{};
            timerfd_settime(timerFd, TFD_TIMER_ABSTIME, &off, nullptr);
        }
        timerFdDue = 0;
        return;
    }
    // Due now or earlier still needs a non-zero time: zero would disarm the descriptor.
    const std::uint64_t when = startUs + std::max<std::uint64_t>(due, 1);
    if (when == timerFdDue) return;
    itimerspec deadline{};
    deadline.it_value.tv_sec = static_cast<time_t>(when / 1000000u);
    deadline.it_value.tv_nsec = static_cast<long>((when % 1000000u) * 1000u);
    timerfd_settime(timerFd, TFD_TIMER_ABSTIME, &deadline, nullptr);
    timerFdDue = when;
}

void X11GlxHost::State::Dispatch(XEvent& event) {
    if (event.type == DestroyNotify) {
        if (event.xdestroywindow.window == window || (parent != 0 && event.xdestroywindow.window == parent)) {
            CloseWindow(true);
        }
        return;
    }
    if (event.xany.window != window) return;

    MouseMessage message = MouseMessage::Move;
    unsigned flags = 0;
    switch (event.type) {
        case Expose:
            Invalidate(true, ScreenRect{event.xexpose.x, event.xexpose.y, event.xexpose.x + event.xexpose.width,
                                        event.xexpose.y + event.xexpose.height});
            break;
        case ConfigureNotify:
            Configure(event.xconfigure);
            break;
        case ClientMessage:
            if (event.xclient.message_type == wmProtocols &&
                static_cast<Atom>(event.xclient.data.l[0]) == wmDeleteWindow) {
                CloseWindow(false);
            }
            break;
        case ButtonPress:
            // An embedded window gets no focus from a window manager: a click gives it the keyboard.
            if (parent != 0) XSetInputFocus(display, window, RevertToParent, event.xbutton.time);
            if (input.Press(event.xbutton.button, event.xbutton.x, event.xbutton.y, event.xbutton.time,
                            event.xbutton.state, &message, &flags)) {
                client.OnMouse(message, event.xbutton.x, event.xbutton.y, flags);
            }
            break;
        case ButtonRelease:
            if (input.Release(event.xbutton.button, event.xbutton.state, &message, &flags)) {
                client.OnMouse(message, event.xbutton.x, event.xbutton.y, flags);
            }
            break;
        case MotionNotify:
            client.OnMouse(MouseMessage::Move, event.xmotion.x, event.xmotion.y,
                           X11InputTranslator::Flags(event.xmotion.state));
            break;
        case KeyPress:
        case KeyRelease:
            // Index 0: the unshifted symbol of the key, the shift state travels in the flags.
            client.OnKey(event.type == KeyPress, XLookupKeysym(&event.xkey, 0),
                         X11InputTranslator::Flags(event.xkey.state));
            // The key continues to the container, as if the control had not selected it.
            if (parent != 0 && Open()) {
                XEvent forwarded = event;
                forwarded.xkey.window = parent;
                XSendEvent(display, parent, False, event.type == KeyPress ? KeyPressMask : KeyReleaseMask,
                           &forwarded);
            }
            break;
        default:
            break;
    }
}

void X11GlxHost::State::Configure(const XConfigureEvent& event) {
    const bool moved = event.x != x || event.y != y;
    const bool resized = event.width != width || event.height != height;
    if (moved || resized) backgroundState = Background::Stale;
    x = event.x;
    y = event.y;
    if (!resized) return;
    width = event.width;
    height = event.height;
    if (surface) surface->SetSize(width, height);
    client.OnSize(width, height);
}

void X11GlxHost::State::FireDueTimers() {
    const std::uint64_t now = Now();
    unsigned id = 0;
    std::uint64_t due = 0;
    // Each timer fires at most once per turn: a late one is re-armed a period from now.
    while (Open() && !quit && timers.TakeDue(now, TimerQueue::Late::Skip, &id, &due)) client.OnTimer(id);
}

void X11GlxHost::State::PaintIfInvalid() {
    if (!Open() || !invalid) return;
    const bool withErase = erase;
    // Validated before the handlers run, so an invalidation made while painting asks for another paint.
    const ScreenRect rect = invalidRect;
    invalid = erase = false;
    invalidRect = ScreenRect();
    if (withErase) client.OnEraseBackground();
    client.OnPaint(rect);
}

void X11GlxHost::State::Invalidate(bool withErase, const ScreenRect& rect) {
    if (!Open()) return;
    const ScreenRect clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
                             std::min(rect.bottom, height)};
    if (clipped.Empty()) return;
    invalid = true;
    erase = erase || withErase;
    invalidRect = invalidRect.United(clipped);
}

// The handlers run while the window still exists, so the control can release its contexts on it.
void X11GlxHost::State::CloseWindow(bool destroyedByServer) {
    if (closing) return;
    closing = true;
    timers.Clear();
    client.OnClose();
    client.OnDestroy();
    timers.Clear();
    invalid = erase = false;
    invalidRect = ScreenRect();
    if (capture) XUngrabPointer(display, CurrentTime);
    capture = false;

    if (surface) surface->Release();
    XErrorTrap trap(display);
    if (!destroyedByServer && window != 0) XDestroyWindow(display, window);
    if (parent != 0) XSelectInput(display, parent, NoEventMask);
    window = 0;
    if (colormap != 0) XFreeColormap(display, colormap);
    colormap = 0;
    trap.Finish();
}

bool X11GlxHost::State::ReadBackground() {
    // A parent not shown yet is asked again next time; nothing was unmapped for it.
    XWindowAttributes attributes;
    {
        XErrorTrap trap(display);
        const Status ok = XGetWindowAttributes(display, parent, &attributes);
        if (trap.Finish() != 0 || ok == 0 || attributes.map_state != IsViewable) return false;
    }
    // The parent's image includes this window once it is drawn: read it while the window is unmapped.
    const bool remap = mapped;
    if (remap) {
        XUnmapWindow(display, window);
        XSync(display, False);
    }
    const bool read =
        X11BackgroundCapture::Read(display, parent, x, y, width, height, options.ambientBackColor, &background);
    // An unreadable parent is not retried until the geometry changes: each try would flash the window.
    backgroundState = read ? Background::Valid : Background::Unreadable;
    if (remap) {
        XMapWindow(display, window);
        XSync(display, False);
    }
    return read;
}

std::unique_ptr<X11GlxHost> X11GlxHost::Create(HostClient& client, const X11HostOptions& options,
                                               std::string* error) {
    if (options.width <= 0 || options.height <= 0) {
        Fail(error, "X11: window size must be positive (" + std::to_string(options.width) + "x" +
                        std::to_string(options.height) + ")");
        return nullptr;
    }
    const char* name = options.display.empty() ? nullptr : options.display.c_str();
    Display* display = XOpenDisplay(name);
    if (display == nullptr) {
        Fail(error, std::string("cannot open X display \"") + XDisplayName(name) +
                        "\" (set DISPLAY, or use --headless)");
        return nullptr;
    }

    auto state = std::make_unique<State>(client, options);
    state->connection = std::shared_ptr<Display>(display, [](Display* d) { XCloseDisplay(d); });
    state->display = display;
    XErrorTrap::InstallHandler();
    std::unique_ptr<X11GlxHost> host(new X11GlxHost(std::move(state)));
    State& s = *host->state_;
    s.closing = true;  // no close messages until OnCreate has been delivered
    s.timerFd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (s.timerFd < 0) {
        Fail(error, "cannot create a timer descriptor for the window's frame timer");
        return nullptr;
    }

    int glxMajor = 0, glxMinor = 0;
    if (!glXQueryVersion(display, &glxMajor, &glxMinor) || glxMajor < 1 || (glxMajor == 1 && glxMinor < 3)) {
        Fail(error, std::string("GLX 1.3 is not available on X display \"") + XDisplayString(display) + "\"");
        return nullptr;
    }

    s.screen = DefaultScreen(display);
    Window parentWindow = RootWindow(display, s.screen);
    if (options.parent != 0) {
        XWindowAttributes attributes;
        XErrorTrap trap(display);
        const Status ok = XGetWindowAttributes(display, options.parent, &attributes);
        if (trap.Finish() != 0 || ok == 0) {
            Fail(error, "X11: parent window " + Hex(options.parent) + " does not exist");
            return nullptr;
        }
        s.screen = XScreenNumberOfScreen(attributes.screen);
        parentWindow = options.parent;
        s.parent = options.parent;
    }

    s.config = ChooseConfig(display, s.screen, GLX_WINDOW_BIT | GLX_PBUFFER_BIT);
    s.pbuffers = s.config != nullptr;
    if (!s.config) s.config = ChooseConfig(display, s.screen, GLX_WINDOW_BIT);
    XVisualInfo* visual = s.config ? glXGetVisualFromFBConfig(display, s.config) : nullptr;
    if (visual == nullptr) {
        Fail(error, "GLX: no visual with double buffer, RGBA, 24 colour bits and a depth buffer");
        return nullptr;
    }

    s.x = options.x;
    s.y = options.y;
    s.width = options.width;
    s.height = options.height;
    s.colormap = XCreateColormap(display, RootWindow(display, s.screen), visual->visual, AllocNone);
    XSetWindowAttributes attributes = {};
    attributes.colormap = s.colormap;
    attributes.border_pixel = 0;
    attributes.background_pixmap = None;  // OpenGL paints every pixel; no flash of a background colour
    attributes.event_mask = ExposureMask | StructureNotifyMask | ButtonPressMask | ButtonReleaseMask |
                            PointerMotionMask | KeyPressMask | KeyReleaseMask;
    {
        XErrorTrap trap(display);
        s.window = XCreateWindow(display, parentWindow, s.x, s.y, static_cast<unsigned>(s.width),
                                 static_cast<unsigned>(s.height), 0, visual->depth, InputOutput, visual->visual,
                                 CWColormap | CWBorderPixel | CWBackPixmap | CWEventMask, &attributes);
        const int code = trap.Finish();
        XFree(visual);
        if (code != 0 || s.window == 0) {
            s.window = 0;
            Fail(error, "X11: cannot create the window (error " + std::to_string(code) + ")");
            return nullptr;
        }
    }

    if (s.parent == 0) {
        XStoreName(display, s.window, options.title.c_str());
        s.wmProtocols = XInternAtom(display, "WM_PROTOCOLS", False);
        s.wmDeleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
        XSetWMProtocols(display, s.window, &s.wmDeleteWindow, 1);
        XWMHints hints = {};
        hints.flags = InputHint;
        hints.input = True;  // the control takes key input
        XSetWMHints(display, s.window, &hints);
    } else {
        // The container's window going away takes this one with it.
        XSelectInput(display, s.parent, StructureNotifyMask);
    }

    s.surface = GlxSurface::ForWindow(s.connection, s.config, s.window, s.width, s.height);
    if (!s.surface) {
        Fail(error, "GLX: cannot use the window for OpenGL");
        return nullptr;
    }
    s.contexts = std::make_unique<GlxContexts>(display);

    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    s.xtest = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == True;
    // Held keys repeat as presses only, as the control expects.
    XkbSetDetectableAutoRepeat(display, True, nullptr);

    if (s.parent != 0) s.ReadBackground();  // before the first map the parent shows only itself
    XMapWindow(display, s.window);
    s.mapped = true;
    XSync(display, False);

    s.closing = false;
    if (options.attach) options.attach(*host);
    client.OnCreate();
    client.OnSize(s.width, s.height);
    return host;
}

X11GlxHost::X11GlxHost(std::unique_ptr<State> state) : state_(std::move(state)) {}

X11GlxHost::~X11GlxHost() {
    Close();
    State& s = *state_;
    if (s.window != 0) {  // a failed Create leaves a window without messages
        if (s.surface) s.surface->Release();
        XDestroyWindow(s.display, s.window);
        s.window = 0;
    }
    if (s.colormap != 0) XFreeColormap(s.display, s.colormap);
    s.surface.reset();
    s.contexts.reset();
    XSync(s.display, False);
    s.connection.reset();
    if (s.timerFd >= 0) close(s.timerFd);
    XErrorTrap::UninstallHandler();
}

void X11GlxHost::WatchDescriptor(int fd, std::function<void()> onReadable) {
    state_->watchFd = onReadable ? fd : -1;
    state_->onWatchReadable = std::move(onReadable);
}

void X11GlxHost::Run() {
    State& s = *state_;
    while (s.Open() && !s.quit) s.Step(true);
    s.quit = false;
}

void X11GlxHost::Quit() { state_->quit = true; }

void X11GlxHost::ProcessPending() {
    // A Quit waiting for Run must not stop this turn, and one asked for during it is kept for Run.
    const bool waiting = state_->quit;
    state_->quit = false;
    state_->Step(false);
    state_->quit = state_->quit || waiting;
}

void X11GlxHost::Close() {
    if (state_->window != 0) state_->CloseWindow(false);
}

unsigned long X11GlxHost::WindowId() const { return state_->window; }
bool X11GlxHost::HasWindow() const { return state_->window != 0; }
PixelSize X11GlxHost::ClientSize() const { return PixelSize{state_->width, state_->height}; }

ScreenRect X11GlxHost::WindowScreenRect() const {
    const State& s = *state_;
    if (s.window == 0) return ScreenRect{};
    int rootX = 0, rootY = 0;
    Window child = 0;
    XTranslateCoordinates(s.display, s.window, RootWindow(s.display, s.screen), 0, 0, &rootX, &rootY, &child);
    return ScreenRect{rootX, rootY, rootX + s.width, rootY + s.height};
}

void X11GlxHost::ResizeWindow(int cx, int cy) {
    State& s = *state_;
    if (!s.Open()) return;
    // An X window cannot be empty; the smallest one stands for a zero size.
    cx = std::max(cx, 1);
    cy = std::max(cy, 1);
    if (cx == s.width && cy == s.height) return;
    XResizeWindow(s.display, s.window, static_cast<unsigned>(cx), static_cast<unsigned>(cy));
    XFlush(s.display);
    // Told at once, as the control expects; the server's ConfigureNotify then changes nothing.
    XConfigureEvent resized = {};
    resized.x = s.x;
    resized.y = s.y;
    resized.width = cx;
    resized.height = cy;
    s.Configure(resized);
}

void X11GlxHost::Invalidate(bool erase) { state_->Invalidate(erase); }

void X11GlxHost::InvalidateRect(const ScreenRect& clientRect, bool erase) { state_->Invalidate(erase, clientRect); }

void X11GlxHost::Validate() {
    state_->invalid = state_->erase = false;
    state_->invalidRect = ScreenRect();
}

void X11GlxHost::InvalidateParent(bool) {
    State& s = *state_;
    if (s.parent == 0 || !s.Open()) return;
    // Exposes the whole parent: its owner repaints what this window used to cover.
    XErrorTrap trap(s.display);
    XClearArea(s.display, s.parent, 0, 0, 0, 0, True);
    trap.Finish();
}

void X11GlxHost::UpdateNow() { state_->PaintIfInvalid(); }

unsigned X11GlxHost::SetTimer(unsigned id, unsigned periodMs) {
    if (!state_->Open()) return 0;
    return state_->timers.Set(id, periodMs, state_->Now());
}

unsigned X11GlxHost::SetTimerAt(unsigned id, std::uint64_t dueUs) {
    if (!state_->Open()) return 0;
    return state_->timers.SetAt(id, dueUs);
}

void X11GlxHost::KillTimer(unsigned id) { state_->timers.Kill(id); }

std::uint64_t X11GlxHost::NowMicroseconds() const { return state_->Now(); }

void X11GlxHost::SetCapture() {
    State& s = *state_;
    if (!s.Open()) return;
    const int result = XGrabPointer(s.display, s.window, False, ButtonPressMask | ButtonReleaseMask | PointerMotionMask,
                                    GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    s.capture = result == GrabSuccess;
}

void X11GlxHost::ReleaseCapture() {
    State& s = *state_;
    if (!s.capture) return;
    XUngrabPointer(s.display, CurrentTime);
    XSync(s.display, False);  // released for other clients once this returns
    s.capture = false;
}

bool X11GlxHost::HasCapture() const { return state_->capture; }

unsigned X11GlxHost::ModifierState() const {
    const State& s = *state_;
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(s.display, RootWindow(s.display, s.screen), &root, &child, &rootX, &rootY, &windowX, &windowY,
                       &mask)) {
        return 0;
    }
    return X11InputTranslator::Flags(mask) & (kMkShift | kMkControl);
}

void X11GlxHost::SyntheticClick(int x, int y) {
    State& s = *state_;
    if (!s.Open() || !s.xtest) return;
    const Window root = RootWindow(s.display, s.screen);
    Window rootReturn = 0, child = 0;
    int oldX = 0, oldY = 0, windowX = 0, windowY = 0, targetX = 0, targetY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(s.display, root, &rootReturn, &child, &oldX, &oldY, &windowX, &windowY, &mask)) return;
    XTranslateCoordinates(s.display, s.window, root, x, y, &targetX, &targetY, &child);
    XTestFakeMotionEvent(s.display, s.screen, targetX, targetY, CurrentTime);
    XTestFakeButtonEvent(s.display, Button1, True, CurrentTime);
    XTestFakeButtonEvent(s.display, Button1, False, CurrentTime);
    XTestFakeMotionEvent(s.display, s.screen, oldX, oldY, CurrentTime);
    XFlush(s.display);
}

bool X11GlxHost::AmbientUserMode() const { return state_->options.userMode; }
std::uint32_t X11GlxHost::AmbientBackColor() const { return state_->options.ambientBackColor; }
bool X11GlxHost::AmbientUIDead() const { return state_->options.uiDead; }

bool X11GlxHost::CaptureBackground(const ScreenRect& clientRect, RgbaImage& out) {
    State& s = *state_;
    if (s.parent == 0 || !s.Open() || clientRect.Empty()) return false;
    if (s.backgroundState == State::Background::Stale) s.ReadBackground();
    if (s.backgroundState != State::Background::Valid) return false;
    return CropRgbaImage(s.background, clientRect, s.options.ambientBackColor, out);
}

RenderSurface* X11GlxHost::WindowSurface() { return state_->surface.get(); }

std::unique_ptr<RenderSurface> X11GlxHost::CreateWorkingSurface(int width, int height) {
    State& s = *state_;
    std::unique_ptr<GlxSurface> surface;
    if (s.pbuffers) surface = GlxSurface::CreateWorking(s.connection, s.config, true, width, height);
    if (!surface) surface = GlxSurface::CreateWorking(s.connection, s.config, false, width, height);
    return surface;
}

GLContextHandle X11GlxHost::CreateContext(RenderSurface& surface, bool* shared) {
    if (shared) *shared = false;
    auto* glx = dynamic_cast<GlxSurface*>(&surface);
    if (glx == nullptr || glx->GetDisplay() != state_->display || glx->Drawable() == 0) return nullptr;
    return state_->contexts->Create(glx->Config(), shared);
}

bool X11GlxHost::MakeCurrent(RenderSurface& surface, GLContextHandle context) {
    auto* glx = dynamic_cast<GlxSurface*>(&surface);
    if (glx == nullptr || glx->GetDisplay() != state_->display) return false;
    return state_->contexts->MakeCurrent(glx->Drawable(), static_cast<GLXContext>(context));
}

void X11GlxHost::ReleaseCurrent() { state_->contexts->ReleaseCurrent(); }

void X11GlxHost::SwapBuffers(RenderSurface& surface) {
    auto* glx = dynamic_cast<GlxSurface*>(&surface);
    if (glx != nullptr && glx->GetDisplay() == state_->display) glx->Swap();
}

void X11GlxHost::DeleteContext(GLContextHandle context) {
    state_->contexts->Delete(static_cast<GLXContext>(context));
}

}  // namespace vessant
