#pragma once
// The OpenGL contexts a host made, all sharing display lists and textures with one root context
// per display. The window system's calls come from Api:
//   Display, Context, Config, Drawable; kNoContext;
//   kLendsRoot: the root itself is handed out for drawing while no one holds it (and while it was
//     made for the same config) instead of every process paying for a context only to share with;
//   kKeepsRoot: the root stays for the process when the set goes (false: the display connection
//     closes after the set, so the root goes with it);
//   New(display, config, share), Destroy(display, context), Bind(display, drawable, context),
//   Unbind(display), Current(display): the context current on this thread for that display
//   (kNoContext when another display's or none).

#include <map>
#include <mutex>
#include <set>

namespace vessant {

template <typename Api>
class SharedRootContexts {
public:
    using Display = typename Api::Display;
    using Context = typename Api::Context;
    using Config = typename Api::Config;
    using Drawable = typename Api::Drawable;

    explicit SharedRootContexts(Display display) : display_(display) {}
    // Deletes the contexts still alive, and the display's root unless the Api keeps it.
    ~SharedRootContexts() {
        if (owned_.count(Api::Current(display_)) != 0) ReleaseCurrent();
        for (Context context : owned_) {
            if (!GiveBackRoot(context)) Api::Destroy(display_, context);
        }
        owned_.clear();
        if (!Api::kKeepsRoot) DestroyRoot();
    }
    SharedRootContexts(const SharedRootContexts&) = delete;
    SharedRootContexts& operator=(const SharedRootContexts&) = delete;

    // A context for `config` sharing with the root (created first when missing). When sharing is
    // refused an unshared context is made and *shared is false. kNoContext on failure.
    Context Create(Config config, bool* shared) {
        bool lent = false;
        const Context root = Root(config, &lent);
        if (lent) {
            if (shared) *shared = true;
            owned_.insert(root);
            return root;
        }
        Context context = root != Api::kNoContext ? Api::New(display_, config, root) : Api::kNoContext;
        const bool isShared = context != Api::kNoContext;
        if (!isShared) context = Api::New(display_, config, Api::kNoContext);
        if (shared) *shared = isShared;
        if (context != Api::kNoContext) owned_.insert(context);
        return context;
    }

    bool MakeCurrent(Drawable drawable, Context context) {
        if (owned_.count(context) == 0) return false;
        return Api::Bind(display_, drawable, context);
    }

    void ReleaseCurrent() {
        if (Api::Current(display_) != Api::kNoContext) Api::Unbind(display_);
    }

    // Ignores contexts this set did not make.
    void Delete(Context context) {
        auto found = owned_.find(context);
        if (found == owned_.end()) return;
        if (Api::Current(display_) == context) ReleaseCurrent();
        if (!GiveBackRoot(context)) Api::Destroy(display_, context);
        owned_.erase(found);
    }

private:
    struct RootContext {
        Context context = Api::kNoContext;
        Config config{};
        bool lent = false;
    };
    // One registry per window system, shared by every set of the process.
    static std::mutex& RootMutex() {
        static std::mutex mutex;
        return mutex;
    }
    static std::map<Display, RootContext>& Roots() {
        static std::map<Display, RootContext> roots;
        return roots;
    }

    // The display's root (made first when missing); *lent when it is handed out for drawing.
    Context Root(Config config, bool* lent) {
        std::lock_guard<std::mutex> lock(RootMutex());
        RootContext& root = Roots()[display_];
        if (root.context == Api::kNoContext) {
            root.context = Api::New(display_, config, Api::kNoContext);
            root.config = config;
        }
        *lent = Api::kLendsRoot && root.context != Api::kNoContext && !root.lent && root.config == config;
        if (*lent) root.lent = true;
        return root.context;
    }

    // True when context is the root, which is then free to be lent again instead of destroyed.
    bool GiveBackRoot(Context context) {
        std::lock_guard<std::mutex> lock(RootMutex());
        auto found = Roots().find(display_);
        if (found == Roots().end() || found->second.context != context) return false;
        found->second.lent = false;
        return true;
    }

    void DestroyRoot() {
        std::lock_guard<std::mutex> lock(RootMutex());
        auto found = Roots().find(display_);
        if (found == Roots().end()) return;
        if (found->second.context != Api::kNoContext) {
            if (Api::Current(display_) == found->second.context) Api::Unbind(display_);
            Api::Destroy(display_, found->second.context);
        }
        Roots().erase(found);
    }

    Display display_;
    std::set<Context> owned_;
};

}  // namespace vessant
