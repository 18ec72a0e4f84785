#include "control/frame_clock.h"

#include <algorithm>

namespace vessant {
namespace {

constexpr unsigned kFrameTimerId = 1;
constexpr std::uint64_t kMinimumInterval = 1000;  // microseconds: the tick rule's 1 ms floor

// The frame interval a rate asks for, in microseconds; rate 0 stands for one frame a second.
std::uint64_t IntervalFor(unsigned rate) {
    return rate ? std::max<std::uint64_t>(1000000u / rate, kMinimumInterval) : 1000000u;
}

}  // namespace

HostClockTimer::HostClockTimer(const HostTimers* timers) : timers_(timers) {
    // The base constructor could only read the base clock; start again on ours.
    Restart();
}

void HostClockTimer::Now(unsigned long long* microseconds) {
    if (timers_) {
        *microseconds = timers_->NowMicroseconds();
        return;
    }
    orvan::Timer::Now(microseconds);
}

std::uint64_t HostClockTimer::ElapsedWholeMicroseconds() {
    unsigned long long now = 0;
    Now(&now);
    return now - start;
}

FrameClock::FrameClock() : timer_(std::make_unique<HostClockTimer>(nullptr)) {}

void FrameClock::Attach(HostTimers* timers) {
    timers_ = timers;
    timer_ = std::make_unique<HostClockTimer>(timers);
    lastFrameTime_ = 0;
}

// The timer is armed for the moment the tick rule will next find a frame due (the first
// microsecond after the effective interval), on the host clock the rule reads. Ticks at a fixed
// fraction of the period could only draw on a tick: frame times came quantised to that period
// (32 or 48 ms at 30 fps), a visible stutter. The rule still decides every tick.
void FrameClock::Arm() {
    if (!timers_) return;
    const std::uint64_t due = lastFrameTime_ + std::max(effectiveInterval_, kMinimumInterval) + 1;
    timerId_ = timers_->SetTimerAt(kFrameTimerId, timer_->Start() + due);
}

void FrameClock::Stop() {
    if (timerId_ != 0 && timers_) timers_->KillTimer(timerId_);
    timerId_ = 0;
}

// The tick rule in whole microseconds: milliseconds would settle the mean interval on the whole
// millisecond below the target (16 ms for 60 fps), and a whole frame rate could not carry the
// shortening that brings the mean back to 1000 / TargetFrameRate.
void FrameClock::Tick(unsigned targetFrameRate, const std::function<void()>& requestFrame) {
    if (!timers_) return;
    const std::uint64_t interval = std::max(effectiveInterval_, kMinimumInterval);
    // Unsigned, like the comparison it stands for: a clock that went back counts as late.
    const std::uint64_t elapsed = timer_->ElapsedWholeMicroseconds() - lastFrameTime_;
    if (elapsed > interval) {
        // The next interval is shortened by as much as this frame came late.
        const std::uint64_t target = IntervalFor(targetFrameRate);
        if (elapsed < target + interval) effectiveInterval_ = std::max(target + interval - elapsed, kMinimumInterval);
        requestFrame();
        lastFrameTime_ = timer_->ElapsedWholeMicroseconds();
    }
    // A timer killed meanwhile (rate 0, closing) stays killed.
    if (timerId_ != 0) Arm();
}

void FrameClock::FollowRate(unsigned targetFrameRate, bool arm) {
    if (timerId_ != 0 && appliedFrameRate_ == targetFrameRate) return;
    effectiveInterval_ = IntervalFor(targetFrameRate);
    Stop();
    if (targetFrameRate != 0) {
        lastFrameTime_ = timer_->ElapsedWholeMicroseconds();
        if (arm) Arm();
    }
    appliedFrameRate_ = targetFrameRate;
}

}  // namespace vessant
