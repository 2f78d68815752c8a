// The base painter's cell content, headers and header-control sections, sorting marks,
// footers, filter and find panels, tabs and row indicator.
#include <memory>

#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxOffice11.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

namespace {

// The summary-value sorting mark's place in the indicator images.
constexpr int32_t kSummaryValueSortingMarkIndex = 7;

int32_t HeaderTextFlags(TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                        bool AShowEndEllipsis) {
  return cxAlignmentsHorz[AAlignmentHorz] | cxAlignmentsVert[AAlignmentVert] |
         (AMultiLine ? cxWordBreak : cxSingleLine) | (AShowEndEllipsis ? cxShowEndEllipsis : 0);
}

// The arrow of a sorting mark: W x H with its tip at (X + dR - dL, Y), pointing up for
// ADirection +1 (ascending) and down for -1. Each line leaves out its end pixel.
void HeadersDrawSortingArrowLines(TcxCanvas* ACanvas, int32_t X, int32_t Y, int32_t W, int32_t H,
                                  int32_t ADirection, TColor AColor1, TColor AColor2) {
  const bool even = W % 2 == 0;
  const int32_t dR = W / 2;
  const int32_t dL = W / 2 - (even ? 1 : 0);
  const int32_t s = ADirection;
  ACanvas->Pen()->SetColor(AColor2);
  ACanvas->MoveTo(X + dR, Y + (H - 2) * s);
  ACanvas->LineTo(X + dR - dL, Y);
  ACanvas->LineTo(X + dR, Y + (H - 1) * s);
  ACanvas->Pen()->SetColor(s > 0 ? AColor2 : AColor1);
  ACanvas->LineTo(X - dL, Y + (H - 1) * s);
  ACanvas->Pen()->SetColor(AColor1);
  ACanvas->LineTo(X, Y);
  ACanvas->LineTo(X - dL, Y + (H - W % 2) * s);
}

// X of a sorting arrow of width W centred in R.
int32_t HeadersSortingArrowX(const TRect& R, int32_t W) {
  return (R.Left + R.Right) / 2 - (W % 2 == 0 ? 1 : 0);
}

// Y of the arrow's tip for a mark of height H centred in R.
int32_t HeadersSortingArrowY(const TRect& R, int32_t H, bool AAscendingSorting) {
  return AAscendingSorting ? (R.Top + R.Bottom - H) / 2 : (R.Top + R.Bottom + H) / 2 - 1;
}

}  // namespace

// --- Cell content ---------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                              const TRect& ATextAreaBounds, TcxButtonState /*AState*/,
                                              TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                              bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                              TFont* AFont, TColor ATextColor, TColor ABkColor,
                                              const TcxDrawBackgroundEvent& AOnDrawBackground,
                                              bool /*AIsFooter*/) {
  if (!AOnDrawBackground || !AOnDrawBackground(ACanvas, ABounds)) ACanvas->FillRect(ABounds, ABkColor);
  if (AText.empty()) return;
  ACanvas->Brush()->SetStyle(bsClear);
  if (AFont) ACanvas->Font()->Assign(AFont);
  ACanvas->Font()->SetColor(ATextColor);
  ACanvas->DrawTexT(AText, ATextAreaBounds,
                    HeaderTextFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis));
  ACanvas->Brush()->SetStyle(bsSolid);
}

TRect TcxCustomLookAndFeelPainter::FooterCellContentBounds(const TRect& ABounds) {
  return cxRectInflate(ABounds, -FooterCellBorderSize());
}

TRect TcxCustomLookAndFeelPainter::FooterCellTextAreaBounds(const TRect& ABounds) {
  return cxRectInflate(FooterCellContentBounds(ABounds), -2);
}

TColor TcxCustomLookAndFeelPainter::GetFilterSmartTagColor(TcxFilterSmartTagState AState,
                                                           bool AIsFilterActive) {
  switch (AState) {
    case fstsHot:
      return static_cast<TColor>(0x04848484);
    case fstsPressed:
      return static_cast<TColor>(0x303030);
    case fstsNormal:
    case fstsParentHot:
      break;
  }
  return static_cast<TColor>(AIsFilterActive ? 0xFF2600 : 0x606060);
}

// --- Headers --------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawHeaderBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                   const TcxNeighbors& /*ANeighbors*/,
                                                   const TcxBorders& /*ABorders*/) {}

