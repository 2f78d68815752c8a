// Window and thread timers. WM_TIMER is made when a timer is due and the queue is otherwise
// idle; retrieving it with PM_REMOVE starts the next interval.
#include <algorithm>

#include "platform/os/clock.h"
#include "platform/os/user_internal.h"

namespace qd::user {

uint64_t NextTimerDue(ThreadState& ts) {
  uint64_t due = HoverDue(ts);
  for (auto& t : ts.timers) due = std::min(due, t.dueUs);
  return due;
}

bool TakeDueTimer(ThreadState& ts, HWND filter, bool remove, MSG& msg) {
  const uint64_t now = os::NowMicroseconds();
  Timer* best = nullptr;
  for (auto& t : ts.timers) {
    if (t.dueUs > now) continue;
    if (filter) {
      if (filter == reinterpret_cast<HWND>(-1) ? t.hwnd != nullptr
                                               : (t.hwnd != filter && !IsChild(filter, t.hwnd)))
        continue;
    }
    if (!best || t.dueUs < best->dueUs) best = &t;
  }
  if (!best) return false;
  msg = MSG{};
  msg.hwnd = best->hwnd;
  msg.message = WM_TIMER;
  msg.wParam = best->id;
  msg.lParam = reinterpret_cast<LPARAM>(best->proc);
  if (remove) best->dueUs = now + static_cast<uint64_t>(best->elapse) * 1000;
  return true;
}

void KillWindowTimers(ThreadState& ts, HWND hwnd) {
  std::erase_if(ts.timers, [&](const Timer& t) { return t.hwnd == hwnd; });
}

}  // namespace qd::user

namespace qd {
using namespace user;

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  ThreadState& ts = CurrentThread();
  if (hwnd) {
    WindowPtr w = Checked(hwnd);
    if (!w) return 0;
    if (w->threadId != ts.id) {
      SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
      return 0;
    }
  }
  elapse = std::clamp<UINT>(elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  const uint64_t due = os::NowMicroseconds() + static_cast<uint64_t>(elapse) * 1000;
  // An existing timer with this window and identifier starts again with the new values.
  // A thread timer is found only by an identifier that SetTimer gave out before.
  for (auto& t : ts.timers) {
    if (t.hwnd == hwnd && t.id == id && (hwnd || id != 0)) {
      t.elapse = elapse;
      t.dueUs = due;
      t.proc = proc;
      return hwnd ? (id ? id : 1) : id;
    }
  }
  Timer t;
  t.hwnd = hwnd;
  t.elapse = elapse;
  t.dueUs = due;
  t.proc = proc;
  if (hwnd) {
    t.id = id;
  } else {
    // New thread timers get identifiers of their own, never one in use.
    UINT_PTR nid = ts.nextTimerId;
    auto used = [&](UINT_PTR v) {
      return std::any_of(ts.timers.begin(), ts.timers.end(),
                         [&](const Timer& x) { return !x.hwnd && x.id == v; });
    };
    while (nid == 0 || used(nid)) ++nid;
    ts.nextTimerId = nid + 1;
    t.id = nid;
  }
  ts.timers.push_back(t);
  return hwnd ? (id ? id : 1) : t.id;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id) {
  ThreadState& ts = CurrentThread();
  auto it = std::find_if(ts.timers.begin(), ts.timers.end(),
                         [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
  if (it == ts.timers.end()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  ts.timers.erase(it);
  return TRUE;
}

}  // namespace qd
