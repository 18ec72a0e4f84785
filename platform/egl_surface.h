#pragma once
// A pbuffer surface on an EGL display: the headless host's window and working surfaces.

#include <EGL/egl.h>

#include "common/host/render_surface.h"

namespace vessant {

class EglSurface : public RenderSurface {
public:
    // `resizable` surfaces may be resized by their owner; the window surface follows the host's window.
    EglSurface(EGLDisplay display, EGLConfig config, bool resizable);
    ~EglSurface() override;
    EglSurface(const EglSurface&) = delete;
    EglSurface& operator=(const EglSurface&) = delete;

    // The config was fixed when the host chose it; true while the surface has a pbuffer.
    bool ChooseFormat() override { return surface_ != EGL_NO_SURFACE; }
    const PixelFormatInfo& Format() const override { return format_; }
    PixelSize Size() const override { return size_; }
    bool Resize(int width, int height) override;

    // Replaces the pbuffer with one of the new size; a context current on the old one moves to the new one.
    bool Recreate(int width, int height);
    // Drops the pbuffer (the window is gone); later MakeCurrent calls on it fail.
    void Release();

    EGLDisplay Display() const { return display_; }
    EGLConfig Config() const { return config_; }
    EGLSurface Handle() const { return surface_; }

private:
    EGLDisplay display_;
    EGLConfig config_;
    bool resizable_;
    EGLSurface surface_ = EGL_NO_SURFACE;
    PixelSize size_;
    PixelFormatInfo format_;
};

}  // namespace vessant
