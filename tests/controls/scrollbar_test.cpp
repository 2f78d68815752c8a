// The library-drawn scroll bar: thumb geometry, the parameter rules, auto-repeat on the
// virtual clock, thumb tracking and its slop, right-to-left arrows, and a look at the pixels.
#include <gtest/gtest.h>

#include <vector>

#include "controls/controls_test_util.h"
#include "platform/base/exceptions.h"
#include "platform/forms/forms.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxScrollBar.h"

namespace qd::testing {
namespace {

class ScrollBarTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(300, 260);
    bar = new TcxScrollBar(form);
    bar->SetParent(form);
    // The classic Standard painter (the Native one comes with its own unit).
    bar->LookAndFeel()->SetNativeStyle(false);
    bar->LookAndFeel()->SetKind(lfStandard);
    bar->SetKind(sbVertical);
    bar->SetBounds(10, 10, 17, 200);
    bar->OnChange = TNotifyEvent(this, &ScrollBarTest::Changed);
    bar->OnScroll = TScrollEvent(this, &ScrollBarTest::Scrolled);
  }
  void ShowForm() { ShowAndUpdate(form); }
  void Changed(TObject*) { ++changes; }
  void Scrolled(TObject*, TScrollCode ACode, int32_t&) { codes.push_back(ACode); }

 public:
  void Limit(TObject*, TScrollCode, int32_t& APos) {
    if (APos > 3) APos = 3;
  }

 protected:
  TRect Part(TcxScrollBarPart APart) { return bar->Helper()->ViewInfo()->PartBounds(APart); }
  // A point of the bar's client area on the screen (the form's client starts at 100, 100).
  static TPoint Screen(int X, int Y) { return TPoint{100 + 10 + X, 100 + 10 + Y}; }

  TForm* form = nullptr;
  TcxScrollBar* bar = nullptr;
  int changes = 0;
  std::vector<TScrollCode> codes;
};

