// The base painter's push buttons, expand buttons, command links, small and close buttons,
// editor buttons, zoom buttons and glyph-strip buttons.
#include <memory>

#include "ui/core/cxClasses.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsImages.h"
#include "ui/graphics/cxGraphicsPrint.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

namespace {

// The row of a back-button strip by state: default and normal share the first row.
constexpr int32_t kBackButtonRows[] = {0, 0, 1, 2, 3};

// One row of a vertical glyph strip stretched into ADest at full opacity.
void ButtonsDrawStripRow(TcxCanvas* ACanvas, TdxSmartImage* AGlyph, const TRect& ADest, int32_t ARow,
                         int32_t ARowHeight) {
  const TRect source{0, ARow * ARowHeight, AGlyph->Width(), (ARow + 1) * ARowHeight};
  AGlyph->StretchDraw(ACanvas->Handle(), ADest, source, 255);
}

}  // namespace

int32_t TcxCustomLookAndFeelPainter::ButtonBorderSize(TcxButtonState /*AState*/) {
  return 0;
}

TColor TcxCustomLookAndFeelPainter::ButtonColor(TcxButtonState /*AState*/) {
  return clBtnFace;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::ButtonColorPalette(TcxButtonState /*AState*/) {
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::ButtonDescriptionTextColor(TcxButtonState /*AState*/, TColor ADefaultColor) {
  return ADefaultColor;
}

TColor TcxCustomLookAndFeelPainter::ButtonSymbolColor(TcxButtonState AState, TColor ADefaultColor) {
  if (AState == cxbsDisabled) return clBtnShadow;
  return ADefaultColor == clDefault ? clBtnText : ADefaultColor;
}

TcxButtonState TcxCustomLookAndFeelPainter::ButtonSymbolState(TcxButtonState AState) {
  return AState;
}

TRect TcxCustomLookAndFeelPainter::ScaledButtonFocusRect(TcxCanvas* /*ACanvas*/, const TRect& R,
                                                         TdxScaleFactor* AScaleFactor) {
  const TRect result = cxRectInflate(R, -AScaleFactor->Apply(4));
  return result.IsEmpty() ? R : result;
}

int32_t TcxCustomLookAndFeelPainter::ScaledButtonTextOffset(TdxScaleFactor* /*AScaleFactor*/) {
  return 0;
}

int32_t TcxCustomLookAndFeelPainter::ScaledButtonTextShift(TdxScaleFactor* /*AScaleFactor*/) {
  return 0;
}

void TcxCustomLookAndFeelPainter::DrawButtonBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                   TcxButtonState /*AState*/) {}

void TcxCustomLookAndFeelPainter::DrawScaledButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption,
                                                   TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                                   bool ADrawBorder, TColor AColor, TColor ATextColor, bool AWordWrap,
                                                   bool /*AIsToolButton*/, TcxButtonPart /*APart*/) {
  TRect r = R;
  if (ADrawBorder) {
    DrawButtonBorder(ACanvas, r, AState);
    r = cxRectInflate(r, -ButtonBorderSize(AState));
  }
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(r, AColor == clDefault ? ButtonColor(AState) : AColor);
  ACanvas->Font()->SetColor(ATextColor == clDefault ? ButtonSymbolColor(AState, clDefault) : ATextColor);
  ACanvas->Brush()->SetStyle(bsClear);
  if (r.Height() % 2 != 0) --r.Bottom;
  if (r.Height() < 18) --r.Top;
  if (AState == cxbsPressed) {
    const int32_t shift = ScaledButtonTextShift(AScaleFactor);
    r = cxRectOffset(r, shift, shift);
  }
  if (!ACaption.empty())
    ACanvas->DrawTexT(ACaption, r,
                      cxAlignHCenter | cxAlignVCenter | cxShowPrefix | (AWordWrap ? cxWordBreak : cxSingleLine),
                      AState != cxbsDisabled);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawScaledSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                                  TcxButtonState AState,
                                                                  TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* glyph = GetSearchButtonGlyph();
  // The strip has no row for the default state; it draws as normal.
  const int32_t row = AState == cxbsDefault ? 0 : AState - 1;
  ButtonsDrawStripRow(ACanvas, glyph, cxRectCenter(R, ScaledSearchButtonGlyphSize(AScaleFactor)), row,
                      glyph->Height() / 4);
}

