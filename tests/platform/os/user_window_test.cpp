// Window life cycle: creation and destruction message order, the tree, styles, properties.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

using Lines = std::vector<std::string>;

class WindowLifeCycle : public WmTest {};

TEST_F(WindowLifeCycle, CreationSendsMessagesInTheOriginalOrder) {
  struct Case {
    const char* what;
    DWORD style;
    bool child;
    int x;
    Lines expected;
    bool showLater = false;  // ShowWindow(SW_SHOW) after creation, recorded with it
  } cases[] = {
      {"hidden popup",
       WS_POPUP,
       false,
       10,
       {"w:WM_GETMINMAXINFO", "w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:WM_SIZE", "w:WM_MOVE"}},
      {"hidden child",
       WS_CHILD,
       true,
       10,
       {"w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:WM_SIZE", "w:WM_MOVE", "p:WM_PARENTNOTIFY"}},
      {"overlapped placed by the system",
       WS_OVERLAPPEDWINDOW,
       false,
       CW_USEDEFAULT,
       {"w:WM_GETMINMAXINFO", "w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE"}},
      {"overlapped at an explicit position",
       WS_OVERLAPPEDWINDOW,
       false,
       10,
       {"w:WM_GETMINMAXINFO", "w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE"}},
      {"overlapped at an explicit position, shown later",
       WS_OVERLAPPEDWINDOW,
       false,
       10,
       {"w:WM_GETMINMAXINFO", "w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:WM_SHOWWINDOW",
        "w:WM_WINDOWPOSCHANGING", "w:WM_WINDOWPOSCHANGING", "w:WM_ACTIVATEAPP", "w:WM_NCACTIVATE",
        "w:WM_ACTIVATE", "w:WM_SETFOCUS", "w:WM_NCPAINT", "w:WM_ERASEBKGND", "w:WM_WINDOWPOSCHANGED",
        "w:WM_SIZE", "w:WM_MOVE"},
       true},
      {"visible overlapped",
       WS_OVERLAPPEDWINDOW | WS_VISIBLE,
       false,
       CW_USEDEFAULT,
       {"w:WM_GETMINMAXINFO", "w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:WM_SHOWWINDOW",
        "w:WM_WINDOWPOSCHANGING", "w:WM_WINDOWPOSCHANGING", "w:WM_ACTIVATEAPP", "w:WM_NCACTIVATE",
        "w:WM_ACTIVATE", "w:WM_SETFOCUS", "w:WM_NCPAINT", "w:WM_ERASEBKGND", "w:WM_WINDOWPOSCHANGED",
        "w:WM_SIZE", "w:WM_MOVE"}},
      {"visible child",
       WS_CHILD | WS_VISIBLE,
       true,
       5,
       {"w:WM_NCCREATE", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:WM_SIZE", "w:WM_MOVE", "p:WM_PARENTNOTIFY",
        "w:WM_SHOWWINDOW", "w:WM_WINDOWPOSCHANGING", "w:WM_ERASEBKGND", "w:WM_WINDOWPOSCHANGED"}},
  };
  const std::vector<UINT> interesting = {
      WM_GETMINMAXINFO, WM_NCCREATE,          WM_NCCALCSIZE,       WM_CREATE,      WM_SIZE,       WM_MOVE,
      WM_SHOWWINDOW,    WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_ACTIVATEAPP, WM_NCACTIVATE, WM_ACTIVATE,
      WM_SETFOCUS,      WM_NCPAINT,           WM_ERASEBKGND,       WM_PARENTNOTIFY};
  for (const auto& c : cases) {
    HWND parent = c.child ? CreateRecorded("p", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 200) : nullptr;
    MessageLog::Get().Clear();
    // The name is known only after creation: record under a placeholder, then rename.
    MessageLog::Get().Enable(true);
    HWND w = CreateWindowExW(0, RecorderClass(), u"", c.style, c.x, 10, 100, 80, parent, nullptr, nullptr,
                             nullptr);
    ASSERT_TRUE(w) << c.what;
    if (c.showLater) ShowWindow(w, SW_SHOW);
    MessageLog::Get().Name(w, "w");
    if (parent) MessageLog::Get().Name(parent, "p");
    EXPECT_EQ(MessageLog::Get().Lines(interesting), c.expected) << c.what;
    os::ResetWindowManagerForTesting();
  }
}

