#pragma once
// Threads for data work and background tasks, all on the system thread pool: the work-item
// helper, the parallel merge sort behind dxQuickSortList, the parallel list iterator, the
// task dispatcher and the queue of procedures handed back to the user-interface thread.
#include <atomic>
#include <cstdint>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/base/method.h"
#include "platform/base/object.h"
#include "platform/classes/lists.h"
#include "platform/classes/threads.h"
#include "platform/os/kernel.h"
#include "ui/core/cxClasses.h"
#include "ui/core/dxCoreClasses.h"

namespace qd {

class TTimer;

// The user's switch; multi-threading is used only while it is on.
extern std::atomic<bool> dxEnableMultiThreading;
// The pool's entry point was bound, the machine has more than one processor and
// dxEnableMultiThreading is on.
bool dxCanUseMultiThreading();

// --- Thread-pool helper --------------------------------------------------------------------

using TdxThreadPoolWorkItemProc = void (*)(void* AContext);
using TdxThreadPoolWorkItemMethod = TMethod<void(TObject* ASender, void* AContext)>;

// Queues up to 32 work items and waits for all of them. An exception inside an item is
// caught on its thread; the first one is kept and raised by WaitForThreads.
class TdxThreadPoolHelper {
 public:
  static constexpr int32_t MaxWorkItems = 32;

  TdxThreadPoolHelper() = default;
  ~TdxThreadPoolHelper();
  TdxThreadPoolHelper(const TdxThreadPoolHelper&) = delete;
  TdxThreadPoolHelper& operator=(const TdxThreadPoolHelper&) = delete;

  // Prepares for ANumThreads items (at most 32); the caller then queues exactly that many.
  void Initialize(int32_t ANumThreads, bool ACreateEvent);
  // Hands the next item to the pool. An item the pool refuses runs at once on the calling
  // thread, so that none is lost and the wait still ends.
  void QueueWorkItem(TObject* ASender, void* AContext, const TdxThreadPoolWorkItemMethod& AProc,
                     ULONG AFlags = 0);
  void QueueWorkItem(void* AContext, TdxThreadPoolWorkItemProc AProc, ULONG AFlags = 0);
  // Waits for every queued item, then destroys or resets the event; raises the first
  // exception an item raised.
  void WaitForThreads(bool ADestroyEvent);
  void CreateEvent();

 private:
  struct TWorkItem {
    TdxThreadPoolHelper* Helper = nullptr;
    TObject* Sender = nullptr;
    void* Context = nullptr;
    TdxThreadPoolWorkItemMethod Method;
    TdxThreadPoolWorkItemProc Proc = nullptr;
  };
  static DWORD Worker(void* AItem);
  void Queue(TWorkItem& AItem, ULONG AFlags);
  void ItemDone();

  std::atomic<int32_t> FRunningTaskCount{0};
  std::exception_ptr FException;
  std::atomic<bool> FHasException{false};
  int32_t FTaskIndex = 0;
  HANDLE FEvent = nullptr;
  TWorkItem FWorkItems[MaxWorkItems];
};

// --- Multi-threaded operations --------------------------------------------------------------

class TdxMultithreadOperation {
 public:
  static constexpr int32_t MaxThreadCount = 32;

  // The thread count is capped at 32; without an argument: the processor count.
  explicit TdxMultithreadOperation(int32_t AThreadCount);
  TdxMultithreadOperation();
  virtual ~TdxMultithreadOperation() = default;

  int32_t ThreadCount() const { return FThreadCount; }

 protected:
  // Takes the busy flag; false when another operation holds it.
  bool TryLock() { return InterlockedCompareExchange(&FLocked, 1, 0) == 0; }
  void Unlock() { InterlockedExchange(&FLocked, 0); }

  LONG volatile FLocked = 0;
  int32_t FThreadCount;
  std::unique_ptr<TdxThreadPoolHelper> FThreadPoolHelper;
};

// A merge sort over sequentially sorted chunks. On equal keys the merge takes the item of
// the later chunk first, so the result is not stable.
class TdxMultithreadedSort : public TdxMultithreadOperation {
 public:
  static constexpr int32_t MaxSortChunks = 32;