int32_t TcxCustomLookAndFeelPainter::GetScaledDropDownButtonRightPartSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(15);
}

bool TcxCustomLookAndFeelPainter::IsButtonHotTrack() {
  return false;
}

bool TcxCustomLookAndFeelPainter::IsPointOverGroupExpandButton(const TRect& R, const TPoint& P) {
  return cxRectPtIn(R, P);
}

TSize TcxCustomLookAndFeelPainter::ScaledSearchButtonGlyphSize(TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* glyph = GetSearchButtonGlyph();
  return AScaleFactor->Apply(TSize{glyph->Width(), glyph->Height() / 4});
}

bool TcxCustomLookAndFeelPainter::DrawExpandButtonFirst() {
  return true;
}

void TcxCustomLookAndFeelPainter::DrawScaledExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                           bool AExpanded, TdxScaleFactor* AScaleFactor,
                                                           TcxRotationAngle ARotationAngle) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
  const bool turned = ARotationAngle == raPlus90 || ARotationAngle == raMinus90;
  auto bitmap = std::make_unique<TcxBitmap>(turned ? R.Height() : R.Width(), turned ? R.Width() : R.Height());
  bitmap->cxCanvas()->FillRect(bitmap->ClientRect(), ButtonColor(AState));
  DrawScaledExpandMark(bitmap->cxCanvas(), bitmap->ClientRect(), ButtonSymbolColor(AState, clDefault), AExpanded,
                       AScaleFactor);
  ACanvas->RotateBitmap(bitmap.get(), ARotationAngle);
  cxDrawImage(ACanvas, R, bitmap.get(), nullptr, -1, ifmNormal, idmNormal, true);
}

void TcxCustomLookAndFeelPainter::DrawScaledExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                       bool AExpanded, TdxScaleFactor* AScaleFactor) {
  const int32_t s = AScaleFactor->Apply(3);
  ACanvas->Pen()->SetColor(AColor);
  const int32_t x = (R.Left + R.Right - (2 * s + 1)) / 2;
  const int32_t y0 = (R.Top + R.Bottom - 2 * (s + 1)) / 2;
  for (int32_t k = 0; k < 4; ++k) {
    int32_t y = y0 + k + (k >= 2 ? s - 1 : 0);
    const int32_t sign = AExpanded ? 1 : -1;
    if (AExpanded) y += s;
    const int32_t f = AExpanded ? k % 2 : 1 - k % 2;
    ACanvas->Polyline({TPoint{x + f, y - sign * f}, TPoint{x + s, y - sign * s},
                       TPoint{x + 2 * s + 1 - f, y + sign * (1 - f)}});
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                              TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor);
  DrawScaledExpandMark(ACanvas, R, ButtonSymbolColor(AState, clDefault), AExpanded, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                              TColor ABorderColor, TdxScaleFactor* AScaleFactor,
                                                              TColor AColor) {
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FrameRect(R, ABorderColor);
  if (AColor != clDefault) ACanvas->FillRect(cxRectInflate(R, -1), AColor);
  DrawExpandButtonCross(ACanvas, R, AExpanded, clBtnText, AScaleFactor);
}

int32_t TcxCustomLookAndFeelPainter::ScaledExpandButtonAreaSize(TdxScaleFactor* AScaleFactor) {
  int32_t result = ScaledExpandButtonSize(AScaleFactor);
  dxAdjustToTouchableSize(result);
  return result;
}

int32_t TcxCustomLookAndFeelPainter::ScaledGroupExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(15);
}

int32_t TcxCustomLookAndFeelPainter::ScaledSmallExpandButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(9);
}

