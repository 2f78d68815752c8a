// Critical sections, events, waits and the wait hub.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/os/clock.h"
#include "platform/os/kernel.h"
#include "platform/os/kernel_wait.h"

namespace qd {
namespace os::detail {
namespace {
std::atomic<void (*)()> g_extraWaker{nullptr};
}

// The hub lives as long as the process: worker threads may still signal through it while
// static objects are being destroyed at exit.
std::mutex& HubMutex() {
  static auto* m = new std::mutex;
  return *m;
}

std::condition_variable& HubCv() {
  static auto* cv = new std::condition_variable;
  return *cv;
}

void WakeAll() {
  { std::lock_guard lock(HubMutex()); }
  HubCv().notify_all();
  if (auto waker = g_extraWaker.load()) waker();
}

void SetExtraWaker(void (*waker)()) {
  g_extraWaker.store(waker);
}

int ProcessThreadCount() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("Threads:", 0) == 0) return std::atoi(line.c_str() + 8);
  return 2;  // unknown: assume somebody else may be there
}

}  // namespace os::detail

// ---- Critical sections ----------------------------------------------------------------------

void InitializeCriticalSection(LPCRITICAL_SECTION cs) {
  cs->impl = new std::recursive_mutex;
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION cs, DWORD) {
  InitializeCriticalSection(cs);
  return TRUE;
}

void EnterCriticalSection(LPCRITICAL_SECTION cs) {
  static_cast<std::recursive_mutex*>(cs->impl)->lock();
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION cs) {
  return static_cast<std::recursive_mutex*>(cs->impl)->try_lock() ? TRUE : FALSE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION cs) {
  static_cast<std::recursive_mutex*>(cs->impl)->unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION cs) {
  delete static_cast<std::recursive_mutex*>(cs->impl);
  cs->impl = nullptr;
}

// ---- Kernel objects ---------------------------------------------------------------------------
namespace {

struct KernelObject {
  virtual ~KernelObject() = default;
  // Called under the hub mutex: is the object signalled? A successful wait consumes it.
  virtual bool Signalled() const = 0;
  virtual void Consume() {}
};

struct Event final : KernelObject {
  bool manualReset = false;
  bool signalled = false;
  bool Signalled() const override { return signalled; }
  void Consume() override {
    if (!manualReset) signalled = false;
  }
};

// Guarded by the hub mutex.
std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>>& KernelHandles() {
  static std::unordered_map<uintptr_t, std::shared_ptr<KernelObject>> table;
  return table;
}
uintptr_t g_nextHandle = 0x1000;

std::shared_ptr<KernelObject> LookupKernelObject(HANDLE h) {
  auto& table = KernelHandles();
  auto it = table.find(reinterpret_cast<uintptr_t>(h));
  return it == table.end() ? nullptr : it->second;
}

template <class T>
std::shared_ptr<T> LookupAs(HANDLE h) {
  return std::dynamic_pointer_cast<T>(LookupKernelObject(h));
}

}  // namespace

HANDLE CreateEventW(SECURITY_ATTRIBUTES*, BOOL manualReset, BOOL initialState, LPCWSTR) {
  auto ev = std::make_shared<Event>();
  ev->manualReset = manualReset != FALSE;
  ev->signalled = initialState != FALSE;
  std::lock_guard lock(os::detail::HubMutex());
  uintptr_t h = g_nextHandle;
  g_nextHandle += 4;
  KernelHandles().emplace(h, std::move(ev));
  return reinterpret_cast<HANDLE>(h);
}

BOOL SetEvent(HANDLE event) {
  {
    std::lock_guard lock(os::detail::HubMutex());
    auto ev = LookupAs<Event>(event);
    if (!ev) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
    ev->signalled = true;
  }
  os::detail::WakeAll();
  return TRUE;
}

BOOL ResetEvent(HANDLE event) {
  std::lock_guard lock(os::detail::HubMutex());
  auto ev = LookupAs<Event>(event);
  if (!ev) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  ev->signalled = false;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  if (handle == GetCurrentProcess() || handle == GetCurrentThread()) return TRUE;
  std::lock_guard lock(os::detail::HubMutex());
  if (KernelHandles().erase(reinterpret_cast<uintptr_t>(handle)) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  return TRUE;
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<std::shared_ptr<KernelObject>> objects;
  std::unique_lock lock(os::detail::HubMutex());
  for (DWORD i = 0; i < count; ++i) {
    auto obj = LookupKernelObject(handles[i]);
    if (!obj) {
      SetLastError(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    objects.push_back(std::move(obj));
  }
  auto satisfied = [&]() -> DWORD {
    if (waitAll) {
      for (auto& o : objects)
        if (!o->Signalled()) return WAIT_TIMEOUT;
      for (auto& o : objects) o->Consume();
      return WAIT_OBJECT_0;
    }
    for (DWORD i = 0; i < count; ++i)
      if (objects[i]->Signalled()) {
        objects[i]->Consume();
        return WAIT_OBJECT_0 + i;
      }
    return WAIT_TIMEOUT;
  };

  const uint64_t deadlineUs =
      milliseconds == INFINITE ? 0 : os::NowMicroseconds() + static_cast<uint64_t>(milliseconds) * 1000;
  for (;;) {
    if (DWORD r = satisfied(); r != WAIT_TIMEOUT) return r;
    if (milliseconds == 0) return WAIT_TIMEOUT;
    if (milliseconds == INFINITE) {
      os::detail::HubCv().wait(lock);
      continue;
    }
    uint64_t now = os::NowMicroseconds();
    if (now >= deadlineUs) return WAIT_TIMEOUT;
    if (os::VirtualClock* vc = os::CurrentVirtualClock()) {
      // Nothing is signalled now: the time-out passes at once in virtual time.
      lock.unlock();
      vc->AdvanceToMicroseconds(deadlineUs);
      lock.lock();
      continue;
    }
    os::detail::HubCv().wait_for(lock, std::chrono::microseconds(deadlineUs - now));
  }
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &handle, FALSE, milliseconds);
}

}  // namespace qd
