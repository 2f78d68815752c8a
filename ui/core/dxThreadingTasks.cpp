// The task dispatcher, task events and the queue back to the user-interface thread.
#include <algorithm>
#include <cstdio>
#include <mutex>
#include <numeric>

#include "platform/forms/controls.h"
#include "platform/forms/extctrls.h"
#include "platform/forms/forms.h"
#include "platform/os/clock.h"
#include "platform/os/user.h"
#include "ui/core/dxThreading.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxTask)

TdxTaskDispatcher* dxTasksDispatcher = nullptr;

namespace dxThreadingDetail {
bool QueueToPool(LPTHREAD_START_ROUTINE AFunction, void* AContext, ULONG AFlags);
}  // namespace dxThreadingDetail

void CallThreadMethod(TdxThreadMethodCallMode AMode, const TdxThreadMethod& AMethod) {
  if (!AMethod) return;
  switch (AMode) {
    case tmcmAsync:
      AMethod();
      break;
    case tmcmSync:
      TThread::Synchronize(nullptr, [AMethod] { AMethod(); });
      break;
    case tmcmSyncPostponed:
      TThread::Queue(nullptr, [AMethod] { AMethod(); });
      break;
  }
}

// --- TdxTaskEvent --------------------------------------------------------------------------------

void TdxTaskEvent::Signal() {
  FEvent.SetEvent();
}

TWaitResult TdxTaskEvent::WaitFor(DWORD ATimeOut) {
  if (!IsMainThread()) return FEvent.WaitFor(ATimeOut);
  // The main thread keeps serving the workers that synchronize with it.
  constexpr DWORD kSlice = 100;
  const HANDLE handles[2] = {FEvent.Handle(), SyncEvent()};
  DWORD remaining = ATimeOut;
  for (;;) {
    const DWORD slice = ATimeOut == INFINITE ? kSlice : std::min(remaining, kSlice);
    switch (MsgWaitForMultipleObjects(2, handles, FALSE, slice, QS_SENDMESSAGE)) {
      case WAIT_OBJECT_0:
        return wrSignaled;
      case WAIT_OBJECT_0 + 1:
        CheckSynchronize();
        break;
      case WAIT_OBJECT_0 + 2: {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // delivers the sent messages
        break;
      }
      case WAIT_ABANDONED_0:
      case WAIT_ABANDONED_0 + 1:
        return wrAbandoned;
      case WAIT_TIMEOUT:
        if (ATimeOut != INFINITE) {
          remaining -= slice;
          if (remaining == 0) return wrTimeout;
        }
        break;
      default:
        return wrError;
    }
  }
}

// --- TdxTask ---------------------------------------------------------------------------------------

void TdxTask::Complete() {
  CallThreadMethod(FOnCompleteMode, FOnComplete);
}

class TdxTaskDispatcher::TProcWrapper : public TdxTask {
 public:
  explicit TProcWrapper(TdxTaskProc AProc) : FProc(std::move(AProc)) {}

 protected:
  void Execute() override {
    if (FProc) FProc([this] { return Canceled(); });
  }

 private:
  TdxTaskProc FProc;
};

class TdxTaskDispatcher::TTaskWrapper : public TdxTask {
 public:
  explicit TTaskWrapper(std::shared_ptr<IdxTask> ATask) : FTask(std::move(ATask)) {}

 protected:
  void Execute() override {
    FCompletedStatus = TdxTaskCompletedStatus::Fail;
    FCompletedStatus = FTask->Run([this] { return Canceled(); });
  }
  void Complete() override {
    TThread::Synchronize(nullptr, [this] { FTask->OnComplete(FCompletedStatus); });
  }

 private:
  std::shared_ptr<IdxTask> FTask;
  // Stays Cancelled for a task cancelled before it ran.
  TdxTaskCompletedStatus FCompletedStatus = TdxTaskCompletedStatus::Cancelled;
};

