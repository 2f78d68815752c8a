#include "ui/graphics/cxGraphicsColors.h"

#include <algorithm>
#include <cmath>

#include "platform/base/mathutil.h"
#include "platform/os/user.h"
#include "ui/graphics/cxGraphicsCanvas.h"

namespace qd {

namespace {

int32_t cxColorsChannel(COLORREF c, int i) {
  return static_cast<int32_t>((c >> (8 * i)) & 0xFF);
}

COLORREF cxColorsMake(const int32_t ch[3]) {
  return RGB(static_cast<uint8_t>(ch[0]), static_cast<uint8_t>(ch[1]), static_cast<uint8_t>(ch[2]));
}

int32_t cxColorsClampByte(int64_t v) {
  return static_cast<int32_t>(std::clamp<int64_t>(v, 0, 255));
}

// Fills R with a temporary solid brush of an RGB colour.
void cxColorsFillSolid(HDC ADC, const TRect& R, COLORREF AColor) {
  HBRUSH brush = CreateSolidBrush(AColor);
  FillRect(ADC, &R, brush);
  DeleteObject(brush);
}

}  // namespace

// --- Colour space conversions ----------------------------------------------------------------

TdxHSL TdxColorSpaceConverter::ColorToHSL(TColor AColor) {
  TdxHSL result;
  if (!cxColorIsValid(AColor)) return result;
  const COLORREF c = ColorToRGB(AColor);
  const double r = GetRValue(c) / 255.0, g = GetGValue(c) / 255.0, b = GetBValue(c) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  result.L = (mx + mn) / 2;
  if (mx == mn) return result;
  const double d = mx - mn;
  result.S = result.L < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
  double h;
  if (mx == r)
    h = (g - b) / d;
  else if (mx == g)
    h = (b - r) / d + 2;
  else
    h = (r - g) / d + 4;
  result.H = h / 6;
  if (result.H < 0) result.H += 1;
  return result;
}

TColor TdxColorSpaceConverter::HSLToColor(double H, double S, double L) {
  if (S == 0) {
    const auto v = static_cast<uint8_t>(cxColorsClampByte(Round(L * 255)));
    return static_cast<TColor>(RGB(v, v, v));
  }
  const double q = L <= 0.5 ? L * (1 + S) : L + S - L * S;
  const double p = 2 * L - q;
  auto hue = [&](double h) {
    const double t = 6 * (h - std::floor(h));
    double v;
    if (t < 1)
      v = p + t * (q - p);
    else if (t < 3)
      v = q;
    else if (t < 4)
      v = p + (q - p) * (4 - t);
    else
      v = p;
    return static_cast<uint8_t>(cxColorsClampByte(Round(v * 255)));
  };
  return static_cast<TColor>(RGB(hue(H + 1.0 / 3), hue(H), hue(H - 1.0 / 3)));
}

TdxHSV TdxColorSpaceConverter::ColorToHSV(TColor AColor) {
  TdxHSV result;
  if (!cxColorIsValid(AColor)) return result;
  const COLORREF c = ColorToRGB(AColor);
  const int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
  const int mx = std::max({r, g, b}), mn = std::min({r, g, b});
  result.V = mx / 255.0;
  result.S = result.V != 0 ? 1 - static_cast<double>(mn) / mx : 0;
  if (mx == mn)
    result.H = 0;
  else if (mx == r)
    result.H = 60.0 * (g - b) / (mx - mn);
  else if (mx == g)
    result.H = 60.0 * (b - r) / (mx - mn) + 120;
  else
    result.H = 60.0 * (r - g) / (mx - mn) + 240;
  if (result.H < 0) result.H += 360;
  return result;
}

TColor TdxColorSpaceConverter::HSVToColor(double H, double S, double V) {
  const int64_t v = Round(V * 255);
  const int64_t p = Round(static_cast<double>(v) * (1 - S));
  const int64_t sector = static_cast<int64_t>(std::trunc(H / 60));
  const int i = static_cast<int>(((sector % 6) + 6) % 6);
  const double f = H / 60 - static_cast<double>(sector);
  const int64_t q = Round(static_cast<double>(v) * (1 - S * f));
  const int64_t t = Round(static_cast<double>(v) * (1 - S * (1 - f)));
  int64_t r, g, b;
  switch (i) {
    case 0:
      r = v, g = t, b = p;
      break;
    case 1:
      r = q, g = v, b = p;
      break;
    case 2:
      r = p, g = v, b = t;
      break;
    case 3:
      r = p, g = q, b = v;
      break;
    case 4:
      r = t, g = p, b = v;
      break;
    default:
      r = v, g = p, b = q;
      break;
  }
  return static_cast<TColor>(RGB(static_cast<uint8_t>(cxColorsClampByte(r)),
                                 static_cast<uint8_t>(cxColorsClampByte(g)),
                                 static_cast<uint8_t>(cxColorsClampByte(b))));
}

// --- Colour functions --------------------------------------------------------------------

void cxExchangeColors(TColor& AColor1, TColor& AColor2) {
  std::swap(AColor1, AColor2);
}

TColor dxInvertColor(TColor AColor) {
  return static_cast<TColor>(ColorToRGB(AColor) ^ 0xFFFFFF);
}

TColor dxGetNearestColor(TColor AColor) {
  HDC dc = GetDC(nullptr);
  const COLORREF result = GetNearestColor(dc, ColorToRGB(AColor));
  ReleaseDC(nullptr, dc);
  return static_cast<TColor>(result);
}

TColor dxGetDarkerColor(TColor AColor, uint8_t APercent) {
  const COLORREF c = ColorToRGB(AColor);
  int32_t ch[3];
  for (int i = 0; i < 3; ++i)
    ch[i] = static_cast<int32_t>(std::trunc(APercent * cxColorsChannel(c, i) / 100.0));
  return static_cast<TColor>(cxColorsMake(ch));
}

TColor dxGetLighterColor(TColor AColor, uint8_t APercent) {
  const COLORREF c = ColorToRGB(AColor);
  int32_t ch[3];
  for (int i = 0; i < 3; ++i)
    ch[i] = static_cast<int32_t>(std::trunc(255 - APercent / 100.0 * (255 - cxColorsChannel(c, i))));
  return static_cast<TColor>(cxColorsMake(ch));
}

TColor dxGetMiddleRGB(TColor AColor1, TColor AColor2, int32_t APercent) {
  const COLORREF c1 = ColorToRGB(AColor1), c2 = ColorToRGB(AColor2);
  int32_t ch[3];
  // Clamped at 0 as well: a percentage above 100 would otherwise borrow from the next byte.
  for (int i = 0; i < 3; ++i)
    ch[i] = cxColorsClampByte(static_cast<int64_t>(MulDiv(cxColorsChannel(c1, i), APercent, 100)) +
                              MulDiv(cxColorsChannel(c2, i), 100 - APercent, 100));
  return dxGetNearestColor(static_cast<TColor>(cxColorsMake(ch)));
}

TColor dxGetColorTint(TColor AColor, int32_t ATintPercent) {
  TdxHSV hsv = TdxColorSpaceConverter::ColorToHSV(AColor);
  if (ATintPercent < 0) {
    const double p = -static_cast<double>(ATintPercent);
    if (hsv.S != 0) hsv.S = std::clamp(hsv.S + (1 - hsv.S) * p / 100, 0.0, 1.0);
    hsv.V = hsv.V - p * hsv.V / 100;
  } else {
    const double p = ATintPercent;
    if (hsv.S != 0) hsv.S = std::clamp(hsv.S - hsv.S * p / 100, 0.0, 1.0);
    hsv.V = hsv.V + (1 - hsv.V) * p / 100;
  }
  hsv.V = std::clamp(hsv.V, 0.0, 1.0);
  return TdxColorSpaceConverter::HSVToColor(hsv);
}

void dxColorToHSV(TColor AColor, TdxHSV& HSV) {
  HSV = TdxColorSpaceConverter::ColorToHSV(AColor);
}

TColor dxHSVToColor(const TdxHSV& HSV) {
  return TdxColorSpaceConverter::HSVToColor(HSV);
}

TColor GetLightColor(int32_t ABtnFaceColorPart, int32_t AHighlightColorPart, int32_t AWindowColorPart) {
  const COLORREF face = ColorToRGB(clBtnFace), highlight = ColorToRGB(clHighlight),
                 window = ColorToRGB(clWindow);
  if ((face == 0 || face == 0xFFFFFF) && highlight != 0) return static_cast<TColor>(highlight);
  int32_t ch[3];
  for (int i = 0; i < 3; ++i)
    ch[i] = cxColorsClampByte(static_cast<int64_t>(MulDiv(cxColorsChannel(face, i), ABtnFaceColorPart, 100)) +
                              MulDiv(cxColorsChannel(highlight, i), AHighlightColorPart, 100) +
                              MulDiv(cxColorsChannel(window, i), AWindowColorPart, 100));
  return static_cast<TColor>(cxColorsMake(ch));
}

TColor GetLightSelColor() {
  return dxGetNearestColor(GetLightColor(-2, 30, 72));
}

TColor GetLightDownedSelColor() {
  return dxGetNearestColor(GetLightColor(14, 44, 40));
}

bool IsHighContrastBlack() {
  return ColorToRGB(clBtnFace) == 0;
}

bool IsHighContrast2() {
  return IsHighContrastBlack() && ColorToRGB(clBtnText) != 0xFFFFFF;
}

// --- Fills and gradients -------------------------------------------------------------------

void FillRectByColor(HDC ADC, const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  cxColorsFillSolid(ADC, R, ColorToRGB(AColor));
}

void FrameRectByColor(HDC ADC, const TRect& R, TColor AColor) {
  if (AColor == clNone) return;
  HBRUSH brush = CreateSolidBrush(ColorToRGB(AColor));
  FrameRect(ADC, &R, brush);
  DeleteObject(brush);
}

void cxExcludeClipRect(HDC ADC, const TRect& R) {
  ExcludeClipRect(ADC, R.Left, R.Top, R.Right, R.Bottom);
}

void FillGradientRect(HDC ADC, const TRect& R, TColor AColor1, TColor AColor2, bool AHorizontal) {
  const COLORREF c1 = ColorToRGB(AColor1), c2 = ColorToRGB(AColor2);
  if (c1 == c2) {
    FillRectByColor(ADC, R, static_cast<TColor>(c1));
    return;
  }
  if (cxGraphics::GradientFill) {
    TRIVERTEX v[2];
    v[0].x = R.Left;
    v[0].y = R.Top;
    v[1].x = R.Right;
    v[1].y = R.Bottom;
    const COLORREF cs[2] = {c1, c2};
    for (int i = 0; i < 2; ++i) {
      v[i].Red = static_cast<COLOR16>(GetRValue(cs[i]) << 8);
      v[i].Green = static_cast<COLOR16>(GetGValue(cs[i]) << 8);
      v[i].Blue = static_cast<COLOR16>(GetBValue(cs[i]) << 8);
      v[i].Alpha = 0;
    }
    GRADIENT_RECT mesh;
    mesh.UpperLeft = 0;
    mesh.LowerRight = 1;
    cxGraphics::GradientFill(ADC, v, 2, &mesh, 1, ModesMap[AHorizontal ? 1 : 0]);
    return;
  }
  const int32_t extent = AHorizontal ? R.Width() : R.Height();
  const int32_t n = std::min(extent, 256);
  if (n < 1) return;
  const int32_t origin = AHorizontal ? R.Left : R.Top;
  const int32_t farEdge = AHorizontal ? R.Right : R.Bottom;
  int32_t start = origin;
  for (int32_t i = 0; i < n; ++i) {
    const int32_t end = origin + MulDiv(i + 1, extent, n);
    int32_t ch[3];
    for (int k = 0; k < 3; ++k)
      ch[k] =
          n == 1 ? cxColorsChannel(c1, k)
                 : cxColorsChannel(c1, k) + MulDiv(i, cxColorsChannel(c2, k) - cxColorsChannel(c1, k), n - 1);
    if (end > start) {
      const TRect band =
          AHorizontal ? TRect{start, R.Top, end, R.Bottom} : TRect{R.Left, start, R.Right, end};
      cxColorsFillSolid(ADC, band, cxColorsMake(ch));
    }
    start = end;
    if (end >= farEdge) break;
  }
}

void FillTubeGradientRect(HDC ADC, const TRect& R, TColor AColor1, TColor AColor2, int32_t AGradientPercent,
                          bool AHorizontal) {
  const COLORREF c1 = ColorToRGB(AColor1), c2 = ColorToRGB(AColor2);
  if (c1 == c2) {
    cxColorsFillSolid(ADC, R, c1);
    return;
  }
  const int32_t e = AHorizontal ? R.Width() : R.Height();
  const int32_t h = e / 2;
  int32_t m[3], rampEnd[3], rampStart[3];
  for (int k = 0; k < 3; ++k) {
    const int32_t a = cxColorsChannel(c1, k), b = cxColorsChannel(c2, k);
    m[k] = a - MulDiv(a - b, AGradientPercent, 200);
    rampEnd[k] = a - MulDiv(a - m[k], e, h);
    rampStart[k] = b + MulDiv(m[k] - b, e, h);
  }
  const int32_t origin = AHorizontal ? R.Left : R.Top;
  for (int32_t i = 0; i < e; ++i) {
    int32_t ch[3];
    for (int k = 0; k < 3; ++k) {
      int32_t v;
      if (i < h)
        v = cxColorsChannel(c1, k) + MulDiv(i, rampEnd[k] - cxColorsChannel(c1, k), e - 1);
      else if (i == h)
        v = m[k];
      else
        v = rampStart[k] + MulDiv(i, cxColorsChannel(c2, k) - rampStart[k], e - 1);
      ch[k] = v & 0xFF;
    }
    const TRect line = AHorizontal ? TRect{origin + i, R.Top, origin + i + 1, R.Bottom}
                                   : TRect{R.Left, origin + i, R.Right, origin + i + 1};
    cxColorsFillSolid(ADC, line, cxColorsMake(ch));
  }
}

}  // namespace qd
