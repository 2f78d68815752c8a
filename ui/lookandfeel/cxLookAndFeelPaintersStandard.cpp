#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"

#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxStandardLookAndFeelPainter)

namespace {

constexpr TColor kStandardToggleCheckedColor = static_cast<TColor>(0x219921);
constexpr TColor kStandardToggleUncheckedColor = static_cast<TColor>(0xE3E3E3);
constexpr TColor kStandardToggleBorderColor = static_cast<TColor>(0x696969);

// Two nested one-pixel frames: (AOuter1, AOuter2) on R, (AInner1, AInner2) one pixel inside.
void StandardDrawRings(TcxCanvas* ACanvas, const TRect& R, TColor AOuter1, TColor AOuter2, TColor AInner1,
                       TColor AInner2, const TcxBorders& ABorders = cxBordersAll) {
  ACanvas->DrawComplexFrame(R, AOuter1, AOuter2, ABorders);
  ACanvas->DrawComplexFrame(cxRectInflate(R, -1), AInner1, AInner2, ABorders);
}

void StandardPolyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints, TColor AColor) {
  if (APoints.empty()) return;
  ACanvas->Pen()->SetColor(AColor);
  ACanvas->Polyline(APoints);
}

}  // namespace

// --- Shared classic rules -------------------------------------------------------------------------

namespace cxClassicPainting {

void DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R, const TcxNeighbors& ANeighbors) {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow);
  if (ANeighbors.Contains(nLeft)) {
    ACanvas->SetPixel(R.Left, R.Top + 1, clBtnFace);
    ACanvas->SetPixel(R.Left, R.Bottom - 2, clBtnFace);
  }
  if (ANeighbors.Contains(nRight)) {
    ACanvas->SetPixel(R.Right - 1, R.Top, clBtnHighlight);
    ACanvas->SetPixel(R.Right - 1, R.Top + 1, clBtnFace);
    ACanvas->SetPixel(R.Right - 1, R.Bottom - 2, clBtnFace);
  }
}

void DrawFilterDropDownButton(TcxCustomLookAndFeelPainter* APainter, TcxCanvas* ACanvas, const TRect& R,
                              TcxButtonState AState, bool AIsFilterActive) {
  if (AState == cxbsPressed)
    ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
  else
    ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow);
  const TRect inner = cxRectInflate(R, -1);
  ACanvas->FillRect(inner, clBtnFace);
  APainter->DrawButtonArrow(ACanvas, inner, AIsFilterActive ? clBlue : clBtnText);
}

void DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders) {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, ABorders);
}

void DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder, const TcxBorders& ABorders,
                   bool AVertical) {
  TRect strip = R;
  TColor color = clBtnHighlight;
  if (AVertical) {
    if (ABorder == bLeft) {
      strip.Top += ABorders.Contains(bTop) ? 2 : 1;
      strip.Bottom -= ABorders.Contains(bBottom) ? 2 : 1;
      ACanvas->SetPixel(strip.Left + 1, strip.Top - 1, clBtnHighlight);
      ACanvas->SetPixel(strip.Left + 1, strip.Bottom, clBtnHighlight);
    } else if ((ABorder == bTop || ABorder == bBottom) && ABorders.Contains(bLeft)) {
      strip.Left += 1;
    }
    if (ABorder == bBottom) color = clBtnShadow;
  } else {
    if (ABorder == bLeft || ABorder == bRight) {
      if (ABorders.Contains(bTop)) strip.Top += 2;
      if (ABorders.Contains(bBottom)) strip.Bottom -= 1;
    } else if (ABorder == bTop) {
      strip.Left += 1;
      strip.Right -= 1;
      ACanvas->SetPixel(strip.Left - 1, strip.Top + 1, clBtnHighlight);
      ACanvas->SetPixel(strip.Right, strip.Top + 1, clBtnHighlight);
    }
    if (ABorder == bRight) color = clBtnShadow;
  }
  ACanvas->FillRect(strip, color);
}

void DrawScrollBarPagePart(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  TBitmap* pattern = StdScrollBitmaps[AState == cxbsPressed ? 1 : 0].get();
  ACanvas->FillRect(R, pattern);
  ACanvas->Brush()->SetStyle(bsSolid);
}

}  // namespace cxClassicPainting

// --- Identity and metrics ---------------------------------------------------------------------------

