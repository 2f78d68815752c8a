#include "ui/graphics/cxGraphicsAlphaBitmap.h"

#include <algorithm>
#include <cstring>

#include "platform/base/mathutil.h"
#include "ui/graphics/cxGraphicsBlend.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxAlphaBitmap)

namespace {

bool cxAlphaBitmapSameQuad(const RGBQUAD& A, const RGBQUAD& B) {
  return std::memcmp(&A, &B, sizeof(RGBQUAD)) == 0;
}

uint32_t cxAlphaBitmapRGB(const RGBQUAD& A) {
  return (static_cast<uint32_t>(A.rgbRed) << 16) | (static_cast<uint32_t>(A.rgbGreen) << 8) | A.rgbBlue;
}

RGBQUAD cxAlphaBitmapQuadOf(TColor AColor, uint8_t AAlpha) {
  const COLORREF c = ColorToRGB(AColor);
  return RGBQUAD{GetBValue(c), GetGValue(c), GetRValue(c), AAlpha};
}

void cxAlphaBitmapToGray(RGBQUAD& AColor, const TcxColorTransitionMap& AMap) {
  const auto gray = static_cast<uint8_t>(
      std::clamp<int64_t>(Round(AMap.RedScale * AColor.rgbRed + AMap.GreenScale * AColor.rgbGreen +
                                AMap.BlueScale * AColor.rgbBlue),
                          0, 255));
  AColor.rgbRed = AColor.rgbGreen = AColor.rgbBlue = gray;
}

}  // namespace

TcxAlphaBitmap::TcxAlphaBitmap() : TcxBitmap32(TcxBitmapNoInit{}) {
  Initialize(0, 0, pf32bit);
}

TcxAlphaBitmap::TcxAlphaBitmap(int32_t AWidth, int32_t AHeight) : TcxBitmap32(TcxBitmapNoInit{}) {
  Initialize(AWidth, AHeight, pf32bit);
}

TcxAlphaBitmap::TcxAlphaBitmap(int32_t AWidth, int32_t AHeight, const RGBQUAD& ATransparentBkColor)
    : TcxAlphaBitmap(AWidth, AHeight) {
  FTransparentBkColor = ATransparentBkColor;
}

TcxAlphaBitmap::TcxAlphaBitmap(const TRect& ARect) : TcxAlphaBitmap(ARect.Width(), ARect.Height()) {}

bool TcxAlphaBitmap::IsColorTransparent(const RGBQUAD& AColor) const {
  return cxAlphaBitmapSameQuad(AColor, FTransparentBkColor) ||
         FTransparentPixels.Contains(cxAlphaBitmapRGB(AColor));
}

void TcxAlphaBitmap::Clear() {
  if (FTransparentBkColor.rgbReserved != 0)
    TransformBitmap(btmClear);
  else
    TcxBitmap32::Clear();
}

void TcxAlphaBitmap::TransformPixel(RGBQUAD& AColor, TcxBitmapTransformationMode AMode) {
  switch (AMode) {
    case btmDingy:
      if (IsColorTransparent(AColor)) break;
      if (AColor.rgbReserved == 255) {
        for (uint8_t* c : {&AColor.rgbRed, &AColor.rgbGreen, &AColor.rgbBlue})
          *c = static_cast<uint8_t>(*c + MulDiv(255 - *c, 3, 10));
      } else {
        for (uint8_t* c : {&AColor.rgbRed, &AColor.rgbGreen, &AColor.rgbBlue, &AColor.rgbReserved})
          *c = static_cast<uint8_t>(MulDiv(*c, 200, 255));
      }
      break;
    case btmDirty:
      if (IsColorTransparent(AColor)) break;
      cxAlphaBitmapToGray(AColor, GrayMap);
      cxBlendFunction(cxAlphaBitmapQuadOf(clBtnShadow, 0xC0), AColor, 238);
      break;
    case btmGrayScale:
      if (IsColorTransparent(AColor)) break;
      AColor.rgbRed = AColor.rgbGreen = AColor.rgbBlue =
          static_cast<uint8_t>((AColor.rgbRed + AColor.rgbGreen + AColor.rgbBlue) / 3);
      break;
    case btmSetOpaque:
      AColor.rgbReserved = 255;
      break;
    case btmMakeMask:
      AColor = IsColorTransparent(AColor) ? cxAlphaBitmapWhiteQuad : cxAlphaBitmapZeroQuad;
      break;
    case btmFade:
      if (!IsColorTransparent(AColor)) cxAlphaBitmapToGray(AColor, FadeMap);
      break;
    case btmDisable:
      if (!IsColorTransparent(AColor)) cxAlphaBitmapToGray(AColor, DisableMap);
      break;
    case btmCorrectBlend:
      if (AColor.rgbReserved == 0 && !IsColorTransparent(AColor)) AColor.rgbReserved = 255;
      break;
    case btmHatch: {
      const int32_t step = std::max<int32_t>(FHatchData.Step, 1);  // a step of 0 would divide by zero
      if ((FCurrentColorIndex.X / step + FCurrentColorIndex.Y / step) % 2 == 1)
        cxBlendFunction(FHatchData.Color2, AColor, FHatchData.Alpha2);
      else
        cxBlendFunction(FHatchData.Color1, AColor, FHatchData.Alpha1);
      break;
    }
    case btmClear:
      AColor = FTransparentBkColor;
      break;
    case btmResetAlpha:
      AColor.rgbReserved = 0;
      break;
    case btmExtractLayer:
      if (IsColorTransparent(AColor)) AColor = cxAlphaBitmapZeroQuad;
      break;
  }
}

