// Callback holders: the three call forms, what happens when a form does not match, and the rule
// that an event-form holder without an instance calls the sender's frame.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "orvan/mouse_event.h"

namespace orvan {
namespace {

struct Listener {
  int OnEvent(DisplayObject* sender, DisplayEvent* ev) {
    calls.push_back("event");
    lastSender = sender;
    lastEvent = ev;
    return answer;
  }
  void OnData(void* argument, void* data) {
    calls.push_back("data");
    lastArgument = argument;
    lastData = data;
  }
  void OnNotify() { calls.push_back("notify"); }

  std::vector<std::string> calls;
  DisplayObject* lastSender = nullptr;
  DisplayEvent* lastEvent = nullptr;
  void* lastArgument = nullptr;
  void* lastData = nullptr;
  int answer = 7;
};

using ListenerCaller = CallbackMethodCallerTemplate<Listener, DisplayObject>;
void* const kNoArgument = nullptr;

TEST(CallbackCallerTest, EachFormCallsItsBoundMethodAndOtherFormsDoNothing) {
  Listener listener;
  GLPolygon sender;
  MouseEvent ev;
  ListenerCaller onEvent(&listener, &Listener::OnEvent);
  EXPECT_EQ(onEvent.Call(&sender, &ev), 7);
  EXPECT_EQ(listener.lastSender, &sender);
  EXPECT_EQ(listener.lastEvent, &ev);

  int defaultData = 0, argument = 0, given = 0;
  ListenerCaller onData(&listener, &Listener::OnData, &defaultData);
  onData.Call(&argument, &given);
  EXPECT_EQ(listener.lastArgument, &argument);
  EXPECT_EQ(listener.lastData, &given);
  onData.Call(&argument, nullptr);
  EXPECT_EQ(listener.lastData, &defaultData);
  CallbackMethodCallerBase* clone = onData.Clone();  // the same method on the same instance
  clone->Call(&argument, nullptr);
  delete clone;

  ListenerCaller onNotify(&listener, &Listener::OnNotify);
  onNotify.Call();
  EXPECT_EQ(listener.calls, (std::vector<std::string>{"event", "data", "data", "data", "notify"}));

  Listener idle;
  ListenerCaller eventOnly(&idle, &Listener::OnEvent);
  ListenerCaller dataOnly(&idle, &Listener::OnData);
  ListenerCaller notifyOnly(&idle, &Listener::OnNotify);
  eventOnly.Call();
  eventOnly.Call(kNoArgument, kNoArgument);
  EXPECT_EQ(dataOnly.Call(&sender, &ev), 0);
  dataOnly.Call();
  EXPECT_EQ(notifyOnly.Call(&sender, &ev), 0);
  notifyOnly.Call(kNoArgument, kNoArgument);
  // No sender, no method, no instance: nothing either.
  EXPECT_EQ(eventOnly.Call(nullptr, &ev), 0);
  ListenerCaller unbound;
  EXPECT_EQ(unbound.Call(&sender, &ev), 0);
  ListenerCaller noInstance(nullptr, &Listener::OnNotify);
  noInstance.Call();
  EXPECT_TRUE(idle.calls.empty());
}

// A component whose method handles the events of its children.
class Panel : public ComponentBase {
 public:
  int OnChildEvent(DisplayObject* sender, DisplayEvent*) {
    lastSender = sender;
    return 1;
  }
  DisplayObject* lastSender = nullptr;
};

TEST(CallbackCallerTest, WithoutAnInstanceTheSendersFrameIsCalledWhenItIsOfTheBoundClass) {
  Panel panel;
  GLPolygon* knob = new GLPolygon;
  panel.InsertObject(knob, true, false);
  panel.FinishConstruction();
  MouseEvent ev;
  CallbackMethodCallerTemplate<Panel, DisplayObject> toFrame(nullptr, &Panel::OnChildEvent);
  EXPECT_EQ(toFrame.Call(knob, &ev), 1);
  EXPECT_EQ(panel.lastSender, knob);

  // A frame of another class, and an object without a frame, are not called.
  DisplayFrame plain;
  GLPolygon* loose = new GLPolygon;
  plain.Root()->InsertObject(loose);
  plain.Root()->Parent(&plain);
  EXPECT_EQ(toFrame.Call(loose, &ev), 0);
  GLPolygon orphan;
  EXPECT_EQ(toFrame.Call(&orphan, &ev), 0);
}

// Counts how many holders of this kind are alive.
class CountedCaller : public CallbackMethodCallerTemplate<Listener, DisplayObject> {
 public:
  CountedCaller(Listener* l, int* alive_) : CallbackMethodCallerTemplate(l, &Listener::OnEvent), alive(alive_) {
    ++*alive;
  }
  ~CountedCaller() override { --*alive; }

 private:
  int* alive;
};

TEST(CallbackCallerTest, AnObjectOwnsItsCallbackCaller) {
  Listener listener;
  int alive = 0;
  {
    GLPolygon object;
    object.CallbackCaller(new CountedCaller(&listener, &alive));
    CallbackMethodCallerBase* second = new CountedCaller(&listener, &alive);
    object.CallbackCaller(second);
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(object.CallbackCaller(), second);
    object.CallbackCaller(second);  // the same holder again stays
    EXPECT_EQ(alive, 1);
  }
  EXPECT_EQ(alive, 0);
}

}  // namespace
}  // namespace orvan
