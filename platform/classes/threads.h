#pragma once
// Threads with synchronisation onto the main thread, events, critical sections and
// interlocked helpers.
#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/base/exceptions.h"
#include "platform/base/method.h"
#include "platform/base/object.h"
#include "platform/os/wintypes.h"

namespace qd {

using TThreadProcedure = std::function<void()>;
using TThreadNotifyEvent = TMethod<void(TObject* Sender)>;

// The main thread's id (the process's first thread) and the caller's.
DWORD MainThreadID();
bool IsMainThread();

// Runs the pending Synchronize and Queue calls; only on the main thread (elsewhere it
// raises EThread). With a time-out it first waits up to that many milliseconds for a call
// to arrive. Returns whether any ran.
bool CheckSynchronize(int Timeout = 0);
// The function a message loop installs so that a Synchronize or Queue from another thread
// wakes the main thread (for instance by posting a message); called with the thread object
// (nullptr for calls without one) on the calling thread.
void SetWakeMainThread(TThreadNotifyEvent Handler);
TThreadNotifyEvent WakeMainThread();
// A manual-reset event (platform/os/kernel.h handle) that is set while calls are pending,
// for message loops that wait on handles.
HANDLE SyncEvent();

// A thread. Execute runs on the new thread; a thread created not suspended starts once it
// is fully constructed: through AfterConstruction (creation by class, NewThread<T>()), by
// Start, or at the latest by WaitFor. A derived class whose Execute uses its own members
// calls Terminate() and WaitFor() in its destructor, because TThread's destructor runs
// after the derived parts are gone.
class TThread : public TObject {
  QD_CLASS(TThread, TObject)

 public:
  explicit TThread(bool CreateSuspended = false);
  ~TThread() override;

  void AfterConstruction() override;
  // Raises EThread "Cannot call Start on a running or terminated thread" when started twice.
  void Start();
  void Terminate();
  bool Terminated() const { return terminated_.load(); }
  bool Finished() const { return finished_.load(); }
  bool Started() const { return started_.load(); }
  // Waits until Execute (and OnTerminate) are done and returns ReturnValue. On the main
  // thread it runs Synchronize calls while waiting. Raises EThread for a thread that frees
  // itself.
  int WaitFor();

  bool FreeOnTerminate() const { return freeOnTerminate_.load(); }
  void SetFreeOnTerminate(bool Value) { freeOnTerminate_ = Value; }
  int ReturnValue() const { return returnValue_.load(); }
  DWORD ThreadID() const { return threadId_.load(); }
  // The exception that ended Execute, if any.
  std::exception_ptr FatalException() const { return fatal_; }
  // Called through Synchronize after Execute.
  TThreadNotifyEvent OnTerminate;

  // Runs Method on the main thread and waits for it (directly when already there); an
  // exception raised by Method is raised again in the caller.
  void Synchronize(const TThreadProcedure& Method) { Synchronize(this, Method); }
  static void Synchronize(TThread* AThread, const TThreadProcedure& Method);
  // Runs Method on the main thread without waiting (directly when already there).
  void Queue(const TThreadProcedure& Method) { Queue(this, Method); }
  static void Queue(TThread* AThread, const TThreadProcedure& Method);
  // Like Queue, but always deferred to the next CheckSynchronize.
  static void ForceQueue(TThread* AThread, const TThreadProcedure& Method);
  // Drops the queued calls that belong to AThread.
  static void RemoveQueuedEvents(TThread* AThread);

  // The TThread running the caller (nullptr on threads that are not TThreads).
  static TThread* CurrentThread();

 protected:
  virtual void Execute() = 0;
  virtual void DoTerminate();
  virtual void TerminatedSet() {}
  void SetReturnValue(int Value) { returnValue_ = Value; }

 private:
  void Run();

  std::thread thread_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::atomic<bool> started_{false};
  std::atomic<int> returnValue_{0};
  std::atomic<DWORD> threadId_{0};
  std::mutex startLock_;
  bool createSuspended_;
  std::atomic<bool> freeOnTerminate_{false};
  std::exception_ptr fatal_;
};

// Creates a thread object of class T and starts it unless it was created suspended.
template <class T, class... Args>
T* NewThread(Args&&... args) {
  T* t = new T(std::forward<Args>(args)...);
  t->AfterConstruction();
  return t;
}

enum TWaitResult : uint8_t { wrSignaled, wrTimeout, wrAbandoned, wrError, wrIOCompletion };

// An event over the platform's kernel events (waits follow the platform clock).
class TEvent : public TObject {
  QD_CLASS(TEvent, TObject)

 public:
  explicit TEvent(bool ManualReset = true, bool InitialState = false);
  ~TEvent() override;
  void SetEvent();
  void ResetEvent();
  TWaitResult WaitFor(DWORD Timeout = 0xFFFFFFFFu);
  HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_;
};

class TSimpleEvent : public TEvent {
  QD_CLASS(TSimpleEvent, TEvent)

 public:
  TSimpleEvent() : TEvent(true, false) {}
};

// A recursive lock.
class TCriticalSection : public TObject {
  QD_CLASS(TCriticalSection, TObject)

 public:
  void Acquire() { m_.lock(); }
  void Release() { m_.unlock(); }
  void Enter() { m_.lock(); }
  void Leave() { m_.unlock(); }
  bool TryEnter() { return m_.try_lock(); }

 private:
  std::recursive_mutex m_;
};

struct TInterlocked {
  template <class T>
  static T Increment(T& Target) {
    return std::atomic_ref<T>(Target).fetch_add(1) + 1;
  }
  template <class T>
  static T Decrement(T& Target) {
    return std::atomic_ref<T>(Target).fetch_sub(1) - 1;
  }
  template <class T>
  static T Add(T& Target, T Increment) {
    return std::atomic_ref<T>(Target).fetch_add(Increment) + Increment;
  }
  // Returns the previous value.
  template <class T>
  static T Exchange(T& Target, T Value) {
    return std::atomic_ref<T>(Target).exchange(Value);
  }
  // Stores Value when Target equals Comparand; returns the previous value.
  template <class T>
  static T CompareExchange(T& Target, T Value, T Comparand) {
    std::atomic_ref<T>(Target).compare_exchange_strong(Comparand, Value);
    return Comparand;
  }
};

}  // namespace qd
