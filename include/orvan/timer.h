#pragma once

namespace orvan {

// A microsecond timer. Every operation reads the clock only through the virtual
// Now(unsigned long long*), so a subclass can supply another clock (the headless host drives
// time deterministically; tests fix it). The real clock is std::chrono::steady_clock.
// The virtual slots keep the specified order.
class Timer {
 public:
  // Starts the timer: start = Now(). A subclass with its own clock calls Restart() in its own
  // constructor, because the base constructor can only reach the real clock.
  Timer();
  virtual ~Timer();

  virtual unsigned int ElapsedMilliseconds();                                     // (now − start) / 1000
  virtual unsigned int ElapsedMicroseconds();                                     // low 32 bits of now − start
  virtual unsigned int ElapsedSeconds();                                          // (now − start) / 1000000
  virtual double ElapsedTime();                                                   // (now − start) × 1e-6
  virtual unsigned int Seconds();                                                 // now / 1000000
  virtual void Now(unsigned long long* microseconds);                             // the clock
  virtual void Now(unsigned int* seconds, unsigned int* microseconds);            // now split
  virtual void SleepMilliseconds(unsigned int ms);
  virtual void SleepMicroseconds(unsigned int us);                                // sleeps us / 1000 ms
  virtual unsigned int ElapsedPlus(unsigned int seconds, unsigned int microseconds);
  virtual double TimeUntil(unsigned int seconds, unsigned int microseconds);      // seconds until start + that
  virtual unsigned int RelativeTimestamp();                                       // IEEE 1278.1, lowest bit 0

  // Sets start to Now().
  void Restart();
  unsigned long long Start() const { return start; }

 protected:
  unsigned long long start;  // microseconds
  long long frequency;       // ticks per second of the clock, 0 when unavailable
};

// The process-wide timer for blinking, instance names and frame timing.
Timer& SharedTimer();
// Substitutes the shared timer (not owned); nullptr restores the built-in one.
void SetSharedTimer(Timer* timer);

}  // namespace orvan
