// Drag detection through queued input and mouse tracking on the virtual clock.
#include <gtest/gtest.h>

#include <vector>

#include "controls/controls_test_util.h"
#include "platform/forms/forms.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlsWindowUtils.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"

namespace qd::testing {
namespace {

HWND g_captureTaker = nullptr;
void TakeCapture(HWND, UINT, UINT_PTR, DWORD) {
  SetCapture(g_captureTaker);
}

class DragDetectTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    wnd = CreatePlainWindow(WS_POPUP | WS_VISIBLE, 0, 100, 100, 200, 200);
    Mouse->SetDragThreshold(5);
  }
  HWND wnd = nullptr;
};

TEST_F(DragDetectTest, OutcomesOfScriptedInput) {
  const TPoint down{102, 150};  // near the window's left edge
  struct Step {
    enum { Move, Up, Key } kind;
    TPoint p;
  };
  struct Case {
    const char* name;
    std::vector<Step> script;
    TcxDragDetect expected;
  } cases[] = {
      {"released inside the square", {{Step::Move, {104, 152}}, {Step::Up, {104, 152}}}, ddNone},
      {"first move out of the square", {{Step::Move, {107, 150}}, {Step::Up, {107, 150}}}, ddDrag},
      {"escape", {{Step::Move, {103, 150}}, {Step::Key, {}}, {Step::Up, {103, 150}}}, ddCancel},
      // Left of the client area the position is negative, which is still inside the square.
      {"move left of the window", {{Step::Move, {99, 150}}, {Step::Up, {99, 150}}}, ddNone},
      {"move above far away", {{Step::Move, {102, 50}}}, ddDrag},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetCursorPos(down.X, down.Y);
    for (const Step& s : c.script) {
      if (s.kind == Step::Move) os::InjectMouseMove(s.p);
      if (s.kind == Step::Up) os::InjectMouseButton(WM_LBUTTONUP, s.p);
      if (s.kind == Step::Key) {
        os::InjectKey(VK_ESCAPE, true);
      }
    }
    EXPECT_EQ(cxDragDetect(wnd, down), c.expected);
    EXPECT_NE(GetCapture(), wnd);  // the capture is given back
    Pump();
  }
}

TEST_F(DragDetectTest, QuitAndLostCaptureCancel) {
  SetCursorPos(150, 150);
  PostQuitMessage(3);
  EXPECT_EQ(cxDragDetect(wnd, {150, 150}), ddCancel);
  MSG m;
  ASSERT_TRUE(PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE));  // posted again for the outer loop
  EXPECT_EQ(m.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(m.wParam, 3u);

  // Someone else takes the capture while the loop runs.
  HWND other = CreatePlainWindow(WS_POPUP | WS_VISIBLE, 0, 400, 100, 50, 50);
  g_captureTaker = other;
  SetTimer(nullptr, 1, 10, &TakeCapture);
  EXPECT_EQ(cxDragDetect(wnd, {150, 150}), ddCancel);
  EXPECT_EQ(GetCapture(), other);
  KillTimer(nullptr, 1);
}

// A tracked object that records when the mouse left it.
struct Caller : virtual IcxMouseTrackingCaller {
  int leaves = 0;
  void MouseLeave() override { ++leaves; }
};
struct AreaCaller : Caller, IcxMouseTrackingCaller2 {
  TRect area;
  std::vector<TPoint> asked;
  bool PtInCaller(const TPoint& P) override {
    asked.push_back(P);
    return cxRectPtIn(area, P);
  }
};
struct CapturingCaller : Caller, IcxMouseTrackingCaller3 {
  bool goOn = true;
  bool IsCaptureMouse() override { return goOn; }
};

class MouseTrackingTest : public ControlsTest {
 protected:
  void SetUp() override {
    ControlsTest::SetUp();
    form = CreateNewForm<TForm>(Application);
    form->SetPosition(poDesigned);
    form->SetBorderStyle(bsNone);
    form->SetBounds(100, 100, 400, 300);
    control = new TCustomControl(form);
    control->SetParent(form);
    control->SetBounds(50, 50, 100, 80);  // screen (150, 150) - (250, 230)
    form->Show();
    control->HandleNeeded();
  }
  void TearDown() override {
    form->Release();
    Pump();
    ControlsTest::TearDown();
  }
  // Records CM_MOUSELEAVE on the control.
  void Leaves(TMessage& M) {
    if (M.Msg == CM_MOUSELEAVE) mouseLeaveParams.push_back(M.LParam);
    oldProc(M);
  }
  void WatchControl() {
    oldProc = control->WindowProc;
    control->WindowProc = TWndMethod(this, &MouseTrackingTest::Leaves);
  }

  TForm* form = nullptr;
  TCustomControl* control = nullptr;
  TWndMethod oldProc;
  std::vector<LPARAM> mouseLeaveParams;
};

