// Drawing of the skin model: frames and nine-part drawing of images, gradients, borders,
// alternate images, elements with their render cache, and the placeholder element.
#include <algorithm>
#include <limits>

#include "platform/base/mathutil.h"
#include "platform/base/scopeexit.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxDPIAwareUtils.h"
#include "ui/graphics/cxGraphicsBitmap.h"
#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxGDIPlusCanvas.h"
#include "ui/graphics/dxGDIPlusImage.h"
#include "ui/skins/dxSkinsCore.h"

namespace qd {

namespace {

// The largest picture that drawing makes on its own (a rasterised frame, an element image).
constexpr int64_t kSkinDrawMaxPixels = int64_t{1} << 26;
// Coordinates made from skin data stay within this, well inside what GDI+ takes (4,194,304).
constexpr int64_t kSkinDrawCoordinateLimit = int64_t{1} << 21;

const TdxScaleFactor* SkinDrawScaleFactor(const TdxScaleFactor* AScaleFactor) {
  return AScaleFactor ? AScaleFactor : dxSystemScaleFactor();
}

bool SkinDrawIsColorValid(TColor AColor) {
  return AColor != clNone && AColor != clDefault;
}

int32_t SkinDrawClampToInt(int64_t AValue) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(AValue, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// R shrunk by the margins (which come from skin data and may be anything), held to a range in
// which widths and heights still fit 32 bits.
TRect SkinDrawContentRect(const TRect& R, const TRect& AMargins) {
  auto hold = [](int64_t v) {
    return static_cast<int32_t>(std::clamp(v, -kSkinDrawCoordinateLimit, kSkinDrawCoordinateLimit));
  };
  return TRect{hold(int64_t{R.Left} + AMargins.Left), hold(int64_t{R.Top} + AMargins.Top),
               hold(int64_t{R.Right} - AMargins.Right), hold(int64_t{R.Bottom} - AMargins.Bottom)};
}

// Opens the shared paint canvas on DC for R for the lifetime of the object.
class SkinDrawPaintScope {
 public:
  SkinDrawPaintScope(HDC DC, const TRect& R) : FCanvas(dxGPPaintCanvas()) { FCanvas->BeginPaint(DC, R); }
  ~SkinDrawPaintScope() { FCanvas->EndPaint(); }
  SkinDrawPaintScope(const SkinDrawPaintScope&) = delete;
  SkinDrawPaintScope& operator=(const SkinDrawPaintScope&) = delete;
  TdxGPCanvas* Canvas() const { return FCanvas; }

 private:
  TdxGPPaintCanvas* FCanvas;
};

}  // namespace

// ---- Geometry functions ---------------------------------------------------------------------

void dxSkinsCalculatePartsBounds(const TRect& R, const TRect& AMargins,
                                 TRect (&AParts)[dxSkinImagePartCount]) {
  const int32_t x1 = std::min(SkinDrawClampToInt(int64_t{R.Left} + AMargins.Left), R.Right);
  const int32_t y1 = std::min(SkinDrawClampToInt(int64_t{R.Top} + AMargins.Top), R.Bottom);
  const int32_t x2 = std::max(SkinDrawClampToInt(int64_t{R.Right} - AMargins.Right), R.Left);
  const int32_t y2 = std::max(SkinDrawClampToInt(int64_t{R.Bottom} - AMargins.Bottom), R.Top);
  const int32_t xs[4] = {R.Left, x1, x2, R.Right};
  const int32_t ys[4] = {R.Top, y1, y2, R.Bottom};
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column)
      AParts[row * 3 + column] = TRect{xs[column], ys[row], xs[column + 1], ys[row + 1]};
}

void dxSkinsCheckMargins(TRect& AMargins, const TRect& R) {
  auto fit = [](int32_t& A, int32_t& B, int64_t AExtent) {
    A = std::max(A, 0);
    B = std::max(B, 0);
    const int64_t sum = int64_t{A} + B;
    const int64_t extent = std::max<int64_t>(AExtent, 0);
    if (sum - extent >= 1) {
      const int32_t over = SkinDrawClampToInt(sum - extent);
      const int32_t total = SkinDrawClampToInt(sum);
      A -= MulDiv(A, over, total);
      B -= MulDiv(B, over, total);
    }
  };
  fit(AMargins.Left, AMargins.Right, int64_t{R.Right} - R.Left);
  fit(AMargins.Top, AMargins.Bottom, int64_t{R.Bottom} - R.Top);
}

void TdxSkinRender::FillRectByGradient(TdxGPCanvas* ACanvas, const TRect& R, TColor AColor1, TColor AColor2,
                                       TdxSkinGradientMode AMode, uint8_t AAlpha) {
  if (!SkinDrawIsColorValid(AColor1) || cxRectIsEmpty(R)) return;
  const TdxAlphaColor color1 = dxColorToAlphaColor(AColor1, AAlpha);
  if (AColor2 != AColor1 && SkinDrawIsColorValid(AColor2))
    ACanvas->FillRectangleByGradient(R, color1, dxColorToAlphaColor(AColor2, AAlpha),
                                     static_cast<gdiplus::LinearGradientMode>(AMode));
  else
    ACanvas->FillRectangle(R, color1);
}

// ---- Borders and alternate images -----------------------------------------------------------

void TdxSkinBorder::DrawEx(TdxGPCanvas* ACanvas, const TRect& R) {
  const TColor color = Color();
  if (color == clNone) return;
  // The strip stays inside R whatever the thickness (which comes from skin data).
  auto inside = [](int64_t v, int32_t low, int32_t high) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, low, std::max(low, high)));
  };
  TRect strip = R;
  switch (FKind) {
    case bLeft:
      strip.Right = inside(int64_t{R.Left} + FThin, R.Left, R.Right);
      break;
    case bTop:
      strip.Bottom = inside(int64_t{R.Top} + FThin, R.Top, R.Bottom);
      break;
    case bRight:
      strip.Left = inside(int64_t{R.Right} - FThin, R.Left, R.Right);
      break;
    default:
      strip.Top = inside(int64_t{R.Bottom} - FThin, R.Top, R.Bottom);
      break;
  }
  if (!cxRectIsEmpty(strip)) ACanvas->FillRectangle(strip, dxColorToAlphaColor(color, 255));
}

