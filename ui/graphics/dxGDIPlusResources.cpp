// The pen and brush caches and the image attributes of the GDI+ classes.
#include <memory>

#include "ui/graphics/dxCoreGraphicsAlphaColors.h"
#include "ui/graphics/dxGDIPlusClasses.h"

namespace qd {

namespace {

std::unique_ptr<TdxGPSolidPenCacheManager> GdipResSolidPens;
std::unique_ptr<TdxGPSolidBrushCacheManager> GdipResSolidBrushes;
std::unique_ptr<TdxGPAlphaBlendAttributes> GdipResAlphaBlendAttributes;

constexpr int32_t kGdipResCacheCapacity = 100;

bool GdipResIsTransparentOrEmpty(TdxAlphaColor AColor) {
  return AColor == 0 || AColor == 0x00FFFFFF;
}

template <class T>
int32_t GdipResCompare(const T& A, const T& B) {
  return A < B ? -1 : B < A ? 1 : 0;
}

}  // namespace

TdxGPPenHandle::~TdxGPPenHandle() {
  if (FHandle && GdipDeletePen) GdipDeletePen(static_cast<GpPen*>(FHandle));
}

TdxGPBrushHandle::~TdxGPBrushHandle() {
  if (FHandle && GdipDeleteBrush) GdipDeleteBrush(static_cast<GpBrush*>(FHandle));
}

int32_t TdxGPSolidPenCacheManager::Compare(const TdxGPSolidPenCacheID& A, const TdxGPSolidPenCacheID& B) {
  if (int32_t c = GdipResCompare(A.Color, B.Color)) return c;
  if (int32_t c = GdipResCompare(A.Style, B.Style)) return c;
  return GdipResCompare(A.Width, B.Width);
}

void TdxGPSolidPenCacheManager::CreateValue(const TdxGPSolidPenCacheID& AKey, IdxGPHandle& AValue) {
  GpPen* pen = nullptr;
  GdipCheck(GdipCreatePen1(AKey.Color, AKey.Width, gdiplus::UnitPixel, &pen));
  AValue = std::make_shared<TdxGPPenHandle>(pen);
  GdipCheck(GdipSetPenDashStyle(pen, AKey.Style));
}

int32_t TdxGPSolidBrushCacheManager::Compare(const TdxAlphaColor& A, const TdxAlphaColor& B) {
  return GdipResCompare(A, B);
}

void TdxGPSolidBrushCacheManager::CreateValue(const TdxAlphaColor& AKey, IdxGPHandle& AValue) {
  gdiplus::GpSolidFill* brush = nullptr;
  GdipCheck(GdipCreateSolidFill(AKey, &brush));
  AValue = std::make_shared<TdxGPBrushHandle>(brush);
}

// ---- TdxGPResourceManager ------------------------------------------------------------------

void TdxGPResourceManager::Initialize() {
  GdipResSolidPens = std::make_unique<TdxGPSolidPenCacheManager>(kGdipResCacheCapacity);
  GdipResSolidBrushes = std::make_unique<TdxGPSolidBrushCacheManager>(kGdipResCacheCapacity);
}

void TdxGPResourceManager::Finalize() {
  GdipResSolidPens.reset();
  GdipResSolidBrushes.reset();
}

TdxGPSolidPenCacheManager* TdxGPResourceManager::SolidPens() {
  return GdipResSolidPens.get();
}
TdxGPSolidBrushCacheManager* TdxGPResourceManager::SolidBrushes() {
  return GdipResSolidBrushes.get();
}

bool TdxGPResourceManager::GetPen(TdxAlphaColor AColor, gdiplus::DashStyle AStyle, float AWidth,
                                  IdxGPHandle& AHandle) {
  AHandle.reset();
  if (GdipResIsTransparentOrEmpty(AColor) || !(AWidth > 0) || !GdipResSolidPens) return false;
  AHandle = GdipResSolidPens->GetValue({AColor, AStyle, AWidth});
  return AHandle != nullptr;
}

bool TdxGPResourceManager::GetPen(TdxAlphaColor AColor, TPenStyle AStyle, float AWidth,
                                  IdxGPHandle& AHandle) {
  AHandle.reset();
  if (AStyle > psDashDotDot) return false;
  return GetPen(AColor, PenStyleToDashStyle[AStyle], AWidth, AHandle);
}

bool TdxGPResourceManager::GetPen(TdxAlphaColor AColor, TdxGPPenStyle AStyle, float AWidth,
                                  IdxGPHandle& AHandle) {
  return GetPen(AColor, GpPenStyleToDashStyle[AStyle], AWidth, AHandle);
}

bool TdxGPResourceManager::GetPen(TColor AColor, uint8_t AColorAlpha, TPenStyle AStyle, float AWidth,
                                  IdxGPHandle& AHandle) {
  return GetPen(dxColorToAlphaColor(AColor, AColorAlpha), AStyle, AWidth, AHandle);
}

bool TdxGPResourceManager::GetSolidBrush(TdxAlphaColor AColor, IdxGPHandle& AHandle) {
  AHandle.reset();
  if (GdipResIsTransparentOrEmpty(AColor) || !GdipResSolidBrushes) return false;
  AHandle = GdipResSolidBrushes->GetValue(AColor);
  return AHandle != nullptr;
}

bool TdxGPResourceManager::GetSolidBrush(TColor AColor, uint8_t AColorAlpha, IdxGPHandle& AHandle) {
  AHandle.reset();
  if (AColor == clNone || !GdipResSolidBrushes) return false;
  AHandle = GdipResSolidBrushes->GetValue(dxColorToAlphaColor(AColor, AColorAlpha));
  return AHandle != nullptr;
}

// ---- TdxGPImageAttributes ------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPImageAttributes)
QD_IMPLEMENT_CLASS(TdxGPAlphaBlendAttributes)

TdxGPImageAttributes::TdxGPImageAttributes() {
  GdipCheck(GdipCreateImageAttributes(&FHandle));
}

TdxGPImageAttributes::~TdxGPImageAttributes() {
  if (FHandle && GdipDisposeImageAttributes) GdipDisposeImageAttributes(FHandle);
}

TdxGPImageAttributes* TdxGPImageAttributes::Clone() {
  GpImageAttributes* clone = nullptr;
  GdipCheck(GdipCloneImageAttributes(FHandle, &clone));
  return new TdxGPImageAttributes(clone);
}

void TdxGPImageAttributes::SetColorMatrix(const TdxGpColorMatrix& AMatrix, TdxGpColorMatrixFlags AMode,
                                          TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesColorMatrix(FHandle, AType, TRUE,
                                              reinterpret_cast<const gdiplus::ColorMatrix*>(&AMatrix),
                                              nullptr, static_cast<gdiplus::ColorMatrixFlags>(AMode)));
}

