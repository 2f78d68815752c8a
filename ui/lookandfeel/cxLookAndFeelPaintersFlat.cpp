#include "ui/lookandfeel/cxLookAndFeelPaintersFlat.h"

#include "ui/core/cxGeometry.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersStandard.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxFlatLookAndFeelPainter)

namespace {

constexpr TColor kFlatToggleCheckedColor = static_cast<TColor>(0xA0A0A0);
constexpr TColor kFlatToggleUncheckedColor = static_cast<TColor>(0xC8C8C8);
constexpr TColor kFlatToggleBorderColor = static_cast<TColor>(0xA0A0A0);

void FlatPolyline(TcxCanvas* ACanvas, const std::vector<TPoint>& APoints, TColor AColor) {
  if (APoints.empty()) return;
  ACanvas->Pen()->SetColor(AColor);
  ACanvas->Polyline(APoints);
}

}  // namespace

// --- Identity, metrics and colours ----------------------------------------------------------------

String TcxFlatLookAndFeelPainter::LookAndFeelName() {
  return u"Flat";
}

TcxLookAndFeelStyle TcxFlatLookAndFeelPainter::LookAndFeelStyle() {
  return lfsFlat;
}

int32_t TcxFlatLookAndFeelPainter::BorderSize() {
  return 1;
}

int32_t TcxFlatLookAndFeelPainter::SeparatorSize() {
  return 2;
}

int32_t TcxFlatLookAndFeelPainter::ButtonBorderSize(TcxButtonState AState) {
  return AState == cxbsDefault ? 2 : 1;
}

int32_t TcxFlatLookAndFeelPainter::ScaledButtonTextOffset(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

int32_t TcxFlatLookAndFeelPainter::ScaledButtonTextShift(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

int32_t TcxFlatLookAndFeelPainter::ScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(11);
}

int32_t TcxFlatLookAndFeelPainter::HeaderBorderSize() {
  return 1;
}

int32_t TcxFlatLookAndFeelPainter::FooterBorderSize() {
  return 1;
}

int32_t TcxFlatLookAndFeelPainter::FooterCellBorderSize() {
  return 1;
}

int32_t TcxFlatLookAndFeelPainter::FooterCellOffset() {
  return 1;
}

int32_t TcxFlatLookAndFeelPainter::TabBorderSize(bool /*AVertical*/) {
  return 1;
}

TPoint TcxFlatLookAndFeelPainter::ScaledSortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{8, 7});
}

TPoint TcxFlatLookAndFeelPainter::ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{8, 8});
}

bool TcxFlatLookAndFeelPainter::IsButtonHotTrack() {
  return false;
}

TColor TcxFlatLookAndFeelPainter::ToggleSwitchToggleColor(bool AChecked) {
  return AChecked ? kFlatToggleCheckedColor : kFlatToggleUncheckedColor;
}

TColor TcxFlatLookAndFeelPainter::GetSplitterOuterColor(bool AHighlighted) {
  return AHighlighted ? cl3DDkShadow : TcxCustomLookAndFeelPainter::GetSplitterOuterColor(AHighlighted);
}

TColor TcxFlatLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor() {
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

TColor TcxFlatLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor() {
  return DefaultSchedulerTimeRulerBorderColorClassic();
}

// --- Drawing --------------------------------------------------------------------------------------------

void TcxFlatLookAndFeelPainter::DrawBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
}

void TcxFlatLookAndFeelPainter::DrawButtonBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  switch (AState) {
    case cxbsPressed:
      ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
      break;
    case cxbsDefault:
      ACanvas->FrameRect(R, clBlack);
      ACanvas->DrawComplexFrame(cxRectInflate(R, -1), clBtnHighlight, clBtnShadow);
      break;
    default:
      ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow);
      break;
  }
}

void TcxFlatLookAndFeelPainter::DrawScaledExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                       TdxScaleFactor* AScaleFactor, TColor AColor,
                                                       TcxButtonState /*AState*/) {
  DrawScaledButton(ACanvas, R, String(), cxbsNormal, AScaleFactor, true, AColor);
  DrawExpandButtonCross(ACanvas, cxRectInflate(R, -1), AExpanded, clBtnText, AScaleFactor);
  ACanvas->ExcludeClipRect(R);
}

void TcxFlatLookAndFeelPainter::DrawCheckBorder(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
  ACanvas->FrameRect(cxRectInflate(R, -1), CheckButtonColor(AState, cbsChecked));
}

void TcxFlatLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* ACanvas, const TRect& R,
                                                 const TcxNeighbors& ANeighbors,
                                                 const TcxBorders& /*ABorders*/) {
  cxClassicPainting::DrawHeaderBorder(ACanvas, R, ANeighbors);
}

void TcxFlatLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, bool AIsFilterActive,
                                                               TdxScaleFactor* /*AScaleFactor*/) {
  cxClassicPainting::DrawFilterDropDownButton(this, ACanvas, R, AState, AIsFilterActive);
}

void TcxFlatLookAndFeelPainter::DrawTabBorder(TcxCanvas* ACanvas, const TRect& R, TcxBorder ABorder,
                                              const TcxBorders& ABorders, bool AVertical) {
  cxClassicPainting::DrawTabBorder(ACanvas, R, ABorder, ABorders, AVertical);
}

