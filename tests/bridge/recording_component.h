#pragma once
// A component object for tests of the player's side of the contract. What reaches it is written
// to a record the test keeps (the object frees itself on Destroy); it answers attributes from
// the record's table and can be told to throw from every operation.

#include <GL/gl.h>

#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bridge/kesh_interface1.h"

namespace vessant::test {

struct ComponentRecord {
    // What the component answers.
    std::map<std::string, std::string> values;  // GetAttribute; missing names answer ""
    bool answerNull = false;                    // GetAttribute and GetResources answer null
    bool throws = false;                        // every operation throws
    int pushesBeforeThrow = 0;                  // Draw pushes this many matrices before throwing
    bool consumes = true;                       // HandleInput's answer
    bool hasExtents = false;
    float minimum[3] = {0, 0, 0};
    float maximum[3] = {0, 0, 0};
    bool hasSphere = false;
    float centre[3] = {0, 0, 0};
    float radius = 0;
    bool picks = false;
    std::string resources;

    // What reached it.
    std::vector<std::string> calls;
    std::vector<std::pair<std::string, std::string>> sets;
    KeshInterface1::EmittedEventHandler* handler = nullptr;
    int destroyed = 0;
    int clones = 0;
    int drawDepth = -1;  // model-view stack depth when Draw began
    struct Input {
        int type = -1, subtype = -1, button = -1, keysym = -1, modifiers = -1;
        float location[3] = {-1, -1, -1};
    } input;
    int viewport[4] = {0, 0, 0, 0};
    double modelView[16] = {};
    bool cullTest = false;
    int filterDepth = 0, filterLevels = 0;

    // Sends an object event as the component would.
    int Emit(const char* initiator, const char* name, const char* data, unsigned short type = 3) {
        if (type != KeshInterface1::KESH_EVENT_OBJECT) {
            KeshInterface1::MouseEvent other;
            other.eventType = type;
            return handler->HandleEvent(&other);
        }
        KeshInterface1::ObjectEvent event;
        event.InitiatorName(initiator);
        event.EventName(name);
        event.EventData(data);
        return handler->HandleEvent(&event);
    }
};

class RecordingComponent final : public KeshInterface1 {
public:
    explicit RecordingComponent(ComponentRecord* record) : r_(record) {}

    void Calculate(double) override { Enter("Calculate"); }
    void PreDraw(KeshViewMatrices* m, bool* cullTest) override {
        Enter("PreDraw");
        std::memcpy(r_->viewport, m->viewport, sizeof r_->viewport);
        std::memcpy(r_->modelView, m->modelView, sizeof r_->modelView);
        r_->cullTest = *cullTest;
        // Writing through the record must not reach the player's own matrices.
        m->modelView[12] = 9999.0;
        *cullTest = !*cullTest;
    }
    void Draw() override {
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        r_->drawDepth = depth;
        if (r_->throws) {
            for (int i = 0; i < r_->pushesBeforeThrow; ++i) glPushMatrix();
        }
        Enter("Draw");
    }
    void SetAttribute(const char* name, const char* value) override {
        Enter("SetAttribute");
        r_->sets.emplace_back(name, value);
    }
    const char* GetAttribute(const char* name) override {
        Enter("GetAttribute");
        if (r_->answerNull) return nullptr;
        answer_ = r_->values.count(name) ? r_->values[name] : "";
        return answer_.c_str();
    }
    const char* GetResources(ResourceFilter* filter) override {
        Enter("GetResources");
        if (filter != nullptr) {
            r_->filterDepth = filter->Depth();
            r_->filterLevels = filter->Levels();
        }
        return r_->answerNull ? nullptr : r_->resources.c_str();
    }
    bool HandleInput(Event* event) override {
        Enter("HandleInput");
        ComponentRecord::Input& in = r_->input;
        in.type = event->eventType;
        in.subtype = event->eventSubtype;
        if (event->eventType == KESH_EVENT_MOUSE) {
            const auto* mouse = static_cast<MouseEvent*>(event);
            std::memcpy(in.location, mouse->location, sizeof in.location);
            in.button = mouse->button;
            in.modifiers = mouse->modifiers;
        } else if (event->eventType == KESH_EVENT_KEYBOARD || event->eventType == KESH_EVENT_KEYBOARD_UP) {
            const auto* key = static_cast<KeyboardEvent*>(event);
            std::memcpy(in.location, key->location, sizeof in.location);
            in.keysym = key->keysym;
            in.modifiers = key->modifiers;
        }
        return r_->consumes;
    }
    void SetEmittedEventHandler(EmittedEventHandler* handler) override {
        Enter("SetEmittedEventHandler");
        r_->handler = handler;
    }
    bool Pick3D(const float*, const float*, float, const float*, float* hitPoint, KeshViewMatrices* m) override {
        Enter("Pick3D");
        std::memcpy(r_->viewport, m->viewport, sizeof r_->viewport);
        hitPoint[0] = hitPoint[1] = hitPoint[2] = 1.0f;
        return r_->picks;
    }
    bool GetBoundingSphere(float* centre, float* radius) override {
        Enter("GetBoundingSphere");
        std::memcpy(centre, r_->centre, sizeof r_->centre);
        *radius = r_->radius;
        return r_->hasSphere;
    }
    bool GetExtents(float* minimum, float* maximum, void*) override {
        Enter("GetExtents");
        std::memcpy(minimum, r_->minimum, sizeof r_->minimum);
        std::memcpy(maximum, r_->maximum, sizeof r_->maximum);
        return r_->hasExtents;
    }
    KeshInterface1* CloneObject() override {
        Enter("CloneObject");
        ++r_->clones;
        return new RecordingComponent(r_);
    }
    void Destroy() override {
        ++r_->destroyed;
        const bool throws = r_->throws;
        delete this;
        if (throws) throw std::runtime_error("Destroy");
    }

private:
    ~RecordingComponent() = default;
    void Enter(const char* name) {
        r_->calls.push_back(name);
        if (r_->throws) throw std::runtime_error(name);
    }

    ComponentRecord* r_;
    std::string answer_;
};

}  // namespace vessant::test
