#pragma once
// The one clock behind GetTickCount, QueryPerformanceCounter, timers and Sleep.
//
// By default it is the machine's monotonic clock. A test installs a VirtualClock, which
// moves only when told (Advance) or when a thread would otherwise wait: Sleep advances it
// and returns at once, and an idle message loop advances it to the next due timer. A
// message loop that could only wait for ever fails with EWouldBlockForever instead of
// hanging the test.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <stdexcept>

namespace qd::os {

class Clock {
 public:
  virtual ~Clock() = default;
  // Monotonic time in microseconds.
  virtual uint64_t NowMicroseconds() = 0;
  virtual bool IsVirtual() const { return false; }
};

// The machine's monotonic clock.
class SystemClock final : public Clock {
 public:
  uint64_t NowMicroseconds() override;
};

class VirtualClock final : public Clock {
 public:
  // The clock starts at startMs milliseconds (GetTickCount's value right after installation).
  explicit VirtualClock(uint64_t startMs = 1'000'000);
  uint64_t NowMicroseconds() override;
  bool IsVirtual() const override { return true; }

  uint64_t NowMilliseconds() { return NowMicroseconds() / 1000; }
  // Moves the clock forward and wakes every waiting thread (timers may be due now).
  void Advance(uint64_t ms) { AdvanceMicroseconds(ms * 1000); }
  void AdvanceMicroseconds(uint64_t us);
  // Moves the clock to an absolute time; never backwards.
  void AdvanceToMicroseconds(uint64_t us);

  // How long (real time) an idle message loop with nothing to wait for keeps waiting for
  // another thread to post something before it gives up with EWouldBlockForever. When the
  // process has a single thread it gives up at once.
  std::chrono::milliseconds IdleGrace() const { return grace_; }
  void SetIdleGrace(std::chrono::milliseconds grace) { grace_ = grace; }

 private:
  std::mutex mutex_;
  uint64_t nowUs_;
  std::chrono::milliseconds grace_{10000};
};

// Thrown by a blocking message-loop wait under the virtual clock when no message, no timer
// and no other thread can ever wake it.
class EWouldBlockForever : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The clock in use (never null).
Clock& CurrentClock();
// Installs a clock (not owned; it must outlive its installation); nullptr restores the
// system clock. Waiting threads are woken so that they re-read the time.
void SetClock(Clock* clock);
// The installed virtual clock, or nullptr under the system clock.
VirtualClock* CurrentVirtualClock();

inline uint64_t NowMicroseconds() {
  return CurrentClock().NowMicroseconds();
}
inline uint64_t NowMilliseconds() {
  return CurrentClock().NowMicroseconds() / 1000;
}

// Installs a virtual clock for the lifetime of the object (tests).
class ScopedVirtualClock {
 public:
  explicit ScopedVirtualClock(uint64_t startMs = 1'000'000);
  ~ScopedVirtualClock();
  ScopedVirtualClock(const ScopedVirtualClock&) = delete;
  ScopedVirtualClock& operator=(const ScopedVirtualClock&) = delete;
  VirtualClock& clock() { return clock_; }
  VirtualClock* operator->() { return &clock_; }
  void Advance(uint64_t ms) { clock_.Advance(ms); }

 private:
  VirtualClock clock_;
  Clock* previous_;
};

}  // namespace qd::os
