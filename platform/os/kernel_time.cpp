// Time through the platform clock.
#include <thread>

#include "platform/os/clock.h"
#include "platform/os/kernel.h"

namespace qd {

DWORD GetTickCount() {
  return static_cast<DWORD>(os::NowMilliseconds());
}

uint64_t GetTickCount64() {
  return os::NowMilliseconds();
}

namespace {
constexpr int64_t kQpcFrequency = 10'000'000;  // 100 ns units, as current desktops report
}

BOOL QueryPerformanceCounter(int64_t* count) {
  if (!count) return FALSE;
  *count = static_cast<int64_t>(os::NowMicroseconds()) * (kQpcFrequency / 1'000'000);
  return TRUE;
}

BOOL QueryPerformanceFrequency(int64_t* frequency) {
  if (!frequency) return FALSE;
  *frequency = kQpcFrequency;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  return count ? QueryPerformanceCounter(&count->QuadPart) : FALSE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  return frequency ? QueryPerformanceFrequency(&frequency->QuadPart) : FALSE;
}

void Sleep(DWORD milliseconds) {
  if (os::VirtualClock* vc = os::CurrentVirtualClock()) {
    if (milliseconds != INFINITE) vc->Advance(milliseconds);
    std::this_thread::yield();
    return;
  }
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  if (milliseconds == INFINITE) {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD SleepEx(DWORD milliseconds, BOOL) {
  Sleep(milliseconds);
  return 0;
}

}  // namespace qd
