#pragma once
// The player's end of the component's event channel: each object event the component emits
// becomes a runtime object event from the wrapper, bubbling up from the wrapper's parent group
// (to the control's root group, which tells the container).

#include "bridge/kesh_interface1.h"

namespace vessant {

class VesKeshWrapper;

class EmittedEventHandlerImpl : public KeshInterface1::EmittedEventHandler {
public:
    explicit EmittedEventHandlerImpl(VesKeshWrapper* owner);

    // Always -1, as the contract has it. Never throws back into the component.
    int HandleEvent(KeshInterface1::Event* event) override;

    // From now on events are dropped: the wrapper is going away.
    void Detach() { owner = nullptr; }

private:
    VesKeshWrapper* owner;
};

}  // namespace vessant
