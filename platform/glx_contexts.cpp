#include "platform/glx_contexts.h"

#include "platform/x_error_trap.h"

namespace vessant {

GLXContext GlxContextApi::New(::Display* display, GLXFBConfig config, GLXContext share) {
    // A refused share list is reported by the server; it must not reach the default handler.
    XErrorTrap trap(display);
    GLXContext context = glXCreateNewContext(display, config, GLX_RGBA_TYPE, share, True);
    if (trap.Finish() != 0 && context != nullptr) {
        glXDestroyContext(display, context);
        context = nullptr;
    }
    return context;
}

void GlxContextApi::Destroy(::Display* display, GLXContext context) { glXDestroyContext(display, context); }

bool GlxContextApi::Bind(::Display* display, GLXDrawable drawable, GLXContext context) {
    if (drawable == 0) return false;
    return glXMakeContextCurrent(display, drawable, drawable, context) == True;
}

void GlxContextApi::Unbind(::Display* display) { glXMakeContextCurrent(display, None, None, nullptr); }

GLXContext GlxContextApi::Current(::Display* display) {
    return glXGetCurrentDisplay() == display ? glXGetCurrentContext() : nullptr;
}

}  // namespace vessant
