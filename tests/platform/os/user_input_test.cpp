// Activation, focus, capture and mouse input through the queue.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

using Lines = std::vector<std::string>;

class Input : public WmTest {
 protected:
  void Click(POINT p, UINT down = WM_LBUTTONDOWN) {
    os::InjectMouseMove(p);
    os::InjectMouseButton(down, p);
    os::InjectMouseButton(down + 1, p);
    PumpMessages();
  }
};

const std::vector<UINT> kActivation = {WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE, WM_SETFOCUS, WM_KILLFOCUS};

TEST_F(Input, ActivationAndFocusMessagesInOrder) {
  HWND a = CreateRecorded("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 200);
  HWND b = CreateRecorded("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 0, 200, 200);
  HWND bc = CreateRecorded("bc", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, b);
  EXPECT_EQ(GetActiveWindow(), b);
  MessageLog::Get().Clear();
  SetActiveWindow(a);
  EXPECT_EQ(MessageLog::Get().Lines(kActivation),
            (Lines{"b:WM_NCACTIVATE", "b:WM_ACTIVATE", "a:WM_NCACTIVATE", "a:WM_ACTIVATE", "b:WM_KILLFOCUS",
                   "a:WM_SETFOCUS"}));
  // Focus into a child of an inactive window activates its top-level window first.
  MessageLog::Get().Clear();
  EXPECT_EQ(SetFocus(bc), a);
  EXPECT_EQ(MessageLog::Get().Lines(kActivation),
            (Lines{"a:WM_NCACTIVATE", "a:WM_ACTIVATE", "b:WM_NCACTIVATE", "b:WM_ACTIVATE", "a:WM_KILLFOCUS",
                   "b:WM_SETFOCUS", "b:WM_KILLFOCUS", "bc:WM_SETFOCUS"}));
  EXPECT_EQ(GetFocus(), bc);
  EXPECT_EQ(GetActiveWindow(), b);
  // Destroying the active window passes activation on; the last one deactivates the application.
  MessageLog::Get().Clear();
  DestroyWindow(b);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(MessageLog::Get().Lines({WM_ACTIVATE, WM_ACTIVATEAPP}),
            (Lines{"b:WM_ACTIVATE", "a:WM_ACTIVATE"}));
  MessageLog::Get().Clear();
  DestroyWindow(a);
  EXPECT_EQ(MessageLog::Get().Lines({WM_ACTIVATEAPP}), (Lines{"a:WM_ACTIVATEAPP"}));
  EXPECT_EQ(MessageLog::Get().Entries().back().msg, WM_NCDESTROY);
  EXPECT_EQ(GetActiveWindow(), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
}

TEST_F(Input, ShowingWithoutActivation) {
  HWND a = CreateRecorded("a", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  HWND p = CreateRecorded("p", WS_POPUP, 100, 0, 50, 50);
  HWND q = CreateRecorded("q", WS_POPUP, 200, 0, 50, 50);
  ShowWindow(p, SW_SHOWNA);
  SetWindowPos(q, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_TRUE(IsWindowVisible(p));
  EXPECT_TRUE(IsWindowVisible(q));
  // WM_WINDOWPOSCHANGING may take SWP_SHOWWINDOW away.
  HWND r = CreateRecorded("r", WS_POPUP, 0, 0, 5, 5);
  SetOverride(r, [](HWND, UINT m, WPARAM, LPARAM l, LRESULT&) {
    if (m == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(l)->flags &= ~SWP_SHOWWINDOW;
    return false;
  });
  SetWindowPos(r, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  EXPECT_FALSE(IsWindowVisible(r));
}

TEST_F(Input, CaptureChangesAreAnnounced) {
  HWND a = CreateRecorded("a", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  HWND b = CreateRecorded("b", WS_POPUP | WS_VISIBLE, 100, 0, 50, 50);
  MessageLog::Get().Clear();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_EQ(GetCapture(), b);
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  auto& e = MessageLog::Get().Entries();
  std::vector<std::pair<HWND, LPARAM>> changes;
  for (auto& x : e)
    if (x.msg == WM_CAPTURECHANGED) changes.push_back({x.hwnd, x.lParam});
  EXPECT_EQ(changes, (std::vector<std::pair<HWND, LPARAM>>{{a, reinterpret_cast<LPARAM>(b)}, {b, 0}}));
  // Capture sends the mouse to its window wherever the cursor is.
  PumpMessages();
  SetCapture(a);
  MessageLog::Get().Clear();
  os::InjectMouseMove({120, 10});
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Lines({WM_MOUSEMOVE, WM_NCHITTEST}), (Lines{"a:WM_MOUSEMOVE"}));
  EXPECT_EQ(GET_X_LPARAM(MessageLog::Get().Entries().back().lParam), 120);
  // WM_CANCELMODE's default releases the capture.
  SendMessageW(a, WM_CANCELMODE, 0, 0);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Input, ClickOnInactiveWindowActivatesUnlessMouseActivateSaysOtherwise) {
  struct Case {
    LRESULT answer;
    bool activated;
    bool delivered;
  } cases[] = {{MA_ACTIVATE, true, true},
               {MA_ACTIVATEANDEAT, true, false},
               {MA_NOACTIVATE, false, true},
               {MA_NOACTIVATEANDEAT, false, false}};
  for (const auto& c : cases) {
    HWND a = CreateRecorded("a", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
    HWND b = CreateRecorded("b", WS_POPUP | WS_VISIBLE, 100, 0, 50, 50);
    SetActiveWindow(a);
    LRESULT answer = c.answer;
    SetOverride(b, [answer](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
      if (m != WM_MOUSEACTIVATE) return false;
      r = answer;
      return true;
    });
    MessageLog::Get().Clear();
    Click({110, 10});
    EXPECT_EQ(GetActiveWindow() == b, c.activated) << c.answer;
    EXPECT_EQ(MessageLog::Get().Lines({WM_LBUTTONDOWN}).size(), c.delivered ? 1u : 0u) << c.answer;
    auto order = MessageLog::Get().Lines({WM_NCHITTEST, WM_MOUSEACTIVATE, WM_SETCURSOR, WM_LBUTTONDOWN});
    auto down = std::find(order.begin(), order.end(), "b:WM_LBUTTONDOWN");
    if (c.delivered) {
      ASSERT_GE(down - order.begin(), 3);
      EXPECT_EQ(Lines(down - 3, down + 1),
                (Lines{"b:WM_NCHITTEST", "b:WM_MOUSEACTIVATE", "b:WM_SETCURSOR", "b:WM_LBUTTONDOWN"}));
    }
    os::ResetWindowManagerForTesting();
  }
}

// A drop-down list lives in a child window of the desktop: clicking it must not take the
// activation (and with it the focus) from the window it belongs to.
TEST_F(Input, ClickIntoAChildOfTheDesktopActivatesNothing) {
  HWND a = CreateRecorded("a", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50);
  HWND drop =
      CreateRecorded("drop", WS_CHILD | WS_VISIBLE, 100, 0, 50, 50, GetDesktopWindow(), WS_EX_TOOLWINDOW);
  HWND item = CreateRecorded("item", WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, drop);
  ASSERT_NE(item, nullptr);
  SetActiveWindow(a);
  SetFocus(a);
  MessageLog::Get().Clear();
  Click({110, 10});
  EXPECT_EQ(GetActiveWindow(), a);
  EXPECT_EQ(GetFocus(), a);
  EXPECT_EQ(MessageLog::Get().Lines({WM_LBUTTONDOWN, WM_LBUTTONUP, WM_ACTIVATE}),
            (Lines{"item:WM_LBUTTONDOWN", "item:WM_LBUTTONUP"}));
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTimeAndPlace) {
  os::ScopedVirtualClock clock;
  WNDCLASSEXW wc;
  wc.lpszClassName = u"QdNoDbl";
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    MessageLog::Get().Add({h, m, w, l});
    return DefWindowProcW(h, m, w, l);
  };
  RegisterClassExW(&wc);
  HWND dbl = CreateRecorded("dbl", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND plain = CreateRecorded("plain", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100, nullptr, 0, u"QdNoDbl");
  struct Case {
    HWND w;
    POINT second;
    DWORD gap;
    UINT expected;
  } cases[] = {{dbl, {11, 11}, 100, WM_LBUTTONDBLCLK},
               {dbl, {11, 11}, 600, WM_LBUTTONDOWN},
               {dbl, {20, 11}, 100, WM_LBUTTONDOWN},
               {plain, {211, 11}, 100, WM_LBUTTONDOWN}};
  for (const auto& c : cases) {
    RECT r;
    GetWindowRect(c.w, &r);
    POINT first{r.Left + 10, 10};
    Click(first);
    clock.Advance(c.gap);
    MessageLog::Get().Clear();
    os::InjectMouseButton(WM_LBUTTONDOWN, c.second);
    os::InjectMouseButton(WM_LBUTTONUP, c.second);
    PumpMessages();
    auto lines = MessageLog::Get().Lines({WM_LBUTTONDOWN, WM_LBUTTONDBLCLK});
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(lines[0].find(':') + 1), MessageName(c.expected)) << c.gap;
    clock.Advance(1000);
  }
  UnregisterClassW(u"QdNoDbl", nullptr);
}

TEST_F(Input, NonClientClicksWheelBubblingAndContextMenu) {
  HWND top = CreateRecorded("top", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
  HWND child = CreateRecorded("child", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
  SetFocus(child);
  PumpMessages();
  MessageLog::Get().Clear();
  RECT wr;
  GetWindowRect(top, &wr);
  Click({wr.Left + 100, wr.Top + 12});  // on the caption
  EXPECT_EQ(MessageLog::Get().Lines({WM_NCLBUTTONDOWN}), (Lines{"top:WM_NCLBUTTONDOWN"}));
  EXPECT_EQ(MessageLog::Get().Entries().size() > 0, true);
  // The wheel goes to the focus window and unhandled up to its parent.
  MessageLog::Get().Clear();
  os::InjectMouseWheel({5, 5}, -120);
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Lines({WM_MOUSEWHEEL}), (Lines{"child:WM_MOUSEWHEEL", "top:WM_MOUSEWHEEL"}));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(MessageLog::Get().Entries().back().wParam), -120);
  // Right button up: WM_CONTEXTMENU with screen coordinates, bubbling too.
  POINT inChild{10, 10};
  ClientToScreen(child, &inChild);
  MessageLog::Get().Clear();
  Click(inChild, WM_RBUTTONDOWN);
  EXPECT_EQ(MessageLog::Get().Lines({WM_RBUTTONUP, WM_CONTEXTMENU}),
            (Lines{"child:WM_RBUTTONUP", "child:WM_CONTEXTMENU", "top:WM_CONTEXTMENU"}));
  auto& last = MessageLog::Get().Entries().back();
  EXPECT_EQ(GET_X_LPARAM(last.lParam), inChild.X);
  // The keyboard's context key: (-1, -1).
  MessageLog::Get().Clear();
  os::InjectKey(VK_APPS, true);
  os::InjectKey(VK_APPS, false);
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Entries().back().lParam, MAKELPARAM(-1, -1));
}

TEST_F(Input, MouseHookDiscardsInput) {
  static HHOOK hook = nullptr;
  static HWND seenWindow = nullptr;
  hook = SetWindowsHookExW(
      WH_MOUSE,
      [](int code, WPARAM msg, LPARAM l) -> LRESULT {
        auto* mh = reinterpret_cast<MOUSEHOOKSTRUCT*>(l);
        seenWindow = mh->hwnd;
        if (msg == WM_LBUTTONDOWN) return 1;
        return CallNextHookEx(hook, code, msg, l);
      },
      nullptr, GetCurrentThreadId());
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  MessageLog::Get().Clear();
  Click({10, 10});
  EXPECT_EQ(MessageLog::Get().Lines({WM_LBUTTONDOWN, WM_LBUTTONUP}), (Lines{"w:WM_LBUTTONUP"}));
  EXPECT_EQ(seenWindow, w);
  UnhookWindowsHookEx(hook);
}

TEST_F(Input, HitTestingHonoursRegionsAndTransparentWindows) {
  HWND top = CreateRecorded("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 200);
  HWND under = CreateRecorded("under", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
  HWND over = CreateRecorded("over", WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, top);
  EXPECT_EQ(WindowFromPoint({50, 50}), over);
  SetOverride(over, [](HWND, UINT m, WPARAM, LPARAM, LRESULT& r) {
    if (m != WM_NCHITTEST) return false;
    r = HTTRANSPARENT;
    return true;
  });
  EXPECT_EQ(WindowFromPoint({50, 50}), under);  // passed on to the window below
  SetOverride(over, nullptr);
  // A window region limits the window's shape.
  SetWindowRgn(over, CreateRectRgn(0, 0, 20, 20), TRUE);
  EXPECT_EQ(WindowFromPoint({10, 10}), over);
  EXPECT_EQ(WindowFromPoint({50, 50}), under);
  RECT box;
  EXPECT_EQ(GetWindowRgnBox(over, &box), SIMPLEREGION);
  EXPECT_EQ(box, (RECT{0, 0, 20, 20}));
  EXPECT_EQ(ChildWindowFromPointEx(top, {50, 50}, CWP_ALL), under);
  ShowWindow(under, SW_HIDE);
  EXPECT_EQ(ChildWindowFromPointEx(top, {50, 50}, CWP_ALL), under);
  EXPECT_EQ(ChildWindowFromPointEx(top, {50, 50}, CWP_SKIPINVISIBLE), top);
  EXPECT_EQ(WindowFromPoint({50, 50}), top);
  EXPECT_EQ(WindowFromPoint({500, 500}), nullptr);
}

TEST_F(Input, TrackMouseEventLeaveAndHover) {
  os::ScopedVirtualClock clock;
  HWND a = CreateRecorded("a", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = CreateRecorded("b", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  (void)b;
  os::InjectMouseMove({10, 10});
  PumpMessages();
  TRACKMOUSEEVENT tme;
  tme.dwFlags = TME_LEAVE | TME_HOVER;
  tme.hwndTrack = a;
  tme.dwHoverTime = HOVER_DEFAULT;
  ASSERT_TRUE(TrackMouseEvent(&tme));
  MessageLog::Get().Clear();
  MSG m;
  ASSERT_TRUE(GetMessageW(&m, nullptr, 0, 0));  // the clock runs to the hover time
  DispatchMessageW(&m);
  EXPECT_EQ(MessageLog::Get().Lines({WM_MOUSEHOVER}), (Lines{"a:WM_MOUSEHOVER"}));
  tme.dwFlags = TME_LEAVE;
  TrackMouseEvent(&tme);
  MessageLog::Get().Clear();
  os::InjectMouseMove({210, 10});
  PumpMessages();
  EXPECT_EQ(MessageLog::Get().Lines({WM_MOUSELEAVE}), (Lines{"a:WM_MOUSELEAVE"}));
}

TEST_F(Input, MinimizeMaximizeRestore) {
  HWND w = CreateRecorded("w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT normal;
  GetWindowRect(w, &normal);
  std::vector<WPARAM> sizes;
  SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_SIZE) sizes.push_back(wp);
    return false;
  });
  ShowWindow(w, SW_MAXIMIZE);
  EXPECT_TRUE(IsZoomed(w));
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_GT(r.Width(), 1900);
  ShowWindow(w, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(w));
  ShowWindow(w, SW_RESTORE);
  EXPECT_FALSE(IsIconic(w));
  EXPECT_FALSE(IsZoomed(w));
  GetWindowRect(w, &r);
  EXPECT_EQ(r, normal);
  EXPECT_EQ(sizes, (std::vector<WPARAM>{SIZE_MAXIMIZED, SIZE_MINIMIZED, SIZE_RESTORED}));
}

}  // namespace
}  // namespace qd::testing
