#pragma once
// The OpenGL contexts a headless host made, all sharing with one root context per EGL display;
// the root itself is lent out as a drawing context while no one else holds it, and stays for
// the process when the set goes.

#include <EGL/egl.h>

#include "platform/shared_root_contexts.h"

namespace vessant {

struct EglContextApi {
    using Display = EGLDisplay;
    using Context = EGLContext;
    using Config = EGLConfig;
    using Drawable = EGLSurface;
    static constexpr Context kNoContext = EGL_NO_CONTEXT;
    static constexpr bool kLendsRoot = true;
    static constexpr bool kKeepsRoot = true;
    // A compatibility-profile context where the driver offers one.
    static Context New(Display display, Config config, Context share);
    static void Destroy(Display display, Context context);
    static bool Bind(Display display, Drawable surface, Context context);
    static void Unbind(Display display);
    static Context Current(Display display);
};

class EglContexts : public SharedRootContexts<EglContextApi> {
public:
    using SharedRootContexts::SharedRootContexts;
};

}  // namespace vessant