// --- TdxTaskDispatcher -----------------------------------------------------------------------------

namespace {

// The system's CPU load since the previous sample, from /proc/stat.
int32_t SystemCpuUsage(uint64_t (&APrev)[2]) {
  FILE* f = std::fopen("/proc/stat", "r");
  if (!f) return 0;
  unsigned long long v[8] = {};
  const int n = std::fscanf(f, "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &v[0], &v[1], &v[2], &v[3],
                            &v[4], &v[5], &v[6], &v[7]);
  std::fclose(f);
  if (n < 4) return 0;
  const uint64_t total = std::accumulate(std::begin(v), std::end(v), uint64_t{0});
  const uint64_t busy = total - v[3] - v[4];  // less idle and I/O wait
  const uint64_t dBusy = busy - APrev[0];
  const uint64_t dTotal = total - APrev[1];
  APrev[0] = busy;
  APrev[1] = total;
  return dTotal ? static_cast<int32_t>(dBusy * 100 / dTotal) : 0;
}

// Tasks that the pool could not take, run by the outermost call on this thread.
thread_local std::vector<TdxTask*>* tInlineTasks = nullptr;

}  // namespace

TdxTaskDispatcher::TdxTaskDispatcher() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  FMaxActiveTasks = static_cast<int32_t>(info.dwNumberOfProcessors) + 2;
}

TdxTaskDispatcher::~TdxTaskDispatcher() {
  {
    std::lock_guard lock(FLock);
    FMaxActiveTasks = 0;
    for (TdxTask* task : FActiveTasks) task->FCanceled = 1;
  }
  for (;;) {
    TdxTask* task;
    {
      std::lock_guard lock(FLock);
      if (FActiveTasks.empty()) break;
      task = FActiveTasks.front();
    }
    try {
      Cancel(task, INFINITE);
    } catch (...) {
      // A queued main-thread call that failed while the wait ran it; the wait goes on.
      if (Application) Application->HandleException(nullptr);
    }
  }
  for (TdxTask* task : FTasks) delete task;
  FTasks.clear();
}

TdxTaskHandle TdxTaskDispatcher::Run(TdxTask* ATask) {
  return DoRun(ATask, {}, tmcmAsync);
}

TdxTaskHandle TdxTaskDispatcher::Run(TdxTask* ATask, const TdxThreadMethod& AOnComplete,
                                     TdxThreadMethodCallMode AMode) {
  return DoRun(ATask, AOnComplete, AMode);
}

TdxTaskHandle TdxTaskDispatcher::Run(const std::shared_ptr<IdxTask>& ATask) {
  return ATask ? DoRun(new TTaskWrapper(ATask), {}, tmcmAsync) : nullptr;
}

TdxTaskHandle TdxTaskDispatcher::Run(const TdxTaskProc& AProc) {
  return DoRun(new TProcWrapper(AProc), {}, tmcmAsync);
}

TdxTaskHandle TdxTaskDispatcher::Run(const TdxTaskProc& AProc, const TdxThreadMethod& AOnComplete,
                                     TdxThreadMethodCallMode AMode) {
  return DoRun(new TProcWrapper(AProc), AOnComplete, AMode);
}

TdxTaskHandle TdxTaskDispatcher::DoRun(TdxTask* ATask, const TdxThreadMethod& AOnComplete,
                                       TdxThreadMethodCallMode AMode) {
  if (!ATask) return nullptr;
  {
    std::lock_guard lock(FLock);
    ATask->FOnComplete = AOnComplete;
    ATask->FOnCompleteMode = AMode;
    ATask->FStartWaitingAt = GetTickCount();
    FTasks.push_back(ATask);
  }
  CheckActiveTasks();
  return ATask;
}

void TdxTaskDispatcher::CheckActiveTasks() {
  std::vector<TdxTask*> inlineTasks;
  {
    std::lock_guard lock(FLock);
    StartWaitingTasks(inlineTasks);
  }
  RunInline(inlineTasks);
}

