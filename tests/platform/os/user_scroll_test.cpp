// The scroll bars of windows: state, appearing and disappearing, geometry, mouse tracking.
#include <gtest/gtest.h>

#include "user_test_util.h"

namespace qd::testing {
namespace {

class ScrollBars : public WmTest {};

TEST_F(ScrollBars, InfoIsClampedAndTheBarComesAndGoesWithTheRange) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  RECT c;
  GetClientRect(w, &c);
  EXPECT_EQ(c.Width(), 200);
  SCROLLINFO si;
  EXPECT_FALSE(GetScrollInfo(w, SB_VERT, &si));  // no bar yet
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = 99;
  si.nPage = 10;
  si.nPos = 500;
  MessageLog::Get().Clear();
  EXPECT_EQ(SetScrollInfo(w, SB_VERT, &si, TRUE), 90);  // the last page starts at 90
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL);
  GetClientRect(w, &c);
  EXPECT_EQ(c.Width(), 200 - 17);
  EXPECT_EQ(MessageLog::Get().Lines({WM_NCCALCSIZE, WM_SIZE}),
            (std::vector<std::string>{"w:WM_NCCALCSIZE", "w:WM_SIZE"}));
  SCROLLINFO got;
  got.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(w, SB_VERT, &got));
  EXPECT_EQ(got.nPos, 90);
  EXPECT_EQ(got.nPage, 10u);
  // A page that covers the range removes the bar, unless SIF_DISABLENOSCROLL keeps it.
  si.fMask = SIF_PAGE;
  si.nPage = 200;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_FALSE(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL);
  si.fMask = SIF_PAGE | SIF_DISABLENOSCROLL;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  EXPECT_TRUE(GetWindowLongW(w, GWL_STYLE) & WS_VSCROLL);
  SCROLLBARINFO sbi;
  ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &sbi));
  EXPECT_EQ(sizeof(SCROLLBARINFO), 60u);
  EXPECT_EQ(sbi.rgstate[0], STATE_SYSTEM_UNAVAILABLE);
  ASSERT_TRUE(GetScrollBarInfo(w, OBJID_HSCROLL, &sbi));
  EXPECT_EQ(sbi.rgstate[0], STATE_SYSTEM_INVISIBLE);
  EXPECT_EQ(GetScrollPos(w, SB_VERT), 0);
}

TEST_F(ScrollBars, ThumbGeometry) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 134);
  struct Case {
    int max;
    UINT page;
    int pos;
    int top, bottom;
  } cases[] = {{99, 50, 0, 17, 67}, {99, 50, 50, 67, 117}, {99, 25, 75, 92, 117}, {999, 0, 0, 17, 34}};
  for (auto& c : cases) {
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    si.nMin = 0;
    si.nMax = c.max;
    si.nPage = c.page;
    si.nPos = c.pos;
    SetScrollInfo(w, SB_VERT, &si, FALSE);
    SCROLLBARINFO sbi;
    ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &sbi));
    EXPECT_EQ(sbi.rcScrollBar, (RECT{83, 0, 100, 134}));
    EXPECT_EQ(sbi.dxyLineButton, 17);
    EXPECT_EQ(sbi.xyThumbTop, c.top) << c.max << "/" << c.page << "/" << c.pos;
    EXPECT_EQ(sbi.xyThumbBottom, c.bottom) << c.max << "/" << c.page << "/" << c.pos;
  }
}

TEST_F(ScrollBars, ClicksAndThumbDragsSendScrollMessages) {
  os::ScopedVirtualClock clock;
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 100, 134);
  SCROLLINFO si;
  si.fMask = SIF_ALL;
  si.nMax = 99;
  si.nPage = 50;
  SetScrollInfo(w, SB_VERT, &si, FALSE);
  PumpMessages();
  std::vector<std::pair<int, int>> codes;
  SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m == WM_VSCROLL) codes.push_back({LOWORD(wp), static_cast<int16_t>(HIWORD(wp))});
    return false;
  });
  // The down arrow: one line, ended with SB_ENDSCROLL.
  os::InjectMouseButton(WM_LBUTTONDOWN, {90, 125});
  os::InjectMouseButton(WM_LBUTTONUP, {90, 125});
  PumpMessages();
  EXPECT_EQ(codes, (std::vector<std::pair<int, int>>{{SB_LINEDOWN, 0}, {SB_ENDSCROLL, 0}}));
  // Held down, the arrow repeats after 400 ms and then every 50 ms.
  std::vector<DWORD> times;
  SetOverride(w, [&](HWND, UINT m, WPARAM wp, LPARAM, LRESULT&) {
    if (m != WM_VSCROLL) return false;
    codes.push_back({LOWORD(wp), static_cast<int16_t>(HIWORD(wp))});
    if (LOWORD(wp) == SB_LINEDOWN) {
      times.push_back(GetTickCount());
      if (times.size() == 3) os::InjectMouseButton(WM_LBUTTONUP, {90, 125});
    }
    return false;
  });
  codes.clear();
  os::InjectMouseButton(WM_LBUTTONDOWN, {90, 125});
  PumpMessages();
  ASSERT_EQ(times.size(), 3u);
  EXPECT_EQ(times[1] - times[0], 400u);
  EXPECT_EQ(times[2] - times[1], 50u);
  EXPECT_EQ(codes.back().first, SB_ENDSCROLL);
  // Dragging the thumb down by half the track moves to the end.
  codes.clear();
  os::InjectMouseMove({90, 30});
  os::InjectMouseButton(WM_LBUTTONDOWN, {90, 30});
  os::InjectMouseMove({90, 80});
  os::InjectMouseButton(WM_LBUTTONUP, {90, 80});
  PumpMessages();
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[codes.size() - 3], (std::pair<int, int>{SB_THUMBTRACK, 50}));
  EXPECT_EQ(codes[codes.size() - 2], (std::pair<int, int>{SB_THUMBPOSITION, 50}));
  EXPECT_EQ(codes.back().first, SB_ENDSCROLL);
}

}  // namespace
}  // namespace qd::testing
