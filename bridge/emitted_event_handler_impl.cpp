#include "bridge/emitted_event_handler_impl.h"

#include <string>

#include "bridge/ves_kesh_wrapper.h"
#include "orvan/group.h"
#include "orvan/object_event.h"

namespace vessant {

EmittedEventHandlerImpl::EmittedEventHandlerImpl(VesKeshWrapper* owner_) : owner(owner_) {}

int EmittedEventHandlerImpl::HandleEvent(KeshInterface1::Event* event) {
    if (owner == nullptr || event == nullptr || event->eventType != KeshInterface1::KESH_EVENT_OBJECT) return -1;
    VesKeshWrapper* wrapper = owner;
    // Whatever the scene graph (or the container behind it) throws stays on this side.
    wrapper->Guarded("the emitted event", [&] {
        const auto* emitted = static_cast<const KeshInterface1::ObjectEvent*>(event);
        wrapper->EmittedInitiatorName(emitted->initiatorName);
        orvan::ObjectEvent bubbling(wrapper, emitted->eventName, emitted->eventData);
        if (orvan::Group* parent = wrapper->ParentGroup()) parent->HandleEvent(&bubbling);
    });
    return -1;
}

}  // namespace vessant
