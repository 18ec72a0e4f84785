// Event records, routing through callbacks and groups, object events, and the routing a
// component does between its focus object and the object under the pointer; and the callback
// holders: the three call forms, what happens when a form does not match, and the rule that an
// event-form holder without an instance calls the sender's frame.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "orvan/callback_method_caller.h"
#include "orvan/component_base.h"
#include "orvan/gl_polygon.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "orvan/object_event.h"

namespace orvan {
namespace {

// Writes one line per event an object receives: "<object> <type>/<subtype>".
struct EventLog {
  int Record(DisplayObject* sender, DisplayEvent* ev) {
    lines.push_back(std::string(sender->InstanceName()) + " " + std::to_string(ev->eventType) + "/" +
                    std::to_string(ev->eventSubtype));
    if (const LocationEvent* at = dynamic_cast<LocationEvent*>(ev)) xs.push_back(at->location.x);
    if (const ObjectEvent* object = dynamic_cast<ObjectEvent*>(ev)) {
      objectNames.push_back(object->eventName);
      initiators.push_back(object->initiator);
    }
    // A receiver moves the event into its own coordinates; the next one must not see that.
    if (LocationEvent* at = dynamic_cast<LocationEvent*>(ev)) at->location.x += 1000.0f;
    return handles;
  }
  std::vector<std::string> lines;
  std::vector<float> xs;
  std::vector<std::string> objectNames;
  std::vector<DisplayObject*> initiators;
  int handles = 1;
};

void Listen(DisplayObject* object, EventLog* log) {
  object->CallbackCaller(new CallbackMethodCallerTemplate<EventLog, DisplayObject>(log, &EventLog::Record));
}

GLPolygon* Named(const char* name) {
  GLPolygon* polygon = new GLPolygon;
  polygon->InstanceName(name);
  return polygon;
}

TEST(EventRecordTest, LocationReferencesKeypadCharactersAndObjectEventTexts) {
  MouseEvent ev(MOUSE_DOWN, MOUSE_LBUTTON, SHIFT_STATE);
  *ev.x = 10.0f;
  *ev.y = 20.0f;
  *ev.directionZ = -1.0f;
  *ev.objectY = 3.0f;
  EXPECT_EQ(ev.location, Vector(10, 20, 0));
  EXPECT_EQ(ev.direction, Vector(0, 0, -1));
  EXPECT_EQ(ev.objectPoint, Vector(0, 3, 0));
  MouseEvent copy(ev);
  *copy.x = 99.0f;
  EXPECT_EQ(ev.location.x, 10.0f);
  EXPECT_EQ(copy.location.y, 20.0f);
  EXPECT_EQ(copy.button, MOUSE_LBUTTON);
  EXPECT_EQ(copy.modifiers, SHIFT_STATE);
  KeyboardEvent up(EVENT_KEYBOARD_UP, 'a', 'A', SHIFT_STATE);
  EXPECT_TRUE(up.IsKeyboard());
  EXPECT_FALSE(up.IsMouse());

  EXPECT_EQ(KeypadCharacter(KeypadDigitKeysym(0)), '0');
  EXPECT_EQ(KeypadCharacter(KEYSYM_KP_MULTIPLY), '*');
  EXPECT_EQ(KeypadCharacter(KEYSYM_KP_DIVIDE), '/');
  EXPECT_EQ(KeypadCharacter(KEYSYM_KP_ENTER), '\r');
  EXPECT_EQ(KeypadCharacter(KEYSYM_ENTER), 0);
  EXPECT_EQ(KeypadCharacter(FunctionKeysym(1)), 0);
  EXPECT_EQ(FunctionKeysym(16), KEYSYM_F16);

  GLPolygon initiator;
  char* data = new char[6];
  std::strcpy(data, "12.5");
  ObjectEvent withData(&initiator, "Changed", data);
  delete[] data;
  EXPECT_STREQ(withData.eventData, "12.5");
  EXPECT_STREQ(withData.eventName, "Changed");
  EXPECT_EQ(withData.eventType, EVENT_OBJECT);
  EXPECT_EQ(withData.eventSubtype, 0);
  ObjectEvent withoutData(&initiator, "Clicked");
  EXPECT_EQ(withoutData.eventData, nullptr);
  ObjectEvent unnamed(nullptr, nullptr);
  EXPECT_STREQ(unnamed.eventName, "");
}

// root > middle > leaf
struct Chain {
  Chain() : root(new Group), middle(new Group), leaf(Named("leaf")) {
    root->InstanceName("root");
    middle->InstanceName("middle");
    middle->InsertObject(leaf);
    root->InsertObject(middle);
  }
  ~Chain() {
    root->DeleteAllChildren();
    delete root;
  }
  Group* root;
  Group* middle;
  GLPolygon* leaf;
};

TEST(EventRoutingTest, EventsBubbleUpToTheFirstHandlerAndObjectEventsStartAtTheInitiatorsParent) {
  Chain chain;
  MouseEvent ev(MOUSE_DOWN, MOUSE_LBUTTON);
  EXPECT_EQ(chain.leaf->HandleEvent(&ev), nullptr);

  EventLog declines, handles;
  declines.handles = 0;
  Listen(chain.leaf, &declines);
  Listen(chain.root, &handles);
  EXPECT_EQ(chain.leaf->HandleEvent(&ev), chain.root);
  EXPECT_EQ(declines.lines, std::vector<std::string>{"leaf 0/0"});
  EXPECT_EQ(handles.lines, std::vector<std::string>{"root 0/0"});

  declines.handles = 1;
  EXPECT_EQ(chain.leaf->HandleEvent(&ev), chain.leaf);
  EXPECT_EQ(handles.lines.size(), 1u);

  Chain emitted;
  EventLog leafLog, middleLog;
  Listen(emitted.leaf, &leafLog);
  Listen(emitted.middle, &middleLog);
  EXPECT_EQ(EmitObjectEvent(emitted.leaf, "Clicked", "1"), emitted.middle);
  EXPECT_TRUE(leafLog.lines.empty());
  EXPECT_EQ(middleLog.lines, std::vector<std::string>{"middle 3/0"});
  EXPECT_EQ(middleLog.objectNames, std::vector<std::string>{"Clicked"});
  EXPECT_EQ(middleLog.initiators, std::vector<DisplayObject*>{emitted.leaf});

  // Without a parent group nothing is delivered, not even to the initiator itself.
  EventLog rootLog;
  Listen(emitted.root, &rootLog);
  EXPECT_EQ(EmitObjectEvent(emitted.root, "Clicked"), nullptr);
  EXPECT_TRUE(rootLog.lines.empty());
  EXPECT_EQ(EmitObjectEvent(nullptr, "Clicked"), nullptr);
}

// A component whose tests can hand an event to an object as if picking had found it there.
class RoutingComponent : public ComponentBase {
 public:
  using ComponentBase::RouteToHitObject;
};

struct Panel {
  Panel() : a(Named("a")), b(Named("b")) {
    component.InstanceName("panel");
    component.InsertObject(a, true, false);
    component.InsertObject(b, true, false);
    component.FinishConstruction();
    Listen(a, &log);
    Listen(b, &log);
  }
  RoutingComponent component;
  GLPolygon* a;
  GLPolygon* b;
  EventLog log;
};

TEST(FrameEventRoutingTest, PickDepthLeaveEnterTheFocusObjectAndKeysThatMoveIt) {
  Panel panel;
  MouseEvent move(MOUSE_MOVE, 0);
  *move.z = 0.9f;
  EXPECT_EQ(panel.component.HandleFrameEvent(&move), nullptr);
  EXPECT_FLOAT_EQ(move.location.z, 0.5f);
  EXPECT_FLOAT_EQ(panel.component.LastPickDepth(), 0.5f);
  EXPECT_EQ(panel.component.FocusObject(), nullptr);
  EXPECT_TRUE(panel.log.lines.empty());
  EXPECT_EQ(panel.component.HandleFrameEvent(nullptr), nullptr);
  ObjectEvent notice(panel.a, "Changed");
  EXPECT_EQ(panel.component.HandleFrameEvent(&notice), nullptr);

  Panel moving;
  MouseEvent crossing(MOUSE_MOVE, 0);
  *crossing.x = 5.0f;
  EXPECT_EQ(moving.component.RouteToHitObject(moving.a, &crossing), moving.a);
  *crossing.x = 5.0f;  // a new event from the window
  EXPECT_EQ(moving.component.RouteToHitObject(moving.b, &crossing), moving.b);
  EXPECT_EQ(moving.log.lines, (std::vector<std::string>{"a 0/5", "a 0/2", "a 0/4", "b 0/5", "b 0/2"}));
  EXPECT_EQ(crossing.eventSubtype, MOUSE_MOVE);
  // Every receiver starts from the position the event arrived with.
  for (std::size_t i = 0; i < moving.log.xs.size(); ++i) EXPECT_EQ(moving.log.xs[i], 5.0f) << i;
  EXPECT_EQ(moving.component.FocusObject(), moving.b);

  // Moving off every object: the last one is told, and nobody has the focus.
  moving.log.lines.clear();
  EXPECT_EQ(moving.component.HandleFrameEvent(&crossing), nullptr);
  EXPECT_EQ(moving.log.lines, std::vector<std::string>{"b 0/4"});
  EXPECT_EQ(moving.component.FocusObject(), nullptr);

  Panel focused;
  MouseEvent down(MOUSE_DOWN, MOUSE_LBUTTON);
  focused.component.RouteToHitObject(focused.a, &down);
  focused.log.lines.clear();

  MouseEvent drag(MOUSE_DRAG, MOUSE_LBUTTON);
  MouseEvent up(MOUSE_UP, MOUSE_LBUTTON);
  KeyboardEvent key(EVENT_KEYBOARD, 'x', 'x');
  KeyboardEvent keyUp(EVENT_KEYBOARD_UP, 'x');
  EXPECT_EQ(focused.component.HandleFrameEvent(&drag), focused.a);
  EXPECT_EQ(focused.component.HandleFrameEvent(&up), focused.a);
  EXPECT_EQ(focused.component.HandleFrameEvent(&key), focused.a);
  EXPECT_EQ(focused.component.HandleFrameEvent(&keyUp), focused.a);
  EXPECT_EQ(focused.log.lines, (std::vector<std::string>{"a 0/3", "a 0/1", "a 1/0", "a 4/0"}));
  EXPECT_EQ(focused.component.FocusObject(), focused.a);

  Panel keyed;
  MouseEvent hover(MOUSE_MOVE, 0);
  keyed.component.RouteToHitObject(keyed.a, &hover);
  keyed.log.lines.clear();
  KeyboardEvent focusKey(EVENT_KEYBOARD, 'x', 'x');
  EXPECT_EQ(keyed.component.RouteToHitObject(keyed.b, &focusKey), keyed.b);
  EXPECT_EQ(keyed.log.lines, (std::vector<std::string>{"a 0/4", "b 0/5", "b 1/0"}));
  EXPECT_EQ(focusKey.eventType, EVENT_KEYBOARD);
  EXPECT_EQ(focusKey.eventSubtype, 0);

  RoutingComponent outerFrame;
  outerFrame.InstanceName("outerFrame");
  Panel nested;
  GLPolygon* lamp = Named("lamp");
  outerFrame.InsertObject(lamp, true, false);
  outerFrame.FinishConstruction();
  Listen(lamp, &nested.log);
  MouseEvent outerMove(MOUSE_MOVE, 0);
  outerFrame.RouteToHitObject(lamp, &outerMove);
  nested.component.Parent(&outerFrame);
  nested.component.RouteToHitObject(nested.a, &outerMove);
  nested.component.SecondObject(nested.b);
  nested.log.lines.clear();

  nested.component.ClearDragAndFocus();
  EXPECT_EQ(nested.log.lines, (std::vector<std::string>{"a 0/4", "lamp 0/4"}));
  EXPECT_EQ(nested.component.FocusObject(), nullptr);
  EXPECT_EQ(nested.component.SecondObject(), nullptr);
  EXPECT_EQ(outerFrame.FocusObject(), nullptr);
}

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
class ChildHandlingPanel : public ComponentBase {
 public:
  int OnChildEvent(DisplayObject* sender, DisplayEvent*) {
    lastSender = sender;
    return 1;
  }
  DisplayObject* lastSender = nullptr;
};

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

TEST(CallbackCallerTest, AnObjectOwnsItsCallbackCallerAndWithoutAnInstanceTheSendersFrameIsCalled) {
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

  ChildHandlingPanel panel;
  GLPolygon* knob = new GLPolygon;
  panel.InsertObject(knob, true, false);
  panel.FinishConstruction();
  MouseEvent ev;
  CallbackMethodCallerTemplate<ChildHandlingPanel, DisplayObject> toFrame(nullptr,
                                                                  &ChildHandlingPanel::OnChildEvent);
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

}  // namespace
}  // namespace orvan
