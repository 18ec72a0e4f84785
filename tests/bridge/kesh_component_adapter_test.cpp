// The component side of the contract, met from the player's side: a component built on the
// runtime, exposed through the adapter and wrapped again by the player's wrapper, in one process.
#include "sdk/kesh_component_adapter.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "bridge/ves_kesh_wrapper.h"
#include "orvan/attrib_dict.h"
#include "orvan/attribute.h"
#include "orvan/callback_method_caller.h"
#include "orvan/gl_polygon.h"
#include "orvan/keyboard_event.h"
#include "orvan/mouse_event.h"
#include "orvan/object_event.h"
#include "orvan/resource_filter.h"

namespace {

using namespace orvan;

int gaugesAlive = 0;

// A red square from (10, 10) to (30, 30), a published "Value", and input handling of its own:
// the key 'x' makes the square emit an object event.
class Gauge : public ComponentBase {
public:
    Gauge() {
        ++gaugesAlive;
        AbsolutePlacement(true);
        FrameAttributes()->Add(new OrvanAttribute<float>(nullptr, AttributeName("Value"), &value));
    }
    ~Gauge() override { --gaugesAlive; }

    void Initialize() override {
        const vesColor red(255, 0, 0, 255);
        const Vertex corners[4] = {Vertex(10, 10, 0, red), Vertex(30, 10, 0, red), Vertex(30, 30, 0, red),
                                   Vertex(10, 30, 0, red)};
        square = new GLPolygon(4, corners);
        square->InstanceName("square");
        square->PolygonMode(3);
        InsertObject(square, true, false);
        FinishConstruction();
    }
    void Calculate(double time) override {
        if (time < 0) throw std::runtime_error("time runs backwards");
        lastTime = time;
    }
    DisplayObject* HandleFrameEvent(DisplayEvent* ev) override {
        lastType = ev->eventType;
        if (auto* key = dynamic_cast<KeyboardEvent*>(ev)) {
            lastKeysym = key->keysym;
            lastLocation = key->location;
            if (key->keysym == 'x') EmitObjectEvent(square, "Moved", "42");
            return this;
        }
        if (auto* mouse = dynamic_cast<MouseEvent*>(ev)) lastLocation = mouse->location;
        return nullptr;
    }
    DisplayObject* CloneObject(bool) override {
        auto* copy = new Gauge;
        copy->Initialize();
        copy->value = value;
        return copy;
    }

