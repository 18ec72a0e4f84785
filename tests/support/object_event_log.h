#pragma once
// Writes down the object events that reach a group (its callback caller), as
// "initiator/event/data" with the initiator's emitted name.

#include <string>
#include <vector>

#include "bridge/ves_kesh_wrapper.h"
#include "orvan/callback_method_caller.h"
#include "orvan/group.h"
#include "orvan/object_event.h"

namespace vessant::test {

struct ObjectEventLog {
    // Starts listening on the group, which owns the caller made for it.
    void Listen(orvan::Group& group) {
        group.CallbackCaller(new orvan::CallbackMethodCallerTemplate<ObjectEventLog>(this, &ObjectEventLog::OnEvent));
    }
    int OnEvent(orvan::DisplayObject*, orvan::DisplayEvent* ev) {
        auto* object = dynamic_cast<orvan::ObjectEvent*>(ev);
        if (object == nullptr) return 0;
        initiator = object->initiator;
        auto* wrapper = dynamic_cast<VesKeshWrapper*>(object->initiator);
        seen.push_back(std::string(wrapper ? wrapper->EmittedInitiatorName() : "?") + "/" + object->eventName + "/" +
                       (object->eventData ? object->eventData : ""));
        return 1;
    }
    orvan::DisplayObject* initiator = nullptr;
    std::vector<std::string> seen;
};

}  // namespace vessant::test
