// Input forwarding: the window's mouse and key messages become runtime events for the drawn
// component; the component's object events come back as the container's ObjectEvent.

#include "bridge/ves_kesh_wrapper.h"
#include "control/key_mapping.h"
#include "control/tessary_ctrl.h"
#include "orvan/component_base.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "orvan/object_event.h"

namespace vessant {
namespace {

int Modifiers(unsigned flags) {
    int modifiers = 0;
    if (flags & kMkControl) modifiers |= orvan::CTRL_STATE;
    if (flags & kMkShift) modifiers |= orvan::SHIFT_STATE;
    return modifiers;
}

unsigned char HeldButton(unsigned flags) {
    if (flags & kMkLButton) return orvan::MOUSE_LBUTTON;
    if (flags & kMkRButton) return orvan::MOUSE_RBUTTON;
    if (flags & kMkMButton) return orvan::MOUSE_MBUTTON;
    return 0;
}

}  // namespace

void CTessaryCtrl::OnMouse(MouseMessage message, int x, int y, unsigned flags) {
    switch (message) {
        case MouseMessage::LButtonDown: return ButtonDown(orvan::MOUSE_LBUTTON, flags, x, y);
        case MouseMessage::MButtonDown: return ButtonDown(orvan::MOUSE_MBUTTON, flags, x, y);
        case MouseMessage::RButtonDown: return ButtonDown(orvan::MOUSE_RBUTTON, flags, x, y);
        case MouseMessage::LButtonUp: return ButtonUp(orvan::MOUSE_LBUTTON, flags, x, y);
        case MouseMessage::MButtonUp: return ButtonUp(orvan::MOUSE_MBUTTON, flags, x, y);
        case MouseMessage::RButtonUp: return ButtonUp(orvan::MOUSE_RBUTTON, flags, x, y);
        case MouseMessage::LButtonDblClk:
            ButtonDown(orvan::MOUSE_LBUTTON, flags, x, y);
            return ButtonUp(orvan::MOUSE_LBUTTON, flags, x, y);
        case MouseMessage::MButtonDblClk:
            ButtonDown(orvan::MOUSE_MBUTTON, flags, x, y);
            return ButtonUp(orvan::MOUSE_MBUTTON, flags, x, y);
        case MouseMessage::RButtonDblClk:
            ButtonDown(orvan::MOUSE_RBUTTON, flags, x, y);
            return ButtonUp(orvan::MOUSE_RBUTTON, flags, x, y);
        case MouseMessage::Move:
            SendMouseEvent(m_buttonDown ? orvan::MOUSE_DRAG : orvan::MOUSE_MOVE, HeldButton(flags), flags, x, y);
            return;
    }
}

void CTessaryCtrl::ButtonDown(unsigned char button, unsigned flags, int x, int y) {
    if (m_host) m_host->SetCapture();
    m_buttonDown = true;
    SendMouseEvent(orvan::MOUSE_DOWN, button, flags, x, y);
}

void CTessaryCtrl::ButtonUp(unsigned char button, unsigned flags, int x, int y) {
    m_buttonDown = false;
    if (m_host) m_host->ReleaseCapture();
    SendMouseEvent(orvan::MOUSE_UP, button, flags, x, y);
}

bool CTessaryCtrl::SendMouseEvent(unsigned short subtype, unsigned char button, unsigned flags, int x, int y) {
    m_lastMouseX = x;
    m_lastMouseY = y;
    orvan::ComponentBase* component = CurrentComponent();
    if (!component) return false;
    orvan::MouseEvent ev(subtype, button, Modifiers(flags));
    *ev.x = static_cast<float>(x);
    *ev.y = static_cast<float>(ClientHeight() - y);
    *ev.z = 0.5f;
    return DeliverEvent(component, &ev);
}

void CTessaryCtrl::OnKey(bool down, unsigned long xKeysym, unsigned flags) {
    // The key continues to the container whatever happens here; the control only observes it.
    SendKeyEvent(xKeysym, flags, !down);
}

void CTessaryCtrl::SendKeyEvent(unsigned long xKeysym, unsigned flags, bool isUp) {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component) return;
    const int keysym = RuntimeKeysym(xKeysym);
    orvan::KeyboardEvent ev(isUp ? orvan::EVENT_KEYBOARD_UP : orvan::EVENT_KEYBOARD, keysym,
                            orvan::KeypadCharacter(keysym), Modifiers(flags));
    ev.eventSubtype = 0;
    *ev.x = static_cast<float>(m_lastMouseX);
    *ev.y = static_cast<float>(ClientHeight() - m_lastMouseY);
    *ev.z = 0.5f;
    // The object under the pointer becomes current before the key arrives; the move reports the
    // buttons held now.
    SendMouseEvent(m_buttonDown ? orvan::MOUSE_DRAG : orvan::MOUSE_MOVE, HeldButton(flags), flags, m_lastMouseX,
                   m_lastMouseY);
    component = CurrentComponent();
    if (component) DeliverEvent(component, &ev);
}

void CTessaryCtrl::SendLeaveEvent() {
    orvan::ComponentBase* component = CurrentComponent();
    if (!component || m_leaveSent) return;
    m_leaveSent = true;
    orvan::MouseEvent ev(orvan::MOUSE_LEAVE, 0, 0);
    *ev.x = 32000.0f;
    *ev.y = 32000.0f;
    *ev.z = 1.0f;
    DeliverEvent(component, &ev);
}

bool CTessaryCtrl::DeliverEvent(orvan::ComponentBase* component, orvan::DisplayEvent* ev) {
    try {
        return component->HandleFrameEvent(ev) != nullptr;
    } catch (...) {
        // A failing component loses this event only.
        return false;
    }
}

int CTessaryCtrl::ClientHeight() const {
    return m_host ? m_host->ClientSize().height : 0;
}

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
