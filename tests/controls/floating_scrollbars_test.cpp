// A control's floating scroll bars: the mode it takes from its look-and-feel, the touch bars
// showing on activity and hiding a second later on the virtual clock, the hybrid bars expanding
// under the mouse, their layered pixels, and a control freed while its bars are up.
#include <gtest/gtest.h>

#include "controls/controls_test_util.h"
#include "controls/scrollbars_test_util.h"
#include "platform/forms/forms.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlPopupScrollBars.h"
#include "ui/controls/cxHybridScrollBars.h"
#include "ui/controls/cxTouchScrollUI.h"
#include "ui/core/cxGeometry.h"
#include "ui/lookandfeel/dxAnimation.h"

namespace qd::testing {
namespace {

class FloatingScrollBarsTest : public GdiPlusControlTest {
 protected:
  void SetUp() override {
    GdiPlusControlTest::SetUp();
    form = NewPlainForm(450, 450);
    control = new TAreaControl(form);
    control->allowTouch = true;
    control->content = TSize{1000, 1200};
    control->SetParent(form);
    control->SetBounds(10, 10, 400, 400);
  }
  void TearDown() override {
    forms::Finalize();
    forms::Initialize();
    TdxTouchScrollUIModeManager::Finalize();
    dxAnimation::Finalize();
    GdiPlusControlTest::TearDown();
  }
  TcxControlPopupScrollBar* Bar(TScrollBarKind AKind) {
    return dynamic_cast<TcxControlPopupScrollBar*>(control->GetScrollBar(AKind));
  }
  bool Shown(TScrollBarKind AKind) {
    TcxControlPopupScrollBar* bar = Bar(AKind);
    return bar && bar->HandleAllocated() && IsWindowVisible(bar->Handle());
  }
  // Moves the cursor (screen coordinates) and lets the moves and the enter and leave notices
  // arrive.
  static void MoveToScreen(const TPoint& P) {
    os::InjectMouseMove(P);
    Application->ProcessMessages();
  }
  // The same over the control (client coordinates).
  void MoveTo(int X, int Y) { MoveToScreen(control->ClientToScreen(TPoint{X, Y})); }