void TdxGPImageAttributes::SetColorMatrices(const TdxGpColorMatrix& AColorMatrix,
                                            const TdxGpColorMatrix& AGrayMatrix, TdxGpColorMatrixFlags AMode,
                                            TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesColorMatrix(FHandle, AType, TRUE,
                                              reinterpret_cast<const gdiplus::ColorMatrix*>(&AColorMatrix),
                                              reinterpret_cast<const gdiplus::ColorMatrix*>(&AGrayMatrix),
                                              static_cast<gdiplus::ColorMatrixFlags>(AMode)));
}

void TdxGPImageAttributes::ClearColorMatrix(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesColorMatrix(FHandle, AType, FALSE, nullptr, nullptr,
                                              gdiplus::ColorMatrixFlagsDefault));
}

void TdxGPImageAttributes::SetThreshold(float AThreshold, TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesThreshold(FHandle, AType, TRUE, AThreshold));
}

void TdxGPImageAttributes::ClearThreshold(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesThreshold(FHandle, AType, FALSE, 0));
}

void TdxGPImageAttributes::SetGamma(float AGamma, TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesGamma(FHandle, AType, TRUE, AGamma));
}

void TdxGPImageAttributes::ClearGamma(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesGamma(FHandle, AType, FALSE, 0));
}

void TdxGPImageAttributes::SetNoOp(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesNoOp(FHandle, AType, TRUE));
}

void TdxGPImageAttributes::ClearNoOp(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesNoOp(FHandle, AType, FALSE));
}

