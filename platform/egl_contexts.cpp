#include "platform/egl_contexts.h"

namespace vessant {

EGLContext EglContextApi::New(EGLDisplay display, EGLConfig config, EGLContext share) {
    // The bound API is per thread: a context made on another thread must still be desktop OpenGL.
    if (!eglBindAPI(EGL_OPENGL_API)) return EGL_NO_CONTEXT;
    const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                    EGL_NONE};
    EGLContext context = eglCreateContext(display, config, share, compatibility);
    if (context == EGL_NO_CONTEXT) context = eglCreateContext(display, config, share, nullptr);
    return context;
}

void EglContextApi::Destroy(EGLDisplay display, EGLContext context) { eglDestroyContext(display, context); }

bool EglContextApi::Bind(EGLDisplay display, EGLSurface surface, EGLContext context) {
    if (surface == EGL_NO_SURFACE || !eglBindAPI(EGL_OPENGL_API)) return false;
    return eglMakeCurrent(display, surface, surface, context) == EGL_TRUE;
}

void EglContextApi::Unbind(EGLDisplay display) {
    eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

EGLContext EglContextApi::Current(EGLDisplay display) {
    return eglGetCurrentDisplay() == display ? eglGetCurrentContext() : EGL_NO_CONTEXT;
}

}  // namespace vessant