TEST_F(WindowLifeCycle, CreateReturningMinusOneAbortsAndDestroys) {
  SetOverride(nullptr, nullptr);
  static bool refuse = true;
  WNDCLASSEXW wc;
  wc.lpszClassName = u"QdRefuse";
  wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    MessageLog::Get().Add({h, m, w, l});
    if (m == WM_CREATE && refuse) return -1;
    return DefWindowProcW(h, m, w, l);
  };
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, u"QdRefuse", u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(w, nullptr);
  auto& e = MessageLog::Get().Entries();
  ASSERT_GE(e.size(), 3u);
  HWND dead = e.front().hwnd;
  EXPECT_FALSE(IsWindow(dead));
  EXPECT_EQ(MessageLog::Get().Lines({WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
            (Lines{"?:WM_CREATE", "?:WM_DESTROY", "?:WM_NCDESTROY"}));
  UnregisterClassW(u"QdRefuse", nullptr);
}

TEST_F(WindowLifeCycle, DestructionOrderOwnedFirstThenDestroyTopDownNcDestroyBottomUp) {
  HWND top = CreateRecorded("top", WS_POPUP, 0, 0, 200, 200);
  HWND child = CreateRecorded("child", WS_CHILD, 0, 0, 50, 50, top);
  HWND grand = CreateRecorded("grand", WS_CHILD, 0, 0, 10, 10, child);
  HWND owned = CreateRecorded("owned", WS_POPUP, 0, 0, 30, 30, top);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
  EXPECT_EQ(GetParent(owned), top);  // an owned popup reports its owner
  EXPECT_EQ(GetAncestor(owned, GA_PARENT), GetDesktopWindow());
  MessageLog::Get().Clear();
  EXPECT_TRUE(DestroyWindow(top));
  EXPECT_EQ(MessageLog::Get().Lines({WM_DESTROY, WM_NCDESTROY}),
            (Lines{"owned:WM_DESTROY", "owned:WM_NCDESTROY", "top:WM_DESTROY", "child:WM_DESTROY",
                   "grand:WM_DESTROY", "grand:WM_NCDESTROY", "child:WM_NCDESTROY", "top:WM_NCDESTROY"}));
  for (HWND h : {top, child, grand, owned}) EXPECT_FALSE(IsWindow(h));
  // Handles are never given out again.
  HWND again = CreateRecorded("again", WS_POPUP, 0, 0, 1, 1);
  for (HWND h : {top, child, grand, owned}) EXPECT_NE(again, h);
}

TEST_F(WindowLifeCycle, DestroyingAChildSendsMessagesInTheOriginalOrder) {
  struct Case {
    const char* what;
    DWORD style;
    bool focused;
    Lines expected;
  } cases[] = {
      {"hidden child", WS_CHILD, false, {"p:WM_PARENTNOTIFY", "w:WM_DESTROY", "w:WM_NCDESTROY"}},
      // Hidden as by ShowWindow(SW_HIDE) before it dies; the focus falls back to the parent.
      {"visible, focused child",
       WS_CHILD | WS_VISIBLE,
       true,
       {"p:WM_PARENTNOTIFY", "w:WM_SHOWWINDOW", "w:WM_WINDOWPOSCHANGING", "w:WM_WINDOWPOSCHANGED",
        "w:WM_KILLFOCUS", "p:WM_SETFOCUS", "w:WM_DESTROY", "w:WM_NCDESTROY"}},
  };
  const std::vector<UINT> interesting = {WM_PARENTNOTIFY,     WM_SHOWWINDOW, WM_WINDOWPOSCHANGING,
                                         WM_WINDOWPOSCHANGED, WM_KILLFOCUS,  WM_SETFOCUS,
                                         WM_DESTROY,          WM_NCDESTROY};
  for (const auto& c : cases) {
    HWND p = CreateRecorded("p", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200);
    HWND w = CreateRecorded("w", c.style, 10, 10, 50, 20, p);
    if (c.focused) SetFocus(w);
    ASSERT_EQ(GetFocus(), c.focused ? w : p) << c.what;
    PumpMessages();
    MessageLog::Get().Clear();
    EXPECT_TRUE(DestroyWindow(w));
    EXPECT_EQ(MessageLog::Get().Lines(interesting), c.expected) << c.what;
    EXPECT_EQ(GetFocus(), p) << c.what;
    os::ResetWindowManagerForTesting();
  }
}

TEST_F(WindowLifeCycle, CbtHookCanPreventCreationAndDestruction) {
  static int mode = 0;
  HHOOK hook = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        if (code == HCBT_CREATEWND && mode == 1) return 1;
        if (code == HCBT_DESTROYWND && mode == 2) return 1;
        return CallNextHookEx(nullptr, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  mode = 1;
  MessageLog::Get().Clear();
  EXPECT_EQ(CreateRecorded("x", WS_POPUP, 0, 0, 10, 10), nullptr);
  EXPECT_TRUE(MessageLog::Get().Entries().empty());  // refused before any message
  mode = 2;
  HWND w = CreateRecorded("w", WS_POPUP, 0, 0, 10, 10);
  ASSERT_TRUE(w);
  EXPECT_FALSE(DestroyWindow(w));
  EXPECT_TRUE(IsWindow(w));
  mode = 0;
  UnhookWindowsHookEx(hook);
}

TEST_F(WindowLifeCycle, TreeQueriesAndZOrder) {
  HWND p = CreateRecorded("p", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND a = CreateRecorded("a", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, p);
  HWND b = CreateRecorded("b", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, p);
  HWND c = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, p);
  // New windows go on top.
  EXPECT_EQ(GetWindow(p, GW_CHILD), c);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetWindow(a, GW_HWNDPREV), b);
  SetWindowPos(a, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(p, GW_CHILD), a);
  SetWindowPos(a, c, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(c, GW_HWNDNEXT), a);
  SetWindowPos(c, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetWindow(a, GW_HWNDLAST), c);
  EXPECT_TRUE(IsChild(p, a));
  EXPECT_FALSE(IsChild(a, p));
  EXPECT_EQ(GetParent(a), p);
  EXPECT_EQ(GetAncestor(a, GA_ROOT), p);
  std::vector<HWND> seen;
  EnumChildWindows(
      p,
      [](HWND h, LPARAM l) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(l)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ(seen.size(), 3u);
  // Topmost windows stay above the others.
  HWND normal = CreateRecorded("n", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  HWND topmost = CreateRecorded("t", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr, WS_EX_TOPMOST);
  SetWindowPos(normal, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(nullptr), topmost);
  SetWindowPos(topmost, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_FALSE(GetWindowLongW(topmost, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowLifeCycle, LongsStylesPropertiesTextAndSubclassing) {
  WNDCLASSEXW wc;
  wc.lpszClassName = u"QdExtra";
  wc.cbWndExtra = 16;
  wc.lpfnWndProc = &DefWindowProcW;
  RegisterClassExW(&wc);
  HWND w =
      CreateWindowExW(0, u"QdExtra", u"Title", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(w);
  EXPECT_EQ(SetWindowLongPtrW(w, 8, 0x1234), 0);
  EXPECT_EQ(GetWindowLongPtrW(w, 8), 0x1234);
  EXPECT_EQ(GetWindowLongPtrW(w, 16), 0);  // beyond the extra bytes
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  Char buf[16];
  EXPECT_EQ(GetWindowTextW(w, buf, 16), 5);
  EXPECT_EQ(String(buf), u"Title");
  SetWindowTextW(w, u"Other");
  EXPECT_EQ(GetWindowTextLengthW(w), 5);
  EXPECT_TRUE(SetPropW(w, u"QdProp", reinterpret_cast<HANDLE>(7)));
  EXPECT_EQ(GetPropW(w, u"qdprop"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(RemovePropW(w, u"QdProp"), reinterpret_cast<HANDLE>(7));
  EXPECT_EQ(GetPropW(w, u"QdProp"), nullptr);

  // Style changes go through WM_STYLECHANGING (which may alter them) and WM_STYLECHANGED.
  HWND r = CreateRecorded("r", WS_POPUP, 0, 0, 10, 10);
  SetOverride(r, [](HWND, UINT m, WPARAM, LPARAM l, LRESULT&) {
    if (m == WM_STYLECHANGING) reinterpret_cast<STYLESTRUCT*>(l)->styleNew |= WS_BORDER;
    return false;
  });
  MessageLog::Get().Clear();
  SetWindowLongW(r, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_DISABLED));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongW(r, GWL_STYLE)) & (WS_DISABLED | WS_BORDER),
            WS_DISABLED | WS_BORDER);
  EXPECT_FALSE(IsWindowEnabled(r));
  EXPECT_EQ(MessageLog::Get().Lines(), (Lines{"r:WM_STYLECHANGING", "r:WM_STYLECHANGED"}));

  // Subclassing: the new procedure sees messages first and chains to the old one.
  static WNDPROC old = nullptr;
  static int seen = 0;
  old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      r, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND h, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
        if (m == WM_USER) ++seen;
        return CallWindowProcW(old, h, m, wp, lp);
      })));
  MessageLog::Get().Clear();
  SendMessageW(r, WM_USER, 0, 0);
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(MessageLog::Get().Lines(), (Lines{"r:WM_USER"}));
  UnregisterClassW(u"QdExtra", nullptr);
}

// Only an overlapped window gets a caption and the system's minimum tracking size; a popup and a
// child of the desktop keep exactly the style and size they ask for.
TEST_F(WindowLifeCycle, OnlyOverlappedWindowsGetACaptionAndTheMinimumSize) {
  struct Case {
    const char* what;
    DWORD style;
    bool desktopParent;
    bool caption;
  } cases[] = {
      {"overlapped", WS_OVERLAPPED, false, true},
      {"popup", WS_POPUP, false, false},
      {"child of the desktop", WS_CHILD, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    HWND w = CreateWindowExW(0, u"STATIC", u"", c.style, 10, 10, 40, 20,
                             c.desktopParent ? GetDesktopWindow() : nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    const DWORD style = static_cast<DWORD>(GetWindowLongW(w, GWL_STYLE));
    EXPECT_EQ((style & WS_CAPTION) == WS_CAPTION, c.caption);
    EXPECT_NE(style & WS_CLIPSIBLINGS, 0u) << "every top-level window clips its siblings";
    RECT r;
    GetWindowRect(w, &r);
    if (c.caption) {
      EXPECT_EQ(r.Width(), GetSystemMetrics(SM_CXMINTRACK));
    } else {
      EXPECT_EQ(r, (RECT{10, 10, 50, 30}));
      SetWindowPos(w, nullptr, 0, 0, 30, 12, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      GetWindowRect(w, &r);
      EXPECT_EQ(r, (RECT{10, 10, 40, 22})) << "a later resize is not held to a minimum either";
    }
    DestroyWindow(w);
  }
}

TEST_F(WindowLifeCycle, EnableWindowCancelsModeAndMovesFocus) {
  HWND top = CreateRecorded("top", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND c = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top);
  SetFocus(c);
  MessageLog::Get().Clear();
  EXPECT_FALSE(EnableWindow(c, FALSE));  // it was enabled
  EXPECT_EQ(MessageLog::Get().Lines({WM_CANCELMODE, WM_KILLFOCUS, WM_ENABLE}),
            (Lines{"c:WM_CANCELMODE", "c:WM_KILLFOCUS", "c:WM_ENABLE"}));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(EnableWindow(c, TRUE));  // it was disabled
}

}  // namespace
}  // namespace qd::testing
