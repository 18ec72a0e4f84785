#pragma once
// A drawable OpenGL renders into: the control's window, or the hidden working surface.

#include "common/host/host_types.h"

namespace vessant {

class RenderSurface {
public:
    virtual ~RenderSurface() = default;
    // Chooses and sets the pixel format (double buffer, RGBA, 24 colour bits, deepest depth). False on failure.
    virtual bool ChooseFormat() = 0;
    virtual const PixelFormatInfo& Format() const = 0;
    virtual PixelSize Size() const = 0;
    // Changes the size of a surface the host owns outright (the working surface).
    virtual bool Resize(int width, int height) = 0;
};

}  // namespace vessant
