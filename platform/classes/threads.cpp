#include "platform/classes/threads.h"

#include <unistd.h>

#include <condition_variable>
#include <deque>
#include <memory>

#include "platform/base/strings.h"
#include "platform/os/kernel.h"

namespace qd {

QD_IMPLEMENT_CLASS(TThread)
QD_IMPLEMENT_CLASS(TEvent)
QD_IMPLEMENT_CLASS(TSimpleEvent)
QD_IMPLEMENT_CLASS(TCriticalSection)

namespace {

struct SyncRequest {
  TThread* thread = nullptr;
  TThreadProcedure method;
  bool wait = false;  // Synchronize: the caller waits for done
  bool done = false;
  std::exception_ptr error;
};

struct SyncState {
  std::mutex lock;
  std::condition_variable changed;  // a request arrived, one finished, or a thread ended
  std::deque<std::shared_ptr<SyncRequest>> queue;
  TThreadNotifyEvent wake;
  HANDLE event = nullptr;
};

SyncState& Sync() {
  static SyncState s;
  return s;
}

thread_local TThread* tCurrentThread = nullptr;

void Post(const std::shared_ptr<SyncRequest>& req) {
  auto& s = Sync();
  TThreadNotifyEvent wake;
  HANDLE ev;
  {
    std::lock_guard g(s.lock);
    s.queue.push_back(req);
    wake = s.wake;
    if (!s.event) s.event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ev = s.event;
  }
  SetEvent(ev);
  s.changed.notify_all();
  if (wake) wake(req->thread);
}

}  // namespace

DWORD MainThreadID() {
  return static_cast<DWORD>(::getpid());
}

bool IsMainThread() {
  return GetCurrentThreadId() == MainThreadID();
}

void SetWakeMainThread(TThreadNotifyEvent Handler) {
  auto& s = Sync();
  std::lock_guard g(s.lock);
  s.wake = Handler;
}

TThreadNotifyEvent WakeMainThread() {
  auto& s = Sync();
  std::lock_guard g(s.lock);
  return s.wake;
}

HANDLE SyncEvent() {
  auto& s = Sync();
  std::lock_guard g(s.lock);
  if (!s.event) s.event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  return s.event;
}

bool CheckSynchronize(int Timeout) {
  if (!IsMainThread())
    throw EThread(u"CheckSynchronize called from thread $" + IntToHex(GetCurrentThreadId(), 8) +
                  u", which is NOT the main thread");
  auto& s = Sync();
  std::deque<std::shared_ptr<SyncRequest>> batch;
  {
    std::unique_lock g(s.lock);
    if (s.queue.empty() && Timeout > 0)
      s.changed.wait_for(g, std::chrono::milliseconds(Timeout), [&] { return !s.queue.empty(); });
    batch.swap(s.queue);
    if (s.event) ResetEvent(s.event);
  }
  for (auto& req : batch) {
    try {
      req->method();
    } catch (...) {
      if (!req->wait) {
        // A queued call has nobody to hand its exception to; the rest still run.
        std::lock_guard g(s.lock);
        for (auto& r : batch)
          if (!r->done && r != req) s.queue.push_back(r);
        req->done = true;
        throw;
      }
      req->error = std::current_exception();
    }
    {
      std::lock_guard g(s.lock);
      req->done = true;
    }
    s.changed.notify_all();
  }
  return !batch.empty();
}

// --- TThread ---------------------------------------------------------------------------

TThread::TThread(bool CreateSuspended) : createSuspended_(CreateSuspended) {}

TThread::~TThread() {
  if (thread_.joinable()) {
    if (std::this_thread::get_id() == thread_.get_id()) {
      thread_.detach();  // freeing itself on its own thread
    } else {
      Terminate();
      while (!finished_.load()) {
        if (IsMainThread()) {
          CheckSynchronize();
          auto& s = Sync();
          std::unique_lock g(s.lock);
          s.changed.wait(g, [&] { return finished_.load() || !s.queue.empty(); });
        } else {
          break;
        }
      }
      thread_.join();
    }
  }
  RemoveQueuedEvents(this);
}

void TThread::AfterConstruction() {
  if (!createSuspended_ && !started_.load()) Start();
}

void TThread::Start() {
  if (started_.exchange(true)) throw EThread(u"Cannot call Start on a running or terminated thread");
  std::lock_guard g(startLock_);
  thread_ = std::thread([this] { Run(); });
}

void TThread::Terminate() {
  if (!terminated_.exchange(true)) TerminatedSet();
}

void TThread::Run() {
  { std::lock_guard g(startLock_); }  // Start has finished storing thread_
  tCurrentThread = this;
  threadId_ = GetCurrentThreadId();
  try {
    if (!terminated_.load()) Execute();
  } catch (...) {
    fatal_ = std::current_exception();
  }
  try {
    DoTerminate();
  } catch (...) {
    if (!fatal_) fatal_ = std::current_exception();
  }
  bool freeSelf = freeOnTerminate_.load();
  {
    auto& s = Sync();
    std::lock_guard g(s.lock);
    finished_ = true;
  }
  Sync().changed.notify_all();
  tCurrentThread = nullptr;
  if (freeSelf) delete this;
}

void TThread::DoTerminate() {
  if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

int TThread::WaitFor() {
  if (freeOnTerminate_) throw EThread(u"Cannot call WaitFor on a thread with FreeOnTerminate");
  if (std::this_thread::get_id() == thread_.get_id()) throw EThread(u"A thread cannot wait for itself");
  if (!started_.load()) {
    if (createSuspended_) throw EThread(u"Cannot call WaitFor on a thread that was not started");
    Start();
  }
  auto& s = Sync();
  if (IsMainThread()) {
    while (!finished_.load()) {
      CheckSynchronize();
      std::unique_lock g(s.lock);
      s.changed.wait(g, [&] { return finished_.load() || !s.queue.empty(); });
    }
  } else {
    std::unique_lock g(s.lock);
    s.changed.wait(g, [&] { return finished_.load(); });
  }
  if (thread_.joinable()) thread_.join();
  return returnValue_.load();
}

void TThread::Synchronize(TThread* AThread, const TThreadProcedure& Method) {
  if (IsMainThread()) {
    Method();
    return;
  }
  auto req = std::make_shared<SyncRequest>();
  req->thread = AThread;
  req->method = Method;
  req->wait = true;
  Post(req);
  auto& s = Sync();
  std::exception_ptr error;
  {
    std::unique_lock g(s.lock);
    s.changed.wait(g, [&] { return req->done; });
    // Taken over here, so that only this thread ever touches the exception object.
    error = std::move(req->error);
  }
  if (error) std::rethrow_exception(error);
}

void TThread::Queue(TThread* AThread, const TThreadProcedure& Method) {
  if (IsMainThread()) {
    Method();
    return;
  }
  ForceQueue(AThread, Method);
}

void TThread::ForceQueue(TThread* AThread, const TThreadProcedure& Method) {
  auto req = std::make_shared<SyncRequest>();
  req->thread = AThread;
  req->method = Method;
  Post(req);
}

void TThread::RemoveQueuedEvents(TThread* AThread) {
  auto& s = Sync();
  std::lock_guard g(s.lock);
  std::erase_if(s.queue,
                [&](const std::shared_ptr<SyncRequest>& r) { return !r->wait && r->thread == AThread; });
}

TThread* TThread::CurrentThread() {
  return tCurrentThread;
}

// --- events ------------------------------------------------------------------------------

TEvent::TEvent(bool ManualReset, bool InitialState)
    : handle_(CreateEventW(nullptr, ManualReset ? TRUE : FALSE, InitialState ? TRUE : FALSE, nullptr)) {}

TEvent::~TEvent() {
  if (handle_) CloseHandle(handle_);
}

void TEvent::SetEvent() {
  ::qd::SetEvent(handle_);
}

void TEvent::ResetEvent() {
  ::qd::ResetEvent(handle_);
}

TWaitResult TEvent::WaitFor(DWORD Timeout) {
  switch (WaitForSingleObject(handle_, Timeout)) {
    case WAIT_OBJECT_0:
      return wrSignaled;
    case WAIT_TIMEOUT:
      return wrTimeout;
    case WAIT_ABANDONED_0:
      return wrAbandoned;
    case WAIT_IO_COMPLETION:
      return wrIOCompletion;
    default:
      return wrError;
  }
}

}  // namespace qd
