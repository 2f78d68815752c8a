// The base painter's range control, layout control and scroll box, customization form, message
// box, breadcrumb edit, drop-down list box, rating control, fixed group indicator, wheel picker,
// rich edit and tokens.
#include "platform/os/user.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

namespace {

// The rating indicator's row by state: unchecked, checked, hover.
constexpr int32_t kRatingIndicatorRows[] = {0, 2, 1};

// Ends the shared GDI+ paint canvas however the drawing leaves.
struct TControlsPaintCanvasEnd {
  TdxGPPaintCanvas* Canvas;
  ~TControlsPaintCanvasEnd() { Canvas->EndPaint(); }
};

TRect ControlsMargins(int32_t AValue) {
  return TRect{AValue, AValue, AValue, AValue};
}

}  // namespace

TcxButtonState cxBreadcrumbButtonStateToButtonState(TdxBreadcrumbEditButtonState AState) {
  static constexpr TcxButtonState kMap[] = {cxbsNormal, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled};
  return kMap[AState];
}

// --- Range control ---------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawRangeControlThumb(TcxCanvas* ACanvas, const TRect& ARect, TColor AColor,
                                                        TColor ABorderColor, TdxScaleFactor* AScaleFactor) {
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), ARect);
  const TControlsPaintCanvasEnd end{canvas};
  canvas->Rectangle(ARect, ABorderColor, AColor == clDefault ? clWhite : AColor, 1);
  const int32_t step = AScaleFactor->Apply(2);
  const TRect grip = cxRectCenter(ARect, 2 * step + 1, ARect.Height() - AScaleFactor->Apply(8));
  const float width = static_cast<float>(AScaleFactor->Apply(1));
  for (int32_t x : {grip.Left, grip.Left + step, grip.Left + 2 * step})
    canvas->Line(x, grip.Top, x, grip.Bottom, ABorderColor, width);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                  TColor AColor, TColor ABorderColor,
                                                                  TdxScaleFactor* AScaleFactor) {
  DrawRangeControlThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TColor AColor, TColor ABorderColor,
                                                                   TdxScaleFactor* AScaleFactor) {
  DrawRangeControlThumb(ACanvas, ARect, AColor, ABorderColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledRulerHeader(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    bool AIsHot, TdxAlphaColor AColor,
                                                                    TdxAlphaColor ABorderColor,
                                                                    TdxScaleFactor* /*AScaleFactor*/) {
  if (AColor == TdxAlphaColorsDefault) AColor = AIsHot ? 0xFFE2EAFD : 0xFFFFFFFF;
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), ARect);
  const TControlsPaintCanvasEnd end{canvas};
  canvas->FillRectangle(ARect, AColor);
  canvas->Line(ARect.Left, ARect.Top, ARect.Left, ARect.Bottom, ABorderColor);
  canvas->Line(ARect.Left, ARect.Bottom - 1, ARect.Right, ARect.Bottom - 1, ABorderColor);
}

