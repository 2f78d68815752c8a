#include "ui/lookandfeel/cxLookAndFeelPaintersUltraFlat.h"

#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxUltraFlatLookAndFeelPainter)

namespace {

constexpr TColor kUltraFlatToggleCheckedColor = static_cast<TColor>(0xFF9933);
constexpr TColor kUltraFlatToggleUncheckedColor = static_cast<TColor>(0xC8C8C8);
constexpr TColor kUltraFlatToggleUncheckedBorderColor = static_cast<TColor>(0xA0A0A0);

// The framed sides of a scheduler navigation button, by (next button) + 2 x (vertical).
const TcxBorders& UltraFlatSchedulerButtonSides(bool AIsNextButton, bool AIsVertical) {
  static const TcxBorders sides[4] = {TcxBorders{bLeft, bRight, bBottom}, TcxBorders{bLeft, bTop, bRight},
                                      TcxBorders{bTop, bRight, bBottom}, TcxBorders{bLeft, bTop, bBottom}};
  return sides[(AIsNextButton ? 1 : 0) + (AIsVertical ? 2 : 0)];
}

// By TdxBreadcrumbEditButtonState.
constexpr TcxButtonState kUltraFlatBreadcrumbButtonStates[] = {cxbsNormal, cxbsNormal, cxbsHot, cxbsPressed,
                                                               cxbsDisabled};
constexpr TColor kUltraFlatBreadcrumbButtonBorderColors[] = {clNone, clBtnShadow, clHighlight, clHighlight,
                                                             clNone};
// By TdxBreadcrumbEditState.
constexpr TColor kUltraFlatBreadcrumbBorderColors[] = {clBtnShadow, clHighlight, clHighlight, clBtnShadow};
// By TcxButtonState.
constexpr TColor kUltraFlatTokenFrameColors[] = {clBtnShadow, clBtnShadow, clHighlight, clHighlight,
                                                 clBtnShadow};

void UltraFlatPolyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints, TColor AColor) {
  if (APoints.empty()) return;
  ACanvas->Pen()->SetColor(AColor);
  ACanvas->Polyline(APoints);
}

}  // namespace

// --- Identity and metrics -------------------------------------------------------------------------------

String TcxUltraFlatLookAndFeelPainter::LookAndFeelName() {
  return u"UltraFlat";
}

TcxLookAndFeelStyle TcxUltraFlatLookAndFeelPainter::LookAndFeelStyle() {
  return lfsUltraFlat;
}

int32_t TcxUltraFlatLookAndFeelPainter::BorderSize() {
  return 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::HeaderBorderSize() {
  return 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::FooterBorderSize() {
  return 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::FooterCellBorderSize() {
  return 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::TabBorderSize(bool /*AVertical*/) {
  return 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::GridBordersOverlapSize() {
  return 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::NavigatorBorderSize() {
  return BorderSize();
}

bool TcxUltraFlatLookAndFeelPainter::NavigatorBorderOverlap() {
  return true;
}

int32_t TcxUltraFlatLookAndFeelPainter::FooterCellOffset() {
  return 2;
}

int32_t TcxUltraFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) {
  return AState == cxbsDefault ? 2 : 1;
}

int32_t TcxUltraFlatLookAndFeelPainter::ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(2);
}

int32_t TcxUltraFlatLookAndFeelPainter::ScaledButtonTextShift(TdxScaleFactor* /*AScaleFactor*/) {
  return 0;
}

int32_t TcxUltraFlatLookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(11);
}

TPoint TcxUltraFlatLookAndFeelPainter::ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{7, 8});
}

TPoint TcxUltraFlatLookAndFeelPainter::ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{7, 9});
}

TPoint TcxUltraFlatLookAndFeelPainter::ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) {
  TPoint size = TcxCustomLookAndFeelPainter::ScaledFilterCloseButtonSize(AScaleFactor);
  ++size.Y;
  return size;
}

TSize TcxUltraFlatLookAndFeelPainter::GetScaledSplitterSize(bool AHorizontal, TdxScaleFactor* AScaleFactor) {
  TSize size = TcxCustomLookAndFeelPainter::GetScaledSplitterSize(AHorizontal, AScaleFactor);
  if (AHorizontal)
    size.cy = 1;
  else
    size.cx = 1;
  return size;
}

