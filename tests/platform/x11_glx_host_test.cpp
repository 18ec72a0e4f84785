// The X11 host on a real display: top-level and child windows, captures, timers, paints,
// contexts and the pointer; the translation of X button presses to messages and flags, and of
// X keysyms to the runtime's key codes through the names xdotool and the script mode use.
#include "platform/x11_glx_host.h"

// GoogleTest before Xlib, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <X11/X.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "control/key_mapping.h"
#include "orvan/keyboard_event.h"
#include "platform/recording_client.h"
#include "platform/x11_input_translator.h"
#include "platform/x11_keysym_name.h"
#include "platform/x_error_trap.h"
#include "support/x_window_wait.h"

namespace vessant {
namespace {

using test::MouseRecord;
using test::RecordingClient;

using Pixel = std::vector<std::uint8_t>;
Pixel Rgba(const RgbaImage& image, int x, int y) { return Pixel(image.At(x, y), image.At(x, y) + 4); }

constexpr unsigned kQuitTimer = 900;
constexpr unsigned kPollTimer = 901;

class X11GlxHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* name = std::getenv("DISPLAY");
        if (name == nullptr || *name == '\0') GTEST_SKIP() << "DISPLAY is not set";
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr) GTEST_SKIP() << "cannot open X display " << name;
    }
    void TearDown() override {
        host_.reset();
        for (Window window : parents_) XDestroyWindow(display_, window);
        if (display_) XCloseDisplay(display_);
    }

    // Options for a window of this size, in `parent` when one is given.
    static X11HostOptions Sized(int width, int height, Window parent = 0) {
        X11HostOptions options;
        options.width = width;
        options.height = height;
        options.parent = parent;
        return options;
    }
    bool Create(X11HostOptions options) {
        std::string error;
        host_ = X11GlxHost::Create(client_, options, &error);
        EXPECT_NE(host_, nullptr) << error;
        return host_ != nullptr;
    }

    // A container window of the test's own, filled with `colour` by the server.
    Window CreateParent(int width, int height, unsigned long colour, bool shown = true) {
        Window parent = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 50, 40, width, height, 0, 0, colour);
        parents_.push_back(parent);
        XSync(display_, False);
        if (shown) Show(parent);
        return parent;
    }
    void Show(Window window) {
        XSelectInput(display_, window, ExposureMask);
        XMapWindow(display_, window);
        XEvent event;
        XWindowEvent(display_, window, ExposureMask, &event);  // mapped and painted its background
    }

    // Runs the loop until `done` holds or `ms` milliseconds pass.
    void RunUntil(const std::function<bool()>& done, unsigned ms) {
        const auto chained = client_.onTimer;
        client_.onTimer = [&](unsigned id) {
            if (id == kQuitTimer || (id == kPollTimer && done())) host_->Quit();
            if (chained) chained(id);
        };
        host_->SetTimer(kQuitTimer, ms);
        host_->SetTimer(kPollTimer, 5);
        host_->Run();
        host_->KillTimer(kQuitTimer);
        host_->KillTimer(kPollTimer);
        client_.onTimer = chained;
    }
    void RunFor(unsigned ms) {
        RunUntil([] { return false; }, ms);
    }

    std::vector<MouseRecord> Buttons() const {
        std::vector<MouseRecord> buttons;
        for (const auto& record : client_.mouse) {
            if (record.message != MouseMessage::Move) buttons.push_back(record);
        }
        return buttons;
    }

    void SendDeleteWindow() {
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = host_->WindowId();
        event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
        XSendEvent(display_, host_->WindowId(), False, NoEventMask, &event);
        XFlush(display_);
    }

    Display* display_ = nullptr;
    std::vector<Window> parents_;
    RecordingClient client_;
    std::unique_ptr<X11GlxHost> host_;
};

