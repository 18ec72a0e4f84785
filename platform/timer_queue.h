#pragma once
// Window timers of a host: each armed id fires at its period until killed.

#include <cstdint>
#include <map>

namespace vessant {

class TimerQueue {
public:
    // What a timer does when it is taken later than its next due time.
    enum class Late {
        CatchUp,  // every missed period fires, in order (a stepped clock)
        Skip      // late by more than a period: next due one period from now (a real clock)
    };

    // Arms or re-arms `id`; it first fires one period after `nowUs`. Returns the id, 0 for id 0.
    unsigned Set(unsigned id, unsigned periodMs, std::uint64_t nowUs);
    // Arms or re-arms `id` to fire once at `dueUs`; it is disarmed when taken.
    unsigned SetAt(unsigned id, std::uint64_t dueUs);
    void Kill(unsigned id);
    void Clear() { timers_.clear(); }
    bool Empty() const { return timers_.empty(); }
    bool Armed(unsigned id) const { return timers_.count(id) != 0; }

    // Earliest due time of all timers; false when none is armed.
    bool NextDue(std::uint64_t* dueUs) const;

    // Takes the earliest timer due at or before `nowUs` (lowest id first on a tie) and schedules
    // its next firing (a one-shot timer is disarmed). False when none is due.
    bool TakeDue(std::uint64_t nowUs, Late late, unsigned* id, std::uint64_t* dueUs);

private:
    struct Entry {
        std::uint64_t periodUs = 0;  // 0: fires once
        std::uint64_t dueUs = 0;
    };
    std::map<unsigned, Entry> timers_;
};

}  // namespace vessant
