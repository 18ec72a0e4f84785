#include "control/render_contexts.h"

#include "control/gl_locks.h"
#include "orvan/log_sink.h"

namespace vessant {

bool RenderContexts::Create(RenderSurface* surface, int index) {
    if (index != 0 && index != 1) return false;
    if (!gl_) return false;
    if (!surface) {
        Delete(index);
        return false;
    }
    if (index == 0 && contexts_[0] && surfaces_[0] == surface) return true;

    surfaces_[index] = surface;
    if (!surface->ChooseFormat()) return false;
    if (palette_.empty() && surface->Format().needsPalette) palette_ = BuildPalette(surface->Format());

    bool shared = true;
    GLContextHandle context = gl_->CreateContext(*surface, &shared);
    if (!context) return false;
    if (!shared) orvan::LogText("Problem with sharing in CreateContext()\n");
    // A context made for another window (or the previous working surface) would otherwise leak.
    if (contexts_[index]) gl_->DeleteContext(contexts_[index]);
    contexts_[index] = context;
    return true;
}

void RenderContexts::Delete(int index) {
    if (contexts_[index]) gl_->DeleteContext(contexts_[index]);
    contexts_[index] = nullptr;
    surfaces_[index] = nullptr;
}

void RenderContexts::DeleteWorking() {
    if (!contexts_[1]) return;
    ScopedLock lock(GlLock());
    gl_->ReleaseCurrent();
    Delete(1);
}

void RenderContexts::DeleteAll() {
    if (!gl_) return;
    ScopedLock lock(GlLock());
    gl_->ReleaseCurrent();
    Delete(0);
    Delete(1);
}

}  // namespace vessant
