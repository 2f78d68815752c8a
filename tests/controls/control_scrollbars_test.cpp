// A library control's own scroll bars: the data rules of SetScrollBarInfo, the settling pair,
// locks, a plain scrollable area through the scroll helper, gesture accumulation, and pixels.
#include <gtest/gtest.h>

#include <functional>

#include "controls/controls_test_util.h"
#include "controls/scrollbars_test_util.h"
#include "platform/forms/forms.h"
#include "platform/os/user_display.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxMiddleButtonScrolling.h"
#include "ui/controls/cxScrollHelper.h"

namespace qd::testing {
namespace {

// The same without the scrolling interface: gestures go through the scroll-bar positions.
class TPositionControl : public TcxControl {
 public:
  explicit TPositionControl(TComponent* AOwner) : TcxControl(AOwner) {}
  int32_t top = 0;
  void Scroll(TScrollBarKind AKind, TScrollCode ACode, int32_t& APos) override {
    if (AKind == sbVertical && ACode == scTrack) {
      top = APos;
      UpdateScrollBars();
    }
  }

 protected:
  void InitScrollBarsParameters() override {
    SetScrollBarInfo(sbHorizontal, 0, 0, 1, 1, 0, true, true);
    SetScrollBarInfo(sbVertical, 0, 99, 1, 10, top, true, true);
  }
};

// Scripted input for the middle-button loop, delivered by thread timers while it waits.
TPoint g_middleScriptMove;
UINT g_middleScriptEnd = WM_LBUTTONDOWN;
void MiddleScriptMove(HWND, UINT, UINT_PTR AId, DWORD) {
  KillTimer(nullptr, AId);
  os::InjectMouseMove(g_middleScriptMove);
}
void MiddleScriptEnd(HWND, UINT, UINT_PTR AId, DWORD) {
  KillTimer(nullptr, AId);
  os::InjectMouseButton(g_middleScriptEnd, g_middleScriptMove);
}

class ControlScrollBarsTest : public BaseControlTest {
 protected:
  void SetUp() override {
    BaseControlTest::SetUp();
    form = NewPlainForm(450, 450);
    control = new TAreaControl(form);
    control->LookAndFeel()->SetNativeStyle(false);
    control->LookAndFeel()->SetKind(lfStandard);
    control->SetParent(form);
    control->SetBounds(10, 10, 400, 400);
  }
  void ShowForm() { ShowAndUpdate(form); }
  TcxScrollBarData& Data(TScrollBarKind AKind) { return *control->GetScrollBar(AKind)->Data(); }