TColor TcxCustomLookAndFeelPainter::DefaultCommandLinkTextColor(TcxButtonState AState, TColor ADefaultColor) {
  return ButtonSymbolColor(AState, ADefaultColor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R,
                                                                  TcxButtonState AState, TdxScaleFactor* AScaleFactor,
                                                                  TColor AColor) {
  DrawScaledButton(ACanvas, R, String(), AState, AScaleFactor, true, AColor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos,
                                                             TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  TdxSmartImage glyph;
  glyph.LoadFromResource(nullptr, u"CX_COMMANDLINKGLYPH", u"PNG");
  const TSize size = GetScaledCommandLinkGlyphSize(dxDefaultScaleFactor());
  TRect source{0, 0, size.cx, size.cy};
  const TRect dest = cxRectOffset(AScaleFactor->Apply(source), AGlyphPos);
  if (AState == cxbsHot) source = cxRectOffset(source, 0, size.cy);
  cxRightToLeftDependentDraw(ACanvas, dest, [&] { glyph.StretchDraw(ACanvas->Handle(), dest, source, 255); });
}

TSize TcxCustomLookAndFeelPainter::GetScaledCommandLinkGlyphSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TSize{20, 20});
}

TRect TcxCustomLookAndFeelPainter::GetScaledCommandLinkMargins(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TRect{7, 10, 7, 10});
}

TSize TcxCustomLookAndFeelPainter::DoGetSmallCloseButtonSize() {
  return TSize{14, 15};
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        TdxScaleFactor* /*AScaleFactor*/) {
  DrawButtonBorder(ACanvas, R, AState);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(cxRectInflate(R, -ButtonBorderSize(cxbsNormal)), ButtonColor(AState));
}

void TcxCustomLookAndFeelPainter::DrawScaledSmallCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                             TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawScaledFilterCloseButton(ACanvas, R, AState, AScaleFactor);
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::GetSmallButtonColorPalette(TcxButtonState /*AState*/) {
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::ScaledSmallCloseButtonSize(TdxScaleFactor* AScaleFactor) {
  TSize result = AScaleFactor->Apply(DoGetSmallCloseButtonSize());
  dxAdjustToTouchableSize(result);
  return result;
}

void TcxCustomLookAndFeelPainter::DrawScaledEditorButton(TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/,
                                                         TcxEditBtnKind /*AButtonKind*/, TcxButtonState /*AState*/,
                                                         TdxScaleFactor* /*AScaleFactor*/,
                                                         TcxEditBtnPosition /*APosition*/) {}

void TcxCustomLookAndFeelPainter::DrawScaledEditorButtonGlyph(TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/,
                                                              TcxEditBtnKind /*AButtonKind*/,
                                                              TcxButtonState /*AState*/,
                                                              TdxScaleFactor* /*AScaleFactor*/,
                                                              TcxEditBtnPosition /*APosition*/) {}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::EditButtonColorPalette(TcxButtonState /*AState*/) {
  return nullptr;
}

TSize TcxCustomLookAndFeelPainter::EditButtonSize() {
  return TSize{0, 0};
}

TColor TcxCustomLookAndFeelPainter::EditButtonTextColor() {
  return clDefault;
}

int32_t TcxCustomLookAndFeelPainter::EditButtonTextOffset() {
  return 0;
}

void TcxCustomLookAndFeelPainter::DrawScaledZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                         TdxScaleFactor* AScaleFactor) {
  DrawScaledZoomOutButton(ACanvas, R, AState, AScaleFactor);
  const int32_t x = (R.Left + R.Right) / 2;
  ACanvas->Line(x, R.Top + AScaleFactor->Apply(3), x, R.Bottom - AScaleFactor->Apply(3));
}

void TcxCustomLookAndFeelPainter::DrawScaledZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                          TdxScaleFactor* AScaleFactor) {
  DrawButtonBorder(ACanvas, R, AState);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(cxRectInflate(R, -1), ButtonColor(AState));
  ACanvas->Pen()->SetColor(AState == cxbsDisabled ? clBtnShadow : ButtonSymbolColor(AState, clDefault));
  const int32_t y = (R.Top + R.Bottom) / 2;
  ACanvas->Line(R.Left + AScaleFactor->Apply(3), y, R.Right - AScaleFactor->Apply(3), y);
}

