#pragma once
// Moving pixels between bitmaps and device contexts: alpha blending with a constant opacity
// and per-pixel alpha, plain and stretched block transfers, stretching a graphic into a
// bitmap, the Lanczos3 smooth resize, bitmap creation, clearing and copying, a region from
// the opaque pixels of a bitmap, and the cursor size.
#include <cstdint>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

// Source-over, constant alpha 200, no per-pixel alpha.
inline constexpr BLENDFUNCTION DefaultBlendFunction{AC_SRC_OVER, 0, 200, 0};

void cxBitBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TPoint& ASrcTopLeft, DWORD ARop);
void cxStretchBlt(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect, DWORD ARop);
void cxDrawBitmap(HDC ADestDC, TBitmap* ABitmap, const TRect& ADestRect, const TPoint& ASrcPoint,
                  DWORD AMode = SRCCOPY);

// Premultiplied source-over of ASource onto ADest with a constant opacity.
void cxBlendFunction(const RGBQUAD& ASource, RGBQUAD& ADest, uint8_t ASourceConstantAlpha);
bool CanApplySystemAlphaBlending();
// False when msimg32's AlphaBlend is not bound, else its result.
bool SystemAlphaBlend(HDC ADestDC, HDC ASrcDC, const TRect& ADestRect, const TRect& ASrcRect,
                      uint8_t AConstantAlpha = 255, bool AUseSourceAlpha = true);
void cxAlphaBlend(TBitmap* ADestBitmap, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, uint8_t AConstantAlpha = 255);
void cxAlphaBlend(HDC ADestDC, TBitmap* ASrcBitmap, const TRect& ADestRect, const TRect& ASrcRect,
                  bool ASmoothImage = false, uint8_t AConstantAlpha = 255);

// The graphic's area into the bitmap's, the bitmap cleared to black first.
void cxStretchGraphic(TBitmap* ABitmap, TGraphic* AGraphic, bool ASmoothImage, HPALETTE APalette = nullptr);
void cxStretchGraphic(TBitmap* ABitmap, TGraphic* AGraphic, const TRect& ADestRect, const TRect& ASourceRect,
                      bool ASmoothImage, HPALETTE APalette = nullptr);
// HALFTONE stretching unless AForceUseLanczos3Filter (or not on the NT family), else the
// two-pass Lanczos3 filter.
void cxSmoothResizeBitmap(TBitmap* ASource, TBitmap* ADest, bool AForceUseLanczos3Filter = false);

// Lanczos3 on bottom-up (or top-down: the filter does not care) quad arrays.
void cxLanczos3Resize(const RGBQUAD* ASource, int32_t ASourceWidth, int32_t ASourceHeight, RGBQUAD* ADest,
                      int32_t ADestWidth, int32_t ADestHeight);
struct TcxLanczos3Contributor {
  int32_t Index;
  int32_t Weight;  // out of 256
};
// For every destination index, the source indices (always inside 0 .. ASourceLength - 1) and
// their non-zero weights, which sum to exactly 256.
std::vector<std::vector<TcxLanczos3Contributor>> cxLanczos3Contributors(int32_t ASourceLength,
                                                                        int32_t ADestLength);

// A new bitmap the caller owns.
TBitmap* cxCreateBitmap(const TSize& ASize, TPixelFormat APixelFormat = pf24bit);
TBitmap* cxCreateBitmap(int32_t AWidth, int32_t AHeight, TPixelFormat APixelFormat = pf24bit);
void cxClearBitmap(TBitmap* ABitmap);
// A new DIB-section copy the caller owns; 0 for no bitmap.
HBITMAP cxCopyImage(HBITMAP AHandle);

// The pixels whose colour is not ATransparentColor (alpha ignored), as one region the caller
// owns; 0 when there are none. AColors are top-down rows.
HRGN cxCreateRegionFromBitmap(TBitmap* ABitmap, TColor ATransparentColor);
HRGN cxCreateRegionFromBitmap(const TRGBColors& AColors, int32_t AWidth, int32_t AHeight,
                              TColor ATransparentColor);

TSize cxGetCursorSize();

}  // namespace qd
