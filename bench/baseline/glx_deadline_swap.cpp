// The pacing baseline: the least a program can do to show frames at a rate under X. A 64 x 64
// GLX window is cleared and swapped after sleeping to absolute CLOCK_MONOTONIC deadlines.
// Usage: bench_baseline_glx_deadline_swap FPS SECONDS. Prints "cpu SECONDS wall SECONDS", then
// the time of each frame in milliseconds, one a line.
#include <GL/gl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

long long Nanoseconds(const timespec& t) { return t.tv_sec * 1000000000LL + t.tv_nsec; }

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    const int fps = std::atoi(argv[1]);
    const double seconds = std::atof(argv[2]);
    Display* display = XOpenDisplay(nullptr);
    if (!display || fps <= 0) return 1;
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8,
                        GLX_DEPTH_SIZE, 24, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    if (!visual) return 1;
    XSetWindowAttributes set{};
    set.colormap = XCreateColormap(display, RootWindow(display, visual->screen), visual->visual, AllocNone);
    // Beside the player's window, not over it: an overlap would expose one when the other goes.
    const Window window = XCreateWindow(display, RootWindow(display, visual->screen), 600, 0, 64, 64, 0, visual->depth,
                                        InputOutput, visual->visual, CWColormap, &set);
    XMapWindow(display, window);
    GLXContext context = glXCreateContext(display, visual, nullptr, True);
    glXMakeCurrent(display, window, context);
    XSync(display, False);

    const long long period = 1000000000LL / fps;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long start = Nanoseconds(now);
    long long deadline = start;
    std::vector<double> frames;
    const double cpu0 = CpuSeconds();
    while (true) {
        deadline += period;
        const timespec until{static_cast<time_t>(deadline / 1000000000LL), static_cast<long>(deadline % 1000000000LL)};
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
        glClearColor(0.125f, 0.25f, 0.375f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glXSwapBuffers(display, window);
        glFinish();
        clock_gettime(CLOCK_MONOTONIC, &now);
        frames.push_back((Nanoseconds(now) - start) / 1e6);
        if (Nanoseconds(now) - start > static_cast<long long>(seconds * 1e9)) break;
    }
    std::printf("cpu %.6f wall %.6f\n", CpuSeconds() - cpu0, (Nanoseconds(now) - start) / 1e9);
    for (double t : frames) std::printf("%.4f\n", t);
    glXMakeCurrent(display, None, nullptr);
    glXDestroyContext(display, context);
    XDestroyWindow(display, window);
    XFree(visual);
    XCloseDisplay(display);
    return 0;
}
