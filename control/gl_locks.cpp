#include "control/gl_locks.h"

namespace vessant {

// Function-local statics: created once, by whichever control needs them first.
orvan::Mutex& GlLock() {
    static orvan::Mutex lock;
    return lock;
}

orvan::Mutex& LoadLock() {
    static orvan::Mutex lock;
    return lock;
}

orvan::Mutex& SplashLock() {
    static orvan::Mutex lock;
    return lock;
}

}  // namespace vessant
