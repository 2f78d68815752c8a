// Sending, posting, the message queue and the message loop's waits.
#include <algorithm>
#include <chrono>

#include "platform/base/scopeexit.h"
#include "platform/os/clock.h"
#include "platform/os/kernel_wait.h"
#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::user {
namespace {

bool MatchRange(UINT msg, UINT min, UINT max) {
  if (min == 0 && max == 0) return true;
  if (min <= max) return msg >= min && msg <= max;
  return msg >= min || msg <= max;
}

bool MatchWindow(HWND msgHwnd, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return msgHwnd == nullptr;
  return msgHwnd == filter || IsChild(filter, msgHwnd);
}

void Complete(SentMessage& sm, LRESULT result) {
  {
    std::lock_guard lock(os::detail::HubMutex());
    if (!sm.replied) sm.result = result;
    sm.done = true;
  }
  os::detail::HubCv().notify_all();
}

bool HasIncoming(ThreadState& ts) {
  std::lock_guard lock(ts.mutex);
  return !ts.incoming.empty();
}

LRESULT CrossThreadSend(const WindowPtr& w, UINT msg, WPARAM wParam, LPARAM lParam, bool notify,
                        uint64_t timeoutMs, bool* timedOut) {
  ThreadPtr target = w->thread;
  auto sm = std::make_shared<SentMessage>();
  sm->hwnd = w->handle;
  sm->msg = msg;
  sm->wParam = wParam;
  sm->lParam = lParam;
  sm->notify = notify;
  sm->senderThread = GetCurrentThreadId();
  {
    std::lock_guard lock(target->mutex);
    if (!target->alive) return 0;
    target->incoming.push_back(sm);
  }
  os::detail::WakeAll();
  if (notify) return 1;
  ThreadState& me = CurrentThread();
  const auto start = std::chrono::steady_clock::now();
  std::unique_lock lock(os::detail::HubMutex());
  while (!sm->done) {
    if (HasIncoming(me)) {
      // Sends to us while we wait are processed, so two threads sending to each other never deadlock.
      lock.unlock();
      ProcessIncomingSends(me);
      lock.lock();
      continue;
    }
    {
      std::lock_guard tl(target->mutex);
      if (!target->alive) break;
    }
    if (timeoutMs != UINT64_MAX) {
      auto until = start + std::chrono::milliseconds(timeoutMs);
      if (os::detail::HubCv().wait_until(lock, until) == std::cv_status::timeout && !sm->done) {
        if (timedOut) *timedOut = true;
        return 0;
      }
    } else {
      os::detail::HubCv().wait_for(lock, std::chrono::milliseconds(200));
    }
  }
  return sm->result;
}

void Broadcast(UINT msg, WPARAM wParam, LPARAM lParam, bool post) {
  std::vector<WindowPtr> targets = TopLevelWindows();
  // Unlike the original system, a changed setting reaches message-only windows too: the
  // library keeps its caches of system settings in such windows, which would otherwise
  // never hear of a change.
  if (msg == WM_SETTINGCHANGE) {
    std::vector<WindowPtr> hidden = MessageOnlyWindows();
    targets.insert(targets.end(), hidden.begin(), hidden.end());
  }
  for (auto& w : targets) {
    if (!Lookup(w->handle)) continue;
    if (post)
      PostMessageW(w->handle, msg, wParam, lParam);
    else
      Send(w->handle, msg, wParam, lParam);
  }
}

bool TakePosted(ThreadState& ts, HWND filter, UINT min, UINT max, bool remove, MSG& out) {
  std::lock_guard lock(ts.mutex);
  for (auto it = ts.posted.begin(); it != ts.posted.end(); ++it) {
    if (!MatchRange(it->message, min, max) || !MatchWindow(it->hwnd, filter)) continue;
    out = *it;
    if (remove) ts.posted.erase(it);
    return true;
  }
  return false;
}

bool TakeQuit(ThreadState& ts, HWND filter, UINT min, UINT max, bool remove, MSG& out) {
  if (filter || !MatchRange(WM_QUIT, min, max)) return false;
  std::lock_guard lock(ts.mutex);
  if (!ts.quit) return false;
  out = MSG{};
  out.message = WM_QUIT;
  out.wParam = static_cast<WPARAM>(ts.quitCode);
  if (remove) ts.quit = false;
  return true;
}

// What kinds of work the thread's queue holds now (QS_ bits).
UINT QueueStatus(ThreadState& ts) {
  UINT qs = 0;
  {
    std::lock_guard lock(ts.mutex);
    if (!ts.incoming.empty()) qs |= QS_SENDMESSAGE;
    if (!ts.posted.empty() || ts.quit) qs |= QS_POSTMESSAGE | QS_ALLPOSTMESSAGE;
    for (auto& e : ts.input)
      qs |= e.kind == InputEvent::Key ? QS_KEY : e.message == WM_MOUSEMOVE ? QS_MOUSEMOVE : QS_MOUSEBUTTON;
  }
  if (NextTimerDue(ts) <= os::NowMicroseconds()) qs |= QS_TIMER;
  if (FindPaintWindow(ts, nullptr)) qs |= QS_PAINT;
  return qs;
}

enum class WaitOutcome { Queue, Handle, Timeout };

// Waits until the queue holds work of `mask`, one of the handles is signalled (index in
// *handleIndex) or the deadline (clock microseconds) passes.
WaitOutcome WaitForQueue(ThreadState& ts, UINT mask, DWORD count, const HANDLE* handles, bool waitAll,
                         uint64_t deadlineUs, DWORD* handleIndex) {
  for (;;) {
    if (count > 0) {
      DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
      if (r == WAIT_FAILED) return WaitOutcome::Timeout;
      if (r != WAIT_TIMEOUT) {
        *handleIndex = r;
        return WaitOutcome::Handle;
      }
    }
    if (QueueStatus(ts) & mask) return WaitOutcome::Queue;
    BlinkCaret(ts);
    PresentDirty();
    const uint64_t now = os::NowMicroseconds();
    if (deadlineUs != UINT64_MAX && now >= deadlineUs) return WaitOutcome::Timeout;
    uint64_t wakeAt = deadlineUs;
    if (mask & QS_TIMER) wakeAt = std::min(wakeAt, NextTimerDue(ts));

    if (os::VirtualClock* vc = os::CurrentVirtualClock()) {
      if (wakeAt != UINT64_MAX) {
        vc->AdvanceToMicroseconds(wakeAt);
        continue;
      }
      // Nothing due ever: only another thread can still wake us.
      if (os::detail::ProcessThreadCount() <= 1)
        throw os::EWouldBlockForever(
            "message loop would wait for ever: no message, no timer and no other thread (virtual clock)");
      std::unique_lock lock(os::detail::HubMutex());
      auto until = std::chrono::steady_clock::now() + vc->IdleGrace();
      bool woke = false;
      while (std::chrono::steady_clock::now() < until) {
        if (QueueStatus(ts) & mask) {
          woke = true;
          break;
        }
        if (count > 0) {
          lock.unlock();
          DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
          lock.lock();
          if (r != WAIT_TIMEOUT && r != WAIT_FAILED) {
            *handleIndex = r;
            return WaitOutcome::Handle;
          }
        }
        if (os::CurrentVirtualClock() != vc || NextTimerDue(ts) != UINT64_MAX) {
          woke = true;
          break;
        }
        os::detail::HubCv().wait_until(lock, until);
      }
      if (!woke)
        throw os::EWouldBlockForever(
            "message loop would wait for ever: nothing arrived within the idle grace (virtual clock)");
      continue;
    }

    // The caret blinks while the thread waits; on the virtual clock it blinks only as the
    // test advances the clock.
    wakeAt = std::min(wakeAt, CaretBlinkDue(ts));
    if (os::DisplayBackend* backend = os::GetDisplayBackend();
        backend && backend->HasEventSource() && backend->EventThread() == ts.id) {
      int timeoutMs = -1;
      if (wakeAt != UINT64_MAX)
        timeoutMs = static_cast<int>(std::min<uint64_t>((wakeAt - now + 999) / 1000, 1 << 30));
      backend->WaitForEvents(timeoutMs);
      continue;
    }
    std::unique_lock lock(os::detail::HubMutex());
    if (QueueStatus(ts) & mask) continue;
    if (count > 0) {
      // Events are signalled under the hub mutex: test them again before sleeping.
      lock.unlock();
      DWORD r = WaitForMultipleObjects(count, handles, waitAll, 0);
      lock.lock();
      if (r != WAIT_TIMEOUT) continue;
    }
    if (wakeAt == UINT64_MAX)
      os::detail::HubCv().wait(lock);
    else
      os::detail::HubCv().wait_for(lock, std::chrono::microseconds(wakeAt - now));
  }
}

bool PeekImpl(MSG* msg, HWND filter, UINT min, UINT max, UINT flags, bool block) {
  ThreadState& ts = CurrentThread();
  const bool remove = (flags & PM_REMOVE) != 0;
  const UINT types = flags >> 16;
  const bool all = types == 0;
  if (!block) {
    // A loop that only peeks never waits, so the backend's pending events (X input,
    // exposures) are read here or they would sit unread until the next blocking wait.
    if (os::DisplayBackend* backend = os::GetDisplayBackend();
        backend && backend->HasEventSource() && backend->EventThread() == ts.id)
      backend->WaitForEvents(0);
  }
  for (;;) {
    ProcessIncomingSends(ts);
    PostDueHover(ts);
    BlinkCaret(ts);
    MSG m{};
    bool got = false;
    if (all || (types & QS_POSTMESSAGE)) got = TakePosted(ts, filter, min, max, remove, m);
    if (!got && (all || (types & QS_POSTMESSAGE))) got = TakeQuit(ts, filter, min, max, remove, m);
    if (!got && (all || (types & QS_INPUT))) got = TakeInput(ts, filter, min, max, remove, m);
    if (!got && (all || (types & QS_PAINT)) && MatchRange(WM_PAINT, min, max)) {
      if (Window* pw = FindPaintWindow(ts, filter)) {
        m.hwnd = pw->handle;
        m.message = WM_PAINT;
        got = true;
      }
    }
    if (!got && (all || (types & QS_TIMER)) && MatchRange(WM_TIMER, min, max))
      got = TakeDueTimer(ts, filter, remove, m);
    if (got) {
      if (m.time == 0) {
        m.time = GetTickCount();
        GetCursorPos(&m.pt);
      }
      ts.messageTime = static_cast<LONG>(m.time);
      ts.messagePos = static_cast<DWORD>(MAKELPARAM(m.pt.X, m.pt.Y));
      if (HasHooks(WH_GETMESSAGE))
        CallHooks(WH_GETMESSAGE, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&m));
      *msg = m;
      return true;
    }
    if (!block) {
      PresentDirty();
      return false;
    }
    DWORD unused = 0;
    WaitForQueue(ts, QS_ALLINPUT, 0, nullptr, false, UINT64_MAX, &unused);
  }
}

}  // namespace