  explicit TdxMultithreadedSort(int32_t AThreadCount);
  TdxMultithreadedSort();

  // Sequential while another sort with this object runs. An exception the comparison raises
  // on a worker is raised here once every item of the step has finished.
  void Sort(void** AList, int32_t ACount, const TdxListSortCompareFunc& ACompare);
  void Sort(void** AList, int32_t ACount, TListSortCompare ACompare);
  void Sort(TdxFastList* AList, const TdxListSortCompareFunc& ACompare);
  void Sort(TdxFastList* AList, TListSortCompare ACompare);

 private:
  struct TSortChunk {
    void** List = nullptr;
    int32_t First = 0;
    int32_t Last = -1;
  };
  template <class Cmp>
  void DoSort(void** AList, int32_t ACount, const Cmp& ACompare);

  int32_t FCount = 0;
  int32_t FSortChunkCount = 0;
  TSortChunk FSortChunks[MaxSortChunks];
};

// A test called with the iteration's context and an index; true stops the iteration.
using TdxIterateItemObjectFunc = TMethod<bool(void* AContext, int32_t AIndex)>;

class TdxCustomMultithreadedIterator : public TdxMultithreadOperation {
 public:
  using TdxMultithreadOperation::TdxMultithreadOperation;

 protected:
  struct TChunk {
    void* Context = nullptr;
    int32_t First = 0;
    int32_t Last = -1;
    bool Reverse = false;
  };
  // The context the chunk's tests receive (the iteration's context by default).
  virtual void* GetChunkContext(int32_t AChunkIndex, void* AContext) { return AContext; }
  virtual void InitializeChunksEnvironment() {}
  // Splits the range into chunks, tests them on the pool and yields a successful index
  // (any one when several succeed) or -1.
  int32_t DoIterate(int32_t AStartIndex, int32_t AEndIndex, bool AReverse, void* AContext);
  virtual bool TestItem(void* AContext, int32_t AIndex) = 0;

  int32_t FCount = 0;
  int32_t FStartIndex = 0;
  int32_t FEndIndex = -1;
  std::atomic<int32_t> FFinishedIndex{-1};
  int32_t FChunkCount = 0;
  TChunk FChunks[MaxThreadCount];
  bool FReverse = false;

 private:
  void RunChunkItem(TObject* ASender, void* AChunk);
};

class TdxMultithreadedClassMethodIterator : public TdxCustomMultithreadedIterator {
 public:
  using TdxCustomMultithreadedIterator::TdxCustomMultithreadedIterator;

  int32_t IterateItems(int32_t AStartIndex, int32_t AEndIndex, bool AReverse,
                       const TdxIterateItemObjectFunc& AItemFunc, void* AContext);

 protected:
  bool TestItem(void* AContext, int32_t AIndex) override { return FItemObjectFunc(AContext, AIndex); }

  TdxIterateItemObjectFunc FItemObjectFunc;
};

// Stops at the first item for which the test yields true: the index of a successful item,
// or -1. Runs sequentially (in the requested direction) when multi-threading cannot be used
// or another iteration is running.
class TdxMultithreadedListIterator : public TdxMultithreadedClassMethodIterator {
 public:
  using TdxMultithreadedClassMethodIterator::TdxMultithreadedClassMethodIterator;

  int32_t Iterate(void* AContext, int32_t ACount, bool AReverse, const TdxIterateItemObjectFunc& AItemFunc);
  // The context is the list.
  int32_t Iterate(TdxFastList* AList, bool AReverse, const TdxIterateItemObjectFunc& AItemFunc);
  int32_t Iterate(TList* AList, bool AReverse, const TdxIterateItemObjectFunc& AItemFunc);
  int32_t Iterate(TStrings* AList, bool AReverse, const TdxIterateItemObjectFunc& AItemFunc);
};

// Created at start-up only when multi-threading can be used; nullptr otherwise.
extern TdxMultithreadedSort* dxSortHelper;
extern TdxMultithreadedListIterator* dxListIterator;

// --- Calls onto the main thread -----------------------------------------------------------------

enum TdxThreadMethodCallMode : uint8_t { tmcmAsync, tmcmSync, tmcmSyncPostponed };
using TdxThreadMethod = TMethod<void()>;

// Nothing for an unassigned method; tmcmAsync calls it at once, tmcmSync runs it on the main
// thread and waits, tmcmSyncPostponed queues it to the main thread without waiting.
void CallThreadMethod(TdxThreadMethodCallMode AMode, const TdxThreadMethod& AMethod);

// --- Tasks ---------------------------------------------------------------------------------------

class TdxTaskDispatcher;

class IdxTaskEvent {
 public:
  virtual ~IdxTaskEvent() = default;
  virtual void Signal() = 0;
  virtual TWaitResult WaitFor(DWORD ATimeOut) = 0;
};

// A manual-reset event. On the main thread a wait keeps running the pending Synchronize
// calls and delivers sent messages, in slices of at most 100 ms.
class TdxTaskEvent : public IdxTaskEvent {
 public:
  void Signal() override;
  TWaitResult WaitFor(DWORD ATimeOut) override;