TEST_F(MouseTrackingTest, ScreenBoundsTrackedEveryTenMilliseconds) {
  Caller caller;
  SetCursorPos(20, 20);
  BeginMouseTracking(nullptr, {10, 10, 30, 30}, &caller);
  BeginMouseTracking(nullptr, {0, 0, 5, 5}, &caller);  // already tracked: kept as it is
  EXPECT_TRUE(IsMouseTracking(&caller));
  Run(50);
  EXPECT_EQ(caller.leaves, 0);
  SetCursorPos(35, 20);
  Run(9);
  EXPECT_EQ(caller.leaves, 0);
  Run(2);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_FALSE(IsMouseTracking(&caller));
  Run(50);
  EXPECT_EQ(caller.leaves, 1);
}

TEST_F(MouseTrackingTest, ControlBoundsAreClientCoordinates) {
  WatchControl();
  Caller caller;
  SetCursorPos(160, 160);
  BeginMouseTracking(control, {0, 0, 20, 20}, &caller);  // screen (150, 150) - (170, 170)
  Run(30);
  EXPECT_EQ(caller.leaves, 0);
  // Out of the bounds but still over the control: no CM_MOUSELEAVE for the control.
  SetCursorPos(200, 200);
  Run(20);
  EXPECT_EQ(caller.leaves, 1);
  EXPECT_TRUE(mouseLeaveParams.empty());

  // Leaving the control as well: CM_MOUSELEAVE first, with the control in lParam.
  BeginMouseTracking(control, {0, 0, 100, 80}, &caller);
  Run(20);
  SetCursorPos(300, 200);
  Run(20);
  EXPECT_EQ(caller.leaves, 2);
  EXPECT_EQ(mouseLeaveParams,
            (std::vector<LPARAM>{reinterpret_cast<LPARAM>(static_cast<TControl*>(control))}));
}

TEST_F(MouseTrackingTest, CallersThatDecideThemselves) {
  AreaCaller area;
  area.area = {10, 10, 30, 30};  // client coordinates of the control
  SetCursorPos(165, 165);
  BeginMouseTracking(control, {}, &area);
  Run(20);
  EXPECT_EQ(area.leaves, 0);
  ASSERT_FALSE(area.asked.empty());
  EXPECT_EQ(area.asked.back(), (TPoint{15, 15}));
  SetCursorPos(185, 165);
  Run(20);
  EXPECT_EQ(area.leaves, 1);

  // A window over the control counts as leaving it.
  area.asked.clear();
  SetCursorPos(165, 165);
  BeginMouseTracking(control, {}, &area);
  HWND overlay = CreatePlainWindow(WS_POPUP | WS_VISIBLE, WS_EX_TOPMOST, 155, 155, 30, 30);
  Run(20);
  EXPECT_EQ(area.leaves, 2);
  DestroyWindow(overlay);

  CapturingCaller capturing;
  SetCursorPos(20, 20);
  BeginMouseTracking(nullptr, {0, 0, 5, 5}, &capturing);
  Run(50);
  EXPECT_EQ(capturing.leaves, 0);
  capturing.goOn = false;
  Run(20);
  EXPECT_EQ(capturing.leaves, 1);
}

TEST_F(MouseTrackingTest, DisabledOrDestroyedControlEndsTracking) {
  Caller caller;
  SetCursorPos(160, 160);
  BeginMouseTracking(control, {0, 0, 100, 80}, &caller);
  Run(20);
  EnableWindow(form->Handle(), FALSE);
  Run(20);
  EXPECT_EQ(caller.leaves, 1);
  EnableWindow(form->Handle(), TRUE);

  BeginMouseTracking(control, {0, 0, 100, 80}, &caller);
  Run(20);
  delete control;  // the timer must not touch it any more
  control = nullptr;
  Run(20);
  EXPECT_EQ(caller.leaves, 2);
  EXPECT_FALSE(IsMouseTracking(&caller));
}

TEST_F(MouseTrackingTest, ShutDownWithTrackingLeftFreesItAndSaysSo) {
  Caller caller;
  SetCursorPos(160, 160);
  BeginMouseTracking(nullptr, {150, 150, 170, 170}, &caller);
  try {
    FinalizeUnit();
    ADD_FAILURE() << "no exception";
  } catch (const EdxException& E) {
    EXPECT_EQ(E.Message(), u"MouseTrackingTimerList.Count <> 0");
  }
  EXPECT_FALSE(IsMouseTracking(&caller));
  BeginMouseTracking(nullptr, {150, 150, 170, 170}, &caller);  // nothing after shut-down
  EXPECT_FALSE(IsMouseTracking(&caller));
  Run(20);
  EXPECT_EQ(caller.leaves, 0);
}

}  // namespace
}  // namespace qd::testing
