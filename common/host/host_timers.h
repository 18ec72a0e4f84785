#pragma once
// Timers and the clock they run on.

#include <cstdint>

namespace vessant {

class HostTimers {
public:
    virtual ~HostTimers() = default;
    // Id and period in milliseconds; a timer fires until killed. Returns the id, 0 on failure.
    virtual unsigned SetTimer(unsigned id, unsigned periodMs) = 0;
    // A timer that fires once, as soon as NowMicroseconds reaches dueUs (at once when it already has).
    // Arming an id again replaces what it was armed for. Returns the id, 0 on failure.
    virtual unsigned SetTimerAt(unsigned id, std::uint64_t dueUs) = 0;
    virtual void KillTimer(unsigned id) = 0;
    // Microseconds of the host's clock; the frame clock reads it so a headless host can step time.
    virtual std::uint64_t NowMicroseconds() const = 0;
};

}  // namespace vessant
