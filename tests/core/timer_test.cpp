// The message window and the timer component on the shared timer window, under the
// virtual clock.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/core/cxClassesComponents.h"
#include "ui/core/cxClassesTimer.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

class TimerTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    cxClasses::Initialize();
    start = GetTickCount();
  }
  void TearDown() override {
    cxClasses::Finalize();
    UiCoreTest::TearDown();
  }

  // The virtual time of every tick, relative to the start of the test.
  void Tick(TObject* Sender) {
    ticks.push_back(GetTickCount() - start);
    if (throwOnTick) throw Exception(u"tick failed");
  }
  TNotifyEvent Handler() { return TNotifyEvent(this, &TimerTest::Tick); }

  std::unique_ptr<TcxTimer> NewTimer(uint32_t AInterval, bool AEnabled = true) {
    return std::unique_ptr<TcxTimer>(cxCreateTimer(Handler(), AInterval, AEnabled));
  }

  DWORD start = 0;
  std::vector<DWORD> ticks;
  bool throwOnTick = false;
};

TEST_F(TimerTest, TicksAtTheIntervalUntilDisabledAndAgainAfterEnabling) {
  auto timer = NewTimer(100);
  EXPECT_TRUE(timer->TimerOn());
  Run(350);
  EXPECT_EQ(ticks, (std::vector<DWORD>{100, 200, 300}));
  timer->SetEnabled(false);
  EXPECT_FALSE(timer->TimerOn());
  Run(500);
  EXPECT_EQ(ticks.size(), 3u);
  timer->SetEnabled(true);  // the interval counts anew from here (t = 850)
  Run(120);
  EXPECT_EQ(ticks, (std::vector<DWORD>{100, 200, 300, 950}));
}

TEST_F(TimerTest, IntervalChangesTable) {
  // The timer runs with 500 ms from t = 0; at t = 300 the interval is written.
  struct Case {
    uint32_t newInterval;
    DWORD firstTick;  // relative to the start
  } cases[] = {
      {0, 500},    // ignored: keeps 500 and does not restart
      {500, 500},  // unchanged: no restart
      {400, 700},  // restarts at 300 with 400
      {100, 400},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.newInterval);
    ticks.clear();
    start = GetTickCount();
    auto timer = NewTimer(500);
    Run(300);
    timer->SetInterval(c.newInterval);
    EXPECT_EQ(timer->Interval(), c.newInterval == 0 ? 500u : c.newInterval);
    Run(600);
    ASSERT_FALSE(ticks.empty());
    EXPECT_EQ(ticks.front(), c.firstTick);
  }
}

TEST_F(TimerTest, ResetStartsTheIntervalAnew) {
  auto timer = NewTimer(100);
  Run(60);
  timer->Reset();
  Run(100);
  EXPECT_EQ(ticks, (std::vector<DWORD>{160}));
}

TEST_F(TimerTest, WithoutHandlerNoSystemTimerUntilOneIsAssigned) {
  auto timer = std::make_unique<TcxTimer>(nullptr);
  EXPECT_TRUE(timer->Enabled());
  EXPECT_EQ(timer->Interval(), 1000u);
  EXPECT_FALSE(timer->TimerOn());
  Run(1500, 100);
  timer->SetOnTimer(Handler());
  EXPECT_TRUE(timer->TimerOn());
  Run(1000, 100);
  EXPECT_EQ(ticks, (std::vector<DWORD>{2500}));
  timer->SetOnTimer(TNotifyEvent());
  EXPECT_FALSE(timer->TimerOn());
}

TEST_F(TimerTest, CreatedDisabledDoesNotRun) {
  auto timer = NewTimer(50, false);
  EXPECT_FALSE(timer->TimerOn());
  Run(200, 10);
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, AllTimersShareOneWindowAndStaleTimerMessagesAreDropped) {
  auto a = NewTimer(100);
  auto b = NewTimer(100);
  HWND window = cxTimerDetail::TimerWindowHandle();
  ASSERT_NE(window, nullptr);
  auto c = NewTimer(30);
  EXPECT_EQ(cxTimerDetail::TimerWindowHandle(), window);

  // A WM_TIMER with the identifier of a disabled or destroyed timer calls nothing.
  const auto idA = reinterpret_cast<WPARAM>(a.get());
  const auto idB = reinterpret_cast<WPARAM>(b.get());
  a->SetEnabled(false);
  b.reset();
  c->SetEnabled(false);
  PostMessageW(window, WM_TIMER, idA, 0);
  PostMessageW(window, WM_TIMER, idB, 0);
  Pump();
  EXPECT_TRUE(ticks.empty());
  // A live timer's identifier does reach it.
  c->SetEnabled(true);
  PostMessageW(window, WM_TIMER, reinterpret_cast<WPARAM>(c.get()), 0);
  Pump();
  EXPECT_EQ(ticks.size(), 1u);
}

TEST_F(TimerTest, ExceptionInHandlerIsReportedAndTheTimerKeepsRunning) {
  throwOnTick = true;
  auto timer = NewTimer(100);
  Run(250);
  EXPECT_EQ(ticks.size(), 2u);
  EXPECT_EQ(exceptions, (std::vector<String>{u"tick failed", u"tick failed"}));
  EXPECT_TRUE(timer->TimerOn());
}

TEST_F(TimerTest, AfterShutDownNoTimerWindowIsCreated) {
  cxClasses::Finalize();
  auto timer = NewTimer(100);
  EXPECT_FALSE(timer->TimerOn());
  EXPECT_EQ(cxTimerDetail::TimerWindowHandle(), nullptr);
  Run(300, 10);
  EXPECT_TRUE(ticks.empty());
}

TEST_F(TimerTest, TimerRunningAtShutDownIsSilencedAndCanBeFreedLater) {
  auto timer = NewTimer(100);
  cxClasses::Finalize();
  Run(300, 10);
  EXPECT_TRUE(ticks.empty());
  timer.reset();  // no window, no list: nothing to touch
}

class TTestMessageWindow : public TcxMessageWindow {
 public:
  std::vector<UINT> received;
  bool fail = false;

 protected:
  void WndProc(TMessage& AMessage) override {
    if (AMessage.Msg == WM_USER + 1) {
      received.push_back(AMessage.Msg);
      if (fail) throw Exception(u"window failed");
      AMessage.Result = 42;
      return;
    }
    TcxMessageWindow::WndProc(AMessage);
  }
};

TEST_F(TimerTest, MessageWindowIsMessageOnlyAndContainsExceptions) {
  TTestMessageWindow window;
  ASSERT_NE(window.Handle(), nullptr);
  EXPECT_EQ(SendMessageW(window.Handle(), WM_USER + 1, 0, 0), 42);
  window.fail = true;
  EXPECT_EQ(SendMessageW(window.Handle(), WM_USER + 1, 0, 0), 0);
  EXPECT_EQ(window.received.size(), 2u);
  EXPECT_EQ(exceptions, (std::vector<String>{u"window failed"}));
  // Message-only windows hear no broadcasts.
  const INT index = COLOR_WINDOW;
  const COLORREF colour = GetSysColor(COLOR_WINDOW);
  window.received.clear();
  SendMessageW(HWND_BROADCAST, WM_USER + 1, 0, 0);
  SetSysColors(1, &index, &colour);
  EXPECT_TRUE(window.received.empty());
}

}  // namespace
}  // namespace qd::testing