TSize TcxUltraFlatLookAndFeelPainter::GetBevelMinimalShapeSize(TdxBevelShape /*AShape*/) {
  return TSize{1, 1};
}

void TcxUltraFlatLookAndFeelPainter::GetBevelShapeColors(TColor& AColor1, TColor& AColor2) {
  AColor1 = clBtnShadow;
  AColor2 = clNone;
}

TRect TcxUltraFlatLookAndFeelPainter::ScaledButtonFocusRect(TcxCanvas* /*ACanvas*/, const TRect& R,
                                                            TdxScaleFactor* AScaleFactor) {
  const TRect focus = cxRectInflate(R, -AScaleFactor->Apply(3));
  return focus.IsEmpty() ? R : focus;
}

bool TcxUltraFlatLookAndFeelPainter::IsButtonHotTrack() {
  return true;
}

// --- Colours ----------------------------------------------------------------------------------------------

TColor TcxUltraFlatLookAndFeelPainter::ButtonColor(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot:
      return GetLightSelColor();
    case cxbsPressed:
      return GetLightDownedSelColor();
    default:
      return TcxCustomLookAndFeelPainter::ButtonColor(AState);
  }
}

TColor TcxUltraFlatLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) {
  if (AState == cxbsPressed) return clHighlightText;
  return TcxCustomLookAndFeelPainter::ButtonSymbolColor(AState, ADefaultColor);
}

TcxButtonState TcxUltraFlatLookAndFeelPainter::ButtonSymbolState(TcxButtonState /*AState*/) {
  return cxbsNormal;
}

TColor TcxUltraFlatLookAndFeelPainter::RadioButtonBodyColor(TcxButtonState AState) {
  switch (AState) {
    case cxbsNormal:
      return clWindow;
    case cxbsHot:
      return GetLightSelColor();
    case cxbsPressed:
      return GetLightDownedSelColor();
    default:
      return clBtnFace;
  }
}