void TdxSkinBorder::Draw(HDC DC, const TRect& R) {
  SkinDrawPaintScope paint(DC, R);
  DrawEx(paint.Canvas(), R);
}

void TdxSkinBorders::Draw(TdxGPCanvas* ACanvas, const TRect& R) {
  for (auto& border : FBorders) border->DrawEx(ACanvas, R);
}

void TdxSkinAlternateImageAttributes::Draw(TdxGPCanvas* ACanvas, const TRect& R) {
  const TRect content = SkinDrawContentRect(R, FContentOffsets->Rect());
  TdxSkinRender::FillRectByGradient(ACanvas, content, FGradientBeginColor.GetValue(),
                                    FGradientEndColor.GetValue(), FGradient, FAlpha);
  FBorders->Draw(ACanvas, content);
  FBordersInner->Draw(ACanvas, SkinDrawContentRect(content, FBorders->ContentMargins()));
}

// ---- TdxSkinImage ---------------------------------------------------------------------------

void TdxSkinImage::CheckInfo() {
  if (!FIsDirty) return;
  FIsDirty = false;
  InitializeInfo();
}

void TdxSkinImage::InitializeInfo() {
  FPartsBoundsSourceSize = TSize{-1, -1};
  FStateCount = 0;
  for (int i = 0; i < dxSkinElementStateCount; ++i)
    FStateCount += FStates.Contains(static_cast<TdxSkinElementState>(i));
  TSize size{};
  if (!FTexture->Empty()) size = FTexture->Size();
  const int64_t frames = IsVectorTexture() ? int64_t{FImageCount} : int64_t{FStateCount} * FImageCount;
  if (frames >= 1) {
    int32_t& axis = FImageLayout == ilHorizontal ? size.cx : size.cy;
    axis = static_cast<int32_t>(axis / frames);
  }
  FSize = size;
  CheckCalculatePartsBounds(FSize);
}

