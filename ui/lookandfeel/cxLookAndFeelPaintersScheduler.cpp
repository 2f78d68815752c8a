// The base painter's scheduler navigation buttons, month headers, scheduler marks, date
// navigator cells and the analogue clock.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "platform/base/format.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

namespace {

constexpr TColor kSchedulerGrey = static_cast<TColor>(0x808080);
constexpr TColor kClockDotColor = static_cast<TColor>(0xFFFF00);

// The sides of a scheduler navigation button that are framed: all but the one at the
// control's edge (the one without border).
TcxBorders SchedulerButtonFramedSides(bool AIsNextButton, bool AIsVertical) {
  if (AIsVertical)
    return AIsNextButton ? TcxBorders{bLeft, bTop, bRight} : TcxBorders{bLeft, bRight, bBottom};
  return AIsNextButton ? TcxBorders{bLeft, bTop, bBottom} : TcxBorders{bTop, bRight, bBottom};
}

// R deflated by one pixel on the given sides.
TRect SchedulerDeflateSides(const TRect& R, const TcxBorders& ASides) {
  return TRect{R.Left + (ASides.Contains(bLeft) ? 1 : 0), R.Top + (ASides.Contains(bTop) ? 1 : 0),
               R.Right - (ASides.Contains(bRight) ? 1 : 0), R.Bottom - (ASides.Contains(bBottom) ? 1 : 0)};
}

// A hand of the clock from the centre toward the angle (0 at twelve, clockwise).
void ClockDrawHand(TcxCanvas* ACanvas, const TPoint& ACenter, double AAngle, double ALength, int32_t AWidth) {
  ACanvas->Pen()->SetWidth(AWidth);
  ACanvas->MoveTo(ACenter.X, ACenter.Y);
  ACanvas->LineTo(ACenter.X + static_cast<int32_t>(std::lround(ALength * std::sin(AAngle))),
                  ACenter.Y - static_cast<int32_t>(std::lround(ALength * std::cos(AAngle))));
}

}  // namespace

// --- Scheduler navigation buttons --------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                                       const TRect& AArrowRect,
                                                                       bool AIsNextButton,
                                                                       TcxButtonState AState,
                                                                       bool AIsVertical) {
  const TcxBorders sides = SchedulerButtonFramedSides(AIsNextButton, AIsVertical);
  ACanvas->FillRect(ARect, clBtnFace);
  ACanvas->FrameRect(ARect, clBtnShadow, 1, sides);
  const bool pressed = AState == cxbsPressed;
  ACanvas->DrawComplexFrame(SchedulerDeflateSides(ARect, sides), pressed ? clBtnShadow : clBtnHighlight,
                            pressed ? clBtnHighlight : clBtnFace, sides);
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState, clDefault),
                                     AIsVertical);
}

void TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(
    bool AIsNextButton, bool ACollapsed, int32_t APrevButtonTextSize, int32_t ANextButtonTextSize,
    TRect& ABounds, TRect& ATextRect, TRect& AArrowRect, TdxScaleFactor* AScaleFactor, bool AIsVertical) {
  TRect borders{};
  TSize arrow{};
  bool hasTextArea = false;
  SchedulerNavigationButtonSizes(AIsNextButton, borders, arrow, hasTextArea, AScaleFactor, AIsVertical);
  const int32_t arrowLength = AIsVertical ? arrow.cy : arrow.cx;
  const int32_t box = 3 * arrowLength;

  if (ACollapsed || !hasTextArea) {
    ATextRect = TRect{};
    // The start keeps its old place plus half the room left over.
    if (AIsVertical) {
      const int32_t n = box + borders.Top + borders.Bottom;
      ABounds.Top += (ABounds.Height() - n) / 2;
      ABounds.Bottom = ABounds.Top + n;
    } else {
      const int32_t n = box + borders.Left + borders.Right;
      ABounds.Left += (ABounds.Width() - n) / 2;
      ABounds.Right = ABounds.Left + n;
    }
    AArrowRect = cxRectCenter(ABounds, arrow);
    return;
  }

  const TRect content = cxRectContent(ABounds, borders);
  TRect arrowBox = content;
  ATextRect = content;
  const int32_t gap = AScaleFactor->Apply(5);
  if (AIsVertical) {
    arrowBox.Bottom = arrowBox.Top + box;
    ATextRect.Top = arrowBox.Bottom + gap;
    ATextRect.Bottom -= 2 * arrowLength;
  } else {
    arrowBox.Left = arrowBox.Right - box;
    ATextRect.Right = arrowBox.Left - gap;
    ATextRect.Left += 2 * arrowLength;
  }
  AArrowRect = cxRectCenter(arrowBox, arrow);

  const int32_t shortfall = std::max(APrevButtonTextSize, ANextButtonTextSize) -
                            (AIsVertical ? ATextRect.Height() : ATextRect.Width());
  if (shortfall > 0) {
    if (AIsVertical) {
      ATextRect = cxRectInflate(ATextRect, 0, shortfall);
      ABounds = cxRectInflate(ABounds, 0, shortfall);
      AArrowRect = cxRectOffset(AArrowRect, 0, -shortfall);
    } else {
      ATextRect = cxRectInflate(ATextRect, shortfall, 0);
      ABounds = cxRectInflate(ABounds, shortfall, 0);
      AArrowRect = cxRectOffset(AArrowRect, shortfall, 0);
    }
  }
}

