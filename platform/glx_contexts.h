#pragma once
// The OpenGL contexts an X11 host made, all sharing with one root context per display connection;
// the root goes with the set, since the connection closes after it.

#include <GL/glx.h>

#include "platform/shared_root_contexts.h"

namespace vessant {

struct GlxContextApi {
    using Display = ::Display*;
    using Context = GLXContext;
    using Config = GLXFBConfig;
    using Drawable = GLXDrawable;
    static constexpr Context kNoContext = nullptr;
    static constexpr bool kLendsRoot = false;
    static constexpr bool kKeepsRoot = false;
    // A refused share list gives nullptr rather than an X error.
    static Context New(Display display, Config config, Context share);
    static void Destroy(Display display, Context context);
    static bool Bind(Display display, Drawable drawable, Context context);
    static void Unbind(Display display);
    static Context Current(Display display);
};

class GlxContexts : public SharedRootContexts<GlxContextApi> {
public:
    using SharedRootContexts::SharedRootContexts;
};

}  // namespace vessant
