#pragma once

#include "orvan/display_frame.h"
#include "orvan/display_object.h"

namespace orvan {

class DisplayEvent;

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

// A method of Class bound to an instance, in one of the three forms:
//   1 event form         int (Class::*)(Sender*, DisplayEvent*)
//   2 data form          void (Class::*)(void*, void*), with default data for the second pointer
//   3 notification form  void (Class::*)()
// Calling it in another form than the bound one does nothing (and the event form returns 0).
// An event-form holder without an instance calls the method on the sender's frame, when that
// frame is a Class.
template <typename Class, typename Sender = DisplayObject>
class CallbackMethodCallerTemplate : public CallbackMethodCallerBase {
 public:
  using EventMethod = int (Class::*)(Sender*, DisplayEvent*);
  using DataMethod = void (Class::*)(void*, void*);
  using NotifyMethod = void (Class::*)();

  static constexpr int kEventForm = 1;
  static constexpr int kDataForm = 2;
  static constexpr int kNotifyForm = 3;

  CallbackMethodCallerTemplate() : callerType(0), method(), data(nullptr), object(nullptr) {}
  CallbackMethodCallerTemplate(Class* object_, EventMethod m)
      : callerType(kEventForm), method(), data(nullptr), object(object_) {
    method.event = m;
  }
  CallbackMethodCallerTemplate(Class* object_, DataMethod m, void* data_ = nullptr)
      : callerType(kDataForm), method(), data(data_), object(object_) {
    method.data = m;
  }
  CallbackMethodCallerTemplate(Class* object_, NotifyMethod m)
      : callerType(kNotifyForm), method(), data(nullptr), object(object_) {
    method.notify = m;
  }

  int Call(DisplayObject* sender, DisplayEvent* ev) override {
    if (callerType != kEventForm || method.event == nullptr || sender == nullptr) return 0;
    Sender* typedSender = dynamic_cast<Sender*>(sender);
    if (typedSender == nullptr) return 0;
    Class* instance = object != nullptr ? object : dynamic_cast<Class*>(sender->Parent());
    if (instance == nullptr) return 0;
    return (instance->*method.event)(typedSender, ev);
  }
  void Call(void* argument, void* callData) override {
    if (callerType != kDataForm || method.data == nullptr || object == nullptr) return;
    (object->*method.data)(argument, callData != nullptr ? callData : data);
  }
  void Call() override {
    if (callerType != kNotifyForm || method.notify == nullptr || object == nullptr) return;
    (object->*method.notify)();
  }
  CallbackMethodCallerBase* Clone() const override { return new CallbackMethodCallerTemplate(*this); }

  int CallerType() const { return callerType; }
  Class* Object() const { return object; }

 private:
  // Exactly one member is in use, the one callerType names.
  union Method {
    Method() : event(nullptr) {}
    EventMethod event;
    DataMethod data;
    NotifyMethod notify;
  };

  int callerType;
  Method method;
  void* data;
  Class* object;
};

}  // namespace orvan
