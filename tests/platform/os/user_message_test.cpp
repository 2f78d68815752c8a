// The message queue: retrieval order, WM_QUIT, filters, hooks around sent and retrieved
// messages, threads, broadcasts.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "user_test_util.h"

namespace qd::testing {
namespace {

using Lines = std::vector<std::string>;

class Queue : public WmTest {};

TEST_F(Queue, RetrievalOrderSentPostedQuitInputPaintTimer) {
  os::ScopedVirtualClock clock;
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  PumpMessages();
  SetTimer(w, 1, 10, nullptr);
  clock.Advance(20);  // the timer is due
  InvalidateRect(w, nullptr, FALSE);
  os::InjectKey('A', true);
  PostQuitMessage(3);
  PostMessageW(w, WM_USER, 0, 0);
  PostMessageW(w, WM_USER + 1, 0, 0);
  std::vector<UINT> order;
  MSG m;
  for (int i = 0; i < 6 && PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE); ++i) {
    order.push_back(m.message);
    if (m.message == WM_PAINT) ValidateRect(w, nullptr);
  }
  // Posted messages first, WM_QUIT once they are gone, then input, paint and timers.
  EXPECT_EQ(order, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_QUIT, WM_KEYDOWN, WM_PAINT, WM_TIMER}));
}

TEST_F(Queue, QuitComesOnlyWhenNoPostedMessageIsLeftAndNotToWindowFilters) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  PostQuitMessage(7);
  PostMessageW(w, WM_USER, 0, 0);
  MSG m;
  EXPECT_TRUE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_FALSE(PeekMessageW(&m, w, 0, 0, PM_NOREMOVE));  // a window filter never sees WM_QUIT
  EXPECT_FALSE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wParam, 7u);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // retrieved once
}

TEST_F(Queue, FiltersByWindowChildrenAndRange) {
  HWND a = CreateRecorded("a", WS_POPUP, 0, 0, 10, 10);
  HWND ac = CreateRecorded("ac", WS_CHILD, 0, 0, 5, 5, a);
  HWND b = CreateRecorded("b", WS_POPUP, 0, 0, 10, 10);
  PostMessageW(b, WM_USER, 0, 0);
  PostMessageW(ac, WM_USER + 5, 0, 0);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER + 9, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, a, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.hwnd, ac);  // children of the filter window count
  ASSERT_TRUE(PeekMessageW(&m, reinterpret_cast<HWND>(-1), 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_USER + 9u);  // -1: thread messages only
  ASSERT_TRUE(PeekMessageW(&m, nullptr, WM_USER + 1, WM_USER + 5, PM_REMOVE));
  EXPECT_EQ(m.message, WM_USER + 5u);
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, b);
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.hwnd, nullptr);
  EXPECT_FALSE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Queue, CallWndProcHooksRunNewestFirstAroundSentMessagesOnly) {
  static std::vector<std::string> trace;
  trace.clear();
  static HHOOK first = nullptr, second = nullptr;
  first = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        if (reinterpret_cast<CWPSTRUCT*>(l)->message == WM_USER) trace.push_back("first");
        return CallNextHookEx(first, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  second = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        if (reinterpret_cast<CWPSTRUCT*>(l)->message == WM_USER)
          trace.push_back(w ? "second(same thread)" : "second");
        return CallNextHookEx(second, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  static HHOOK ret = SetWindowsHookExW(
      WH_CALLWNDPROCRET,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        auto* r = reinterpret_cast<CWPRETSTRUCT*>(l);
        if (r->message == WM_USER) trace.push_back("ret=" + std::to_string(r->lResult));
        return CallNextHookEx(ret, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  SetOverride(w, [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_USER) return false;
    trace.push_back("proc");
    r = 42;
    return true;
  });
  SendMessageW(w, WM_USER, 0, 0);
  EXPECT_EQ(trace, (std::vector<std::string>{"second(same thread)", "first", "proc", "ret=42"}));
  trace.clear();
  PostMessageW(w, WM_USER, 0, 0);
  PumpMessages();
  EXPECT_EQ(trace, (std::vector<std::string>{"proc"}));  // posted messages pass no CALLWNDPROC hook
  UnhookWindowsHookEx(first);
  UnhookWindowsHookEx(second);
  UnhookWindowsHookEx(ret);
  ret = nullptr;
  EXPECT_FALSE(UnhookWindowsHookEx(first));
}

TEST_F(Queue, ProcedureSwappedInsideTheHookTakesThatMessage) {
  static WNDPROC original = nullptr;
  static int replacementSaw = 0;
  static HWND target = nullptr;
  target = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(target, GWLP_WNDPROC));
  static HHOOK hook = SetWindowsHookExW(
      WH_CALLWNDPROC,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        auto* c = reinterpret_cast<CWPSTRUCT*>(l);
        if (c->hwnd == target && c->message == WM_USER)
          SetWindowLongPtrW(target, GWLP_WNDPROC,
                            reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
                              if (m == WM_USER) ++replacementSaw;
                              return CallWindowProcW(original, h, m, wp, lp);
                            }));
        return CallNextHookEx(hook, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  SendMessageW(target, WM_USER, 0, 0);
  EXPECT_EQ(replacementSaw, 1);
  UnhookWindowsHookEx(hook);
}

TEST_F(Queue, GetMessageHookMayRewriteAndSeesRemoveFlag) {
  static std::vector<WPARAM> flags;
  flags.clear();
  static HHOOK hook = SetWindowsHookExW(
      WH_GETMESSAGE,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        auto* m = reinterpret_cast<MSG*>(l);
        flags.push_back(w);
        if (m->message == WM_USER + 1) m->message = WM_NULL;
        return CallNextHookEx(hook, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  PostMessageW(w, WM_USER + 1, 0, 0);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.message, WM_NULL);
  ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
  EXPECT_EQ(m.message, WM_NULL);
  EXPECT_EQ(flags, (std::vector<WPARAM>{PM_NOREMOVE, PM_REMOVE}));
  UnhookWindowsHookEx(hook);
}

TEST_F(Queue, CrossThreadPostWakesABlockedGetMessage) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  for (int round = 0; round < 20; ++round) {
    std::thread poster([&] { PostMessageW(w, WM_USER + round, 1, 2); });
    MSG m;
    ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));
    EXPECT_EQ(m.message, WM_USER + static_cast<UINT>(round));
    poster.join();
  }
}

