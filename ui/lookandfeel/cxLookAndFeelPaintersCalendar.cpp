// The base painter's calculator keys, alert windows, galleries, calendars and the modern clock.
#include <cmath>
#include <numbers>

#include "platform/base/format.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/graphics/dxSmartImage.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"

namespace qd {

namespace {

constexpr TColor kModernClockHandsColor = static_cast<TColor>(0x464646);

TRect CalendarMargins(int32_t AValue) {
  return TRect{AValue, AValue, AValue, AValue};
}

// A hand of the modern clock: from ATail behind the centre to ALength in front of it (both
// fractions of the radius), at AAngle clockwise from twelve.
void ModernClockDrawHand(TdxGPPaintCanvas* ACanvas, const TdxPointF& ACenter, double ARadius, double AAngle,
                         double ALength, double ATail, float AWidth, TColor AColor) {
  const double dx = std::sin(AAngle), dy = -std::cos(AAngle);
  ACanvas->Line(static_cast<float>(ACenter.X - dx * ATail * ARadius),
                static_cast<float>(ACenter.Y - dy * ATail * ARadius),
                static_cast<float>(ACenter.X + dx * ALength * ARadius),
                static_cast<float>(ACenter.Y + dy * ALength * ARadius), dxColorToAlphaColor(AColor), AWidth);
}

}  // namespace

// --- Calculator ---------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::CalcEditButtonTextColor(TcxCalcButtonKind AButtonKind) {
  switch (AButtonKind) {
    case cbBack:
    case cbCancel:
    case cbClear:
      return static_cast<TColor>(0x000080);
    case cbMC:
    case cbMR:
    case cbMS:
    case cbMP:
    case cbDiv:
    case cbMul:
    case cbSub:
    case cbAdd:
    case cbEqual:
      return static_cast<TColor>(0x0000FF);
    case cbSqrt:
    case cbPercent:
    case cbRev:
      return static_cast<TColor>(0x800000);
    default:
      return static_cast<TColor>(0xFF0000);  // digits, sign, decimal point, none
  }
}

// --- Alert window ---------------------------------------------------------------------------------------

IdxColorPalettePtr TcxCustomLookAndFeelPainter::AlertWindowButtonGetColorPalette(TcxButtonState AState) {
  return ButtonColorPalette(AState);
}

int32_t TcxCustomLookAndFeelPainter::AlertWindowCornerRadius() {
  return 0;
}

TColor TcxCustomLookAndFeelPainter::AlertWindowNavigationPanelTextColor() {
  return AlertWindowTextColor();
}

TRect TcxCustomLookAndFeelPainter::AlertWindowScaledButtonContentOffsets(TdxAlertWindowButtonKind /*AKind*/,
                                                                         TdxScaleFactor* AScaleFactor) {
  return CalendarMargins(AScaleFactor->Apply(3));
}

TSize TcxCustomLookAndFeelPainter::AlertWindowScaledButtonGlyphSize(TdxAlertWindowButtonKind AKind,
                                                                    TdxScaleFactor* AScaleFactor) {
  if (AKind == awbkCustom) return TSize{0, 0};
  return TSize{AScaleFactor->Apply(10), AScaleFactor->Apply(10)};
}

TRect TcxCustomLookAndFeelPainter::AlertWindowScaledContentOffsets(TdxScaleFactor* AScaleFactor) {
  return CalendarMargins(AScaleFactor->Apply(4));
}