void WakeThread(ThreadState&) {
  os::detail::WakeAll();
}

LRESULT CallWithHooks(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, bool fromOtherThread) {
  if (HasHooks(WH_CALLWNDPROC)) {
    CWPSTRUCT cwp{lParam, wParam, msg, hwnd};
    CallHooks(WH_CALLWNDPROC, HC_ACTION, fromOtherThread ? 0 : 1, reinterpret_cast<LPARAM>(&cwp));
  }
  // The procedure is read after the hook: a hook that subclasses the window gets this message.
  WindowPtr w = Lookup(hwnd);
  if (!w) return 0;
  LRESULT result = w->proc ? w->proc(hwnd, msg, wParam, lParam) : 0;
  if (HasHooks(WH_CALLWNDPROCRET)) {
    CWPRETSTRUCT ret{result, lParam, wParam, msg, hwnd};
    CallHooks(WH_CALLWNDPROCRET, HC_ACTION, fromOtherThread ? 0 : 1, reinterpret_cast<LPARAM>(&ret));
  }
  return result;
}

void ProcessIncomingSends(ThreadState& ts) {
  for (;;) {
    std::shared_ptr<SentMessage> sm;
    {
      std::lock_guard lock(ts.mutex);
      if (ts.incoming.empty()) return;
      sm = ts.incoming.front();
      ts.incoming.pop_front();
    }
    ts.inSend.push_back(sm.get());
    LRESULT result = 0;
    ScopeExit done{[&] {
      ts.inSend.pop_back();
      Complete(*sm, result);
    }};
    if (Lookup(sm->hwnd)) result = CallWithHooks(sm->hwnd, sm->msg, sm->wParam, sm->lParam, true);
  }
}

LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    Broadcast(msg, wParam, lParam, false);
    return 1;
  }
  WindowPtr w = Lookup(hwnd);
  if (!w) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (w->kind != WindowKind::Normal) return 0;
  if (w->threadId == GetCurrentThreadId()) return CallWithHooks(hwnd, msg, wParam, lParam, false);
  return CrossThreadSend(w, msg, wParam, lParam, false, UINT64_MAX, nullptr);
}

}  // namespace qd::user

namespace qd {
using namespace user;

LRESULT SendMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return Send(hwnd, msg, wParam, lParam);
}

LRESULT SendMessageTimeoutW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT, UINT timeout,
                            DWORD_PTR* result) {
  if (hwnd == HWND_BROADCAST) {
    Broadcast(msg, wParam, lParam, false);
    if (result) *result = 0;
    return 1;
  }
  WindowPtr w = CheckedFromAnyThread(hwnd);
  if (!w) return 0;
  LRESULT r;
  if (w->threadId == GetCurrentThreadId()) {
    r = CallWithHooks(hwnd, msg, wParam, lParam, false);
  } else {
    bool timedOut = false;
    r = CrossThreadSend(w, msg, wParam, lParam, false, timeout, &timedOut);
    if (timedOut) {
      SetLastError(ERROR_TIMEOUT);
      return 0;
    }
  }
  if (result) *result = static_cast<DWORD_PTR>(r);
  return 1;
}

