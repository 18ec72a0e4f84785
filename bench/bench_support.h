#pragma once
// What the drawing benchmarks share: a plain EGL pbuffer context (the baseline must draw in the
// same context as the runtime) and the timing helpers.

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "orvan/render_state.h"

namespace bench {

// An OpenGL context on Mesa's surfaceless platform, current on a size x size pbuffer.
class EglContext {
public:
    explicit EglContext(int size) : size_(size) {}
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;
    bool Open() {
        display_ = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) {
            display_ = eglGetDisplay(EGL_DEFAULT_DISPLAY);
            if (display_ == EGL_NO_DISPLAY || !eglInitialize(display_, nullptr, nullptr)) return false;
        }
        if (!eglBindAPI(EGL_OPENGL_API)) return false;
        const EGLint wanted[] = {EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_DEPTH_SIZE, 24,
                                 EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
        EGLConfig config;
        EGLint count = 0;
        if (!eglChooseConfig(display_, wanted, &config, 1, &count) || count < 1) return false;
        const EGLint size[] = {EGL_WIDTH, size_, EGL_HEIGHT, size_, EGL_NONE};
        surface_ = eglCreatePbufferSurface(display_, config, size);
        context_ = eglCreateContext(display_, config, EGL_NO_CONTEXT, nullptr);
        return surface_ != EGL_NO_SURFACE && context_ != EGL_NO_CONTEXT &&
               eglMakeCurrent(display_, surface_, surface_, context_);
    }
    ~EglContext() {
        if (display_ == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context_ != EGL_NO_CONTEXT) eglDestroyContext(display_, context_);
        if (surface_ != EGL_NO_SURFACE) eglDestroySurface(display_, surface_);
        eglTerminate(display_);
    }

private:
    int size_;
    EGLDisplay display_ = EGL_NO_DISPLAY;
    EGLSurface surface_ = EGL_NO_SURFACE;
    EGLContext context_ = EGL_NO_CONTEXT;
};

// A fresh frame for the runtime: its reset state, a size x size view with one unit a pixel
// (depth -depth .. depth), cleared to the grey level.
inline void SetUpFrame(int size, float grey, double depth = 1000.0) {
  orvan::ResetRenderState(false);
  glViewport(0, 0, size, size);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, size, 0, size, -depth, depth);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(grey, grey, grey, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F>
double Milliseconds(F&& f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace bench