void TcxCustomLookAndFeelPainter::DrawRangeControlScaledSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                                    TdxAlphaColor ABorderColor,
                                                                    TdxScaleFactor* AScaleFactor) {
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), ARect);
  const TControlsPaintCanvasEnd end{canvas};
  const TRect line = cxRectCenter(ARect, 1, ARect.Height() - AScaleFactor->Apply(4));
  canvas->Line(line.Left, line.Top, line.Left, line.Bottom, ABorderColor,
               static_cast<float>(AScaleFactor->Apply(1)));
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlBackColor() {
  return clWindow;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlBorderColor() {
  return static_cast<TColor>(0xAAA09D);
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlDefaultElementColor() {
  return static_cast<TColor>(0xA69A9A);
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlElementForeColor() {
  return static_cast<TColor>(0xE1DEDD);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlElementsBorderColor() {
  return 0xFFB6B8BF;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlLabelColor() {
  return static_cast<TColor>(0xBAAEAE);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlOutOfRangeColor() {
  return 0x1E9DA0AA;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlRangePreviewColor() {
  return clWindow;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlRulerColor() {
  return 0x14000000;
}

int32_t TcxCustomLookAndFeelPainter::GetRangeControlScaledScrollAreaHeight(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(11);
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlScaledSizingGlyphSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(5), AScaleFactor->Apply(9)};
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlScaledThumbSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(11), AScaleFactor->Apply(19)};
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlScrollAreaColor() {
  return static_cast<TColor>(0xE1DEDD);
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlSelectedRegionBackgroundColor() {
  return 0x64A8C3F1;
}

TdxAlphaColor TcxCustomLookAndFeelPainter::GetRangeControlSelectedRegionBorderColor() {
  return 0x644571BA;
}

TColor TcxCustomLookAndFeelPainter::GetRangeControlViewPortPreviewColor() {
  return static_cast<TColor>(0xF2F1F0);
}

// --- Layout control, scroll box, customization form and message box ---------------------------------

TColor TcxCustomLookAndFeelPainter::LayoutControlEmptyAreaColor() {
  return clBtnFace;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForGroupButton(
    TcxButtonState /*AState*/) {
  return nullptr;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForItemCaption() {
  return nullptr;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::LayoutControlGetColorPaletteForTabbedGroupCaption(
    bool /*AIsActive*/) {
  return nullptr;
}

void TcxCustomLookAndFeelPainter::DrawLayoutControlBackground(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FillRect(R, LayoutControlEmptyAreaColor());
}

void TcxCustomLookAndFeelPainter::DrawScrollBoxBackground(TcxCanvas* ACanvas, const TRect& R, TColor AColor) {
  ACanvas->FillRect(R, AColor);
}

TColor TcxCustomLookAndFeelPainter::GetCustomizationFormListBackgroundColor() {
  return clBtnFace;
}

void TcxCustomLookAndFeelPainter::DrawMessageBox(TcxCanvas* ACanvas, const TRect& ABounds,
                                                 const String& AMessage, TFont* AFont, TColor AColor) {
  ACanvas->FrameRect(ABounds, DefaultGridLineColor());
  ACanvas->FillRect(cxRectInflate(ABounds, -1), AColor == clNone ? DefaultGroupColor() : AColor);
  if (AMessage.empty()) return;
  ACanvas->Brush()->SetStyle(bsClear);
  if (AFont) ACanvas->Font()->Assign(AFont);
  ACanvas->DrawTexT(AMessage, cxRectInflate(ABounds, -1), cxAlignHCenter | cxAlignVCenter | cxWordBreak);
  ACanvas->Brush()->SetStyle(bsSolid);
}

// --- Breadcrumb edit -----------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::BreadcrumbEditBackgroundColor(TdxBreadcrumbEditState /*AState*/) {
  return clBtnFace;
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditBordersSize() {
  return ControlsMargins(1);
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::BreadcrumbEditButtonColorPalette(
    TdxBreadcrumbEditButtonState /*AState*/) {
  return nullptr;
}

bool TcxCustomLookAndFeelPainter::BreadcrumbEditIsFadingSupports() {
  return false;
}

TColor TcxCustomLookAndFeelPainter::BreadcrumbEditNodeTextColor(TdxBreadcrumbEditButtonState AState) {
  return ButtonSymbolColor(AState == dxbcbsDisabled ? cxbsDisabled : cxbsNormal, clDefault);
}

int32_t TcxCustomLookAndFeelPainter::BreadcrumbEditScaledButtonAreaSeparatorSize(
    TdxScaleFactor* /*AScaleFactor*/) {
  return 2;
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditScaledButtonContentOffsets(bool /*AIsFirst*/,
                                                                            bool /*AIsLast*/,
                                                                            TdxScaleFactor* AScaleFactor) {
  return ControlsMargins(AScaleFactor->Apply(3));
}

int32_t TcxCustomLookAndFeelPainter::BreadcrumbEditScaledDropDownButtonWidth(TdxScaleFactor* AScaleFactor) {
  return dxGetSystemMetrics(SM_CXHSCROLL, AScaleFactor);
}

int32_t TcxCustomLookAndFeelPainter::BreadcrumbEditScaledNodeDelimiterSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(16);
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditScaledNodeTextOffsets(TdxScaleFactor* AScaleFactor) {
  return ControlsMargins(AScaleFactor->Apply(4));
}

TSize TcxCustomLookAndFeelPainter::BreadcrumbEditScaledProgressChunkOverlaySize(
    TdxScaleFactor* /*AScaleFactor*/) {
  return cxNullSize;
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditScaledProgressChunkPadding(
    TdxScaleFactor* /*AScaleFactor*/) {
  return cxSimpleRect;
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditBorders(TcxCanvas* ACanvas, const TRect& ARect,
                                                            const TcxBorders& ABorders,
                                                            TdxBreadcrumbEditState /*AState*/) {
  ACanvas->DrawComplexFrame(ARect, clBtnShadow, clBtnHighlight, ABorders);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                 TdxBreadcrumbEditButtonState AState,
                                                                 bool /*AIsFirst*/, bool /*AIsLast*/,
                                                                 TdxScaleFactor* AScaleFactor) {
  if (AState == dxbcbsNormal || AState == dxbcbsDisabled) return;
  DrawScaledButton(ACanvas, ARect, String(), cxBreadcrumbButtonStateToButtonState(AState), AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledButtonAreaSeparator(
    TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/, TdxBreadcrumbEditState /*AState*/,
    TdxScaleFactor* /*AScaleFactor*/) {}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButton(TcxCanvas* ACanvas,
                                                                         const TRect& ARect,
                                                                         TdxBreadcrumbEditButtonState AState,
                                                                         bool AIsInEditor,
                                                                         TdxScaleFactor* AScaleFactor) {
  // A button of its own, apart from the editor's nodes, always shows its face.
  if (!AIsInEditor)
    DrawScaledButton(ACanvas, ARect, String(), cxBreadcrumbButtonStateToButtonState(AState), AScaleFactor);
  else
    DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, false, true, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledDropDownButtonGlyph(
    TcxCanvas* ACanvas, const TRect& ARect, TdxBreadcrumbEditButtonState AState, bool /*AIsInEditor*/,
    TdxScaleFactor* AScaleFactor) {
  DrawButtonArrow(ACanvas, cxRectInflate(ARect, -AScaleFactor->Apply(2)),
                  ButtonSymbolColor(cxBreadcrumbButtonStateToButtonState(AState), clDefault));
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNode(TcxCanvas* ACanvas, const TRect& R,
                                                               TdxBreadcrumbEditButtonState AState,
                                                               bool AHasDelimiter,
                                                               TdxScaleFactor* AScaleFactor) {
  DrawBreadcrumbEditScaledButton(ACanvas, R, AState, false, !AHasDelimiter, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                        TdxBreadcrumbEditButtonState AState,
                                                                        TdxScaleFactor* AScaleFactor) {
  DrawBreadcrumbEditScaledButton(ACanvas, R, AState, false, false, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeDelimiterGlyph(
    TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState,
    TdxScaleFactor* /*AScaleFactor*/) {
  DrawArrow(ACanvas, R, adRight, BreadcrumbEditNodeTextColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledNodeMoreButtonGlyph(
    TcxCanvas* ACanvas, const TRect& R, TdxBreadcrumbEditButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawBreadcrumbEditScaledNodeDelimiterGlyph(ACanvas, R, AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunk(TcxCanvas* ACanvas, const TRect& R,
                                                                        TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(R, static_cast<TColor>(0xAAA8A4));
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditScaledProgressChunkOverlay(
    TcxCanvas* /*ACanvas*/, const TRect& /*R*/, TdxScaleFactor* /*AScaleFactor*/) {}

// --- Drop-down list box --------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                bool AHasBorders) {
  TRect r = ARect;
  if (AHasBorders) {
    ACanvas->DrawComplexFrame(r, cl3DLight, cl3DDkShadow);
    r = cxRectInflate(r, -1);
    ACanvas->DrawComplexFrame(r, clBtnHighlight, clBtnShadow);
    r = cxRectInflate(r, -1);
  }
  ACanvas->FillRect(r, clMenu);
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledGutterBackground(
    TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/, TdxScaleFactor* /*AScaleFactor*/) {}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     const TRect& /*AGutterRect*/,
                                                                     TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ARect, clMenuHighlight);
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxScaledSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                                     const TRect& /*AGutterRect*/,
                                                                     TdxScaleFactor* /*AScaleFactor*/) {
  const int32_t y = (ARect.Top + ARect.Bottom) / 2 - 1;
  ACanvas->FillRect(TRect{ARect.Left, y, ARect.Right, y + 1}, clBtnShadow);
  ACanvas->FillRect(TRect{ARect.Left, y + 1, ARect.Right, y + 2}, clBtnHighlight);
}

int32_t TcxCustomLookAndFeelPainter::DropDownListBoxBordersSize() {
  return 3;
}

TColor TcxCustomLookAndFeelPainter::DropDownListBoxItemTextColor(bool ASelected) {
  return ASelected ? clHighlightText : clMenuText;
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxScaledItemImageOffsets(TdxScaleFactor* AScaleFactor) {
  return TRect{AScaleFactor->Apply(5), AScaleFactor->Apply(3), AScaleFactor->Apply(5),
               AScaleFactor->Apply(3)};
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxScaledItemTextOffsets(TdxScaleFactor* AScaleFactor) {
  return TRect{AScaleFactor->Apply(5), AScaleFactor->Apply(2), AScaleFactor->Apply(5),
               AScaleFactor->Apply(2)};
}

int32_t TcxCustomLookAndFeelPainter::DropDownListBoxScaledSeparatorSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(8);
}

// --- Rating control and fixed group indicator -----------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawRatingControlScaledIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                   TdxRatingControlIndicatorState AState,
                                                                   TdxScaleFactor* /*AScaleFactor*/) {
  TdxSmartImage* glyph = GetRatingControlIndicator();
  const int32_t rowHeight = glyph->Height() / 3;
  const int32_t row = kRatingIndicatorRows[AState];
  glyph->StretchDraw(ACanvas->Handle(), ABounds,
                     TRect{0, row * rowHeight, glyph->Width(), (row + 1) * rowHeight}, 255);
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::GetRatingControlIndicatorColorPalette(
    TdxRatingControlIndicatorState /*AState*/) {
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::GetRatingControlScaledIndicatorSize(TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* glyph = GetRatingControlIndicator();
  return TSize{AScaleFactor->Apply(glyph->Width()), AScaleFactor->Apply(glyph->Height() / 3)};
}

void TcxCustomLookAndFeelPainter::DrawScaledFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                TdxScaleFactor* /*AScaleFactor*/) {
  GetFixedGroupIndicator()->StretchDraw(ACanvas->Handle(), ABounds, 255);
}

TSize TcxCustomLookAndFeelPainter::GetScaledFixedGroupIndicatorSize(TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* glyph = GetFixedGroupIndicator();
  return TSize{AScaleFactor->Apply(glyph->Width()), AScaleFactor->Apply(glyph->Height())};
}

// --- Wheel picker -----------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::GetWheelPickerBorderItemColor(TcxButtonState AState) {
  if (AState == cxbsHot) return static_cast<TColor>(0xD9D9D9);      // RGB(217, 217, 217)
  if (AState == cxbsPressed) return static_cast<TColor>(0xE7C9BC);  // RGB(188, 201, 231)
  return clDefault;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::GetWheelPickerColorPalette(TcxButtonState /*AState*/) {
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetWheelPickerFillItemColor(TcxButtonState AState) {
  if (AState == cxbsHot) return static_cast<TColor>(0xF2F0EF);      // RGB(239, 240, 242)
  if (AState == cxbsPressed) return static_cast<TColor>(0xFDEAE2);  // RGB(226, 234, 253)
  return clDefault;
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItem(TcxCanvas* ACanvas, const TRect& ARect,
                                                      TcxButtonState AState) {
  DrawWheelPickerItemBackground(ACanvas, ARect, AState);
  DrawWheelPickerItemBorder(ACanvas, ARect, AState);
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItemBackground(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxButtonState AState) {
  ACanvas->FillRect(ARect, GetWheelPickerFillItemColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawWheelPickerItemBorder(TcxCanvas* ACanvas, const TRect& ARect,
                                                            TcxButtonState AState) {
  ACanvas->FrameRect(ARect, GetWheelPickerBorderItemColor(AState));
}

// --- Rich edit ---------------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterLineColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterMarkBackColor() {
  return DefaultControlColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditControlHeaderFooterMarkTextColor() {
  return DefaultControlTextColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerControlColor() {
  return DefaultControlColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerActiveAreaColor() {
  return DefaultContentColor();
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerDefaultTabColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerInactiveAreaColor() {
  return clBtnShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerTabTypeToggleBorderColor() {
  return cl3DDkShadow;
}

TColor TcxCustomLookAndFeelPainter::RichEditRulerTextColor() {
  return DefaultControlTextColor();
}

// --- Tokens
// ---------------------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawScaledTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor) {
  ACanvas->FrameRect(R, clBtnShadow);
  if (AState == cxbsNormal || AState == cxbsDisabled) return;
  ACanvas->SaveClipRegion();
  ACanvas->IntersectClipRect(cxRectInflate(R, -1));
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
  ACanvas->RestoreClipRegion();
}

void TcxCustomLookAndFeelPainter::DrawScaledTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            TdxScaleFactor* AScaleFactor) {
  DrawScaledButtonCrossEx(ACanvas, R, GetTokenTextColor(AState), AState, 7, AScaleFactor);
}

TSize TcxCustomLookAndFeelPainter::GetScaledTokenCloseGlyphSize(TdxScaleFactor* AScaleFactor) {
  TSize size{AScaleFactor->Apply(12), AScaleFactor->Apply(11)};
  dxAdjustToTouchableSize(size, AScaleFactor);
  return size;
}

TRect TcxCustomLookAndFeelPainter::GetScaledTokenContentOffsets(TdxScaleFactor* AScaleFactor) {
  return ControlsMargins(AScaleFactor->Apply(3));
}

TSize TcxCustomLookAndFeelPainter::GetScaledTokenDefaultGlyphSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(12), AScaleFactor->Apply(12)};
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::GetTokenColorPalette(TcxButtonState /*AState*/) {
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetTokenTextColor(TcxButtonState AState) {
  return ButtonSymbolColor(AState, clDefault);
}

// --- Unscaled forms ---------------------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawRangeControlLeftThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                            TColor AColor, TColor ABorderColor) {
  DrawRangeControlScaledLeftThumb(ACanvas, ARect, AColor, ABorderColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlRightThumb(TcxCanvas* ACanvas, const TRect& ARect,
                                                             TColor AColor, TColor ABorderColor) {
  DrawRangeControlScaledRightThumb(ACanvas, ARect, AColor, ABorderColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlRulerHeader(TcxCanvas* ACanvas, const TRect& ARect,
                                                              bool AIsHot, TdxAlphaColor AColor,
                                                              TdxAlphaColor ABorderColor) {
  DrawRangeControlScaledRulerHeader(ACanvas, ARect, AIsHot, AColor, ABorderColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRangeControlSizingGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                              TdxAlphaColor ABorderColor) {
  DrawRangeControlScaledSizingGlyph(ACanvas, ARect, ABorderColor, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::GetRangeControlScrollAreaHeight() {
  return GetRangeControlScaledScrollAreaHeight(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlSizingGlyphSize() {
  return GetRangeControlScaledSizingGlyphSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRangeControlThumbSize() {
  return GetRangeControlScaledThumbSize(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::BreadcrumbEditButtonAreaSeparatorSize() {
  return BreadcrumbEditScaledButtonAreaSeparatorSize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditButtonContentOffsets(bool AIsFirst, bool AIsLast) {
  return BreadcrumbEditScaledButtonContentOffsets(AIsFirst, AIsLast, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::BreadcrumbEditDropDownButtonWidth() {
  return BreadcrumbEditScaledDropDownButtonWidth(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::BreadcrumbEditNodeDelimiterSize() {
  return BreadcrumbEditScaledNodeDelimiterSize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditNodeTextOffsets() {
  return BreadcrumbEditScaledNodeTextOffsets(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::BreadcrumbEditProgressChunkOverlaySize() {
  return BreadcrumbEditScaledProgressChunkOverlaySize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::BreadcrumbEditProgressChunkPadding() {
  return BreadcrumbEditScaledProgressChunkPadding(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                           TdxBreadcrumbEditButtonState AState, bool AIsFirst,
                                                           bool AIsLast) {
  DrawBreadcrumbEditScaledButton(ACanvas, ARect, AState, AIsFirst, AIsLast, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditButtonAreaSeparator(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TdxBreadcrumbEditState AState) {
  DrawBreadcrumbEditScaledButtonAreaSeparator(ACanvas, ARect, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditDropDownButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                                   TdxBreadcrumbEditButtonState AState,
                                                                   bool AIsInEditor) {
  DrawBreadcrumbEditScaledDropDownButton(ACanvas, ARect, AState, AIsInEditor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditDropDownButtonGlyph(TcxCanvas* ACanvas,
                                                                        const TRect& ARect,
                                                                        TdxBreadcrumbEditButtonState AState,
                                                                        bool AIsInEditor) {
  DrawBreadcrumbEditScaledDropDownButtonGlyph(ACanvas, ARect, AState, AIsInEditor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNode(TcxCanvas* ACanvas, const TRect& R,
                                                         TdxBreadcrumbEditButtonState AState,
                                                         bool AHasDelimiter) {
  DrawBreadcrumbEditScaledNode(ACanvas, R, AState, AHasDelimiter, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNodeDelimiter(TcxCanvas* ACanvas, const TRect& R,
                                                                  TdxBreadcrumbEditButtonState AState) {
  DrawBreadcrumbEditScaledNodeDelimiter(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNodeDelimiterGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                       TdxBreadcrumbEditButtonState AState) {
  DrawBreadcrumbEditScaledNodeDelimiterGlyph(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditNodeMoreButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                        TdxBreadcrumbEditButtonState AState) {
  DrawBreadcrumbEditScaledNodeMoreButtonGlyph(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditProgressChunk(TcxCanvas* ACanvas, const TRect& R) {
  DrawBreadcrumbEditScaledProgressChunk(ACanvas, R, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBreadcrumbEditProgressChunkOverlay(TcxCanvas* ACanvas, const TRect& R) {
  DrawBreadcrumbEditScaledProgressChunkOverlay(ACanvas, R, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxGutterBackground(TcxCanvas* ACanvas,
                                                                      const TRect& ARect) {
  DrawDropDownListBoxScaledGutterBackground(ACanvas, ARect, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                               const TRect& AGutterRect) {
  DrawDropDownListBoxScaledSelection(ACanvas, ARect, AGutterRect, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawDropDownListBoxSeparator(TcxCanvas* ACanvas, const TRect& ARect,
                                                               const TRect& AGutterRect) {
  DrawDropDownListBoxScaledSeparator(ACanvas, ARect, AGutterRect, dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxItemImageOffsets() {
  return DropDownListBoxScaledItemImageOffsets(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::DropDownListBoxItemTextOffsets() {
  return DropDownListBoxScaledItemTextOffsets(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::DropDownListBoxSeparatorSize() {
  return DropDownListBoxScaledSeparatorSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRatingControlIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                             TdxRatingControlIndicatorState AState) {
  DrawRatingControlScaledIndicator(ACanvas, ABounds, AState, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetRatingControlIndicatorSize() {
  return GetRatingControlScaledIndicatorSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawFixedGroupIndicator(TcxCanvas* ACanvas, const TRect& ABounds) {
  DrawScaledFixedGroupIndicator(ACanvas, ABounds, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetFixedGroupIndicatorSize() {
  return GetScaledFixedGroupIndicatorSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTokenBackground(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState) {
  DrawScaledTokenBackground(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawTokenCloseGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState) {
  DrawScaledTokenCloseGlyph(ACanvas, R, AState, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetTokenCloseGlyphSize() {
  return GetScaledTokenCloseGlyphSize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::GetTokenContentOffsets() {
  return GetScaledTokenContentOffsets(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetTokenDefaultGlyphSize() {
  return GetScaledTokenDefaultGlyphSize(dxSystemScaleFactor());
}

}  // namespace qd
