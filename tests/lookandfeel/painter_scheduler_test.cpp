// The base painter's navigator, scheduler, date-navigator and clock elements.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lookandfeel/painter_draw_test_util.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd::testing {
namespace {

class PainterSchedulerTest : public PainterDrawTest {
 protected:
  static int Count(PainterProbe& AProbe, uint32_t ARgb, const TRect& AArea) {
    int n = 0;
    for (int y = AArea.Top; y < AArea.Bottom; ++y)
      for (int x = AArea.Left; x < AArea.Right; ++x) n += AProbe.Rgb(x, y) == ARgb;
    return n;
  }

 public:
  bool OnBackground(TcxCanvas* ACanvas, const TRect& ABounds) {
    ACanvas->FillRect(ABounds, clLime);
    ++background_calls_;
    return true;
  }

 protected:
  TcxCustomLookAndFeelPainter painter_;
  TdxScaleFactor* sf_ = dxDefaultScaleFactor();
  int background_calls_ = 0;
};

TEST_F(PainterSchedulerTest, NavigationButtonLayout) {
  struct Case {
    const char* name;
    bool next, collapsed, vertical;
    int prevText, nextText;
    TRect bounds;
    TRect wantBounds, wantText, wantArrow;
  };
  const Case cases[] = {
      // Collapsed: the bounds shrink to the arrow box and the borders, centred.
      {"collapsed horizontal next",
       true,
       true,
       false,
       0,
       0,
       {0, 0, 40, 40},
       {8, 0, 31, 40},
       {},
       {16, 16, 23, 23}},
      // The start keeps its old place plus half the room left over.
      {"collapsed away from the origin",
       true,
       true,
       false,
       0,
       0,
       {100, 0, 140, 40},
       {108, 0, 131, 40},
       {},
       {116, 16, 123, 23}},
      {"collapsed vertical previous",
       false,
       true,
       true,
       0,
       0,
       {0, 0, 40, 40},
       {0, 8, 40, 31},
       {},
       {16, 16, 23, 23}},
      // The arrow box at the end of a horizontal button, the text before it.
      {"horizontal next",
       true,
       false,
       false,
       20,
       30,
       {0, 0, 100, 30},
       {0, 0, 100, 30},
       {16, 6, 74, 24},
       {86, 11, 93, 18}},
      // A text 12 pixels too long: text and bounds grow by 12 at both ends, the arrow moves along.
      {"horizontal next, long text",
       true,
       false,
       false,
       20,
       70,
       {0, 0, 100, 30},
       {-12, 0, 112, 30},
       {4, 6, 86, 24},
       {98, 11, 105, 18}},
      // The arrow box at the start of a vertical button.
      {"vertical previous",
       false,
       false,
       true,
       10,
       10,
       {0, 0, 30, 100},
       {0, 0, 30, 100},
       {6, 26, 24, 84},
       {11, 7, 18, 14}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRect bounds = c.bounds, text{1, 1, 2, 2}, arrow;
    painter_.CalculateSchedulerNavigationButtonRects(c.next, c.collapsed, c.prevText, c.nextText, bounds,
                                                     text, arrow, sf_, c.vertical);
    EXPECT_EQ(bounds, c.wantBounds);
    EXPECT_EQ(text, c.wantText);
    EXPECT_EQ(arrow, c.wantArrow);
  }
  // The fixed borders by orientation and direction.
  struct Borders {
    bool next, vertical;
    TRect want;
  };
  for (const Borders b : {Borders{false, true, {6, 0, 6, 2}}, Borders{true, true, {6, 2, 6, 0}},
                          Borders{false, false, {0, 6, 2, 6}}, Borders{true, false, {2, 6, 0, 6}}}) {
    TRect borders;
    TSize arrowSize;
    bool hasText = false;
    TdxScaleFactor big;
    big.Assign(3, 2, false);
    painter_.SchedulerNavigationButtonSizes(b.next, borders, arrowSize, hasText, &big, b.vertical);
    EXPECT_EQ(borders, b.want);
    EXPECT_EQ(arrowSize, (TSize{11, 11}));  // 10.5 away from zero; the borders are not scaled
    EXPECT_TRUE(hasText);
  }
}

TEST_F(PainterSchedulerTest, NavigationButtonFaceIsOpenTowardTheEdge) {
  // A horizontal previous button: framed on top, right and bottom, open at the left; the
  // arrow points left.
  PainterProbe probe(16, 11);
  painter_.DrawSchedulerNavigationButtonContent(probe.Canvas(), probe.Bounds(), TRect{4, 2, 11, 9}, false,
                                                cxbsNormal, false);
  probe.SavePng("painter_scheduler_button_prev");
  for (int x = 0; x < 16; ++x) {
    EXPECT_EQ(probe.Rgb(x, 0), ColorPx(clBtnShadow)) << x;
    EXPECT_EQ(probe.Rgb(x, 10), ColorPx(clBtnShadow)) << x;
  }
  for (int y = 0; y < 11; ++y) EXPECT_EQ(probe.Rgb(15, y), ColorPx(clBtnShadow)) << y;
  EXPECT_NE(probe.Rgb(0, 5), ColorPx(clBtnShadow));
  EXPECT_EQ(probe.Rgb(1, 1), ColorPx(clBtnHighlight));  // the inner frame's top
  // The chevron's point is its leftmost ink, on the middle row.
  int tip = 16, topRow = 16;
  for (int x = 15; x >= 0; --x) {
    if (probe.Rgb(x, 5) == ColorPx(clBtnText)) tip = x;
    if (probe.Rgb(x, 3) == ColorPx(clBtnText)) topRow = x;
  }
  EXPECT_LT(tip, topRow);
  EXPECT_GE(tip, 4);
  // The next button of a vertical bar points down.
  PainterProbe down(11, 11);
  painter_.DrawSchedulerNavigationButtonArrow(down.Canvas(), down.Bounds(), true, clBlack, true);
  int lowestMiddle = -1, lowestSide = -1;
  for (int y = 0; y < 11; ++y) {
    if (down.Rgb(5, y) == 0) lowestMiddle = y;
    if (down.Rgb(3, y) == 0) lowestSide = y;
  }
  EXPECT_GT(lowestMiddle, lowestSide);
}

TEST_F(PainterSchedulerTest, ClockShowsTwelveDotsOverTheBackground) {
  PainterProbe probe(130, 130);
  painter_.DrawScaledClock(probe.Canvas(), probe.Bounds(), 0.25 + 10.0 / 1440, clWhite, sf_);  // 06:10
  probe.SavePng("painter_clock", 3);
  // Each dot: 2 x 2 in cyan, three pixels of it left beside its shadow copy.
  EXPECT_EQ(Count(probe, 0x00FFFF, probe.Bounds()), 36);
  EXPECT_EQ(probe.Rgb(0, 0), 0xFFFFFFu);
  EXPECT_EQ(probe.Rgb(129, 129), 0xFFFFFFu);
  // The twelve o'clock dot at the top, 2 pixels inside.
  EXPECT_EQ(probe.Rgb(64, 2), 0x00FFFFu);
  // The hands: the minute hand toward two o'clock, the hour hand a little past six, the second
  // hand at twelve.
  EXPECT_EQ(probe.Rgb(84, 54), ColorPx(clBtnText));
  EXPECT_EQ(probe.Rgb(63, 85), ColorPx(clBtnText));
  EXPECT_EQ(probe.Rgb(65, 30), ColorPx(clBtnText));
  EXPECT_EQ(probe.Rgb(40, 65), 0xFFFFFFu);
  // The clip of the dots is gone afterwards.
  probe.Canvas()->FillRect(probe.Bounds(), clRed);
  EXPECT_EQ(Count(probe, 0xFF0000, probe.Bounds()), 130 * 130);
}

TEST_F(PainterSchedulerTest, SchedulerMarksAndHeaders) {
  // Event progress: the frame, the fill of the view params, the progress in navy.
  TcxViewParams params;
  params.Color = clYellow;
  PainterProbe progress(8, 4);
  painter_.DrawSchedulerEventProgress(progress.Canvas(), TRect{0, 0, 8, 4}, TRect{1, 1, 4, 3}, params, false);
  EXPECT_TRUE(progress.Matches({"gggggggg", "gnnnyyyg", "gnnnyyyg", "gggggggg"},
                               {{'g', static_cast<TColor>(0x808080)}, {'n', clNavy}, {'y', clYellow}}));
  PainterProbe transparent(8, 4);
  painter_.DrawSchedulerEventProgress(transparent.Canvas(), TRect{0, 0, 8, 4}, TRect{1, 1, 4, 3}, params,
                                      true);
  EXPECT_TRUE(transparent.Matches({"gggggggg", "gnnn...g", "gnnn...g", "gggggggg"},
                                  {{'g', static_cast<TColor>(0x808080)}, {'n', clNavy}}));

  // The day header leaves everything to the background event.
  PainterProbe day(6, 3);
  painter_.DrawSchedulerDayHeader(day.Canvas(), day.Bounds(), day.Bounds(), TcxNeighbors{}, cxBordersAll,
                                  cxbsNormal, taLeftJustify, vaTop, false, false, u"Mon", nullptr, clBlack,
                                  clRed, sf_,
                                  TcxDrawBackgroundEvent(this, &PainterSchedulerTest::OnBackground));
  EXPECT_EQ(background_calls_, 1);
  EXPECT_EQ(Count(day, 0x00FF00, day.Bounds()), 18);

  // A month header with only its left arrow.
  PainterProbe month(60, 16);
  params.Color = clWhite;
  params.TextColor = clBlack;
  painter_.DrawScaledMonthHeader(month.Canvas(), month.Bounds(), String(), TcxNeighbors{}, params,
                                 TcxArrowDirections{adLeft}, 0, sf_);
  month.SavePng("painter_month_header");
  EXPECT_GT(Count(month, ColorPx(clWindowText), TRect{0, 0, 16, 16}), 5);
  EXPECT_EQ(Count(month, ColorPx(clWindowText), TRect{16, 0, 60, 16}), 0);

  // The milestone is a grey diamond with a black outline.
  PainterProbe milestone(9, 9);
  painter_.DrawSchedulerMilestone(milestone.Canvas(), milestone.Bounds());
  EXPECT_GT(Count(milestone, 0x808080, milestone.Bounds()), 4);
  EXPECT_GT(Count(milestone, 0x000000, milestone.Bounds()), 8);

  // The date header: the header colour inside a raised edge, R comes back inside it.
  PainterProbe header(6, 4);
  TRect r = header.Bounds();
  painter_.DrawDateNavigatorDateHeader(header.Canvas(), r);
  EXPECT_EQ(r, (TRect{1, 1, 5, 3}));
  EXPECT_EQ(header.Rgb(2, 2), ColorPx(painter_.DefaultDateNavigatorHeaderColor()));
  EXPECT_EQ(header.Rgb(0, 0), ColorPx(clBtnHighlight));
  EXPECT_EQ(header.Rgb(5, 3), ColorPx(clBtnShadow));
}

TEST_F(PainterSchedulerTest, NavigatorAndClockConstants) {
  TdxScaleFactor big;
  big.Assign(3, 2, false);
  EXPECT_EQ(painter_.NavigatorButtonPressedGlyphOffset(), (TPoint{1, 1}));
  EXPECT_EQ(painter_.NavigatorScaledButtonMinSize(sf_), (TSize{17, 19}));
  EXPECT_EQ(painter_.NavigatorScaledButtonGlyphSize(&big), (TSize{17, 17}));  // 16.5 away from zero
  EXPECT_EQ(painter_.NavigatorScaledButtonGlyphPadding(&big), (TRect{5, 6, 5, 6}));
  EXPECT_EQ(painter_.NavigatorButtonTextColor(cxbsDisabled), clBtnText);
  EXPECT_EQ(painter_.NavigatorInfoPanelColor(), painter_.DefaultGridDetailsSiteColor());
  EXPECT_EQ(painter_.NavigatorInfoPanelTextColor(), painter_.DefaultContentTextColor());
  EXPECT_FALSE(painter_.NavigatorBorderOverlap());
  EXPECT_EQ(painter_.NavigatorBorderSize(), 0);
  EXPECT_EQ(painter_.ScaledClockSize(sf_), (TSize{130, 130}));
  EXPECT_EQ(painter_.ScaledClockSize(&big), (TSize{195, 195}));
  EXPECT_EQ(painter_.SchedulerEventProgressOffsets(), (TRect{2, 2, 2, 2}));
  EXPECT_EQ(painter_.SchedulerNavigationButtonTextColor(true, cxbsDisabled, clRed), clBtnShadow);
  EXPECT_EQ(painter_.SchedulerNavigationButtonTextColor(true, cxbsHot, clRed), clRed);
}

}  // namespace
}  // namespace qd::testing
