// The base painter's default colours: system colours, a few fixed ones, and colours that
// follow other colour operations.
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

#include "platform/forms/graphics.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"
#include "ui/graphics/dxOffice11.h"

namespace qd {

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderHighlightTextColor() {
  return IsWinVistaOrLater() ? clHotLight : clHighlightText;
}

TColor TcxCustomLookAndFeelPainter::DefaultContentColor() {
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultContentEvenColor() {
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultContentOddColor() {
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultContentTextColor() {
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultControlColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultControlTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorBackgroundColor(bool AIsDisabled) {
  return DefaultEditorBackgroundColorEx(cxEditStateColorKindMap[!AIsDisabled]);
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorBackgroundColorEx(TcxEditStateColorKind) {
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorTextColor(bool AIsDisabled) {
  return DefaultEditorTextColorEx(cxEditStateColorKindMap[!AIsDisabled]);
}

TColor TcxCustomLookAndFeelPainter::DefaultEditorTextColorEx(TcxEditStateColorKind) {
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultFilterBoxColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultFilterBoxTextColor() {
  return clBtnHighlight;
}

TColor TcxCustomLookAndFeelPainter::DefaultFixedSeparatorColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultFooterColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultFooterTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultGridDetailsSiteColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultGridLineColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupByBoxTextColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupColor() {
  return clBtnFace;
}

TRect TcxCustomLookAndFeelPainter::DefaultGroupContentOffsets() {
  return cxNullRect;
}

TColor TcxCustomLookAndFeelPainter::DefaultGroupTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderBackgroundTextColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultHeaderTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultHyperlinkTextColor() {
  return clBlue;
}

TColor TcxCustomLookAndFeelPainter::DefaultInactiveColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultInactiveTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultPreviewTextColor() {
  return clBlue;
}

TColor TcxCustomLookAndFeelPainter::DefaultRecordSeparatorColor() {
  return DefaultGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSizeGripAreaColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTreeListGridLineColor() {
  return DefaultGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultTreeListTreeLineColor() {
  return DefaultGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridBandLineColor() {
  return DefaultVGridLineColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridCategoryColor() {
  return DefaultHeaderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridCategoryTextColor() {
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentColor() {
  return GridLikeControlContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentEvenColor() {
  return GridLikeControlContentEvenColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentOddColor() {
  return GridLikeControlContentOddColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridContentTextColor() {
  return DefaultContentTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridHeaderColor() {
  return DefaultHeaderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridHeaderTextColor() {
  return DefaultHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultVGridLineColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorContentColor() {
  const TColor color = DefaultEditorBackgroundColor(false);
  return color != clDefault ? color : DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHeaderTextColor(bool AIsHighlight) {
  return AIsHighlight ? DefaultDateNavigatorHeaderHighlightTextColor() : DefaultHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorHolydayTextColor() {
  return clRed;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorInactiveTextColor() {
  return clGrayText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSelectionColor() {
  return clHighlight;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSelectionTextColor() {
  return clHighlightText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSeparator1Color() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorSeparator2Color() {
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTextColor() {
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayFrameColor() {
  return clMaroon;
}

TColor TcxCustomLookAndFeelPainter::DefaultDateNavigatorTodayTextColor(bool ASelected) {
  return ASelected ? clDefault : clNavy;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerBackgroundColor() {
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerBorderColor() {
  return static_cast<TColor>(0x9D9DA1);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerContentColor(int32_t) {
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerControlColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDayHeaderColor() {
  return static_cast<TColor>(0xF0F0F0);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDayHeaderBorderColor() {
  return static_cast<TColor>(0xE1E1E1);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDayHeaderTextColor() {
  return static_cast<TColor>(0x444444);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerDateNavigatorArrowColor(bool AIsHighlight) {
  return AIsHighlight ? DefaultDateNavigatorHeaderHighlightTextColor() : static_cast<TColor>(0x5F5F5F);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerAlternateBackgroundColor() {
  return dxOffice11SelectedDownColor1;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerBackgroundColor(bool ASelected) {
  return ASelected ? DefaultSelectionColor() : clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerTextColor(bool ASelected) {
  return ASelected ? DefaultSelectionTextColor() : DefaultSchedulerDayHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerHeaderContainerBorderColor() {
  return static_cast<TColor>(0xE1E1E1);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerEventColor(bool) {
  return static_cast<TColor>(0xD7D7D7);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerEventColorClassic(bool AIsAllDayEvent) {
  return AIsAllDayEvent ? clWhite : clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerNavigatorColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerSelectedEventBorderColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTextColor() {
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColor() {
  return DefaultSchedulerHeaderContainerBorderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerBorderColorClassic() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerColor() {
  return DefaultSchedulerHeaderContainerBackgroundColor(false);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerColorClassic() {
  return DefaultHeaderColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerTextColor() {
  return static_cast<TColor>(0x666666);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerTimeRulerTextColorClassic() {
  return DefaultHeaderTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewContentColor() {
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewContentColorClassic() {
  return static_cast<TColor>(0xD5FFFF);
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewSelectedTextColor() {
  return DefaultSelectionTextColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerViewTextColor() {
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::DefaultSchedulerYearViewUnusedContentColor(bool) {
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::DefaultSelectionColor() {
  return clHighlight;
}

TColor TcxCustomLookAndFeelPainter::DefaultSelectionTextColor() {
  return clHighlightText;
}

TColor TcxCustomLookAndFeelPainter::DefaultSeparatorColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTabColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTabTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultTabsBackgroundColor() {
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::DefaultRootTabsBackgroundColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMajorScaleColor() {
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMajorScaleTextColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMinorScaleColor() {
  return clBtnFace;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridMinorScaleTextColor() {
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::DefaultTimeGridSelectionBarColor() {
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartDiagramValueBorderColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartDiagramValueCaptionTextColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramAxisColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramGridLineColor() {
  return static_cast<TColor>(0xCFCFCF);
}

TColor TcxCustomLookAndFeelPainter::DefaultChartHistogramPlotColor() {
  return clWhite;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteBorderColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteCaptionColor() {
  return static_cast<TColor>(0xF0CAA6);
}

TColor TcxCustomLookAndFeelPainter::DefaultChartPieDiagramSeriesSiteCaptionTextColor() {
  return clNavy;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartToolBoxDataLevelInfoBorderColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultChartToolBoxItemSeparatorColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewCaptionColor(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot:
      return DefaultSelectionColor();
    case cxbsDisabled:
      return clInactiveCaption;
    default:
      return DefaultGroupColor();
  }
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewCaptionTextColor(TcxGroupBoxCaptionPosition,
                                                                      TcxButtonState AState) {
  return DefaultLayoutViewContentTextColor(AState);
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewContentColor() {
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::DefaultLayoutViewContentTextColor(TcxButtonState AState) {
  switch (AState) {
    case cxbsPressed:
      return DefaultSelectionTextColor();
    case cxbsDisabled:
      return clInactiveCaptionText;
    default:
      return DefaultContentTextColor();
  }
}

TColor TcxCustomLookAndFeelPainter::DefaultGridOptionsTreeViewCategoryColor(bool ASelected) {
  return ASelected ? clHighlight : clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::DefaultGridOptionsTreeViewCategoryTextColor(bool ASelected) {
  return ASelected ? clHighlightText : clBtnText;
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlBackgroundColor() {
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentColor() {
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentEvenColor() {
  return DefaultContentEvenColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentOddColor() {
  return DefaultContentOddColor();
}

TColor TcxCustomLookAndFeelPainter::GridLikeControlContentTextColor() {
  return DefaultContentTextColor();
}

bool TcxCustomLookAndFeelPainter::GridLikeControlDefaultUseOddEvenStyle() {
  return GridLikeControlContentColor() != GridLikeControlContentOddColor() ||
         GridLikeControlContentOddColor() != GridLikeControlContentEvenColor();
}

}  // namespace qd
