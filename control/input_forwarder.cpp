#include "control/input_forwarder.h"

#include "control/key_mapping.h"
#include "orvan/component_base.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"

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

bool Deliver(orvan::ComponentBase* component, orvan::DisplayEvent* ev) {
    try {
        return component->HandleFrameEvent(ev) != nullptr;
    } catch (...) {
        // A failing component loses this event only.
        return false;
    }
}

}  // namespace

InputForwarder::InputForwarder(std::function<orvan::ComponentBase*()> currentComponent)
    : currentComponent_(std::move(currentComponent)) {}

void InputForwarder::Attach(HostWindow* window, HostPointer* pointer) {
    window_ = window;
    pointer_ = pointer;
}

void InputForwarder::OnMouse(MouseMessage message, int x, int y, unsigned flags) {
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
            SendMouseEvent(buttonDown_ ? orvan::MOUSE_DRAG : orvan::MOUSE_MOVE, HeldButton(flags), flags, x, y);
            return;
    }
}

void InputForwarder::ButtonDown(unsigned char button, unsigned flags, int x, int y) {
    if (pointer_) pointer_->SetCapture();
    buttonDown_ = true;
    SendMouseEvent(orvan::MOUSE_DOWN, button, flags, x, y);
}

void InputForwarder::ButtonUp(unsigned char button, unsigned flags, int x, int y) {
    buttonDown_ = false;
    if (pointer_) pointer_->ReleaseCapture();
    SendMouseEvent(orvan::MOUSE_UP, button, flags, x, y);
}

bool InputForwarder::SendMouseEvent(unsigned short subtype, unsigned char button, unsigned flags, int x, int y) {
    lastX_ = x;
    lastY_ = y;
    orvan::ComponentBase* component = currentComponent_();
    if (!component) return false;
    orvan::MouseEvent ev(subtype, button, Modifiers(flags));
    *ev.x = static_cast<float>(x);
    *ev.y = static_cast<float>(ClientHeight() - y);
    *ev.z = 0.5f;
    return Deliver(component, &ev);
}

void InputForwarder::SendKeyEvent(unsigned long xKeysym, unsigned flags, bool isUp) {
    if (!currentComponent_()) return;
    const int keysym = RuntimeKeysym(xKeysym);
    orvan::KeyboardEvent ev(isUp ? orvan::EVENT_KEYBOARD_UP : orvan::EVENT_KEYBOARD, keysym,
                            orvan::KeypadCharacter(keysym), Modifiers(flags));
    ev.eventSubtype = 0;
    *ev.x = static_cast<float>(lastX_);
    *ev.y = static_cast<float>(ClientHeight() - lastY_);
    *ev.z = 0.5f;
    // The object under the pointer becomes current before the key arrives; the move reports the
    // buttons held now.
    SendMouseEvent(buttonDown_ ? orvan::MOUSE_DRAG : orvan::MOUSE_MOVE, HeldButton(flags), flags, lastX_, lastY_);
    orvan::ComponentBase* component = currentComponent_();
    if (component) Deliver(component, &ev);
}

void InputForwarder::SendLeaveEvent() {
    orvan::ComponentBase* component = currentComponent_();
    if (!component || leaveSent_) return;
    leaveSent_ = true;
    orvan::MouseEvent ev(orvan::MOUSE_LEAVE, 0, 0);
    *ev.x = 32000.0f;
    *ev.y = 32000.0f;
    *ev.z = 1.0f;
    Deliver(component, &ev);
}

int InputForwarder::ClientHeight() const {
    return window_ ? window_->ClientSize().height : 0;
}

}  // namespace vessant
