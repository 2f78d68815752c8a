// The thread rule for windows and GDI objects: what other threads may do with a window, that
// workers can draw on their own memory DCs at the same time, and what stops a debug build.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "platform/os/gdi.h"
#include "platform/os/user.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

using ThreadRule = WmTest;

int Received(HWND w, UINT msg) {
  int n = 0;
  for (const Logged& e : MessageLog::Get().Entries())
    if (e.hwnd == w && e.msg == msg) ++n;
  return n;
}

TEST_F(ThreadRule, OtherThreadsPostSendAndAskWhoseTheWindowIs) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  SetOverride(w, [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_USER) return false;
    r = static_cast<LRESULT>(wp + 1);
    return true;
  });
  std::atomic<DWORD> owner{0};
  std::atomic<BOOL> posted{FALSE}, notified{FALSE}, timedOk{FALSE};
  std::atomic<LRESULT> sent{0};
  DWORD_PTR timed = 0;
  std::thread other([&] {
    owner = GetWindowThreadProcessId(w, nullptr);
    posted = PostMessageW(w, WM_USER + 1, 0, 0);
    sent = SendMessageW(w, WM_USER, 41, 0);
    timedOk = static_cast<BOOL>(SendMessageTimeoutW(w, WM_USER, 6, 0, SMTO_NORMAL, 60000, &timed));
    notified = SendNotifyMessageW(w, WM_USER + 2, 0, 0);
    PostMessageW(w, WM_USER + 3, 0, 0);  // ends the loop below
  });
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) && m.message != WM_USER + 3) DispatchMessageW(&m);
  other.join();
  EXPECT_EQ(owner.load(), GetCurrentThreadId());
  EXPECT_TRUE(posted.load());
  EXPECT_EQ(Received(w, WM_USER + 1), 1);
  EXPECT_EQ(sent.load(), 42);
  EXPECT_TRUE(timedOk.load());
  EXPECT_EQ(timed, 7u);
  EXPECT_TRUE(notified.load());
  EXPECT_EQ(Received(w, WM_USER + 2), 1);
}

TEST_F(ThreadRule, TheWindowsOfAThreadThatHasEndedCanBeReadByAnother) {
  HWND w = nullptr;
  std::thread([&] { w = CreateRecorded("orphan", WS_POPUP, 5, 6, 10, 10); }).join();
  RECT r{};
  EXPECT_TRUE(GetWindowRect(w, &r));
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, 6);
}

TEST(ThreadRuleGdi, WorkersDrawOnTheirOwnMemoryDCsAtTheSameTime) {
  // Every new DC selects the shared stock objects, so their selection counts are changed by
  // all workers at once.
  constexpr int kWorkers = 4, kRounds = 50;
  std::atomic<int> right{0};
  std::vector<std::thread> workers;
  for (int i = 0; i < kWorkers; ++i) {
    workers.emplace_back([i, &right] {
      const COLORREF colour = RGB(40 * (i + 1), 7, 0);
      for (int round = 0; round < kRounds; ++round) {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bm = CreateBitmap(8, 8, 1, 32, nullptr);
        HGDIOBJ old = SelectObject(dc, bm);
        HBRUSH brush = CreateSolidBrush(colour);
        const RECT r{0, 0, 8, 8};
        FillRect(dc, &r, brush);
        if (GetPixel(dc, 3, 5) == colour) ++right;
        SelectObject(dc, old);
        DeleteObject(brush);
        DeleteObject(bm);
        DeleteDC(dc);
      }
    });
  }
  for (std::thread& t : workers) t.join();
  EXPECT_EQ(right.load(), kWorkers * kRounds);
  // The stock objects are still selectable and never deleted.
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));
  HDC dc = CreateCompatibleDC(nullptr);
  EXPECT_NE(SelectObject(dc, GetStockObject(BLACK_BRUSH)), nullptr);
  DeleteDC(dc);
}

#ifndef NDEBUG
TEST(ThreadRuleDeathTest, ADebugBuildStopsWhenAnotherThreadUsesAWindowOrItsDC) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
        std::thread([w] { SetWindowTextW(w, u"from elsewhere"); }).join();
      },
      "thread rule broken: window");
  EXPECT_DEATH(
      {
        HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
        HDC dc = GetDC(w);
        std::thread([dc] { PatBlt(dc, 0, 0, 4, 4, BLACKNESS); }).join();
      },
      "thread rule broken: device context");
}
#endif

}  // namespace
}  // namespace qd::testing
