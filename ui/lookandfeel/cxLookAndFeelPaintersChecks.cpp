// The base painter's check boxes, radio buttons and toggle switches.
#include <array>
#include <cmath>
#include <vector>

#include "platform/base/mathutil.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsText.h"
#include "ui/lookandfeel/cxLookAndFeelPainters.h"
#include "ui/lookandfeel/cxLookAndFeelPaintersBitmaps.h"

namespace qd {

namespace {

// The check mark in thousandths of the box width.
constexpr std::array<TPoint, 3> kCheckMarkTemplate = {TPoint{0, 0}, TPoint{500, 500}, TPoint{1500, -499}};

TcxCheckBoxState ChecksStateOf(bool AChecked) {
  return AChecked ? cbsChecked : cbsUnchecked;
}

// Restores the clip region saved at construction, whatever happens in between.
class ChecksClipGuard {
 public:
  explicit ChecksClipGuard(TcxCanvas* ACanvas) : canvas_(ACanvas) { canvas_->SaveClipRegion(); }
  ~ChecksClipGuard() { canvas_->RestoreClipRegion(); }
  ChecksClipGuard(const ChecksClipGuard&) = delete;
  ChecksClipGuard& operator=(const ChecksClipGuard&) = delete;

 private:
  TcxCanvas* canvas_;
};

class ChecksStateGuard {
 public:
  explicit ChecksStateGuard(TcxCanvas* ACanvas) : canvas_(ACanvas) { canvas_->SaveState(); }
  ~ChecksStateGuard() { canvas_->RestoreState(); }
  ChecksStateGuard(const ChecksStateGuard&) = delete;
  ChecksStateGuard& operator=(const ChecksStateGuard&) = delete;

