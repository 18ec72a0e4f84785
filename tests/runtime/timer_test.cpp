// Timer arithmetic through an overridden clock, the real clock, and the shared timer.
#include <gtest/gtest.h>

#include "orvan/timer.h"

namespace orvan {
namespace {

class ClockTimer : public Timer {
 public:
  explicit ClockTimer(unsigned long long now) : now_(now) { Restart(); }
  using Timer::Now;
  void Now(unsigned long long* microseconds) override { *microseconds = now_; }
  void Set(unsigned long long now) { now_ = now; }

 private:
  unsigned long long now_;
};

TEST(TimerTest, ElapsedReadingsAndTheRelativeTimestampUseTheOverriddenClock) {
  ClockTimer t(1000000000ULL);
  EXPECT_EQ(t.Start(), 1000000000ULL);
  t.Set(1000000000ULL + 2500123ULL);
  EXPECT_EQ(t.ElapsedMilliseconds(), 2500u);
  EXPECT_EQ(t.ElapsedMicroseconds(), 2500123u);
  EXPECT_EQ(t.ElapsedSeconds(), 2u);
  EXPECT_DOUBLE_EQ(t.ElapsedTime(), 2.500123);
  EXPECT_EQ(t.Seconds(), 1002u);
  unsigned int s = 0, us = 0;
  t.Now(&s, &us);
  EXPECT_EQ(s, 1002u);
  EXPECT_EQ(us, 500123u);
  EXPECT_EQ(t.ElapsedPlus(1, 5), 3500128u);
  EXPECT_NEAR(t.TimeUntil(3, 0), 0.499877, 1e-9);
  EXPECT_NEAR(t.TimeUntil(1, 0), -1.500123, 1e-9);
  t.Set(1000000000ULL + (1ULL << 32) + 7);
  EXPECT_EQ(t.ElapsedMicroseconds(), 7u);  // the low 32 bits

  ClockTimer hourly(5 * 3600000000ULL + 1800000000ULL);
  EXPECT_EQ(hourly.RelativeTimestamp(), 2147483646u);  // half past: just below 2^31
  for (unsigned long long now : {1ULL, 999999ULL, 1234567891ULL, 7777777777ULL}) {
    hourly.Set(now);
    EXPECT_EQ(hourly.RelativeTimestamp() & 1u, 0u) << now;
  }
  hourly.Set(3600000000ULL);
  EXPECT_EQ(hourly.RelativeTimestamp(), 0u);
  hourly.Set(3599999999ULL);
  EXPECT_EQ(hourly.RelativeTimestamp(), 4294967294u);

  // The real clock counts in microseconds.
  Timer real;
  const double before = real.ElapsedTime();
  real.SleepMilliseconds(20);
  const double after = real.ElapsedTime();
  EXPECT_GE(after - before, 0.019);
  EXPECT_LT(after - before, 5.0);

  Timer& builtIn = SharedTimer();
  ClockTimer fixed(42000000ULL);
  fixed.Set(42000000ULL + 1500000ULL);
  SetSharedTimer(&fixed);
  EXPECT_DOUBLE_EQ(SharedTimer().ElapsedTime(), 1.5);
  SetSharedTimer(nullptr);
  EXPECT_EQ(&SharedTimer(), &builtIn);
}

}  // namespace
}  // namespace orvan
