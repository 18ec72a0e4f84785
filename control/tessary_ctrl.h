#pragma once
// The player control: what a container places in its window. It keeps the properties, the
// drawn object and the splash display, runs the frame cycle, and hands loading, attribute access,
// input, the frame timer, the OpenGL contexts and the container's background to one class each
// (control/README.md draws them).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/host/window_host.h"
#include "control/attribute_access.h"
#include "control/component_loader.h"
#include "control/container_background.h"
#include "control/control_properties.h"
#include "control/frame_clock.h"
#include "control/input_forwarder.h"
#include "control/render_contexts.h"

#include "bridge/kesh_interface1.h"

class ActiveXSplashClass;

namespace orvan {
class ComponentBase;
class DisplayEvent;
class DisplayObject;
class Group;
}  // namespace orvan

namespace vessant {

class VesKeshWrapper;

class CTessaryCtrl : public HostClient, private ComponentLoader::Client {
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

    // Script safety and the container's names (control/object_safety.h has the rule table).
    std::uint32_t GetInterfaceSafetyOptions(const char* interfaceName, std::uint32_t* supported,
                                            std::uint32_t* enabled) const;
    std::uint32_t SetInterfaceSafetyOptions(const char* interfaceName, std::uint32_t mask, std::uint32_t enabled);
    std::uint32_t SetHostNames(const char* containerApp, const char* containerObject);
    const std::string& HostApplicationName() const { return m_hostApplication; }
    const std::string& HostDocumentName() const { return m_hostDocument; }

    // Brings the component named by ComponentFileName and ClassName in; true when one is current.
    // A control without a window creates the component here when its factory waits.
    bool LoadComponent();
    // Why the last load ended without a component (the splash text of the failure); empty while
    // a component is current, a load waits for its paint, or no component is named.
    const std::string& LoadFailure() const { return m_loader.Failure(); }

    // The address component names are resolved against: the hosting page, or the file the
    // property set came from. Empty: the working directory.
    void SetDocumentAddress(const std::string& address) { m_loader.SetDocumentAddress(address); }
    // Progress and failure texts of loading, as the splash display shows them.
    std::string SplashMessage() const;
    // The splash display, drawn while nothing is loaded (owned by the control).
    ActiveXSplashClass* Splash() const { return m_splash; }
    void SetMessageListener(std::function<void(const std::string&)> listener) { m_messageListener = std::move(listener); }

    // The container's event: ObjectEvent(EventName, InitiatorName, EventData).
    using ObjectEventSink = std::function<void(const std::string& eventName, const std::string& initiatorName,
                                               const std::string& eventData)>;
    void SetObjectEventSink(ObjectEventSink sink) { m_objectEventSink = std::move(sink); }

    // Attribute access by resource name; before a component exists writes wait as pending text.
    std::string GetAttrib(const std::string& name) { return m_attributes.Get(name); }
    void SetAttrib(const std::string& name, const std::string& value) { m_attributes.Set(name, value); }
    // The same, telling failures where the control (or the component) can: no component for a
    // read, a name nothing answers, a value the attribute cannot read. False with *error set.
    bool GetAttribChecked(const std::string& name, std::string* value, std::string* error) {
        return m_attributes.GetChecked(name, value, error);
    }
    bool SetAttribChecked(const std::string& name, const std::string& value, std::string* error) {
        return m_attributes.SetChecked(name, value, error);
    }
    void ApplyPendingAttributes() { m_attributes.ApplyPending(); }
    void ApplyAttributeText(const std::string& text) { m_attributes.ApplyText(text); }
    // After a component was created: InitialAttribs first, then the pending text.
    void ApplyInitialAttributes() { m_attributes.ApplyInitial(m_props.initialAttribs); }
    const std::string& PendingAttributes() const { return m_attributes.Pending(); }

    // The object drawn each frame (not owned); null draws nothing.
    void SetCurrentObject(orvan::DisplayObject* object);
    orvan::DisplayObject* CurrentObject() const { return m_currentObject; }
    orvan::Group* RootGroup() const { return m_rootGroup; }

