// Run by the sanitizer build's tests: the GL driver's own allocations must be suppressed while a
// leak in our code is still reported. Exits 77 (skipped) without an X display.

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Kept out of line so the leak report names it.
__attribute__((noinline)) void* LeakCanaryAllocate() {
    void* block = std::malloc(48);
    std::memset(block, 0x5A, 48);
    return block;
}

void* volatile g_sink = nullptr;

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("skipped: no X display\n", stderr);
        return 77;
    }
    const int attributes[] = {GLX_DOUBLEBUFFER, True, GLX_RENDER_TYPE, GLX_RGBA_BIT, None};
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(display, DefaultScreen(display), attributes, &count);
    if (configs != nullptr) XFree(configs);
    XCloseDisplay(display);

    g_sink = LeakCanaryAllocate();
    g_sink = nullptr;  // the only reference is gone: a real leak
    return 0;
}
