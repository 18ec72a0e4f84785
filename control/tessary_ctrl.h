#pragma once
// The player control: what a container places in its window. This header holds the control's
// state; its concerns live in separate sources (properties, rendering host, ...).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "control/control_properties.h"
#include "control/palette.h"
#include "control/window_host.h"
#include "orvan/timer.h"

namespace orvan {
class DisplayObject;
class Group;
}  // namespace orvan

namespace vessant {

// The frame timer reads the host's clock, so a headless host can step time deterministically.
class HostClockTimer : public orvan::Timer {
public:
    explicit HostClockTimer(const WindowHost* host);
    using orvan::Timer::Now;
    void Now(unsigned long long* microseconds) override;

private:
    const WindowHost* host_;
};

class CTessaryCtrl : public HostClient {
public:
    CTessaryCtrl();
    ~CTessaryCtrl() override;
    CTessaryCtrl(const CTessaryCtrl&) = delete;
    CTessaryCtrl& operator=(const CTessaryCtrl&) = delete;

    // The host the control's window lives in; set before the host delivers OnCreate.
    void AttachHost(WindowHost* host);
    WindowHost* Host() const { return m_host; }

    // Properties: direct access for reading; setters run the on-set behaviour.
    const ControlProperties& Properties() const { return m_props; }
    ControlProperties& Properties() { return m_props; }
    void SetScaleX(float v);
    void SetScaleY(float v);
    void SetOffsetX(float v);
    void SetOffsetY(float v);
    void SetMaintainAspect(bool v);
    void SetPerspective(bool v);
    void SetDepthFactor(float v);
    void SetOffsetZ(float v);
    void SetSizeX(short v);
    void SetSizeY(short v);
    void SetFieldOfView(float v);
    void SetComponentFileName(const std::string& v);
    void SetClassName(const std::string& v);
    void SetUseExtents(bool v);
    void SetAbsolutePlacement(bool v);
    void SetEyePoint(const std::string& v);
    void SetUseContainerBackground(bool v);
    void SetBackgroundColor(std::uint32_t v);
    void SetInitialAttribs(const std::string& v);
    void SetTargetFrameRate(std::uint32_t v);
    void SetDrawBackground(bool v);
    bool Visibility() const;
    void Visibility(bool v);
    std::uintptr_t ControlPointer() const { return reinterpret_cast<std::uintptr_t>(this); }
    bool Modified() const { return m_modified; }
    void SetModified(bool v) { m_modified = v; }

    // Brings the component named by ComponentFileName and ClassName in; true when one is current.
    bool LoadComponent();

    // The object drawn each frame (not owned); null draws nothing.
    void SetCurrentObject(orvan::DisplayObject* object);
    orvan::DisplayObject* CurrentObject() const { return m_currentObject; }
    orvan::Group* RootGroup() const { return m_rootGroup; }

    // Rendering host
    bool CreateContext(RenderSurface* surface, int index);
    void StartFrameTimer();
    void RenderToDC(RenderSurface& surface, int index, const ScreenRect& bounds);
    void RenderScene(const ScreenRect& bounds);
    void SetupProjection(int cx, int cy);
    void CaptureBackground(const ScreenRect& bounds, const ScreenRect& invalid);
    // Renders one frame offscreen and copies it into target; with DrawBackground false the
    // red key colour is left untouched (transparent) in the target.
    bool RenderMetafile(RgbaImage& target);
    // Reads the control window's last drawn frame (top-down RGBA).
    bool ReadFramePixels(RgbaImage& out);
    double FrameTime() { return m_frameTimer->ElapsedTime(); }
    unsigned FramesDrawn() const { return m_framesDrawn; }
    unsigned EffectiveFrameRate() const { return m_effectiveFrameRate; }
    unsigned TimerId() const { return m_timerId; }

    // HostClient
    void OnCreate() override;
    void OnDestroy() override;
    void OnSize(int cx, int cy) override;
    void OnPaint() override;
    void OnTimer(unsigned id) override;
    bool OnEraseBackground() override;
    void OnClose() override;

private:
    void Repaint();
    void DrawOverride(const ScreenRect& bounds, const ScreenRect& invalid);
    void ReleaseContexts();
    void FreeBackground();
    void DrawClearBackground();
    float WorldWidth(int cx) const;
    void PlaceInRootGroup(orvan::DisplayObject* object);

    WindowHost* m_host = nullptr;
    ControlProperties m_props;
    bool m_modified = false;

    orvan::DisplayObject* m_currentObject = nullptr;
    orvan::Group* m_rootGroup = nullptr;  // owned
    GLContextHandle m_glContexts[2] = {nullptr, nullptr};
    RenderSurface* m_glWindows[2] = {nullptr, nullptr};
    std::vector<PaletteEntry> m_palette;
    unsigned m_timerId = 0;
    std::unique_ptr<HostClockTimer> m_frameTimer;  // restarted on the host's clock when a host attaches
    double m_lastFrameTime = 0.0;
    unsigned m_effectiveFrameRate = 30;
    unsigned m_appliedFrameRate = 0;
    unsigned m_loadedCount = 0;
    bool m_loading = false;
    bool m_firstDraw = true;
    ScreenRect m_lastWindowRect;
    RgbaImage m_backgroundBitmap;                 // the container's pixels under the control
    std::vector<std::uint8_t> m_backgroundPixels;  // the same as 24-bit bottom-up rows, 4-byte aligned
    int m_backgroundWidth = 0, m_backgroundHeight = 0;
    std::unique_ptr<RenderSurface> m_workingWindow;
    std::string m_lastEyePoint;
    std::string m_pendingAttributes;
    unsigned m_framesDrawn = 0;
};

}  // namespace vessant
