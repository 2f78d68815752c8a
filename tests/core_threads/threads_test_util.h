#pragma once
// Fixture for the threading unit: the core test fixture (virtual clock, application objects,
// captured exception handler) with the threading unit started for a chosen processor count
// and pool, and small helpers for tasks that block until the test lets them go.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>

#include "core/ui_core_test_util.h"
#include "platform/os/modules.h"
#include "ui/core/dxThreading.h"

namespace qd::testing {

// A gate that worker code waits at until the test opens it.
class Gate {
 public:
  void Open() {
    {
      std::lock_guard lock(m_);
      open_ = true;
    }
    cv_.notify_all();
  }
  void Wait() {
    std::unique_lock lock(m_);
    cv_.wait(lock, [&] { return open_; });
  }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  bool open_ = false;
};

// Refuses every second work item and hands the others to the platform's pool.
inline BOOL HalfRefusingQueueUserWorkItem(LPTHREAD_START_ROUTINE AFunction, void* AContext, ULONG AFlags) {
  static std::atomic<unsigned> calls{0};
  if (calls.fetch_add(1) % 2 == 0) {
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
  return QueueUserWorkItem(AFunction, AContext, AFlags);
}

enum class Pool { Present, Missing, HalfRefusing };

class ThreadingTest : public UiCoreTest {
 protected:
  // As on a machine with 8 processors, whatever this one has.
  void SetUp() override {
    UiCoreTest::SetUp();
    os::SetReportedProcessorCount(8);
    dxThreading::Initialize();
  }
  void TearDown() override {
    dxThreading::Finalize();
    dxEnableMultiThreading = true;
    os::SetReportedProcessorCount(0);
    modules_.reset();
    UiCoreTest::TearDown();
  }

  // Starts the threading unit anew as on a machine with AProcessors processors and the pool.
  void Restart(DWORD AProcessors, Pool APool = Pool::Present) {
    dxThreading::Finalize();
    os::SetReportedProcessorCount(AProcessors);
    modules_.reset();
    if (APool != Pool::Present) {
      modules_.emplace();
      if (APool == Pool::Missing)
        os::RemoveExport("kernel32.dll", "QueueUserWorkItem");
      else
        os::RegisterExport("kernel32.dll", "QueueUserWorkItem", &HalfRefusingQueueUserWorkItem);
    }
    dxThreading::Initialize();
  }

 private:
  std::optional<os::ScopedModuleTable> modules_;
};

}  // namespace qd::testing