 private:
  TcxCanvas* canvas_;
};

}  // namespace

int32_t TcxCustomLookAndFeelPainter::CheckBorderSize() {
  return 2;
}

TColor TcxCustomLookAndFeelPainter::CheckButtonColor(TcxButtonState AState, TcxCheckBoxState ACheckState) {
  switch (AState) {
    case cxbsNormal:
      return ACheckState == cbsGrayed ? clBtnFace : clWindow;
    case cxbsDefault:
    case cxbsHot:
      return clWindow;
    case cxbsPressed:
    case cxbsDisabled:
      break;
  }
  return clBtnFace;
}

TSize TcxCustomLookAndFeelPainter::ScaledCheckButtonAreaSize(TdxScaleFactor* AScaleFactor) {
  TSize result = ScaledCheckButtonSize(AScaleFactor);
  dxAdjustToTouchableSize(result);
  return result;
}

TSize TcxCustomLookAndFeelPainter::ScaledCheckButtonSize(TdxScaleFactor* AScaleFactor) {
  return AScaleFactor->Apply(cxCheckButtonSize(), dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckBorder(TcxCanvas* /*ACanvas*/, const TRect& /*R*/,
                                                  TcxButtonState /*AState*/) {}

void TcxCustomLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  bool AChecked, TColor AColor, TdxScaleFactor* AScaleFactor) {
  DrawScaledCheck(ACanvas, R, AState, ChecksStateOf(AChecked), AColor, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxCheckBoxState ACheckState, TColor AColor,
                                                  TdxScaleFactor* /*AScaleFactor*/) {
  if (ACanvas->Brush()->Style() == bsSolid) ACanvas->FillRect(R, CheckButtonColor(AState, ACheckState));
  if (ACheckState == cbsUnchecked) return;
  ACanvas->Pen()->SetColor(AColor);
  const TRect box = cxRectInflate(R, -1);
  const int32_t w = box.Width(), h = box.Height();
  ChecksClipGuard clip(ACanvas);
  ACanvas->IntersectClipRect(box);
  std::vector<TPoint> points;
  for (const TPoint& p : kCheckMarkTemplate)
    points.push_back(TPoint{box.Left + MulDiv(p.X, w, 1000) - static_cast<int32_t>(std::trunc(w * 0.15)) - 1,
                            box.Top + MulDiv(p.Y, w, 1000) + h / 3});
  for (int32_t stroke = 0; stroke < 3; ++stroke) {
    ACanvas->Polyline(points);
    for (TPoint& p : points) --p.Y;
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        bool AChecked, TdxScaleFactor* AScaleFactor) {
  DrawScaledCheckButton(ACanvas, R, AState, ChecksStateOf(AChecked), AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                        TcxCheckBoxState ACheckState, TdxScaleFactor* AScaleFactor) {
  DrawCheckBorder(ACanvas, R, AState);
  const TColor mark = AState == cxbsDisabled || ACheckState == cbsGrayed ? clGrayText : clBtnText;
  DrawScaledCheck(ACanvas, cxRectInflate(R, -CheckBorderSize()), AState, ACheckState, mark, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds,
                                                         TcxButtonState AState, const TRect& AThumbBounds,
                                                         TdxScaleFactor* AScaleFactor) {
  const bool rtl = ACanvas->UseRightToLeftAlignment();
  if (AThumbBounds.Left == ABounds.Left) {
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, rtl, AScaleFactor);
    return;
  }
  if (AThumbBounds.Right == ABounds.Right) {
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, !rtl, AScaleFactor);
    return;
  }
  const int32_t c = AThumbBounds.Left + AThumbBounds.Width() / 2;
  const TRect leftPart{ABounds.Left, ABounds.Top, c, ABounds.Bottom};
  const TRect rightPart{c, ABounds.Top, ABounds.Right, ABounds.Bottom};
  {
    ChecksStateGuard state(ACanvas);
    ACanvas->ExcludeClipRect(rightPart);
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, !rtl, AScaleFactor);
  }
  {
    ChecksStateGuard state(ACanvas);
    ACanvas->ExcludeClipRect(leftPart);
    DrawScaledToggleSwitchState(ACanvas, ABounds, AState, rtl, AScaleFactor);
  }
}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchState(TcxCanvas* /*ACanvas*/, const TRect& /*ABounds*/,
                                                              TcxButtonState /*AState*/, bool /*AChecked*/,
                                                              TdxScaleFactor* /*AScaleFactor*/) {}

void TcxCustomLookAndFeelPainter::DrawScaledToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                              TcxButtonState AState, TdxScaleFactor* AScaleFactor) {
  DrawScaledButton(ACanvas, cxRectInflate(ABounds, -AScaleFactor->Apply(2)), String(), AState, AScaleFactor);
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchStateIndicator(TcxCanvas* ACanvas, const TRect& ABounds,
                                                                 const String& AText, TFont* AFont) {
  ChecksStateGuard state(ACanvas);
  ACanvas->SetFont(AFont);
  cxDrawText(ACanvas, AText, ABounds, DT_CENTER | DT_VCENTER | DT_SINGLELINE, GetToggleSwitchTextColor());
}

IdxColorPalettePtr TcxCustomLookAndFeelPainter::GetToggleSwitchColorPalette() {
  return nullptr;
}

TColor TcxCustomLookAndFeelPainter::GetToggleSwitchTextColor() {
  return DefaultContentTextColor();
}

int32_t TcxCustomLookAndFeelPainter::GetToggleSwitchThumbPercentsWidth() {
  return 50;
}

TColor TcxCustomLookAndFeelPainter::ToggleSwitchToggleColor(bool /*AChecked*/) {
  return clBlack;
}

void TcxCustomLookAndFeelPainter::DrawScaledRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y,
                                                        TcxButtonState AButtonState, bool AChecked, bool AFocused,
                                                        TColor ABrushColor, TdxScaleFactor* AScaleFactor,
                                                        bool AIsDesigning) {
  TcxRadioButtonImageListManager::Get(AScaleFactor)
      ->Draw(ACanvas, X, Y, ABrushColor, cxLookAndFeelKindMap[LookAndFeelStyle()], AButtonState, AChecked, AFocused,
             AIsDesigning);
}

TColor TcxCustomLookAndFeelPainter::RadioButtonBodyColor(TcxButtonState AState) {
  return AState == cxbsPressed || AState == cxbsDisabled ? clBtnFace : clWindow;
}

TSize TcxCustomLookAndFeelPainter::ScaledRadioButtonSize(TdxScaleFactor* AScaleFactor) {
  return TcxRadioButtonImageListManager::Get(AScaleFactor)->GetSize();
}

// --- Forms at the system scale factor --------------------------------------------------------

TSize TcxCustomLookAndFeelPainter::CheckButtonSize() {
  return ScaledCheckButtonSize(dxSystemScaleFactor());
}

TSize TcxCustomLookAndFeelPainter::CheckButtonAreaSize() {
  return ScaledCheckButtonAreaSize(dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                            bool AChecked, TColor AColor) {
  DrawScaledCheck(ACanvas, R, AState, AChecked, AColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheck(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                            TcxCheckBoxState ACheckState, TColor AColor) {
  DrawScaledCheck(ACanvas, R, AState, ACheckState, AColor, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  bool AChecked) {
  DrawScaledCheckButton(ACanvas, R, AState, AChecked, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawCheckButton(TcxCanvas* ACanvas, const TRect& R, TcxButtonState AState,
                                                  TcxCheckBoxState ACheckState) {
  DrawScaledCheckButton(ACanvas, R, AState, ACheckState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitch(TcxCanvas* ACanvas, const TRect& ABounds, TcxButtonState AState,
                                                   const TRect& AThumbBounds) {
  DrawScaledToggleSwitch(ACanvas, ABounds, AState, AThumbBounds, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchState(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState, bool AChecked) {
  DrawScaledToggleSwitchState(ACanvas, ABounds, AState, AChecked, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawToggleSwitchThumb(TcxCanvas* ACanvas, const TRect& ABounds,
                                                        TcxButtonState AState) {
  DrawScaledToggleSwitchThumb(ACanvas, ABounds, AState, dxSystemScaleFactor());
}

void TcxCustomLookAndFeelPainter::DrawRadioButton(TcxCanvas* ACanvas, int32_t X, int32_t Y,
                                                  TcxButtonState AButtonState, bool AChecked, bool AFocused,
                                                  TColor ABrushColor, bool AIsDesigning) {
  DrawScaledRadioButton(ACanvas, X, Y, AButtonState, AChecked, AFocused, ABrushColor, dxSystemScaleFactor(),
                        AIsDesigning);
}

TSize TcxCustomLookAndFeelPainter::RadioButtonSize() {
  return ScaledRadioButtonSize(dxSystemScaleFactor());
}

}  // namespace qd