    // Rendering host
    bool CreateContext(RenderSurface* surface, int index);
    void StartFrameTimer();
    void RenderToDC(RenderSurface& surface, int index, const ScreenRect& bounds);
    // drawObject false: the background only (nothing loaded, or the splash retired).
    void RenderScene(const ScreenRect& bounds, bool drawObject);
    void SetupProjection(int cx, int cy);
    void CaptureBackground(const ScreenRect& bounds, const ScreenRect& invalid);
    // Renders one frame offscreen and copies it into target; with DrawBackground false the
    // red key colour is left untouched (transparent) in the target.
    bool RenderMetafile(RgbaImage& target);
    // The window's last frame as RenderMetafile would give it (the red key transparent with
    // DrawBackground false), read back without a second surface, context or frame. False when no
    // frame of the target's size was drawn, or the container's pixels were drawn behind it; for a
    // window whose back buffer is kept after a swap (a pbuffer) only.
    bool SnapshotFrame(RgbaImage& target);
    // Reads the control window's last drawn frame (top-down RGBA).
    bool ReadFramePixels(RgbaImage& out);
    double FrameTime() { return m_clock.ElapsedTime(); }
    unsigned FramesDrawn() const { return m_framesDrawn; }
    // Frames per second the next interval stands for (the interval itself is kept in microseconds).
    unsigned EffectiveFrameRate() const { return m_clock.EffectiveFrameRate(); }
    unsigned TimerId() const { return m_clock.TimerId(); }

    // HostClient
    void OnCreate() override;
    void OnDestroy() override;
    void OnSize(int cx, int cy) override;
    void OnPaint(const ScreenRect& invalid) override;
    void OnTimer(unsigned id) override;
    bool OnEraseBackground() override;
    void OnClose() override;
    void OnMouse(MouseMessage message, int x, int y, unsigned flags) override;
    // An X keysym; the key always continues to the container afterwards.
    void OnKey(bool down, unsigned long keysym, unsigned flags) override;

    // Input forwarding
    bool SendMouseEvent(unsigned short subtype, unsigned char button, unsigned flags, int x, int y);
    void SendKeyEvent(unsigned long xKeysym, unsigned flags, bool isUp);
    // The root group's callback: every event that bubbles up to it.
    int OnObjectEvent(orvan::DisplayObject* sender, orvan::DisplayEvent* ev);

    // Loading
    void ResolveReferencingUrl() { m_loader.ResolveReferencingUrl(); }
    void AcquireComponent() { m_loader.Acquire(m_props.componentFileName); }
    void FinishLoading() { m_loader.FinishLoading(m_props.componentFileName); }
    void UnloadComponent() { m_loader.Unload(); }
    void ReleaseLibrary() { m_loader.ReleaseLibrary(); }
    void SetSplashMessage(const std::string& text);
    unsigned LoadedCount() const { return m_loader.LoadedCount(); }
    bool Loading() const { return m_loader.Loading(); }
    const std::string& ReferencingUrl() const { return m_loader.ReferencingUrl(); }
    VesKeshWrapper* Wrapper() const { return m_wrapper; }

private:
    // ComponentLoader::Client
    void ShowLoadMessage(const std::string& text) override { SetSplashMessage(text); }
    std::string LoadMessage() const override { return SplashMessage(); }
    bool HasComponent() const override { return m_currentObject != nullptr; }
    void DropComponent(bool destroy) override;
    void AdoptComponent(KeshInterface1* component) override;
    void ComponentReady() override;
    void Refresh(bool paintNow) override;

    void Repaint();
    void DrawOverride(const ScreenRect& bounds, const ScreenRect& invalid);
    void DrawClearBackground();
    float WorldWidth(int cx) const;
    // The component's own view through its eye point's query attributes; false when it has none.
    bool ApplyNamedEyePoint(int cx, int cy);
    orvan::ComponentBase* CurrentComponent() const;
    void PlaceInRootGroup(orvan::DisplayObject* object);

    WindowHost* m_host = nullptr;
    ControlProperties m_props;
    bool m_modified = false;
    std::string m_hostApplication, m_hostDocument;

    orvan::DisplayObject* m_currentObject = nullptr;
    orvan::Group* m_rootGroup = nullptr;  // owned
    RenderContexts m_contexts;
    FrameClock m_clock;
    bool m_firstDraw = true;
    ScreenRect m_lastWindowRect;
    ContainerBackground m_background;
    std::unique_ptr<RenderSurface> m_workingWindow;
    ActiveXSplashClass* m_splash = nullptr;  // owned
    std::function<void(const std::string&)> m_messageListener;
    ObjectEventSink m_objectEventSink;
    unsigned m_framesDrawn = 0;
    InputForwarder m_input;
    AttributeAccess m_attributes;
    ComponentLoader m_loader;

    VesKeshWrapper* m_wrapper = nullptr;  // owned; destroyed through DeleteInstance
};

}  // namespace vessant
