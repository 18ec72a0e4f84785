#include "platform/timer_queue.h"

namespace vessant {

unsigned TimerQueue::Set(unsigned id, unsigned periodMs, std::uint64_t nowUs) {
    if (id == 0) return 0;
    // A zero period would fire without end inside one step of the clock.
    const std::uint64_t periodUs = static_cast<std::uint64_t>(periodMs == 0 ? 1 : periodMs) * 1000;
    timers_[id] = Entry{periodUs, nowUs + periodUs};
    return id;
}

unsigned TimerQueue::SetAt(unsigned id, std::uint64_t dueUs) {
    if (id == 0) return 0;
    timers_[id] = Entry{0, dueUs};
    return id;
}

void TimerQueue::Kill(unsigned id) { timers_.erase(id); }

bool TimerQueue::NextDue(std::uint64_t* dueUs) const {
    bool found = false;
    for (const auto& [id, entry] : timers_) {
        if (!found || entry.dueUs < *dueUs) *dueUs = entry.dueUs;
        found = true;
    }
    return found;
}

bool TimerQueue::TakeDue(std::uint64_t nowUs, Late late, unsigned* id, std::uint64_t* dueUs) {
    auto earliest = timers_.end();
    for (auto it = timers_.begin(); it != timers_.end(); ++it) {
        if (it->second.dueUs > nowUs) continue;
        if (earliest == timers_.end() || it->second.dueUs < earliest->second.dueUs) earliest = it;
    }
    if (earliest == timers_.end()) return false;

    Entry& entry = earliest->second;
    *id = earliest->first;
    *dueUs = entry.dueUs;
    if (entry.periodUs == 0) {
        timers_.erase(earliest);
        return true;
    }
    entry.dueUs += entry.periodUs;
    // A late real clock fires once and resumes a period from now instead of bursting.
    if (late == Late::Skip && entry.dueUs < nowUs) entry.dueUs = nowUs + entry.periodUs;
    return true;
}

}  // namespace vessant