TEST_F(ScrollBarTest, ThumbGeometryFollowsRangePageAndPosition) {
  // A 17 x 200 vertical bar: 17-pixel arrows, a 166-pixel track starting at 17.
  struct Case {
    const char* name;
    int min, max, page, pos;
    TRect thumb;
  } cases[] = {
      // No page: the system thumb length (17), centred for the middle position.
      {"no page, middle", 0, 100, 0, 50, TRect{0, 92, 17, 109}},
      {"no page, start", 0, 100, 0, 0, TRect{0, 17, 17, 34}},
      {"no page, end", 0, 100, 0, 100, TRect{0, 166, 17, 183}},
      // A page: the thumb is page/range of the track.
      {"page 50 of 100", 0, 99, 50, 0, TRect{0, 17, 17, 100}},
      {"page 50, last page", 0, 99, 50, 50, TRect{0, 100, 17, 183}},
      // The position can exceed the last page: the thumb stops at the end.
      {"page 50, at max", 0, 99, 50, 99, TRect{0, 100, 17, 183}},
      // A tiny page still gets the painter's minimal thumb (8).
      {"tiny page", 0, 9999, 1, 0, TRect{0, 17, 17, 25}},
      {"offset range", 100, 199, 50, 150, TRect{0, 100, 17, 183}},
      // Nothing to scroll: the system-length thumb stays at the start.
      {"nothing to scroll", 5, 5, 0, 5, TRect{0, 17, 17, 34}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bar->SetScrollParams(c.min, c.max, c.pos, c.page);
    EXPECT_EQ(Part(sbpLineUp), (TRect{0, 0, 17, 17}));
    EXPECT_EQ(Part(sbpLineDown), (TRect{0, 183, 17, 200}));
    EXPECT_EQ(Part(sbpThumbnail), c.thumb);
    if (!c.thumb.IsEmpty()) {
      EXPECT_EQ(Part(sbpPageUp), (TRect{0, 17, 17, c.thumb.Top}));
      EXPECT_EQ(Part(sbpPageDown), (TRect{0, c.thumb.Bottom, 17, 183}));
    } else {
      EXPECT_TRUE(Part(sbpPageUp).IsEmpty());
      EXPECT_TRUE(Part(sbpPageDown).IsEmpty());
    }
  }

  // A bar shorter than two arrows: half-length arrows and no thumb.
  bar->SetScrollParams(0, 100, 50, 0);
  bar->SetBounds(10, 10, 17, 20);
  EXPECT_EQ(Part(sbpLineUp), (TRect{0, 0, 17, 10}));
  EXPECT_EQ(Part(sbpLineDown), (TRect{0, 10, 17, 20}));
  EXPECT_TRUE(Part(sbpThumbnail).IsEmpty());

  // A disabled bar has no thumb.
  bar->SetBounds(10, 10, 17, 200);
  bar->SetEnabled(false);
  EXPECT_TRUE(Part(sbpThumbnail).IsEmpty());
}

TEST_F(ScrollBarTest, ParametersOutOfRangeAreRejectedAndEqualOnesChangeNothing) {
  bar->SetScrollParams(0, 100, 10, 0);
  EXPECT_EQ(changes, 1);
  try {
    bar->SetScrollParams(0, 99, 0, 100);
    ADD_FAILURE() << "a page larger than the range was taken";
  } catch (const EInvalidOperation& e) {
    EXPECT_EQ(e.Message(), u"Scrollbar property out of range");
  }
  EXPECT_THROW(bar->SetScrollParams(10, 9, 10, 0), EInvalidOperation);
  EXPECT_EQ(bar->Max(), 100);
  EXPECT_EQ(bar->Position(), 10);

  bar->SetScrollParams(0, 100, 0, 100);  // a page as large as the range is fine
  EXPECT_EQ(bar->PageSize(), 100);
  EXPECT_EQ(changes, 2);

  // The position is clamped into the range.
  bar->SetScrollParams(0, 100, 500, 0);
  EXPECT_EQ(bar->Position(), 100);
  EXPECT_EQ(changes, 3);

  // Setting the same values again neither notifies nor repaints.
  ShowForm();
  ValidateRect(form->Handle(), nullptr);
  ValidateRect(bar->Handle(), nullptr);
  bar->SetScrollParams(0, 100, 100, 0);
  bar->SetPosition(100);
  EXPECT_EQ(changes, 3);
  EXPECT_FALSE(GetUpdateRect(bar->Handle(), nullptr, FALSE));
  bar->SetPosition(40);
  EXPECT_EQ(changes, 4);
}

TEST_F(ScrollBarTest, HoldingAnArrowRepeatsAfter400ThenEvery60Milliseconds) {
  bar->SetScrollParams(0, 100, 0, 0);
  ShowForm();
  const TPoint down = Screen(8, 192);  // the down arrow
  SetCursorPos(down.X, down.Y);
  os::InjectMouseButton(WM_LBUTTONDOWN, down);
  Pump();
  EXPECT_EQ(bar->Position(), 1);  // at once
  Run(399);
  EXPECT_EQ(bar->Position(), 1);
  Run(1);
  EXPECT_EQ(bar->Position(), 2);  // 400 ms
  Run(59);
  EXPECT_EQ(bar->Position(), 2);
  Run(1);
  EXPECT_EQ(bar->Position(), 3);  // 460 ms
  Run(60);
  EXPECT_EQ(bar->Position(), 4);

  // Off the arrow the repeat pauses; back on it, it resumes.
  const TPoint off = Screen(8, 100);
  os::InjectMouseMove(off);
  Pump();
  Run(300);
  EXPECT_EQ(bar->Position(), 4);
  os::InjectMouseMove(down);
  Pump();
  Run(60);
  EXPECT_EQ(bar->Position(), 5);

  os::InjectMouseButton(WM_LBUTTONUP, down);
  Pump();
  Run(500);
  EXPECT_EQ(bar->Position(), 5);
  EXPECT_EQ(codes.back(), scEndScroll);

  // A page part repeats by the large change.
  bar->SetLargeChange(10);
  const TPoint page = Screen(8, 150);
  os::InjectMouseButton(WM_LBUTTONDOWN, page);
  os::InjectMouseButton(WM_LBUTTONUP, page);
  Pump();
  EXPECT_EQ(bar->Position(), 15);
}

TEST_F(ScrollBarTest, DraggingTheThumbTracksAndFarSidewaysRestoresThePosition) {
  for (bool unlimited : {false, true}) {
    SCOPED_TRACE(unlimited ? "unlimited tracking" : "limited tracking");
    bar->SetUnlimitedTracking(unlimited);
    bar->SetScrollParams(0, 100, 0, 0);
    if (!form->Visible()) ShowForm();
    codes.clear();
    changes = 0;
    const TPoint grab = Screen(8, 25);  // on the thumb (17..34)
    os::InjectMouseButton(WM_LBUTTONDOWN, grab);
    Pump();
    const TPoint drag = Screen(8, 25 + 74);
    os::InjectMouseMove(drag);
    Pump();
    EXPECT_EQ(bar->Position(), 50);  // half of the 149 free pixels
    EXPECT_EQ(Part(sbpThumbnail).Top, 17 + 74);
    EXPECT_GE(changes, 1);
    EXPECT_EQ(codes.back(), scTrack);

    // 140 pixels beside the bar is outside the tracking rectangle (136).
    const TPoint away = Screen(17 + 140, 25 + 74);
    os::InjectMouseMove(away);
    Pump();
    EXPECT_EQ(bar->Position(), unlimited ? 50 : 0);
    // 130 pixels is inside.
    os::InjectMouseMove(Screen(17 + 130, 25 + 74));
    Pump();
    EXPECT_EQ(bar->Position(), 50);

    os::InjectMouseButton(WM_LBUTTONUP, Screen(17 + 130, 25 + 74));
    Pump();
    EXPECT_EQ(bar->Position(), 50);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[codes.size() - 2], scPosition);
    EXPECT_EQ(codes.back(), scEndScroll);
    bar->SetPosition(0);
  }
}