void TcxFlatLookAndFeelPainter::DrawTabsRoot(TcxCanvas* ACanvas, const TRect& R, const TcxBorders& ABorders,
                                             bool /*AVertical*/) {
  cxClassicPainting::DrawTabsRoot(ACanvas, R, ABorders);
}

void TcxFlatLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* ACanvas, const TRect& R,
                                                               const TcxBorders& ABorders,
                                                               TcxButtonState AState) {
  if (AState == cxbsPressed)
    ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight, ABorders);
  else
    ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow, ABorders);
}

void TcxFlatLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                      bool AAscendingSorting, TdxScaleFactor* AScaleFactor) {
  DrawSortingArrow(ACanvas, R, clBtnShadow, clBtnHighlight, AAscendingSorting, AScaleFactor);
}

void TcxFlatLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                             bool AAscendingSorting,
                                                             TdxScaleFactor* AScaleFactor) {
  DrawSummarySortingArrow(ACanvas, R, clBtnShadow, clBtnHighlight, AAscendingSorting, AScaleFactor);
}

void TcxFlatLookAndFeelPainter::DrawFooterBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->DrawComplexFrame(R, clBtnShadow, clBtnHighlight);
}

void TcxFlatLookAndFeelPainter::DrawSchedulerSplitterBorder(TcxCanvas* ACanvas, const TRect& R,
                                                            const TcxViewParams& AViewParams,
                                                            bool AIsHorizontal) {
  ACanvas->DrawComplexFrame(R, clBtnHighlight, clBtnShadow,
                            AIsHorizontal ? TcxBorders{bTop, bBottom} : TcxBorders{bLeft, bRight});
  ACanvas->FillRect(AIsHorizontal ? cxRectInflate(R, 1, -1) : cxRectInflate(R, -1, 1), AViewParams);
}

void TcxFlatLookAndFeelPainter::DrawGroupBoxFrame(TcxCanvas* ACanvas, const TRect& R, bool /*AEnabled*/,
                                                  TcxGroupBoxCaptionPosition /*ACaptionPosition*/,
                                                  const TcxBorders& ABorders) {
  const TRect inner = cxRectInflate(R, -1);
  ACanvas->FrameRect(R, clBtnShadow, 1, ABorders);
  ACanvas->FrameRect(inner, clBtnHighlight, 1, ABorders);
  ACanvas->ExcludeFrameRect(R, 1, ABorders);
  ACanvas->ExcludeFrameRect(inner, 1, ABorders);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarTrackBounds(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->DrawComplexFrame(ARect, clBtnShadow, clBtnHighlight);
  ACanvas->DrawComplexFrame(cxRectInflate(ARect, -1), clBtnFace, clBtnFace);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarThumbBorderUpDown(TcxCanvas* ACanvas,
                                                              const std::vector<TPoint>& ALightPolyLine,
                                                              const std::vector<TPoint>& /*AShadowPolyLine*/,
                                                              const std::vector<TPoint>& ADarkPolyLine) {
  FlatPolyline(ACanvas, ALightPolyLine, clBtnHighlight);
  FlatPolyline(ACanvas, ADarkPolyLine, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawTrackBarThumbBorderBoth(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->DrawComplexFrame(ARect, clBtnHighlight, clBtnShadow);
}

void TcxFlatLookAndFeelPainter::DrawDateNavigatorDateHeader(TcxCanvas* ACanvas, TRect& R) {
  ACanvas->FillRect(R, DefaultDateNavigatorHeaderColor());
  ACanvas->FillRect(TRect{R.Left, R.Bottom - 1, R.Right, R.Bottom}, clBtnFace);
  --R.Bottom;
}

void TcxFlatLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState /*AState*/, bool AChecked,
                                                            TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ABounds, ToggleSwitchToggleColor(AChecked));
  const int32_t right = ABounds.Right - 1;
  const int32_t bottom = ABounds.Bottom - 1;
  ACanvas->Pen()->SetColor(kFlatToggleBorderColor);
  ACanvas->MoveTo(ABounds.Left, bottom);
  ACanvas->LineTo(ABounds.Left, ABounds.Top);
  ACanvas->LineTo(right, ABounds.Top);
  ACanvas->Pen()->SetColor(clWhite);
  ACanvas->LineTo(right, bottom);
  ACanvas->LineTo(ABounds.Left, bottom);
}

void TcxFlatLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                    const TcxBorders& /*ABorders*/) {}

void TcxFlatLookAndFeelPainter::DoDrawScaledScrollBarPart(TcxCanvas* ACanvas, bool AHorizontal,
                                                          const TRect& R, TcxScrollBarPart APart,
                                                          TcxButtonState AState,
                                                          TdxScaleFactor* AScaleFactor) {
  if (R.IsEmpty() || (APart == sbpThumbnail && AState == cxbsDisabled)) return;
  if (AState == cxbsHot) AState = cxbsNormal;
  switch (APart) {
    case sbpLineUp:
    case sbpLineDown:
    case sbpThumbnail: {
      DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
      if (APart != sbpThumbnail)
        DrawScaledScrollBarArrow(ACanvas, cxRectInflate(R, -ButtonBorderSize(cxbsNormal)), AState,
                                 GetArrowDirection(AHorizontal, APart), AScaleFactor);
      break;
    }
    case sbpPageUp:
    case sbpPageDown:
      cxClassicPainting::DrawScrollBarPagePart(ACanvas, R, AState);
      break;
    default:
      break;
  }
}

}  // namespace qd