void TcxCustomLookAndFeelPainter::CalculateSchedulerNavigationButtonRects(
    bool AIsNextButton, bool ACollapsed, int32_t APrevButtonTextSize, int32_t ANextButtonTextSize,
    TRect& ABounds, TRect& ATextRect, TRect& AArrowRect, bool AIsVertical) {
  CalculateSchedulerNavigationButtonRects(AIsNextButton, ACollapsed, APrevButtonTextSize, ANextButtonTextSize,
                                          ABounds, ATextRect, AArrowRect, dxSystemScaleFactor(), AIsVertical);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                bool AIsNextButton, TcxButtonState AState,
                                                                const String& AText, const TRect& ATextRect,
                                                                const TRect& AArrowRect, bool AIsVertical) {
  DrawSchedulerNavigationButtonContent(ACanvas, ARect, AArrowRect, AIsNextButton, AState, AIsVertical);
  const TColor textColor = SchedulerNavigationButtonTextColor(AIsNextButton, AState, clDefault);
  if (ATextRect.IsEmpty() || textColor == clNone) return;
  cxDrawText(ACanvas, AText, ATextRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE, textColor,
             AIsVertical ? raPlus90 : ra0);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigationButtonArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     bool AIsNextButton, TColor AColor,
                                                                     bool AForVertical) {
  // Strokes two pixels long, each step one pixel further from the point along the button.
  const TPoint c = cxRectCenter(ARect);
  const int32_t half = std::min(ARect.Width(), ARect.Height()) / 2;
  const int32_t tip = AIsNextButton ? half / 2 + 1 : -(half / 2 + 1);
  const int32_t back = AIsNextButton ? -1 : 1;
  for (int32_t i = 0; i <= half; ++i)
    for (int32_t side : {-i, i}) {
      const int32_t along = tip + back * i;
      const int32_t from = std::min(along, along + 2 * back);
      const TRect stroke = AForVertical ? TRect{c.X + side, c.Y + from, c.X + side + 1, c.Y + from + 2}
                                        : TRect{c.X + from, c.Y + side, c.X + from + 2, c.Y + side + 1};
      ACanvas->FillRect(stroke, AColor);
      if (i == 0) break;
    }
}

void TcxCustomLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                     TcxButtonState AState,
                                                                     TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::SchedulerNavigationButtonTextColor(bool /*AIsNextButton*/,
                                                                       TcxButtonState AState,
                                                                       TColor ADefaultColor) {
  return ButtonSymbolColor(AState, ADefaultColor);
}

void TcxCustomLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders,
                                                                 TSize& AArrowSize, bool& AHasTextArea,
                                                                 TdxScaleFactor* AScaleFactor,
                                                                 bool AIsVertical) {
  if (AIsVertical)
    ABorders = AIsNextButton ? TRect{6, 2, 6, 0} : TRect{6, 0, 6, 2};
  else
    ABorders = AIsNextButton ? TRect{2, 6, 0, 6} : TRect{0, 6, 2, 6};
  AArrowSize = TSize{AScaleFactor->Apply(7), AScaleFactor->Apply(7)};
  AHasTextArea = true;
}