BOOL SendNotifyMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    for (auto& w : TopLevelWindows()) SendNotifyMessageW(w->handle, msg, wParam, lParam);
    return TRUE;
  }
  WindowPtr w = CheckedFromAnyThread(hwnd);
  if (!w) return FALSE;
  if (w->threadId == GetCurrentThreadId())
    CallWithHooks(hwnd, msg, wParam, lParam, false);
  else
    CrossThreadSend(w, msg, wParam, lParam, true, 0, nullptr);
  return TRUE;
}

BOOL PostMessageW(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (hwnd == HWND_BROADCAST) {
    Broadcast(msg, wParam, lParam, true);
    return TRUE;
  }
  if (!hwnd) return PostThreadMessageW(GetCurrentThreadId(), msg, wParam, lParam);
  WindowPtr w = CheckedFromAnyThread(hwnd);
  if (!w || w->kind != WindowKind::Normal) return FALSE;
  MSG m;
  m.hwnd = hwnd;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  GetCursorPos(&m.pt);
  {
    std::lock_guard lock(w->thread->mutex);
    if (!w->thread->alive) {
      SetLastError(ERROR_INVALID_THREAD_ID);
      return FALSE;
    }
    w->thread->posted.push_back(m);
  }
  os::detail::WakeAll();
  return TRUE;
}

BOOL PostThreadMessageW(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam) {
  ThreadPtr ts = ThreadById(threadId);
  if (!ts) {
    SetLastError(ERROR_INVALID_THREAD_ID);
    return FALSE;
  }
  MSG m;
  m.message = msg;
  m.wParam = wParam;
  m.lParam = lParam;
  m.time = GetTickCount();
  GetCursorPos(&m.pt);
  {
    std::lock_guard lock(ts->mutex);
    if (!ts->alive) {
      SetLastError(ERROR_INVALID_THREAD_ID);
      return FALSE;
    }
    ts->posted.push_back(m);
  }
  os::detail::WakeAll();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  ThreadState& ts = CurrentThread();
  {
    std::lock_guard lock(ts.mutex);
    ts.quit = true;
    ts.quitCode = exitCode;
  }
  os::detail::WakeAll();
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  if (hwnd && hwnd != reinterpret_cast<HWND>(-1) && !Lookup(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return -1;
  }
  PeekImpl(msg, hwnd, filterMin, filterMax, PM_REMOVE, true);
  return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!msg) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return PeekImpl(msg, hwnd, filterMin, filterMax, removeFlags, false) ? TRUE : FALSE;
}

