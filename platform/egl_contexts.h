#pragma once
// The OpenGL contexts a headless host made, all sharing with one root context per EGL display;
// the root itself is lent out as a drawing context while no one else holds it.

#include <EGL/egl.h>

#include <set>

namespace vessant {

class EglContexts {
public:
    explicit EglContexts(EGLDisplay display) : display_(display) {}
    // Deletes the contexts still alive; the display's root context stays for the process (given back).
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
    // The display's root (made first when missing); *lent when it is handed out for drawing.
    EGLContext Root(EGLConfig config, bool* lent);
    // True when context is the root, which is then free to be lent again instead of destroyed.
    bool GiveBackRoot(EGLContext context);

    EGLDisplay display_;
    std::set<EGLContext> owned_;
};

}  // namespace vessant
