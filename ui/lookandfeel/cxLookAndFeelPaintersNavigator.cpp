// The base painter's data-navigator buttons, glyphs and metrics.
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

void TcxCustomLookAndFeelPainter::DrawNavigatorBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                      bool /*ASelected*/) {}

void TcxCustomLookAndFeelPainter::DrawNavigatorScaledButton(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState,
                                                            TColor /*ABackgroundColor*/,
                                                            TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawNavigatorScaledButtonGlyph(TcxCanvas* ACanvas,
                                                                 TCustomImageList* AImageList,
                                                                 int32_t AImageIndex, const TRect& AGlyphRect,
                                                                 bool AEnabled, bool /*AUserGlyphs*/,
                                                                 TdxScaleFactor* AScaleFactor) {
  const IdxColorPalettePtr palette = NavigatorButtonColorPalette(AEnabled);
  cxDrawImage(ACanvas, AGlyphRect, nullptr, AImageList, AImageIndex, ifmNormal,
              EnabledImageDrawModeMap[AEnabled], true, palette.get(), AScaleFactor);
}

bool TcxCustomLookAndFeelPainter::NavigatorBorderOverlap() {
  return false;
}

int32_t TcxCustomLookAndFeelPainter::NavigatorBorderSize() {
  return 0;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::NavigatorButtonColorPalette(bool /*AEnabled*/) {
  return nullptr;
}

TPoint TcxCustomLookAndFeelPainter::NavigatorButtonPressedGlyphOffset() {
  return TPoint{1, 1};
}

TColor TcxCustomLookAndFeelPainter::NavigatorButtonTextColor(TcxButtonState /*AState*/) {
  return clBtnText;
}

TRect TcxCustomLookAndFeelPainter::NavigatorScaledButtonGlyphPadding(TdxScaleFactor* AScaleFactor) {
  return TRect{AScaleFactor->Apply(3), AScaleFactor->Apply(4), AScaleFactor->Apply(3),
               AScaleFactor->Apply(4)};
}

TSize TcxCustomLookAndFeelPainter::NavigatorScaledButtonGlyphSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(11), AScaleFactor->Apply(11)};
}

TSize TcxCustomLookAndFeelPainter::NavigatorScaledButtonMinSize(TdxScaleFactor* AScaleFactor) {
  return TSize{AScaleFactor->Apply(17), AScaleFactor->Apply(19)};
}

TColor TcxCustomLookAndFeelPainter::NavigatorInfoPanelColor() {
  return DefaultGridDetailsSiteColor();
}

TColor TcxCustomLookAndFeelPainter::NavigatorInfoPanelTextColor() {
  return DefaultContentTextColor();
}

void TcxCustomLookAndFeelPainter::DrawNavigatorButton(TcxCanvas* ACanvas, const TRect& R,
                                                      TcxButtonState AState, TColor ABackgroundColor) {
  DrawNavigatorScaledButton(ACanvas, R, AState, ABackgroundColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawNavigatorButtonGlyph(TcxCanvas* ACanvas, TCustomImageList* AImageList,
                                                           int32_t AImageIndex, const TRect& AGlyphRect,
                                                           bool AEnabled, bool AUserGlyphs) {
  DrawNavigatorScaledButtonGlyph(ACanvas, AImageList, AImageIndex, AGlyphRect, AEnabled, AUserGlyphs,
                                 dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::NavigatorButtonGlyphPadding() {
  return NavigatorScaledButtonGlyphPadding(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::NavigatorButtonGlyphSize() {
  return NavigatorScaledButtonGlyphSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::NavigatorButtonMinSize() {
  return NavigatorScaledButtonMinSize(dxSystemScaleFactor());
}

}  // namespace qd
