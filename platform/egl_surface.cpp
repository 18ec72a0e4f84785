#include "platform/egl_surface.h"

#include <algorithm>

namespace vessant {

EglSurface::EglSurface(EGLDisplay display, EGLConfig config, bool resizable)
    : display_(display), config_(config), resizable_(resizable) {
    EGLint red = 8, green = 8, blue = 8, depth = 24;
    eglGetConfigAttrib(display_, config_, EGL_RED_SIZE, &red);
    eglGetConfigAttrib(display_, config_, EGL_GREEN_SIZE, &green);
    eglGetConfigAttrib(display_, config_, EGL_BLUE_SIZE, &blue);
    eglGetConfigAttrib(display_, config_, EGL_DEPTH_SIZE, &depth);
    format_.colorBits = red + green + blue;
    format_.depthBits = depth;
    format_.needsPalette = false;
    format_.redBits = red;
    format_.greenBits = green;
    format_.blueBits = blue;
    format_.blueShift = 0;
    format_.greenShift = blue;
    format_.redShift = blue + green;
}

EglSurface::~EglSurface() { Release(); }

bool EglSurface::Resize(int width, int height) { return resizable_ && Recreate(width, height); }

bool EglSurface::Recreate(int width, int height) {
    // A pbuffer cannot be empty; the smallest one stands for a zero-sized window.
    width = std::max(width, 1);
    height = std::max(height, 1);
    const EGLint attributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    EGLSurface created = eglCreatePbufferSurface(display_, config_, attributes);
    if (created == EGL_NO_SURFACE) return false;

    EGLSurface old = surface_;
    if (old != EGL_NO_SURFACE && eglGetCurrentSurface(EGL_DRAW) == old) {
        eglMakeCurrent(display_, created, created, eglGetCurrentContext());
    }
    surface_ = created;
    size_ = PixelSize{width, height};
    if (old != EGL_NO_SURFACE) eglDestroySurface(display_, old);
    return true;
}

void EglSurface::Release() {
    if (surface_ == EGL_NO_SURFACE) return;
    if (eglGetCurrentSurface(EGL_DRAW) == surface_ || eglGetCurrentSurface(EGL_READ) == surface_) {
        eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
    eglDestroySurface(display_, surface_);
    surface_ = EGL_NO_SURFACE;
}

}  // namespace vessant