  TForm* form = nullptr;
  TAreaControl* control = nullptr;
};

TEST_F(FloatingScrollBarsTest, TheModeFollowsTheLookAndFeelAndSwitchesTheBars) {
  ShowAndUpdate(form);
  // All defaults: touch bars that take no room from the content.
  EXPECT_EQ(control->GetScrollbarMode(), sbmTouch);
  ASSERT_NE(Bar(sbVertical), nullptr);
  EXPECT_EQ(control->GetClientBounds(), control->GetBounds());
  EXPECT_TRUE(control->IsScrollBarActive(sbVertical));

  struct Case {
    const char* name;
    TdxScrollbarMode set;
    TdxScrollbarMode mode;
    bool floating;
  } cases[] = {
      {"classic", sbmClassic, sbmClassic, false},
      {"hybrid", sbmHybrid, sbmHybrid, true},
      {"touch", sbmTouch, sbmTouch, true},
      {"default again", sbmDefault, sbmTouch, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->LookAndFeel()->SetScrollbarMode(c.set);
    EXPECT_EQ(control->GetScrollbarMode(), c.mode);
    EXPECT_EQ(Bar(sbHorizontal) != nullptr, c.floating);
    EXPECT_EQ(control->GetScrollBar(sbVertical)->Parent() == control, !c.floating);
  }
  // Classic on the root makes the default mean classic.
  RootLookAndFeel()->SetScrollbarMode(sbmClassic);
  EXPECT_EQ(control->GetScrollbarMode(), sbmClassic);
  RootLookAndFeel()->SetScrollbarMode(sbmDefault);
}

TEST_F(FloatingScrollBarsTest, TouchBarsShowOnTenPixelsOfMovementAndHideASecondLater) {
  ShowAndUpdate(form);
  EXPECT_FALSE(Shown(sbVertical));
  MoveTo(100, 100);
  MoveTo(109, 100);  // the first move only records, 9 pixels are no activity
  EXPECT_FALSE(Shown(sbVertical));
  MoveTo(110, 100);
  ASSERT_TRUE(Shown(sbVertical));
  EXPECT_TRUE(Shown(sbHorizontal));
  TcxControlPopupScrollBar* bar = Bar(sbVertical);
  // A layered popup owned by the form, over the right edge of the control, 16 pixels wide.
  EXPECT_NE(GetWindowLongW(bar->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(GetParent(bar->Handle()), form->Handle());
  TRect r{};
  GetWindowRect(bar->Handle(), &r);
  const TPoint origin = control->ClientToScreen(TPoint{0, 0});
  EXPECT_EQ(r, (TRect{origin.X + 384, origin.Y, origin.X + 400, origin.Y + 384}));
  // The floating bars and the half-transparent grip lie directly above the form.
  TcxSizeGrip* grip = control->MainScrollBars()->SizeGrip();
  ASSERT_TRUE(grip->HandleAllocated());
  EXPECT_TRUE(IsWindowVisible(grip->Handle()));
  BYTE gripAlpha = 0;
  GetLayeredWindowAttributes(grip->Handle(), nullptr, &gripAlpha, nullptr);
  EXPECT_EQ(gripAlpha, 50);
  const HWND above = GetWindow(form->Handle(), GW_HWNDPREV);
  EXPECT_TRUE(above == bar->Handle() || above == Bar(sbHorizontal)->Handle() || above == grip->Handle());

  // Moving the form takes the bars along.
  SetWindowPos(form->Handle(), nullptr, 150, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  GetWindowRect(bar->Handle(), &r);
  EXPECT_EQ(r.TopLeft(), control->ClientToScreen(TPoint{384, 0}));

  Run(600);
  MoveTo(130, 100);  // more activity restarts the second
  Run(999);
  EXPECT_TRUE(Shown(sbVertical));
  Run(2);
  EXPECT_FALSE(Shown(sbVertical));
  EXPECT_FALSE(Shown(sbHorizontal));
}

TEST_F(FloatingScrollBarsTest, APressedTouchBarStaysUntilTheCaptureEnds) {
  ShowAndUpdate(form);
  MoveTo(100, 100);
  MoveTo(120, 100);
  ASSERT_TRUE(Shown(sbVertical));
  TcxControlPopupScrollBar* bar = Bar(sbVertical);
  const TRect thumb = bar->Helper()->ViewInfo()->ThumbnailRect();
  TRect r{};
  GetWindowRect(bar->Handle(), &r);
  const TPoint onThumb{r.Left + 8, r.Top + thumb.Top + thumb.Height() / 2};
  os::InjectMouseMove(onThumb);
  os::InjectMouseButton(WM_LBUTTONDOWN, onThumb);
  Pump();
  Run(3000);
  EXPECT_TRUE(Shown(sbVertical));
  // Dragging the thumb scrolls the content.
  os::InjectMouseMove(TPoint{onThumb.X, onThumb.Y + 50});
  Pump();
  EXPECT_GT(control->pos.Y, 0);
  os::InjectMouseButton(WM_LBUTTONUP, TPoint{onThumb.X, onThumb.Y + 50});
  Pump();
  EXPECT_EQ(GetCapture(), nullptr);
  Run(999);
  EXPECT_TRUE(Shown(sbVertical));
  Run(2);
  EXPECT_FALSE(Shown(sbVertical));
}

TEST_F(FloatingScrollBarsTest, AFadedTouchBarIsAGreyThumbOverANearlyInvisibleBackground) {
  control->pos = TPoint{0, 0};
  ShowAndUpdate(form);
  MoveTo(100, 100);
  MoveTo(120, 100);
  TcxControlPopupScrollBar* bar = Bar(sbVertical);
  ASSERT_TRUE(Shown(sbVertical));
  const os::WindowPixels px = os::ReadWindowPixels(bar->Handle(), true);
  ASSERT_EQ(px.width, 16);
  ASSERT_EQ(px.height, 384);
  SaveWindowPng(bar->Handle(), "touch_scrollbar", true);
  const TRect thumb = bar->Helper()->ViewInfo()->ThumbnailRect();
  ASSERT_FALSE(thumb.IsEmpty());
  // Premultiplied ARGB: silver at alpha 1 rounds to 1/1/1/1 outside the thumb.
  const uint32_t idle = px.At(1, thumb.Bottom + 20);
  EXPECT_EQ(idle >> 24, 1u);
  // Inside the narrowed thumb: grey $80 at alpha 150, premultiplied to about $4B.
  const uint32_t inside = px.At(8, (thumb.Top + thumb.Bottom) / 2);
  EXPECT_NEAR(static_cast<int>(inside >> 24), 150, 2);
  EXPECT_NEAR(static_cast<int>(inside & 0xFF), 0x80 * 150 / 255, 2);
  // The thumb is a third narrower on each side: the outer columns stay background.
  const uint32_t beside = px.At(2, (thumb.Top + thumb.Bottom) / 2);
  EXPECT_EQ(beside >> 24, 1u);
}

TEST_F(FloatingScrollBarsTest, HybridBarsLieAsALineAndExpandUnderTheMouse) {
  control->LookAndFeel()->SetScrollbarMode(sbmHybrid);
  ShowAndUpdate(form);
  ASSERT_EQ(control->GetScrollbarMode(), sbmHybrid);
  TdxHybridScrollbarsManager* manager = control->GetHybridScrollbarsManager();
  MoveTo(100, 100);
  MoveTo(120, 100);
  ASSERT_TRUE(Shown(sbVertical));
  TcxControlPopupScrollBar* bar = Bar(sbVertical);
  EXPECT_EQ(bar->Width(), 16);
  // The collapsed line at the outer edge is the scroll-bars area.
  EXPECT_TRUE(control->IsScrollBarsArea(TPoint{397, 100}));
  EXPECT_FALSE(control->IsScrollBarsArea(TPoint{390, 100}));
  Run(1000);  // faded in
  EXPECT_EQ(bar->Alpha(), 255);
  EXPECT_EQ(bar->VisibleSize(), 6);

  TRect r{};
  GetWindowRect(bar->Handle(), &r);
  MoveToScreen(TPoint{r.Left + 12, r.Top + 200});
  EXPECT_TRUE(manager->IsActive(bar));
  Run(50);
  EXPECT_GT(bar->VisibleSize(), 6);
  EXPECT_LT(bar->VisibleSize(), 16);
  Run(60);
  EXPECT_EQ(bar->VisibleSize(), 16);
  SaveWindowPng(bar->Handle(), "hybrid_scrollbar_expanded", true);
  // Expanded: the whole bar carries the base colour (black on the default white content).
  const os::WindowPixels px = os::ReadWindowPixels(bar->Handle(), true);
  EXPECT_EQ(px.At(1, 200) >> 24, 22u);

  // Leaving: collapsed half a second later, faded out a second after that.
  MoveTo(100, 100);
  Run(600);
  EXPECT_EQ(bar->VisibleSize(), 6);
  Run(1000 + 1100);
  EXPECT_FALSE(Shown(sbVertical));
}

TEST_F(FloatingScrollBarsTest, HidingOrFreeingTheControlTakesItsBarsAlong) {
  ShowAndUpdate(form);
  MoveTo(100, 100);
  MoveTo(120, 100);
  ASSERT_TRUE(Shown(sbVertical));
  control->SetVisible(false);
  EXPECT_FALSE(Shown(sbVertical));
  control->SetVisible(true);
  Pump();
  MoveTo(140, 100);
  ASSERT_TRUE(Shown(sbVertical));
  // Freed while its bars are up: the hiding timer must not reach it.
  delete control;
  control = nullptr;
  Run(1500);
  EXPECT_FALSE(TdxTouchScrollUIModeManager::IsActive(nullptr));
}

TEST_F(FloatingScrollBarsTest, PixelBarsGoWhenTheContentFitsWithoutBoth) {
  control->allowTouch = false;
  ShowAndUpdate(form);
  const int32_t thickness = control->VScrollBar()->Width();
  ASSERT_EQ(thickness, control->HScrollBar()->Height());
  int32_t page = 0;
  // 400 pixels of content in both directions, with a page that leaves room for the other bar.
  control->init = [&] {
    control->SetScrollBarInfo(sbHorizontal, 0, 399, 1, page, 0, true, true);
    control->SetScrollBarInfo(sbVertical, 0, 399, 1, page, 0, true, true);
  };
  struct Case {
    const char* name;
    bool pixel;
    int32_t page;
    bool shown;
  } cases[] = {
      {"the page and the other bar cover the content", true, 400 - thickness, false},
      {"one pixel short", true, 400 - thickness - 1, true},
      {"not pixel bars", false, 400 - thickness, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->pixelBars = c.pixel;
    page = c.page;
    control->UpdateScrollBars();
    EXPECT_EQ(control->HScrollBarVisible(), c.shown);
    EXPECT_EQ(control->VScrollBarVisible(), c.shown);
  }
}

}  // namespace
}  // namespace qd::testing