TEST_F(X11GlxHostTest, TopLevelWindowOpensMappedAndClosesOnDeleteWindow) {
    X11HostOptions options = Sized(320, 240);
    options.title = "platform test";
    ASSERT_TRUE(Create(options));
    EXPECT_EQ(client_.log, (std::vector<std::string>{"create", "size 320x240"}));
    EXPECT_TRUE(host_->HasWindow());
    const Window window = host_->WindowId();

    XWindowAttributes attributes;
    ASSERT_TRUE(XGetWindowAttributes(display_, window, &attributes));
    EXPECT_EQ(attributes.map_state, IsViewable);
    EXPECT_EQ(attributes.width, 320);
    char* title = nullptr;
    ASSERT_TRUE(XFetchName(display_, window, &title));
    EXPECT_STREQ(title, "platform test");
    XFree(title);
    RgbaImage image;
    EXPECT_FALSE(host_->CaptureBackground(ScreenRect{0, 0, 4, 4}, image));  // no container

    SendDeleteWindow();
    const auto start = std::chrono::steady_clock::now();
    host_->Run();  // returns by itself once the window is gone
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    ASSERT_GE(client_.log.size(), 2u);
    EXPECT_EQ(client_.log[client_.log.size() - 2], "close");
    EXPECT_EQ(client_.log.back(), "destroy");
    EXPECT_FALSE(host_->HasWindow());

    XErrorTrap trap(display_);
    XGetWindowAttributes(display_, window, &attributes);
    EXPECT_NE(trap.Finish(), 0) << "the window should be destroyed";

    host_.reset();
    EXPECT_EQ(client_.Count("close"), 1);
}

TEST_F(X11GlxHostTest, ChildWindowSitsInItsParentAndCapturesItsPixels) {
    const Window parent = CreateParent(120, 150, 0x3366CC);  // the control reaches past its right edge
    GC gc = XCreateGC(display_, parent, 0, nullptr);
    XSetForeground(display_, gc, 0xFF8000);
    XFillRectangle(display_, parent, gc, 30, 20, 10, 10);  // at client (0..9, 0..9) of the control
    XFreeGC(display_, gc);
    XSync(display_, False);

    X11HostOptions options = Sized(100, 80, parent);
    options.x = 30;
    options.y = 20;
    options.ambientBackColor = 0x010203;
    ASSERT_TRUE(Create(options));

    EXPECT_EQ(test::FirstChild(display_, parent), host_->WindowId());
    EXPECT_EQ(host_->WindowScreenRect(), (ScreenRect{50 + 30, 40 + 20, 50 + 30 + 100, 40 + 20 + 80}));

    RgbaImage image;
    ASSERT_TRUE(host_->CaptureBackground(ScreenRect{5, 5, 15, 12}, image));
    ASSERT_EQ(image.width, 10);
    ASSERT_EQ(image.height, 7);
    EXPECT_EQ(Rgba(image, 0, 0), (Pixel{0xFF, 0x80, 0x00, 255}));
    EXPECT_EQ(Rgba(image, 9, 6), (Pixel{0x33, 0x66, 0xCC, 255}));

    // Client x 90 and on lie beyond the parent: the ambient colour.
    ASSERT_TRUE(host_->CaptureBackground(ScreenRect{95, 0, 100, 2}, image));
    EXPECT_EQ(Rgba(image, 4, 1), (Pixel{1, 2, 3, 255}));
}

