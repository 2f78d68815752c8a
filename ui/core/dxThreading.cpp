#include "ui/core/dxThreading.h"

#include <algorithm>
#include <climits>
#include <thread>

#include "platform/base/scopeexit.h"
#include "platform/os/kernel.h"

namespace qd {

std::atomic<bool> dxEnableMultiThreading{true};
TdxMultithreadedSort* dxSortHelper = nullptr;
TdxMultithreadedListIterator* dxListIterator = nullptr;

namespace dxThreadingDetail {

using TQueueUserWorkItemProc = BOOL (*)(LPTHREAD_START_ROUTINE, void*, ULONG);
std::atomic<TQueueUserWorkItemProc> FQueueUserWorkItemProc{nullptr};
std::atomic<bool> FCanUseMultiThreading{false};

// Hands a function to the bound pool; false when there is none or it refused.
bool QueueToPool(LPTHREAD_START_ROUTINE AFunction, void* AContext, ULONG AFlags) {
  const TQueueUserWorkItemProc proc = FQueueUserWorkItemProc.load();
  return proc && proc(AFunction, AContext, AFlags);
}

bool PoolBound() {
  return FQueueUserWorkItemProc.load() != nullptr;
}

int32_t ProcessorCount() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  return static_cast<int32_t>(std::max<DWORD>(1, info.dwNumberOfProcessors));
}

void InitThreading() {
  TQueueUserWorkItemProc proc = nullptr;
  if (HMODULE kernel = GetModuleHandleW(u"kernel32.dll"))
    proc = reinterpret_cast<TQueueUserWorkItemProc>(GetProcAddress(kernel, "QueueUserWorkItem"));
  FQueueUserWorkItemProc = proc;
  const int32_t processors = ProcessorCount();
  FCanUseMultiThreading = proc && processors > 1;
  if (FCanUseMultiThreading) {
    dxSortHelper =
        new TdxMultithreadedSort(std::min(processors * 4, TdxMultithreadOperation::MaxThreadCount));
    dxListIterator =
        new TdxMultithreadedListIterator(std::min(processors, TdxMultithreadOperation::MaxThreadCount));
  }
  dxTasksDispatcher = new TdxTaskDispatcher;
}

void DoneThreading() {
  delete dxTasksDispatcher;
  dxTasksDispatcher = nullptr;
  delete dxListIterator;
  dxListIterator = nullptr;
  delete dxSortHelper;
  dxSortHelper = nullptr;
  FCanUseMultiThreading = false;
  FQueueUserWorkItemProc = nullptr;
}

}  // namespace dxThreadingDetail

using namespace dxThreadingDetail;

bool dxCanUseMultiThreading() {
  return FCanUseMultiThreading.load() && dxEnableMultiThreading.load();
}

// --- TdxThreadPoolHelper ------------------------------------------------------------------------

TdxThreadPoolHelper::~TdxThreadPoolHelper() {
  if (FEvent) CloseHandle(FEvent);
}

