#include "ui/graphics/cxGraphicsImages.h"

#include <algorithm>
#include <cmath>

#include "platform/base/mathutil.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBlend.h"
#include "ui/graphics/cxGraphicsCaches.h"
#include "ui/graphics/cxImageList.h"

namespace qd {

TcxCustomDrawImageProc CustomDrawImageProc = nullptr;
TcxSmartImageDrawingHooks cxSmartImageDrawingHooks;

namespace {

TcxAlphaBitmap* ImagesDrawBitmap = nullptr;
TcxAlphaBitmap* ImagesImageBitmap = nullptr;
TcxAlphaBitmap* ImagesMaskBitmap = nullptr;

bool ImagesIsSmartImage(TGraphic* AGraphic) {
  return AGraphic && cxSmartImageDrawingHooks.IsSmartImage && cxSmartImageDrawingHooks.IsSmartImage(AGraphic);
}

bool ImagesIsMetafile(TGraphic* AGraphic) {
  for (TClass c = AGraphic->ClassType(); c; c = c->parent)
    if (c->ClassName() == u"TMetafile") return true;
  return false;
}

// An entry of a platform image list (straight alpha, top-down) as premultiplied quads.
void ImagesDrawListEntry(TCustomImageList* AImages, int32_t AIndex, TcxAlphaBitmap* ABitmap) {
  const std::vector<uint32_t>& src = AImages->Pixels(AIndex);
  const int32_t w = AImages->Width(), h = AImages->Height();
  TcxAlphaBitmap entry(w, h);
  TRGBColors colors(static_cast<size_t>(w) * h);
  for (int32_t y = 0; y < h; ++y)
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t v = src[static_cast<size_t>(y) * w + x];
      const uint32_t a = v >> 24;
      RGBQUAD& q = colors[static_cast<size_t>(h - 1 - y) * w + x];
      q.rgbBlue = static_cast<uint8_t>((v & 0xFF) * a / 255);
      q.rgbGreen = static_cast<uint8_t>(((v >> 8) & 0xFF) * a / 255);
      q.rgbRed = static_cast<uint8_t>(((v >> 16) & 0xFF) * a / 255);
      q.rgbReserved = static_cast<uint8_t>(a);
    }
  entry.SetBitmapColors(colors);
  if (ABitmap->Width() == w && ABitmap->Height() == h)
    ABitmap->CopyBitmap(&entry);
  else
    cxAlphaBlend(ABitmap, &entry, ABitmap->ClientRect(), entry.ClientRect(), true);
}

}  // namespace

// --- Fit modes ---------------------------------------------------------------------------------

TRect cxGetImageRect(const TRect& D, const TSize& I, TcxImageFitMode AFitMode, bool ACentre, int32_t AScale) {
  TRect result = D;
  if (I.cx <= 0 || I.cy <= 0) return result;
  const double kx = static_cast<double>(D.Width()) / I.cx;
  const double ky = static_cast<double>(D.Height()) / I.cy;
  TSize size;
  auto proportional = [&] {
    return ky <= kx ? TSize{static_cast<int32_t>(std::trunc(I.cx * ky)), D.Height()}
                    : TSize{D.Width(), static_cast<int32_t>(std::trunc(I.cy * kx))};
  };
  switch (AFitMode) {
    case ifmStretch:
      size = {D.Width(), D.Height()};
      break;
    case ifmProportionalStretch:
      size = proportional();
      break;
    case ifmFit:
      size = std::min(kx, ky) >= 1 ? I : proportional();
      break;
    case ifmFill:
      size = ky >= kx ? TSize{static_cast<int32_t>(std::trunc(I.cx * ky)), D.Height()}
                      : TSize{D.Width(), static_cast<int32_t>(std::trunc(I.cy * kx))};
      break;
    default:
      size = {MulDiv(I.cx, AScale, 100), MulDiv(I.cy, AScale, 100)};
      break;
  }
  if (ACentre) return cxRectCenter(D, size);
  return {D.Left, D.Top, D.Left + size.cx, D.Top + size.cy};
}

TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode,
                     int32_t AScale, bool ACentre) {
  return cxGetImageRect(ADrawRect, AImageSize, AFitMode, ACentre, AScale);
}

