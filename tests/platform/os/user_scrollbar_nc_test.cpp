// The window's own scroll bars in the non-client area: where they sit (with borders, edges,
// left scroll bars and both bars), hit testing, the parts a click presses, and paging that
// stops under the mouse.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

class NcScrollBars : public WmTest {};

SCROLLINFO Info(int max, UINT page, int pos) {
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  si.nMin = 0;
  si.nMax = max;
  si.nPage = page;
  si.nPos = pos;
  return si;
}

TEST_F(NcScrollBars, RectsClientAreasAndHitTests) {
  const int sx = GetSystemMetrics(SM_CXVSCROLL), sy = GetSystemMetrics(SM_CYHSCROLL);
  const int e = GetSystemMetrics(SM_CXEDGE);
  struct Case {
    const char* name;
    DWORD style, exStyle;
    RECT client;  // screen
    RECT vbar, hbar;
    POINT probe;
    LRESULT hit;
  } cases[] = {
      {"vertical only",
       WS_POPUP | WS_VSCROLL,
       0,
       {0, 0, 200 - sx, 100},
       {200 - sx, 0, 200, 100},
       {},
       {195, 50},
       HTVSCROLL},
      {"horizontal only",
       WS_POPUP | WS_HSCROLL,
       0,
       {0, 0, 200, 100 - sy},
       {},
       {0, 100 - sy, 200, 100},
       {50, 95},
       HTHSCROLL},
      {"both, with the size box between them",
       WS_POPUP | WS_VSCROLL | WS_HSCROLL,
       0,
       {0, 0, 200 - sx, 100 - sy},
       {200 - sx, 0, 200, 100 - sy},
       {0, 100 - sy, 200 - sx, 100},
       {195, 95},
       HTSIZE},
      {"left scroll bar",
       WS_POPUP | WS_VSCROLL,
       WS_EX_LEFTSCROLLBAR,
       {sx, 0, 200, 100},
       {0, 0, sx, 100},
       {},
       {3, 50},
       HTVSCROLL},
      {"inside a border",
       WS_POPUP | WS_BORDER | WS_VSCROLL,
       0,
       {1, 1, 199 - sx, 99},
       {199 - sx, 1, 199, 99},
       {},
       {199, 50},
       HTBORDER},
      {"inside a client edge",
       WS_POPUP | WS_VSCROLL,
       WS_EX_CLIENTEDGE,
       {e, e, 200 - e - sx, 100 - e},
       {200 - e - sx, e, 200 - e, 100 - e},
       {},
       {200 - e - 1, 50},
       HTVSCROLL},
  };
  for (const auto& c : cases) {
    HWND w = CreateRecorded("w", c.style | WS_VISIBLE, 0, 0, 200, 100, nullptr, c.exStyle);
    RECT cr;
    GetClientRect(w, &cr);
    POINT o{0, 0};
    ClientToScreen(w, &o);
    EXPECT_EQ((RECT{o.X, o.Y, o.X + cr.Right, o.Y + cr.Bottom}), c.client) << c.name;
    SCROLLBARINFO v, h;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &v));
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_HSCROLL, &h));
    if (!c.vbar.IsEmpty()) {
      EXPECT_EQ(v.rcScrollBar, c.vbar) << c.name;
    }
    EXPECT_EQ(v.rgstate[0] == STATE_SYSTEM_INVISIBLE, c.vbar.IsEmpty()) << c.name;
    if (!c.hbar.IsEmpty()) {
      EXPECT_EQ(h.rcScrollBar, c.hbar) << c.name;
    }
    EXPECT_EQ(h.rgstate[0] == STATE_SYSTEM_INVISIBLE, c.hbar.IsEmpty()) << c.name;
    EXPECT_EQ(SendMessageW(w, WM_NCHITTEST, 0, MAKELPARAM(c.probe.X, c.probe.Y)), c.hit) << c.name;
    DestroyWindow(w);
  }
}

TEST_F(NcScrollBars, ClickedPartsPressAndPagingStopsUnderTheMouse) {
  os::ScopedVirtualClock clock;
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 134);
  SCROLLINFO si = Info(99, 10, 0);
  SetScrollInfo(w, SB_VERT, &si, FALSE);
  PumpMessages();
  // While the mouse holds a part, GetScrollBarInfo reports it pressed.
  struct Case {
    int y;
    int index;  // rgstate index of the part
    int code;
  } cases[] = {{5, 1, SB_LINEUP}, {128, 5, SB_LINEDOWN}, {100, 4, SB_PAGEDOWN}};
  for (const auto& c : cases) {
    DWORD seen = 0;
    std::vector<int> codes;
    SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
      if (m == WM_VSCROLL) {
        codes.push_back(LOWORD(wp));
        SCROLLBARINFO sbi;
        GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
        if (LOWORD(wp) == c.code) seen = sbi.rgstate[c.index];
      }
      return false;
    });
    os::InjectMouseMove({90, c.y});
    os::InjectMouseButton(WM_LBUTTONDOWN, {90, c.y});
    os::InjectMouseButton(WM_LBUTTONUP, {90, c.y});
    PumpMessages();
    EXPECT_EQ(seen, STATE_SYSTEM_PRESSED) << c.y;
    EXPECT_EQ(codes, (std::vector<int>{c.code, SB_ENDSCROLL})) << c.y;
    SCROLLBARINFO after;
    GetScrollBarInfo(w, OBJID_VSCROLL, &after);
    EXPECT_EQ(after.rgstate[c.index], 0u) << c.y;
    clock.Advance(1000);
  }
  // Held on the track below the thumb, paging repeats until the thumb reaches the mouse.
  si = Info(99, 10, 0);
  SetScrollInfo(w, SB_VERT, &si, FALSE);
  int pages = 0;
  SetOverride(w, [&](HWND h, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_VSCROLL && LOWORD(wp) == SB_PAGEDOWN) {
      ++pages;
      SetScrollPos(h, SB_VERT, GetScrollPos(h, SB_VERT) + 10, TRUE);
    }
    return false;
  });
  // The tracking loop waits on the clock; a thread timer lets go of the button 2 s later.
  SetTimer(nullptr, 0, 2000, [](HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    os::InjectMouseButton(WM_LBUTTONUP, {90, 80});
  });
  os::InjectMouseMove({90, 80});
  os::InjectMouseButton(WM_LBUTTONDOWN, {90, 80});
  PumpMessages();
  SCROLLBARINFO sbi;
  GetScrollBarInfo(w, OBJID_VSCROLL, &sbi);
  EXPECT_LE(sbi.xyThumbTop, 80);
  EXPECT_GT(sbi.xyThumbBottom, 80);
  EXPECT_EQ(pages, GetScrollPos(w, SB_VERT) / 10);
  EXPECT_LT(GetScrollPos(w, SB_VERT), 90);
}