TEST_F(X11GlxHostTest, ResizeDeliversSizeOnceAndACaptureReadsTheParentNotTheControl) {
    const Window parent = CreateParent(200, 150, 0x00FF00);
    ASSERT_TRUE(Create(Sized(60, 40, parent)));

    // Paint the control red; a capture must still see the green parent underneath.
    bool shared = false;
    GLContextHandle context = host_->CreateContext(*host_->WindowSurface(), &shared);
    ASSERT_TRUE(host_->MakeCurrent(*host_->WindowSurface(), context));
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    host_->SwapBuffers(*host_->WindowSurface());
    glFinish();
    host_->ResizeWindow(80, 50);
    RunFor(100);
    EXPECT_EQ(client_.Count("size 80x50"), 1);
    EXPECT_EQ(host_->ClientSize().width, 80);
    EXPECT_EQ(host_->WindowSurface()->Size().height, 50);
    XWindowAttributes attributes;
    XGetWindowAttributes(display_, host_->WindowId(), &attributes);
    EXPECT_TRUE(attributes.width == 80 && attributes.height == 50 && attributes.map_state == IsViewable);

    RgbaImage image;
    ASSERT_TRUE(host_->CaptureBackground(ScreenRect{0, 0, 80, 50}, image));
    EXPECT_EQ(Rgba(image, 40, 20), (Pixel{0, 255, 0, 255}));
    host_->DeleteContext(context);
}

TEST_F(X11GlxHostTest, ParentShownAfterTheControlIsCapturedOnceShown) {
    const Window parent = CreateParent(100, 100, 0xC08040, false);
    ASSERT_TRUE(Create(Sized(40, 30, parent)));

    RgbaImage image;
    EXPECT_FALSE(host_->CaptureBackground(ScreenRect{0, 0, 40, 30}, image));
    Show(parent);
    ASSERT_TRUE(host_->CaptureBackground(ScreenRect{0, 0, 40, 30}, image));
    EXPECT_EQ(Rgba(image, 20, 15), (Pixel{0xC0, 0x80, 0x40, 255}));
}

TEST_F(X11GlxHostTest, DestroyingTheParentClosesTheControl) {
    const Window parent = CreateParent(100, 100, 0);
    ASSERT_TRUE(Create(Sized(50, 50, parent)));
    XDestroyWindow(display_, parent);
    XSync(display_, False);
    parents_.clear();

    host_->Run();
    EXPECT_EQ(client_.Count("close"), 1);
    EXPECT_EQ(client_.Count("destroy"), 1);
    EXPECT_FALSE(host_->HasWindow());
    host_.reset();  // nothing left to destroy, and no X error ends the process
    EXPECT_EQ(client_.Count("destroy"), 1);
}

TEST_F(X11GlxHostTest, SixteenMillisecondTimerFiresAboutThirtyTimesInHalfASecond) {
    ASSERT_TRUE(Create(X11HostOptions()));
    int ticks = 0;
    client_.onTimer = [&](unsigned id) {
        if (id == 1) ++ticks;
        if (id == 2) host_->Quit();
    };
    host_->SetTimer(1, 16);
    host_->SetTimer(2, 500);
    const auto start = std::chrono::steady_clock::now();
    host_->Run();
    const auto elapsed = std::chrono::steady_clock::now() - start;
    // A loaded machine may drop a late tick (never burst), so the lower bound is loose.
    EXPECT_GE(ticks, 22);
    EXPECT_LE(ticks, 32);
    EXPECT_GE(elapsed, std::chrono::milliseconds(490));
    EXPECT_LT(elapsed, std::chrono::milliseconds(1500));

    host_->KillTimer(1);
    ticks = 0;
    RunFor(100);
    EXPECT_EQ(ticks, 0);
}

TEST_F(X11GlxHostTest, OneShotTimerFiresOnceAtItsDueTimeAndCanBeRearmedFromItsHandler) {
    ASSERT_TRUE(Create(X11HostOptions()));
    std::vector<std::uint64_t> firedAt;
    std::uint64_t due = host_->NowMicroseconds() + 20000;
    client_.onTimer = [&](unsigned id) {
        if (id != 1) return;
        firedAt.push_back(host_->NowMicroseconds());
        if (firedAt.size() < 3) host_->SetTimerAt(1, due += 20000);
    };
    host_->SetTimerAt(1, due);
    RunFor(300);
    ASSERT_EQ(firedAt.size(), 3u) << "once per arming, never again by itself";
    // Never early: the loop sleeps until the deadline itself.
    EXPECT_GE(firedAt[2], due);
}