    float value = 7.0f;
    double lastTime = 0.0;
    int lastType = -1;
    int lastKeysym = 0;
    Vector lastLocation;
    GLPolygon* square = nullptr;
};

struct Listener {
    int OnEvent(DisplayObject*, DisplayEvent* ev) {
        auto* object = dynamic_cast<ObjectEvent*>(ev);
        if (object == nullptr) return 0;
        auto* wrapper = dynamic_cast<vessant::VesKeshWrapper*>(object->initiator);
        seen = std::string(wrapper ? wrapper->EmittedInitiatorName() : "?") + "/" + object->eventName + "/" +
               (object->eventData ? object->eventData : "");
        return 1;
    }
    std::string seen;
};

struct Wrapped {
    Wrapped() : wrapper(vessant::VesKeshWrapper::NewWrapper(KeshComponentAdapter::Create<Gauge>())) {}
    ~Wrapped() { wrapper->DeleteInstance(); }
    Gauge& Component() {
        return *static_cast<Gauge*>(static_cast<KeshComponentAdapter*>(wrapper->KeshInterface())->Component());
    }
    vessant::VesKeshWrapper* wrapper;
};

TEST(KeshComponentAdapter, AttributesInputEventsGeometryCloningAndFailures) {
    Wrapped w;
    ASSERT_NE(w.wrapper->KeshInterface(), nullptr);
    EXPECT_EQ(w.wrapper->GetResource("Value"), "7");
    w.wrapper->SetResource("Value", "12.5");
    EXPECT_FLOAT_EQ(w.Component().value, 12.5f);
    EXPECT_EQ(w.wrapper->GetResource("square.Location").substr(0, 3), "10 ");
    EXPECT_EQ(w.wrapper->GetResource("NoSuchName"), "");

    // Mirrored properties land on the component's own fields.
    w.wrapper->LineWidth(3.0f);
    EXPECT_FLOAT_EQ(w.Component().DisplayObject::LineWidth(), 3.0f);
    EXPECT_FLOAT_EQ(w.wrapper->LineWidth(), 3.0f);

    VesResourceFilter filter;
    filter.NamesOnly(true);
    filter.Include("Value");
    char* text = w.wrapper->GetResources(&filter);
    EXPECT_STREQ(text, "Value\n");
    w.wrapper->FreeResources(text);

    KeshInterface1* adapter = w.wrapper->KeshInterface();
    EXPECT_STREQ(adapter->GetAttribute(nullptr), "");
    adapter->SetAttribute(nullptr, "1");
    float hit[3] = {0, 0, 0};
    EXPECT_FALSE(adapter->Pick3D(nullptr, hit, 1.0f, hit, hit, nullptr));
    EXPECT_FALSE(adapter->GetExtents(nullptr, hit, nullptr));

    Wrapped driven;
    Listener listener;
    Group root;
    root.CallbackCaller(new CallbackMethodCallerTemplate<Listener>(&listener, &Listener::OnEvent));
    root.InsertObject(driven.wrapper, true, false);

    KeyboardEvent key(EVENT_KEYBOARD, 'x', 'x');
    key.location = Vector(3, 4, 0);
    EXPECT_EQ(driven.wrapper->HandleFrameEvent(&key), driven.wrapper);
    EXPECT_EQ(driven.Component().lastKeysym, 'x');
    EXPECT_EQ(driven.Component().lastLocation, Vector(3, 4, 0));
    EXPECT_EQ(listener.seen, "square/Moved/42");

    KeyboardEvent release(EVENT_KEYBOARD_UP, 'x');
    driven.wrapper->HandleFrameEvent(&release);
    EXPECT_EQ(driven.Component().lastType, EVENT_KEYBOARD_UP);
    MouseEvent move(MOUSE_MOVE, 0);
    move.location = Vector(5, 6, 0);
    EXPECT_EQ(driven.wrapper->HandleFrameEvent(&move), nullptr);
    EXPECT_EQ(driven.Component().lastLocation.x, 5.0f);
    ObjectEvent object(nullptr, "Poke");
    driven.wrapper->HandleFrameEvent(&object);
    EXPECT_EQ(driven.Component().lastType, EVENT_OBJECT);

    // Without a handler registered, events are dropped inside the component.
    driven.wrapper->KeshInterface()->SetEmittedEventHandler(nullptr);
    listener.seen.clear();
    driven.wrapper->HandleFrameEvent(&key);
    EXPECT_EQ(listener.seen, "");
    root.Objects().RemoveAt(0);

    const int before = gaugesAlive;
    {
        Wrapped w;
        float x, y, z, x2, y2, z2;
        w.wrapper->GetExtents(x, y, z, x2, y2, z2);
        EXPECT_EQ(x, 10.0f);
        EXPECT_EQ(x2, 30.0f);
        w.wrapper->UpdateBoundingVolume();
        EXPECT_EQ(w.wrapper->BoundingCenter(), Vector(20, 20, 0));
        EXPECT_GT(w.wrapper->BoundingRadius(), 10.0f);

        w.wrapper->Calculate(2.0);
        EXPECT_EQ(w.Component().lastTime, 2.0);
        testing::internal::CaptureStderr();
        w.wrapper->Calculate(-1.0);
        w.wrapper->Calculate(-2.0);
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err, "Vessant component: Calculate failed: time runs backwards\n");
        EXPECT_EQ(w.wrapper->FailureCount(), 0u);  // nothing crossed the contract

        w.Component().value = 3.0f;
        auto* clone = static_cast<vessant::VesKeshWrapper*>(w.wrapper->CloneObject());
        ASSERT_NE(clone->KeshInterface(), nullptr);
        EXPECT_EQ(clone->GetResource("Value"), "3");
        EXPECT_EQ(gaugesAlive, before + 2);
        clone->DeleteInstance();
    }
    EXPECT_EQ(gaugesAlive, before);
    EXPECT_EQ(KeshComponentAdapter::Adopt(nullptr), nullptr);
}

}  // namespace
