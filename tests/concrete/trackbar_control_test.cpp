// The track bar as a user moves it: keys, clicks beside the thumb, jumps, drags, the change
// buttons' repeat on the virtual clock, the Shift selection and the position hint.
#include <gtest/gtest.h>

#include <vector>

#include "concrete/trackbar_test_util.h"

namespace qd::testing {
namespace {

class TrackBarInput : public TrackBarTest {
 protected:
  void SetUp() override {
    TrackBarTest::SetUp();
    Use200PixelTrack();
    Show();
    bar->SetFocus();
    Application->ProcessMessages();
  }
  TPoint ButtonCentre(bool ARight) {
    TcxCustomTrackBarViewInfo* vi = VI();
    const TRect r = vi->RealRect(ARight ? vi->RightButtonRect : vi->LeftButtonRect);
    return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TPoint OnTrack(int32_t AX) { return TPoint{AX, ThumbCentre().Y}; }
};

TEST_F(TrackBarInput, KeysAndChangeButtonsStepByTheirSizes) {
  Props()->SetLineSize(3);
  Props()->SetPageSize(4);
  Props()->SetMax(20);
  Props()->SetShowChangeButtons(true);
  struct Case {
    const char* what;
    bool reverse;
    int32_t from;
    int32_t to;
  };
  auto key = [&](WORD AKey) { return [this, AKey] { Key(AKey); }; };
  auto button = [&](bool ARight) {
    return [this, ARight] {
      Press(ButtonCentre(ARight));
      Release(ButtonCentre(ARight));
    };
  };
  struct Row {
    const char* what;
    std::function<void()> act;
    bool reverse;
    int32_t from, to;
  };
  const std::vector<Row> rows = {
      {"Right", key(VK_RIGHT), false, 4, 7},
      {"Down", key(VK_DOWN), false, 4, 7},
      {"Left", key(VK_LEFT), false, 4, 1},
      {"Up", key(VK_UP), false, 4, 1},
      {"Page Down", key(VK_NEXT), false, 4, 8},
      {"Page Up", key(VK_PRIOR), false, 4, 0},
      {"Page Up fixed", key(VK_PRIOR), false, 2, 0},
      {"End", key(VK_END), false, 4, 20},
      {"Home", key(VK_HOME), false, 4, 0},
      {"Right reversed", key(VK_RIGHT), true, 4, 1},
      {"End reversed", key(VK_END), true, 4, 0},
      {"Home reversed", key(VK_HOME), true, 4, 20},
      // Change buttons snap onto the LineSize grid from Min.
      {"right button", button(true), false, 4, 6},
      {"left button", button(false), false, 4, 3},
      {"right button on the grid", button(true), false, 6, 9},
      {"right button at Max", button(true), false, 20, 20},
      {"left button reversed", button(false), true, 4, 6},
  };
  for (const Row& row : rows) {
    Props()->SetReverseDirection(row.reverse);
    bar->SetPosition(row.from);
    VI();
    row.act();
    EXPECT_EQ(bar->Position(), row.to) << row.what;
  }
}

TEST_F(TrackBarInput, AClickBesideTheThumbStepsByAPageAndIsFixed) {
  Props()->SetPageSize(2);
  struct Case {
    int32_t from;
    int32_t clickAt;
    int32_t to;
  };
  const Case cases[] = {{9, 0, 7}, {9, 10, 10}, {3, 10, 5}, {3, 0, 1}, {1, 0, 0}};
  for (const Case& c : cases) {
    bar->SetPosition(c.from);
    const TPoint p = OnTrack(VI()->GetCoordinate(c.clickAt));
    Press(p);
    Release(p);
    EXPECT_EQ(bar->Position(), c.to) << c.from << " clicked at " << c.clickAt;
  }
}

TEST_F(TrackBarInput, DraggingByTheTrackLessTheThumbGoesFromMinToMax) {
  struct Case {
    int32_t max;
    bool reverse;
  };
  for (const Case& c : {Case{10, false}, Case{1000, false}, Case{7, true}, Case{INT32_MAX, false}}) {
    Props()->SetMax(c.max);
    Props()->SetReverseDirection(c.reverse);
    bar->SetPosition(0);
    const TPoint start = ThumbCentre();
    const int32_t pixels = static_cast<int32_t>(VI()->Pixels());
    ASSERT_EQ(pixels, 190);
    const int32_t direction = c.reverse ? -1 : 1;
    Press(start);
    EXPECT_EQ(VI()->TrackBarState(), cxTrackBarThumbStatePressed);
    MoveTo(TPoint{start.X + direction * pixels / 2, start.Y});
    EXPECT_NEAR(bar->Position(), c.max / 2.0, 0.5 + c.max / 190.0);
    MoveTo(TPoint{start.X + direction * pixels, start.Y + 30});
    EXPECT_EQ(bar->Position(), c.max) << c.max;
    MoveTo(TPoint{start.X + direction * (pixels + 50), start.Y});
    EXPECT_EQ(bar->Position(), c.max) << "fixed beyond the end";
    MoveTo(start);
    EXPECT_EQ(bar->Position(), 0);
    Release(start);
    EXPECT_NE(VI()->TrackBarState(), cxTrackBarThumbStatePressed);
    MoveTo(TPoint{start.X + 40, start.Y});
    EXPECT_EQ(bar->Position(), 0) << "no drag after the release";
  }
}

TEST_F(TrackBarInput, InJumpModeTheThumbCentresUnderThePointerAndTheDragGoesOn) {
  Props()->SetThumbStep(cxtsJump);
  const int32_t x6 = VI()->GetCoordinate(6);
  Press(OnTrack(x6));
  EXPECT_EQ(bar->Position(), 6);
  MoveTo(OnTrack(x6 + 38));  // 2 positions of 19 pixels
  EXPECT_EQ(bar->Position(), 8);
  Release(OnTrack(x6 + 38));
}

TEST_F(TrackBarInput, ShiftWithArrowsBuildsTheSelectionAndCtrlOnTheThumbClearsIt) {
  bar->SetPosition(2);
  Key(VK_SHIFT, true);
  for (int i = 0; i < 3; ++i) Key(VK_RIGHT, true);
  EXPECT_EQ(Props()->SelectionStart(), 2);
  EXPECT_EQ(Props()->SelectionEnd(), 5);
  Key(VK_LEFT, true);
  EXPECT_EQ(Props()->SelectionStart(), 2);
  EXPECT_EQ(Props()->SelectionEnd(), 4);
  Key(VK_LEFT, true);
  Key(VK_LEFT, true);
  Key(VK_LEFT, true);
  EXPECT_EQ(Props()->SelectionStart(), 1) << "below the start it turns round";
  EXPECT_EQ(Props()->SelectionEnd(), 2);
  SetShiftDown(false);
  KeyRelease(VK_SHIFT);
  Key(VK_RIGHT);
  EXPECT_EQ(Props()->SelectionStart(), 1) << "without Shift the selection stays";
  EXPECT_EQ(Props()->SelectionEnd(), 2);
  const TPoint thumb = ThumbCentre();
  Press(thumb, TShiftState{ssCtrl});
  Release(thumb);
  EXPECT_EQ(Props()->SelectionStart(), 0);
  EXPECT_EQ(Props()->SelectionEnd(), 0);
}

TEST_F(TrackBarInput, AHeldChangeButtonRepeatsAfter400MsThenEvery60Ms) {
  Props()->SetShowChangeButtons(true);
  Props()->SetMax(100);
  Props()->SetLineSize(3);
  bar->SetPosition(4);
  const TPoint button = ButtonCentre(true);
  Press(button);
  EXPECT_EQ(bar->Position(), 6) << "one snapped step on the press";
  Run(399);
  EXPECT_EQ(bar->Position(), 6);
  Run(1);
  EXPECT_EQ(bar->Position(), 9);
  Run(59);
  EXPECT_EQ(bar->Position(), 9);
  Run(1);
  EXPECT_EQ(bar->Position(), 12);
  Run(120);
  EXPECT_EQ(bar->Position(), 18);
  // Off the button the stepping pauses; back on it goes on.
  MoveTo(TPoint{button.X - 40, button.Y});
  Run(300);
  EXPECT_EQ(bar->Position(), 18);
  MoveTo(button);
  Run(60);
  EXPECT_EQ(bar->Position(), 21);
  Release(button);
  EXPECT_EQ(bar->Controller()->RepeatTimer(), nullptr);
  Run(300);
  EXPECT_EQ(bar->Position(), 21);
}

TEST_F(TrackBarInput, AReadOnlyBarStartsNoRepeat) {
  Props()->SetShowChangeButtons(true);
  Props()->SetReadOnly(true);
  bar->SetPosition(4);
  Press(ButtonCentre(true));
  EXPECT_EQ(bar->Controller()->RepeatTimer(), nullptr);
  Run(500);
  EXPECT_EQ(bar->Position(), 4);
  Release(ButtonCentre(true));
}

TEST_F(TrackBarInput, AFocusChangeStopsTheRepeat) {
  Props()->SetShowChangeButtons(true);
  Press(ButtonCentre(true));
  ASSERT_NE(bar->Controller()->RepeatTimer(), nullptr);
  SetFocus(form->Handle());
  Application->ProcessMessages();
  EXPECT_EQ(bar->Controller()->RepeatTimer(), nullptr);
}

TEST_F(TrackBarInput, UserMovesFireTheChangeEventsAndSetPositionKeepsTheRange) {
  std::vector<std::string> events;
  struct Log {
    std::vector<std::string>* events;
    void Change(TObject*) { events->push_back("Change"); }
    void EditValueChanged(TObject*) { events->push_back("EditValueChanged"); }
  } log{&events};
  Props()->SetOnChange(MakeMethod(&log, &Log::Change));
  Props()->SetOnEditValueChanged(MakeMethod(&log, &Log::EditValueChanged));
  Key(VK_RIGHT);
  EXPECT_EQ(bar->Position(), 1);
  EXPECT_EQ(events, (std::vector<std::string>{"EditValueChanged", "Change"}));
  EXPECT_TRUE(bar->ModifiedAfterEnter());
  events.clear();
  Key(VK_HOME);
  Key(VK_LEFT);
  EXPECT_EQ(bar->Position(), 0);
  EXPECT_EQ(events.size(), 2u) << "a key that changes nothing fires nothing";
  bar->SetPosition(50);
  EXPECT_EQ(bar->Position(), 10);
  EXPECT_EQ(VarToStr(bar->EditValue()), u"10");
}

TEST_F(TrackBarInput, ThePositionHintHides1000MsAfterThePointerLeavesTheThumb) {
  Props()->SetShowPositionHint(true);
  TcxTrackBarPositionHintHelper* hint = VI()->PositionHintHelper();
  const TPoint thumb = ThumbCentre();
  MoveTo(thumb);
  EXPECT_TRUE(VI()->MouseStates.Contains(tbmpUnderThumb));
  EXPECT_EQ(VI()->TrackBarState(), cxTrackBarThumbStateHot);
  auto shown = [hint] { return hint->HintWindow() && IsWindowVisible(hint->HintWindow()->Handle()); };
  EXPECT_TRUE(shown());
  EXPECT_EQ(hint->HintWindow()->Caption(), u"0");
  MoveTo(TPoint{thumb.X + 60, thumb.Y});
  EXPECT_TRUE(hint->HidingScheduled());
  Run(999);
  EXPECT_TRUE(shown());
  Run(1);
  EXPECT_FALSE(hint->HidingScheduled());
  EXPECT_FALSE(shown());
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

TEST_F(TrackBarInput, InNativeStyleTheThumbAndTheButtonsFadeToTheirHotLook) {
  bar->Style()->LookAndFeel()->SetNativeStyle(true);
  dxFader()->SetState(fasEnabled);
  Props()->SetShowChangeButtons(true);
  ASSERT_TRUE(VI()->IsFadingAvailable());
  const TPoint thumb = ThumbCentre();
  MoveTo(thumb);
  TcxTrackBarThumbFadingHelper* fading = VI()->GetThumb(0)->FadingHelper();
  ASSERT_NE(fading, nullptr);
  EXPECT_TRUE(fading->GetActive());
  Repaint();
  Run(500, 10);
  EXPECT_FALSE(fading->GetActive());
  EXPECT_EQ(VI()->TrackBarState(), cxTrackBarThumbStateHot);

  const TcxCustomTrackBarViewInfo* vi = VI();
  const TRect right = vi->RealRect(vi->RightButtonRect);
  MoveTo(TPoint{(right.Left + right.Right) / 2, (right.Top + right.Bottom) / 2});
  EXPECT_EQ(VI()->ButtonRightState(), cxbsHot);
  ASSERT_NE(VI()->ButtonFadingHelper(false), nullptr);
  EXPECT_TRUE(VI()->ButtonFadingHelper(false)->GetActive());
  Repaint();
  Run(500, 10);
  EXPECT_FALSE(VI()->ButtonFadingHelper(false)->GetActive());
}

TEST_F(TrackBarInput, ClassicThumbsDoNotFade) {
  dxFader()->SetState(fasEnabled);
  MoveTo(ThumbCentre());
  EXPECT_EQ(VI()->TrackBarState(), cxTrackBarThumbStateHot);
  TcxTrackBarThumbFadingHelper* fading = VI()->GetThumb(0)->FadingHelper();
  EXPECT_TRUE(!fading || !fading->GetActive());
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

TEST_F(TrackBarInput, ThePositionHintSitsBesideTheThumbAwayFromTheTicks) {
  Props()->SetShowPositionHint(true);
  struct Case {
    TcxTrackBarOrientation orientation;
    TcxTrackBarTickMarks marks;
  };
  for (const Case& c : {Case{tboHorizontal, cxtmBottomRight}, Case{tboVertical, cxtmBottomRight},
                        Case{tboHorizontal, cxtmBoth}}) {
    Props()->SetOrientation(c.orientation);
    Props()->SetTickMarks(c.marks);
    if (c.orientation == tboVertical)
      bar->SetBounds(60, 60, 60, 218);
    else
      bar->SetBounds(60, 60, 218, 60);
    bar->SetPosition(5);
    const TPoint thumb = ThumbCentre();
    MoveTo(TPoint{thumb.X + 40, thumb.Y + 40});
    MoveTo(thumb);
    THintWindow* window = VI()->PositionHintHelper()->HintWindow();
    ASSERT_TRUE(window && IsWindowVisible(window->Handle()));
    EXPECT_EQ(window->Caption(), u"5");
    const TRect hint = window->BoundsRect();
    const TRect screenThumb = bar->ClientToScreen(VI()->RealThumbBounds(VI()->GetThumb(0)));
    if (c.orientation == tboHorizontal)
      EXPECT_EQ(hint.Bottom, screenThumb.Top - 10);
    else
      EXPECT_EQ(hint.Right, screenThumb.Left - 10);
    VI()->PositionHintHelper()->CancelHint();
  }
}

TEST_F(TrackBarInput, OnATrackNoWiderThanTheThumbPressesAndDragsKeepThePosition) {
  bar->SetBounds(kLeft, kTop, 26, 60);  // 8 pixels of track for a 10-pixel thumb
  bar->SetPosition(6);
  ASSERT_LE(VI()->Pixels(), 0);
  Props()->SetThumbStep(cxtsJump);
  const TPoint thumb = ThumbCentre();
  Press(TPoint{thumb.X + 4, thumb.Y});
  MoveTo(TPoint{thumb.X + 30, thumb.Y});
  Release(TPoint{thumb.X + 30, thumb.Y});
  EXPECT_EQ(bar->Position(), 6);
  Props()->SetThumbStep(cxtsNormal);
  Press(thumb);
  MoveTo(TPoint{thumb.X - 30, thumb.Y});
  Release(TPoint{thumb.X - 30, thumb.Y});
  EXPECT_EQ(bar->Position(), 6);
}

}  // namespace
}  // namespace qd::testing

namespace qd::testing {
namespace {

TEST_F(TrackBarInput, AVerticalBarIsDraggedAndClickedAlongItsHeight) {
  Props()->SetOrientation(tboVertical);
  bar->SetBounds(kLeft, kTop, 60, 218);
  bar->SetPosition(0);
  const TPoint start = ThumbCentre();
  ASSERT_EQ(VI()->Pixels(), 190);
  Press(start);
  MoveTo(TPoint{start.X + 15, start.Y + 190});
  EXPECT_EQ(bar->Position(), 10);
  MoveTo(TPoint{start.X, start.Y + 95});
  EXPECT_EQ(bar->Position(), 5);
  Release(TPoint{start.X, start.Y + 95});
  // A click below the thumb steps down the bar by a page.
  const TPoint below{start.X, start.Y + 150};
  Press(below);
  Release(below);
  EXPECT_EQ(bar->Position(), 7);
}

}  // namespace
}  // namespace qd::testing
