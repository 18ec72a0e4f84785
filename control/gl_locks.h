#pragma once
// Process-wide locks shared by every control instance in the process.

#include "orvan/mutex.h"

namespace vessant {

// Held while a context is made current and a frame drawn, and while contexts are destroyed.
orvan::Mutex& GlLock();
// Held while working-directory changes, library loading and component creation run.
orvan::Mutex& LoadLock();
// Held while the splash display's message changes.
orvan::Mutex& SplashLock();

class ScopedLock {
public:
    explicit ScopedLock(orvan::Mutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
    ~ScopedLock() { mutex_.Unlock(); }
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    orvan::Mutex& mutex_;
};

}  // namespace vessant