TEST_F(NcScrollBars, ThumbSnapsBackWhenTheMouseGoesFarAway) {
  os::ScopedVirtualClock clock;
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 134);
  SCROLLINFO si = Info(99, 50, 0);
  SetScrollInfo(w, SB_VERT, &si, FALSE);
  PumpMessages();
  std::vector<std::pair<int, int>> codes;
  SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_VSCROLL) codes.push_back({LOWORD(wp), HIWORD(wp)});
    return false;
  });
  // The bar is 17 wide at x 83..100: the zone reaches 8 widths (136 px) to either side and
  // 2 widths (34 px) beyond the ends. Queued moves merge, so a timer makes one move per tick.
  os::InjectMouseMove({90, 30});
  os::InjectMouseButton(WM_LBUTTONDOWN, {90, 30});
  SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
    static const POINT moves[] = {{90, 80}, {240, 80}, {230, 80}, {90, 200}, {90, 150}, {400, 80}};
    static size_t next = 0;
    if (next < std::size(moves)) {
      os::InjectMouseMove(moves[next++]);
      return;
    }
    KillTimer(nullptr, id);
    next = 0;
    os::InjectMouseButton(WM_LBUTTONUP, {400, 80});
  });
  PumpMessages();
  EXPECT_EQ(codes, (std::vector<std::pair<int, int>>{{SB_THUMBTRACK, 50},
                                                     {SB_THUMBTRACK, 0},
                                                     {SB_THUMBTRACK, 50},
                                                     {SB_THUMBTRACK, 0},
                                                     {SB_THUMBTRACK, 50},
                                                     {SB_THUMBTRACK, 0},
                                                     {SB_THUMBPOSITION, 0},
                                                     {SB_ENDSCROLL, 0}}));
}

TEST_F(NcScrollBars, EnableAndShowScrollBar) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 134);
  SCROLLINFO si = Info(99, 10, 0);
  SetScrollInfo(w, SB_VERT, &si, FALSE);
  std::vector<int> codes;
  SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_VSCROLL) codes.push_back(LOWORD(wp));
    return false;
  });
  struct Case {
    UINT arrows;
    DWORD up, down, bar;
    size_t upClicks;  // messages from a click on the up arrow
  } cases[] = {
      {ESB_DISABLE_UP, STATE_SYSTEM_UNAVAILABLE, 0, 0, 0},
      {ESB_DISABLE_DOWN, 0, STATE_SYSTEM_UNAVAILABLE, 0, 2},
      {ESB_DISABLE_BOTH, 0, 0, STATE_SYSTEM_UNAVAILABLE, 0},
      {ESB_ENABLE_BOTH, 0, 0, 0, 2},
  };
  for (const auto& c : cases) {
    EnableScrollBar(w, SB_VERT, c.arrows);
    SCROLLBARINFO sbi;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &sbi));
    EXPECT_EQ(sbi.rgstate[0], c.bar) << c.arrows;
    EXPECT_EQ(sbi.rgstate[1], c.up) << c.arrows;
    EXPECT_EQ(sbi.rgstate[5], c.down) << c.arrows;
    codes.clear();
    os::InjectMouseMove({90, 5});
    os::InjectMouseButton(WM_LBUTTONDOWN, {90, 5});
    os::InjectMouseButton(WM_LBUTTONUP, {90, 5});
    PumpMessages();
    EXPECT_EQ(codes.size(), c.upClicks) << c.arrows;
  }
  // Hidden and shown again: the client area follows, the settings stay.
  ShowScrollBar(w, SB_VERT, FALSE);
  RECT cr;
  GetClientRect(w, &cr);
  EXPECT_EQ(cr.Right, 100);
  ShowScrollBar(w, SB_VERT, TRUE);
  GetClientRect(w, &cr);
  EXPECT_EQ(cr.Right, 100 - GetSystemMetrics(SM_CXVSCROLL));
  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
  EXPECT_EQ(got.nMax, 99);
  EXPECT_EQ(got.nPage, 10u);
}

}  // namespace
}  // namespace qd::testing
