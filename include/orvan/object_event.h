#pragma once

#include "orvan/display_event.h"

namespace orvan {

class DisplayObject;

// Something an object reports about itself; it bubbles up through the groups to whoever
// handles it (the control forwards it to its container).
class ObjectEvent : public DisplayEvent {
 public:
  // Copies name (null is taken as an empty name) and data (null stays null).
  ObjectEvent(DisplayObject* initiator, const char* name, const char* data = nullptr);
  ~ObjectEvent() override;
  ObjectEvent(const ObjectEvent&) = delete;
  ObjectEvent& operator=(const ObjectEvent&) = delete;

  DisplayObject* initiator;  // not owned
  char* eventName;
  char* eventData;
};

// Sends an object event from initiator to its parent group (so the initiator's own callback
// never sees it) and on up; without a parent group nothing is delivered. Returns the object
// that handled it, or null.
DisplayObject* EmitObjectEvent(DisplayObject* initiator, const char* name, const char* data = nullptr);

}  // namespace orvan
