// The task dispatcher: limits, waiting, cancellation, completion modes, the CPU monitor and
// the fallbacks without a pool.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "threads_test_util.h"

namespace qd::testing {
namespace {

// Counts how many of its tasks run at once.
struct Concurrency {
  std::atomic<int> running{0};
  std::atomic<int> peak{0};
  std::atomic<int> done{0};
  void Enter() {
    const int now = ++running;
    int seen = peak.load();
    while (now > seen && !peak.compare_exchange_weak(seen, now)) {
    }
  }
  void Leave() {
    --running;
    ++done;
  }
};

class TaskDispatcherTest : public ThreadingTest {
 protected:
  TdxTaskDispatcher& D() { return *dxTasksDispatcher; }

  // A task that waits at the gate.
  TdxTaskProc Blocked(Gate& AGate, Concurrency* ACount = nullptr) {
    return [&AGate, ACount](const TdxTaskCancelCallback&) {
      if (ACount) ACount->Enter();
      AGate.Wait();
      if (ACount) ACount->Leave();
    };
  }
  // A task that runs until it is cancelled, noting whether the dispatcher saw that too.
  TdxTaskProc UntilCanceled() {
    return [this](const TdxTaskCancelCallback& ACanceled) {
      started = true;
      while (!ACanceled()) std::this_thread::yield();
      sawCurrentCanceled = dxTasksDispatcher->IsCurrentTaskCanceled();
    };
  }

  void Completed() {
    completedOn.push_back(GetCurrentThreadId());
    ++completions;
  }
  TdxThreadMethod OnCompleted() { return TdxThreadMethod(this, &TaskDispatcherTest::Completed); }