void TdxTaskDispatcher::StartWaitingTasks(std::vector<TdxTask*>& AInline) {
  while (static_cast<int32_t>(FActiveTasks.size()) < FMaxActiveTasks && !FTasks.empty())
    Start(FTasks.front(), AInline);
}

void TdxTaskDispatcher::Start(TdxTask* ATask, std::vector<TdxTask*>& AInline) {
  ATask->FOwner = this;
  ATask->FEvent = std::make_shared<TdxTaskEvent>();
  FTasks.erase(std::find(FTasks.begin(), FTasks.end(), ATask));
  FActiveTasks.push_back(ATask);
  if (!dxThreadingDetail::QueueToPool(&TdxTaskDispatcher::Worker, ATask, WT_EXECUTELONGFUNCTION))
    AInline.push_back(ATask);
}

void TdxTaskDispatcher::RunInline(std::vector<TdxTask*>& ATasks) {
  if (ATasks.empty()) return;
  if (tInlineTasks) {
    tInlineTasks->insert(tInlineTasks->end(), ATasks.begin(), ATasks.end());
    return;
  }
  // Without the pool the tasks run here, outside the lock; tasks they start in turn are
  // collected and run by this loop instead of nesting.
  std::vector<TdxTask*> tasks(ATasks);
  tInlineTasks = &tasks;
  for (size_t i = 0; i < tasks.size(); ++i) {
    TdxTask* task = tasks[i];
    task->FOwner->RunTask(task);
  }
  tInlineTasks = nullptr;
}

DWORD TdxTaskDispatcher::Worker(void* ATask) {
  auto* task = static_cast<TdxTask*>(ATask);
  task->FOwner->RunTask(task);
  return 0;
}

void TdxTaskDispatcher::RunTask(TdxTask* ATask) {
  ATask->FThreadId = GetCurrentThreadId();
  try {
    ATask->Execute();
  } catch (...) {
  }
  try {
    ATask->Complete();
  } catch (...) {
  }
  std::shared_ptr<IdxTaskEvent> event;
  std::vector<TdxTask*> inlineTasks;
  {
    std::lock_guard lock(FLock);
    FActiveTasks.erase(std::find(FActiveTasks.begin(), FActiveTasks.end(), ATask));
    event = ATask->FEvent;
    StartWaitingTasks(inlineTasks);
  }
  // The dispatcher may be gone from here on, unless it still owes the inline tasks.
  RunInline(inlineTasks);
  event->Signal();
  delete ATask;
}

int32_t TdxTaskDispatcher::IndexOf(const std::vector<TdxTask*>& AList, TdxTaskHandle AHandle) const {
  auto it = std::find(AList.begin(), AList.end(), AHandle);
  return it == AList.end() ? -1 : static_cast<int32_t>(it - AList.begin());
}

TWaitResult TdxTaskDispatcher::Cancel(TdxTaskHandle AHandle, DWORD ATimeOut) {
  TdxTask* dropped = nullptr;
  std::shared_ptr<IdxTaskEvent> event;
  {
    std::lock_guard lock(FLock);
    if (const int32_t i = IndexOf(FTasks, AHandle); i >= 0) {
      dropped = FTasks[i];
      dropped->FCanceled = 1;
      FTasks.erase(FTasks.begin() + i);
    } else if (const int32_t j = IndexOf(FActiveTasks, AHandle); j >= 0) {
      FActiveTasks[j]->FCanceled = 1;
      event = FActiveTasks[j]->FEvent;
    } else {
      return wrAbandoned;
    }
  }
  if (dropped) {
    // Completed outside the lock: a completion that synchronizes with the main thread must
    // not hold up a main thread that is about to take the lock.
    try {
      dropped->Complete();
    } catch (...) {
    }
    delete dropped;
    return wrSignaled;
  }
  return event->WaitFor(ATimeOut);
}