TRect cxGetImageRect(const TRect& ADrawRect, const TSize& AImageSize, TcxImageFitMode AFitMode) {
  return cxGetImageRect(ADrawRect, AImageSize, AFitMode, true, 100);
}

// --- Sizes and predicates ----------------------------------------------------------------------

int32_t dxGetImageSourceDPI(TObject* AObject) {
  int32_t dpi = 96;
  if (AObject && cxSmartImageDrawingHooks.GetSourceDPI && cxSmartImageDrawingHooks.GetSourceDPI(AObject, dpi))
    return dpi;
  return 96;
}

TSize dxGetImageSize(TGraphic* AGlyph, const TdxScaleFactor* AScaleFactor) {
  if (!IsImageAssigned(AGlyph)) return {0, 0};
  TSize size{AGlyph->Width(), AGlyph->Height()};
  if (cxSmartImageDrawingHooks.GetSourceSize) {
    TSize source;
    if (cxSmartImageDrawingHooks.GetSourceSize(AGlyph, source)) size = source;
  }
  const TdxScaleFactor* scale = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  return scale->Apply(size, dxGetImageSourceDPI(AGlyph), 96);
}

TSize dxGetImageSize(TCustomImageList* AImages, int32_t AImageIndex, const TdxScaleFactor* AScaleFactor) {
  if (!IsImageAssigned(AImages, AImageIndex)) return {0, 0};
  const TdxScaleFactor* scale = AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
  return scale->Apply(TSize{AImages->Width(), AImages->Height()}, dxGetImageSourceDPI(AImages), 96);
}

TSize dxGetImageSize(TGraphic* AGlyph, TCustomImageList* AImages, int32_t AImageIndex,
                     const TdxScaleFactor* AScaleFactor) {
  if (IsImageAssigned(AGlyph)) return dxGetImageSize(AGlyph, AScaleFactor);
  return dxGetImageSize(AImages, AImageIndex, AScaleFactor);
}

TSize dxGetImageSize(TPicture* APicture, const TdxScaleFactor* AScaleFactor) {
  return dxGetImageSize(APicture ? APicture->Graphic() : nullptr, AScaleFactor);
}

bool IsImageAssigned(TGraphic* AGraphic) {
  return AGraphic && !AGraphic->Empty();
}

bool IsGlyphAssigned(TGraphic* AGraphic) {
  return IsImageAssigned(AGraphic);
}

bool IsImageAssigned(TCustomImageList* AImages, int32_t AImageIndex) {
  return AImages && AImageIndex >= 0 && AImageIndex < AImages->Count();
}

bool IsImageAssigned(TGraphic* AGlyph, TCustomImageList* AImages, int32_t AImageIndex) {
  return IsImageAssigned(AGlyph) || IsImageAssigned(AImages, AImageIndex);
}

bool IsPictureAssigned(TPicture* APicture) {
  return APicture && IsImageAssigned(APicture->Graphic());
}

TRect cxGetImageClientRect(TGraphic* AGraphic) {
  return {0, 0, AGraphic->Width(), AGraphic->Height()};
}

// --- Work bitmaps ------------------------------------------------------------------------------

void cxBitmapInit(TcxAlphaBitmap*& ABitmap, int32_t AWidth, int32_t AHeight) {
  if (!ABitmap) {
    ABitmap = new TcxAlphaBitmap(AWidth, AHeight);
    ABitmap->Clear();
  } else {
    ABitmap->RefreshImage(AWidth, AHeight);
  }
}

TcxAlphaBitmap* GetDrawBitmap(int32_t AWidth, int32_t AHeight) {
  cxBitmapInit(ImagesDrawBitmap, AWidth, AHeight);
  return ImagesDrawBitmap;
}

TcxAlphaBitmap* GetImageBitmap(int32_t AWidth, int32_t AHeight) {
  cxBitmapInit(ImagesImageBitmap, AWidth, AHeight);
  return ImagesImageBitmap;
}

TcxAlphaBitmap* GetMaskBitmap(int32_t AWidth, int32_t AHeight) {
  cxBitmapInit(ImagesMaskBitmap, AWidth, AHeight);
  return ImagesMaskBitmap;
}