void TcxCustomLookAndFeelPainter::DrawHeaderPressed(TcxCanvas* ACanvas, const TRect& ABounds) {
  ACanvas->InvertRect(ABounds);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                                 const TcxBorders& /*ABorders*/,
                                                                 TcxButtonState /*AState*/) {}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionContent(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor) {
  ACanvas->FillRect(ABounds, ABkColor);
  DrawHeaderControlSectionText(ACanvas, HeaderControlSectionTextAreaBounds(ATextAreaBounds, AState), AState,
                               AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                               ATextColor);
}

void TcxCustomLookAndFeelPainter::DrawHeaderControlSectionText(
    TcxCanvas* ACanvas, const TRect& ATextAreaBounds, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor) {
  ACanvas->Brush()->SetStyle(bsClear);
  if (!AText.empty()) {
    if (AFont) ACanvas->Font()->Assign(AFont);
    const int32_t flags = HeaderTextFlags(AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis);
    if (AState == cxbsDisabled) {
      ACanvas->Font()->SetColor(clBtnHighlight);
      ACanvas->DrawTexT(AText, cxRectOffset(ATextAreaBounds, 1, 1), flags);
      ACanvas->Font()->SetColor(clBtnShadow);
    } else {
      ACanvas->Font()->SetColor(ATextColor);
    }
    ACanvas->DrawTexT(AText, ATextAreaBounds, flags);
  }
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawHeaderSeparator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                      int32_t AIndentSize, TColor AColor,
                                                      const TcxViewParams& AViewParams) {
  ACanvas->FillRect(TRect{ABounds.Left, ABounds.Top, ABounds.Left + AIndentSize, ABounds.Bottom},
                    AViewParams);
  ACanvas->FillRect(TRect{ABounds.Right - AIndentSize, ABounds.Top, ABounds.Right, ABounds.Bottom},
                    AViewParams);
  ACanvas->FillRect(cxRectInflate(ABounds, -AIndentSize, 0), AColor);
}

void TcxCustomLookAndFeelPainter::DrawScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool /*AIsLast*/, bool /*AIsGroup*/) {
  DrawHeaderBorder(ACanvas, ABounds, ANeighbors, ABorders);
  DrawContent(ACanvas, ScaledHeaderContentBounds(ABounds, ABorders, AScaleFactor), ATextAreaBounds, AState,
              AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
              ABkColor, AOnDrawBackground, false);
}

void TcxCustomLookAndFeelPainter::DrawScaledHeaderEx(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, AOnDrawBackground, false, false);
}

void TcxCustomLookAndFeelPainter::DrawScaledHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds,
    const TcxNeighbors& /*ANeighbors*/, const TcxBorders& ABorders, TcxButtonState AState,
    TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis,
    const String& AText, TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* /*AScaleFactor*/) {
  DrawHeaderControlSectionBorder(ACanvas, ABounds, ABorders, AState);
  DrawHeaderControlSectionContent(ACanvas, HeaderControlSectionContentBounds(ABounds, AState),
                                  ATextAreaBounds, AState, AAlignmentHorz, AAlignmentVert, AMultiLine,
                                  AShowEndEllipsis, AText, AFont, ATextColor, ABkColor);
}

TcxBorders TcxCustomLookAndFeelPainter::HeaderBorders(const TcxNeighbors& /*ANeighbors*/) {
  return cxBordersAll;
}

int32_t TcxCustomLookAndFeelPainter::HeaderBorderSize() {
  return 0;
}

TRect TcxCustomLookAndFeelPainter::HeaderBounds(const TRect& ABounds, const TcxNeighbors& ANeighbors,
                                                const TcxBorders& ABorders) {
  const TcxBorders own = HeaderBorders(ANeighbors);
  const int32_t size = HeaderBorderSize();
  const auto grow = [&](TcxBorder ABorder) {
    return ABorders.Contains(ABorder) && !own.Contains(ABorder) ? size : 0;
  };
  return TRect{ABounds.Left - grow(bLeft), ABounds.Top - grow(bTop), ABounds.Right + grow(bRight),
               ABounds.Bottom + grow(bBottom)};
}

TRect TcxCustomLookAndFeelPainter::HeaderContentOffsets(TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(2);
  return TRect{offset, offset, offset, offset};
}