TEST_F(X11GlxHostTest, ExposeAndInvalidationsGiveCoalescedPaints) {
    ASSERT_TRUE(Create(X11HostOptions()));
    RunUntil([&] { return client_.paints > 0; }, 2000);
    EXPECT_GE(client_.paints, 1) << "the first map exposes the window";

    client_.log.clear();
    client_.paints = 0;
    host_->Invalidate(false);
    host_->InvalidateRect(ScreenRect{0, 0, 1, 1}, true);
    host_->Invalidate(false);
    RunFor(50);
    EXPECT_EQ(client_.paints, 1);
    EXPECT_EQ(client_.Count("erase"), 1);

    client_.paints = 0;
    client_.paintRects.clear();
    host_->InvalidateRect(ScreenRect{0, 0, 1, 1}, false);
    RunUntil([&] { return client_.paints > 0; }, 2000);
    ASSERT_EQ(client_.paintRects.size(), 1u);
    EXPECT_EQ(client_.paintRects[0], (ScreenRect{0, 0, 1, 1})) << "a one-pixel request paints one pixel";

    // An expose paints what the server exposed.
    client_.paints = 0;
    client_.paintRects.clear();
    XClearArea(display_, host_->WindowId(), 2, 3, 10, 10, True);
    XFlush(display_);
    RunUntil([&] { return client_.paints > 0; }, 2000);
    EXPECT_EQ(client_.paints, 1);
    ASSERT_EQ(client_.paintRects.size(), 1u);
    EXPECT_EQ(client_.paintRects[0], (ScreenRect{2, 3, 12, 13}));

    // Quit from inside a paint ends the loop.
    client_.onPaint = [&] { host_->Quit(); };
    host_->Invalidate(false);
    host_->SetTimer(kQuitTimer, 5000);
    const auto start = std::chrono::steady_clock::now();
    host_->Run();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    client_.onPaint = nullptr;
}