void cxFreeImageWorkBitmaps() {
  for (TcxAlphaBitmap** b : {&ImagesDrawBitmap, &ImagesImageBitmap, &ImagesMaskBitmap}) {
    delete *b;
    *b = nullptr;
  }
}

// --- Drawing -----------------------------------------------------------------------------------

TcxAlphaBitmap* cxPrepareBitmapForDrawing(TGraphic* AGlyph, TCustomImageList* AImages, int32_t AImageIndex,
                                          bool AUseLeftBottomPixelAsTransparent, TColor ATransparentColor,
                                          IdxColorPalette* APalette, int32_t AWidth, int32_t AHeight,
                                          bool ASmoothImage, TcxAlphaBitmap*& AMaskBitmap,
                                          bool& AIsAlphaUsed) {
  const bool isGlyph = IsImageAssigned(AGlyph);
  if (isGlyph) {
    if (AWidth == 0 || AHeight == 0) {
      AWidth = AGlyph->Width();
      AHeight = AGlyph->Height();
    }
  } else {
    if (AWidth == 0 || AHeight == 0 || !cxIsLibraryImageList(AImages)) {
      AWidth = AImages->Width();
      AHeight = AImages->Height();
    }
  }
  TcxAlphaBitmap* image = GetImageBitmap(AWidth, AHeight);
  TdxDefaultBoolean alpha = bDefault;
  if (isGlyph) {
    if (ImagesIsSmartImage(AGlyph) && cxSmartImageDrawingHooks.StretchDraw) {
      cxSmartImageDrawingHooks.StretchDraw(AGlyph, image, ASmoothImage, APalette);
    } else {
      cxStretchGraphic(image, AGlyph, ASmoothImage);
      if (auto* bitmap = dynamic_cast<TBitmap*>(AGlyph); bitmap && bitmap->PixelFormat() != pf32bit)
        alpha = bFalse;
    }
  } else if (auto* library = dynamic_cast<TcxCustomImageList*>(AImages)) {
    // The image as it was added, drawn at this size.
    library->GetImageInfo(AImageIndex, image, nullptr, APalette, &alpha);
  } else {
    ImagesDrawListEntry(AImages, AImageIndex, image);
  }
  AIsAlphaUsed = alpha == bDefault ? image->IsAlphaUsed() : alpha == bTrue;
  if (!AIsAlphaUsed) image->TransformBitmap(btmSetOpaque);

  bool needMask = !AIsAlphaUsed;
  if (AUseLeftBottomPixelAsTransparent && isGlyph && ImagesIsSmartImage(AGlyph) &&
      cxSmartImageDrawingHooks.IsOpaqueUntransparentGlyph &&
      cxSmartImageDrawingHooks.IsOpaqueUntransparentGlyph(AGlyph))
    needMask = true;
  AMaskBitmap = nullptr;
  if (!needMask) return image;

  TcxAlphaBitmap* mask = GetMaskBitmap(AWidth, AHeight);
  mask->CopyBitmap(image);
  if (ATransparentColor != clNone && ATransparentColor != clDefault)
    mask->TransparentPixels().Add(ATransparentColor);
  if (AUseLeftBottomPixelAsTransparent && isGlyph && AHeight > 0)
    mask->TransparentPixels().Add(static_cast<TColor>(GetPixel(mask->Canvas()->Handle(), 0, AHeight - 1)));
  mask->TransformBitmap(btmMakeMask);
  if (auto* library = dynamic_cast<TcxCustomImageList*>(AImages); !isGlyph && library) {
    // The list's own mask: its white pixels are transparent.
    TcxBitmap listMask;
    library->GetImageInfo(AImageIndex, nullptr, &listMask);
    if (!listMask.Empty()) {
      TcxAlphaBitmap stretched(AWidth, AHeight);
      cxStretchGraphic(&stretched, &listMask, false);
      TRGBColors listColors, maskColors;
      stretched.GetBitmapColors(listColors);
      mask->GetBitmapColors(maskColors);
      for (size_t i = 0; i < maskColors.size() && i < listColors.size(); ++i)
        if (listColors[i].rgbRed | listColors[i].rgbGreen | listColors[i].rgbBlue)
          maskColors[i] = cxAlphaBitmapWhiteQuad;
      mask->SetBitmapColors(maskColors);
    }
  } else if (!isGlyph) {
    // The list's own mask: its fully transparent pixels.
    TcxAlphaBitmap entry(AWidth, AHeight);
    ImagesDrawListEntry(AImages, AImageIndex, &entry);
    TRGBColors entryColors, maskColors;
    entry.GetBitmapColors(entryColors);
    mask->GetBitmapColors(maskColors);
    for (size_t i = 0; i < maskColors.size() && i < entryColors.size(); ++i)
      if (entryColors[i].rgbReserved == 0) maskColors[i] = cxAlphaBitmapWhiteQuad;
    mask->SetBitmapColors(maskColors);
  }
  AMaskBitmap = mask;
  image->Filter(mask);
  return image;
}

