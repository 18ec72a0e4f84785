#include "platform/glx_surface.h"

#include <X11/Xutil.h>

#include <algorithm>
#include <utility>

#include "platform/x_error_trap.h"

namespace vessant {
namespace {

int Attribute(Display* display, GLXFBConfig config, int attribute) {
    int value = 0;
    glXGetFBConfigAttrib(display, config, attribute, &value);
    return value;
}

// Bit count and shift of a contiguous colour mask.
void MaskBits(unsigned long mask, int* bits, int* shift) {
    *bits = 0;
    *shift = 0;
    if (mask == 0) return;
    while ((mask & 1) == 0) {
        mask >>= 1;
        ++*shift;
    }
    while ((mask & 1) != 0) {
        mask >>= 1;
        ++*bits;
    }
}

}  // namespace

GlxSurface::GlxSurface(std::shared_ptr<Display> display, GLXFBConfig config, Kind kind)
    : display_(std::move(display)),
      dpy_(display_.get()),
      config_(config),
      kind_(kind),
      format_(Describe(dpy_, config)) {}

GlxSurface::~GlxSurface() { Release(); }

PixelFormatInfo GlxSurface::Describe(Display* display, GLXFBConfig config) {
    PixelFormatInfo info;
    info.depthBits = Attribute(display, config, GLX_DEPTH_SIZE);
    info.redBits = Attribute(display, config, GLX_RED_SIZE);
    info.greenBits = Attribute(display, config, GLX_GREEN_SIZE);
    info.blueBits = Attribute(display, config, GLX_BLUE_SIZE);
    info.colorBits = info.redBits + info.greenBits + info.blueBits;
    info.needsPalette = false;
    if (XVisualInfo* visual = glXGetVisualFromFBConfig(display, config)) {
        // Only an indexed visual needs the palette; its fields then give the index bit layout.
        info.needsPalette = visual->c_class == PseudoColor || visual->c_class == StaticColor;
        if (visual->red_mask != 0) {
            MaskBits(visual->red_mask, &info.redBits, &info.redShift);
            MaskBits(visual->green_mask, &info.greenBits, &info.greenShift);
            MaskBits(visual->blue_mask, &info.blueBits, &info.blueShift);
        }
        XFree(visual);
    }
    return info;
}

std::unique_ptr<GlxSurface> GlxSurface::ForWindow(std::shared_ptr<Display> display, GLXFBConfig config,
                                                  Window window, int width, int height) {
    std::unique_ptr<GlxSurface> surface(new GlxSurface(std::move(display), config, Kind::Window));
    surface->window_ = window;
    surface->drawable_ = glXCreateWindow(surface->dpy_, config, window, nullptr);
    surface->size_ = PixelSize{width, height};
    if (surface->drawable_ == 0) return nullptr;
    return surface;
}

std::unique_ptr<GlxSurface> GlxSurface::CreateWorking(std::shared_ptr<Display> display, GLXFBConfig config,
                                                      bool usePbuffer, int width, int height) {
    std::unique_ptr<GlxSurface> surface(
        new GlxSurface(std::move(display), config, usePbuffer ? Kind::Pbuffer : Kind::HiddenWindow));
    const bool made = usePbuffer ? surface->CreatePbuffer(width, height) : surface->CreateHiddenWindow(width, height);
    if (!made) return nullptr;
    return surface;
}

bool GlxSurface::CreatePbuffer(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    const int attributes[] = {GLX_PBUFFER_WIDTH, width, GLX_PBUFFER_HEIGHT, height, GLX_PRESERVED_CONTENTS, True,
                              None};
    XErrorTrap trap(dpy_);
    GLXPbuffer created = glXCreatePbuffer(dpy_, config_, attributes);
    if (trap.Finish() != 0 || created == 0) return false;

    const GLXDrawable old = drawable_;
    if (old != 0 && glXGetCurrentDrawable() == old) {
        glXMakeContextCurrent(dpy_, created, created, glXGetCurrentContext());
    }
    drawable_ = created;
    size_ = PixelSize{width, height};
    if (old != 0) glXDestroyPbuffer(dpy_, old);
    return true;
}

bool GlxSurface::CreateHiddenWindow(int width, int height) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    XVisualInfo* visual = glXGetVisualFromFBConfig(dpy_, config_);
    if (visual == nullptr) return false;
    const Window root = RootWindow(dpy_, visual->screen);
    XSetWindowAttributes attributes = {};
    colormap_ = XCreateColormap(dpy_, root, visual->visual, AllocNone);
    attributes.colormap = colormap_;
    attributes.border_pixel = 0;
    attributes.override_redirect = True;
    XErrorTrap trap(dpy_);
    // Never mapped: it only gives the contexts a drawable of the fbconfig's visual.
    window_ = XCreateWindow(dpy_, root, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height), 0,
                            visual->depth, InputOutput, visual->visual,
                            CWColormap | CWBorderPixel | CWOverrideRedirect, &attributes);
    XFree(visual);
    if (window_ != 0) drawable_ = glXCreateWindow(dpy_, config_, window_, nullptr);
    if (trap.Finish() != 0 || drawable_ == 0) {
        Release();
        return false;
    }
    size_ = PixelSize{width, height};
    return true;
}

bool GlxSurface::Resize(int width, int height) {
    switch (kind_) {
        case Kind::Window:
            return false;
        case Kind::Pbuffer:
            return CreatePbuffer(width, height);
        case Kind::HiddenWindow:
            if (drawable_ == 0) return false;
            width = std::max(width, 1);
            height = std::max(height, 1);
            XResizeWindow(dpy_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
            size_ = PixelSize{width, height};
            return true;
    }
    return false;
}

void GlxSurface::Release() {
    if (drawable_ != 0 && glXGetCurrentDrawable() == drawable_) {
        glXMakeContextCurrent(dpy_, None, None, nullptr);
    }
    // The window may already be gone with its parent: the server's complaint is expected then.
    XErrorTrap trap(dpy_);
    if (drawable_ != 0) {
        if (kind_ == Kind::Pbuffer) {
            glXDestroyPbuffer(dpy_, drawable_);
        } else {
            glXDestroyWindow(dpy_, drawable_);
        }
        drawable_ = 0;
    }
    if (kind_ == Kind::HiddenWindow && window_ != 0) XDestroyWindow(dpy_, window_);
    window_ = 0;
    if (colormap_ != 0) XFreeColormap(dpy_, colormap_);
    colormap_ = 0;
    trap.Finish();
}

void GlxSurface::Swap() {
    if (drawable_ == 0) return;
    if (kind_ == Kind::Window) {
        glXSwapBuffers(dpy_, drawable_);
    } else if (glXGetCurrentDrawable() == drawable_) {
        // Working surfaces are read back, never shown: the frame stays in the back buffer.
        glFlush();
    }
}

}  // namespace vessant