TEST_F(ScrollBarTest, AThumbThatFillsTheTrackKeepsThePositionWhenReleased) {
  // 42 pixels: two 17-pixel arrows and an 8-pixel track, all taken by the minimal thumb.
  bar->SetBounds(10, 10, 17, 42);
  bar->SetScrollParams(10, 100, 50, 5);
  ASSERT_EQ(Part(sbpThumbnail), (TRect{0, 17, 17, 25}));
  ShowForm();
  os::InjectMouseButton(WM_LBUTTONDOWN, Screen(8, 20));
  os::InjectMouseMove(Screen(8, 22));
  os::InjectMouseButton(WM_LBUTTONUP, Screen(8, 22));
  Pump();
  EXPECT_EQ(bar->Position(), 50);
}

TEST_F(ScrollBarTest, RightToLeftHorizontalBarSwapsItsArrowsAndPages) {
  bar->SetKind(sbHorizontal);
  bar->SetBounds(10, 10, 200, 17);
  bar->SetBiDiMode(bdRightToLeft);
  bar->Calculate();
  bar->SetScrollParams(0, 100, 0, 0);
  EXPECT_EQ(Part(sbpLineDown), (TRect{0, 0, 17, 17}));  // the left arrow
  EXPECT_EQ(Part(sbpLineUp), (TRect{183, 0, 200, 17}));
  EXPECT_EQ(Part(sbpThumbnail), (TRect{166, 0, 183, 17}));  // the minimum is at the right
  ShowForm();
  os::InjectMouseButton(WM_LBUTTONDOWN, Screen(8, 8));
  os::InjectMouseButton(WM_LBUTTONUP, Screen(8, 8));
  Pump();
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(codes.front(), scLineDown);

  // Left to right the left arrow scrolls towards the minimum.
  bar->SetBiDiMode(bdLeftToRight);
  bar->Calculate();
  codes.clear();
  os::InjectMouseButton(WM_LBUTTONDOWN, Screen(8, 8));
  os::InjectMouseButton(WM_LBUTTONUP, Screen(8, 8));
  Pump();
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(codes.front(), scLineUp);
}

TEST_F(ScrollBarTest, OwnerMayChangeTheScrolledValueAndCancelModeEndsTheRepeat) {
  bar->OnScroll = TScrollEvent(this, &ScrollBarTest::Limit);
  bar->SetScrollParams(0, 100, 0, 0);
  ShowForm();
  const TPoint down = Screen(8, 192);
  SetCursorPos(down.X, down.Y);
  os::InjectMouseButton(WM_LBUTTONDOWN, down);
  Pump();
  Run(400);
  EXPECT_EQ(bar->Position(), 2);
  SendMessageW(bar->Handle(), WM_CANCELMODE, 0, 0);
  Run(500);
  EXPECT_EQ(bar->Position(), 2);
  // The handler caps the value at 3.
  bar->SetPosition(3);
  SendMessageW(bar->Handle(), CN_VSCROLL, scLineDown, 0);
  EXPECT_EQ(bar->Position(), 3);
  SendMessageW(bar->Handle(), CN_VSCROLL, scTop, 0);
  EXPECT_EQ(bar->Position(), 0);
  os::InjectMouseButton(WM_LBUTTONUP, down);
  Pump();
}

TEST_F(ScrollBarTest, PaintsItsPartsThroughThePainter) {
  bar->SetKind(sbHorizontal);
  bar->SetBounds(10, 10, 200, 17);
  bar->SetScrollParams(0, 99, 25, 50);
  auto* vbar = new TcxScrollBar(form);
  vbar->SetParent(form);
  vbar->LookAndFeel()->SetNativeStyle(false);
  vbar->LookAndFeel()->SetKind(lfUltraFlat);
  vbar->SetKind(sbVertical);
  vbar->SetBounds(230, 10, 17, 200);
  vbar->SetScrollParams(0, 100, 80, 0);
  ShowForm();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
  SaveWindowPng(form->Handle(), "scrollbar_classic");
  const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
  // The form's white shows nowhere inside the bars.
  auto white = [&](int X, int Y) { return (px.At(X, Y) & 0xFFFFFF) == 0xFFFFFF; };
  // The page areas are a dither of white and the button face.
  auto dithered = [&](int X, int Y) { return !white(X, Y) || !white(X + 1, Y) || !white(X, Y + 1); };
  const TRect thumb = Part(sbpThumbnail);
  EXPECT_FALSE(white(10 + thumb.Left + thumb.Width() / 2, 10 + 8));
  EXPECT_TRUE(dithered(10 + 150, 10 + 5));
  EXPECT_TRUE(dithered(230 + 8, 10 + 100));
  EXPECT_FALSE(white(230 + 8, 10 + 8));  // the up arrow's button
  EXPECT_TRUE(white(5, 5));
  // The thumb is solid.
  const int cx = 10 + thumb.Left + thumb.Width() / 2;
  EXPECT_EQ(px.At(cx, 10 + 8), px.At(cx + 1, 10 + 8));
  EXPECT_EQ(px.At(cx, 10 + 8), px.At(cx, 10 + 9));
}

}  // namespace
}  // namespace qd::testing
