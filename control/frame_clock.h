#pragma once
// The frame timer of the control: when the next frame is due at TargetFrameRate, on the host's
// clock, with the interval shortened by as much as a frame came late.

#include <cstdint>
#include <functional>
#include <memory>

#include "common/host/host_timers.h"
#include "orvan/timer.h"

namespace vessant {

// The runtime's timer read on the host's clock, so a headless host can step time deterministically.
class HostClockTimer : public orvan::Timer {
public:
    explicit HostClockTimer(const HostTimers* timers);
    using orvan::Timer::Now;
    void Now(unsigned long long* microseconds) override;
    // Whole microseconds since the start: frame deadlines are computed on it without rounding.
    std::uint64_t ElapsedWholeMicroseconds();

private:
    const HostTimers* timers_;
};

class FrameClock {
public:
    FrameClock();
    // Restarts the clock on the host's timers (null: the process clock, no timer).
    void Attach(HostTimers* timers);

    // Arms the timer for the moment the tick rule will next find a frame due.
    void Arm();
    // Kills the running timer.
    void Stop();
    // A tick of the timer: when a frame is due, requestFrame runs and the frame counts as
    // requested now. The timer is armed again unless it was stopped meanwhile.
    void Tick(unsigned targetFrameRate, const std::function<void()>& requestFrame);
    // At each paint: a changed rate (or no timer) starts again at that rate's interval; rate 0
    // leaves the control without a timer. arm false: no window to arm a timer for.
    void FollowRate(unsigned targetFrameRate, bool arm);

    double ElapsedTime() { return timer_->ElapsedTime(); }
    unsigned TimerId() const { return timerId_; }
    // Frames per second the next interval stands for (the interval itself is kept in microseconds).
    unsigned EffectiveFrameRate() const {
        return static_cast<unsigned>((1000000u + effectiveInterval_ / 2) / effectiveInterval_);
    }

private:
    HostTimers* timers_ = nullptr;
    std::unique_ptr<HostClockTimer> timer_;
    unsigned timerId_ = 0;
    std::uint64_t lastFrameTime_ = 0;         // microseconds of timer_ when the last frame was requested
    std::uint64_t effectiveInterval_ = 33333;  // microseconds: the adaptive rate as the interval it gives
    unsigned appliedFrameRate_ = 0;
};

}  // namespace vessant