void TdxGPImageAttributes::SetColorKey(TdxAlphaColor AColorLow, TdxAlphaColor AColorHigh,
                                       TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesColorKeys(FHandle, AType, TRUE, AColorLow, AColorHigh));
}

void TdxGPImageAttributes::ClearColorKey(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesColorKeys(FHandle, AType, FALSE, 0, 0));
}

void TdxGPImageAttributes::SetOutputChannel(TdxGpColorChannelFlags AFlags, TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesOutputChannel(FHandle, AType, TRUE,
                                                static_cast<gdiplus::ColorChannelFlags>(AFlags)));
}

void TdxGPImageAttributes::ClearOutputChannel(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesOutputChannel(
      FHandle, AType, FALSE, static_cast<gdiplus::ColorChannelFlags>(ColorChannelFlagsLast)));
}

void TdxGPImageAttributes::SetOutputChannelColorProfile(const String& AFileName, TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesOutputChannelColorProfile(
      FHandle, AType, TRUE, reinterpret_cast<const WCHAR*>(AFileName.c_str())));
}

void TdxGPImageAttributes::ClearOutputChannelColorProfile(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesOutputChannelColorProfile(FHandle, AType, FALSE, nullptr));
}

void TdxGPImageAttributes::SetRemapTable(const std::vector<gdiplus::ColorMap>& AMap,
                                         TdxGpColorAdjustType AType) {
  GdipCheck(
      GdipSetImageAttributesRemapTable(FHandle, AType, TRUE, static_cast<UINT>(AMap.size()), AMap.data()));
}

void TdxGPImageAttributes::ClearRemapTable(TdxGpColorAdjustType AType) {
  GdipCheck(GdipSetImageAttributesRemapTable(FHandle, AType, FALSE, 0, nullptr));
}

void TdxGPImageAttributes::SetBrushRemapTable(const std::vector<gdiplus::ColorMap>& AMap) {
  SetRemapTable(AMap, gdiplus::ColorAdjustTypeBrush);
}

void TdxGPImageAttributes::ClearBrushRemapTable() {
  ClearRemapTable(gdiplus::ColorAdjustTypeBrush);
}

void TdxGPImageAttributes::GetAdjustedPalette(gdiplus::ColorPalette& APalette, TdxGpColorAdjustType AType) {
  GdipCheck(GdipGetImageAttributesAdjustedPalette(FHandle, &APalette, AType));
}

void TdxGPImageAttributes::SetWrapMode(gdiplus::WrapMode AMode) {
  SetWrapMode(AMode, 0xFF000000, false);
}

void TdxGPImageAttributes::SetWrapMode(gdiplus::WrapMode AMode, TdxAlphaColor AColor, bool AClamp) {
  GdipCheck(GdipSetImageAttributesWrapMode(FHandle, AMode, AColor, AClamp ? TRUE : FALSE));
}

void TdxGPAlphaBlendAttributes::SetAlpha(uint8_t AValue) {
  if (AValue == FAlpha) return;
  FAlpha = AValue;
  FColorMatrix.M[3][3] = AValue / 255.f;
  SetColorMatrix(FColorMatrix, ColorMatrixFlagsDefault, gdiplus::ColorAdjustTypeBitmap);
}

TdxGPAlphaBlendAttributes* dxGpGetAlphaBlendAttributes(uint8_t AAlpha) {
  if (AAlpha == 255) return nullptr;
  if (!GdipResAlphaBlendAttributes)
    GdipResAlphaBlendAttributes = std::make_unique<TdxGPAlphaBlendAttributes>();
  GdipResAlphaBlendAttributes->SetAlpha(AAlpha);
  return GdipResAlphaBlendAttributes.get();
}

GpImageAttributes* dxGpGetImageAttributesHandle(TdxGPImageAttributes* AAttributes) {
  return AAttributes ? AAttributes->Handle() : nullptr;
}

namespace dxGDIPlusClasses {

void Initialize() {
  TdxGPResourceManager::Initialize();
}

void Finalize() {
  dxGDIPlusText::Finalize();
  GdipResAlphaBlendAttributes.reset();
  TdxGPResourceManager::Finalize();
}

}  // namespace dxGDIPlusClasses

}  // namespace qd
