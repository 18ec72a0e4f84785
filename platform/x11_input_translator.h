#pragma once
// Turns X pointer and key event fields into the control's mouse messages and flags, including
// the double clicks X does not report.

#include "common/host/host_types.h"

namespace vessant {

class X11InputTranslator {
public:
    static constexpr unsigned long kDoubleClickMs = 500;
    static constexpr int kDoubleClickDistance = 4;

    // `state` is the X modifier and button mask before the event; `button` 1 left, 2 middle, 3 right.
    // False for buttons without a message (the wheel and extra buttons).
    bool Press(unsigned button, int x, int y, unsigned long timeMs, unsigned state, MouseMessage* message,
               unsigned* flags);
    bool Release(unsigned button, unsigned state, MouseMessage* message, unsigned* flags);

    // kMkShift, kMkControl and the buttons held, from an X state mask.
    static unsigned Flags(unsigned state);

private:
    bool armed_ = false;  // a press that a second one may turn into a double click
    unsigned lastButton_ = 0;
    int lastX_ = 0, lastY_ = 0;
    unsigned long lastTime_ = 0;
};

}  // namespace vessant