TEST_F(X11GlxHostTest, ContextsDrawInTheWindowAndShareWithTheWorkingSurface) {
    ASSERT_TRUE(Create(Sized(64, 32)));
    EXPECT_EQ(host_->WindowSurface()->Format().colorBits, 24);
    EXPECT_GE(host_->WindowSurface()->Format().depthBits, 24);

    bool shared = false;
    GLContextHandle window = host_->CreateContext(*host_->WindowSurface(), &shared);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(shared);
    ASSERT_TRUE(host_->MakeCurrent(*host_->WindowSurface(), window));
    EXPECT_NE(glGetString(GL_VERSION), nullptr);
    glDrawBuffer(GL_BACK);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    std::uint8_t pixel[4] = {};
    glReadPixels(63, 31, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(Pixel(pixel, pixel + 4), (Pixel{0, 0, 255, 255}));
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    host_->SwapBuffers(*host_->WindowSurface());
    glFinish();

    auto working = host_->CreateWorkingSurface(40, 30);
    ASSERT_NE(working, nullptr);
    GLContextHandle offscreen = host_->CreateContext(*working, &shared);
    ASSERT_NE(offscreen, nullptr);
    EXPECT_TRUE(shared);
    ASSERT_TRUE(host_->MakeCurrent(*working, offscreen));
    EXPECT_EQ(glIsTexture(texture), GL_TRUE);
    ASSERT_TRUE(working->Resize(50, 20));
    EXPECT_EQ(working->Size().width, 50);
    glClearColor(1, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    host_->SwapBuffers(*working);
    glReadPixels(49, 19, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(Pixel(pixel, pixel + 4), (Pixel{255, 255, 0, 255}));

    host_->ReleaseCurrent();
    host_->DeleteContext(offscreen);
    host_->DeleteContext(window);
    EXPECT_FALSE(host_->MakeCurrent(*host_->WindowSurface(), window));

    // The working surface may outlive its host.
    host_.reset();
    working.reset();
}

// Real X input (xdotool) into the host is driven end to end by the player's window tests; the
// translation of X events to messages and flags has its own tests.
TEST_F(X11GlxHostTest, SyntheticClickLandsInTheWindowAndThePointerReturns) {
    ASSERT_TRUE(Create(Sized(200, 100)));
    RunFor(50);
    const Window root = DefaultRootWindow(display_);
    XWarpPointer(display_, None, root, 0, 0, 0, 0, 700, 600);
    XSync(display_, False);

    host_->SyntheticClick(30, 40);
    RunUntil([&] { return Buttons().size() >= 2; }, 3000);
    auto buttons = Buttons();
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].message, MouseMessage::LButtonDown);
    EXPECT_EQ(buttons[0].x, 30);
    EXPECT_EQ(buttons[0].y, 40);
    EXPECT_EQ(buttons[1].message, MouseMessage::LButtonUp);

    Window rootReturn = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    XQueryPointer(display_, root, &rootReturn, &child, &x, &y, &wx, &wy, &mask);
    EXPECT_EQ(x, 700);
    EXPECT_EQ(y, 600);
    EXPECT_EQ(host_->ModifierState(), 0u);
}

TEST_F(X11GlxHostTest, CaptureGrabsAndReleasesThePointer) {
    ASSERT_TRUE(Create(X11HostOptions()));
    RunFor(20);
    host_->SetCapture();
    EXPECT_TRUE(host_->HasCapture());
    // Another client cannot grab while the control holds the pointer.
    const auto grab = [this] {
        return XGrabPointer(display_, DefaultRootWindow(display_), False, ButtonPressMask, GrabModeAsync,
                            GrabModeAsync, None, None, CurrentTime);
    };
    EXPECT_EQ(grab(), AlreadyGrabbed);
    host_->ReleaseCapture();
    EXPECT_FALSE(host_->HasCapture());
    EXPECT_EQ(grab(), GrabSuccess);
    XUngrabPointer(display_, CurrentTime);
    XSync(display_, False);
}

TEST_F(X11GlxHostTest, RefusesADisplayItCannotOpenAndAParentThatDoesNotExist) {
    X11HostOptions noDisplay, noParent = Sized(640, 480, 0x7FFFFF);
    noDisplay.display = ":4999";
    for (const auto& [options, words] : {std::pair{noDisplay, std::vector<std::string>{":4999", "--headless"}},
                                         std::pair{noParent, std::vector<std::string>{"parent"}}}) {
        std::string error;
        EXPECT_EQ(X11GlxHost::Create(client_, options, &error), nullptr);
        for (const std::string& word : words) EXPECT_NE(error.find(word), std::string::npos) << error;
        EXPECT_TRUE(client_.log.empty());
    }
}

struct Pressed {
    MouseMessage message;
    unsigned flags;
};

Pressed Press(X11InputTranslator& input, unsigned button, int x, int y, unsigned long time, unsigned state = 0) {
    Pressed result{MouseMessage::Move, 0};
    EXPECT_TRUE(input.Press(button, x, y, time, state, &result.message, &result.flags));
    return result;
}

TEST(X11InputTranslator, SecondPressNearAndSoonIsADoubleClickAndAThirdStartsOver) {
    X11InputTranslator input;
    EXPECT_EQ(Press(input, Button1, 10, 10, 1000).message, MouseMessage::LButtonDown);
    EXPECT_EQ(Press(input, Button1, 14, 6, 1500).message, MouseMessage::LButtonDblClk);
    EXPECT_EQ(Press(input, Button1, 14, 6, 1600).message, MouseMessage::LButtonDown);
    EXPECT_EQ(Press(input, Button3, 14, 6, 1700).message, MouseMessage::RButtonDown);  // another button
    EXPECT_EQ(Press(input, Button3, 14, 6, 1800).message, MouseMessage::RButtonDblClk);
    EXPECT_EQ(Press(input, Button2, 0, 0, 2000).message, MouseMessage::MButtonDown);
    EXPECT_EQ(Press(input, Button2, 0, 0, 2000).message, MouseMessage::MButtonDblClk);
}

TEST(X11InputTranslator, TooLateOrTooFarIsASecondSingleClick) {
    X11InputTranslator input;
    Press(input, Button1, 10, 10, 1000);
    EXPECT_EQ(Press(input, Button1, 10, 10, 1501).message, MouseMessage::LButtonDown);
    EXPECT_EQ(Press(input, Button1, 15, 10, 1600).message, MouseMessage::LButtonDown);
    // Server time wraps at 32 bits; a press just after the wrap still pairs.
    Press(input, Button1, 0, 0, 0xFFFFFF00ul);
    EXPECT_EQ(Press(input, Button1, 0, 0, 0x10ul).message, MouseMessage::LButtonDblClk);
}

TEST(X11InputTranslator, FlagsDescribeTheStateAfterTheEvent) {
    X11InputTranslator input;
    const Pressed down = Press(input, Button1, 0, 0, 10, ShiftMask);
    EXPECT_EQ(down.flags, unsigned(kMkLButton | kMkShift));

    MouseMessage message;
    unsigned flags = 0;
    ASSERT_TRUE(input.Release(Button1, Button1Mask | Button3Mask | ControlMask, &message, &flags));
    EXPECT_EQ(message, MouseMessage::LButtonUp);
    EXPECT_EQ(flags, unsigned(kMkRButton | kMkControl));

    // The wheel has no message.
    EXPECT_FALSE(input.Press(Button4, 0, 0, 20, 0, &message, &flags));
    EXPECT_FALSE(input.Release(Button5, 0, &message, &flags));
}

int Mapped(const char* name) { return RuntimeKeysym(KeysymFromName(name)); }

TEST(KeyMapping, NamesGiveTheRuntimesCodes) {
    const std::pair<const char*, int> cases[] = {
        // Letters are lower case whatever the shift state.
        {"a", 0x61}, {"A", 0x61}, {"Z", 0x7A}, {"1", 0x31}, {"space", orvan::KEYSYM_SPACE},
        // The keypad without Num Lock gives the keypad codes (9 as Page Up), with it the same.
        {"KP_Prior", orvan::KEYSYM_KP_PAGE_UP}, {"KP_Page_Up", 0xFFB9}, {"KP_Begin", 0xFFB5}, {"KP_Home", 0xFFB7},
        {"KP_Insert", 0xFFB0}, {"KP_Delete", orvan::KEYSYM_KP_DECIMAL}, {"KP_9", 0xFFB9}, {"KP_5", 0xFFB5},
        // The editing block and the function keys keep their codes.
        {"Prior", orvan::KEYSYM_PAGE_UP}, {"Next", orvan::KEYSYM_PAGE_DOWN}, {"Home", orvan::KEYSYM_HOME},
        {"Delete", orvan::KEYSYM_DELETE}, {"F1", orvan::KEYSYM_F1}, {"F12", orvan::FunctionKeysym(12)},
        {"Shift_L", orvan::KEYSYM_SHIFT_L},
    };
    for (const auto& [name, code] : cases) EXPECT_EQ(Mapped(name), code) << name;
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("KP_5")), '5');
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("KP_Enter")), '\r');
    EXPECT_EQ(orvan::KeypadCharacter(Mapped("Prior")), 0);
    EXPECT_EQ(KeysymFromName("NoSuchKey"), 0ul);
    EXPECT_EQ(RuntimeKeysym(0x1000041), 0);  // a Unicode keysym is no key we report
}

}  // namespace
}  // namespace vessant