void TcxAlphaBitmap::TransformBitmap(TcxBitmapTransformationMode AMode) {
  TRGBColors colors;
  GetBitmapColors(colors);
  const int32_t w = Width(), h = Height();
  if (colors.size() < static_cast<size_t>(w) * h) return;
  for (int32_t x = 0; x < w; ++x)
    for (int32_t y = 0; y < h; ++y) {
      FCurrentColorIndex = TPoint{x, y};
      TransformPixel(colors[static_cast<size_t>(y) * w + x], AMode);
    }
  SetBitmapColors(colors);
  Changed(this);
}

void TcxAlphaBitmap::RefreshImage(int32_t AWidth, int32_t AHeight) {
  SetSize(AWidth, AHeight);
  FTransparentPixels.Clear();
  Clear();
}

void TcxAlphaBitmap::RecoverAlphaChannel(TColor ATransparentColor) {
  FTransparentPixels.Clear();
  FTransparentPixels.Add(ATransparentColor);
  FTransparentBkColor = cxAlphaBitmapQuadOf(ATransparentColor, 0);
  TransformBitmap(btmCorrectBlend);
}

void TcxAlphaBitmap::ExtractLayer(TColor ATransparentColor) {
  FTransparentPixels.Clear();
  FTransparentPixels.Add(ATransparentColor);
  FTransparentBkColor = cxAlphaBitmapQuadOf(ATransparentColor, 0);
  TransformBitmap(btmExtractLayer);
}

void TcxAlphaBitmap::DrawHatch(const TcxHatchData& AHatchData) {
  FHatchData = AHatchData;
  TransformBitmap(btmHatch);
}

void TcxAlphaBitmap::DrawHatch(TColor AColor1, TColor AColor2, uint8_t AAlpha1, uint8_t AAlpha2,
                               uint8_t AStep) {
  TcxHatchData data;
  data.Color1 = cxAlphaBitmapQuadOf(AColor1, 255);
  data.Alpha1 = AAlpha1;
  data.Color2 = cxAlphaBitmapQuadOf(AColor2, 255);
  data.Alpha2 = AAlpha2;
  data.Step = AStep;
  DrawHatch(data);
}

void TcxAlphaBitmap::Shade(TBitmap* AMaskBitmap) {
  const TRect r = ClientRect();
  HDC mask = AMaskBitmap->Canvas()->Handle();
  cxBitBlt(mask, mask, r, TPoint{0, 0}, PATINVERT);
  cxBitBlt(Canvas()->Handle(), mask, TRect{1, 1, r.Right + 1, r.Bottom + 1}, TPoint{0, 0}, SRCCOPY);
  Canvas()->Brush()->SetColor(clBtnShadow);
  cxBitBlt(Canvas()->Handle(), AMaskBitmap->Canvas()->Handle(), r, TPoint{0, 0}, 0x00E20746);
  TransformBitmap(btmCorrectBlend);
}

void TcxAlphaBitmap::DrawShadow(TBitmap* AMaskBitmap, int32_t AShadowSize, bool AExtend,
                                TColor AShadowColor) {
  const int32_t w = Width(), h = Height(), s = std::max(AShadowSize, 0);
  TcxAlphaBitmap temp(w + 2 * s, h + 2 * s, cxAlphaBitmapWhiteQuad);
  temp.Clear();
  temp.CopyBitmap(AMaskBitmap, TRect{s, s, s + AMaskBitmap->Width(), s + AMaskBitmap->Height()},
                  TPoint{0, 0});
  temp.Canvas()->Brush()->SetColor(AShadowColor);
  HDC tdc = temp.Canvas()->Handle();
  cxBitBlt(tdc, tdc, TRect{s, s, temp.Width(), temp.Height()}, TPoint{0, 0}, 0x00200F09);
  temp.SetTransparentBkColor(cxAlphaBitmapZeroQuad);
  temp.TransformBitmap(btmCorrectBlend);

  TcxAlphaBitmap second(w + s, h + s);
  second.CopyBitmap(this, TRect{0, 0, w, h}, TPoint{0, 0});
  cxBitBlt(second.Canvas()->Handle(), temp.Canvas()->Handle(), second.ClientRect(), TPoint{s, s}, SRCPAINT);
  if (AExtend) SetSize(w + s, h + s);
  CopyBitmap(&second);
}

}  // namespace qd
