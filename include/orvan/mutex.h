#pragma once

#include <mutex>

namespace orvan {

// A process lock, created unlocked. Lock() waits without time limit.
class Mutex {
 public:
  Mutex() {}
  virtual ~Mutex() {}
  Mutex(const Mutex&) = delete;
  Mutex& operator=(const Mutex&) = delete;

  void Lock() { handle.lock(); }
  void Unlock() { handle.unlock(); }
  bool TryLock() { return handle.try_lock(); }

 private:
  std::mutex handle;
};

// Holds a Mutex for the lifetime of a scope.
class MutexLock {
 public:
  explicit MutexLock(Mutex& mutex) : mutex_(mutex) { mutex_.Lock(); }
  ~MutexLock() { mutex_.Unlock(); }
  MutexLock(const MutexLock&) = delete;
  MutexLock& operator=(const MutexLock&) = delete;

 private:
  Mutex& mutex_;
};

}  // namespace orvan