TSize TcxCustomLookAndFeelPainter::GetScaledZoomInButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TSize{15, 15});
}

TSize TcxCustomLookAndFeelPainter::GetScaledZoomOutButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TSize{15, 15});
}

TSize TcxCustomLookAndFeelPainter::GetScaledBackButtonSize(TdxScaleFactor* AScaleFactor) {
  TdxSmartImage* glyph = GetBackButton();
  return AScaleFactor->Apply(TSize{glyph->Width(), glyph->Height() / 4});
}

void TcxCustomLookAndFeelPainter::DrawScaledBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                       TdxScaleFactor* /*AScaleFactor*/) {
  ButtonsDrawStripRow(ACanvas, GetBackButton(), R, kBackButtonRows[AState],
                      GetScaledBackButtonSize(dxDefaultScaleFactor()).cy);
}

void TcxCustomLookAndFeelPainter::DrawScaledFilterCloseButton(TcxCanvas* ACanvas, const TRect& R,
                                                              TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawScaledSmallButton(ACanvas, R, AState, AScaleFactor);
  DrawScaledButtonCross(ACanvas, R, ButtonSymbolColor(AState, clDefault), ButtonSymbolState(AState), AScaleFactor);
}

TPoint TcxCustomLookAndFeelPainter::ScaledFilterCloseButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(TPoint{16, 14});
}

void TcxCustomLookAndFeelPainter::DrawScaledButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                        TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  int32_t s = ScaledFilterCloseButtonSize(AScaleFactor).X / 2;
  if (s % 2 == 0) --s;
  DrawScaledButtonCrossEx(ACanvas, R, AColor, AState, s, dxDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawScaledButtonCrossEx(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                          TcxButtonState AState, int32_t ASize,
                                                          TdxScaleFactor* AScaleFactor) {
  ACanvas->Pen()->SetColor(AColor);
  const int32_t size = AScaleFactor->Apply(ASize);
  const int32_t pressed = AState == cxbsPressed ? 1 : 0;
  for (int32_t i = 0; i < 2; ++i) {
    const int32_t x = i + (R.Left + R.Right - size) / 2 + pressed;
    const int32_t y = (R.Top + R.Bottom - size) / 2 + pressed;
    ACanvas->Line(x, y, x + size, y + size);
    ACanvas->Line(x, y + size - 1, x + size, y - 1);
  }
}

void TcxCustomLookAndFeelPainter::DrawExpandButtonCross(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        TColor AColor, TdxScaleFactor* AScaleFactor) {
  const int32_t m = AScaleFactor->Apply(2);
  const int32_t cx = GetRangeCenter(R.Left, R.Right);
  const int32_t cy = GetRangeCenter(R.Top, R.Bottom);
  const int32_t h = (R.Width() - 2 * m) / 2;
  ACanvas->FillRect(TRect{cx - h, cy, cx + h + 1, cy + 1}, AColor);
  if (!AExpanded) ACanvas->FillRect(TRect{cx, cy - h, cx + 1, cy + h + 1}, AColor);
}

// --- Forms at the system scale factor --------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawButton(TcxCanvas* ACanvas, const TRect& R, const String& ACaption,
                                             TcxButtonState AState, bool ADrawBorder, TColor AColor,
                                             TColor ATextColor, bool AWordWrap, bool AIsToolButton,
                                             TcxButtonPart APart) {
  DrawScaledButton(ACanvas, R, ACaption, AState, dxSystemScaleFactor(), ADrawBorder, AColor, ATextColor, AWordWrap,
                   AIsToolButton, APart);
}