int32_t TcxCustomLookAndFeelPainter::HeaderControlSectionBorderSize(TcxButtonState /*AState*/) {
  return 1;
}

TRect TcxCustomLookAndFeelPainter::HeaderControlSectionContentBounds(const TRect& ABounds,
                                                                     TcxButtonState AState) {
  return cxRectInflate(ABounds, -HeaderControlSectionBorderSize(AState));
}

TRect TcxCustomLookAndFeelPainter::HeaderControlSectionTextAreaBounds(const TRect& ABounds,
                                                                      TcxButtonState AState) {
  return AState == cxbsPressed ? cxRectOffset(ABounds, 1, 1) : ABounds;
}

bool TcxCustomLookAndFeelPainter::HeaderDrawCellsFirst() {
  return true;
}

bool TcxCustomLookAndFeelPainter::IsHeaderHotTrack() {
  return false;
}

TRect TcxCustomLookAndFeelPainter::ScaledHeaderContentBounds(const TRect& ABounds, const TcxBorders& ABorders,
                                                             TdxScaleFactor* /*AScaleFactor*/) {
  const int32_t size = HeaderBorderSize();
  const auto side = [&](TcxBorder ABorder) { return ABorders.Contains(ABorder) ? size : 0; };
  return TRect{ABounds.Left + side(bLeft), ABounds.Top + side(bTop), ABounds.Right - side(bRight),
               ABounds.Bottom - side(bBottom)};
}

int32_t TcxCustomLookAndFeelPainter::ScaledHeaderHeight(int32_t AFontHeight, TdxScaleFactor* AScaleFactor) {
  const TRect offsets = HeaderContentOffsets(AScaleFactor);
  int32_t result = offsets.Top + offsets.Bottom + AFontHeight + 2 * HeaderBorderSize();
  dxAdjustToTouchableSize(result, AScaleFactor);
  return result;
}

int32_t TcxCustomLookAndFeelPainter::ScaledHeaderWidth(TcxCanvas* ACanvas, const TcxBorders& ABorders,
                                                       const String& AText, TFont* AFont,
                                                       TdxScaleFactor* AScaleFactor) {
  if (AFont) ACanvas->Font()->Assign(AFont);
  const TRect offsets = HeaderContentOffsets(AScaleFactor);
  int32_t result = offsets.Left + offsets.Right + ACanvas->TextWidth(AText);
  if (ABorders.Contains(bLeft)) result += HeaderBorderSize();
  if (ABorders.Contains(bRight)) result += HeaderBorderSize();
  return result;
}

// --- Sorting marks ----------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawScaledSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                                    bool /*AAscendingSorting*/,
                                                                    TdxScaleFactor* AScaleFactor) {
  cxDrawImage(ACanvas, R, nullptr, cxIndicatorImages(), kSummaryValueSortingMarkIndex, ifmNormal, idmNormal,
              false, nullptr, AScaleFactor);
}

TPoint TcxCustomLookAndFeelPainter::ScaledSortingMarkAreaSize(TdxScaleFactor* AScaleFactor) {
  return TPoint{AScaleFactor->Apply(cxIsTouchModeEnabled ? 20 : 16), ScaledSortingMarkSize(AScaleFactor).Y};
}

TPoint TcxCustomLookAndFeelPainter::ScaledSummaryValueSortingMarkSize(TdxScaleFactor* AScaleFactor) {
  const TSize size = dxGetImageSize(cxIndicatorImages(), kSummaryValueSortingMarkIndex, AScaleFactor);
  return TPoint{size.cx, size.cy};
}

void TcxCustomLookAndFeelPainter::DrawSortingArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor1,
                                                   TColor AColor2, bool AAscendingSorting,
                                                   TdxScaleFactor* AScaleFactor) {
  const TPoint size = ScaledSortingMarkSize(AScaleFactor);
  HeadersDrawSortingArrowLines(ACanvas, HeadersSortingArrowX(R, size.X),
                               HeadersSortingArrowY(R, size.Y, AAscendingSorting), size.X, size.Y,
                               AAscendingSorting ? 1 : -1, AColor1, AColor2);
}

