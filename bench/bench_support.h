#pragma once
// What the drawing benchmarks share: a plain EGL pbuffer context (the baseline must draw in the
// same context as the runtime) and the timing helpers.

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench/egl_pbuffer.h"
#include "orvan/display_object.h"
#include "orvan/frustum_culler.h"
#include "orvan/render_state.h"
#include "orvan/view_matrices.h"

namespace bench {

// An OpenGL context current on a size x size pbuffer.
class EglContext : public EglPbuffer {
public:
    explicit EglContext(int size) : EglPbuffer(size, size) {}
    using EglPbuffer::Open;
    // Opens the context, or says on standard output that the named benchmark measured nothing
    // (a machine without EGL is not a failure).
    bool Open(const char* benchmark) {
        if (Open()) return true;
        std::printf("%s: no EGL OpenGL context available, nothing measured\n", benchmark);
        return false;
    }
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

// Draws what Calculate left through the scene graph as the host does, culling off, and waits for
// the driver so that a timed frame includes the drawing itself.
inline void DrawScene(orvan::DisplayObject& root) {
  root.CaptureMatrices();
  orvan::ViewMatrices view;
  view.GetCurrent();
  orvan::FrustumCuller culler(false);
  culler.FromMatrices(view);
  root.PreDraw(view, culler);
  root.Draw();
  glFinish();
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
