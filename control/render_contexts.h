#pragma once
// The control's two OpenGL contexts, made by its host: the window's (index 0) and the working
// surface's for offscreen frames (index 1), with the palette a window's pixel format may need.

#include <vector>

#include "common/host/host_gl_contexts.h"
#include "control/palette.h"

namespace vessant {

class RenderContexts {
public:
    void Attach(HostGlContexts* gl) { gl_ = gl; }
    // Makes the context of index for surface (the window's is kept while its surface stays);
    // a null surface deletes it. False when there is no context to draw with.
    bool Create(RenderSurface* surface, int index);
    GLContextHandle Context(int index) const { return contexts_[index]; }
    // Each under the OpenGL lock, with nothing current afterwards.
    void DeleteWorking();
    void DeleteAll();
    const std::vector<PaletteEntry>& Palette() const { return palette_; }

private:
    void Delete(int index);

    HostGlContexts* gl_ = nullptr;
    GLContextHandle contexts_[2] = {nullptr, nullptr};
    RenderSurface* surfaces_[2] = {nullptr, nullptr};
    std::vector<PaletteEntry> palette_;
};

}  // namespace vessant