void TcxCustomLookAndFeelPainter::SchedulerNavigationButtonSizes(bool AIsNextButton, TRect& ABorders,
                                                                 TSize& AArrowSize, bool& AHasTextArea,
                                                                 bool AIsVertical) {
  SchedulerNavigationButtonSizes(AIsNextButton, ABorders, AArrowSize, AHasTextArea, dxSystemScaleFactor(),
                                 AIsVertical);
}

// --- Scheduler ----------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        const String& AText, const TcxNeighbors& ANeighbors,
                                                        const TcxViewParams& AViewParams,
                                                        const TcxArrowDirections& AArrows, int32_t ASideWidth,
                                                        TdxScaleFactor* AScaleFactor,
                                                        const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeader(ACanvas, ABounds, ABounds, ANeighbors, HeaderBorders(ANeighbors), cxbsNormal, taCenter,
                   vaCenter, false, false, AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color,
                   AScaleFactor, AOnDrawBackground);
  DrawMonthHeaderArrows(ACanvas, ABounds, AArrows, ASideWidth, clWindowText);
}

void TcxCustomLookAndFeelPainter::DrawMonthHeaderArrows(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        const TcxArrowDirections& AArrows, int32_t ASideWidth,
                                                        TColor AColor) {
  if (AArrows.Contains(adLeft)) DrawMonthHeaderLeftArrow(ACanvas, ABounds, ASideWidth, AColor);
  if (AArrows.Contains(adRight)) DrawMonthHeaderRightArrow(ACanvas, ABounds, ASideWidth, AColor);
}

void TcxCustomLookAndFeelPainter::DrawMonthHeaderLeftArrow(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           int32_t /*ASideWidth*/, TColor AColor) {
  DrawArrow(ACanvas, TRect{ABounds.Left, ABounds.Top, ABounds.Left + ABounds.Height(), ABounds.Bottom},
            adLeft, AColor);
}