TRect TcxCustomLookAndFeelPainter::ButtonFocusRect(TcxCanvas* ACanvas, const TRect& R) {
  return ScaledButtonFocusRect(ACanvas, R, dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::ButtonTextOffset() {
  return ScaledButtonTextOffset(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::ButtonTextShift() {
  return ScaledButtonTextShift(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::GetDropDownButtonRightPartSize() {
  return GetScaledDropDownButtonRightPartSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSearchEditButtonGlyph(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState) {
  DrawScaledSearchEditButtonGlyph(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                   TColor AColor, TcxButtonState AState) {
  DrawScaledExpandButton(ACanvas, R, AExpanded, dxSystemScaleFactor(), AColor, AState);
}

void TcxCustomLookAndFeelPainter::DrawExpandButtonEx(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                     bool AExpanded, TcxRotationAngle ARotationAngle) {
  DrawScaledExpandButtonEx(ACanvas, R, AState, AExpanded, dxSystemScaleFactor(), ARotationAngle);
}

void TcxCustomLookAndFeelPainter::DrawExpandMark(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                 bool AExpanded) {
  DrawScaledExpandMark(ACanvas, R, AColor, AExpanded, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawGroupExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        TcxButtonState AState) {
  DrawScaledGroupExpandButton(ACanvas, R, AExpanded, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSmallExpandButton(TcxCanvas* ACanvas, const TRect& R, bool AExpanded,
                                                        TColor ABorderColor, TColor AColor) {
  DrawScaledSmallExpandButton(ACanvas, R, AExpanded, ABorderColor, dxSystemScaleFactor(), AColor);
}

int32_t TcxCustomLookAndFeelPainter::ExpandButtonAreaSize() {
  return ScaledExpandButtonAreaSize(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::ExpandButtonSize() {
  return ScaledExpandButtonSize(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::GroupExpandButtonSize() {
  return ScaledGroupExpandButtonSize(dxSystemScaleFactor());
}

int32_t TcxCustomLookAndFeelPainter::SmallExpandButtonSize() {
  return ScaledSmallExpandButtonSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCommandLinkBackground(TcxCanvas* ACanvas, const TRect& R,
                                                            TcxButtonState AState, TColor AColor) {
  DrawScaledCommandLinkBackground(ACanvas, R, AState, dxSystemScaleFactor(), AColor);
}

void TcxCustomLookAndFeelPainter::DrawCommandLinkGlyph(TcxCanvas* ACanvas, const TPoint& AGlyphPos,
                                                       TcxButtonState AState) {
  DrawScaledCommandLinkGlyph(ACanvas, AGlyphPos, AState, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetCommandLinkGlyphSize() {
  return GetScaledCommandLinkGlyphSize(dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::GetCommandLinkMargins() {
  return GetScaledCommandLinkMargins(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                  TcxButtonState AState) {
  DrawScaledButtonCross(ACanvas, R, AColor, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawButtonCross(TcxCanvas* ACanvas, const TRect& R, TColor AColor,
                                                  TcxButtonState AState, int32_t ASize) {
  DrawScaledButtonCrossEx(ACanvas, R, AColor, AState, ASize, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSmallButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  DrawScaledSmallButton(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawSmallCloseButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  DrawScaledSmallCloseButton(ACanvas, R, AState, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::SmallCloseButtonSize() {
  return ScaledSmallCloseButtonSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawEditorButton(TcxCanvas* ACanvas, const TRect& ARect,
                                                   TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                   TcxEditBtnPosition APosition) {
  DrawScaledEditorButton(ACanvas, ARect, AButtonKind, AState, dxSystemScaleFactor(), APosition);
}

void TcxCustomLookAndFeelPainter::DrawEditorButtonGlyph(TcxCanvas* ACanvas, const TRect& ARect,
                                                        TcxEditBtnKind AButtonKind, TcxButtonState AState,
                                                        TcxEditBtnPosition APosition) {
  DrawScaledEditorButtonGlyph(ACanvas, ARect, AButtonKind, AState, dxSystemScaleFactor(), APosition);
}

void TcxCustomLookAndFeelPainter::DrawZoomInButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  DrawScaledZoomInButton(ACanvas, R, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawZoomOutButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  DrawScaledZoomOutButton(ACanvas, R, AState, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetZoomInButtonSize() {
  return GetScaledZoomInButtonSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetZoomOutButtonSize() {
  return GetScaledZoomOutButtonSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawBackButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState) {
  DrawScaledBackButton(ACanvas, R, AState, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::GetBackButtonSize() {
  return GetScaledBackButtonSize(dxSystemScaleFactor());
}

}  // namespace qd
