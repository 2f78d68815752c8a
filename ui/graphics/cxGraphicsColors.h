#pragma once
// Colour functions of the graphics layer (lighter, darker, middle, tint, the light selection
// colours, high-contrast tests, HSL and HSV) and the two gradient fills, each drawn with
// msimg32's GradientFill when bound and in software otherwise.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"

namespace qd {

struct TdxHSL {
  double H = 0;  // [0, 1)
  double S = 0;
  double L = 0;
};

struct TdxHSV {
  double H = 0;  // degrees [0, 360)
  double S = 0;
  double V = 0;
};

class TdxColorSpaceConverter {
 public:
  TdxColorSpaceConverter() = delete;
  // All fields 0 for clNone and clDefault.
  static TdxHSL ColorToHSL(TColor AColor);
  static TColor HSLToColor(const TdxHSL& AHSL) { return HSLToColor(AHSL.H, AHSL.S, AHSL.L); }
  static TColor HSLToColor(double H, double S, double L);
  static TdxHSV ColorToHSV(TColor AColor);
  static TColor HSVToColor(const TdxHSV& AHSV) { return HSVToColor(AHSV.H, AHSV.S, AHSV.V); }
  static TColor HSVToColor(double H, double S, double V);
};

// By horizontal: False gives GRADIENT_FILL_RECT_V, True GRADIENT_FILL_RECT_H.
inline constexpr ULONG ModesMap[2] = {GRADIENT_FILL_RECT_V, GRADIENT_FILL_RECT_H};

inline bool cxColorIsValid(TColor AColor) {
  return AColor != clNone && AColor != clDefault;
}
inline bool cxColorIsEqual(TColor AColor1, TColor AColor2) {
  return AColor1 == AColor2;
}
void cxExchangeColors(TColor& AColor1, TColor& AColor2);
inline TColor cxGetActualColor(TColor AColor, TColor ADefaultColor) {
  return AColor == clDefault ? ADefaultColor : AColor;
}

TColor dxInvertColor(TColor AColor);
// The screen's nearest colour.
TColor dxGetNearestColor(TColor AColor);
// Each channel trunc(APercent x c / 100).
TColor dxGetDarkerColor(TColor AColor, uint8_t APercent);
// Each channel trunc(255 - APercent / 100 x (255 - c)).
TColor dxGetLighterColor(TColor AColor, uint8_t APercent);
// Each channel MulDiv(c1, APercent, 100) + MulDiv(c2, 100 - APercent, 100) within 0..255.
TColor dxGetMiddleRGB(TColor AColor1, TColor AColor2, int32_t APercent);
// Negative percentages darken, positive ones lighten, in HSV.
TColor dxGetColorTint(TColor AColor, int32_t ATintPercent);
void dxColorToHSV(TColor AColor, TdxHSV& HSV);
TColor dxHSVToColor(const TdxHSV& HSV);

// Signed percentages of the button face, highlight and window colours.
TColor GetLightColor(int32_t ABtnFaceColorPart, int32_t AHighlightColorPart, int32_t AWindowColorPart);
TColor GetLightSelColor();
TColor GetLightDownedSelColor();
bool IsHighContrastBlack();
bool IsHighContrast2();

// clNone draws nothing.
void FillRectByColor(HDC ADC, const TRect& R, TColor AColor);
void FrameRectByColor(HDC ADC, const TRect& R, TColor AColor);
void cxExcludeClipRect(HDC ADC, const TRect& R);
void FillGradientRect(HDC ADC, const TRect& R, TColor AColor1, TColor AColor2, bool AHorizontal);
// From AColor1 through a middle colour (AGradientPercent 100: the average) to AColor2.
void FillTubeGradientRect(HDC ADC, const TRect& R, TColor AColor1, TColor AColor2, int32_t AGradientPercent,
                          bool AHorizontal);

}  // namespace qd