String TcxStandardLookAndFeelPainter::LookAndFeelName() {
  return u"Standard";
}

TcxLookAndFeelStyle TcxStandardLookAndFeelPainter::LookAndFeelStyle() {
  return lfsStandard;
}

int32_t TcxStandardLookAndFeelPainter::BorderSize() {
  return 2;
}

int32_t TcxStandardLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) {
  return AState == cxbsDefault ? 3 : 2;
}

int32_t TcxStandardLookAndFeelPainter::ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

int32_t TcxStandardLookAndFeelPainter::ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

int32_t TcxStandardLookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(12);
}

int32_t TcxStandardLookAndFeelPainter::HeaderBorderSize() {
  return 1;
}

int32_t TcxStandardLookAndFeelPainter::FooterBorderSize() {
  return 1;
}

int32_t TcxStandardLookAndFeelPainter::FooterCellBorderSize() {
  return 1;
}

int32_t TcxStandardLookAndFeelPainter::FooterCellOffset() {
  return 1;
}

int32_t TcxStandardLookAndFeelPainter::TabBorderSize(bool /*AVertical*/) {
  return 1;
}

int32_t TcxStandardLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState AState) {
  return AState == cxbsPressed ? 1 : 2;
}

TPoint TcxStandardLookAndFeelPainter::ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{8, 7});
}

TPoint TcxStandardLookAndFeelPainter::ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{8, 8});
}

bool TcxStandardLookAndFeelPainter::IsButtonHotTrack() {
  return false;
}

TColor TcxStandardLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked) {
  return AChecked ? kStandardToggleCheckedColor : kStandardToggleUncheckedColor;
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerViewContentColor() {
  return DefaultSchedulerViewContentColorClassic();
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor() {
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxStandardLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor() {
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

// --- Borders, frames and buttons ---------------------------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  StandardDrawRings(ACanvas, R, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
}

void TcxStandardLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxButtonState AState) {
  TRect r = R;
  if (AState == cxbsPressed || AState == cxbsDefault) {
    ACanvas->FrameRect(r, clBlack);
    r = cxRectInflate(r, -1);
  }
  if (AState == cxbsPressed)
    ACanvas->DrawComplexFrame(r, clBtnShadow, clBtnShadow);
  else
    StandardDrawRings(ACanvas, r, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow);
}

// The sunken rings in the order their colour pairs give: the dark shadow ring outside.
void TcxStandardLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R,
                                                    TcxButtonState /*AState*/) {
  StandardDrawRings(ACanvas, R, cl3DDkShadow, cl3DLight, clBtnShadow, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                           TdxScaleFactor* AScaleFactor, TColor AColor,
                                                           TcxButtonState /*AState*/) {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, TcxBorders{bLeft, bTop});
  ACanvas->DrawComplexFrame(R, cl3DLight, cl3DDkShadow, TcxBorders{bRight, bBottom});
  const TRect inner = cxRectInflate(R, -1);
  ACanvas->DrawComplexFrame(inner, clBtnHighlight, clBtnShadow, TcxBorders{bRight, bBottom});
  ACanvas->FillRect(TRect{inner.Left, inner.Top, inner.Right - 1, inner.Bottom - 1},
                    AColor == clDefault ? clBtnFace : AColor);
  // Centred inside the outer ring, so that the sign's ends stop short of the inner one.
  DrawExpandButtonCross(ACanvas, inner, AExpanded, clBtnText, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxStandardLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                bool AExpanded, TcxButtonState AState,
                                                                TdxScaleFactor* AScaleFactor) {
  TcxLookAndFeelPaintersManager* manager = cxLookAndFeelPaintersManager();
  TcxCustomLookAndFeelPainter* flat = manager ? manager->GetPainter(lfsFlat) : nullptr;
  if (flat)
    flat->DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, AScaleFactor);
  else
    TcxCustomLookAndFeelPainter::DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, AScaleFactor);
}

void TcxStandardLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState,
                                                                   bool AIsFilterActive,
                                                                   TdxScaleFactor* /*AScaleFactor*/) {
  cxClassicPainting::DrawFilterDropDownButton(this, ACanvas, R, AState, AIsFilterActive);
}

void TcxStandardLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                TcxButtonState /*AState*/, bool AChecked,
                                                                TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  DrawContainerBorder(ACanvas, ABounds, cbs3D, 2, kStandardToggleBorderColor, cxBordersAll);
}

void TcxStandardLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool /*AEnabled*/,
                                                      TcxGroupBoxCaptionPosition /*ACaptionPosition*/,
                                                      const TcxBorders& ABorders) {
  const TRect shadow{R.Left, R.Top, R.Right - 1, R.Bottom - 1};
  const TRect highlight = cxRectOffset(shadow, 1, 1);
  ACanvas->FrameRect(shadow, clBtnShadow, 1, ABorders);
  ACanvas->FrameRect(highlight, clBtnHighlight, 1, ABorders);
  ACanvas->ExcludeFrameRect(shadow, 1, ABorders);
  ACanvas->ExcludeFrameRect(highlight, 1, ABorders);
}

void TcxStandardLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                        const TcxBorders& /*ABorders*/) {}

void TcxStandardLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState,
                                                              TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
  if (AState == cxbsHot)
    ACanvas->DrawComplexFrame(cxRectInflate(R, -1), clBtnHighlight, clBtnShadow);
  else if (AState == cxbsPressed)
    ACanvas->DrawComplexFrame(cxRectInflate(R, -1), clBtnShadow, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TdxBreadcrumbEditButtonState AState,
                                                                   bool /*AIsFirst*/, bool /*AIsLast*/,
                                                                   TdxScaleFactor* /*AScaleFactor*/) {
  if (ARect.IsEmpty()) return;
  if (AState == dxbcbsPressed)
    ACanvas->DrawComplexFrame(ARect, clBtnShadow, clBtnHighlight);
  else if (AState == dxbcbsFocused || AState == dxbcbsHot)
    ACanvas->DrawComplexFrame(ARect, clBtnHighlight, clBtnShadow);
}

// --- Headers and footers -------------------------------------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R,
                                                     const TcxNeighbors& ANeighbors,
                                                     const TcxBorders& /*ABorders*/) {
  cxClassicPainting::DrawHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxStandardLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                   const TcxBorders& ABorders,
                                                                   TcxButtonState AState) {
  if (AState == cxbsPressed)
    ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnShadow, ABorders);
  else
    StandardDrawRings(ACanvas, R, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow, ABorders);
}

void TcxStandardLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                          bool AAscendingSorting,
                                                          TdxScaleFactor* AScaleFactor) {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnHighlight, AAscendingSorting, AScaleFactor);
}

void TcxStandardLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                 bool AAscendingSorting,
                                                                 TdxScaleFactor* AScaleFactor) {
  DrawSummarySortingArrow(ACanvas, R, clBtnShadow, clBtnHighlight, AAscendingSorting, AScaleFactor);
}

void TcxStandardLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
}

void TcxStandardLookAndFeelPainter::DrawScaledMonthHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                                          const String& AText, const TcxNeighbors& ANeighbors,
                                                          const TcxViewParams& AViewParams,
                                                          const TcxArrowDirections& AArrows,
                                                          int32_t ASideWidth, TdxScaleFactor* AScaleFactor,
                                                          const TcxDrawBackgroundEvent& AOnDrawBackground) {
  // By (right neighbour) + 2 x (left neighbour): the sides a neighbour does not frame.
  static const TcxBorders framedSides[4] = {cxBordersAll, TcxBorders{bLeft, bTop, bBottom},
                                            TcxBorders{bTop, bRight, bBottom}, TcxBorders{bTop, bBottom}};
  const TcxBorders sides =
      framedSides[(ANeighbors.Contains(nRight) ? 1 : 0) + (ANeighbors.Contains(nLeft) ? 2 : 0)];
  ACanvas->FrameRect(ABounds, clBlack, 1, sides);
  const TRect content = ScaledHeaderContentBounds(ABounds, sides, AScaleFactor);
  DrawScaledHeader(ACanvas, content, content, ANeighbors, cxBordersAll, cxbsNormal, taCenter, vaCenter, false,
                   false, AText, AViewParams.Font, AViewParams.TextColor, AViewParams.Color, AScaleFactor,
                   AOnDrawBackground, false, false);
  DrawMonthHeaderArrows(ACanvas, ABounds, AArrows, ASideWidth, clWindowText);
}

// --- Tabs, scheduler, track bar ---------------------------------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R,
                                                 const TcxBorders& ABorders, bool /*AVertical*/) {
  cxClassicPainting::DrawTabsRoot(ACanvas, R, ABorders);
}

void TcxStandardLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                                  const TcxBorders& ABorders, bool AVertical) {
  cxClassicPainting::DrawTabBorder(ACanvas, R, ABorder, ABorders, AVertical);
}

void TcxStandardLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                                const TcxViewParams& AViewParams,
                                                                bool AIsHorizontal) {
  // Two pairs of lines along the bar, each pair one pixel further in across it and one pixel
  // longer along it.
  static constexpr TColor pairs[2][2] = {{clBtnFace, cl3DDkShadow}, {clBtnHighlight, clBtnShadow}};
  TRect r = R;
  for (const auto& pair : pairs) {
    ACanvas->DrawComplexFrame(r, pair[0], pair[1],
                              AIsHorizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
    r = AIsHorizontal ? cxRectInflate(r, 1, -1) : cxRectInflate(r, -1, 1);
  }
  ACanvas->FillRect(r, AViewParams);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) {
  StandardDrawRings(ACanvas, ARect, clBtnShadow, clBtnHighlight, cl3DDkShadow, cl3DLight);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas,
                                                                  const std::vector<TPoint>& ALightPolyLine,
                                                                  const std::vector<TPoint>& AShadowPolyLine,
                                                                  const std::vector<TPoint>& ADarkPolyLine) {
  StandardPolyline(ACanvas, ALightPolyLine, clBtnHighlight);
  StandardPolyline(ACanvas, AShadowPolyLine, clBtnShadow);
  StandardPolyline(ACanvas, ADarkPolyLine, cl3DDkShadow);
}

void TcxStandardLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) {
  StandardDrawRings(ACanvas, ARect, clBtnHighlight, cl3DDkShadow, cl3DLight, clBtnShadow);
}

// --- Scroll bars -------------------------------------------------------------------------------------------

void TcxStandardLookAndFeelPainter::DrawScrollBarButtonBorder(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxScrollBarPart APart, TcxButtonState AState) {
  if (AState == cxbsPressed && APart != sbpThumbnail)
    StandardDrawRings(ACanvas, R, clBtnShadow, clBtnShadow, clBtnFace, clBtnFace);
  else
    StandardDrawRings(ACanvas, R, clBtnFace, cl3DDkShadow, clBtnHighlight, clBtnShadow);
}

void TcxStandardLookAndFeelPainter::DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                              const TRect& R, TcxScrollBarPart APart,
                                                              TcxButtonState AState,
                                                              TdxScaleFactor* /*AScaleFactor*/) {
  if (R.IsEmpty() || (APart == sbpThumbnail && AState == cxbsDisabled)) return;
  if (AState == cxbsHot) AState = cxbsNormal;
  switch (APart) {
    case sbpPageUp:
    case sbpPageDown:
      cxClassicPainting::DrawScrollBarPagePart(ACanvas, R, AState);
      break;
    case sbpThumbnail:
      DrawScrollBarButtonBorder(ACanvas, R, APart, AState);
      ACanvas->FillRect(cxRectInflate(R, -ButtonBorderSize(cxbsNormal)), clBtnFace);
      break;
    case sbpLineUp:
    case sbpLineDown: {
      // By horizontal, then part (line up, line down).
      static constexpr UINT arrowKinds[2][2] = {{DFCS_SCROLLUP, DFCS_SCROLLDOWN},
                                                {DFCS_SCROLLLEFT, DFCS_SCROLLRIGHT}};
      UINT state = arrowKinds[AHorizontal ? 1 : 0][APart == sbpLineDown ? 1 : 0];
      if (AState == cxbsDisabled) state |= DFCS_INACTIVE;
      if (AState == cxbsPressed) state |= DFCS_FLAT;
      RECT r = AState == cxbsPressed ? cxRectOffset(R, 1, 1) : R;
      // The pressed arrow moves one pixel right and down; the clip keeps it inside the button.
      ACanvas->SaveClipRegion();
      ACanvas->IntersectClipRect(R);
      DrawFrameControl(ACanvas->Handle(), &r, DFC_SCROLL, state);
      ACanvas->RestoreClipRegion();
      DrawScrollBarButtonBorder(ACanvas, R, APart, AState);
      break;
    }
    default:
      break;
  }
}

}  // namespace qd