void TcxCustomLookAndFeelPainter::DrawSummarySortingArrow(TcxCanvas* ACanvas, const TRect& R, TColor AColor1,
                                                          TColor AColor2, bool AAscendingSorting,
                                                          TdxScaleFactor* AScaleFactor) {
  const TPoint size = ScaledSummarySortingMarkSize(AScaleFactor);
  const int32_t W = size.X;
  const int32_t X = HeadersSortingArrowX(R, W);
  const int32_t dR = W / 2;
  const int32_t dL = W / 2 - (W % 2 == 0 ? 1 : 0);
  ACanvas->Pen()->SetColor(AColor1);
  ACanvas->MoveTo(X - dL, R.Top);
  ACanvas->LineTo(X + dR + 1, R.Top);
  if (AColor1 != AColor2) {
    ACanvas->Pen()->SetColor(AColor2);
    ACanvas->MoveTo(X - dL, R.Top + 1);
    ACanvas->LineTo(X + dR + 1, R.Top + 1);
  }
  const int32_t H = size.Y - 2;
  const int32_t Y = HeadersSortingArrowY(R, H, AAscendingSorting) + (AAscendingSorting ? 2 : 1);
  HeadersDrawSortingArrowLines(ACanvas, X, Y, W, H, AAscendingSorting ? 1 : -1, AColor1, AColor2);
}

