// Windowless scroll bars that a control paints inside its client area: the manager routes the
// control's mouse messages to them, keeps a drag going across a recreation of the window, and
// lets go of the drag when the button went up meanwhile.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControls.h"

namespace qd::testing {
namespace {

// A control with one windowless vertical bar along its right edge.
class TWindowlessBarControl : public TcxControl, public IcxScrollBarOwner {
 public:
  explicit TWindowlessBarControl(TComponent* AOwner) : TcxControl(AOwner) {
    bar = std::make_unique<TcxControlScrollBarHelper>(this);
    bar->SetKind(sbVertical);
    bar->SetBoundsRect(TRect{183, 0, 200, 200});
    bar->SetScrollParams(0, 100, 0, 10, false);
    bar->Calculate();
    bar->OnScroll = TScrollEvent(this, &TWindowlessBarControl::BarScroll);
    ScrollBarsManager()->RegisterScrollBar(bar.get());
    OnMouseDown = TMouseEvent(this, &TWindowlessBarControl::OwnMouseDown);
  }
  ~TWindowlessBarControl() override {
    if (unregister && ScrollBarsManager()) ScrollBarsManager()->UnRegisterScrollBar(bar.get());
  }
  bool NeedsScrollBars() override { return false; }

  // IcxScrollBarOwner
  TWinControl* GetControl() override { return this; }
  TcxLookAndFeel* GetLookAndFeel() override { return LookAndFeel(); }
  TdxScaleFactor* GetScaleFactor() override { return TcxControl::GetScaleFactor(); }

  std::unique_ptr<TcxControlScrollBarHelper> bar;
  std::vector<TScrollCode> codes;
  int ownMouseDowns = 0;
  // Off: the manager goes with the control while the bar is still registered (and hot).
  bool unregister = true;

 private:
  void BarScroll(TObject*, TScrollCode ACode, int32_t&) { codes.push_back(ACode); }
  void OwnMouseDown(TObject*, TMouseButton, TShiftState, int, int) { ++ownMouseDowns; }
};

class ScrollBarsManagerTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(300, 300);
    control = new TWindowlessBarControl(form);
    control->SetParent(form);
    control->SetBounds(0, 0, 200, 200);
    ShowAndUpdate(form);
  }
  TPoint Screen(int X, int Y) { return control->ClientToScreen(TPoint{X, Y}); }
  void Button(UINT AMessage, int X, int Y) {
    os::InjectMouseButton(AMessage, Screen(X, Y));
    Pump();
  }
  void Move(int X, int Y) {
    os::InjectMouseMove(Screen(X, Y));
    Pump();
  }
  TcxControlScrollBarsManager* Manager() { return control->ScrollBarsManager(); }

  TForm* form = nullptr;
  TWindowlessBarControl* control = nullptr;
};

TEST_F(ScrollBarsManagerTest, MouseMessagesOverABarGoToItAndTheRestToTheControl) {
  Move(190, 195);
  EXPECT_EQ(Manager()->HotScrollBar(), control->bar.get());
  EXPECT_TRUE(Manager()->IsScrollBarsArea(TPoint{190, 195}));
  // A press on the lower arrow scrolls a line and captures the mouse; the control never sees it.
  Button(WM_LBUTTONDOWN, 190, 195);
  EXPECT_EQ(control->bar->Position(), 1);
  EXPECT_EQ(GetCapture(), control->Handle());
  EXPECT_TRUE(Manager()->IsCapture());
  EXPECT_EQ(control->ownMouseDowns, 0);
  Button(WM_LBUTTONUP, 190, 195);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(Manager()->IsCapture());
  EXPECT_EQ(control->codes.back(), scEndScroll);

  // Off the bar the control handles the press itself.
  Move(50, 50);
  EXPECT_EQ(Manager()->HotScrollBar(), nullptr);
  Button(WM_LBUTTONDOWN, 50, 50);
  Button(WM_LBUTTONUP, 50, 50);
  EXPECT_EQ(control->ownMouseDowns, 1);

  // Leaving the control without a move over it: mouse tracking clears the hot bar.
  Move(190, 100);
  ASSERT_EQ(Manager()->HotScrollBar(), control->bar.get());
  os::InjectMouseMove(TPoint{form->Left() + 280, form->Top() + 280});
  Run(30);
  EXPECT_EQ(Manager()->HotScrollBar(), nullptr);
}

TEST_F(ScrollBarsManagerTest, ADragGoesOnAcrossARecreatedWindowWhileTheButtonIsDown) {
  const TRect thumb = control->bar->ViewInfo()->ThumbnailRect();
  const int y = (thumb.Top + thumb.Bottom) / 2;
  Move(190, y);
  Button(WM_LBUTTONDOWN, 190, y);
  ASSERT_TRUE(Manager()->IsCapture());
  const HWND before = control->Handle();
  control->RecreateWnd();
  control->HandleNeeded();
  ASSERT_NE(control->Handle(), before);
  // The new window holds the capture again and the drag goes on.
  EXPECT_EQ(GetCapture(), control->Handle());
  EXPECT_TRUE(Manager()->IsCapture());
  Move(190, y + 40);
  EXPECT_GT(control->bar->Position(), 0);
  Button(WM_LBUTTONUP, 190, y + 40);
  EXPECT_FALSE(Manager()->IsCapture());
  EXPECT_FALSE(Manager()->IsCheckingCapture());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ScrollBarsManagerTest, ADragWhoseButtonWentUpDuringTheRecreationEndsAtTheNextCheck) {
  const TRect thumb = control->bar->ViewInfo()->ThumbnailRect();
  const int y = (thumb.Top + thumb.Bottom) / 2;
  Move(190, y);
  Button(WM_LBUTTONDOWN, 190, y);
  ASSERT_TRUE(Manager()->IsCapture());
  // The button goes up while the window is being recreated; its message is lost with the old
  // window.
  os::InjectMouseButton(WM_LBUTTONUP, Screen(190, y));
  control->RecreateWnd();
  control->HandleNeeded();
  EXPECT_TRUE(Manager()->IsCheckingCapture());
  EXPECT_NE(GetCapture(), control->Handle());
  Run(TcxControlScrollBarsManager::CheckCaptureInterval);
  EXPECT_FALSE(Manager()->IsCheckingCapture());
  EXPECT_FALSE(Manager()->IsCapture());
  EXPECT_EQ(control->bar->ViewInfo()->PressedPart(), sbpNone);
  EXPECT_EQ(control->codes.back(), scEndScroll);
}

TEST_F(ScrollBarsManagerTest, AControlFreedWhileItsBarIsHotLeavesNoTrackingBehind) {
  Move(190, 100);
  ASSERT_EQ(Manager()->HotScrollBar(), control->bar.get());
  control->unregister = false;
  delete control;
  control = nullptr;
  // The 10 ms tracking timer would call the freed manager.
  os::InjectMouseMove(TPoint{form->Left() + 280, form->Top() + 280});
  Run(50);
  EXPECT_FALSE(cxControlsWindowUtilsDetail::EndAllMouseTracking());
}

}  // namespace
}  // namespace qd::testing
