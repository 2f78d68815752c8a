// The queue of procedures handed to the user-interface thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include "threads_test_util.h"

namespace qd::testing {
namespace {

class UIThreadQueueTest : public ThreadingTest {
 protected:
  using Service = TdxUIThreadSyncService;

  TThreadProcedure Note(int AValue) {
    return [this, AValue] {
      EXPECT_TRUE(IsMainThread());
      calls.push_back(AValue);
    };
  }

  TObject ownerA, ownerB;
  std::vector<int> calls;  // touched on the main thread only
};

TEST_F(UIThreadQueueTest, RunsFirstInFirstOutOnTheMainThread) {
  Service::EnqueueInvokeInUIThread(&ownerA, Note(1));
  Service::EnqueueInvokeInUIThread(&ownerB, [this] {
    calls.push_back(2);
    // Added while the queue drains: it runs in the same drain, after the others.
    Service::EnqueueInvokeInUIThread(&ownerA, Note(5));
  });
  Service::EnqueueInvokeInUIThread(&ownerA, Note(3));
  Service::EnqueueInvokeInUIThread(&ownerB, Note(4));
  EXPECT_TRUE(calls.empty()) << "nothing runs before the messages are handled";
  Pump();
  EXPECT_EQ(calls, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(UIThreadQueueTest, ItemsFromWorkerThreadsKeepEachThreadsOrder) {
  constexpr int kThreads = 3, kItems = 40;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t)
    workers.emplace_back([this, t] {
      for (int i = 0; i < kItems; ++i) Service::EnqueueInvokeInUIThread(&ownerA, Note(t * 1000 + i));
    });
  for (auto& w : workers) w.join();
  Pump();
  ASSERT_EQ(calls.size(), static_cast<size_t>(kThreads * kItems));
  std::map<int, int> next;  // thread -> next expected item
  for (int v : calls) {
    EXPECT_EQ(v % 1000, next[v / 1000]) << v;
    next[v / 1000] = v % 1000 + 1;
  }
}

TEST_F(UIThreadQueueTest, UnsubscribeDropsOnlyThatOwnersItems) {
  Service::EnqueueInvokeInUIThread(&ownerA, Note(1));
  Service::EnqueueInvokeInUIThread(&ownerB, Note(2));
  Service::EnqueueInvokeInUIThread(&ownerA, Note(3));
  Service::EnqueueInvokeInUIThread(&ownerB, Note(4));
  Service::Unsubscribe(&ownerB);
  Pump();
  EXPECT_EQ(calls, (std::vector<int>{1, 3}));
}

TEST_F(UIThreadQueueTest, AnErrorGoesToTheApplicationAndTheRestStillRuns) {
  Service::EnqueueInvokeInUIThread(&ownerA, Note(1));
  Service::EnqueueInvokeInUIThread(&ownerA, [] { throw Exception(u"queued call failed"); });
  Service::EnqueueInvokeInUIThread(&ownerA, Note(3));
  Pump();
  EXPECT_EQ(calls, (std::vector<int>{1, 3}));
  EXPECT_EQ(exceptions, (std::vector<String>{u"queued call failed"}));
}

TEST_F(UIThreadQueueTest, NothingRunsOnceTheApplicationTerminates) {
  Service::EnqueueInvokeInUIThread(&ownerA, Note(1));
  EXPECT_FALSE(Service::IsShutdown());
  Application->Terminate();
  Application->ProcessMessages();  // handles the queued item, then the quit message
  ASSERT_TRUE(Application->Terminated());
  EXPECT_TRUE(Service::IsShutdown());
  Service::EnqueueInvokeInUIThread(&ownerA, Note(2));
  Pump();
  EXPECT_EQ(calls, (std::vector<int>{1}));
}

TEST_F(UIThreadQueueTest, WhatWorkersQueueWhileTheApplicationTerminatesNeverRuns) {
  constexpr int kMost = 5000;  // bounds the drain, which runs while the worker keeps adding
  std::atomic<bool> stop{false};
  std::atomic<int> queued{0};
  std::thread worker([&] {
    for (int i = 0; i < kMost && !stop; ++i) {
      Service::EnqueueInvokeInUIThread(&ownerA, Note(i));
      ++queued;
      std::this_thread::yield();
    }
  });
  while (queued < 20) std::this_thread::yield();
  Application->Terminate();
  Application->ProcessMessages();
  ASSERT_TRUE(Application->Terminated());
  const size_t ran = calls.size();
  const int before = queued;
  while (queued < std::min(before + 20, kMost)) std::this_thread::yield();
  Pump();
  stop = true;
  worker.join();
  Pump();
  EXPECT_EQ(calls.size(), ran);
  for (size_t i = 0; i < calls.size(); ++i) EXPECT_EQ(calls[i], static_cast<int>(i));
}

TEST_F(UIThreadQueueTest, ShutDownDropsWhatIsQueued) {
  Service::EnqueueInvokeInUIThread(&ownerA, Note(1));
  Service::EnqueueInvokeInUIThread(&ownerA, Note(2));
  TdxUIThreadSyncService::Finalize();
  EXPECT_TRUE(Service::IsShutdown());
  Service::EnqueueInvokeInUIThread(&ownerA, Note(3));
  EXPECT_EQ(Pump(), 0) << "the pending messages were removed";
  EXPECT_TRUE(calls.empty());
  TdxUIThreadSyncService::Initialize();  // for the fixture's shut-down
}

}  // namespace
}  // namespace qd::testing
