#include "platform/glx_contexts.h"

#include <map>
#include <mutex>

#include "platform/x_error_trap.h"

namespace vessant {
namespace {

std::mutex g_rootMutex;
std::map<Display*, GLXContext> g_roots;

}  // namespace

GlxContexts::~GlxContexts() {
    ReleaseCurrent();
    for (GLXContext context : owned_) glXDestroyContext(display_, context);
    owned_.clear();
    std::lock_guard<std::mutex> lock(g_rootMutex);
    auto root = g_roots.find(display_);
    if (root != g_roots.end()) {
        glXDestroyContext(display_, root->second);
        g_roots.erase(root);
    }
}

GLXContext GlxContexts::NewContext(GLXFBConfig config, GLXContext share) {
    // A refused share list is reported by the server; it must not reach the default handler.
    XErrorTrap trap(display_);
    GLXContext context = glXCreateNewContext(display_, config, GLX_RGBA_TYPE, share, True);
    if (trap.Finish() != 0 && context != nullptr) {
        glXDestroyContext(display_, context);
        context = nullptr;
    }
    return context;
}

GLXContext GlxContexts::Root(GLXFBConfig config) {
    std::lock_guard<std::mutex> lock(g_rootMutex);
    auto found = g_roots.find(display_);
    if (found != g_roots.end()) return found->second;
    GLXContext root = NewContext(config, nullptr);
    if (root != nullptr) g_roots[display_] = root;
    return root;
}

GLXContext GlxContexts::Create(GLXFBConfig config, bool* shared) {
    GLXContext root = Root(config);
    GLXContext context = root != nullptr ? NewContext(config, root) : nullptr;
    const bool isShared = context != nullptr;
    if (!isShared) context = NewContext(config, nullptr);
    if (shared) *shared = isShared;
    if (context != nullptr) owned_.insert(context);
    return context;
}

bool GlxContexts::MakeCurrent(GLXDrawable drawable, GLXContext context) {
    if (drawable == 0 || owned_.count(context) == 0) return false;
    return glXMakeContextCurrent(display_, drawable, drawable, context) == True;
}

void GlxContexts::ReleaseCurrent() {
    if (glXGetCurrentDisplay() != display_ || glXGetCurrentContext() == nullptr) return;
    glXMakeContextCurrent(display_, None, None, nullptr);
}

void GlxContexts::Delete(GLXContext context) {
    auto found = owned_.find(context);
    if (found == owned_.end()) return;
    if (glXGetCurrentContext() == context) ReleaseCurrent();
    glXDestroyContext(display_, context);
    owned_.erase(found);
}

}  // namespace vessant