void TdxThreadPoolHelper::CreateEvent() {
  if (!FEvent) FEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

void TdxThreadPoolHelper::Initialize(int32_t ANumThreads, bool ACreateEvent) {
  if (ACreateEvent) CreateEvent();
  FRunningTaskCount = std::clamp(ANumThreads, 0, MaxWorkItems);
  FTaskIndex = 0;
  FException = nullptr;
  FHasException = false;
  if (FRunningTaskCount == 0 && FEvent) SetEvent(FEvent);  // nothing to wait for
}

void TdxThreadPoolHelper::QueueWorkItem(TObject* ASender, void* AContext,
                                        const TdxThreadPoolWorkItemMethod& AProc, ULONG AFlags) {
  TWorkItem& item = FWorkItems[FTaskIndex++];
  item = {this, ASender, AContext, AProc, nullptr};
  Queue(item, AFlags);
}

void TdxThreadPoolHelper::QueueWorkItem(void* AContext, TdxThreadPoolWorkItemProc AProc, ULONG AFlags) {
  TWorkItem& item = FWorkItems[FTaskIndex++];
  item = {this, nullptr, AContext, {}, AProc};
  Queue(item, AFlags);
}

void TdxThreadPoolHelper::Queue(TWorkItem& AItem, ULONG AFlags) {
  // A refused item is not lost: it runs here, and the wait still ends.
  if (!QueueToPool(&TdxThreadPoolHelper::Worker, &AItem, AFlags)) Worker(&AItem);
}

DWORD TdxThreadPoolHelper::Worker(void* AItem) {
  const auto* item = static_cast<const TWorkItem*>(AItem);
  TdxThreadPoolHelper* helper = item->Helper;
  try {
    if (item->Method)
      item->Method(item->Sender, item->Context);
    else if (item->Proc)
      item->Proc(item->Context);
  } catch (...) {
    if (!helper->FHasException.exchange(true)) helper->FException = std::current_exception();
  }
  helper->ItemDone();
  std::this_thread::yield();
  return 0;
}

void TdxThreadPoolHelper::ItemDone() {
  // Once the count reaches 0 the waiter may free the helper: nothing of it is read after.
  const HANDLE event = FEvent;
  if (FRunningTaskCount.fetch_sub(1) == 1 && event) SetEvent(event);
}

void TdxThreadPoolHelper::WaitForThreads(bool ADestroyEvent) {
  if (FEvent) {
    WaitForSingleObject(FEvent, INFINITE);
    if (ADestroyEvent) {
      CloseHandle(FEvent);
      FEvent = nullptr;
    } else {
      ResetEvent(FEvent);
    }
  } else {
    while (FRunningTaskCount.load() > 0) std::this_thread::yield();
  }
  if (std::exception_ptr e = std::exchange(FException, nullptr)) {
    FHasException = false;
    std::rethrow_exception(e);
  }
}

// --- TdxMultithreadOperation -----------------------------------------------------------------

TdxMultithreadOperation::TdxMultithreadOperation(int32_t AThreadCount)
    : FThreadCount(std::clamp(AThreadCount, 1, MaxThreadCount)),
      FThreadPoolHelper(std::make_unique<TdxThreadPoolHelper>()) {}

TdxMultithreadOperation::TdxMultithreadOperation() : TdxMultithreadOperation(ProcessorCount()) {}

namespace {

// Chunk I of N over ACount items: count div N items, the first (count mod N) one more.
void ChunkBounds(int32_t ACount, int32_t AChunks, int32_t AIndex, int32_t& AFirst, int32_t& ALast) {
  const int32_t size = ACount / AChunks;
  const int32_t extra = ACount % AChunks;
  AFirst = AIndex * size + std::min(AIndex, extra);
  ALast = AFirst + size + (AIndex < extra ? 1 : 0) - 1;
}

}  // namespace

// --- TdxMultithreadedSort ------------------------------------------------------------------------

TdxMultithreadedSort::TdxMultithreadedSort(int32_t AThreadCount) : TdxMultithreadOperation(AThreadCount) {
  FThreadPoolHelper->CreateEvent();
}

TdxMultithreadedSort::TdxMultithreadedSort() : TdxMultithreadOperation() {
  FThreadPoolHelper->CreateEvent();
}

void TdxMultithreadedSort::Sort(void** AList, int32_t ACount, const TdxListSortCompareFunc& ACompare) {
  DoSort(AList, ACount, ACompare);
}

void TdxMultithreadedSort::Sort(void** AList, int32_t ACount, TListSortCompare ACompare) {
  DoSort(AList, ACount, ACompare);
}

void TdxMultithreadedSort::Sort(TdxFastList* AList, const TdxListSortCompareFunc& ACompare) {
  if (AList) DoSort(AList->List(), AList->Count(), ACompare);
}

void TdxMultithreadedSort::Sort(TdxFastList* AList, TListSortCompare ACompare) {
  if (AList) DoSort(AList->List(), AList->Count(), ACompare);
}

namespace {

template <class Cmp>
struct TSortJob {
  const Cmp* Compare;
  void** List;
  void** Temp;
  int32_t First;
  int32_t Middle;  // the last index of the first run
  int32_t Last;
};

template <class Cmp>
void SortChunkProc(void* AContext) {
  auto* job = static_cast<TSortJob<Cmp>*>(AContext);
  dxQuickSortList(job->List + job->First, job->Last - job->First + 1, false, *job->Compare);
}

// Merges two adjacent sorted runs; on a tie the second run's item goes first. When the
// comparison raises, the range is put back as it was, so no item is lost.
template <class Cmp>
void MergeProc(void* AContext) {
  auto* job = static_cast<TSortJob<Cmp>*>(AContext);
  void** list = job->List;
  void** temp = job->Temp;
  std::copy(list + job->First, list + job->Last + 1, temp + job->First);
  int32_t i = job->First;
  int32_t j = job->Middle + 1;
  int32_t k = job->First;
  try {
    while (i <= job->Middle && j <= job->Last) {
      if ((*job->Compare)(temp[i], temp[j]) < 0)
        list[k++] = temp[i++];
      else
        list[k++] = temp[j++];
    }
  } catch (...) {
    std::copy(temp + job->First, temp + job->Last + 1, list + job->First);
    throw;
  }
  k = static_cast<int32_t>(std::copy(temp + i, temp + job->Middle + 1, list + k) - list);
  std::copy(temp + j, temp + job->Last + 1, list + k);
}

}  // namespace

template <class Cmp>
void TdxMultithreadedSort::DoSort(void** AList, int32_t ACount, const Cmp& ACompare) {
  if (!AList || ACount < 2 || !ACompare) return;
  if (!TryLock()) {
    dxQuickSortList(AList, ACount, false, ACompare);
    return;
  }
  ScopeExit unlock{[this] { Unlock(); }};

  FCount = ACount;
  if (ACount <= 31 || FThreadCount == 1)
    FSortChunkCount = 1;
  else
    FSortChunkCount = FThreadCount <= 3 ? 8 : 16;

  std::vector<TSortJob<Cmp>> jobs(FSortChunkCount);
  for (int32_t c = 0; c < FSortChunkCount; ++c) {
    TSortChunk& chunk = FSortChunks[c];
    chunk.List = AList;
    ChunkBounds(ACount, FSortChunkCount, c, chunk.First, chunk.Last);
    jobs[c] = {&ACompare, AList, nullptr, chunk.First, chunk.Last, chunk.Last};
  }
  FThreadPoolHelper->Initialize(FSortChunkCount, false);
  for (auto& job : jobs) FThreadPoolHelper->QueueWorkItem(&job, &SortChunkProc<Cmp>);
  FThreadPoolHelper->WaitForThreads(false);

  std::vector<void*> temp;
  for (int32_t n = FSortChunkCount / 2; n > 0; n /= 2) {
    if (temp.empty()) temp.resize(ACount);
    for (int32_t i = 0; i < n; ++i) {
      const TSortChunk& a = FSortChunks[2 * i];
      const TSortChunk& b = FSortChunks[2 * i + 1];
      jobs[i] = {&ACompare, AList, temp.data(), a.First, a.Last, b.Last};
    }
    FThreadPoolHelper->Initialize(n, false);
    for (int32_t i = 0; i < n; ++i) FThreadPoolHelper->QueueWorkItem(&jobs[i], &MergeProc<Cmp>);
    FThreadPoolHelper->WaitForThreads(false);
    for (int32_t i = 0; i < n; ++i) {
      FSortChunks[i].First = FSortChunks[2 * i].First;
      FSortChunks[i].Last = FSortChunks[2 * i + 1].Last;
    }
  }
}

// --- Iterators --------------------------------------------------------------------------------

int32_t TdxCustomMultithreadedIterator::DoIterate(int32_t AStartIndex, int32_t AEndIndex, bool AReverse,
                                                  void* AContext) {
  FFinishedIndex = -1;
  const int64_t count = int64_t{AEndIndex} - AStartIndex + 1;
  if (count <= 0 || count >= INT32_MAX) return -1;
  FStartIndex = AStartIndex;
  FEndIndex = AEndIndex;
  FReverse = AReverse;
  FCount = static_cast<int32_t>(count);
  FChunkCount = std::min({FCount, FThreadCount, MaxThreadCount});
  for (int32_t c = 0; c < FChunkCount; ++c) {
    TChunk& chunk = FChunks[c];
    ChunkBounds(FCount, FChunkCount, c, chunk.First, chunk.Last);
    chunk.First += AStartIndex;
    chunk.Last += AStartIndex;
    chunk.Reverse = AReverse;
    chunk.Context = GetChunkContext(c, AContext);
  }
  InitializeChunksEnvironment();
  FThreadPoolHelper->Initialize(FChunkCount, true);
  for (int32_t c = 0; c < FChunkCount; ++c)
    FThreadPoolHelper->QueueWorkItem(
        nullptr, &FChunks[c],
        TdxThreadPoolWorkItemMethod(this, &TdxCustomMultithreadedIterator::RunChunkItem));
  FThreadPoolHelper->WaitForThreads(true);
  return FFinishedIndex.load();
}

void TdxCustomMultithreadedIterator::RunChunkItem(TObject*, void* AChunk) {
  const TChunk& chunk = *static_cast<const TChunk*>(AChunk);
  const int32_t step = chunk.Reverse ? -1 : 1;
  const int32_t stop = chunk.Reverse ? chunk.First - 1 : chunk.Last + 1;
  for (int32_t i = chunk.Reverse ? chunk.Last : chunk.First; i != stop && FFinishedIndex.load() < 0;
       i += step)
    if (TestItem(chunk.Context, i)) {
      FFinishedIndex.exchange(i);
      break;
    }
}

int32_t TdxMultithreadedClassMethodIterator::IterateItems(int32_t AStartIndex, int32_t AEndIndex,
                                                          bool AReverse,
                                                          const TdxIterateItemObjectFunc& AItemFunc,
                                                          void* AContext) {
  FItemObjectFunc = AItemFunc;
  return DoIterate(AStartIndex, AEndIndex, AReverse, AContext);
}

int32_t TdxMultithreadedListIterator::Iterate(void* AContext, int32_t ACount, bool AReverse,
                                              const TdxIterateItemObjectFunc& AItemFunc) {
  if (ACount <= 0 || !AItemFunc) return -1;
  if (ACount > 1 && dxCanUseMultiThreading() && TryLock()) {
    ScopeExit unlock{[this] { Unlock(); }};
    return IterateItems(0, ACount - 1, AReverse, AItemFunc, AContext);
  }
  if (AReverse) {
    for (int32_t i = ACount - 1; i >= 0; --i)
      if (AItemFunc(AContext, i)) return i;
  } else {
    for (int32_t i = 0; i < ACount; ++i)
      if (AItemFunc(AContext, i)) return i;
  }
  return -1;
}

int32_t TdxMultithreadedListIterator::Iterate(TdxFastList* AList, bool AReverse,
                                              const TdxIterateItemObjectFunc& AItemFunc) {
  return AList ? Iterate(AList, AList->Count(), AReverse, AItemFunc) : -1;
}

int32_t TdxMultithreadedListIterator::Iterate(TList* AList, bool AReverse,
                                              const TdxIterateItemObjectFunc& AItemFunc) {
  return AList ? Iterate(AList, AList->Count(), AReverse, AItemFunc) : -1;
}

int32_t TdxMultithreadedListIterator::Iterate(TStrings* AList, bool AReverse,
                                              const TdxIterateItemObjectFunc& AItemFunc) {
  return AList ? Iterate(AList, AList->Count(), AReverse, AItemFunc) : -1;
}

// --- Unit start-up and shut-down ---------------------------------------------------------------

namespace dxThreading {

void Initialize() {
  InitThreading();
  TdxUIThreadSyncService::Initialize();
}

void Finalize() {
  TdxUIThreadSyncService::Finalize();
  DoneThreading();
}

}  // namespace dxThreading

}  // namespace qd
