#pragma once
// Small shared pieces of the graphics layer: the recolouring palette that image and glyph
// drawing accept, 32-bit pixel access to bitmaps and the state of their alpha channel,
// tinting, measuring and comparing helpers, saving and restoring a device context's clip
// region, and the bounds of the characters of a line drawn in right-to-left reading order.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/base/geometry.h"
#include "platform/base/object.h"
#include "platform/base/types.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "platform/os/objidl.h"

namespace qd {

// 32-bit ARGB: alpha in bits 24..31, then red, green and blue (a RGBQUAD's byte order in
// memory). 0 is fully transparent; 0x00010203 stands for the default colour.
using TdxAlphaColor = uint32_t;

// One RGBQUAD per pixel, rows of Width entries.
using TRGBColors = std::vector<RGBQUAD>;

enum TdxAlphaState : uint8_t { asNoAlpha, asSemitransparent, asOpaque };

// --- Colour palettes ---------------------------------------------------------------------

// Recolours images: the colours to use per element identifier. GetID identifies the current
// colours, so caches of recoloured images are keyed by it.
class IdxColorPalette {
 public:
  virtual ~IdxColorPalette() = default;
  virtual TGUID GetID() = 0;
  virtual TdxAlphaColor GetFillColor(const String& ID) = 0;
  virtual TdxAlphaColor GetStrokeColor(const String& ID) = 0;
};
// Palettes are shared by reference count.
using IdxColorPalettePtr = std::shared_ptr<IdxColorPalette>;

// Base of palettes: a new identifier per object.
class TdxCustomColorPalette : public TObject, public IdxColorPalette {
  QD_CLASS(TdxCustomColorPalette, TObject)

 public:
  TdxCustomColorPalette();

  TGUID GetID() override { return FID; }

 protected:
  TGUID FID;
};

// One fill colour and one stroke colour for every element: painters make one per draw call
// to tint a glyph.
class TdxSimpleColorPalette : public TdxCustomColorPalette {
  QD_CLASS(TdxSimpleColorPalette, TdxCustomColorPalette)

 public:
  TdxSimpleColorPalette(TdxAlphaColor AFillColor, TdxAlphaColor AStrokeColor)
      : FFillColor(AFillColor), FStrokeColor(AStrokeColor) {}

  TdxAlphaColor GetFillColor(const String& ID) override { return FFillColor; }
  TdxAlphaColor GetStrokeColor(const String& ID) override { return FStrokeColor; }

 protected:
  TdxAlphaColor FFillColor;
  TdxAlphaColor FStrokeColor;
};

// The palette's GetID; the all-zero GUID for no palette.
TGUID dxGetColorPaletteID(IdxColorPalette* APalette);
inline TGUID dxGetColorPaletteID(const IdxColorPalettePtr& APalette) {
  return dxGetColorPaletteID(APalette.get());
}

// --- Pixels ------------------------------------------------------------------------------

// Bits per pixel of the bitmap's format; pfDevice and pfCustom ask the bitmap's device context.
int32_t cxGetBitmapPixelFormat(TBitmap* ABitmap);

// A 32-bit BI_RGB header of that size (negative height for top-down rows).
void dxFillBitmapInfoHeader(BITMAPINFOHEADER& AHeader, int32_t AWidth, int32_t AHeight, bool ATopDownDIB);
void dxFillBitmapInfoHeader(BITMAPINFOHEADER& AHeader, TBitmap* ABitmap, bool ATopDownDIB);

// The library's pixel access: apart from the system's GetBitmapBits/SetBitmapBits, which
// take raw rows of a bitmap object.
namespace dxCoreGraphics {
// All pixels as 32-bit values, the top row first when ATopDownDIB; False for an empty
// bitmap or when a row could not be read.
bool GetBitmapBits(TBitmap* ABitmap, TRGBColors& AColors, bool ATopDownDIB);
// Writes all rows; False for an empty bitmap or too few colours.
bool SetBitmapBits(TBitmap* ABitmap, const TRGBColors& AColors, bool ATopDownDIB);
}  // namespace dxCoreGraphics

// asSemitransparent when an alpha other than 0 and 255 occurs, or both 0 and 255; else
// asOpaque when 255 occurs; else (all zero, or no pixels) asNoAlpha.
TdxAlphaState dxGetAlphaState(const TRGBColors& AColors);
// asNoAlpha below 32 bits per pixel, else the state of the bitmap's pixels.
TdxAlphaState dxGetAlphaState(TBitmap* ABitmap);
// Alpha bytes all 255 count as used.
bool dxIsAlphaUsed(TBitmap* ABitmap);

// Every pixel becomes AColor premultiplied by the pixel's own alpha (alpha kept).
void dxChangeColor(RGBQUAD* ABits, int32_t ACount, TColor AColor);

// The bitmap object's description; False when it cannot be read.
bool dxGetBitmapData(HBITMAP ABitmap, BITMAP& ABitmapData);

// Both assigned, of one class and size, and their saved streams hold the same bytes.
bool dxGraphicIsEquals(TGraphic* AGraphic1, TGraphic* AGraphic2);

// --- Clipping and character placement --------------------------------------------------------

class TdxGdiClippingHelper {
 public:
  // A copy of the DC's clip region, or 0 when it has none.
  static void SaveClipping(HDC DC, HRGN& ARegion);
  // Selects ARegion (0 removes clipping) and deletes it.
  static void RestoreClipping(HDC DC, HRGN ARegion);
};

class TdxRTLReadingCharacterPlacementHelper {
 public:
  // One rectangle per character of the logical text, spanning ARect's height; empty when
  // ACount <= 0 or measuring fails. AFont, when given, is selected for the call.
  static std::vector<TRect> MeasureCharactersBounds(HDC DC, const Char* AText, int32_t ACount,
                                                    const TRect& ARect, HFONT AFont, bool ARightToLeft);
  // The characters ASelStart .. ASelStart + ASelLength - 1 as one region (the caller owns
  // it), or 0 when there are none.
  static HRGN GetSelectionRangeRegion(HDC DC, const Char* AText, int32_t ACount, const TRect& ARect,
                                      int32_t ASelStart, int32_t ASelLength, HFONT AFont, bool ARightToLeft);
};

}  // namespace qd