TEST_F(Queue, CrossThreadSendRunsOnTheOwnerThreadAndReturnsItsResult) {
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  static DWORD ranOn = 0;
  static BOOL inSend = FALSE;
  SetOverride(w, [](HWND, UINT m, WPARAM wp, LPARAM, LRESULT& r) {
    if (m != WM_USER) return false;
    ranOn = GetCurrentThreadId();
    inSend = InSendMessage();
    r = static_cast<LRESULT>(wp * 2);
    return true;
  });
  std::atomic<LRESULT> result{0};
  std::thread sender([&] {
    result = SendMessageW(w, WM_USER, 21, 0);
    PostMessageW(w, WM_USER + 1, 0, 0);  // lets the owner's loop end
  });
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) && m.message != WM_USER + 1) DispatchMessageW(&m);
  sender.join();
  EXPECT_EQ(result.load(), 42);
  EXPECT_EQ(ranOn, GetCurrentThreadId());
  EXPECT_TRUE(inSend);
  EXPECT_FALSE(InSendMessage());
}

// A changed setting also reaches message-only windows (our deviation: the library keeps its
// caches of system settings in such windows); other broadcasts reach top-level windows only.
TEST_F(Queue, BroadcastsReachTopLevelWindowsAndSettingChangesMessageOnlyOnesToo) {
  HWND hidden = CreateRecorded("hidden", WS_POPUP, 0, 0, 10, 10);
  HWND shown = CreateRecorded("shown", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  HWND child = CreateRecorded("child", WS_CHILD, 0, 0, 5, 5, shown);
  HWND msgOnly = CreateRecorded("msg", 0, 0, 0, 0, 0, HWND_MESSAGE);
  ASSERT_TRUE(msgOnly);
  EXPECT_EQ(GetAncestor(msgOnly, GA_PARENT) == GetDesktopWindow(), false);
  (void)hidden;
  (void)child;
  for (UINT msg : {WM_SETTINGCHANGE, WM_SYSCOLORCHANGE, WM_THEMECHANGED, WM_TIMECHANGE}) {
    MessageLog::Get().Clear();
    SendMessageW(HWND_BROADCAST, msg, 0, 0);
    auto lines = MessageLog::Get().Lines({msg});
    std::sort(lines.begin(), lines.end());
    std::string n = MessageName(msg);
    if (msg == WM_SETTINGCHANGE)
      EXPECT_EQ(lines, (Lines{"hidden:" + n, "msg:" + n, "shown:" + n})) << n;
    else
      EXPECT_EQ(lines, (Lines{"hidden:" + n, "shown:" + n})) << n;
  }
  MessageLog::Get().Clear();
  PostMessageW(HWND_BROADCAST, WM_TIMECHANGE, 0, 0);
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Lines({WM_TIMECHANGE}).size(), 2u);
}