bool TdxTaskDispatcher::Cancel(TdxTaskHandle AHandle, bool AWaitFor) {
  return Cancel(AHandle, AWaitFor ? INFINITE : DWORD{0}) != wrError;
}

TWaitResult TdxTaskDispatcher::WaitFor(TdxTaskHandle AHandle, DWORD ATimeOut) {
  std::shared_ptr<IdxTaskEvent> event;
  std::vector<TdxTask*> inlineTasks;
  {
    std::lock_guard lock(FLock);
    if (const int32_t i = IndexOf(FTasks, AHandle); i >= 0) Start(FTasks[i], inlineTasks);
    const int32_t j = IndexOf(FActiveTasks, AHandle);
    if (j < 0) return wrAbandoned;
    event = FActiveTasks[j]->FEvent;
  }
  RunInline(inlineTasks);
  return event->WaitFor(ATimeOut);
}

bool TdxTaskDispatcher::WaitFor(TdxTaskHandle AHandle) {
  const TWaitResult result = WaitFor(AHandle, INFINITE);
  return result == wrSignaled || result == wrAbandoned;
}

bool TdxTaskDispatcher::IsCurrentTaskCanceled() {
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard lock(FLock);
  for (TdxTask* task : FActiveTasks)
    if (task->FThreadId.load() == thread) return task->Canceled();
  return false;
}

int32_t TdxTaskDispatcher::MaxActiveTasks() const {
  std::lock_guard lock(FLock);
  return FMaxActiveTasks;
}

void TdxTaskDispatcher::SetMaxActiveTasks(int32_t AValue) {
  AValue = std::max(AValue, 1);
  {
    std::lock_guard lock(FLock);
    if (AValue == FMaxActiveTasks) return;
    FMaxActiveTasks = AValue;
  }
  CheckActiveTasks();
}

int32_t TdxTaskDispatcher::WaitingTaskCount() const {
  std::lock_guard lock(FLock);
  return static_cast<int32_t>(FTasks.size());
}

int32_t TdxTaskDispatcher::ActiveTaskCount() const {
  std::lock_guard lock(FLock);
  return static_cast<int32_t>(FActiveTasks.size());
}

bool TdxTaskDispatcher::UseCpuUsageMonitor() const {
  return FUseCpuUsageMonitor;
}

void TdxTaskDispatcher::SetUseCpuUsageMonitor(bool AValue) {
  if (!IsMainThread()) throw EInvalidOperation(u"TdxTaskDispatcher");
  if (AValue && !FCpuUsageMonitor) {
    FCpuUsageMonitor = std::make_unique<TTimer>(nullptr);
    FCpuUsageMonitor->SetEnabled(false);
    FCpuUsageMonitor->SetInterval(1000);
    FCpuUsageMonitor->SetOnTimer(TNotifyEvent(this, &TdxTaskDispatcher::CpuUsageMonitorTimer));
  }
  FUseCpuUsageMonitor = AValue;
  if (FCpuUsageMonitor) {
    FCpuUsageMonitor->SetEnabled(AValue);
    FCpuUsageMonitor->SetTag(0);
  }
}

void TdxTaskDispatcher::SetCpuUsageProvider(TdxCpuUsageProvider AProvider) {
  FCpuUsageProvider = std::move(AProvider);
}

void TdxTaskDispatcher::CpuUsageMonitorTimer(TObject*) {
  std::copy_backward(FCpuUsageLog, FCpuUsageLog + CpuUsageLogSize - 1, FCpuUsageLog + CpuUsageLogSize);
  FCpuUsageLog[0] = FCpuUsageProvider ? FCpuUsageProvider() : SystemCpuUsage(FPrevSystemTimes);
  const intptr_t samples = std::min<intptr_t>(FCpuUsageMonitor->Tag() + 1, CpuUsageLogSize);
  FCpuUsageMonitor->SetTag(samples);
  if (samples < CpuUsageLogSize) return;
  const int32_t average = std::accumulate(FCpuUsageLog, FCpuUsageLog + CpuUsageLogSize, 0) / CpuUsageLogSize;
  if (average > 80) return;
  // The machine is idle enough for one more task, even beyond the limit.
  std::vector<TdxTask*> inlineTasks;
  {
    std::lock_guard lock(FLock);
    if (!FTasks.empty()) Start(FTasks.front(), inlineTasks);
  }
  RunInline(inlineTasks);
  FCpuUsageMonitor->SetTag(0);
}

