#include "orvan/timer.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace orvan {

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<Timer*> sharedOverride{nullptr};

}  // namespace

Timer::Timer() : start(0), frequency(static_cast<long long>(Clock::period::den / Clock::period::num)) {
  Restart();
}

Timer::~Timer() {}

void Timer::Restart() { Now(&start); }

unsigned int Timer::ElapsedMilliseconds() {
  unsigned long long now;
  Now(&now);
  return static_cast<unsigned int>((now - start) / 1000ULL);
}

unsigned int Timer::ElapsedMicroseconds() {
  unsigned long long now;
  Now(&now);
  return static_cast<unsigned int>(now - start);
}

unsigned int Timer::ElapsedSeconds() {
  unsigned long long now;
  Now(&now);
  return static_cast<unsigned int>((now - start) / 1000000ULL);
}

double Timer::ElapsedTime() {
  unsigned long long now;
  Now(&now);
  return static_cast<double>(now - start) * 1e-6;
}

unsigned int Timer::Seconds() {
  unsigned long long now;
  Now(&now);
  return static_cast<unsigned int>(now / 1000000ULL);
}

void Timer::Now(unsigned long long* microseconds) {
  const auto sinceEpoch = Clock::now().time_since_epoch();
  *microseconds = static_cast<unsigned long long>(
      std::chrono::duration_cast<std::chrono::microseconds>(sinceEpoch).count());
}

void Timer::Now(unsigned int* seconds, unsigned int* microseconds) {
  unsigned long long now;
  Now(&now);
  *seconds = static_cast<unsigned int>(now / 1000000ULL);
  *microseconds = static_cast<unsigned int>(now % 1000000ULL);
}

void Timer::SleepMilliseconds(unsigned int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void Timer::SleepMicroseconds(unsigned int us) {
  std::this_thread::sleep_for(std::chrono::milliseconds(us / 1000));
}

unsigned int Timer::ElapsedPlus(unsigned int seconds, unsigned int microseconds) {
  unsigned long long now;
  Now(&now);
  return static_cast<unsigned int>(now - start + seconds * 1000000ULL + microseconds);
}

double Timer::TimeUntil(unsigned int seconds, unsigned int microseconds) {
  unsigned long long now;
  Now(&now);
  const unsigned long long target = start + seconds * 1000000ULL + microseconds;
  // The unsigned difference read as signed gives a negative time for a moment already past.
  return static_cast<double>(static_cast<long long>(target - now)) * 1e-6;
}

unsigned int Timer::RelativeTimestamp() {
  unsigned long long now;
  Now(&now);
  const unsigned long long pastHour = now % 3600000000ULL;
  const unsigned int scaled = static_cast<unsigned int>(static_cast<double>(pastHour) * 0.59652323555);
  return scaled << 1;
}

Timer& SharedTimer() {
  static Timer builtIn;
  Timer* substitute = sharedOverride.load();
  return substitute != nullptr ? *substitute : builtIn;
}

void SetSharedTimer(Timer* timer) { sharedOverride.store(timer); }

}  // namespace orvan