 private:
  TEvent FEvent{true, false};  // manual reset, not set
};

// A background task. The dispatcher frees it after it ran (or when it is cancelled while
// still waiting).
class TdxTask : public TcxIUnknownObject {
  QD_CLASS(TdxTask, TcxIUnknownObject)

 public:
  TdxTask() = default;
  ~TdxTask() override = default;

  bool Canceled() const { return FCanceled.load() != 0; }
  DWORD ThreadId() const { return FThreadId.load(); }
  DWORD StartWaitingAt() const { return FStartWaitingAt; }

 protected:
  friend class TdxTaskDispatcher;
  virtual void Complete();
  virtual void Execute() = 0;

  std::atomic<LONG> FCanceled{0};
  std::shared_ptr<IdxTaskEvent> FEvent;
  TdxTaskDispatcher* FOwner = nullptr;
  DWORD FStartWaitingAt = 0;
  std::atomic<DWORD> FThreadId{0};
  TdxThreadMethod FOnComplete;
  TdxThreadMethodCallMode FOnCompleteMode = tmcmAsync;
};

// A task's handle: the task object. It is only compared with the tasks the dispatcher holds,
// never used once the task is gone.
using TdxTaskHandle = TdxTask*;

// Tells a running procedure whether its task was cancelled.
using TdxTaskCancelCallback = std::function<bool()>;
using TdxTaskProc = std::function<void(const TdxTaskCancelCallback& ACancelStatus)>;

enum class TdxTaskCompletedStatus : uint8_t { Success, Fail, Cancelled };

class IdxTask {
 public:
  virtual ~IdxTask() = default;
  virtual TdxTaskCompletedStatus Run(const TdxTaskCancelCallback& ACancelStatus) = 0;
  // Called on the main thread with the run's status (Cancelled for a task that never ran,
  // Fail when Run raised).
  virtual void OnComplete(TdxTaskCompletedStatus AStatus) = 0;
};

// The CPU load in percent since the previous sample.
using TdxCpuUsageProvider = std::function<int32_t()>;

// Runs tasks on the pool, at most MaxActiveTasks at a time, in the order they arrive.
class TdxTaskDispatcher {
 public:
  static constexpr int32_t CpuUsageLogSize = 10;

  TdxTaskDispatcher();
  // Starts nothing new, cancels every running task and waits for them; tasks still waiting
  // are freed without completion.
  ~TdxTaskDispatcher();
  TdxTaskDispatcher(const TdxTaskDispatcher&) = delete;
  TdxTaskDispatcher& operator=(const TdxTaskDispatcher&) = delete;

  // The dispatcher takes the task over.
  TdxTaskHandle Run(TdxTask* ATask);
  TdxTaskHandle Run(TdxTask* ATask, const TdxThreadMethod& AOnComplete, TdxThreadMethodCallMode AMode);
  TdxTaskHandle Run(const std::shared_ptr<IdxTask>& ATask);
  TdxTaskHandle Run(const TdxTaskProc& AProc);
  TdxTaskHandle Run(const TdxTaskProc& AProc, const TdxThreadMethod& AOnComplete,
                    TdxThreadMethodCallMode AMode);