void TdxSkinImage::CheckCalculatePartsBounds(const TSize& ASize) {
  if (ASize == FPartsBoundsSourceSize) return;
  FPartsBoundsSourceSize = ASize;
  dxSkinsCalculatePartsBounds(TRect{0, 0, ASize.cx, ASize.cy}, FMargins->Margin(), FPartsBounds);
  for (int i = 0; i < dxSkinImagePartCount; ++i) FPartsVisibility[i] = !cxRectIsEmpty(FPartsBounds[i]);
  TPoint step{};
  if (!IsVectorTexture()) step = FImageLayout == ilHorizontal ? TPoint{ASize.cx, 0} : TPoint{0, ASize.cy};
  TRect frame{0, 0, ASize.cx, ASize.cy};
  for (int i = 0; i < dxSkinElementStateCount; ++i) {
    if (FStates.Contains(static_cast<TdxSkinElementState>(i))) {
      FStateBounds[i] = frame;
      frame = cxRectOffset(frame, step.X, step.Y);
    } else {
      FStateBounds[i] = TRect{};
    }
  }
}

int32_t TdxSkinImage::StateCount() {
  CheckInfo();
  return FStateCount;
}

TSize TdxSkinImage::Size() {
  CheckInfo();
  return FSize;
}

TRect TdxSkinImage::GetStateBounds(int32_t AImageIndex, TdxSkinElementState AState) {
  CheckInfo();
  TRect result = FStateBounds[AState < dxSkinElementStateCount ? AState : esNormal];
  if (AImageIndex > 0) {
    const int64_t frames = IsVectorTexture() ? 1 : FStateCount;
    const int64_t extent =
        FImageLayout == ilHorizontal ? FPartsBoundsSourceSize.cx : FPartsBoundsSourceSize.cy;
    const int64_t offset = int64_t{AImageIndex} * frames * extent;
    if (FImageLayout == ilHorizontal) {
      result.Left = SkinDrawClampToInt(result.Left + offset);
      result.Right = SkinDrawClampToInt(result.Right + offset);
    } else {
      result.Top = SkinDrawClampToInt(result.Top + offset);
      result.Bottom = SkinDrawClampToInt(result.Bottom + offset);
    }
  }
  return result;
}

void TdxSkinImage::CheckState(int32_t& AImageIndex, TdxSkinElementState& AState) {
  AImageIndex = std::min(AImageIndex, FImageCount - 1);
  if (AState >= dxSkinElementStateCount) AState = esNormal;
  if (FStates.Contains(AState) || FStates.Empty()) return;
  for (int i = 0; i < dxSkinElementStateCount; ++i) {
    if (FStates.Contains(static_cast<TdxSkinElementState>(i))) {
      AState = static_cast<TdxSkinElementState>(i);
      return;
    }
  }
}

IdxColorPalette* TdxSkinImage::GetPalette(TdxSkinElementState AState, bool AUseSkinPalette) {
  TdxSkinColorPalette* palette = nullptr;
  if (FColorPalettes->FindPalette(dxSkinElementStateNames[AState], palette)) return palette;
  if (AState != esNormal && FColorPalettes->FindPalette(dxSkinElementStateNames[esNormal], palette))
    return palette;
  if (AUseSkinPalette && FOwner)
    if (TdxSkinControlGroup* group = FOwner->Group())
      if (TdxSkin* skin = group->Skin()) return skin;
  return nullptr;
}

void TdxSkinImage::Draw(HDC DC, const TRect& R, int32_t AImageIndex, TdxSkinElementState AState) {
  Draw(DC, R, nullptr, AImageIndex, AState);
}

void TdxSkinImage::Draw(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
                        TdxSkinElementState AState) {
  SkinDrawPaintScope paint(DC, R);
  DrawEx(paint.Canvas(), R, AScaleFactor, AImageIndex, AState);
}