void cxDrawImage(HDC ADC, const TRect& AGlyphRect, const TRect& ABackgroundRect, TGraphic* AGlyph,
                 TCustomImageList* AImages, int32_t AImageIndex, TcxImageDrawMode ADrawMode,
                 bool ASmoothImage, HBRUSH ABrush, TColor ATransparentColor,
                 bool AUseLeftBottomPixelAsTransparent, IdxColorPalette* APalette) {
  if (!IsImageAssigned(AGlyph) && !IsImageAssigned(AImages, AImageIndex)) return;
  if (ABackgroundRect.IsEmpty()) return;
  TcxAlphaBitmap* draw = GetDrawBitmap(ABackgroundRect.Width(), ABackgroundRect.Height());
  if (ABrush) {
    RECT r = draw->ClientRect();
    FillRect(draw->Canvas()->Handle(), &r, ABrush);
  } else {
    cxBitBlt(draw->Canvas()->Handle(), ADC, draw->ClientRect(), ABackgroundRect.TopLeft(), SRCCOPY);
  }
  TRect glyph = AGlyphRect;
  glyph = cxRectOffset(glyph, -ABackgroundRect.Left, -ABackgroundRect.Top);
  const bool custom =
      CustomDrawImageProc && CustomDrawImageProc(draw->cxCanvas(), IsImageAssigned(AGlyph) ? AGlyph : nullptr,
                                                 AImages, AImageIndex, ADrawMode, glyph);
  if (!custom && !glyph.IsEmpty()) {
    TcxAlphaBitmap* mask = nullptr;
    bool alphaUsed = false;
    TcxAlphaBitmap* image = cxPrepareBitmapForDrawing(
        IsImageAssigned(AGlyph) ? AGlyph : nullptr, AImages, AImageIndex, AUseLeftBottomPixelAsTransparent,
        ATransparentColor, APalette, glyph.Width(), glyph.Height(), ASmoothImage, mask, alphaUsed);
    uint8_t opacity = 255;
    switch (ADrawMode) {
      case idmDisabled:
        if (alphaUsed || !mask) {
          image->TransformBitmap(btmDisable);
          opacity = 151;
        } else {
          image->TransformBitmap(btmDirty);
          image->DrawShadow(mask, 1, false, clBtnHighlight);
        }
        break;
      case idmFaded:
        image->TransformBitmap(btmFade);
        opacity = 64;
        break;
      case idmGrayScale:
        image->TransformBitmap(btmGrayScale);
        break;
      case idmDingy:
        image->TransformBitmap(btmDingy);
        break;
      case idmShadowed:
        if (!mask) {
          mask = GetMaskBitmap(image->Width(), image->Height());
          mask->CopyBitmap(image);
          mask->TransformBitmap(btmMakeMask);
        }
        image->DrawShadow(mask, 2, true, clBtnShadow);
        glyph = {glyph.Left - 1, glyph.Top - 1, glyph.Right + 1, glyph.Bottom + 1};
        break;
      default:
        break;
    }
    image->AlphaBlend(draw, glyph, ASmoothImage, opacity);
  }
  cxDrawBitmap(ADC, draw, ABackgroundRect, TPoint{0, 0});
}