TEST_F(Queue, TranslateMessageMakesCharactersFromKeys) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  SetFocus(w);
  PumpMessages();
  std::vector<Char> chars;
  SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_CHAR || m == WM_SYSCHAR)
      chars.push_back(static_cast<Char>(m == WM_SYSCHAR ? wp | 0x1000 : wp));
    return false;
  });
  struct Step {
    int vk;
    bool down;
    Char ch;
  } steps[] = {{'A', true, 0},  {'A', false, 0},        {VK_SHIFT, true, 0},     {'1', true, 0},
               {'1', false, 0}, {VK_SHIFT, false, 0},   {VK_CONTROL, true, 0},   {'C', true, 0},
               {'C', false, 0}, {VK_CONTROL, false, 0}, {VK_MENU, true, 0},      {'X', true, 0},
               {'X', false, 0}, {VK_MENU, false, 0},    {VK_PACKET, true, u'é'}, {VK_PACKET, false, u'é'}};
  for (auto& s : steps) os::InjectKey(s.vk, s.down, s.ch);
  PumpMessages();
  EXPECT_EQ(chars, (std::vector<Char>{u'a', u'!', 3, static_cast<Char>(0x1000 | u'x'), u'é'}));
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

TEST_F(Queue, KeyStateFollowsRetrievalNotInjection) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  SetFocus(w);
  PumpMessages();
  os::InjectKey(VK_SHIFT, true);
  EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);  // not retrieved yet
  SHORT during = 0;
  SetOverride(w, [&](HWND, UINT m, WPARAM, LPARAM, LRESULT&) {
    if (m == WM_KEYDOWN) during = GetKeyState(VK_SHIFT);
    return false;
  });
  PumpMessages();
  EXPECT_TRUE(during & 0x8000);
  EXPECT_TRUE(GetKeyState(VK_LSHIFT) & 0x8000);
  BYTE keys[256] = {};
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  EXPECT_TRUE(GetKeyState(VK_CONTROL) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_SHIFT) & 0x8000);
}

TEST_F(Queue, KeyboardHookDiscardsAndSeesNoRemoveCode) {
  static std::vector<int> codes;
  codes.clear();
  static HHOOK hook = SetWindowsHookExW(
      WH_KEYBOARD,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        codes.push_back(code);
        if (w == 'Q') return 1;
        return CallNextHookEx(hook, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  SetFocus(w);
  PumpMessages();
  codes.clear();
  MessageLog::Get().Clear();
  os::InjectKey('Q', true);
  os::InjectKey('W', true);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, static_cast<WPARAM>('W'));  // Q was discarded
  PumpMessages();
  EXPECT_EQ(codes, (std::vector<int>{HC_NOREMOVE, HC_NOREMOVE, HC_ACTION}));
  EXPECT_EQ(MessageLog::Get().Lines({WM_KEYDOWN}), (Lines{"w:WM_KEYDOWN"}));
  EXPECT_TRUE(GetKeyState('Q') & 0x8000);  // the key state still follows the key
  UnhookWindowsHookEx(hook);
}

TEST_F(Queue, VirtualClockGuardFailsInsteadOfHanging) {
  os::ScopedVirtualClock clock;
  clock->SetIdleGrace(std::chrono::milliseconds(0));
  MSG m;
  EXPECT_THROW(GetMessageW(&m, nullptr, 0, 0), os::EWouldBlockForever);
  EXPECT_THROW(WaitMessage(), os::EWouldBlockForever);
  // A finite wait passes in virtual time at once.
  const DWORD before = GetTickCount();
  EXPECT_EQ(MsgWaitForMultipleObjects(0, nullptr, FALSE, 250, QS_ALLINPUT), WAIT_TIMEOUT);
  EXPECT_EQ(GetTickCount() - before, 250u);
}

TEST_F(Queue, MsgWaitReturnsForEventsAndMessages) {
  HANDLE ev = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &ev, FALSE, 0, QS_ALLINPUT), WAIT_TIMEOUT);
  PostThreadMessageW(GetCurrentThreadId(), WM_USER, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &ev, FALSE, INFINITE, QS_POSTMESSAGE), WAIT_OBJECT_0 + 1);
  SetEvent(ev);
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &ev, FALSE, INFINITE, QS_POSTMESSAGE), WAIT_OBJECT_0);
  std::thread setter;
  ResetEvent(ev);
  MSG m;
  PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE);
  setter = std::thread([&] { SetEvent(ev); });
  EXPECT_EQ(MsgWaitForMultipleObjects(1, &ev, FALSE, INFINITE, QS_ALLINPUT), WAIT_OBJECT_0);
  setter.join();
  CloseHandle(ev);
}

}  // namespace
}  // namespace qd::testing
