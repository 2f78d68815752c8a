// The hook controller over the window manager's hooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/core/dxHooks.h"
#include "ui_core_test_util.h"

namespace qd::testing {
namespace {

std::vector<std::string> g_calls;
LRESULT g_resultA = 0;
int g_nextHookCalls = 0;
LRESULT g_nextHookResult = 0;

void HandlerA(int, WPARAM, LPARAM, LRESULT& AResult) {
  g_calls.push_back("A");
  if (g_resultA) AResult = g_resultA;
}
void HandlerB(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("B");
}
void HandlerC(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("C");
}
// Removes A (older, not yet called) during the call.
void ReleasesA(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("releasesA");
  dxReleaseHook(&HandlerA);
}
// Removes itself; it may be the last handler of its type.
void ReleasesItself(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("releasesItself");
  dxReleaseHook(&ReleasesItself);
}
void ReleasesItselfAddsA(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("releasesItselfAddsA");
  dxReleaseHook(&ReleasesItselfAddsA);
  dxSetHook(htWndProc, &HandlerA);
}
void AddsC(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("addsC");
  dxSetHook(htWndProc, &HandlerC);
}
void Throws(int, WPARAM, LPARAM, LRESULT&) {
  g_calls.push_back("throws");
  throw Exception(u"hook failed");
}

LRESULT RawNextHook(int code, WPARAM w, LPARAM l) {
  ++g_nextHookCalls;
  return g_nextHookResult;
}

class HooksTest : public UiCoreTest {
 protected:
  void SetUp() override {
    UiCoreTest::SetUp();
    g_calls.clear();
    g_resultA = 0;
    g_nextHookCalls = 0;
    g_nextHookResult = 0;
    window = CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    dxHooks::Finalize();
    UiCoreTest::TearDown();
  }
  HHOOK WndProcHook() const { return dxHookController()->SystemHooks(htWndProc)->Handle(); }
  // A sent message passes the call-window-procedure hook.
  void Send() { SendMessageW(window, WM_USER, 0, 0); }

  HWND window = nullptr;
};

TEST_F(HooksTest, OneSystemHookPerTypeWhileItHasHandlers) {
  EXPECT_EQ(WndProcHook(), nullptr);
  dxSetHook(htWndProc, &HandlerA);
  const HHOOK hook = WndProcHook();
  ASSERT_NE(hook, nullptr);
  dxSetHook(htWndProc, &HandlerB);
  EXPECT_EQ(WndProcHook(), hook);
  EXPECT_EQ(dxHookController()->SystemHooks(htGetMessage)->Handle(), nullptr);
  dxReleaseHook(&HandlerC);  // never added: nothing changes
  EXPECT_EQ(WndProcHook(), hook);
  dxReleaseHook(&HandlerA);
  EXPECT_EQ(WndProcHook(), hook);
  Send();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"B"}));
  dxReleaseHook(&HandlerB);
  EXPECT_EQ(WndProcHook(), nullptr);
  Send();
  EXPECT_EQ(g_calls.size(), 1u);
}

TEST_F(HooksTest, NewestHandlerFirstAndDuplicatesCalledTwice) {
  dxSetHook(htWndProc, &HandlerA);
  dxSetHook(htWndProc, &HandlerB);
  dxSetHook(htWndProc, &HandlerA);
  Send();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"A", "B", "A"}));
  g_calls.clear();
  dxReleaseHook(&HandlerA);  // the first occurrence
  Send();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"A", "B"}));
}

TEST_F(HooksTest, NonZeroHandlerResultWinsAndTheNextHookIsAlwaysCalled) {
  // The CBT hook's answer decides whether a window may be created.
  HHOOK raw = SetWindowsHookExW(WH_CBT, &RawNextHook, nullptr, GetCurrentThreadId());
  struct Case {
    LRESULT handler;
    LRESULT next;
    bool created;
  } cases[] = {{0, 0, true}, {1, 0, false}, {0, 1, false}, {1, 1, false}};
  dxSetHook(htCBT, &HandlerA);
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.handler << "/" << c.next);
    g_resultA = c.handler;
    g_nextHookResult = c.next;
    g_nextHookCalls = 0;
    HWND w = CreateWindowExW(0, u"STATIC", u"", WS_POPUP, 0, 0, 5, 5, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(w != nullptr, c.created);
    EXPECT_GE(g_nextHookCalls, 1);
    if (w) DestroyWindow(w);
  }
  dxReleaseHook(&HandlerA);
  UnhookWindowsHookEx(raw);
}

TEST_F(HooksTest, HandlersChangedDuringACall) {
  struct Case {
    std::vector<TdxHookProc> added;  // in order
    std::vector<std::string> firstCall, secondCall;
    bool hookAfter;
  } cases[] = {
      // A removed by a newer handler before its turn: not called.
      {{&HandlerA, &ReleasesA}, {"releasesA"}, {"releasesA"}, true},
      // The last handler removes itself: the hook goes after the call.
      {{&ReleasesItself}, {"releasesItself"}, {}, false},
      // A handler added during a call runs from the next call on.
      {{&AddsC}, {"addsC"}, {"C", "addsC"}, true},
  };
  for (const Case& c : cases) {
    g_calls.clear();
    for (TdxHookProc p : c.added) dxSetHook(htWndProc, p);
    Send();
    EXPECT_EQ(g_calls, c.firstCall);
    EXPECT_EQ(WndProcHook() != nullptr, c.hookAfter);
    g_calls.clear();
    Send();
    EXPECT_EQ(g_calls, c.secondCall);
    for (TdxHookProc p : {&HandlerA, &ReleasesA, &ReleasesItself, &AddsC, &HandlerC, &AddsC, &HandlerC})
      dxReleaseHook(p);
    EXPECT_EQ(WndProcHook(), nullptr);
  }
}

TEST_F(HooksTest, AHandlerAddedByTheCallThatEmptiedTheListKeepsTheHook) {
  dxSetHook(htWndProc, &ReleasesItselfAddsA);
  const HHOOK hook = WndProcHook();
  Send();
  EXPECT_EQ(WndProcHook(), hook);
  g_calls.clear();
  Send();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"A"}));
}

TEST_F(HooksTest, ExceptionInAHandlerIsReportedAndTheNextHandlerStillRuns) {
  dxSetHook(htWndProc, &HandlerA);
  dxSetHook(htWndProc, &Throws);
  Send();
  EXPECT_EQ(g_calls, (std::vector<std::string>{"throws", "A"}));
  EXPECT_EQ(exceptions, (std::vector<String>{u"hook failed"}));
}

TEST_F(HooksTest, ShutDownRemovesTheSystemHooks) {
  dxSetHook(htWndProc, &HandlerA);
  dxSetHook(htGetMessage, &HandlerB);
  dxHooks::Finalize();
  Send();
  PostMessageW(window, WM_USER, 0, 0);
  Pump();
  EXPECT_TRUE(g_calls.empty());
}

}  // namespace
}  // namespace qd::testing
