#pragma once
// Everything a platform host offers the control, as one object: a host in platform/ implements
// every role and delivers the window's messages to a HostClient (the control). Code that needs
// one role takes that role's interface. Nothing here includes X11, GLX or EGL headers.

#include "common/host/host_client.h"
#include "common/host/host_container.h"
#include "common/host/host_gl_contexts.h"
#include "common/host/host_pointer.h"
#include "common/host/host_timers.h"
#include "common/host/host_window.h"

namespace vessant {

class WindowHost : public HostWindow,
                   public HostTimers,
                   public HostPointer,
                   public HostContainer,
                   public HostGlContexts {};

}  // namespace vessant