void TcxCustomLookAndFeelPainter::DrawMonthHeaderRightArrow(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            int32_t /*ASideWidth*/, TColor AColor) {
  DrawArrow(ACanvas, TRect{ABounds.Right - ABounds.Height(), ABounds.Top, ABounds.Right, ABounds.Bottom},
            adRight, AColor);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerBorder(TcxCanvas* ACanvas, const TRect& R) {
  DrawBorder(ACanvas, R);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerDayHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& /*ATextAreaBounds*/,
    const TcxNeighbors& /*ANeighbors*/, const TcxBorders& /*ABorders*/, TcxButtonState /*AState*/,
    TAlignment /*AAlignmentHorz*/, TcxAlignmentVert /*AAlignmentVert*/, bool /*AMultiLine*/,
    bool /*AShowEndEllipsis*/, const String& /*AText*/, TFont* /*AFont*/, TColor /*ATextColor*/,
    TColor /*ABkColor*/, TdxScaleFactor* /*AScaleFactor*/, const TcxDrawBackgroundEvent& AOnDrawBackground,
    bool /*AIsLast*/, bool /*AIsGroup*/) {
  if (AOnDrawBackground) AOnDrawBackground(ACanvas, ABounds);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerEventProgress(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             const TRect& AProgress,
                                                             const TcxViewParams& AViewParams,
                                                             bool ATransparent) {
  if (ATransparent)
    ACanvas->FrameRect(ABounds, kSchedulerGrey);
  else
    ACanvas->Rectangle(ABounds, AViewParams, cxBordersAll, kSchedulerGrey, 1);
  ACanvas->FillRect(AProgress, clNavy);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerGroup(TcxCanvas* ACanvas, const TRect& R, TColor AColor) {
  std::array<TPoint, 6> points{};
  cxGetSchedulerGroupPolygon(R, points);
  ACanvas->Pen()->SetColor(clBlack);
  ACanvas->Brush()->SetColor(AColor);
  ACanvas->Polygon(std::vector<TPoint>(points.begin(), points.end()));
}

void TcxCustomLookAndFeelPainter::DrawSchedulerScaledGroupSeparator(
    TcxCanvas* ACanvas, const TRect& ABounds, TColor ABackgroundColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeader(ACanvas, ABounds, ABounds, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop,
                   false, false, String(), nullptr, clNone, ABackgroundColor, AScaleFactor,
                   AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerMilestone(TcxCanvas* ACanvas, const TRect& R) {
  std::array<TPoint, 4> points{};
  cxGetSchedulerMilestonePolygon(R, points);
  ACanvas->Pen()->SetColor(clBlack);
  ACanvas->Brush()->SetColor(kSchedulerGrey);
  ACanvas->Polygon(std::vector<TPoint>(points.begin(), points.end()));
}

void TcxCustomLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                              const TcxViewParams& /*AViewParams*/,
                                                              bool /*AIsHorizontal*/) {}

TRect TcxCustomLookAndFeelPainter::SchedulerEventProgressOffsets() {
  return TRect{2, 2, 2, 2};
}

// --- Clock --------------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawScaledClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                                                  TColor ABackgroundColor, TdxScaleFactor* AScaleFactor) {
  const TPoint center = cxRectCenter(ARect);
  const double radius = std::min(ARect.Width(), ARect.Height()) / 2.0 - 2;
  const int32_t dot = AScaleFactor->Apply(2);
  // The dots are kept out of the background fill through the clip, which is put back afterwards.
  ACanvas->SaveClipRegion();
  for (int32_t i = 0; i < 60; i += 5) {
    const double angle = i * std::numbers::pi / 30;
    const int32_t x = center.X + static_cast<int32_t>(std::lround(radius * std::sin(angle))) - dot / 2;
    const int32_t y = center.Y - static_cast<int32_t>(std::lround(radius * std::cos(angle))) - dot / 2;
    const TRect face{x, y, x + dot, y + dot};
    const TRect shadow = cxRectOffset(face, 1, 1);
    ACanvas->FillRect(face, kClockDotColor);
    ACanvas->FillRect(shadow, clBtnText);
    ACanvas->ExcludeClipRect(face);
    ACanvas->ExcludeClipRect(shadow);
  }
  ACanvas->FillRect(ARect, ABackgroundColor);
  int hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(ADateTime, hour, minute, second, msec);
  ACanvas->Pen()->SetColor(clBtnText);
  const double pi = std::numbers::pi;
  ClockDrawHand(ACanvas, center, ((hour % 12) + minute / 60.0) * pi / 6, radius * 0.5,
                AScaleFactor->Apply(3));
  ClockDrawHand(ACanvas, center, (minute + second / 60.0) * pi / 30, radius * 0.7, AScaleFactor->Apply(2));
  ClockDrawHand(ACanvas, center, second * pi / 30, radius * 0.8, 1);
  ACanvas->Pen()->SetWidth(1);
  ACanvas->RestoreClipRegion();
}

TSize TcxCustomLookAndFeelPainter::ScaledClockSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(130), AScaleFactor->Apply(130)};
}

// --- Date navigator -----------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawDateNavigatorCellSelection(TcxCanvas* ACanvas, const TRect& R,
                                                                 TColor AColor) {
  ACanvas->FillRect(R, AColor);
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) {
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
  ACanvas->DrawEdge(R, false, false);
  R = cxRectInflate(R, -1);
}

void TcxCustomLookAndFeelPainter::DrawDateNavigatorTodayCellSelection(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FrameRect(R, DefaultDateNavigatorTodayFrameColor());
}

// --- Unscaled forms -----------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                  const String& AText, const TcxNeighbors& ANeighbors,
                                                  const TcxViewParams& AViewParams,
                                                  const TcxArrowDirections& AArrows, int32_t ASideWidth,
                                                  const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledMonthHeader(ACanvas, ABounds, AText, ANeighbors, AViewParams, AArrows, ASideWidth,
                        dxSystemScaleFactor(), AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerGroupSeparator(
    TcxCanvas* ACanvas, const TRect& ABounds, TColor ABackgroundColor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawSchedulerScaledGroupSeparator(ACanvas, ABounds, ABackgroundColor, dxSystemScaleFactor(),
                                    AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawSchedulerNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState) {
  DrawSchedulerScaledNavigatorButton(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawClock(TcxCanvas* ACanvas, const TRect& ARect, TDateTime ADateTime,
                                            TColor ABackgroundColor) {
  DrawScaledClock(ACanvas, ARect, ADateTime, ABackgroundColor, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::ClockSize() {
  return ScaledClockSize(dxSystemScaleFactor());
}

}  // namespace qd
