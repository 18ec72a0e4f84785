#pragma once
// A GLX drawable of one fbconfig: the control's window, a pbuffer, or a hidden window standing in
// for a pbuffer where the server offers none.

#include <GL/glx.h>

#include <memory>

#include "common/host/render_surface.h"

namespace vessant {

class GlxSurface : public RenderSurface {
public:
    enum class Kind { Window, Pbuffer, HiddenWindow };

    // Wraps the control's window, which the host created with the fbconfig's visual.
    static std::unique_ptr<GlxSurface> ForWindow(std::shared_ptr<Display> display, GLXFBConfig config, Window window,
                                                 int width, int height);
    // A working surface; nullptr when the server refuses it. The surface keeps the connection open,
    // so it may outlive the host that made it.
    static std::unique_ptr<GlxSurface> CreateWorking(std::shared_ptr<Display> display, GLXFBConfig config,
                                                     bool usePbuffer, int width, int height);
    // The pixel layout of an fbconfig, as the palette construction needs it.
    static PixelFormatInfo Describe(Display* display, GLXFBConfig config);

    ~GlxSurface() override;
    GlxSurface(const GlxSurface&) = delete;
    GlxSurface& operator=(const GlxSurface&) = delete;

    // The fbconfig was fixed when the drawable was made; true while the drawable exists.
    bool ChooseFormat() override { return drawable_ != 0; }
    const PixelFormatInfo& Format() const override { return format_; }
    PixelSize Size() const override { return size_; }
    // Working surfaces only: the control's window follows the host's window.
    bool Resize(int width, int height) override;

    // The host's record of the window's size.
    void SetSize(int width, int height) { size_ = PixelSize{width, height}; }
    // Destroys the GLX drawable (and a hidden window); the surface is unusable afterwards.
    void Release();
    void Swap();

    Display* GetDisplay() const { return display_.get(); }
    GLXFBConfig Config() const { return config_; }
    GLXDrawable Drawable() const { return drawable_; }
    Kind GetKind() const { return kind_; }

private:
    GlxSurface(std::shared_ptr<Display> display, GLXFBConfig config, Kind kind);
    bool CreatePbuffer(int width, int height);
    bool CreateHiddenWindow(int width, int height);

    std::shared_ptr<Display> display_;
    Display* dpy_;  // display_.get(), for the many calls
    GLXFBConfig config_;
    Kind kind_;
    Window window_ = 0;  // the X window of the window kinds
    Colormap colormap_ = 0;  // a hidden window's own
    GLXDrawable drawable_ = 0;
    PixelSize size_;
    PixelFormatInfo format_;
};

}  // namespace vessant