void TdxSkinImage::DrawPart(TdxGPCanvas* ACanvas, GpImage* AImage, const TRect& ADest, const TRect& ASource,
                            bool ACenter) {
  if (cxRectIsEmpty(ADest)) return;
  if (ACenter && IsGradientParamsAssigned()) {
    TdxSkinRender::FillRectByGradient(ACanvas, ADest, FGradientBeginColor.GetValue(),
                                      FGradientEndColor.GetValue(), FGradient, 255);
  } else if (cxRectIsEmpty(ASource)) {
    return;
  } else if (FStretch == smTile) {
    dxGpTilePartEx(ACanvas->Handle(), ADest, ASource, AImage, 255);
  } else {
    dxGpDrawImage(ACanvas->Handle(), ADest, ASource, AImage, 255);
  }
}

void TdxSkinImage::DrawEx(TdxGPCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor,
                          int32_t AImageIndex, TdxSkinElementState AState) {
  const TdxScaleFactor* scale = SkinDrawScaleFactor(AScaleFactor);
  if (Empty()) {
    TdxSkinRender::FillRectByGradient(ACanvas, SkinDrawContentRect(R, FMargins->Margin()),
                                      FGradientBeginColor.GetValue(), FGradientEndColor.GetValue(), FGradient,
                                      255);
    return;
  }
  CheckInfo();
  CheckState(AImageIndex, AState);
  if (FTexture->Empty()) return;

  const TdxGPInterpolationMode savedMode = ACanvas->InterpolationMode();
  if (FInterpolationMode != imDefault) ACanvas->SetInterpolationMode(FInterpolationMode);
  ScopeExit restoreMode{[&] { ACanvas->SetInterpolationMode(savedMode); }};

  GpImage* handle = FTexture->Handle();
  std::unique_ptr<TdxSmartImage> rasterised;
  TRect frame;
  if (IsVectorTexture()) {
    TSize target = scale->Apply(FSize, GetSourceDPI(), 96);
    if (FStretch == smStretch && FMargins->Margin() == TRect{})
      target = cxSizeProportionalStretch(cxSize(R), FSize);
    if (target.cx <= 0 || target.cy <= 0 || int64_t{target.cx} * target.cy > kSkinDrawMaxPixels) return;
    CheckCalculatePartsBounds(target);
    // The frame of the image index (one frame serves every state), drawn at the target size with
    // the state's palette.
    TRect source{0, 0, FSize.cx, FSize.cy};
    const int64_t offset =
        int64_t{std::max(AImageIndex, 0)} * (FImageLayout == ilHorizontal ? FSize.cx : FSize.cy);
    source = FImageLayout == ilHorizontal
                 ? TRect{SkinDrawClampToInt(offset), 0, SkinDrawClampToInt(offset + FSize.cx), FSize.cy}
                 : TRect{0, SkinDrawClampToInt(offset), FSize.cx, SkinDrawClampToInt(offset + FSize.cy)};
    rasterised = std::make_unique<TdxSmartImage>();
    rasterised->CreateSize(target);
    {
      std::unique_ptr<TdxGPCanvas> canvas = rasterised->CreateCanvas();
      canvas->SetInterpolationMode(FInterpolationMode);
      FTexture->StretchDraw(canvas.get(), TRect{0, 0, target.cx, target.cy}, GetPalette(AState, true),
                            nullptr, source);
    }
    handle = rasterised->Handle();
    frame = TRect{0, 0, target.cx, target.cy};
  } else {
    CheckCalculatePartsBounds(FSize);
    frame = GetStateBounds(AImageIndex, AState);
  }

  if (FStretch == smNoResize) {
    const TRect dest = cxRectCenter(R, scale->Apply(FSize));
    const gdiplus::PixelOffsetMode savedOffset = ACanvas->PixelOffsetMode();
    ACanvas->SetPixelOffsetMode(gdiplus::PixelOffsetModeHalf);
    ScopeExit restoreOffset{[&] { ACanvas->SetPixelOffsetMode(savedOffset); }};
    dxGpDrawImage(ACanvas->Handle(), dest, frame, handle, 255);
    return;
  }

  TRect margins = FMargins->Margin();
  dxSkinsCheckMargins(margins, R);
  const TPoint origin{frame.Left, frame.Top};
  if (margins == TRect{}) {
    DrawPart(ACanvas, handle, R, cxRectOffset(FPartsBounds[sipCenter], origin), true);
    return;
  }
  TRect parts[dxSkinImagePartCount];
  dxSkinsCalculatePartsBounds(R, margins, parts);
  for (int i = 0; i < dxSkinImagePartCount; ++i)
    if (FPartsVisibility[i])
      DrawPart(ACanvas, handle, parts[i], cxRectOffset(FPartsBounds[i], origin), i == sipCenter);
}

