#pragma once

namespace orvan {

class DisplayEvent;
class DisplayObject;

// A bound method of some object that can be called in one of three forms: with an event, with
// two data pointers, or as a bare notification. Attributes keep a clone of one and call its
// notification form after every change they make.
//
// The virtual operations keep a fixed slot order (numbers in the comments).
class CallbackMethodCallerBase {
 public:
  CallbackMethodCallerBase() = default;
  CallbackMethodCallerBase(const CallbackMethodCallerBase&) = default;
  CallbackMethodCallerBase& operator=(const CallbackMethodCallerBase&) = default;

  // Non-zero when the event was handled.
  /* 1 */ virtual int Call(DisplayObject* sender, DisplayEvent* ev) = 0;
  /* 2 */ virtual void Call(void* argument, void* data) = 0;
  /* 3 */ virtual void Call() = 0;
  // A new heap copy of this holder.
  /* 4 */ virtual CallbackMethodCallerBase* Clone() const = 0;
  // Owners free holders through this base.
  /* 5 */ virtual ~CallbackMethodCallerBase() = default;
};

}  // namespace orvan