  // A waiting task is completed as cancelled and dropped (wrSignaled); a running one is
  // marked (its code has to look) and waited for; wrAbandoned for a task that is gone.
  TWaitResult Cancel(TdxTaskHandle AHandle, DWORD ATimeOut);
  TWaitResult Cancel(TdxTaskHandle AHandle, int ATimeOut) {
    return Cancel(AHandle, static_cast<DWORD>(ATimeOut));
  }
  // False only when the wait failed.
  bool Cancel(TdxTaskHandle AHandle, bool AWaitFor);
  // A waiting task is started at once, even beyond the limit, then waited for.
  TWaitResult WaitFor(TdxTaskHandle AHandle, DWORD ATimeOut);
  TWaitResult WaitFor(TdxTaskHandle AHandle, int ATimeOut) {
    return WaitFor(AHandle, static_cast<DWORD>(ATimeOut));
  }
  // True when the task finished or the handle names no task.
  bool WaitFor(TdxTaskHandle AHandle);
  // Whether the task the calling worker thread runs was cancelled.
  bool IsCurrentTaskCanceled();

  int32_t MaxActiveTasks() const;
  void SetMaxActiveTasks(int32_t AValue);
  bool UseCpuUsageMonitor() const;
  // Main thread only (EInvalidOperation elsewhere). While on, every second a CPU sample is
  // taken; once ten samples average at most 80 %, one more waiting task starts, even beyond
  // the limit.
  void SetUseCpuUsageMonitor(bool AValue);
  // Where the monitor's samples come from (the system's load by default).
  void SetCpuUsageProvider(TdxCpuUsageProvider AProvider);

  int32_t WaitingTaskCount() const;
  int32_t ActiveTaskCount() const;

 private:
  class TProcWrapper;
  class TTaskWrapper;

  TdxTaskHandle DoRun(TdxTask* ATask, const TdxThreadMethod& AOnComplete, TdxThreadMethodCallMode AMode);
  void CheckActiveTasks();
  // Under the lock: starts waiting tasks while fewer than the limit run.
  void StartWaitingTasks(std::vector<TdxTask*>& AInline);
  // Under the lock: moves the task to the running ones and queues it; a task the pool
  // cannot take is appended to AInline.
  void Start(TdxTask* ATask, std::vector<TdxTask*>& AInline);
  static void RunInline(std::vector<TdxTask*>& ATasks);
  static DWORD Worker(void* ATask);
  void RunTask(TdxTask* ATask);
  int32_t IndexOf(const std::vector<TdxTask*>& AList, TdxTaskHandle AHandle) const;
  void CpuUsageMonitorTimer(TObject* Sender);

  std::vector<TdxTask*> FTasks;        // waiting, in order of arrival; owned
  std::vector<TdxTask*> FActiveTasks;  // running
  mutable std::recursive_mutex FLock;
  int32_t FMaxActiveTasks;
  std::unique_ptr<TTimer> FCpuUsageMonitor;
  bool FUseCpuUsageMonitor = false;
  int32_t FCpuUsageLog[CpuUsageLogSize] = {};
  TdxCpuUsageProvider FCpuUsageProvider;
  uint64_t FPrevSystemTimes[2] = {};  // busy and total jiffies of the previous sample
};

// Created at start-up whether or not the pool is available.
extern TdxTaskDispatcher* dxTasksDispatcher;

// --- The queue back to the user-interface thread ----------------------------------------------

// Procedures that any thread hands to the user-interface thread; they run there first in,
// first out, through one posted message per procedure to a hidden window.
class TdxUIThreadSyncService {
 public:
  static constexpr UINT DXM_INVOKE = 0x81C2;

  // Dropped once the service is shut down or the application is terminating.
  static void EnqueueInvokeInUIThread(TObject* AOwner, const TThreadProcedure& AProcedure);
  // Drops the queued procedures of AOwner.
  static void Unsubscribe(TObject* AOwner);
  // The unit was shut down, or the application object exists and is terminating.
  static bool IsShutdown();

  static void Initialize();
  static void Finalize();
  static HWND Handle();
};

// The threading unit's start-up and shut-down: binds the pool by name, creates the sort
// helper and the list iterator when multi-threading can be used, always the dispatcher, and
// the UI-thread queue's window.
namespace dxThreading {
void Initialize();
void Finalize();
}  // namespace dxThreading

}  // namespace qd