void TdxSkinImage::GetBitmap(int32_t AImageIndex, TdxSkinElementState AState, TColor ABackgroundColor,
                             TBitmap* ABitmap) {
  const TSize size = Size();
  ABitmap->SetPixelFormat(pf32bit);
  ABitmap->SetSize(size.cx, size.cy);
  if (size.cx <= 0 || size.cy <= 0) return;
  const TRect bounds{0, 0, size.cx, size.cy};
  if (ABackgroundColor != clNone) {
    if (ABackgroundColor != clDefault) ABitmap->Canvas()->Brush()->SetColor(ABackgroundColor);
    ABitmap->Canvas()->FillRect(bounds);
  }
  Draw(ABitmap->Canvas()->Handle(), bounds, AImageIndex, AState);
}

void TdxSkinImage::DrawRTL(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
                           TdxSkinElementState AState) {
  SkinDrawPaintScope paint(DC, R);
  dxGpRightToLeftDependentDraw(paint.Canvas(), R, (GetLayout(DC) & LAYOUT_RTL) != 0,
                               [&] { DrawEx(paint.Canvas(), R, AScaleFactor, AImageIndex, AState); });
}

void TdxSkinImage::SetStateMapping(const std::vector<TdxSkinElementState>& ATargetStateOrder) {
  if (FTexture->Empty() || ATargetStateOrder.empty()) return;
  CheckInfo();
  CheckCalculatePartsBounds(FSize);
  const bool horizontal = FImageLayout == ilHorizontal;
  const TSize textureSize = FTexture->Size();
  const int64_t frames = int64_t(ATargetStateOrder.size()) * std::max(FImageCount, 1);
  const int64_t along = frames * (horizontal ? FSize.cx : FSize.cy);
  const int64_t across = horizontal ? textureSize.cy : textureSize.cx;
  // A texture this large cannot be made; the mapping is left undone.
  if (along <= 0 || across <= 0 || along * across > kSkinDrawMaxPixels) return;
  auto mapped = std::make_unique<TdxSmartImage>();
  mapped->CreateSize(horizontal ? SkinDrawClampToInt(along) : SkinDrawClampToInt(across),
                     horizontal ? SkinDrawClampToInt(across) : SkinDrawClampToInt(along));
  TdxSkinElementStates states;
  {
    std::unique_ptr<TdxGPCanvas> canvas = mapped->CreateCanvas();
    GpImage* source = FTexture->Handle();
    TRect dest{0, 0, FSize.cx, FSize.cy};
    for (int32_t i = 0; i < std::max(FImageCount, 1); ++i) {
      for (TdxSkinElementState state : ATargetStateOrder) {
        if (state < dxSkinElementStateCount && FStates.Contains(state))
          dxGpDrawImage(canvas->Handle(), dest, GetStateBounds(i, state), source, 255);
        dest = horizontal ? cxRectOffset(dest, FSize.cx, 0) : cxRectOffset(dest, 0, FSize.cy);
      }
    }
  }
  for (TdxSkinElementState state : ATargetStateOrder)
    if (state < dxSkinElementStateCount) states.Include(state);
  FTexture->Assign(mapped.get());
  SetStates(states);
}

// ---- TdxSkinElement -------------------------------------------------------------------------

void TdxSkinElement::DrawRTL(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
                             TdxSkinElementState AState) {
  if (cxRectIsEmpty(R) || !RectVisible(DC, &R)) return;
  SkinDrawPaintScope paint(DC, R);
  dxGpRightToLeftDependentDraw(paint.Canvas(), R, (GetLayout(DC) & LAYOUT_RTL) != 0, [&] {
    if (FCache)
      FCache->DrawElement(paint.Canvas(), this, R, AScaleFactor, AState, AImageIndex);
    else
      DrawEx(paint.Canvas(), R, AScaleFactor, AImageIndex, AState);
  });
}