TColor TcxUltraFlatLookAndFeelPainter::GetSplitterOuterColor(bool AHighlighted) {
  return AHighlighted ? clHighlight : TcxCustomLookAndFeelPainter::GetSplitterOuterColor(AHighlighted);
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultSchedulerBorderColor() {
  return clBtnShadow;
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor() {
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxUltraFlatLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor() {
  return DefaultSchedulerTimeRulerTextColorClassic();
}

TColor TcxUltraFlatLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked) {
  return AChecked ? kUltraFlatToggleCheckedColor : kUltraFlatToggleUncheckedColor;
}

TcxBorders TcxUltraFlatLookAndFeelPainter::HeaderBorders(const TcxNeighbors& ANeighbors) {
  TcxBorders borders = TcxCustomLookAndFeelPainter::HeaderBorders(ANeighbors);
  if (ANeighbors.Contains(nLeft)) borders.Exclude(bLeft);
  if (ANeighbors.Contains(nTop)) borders.Exclude(bTop);
  return borders;
}

TcxBorders TcxUltraFlatLookAndFeelPainter::FooterBorders() {
  return TcxBorders{bRight, bBottom};
}

TColor TcxUltraFlatLookAndFeelPainter::FilterDropDownButtonBorderColor(TcxButtonState AState) {
  return AState == cxbsNormal ? clBtnShadow : clHighlight;
}

TColor TcxUltraFlatLookAndFeelPainter::TabBorderHighlightColor() {
  return clBtnShadow;
}

TColor TcxUltraFlatLookAndFeelPainter::TabBorderDarkColor() {
  return clBtnText;
}

TColor TcxUltraFlatLookAndFeelPainter::BorderHighlightColor() {
  return clHighlight;
}

// --- Borders, buttons and check marks
// -----------------------------------------------------------------------

void TcxUltraFlatLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FrameRect(R, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DoDrawSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                     bool /*AIsVertical*/) {
  ACanvas->FillRect(R, clBtnShadow);
}

void TcxUltraFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState) {
  switch (AState) {
    case cxbsDefault:
      ACanvas->FrameRect(R, clWindowFrame, 2);
      break;
    case cxbsNormal:
      ACanvas->FrameRect(R, clBtnText);
      break;
    case cxbsDisabled:
      ACanvas->FrameRect(R, clBtnShadow);
      break;
    default:
      ACanvas->FrameRect(R, clHighlight);
      break;
  }
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                            bool AExpanded, TdxScaleFactor* AScaleFactor,
                                                            TColor AColor, TcxButtonState /*AState*/) {
  ACanvas->FrameRect(R, clBtnShadow);
  ACanvas->FillRect(cxRectInflate(R, -1), AColor == clDefault ? clBtnFace : AColor);
  DrawExpandButtonCross(ACanvas, R, AExpanded, clBtnText, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxUltraFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxButtonState AState) {
  ACanvas->FrameRect(R, clBtnText);
  ACanvas->FrameRect(cxRectInflate(R, -1), CheckButtonColor(AState, cbsChecked));
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                                    TcxButtonState AState,
                                                                    bool AIsFilterActive,
                                                                    TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FrameRect(R, FilterDropDownButtonBorderColor(AState));
  const TRect inner = cxRectInflate(R, -1);
  ACanvas->FillRect(inner, ButtonColor(AState));
  DrawButtonArrow(ACanvas, inner, AIsFilterActive ? clBlue : ButtonSymbolColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, TColor ABackgroundColor,
                                                               TdxScaleFactor* /*AScaleFactor*/) {
  const TColor face = ButtonColor(AState);
  TColor frame = BorderHighlightColor();
  if (AState == cxbsNormal || AState == cxbsDisabled)
    // Without a background colour of its own the frame melts into the face.
    frame = ABackgroundColor == clDefault ? face : ABackgroundColor;
  ACanvas->FrameRect(R, frame);
  ACanvas->FillRect(cxRectInflate(R, -1), face);
}

void TcxUltraFlatLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas* ACanvas, const TRect& R, bool ASelected) {
  ACanvas->FrameRect(R, ASelected ? BorderHighlightColor() : clBtnShadow, 1, cxBordersAll, true);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 TcxButtonState /*AState*/, bool AChecked,
                                                                 TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  ACanvas->FrameRect(ABounds, AChecked ? clBlack : kUltraFlatToggleUncheckedBorderColor);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 TcxButtonState AState,
                                                                 TdxScaleFactor* AScaleFactor) {
  TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, AScaleFactor);
  ACanvas->FrameRect(cxRectInflate(ABounds, -2), clBlack);
}

void TcxUltraFlatLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool AEnabled,
                                                       TcxGroupBoxCaptionPosition /*ACaptionPosition*/,
                                                       const TcxBorders& ABorders) {
  ACanvas->FrameRect(R, AEnabled ? clHighlight : clBtnShadow, 1, ABorders, true);
}

// --- Headers, footers, tabs
// ---------------------------------------------------------------------------------

void TcxUltraFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R,
                                                      const TcxNeighbors& /*ANeighbors*/,
                                                      const TcxBorders& ABorders) {
  TcxBorders sides{bRight, bBottom};
  if (ABorders.Contains(bLeft)) sides.Include(bLeft);
  if (ABorders.Contains(bTop)) sides.Include(bTop);
  ACanvas->FrameRect(R, clBtnText, 1, sides);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledHeaderEx(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* /*AScaleFactor*/,
    const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawContent(ACanvas, ABounds, cxRectInflate(ATextAreaBounds, -1), AState, AAlignmentHorz, AAlignmentVert,
              AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor, AOnDrawBackground, false);
  DrawHeaderBorder(ACanvas, cxRectInflate(ABounds, -1), ANeighbors, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                    const TcxBorders& ABorders,
                                                                    TcxButtonState AState) {
  ACanvas->FrameRect(R, AState == cxbsDisabled ? clBtnShadow : clBlack, 1, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawHeaderControlSectionContent(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor) {
  const bool tinted = AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled;
  TcxCustomLookAndFeelPainter::DrawHeaderControlSectionContent(
      ACanvas, ABounds, ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis,
      AText, AFont, ATextColor, tinted ? ButtonColor(AState) : ABkColor);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                           bool AAscendingSorting,
                                                           TdxScaleFactor* AScaleFactor) {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnShadow, AAscendingSorting, AScaleFactor);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                  bool AAscendingSorting,
                                                                  TdxScaleFactor* AScaleFactor) {
  DrawSummarySortingArrow(ACanvas, R, clBtnShadow, clBtnShadow, AAscendingSorting, AScaleFactor);
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) {
  DrawFooterBorderEx(ACanvas, R, TcxBorders{bRight, bBottom});
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R,
                                                        const TcxBorders& ABorders) {
  ACanvas->FrameRect(R, FooterSeparatorColor(), FooterSeparatorSize(), ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FrameRect(R, FooterSeparatorColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                                   const TcxBorders& /*ABorders*/, bool AVertical) {
  TRect strip = R;
  const bool dark = AVertical ? ABorder == bBottom : ABorder == bRight;
  if (!AVertical && ABorder == bRight) strip.Bottom -= TabBorderSize(AVertical);
  ACanvas->FillRect(strip, dark ? TabBorderDarkColor() : TabBorderHighlightColor());
}

void TcxUltraFlatLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R,
                                                  const TcxBorders& ABorders, bool AVertical) {
  ACanvas->FrameRect(R, TabBorderHighlightColor(), TabBorderSize(AVertical), ABorders);
}

// --- Scheduler and track bar
// ---------------------------------------------------------------------------------

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerNavigationButtonContent(
    TcxCanvas* ACanvas, const TRect& ARect, const TRect& AArrowRect, bool AIsNextButton,
    TcxButtonState AState, bool AIsVertical) {
  ACanvas->FillRect(ARect, clBtnFace);
  ACanvas->FrameRect(ARect, AState == cxbsHot ? TabBorderHighlightColor() : TabBorderDarkColor(), 1,
                     UltraFlatSchedulerButtonSides(AIsNextButton, AIsVertical));
  DrawSchedulerNavigationButtonArrow(ACanvas, AArrowRect, AIsNextButton, ButtonSymbolColor(AState),
                                     AIsVertical);
}

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerScaledNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                                        TcxButtonState AState,
                                                                        TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor, AState == cxbsHot || AState == cxbsPressed);
}

void TcxUltraFlatLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                 const TcxViewParams& AViewParams,
                                                                 bool AIsHorizontal) {
  const TColor color = DefaultSchedulerBorderColor();
  ACanvas->FrameRect(R, color, 1, AIsHorizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
  ACanvas->FillRect(AIsHorizontal ? cxRectInflate(R, 1, -1) : cxRectInflate(R, -1, 1), AViewParams);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FrameRect(ARect, clWindowText);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(
    TcxCanvas* ACanvas, const std::vector<TPoint>& ALightPolyLine,
    const std::vector<TPoint>& /*AShadowPolyLine*/, const std::vector<TPoint>& ADarkPolyLine) {
  UltraFlatPolyline(ACanvas, ALightPolyLine, clWindowText);
  UltraFlatPolyline(ACanvas, ADarkPolyLine, clWindowText);
}

void TcxUltraFlatLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FrameRect(ARect, clWindowText);
}

// --- Drop-down list box, breadcrumb edit, tokens and print preview
// ---------------------------------------------

TColor TcxUltraFlatLookAndFeelPainter::DropDownListBoxItemTextColor(bool /*ASelected*/) {
  return clMenuText;
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   bool AHasBorders) {
  TRect r = ARect;
  if (AHasBorders) {
    ACanvas->FrameRect(r, clBtnShadow);
    r = cxRectInflate(r, -1);
    ACanvas->FrameRect(r, clBtnHighlight);
    r = cxRectInflate(r, -1);
  }
  ACanvas->FillRect(r, clWindow);
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(
    TcxCanvas* ACanvas, const TRect& ARect, TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ARect, clBtnFace);
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        const TRect& /*AGutterRect*/,
                                                                        TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ARect, GetLightColor(-2, 30, 72));
  ACanvas->FrameRect(ARect, clHighlight);
}

void TcxUltraFlatLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        const TRect& AGutterRect,
                                                                        TdxScaleFactor* AScaleFactor) {
  const int32_t y = (ARect.Top + ARect.Bottom) / 2;
  ACanvas->FillRect(TRect{AGutterRect.Right + AScaleFactor->Apply(4), y, ARect.Right, y + 1}, clBtnShadow);
}