  std::atomic<bool> started{false};
  std::atomic<bool> sawCurrentCanceled{false};
  std::atomic<int> completions{0};
  std::vector<DWORD> completedOn;  // written by completions that run one at a time
};

TEST_F(TaskDispatcherTest, RunsAtMostMaxActiveTasksAtOnce) {
  EXPECT_EQ(D().MaxActiveTasks(), 8 + 2) << "processor count + 2 on the default 8";
  D().SetMaxActiveTasks(0);
  EXPECT_EQ(D().MaxActiveTasks(), 1);
  D().SetMaxActiveTasks(2);
  Gate gate;
  Concurrency count;
  std::vector<TdxTaskHandle> handles;
  for (int i = 0; i < 6; ++i) handles.push_back(D().Run(Blocked(gate, &count)));
  EXPECT_EQ(D().ActiveTaskCount(), 2);
  EXPECT_EQ(D().WaitingTaskCount(), 4);
  D().SetMaxActiveTasks(3);  // a higher limit starts more at once
  EXPECT_EQ(D().ActiveTaskCount(), 3);
  gate.Open();
  for (TdxTaskHandle h : handles) EXPECT_TRUE(D().WaitFor(h));
  EXPECT_EQ(count.done.load(), 6);
  EXPECT_LE(count.peak.load(), 3);
  EXPECT_EQ(D().ActiveTaskCount() + D().WaitingTaskCount(), 0);
}

TEST_F(TaskDispatcherTest, WaitForStartsAWaitingTaskBeyondTheLimit) {
  D().SetMaxActiveTasks(1);
  Gate gate;
  TdxTaskHandle first = D().Run(Blocked(gate));
  std::atomic<bool> secondRan{false};
  TdxTaskHandle second = D().Run([&](const TdxTaskCancelCallback&) { secondRan = true; });
  EXPECT_EQ(D().WaitingTaskCount(), 1);
  EXPECT_EQ(D().WaitFor(second, INFINITE), wrSignaled);
  EXPECT_TRUE(secondRan);
  EXPECT_EQ(D().WaitFor(first, 500), wrTimeout);  // still at the gate
  gate.Open();
  EXPECT_TRUE(D().WaitFor(first));
  // Finished tasks are gone: waiting yields at once, cancelling finds nothing.
  EXPECT_EQ(D().WaitFor(first, INFINITE), wrAbandoned);
  EXPECT_EQ(D().Cancel(first, INFINITE), wrAbandoned);
  EXPECT_TRUE(D().Cancel(first, true));
}

TEST_F(TaskDispatcherTest, CancelWaitingAndRunningTasks) {
  D().SetMaxActiveTasks(1);
  TdxTaskHandle running = D().Run(UntilCanceled(), OnCompleted(), tmcmAsync);
  std::atomic<bool> waitingRan{false};
  TdxTaskHandle waiting =
      D().Run([&](const TdxTaskCancelCallback&) { waitingRan = true; }, OnCompleted(), tmcmAsync);
  while (!started) std::this_thread::yield();

  // A waiting task is completed (on the cancelling thread) and dropped without running.
  EXPECT_EQ(D().Cancel(waiting, INFINITE), wrSignaled);
  EXPECT_FALSE(waitingRan);
  EXPECT_EQ(completions.load(), 1);
  EXPECT_EQ(completedOn.back(), MainThreadID());
  EXPECT_EQ(D().WaitingTaskCount(), 0);

  // A running task has to notice the flag itself; the cancel waits for it.
  EXPECT_EQ(D().Cancel(running, INFINITE), wrSignaled);
  EXPECT_TRUE(sawCurrentCanceled);
  EXPECT_EQ(completions.load(), 2);
  EXPECT_NE(completedOn.back(), MainThreadID());
  EXPECT_FALSE(D().IsCurrentTaskCanceled()) << "the main thread runs no task";
}

TEST_F(TaskDispatcherTest, CancelOfATaskThatIgnoresItTimesOut) {
  Gate gate;
  TdxTaskHandle h = D().Run(Blocked(gate));
  EXPECT_EQ(D().Cancel(h, 300), wrTimeout);
  EXPECT_TRUE(D().Cancel(h, false));
  gate.Open();
  EXPECT_TRUE(D().WaitFor(h));
}

TEST_F(TaskDispatcherTest, CompletionModes) {
  struct Case {
    TdxThreadMethodCallMode mode;
    bool onMainThread;
  } cases[] = {{tmcmAsync, false}, {tmcmSync, true}, {tmcmSyncPostponed, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mode));
    completedOn.clear();
    completions = 0;
    // The task raises: its completion runs all the same.
    TdxTaskHandle h =
        D().Run([](const TdxTaskCancelCallback&) { throw Exception(u"task failed"); }, OnCompleted(), c.mode);
    EXPECT_TRUE(D().WaitFor(h));  // the main thread's wait runs the synchronized calls
    CheckSynchronize();           // postponed calls may still be queued
    ASSERT_EQ(completions.load(), 1);
    EXPECT_EQ(completedOn[0] == MainThreadID(), c.onMainThread);
  }
  EXPECT_TRUE(exceptions.empty());
}

class RecordingTask : public IdxTask {
 public:
  explicit RecordingTask(TdxTaskCompletedStatus AResult, bool AThrow = false)
      : result(AResult), raise(AThrow) {}
  TdxTaskCompletedStatus Run(const TdxTaskCancelCallback&) override {
    ran = true;
    if (raise) throw Exception(u"run failed");
    return result;
  }
  void OnComplete(TdxTaskCompletedStatus AStatus) override {
    status = AStatus;
    completedOnMain = IsMainThread();
  }
  TdxTaskCompletedStatus result;
  bool raise;
  std::atomic<bool> ran{false};
  std::optional<TdxTaskCompletedStatus> status;
  bool completedOnMain = false;
};

TEST_F(TaskDispatcherTest, InterfaceTasksCompleteOnTheMainThreadWithTheirStatus) {
  using S = TdxTaskCompletedStatus;
  auto success = std::make_shared<RecordingTask>(S::Success);
  auto fail = std::make_shared<RecordingTask>(S::Success, true);
  EXPECT_TRUE(D().WaitFor(D().Run(success)));
  EXPECT_TRUE(D().WaitFor(D().Run(fail)));
  EXPECT_EQ(success->status, S::Success);
  EXPECT_EQ(fail->status, S::Fail);
  EXPECT_TRUE(success->completedOnMain);

  D().SetMaxActiveTasks(1);
  Gate gate;
  TdxTaskHandle blocker = D().Run(Blocked(gate));
  auto canceled = std::make_shared<RecordingTask>(S::Success);
  EXPECT_EQ(D().Cancel(D().Run(canceled), INFINITE), wrSignaled);
  EXPECT_FALSE(canceled->ran);
  EXPECT_EQ(canceled->status, S::Cancelled);
  gate.Open();
  EXPECT_TRUE(D().WaitFor(blocker));
}

TEST_F(TaskDispatcherTest, CompletionOfACancelledTaskRunsWithoutTheDispatcherLock) {
  // The completion starts another thread that needs the dispatcher and waits for it; that
  // would never end if the cancel still held the dispatcher's lock.
  D().SetMaxActiveTasks(1);
  Gate gate;
  TdxTaskHandle blocker = D().Run(Blocked(gate));
  struct Completion {
    TdxTaskHandle other = nullptr;
    void Run() {
      std::thread t([this] { other = dxTasksDispatcher->Run([](const TdxTaskCancelCallback&) {}); });
      t.join();
    }
  } completion;
  TdxTaskHandle waiting =
      D().Run([](const TdxTaskCancelCallback&) {}, TdxThreadMethod(&completion, &Completion::Run), tmcmAsync);
  EXPECT_EQ(D().Cancel(waiting, INFINITE), wrSignaled);
  EXPECT_NE(completion.other, nullptr);
  gate.Open();
  EXPECT_TRUE(D().WaitFor(blocker));
  EXPECT_TRUE(D().WaitFor(completion.other));
}

TEST_F(TaskDispatcherTest, WithoutAWorkingPoolNoTaskIsLost) {
  struct Case {
    Pool pool;
    bool runsInCaller;
  } cases[] = {{Pool::Missing, true}, {Pool::HalfRefusing, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.pool));
    Restart(8, c.pool);
    D().SetMaxActiveTasks(2);
    std::atomic<int> ran{0};
    std::atomic<int> ranOnMain{0};
    completions = 0;
    std::vector<TdxTaskHandle> handles;
    for (int i = 0; i < 10; ++i)
      handles.push_back(D().Run(
          [&](const TdxTaskCancelCallback&) {
            ++ran;
            if (IsMainThread()) ++ranOnMain;
          },
          OnCompleted(), tmcmSync));
    if (c.runsInCaller) {
      EXPECT_EQ(ran.load(), 10) << "each task ran inside Run";
      EXPECT_EQ(ranOnMain.load(), 10);
    }
    for (TdxTaskHandle h : handles) EXPECT_TRUE(D().WaitFor(h));
    EXPECT_EQ(ran.load(), 10);
    EXPECT_EQ(completions.load(), 10);
  }
}

