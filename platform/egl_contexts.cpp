#include "platform/egl_contexts.h"

#include <map>
#include <mutex>

namespace vessant {
namespace {

// The root context of each display: the first context made on it, lent out for drawing whenever
// no one holds it. A context of its own only to share with would cost a context's memory and
// its creation in every process, and most processes draw with a single context.
struct RootContext {
    EGLContext context = EGL_NO_CONTEXT;
    EGLConfig config = nullptr;
    bool lent = false;
};
std::mutex g_rootMutex;
std::map<EGLDisplay, RootContext> g_roots;

}  // namespace

EglContexts::~EglContexts() {
    if (owned_.count(eglGetCurrentContext()) != 0) ReleaseCurrent();
    for (EGLContext context : owned_) {
        if (!GiveBackRoot(context)) eglDestroyContext(display_, context);
    }
}

bool EglContexts::GiveBackRoot(EGLContext context) {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    auto found = g_roots.find(display_);
    if (found == g_roots.end() || found->second.context != context) return false;
    found->second.lent = false;
    return true;
}

EGLContext EglContexts::NewContext(EGLConfig config, EGLContext share) {
    // The bound API is per thread: a context made on another thread must still be desktop OpenGL.
    if (!eglBindAPI(EGL_OPENGL_API)) return EGL_NO_CONTEXT;
    const EGLint compatibility[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                    EGL_NONE};
    EGLContext context = eglCreateContext(display_, config, share, compatibility);
    if (context == EGL_NO_CONTEXT) context = eglCreateContext(display_, config, share, nullptr);
    return context;
}

EGLContext EglContexts::Root(EGLConfig config, bool* lent) {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    RootContext& root = g_roots[display_];
    if (root.context == EGL_NO_CONTEXT) {
        root.context = NewContext(config, EGL_NO_CONTEXT);
        root.config = config;
    }
    // The root itself is handed out while it is free and made for the same config.
    *lent = root.context != EGL_NO_CONTEXT && !root.lent && root.config == config;
    if (*lent) root.lent = true;
    return root.context;
}

EGLContext EglContexts::Create(EGLConfig config, bool* shared) {
    bool lent = false;
    EGLContext root = Root(config, &lent);
    if (lent) {
        if (shared) *shared = true;
        owned_.insert(root);
        return root;
    }
    EGLContext context = root != EGL_NO_CONTEXT ? NewContext(config, root) : EGL_NO_CONTEXT;
    const bool isShared = context != EGL_NO_CONTEXT;
    if (!isShared) context = NewContext(config, EGL_NO_CONTEXT);
    if (shared) *shared = isShared;
    if (context != EGL_NO_CONTEXT) owned_.insert(context);
    return context;
}

bool EglContexts::MakeCurrent(EGLSurface surface, EGLContext context) {
    if (surface == EGL_NO_SURFACE || owned_.count(context) == 0) return false;
    if (!eglBindAPI(EGL_OPENGL_API)) return false;
    return eglMakeCurrent(display_, surface, surface, context) == EGL_TRUE;
}

void EglContexts::ReleaseCurrent() {
    if (eglGetCurrentDisplay() != display_ || eglGetCurrentContext() == EGL_NO_CONTEXT) return;
    eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
}

void EglContexts::Delete(EGLContext context) {
    auto found = owned_.find(context);
    if (found == owned_.end()) return;
    if (eglGetCurrentContext() == context) ReleaseCurrent();
    if (!GiveBackRoot(context)) eglDestroyContext(display_, context);
    owned_.erase(found);
}

}  // namespace vessant