// --- Grid elements ------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawFilterRowSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                         TColor ABackgroundColor) {
  DrawScaledHeader(ACanvas, ARect, ARect, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop,
                   false, false, String(), nullptr, clWindowText, ABackgroundColor, dxDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupByBox(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                 TColor ABackgroundColor, TBitmap* ABackgroundBitmap) {
  DrawBackground(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

int32_t TcxCustomLookAndFeelPainter::GridBordersOverlapSize() {
  return 0;
}

TColor TcxCustomLookAndFeelPainter::GridGroupRowStyleOffice11ContentColor(bool AHasData) {
  return AHasData ? clWindow : dxOffice11GroupIndentColor;
}

TColor TcxCustomLookAndFeelPainter::GridGroupRowStyleOffice11SeparatorColor() {
  return dxOffice11GroupRowSeparatorColor;
}

TColor TcxCustomLookAndFeelPainter::GridGroupRowStyleOffice11TextColor() {
  return dxOffice11GroupRowTextColor;
}

bool TcxCustomLookAndFeelPainter::GridDrawHeaderCellsFirst() {
  return HeaderDrawCellsFirst();
}

TColor TcxCustomLookAndFeelPainter::PivotGridHeadersAreaColor() {
  return DefaultHeaderBackgroundColor();
}

TColor TcxCustomLookAndFeelPainter::PivotGridHeadersAreaTextColor() {
  return DefaultHeaderBackgroundTextColor();
}

// --- Footers ------------------------------------------------------------------------------------------

TcxBorders TcxCustomLookAndFeelPainter::FooterBorders() {
  return cxBordersAll;
}

int32_t TcxCustomLookAndFeelPainter::FooterBorderSize() {
  return 0;
}

int32_t TcxCustomLookAndFeelPainter::FooterCellBorderSize() {
  return 0;
}

int32_t TcxCustomLookAndFeelPainter::FooterCellOffset() {
  return 0;
}

bool TcxCustomLookAndFeelPainter::FooterDrawCellsFirst() {
  return true;
}

TColor TcxCustomLookAndFeelPainter::FooterSeparatorColor() {
  return clBtnShadow;
}

int32_t TcxCustomLookAndFeelPainter::FooterSeparatorSize() {
  return 1;
}

void TcxCustomLookAndFeelPainter::DrawFooterCell(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                                 bool AMultiLine, const String& AText, TFont* AFont,
                                                 TColor ATextColor, TColor ABkColor,
                                                 const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawFooterCellBorder(ACanvas, ABounds);
  DrawFooterCellContent(ACanvas, ABounds, AAlignmentHorz, AAlignmentVert, AMultiLine, AText, AFont,
                        ATextColor, ABkColor, AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawFooterCellContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TAlignment AAlignmentHorz,
                                                        TcxAlignmentVert AAlignmentVert, bool AMultiLine,
                                                        const String& AText, TFont* AFont, TColor ATextColor,
                                                        TColor ABkColor,
                                                        const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawContent(ACanvas, FooterCellContentBounds(ABounds), FooterCellTextAreaBounds(ABounds), cxbsDefault,
              AAlignmentHorz, AAlignmentVert, AMultiLine, false, AText, AFont, ATextColor, ABkColor,
              AOnDrawBackground, true);
}

void TcxCustomLookAndFeelPainter::DrawFooterBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/) {}

void TcxCustomLookAndFeelPainter::DrawFooterBorderEx(TcxCanvas* ACanvas, const TRect& R,
                                                     const TcxBorders& /*ABorders*/) {
  TRect separator = R;
  separator.Bottom = separator.Top + FooterSeparatorSize();
  DrawFooterSeparator(ACanvas, separator);
  TRect rest = R;
  rest.Top = separator.Bottom;
  DrawFooterBorder(ACanvas, rest);
}

void TcxCustomLookAndFeelPainter::DrawFooterCellBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/) {}

void TcxCustomLookAndFeelPainter::DrawFooterContent(TcxCanvas* ACanvas, const TRect& ARect,
                                                    const TcxViewParams& AViewParams) {
  if (!ARect.IsEmpty()) ACanvas->FillRect(ARect, AViewParams);
}

void TcxCustomLookAndFeelPainter::DrawFooterSeparator(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FillRect(R, FooterSeparatorColor());
}

void TcxCustomLookAndFeelPainter::DrawFooterPanel(TcxCanvas* ACanvas, const TRect& ABounds,
                                                  const TcxViewParams& AViewParams,
                                                  const TcxBorders& ABorders) {
  ACanvas->SaveClipRegion();
  struct TRestore {
    TcxCanvas* Canvas;
    ~TRestore() { Canvas->RestoreClipRegion(); }
  } restore{ACanvas};
  ACanvas->IntersectClipRect(ABounds);
  DrawFooterContent(ACanvas, ABounds, AViewParams);
  DrawFooterBorderEx(ACanvas, ABounds, ABorders);
}

// --- Filter and find panels -----------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawFilterPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                  TColor ABackgroundColor, TGraphic* ABackgroundBitmap) {
  const std::unique_ptr<TBitmap> bitmap(cxGetAsBitmap(ABackgroundBitmap));
  DrawBackground(ACanvas, ARect, ATransparent, ABackgroundColor, bitmap.get());
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterActivateButton(TcxCanvas* ACanvas, const TRect& R,
                                                                 TcxButtonState AState, bool AChecked,
                                                                 TdxScaleFactor* AScaleFactor) {
  DrawScaledCheckButton(ACanvas, R, AState, AChecked, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterSmartTag(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxFilterSmartTagState AState,
                                                           bool AIsFilterActive,
                                                           TdxScaleFactor* /*AScaleFactor*/) {
  TdxSimpleColorPalette palette(TdxAlphaColorsDefault,
                                dxColorToAlphaColor(GetFilterSmartTagColor(AState, AIsFilterActive), 255));
  GetSmartTagGlyph()->StretchDraw(ACanvas->Handle(), R, 255, &palette);
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::FilterControlMenuGetColorPalette() {
  return nullptr;
}

TPoint TcxCustomLookAndFeelPainter::ScaledFilterActivateButtonSize(TdxScaleFactor* AScaleFactor) {
  return TPoint{AScaleFactor->Apply(13), AScaleFactor->Apply(13)};
}

TPoint TcxCustomLookAndFeelPainter::ScaledFilterDropDownButtonSize(TdxScaleFactor* AScaleFactor) {
  int32_t width = AScaleFactor->Apply(15);
  dxAdjustToTouchableSize(width);
  return TPoint{width, 0};
}

TSize TcxCustomLookAndFeelPainter::ScaledFilterSmartTagSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(10), AScaleFactor->Apply(10)};
}

void TcxCustomLookAndFeelPainter::DrawFindPanel(TcxCanvas* ACanvas, const TRect& ARect, bool ATransparent,
                                                TColor ABackgroundColor, TGraphic* ABackgroundBitmap) {
  DrawFilterPanel(ACanvas, ARect, ATransparent, ABackgroundColor, ABackgroundBitmap);
}

void TcxCustomLookAndFeelPainter::DrawFindPanelBorder(TcxCanvas* ACanvas, const TRect& R,
                                                      const TcxBorders& ABorders) {
  DrawFooterBorderEx(ACanvas, R, ABorders);
}

// --- Tabs ---------------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawTab(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                          const TcxBorders& /*ABorders*/, const String& /*AText*/,
                                          TcxButtonState /*AState*/, bool /*AVertical*/, TFont* /*AFont*/,
                                          TColor /*ATextColor*/, TColor /*ABkColor*/, bool /*AShowPrefix*/) {}

void TcxCustomLookAndFeelPainter::DrawTabBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                TcxBorder /*ABorder*/, const TcxBorders& /*ABorders*/,
                                                bool /*AVertical*/) {}

void TcxCustomLookAndFeelPainter::DrawTabsRoot(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                               const TcxBorders& /*ABorders*/, bool /*AVertical*/) {}

bool TcxCustomLookAndFeelPainter::IsDrawTabImplemented(bool /*AVertical*/) {
  return false;
}

bool TcxCustomLookAndFeelPainter::IsTabHotTrack(bool /*AVertical*/) {
  return false;
}

int32_t TcxCustomLookAndFeelPainter::TabBorderSize(bool /*AVertical*/) {
  return 0;
}

// --- Row indicator ------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorImage(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxIndicatorKind AKind,
                                                           TdxScaleFactor* AScaleFactor) {
  if (AKind == ikNone) return;
  const auto draw = [&] {
    cxDrawImage(ACanvas, R, nullptr, cxIndicatorImages(), AKind - 1, ifmNormal, idmNormal, false, nullptr,
                AScaleFactor);
  };
  if (AKind == ikArrow || AKind == ikMultiArrow)
    cxRightToLeftDependentDraw(ACanvas, R, draw);
  else
    draw();
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                          const TRect& AImageAreaBounds,
                                                          TcxIndicatorKind AKind, TColor AColor,
                                                          TdxScaleFactor* AScaleFactor,
                                                          const TcxDrawBackgroundEvent& AOnDrawBackground,
                                                          const TcxNeighbors& ANeighbors) {
  DrawScaledHeader(ACanvas, R, R, TcxNeighbors{}, HeaderBorders(ANeighbors), cxbsNormal, taLeftJustify, vaTop,
                   false, false, String(), nullptr, clNone, AColor, AScaleFactor, AOnDrawBackground);
  DrawScaledIndicatorImage(ACanvas, AImageAreaBounds, AKind, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                          TcxIndicatorKind AKind, TColor AColor,
                                                          TdxScaleFactor* AScaleFactor,
                                                          const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledIndicatorItem(ACanvas, R, R, AKind, AColor, AScaleFactor, AOnDrawBackground,
                          TcxNeighbors{nTop, nBottom});
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxIndicatorKind AKind, TColor AColor,
                                                            TdxScaleFactor* AScaleFactor,
                                                            const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeaderEx(ACanvas, R, R, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop, false,
                     false, String(), nullptr, clNone, AColor, AScaleFactor, AOnDrawBackground);
  DrawScaledIndicatorImage(ACanvas, R, AKind, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R,
                                                                       TColor AColor,
                                                                       TdxScaleFactor* AScaleFactor) {
  const int32_t u = AScaleFactor->Apply(1);
  const int32_t indent = AScaleFactor->Apply(3);
  const int32_t x = R.Left + indent;
  const int32_t w = R.Width() - 2 * indent;
  const int32_t y0 = (R.Top + R.Bottom - 5 * u - 4) / 2;
  ACanvas->Pen()->SetColor(AColor);
  ACanvas->Brush()->SetColor(AColor);
  for (int32_t i = 0; i < 5; ++i) {
    const int32_t y = y0 + i * AScaleFactor->Apply(2);
    ACanvas->FillRect(TRect{x + 2 * u, y, x + w, y + u}, AColor);
    if (i % 2 == 0) ACanvas->FillRect(TRect{x, y, x + u, y + u}, AColor);
  }
}

bool TcxCustomLookAndFeelPainter::IndicatorDrawItemsFirst() {
  return true;
}

// --- Unscaled forms -----------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawHeaderControlSection(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor) {
  DrawScaledHeaderControlSection(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState,
                                 AAlignmentHorz, AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont,
                                 ATextColor, ABkColor, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::HeaderWidth(TcxCanvas* ACanvas, const TcxBorders& ABorders,
                                                 const String& AText, TFont* AFont) {
  return ScaledHeaderWidth(ACanvas, ABorders, AText, AFont, dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SortingMarkAreaSize() {
  return ScaledSortingMarkAreaSize(dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SortingMarkSize() {
  return ScaledSortingMarkSize(dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SummarySortingMarkSize() {
  return ScaledSummarySortingMarkSize(dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::SummaryValueSortingMarkSize() {
  return ScaledSummaryValueSortingMarkSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                  bool AAscendingSorting) {
  DrawScaledSortingMark(ACanvas, R, AAscendingSorting, dxSystemScaleFactor());
}

// Like its sister DrawSortingMark: the scaled mark at the system scale factor.
void TcxCustomLookAndFeelPainter::DrawSummarySortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                         bool AAscendingSorting) {
  DrawScaledSummarySortingMark(ACanvas, R, AAscendingSorting, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSummaryValueSortingMark(TcxCanvas* ACanvas, const TRect& R,
                                                              bool AAscendingSorting) {
  DrawScaledSummaryValueSortingMark(ACanvas, R, AAscendingSorting, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterActivateButton(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState, bool AChecked) {
  DrawScaledFilterActivateButton(ACanvas, R, AState, AChecked, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                        TcxButtonState AState) {
  DrawScaledFilterCloseButton(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterDropDownButton(TcxCanvas* ACanvas, const TRect& R,
                                                           TcxButtonState AState, bool AIsFilterActive) {
  DrawScaledFilterDropDownButton(ACanvas, R, AState, AIsFilterActive, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFilterSmartTag(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxFilterSmartTagState AState, bool AIsFilterActive) {
  DrawScaledFilterSmartTag(ACanvas, R, AState, AIsFilterActive, dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::FilterActivateButtonSize() {
  return ScaledFilterActivateButtonSize(dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::FilterCloseButtonSize() {
  return ScaledFilterCloseButtonSize(dxSystemScaleFactor());
}

TPoint TcxCustomLookAndFeelPainter::FilterDropDownButtonSize() {
  return ScaledFilterDropDownButtonSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::FilterSmartTagSize() {
  return ScaledFilterSmartTagSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawIndicatorImage(TcxCanvas* ACanvas, const TRect& R,
                                                     TcxIndicatorKind AKind) {
  DrawScaledIndicatorImage(ACanvas, R, AKind, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItem(TcxCanvas* ACanvas, const TRect& R,
                                                    TcxIndicatorKind AKind, TColor AColor,
                                                    const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledIndicatorItem(ACanvas, R, AKind, AColor, dxSystemScaleFactor(), AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawIndicatorItemEx(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxIndicatorKind AKind, TColor AColor,
                                                      const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledIndicatorItemEx(ACanvas, R, AKind, AColor, dxSystemScaleFactor(), AOnDrawBackground);
}

void TcxCustomLookAndFeelPainter::DrawHeader(TcxCanvas* ACanvas, const TRect& ABounds,
                                             const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
                                             const TcxBorders& ABorders, TcxButtonState AState,
                                             TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                             bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                             TFont* AFont, TColor ATextColor, TColor ABkColor,
                                             const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast,
                                             bool AIsGroup) {
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   dxDefaultScaleFactor(), AOnDrawBackground, AIsLast, AIsGroup);
}

void TcxCustomLookAndFeelPainter::DrawHeaderEx(TcxCanvas* ACanvas, const TRect& ABounds,
                                               const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
                                               const TcxBorders& ABorders, TcxButtonState AState,
                                               TAlignment AAlignmentHorz, TcxAlignmentVert AAlignmentVert,
                                               bool AMultiLine, bool AShowEndEllipsis, const String& AText,
                                               TFont* AFont, TColor ATextColor, TColor ABkColor,
                                               const TcxDrawBackgroundEvent& AOnDrawBackground) {
  DrawScaledHeaderEx(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                     AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                     dxDefaultScaleFactor(), AOnDrawBackground);
}

TRect TcxCustomLookAndFeelPainter::HeaderContentBounds(const TRect& ABounds, const TcxBorders& ABorders) {
  return ScaledHeaderContentBounds(ABounds, ABorders, dxDefaultScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::HeaderHeight(int32_t AFontHeight) {
  return ScaledHeaderHeight(AFontHeight, dxDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawIndicatorCustomizationMark(TcxCanvas* ACanvas, const TRect& R,
                                                                 TColor AColor) {
  DrawScaledIndicatorCustomizationMark(ACanvas, R, AColor, dxDefaultScaleFactor());
}

}  // namespace qd
