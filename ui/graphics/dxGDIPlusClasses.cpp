#include "ui/graphics/dxGDIPlusClasses.h"

#include <algorithm>
#include <cmath>

#include "platform/base/exceptions.h"
#include "ui/graphics/dxGDIPlusImage.h"

namespace qd {

namespace {

// Standard dash patterns in pixels.
const std::vector<float>& GdipClassesDashPattern(TdxGPPenStyle AStyle) {
  static const std::vector<float> patterns[] = {{}, {9, 4}, {2, 4}, {9, 4, 2, 4}, {9, 4, 2, 4, 2, 4}};
  return patterns[AStyle];
}

// Floating-point equality with the run-time library's default tolerance.
bool GdipClassesSameValue(float A, float B) {
  const float epsilon = std::max(std::min(std::fabs(A), std::fabs(B)) * 1e-4f, 1e-4f);
  return A > B ? A - B <= epsilon : B - A <= epsilon;
}

}  // namespace

// ---- TdxGPCustomGraphicObject --------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPCustomGraphicObject)

void TdxGPCustomGraphicObject::FreeHandle() {
  if (!FHandle) return;
  void* handle = FHandle;
  FHandle = nullptr;
  DoFreeHandle(handle);
}

void TdxGPCustomGraphicObject::Changed() {
  if (FChangeLockCount == 0 && OnChange) OnChange(this);
}

void TdxGPCustomGraphicObject::HandleNeeded() {
  if (FHandle) return;
  ++FChangeLockCount;
  try {
    DoCreateHandle(FHandle);
    DoHandleCreated();
  } catch (...) {
    --FChangeLockCount;
    throw;
  }
  --FChangeLockCount;
}

// ---- TdxGPMatrix ---------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPMatrix)

TdxGPMatrix::TdxGPMatrix(float M11, float M12, float M21, float M22, float DX, float DY) {
  SetElements(M11, M12, M21, M22, DX, DY);
}

TdxGPMatrix::TdxGPMatrix(const XFORM& AXForm)
    : TdxGPMatrix(AXForm.eM11, AXForm.eM12, AXForm.eM21, AXForm.eM22, AXForm.eDx, AXForm.eDy) {}

TdxGPMatrix::~TdxGPMatrix() {
  FreeHandle();
}

TdxGPMatrix* TdxGPMatrix::CreateFlip(bool AFlipHorizontally, bool AFlipVertically, float APivotPointX,
                                     float APivotPointY) {
  return new TdxGPMatrix(AFlipHorizontally ? -1 : 1, 0, 0, AFlipVertically ? -1 : 1,
                         AFlipHorizontally ? 2 * APivotPointX : 0, AFlipVertically ? 2 * APivotPointY : 0);
}

TdxGPMatrix* TdxGPMatrix::CreateFlip(bool AFlipHorizontally, bool AFlipVertically,
                                     const TdxPointF& APivotPoint) {
  return CreateFlip(AFlipHorizontally, AFlipVertically, APivotPoint.X, APivotPoint.Y);
}

TdxGPMatrix* TdxGPMatrix::Clone(TdxGPMatrix* AMatrix) {
  if (!AMatrix) return nullptr;
  auto* result = new TdxGPMatrix;
  result->Assign(AMatrix);
  return result;
}

void TdxGPMatrix::DoCreateHandle(void*& AHandle) {
  GpMatrix* m = nullptr;
  GdipCheck(GdipCreateMatrix(&m));
  AHandle = m;
}

void TdxGPMatrix::DoFreeHandle(void* AHandle) {
  GdipDeleteMatrix(static_cast<GpMatrix*>(AHandle));
}

void TdxGPMatrix::Assign(TdxGPCustomGraphicObject* ASource) {
  if (auto* source = dynamic_cast<TdxGPMatrix*>(ASource); source && source != this) {
    float m[6];
    source->GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
    SetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  }
}

void TdxGPMatrix::GetElements(float& M11, float& M12, float& M21, float& M22, float& DX, float& DY) {
  float m[6];
  GdipCheck(GdipGetMatrixElements(NativeHandle(), m));
  M11 = m[0], M12 = m[1], M21 = m[2], M22 = m[3], DX = m[4], DY = m[5];
}

void TdxGPMatrix::SetElements(float M11, float M12, float M21, float M22, float DX, float DY) {
  GdipCheck(GdipSetMatrixElements(NativeHandle(), M11, M12, M21, M22, DX, DY));
  Changed();
}

void TdxGPMatrix::Reset() {
  SetElements(1, 0, 0, 1, 0, 0);
}

void TdxGPMatrix::Invert() {
  GdipCheck(GdipInvertMatrix(NativeHandle()));
  Changed();
}

void TdxGPMatrix::Multiply(TdxGPMatrix* AMatrix, TdxGpMatrixOrder AMatrixOrder) {
  GdipCheck(GdipMultiplyMatrix(NativeHandle(), AMatrix->NativeHandle(), AMatrixOrder));
  Changed();
}

void TdxGPMatrix::Rotate(float AAngle, TdxGpMatrixOrder AMatrixOrder) {
  GdipCheck(GdipRotateMatrix(NativeHandle(), AAngle, AMatrixOrder));
  Changed();
}

void TdxGPMatrix::Rotate(float AAngle, const TdxPointF& APivotPoint, TdxGpMatrixOrder AMatrixOrder) {
  const float s = AMatrixOrder == gdiplus::MatrixOrderPrepend ? 1.f : -1.f;
  Translate(s * APivotPoint.X, s * APivotPoint.Y, AMatrixOrder);
  Rotate(AAngle, AMatrixOrder);
  Translate(-s * APivotPoint.X, -s * APivotPoint.Y, AMatrixOrder);
}

void TdxGPMatrix::Scale(float AScaleX, float AScaleY, TdxGpMatrixOrder AMatrixOrder) {
  GdipCheck(GdipScaleMatrix(NativeHandle(), AScaleX, AScaleY, AMatrixOrder));
  Changed();
}

void TdxGPMatrix::Scale(const TdxPointF& AScale, TdxGpMatrixOrder AMatrixOrder) {
  Scale(AScale.X, AScale.Y, AMatrixOrder);
}

void TdxGPMatrix::Scale(const TdxPointF& AScale, const TdxPointF& ACenter, TdxGpMatrixOrder) {
  SetElements(AScale.X, 0, 0, AScale.Y, ACenter.X - ACenter.X * AScale.X, ACenter.Y - ACenter.Y * AScale.Y);
}

void TdxGPMatrix::Shear(float X, float Y, TdxGpMatrixOrder AMatrixOrder) {
  GdipCheck(GdipShearMatrix(NativeHandle(), X, Y, AMatrixOrder));
  Changed();
}

void TdxGPMatrix::Shear(const TdxPointF& AShear, TdxGpMatrixOrder AMatrixOrder) {
  Shear(AShear.X, AShear.Y, AMatrixOrder);
}

void TdxGPMatrix::Translate(float AOffsetX, float AOffsetY, TdxGpMatrixOrder AMatrixOrder) {
  GdipCheck(GdipTranslateMatrix(NativeHandle(), AOffsetX, AOffsetY, AMatrixOrder));
  Changed();
}

void TdxGPMatrix::Translate(const TdxPointF& AOffset, TdxGpMatrixOrder AMatrixOrder) {
  Translate(AOffset.X, AOffset.Y, AMatrixOrder);
}

void TdxGPMatrix::Flip(bool AFlipHorizontally, bool AFlipVertically, const TdxPointF& APivotPoint) {
  if (!AFlipHorizontally && !AFlipVertically) return;
  std::unique_ptr<TdxGPMatrix> flip(CreateFlip(AFlipHorizontally, AFlipVertically, APivotPoint));
  Multiply(flip.get(), gdiplus::MatrixOrderAppend);
}

TdxPointF TdxGPMatrix::TransformPoint(const TdxPointF& P) {
  float m11, m12, m21, m22, dx, dy;
  GetElements(m11, m12, m21, m22, dx, dy);
  return {P.X * m11 + P.Y * m21 + dx, P.X * m12 + P.Y * m22 + dy};
}

TPoint TdxGPMatrix::TransformPoint(const TPoint& P) {
  const TdxPointF r = TransformPoint(TdxPointF(P));
  return TPoint{static_cast<int32_t>(std::nearbyint(r.X)), static_cast<int32_t>(std::nearbyint(r.Y))};
}

void TdxGPMatrix::TransformPoints(std::vector<TPoint>& APoints) {
  for (TPoint& p : APoints) p = TransformPoint(p);
}

void TdxGPMatrix::TransformPoints(std::vector<TdxPointF>& APoints) {
  for (TdxPointF& p : APoints) p = TransformPoint(p);
}

void TdxGPMatrix::TransformPointsI(TPoint* APoints, int32_t ACount) {
  if (ACount < 1) return;
  GdipCheck(GdipTransformMatrixPointsI(NativeHandle(), reinterpret_cast<gdiplus::GpPoint*>(APoints), ACount));
}

TdxRectF TdxGPMatrix::TransformRect(const TdxRectF& R) {
  const TdxPointF a = TransformPoint(R.TopLeft());
  const TdxPointF b = TransformPoint(TdxPointF(R.Right, R.Bottom));
  return TdxRectF(a.X, a.Y, b.X, b.Y);
}

TRect TdxGPMatrix::TransformRect(const TRect& R) {
  const TPoint a = TransformPoint(TPoint{R.Left, R.Top});
  const TPoint b = TransformPoint(TPoint{R.Right, R.Bottom});
  return TRect{a.X, a.Y, b.X, b.Y};
}

TdxRectF TdxGPMatrix::GetBoundingRectangle(const TdxRectF& R) {
  const TdxPointF p[4] = {TransformPoint(TdxPointF(R.Left, R.Top)), TransformPoint(TdxPointF(R.Right, R.Top)),
                          TransformPoint(TdxPointF(R.Right, R.Bottom)),
                          TransformPoint(TdxPointF(R.Left, R.Bottom))};
  TdxRectF result(p[0].X, p[0].Y, p[0].X, p[0].Y);
  for (const TdxPointF& q : p) {
    result.Left = std::min(result.Left, q.X);
    result.Top = std::min(result.Top, q.Y);
    result.Right = std::max(result.Right, q.X);
    result.Bottom = std::max(result.Bottom, q.Y);
  }
  return result;
}

bool TdxGPMatrix::IsIdentity() {
  BOOL result = FALSE;
  GdipCheck(GdipIsMatrixIdentity(NativeHandle(), &result));
  return result != FALSE;
}

bool TdxGPMatrix::IsInvertible() {
  BOOL result = FALSE;
  GdipCheck(GdipIsMatrixInvertible(NativeHandle(), &result));
  return result != FALSE;
}

float TdxGPMatrix::OffsetX() {
  float m[6];
  GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  return m[4];
}

float TdxGPMatrix::OffsetY() {
  float m[6];
  GetElements(m[0], m[1], m[2], m[3], m[4], m[5]);
  return m[5];
}

// ---- TdxGPBrushGradientPoints --------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPBrushGradientPoints)

TdxGPBrushGradientPoints::TdxGPBrushGradientPoints() : FColors(2), FOffsets(2) {}

void TdxGPBrushGradientPoints::CheckIndex(int32_t Index) const {
  if (Index < 0 || Index >= FCount) RaiseListIndexError(Index);
}

void TdxGPBrushGradientPoints::Changed() {
  std::vector<std::pair<float, TdxAlphaColor>> stops;
  stops.reserve(FCount);
  for (int32_t i = 1; i <= FCount; ++i) stops.emplace_back(FOffsets[i], FColors[i]);
  std::stable_sort(stops.begin(), stops.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (int32_t i = 1; i <= FCount; ++i) {
    FOffsets[i] = stops[i - 1].first;
    FColors[i] = stops[i - 1].second;
  }
  if (OnChange) OnChange(this);
}

int32_t TdxGPBrushGradientPoints::Add(TdxAlphaColor AColor, float AOffset) {
  if (FCount == FCapacity) {
    const int32_t delta = FCapacity > 128 ? FCapacity / 2 : FCapacity > 16 ? 32 : 16;
    SetCapacity(FCapacity + delta);
  }
  const int32_t result = FCount;
  ++FCount;
  FColors[FCount] = AColor;
  FOffsets[FCount] = AOffset;
  Changed();
  return result;
}

void TdxGPBrushGradientPoints::Assign(TdxGPBrushGradientPoints* ASource) {
  if (!ASource || ASource == this) return;
  FColors = ASource->FColors;
  FOffsets = ASource->FOffsets;
  FCount = ASource->FCount;
  FCapacity = ASource->FCapacity;
  Changed();
}

void TdxGPBrushGradientPoints::Delete(int32_t Index) {
  CheckIndex(Index);
  for (int32_t i = Index + 1; i < FCount; ++i) {
    FColors[i] = FColors[i + 1];
    FOffsets[i] = FOffsets[i + 1];
  }
  --FCount;
  Changed();
}

void TdxGPBrushGradientPoints::InvertOrder() {
  if (FCount < 2) return;
  std::reverse(FColors.begin() + 1, FColors.begin() + 1 + FCount);
  std::reverse(FOffsets.begin() + 1, FOffsets.begin() + 1 + FCount);
  for (int32_t i = 1; i <= FCount; ++i) FOffsets[i] = 1 - FOffsets[i];
  Changed();
}

void TdxGPBrushGradientPoints::SetCapacity(int32_t AValue) {
  AValue = std::max(AValue, 0);
  if (AValue == FCapacity) return;
  FCapacity = AValue;
  FColors.resize(FCapacity + 2);
  FOffsets.resize(FCapacity + 2);
  if (FCount > FCapacity) {
    FCount = FCapacity;
    Changed();
  }
}

TdxAlphaColor TdxGPBrushGradientPoints::Colors(int32_t Index) const {
  CheckIndex(Index);
  return FColors[Index + 1];
}

void TdxGPBrushGradientPoints::SetColors(int32_t Index, TdxAlphaColor AValue) {
  CheckIndex(Index);
  FColors[Index + 1] = AValue;
  Changed();
}

float TdxGPBrushGradientPoints::Offsets(int32_t Index) const {
  CheckIndex(Index);
  return FOffsets[Index + 1];
}

void TdxGPBrushGradientPoints::SetOffsets(int32_t Index, float AValue) {
  CheckIndex(Index);
  FOffsets[Index + 1] = AValue;
  Changed();
}

void TdxGPBrushGradientPoints::CalculateParams(const TdxAlphaColor*& AColors, const float*& AOffsets,
                                               int32_t& ACount) {
  int32_t first = 1;
  ACount = FCount;
  if (FCount > 0 && FOffsets[1] > 0) {
    first = 0;
    FColors[0] = 0;
    FOffsets[0] = 0;
    ++ACount;
  }
  if (FCount > 0 && FOffsets[FCount] < 1) {
    FColors[FCount + 1] = 0;
    FOffsets[FCount + 1] = 1;
    ++ACount;
  }
  AColors = FColors.data() + first;
  AOffsets = FOffsets.data() + first;
}

// ---- TdxGPCustomBrush ----------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPCustomBrush)

TdxGPCustomBrush::~TdxGPCustomBrush() {
  FreeHandle();
}

void TdxGPCustomBrush::DoFreeHandle(void* AHandle) {
  GdipDeleteBrush(static_cast<GpBrush*>(AHandle));
}

void TdxGPCustomBrush::Assign(TdxGPCustomGraphicObject* ASource) {
  if (auto* source = dynamic_cast<TdxGPCustomBrush*>(ASource); source && source != this) {
    if (!dxGpRectIsEqual(FTargetRect, source->FTargetRect)) {
      FTargetRect = source->FTargetRect;
      DoTargetRectChanged();
    }
  }
}

void TdxGPCustomBrush::SetTargetRect(const TRect& R) {
  SetTargetRect(dxGpMakeRectF(R));
}
void TdxGPCustomBrush::SetTargetRect(const TdxRectF& R) {
  SetTargetRect(TdxGpRectF::FromRectF(R));
}
void TdxGPCustomBrush::SetTargetRect(const TdxGpRect& R) {
  SetTargetRect(dxGpMakeRectF(R));
}

void TdxGPCustomBrush::SetTargetRect(const TdxGpRectF& R) {
  const TdxGpRectF inflated{R.X - 1, R.Y - 1, R.Width + 2, R.Height + 2};
  if (dxGpRectIsEqual(inflated, FTargetRect)) return;
  FTargetRect = inflated;
  DoTargetRectChanged();
}

// ---- TdxGPBrush ----------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPBrush)

TdxGPBrush::TdxGPBrush()
    : FGradientPoints(std::make_unique<TdxGPBrushGradientPoints>()),
      FTextureTransform(std::make_unique<TdxGPMatrix>()),
      FTexture(std::make_unique<TdxGPImage>()) {
  FGradientPoints->OnChange = TNotifyEvent(this, &TdxGPBrush::GradientPointsChangeHandler);
  // The texture and its transform are both baked into a texture brush.
  FTextureTransform->OnChange = TNotifyEvent(this, &TdxGPBrush::TextureChangeHandler);
  FTexture->OnChange = TNotifyEvent(this, &TdxGPBrush::TextureChangeHandler);
}

TdxGPBrush::~TdxGPBrush() {
  FreeHandle();
}

void TdxGPBrush::DoCreateHandle(void*& AHandle) {
  switch (FStyle) {
    case gpbsSolid: {
      gdiplus::GpSolidFill* fill = nullptr;
      GdipCheck(GdipCreateSolidFill(FColor, &fill));
      AHandle = fill;
      break;
    }
    case gpbsGradient:
      AHandle = CreateGradientBrushHandle();
      break;
    case gpbsTexture:
      AHandle = CreateTextureBrushHandle();
      break;
    case gpbsClear:
      AHandle = CreateEmptyBrushHandle();
      break;
  }
}

void TdxGPBrush::DoHandleCreated() {
  if (OnHandleCreated) OnHandleCreated(this);
}

GpBrush* TdxGPBrush::CreateEmptyBrushHandle() {
  gdiplus::GpSolidFill* fill = nullptr;
  GdipCheck(GdipCreateSolidFill(0, &fill));
  return fill;
}

GpBrush* TdxGPBrush::CreateGradientBrushHandle() {
  if (FGradientPoints->Count() == 0 || FTargetRect.Width == 0 || FTargetRect.Height == 0)
    return CreateEmptyBrushHandle();
  gdiplus::GpLineGradient* brush = nullptr;
  GdipCheck(GdipCreateLineBrushFromRect(FTargetRect.Gp(), 0, 0,
                                        static_cast<gdiplus::LinearGradientMode>(FGradientMode),
                                        gdiplus::WrapModeTileFlipX, &brush));
  const TdxAlphaColor* colors;
  const float* offsets;
  int32_t count;
  FGradientPoints->CalculateParams(colors, offsets, count);
  const Status status = GdipSetLinePresetBlend(brush, colors, offsets, count);
  if (status != gdiplus::Ok) {
    GdipDeleteBrush(brush);
    GdipCheck(status);
  }
  return brush;
}

GpBrush* TdxGPBrush::CreateTextureBrushHandle() {
  if (IsTextureEmpty()) return CreateEmptyBrushHandle();
  gdiplus::GpTexture* brush = nullptr;
  GdipCheck(GdipCreateTexture(FTexture->Handle(), gdiplus::WrapModeTile, &brush));
  try {
    ApplyTextureTransform(brush);
  } catch (...) {
    GdipDeleteBrush(brush);
    throw;
  }
  return brush;
}

bool TdxGPBrush::IsTextureEmpty() const {
  return FTexture->Empty() || FTexture->Width() <= 0 || FTexture->Height() <= 0;
}

// The texture transform, then the move to the target area's corner, so that the texture
// follows the area also when the handle is made after the area was set.
void TdxGPBrush::ApplyTextureTransform(GpBrush* AHandle) {
  auto* texture = static_cast<gdiplus::GpTexture*>(AHandle);
  if (FTextureTransform->HandleAllocated())
    GdipCheck(GdipSetTextureTransform(texture, FTextureTransform->NativeHandle()));
  else
    GdipCheck(GdipResetTextureTransform(texture));
  GdipCheck(GdipTranslateTextureTransform(texture, FTargetRect.X, FTargetRect.Y, gdiplus::MatrixOrderAppend));
}

void TdxGPBrush::SetTexture(TdxGPImage* AValue) {
  if (AValue == FTexture.get()) return;
  if (AValue)
    FTexture->Assign(AValue);
  else
    FTexture->Clear();
}

bool TdxGPBrush::GetIsEmpty() {
  switch (FStyle) {
    case gpbsSolid:
      return FColor == 0;
    case gpbsGradient:
      return FGradientPoints->Count() == 0;
    case gpbsTexture:
      return IsTextureEmpty();
    default:
      return true;
  }
}

void TdxGPBrush::SetColor(TdxAlphaColor AValue) {
  if (AValue == FColor) return;
  FColor = AValue;
  if (HandleAllocated() && FStyle == gpbsSolid)
    GdipCheck(GdipSetSolidFillColor(static_cast<gdiplus::GpSolidFill*>(FHandle), FColor));
  Changed();
}

void TdxGPBrush::SetGradientMode(TdxGPBrushGradientMode AValue) {
  if (AValue == FGradientMode) return;
  FGradientMode = AValue;
  if (FStyle == gpbsGradient) FreeHandle();
  Changed();
}

void TdxGPBrush::SetStyle(TdxGPBrushStyle AValue) {
  if (AValue == FStyle) return;
  FStyle = AValue;
  FreeHandle();
  Changed();
}

void TdxGPBrush::GradientPointsChangeHandler(TObject*) {
  if (FStyle == gpbsGradient) FreeHandle();
  Changed();
}

void TdxGPBrush::TextureChangeHandler(TObject*) {
  if (FStyle == gpbsTexture) FreeHandle();
  Changed();
}

void TdxGPBrush::DoTargetRectChanged() {
  if (NeedRecreateHandleOnTargetRectChange()) FreeHandle();
  if (FStyle == gpbsTexture && HandleAllocated() && !IsTextureEmpty())
    ApplyTextureTransform(static_cast<GpBrush*>(FHandle));
  Changed();
}

void TdxGPBrush::Assign(TdxGPCustomGraphicObject* ASource) {
  auto* source = dynamic_cast<TdxGPBrush*>(ASource);
  if (!source || source == this) return;
  ++FChangeLockCount;
  try {
    inherited::Assign(ASource);
    SetColor(source->FColor);
    SetGradientMode(source->FGradientMode);
    FGradientPoints->Assign(source->FGradientPoints.get());
    SetTexture(source->FTexture.get());
    FTextureTransform->Assign(source->FTextureTransform.get());
    SetStyle(source->FStyle);
  } catch (...) {
    --FChangeLockCount;
    throw;
  }
  --FChangeLockCount;
  Changed();
}

// ---- TdxGPPen ------------------------------------------------------------------------------

QD_IMPLEMENT_CLASS(TdxGPPen)

TdxGPPen::TdxGPPen(std::unique_ptr<TdxGPBrush> ABrush) : FBrush(std::move(ABrush)) {
  FBrush->OnHandleCreated = TNotifyEvent(this, &TdxGPPen::BrushChangeHandler);
  FBrush->OnChange = TNotifyEvent(this, &TdxGPPen::BrushChangeHandler);
}

TdxGPPen::TdxGPPen(TdxAlphaColor AColor, float AWidth, TdxGPPenStyle APenStyle, float AScale)
    : TdxGPPen(std::make_unique<TdxGPBrush>()) {
  FBrush->SetColor(AColor);
  FWidth = std::max(0.f, AWidth);
  FMiterLimit = 10;
  FStyle = APenStyle;
  if (APenStyle != gppsSolid) {
    // The pattern lengths are pixels, not multiples of the width.
    const float scale = AScale / std::max(AWidth, 0.001f);
    for (float v : GdipClassesDashPattern(APenStyle)) FDashArray.push_back(v * scale);
  }
}

TdxGPPen::~TdxGPPen() {
  FreeHandle();
}

void TdxGPPen::BrushChangeHandler(TObject*) {
  if (HandleAllocated()) GdipCheck(GdipSetPenBrushFill(static_cast<GpPen*>(FHandle), FBrush->NativeHandle()));
  Changed();
}

void TdxGPPen::HandleNeeded() {
  if (!FHandle) FBrush->HandleNeeded();
  inherited::HandleNeeded();
}

void TdxGPPen::ApplyDashes() {
  auto* pen = static_cast<GpPen*>(FHandle);
  if (!FDashArray.empty())
    GdipCheck(GdipSetPenDashArray(pen, FDashArray.data(), static_cast<int32_t>(FDashArray.size())));
  else
    GdipCheck(GdipSetPenDashStyle(pen, GpPenStyleToDashStyle[FStyle]));
}

void TdxGPPen::DoCreateHandle(void*& AHandle) {
  GpPen* pen = nullptr;
  GdipCheck(GdipCreatePen2(FBrush->NativeHandle(), FWidth, gdiplus::UnitPixel, &pen));
  AHandle = pen;
  try {
    ApplyDashes();
    GdipCheck(GdipSetPenDashCap197819(pen, PenDashCapStyleToGpDashCap[FDashCapStyle]));
    GdipCheck(GdipSetPenStartCap(pen, PenLineStyleToGpLineCap[FLineStartCapStyle]));
    GdipCheck(GdipSetPenLineJoin(pen, FLineJoin));
    GdipCheck(GdipSetPenEndCap(pen, PenLineStyleToGpLineCap[FLineEndCapStyle]));
    GdipCheck(GdipSetPenMiterLimit(pen, FMiterLimit));
  } catch (...) {
    GdipDeletePen(pen);
    AHandle = nullptr;
    throw;
  }
}

void TdxGPPen::DoFreeHandle(void* AHandle) {
  GdipDeletePen(static_cast<GpPen*>(AHandle));
}

bool TdxGPPen::GetIsEmpty() {
  return FWidth == 0 || FBrush->IsEmpty();
}

void TdxGPPen::SetStyle(TdxGPPenStyle AValue) {
  // A dash array is replaced by the standard pattern even when the style stays the same.
  if (AValue == FStyle && FDashArray.empty()) return;
  FStyle = AValue;
  FDashArray.clear();
  if (HandleAllocated()) ApplyDashes();
  Changed();
}

void TdxGPPen::SetDashArray(const std::vector<float>& AValues, float AScale) {
  if (AValues.empty()) {
    SetStyle(gppsSolid);
    return;
  }
  FDashArray = AValues;
  if (AScale != 1)
    for (float& v : FDashArray) v *= AScale;
  FStyle = gppsDashDotDot;
  HandleNeeded();
  ApplyDashes();
  Changed();
}

void TdxGPPen::SetWidth(float AValue) {
  AValue = std::max(0.f, AValue);
  if (GdipClassesSameValue(AValue, FWidth)) return;
  FWidth = AValue;
  if (HandleAllocated()) GdipCheck(GdipSetPenWidth(static_cast<GpPen*>(FHandle), FWidth));
  Changed();
}

void TdxGPPen::SetDashCapStyle(TdxGPPenDashCapStyle AValue) {
  if (AValue == FDashCapStyle) return;
  FDashCapStyle = AValue;
  if (HandleAllocated())
    GdipCheck(GdipSetPenDashCap197819(static_cast<GpPen*>(FHandle), PenDashCapStyleToGpDashCap[AValue]));
  Changed();
}

void TdxGPPen::SetLineStartCapStyle(TdxGPPenLineCapStyle AValue) {
  if (AValue == FLineStartCapStyle) return;
  FLineStartCapStyle = AValue;
  if (HandleAllocated())
    GdipCheck(GdipSetPenStartCap(static_cast<GpPen*>(FHandle), PenLineStyleToGpLineCap[AValue]));
  Changed();
}

void TdxGPPen::SetLineEndCapStyle(TdxGPPenLineCapStyle AValue) {
  if (AValue == FLineEndCapStyle) return;
  FLineEndCapStyle = AValue;
  if (HandleAllocated())
    GdipCheck(GdipSetPenEndCap(static_cast<GpPen*>(FHandle), PenLineStyleToGpLineCap[AValue]));
  Changed();
}

void TdxGPPen::SetLineJoin(TdxGpLineJoin AValue) {
  if (AValue == FLineJoin) return;
  FLineJoin = AValue;
  if (HandleAllocated()) GdipCheck(GdipSetPenLineJoin(static_cast<GpPen*>(FHandle), AValue));
  Changed();
}

void TdxGPPen::SetMiterLimit(float AValue) {
  if (AValue == FMiterLimit) return;
  FMiterLimit = AValue;
  if (HandleAllocated()) GdipCheck(GdipSetPenMiterLimit(static_cast<GpPen*>(FHandle), AValue));
  Changed();
}

void TdxGPPen::Assign(TdxGPCustomGraphicObject* ASource) {
  auto* source = dynamic_cast<TdxGPPen*>(ASource);
  if (!source || source == this) return;
  ++FChangeLockCount;
  try {
    FBrush->Assign(source->FBrush.get());
    if (source->FDashArray.empty()) {
      SetStyle(source->FStyle);
    } else if (source->FDashArray != FDashArray) {
      FStyle = source->FStyle;
      FDashArray = source->FDashArray;
      if (HandleAllocated()) ApplyDashes();
    }
    SetWidth(source->FWidth);
    SetDashCapStyle(source->FDashCapStyle);
    SetLineStartCapStyle(source->FLineStartCapStyle);
    SetLineEndCapStyle(source->FLineEndCapStyle);
  } catch (...) {
    --FChangeLockCount;
    throw;
  }
  --FChangeLockCount;
  Changed();
}

}  // namespace qd
