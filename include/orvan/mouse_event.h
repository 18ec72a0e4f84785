#pragma once

#include "orvan/display_event.h"

namespace orvan {

// A button press, release, move or drag, or a leave or enter notification from a frame.
class MouseEvent : public LocationEvent {
 public:
  MouseEvent() : button(0), modifiers(0) { eventType = EVENT_MOUSE; }
  MouseEvent(unsigned short subtype, unsigned char button_, int modifiers_ = 0)
      : button(button_), modifiers(modifiers_) {
    eventType = EVENT_MOUSE;
    eventSubtype = subtype;
  }

  unsigned char button;  // MOUSE_LBUTTON, MOUSE_MBUTTON, MOUSE_RBUTTON or 0
  int modifiers;         // SHIFT_STATE | CTRL_STATE
};

}  // namespace orvan
