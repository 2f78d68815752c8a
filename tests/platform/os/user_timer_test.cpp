// Timers under the virtual clock.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

class Timers : public WmTest {
 protected:
  os::ScopedVirtualClock clock{10'000};
};

TEST_F(Timers, BlockingGetMessageAdvancesTheClockToTheNextDueTimer) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  EXPECT_EQ(SetTimer(w, 7, 100, nullptr), 7u);
  EXPECT_EQ(SetTimer(w, 8, 250, nullptr), 8u);
  std::vector<std::pair<UINT_PTR, DWORD>> fired;
  MSG m;
  for (int i = 0; i < 4; ++i) {
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    ASSERT_EQ(m.message, WM_TIMER);
    EXPECT_EQ(m.hwnd, w);
    fired.push_back({m.wParam, GetTickCount()});
  }
  // 100 ms rhythm for 7, 250 ms for 8; the interval starts again when the message is taken.
  EXPECT_EQ(fired,
            (std::vector<std::pair<UINT_PTR, DWORD>>{{7, 10'100}, {7, 10'200}, {8, 10'250}, {7, 10'300}}));
}

TEST_F(Timers, OverdueTimersCoalesceAndResettingRestartsTheInterval) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  SetTimer(w, 1, 100, nullptr);
  clock.Advance(1000);  // ten intervals pass
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));  // one message, not ten
  clock.Advance(90);
  SetTimer(w, 1, 100, nullptr);  // the same timer again: 100 ms from now
  clock.Advance(20);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  clock.Advance(80);
  EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  // PM_NOREMOVE leaves the timer due.
  clock.Advance(100);
  EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE));
  EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  // Below the minimum interval the system uses 10 ms.
  SetTimer(w, 2, 1, nullptr);
  clock.Advance(9);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
  clock.Advance(1);
  EXPECT_TRUE(PeekMessageW(&m, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE));
}

TEST_F(Timers, NoTimerMessageAfterKillTimerEvenWhenKilledDuringAnotherDispatch) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  SetTimer(w, 1, 50, nullptr);
  SetTimer(w, 2, 50, nullptr);
  SetOverride(w, [](HWND h, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_USER) KillTimer(h, 1);
    if (m == WM_TIMER) KillTimer(h, 2);  // a timer handler kills the other timer
    return false;
  });
  clock.Advance(60);  // both are due
  PostMessageW(w, WM_USER, 0, 0);
  MessageLog::Get().Clear();
  PumpMessages();
  // WM_USER killed timer 1 before it was retrieved; the one WM_TIMER (timer 2) killed itself.
  auto& e = MessageLog::Get().Entries();
  int timers = 0;
  for (auto& x : e)
    if (x.msg == WM_TIMER) {
      ++timers;
      EXPECT_EQ(x.wParam, 2u);
    }
  EXPECT_EQ(timers, 1);
  clock.Advance(500);
  EXPECT_EQ(PumpMessages(), 0);
  EXPECT_FALSE(KillTimer(w, 1));
}

TEST_F(Timers, ThreadTimersGetFreshIdsAndCallTheirProcedure) {
  static std::vector<UINT_PTR> calls;
  calls.clear();
  TIMERPROC proc = [](HWND h, UINT msg, UINT_PTR id, DWORD) {
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(msg, WM_TIMER);
    calls.push_back(id);
  };
  UINT_PTR a = SetTimer(nullptr, 0, 30, proc);
  UINT_PTR b = SetTimer(nullptr, 0, 30, proc);
  UINT_PTR c = SetTimer(nullptr, 12345, 30, proc);  // an unknown id is replaced by a new one
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);
  EXPECT_NE(c, 12345u);
  EXPECT_EQ(SetTimer(nullptr, a, 60, proc), a);  // an existing id is reset
  clock.Advance(30);
  PumpMessages();
  std::sort(calls.begin(), calls.end());
  EXPECT_EQ(calls, (std::vector<UINT_PTR>{b, c}));
  KillTimer(nullptr, a);
  KillTimer(nullptr, b);
  KillTimer(nullptr, c);
}

TEST_F(Timers, WindowTimersDieWithTheirWindow) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  SetTimer(w, 1, 10, nullptr);
  DestroyWindow(w);
  clock.Advance(100);
  MSG m;
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(SetTimer(w, 1, 10, nullptr), 0u);
}

TEST_F(Timers, SleepAndTimeoutsMoveVirtualTime) {
  const DWORD t0 = GetTickCount();
  Sleep(5000);
  EXPECT_EQ(GetTickCount() - t0, 5000u);
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  SetTimer(w, 1, 300, nullptr);
  // MsgWait with a timer: wakes at the timer, before its own time-out.
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 1000, QS_ALLINPUT), WAIT_OBJECT_0);
  EXPECT_EQ(GetTickCount() - t0, 5300u);
}

}  // namespace
}  // namespace qd::testing