  TForm* form = nullptr;
  TAreaControl* control = nullptr;
};

TEST_F(ControlScrollBarsTest, SetScrollBarInfoDecidesValidityVisibilityAndEnabling) {
  struct Case {
    const char* name;
    TScrollStyle style;
    int min, max, page, pos;
    bool allowShow, allowHide;
    bool valid, visible, enabled;
  } cases[] = {
      {"something to scroll", ssBoth, 0, 99, 50, 0, true, true, true, true, true},
      {"page as large as the range", ssBoth, 0, 99, 100, 0, true, true, false, false, false},
      {"the same, not allowed to hide", ssBoth, 0, 99, 100, 0, true, false, false, true, false},
      {"position below the minimum", ssBoth, 10, 99, 5, 5, true, true, false, false, false},
      {"maximum below the minimum", ssBoth, 10, 9, 0, 10, true, false, false, true, false},
      {"not allowed to show", ssBoth, 0, 99, 50, 0, false, true, true, false, false},
      {"the kind is not in ScrollBars", ssHorizontal, 0, 99, 50, 0, true, true, true, false, false},
      {"the kind is in ScrollBars", ssVertical, 0, 99, 50, 0, true, true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->SetScrollBars(c.style);
    TcxScrollBarData& data = Data(sbVertical);
    data = TcxScrollBarData{};
    control->SetScrollBarInfo(sbVertical, c.min, c.max, 1, c.page, c.pos, c.allowShow, c.allowHide);
    EXPECT_EQ(data.FIsValid, c.valid);
    EXPECT_EQ(data.FVisible, c.visible);
    if (c.visible) EXPECT_EQ(data.FEnabled, c.enabled);
  }
  // A page beyond the 16-bit change does not wrap to a negative step.
  control->SetScrollBarInfo(sbVertical, 0, 100000, 1, 40000, 0, true, true);
  EXPECT_EQ(Data(sbVertical).FLargeChange, 32767);
}

TEST_F(ControlScrollBarsTest, AreaLargerThanTheClientGetsTheBarsItNeeds) {
  ShowForm();
  struct Case {
    const char* name;
    TSize content;
    bool h, v;
  } cases[] = {
      {"fits", TSize{390, 390}, false, false},
      {"wide", TSize{1000, 300}, true, false},
      {"tall", TSize{300, 1000}, false, true},
      // Tall enough for a vertical bar, which then makes the width too small.
      {"one bar brings the other", TSize{390, 410}, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->content = c.content;
    control->UpdateScrollBars();
    EXPECT_EQ(control->HScrollBarVisible(), c.h);
    EXPECT_EQ(control->VScrollBarVisible(), c.v);
    EXPECT_EQ(control->GetClientBounds(), (TRect{0, 0, c.v ? 383 : 400, c.h ? 383 : 400}));
    if (c.h) EXPECT_EQ(control->HScrollBar()->BoundsRect(), (TRect{0, 383, c.v ? 383 : 400, 400}));
    if (c.v) EXPECT_EQ(control->VScrollBar()->BoundsRect(), (TRect{383, 0, 400, c.h ? 383 : 400}));
    EXPECT_EQ(control->MainScrollBars()->SizeGrip()->Visible(), c.h && c.v);
  }

  // 1000 x 300 in 400 x 400: a horizontal bar 0..999 with a 400 page, no vertical bar.
  control->content = TSize{1000, 300};
  control->UpdateScrollBars();
  TcxControlScrollBar* h = control->HScrollBar();
  EXPECT_EQ(h->Min(), 0);
  EXPECT_EQ(h->Max(), 999);
  EXPECT_EQ(h->PageSize(), 400);
  control->pos.X = 500;
  int32_t pos = 0;
  control->Scroll(sbHorizontal, scPageDown, pos);
  EXPECT_EQ(pos, 600);  // 1000 - 400
  EXPECT_EQ(h->Position(), 600);
  // Only tracking follows the thumb.
  pos = 100;
  control->Scroll(sbHorizontal, scPosition, pos);
  EXPECT_EQ(control->pos.X, 600);
  pos = 100;
  control->Scroll(sbHorizontal, scTrack, pos);
  EXPECT_EQ(control->pos.X, 100);

  // Clicking the bar's right arrow scrolls the content by a line.
  const TPoint arrow{100 + 10 + 392, 100 + 10 + 391};
  os::InjectMouseButton(WM_LBUTTONDOWN, arrow);
  os::InjectMouseButton(WM_LBUTTONUP, arrow);
  Pump();
  EXPECT_EQ(control->pos.X, 110);
  EXPECT_EQ(h->Position(), 110);
}

TEST_F(ControlScrollBarsTest, LockedScrollBarsUpdateOnceAtTheOutermostUnlock) {
  ShowForm();
  control->content = TSize{1000, 300};
  control->initCalls = 0;
  control->LockScrollBars();
  control->LockScrollBars();
  control->UpdateScrollBars();
  control->UpdateScrollBars();
  control->UnlockScrollBars();
  EXPECT_EQ(control->initCalls, 0);
  EXPECT_FALSE(control->HScrollBarVisible());
  control->UnlockScrollBars();
  EXPECT_GT(control->initCalls, 0);
  EXPECT_TRUE(control->HScrollBarVisible());
  // An unmatched unlock does nothing.
  control->initCalls = 0;
  control->UnlockScrollBars();
  EXPECT_EQ(control->initCalls, 0);
}

TEST_F(ControlScrollBarsTest, ContentWhoseNeedsOscillateDoesNotHangTheControl) {
  ShowForm();
  // Each bar is wanted exactly when the other one is not.
  control->init = [this] {
    const bool h = control->IsScrollBarActive(sbHorizontal);
    control->SetScrollBarInfo(sbHorizontal, 0, 99, 1, h ? 100 : 10, 0, true, true);
    control->SetScrollBarInfo(sbVertical, 0, 99, 1, h ? 10 : 100, 0, true, true);
  };
  control->UpdateScrollBars();
  control->SetBounds(10, 10, 300, 300);
  EXPECT_LE(control->initCalls, 40);
}

TEST_F(ControlScrollBarsTest, GestureDeltasAccumulateIntoWholePositionSteps) {
  auto* positions = new TPositionControl(form);
  positions->SetParent(form);
  positions->SetBounds(10, 10, 100, 200);
  ShowForm();
  positions->UpdateScrollBars();
  ASSERT_TRUE(positions->VScrollBarVisible());
  // A 200-pixel client with a 10 page: 20 pixels a position. Moving the finger up scrolls down.
  positions->BeginGestureScroll(TPoint{});
  positions->GestureScroll(0, -15);
  EXPECT_EQ(positions->top, 0);
  EXPECT_EQ(positions->GestureAccumulatedDelta().Y, -15);
  positions->GestureScroll(0, -15);
  EXPECT_EQ(positions->top, 1);
  EXPECT_EQ(positions->GestureAccumulatedDelta().Y, -10);
  positions->GestureScroll(0, -50);
  EXPECT_EQ(positions->top, 4);
  EXPECT_EQ(positions->GestureAccumulatedDelta().Y, 0);
  // The horizontal bar is not active: its deltas are dropped.
  positions->GestureScroll(-500, 0);
  EXPECT_EQ(positions->GestureAccumulatedDelta().X, 0);

  // A page larger than the client: one pixel a position (no division by zero).
  positions->SetBounds(10, 10, 100, 5);
  positions->BeginGestureScroll(TPoint{});
  positions->top = 10;
  positions->UpdateScrollBars();
  ASSERT_TRUE(positions->VScrollBarVisible());
  positions->GestureScroll(0, 3);
  EXPECT_EQ(positions->top, 7);

  // Plain areas move by pixels.
  control->content = TSize{1000, 1000};
  control->UpdateScrollBars();
  control->GestureScroll(-30, -7);
  EXPECT_EQ(control->pos, (TPoint{30, 7}));
}

TEST_F(ControlScrollBarsTest, GesturesPanAlongTheActiveBarsAndOverpanAtTheEnds) {
  dxTouch::Initialize();
  // A pan and press-and-tap control, stored only when changed.
  EXPECT_EQ(control->Touch()->InteractiveGestures(), (TInteractiveGestures{igPan, igPressAndTap}));
  EXPECT_FALSE(control->IsTouchPropertyStored());
  EXPECT_TRUE(control->AllowGesture(igiPan));
  EXPECT_FALSE(control->AllowGesture(igiZoom));

  control->content = TSize{1000, 300};  // a horizontal bar only
  ShowForm();
  ASSERT_TRUE(control->HScrollBarVisible());
  ASSERT_FALSE(control->VScrollBarVisible());
  // The system announces a touch at a client point, then asks which gestures the window takes.
  auto touchAt = [&](const TPoint& P) {
    const TPoint s = control->ClientToScreen(P);
    GESTURENOTIFYSTRUCT notify;
    notify.hwndTarget = control->Handle();
    notify.ptsLocation = POINTS{static_cast<SHORT>(s.X), static_cast<SHORT>(s.Y)};
    SendMessageW(control->Handle(), WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
    TInteractiveGestures gestures;
    TInteractiveGestureOptions options;
    control->DoGetGestureOptions(gestures, options);
    return std::pair{gestures, options};
  };
  struct Case {
    const char* name;
    TPoint at;
    bool pan, horizontal, vertical;
  } cases[] = {
      {"over the content", TPoint{100, 100}, true, true, false},
      {"over the horizontal bar", TPoint{100, 395}, false, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto [gestures, options] = touchAt(c.at);
    EXPECT_EQ(gestures.Contains(igPan), c.pan);
    EXPECT_EQ(options.Contains(igoPanSingleFingerHorizontal), c.horizontal);
    EXPECT_EQ(options.Contains(igoPanSingleFingerVertical), c.vertical);
  }

  // Panning past the start or the end grows the overpan feedback; inside the range it does not.
  touchAt(TPoint{100, 100});
  control->GestureScroll(40, 0);
  EXPECT_EQ(control->pos.X, 0);
  EXPECT_EQ(control->GestureHelper()->OverPan().X, 40);
  control->GestureScroll(-100, 0);
  EXPECT_EQ(control->pos.X, 100);
  EXPECT_EQ(control->GestureHelper()->OverPan().X, 40);
  control->GestureScroll(-1000, 0);
  EXPECT_EQ(control->pos.X, 600);
  EXPECT_EQ(control->GestureHelper()->OverPan().X, 40 - 1000);

  // A control that scrolls through its bars' positions overpans the same way.
  auto* positions = new TPositionControl(form);
  positions->SetParent(form);
  positions->SetBounds(10, 10, 100, 400);
  Pump();
  const TPoint s = positions->ClientToScreen(TPoint{50, 50});
  GESTURENOTIFYSTRUCT notify;
  notify.ptsLocation = POINTS{static_cast<SHORT>(s.X), static_cast<SHORT>(s.Y)};
  SendMessageW(positions->Handle(), WM_GESTURENOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
  TInteractiveGestures gestures;
  TInteractiveGestureOptions options;
  positions->DoGetGestureOptions(gestures, options);
  EXPECT_TRUE(options.Contains(igoPanSingleFingerVertical));
  positions->GestureScroll(0, 60);
  EXPECT_EQ(positions->top, 0);
  EXPECT_EQ(positions->GestureHelper()->OverPan().Y, 60);
  dxTouch::Finalize();
}

TEST(MiddleButtonScroll, DirectionAndSpeedFollowThePointer) {
  const TPoint anchor{500, 500};
  const TSize screen{1920, 1080};
  struct Case {
    const char* name;
    TPoint p;
    bool h, v;
    TcxDirection direction;
    int speed;
  } cases[] = {
      {"inside the neutral zone", TPoint{510, 490}, true, true, dirNone, 0},
      {"40 below: (40 - 16) div 5 + 1", TPoint{500, 540}, true, true, dirDown, 5},
      {"a tie goes vertical", TPoint{540, 540}, true, true, dirDown, 5},
      {"mostly sideways", TPoint{441, 530}, true, true, dirLeft, 9},
      {"far away is capped", TPoint{500, 100}, true, true, dirUp, 12},
      {"only horizontal: vertical moves stay neutral", TPoint{500, 900}, true, false, dirNone, 0},
      {"only vertical: sideways moves stay neutral", TPoint{900, 500}, false, true, dirNone, 0},
      {"only vertical: a diagonal scrolls vertically", TPoint{900, 520}, false, true, dirDown, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TcxMiddleButtonScrollState state = cxCalculateMiddleButtonScroll(anchor, c.p, 32, c.h, c.v, screen);
    EXPECT_EQ(state.Direction, c.direction);
    EXPECT_EQ(state.Speed, c.speed);
    EXPECT_EQ(state.Moved, c.direction != dirNone);
  }
}

TEST_F(ControlScrollBarsTest, MiddleButtonScrollModeScrollsOnItsTimerUntilItEnds) {
  control->content = TSize{1000, 1000};
  ShowForm();
  control->UpdateScrollBars();
  const TPoint start{300, 300};
  struct Case {
    const char* name;
    bool click;        // released before moving: the mode goes on until another button
    UINT end;          // what ends it
    uint32_t endTime;  // ms after the press
    int top;
  } cases[] = {
      // Speed 5: a line every 8 ticks of 20 ms (160, 320, 480 ms).
      {"click, move, click again", true, WM_LBUTTONDOWN, 510, 30},
      {"press, drag, release", false, WM_MBUTTONUP, 200, 10},
      {"escape", false, WM_KEYDOWN, 350, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    control->pos = TPoint{};
    control->UpdateScrollBars();
    Clock().Advance(GetDoubleClickTime() + 1);  // no double click of the previous case
    SetCursorPos(start.X, start.Y);
    g_middleScriptMove = TPoint{start.X, start.Y + 40};
    g_middleScriptEnd = c.end;
    os::InjectMouseButton(WM_MBUTTONDOWN, start);
    if (c.click) os::InjectMouseButton(WM_MBUTTONUP, start);
    SetTimer(nullptr, 0, 50, &MiddleScriptMove);
    if (c.end == WM_KEYDOWN)
      SetTimer(nullptr, 0, c.endTime, [](HWND, UINT, UINT_PTR AId, DWORD) {
        KillTimer(nullptr, AId);
        os::InjectKey(VK_ESCAPE, true);
      });
    else
      SetTimer(nullptr, 0, c.endTime, &MiddleScriptEnd);
    Pump();
    EXPECT_FALSE(control->IsScrollingContent());
    EXPECT_NE(GetCapture(), control->Handle());
    EXPECT_EQ(control->pos.Y, c.top);
    EXPECT_EQ(control->pos.X, 0);
    if (c.end == WM_KEYDOWN) os::InjectKey(VK_ESCAPE, false);
    if (c.end == WM_LBUTTONDOWN) os::InjectMouseButton(WM_LBUTTONUP, g_middleScriptMove);
    if (!c.click && c.end != WM_MBUTTONUP) os::InjectMouseButton(WM_MBUTTONUP, g_middleScriptMove);
    Pump();
  }
}

TEST_F(ControlScrollBarsTest, DrawsBothBarsAndTheSizeGrip) {
  control->SetColor(clWhite);
  control->content = TSize{800, 1200};
  ShowForm();
  control->pos = TPoint{0, 0};
  int32_t pos = 300;
  control->Scroll(sbVertical, scTrack, pos);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
  SaveWindowPng(form->Handle(), "control_scrollbars");
  const os::WindowPixels px = os::ReadWindowPixels(form->Handle(), true);
  const uint32_t face = ColorToRGB(clBtnFace) & 0xFFFFFF;
  auto rgb = [&](int X, int Y) {
    const uint32_t p = px.At(X, Y);
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
  };
  // The size grip in the corner has the button face.
  EXPECT_EQ(rgb(10 + 391, 10 + 391), face);
  // The vertical thumb moved down: 300 of the 1200 - 383 range.
  const TRect thumb = control->VScrollBar()->Helper()->ViewInfo()->ThumbnailRect();
  EXPECT_GT(thumb.Top, 17);
  EXPECT_EQ(rgb(10 + 383 + 8, 10 + thumb.Top + thumb.Height() / 2), face);
}

}  // namespace
}  // namespace qd::testing
