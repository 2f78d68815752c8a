#pragma once
// Drawing a glyph (any graphic) or an image-list entry into a rectangle: sized by the scale
// factor, placed by a fit mode, made transparent, changed by a draw mode and blended over
// the background; the shared work bitmaps of image drawing and the small image functions.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/base/strings.h"
#include "platform/forms/graphics.h"
#include "platform/forms/imglist.h"
#include "ui/core/cxGeometryScaleFactor.h"
#include "ui/graphics/cxGraphicsAlphaBitmap.h"
#include "ui/graphics/cxGraphicsCanvas.h"
#include "ui/graphics/dxCoreGraphics.h"

namespace qd {

enum TcxImageFitMode : uint8_t { ifmNormal, ifmStretch, ifmProportionalStretch, ifmFit, ifmFill };
enum TcxImageDrawMode : uint8_t { idmNormal, idmDisabled, idmFaded, idmGrayScale, idmDingy, idmShadowed };

// By "enabled": disabled images are drawn with idmDisabled.
inline constexpr TcxImageDrawMode EnabledImageDrawModeMap[2] = {idmDisabled, idmNormal};

// Where an image of AImageSize goes in ADrawRect. AScale (percent) only matters for
// ifmNormal; centred halves round toward minus infinity.
TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode, bool ACentre,
                     int32_t AScale);
// The order of the neighbouring services: zoom percent before the centre flag.
TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode,
                     int32_t AScale, bool ACentre);
TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode);

// Replaces the standard drawing of cxDrawImage when it returns true.
using TcxCustomDrawImageProc = bool (*)(TcxCanvas* ACanvas, TGraphic* AGlyph, TCustomImageList* AImages,
                                        int32_t AImageIndex, TcxImageDrawMode ADrawMode, const TRect& ARect);
extern TcxCustomDrawImageProc CustomDrawImageProc;

// What image drawing asks of the library's smart images; the smart-image unit fills these
// in at its start-up. Every entry may be nullptr (no smart images).
struct TcxSmartImageDrawingHooks {
  // AGraphic is a smart image.
  bool (*IsSmartImage)(TGraphic* AGraphic) = nullptr;
  // The size the image was designed at and its DPI (IdxSourceSize, IdxSourceDPI); false
  // when the object does not offer it.
  bool (*GetSourceSize)(TObject* AObject, TSize& ASize) = nullptr;
  bool (*GetSourceDPI)(TObject* AObject, int32_t& ADPI) = nullptr;
  // Draws the smart image stretched over the whole 32-bit bitmap, recoloured by APalette.
  void (*StretchDraw)(TGraphic* AGraphic, TcxBitmap32* ABitmap, bool ASmoothImage,
                      IdxColorPalette* APalette) = nullptr;
  // A glyph whose bottom-left pixel decides transparency: not marked transparent and its
  // pixels all opaque.
  bool (*IsOpaqueUntransparentGlyph)(TGraphic* AGraphic) = nullptr;
  // A new bitmap owned by the caller.
  TBitmap* (*GetAsBitmap)(TGraphic* AGraphic) = nullptr;
  // The codec's extension without the dot; the open-dialog filter of the codecs that
  // accept the image.
  String (*Extension)(TGraphic* AGraphic) = nullptr;
  String (*Filter)(TGraphic* AGraphic) = nullptr;
};
extern TcxSmartImageDrawingHooks cxSmartImageDrawingHooks;

int32_t dxGetImageSourceDPI(TObject* AObject);
TSize dxGetImageSize(TGraphic* AGlyph, TCustomImageList* AImages, int32_t AImageIndex,
                     const TdxScaleFactor* AScaleFactor);
TSize dxGetImageSize(TGraphic* AGlyph, const TdxScaleFactor* AScaleFactor);
TSize dxGetImageSize(TCustomImageList* AImages, int32_t AImageIndex, const TdxScaleFactor* AScaleFactor);
TSize dxGetImageSize(TPicture* APicture, const TdxScaleFactor* AScaleFactor);

bool IsImageAssigned(TGraphic* AGraphic);
bool IsGlyphAssigned(TGraphic* AGraphic);
bool IsImageAssigned(TCustomImageList* AImages, int32_t AImageIndex);
bool IsImageAssigned(TGraphic* AGlyph, TCustomImageList* AImages, int32_t AImageIndex);
bool IsPictureAssigned(TPicture* APicture);

void cxDrawImage(TcxCanvas* ACanvas, const TRect& ARect, TGraphic* AGlyph, TCustomImageList* AImages,
                 int32_t AImageIndex, TcxImageFitMode AFitMode, TcxImageDrawMode ADrawMode = idmNormal,
                 bool AUseLeftBottomPixelAsTransparent = false, IdxColorPalette* APalette = nullptr,
                 const TdxScaleFactor* AScaleFactor = nullptr, bool ASmoothImage = false);
void cxDrawImage(TcxCanvas* ACanvas, const TRect& ARect, TGraphic* AGlyph, TcxImageFitMode AFitMode,
                 IdxColorPalette* APalette = nullptr, const TdxScaleFactor* AScaleFactor = nullptr,
                 bool ASmoothImage = false);
void cxDrawImage(HDC ADC, const TRect& AGlyphRect, const TRect& ABackgroundRect, TGraphic* AGlyph,
                 TCustomImageList* AImages, int32_t AImageIndex, TcxImageDrawMode ADrawMode,
                 bool ASmoothImage = false, HBRUSH ABrush = nullptr, TColor ATransparentColor = clNone,
                 bool AUseLeftBottomPixelAsTransparent = false, IdxColorPalette* APalette = nullptr);

// The prepared 32-bit source (the shared image bitmap) and its mask (nullptr when none is
// needed).
TcxAlphaBitmap* cxPrepareBitmapForDrawing(TGraphic* AGlyph, TCustomImageList* AImages, int32_t AImageIndex,
                                          bool AUseLeftBottomPixelAsTransparent, TColor ATransparentColor,
                                          IdxColorPalette* APalette, int32_t AWidth, int32_t AHeight,
                                          bool ASmoothImage, TcxAlphaBitmap*& AMaskBitmap,
                                          bool& AIsAlphaUsed);

// A new bitmap owned by the caller (nullptr for nullptr).
TBitmap* cxGetAsBitmap(TGraphic* AGraphic);
// Replaces an image-list reference with its change link and free notification.
void cxSetImageList(TCustomImageList* AValue, TCustomImageList*& AField, TChangeLink* AChangeLink,
                    TComponent* ANotifyComponent);
String cxGraphicExtension(TGraphic* AGraphic);
String cxGraphicExtension(TGraphicClass AGraphicClass);
String cxGraphicFilter(TGraphic* AGraphic, bool AAllFormats = false);
String cxGraphicFilter(TGraphicClass AGraphicClass);
TRect cxGetImageClientRect(TGraphic* AGraphic);

// The shared work bitmaps, made at the size and cleared (transparent colours forgotten).
TcxAlphaBitmap* GetDrawBitmap(int32_t AWidth, int32_t AHeight);
TcxAlphaBitmap* GetImageBitmap(int32_t AWidth, int32_t AHeight);
TcxAlphaBitmap* GetMaskBitmap(int32_t AWidth, int32_t AHeight);
void cxBitmapInit(TcxAlphaBitmap*& ABitmap, int32_t AWidth, int32_t AHeight);
// Frees the work bitmaps (the graphics unit's shut-down).
void cxFreeImageWorkBitmaps();

}  // namespace qd
