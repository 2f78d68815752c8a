#pragma once
// TcxAlphaBitmap: a 32-bit bitmap that knows which pixels count as transparent and applies
// per-pixel transformations to the others (the draw modes of image drawing), hatching,
// shading and shadows.
#include <cstdint>

#include "ui/graphics/cxGraphicsBitmap.h"

namespace qd {

enum TcxBitmapTransformationMode : uint8_t {
  btmDingy,
  btmDirty,
  btmGrayScale,
  btmSetOpaque,
  btmMakeMask,
  btmFade,
  btmDisable,
  btmCorrectBlend,
  btmHatch,
  btmClear,
  btmResetAlpha,
  btmExtractLayer
};

struct TcxHatchData {
  RGBQUAD Color1{};
  uint8_t Alpha1 = 0;
  RGBQUAD Color2{};
  uint8_t Alpha2 = 0;
  uint8_t Step = 1;
};

struct TcxColorTransitionMap {
  double RedScale;
  double GreenScale;
  double BlueScale;
  uint8_t SrcConstantAlpha;
};
inline constexpr TcxColorTransitionMap DisableMap{0.0729, 0.7146, 0.2125, 151};
inline constexpr TcxColorTransitionMap FadeMap{0.299, 0.587, 0.114, 64};
inline constexpr TcxColorTransitionMap GrayMap{0.299, 0.587, 0.114, 255};

inline constexpr RGBQUAD cxAlphaBitmapWhiteQuad{255, 255, 255, 255};
inline constexpr RGBQUAD cxAlphaBitmapZeroQuad{0, 0, 0, 0};

class TcxAlphaBitmap : public TcxBitmap32 {
  QD_CLASS(TcxAlphaBitmap, TcxBitmap32)

 public:
  TcxAlphaBitmap();
  TcxAlphaBitmap(int32_t AWidth, int32_t AHeight);
  // 32 bits with a background quad; Clear fills with it when its alpha is not 0.
  TcxAlphaBitmap(int32_t AWidth, int32_t AHeight, const RGBQUAD& ATransparentBkColor);
  explicit TcxAlphaBitmap(const TRect& ARect);

  void Clear() override;
  void TransformBitmap(TcxBitmapTransformationMode AMode);
  void RefreshImage(int32_t AWidth, int32_t AHeight);
  void RefreshImage(const TRect& ARect) { RefreshImage(ARect.Width(), ARect.Height()); }
  void RecoverAlphaChannel(TColor ATransparentColor);
  void ExtractLayer(TColor ATransparentColor);
  void DrawHatch(const TcxHatchData& AHatchData);
  void DrawHatch(TColor AColor1, TColor AColor2, uint8_t AAlpha1, uint8_t AAlpha2, uint8_t AStep);
  void Shade(TBitmap* AMaskBitmap);
  void DrawShadow(TBitmap* AMaskBitmap, int32_t AShadowSize, bool AExtend, TColor AShadowColor = clBtnShadow);

  RGBQUAD TransparentBkColor() const { return FTransparentBkColor; }
  void SetTransparentBkColor(const RGBQUAD& Value) { FTransparentBkColor = Value; }
  TcxColorList& TransparentPixels() { return FTransparentPixels; }
  bool IsColorTransparent(const RGBQUAD& AColor) const;

 protected:
  TPoint FCurrentColorIndex;
  TcxHatchData FHatchData;
  RGBQUAD FTransparentBkColor{};
  TcxColorList FTransparentPixels;

 private:
  void TransformPixel(RGBQUAD& AColor, TcxBitmapTransformationMode AMode);
};

}  // namespace qd
