#pragma once
// The OpenGL surfaces and contexts a host makes for the control.

#include <memory>

#include "common/host/render_surface.h"

namespace vessant {

// Handle of an OpenGL rendering context; its meaning belongs to the host that made it.
using GLContextHandle = void*;

class HostGlContexts {
public:
    virtual ~HostGlContexts() = default;
    virtual RenderSurface* WindowSurface() = 0;
    virtual std::unique_ptr<RenderSurface> CreateWorkingSurface(int width, int height) = 0;
    // A new context for the surface sharing display lists and textures with the process root context,
    // which is created first when it does not exist yet. *shared is false when sharing failed.
    virtual GLContextHandle CreateContext(RenderSurface& surface, bool* shared) = 0;
    virtual bool MakeCurrent(RenderSurface& surface, GLContextHandle context) = 0;
    virtual void ReleaseCurrent() = 0;
    virtual void SwapBuffers(RenderSurface& surface) = 0;
    virtual void DeleteContext(GLContextHandle context) = 0;
};

}  // namespace vessant
