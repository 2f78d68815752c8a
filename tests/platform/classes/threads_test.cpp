#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/base/strings.h"
#include "platform/classes/threads.h"
#include "platform/os/clock.h"

namespace qd {
namespace {

class TWorker : public TThread {
  QD_CLASS(TWorker, TThread)

 public:
  explicit TWorker(bool suspended = true) : TThread(suspended) {}
  ~TWorker() override {
    Terminate();
    if (Started() && !FreeOnTerminate()) WaitFor();
  }
  std::function<void(TWorker*)> body;
  using TThread::SetReturnValue;

 protected:
  void Execute() override { body(this); }
};
QD_IMPLEMENT_CLASS(TWorker)

TEST(Thread, SynchronizeRunsOnTheMainThreadWhileItWaits) {
  std::vector<std::string> log;  // touched only on the main thread
  struct Term {
    std::vector<std::string>* log;
    void OnTerminate(TObject*) {
      log->push_back(IsMainThread() ? "terminate on main" : "terminate elsewhere");
    }
  } term{&log};
  TWorker w;
  w.OnTerminate = TThreadNotifyEvent(&term, &Term::OnTerminate);
  w.body = [&](TWorker* self) {
    for (int i = 0; i < 3; ++i)
      self->Synchronize(
          [&, i] { log.push_back((IsMainThread() ? "main " : "worker ") + std::to_string(i)); });
    self->SetReturnValue(42);
  };
  w.Start();
  EXPECT_EQ(w.WaitFor(), 42);
  EXPECT_EQ(log, (std::vector<std::string>{"main 0", "main 1", "main 2", "terminate on main"}));
  EXPECT_TRUE(w.Finished());
  EXPECT_THROW(w.Start(), EThread);
}

TEST(Thread, QueueWakesTheMainThreadAndRunsInOrder) {
  struct Waker {
    std::atomic<int> calls{0};
    void Wake(TObject*) { ++calls; }
  } waker;
  SetWakeMainThread(TThreadNotifyEvent(&waker, &Waker::Wake));
  std::vector<int> order;
  TEvent queued;
  {
    TWorker w;
    w.body = [&](TWorker* self) {
      for (int i = 0; i < 5; ++i) self->Queue([&order, i] { order.push_back(i); });
      queued.SetEvent();
    };
    w.Start();
    ASSERT_EQ(queued.WaitFor(), wrSignaled);
    EXPECT_EQ(waker.calls.load(), 5);
    EXPECT_TRUE(CheckSynchronize());
    EXPECT_FALSE(CheckSynchronize());
    w.WaitFor();
  }
  SetWakeMainThread(nullptr);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
  // On the main thread, Queue and Synchronize run at once.
  int direct = 0;
  TThread::Queue(nullptr, [&] { ++direct; });
  TThread::Synchronize(nullptr, [&] { ++direct; });
  EXPECT_EQ(direct, 2);
}

TEST(Thread, ExceptionsReachTheRightThread) {
  TWorker w;
  std::string seen;
  w.body = [&](TWorker* self) {
    try {
      self->Synchronize([] { throw EConvertError(u"bad value"); });
    } catch (const EConvertError& e) {
      seen = StringToUtf8(e.Message());  // read on the main thread after WaitFor
    }
    throw std::runtime_error("execute failed");
  };
  w.Start();
  w.WaitFor();
  EXPECT_EQ(seen, "bad value");
  ASSERT_TRUE(w.FatalException());
  EXPECT_THROW(std::rethrow_exception(w.FatalException()), std::runtime_error);
}

TEST(Thread, FreeOnTerminateAndTerminated) {
  static std::atomic<bool> freed{false};
  struct TSelfFreeing : TWorker {
    TEvent* done;
    explicit TSelfFreeing(TEvent* d) : TWorker(false), done(d) {}
    ~TSelfFreeing() override {
      freed = true;
      done->SetEvent();
    }
  };
  TEvent done;
  auto* t = new TSelfFreeing(&done);
  t->SetFreeOnTerminate(true);
  t->body = [](TWorker*) {};
  t->AfterConstruction();  // created not suspended: starts once constructed
  ASSERT_EQ(done.WaitFor(), wrSignaled);
  EXPECT_TRUE(freed.load());

  TEvent running;
  TWorker loop;
  loop.body = [&](TWorker* self) {
    running.SetEvent();
    while (!self->Terminated()) std::this_thread::yield();
  };
  loop.Start();
  ASSERT_EQ(running.WaitFor(), wrSignaled);
  loop.Terminate();
  loop.WaitFor();
  EXPECT_TRUE(loop.Terminated());
}

TEST(Thread, CheckSynchronizeOnlyOnTheMainThread) {
  TWorker w;
  bool raised = false;
  w.body = [&](TWorker*) {
    try {
      CheckSynchronize();
    } catch (const EThread&) {
      raised = true;
    }
  };
  w.Start();
  w.WaitFor();
  EXPECT_TRUE(raised);
}

TEST(Event, TimeoutsFollowThePlatformClock) {
  os::ScopedVirtualClock clock;
  TEvent e(false, false);
  EXPECT_EQ(e.WaitFor(5000), wrTimeout);  // no real waiting under the virtual clock
  e.SetEvent();
  EXPECT_EQ(e.WaitFor(0), wrSignaled);
  EXPECT_EQ(e.WaitFor(0), wrTimeout);  // auto reset
  TSimpleEvent m;
  m.SetEvent();
  EXPECT_EQ(m.WaitFor(0), wrSignaled);
  EXPECT_EQ(m.WaitFor(0), wrSignaled);
  m.ResetEvent();
  EXPECT_EQ(m.WaitFor(1), wrTimeout);
}

TEST(Interlocked, Operations) {
  int32_t v = 5;
  EXPECT_EQ(TInterlocked::Increment(v), 6);
  EXPECT_EQ(TInterlocked::Decrement(v), 5);
  EXPECT_EQ(TInterlocked::Exchange(v, 9), 5);
  EXPECT_EQ(TInterlocked::CompareExchange(v, 1, 8), 9);  // no change
  EXPECT_EQ(TInterlocked::CompareExchange(v, 1, 9), 9);
  EXPECT_EQ(v, 1);
  TCriticalSection cs;
  cs.Enter();
  EXPECT_TRUE(cs.TryEnter());  // recursive
  cs.Leave();
  cs.Leave();
}

}  // namespace
}  // namespace qd