void cxDrawImage(TcxCanvas* ACanvas, const TRect& ARect, TGraphic* AGlyph, TCustomImageList* AImages,
                 int32_t AImageIndex, TcxImageFitMode AFitMode, TcxImageDrawMode ADrawMode,
                 bool AUseLeftBottomPixelAsTransparent, IdxColorPalette* APalette,
                 const TdxScaleFactor* AScaleFactor, bool ASmoothImage) {
  const TSize size = dxGetImageSize(AGlyph, AImages, AImageIndex, AScaleFactor);
  if (size.cx <= 0 || size.cy <= 0) return;
  const TRect r = cxGetImageRect(ARect, size, AFitMode);
  if (!IsImageAssigned(AGlyph) && cxIsLibraryImageList(AImages)) {
    TdxImageListPaintCache::Draw(ACanvas, r, AImages, AImageIndex, ADrawMode,
                                 AUseLeftBottomPixelAsTransparent, APalette, ASmoothImage);
    return;
  }
  cxDrawImage(ACanvas->Handle(), r, r, AGlyph, AImages, AImageIndex, ADrawMode, ASmoothImage, nullptr, clNone,
              AUseLeftBottomPixelAsTransparent, APalette);
}

void cxDrawImage(TcxCanvas* ACanvas, const TRect& ARect, TGraphic* AGlyph, TcxImageFitMode AFitMode,
                 IdxColorPalette* APalette, const TdxScaleFactor* AScaleFactor, bool ASmoothImage) {
  const bool bottomLeft = AGlyph && AGlyph->Transparent() && !ImagesIsMetafile(AGlyph);
  cxDrawImage(ACanvas, ARect, AGlyph, nullptr, -1, AFitMode, idmNormal, bottomLeft, APalette, AScaleFactor,
              ASmoothImage);
}

// --- Conversions and names ---------------------------------------------------------------------

TBitmap* cxGetAsBitmap(TGraphic* AGraphic) {
  if (!AGraphic) return nullptr;
  if (ImagesIsSmartImage(AGraphic) && cxSmartImageDrawingHooks.GetAsBitmap)
    return cxSmartImageDrawingHooks.GetAsBitmap(AGraphic);
  if (auto* bitmap = dynamic_cast<TBitmap*>(AGraphic)) {
    auto* copy = new TcxBitmap();
    copy->Assign(bitmap);
    return copy;
  }
  auto* result = new TcxBitmap32(AGraphic->Width(), AGraphic->Height(), true);
  result->Canvas()->Draw(0, 0, AGraphic);
  return result;
}

void cxSetImageList(TCustomImageList* AValue, TCustomImageList*& AField, TChangeLink* AChangeLink,
                    TComponent* ANotifyComponent) {
  if (AValue == AField) return;
  if (AField) {
    if (ANotifyComponent) AField->RemoveFreeNotification(ANotifyComponent);
    if (AChangeLink) AField->UnRegisterChanges(AChangeLink);
  }
  AField = AValue;
  if (AField) {
    if (AChangeLink) AField->RegisterChanges(AChangeLink);
    if (ANotifyComponent) AField->FreeNotification(ANotifyComponent);
  }
  if (AChangeLink) AChangeLink->Change();
}

String cxGraphicExtension(TGraphic* AGraphic) {
  if (IsImageAssigned(AGraphic) && ImagesIsSmartImage(AGraphic) && cxSmartImageDrawingHooks.Extension)
    return cxSmartImageDrawingHooks.Extension(AGraphic);
  return AGraphic ? cxGraphicExtension(AGraphic->ClassType()) : String();
}

String cxGraphicExtension(TGraphicClass AGraphicClass) {
  return GraphicExtension(AGraphicClass);
}

String cxGraphicFilter(TGraphic* AGraphic, bool AAllFormats) {
  if (AAllFormats && IsImageAssigned(AGraphic) && ImagesIsSmartImage(AGraphic) &&
      cxSmartImageDrawingHooks.Filter)
    return cxSmartImageDrawingHooks.Filter(AGraphic);
  return AGraphic ? cxGraphicFilter(AGraphic->ClassType()) : String();
}

String cxGraphicFilter(TGraphicClass AGraphicClass) {
  return GraphicFilter(AGraphicClass);
}

}  // namespace qd