// --- TdxUIThreadSyncService -----------------------------------------------------------------------

namespace {

struct TDelegate {
  TObject* Owner = nullptr;
  TThreadProcedure Procedure;
};

std::mutex FLock;
std::deque<TDelegate>* FDelegates = nullptr;  // guarded by FLock
std::atomic<HWND> FHandle{nullptr};
std::atomic<bool> FShutdown{true};

void DrainQueue() {
  while (!TdxUIThreadSyncService::IsShutdown()) {
    TDelegate item;
    {
      std::lock_guard lock(FLock);
      if (!FDelegates || FDelegates->empty()) return;
      item = std::move(FDelegates->front());
      FDelegates->pop_front();
    }
    try {
      item.Procedure();
    } catch (const os::EWouldBlockForever&) {
      throw;
    } catch (...) {
      if (Application) Application->HandleException(item.Owner);
    }
  }
}

void ServiceWndProc(TMessage& AMessage) {
  if (AMessage.Msg == TdxUIThreadSyncService::DXM_INVOKE && !TdxUIThreadSyncService::IsShutdown()) {
    DrainQueue();
    AMessage.Result = 1;
  } else {
    AMessage.Result = DefWindowProcW(FHandle.load(), AMessage.Msg, AMessage.WParam, AMessage.LParam);
  }
}

}  // namespace

void TdxUIThreadSyncService::Initialize() {
  {
    std::lock_guard lock(FLock);
    delete FDelegates;
    FDelegates = new std::deque<TDelegate>;
  }
  FHandle = AllocateHWnd(TWndMethod(&ServiceWndProc));
  FShutdown = false;
}

void TdxUIThreadSyncService::Finalize() {
  FShutdown = true;
  {
    std::lock_guard lock(FLock);
    delete FDelegates;
    FDelegates = nullptr;
  }
  if (HWND wnd = FHandle.exchange(nullptr)) {
    MSG msg;
    while (PeekMessageW(&msg, wnd, DXM_INVOKE, DXM_INVOKE, PM_REMOVE)) {
    }
    DeallocateHWnd(wnd);
  }
}

HWND TdxUIThreadSyncService::Handle() {
  return FHandle.load();
}

bool TdxUIThreadSyncService::IsShutdown() {
  return FShutdown.load() || (Application && Application->Terminated());
}

namespace {

// Off the main thread only the unit's own flag is read: the application object belongs to
// the main thread, which checks it again before it runs each procedure.
bool ShutdownForCaller() {
  return IsMainThread() ? TdxUIThreadSyncService::IsShutdown() : FShutdown.load();
}

}  // namespace

void TdxUIThreadSyncService::EnqueueInvokeInUIThread(TObject* AOwner, const TThreadProcedure& AProcedure) {
  if (ShutdownForCaller()) return;
  {
    std::lock_guard lock(FLock);
    if (!FDelegates) return;
    FDelegates->push_back({AOwner, AProcedure});
  }
  PostMessageW(FHandle.load(), DXM_INVOKE, 0, 0);
}

void TdxUIThreadSyncService::Unsubscribe(TObject* AOwner) {
  if (ShutdownForCaller()) return;
  std::lock_guard lock(FLock);
  if (FDelegates) std::erase_if(*FDelegates, [AOwner](const TDelegate& d) { return d.Owner == AOwner; });
}

}  // namespace qd
