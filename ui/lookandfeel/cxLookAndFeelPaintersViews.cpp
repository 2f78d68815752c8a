// The base painter's layout and explorer-style views, chart tool box, gauge, map control, Office
// navigation bar, PDF viewer, spreadsheet and print preview.
#include <memory>

#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsColors.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

namespace {

// The navigator glyphs a spreadsheet's group button shows.
constexpr int32_t kSpreadSheetExpandedGlyphIndex = 8;
constexpr int32_t kSpreadSheetCollapsedGlyphIndex = 6;

bool NavigationBarStateIsActive(TcxCalendarElementState AState) {
  return AState == cesHot || AState == cesPressed || AState == cesSelected;
}

// A glyph's own size converted to AScaleFactor.
TSize ViewsScaledGlyphSize(TdxSmartImage* AGlyph, TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(AGlyph->Width()), AScaleFactor->Apply(AGlyph->Height())};
}

}  // namespace

// --- Layout view ---------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::LayoutViewDrawItem(TcxCanvas* ACanvas, const TRect& ABounds,
                                                     TcxButtonState AState, const TcxBorders& /*ABorders*/) {
  switch (AState) {
    case cxbsHot:
      // The frame is kept out of the fill through the clip, which is put back afterwards.
      ACanvas->SaveClipRegion();
      ACanvas->FrameRect(ABounds, clBtnShadow);
      ACanvas->ExcludeFrameRect(ABounds);
      ACanvas->FillRect(ABounds, clGradientInactiveCaption);
      ACanvas->RestoreClipRegion();
      break;
    case cxbsPressed:
      ACanvas->FillRect(ABounds, DefaultSelectionColor());
      break;
    case cxbsDisabled:
      ACanvas->FillRect(ABounds, clInactiveCaption);
      break;
    default:
      ACanvas->FillRect(ABounds, DefaultGroupColor());
      break;
  }
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordCaption(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              const TRect& /*ATextRect*/,
                                                              TcxGroupBoxCaptionPosition /*APosition*/,
                                                              TcxButtonState AState, TColor AColor,
                                                              TBitmap* ABitmap) {
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, cxBordersAll);
  if (AColor == clDefault && !ABitmap) AColor = DefaultLayoutViewCaptionColor(AState);
  DrawBackground(ACanvas, ABounds, ABitmap != nullptr, AColor, ABitmap);
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordBorder(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TcxButtonState AState,
                                                             const TcxBorders& ABorders) {
  ACanvas->FrameRect(ABounds, AState == cxbsHot ? DefaultSelectionColor() : clBtnShadow, 1, ABorders);
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordContent(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TcxGroupBoxCaptionPosition /*ACaptionPosition*/,
                                                              TcxButtonState AState,
                                                              const TcxBorders& ABorders) {
  LayoutViewDrawRecordBorder(ACanvas, ABounds, AState, ABorders);
  ACanvas->FillRect(ABounds, DefaultGroupColor());
}

void TcxCustomLookAndFeelPainter::LayoutViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas,
                                                                         const TRect& ABounds,
                                                                         TcxButtonState AState,
                                                                         bool AExpanded,
                                                                         TdxScaleFactor* AScaleFactor) {
  DrawScaledGroupExpandButton(ACanvas, ABounds, AExpanded, AState, AScaleFactor);
}

TRect TcxCustomLookAndFeelPainter::LayoutViewGetPadding(int32_t /*AElement*/) {
  return TRect{0, 0, 0, 0};
}

TRect TcxCustomLookAndFeelPainter::LayoutViewGetSpacing(int32_t /*AElement*/) {
  return TRect{0, 0, 0, 0};
}

int32_t TcxCustomLookAndFeelPainter::LayoutViewRecordCaptionTailSize(
    TcxGroupBoxCaptionPosition /*ACaptionPosition*/) {
  return 0;
}

bool TcxCustomLookAndFeelPainter::LayoutViewRecordCaptionTextBold() {
  return false;
}

// --- Explorer-style view -----------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::WinExplorerViewDefaultRecordColor(TcxButtonState AState) {
  switch (AState) {
    case cxbsHot:
      return clGradientInactiveCaption;
    case cxbsPressed:
      return DefaultSelectionColor();
    case cxbsDisabled:
      return clInactiveCaption;
    default:
      return DefaultContentColor();
  }
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawGroup(TcxCanvas* ACanvas, const TRect& ABounds,
                                                           TcxButtonState AState, TColor AColor,
                                                           TBitmap* ABitmap) {
  WinExplorerViewDrawRecord(ACanvas, ABounds, AState, AColor, ABitmap);
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawGroupCaptionLine(TcxCanvas* ACanvas,
                                                                      const TRect& ABounds) {
  DrawSeparator(ACanvas, ABounds, false);
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawRecord(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TcxButtonState AState, TColor AColor,
                                                            TBitmap* ABitmap) {
  // The frame is kept out of the background through the clip, which is put back afterwards.
  ACanvas->SaveClipRegion();
  if (AState == cxbsHot || AState == cxbsPressed || AState == cxbsDisabled) {
    ACanvas->FrameRect(ABounds, clBtnShadow);
    ACanvas->ExcludeFrameRect(ABounds);
  }
  if (AColor == clDefault && !ABitmap) AColor = WinExplorerViewDefaultRecordColor(AState);
  DrawBackground(ACanvas, ABounds, ABitmap != nullptr, AColor, ABitmap);
  ACanvas->RestoreClipRegion();
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawScaledRecordExpandButton(TcxCanvas* ACanvas,
                                                                              const TRect& ABounds,
                                                                              TcxButtonState AState,
                                                                              bool AExpanded,
                                                                              TdxScaleFactor* AScaleFactor) {
  DrawScaledGroupExpandButton(ACanvas, ABounds, AExpanded, AState, AScaleFactor);
}

int32_t TcxCustomLookAndFeelPainter::WinExplorerViewGroupCaptionLineHeight() {
  return SeparatorSize();
}

bool TcxCustomLookAndFeelPainter::WinExplorerViewGroupTextBold() {
  return false;
}

TColor TcxCustomLookAndFeelPainter::WinExplorerViewGroupTextColor(TcxButtonState AState) {
  return WinExplorerViewRecordTextColor(AState);
}

TColor TcxCustomLookAndFeelPainter::WinExplorerViewRecordTextColor(TcxButtonState AState) {
  if (AState == cxbsPressed) return DefaultSelectionTextColor();
  if (AState == cxbsDisabled) return DefaultInactiveTextColor();
  return DefaultContentTextColor();
}

int32_t TcxCustomLookAndFeelPainter::WinExplorerViewScaledExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return ScaledGroupExpandButtonSize(AScaleFactor);
}

// --- Chart tool box and gauge ------------------------------------------------------------------------

int32_t TcxCustomLookAndFeelPainter::ChartToolBoxDataLevelInfoBorderSize() {
  return 1;
}

TColor TcxCustomLookAndFeelPainter::GaugeControlBackgroundColor() {
  return clWindow;
}

void TcxCustomLookAndFeelPainter::DrawGaugeControlBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                             bool ATransparent, TColor ABackgroundColor) {
  DrawBackground(ACanvas, ARect, ATransparent, ABackgroundColor, nullptr);
}

// --- Map control ----------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::MapControlBackgroundColor() {
  return static_cast<TColor>(0x958B5F);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelBackColor() {
  return 0xC8000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelHotTrackedTextColor() {
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelPressedTextColor() {
  return 0xFF7E8383;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlPanelTextColor() {
  return 0xFFADDFFF;
}

TSize TcxCustomLookAndFeelPainter::MapControlGetMapPushpinSize(TdxScaleFactor* AScaleFactor) {
  return ViewsScaledGlyphSize(GetMapPushpin(), AScaleFactor);
}

TPoint TcxCustomLookAndFeelPainter::MapControlGetMapPushpinTextOrigin(TdxScaleFactor* AScaleFactor) {
  return TPoint{AScaleFactor->Apply(17), AScaleFactor->Apply(17)};
}

TRect TcxCustomLookAndFeelPainter::MapControlMapCustomElementSelectionOffset(TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(14);
  return TRect{offset, offset, offset, offset};
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapCustomElementTextColor() {
  return 0xFF000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapCustomElementTextGlowColor() {
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapPushpinTextColor() {
  return 0xFF000000;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlMapPushpinTextGlowColor() {
  return 0xFFFFFFFF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlSelectedRegionBackgroundColor() {
  return 0x800072AE;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlSelectedRegionBorderColor() {
  return 0xFF3399FF;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeColor() {
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderColor() {
  return 0xFFFFFFFF;
}

int32_t TcxCustomLookAndFeelPainter::MapControlShapeBorderWidth(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeHighlightedColor() {
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderHighlightedColor() {
  return 0xFFFFFFFF;
}

int32_t TcxCustomLookAndFeelPainter::MapControlShapeBorderHighlightedWidth(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeSelectedColor() {
  return 0xFFD7D7D7;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::MapControlShapeBorderSelectedColor() {
  return 0xFFFFFFFF;
}

int32_t TcxCustomLookAndFeelPainter::MapControlShapeBorderSelectedWidth(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(1);
}

void TcxCustomLookAndFeelPainter::DrawMapCustomElementBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TdxMapControlElementState AState) {
  uint8_t alpha = 0;
  if (AState == mcesHot)
    alpha = 0x5A;
  else if (AState == mcesPressed)
    alpha = 0x80;
  else
    return;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), ARect);
  struct TEnd {
    TdxGPPaintCanvas* Canvas;
    ~TEnd() { Canvas->EndPaint(); }
  } end{canvas};
  canvas->SetSmoothingMode(smAntiAlias);
  canvas->RoundRect(cxRectInflate(ARect, -1), clBlack, clWhite, 4, 4, 1, alpha, alpha);
}

void TcxCustomLookAndFeelPainter::DrawMapPushpin(TcxCanvas* ACanvas, const TRect& ARect,
                                                 TdxMapControlElementState /*AState*/,
                                                 TdxScaleFactor* /*AScaleFactor*/) {
  GetMapPushpin()->StretchDraw(ACanvas->Handle(), ARect, 255);
}

// --- Office navigation bar ---------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawBackground(TcxCanvas* ACanvas, const TRect& ARect) {
  ACanvas->FillRect(ARect, static_cast<TColor>(0xE4E4E4));
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledButtonItemBackground(
    TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState AState, TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, ARect, String(), AState == cesHot ? cxbsHot : cxbsNormal, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledCustomizationButton(
    TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState /*AState*/,
    TdxScaleFactor* /*AScaleFactor*/, TdxAlphaColor AColor) {
  TdxSmartImage* glyph = GetNavigationBarCustomizationButton();
  if (AColor == TdxAlphaColorsDefault) {
    glyph->StretchDraw(ACanvas->Handle(), ARect, 255);
    return;
  }
  const std::unique_ptr<TdxCustomSmartImage> copy = glyph->Clone();
  copy->ChangeColor(dxAlphaColorToColor(AColor));
  copy->StretchDraw(ACanvas->Handle(), ARect, dxGetAlpha(AColor));
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledItemBackground(
    TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/, TcxCalendarElementState /*AState*/,
    TdxScaleFactor* /*AScaleFactor*/) {}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawScaledImageSelection(
    TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState AState,
    TdxScaleFactor* /*AScaleFactor*/) {
  if (AState == cesHot || AState == cesSelected)
    ACanvas->FillRect(ARect, static_cast<TColor>(0xF7E6CD));
  else if (AState == cesPressed)
    ACanvas->FillRect(ARect, static_cast<TColor>(0xE0C092));
}

TColor TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemTextColor(TcxCalendarElementState AState) {
  return static_cast<TColor>(NavigationBarStateIsActive(AState) ? 0xC67200 : 0x565656);
}

TColor TcxCustomLookAndFeelPainter::OfficeNavigationBarItemTextColor(TcxCalendarElementState AState) {
  return static_cast<TColor>(NavigationBarStateIsActive(AState) ? 0xC67200 : 0x565656);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledButtonItemContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(4);
  return TRect{offset, offset, offset, offset};
}

int32_t TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledButtonItemFontSize(
    TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(9);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledContentOffsets(TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(2);
  return TRect{offset, offset, offset, offset};
}

TSize TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledCustomizationButtonSize(
    TdxScaleFactor* AScaleFactor) {
  return ViewsScaledGlyphSize(GetNavigationBarCustomizationButton(), AScaleFactor);
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledItemContentOffsets(TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(2);
  return TRect{offset, offset, offset, offset};
}

int32_t TcxCustomLookAndFeelPainter::OfficeNavigationBarScaledItemFontSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(19);
}

// --- PDF viewer -----------------------------------------------------------------------------------------

IdxColorPalettePtr TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonColorPalette(
    TcxButtonState /*AState*/) {
  return nullptr;
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonContentOffsets(TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(2);
  return TRect{offset, offset, offset, offset};
}

TPoint TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonOverlay(TdxScaleFactor* AScaleFactor) {
  const TRect offsets = PDFViewerNavigationPaneContentOffsets(AScaleFactor);
  return TPoint{offsets.Left, offsets.Top + BorderSize()};
}

TSize TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(42), AScaleFactor->Apply(42)};
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneContentOffsets(TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(4);
  return TRect{offset, offset, offset, offset};
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageCaptionContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  return PDFViewerNavigationPanePageContentOffsets(AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageCaptionTextColor() {
  return DefaultContentTextColor();
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageContentOffsets(TdxScaleFactor* AScaleFactor) {
  return PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPanePageToolbarContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  return PDFViewerNavigationPaneContentOffsets(AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::PDFViewerSelectionColor() {
  return DefaultSelectionColor();
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPaneBackground(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TdxScaleFactor* /*AScaleFactor*/) {
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, TcxBorders{bRight});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPaneButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TcxButtonState AState,
                                                                    TdxScaleFactor* /*AScaleFactor*/,
                                                                    bool /*AMinimized*/, bool ASelected,
                                                                    bool /*AIsFirst*/) {
  if (ASelected) {
    DrawBorder(ACanvas, ARect);
    ACanvas->FillRect(cxRectInflate(ARect, -BorderSize()), DefaultControlColor());
    return;
  }
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, TcxBorders{bBottom});
  ACanvas->FillRect(cxRectInflate(ARect, -ButtonBorderSize(AState)), ButtonColor(AState));
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageBackground(TcxCanvas* ACanvas,
                                                                            const TRect& ARect) {
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, TcxBorders{bRight});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageButton(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TcxButtonState AState,
                                                                        TdxScaleFactor* /*AScaleFactor*/) {
  if (AState == cxbsHot || AState == cxbsPressed) ACanvas->FillRect(ARect, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageCaptionBackground(TcxCanvas* ACanvas,
                                                                                   const TRect& ARect) {
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, TcxBorders{bRight});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawNavigationPanePageToolbarBackground(TcxCanvas* ACanvas,
                                                                                   const TRect& ARect) {
  PDFViewerDrawFindPanelBackground(ACanvas, ARect, TcxBorders{});
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawFindPanelBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                   const TcxBorders& ABorders) {
  DrawBorder(ACanvas, R);
  const int32_t size = BorderSize();
  const auto side = [&](TcxBorder ABorder) { return ABorders.Contains(ABorder) ? size : 0; };
  ACanvas->FillRect(
      TRect{R.Left + side(bLeft), R.Top + side(bTop), R.Right - side(bRight), R.Bottom - side(bBottom)},
      DefaultControlColor());
}

void TcxCustomLookAndFeelPainter::PDFViewerDrawPageThumbnailPreviewBackground(TcxCanvas* ACanvas,
                                                                              const TRect& ARect) {
  DrawPrintPreviewBackground(ACanvas, ARect);
}

TRect TcxCustomLookAndFeelPainter::PDFViewerNavigationPaneButtonRect(const TRect& R, TcxButtonState AState,
                                                                     TdxScaleFactor* AScaleFactor,
                                                                     bool ASelected) {
  if (!ASelected && AState != cxbsPressed) return R;
  const TPoint overlay = PDFViewerNavigationPaneButtonOverlay(AScaleFactor);
  return cxRectInflate(R, overlay.X, overlay.Y);
}

// --- Spreadsheet ----------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, TdxScaleFactor* AScaleFactor,
    const TcxDrawBackgroundEvent& AOnDrawBackground, bool AIsLast, bool AIsGroup) {
  if (AState == cxbsPressed) ABkColor = dxGetMiddleRGB(ABkColor, clHighlight, 30);
  DrawScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                   AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor, ABkColor,
                   AScaleFactor, AOnDrawBackground, AIsLast, AIsGroup);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                         TcxButtonState AState,
                                                                         TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetScaledGroupExpandButtonGlyph(
    TcxCanvas* ACanvas, const TRect& R, TcxButtonState /*AState*/, bool AExpanded,
    TdxScaleFactor* AScaleFactor, TCustomImageList* ADefaultGlyphs) {
  const TRect glyph = cxRectCenter(R, NavigatorScaledButtonGlyphSize(AScaleFactor));
  DrawNavigatorScaledButtonGlyph(ACanvas, ADefaultGlyphs,
                                 AExpanded ? kSpreadSheetExpandedGlyphIndex : kSpreadSheetCollapsedGlyphIndex,
                                 glyph, true, false, AScaleFactor);
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetContentColor() {
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetContentTextColor() {
  return clWindowText;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetFrozenPaneSeparatorColor() {
  return clBlack;
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonTextColor(TcxButtonState AState) {
  return ButtonSymbolColor(AState, clDefault);
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetGroupLineColor() {
  return static_cast<TColor>(0x808080);
}

TRect TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonContentOffsets(
    TdxScaleFactor* AScaleFactor) {
  const int32_t offset = AScaleFactor->Apply(3);
  return TRect{offset, offset, offset, offset};
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupExpandButtonGlyphSize(TdxScaleFactor* AScaleFactor) {
  return NavigatorScaledButtonGlyphSize(AScaleFactor);
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetScaledGroupLevelMarkSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(2), AScaleFactor->Apply(2)};
}

TColor TcxCustomLookAndFeelPainter::SpreadSheetSelectionColor() {
  return DefaultSelectionColor();
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledExpandButton(
    TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState, bool AExpanded, TdxScaleFactor* AScaleFactor) {
  DrawScaledScrollBarPart(ACanvas, false, R, AExpanded ? sbpLineUp : sbpLineDown, AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetFormulaBarScaledSeparator(TcxCanvas* ACanvas, const TRect& R,
                                                                           TdxScaleFactor* AScaleFactor) {
  DrawScaledSplitter(ACanvas, R, false, false, false, AScaleFactor, false, adLeft);
}

int32_t TcxCustomLookAndFeelPainter::SpreadSheetFormulaBarGetScaledSeparatorSize(
    TdxScaleFactor* AScaleFactor) {
  return GetScaledSplitterSize(false, AScaleFactor).cx;
}

// --- Print preview --------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::PrintPreviewBackgroundTextColor() {
  return clWindowText;
}

TRect TcxCustomLookAndFeelPainter::PrintPreviewPageBordersScaledWidth(TdxScaleFactor* /*AScaleFactor*/) {
  return TRect{2, 2, 4, 4};
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewScaledBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                   TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(R, clBtnShadow);
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageScaledBackground(TcxCanvas* ACanvas,
                                                                       const TRect& ABorderRect,
                                                                       const TRect& AContentRect,
                                                                       bool ASelected, bool ADrawContent,
                                                                       TdxScaleFactor* /*AScaleFactor*/) {
  if (ADrawContent) ACanvas->FillRect(AContentRect, clWindow);
  ACanvas->FrameRect(ABorderRect, ASelected ? clHighlight : clWindowText);
  // The shadow: the page moved 2 pixels right and down, seen right of it and below it.
  const TRect& r = ABorderRect;
  ACanvas->FillRect(TRect{r.Right, r.Top + 2, r.Right + 2, r.Bottom + 2}, clWindowText);
  ACanvas->FillRect(TRect{r.Left + 2, r.Bottom, r.Right, r.Bottom + 2}, clWindowText);
}

// --- Unscaled forms -------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::LayoutViewDrawRecordExpandButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                   TcxButtonState AState, bool AExpanded) {
  LayoutViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::WinExplorerViewDrawRecordExpandButton(TcxCanvas* ACanvas,
                                                                        const TRect& ABounds,
                                                                        TcxButtonState AState,
                                                                        bool AExpanded) {
  WinExplorerViewDrawScaledRecordExpandButton(ACanvas, ABounds, AState, AExpanded, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::WinExplorerViewExpandButtonSize() {
  return WinExplorerViewScaledExpandButtonSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawCustomizationButton(TcxCanvas* ACanvas,
                                                                             const TRect& ARect,
                                                                             TcxCalendarElementState AState,
                                                                             TdxAlphaColor AColor) {
  OfficeNavigationBarDrawScaledCustomizationButton(ACanvas, ARect, AState, dxSystemScaleFactor(), AColor);
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarDrawImageSelection(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TcxCalendarElementState AState) {
  OfficeNavigationBarDrawScaledImageSelection(ACanvas, ARect, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemDrawBackground(
    TcxCanvas* ACanvas, const TRect& ARect, TcxCalendarElementState AState) {
  OfficeNavigationBarDrawScaledButtonItemBackground(ACanvas, ARect, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::OfficeNavigationBarItemDrawBackground(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TcxCalendarElementState AState) {
  OfficeNavigationBarDrawScaledItemBackground(ACanvas, ARect, AState, dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarContentOffsets() {
  return OfficeNavigationBarScaledContentOffsets(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::OfficeNavigationBarCustomizationButtonSize() {
  return OfficeNavigationBarScaledCustomizationButtonSize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemContentOffsets() {
  return OfficeNavigationBarScaledButtonItemContentOffsets(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::OfficeNavigationBarButtonItemFontSize() {
  return OfficeNavigationBarScaledButtonItemFontSize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::OfficeNavigationBarItemContentOffsets() {
  return OfficeNavigationBarScaledItemContentOffsets(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::OfficeNavigationBarItemFontSize() {
  return OfficeNavigationBarScaledItemFontSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetGroupExpandButton(TcxCanvas* ACanvas, const TRect& R,
                                                                   TcxButtonState AState) {
  DrawSpreadSheetScaledGroupExpandButton(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetGroupExpandButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                        TcxButtonState AState, bool AExpanded,
                                                                        TCustomImageList* ADefaultGlyphs) {
  DrawSpreadSheetScaledGroupExpandButtonGlyph(ACanvas, R, AState, AExpanded, dxSystemScaleFactor(),
                                              ADefaultGlyphs);
}

void TcxCustomLookAndFeelPainter::DrawSpreadSheetHeader(
    TcxCanvas* ACanvas, const TRect& ABounds, const TRect& ATextAreaBounds, const TcxNeighbors& ANeighbors,
    const TcxBorders& ABorders, TcxButtonState AState, TAlignment AAlignmentHorz,
    TcxAlignmentVert AAlignmentVert, bool AMultiLine, bool AShowEndEllipsis, const String& AText,
    TFont* AFont, TColor ATextColor, TColor ABkColor, const TcxDrawBackgroundEvent& AOnDrawBackground,
    bool AIsLast, bool AIsGroup) {
  DrawSpreadSheetScaledHeader(ACanvas, ABounds, ATextAreaBounds, ANeighbors, ABorders, AState, AAlignmentHorz,
                              AAlignmentVert, AMultiLine, AShowEndEllipsis, AText, AFont, ATextColor,
                              ABkColor, dxSystemScaleFactor(), AOnDrawBackground, AIsLast, AIsGroup);
}

TRect TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonContentOffsets() {
  return SpreadSheetScaledGroupExpandButtonContentOffsets(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetGroupExpandButtonGlyphSize() {
  return SpreadSheetScaledGroupExpandButtonGlyphSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SpreadSheetGroupLevelMarkSize() {
  return SpreadSheetScaledGroupLevelMarkSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewBackground(TcxCanvas* ACanvas, const TRect& R) {
  DrawPrintPreviewScaledBackground(ACanvas, R, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawPrintPreviewPageBackground(TcxCanvas* ACanvas, const TRect& ABorderRect,
                                                                 const TRect& AContentRect, bool ASelected,
                                                                 bool ADrawContent) {
  DrawPrintPreviewPageScaledBackground(ACanvas, ABorderRect, AContentRect, ASelected, ADrawContent,
                                       dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::PrintPreviewPageBordersWidth() {
  return PrintPreviewPageBordersScaledWidth(dxSystemScaleFactor());
}

}  // namespace qd