void TdxSkinElement::SetStateMapping(const std::vector<TdxSkinElementState>& ATargetStateOrder) {
  FImage->SetStateMapping(ATargetStateOrder);
  FGlyph->SetStateMapping(ATargetStateOrder);
}

void TdxSkinElement::SetUseCache(bool AValue) {
  if (AValue == UseCache()) return;
  if (AValue)
    FCache = std::make_unique<TdxSkinElementCacheList>(FCacheCapacity);
  else
    FCache.reset();
}

void TdxSkinElement::SetCacheCapacity(int32_t AValue) {
  FCacheCapacity = std::max(AValue, 1);
  if (FCache) FCache->SetCapacity(FCacheCapacity);
}

void TdxSkinElement::Draw(HDC DC, const TRect& R, int32_t AImageIndex, TdxSkinElementState AState) {
  Draw(DC, R, nullptr, AImageIndex, AState);
}

void TdxSkinElement::Draw(HDC DC, const TRect& R, const TdxScaleFactor* AScaleFactor, int32_t AImageIndex,
                          TdxSkinElementState AState) {
  if (cxRectIsEmpty(R) || !RectVisible(DC, &R)) return;
  if (FCache) {
    FCache->DrawElement(DC, this, R, AScaleFactor, AState, AImageIndex);
    return;
  }
  SkinDrawPaintScope paint(DC, R);
  DrawEx(paint.Canvas(), R, AScaleFactor, AImageIndex, AState);
}

void TdxSkinElement::DrawEx(TdxGPCanvas* ACanvas, const TRect& R, const TdxScaleFactor* AScaleFactor,
                            int32_t AImageIndex, TdxSkinElementState AState) {
  const TdxAlphaColor fill = dxColorToAlphaColor(Color(), FAlpha);
  if ((fill >> 24) != 0) ACanvas->FillRectangle(R, fill);
  TdxSkinAlternateImageAttributes* alternate = nullptr;
  if (CanUseAlternateImageSet(AImageIndex, AState, alternate, ACanvas->IsLowColorsMode()))
    alternate->Draw(ACanvas, R);
  else
    FImage->DrawEx(ACanvas, R, AScaleFactor, AImageIndex, AState);
  FBorders->Draw(ACanvas, R);
  FGlyph->DrawEx(ACanvas, SkinDrawContentRect(R, FContentOffset->Rect()), AScaleFactor, AImageIndex, AState);
}

bool TdxSkinElement::CanUseAlternateImageSet(int32_t AImageIndex, TdxSkinElementState AState,
                                             TdxSkinAlternateImageAttributes*& AAttributes,
                                             bool AIsLowColorsMode) {
  AAttributes = nullptr;
  if (!(FImage->Empty() || dxSkinsUseImageSet == imsAlternate ||
        (AIsLowColorsMode && dxSkinsUseImageSet == imsDefault)))
    return false;
  FImage->CheckState(AImageIndex, AState);
  if (FAlternateImageSetDirty || FAlternateImageSetIndex != AImageIndex) {
    for (int i = 0; i < dxSkinElementStateCount; ++i)
      FAlternateImageSet[i] = dynamic_cast<TdxSkinAlternateImageAttributes*>(GetPropertyByName(
          dxSkinGetAlternateImageAttrsPropertyName(static_cast<TdxSkinElementState>(i), AImageIndex)));
    FAlternateImageSetIndex = AImageIndex;
    FAlternateImageSetDirty = false;
  }
  AAttributes = FAlternateImageSet[AState];
  return AAttributes != nullptr;
}

TColor TdxSkinElement::GetTextColor(TcxButtonState AState, const String& APropertyPrefix) {
  TColor result = clDefault;
  if (AState != cxbsDefault && AState <= cxbsDisabled) {
    if (TdxSkinProperty* p =
            GetPropertyByName(APropertyPrefix + dxSkinElementTextColorPropertyNames[AState])) {
      auto* color = dynamic_cast<TdxSkinColor*>(p);
      if (!color) throw EConvertError(u"Invalid class typecast");
      result = color->Value();
    }
  }
  if (result != clDefault) return result;
  return AState == cxbsNormal ? TextColor() : GetTextColor(cxbsNormal, APropertyPrefix);
}

