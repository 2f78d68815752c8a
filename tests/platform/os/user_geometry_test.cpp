// Coordinates, frames, right-to-left mirroring, DC clipping options, CBT prevention.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

class Geometry : public WmTest {};

TEST_F(Geometry, AdjustWindowRectMatchesTheFrames) {
  struct Case {
    DWORD style, ex;
    RECT expected;  // for a client rect of (0,0,100,100)
  } cases[] = {
      {WS_POPUP, 0, {0, 0, 100, 100}},
      {WS_POPUP | WS_BORDER, 0, {-1, -1, 101, 101}},
      {WS_POPUP, WS_EX_CLIENTEDGE, {-2, -2, 102, 102}},
      {WS_POPUP, WS_EX_STATICEDGE, {-1, -1, 101, 101}},
      {WS_POPUP | WS_BORDER, WS_EX_CLIENTEDGE, {-3, -3, 103, 103}},
      {WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, {-3, -26, 103, 103}},
      {WS_OVERLAPPEDWINDOW, 0, {-8, -31, 108, 108}},
      {WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW, {-3, -26, 103, 103}},
      {WS_POPUP | WS_THICKFRAME, 0, {-8, -8, 108, 108}},
  };
  for (auto& c : cases) {
    RECT r{0, 0, 100, 100};
    AdjustWindowRectEx(&r, c.style, FALSE, c.ex);
    EXPECT_EQ(r, c.expected) << std::hex << c.style << " " << c.ex;
    RECT d{0, 0, 100, 100};
    AdjustWindowRectExForDpi(&d, c.style, FALSE, c.ex, 192);
    if (c.style == WS_OVERLAPPEDWINDOW) {
      EXPECT_EQ(d, (RECT{-16, -62, 116, 116}));
    }
  }
}

TEST_F(Geometry, NestedClientCoordinatesAndMapWindowPoints) {
  HWND top = CreateRecorded("top", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 50, 300, 200);
  HWND a = CreateRecorded("a", WS_CHILD | WS_VISIBLE, 10, 20, 100, 100, top, WS_EX_CLIENTEDGE);
  HWND b = CreateRecorded("b", WS_CHILD | WS_VISIBLE, 5, 6, 20, 20, a);
  POINT p{0, 0};
  ClientToScreen(b, &p);
  EXPECT_EQ(p, (POINT{100 + 1 + 10 + 2 + 5, 50 + 1 + 20 + 2 + 6}));
  ScreenToClient(top, &p);
  EXPECT_EQ(p, (POINT{17, 28}));
  POINT pts[2] = {{0, 0}, {3, 4}};
  MapWindowPoints(b, top, pts, 2);
  EXPECT_EQ(pts[1], (POINT{20, 32}));
  RECT r;
  GetWindowRect(b, &r);
  EXPECT_EQ(r, (RECT{118, 79, 138, 99}));
}

TEST_F(Geometry, RightToLeftParentsMirrorChildPositionsAndMapping) {
  HWND top = CreateRecorded("top", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr, WS_EX_LAYOUTRTL);
  HWND c = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 10, 0, 50, 20, top);
  EXPECT_TRUE(GetWindowLongW(c, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);  // inherited
  RECT r;
  GetWindowRect(c, &r);
  EXPECT_EQ(r, (RECT{140, 0, 190, 20}));  // x is measured from the right edge
  POINT p{0, 5};
  ClientToScreen(top, &p);
  EXPECT_EQ(p.X, 200);
  RECT rc{10, 0, 30, 10};
  MapWindowPoints(top, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  EXPECT_EQ(rc, (RECT{170, 0, 190, 10}));  // left stays left of right
  // Resizing keeps the child's distance from the right edge.
  SetWindowPos(top, nullptr, 0, 0, 300, 100, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(c, &r);
  EXPECT_EQ(r, (RECT{240, 0, 290, 20}));
}

TEST_F(Geometry, GetDCExOptionsAndWindowDCs) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_BORDER, 0, 0, 40, 40);
  PumpMessages();
  auto fillWith = [&](HDC dc, COLORREF c) {
    HBRUSH b = CreateSolidBrush(c);
    RECT all{-100, -100, 100, 100};
    FillRect(dc, &all, b);
    DeleteObject(b);
    ReleaseDC(w, dc);
  };
  // DCX_INTERSECTRGN: only inside the screen region.
  HRGN clip = CreateRectRgn(10, 10, 20, 20);
  fillWith(GetDCEx(w, clip, DCX_INTERSECTRGN), RGB(255, 0, 0));
  DeleteObject(clip);
  auto px = os::ReadWindowPixels(w);
  EXPECT_EQ(px.At(15, 15), 0xFFFF0000u);
  EXPECT_EQ(px.At(25, 25), 0xFFFFFFFFu);
  // The client DC never touches the frame; the window DC does.
  fillWith(GetDC(w), RGB(0, 255, 0));
  EXPECT_NE(os::ReadWindowPixels(w).At(0, 0), 0xFF00FF00u);
  fillWith(GetWindowDC(w), RGB(0, 0, 255));
  EXPECT_EQ(os::ReadWindowPixels(w).At(0, 0), 0xFF0000FFu);
  HDC dc = GetDC(w);
  EXPECT_EQ(WindowFromDC(dc), w);
  ReleaseDC(w, dc);
}

TEST_F(Geometry, CbtHookPreventsActivationFocusAndMinimize) {
  static int refuse = 0;
  static HHOOK hook = nullptr;
  hook = SetWindowsHookExW(
      WH_CBT,
      [](int code, WPARAM w, LPARAM l) -> LRESULT {
        if (code == refuse) return 1;
        return CallNextHookEx(hook, code, w, l);
      },
      nullptr, GetCurrentThreadId());
  HWND a = CreateRecorded("a", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100);
  HWND b = CreateRecorded("b", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 200, 200, 100);
  HWND bc = CreateRecorded("bc", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, b);
  refuse = HCBT_ACTIVATE;
  EXPECT_EQ(SetActiveWindow(a), nullptr);
  EXPECT_EQ(GetActiveWindow(), b);
  refuse = HCBT_SETFOCUS;
  EXPECT_EQ(SetFocus(bc), nullptr);
  EXPECT_EQ(GetFocus(), b);
  refuse = HCBT_MINMAX;
  ShowWindow(b, SW_MINIMIZE);
  EXPECT_FALSE(IsIconic(b));
  refuse = -1;
  UnhookWindowsHookEx(hook);
}

TEST_F(Geometry, SetParentMovesWindowsBetweenParentsAndTopLevel) {
  HWND p1 = CreateRecorded("p1", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND p2 = CreateRecorded("p2", WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  HWND c = CreateRecorded("c", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, p1);
  EXPECT_EQ(SetParent(c, p2), p1);
  EXPECT_EQ(GetParent(c), p2);
  EXPECT_TRUE(IsWindowVisible(c));
  RECT r;
  GetWindowRect(c, &r);
  EXPECT_EQ(r, (RECT{205, 5, 215, 15}));
  EXPECT_EQ(WindowFromPoint({207, 7}), c);
  EXPECT_EQ(WindowFromPoint({7, 7}), p1);
}

}  // namespace
}  // namespace qd::testing
