// The window side of the thread rule (README.md, "Threads").
#include <mutex>

#include "platform/os/thread_rule.h"
#include "platform/os/user_internal.h"

namespace qd::user {

void CheckWindowThread(const Window& w) {
  if constexpr (!os::kCheckThreadRule) return;
  if (w.kind != WindowKind::Normal || w.threadId == GetCurrentThreadId()) return;
  // The windows of a thread that has ended are left to whoever cleans up.
  if (w.thread) {
    std::lock_guard lock(w.thread->mutex);
    if (!w.thread->alive) return;
  }
  os::ThreadRuleBroken("window", w.handle, w.threadId);
}

WindowPtr CheckedFromAnyThread(HWND hwnd) {
  WindowPtr w = Lookup(hwnd);
  if (!w) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

}  // namespace qd::user
