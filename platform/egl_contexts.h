#pragma once
// The OpenGL contexts a headless host made, all sharing with one root context per EGL display.

#include <EGL/egl.h>

#include <set>

namespace vessant {

class EglContexts {
public:
    explicit EglContexts(EGLDisplay display) : display_(display) {}
    // Deletes the contexts still alive; the display's root context stays for the process.
    ~EglContexts();
    EglContexts(const EglContexts&) = delete;
    EglContexts& operator=(const EglContexts&) = delete;

    // A compatibility-profile context for `config`, sharing with the root (created first when missing).
    // *shared is false when only an unshared context could be made. EGL_NO_CONTEXT on failure.
    EGLContext Create(EGLConfig config, bool* shared);
    bool MakeCurrent(EGLSurface surface, EGLContext context);
    void ReleaseCurrent();
    // Ignores contexts this set did not make.
    void Delete(EGLContext context);

private:
    EGLContext NewContext(EGLConfig config, EGLContext share);
    EGLContext Root(EGLConfig config);

    EGLDisplay display_;
    std::set<EGLContext> owned_;
};

}  // namespace vessant
