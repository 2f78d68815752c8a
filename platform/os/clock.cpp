#include "platform/os/clock.h"

#include <atomic>
#include <time.h>

#include "platform/os/kernel_wait.h"

namespace qd::os {
namespace {

SystemClock& TheSystemClock() {
  static SystemClock clock;
  return clock;
}

std::atomic<Clock*> g_clock{nullptr};

}  // namespace

uint64_t SystemClock::NowMicroseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1'000'000u + static_cast<uint64_t>(ts.tv_nsec) / 1000u;
}

VirtualClock::VirtualClock(uint64_t startMs) : nowUs_(startMs * 1000) {}

uint64_t VirtualClock::NowMicroseconds() {
  std::lock_guard lock(mutex_);
  return nowUs_;
}

void VirtualClock::AdvanceMicroseconds(uint64_t us) {
  {
    std::lock_guard lock(mutex_);
    nowUs_ += us;
  }
  detail::WakeAll();
}

void VirtualClock::AdvanceToMicroseconds(uint64_t us) {
  {
    std::lock_guard lock(mutex_);
    if (us <= nowUs_) return;
    nowUs_ = us;
  }
  detail::WakeAll();
}

Clock& CurrentClock() {
  Clock* c = g_clock.load(std::memory_order_acquire);
  return c ? *c : TheSystemClock();
}

void SetClock(Clock* clock) {
  g_clock.store(clock, std::memory_order_release);
  detail::WakeAll();
}

VirtualClock* CurrentVirtualClock() {
  Clock* c = g_clock.load(std::memory_order_acquire);
  return c && c->IsVirtual() ? static_cast<VirtualClock*>(c) : nullptr;
}

ScopedVirtualClock::ScopedVirtualClock(uint64_t startMs) : clock_(startMs), previous_(g_clock.load()) {
  SetClock(&clock_);
}

ScopedVirtualClock::~ScopedVirtualClock() {
  SetClock(previous_);
}

}  // namespace qd::os