TSize TdxSkinElement::CalculateMinSize() {
  TSize result = FMinSize->Size();
  for (TdxSkinImage* image : {FImage.get(), FGlyph.get()}) {
    if (image->Stretch() != smNoResize) continue;
    const TSize frame = image->Size();
    result.cx = std::max(result.cx, frame.cx);
    result.cy = std::max(result.cy, frame.cy);
  }
  return result;
}

bool TdxSkinElement::IsAlphaUsed() {
  const bool colorValid = SkinDrawIsColorValid(Color());
  if (FImage->Empty()) return !(colorValid && FAlpha == 255);
  if (colorValid) return false;
  return FImage->Texture()->IsAlphaUsed();
}

IdxColorPalette* TdxSkinElement::GetGlyphColorPalette(TdxSkinElementState AState) {
  if (IdxColorPalette* palette = FGlyph->GetPalette(AState, false)) return palette;
  TdxSkinControlGroup* group = Group();
  TdxSkin* skin = group ? group->Skin() : nullptr;
  return skin ? skin->GetGlyphColorPalette(AState) : nullptr;
}

std::unique_ptr<TdxSmartImage> TdxSkinElement::GetImage(int32_t AImageIndex, TSize ASize,
                                                        TdxSkinElementState AState,
                                                        const TdxScaleFactor* AScaleFactor) {
  const TdxScaleFactor* scale = SkinDrawScaleFactor(AScaleFactor);
  if (ASize.cx == 0 || ASize.cy == 0) ASize = scale->Apply(CalculateMinSize());
  auto image = std::make_unique<TdxSmartImage>();
  // Sizes from damaged skin data make no picture rather than a huge one.
  if (ASize.cx <= 0 || ASize.cy <= 0 || int64_t{ASize.cx} * ASize.cy > kSkinDrawMaxPixels) return image;
  image->CreateSize(ASize);
  std::unique_ptr<TdxGPCanvas> canvas = image->CreateCanvas();
  DrawEx(canvas.get(), TRect{0, 0, ASize.cx, ASize.cy}, scale, AImageIndex, AState);
  return image;
}

TSize dxSkinGetElementSize(TdxSkinElement* AElement, const TdxScaleFactor* AScaleFactor) {
  if (!AElement) return TSize{};
  const TSize frame = AElement->Size();
  const TSize minimum = AElement->MinSize()->Size();
  return SkinDrawScaleFactor(AScaleFactor)
      ->Apply(TSize{std::max(frame.cx, minimum.cx), std::max(frame.cy, minimum.cy)});
}