LRESULT DispatchMessageW(const MSG* msg) {
  if (!msg) return 0;
  if ((msg->message == WM_TIMER || msg->message == 0x0118 /*WM_SYSTIMER*/) && msg->lParam) {
    // A timer with a callback: the callback runs instead of the window procedure, and only
    // while the timer still exists.
    ThreadState& ts = CurrentThread();
    auto proc = reinterpret_cast<TIMERPROC>(msg->lParam);
    bool live = std::any_of(ts.timers.begin(), ts.timers.end(), [&](const Timer& t) {
      return t.hwnd == msg->hwnd && t.id == msg->wParam && t.proc == proc;
    });
    if (live) proc(msg->hwnd, msg->message, msg->wParam, GetTickCount());
    return 0;
  }
  if (!msg->hwnd) return 0;
  WindowPtr w = Checked(msg->hwnd);
  if (!w) return 0;
  if (w->threadId != GetCurrentThreadId()) {
    SetLastError(ERROR_WINDOW_OF_OTHER_THREAD);
    return 0;
  }
  return w->proc ? w->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL WaitMessage() {
  ThreadState& ts = CurrentThread();
  DWORD unused = 0;
  WaitForQueue(ts, QS_ALLINPUT, 0, nullptr, false, UINT64_MAX, &unused);
  return TRUE;
}

DWORD MsgWaitForMultipleObjectsEx(DWORD count, const HANDLE* handles, DWORD milliseconds, DWORD wakeMask,
                                  DWORD flags) {
  if (count > MAXIMUM_WAIT_OBJECTS - 1 || (count > 0 && !handles)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  ThreadState& ts = CurrentThread();
  uint64_t deadline = milliseconds == INFINITE
                          ? UINT64_MAX
                          : os::NowMicroseconds() + static_cast<uint64_t>(milliseconds) * 1000;
  DWORD index = 0;
  switch (WaitForQueue(ts, wakeMask, count, handles, (flags & MWMO_WAITALL) != 0, deadline, &index)) {
    case WaitOutcome::Handle:
      return index;
    case WaitOutcome::Queue:
      return WAIT_OBJECT_0 + count;
    default:
      return WAIT_TIMEOUT;
  }
}

DWORD MsgWaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds,
                                DWORD wakeMask) {
  return MsgWaitForMultipleObjectsEx(count, handles, milliseconds, wakeMask, waitAll ? MWMO_WAITALL : 0);
}

DWORD GetQueueStatus(UINT flags) {
  UINT qs = QueueStatus(CurrentThread()) & flags;
  return (qs << 16) | qs;
}

BOOL GetInputState() {
  return (QueueStatus(CurrentThread()) & QS_INPUT) ? TRUE : FALSE;
}

BOOL InSendMessage() {
  return CurrentThread().inSend.empty() ? FALSE : TRUE;
}

DWORD InSendMessageEx(LPVOID) {
  ThreadState& ts = CurrentThread();
  if (ts.inSend.empty()) return ISMEX_NOSEND;
  SentMessage* sm = ts.inSend.back();
  DWORD r = sm->notify ? ISMEX_NOTIFY : ISMEX_SEND;
  if (sm->replied) r |= ISMEX_REPLIED;
  return r;
}

BOOL ReplyMessage(LRESULT result) {
  ThreadState& ts = CurrentThread();
  if (ts.inSend.empty()) return FALSE;
  SentMessage* sm = ts.inSend.back();
  if (sm->replied) return FALSE;
  {
    std::lock_guard lock(os::detail::HubMutex());
    sm->result = result;
    sm->replied = true;
    sm->done = true;
  }
  os::detail::HubCv().notify_all();
  return TRUE;
}

LONG GetMessageTime() {
  return CurrentThread().messageTime;
}
DWORD GetMessagePos() {
  return CurrentThread().messagePos;
}
LPARAM GetMessageExtraInfo() {
  return 0;
}

UINT RegisterWindowMessageW(LPCWSTR name) {
  if (!name || IS_INTRESOURCE(name) || !*name) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return GlobalAddAtomW(name);
}

}  // namespace qd
