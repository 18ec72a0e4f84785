#pragma once
// The OpenGL contexts an X11 host made, all sharing with one root context per display connection.

#include <GL/glx.h>

#include <set>

namespace vessant {

class GlxContexts {
public:
    explicit GlxContexts(Display* display) : display_(display) {}
    // Deletes the contexts still alive and the connection's root: the connection closes after this.
    ~GlxContexts();
    GlxContexts(const GlxContexts&) = delete;
    GlxContexts& operator=(const GlxContexts&) = delete;

    // A context for `config` sharing with the root (created first when missing). When sharing is
    // refused an unshared context is made and *shared is false. nullptr on failure.
    GLXContext Create(GLXFBConfig config, bool* shared);
    bool MakeCurrent(GLXDrawable drawable, GLXContext context);
    void ReleaseCurrent();
    // Ignores contexts this set did not make.
    void Delete(GLXContext context);

private:
    GLXContext NewContext(GLXFBConfig config, GLXContext share);
    GLXContext Root(GLXFBConfig config);

    Display* display_;
    std::set<GLXContext> owned_;
};

}  // namespace vessant
