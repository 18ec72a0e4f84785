#pragma once

#include "orvan/vector.h"

namespace orvan {

// Event types (DisplayEvent::eventType). Type 2 is never produced.
constexpr unsigned short EVENT_MOUSE = 0;
constexpr unsigned short EVENT_KEYBOARD = 1;  // key pressed (and character messages)
constexpr unsigned short EVENT_OBJECT = 3;
constexpr unsigned short EVENT_KEYBOARD_UP = 4;

// Mouse subtypes (DisplayEvent::eventSubtype of EVENT_MOUSE).
constexpr unsigned short MOUSE_DOWN = 0;
constexpr unsigned short MOUSE_UP = 1;
constexpr unsigned short MOUSE_MOVE = 2;   // no button held
constexpr unsigned short MOUSE_DRAG = 3;   // a button held
constexpr unsigned short MOUSE_LEAVE = 4;  // an object loses the pointer
constexpr unsigned short MOUSE_ENTER = 5;  // an object has just come under the pointer

// Buttons (MouseEvent::button); 0 for a move with no button held.
constexpr unsigned char MOUSE_LBUTTON = 1;
constexpr unsigned char MOUSE_MBUTTON = 2;
constexpr unsigned char MOUSE_RBUTTON = 4;

// Modifier bits (MouseEvent::modifiers, KeyboardEvent::modifiers).
constexpr int SHIFT_STATE = 0x10000;
constexpr int CTRL_STATE = 0x40000;

// Something that travels through the scene graph: input, or a notification from an object.
class DisplayEvent {
 public:
  DisplayEvent() : eventType(EVENT_MOUSE), eventSubtype(0) {}
  DisplayEvent(unsigned short type, unsigned short subtype) : eventType(type), eventSubtype(subtype) {}
  virtual ~DisplayEvent() = default;

  bool IsMouse() const { return eventType == EVENT_MOUSE; }
  bool IsKeyboard() const { return eventType == EVENT_KEYBOARD || eventType == EVENT_KEYBOARD_UP; }

  unsigned short eventType;
  unsigned short eventSubtype;
};

// An event at a point: window coordinates when it is built from input (y up from the bottom
// edge), object coordinates once an object's HandleEvent has converted it.
class LocationEvent : public DisplayEvent {
 public:
  LocationEvent();
  // A copy points its nine references at its own vectors, never at the source's.
  LocationEvent(const LocationEvent& other);
  LocationEvent& operator=(const LocationEvent& other);
  ~LocationEvent() override = default;

  Vector location;
  Vector direction;    // of the pick ray
  Vector objectPoint;  // where the ray met the object's plane

  // The nine components above, in order; code that fills an event writes through them.
  float* x;
  float* y;
  float* z;
  float* directionX;
  float* directionY;
  float* directionZ;
  float* objectX;
  float* objectY;
  float* objectZ;

 private:
  void BindReferences();
};

}  // namespace orvan