int32_t TcxUltraFlatLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(
    TdxScaleFactor* /*AScaleFactor*/) {
  return 1;
}

TRect TcxUltraFlatLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool AIsFirst, bool AIsLast,
                                                                               TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TRect{AIsFirst ? 2 : 3, 3, AIsLast ? 2 : 3, 3});
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                               const TcxBorders& ABorders,
                                                               TdxBreadcrumbEditState AState) {
  ACanvas->FrameRect(ARect, kUltraFlatBreadcrumbBorderColors[AState], 1, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(
    TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditState AState, TdxScaleFactor* /*AScaleFactor*/) {
  DrawBreadcrumbEditBorders(ACanvas, ARect, TcxBorders{bLeft}, AState);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditCustomButton(TcxCanvas* ACanvas, const TRect& R,
                                                                    const TcxBorders& ABorders,
                                                                    TdxBreadcrumbEditButtonState AState) {
  ACanvas->FillRect(R, ButtonColor(kUltraFlatBreadcrumbButtonStates[AState]));
  ACanvas->FrameRect(R, kUltraFlatBreadcrumbButtonBorderColors[AState], 1, ABorders);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TdxBreadcrumbEditButtonState AState,
                                                                    bool AIsFirst, bool AIsLast,
                                                                    TdxScaleFactor* /*AScaleFactor*/) {
  if (AState == dxbcbsNormal || AState == dxbcbsDisabled) return;
  TcxBorders borders;
  if (!AIsFirst) borders.Include(bLeft);
  if (!AIsLast) borders.Include(bRight);
  DrawBreadcrumbEditCustomButton(ACanvas, ARect, borders, AState);
}

void TcxUltraFlatLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(
    TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState, bool AIsInEditor,
    TdxScaleFactor* /*AScaleFactor*/) {
  if (AIsInEditor || (AState != dxbcbsNormal && AState != dxbcbsDisabled))
    DrawBreadcrumbEditCustomButton(ACanvas, ARect, TcxBorders{bLeft}, AState);
}

void TcxUltraFlatLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState,
                                                               TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FrameRect(R, kUltraFlatTokenFrameColors[AState]);
  if (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDefault)
    ACanvas->FillRect(cxRectInflate(R, -1), ButtonColor(AState));
}

void TcxUltraFlatLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                      TdxScaleFactor* /*AScaleFactor*/) {
  const COLORREF shadow = ColorToRGB(clBtnShadow);
  const auto lighten = [](int32_t c) { return c + (255 - c) / 3; };
  ACanvas->FillRect(R, static_cast<TColor>(RGB(lighten(GetRValue(shadow)), lighten(GetGValue(shadow)),
                                               lighten(GetBValue(shadow)))));
}

// --- Scroll bars
// --------------------------------------------------------------------------------------------------

void TcxUltraFlatLookAndFeelPainter::DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                               const TRect& R, TcxScrollBarPart APart,
                                                               TcxButtonState AState,
                                                               TdxScaleFactor* AScaleFactor) {
  if (R.IsEmpty() || (APart == sbpThumbnail && AState == cxbsDisabled)) return;
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
    case sbpThumbnail:
      DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
      if (APart != sbpThumbnail)
        DrawScaledScrollBarArrow(ACanvas, R, AState, GetArrowDirection(AHorizontal, APart), AScaleFactor);
      break;
    case sbpPageUp:
    case sbpPageDown:
      cxClassicPainting::DrawScrollBarPagePart(ACanvas, R, AState);
      break;
    default:
      break;
  }
}

}  // namespace qd
