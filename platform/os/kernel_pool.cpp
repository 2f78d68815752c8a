// QueueUserWorkItem over a small pool of worker threads.
#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/os/kernel.h"

namespace qd {
namespace {

class WorkerPool {
 public:
  ~WorkerPool() {
    {
      std::lock_guard lock(mutex_);
      stop_ = true;
    }
    cv_.notify_all();
    for (auto& t : threads_) t.join();
  }

  bool Submit(LPTHREAD_START_ROUTINE fn, void* context, ULONG flags) {
    {
      std::lock_guard lock(mutex_);
      if (stop_) return false;
      queue_.push_back({fn, context});
      const size_t base = std::max(2u, std::thread::hardware_concurrency());
      const size_t cap = (flags & WT_EXECUTELONGFUNCTION) ? kMaxThreads : base;
      if (idle_ < queue_.size() && threads_.size() < cap) {
        try {
          threads_.emplace_back([this] { Run(); });
        } catch (...) {
          if (threads_.empty()) {
            queue_.pop_back();
            return false;
          }
        }
      }
    }
    cv_.notify_one();
    return true;
  }

 private:
  static constexpr size_t kMaxThreads = 64;
  struct Item {
    LPTHREAD_START_ROUTINE fn;
    void* context;
  };

  void Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
      ++idle_;
      cv_.wait(lock, [&] { return stop_ || !queue_.empty(); });
      --idle_;
      if (queue_.empty()) return;  // stopping
      Item item = queue_.front();
      queue_.pop_front();
      lock.unlock();
      item.fn(item.context);
      lock.lock();
    }
  }

  std::mutex mutex_;
  std::condition_variable cv_;
  std::deque<Item> queue_;
  std::vector<std::thread> threads_;
  size_t idle_ = 0;
  bool stop_ = false;
};

WorkerPool& Pool() {
  static WorkerPool pool;
  return pool;
}

}  // namespace

namespace {
std::atomic<DWORD> g_processorCount{0};
}  // namespace

BOOL QueueUserWorkItem(LPTHREAD_START_ROUTINE function, void* context, ULONG flags) {
  if (!function) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (!Pool().Submit(function, context, flags)) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return TRUE;
}

}  // namespace qd

namespace qd::os {

void SetReportedProcessorCount(DWORD count) {
  g_processorCount = count;
}

DWORD detail::ReportedProcessorCount() {
  const DWORD n = g_processorCount.load();
  return n ? n : std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace qd::os
