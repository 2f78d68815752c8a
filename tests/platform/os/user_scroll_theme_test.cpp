// The window's own scroll bars drawn through the visual-styles engine while visual styles are
// on, and as plain frame controls when they are off.
#include <gtest/gtest.h>

#include "platform/os/uxtheme.h"
#include "platform/os/uxtheme_testing.h"
#include "user_test_util.h"

namespace qd::testing {
namespace {

class ThemedScrollBars : public WmTest {
 protected:
  void TearDown() override {
    os::ResetThemeForTesting();
    WmTest::TearDown();
  }
  HWND NewWindow() {
    HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL, 0, 0, 120, 200);
    SCROLLINFO si{};
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = 99;
    si.nPage = 20;
    si.nPos = 40;
    SetScrollInfo(w, SB_VERT, &si, TRUE);
    PumpMessages();
    return w;
  }
  static void Redraw(HWND w) {
    RedrawWindow(w, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages();
  }
};

TEST_F(ThemedScrollBars, ThePartsAreDrawnByTheThemeEngine) {
  HWND w = NewWindow();
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &sbi));
  os::ScopedThemeRecorder recorder;
  Redraw(w);
  std::vector<std::pair<int, int>> parts;
  for (const os::ThemeDrawCall& c : recorder.Calls())
    if (c.kind == os::ThemeCallKind::Background &&
        (c.className == u"SCROLLBAR" || c.className == u"ScrollBar"))
      parts.emplace_back(c.part, c.state);
  EXPECT_EQ(parts, (std::vector<std::pair<int, int>>{{SBP_UPPERTRACKVERT, SCRBS_NORMAL},
                                                     {SBP_LOWERTRACKVERT, SCRBS_NORMAL},
                                                     {SBP_ARROWBTN, ABS_UPNORMAL},
                                                     {SBP_ARROWBTN, ABS_DOWNNORMAL},
                                                     {SBP_UPPERTRACKVERT, SCRBS_NORMAL},
                                                     {SBP_THUMBBTNVERT, SCRBS_NORMAL},
                                                     {SBP_GRIPPERVERT, SCRBS_NORMAL}}));
  // A disabled arrow and a disabled bar.
  EnableScrollBar(w, SB_VERT, ESB_DISABLE_UP);
  os::StartThemeRecording();
  Redraw(w);
  bool upDisabled = false;
  for (const os::ThemeDrawCall& c : os::ThemeRecording())
    if (c.part == SBP_ARROWBTN && c.state == ABS_UPDISABLED) upDisabled = true;
  EXPECT_TRUE(upDisabled);
}

TEST_F(ThemedScrollBars, PixelsComeFromTheThemeOrFromPlainFrameControls) {
  os::SetThemeSyntheticLook(true);
  HWND w = NewWindow();
  Redraw(w);
  SCROLLBARINFO sbi{};
  sbi.cbSize = sizeof sbi;
  ASSERT_TRUE(GetScrollBarInfo(w, OBJID_VSCROLL, &sbi));
  RECT wr;
  GetWindowRect(w, &wr);
  const int x = (sbi.rcScrollBar.Left + sbi.rcScrollBar.Right) / 2 - wr.Left;
  const int arrowY = sbi.rcScrollBar.Top - wr.Top + 2;
  const int thumbY = sbi.rcScrollBar.Top - wr.Top + (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
  auto colour = [](COLORREF c) {
    return 0xFF000000u | GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
  };
  os::WindowPixels px = os::ReadWindowPixels(w);
  EXPECT_EQ(px.At(x, arrowY), colour(os::ThemeSyntheticColor(u"SCROLLBAR", SBP_ARROWBTN, ABS_UPNORMAL)));
  EXPECT_EQ(px.At(x, thumbY), colour(os::ThemeSyntheticColor(u"SCROLLBAR", SBP_GRIPPERVERT, SCRBS_NORMAL)));
  // Visual styles off: no theme drawing at all.
  os::SetVisualStylesEnabled(false);
  os::ScopedThemeRecorder recorder;
  Redraw(w);
  EXPECT_TRUE(recorder.Calls().empty());
  px = os::ReadWindowPixels(w);
  EXPECT_NE(px.At(x, arrowY), colour(os::ThemeSyntheticColor(u"SCROLLBAR", SBP_ARROWBTN, ABS_UPNORMAL)));
}

// The thumb part is narrower than the bar: beside it the track shows, on both sides, in every
// thumb state, vertical and horizontal.
TEST_F(ThemedScrollBars, TheTrackShowsBesideTheThumb) {
  HWND w = CreateRecorded("w", WS_POPUP | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 160, 200);
  SCROLLINFO si{};
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMax = 99;
  si.nPage = 20;
  si.nPos = 40;
  SetScrollInfo(w, SB_VERT, &si, TRUE);
  SetScrollInfo(w, SB_HORZ, &si, TRUE);
  PumpMessages();
  // Whatever the window showed before the frame is drawn again must not show through.
  RECT wr;
  GetWindowRect(w, &wr);
  HDC dc = GetWindowDC(w);
  RECT all{0, 0, wr.Right - wr.Left, wr.Bottom - wr.Top};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(dc, &all, red);
  DeleteObject(red);
  ReleaseDC(w, dc);
  Redraw(w);
  const os::WindowPixels px = os::ReadWindowPixels(w);
  for (LONG object : {OBJID_VSCROLL, OBJID_HSCROLL}) {
    SCOPED_TRACE(object == OBJID_VSCROLL ? "vertical" : "horizontal");
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    ASSERT_TRUE(GetScrollBarInfo(w, object, &sbi));
    const RECT bar = sbi.rcScrollBar;
    const bool vert = object == OBJID_VSCROLL;
    const int mid = (sbi.xyThumbTop + sbi.xyThumbBottom) / 2;
    // Across the bar through the thumb's middle, and through the track above or left of it.
    auto at = [&](int across, int along) {
      return vert ? px.At(bar.Left - wr.Left + across, bar.Top - wr.Top + along)
                  : px.At(bar.Left - wr.Left + along, bar.Top - wr.Top + across);
    };
    const int thickness = vert ? bar.Right - bar.Left : bar.Bottom - bar.Top;
    const int trackAlong = (sbi.dxyLineButton + sbi.xyThumbTop) / 2;
    const uint32_t track = at(0, trackAlong);
    EXPECT_NE(track & 0xFFFFFF, 0u);
    EXPECT_EQ(at(0, mid), track);
    EXPECT_EQ(at(1, mid), track);
    EXPECT_EQ(at(thickness - 1, mid), track);
    EXPECT_EQ(at(thickness - 2, mid), track);
    // The thumb itself differs from the track.
    EXPECT_NE(at(thickness / 2 - 3, mid), track);
  }
}

}  // namespace
}  // namespace qd::testing
