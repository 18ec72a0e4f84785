#pragma once
// The window's mouse and key messages as runtime events for the drawn component: which button
// is held (and the capture with it), where the pointer was last, and the one leave event a
// window's close and destroy tell together.

#include <functional>

#include "common/host/host_pointer.h"
#include "common/host/host_types.h"
#include "common/host/host_window.h"

namespace orvan {
class ComponentBase;
}  // namespace orvan

namespace vessant {

class InputForwarder {
public:
    // currentComponent: the component events go to (null: nothing to tell).
    explicit InputForwarder(std::function<orvan::ComponentBase*()> currentComponent);
    void Attach(HostWindow* window, HostPointer* pointer);

    void OnMouse(MouseMessage message, int x, int y, unsigned flags);
    // True when the component handled the event.
    bool SendMouseEvent(unsigned short subtype, unsigned char button, unsigned flags, int x, int y);
    void SendKeyEvent(unsigned long xKeysym, unsigned flags, bool isUp);
    // The pointer left: told once per window.
    void SendLeaveEvent();
    // A new window may tell its own leave.
    void WindowCreated() { leaveSent_ = false; }

private:
    void ButtonDown(unsigned char button, unsigned flags, int x, int y);
    void ButtonUp(unsigned char button, unsigned flags, int x, int y);
    int ClientHeight() const;

    std::function<orvan::ComponentBase*()> currentComponent_;
    HostWindow* window_ = nullptr;
    HostPointer* pointer_ = nullptr;
    bool buttonDown_ = false;
    bool leaveSent_ = false;
    int lastX_ = 0, lastY_ = 0;
};

}  // namespace vessant