TColor TcxCustomLookAndFeelPainter::AlertWindowTextColor() {
  return clBtnText;
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowBackground(TcxCanvas* ACanvas, const TRect& ABounds,
                                                            TdxScaleFactor* /*AScaleFactor*/) {
  ACanvas->FillRect(ABounds, clBtnFace);
  const int32_t radius = AlertWindowCornerRadius();
  if (radius == 0) {
    ACanvas->FrameRect(ABounds, clBtnShadow);
    return;
  }
  ACanvas->Pen()->SetColor(clBtnShadow);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->RoundRect(ABounds, radius, radius);
  ACanvas->Brush()->SetStyle(bsSolid);
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowScaledButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TcxButtonState AState,
                                                              TdxAlertWindowButtonKind AKind,
                                                              TdxScaleFactor* AScaleFactor, bool ADown) {
  if (ADown) AState = cxbsPressed;
  DrawScaledButton(ACanvas, ABounds, String(), AState, AScaleFactor);
  const TRect r = cxRectContent(ABounds, AlertWindowScaledButtonContentOffsets(AKind, AScaleFactor));
  const TColor color = ButtonSymbolColor(AState, clDefault);
  switch (AKind) {
    case awbkClose:
      DrawScaledButtonCross(ACanvas, r, color, AState, AScaleFactor);
      break;
    case awbkPin:
      DrawPin(ACanvas, r, color, ADown);
      break;
    case awbkDropdown:
      DrawArrow(ACanvas, r, adDown, color);
      break;
    case awbkPrevious:
      DrawArrow(ACanvas, r, adLeft, color);
      break;
    case awbkNext:
      DrawArrow(ACanvas, r, adRight, color);
      break;
    case awbkCustom:
      break;
  }
}

void TcxCustomLookAndFeelPainter::DrawPin(TcxCanvas* ACanvas, const TRect& R, TColor AColor, bool ADown) {
  // A head (a framed box with a collar below it) over a needle; pushed in, the needle is short.
  const TRect square = cxRectCenter(R, std::min(R.Width(), R.Height()), std::min(R.Width(), R.Height()));
  const int32_t size = square.Width();
  const int32_t headW = std::max(3, size / 2 | 1);
  const int32_t headH = std::max(2, size * 2 / 5);
  const int32_t top = square.Top + (ADown ? size / 4 : 0);
  const int32_t x = square.Left + (size - headW) / 2;
  const TRect head{x, top, x + headW, top + headH};
  ACanvas->FrameRect(head, AColor);
  ACanvas->FillRect(TRect{x - 1, head.Bottom, x + headW + 1, head.Bottom + 1}, AColor);
  const int32_t needleX = x + headW / 2;
  ACanvas->FillRect(TRect{needleX, head.Bottom + 1, needleX + 1, square.Bottom}, AColor);
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowNavigationPanel(TcxCanvas* ACanvas, const TRect& ABounds) {
  ACanvas->FrameRect(ABounds, clBtnShadow);
}

// --- Gallery ---------------------------------------------------------------------------------------------

TColor TcxCustomLookAndFeelPainter::GetGalleryGroupTextColor() {
  return clDefault;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemCaptionTextColor(TcxButtonState /*AState*/) {
  return clWindowText;
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::GetGalleryItemColorPalette(TcxButtonState /*AState*/) {
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemDescriptionTextColor(TcxButtonState /*AState*/) {
  return clGrayText;
}

TColor TcxCustomLookAndFeelPainter::GetGalleryItemImageFrameColor() {
  return clBtnShadow;
}

TRect TcxCustomLookAndFeelPainter::GetGalleryScaledGroupHeaderContentOffsets(TdxScaleFactor* AScaleFactor) {
  return TRect{AScaleFactor->Apply(7), AScaleFactor->Apply(2), AScaleFactor->Apply(7),
               AScaleFactor->Apply(2)};
}

void TcxCustomLookAndFeelPainter::DrawGalleryBackground(TcxCanvas* ACanvas, const TRect& ABounds) {
  ACanvas->FillRect(ABounds, dxGalleryBackgroundColor);
}

void TcxCustomLookAndFeelPainter::DrawGalleryGroupHeader(TcxCanvas* ACanvas, const TRect& ABounds) {
  DrawScaledHeader(ACanvas, ABounds, ABounds, TcxNeighbors{}, cxBordersAll, cxbsNormal, taLeftJustify, vaTop,
                   false, false, String(), nullptr, clNone, DefaultHeaderColor(), dxDefaultScaleFactor());
}

bool TcxCustomLookAndFeelPainter::DrawGalleryItemSelectionFirst() {
  return false;
}

void TcxCustomLookAndFeelPainter::DrawGalleryItemImageFrame(TcxCanvas* ACanvas, const TRect& R) {
  ACanvas->FrameRect(R, GetGalleryItemImageFrameColor());
}

TColor TcxCustomLookAndFeelPainter::GetColorGalleryGlyphFrameColor() {
  return static_cast<TColor>(0xE2E4E6);
}

void TcxCustomLookAndFeelPainter::DrawColorGalleryItemSelection(TcxCanvas* ACanvas, const TRect& R,
                                                                const TdxGalleryItemViewState& AViewState) {
  TColor outer = clNone;
  if (AViewState.Checked)
    outer = static_cast<TColor>(0x1048EF);
  else if (AViewState.Hover)
    outer = static_cast<TColor>(0x0022EF);
  else if (AViewState.Pressed || AViewState.Focused)
    outer = static_cast<TColor>(0x3694F2);
  else
    return;
  ACanvas->FrameRect(R, outer);
  ACanvas->FrameRect(cxRectInflate(R, -1), static_cast<TColor>(0x94E2FF));
}

// --- Calendar and modern clock --------------------------------------------------------------------------

void TcxCustomLookAndFeelPainter::DrawCalendarDateCellSelection(TcxCanvas* ACanvas, const TRect& ARect,
                                                                const TcxCalendarElementStates& AStates) {
  if (AStates.Contains(cesMarked)) DrawDateNavigatorTodayCellSelection(ACanvas, ARect);
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                          TcxArrowDirection ADirection,
                                                          TcxCalendarElementState AState) {
  DrawScaledModernCalendarArrow(ACanvas, ARect, ADirection, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarClock(TcxCanvas* ACanvas, const TRect& ARect,
                                                          TDateTime ADateTime, TColor ABackgroundColor,
                                                          TdxScaleFactor* AScaleFactor) {
  if (ARect.IsEmpty()) return;
  TcxBitmap32 bitmap(ARect.Width(), ARect.Height());
  TcxCanvas* canvas = bitmap.cxCanvas();
  if (ABackgroundColor == clNone)
    cxBitBlt(bitmap.Canvas()->Handle(), ACanvas->Handle(), bitmap.ClientRect(), ARect.TopLeft(), SRCCOPY);
  else
    canvas->FillRect(bitmap.ClientRect(), ABackgroundColor);
  GetClockFace()->StretchDraw(canvas->Handle(), bitmap.ClientRect(), 255);
  DrawScaledModernClockHands(canvas, bitmap.ClientRect(), ADateTime, kModernClockHandsColor, AScaleFactor);
  GetClockGlass()->StretchDraw(canvas->Handle(), bitmap.ClientRect(), 255);
  cxBitBlt(ACanvas->Handle(), bitmap.Canvas()->Handle(), ARect, TPoint{0, 0}, SRCCOPY);
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarDateCellSelection(
    TcxCanvas* ACanvas, const TRect& ARect, const TcxCalendarElementStates& AStates) {
  TColor frame = clNone, fill = clNone;
  if (AStates.Contains(cesSelected)) {
    if (AStates.Contains(cesHot)) {
      frame = static_cast<TColor>(0xE8A766);
      fill = static_cast<TColor>(0xFFE8D1);
    } else if (AStates.Contains(cesFocused)) {
      frame = static_cast<TColor>(0xDAA026);
      fill = static_cast<TColor>(0xF6E8CB);
    } else {
      frame = static_cast<TColor>(0xDEDEDE);
      fill = static_cast<TColor>(0xF7F7F7);
    }
  } else if (AStates.Contains(cesHot)) {
    frame = static_cast<TColor>(0xE7C070);
    fill = static_cast<TColor>(0xFBF3E5);
  }
  if (frame != clNone) ACanvas->FrameRect(ARect, frame);
  if (fill != clNone) ACanvas->FillRect(cxRectInflate(ARect, -1), fill);
  if (AStates.Contains(cesMarked)) ACanvas->FrameRect(ARect, GetModernCalendarMarkedCellBorderColor());
  if (AStates.Contains(cesFocused)) ACanvas->DrawFocusRect(cxRectInflate(ARect, -1));
}

void TcxCustomLookAndFeelPainter::DrawModernCalendarDateHeaderSelection(
    TcxCanvas* /*ACanvas*/, const TRect& /*ARect*/, const TcxCalendarElementStates& /*AStates*/) {}

void TcxCustomLookAndFeelPainter::DrawModernCalendarHeaderSelection(TcxCanvas* ACanvas,
                                                                    const TRect& /*ARect*/,
                                                                    const TcxCalendarElementStates& AStates) {
  if (AStates.Contains(cesSelected)) {
    TFontStyles style = ACanvas->Font()->Style();
    style.Include(fsBold);
    ACanvas->Font()->SetStyle(style);
  }
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarCellTextColor(const TcxCalendarElementStates& AStates) {
  if (AStates.Contains(cesDisabled)) return clGrayText;
  if (AStates.Contains(cesSelected) && !AStates.Contains(cesHot)) return GetModernCalendarSelectedTextColor();
  return clBtnText;
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarDateHeaderTextColor(
    const TcxCalendarElementStates& AStates) {
  if (AStates.Count() == 1 && AStates.Contains(cesSelected)) return GetModernCalendarSelectedTextColor();
  return DefaultDateNavigatorHeaderTextColor(false);
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarHeaderTextColor(
    const TcxCalendarElementStates& /*AStates*/) {
  return clHotLight;
}

TRect TcxCustomLookAndFeelPainter::GetModernCalendarHeaderTextOffsets() {
  return TRect{0, 0, 0, 0};
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarMarkedCellBorderColor() {
  return clHotLight;
}

TColor TcxCustomLookAndFeelPainter::GetModernCalendarSelectedTextColor() {
  return clHotLight;
}

void TcxCustomLookAndFeelPainter::DrawScaledModernCalendarArrow(TcxCanvas* ACanvas, const TRect& ARect,
                                                                TcxArrowDirection ADirection,
                                                                TcxCalendarElementState AState,
                                                                TdxScaleFactor* /*AScaleFactor*/) {
  TColor color = clBtnText;
  if (AState == cesHot || AState == cesPressed)
    color = GetModernCalendarSelectedTextColor();
  else if (AState == cesDisabled)
    color = clGrayText;
  TRect r = ARect;
  --r.Bottom;
  TcxArrowPoints points{};
  CalculateArrowPoints(r, points, ADirection, true, 0);
  ACanvas->Pen()->SetColor(color);
  ACanvas->Brush()->SetColor(color);
  ACanvas->Polygon(std::vector<TPoint>(points.begin(), points.end()));
}

void TcxCustomLookAndFeelPainter::DrawScaledModernClockHands(TcxCanvas* ACanvas, const TRect& ARect,
                                                             TDateTime ADateTime, TColor AColor,
                                                             TdxScaleFactor* AScaleFactor) {
  int hour = 0, minute = 0, second = 0, msec = 0;
  DecodeTime(ADateTime, hour, minute, second, msec);
  const double pi = std::numbers::pi;
  const TdxPointF center{(ARect.Left + ARect.Right) / 2.0f, (ARect.Top + ARect.Bottom) / 2.0f};
  const double radius = std::min(ARect.Width(), ARect.Height()) / 2.0;
  const auto width = [AScaleFactor](double AWidth) {
    return static_cast<float>(AScaleFactor->ApplyF(AWidth));
  };
  TdxGPPaintCanvas* canvas = dxGPPaintCanvas();
  canvas->BeginPaint(ACanvas->Handle(), ARect);
  struct TEnd {
    TdxGPPaintCanvas* Canvas;
    ~TEnd() { Canvas->EndPaint(); }
  } end{canvas};
  canvas->SetSmoothingMode(smAntiAlias);
  ModernClockDrawHand(canvas, center, radius, ((hour % 12) + minute / 60.0) * pi / 6, 0.55, 0.05, width(1.8),
                      AColor);
  ModernClockDrawHand(canvas, center, radius, (minute + second / 60.0) * pi / 30, 0.7, 0.05, width(1.8),
                      AColor);
  ModernClockDrawHand(canvas, center, radius, second * pi / 30, 0.745, 0.1, width(1), AColor);
}

// --- Unscaled forms --------------------------------------------------------------------------------------

TRect TcxCustomLookAndFeelPainter::AlertWindowButtonContentOffsets(TdxAlertWindowButtonKind AKind) {
  return AlertWindowScaledButtonContentOffsets(AKind, dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::AlertWindowButtonGlyphSize(TdxAlertWindowButtonKind AKind) {
  return AlertWindowScaledButtonGlyphSize(AKind, dxSystemScaleFactor());
}

TRect TcxCustomLookAndFeelPainter::AlertWindowContentOffsets() {
  return AlertWindowScaledContentOffsets(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawAlertWindowButton(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState, TdxAlertWindowButtonKind AKind,
                                                        bool ADown) {
  DrawAlertWindowScaledButton(ACanvas, ABounds, AState, AKind, dxSystemScaleFactor(), ADown);
}

TRect TcxCustomLookAndFeelPainter::GetGalleryGroupHeaderContentOffsets() {
  return GetGalleryScaledGroupHeaderContentOffsets(dxDefaultScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawModernClockHands(TcxCanvas* ACanvas, const TRect& ARect,
                                                       TDateTime ADateTime, TColor AColor) {
  DrawScaledModernClockHands(ACanvas, ARect, ADateTime, AColor, dxDefaultScaleFactor());
}

}  // namespace qd
