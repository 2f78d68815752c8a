// The skin painter's operations for grids: colours, headers, sorting marks, row indicators,
// footer cells, filter buttons and panels, and the group-by box.
#include <algorithm>

#include "ui/core/cxGeometry.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/skins/dxSkinsLookAndFeelPainter.h"
#include "ui/skins/dxSkinsLookAndFeelPainterUtils.h"

namespace qd {

// --- Colours -----------------------------------------------------------------------------------------------

TColor TdxSkinLookAndFeelPainter::DefaultGridLineColor() {
  TdxSkinElement* line = GetSkinInfo()->GridLine;
  return line ? line->Color() : inherited::DefaultGridLineColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultFixedSeparatorColor() {
  TdxSkinElement* line = GetSkinInfo()->GridFixedLine;
  return line ? line->Color() : inherited::DefaultFixedSeparatorColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultRecordSeparatorColor() {
  TdxSkinElement* line = GetSkinInfo()->GridFixedLine;
  return line ? line->Color() : inherited::DefaultRecordSeparatorColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultSeparatorColor() {
  TdxSkinElement* separator = GetSkinInfo()->CardViewSeparator;
  return separator ? separator->Color() : inherited::DefaultSeparatorColor();
}

TColor TdxSkinLookAndFeelPainter::FooterSeparatorColor() {
  return DefaultGridLineColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultGroupColor() {
  TdxSkinElement* row = GetSkinInfo()->GridGroupRow;
  return row ? row->Color() : inherited::DefaultGroupColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultGroupTextColor() {
  TdxSkinElement* row = GetSkinInfo()->GridGroupRow;
  return row ? row->TextColor() : inherited::DefaultGroupTextColor();
}

TRect TdxSkinLookAndFeelPainter::DefaultGroupContentOffsets() {
  TdxSkinElement* row = GetSkinInfo()->GridGroupRow;
  return row ? ContentOffsets(row) : inherited::DefaultGroupContentOffsets();
}

TColor TdxSkinLookAndFeelPainter::DefaultGroupByBoxTextColor() {
  TdxSkinElement* panel = GetSkinInfo()->GridGroupByBox;
  return panel ? panel->TextColor() : inherited::DefaultGroupByBoxTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultHeaderColor() {
  TdxSkinElement* header = GetSkinInfo()->Header;
  return header ? header->Color() : inherited::DefaultHeaderColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultHeaderTextColor() {
  TdxSkinElement* header = GetSkinInfo()->Header;
  return header ? header->TextColor() : inherited::DefaultHeaderTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultHeaderBackgroundColor() {
  TdxSkinColor* color = GetSkinInfo()->HeaderBackgroundColor;
  return color ? color->Value() : inherited::DefaultHeaderBackgroundColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultHeaderBackgroundTextColor() {
  TdxSkinColor* color = GetSkinInfo()->HeaderBackgroundTextColor;
  return color ? color->Value() : inherited::DefaultHeaderBackgroundTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultFooterColor() {
  TdxSkinElement* panel = GetSkinInfo()->FooterPanel;
  return panel ? panel->Color() : inherited::DefaultFooterColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultFooterTextColor() {
  TdxSkinElement* panel = GetSkinInfo()->FooterPanel;
  return panel ? panel->TextColor() : inherited::DefaultFooterTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultFilterBoxTextColor() {
  TdxSkinElement* panel = GetSkinInfo()->FilterPanel;
  return panel ? panel->TextColor() : inherited::DefaultFilterBoxTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultGridDetailsSiteColor() {
  return SkinColorOr(GetSkinInfo()->ContentColor, inherited::DefaultGridDetailsSiteColor());
}

TColor TdxSkinLookAndFeelPainter::GridGroupRowStyleOffice11ContentColor(bool AHasData) {
  TdxSkinColor* color = SkinPainterColorProperty(GetSkinInfo()->GridGroupRow, u"Office11ContentColor");
  return color ? color->Value() : inherited::GridGroupRowStyleOffice11ContentColor(AHasData);
}

TColor TdxSkinLookAndFeelPainter::GridGroupRowStyleOffice11SeparatorColor() {
  TdxSkinColor* color = SkinPainterColorProperty(GetSkinInfo()->GridGroupRow, u"Office11SeparatorColor");
  return color ? color->Value() : inherited::GridGroupRowStyleOffice11SeparatorColor();
}

TColor TdxSkinLookAndFeelPainter::GridGroupRowStyleOffice11TextColor() {
  TdxSkinColor* color = SkinPainterColorProperty(GetSkinInfo()->GridGroupRow, u"Office11TextColor");
  return color ? color->Value() : inherited::GridGroupRowStyleOffice11TextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultTreeListGridLineColor() {
  return SkinColorOr(GetSkinInfo()->TreeListGridLineColor, inherited::DefaultTreeListGridLineColor());
}

TColor TdxSkinLookAndFeelPainter::DefaultTreeListTreeLineColor() {
  return SkinColorOr(GetSkinInfo()->TreeListTreeLineColor, inherited::DefaultTreeListTreeLineColor());
}

TColor TdxSkinLookAndFeelPainter::PivotGridHeadersAreaColor() {
  TdxSkinElement* panel = GetSkinInfo()->GridGroupByBox;
  return IsSkinElementColorAssigned(panel) ? panel->Color() : inherited::PivotGridHeadersAreaColor();
}

TColor TdxSkinLookAndFeelPainter::PivotGridHeadersAreaTextColor() {
  TdxSkinElement* panel = GetSkinInfo()->GridGroupByBox;
  return IsSkinElementTextColorAssigned(panel) ? panel->TextColor()
                                               : inherited::PivotGridHeadersAreaTextColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultGridOptionsTreeViewCategoryColor(bool ASelected) {
  return ASelected ? DefaultSelectionColor() : DefaultGroupColor();
}

TColor TdxSkinLookAndFeelPainter::DefaultGridOptionsTreeViewCategoryTextColor(bool ASelected) {
  return ASelected ? DefaultSelectionTextColor() : DefaultGroupTextColor();
}

TColor TdxSkinLookAndFeelPainter::GetCustomizationFormListBackgroundColor() {
  return SkinColorOr(GetSkinInfo()->ContentColor, inherited::GetCustomizationFormListBackgroundColor());
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentColor() {
  return SkinColorOr(GetSkinInfo()->GridLikeControlContentColor, inherited::GridLikeControlContentColor());
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentEvenColor() {
  return SkinColorOr(GetSkinInfo()->GridLikeControlContentEvenColor,
                     inherited::GridLikeControlContentEvenColor());
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentOddColor() {
  return SkinColorOr(GetSkinInfo()->GridLikeControlContentOddColor,
                     inherited::GridLikeControlContentOddColor());
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlContentTextColor() {
  return SkinColorOr(GetSkinInfo()->GridLikeControlContentTextColor,
                     inherited::GridLikeControlContentTextColor());
}

TColor TdxSkinLookAndFeelPainter::GridLikeControlBackgroundColor() {
  return SkinColorOr(GetSkinInfo()->GridLikeControlBackgroundColor,
                     inherited::GridLikeControlBackgroundColor());
}

// --- Headers, sorting marks and indicators
// ----------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawScaledHeaderEx(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, AOnDrawBackground);
}

void TdxSkinLookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& /*ABorders*/, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor) {
  TcxBorders borders = cxBordersAll;
  if (ANeighbors.Contains(nLeft)) borders.Exclude(bLeft);
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, borders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                    int32_t AIndentSize, TColor AColor,
                                                    const TcxViewParams& AViewParams) {
  TdxSkinColor* color = GetSkinInfo()->HeaderBackgroundColor;
  if (!color) {
    inherited::DrawHeaderSeparator(ACanvas, ABounds, AIndentSize, AColor, AViewParams);
    return;
  }
  ACanvas->FillRect(cxRectInflate(ABounds, -AIndentSize, 0), color->Value());
}

void TdxSkinLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TColor ABackgroundColor) {
  DrawScaledHeader(ACanvas, ARect, ARect, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop,
                   false, false, String(), nullptr, clWindowText, ABackgroundColor, dxDefaultScaleFactor());
  ACanvas->FrameRect(ARect, DefaultFixedSeparatorColor(), 1, TcxBorders{bTop, bRight, bBottom});
}

bool TdxSkinLookAndFeelPainter::GridDrawHeaderCellsFirst() {
  TdxSkinElement* header = GetSkinInfo()->Header;
  return header ? !header->IsAlphaUsed() : inherited::GridDrawHeaderCellsFirst();
}

int32_t TdxSkinLookAndFeelPainter::GridBordersOverlapSize() {
  return BorderSize();
}

void TdxSkinLookAndFeelPainter::DrawScaledSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                      bool AAscendingSorting, TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->SortGlyphs, ACanvas, R, AAscendingSorting ? 1 : 0, esNormal,
                       AScaleFactor))
    inherited::DrawScaledSortingMark(ACanvas, R, AAscendingSorting, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                             bool AAscendingSorting,
                                                             TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->SortGlyphs, ACanvas, R, AAscendingSorting ? 3 : 2, esNormal,
                       AScaleFactor))
    inherited::DrawScaledSummarySortingMark(ACanvas, R, AAscendingSorting, AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledSummarySortingMarkSize(TdxScaleFactor* AScaleFactor) {
  return ScaledSortingMarkSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                  bool AAscendingSorting,
                                                                  TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->IndicatorImages, ACanvas, R, 10, esNormal, AScaleFactor))
    inherited::DrawScaledSummaryValueSortingMark(ACanvas, R, AAscendingSorting, AScaleFactor);
}

TPoint TdxSkinLookAndFeelPainter::ScaledSummaryValueSortingMarkSize(TdxScaleFactor* AScaleFactor) {
  TPoint size = inherited::ScaledSummaryValueSortingMarkSize(AScaleFactor);
  if (TdxSkinElement* images = GetSkinInfo()->IndicatorImages)
    size.Y = AScaleFactor->Apply(images->Size().cy);
  return size;
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxIndicatorKind AKind,
                                                         TdxScaleFactor* AScaleFactor) {
  static constexpr int32_t kFrames[] = {-1, 0, 1, 2, 0, 0, 8, 5};  // by TcxIndicatorKind
  TdxSkinElement* images = GetSkinInfo()->IndicatorImages;
  if (!images) {
    inherited::DrawScaledIndicatorImage(ACanvas, R, AKind, AScaleFactor);
    return;
  }
  if (kFrames[AKind] < 0) return;
  const TRect r = cxRectCenter(R, AScaleFactor->Apply(images->Image()->Size()));
  if (AKind != ikMultiDot) {
    DrawRightToLeftDependentSkinElement(images, ACanvas, r, kFrames[AKind], esNormal, AScaleFactor);
    return;
  }
  if (cxRectIsEmpty(r)) return;
  TcxBitmap32 bitmap(cxRectWidth(r), cxRectHeight(r), true);
  TcxCanvas* canvas = bitmap.cxCanvas();
  canvas->SetUseRightToLeftAlignment(ACanvas->UseRightToLeftAlignment());
  DrawRightToLeftDependentSkinElement(images, canvas, TRect{0, 0, bitmap.Width(), bitmap.Height()},
                                      kFrames[AKind], esNormal, AScaleFactor);
  cxAlphaBlend(ACanvas->Handle(), &bitmap, r, TRect{0, 0, bitmap.Width(), bitmap.Height()}, false, 120);
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R,
                                                                     TColor AColor,
                                                                     TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* images = GetSkinInfo()->IndicatorImages;
  if (!images) {
    inherited::DrawScaledIndicatorCustomizationMark(ACanvas, R, AColor, AScaleFactor);
    return;
  }
  DrawSkinElement(images, ACanvas, cxRectCenter(R, AScaleFactor->Apply(images->Size())), 2, esNormal,
                  AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                        const TRect& AImageAreaBounds, TcxIndicatorKind AKind,
                                                        TColor AColor, TdxScaleFactor* AScaleFactor,
                                                        const TcxDrawBackgroundEvent& AOnDrawBackground,
                                                        const TcxNeighbors& ANeighbors) {
  TRect r = R;
  if (ANeighbors.Contains(nTop)) r.Top -= HeaderBorderSize();
  TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(ACanvas, r, AImageAreaBounds, AKind, AColor,
                                                       AScaleFactor, AOnDrawBackground, ANeighbors);
}

void TdxSkinLookAndFeelPainter::DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R,
                                                          TcxIndicatorKind AKind, TColor AColor,
                                                          TdxScaleFactor* AScaleFactor,
                                                          const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledIndicatorItem(ACanvas, R, R, AKind, AColor, AScaleFactor, AOnDrawBackground, TcxNeighbors{});
}

bool TdxSkinLookAndFeelPainter::IndicatorDrawItemsFirst() {
  return true;
}

// --- Footers, filters and the group-by box
// ----------------------------------------------------------------------

void TdxSkinLookAndFeelPainter::DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                  const TcxViewParams& AViewParams) {
  TdxSkinElement* panel = GetSkinInfo()->FooterPanel;
  if (!panel || (AViewParams.Bitmap && !AViewParams.Bitmap->Empty())) {
    inherited::DrawFooterContent(ACanvas, ARect, AViewParams);
    return;
  }
  SkinPainterClipScope clip(ACanvas, ARect);
  DrawSkinElement(panel, ACanvas, cxRectInflate(ARect, FooterBorderSize()), 0, esNormal);
}

void TdxSkinLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R,
                                                   const TcxBorders& ABorders) {
  TdxSkinElement* panel = GetSkinInfo()->FooterPanel;
  if (!panel) {
    TcxUltraFlatLookAndFeelPainter::DrawFooterBorderEx(ACanvas, R, ABorders);
    return;
  }
  TRect margins = ContentOffsets(panel);
  margins.Top = FooterSeparatorSize();
  ACanvas->SaveClipRegion();
  ACanvas->ExcludeClipRect(cxRectContent(R, margins));
  DrawSkinElementOnBorders(panel, ACanvas, R, ABorders, margins, 0, esNormal);
  ACanvas->RestoreClipRegion();
}

void TdxSkinLookAndFeelPainter::DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      TAlignment AAlignmentHorz,
                                                      TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                      const String& AText, TFont* AFont, TColor ATextColor,
                                                      TColor ABkColor,
                                                      const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawSkinElement(GetSkinInfo()->FooterCell, ACanvas, ABounds, 0, esNormal);
  TcxCustomLookAndFeelPainter::DrawFooterCellContent(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert,
                                                     AMultiLine, AText, AFont, ATextColor, ABkColor,
                                                     AOnDrawBackground);
}

void TdxSkinLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* ACanvas, const TRect& R) {
  if (!GetSkinInfo()->FooterCell) TcxUltraFlatLookAndFeelPainter::DrawFooterCellBorder(ACanvas, R);
}

int32_t TdxSkinLookAndFeelPainter::FooterCellBorderSize() {
  TdxSkinElement* cell = GetSkinInfo()->FooterCell;
  if (!cell) return TcxUltraFlatLookAndFeelPainter::FooterCellBorderSize();
  const TRect r = ContentOffsets(cell);
  return std::max({r.Left, r.Top, r.Right, r.Bottom});
}

bool TdxSkinLookAndFeelPainter::FooterDrawCellsFirst() {
  return false;
}

void TdxSkinLookAndFeelPainter::DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                TColor ABackgroundColor, TGraphic* ABackgroundBitmap) {
  if (!DrawSkinElement(GetSkinInfo()->FilterPanel, ACanvas, ARect, 0, esNormal))
    inherited::DrawFilterPanel(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

void TdxSkinLookAndFeelPainter::DrawScaledFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                               TcxButtonState AState, bool AIsFilterActive,
                                                               TdxScaleFactor* AScaleFactor) {
  if (!DrawSkinElement(GetSkinInfo()->FilterButtons[AIsFilterActive ? 1 : 0], ACanvas, R, 0,
                       ButtonStateToSkinState[AState], AScaleFactor))
    inherited::DrawScaledFilterDropDownButton(ACanvas, R, AState, AIsFilterActive, AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R,
                                                         TcxFilterSmartTagState AState, bool AIsFilterActive,
                                                         TdxScaleFactor* AScaleFactor) {
  // By TcxFilterSmartTagState: normal, hot, pressed, parent hot.
  static constexpr TdxSkinElementState kStates[2][4] = {{esNormal, esHot, esPressed, esNormal},
                                                        {esChecked, esHot, esPressed, esActive}};
  if (!DrawSkinElement(GetSkinInfo()->SmartFilterButton, ACanvas, R, 0,
                       kStates[AIsFilterActive ? 1 : 0][AState], AScaleFactor))
    inherited::DrawScaledFilterSmartTag(ACanvas, R, AState, AIsFilterActive, AScaleFactor);
}

TSize TdxSkinLookAndFeelPainter::ScaledFilterSmartTagSize(TdxScaleFactor* AScaleFactor) {
  TdxSkinElement* tag = GetSkinInfo()->SmartFilterButton;
  return tag ? AScaleFactor->Apply(MinSize(tag)) : inherited::ScaledFilterSmartTagSize(AScaleFactor);
}

void TdxSkinLookAndFeelPainter::DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                               TColor ABackgroundColor, TBitmap* ABackgroundBitmap) {
  if (!DrawSkinElement(GetSkinInfo()->GridGroupByBox, ACanvas, ARect, 0, esNormal))
    inherited::DrawGroupByBox(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

}  // namespace qd
