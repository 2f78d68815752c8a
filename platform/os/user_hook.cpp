// Per-thread hook chains: newest first, CallNextHookEx walks on.
#include <algorithm>
#include <unordered_map>

#include "platform/base/scopeexit.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

struct HookRegistry {
  std::mutex mutex;
  std::unordered_map<HHOOK, HookPtr> hooks;
};
HookRegistry& Registry() {
  static HookRegistry* r = new HookRegistry;
  return *r;
}

int Slot(int type) {
  return type + 1;
}  // WH_MSGFILTER (-1) .. WH_MOUSE_LL (14)

bool Supported(int type) {
  switch (type) {
    case WH_KEYBOARD:
    case WH_GETMESSAGE:
    case WH_CALLWNDPROC:
    case WH_CBT:
    case WH_MOUSE:
    case WH_CALLWNDPROCRET:
    case WH_MSGFILTER:
    case WH_FOREGROUNDIDLE:
      return true;
    default:
      return false;
  }
}

HookPtr FromHandle(HHOOK h) {
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  auto it = r.hooks.find(h);
  return it == r.hooks.end() ? nullptr : it->second;
}

// Calls the first usable hook of the chain from position `from` on. A hook that is running
// already on this thread is passed over, so a hook never re-enters itself.
LRESULT CallFrom(ThreadState& ts, int type, size_t from, int code, WPARAM wParam, LPARAM lParam) {
  std::vector<HookPtr> chain;
  {
    std::lock_guard lock(ts.mutex);
    chain = ts.hooks[Slot(type)];
  }
  for (size_t i = from; i < chain.size(); ++i) {
    HookPtr h = chain[i];
    if (h->dead || h->inCall > 0) continue;
    ++h->inCall;
    ScopeExit leave{[&h] { --h->inCall; }};
    return h->proc(code, wParam, lParam);
  }
  return 0;
}

}  // namespace

bool HasHooks(int type) {
  ThreadState& ts = CurrentThread();
  std::lock_guard lock(ts.mutex);
  return !ts.hooks[Slot(type)].empty();
}

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam) {
  return CallFrom(CurrentThread(), type, 0, code, wParam, lParam);
}

}  // namespace qd::user

namespace qd {
using namespace user;

HHOOK SetWindowsHookExW(int idHook, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (!Supported(idHook)) {
    SetLastError(ERROR_INVALID_HOOK_FILTER);
    return nullptr;
  }
  if (!proc) {
    SetLastError(ERROR_INVALID_FILTER_PROC);
    return nullptr;
  }
  // Hooks are per thread; a system-wide request hooks the calling thread.
  ThreadPtr ts = threadId ? ThreadById(threadId) : CurrentThreadPtr();
  if (!ts) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto hook = std::make_shared<Hook>();
  hook->type = idHook;
  hook->proc = proc;
  hook->thread = ts;
  {
    std::lock_guard lock(ts->mutex);
    auto& chain = ts->hooks[Slot(idHook)];
    chain.insert(chain.begin(), hook);
  }
  HHOOK h = reinterpret_cast<HHOOK>(hook.get());
  auto& r = Registry();
  std::lock_guard lock(r.mutex);
  r.hooks[h] = hook;
  return h;
}

BOOL UnhookWindowsHookEx(HHOOK handle) {
  HookPtr hook;
  {
    auto& r = Registry();
    std::lock_guard lock(r.mutex);
    auto it = r.hooks.find(handle);
    if (it == r.hooks.end()) {
      SetLastError(ERROR_INVALID_HOOK_HANDLE);
      return FALSE;
    }
    hook = it->second;
    r.hooks.erase(it);
  }
  hook->dead = true;
  if (ThreadPtr ts = hook->thread.lock()) {
    std::lock_guard lock(ts->mutex);
    auto& chain = ts->hooks[Slot(hook->type)];
    chain.erase(std::remove(chain.begin(), chain.end(), hook), chain.end());
  }
  return TRUE;
}

LRESULT CallNextHookEx(HHOOK handle, int code, WPARAM wParam, LPARAM lParam) {
  HookPtr hook = FromHandle(handle);
  if (!hook) return 0;
  ThreadPtr ts = hook->thread.lock();
  if (!ts) return 0;
  size_t next = 0;
  {
    std::lock_guard lock(ts->mutex);
    auto& chain = ts->hooks[Slot(hook->type)];
    auto it = std::find(chain.begin(), chain.end(), hook);
    if (it == chain.end()) return 0;
    next = static_cast<size_t>(it - chain.begin()) + 1;
  }
  return CallFrom(*ts, hook->type, next, code, wParam, lParam);
}

}  // namespace qd
