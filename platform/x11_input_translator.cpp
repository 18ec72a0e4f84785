#include "platform/x11_input_translator.h"

#include <X11/X.h>

#include <cstdlib>

namespace vessant {
namespace {

unsigned ButtonFlag(unsigned button) {
    switch (button) {
        case Button1: return kMkLButton;
        case Button2: return kMkMButton;
        case Button3: return kMkRButton;
        default: return 0;
    }
}

}  // namespace

unsigned X11InputTranslator::Flags(unsigned state) {
    unsigned flags = 0;
    if (state & ShiftMask) flags |= kMkShift;
    if (state & ControlMask) flags |= kMkControl;
    if (state & Button1Mask) flags |= kMkLButton;
    if (state & Button2Mask) flags |= kMkMButton;
    if (state & Button3Mask) flags |= kMkRButton;
    return flags;
}

bool X11InputTranslator::Press(unsigned button, int x, int y, unsigned long timeMs, unsigned state,
                               MouseMessage* message, unsigned* flags) {
    static const MouseMessage kDown[] = {MouseMessage::LButtonDown, MouseMessage::MButtonDown,
                                         MouseMessage::RButtonDown};
    static const MouseMessage kDouble[] = {MouseMessage::LButtonDblClk, MouseMessage::MButtonDblClk,
                                           MouseMessage::RButtonDblClk};
    if (ButtonFlag(button) == 0) return false;

    // Server time is 32-bit milliseconds that wrap; the difference stays right across a wrap.
    const unsigned long elapsed = (timeMs - lastTime_) & 0xFFFFFFFFul;
    const bool isDouble = armed_ && button == lastButton_ && elapsed <= kDoubleClickMs &&
                          std::abs(x - lastX_) <= kDoubleClickDistance && std::abs(y - lastY_) <= kDoubleClickDistance;
    *message = isDouble ? kDouble[button - 1] : kDown[button - 1];
    // A third press starts a new pair, as the second one completed this one.
    armed_ = !isDouble;
    lastButton_ = button;
    lastX_ = x;
    lastY_ = y;
    lastTime_ = timeMs;
    *flags = Flags(state) | ButtonFlag(button);
    return true;
}

bool X11InputTranslator::Release(unsigned button, unsigned state, MouseMessage* message, unsigned* flags) {
    static const MouseMessage kUp[] = {MouseMessage::LButtonUp, MouseMessage::MButtonUp, MouseMessage::RButtonUp};
    const unsigned flag = ButtonFlag(button);
    if (flag == 0) return false;
    *message = kUp[button - 1];
    *flags = Flags(state) & ~flag;
    return true;
}

}  // namespace vessant