void TdxSkinEmptyElement::Draw(HDC DC, const TRect& R, const TdxScaleFactor*, int32_t, TdxSkinElementState) {
  FillRect(DC, &R, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HBRUSH red = CreateSolidBrush(0x0000FF);
  FrameRect(DC, &R, red);
  DeleteObject(red);
}

// ---- The render cache -----------------------------------------------------------------------

TdxSkinElementCache::TdxSkinElementCache() = default;
TdxSkinElementCache::~TdxSkinElementCache() = default;

bool TdxSkinElementCache::CheckCacheState(TdxSkinElement* AElement, const TRect& R,
                                          const TdxScaleFactor* AScaleFactor, TdxSkinElementState AState,
                                          int32_t AImageIndex) {
  const TdxScaleFactor* scale = SkinDrawScaleFactor(AScaleFactor);
  if (AElement == FElement && AState == FState && AImageIndex == FImageIndex &&
      FImageSet == dxSkinsUseImageSet && R == FRect && scale->Numerator() == FScaleFactor.Numerator() &&
      scale->Denominator() == FScaleFactor.Denominator())
    return false;
  FElement = AElement;
  FState = AState;
  FImageIndex = AImageIndex;
  FImageSet = dxSkinsUseImageSet;
  FRect = R;
  FScaleFactor.Assign(scale);
  FCacheOpaque.reset();
  FCache.reset();
  if (cxRectIsEmpty(R)) return false;
  const int32_t width = R.Right - R.Left;
  const int32_t height = R.Bottom - R.Top;
  if (AElement->IsAlphaUsed()) {
    FCache = std::make_unique<TdxSmartImage>();
    FCache->CreateSize(width, height);
    std::unique_ptr<TdxGPCanvas> canvas = FCache->CreateCanvas();
    AElement->DrawEx(canvas.get(), TRect{0, 0, width, height}, &FScaleFactor, AImageIndex, AState);
  } else {
    FCacheOpaque = std::make_unique<TcxBitmap32>(width, height, true);
    SkinDrawPaintScope paint(FCacheOpaque->Canvas()->Handle(), TRect{0, 0, width, height});
    AElement->DrawEx(paint.Canvas(), TRect{0, 0, width, height}, &FScaleFactor, AImageIndex, AState);
  }
  return true;
}

void TdxSkinElementCache::Draw(HDC DC, const TRect& R) {
  if (FCacheOpaque) {
    BitBlt(DC, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, FCacheOpaque->Canvas()->Handle(), 0, 0,
           SRCCOPY);
  } else if (FCache) {
    SkinDrawPaintScope paint(DC, R);
    paint.Canvas()->Draw(FCache.get(), R);
  }
}

void TdxSkinElementCache::Draw(TdxGPCanvas* ACanvas, const TRect& R) {
  if (FCacheOpaque)
    ACanvas->DrawBitmap(FCacheOpaque.get(), R, 255);
  else if (FCache)
    ACanvas->Draw(FCache.get(), R);
}

void TdxSkinElementCache::Flush() {
  FCacheOpaque.reset();
  FCache.reset();
  FElement = nullptr;
  FScaleFactor.Assign(1, 1, false);
  FRect = TRect{};
}

TdxSkinElementCacheList::TdxSkinElementCacheList(int32_t ACapacity) : FCapacity(std::max(ACapacity, 1)) {}

TdxSkinElementCacheList::~TdxSkinElementCacheList() = default;

TdxSkinElementCache* TdxSkinElementCacheList::Find(TdxSkinElement* AElement, const TRect& R,
                                                   TdxSkinElementState AState, int32_t AImageIndex) {
  for (auto& c : FData)
    if (c->Element() == AElement && c->ImageIndex() == AImageIndex && c->State() == AState && c->Rect() == R)
      return c.get();
  for (auto& c : FData)
    if (c->Element() == AElement && c->Rect() == R) return c.get();
  if (Count() >= FCapacity) {
    std::rotate(FData.begin(), FData.begin() + 1, FData.end());
    return FData.back().get();
  }
  FData.push_back(std::make_unique<TdxSkinElementCache>());
  return FData.back().get();
}

void TdxSkinElementCacheList::DrawElement(HDC DC, TdxSkinElement* AElement, const TRect& R,
                                          const TdxScaleFactor* AScaleFactor, TdxSkinElementState AState,
                                          int32_t AImageIndex) {
  TdxSkinElementCache* cache = Find(AElement, R, AState, AImageIndex);
  if (cache->CheckCacheState(AElement, R, AScaleFactor, AState, AImageIndex)) ++FRenderCount;
  cache->Draw(DC, R);
}

void TdxSkinElementCacheList::DrawElement(TdxGPCanvas* ACanvas, TdxSkinElement* AElement, const TRect& R,
                                          const TdxScaleFactor* AScaleFactor, TdxSkinElementState AState,
                                          int32_t AImageIndex) {
  TdxSkinElementCache* cache = Find(AElement, R, AState, AImageIndex);
  if (cache->CheckCacheState(AElement, R, AScaleFactor, AState, AImageIndex)) ++FRenderCount;
  cache->Draw(ACanvas, R);
}

void TdxSkinElementCacheList::Flush() {
  FData.clear();
}

void TdxSkinElementCacheList::SetCapacity(int32_t AValue) {
  FCapacity = std::max(AValue, 1);
  while (Count() > FCapacity) FData.erase(FData.begin());
}

}  // namespace qd