TEST_F(TaskDispatcherTest, DestructionCancelsRunningTasksAndDropsWaitingOnes) {
  auto dispatcher = std::make_unique<TdxTaskDispatcher>();
  dispatcher->SetMaxActiveTasks(1);
  std::atomic<bool> canceledSeen{false};
  std::atomic<bool> running{false};
  dispatcher->Run(
      [&](const TdxTaskCancelCallback& ACanceled) {
        running = true;
        while (!ACanceled()) std::this_thread::yield();
        canceledSeen = true;
      },
      OnCompleted(), tmcmSync);
  std::atomic<int> waitingRan{0};
  for (int i = 0; i < 3; ++i)
    dispatcher->Run([&](const TdxTaskCancelCallback&) { ++waitingRan; }, OnCompleted(), tmcmAsync);
  while (!running) std::this_thread::yield();
  dispatcher.reset();
  EXPECT_TRUE(canceledSeen);
  EXPECT_EQ(waitingRan.load(), 0);
  EXPECT_EQ(completions.load(), 1) << "only the running task completes";
}

class CpuMonitorTest : public TaskDispatcherTest {
 protected:
  int32_t Usage() { return usage; }
  int32_t usage = 0;
};

TEST_F(CpuMonitorTest, AnIdleMachineLetsOneMoreTaskStart) {
  struct Case {
    int32_t usage;
    int startedAfterSeconds;  // 0: never within 30 s
  } cases[] = {{80, 10}, {10, 10}, {81, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.usage);
    usage = c.usage;
    D().SetCpuUsageProvider([this] { return Usage(); });
    D().SetMaxActiveTasks(1);
    Gate gate;
    TdxTaskHandle blocker = D().Run(Blocked(gate));
    std::atomic<bool> secondRan{false};
    TdxTaskHandle second = D().Run([&](const TdxTaskCancelCallback&) { secondRan = true; });
    D().SetUseCpuUsageMonitor(true);
    EXPECT_TRUE(D().UseCpuUsageMonitor());
    int seconds = 0;
    while (D().WaitingTaskCount() > 0 && seconds < 30) {
      Run(1000, 50);
      ++seconds;
    }
    EXPECT_EQ(D().WaitingTaskCount() == 0 ? seconds : 0, c.startedAfterSeconds);
    D().SetUseCpuUsageMonitor(false);
    gate.Open();
    EXPECT_TRUE(D().WaitFor(second));
    EXPECT_TRUE(secondRan);
    EXPECT_TRUE(D().WaitFor(blocker));
  }
}

TEST_F(CpuMonitorTest, SwitchingTheMonitorIsForTheMainThreadOnly) {
  String message;
  std::thread t([&] {
    try {
      dxTasksDispatcher->SetUseCpuUsageMonitor(true);
    } catch (const EInvalidOperation& e) {
      message = e.Message();
    }
  });
  t.join();
  EXPECT_EQ(message, u"TdxTaskDispatcher");
  EXPECT_FALSE(D().UseCpuUsageMonitor());
}

}  // namespace
}  // namespace qd::testing
