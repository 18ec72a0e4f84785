#include "control/tessary_ctrl.h"

#include "bridge/ves_kesh_wrapper.h"
#include "control/gl_locks.h"
#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/display_object.h"
#include "orvan/group.h"
#include "orvan/object_event.h"
#include "splash/ActiveXSplash.h"

namespace vessant {

CTessaryCtrl::CTessaryCtrl()
    : m_input([this] { return CurrentComponent(); }),
      m_attributes([this] { return CurrentComponent(); }, [this] { return m_wrapper; }),
      m_loader(*this) {
    // Create the process-wide locks now, before any second control can race for them.
    GlLock();
    LoadLock();
    SplashLock();
    m_splash = new ActiveXSplashClass;
    m_splash->Initialize();
    {
        ScopedLock lock(SplashLock());
        m_splash->MainMessage(orvan::VesPropString("Please set control properties."));
    }
    m_rootGroup = new orvan::Group(false);
    m_rootGroup->CallbackCaller(
        new orvan::CallbackMethodCallerTemplate<CTessaryCtrl, orvan::DisplayObject>(this, &CTessaryCtrl::OnObjectEvent));
}

CTessaryCtrl::~CTessaryCtrl() {
    m_loader.Close();
    m_rootGroup->CallbackCaller(nullptr);
    m_clock.Stop();
    m_workingWindow.reset();
    UnloadComponent();
    m_contexts.DeleteAll();
    m_background.Free();
    // The drawn object belongs to whoever set it, not to the root group.
    if (m_rootGroup->Count() > 0) m_rootGroup->DeleteObject(m_rootGroup->Item(0));
    delete m_rootGroup;
    m_rootGroup = nullptr;
    delete m_splash;
    m_splash = nullptr;
    ReleaseLibrary();
}

void CTessaryCtrl::AttachHost(WindowHost* host) {
    m_host = host;
    m_clock.Attach(host);
    m_input.Attach(host, host);
    m_contexts.Attach(host);
    // A host may have delivered its create message before it could be attached.
    if (m_host && m_host->HasWindow()) {
        StartFrameTimer();
        m_host->Invalidate(true);
    }
}

orvan::ComponentBase* CTessaryCtrl::CurrentComponent() const {
    return dynamic_cast<orvan::ComponentBase*>(m_currentObject);
}

void CTessaryCtrl::OnMouse(MouseMessage message, int x, int y, unsigned flags) { m_input.OnMouse(message, x, y, flags); }

// The key continues to the container whatever happens here; the control only observes it.
void CTessaryCtrl::OnKey(bool down, unsigned long keysym, unsigned flags) { m_input.SendKeyEvent(keysym, flags, !down); }

bool CTessaryCtrl::SendMouseEvent(unsigned short subtype, unsigned char button, unsigned flags, int x, int y) {
    return m_input.SendMouseEvent(subtype, button, flags, x, y);
}

void CTessaryCtrl::SendKeyEvent(unsigned long xKeysym, unsigned flags, bool isUp) {
    m_input.SendKeyEvent(xKeysym, flags, isUp);
}

void CTessaryCtrl::Repaint() {
    if (m_host && m_host->HasWindow()) m_host->Invalidate(true);
}

void CTessaryCtrl::SetScaleX(float v) { m_props.scaleX = v; Repaint(); m_modified = true; }
void CTessaryCtrl::SetScaleY(float v) { m_props.scaleY = v; Repaint(); m_modified = true; }
void CTessaryCtrl::SetOffsetX(float v) { m_props.offsetX = v; Repaint(); m_modified = true; }
void CTessaryCtrl::SetOffsetY(float v) { m_props.offsetY = v; Repaint(); m_modified = true; }
void CTessaryCtrl::SetMaintainAspect(bool v) { m_props.maintainAspect = v; Repaint(); m_modified = true; }
void CTessaryCtrl::SetPerspective(bool v) { m_props.perspective = v; Repaint(); m_modified = true; }
void CTessaryCtrl::SetDepthFactor(float v) { m_props.depthFactor = v; m_modified = true; }
void CTessaryCtrl::SetOffsetZ(float v) { m_props.offsetZ = v; m_modified = true; }
void CTessaryCtrl::SetFieldOfView(float v) { m_props.fieldOfView = v; m_modified = true; }
void CTessaryCtrl::SetUseExtents(bool v) { m_props.useExtents = v; m_modified = true; }
void CTessaryCtrl::SetAbsolutePlacement(bool v) { m_props.absolutePlacement = v; m_modified = true; }
void CTessaryCtrl::SetEyePoint(const std::string& v) { m_props.eyePoint = v; m_modified = true; }
void CTessaryCtrl::SetUseContainerBackground(bool v) { m_props.useContainerBackground = v; m_modified = true; }
void CTessaryCtrl::SetBackgroundColor(std::uint32_t v) { m_props.backgroundColor = v & 0xFFFFFFu; m_modified = true; }
void CTessaryCtrl::SetTargetFrameRate(std::uint32_t v) { m_props.targetFrameRate = v; m_modified = true; }
void CTessaryCtrl::SetDrawBackground(bool v) { m_props.drawBackground = v; m_modified = true; }

void CTessaryCtrl::SetSizeX(short v) {
    m_props.setSizeX = v;
    // Resizing to a zero height before the container set it would hide the control.
    if (m_host && m_props.setSizeX > 0 && m_props.setSizeY > 0) m_host->ResizeWindow(m_props.setSizeX, m_props.setSizeY);
    m_modified = true;
}

void CTessaryCtrl::SetSizeY(short v) {
    m_props.setSizeY = v;
    if (m_host && m_props.setSizeX > 0 && m_props.setSizeY > 0) m_host->ResizeWindow(m_props.setSizeX, m_props.setSizeY);
    m_modified = true;
}

void CTessaryCtrl::SetComponentFileName(const std::string& v) {
    m_props.componentFileName = v;
    LoadComponent();
    m_modified = true;
}

void CTessaryCtrl::SetClassName(const std::string& v) {
    m_props.className = v;
    LoadComponent();
    m_modified = true;
}

void CTessaryCtrl::SetInitialAttribs(const std::string& v) {
    m_props.initialAttribs = v;
    ApplyAttributeText(v);
    m_modified = true;
}

bool CTessaryCtrl::Visibility() const {
    return m_wrapper ? m_wrapper->Visibility() : true;
}

void CTessaryCtrl::Visibility(bool v) {
    // Without a current component the value is not remembered.
    if (!m_wrapper) return;
    m_wrapper->Visibility(v);
    m_modified = true;
}

bool CTessaryCtrl::LoadComponent() { return m_loader.Load(m_props.componentFileName, m_props.className); }

void CTessaryCtrl::DropComponent(bool destroy) {
    if (destroy && m_currentObject && m_wrapper) {
        if (m_rootGroup->Count() > 0) m_rootGroup->DeleteObject(m_rootGroup->Item(0));
        m_currentObject = nullptr;
        m_wrapper->DeleteInstance();
        m_wrapper = nullptr;
    }
    m_currentObject = nullptr;
}

void CTessaryCtrl::AdoptComponent(KeshInterface1* component) {
    m_wrapper = VesKeshWrapper::NewWrapper(component);
    m_wrapper->AbsolutePlacement(m_props.absolutePlacement);
    SetCurrentObject(m_wrapper);
}

void CTessaryCtrl::ComponentReady() {
    ApplyInitialAttributes();
    ApplyPendingAttributes();
}

void CTessaryCtrl::Refresh(bool paintNow) {
    if (!m_host || !m_host->HasWindow()) return;
    m_host->Invalidate(true);
    if (paintNow) m_host->UpdateNow();
}

std::string CTessaryCtrl::SplashMessage() const {
    ScopedLock lock(SplashLock());
    return m_splash->MainMessage();
}

void CTessaryCtrl::SetSplashMessage(const std::string& text) {
    {
        ScopedLock lock(SplashLock());
        m_splash->MainMessage(orvan::VesPropString(text));
    }
    if (m_messageListener) m_messageListener(text);
    Refresh(m_loader.Loading());
}

void CTessaryCtrl::SetCurrentObject(orvan::DisplayObject* object) {
    if (m_currentObject == object) return;
    if (m_currentObject && m_rootGroup->Count() > 0 && m_rootGroup->Item(0) == m_currentObject)
        m_rootGroup->DeleteObject(m_currentObject);
    m_currentObject = object;
    Repaint();
}

// Every object event that bubbles up to the root group reaches the container.
int CTessaryCtrl::OnObjectEvent(orvan::DisplayObject*, orvan::DisplayEvent* ev) {
    auto* objectEvent = dynamic_cast<orvan::ObjectEvent*>(ev);
    if (!objectEvent) return 0;
    const auto* wrapper = dynamic_cast<const VesKeshWrapper*>(objectEvent->initiator);
    const std::string initiator = wrapper ? wrapper->EmittedInitiatorName() : "";
    if (m_objectEventSink)
        m_objectEventSink(objectEvent->eventName ? objectEvent->eventName : "", initiator,
                          objectEvent->eventData ? objectEvent->eventData : "");
    return 0;
}

}  // namespace vessant
