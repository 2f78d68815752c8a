#include "ui/core/cxGeometryMatrix.h"

#include "ui/core/dxTypeHelpers.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxMatrix)

TdxMatrix::TdxMatrix(float M11, float M12, float M21, float M22, float DX, float DY) {
  Assign(M11, M12, M21, M22, DX, DY);
}

TdxMatrix::TdxMatrix(const TdxMatrix* AMatrix) {
  Assign(AMatrix);
}

void TdxMatrix::Assign(const TdxMatrix* AMatrix) {
  if (AMatrix) FMatrix = AMatrix->FMatrix;
}

void TdxMatrix::Assign(float M11, float M12, float M21, float M22, float DX, float DY) {
  FMatrix = TdxXFormHelper::CreateMatrix(M11, M12, M21, M22, DX, DY);
}

void TdxMatrix::Reset() {
  FMatrix = TdxXFormHelper::CreateIdentityMatrix();
}

bool TdxMatrix::IsIdentity() const {
  return TdxXFormHelper::IsIdentity(FMatrix);
}

void TdxMatrix::Multiply(const TdxMatrix* AMatrix, TdxTransformationOrder AOrder) {
  if (AMatrix) Multiply(AMatrix->FMatrix, AOrder);
}

void TdxMatrix::Multiply(const XFORM& AMatrix, TdxTransformationOrder AOrder) {
  FMatrix = AOrder == moAppend ? TdxXFormHelper::Combine(FMatrix, AMatrix)
                               : TdxXFormHelper::Combine(AMatrix, FMatrix);
}

void TdxMatrix::Rotate(float AAngle, TdxTransformationOrder AOrder) {
  Multiply(TdxXFormHelper::CreateRotationMatrix(AAngle), AOrder);
}

void TdxMatrix::Rotate(float AAngle, const TPoint& APivotPoint, TdxTransformationOrder AOrder) {
  Rotate(AAngle, TdxPointF(APivotPoint), AOrder);
}

void TdxMatrix::Rotate(float AAngle, const TdxPointF& APivotPoint, TdxTransformationOrder AOrder) {
  const float k = AOrder == moPrepend ? 1.0f : -1.0f;
  Translate(k * APivotPoint.X, k * APivotPoint.Y, AOrder);
  Rotate(AAngle, AOrder);
  Translate(-k * APivotPoint.X, -k * APivotPoint.Y, AOrder);
}

void TdxMatrix::Scale(float SX, float SY, TdxTransformationOrder AOrder) {
  Multiply(TdxXFormHelper::CreateScaleMatrix(SX, SY), AOrder);
}

void TdxMatrix::Scale(const TdxPointF& AScale, TdxTransformationOrder AOrder) {
  Scale(AScale.X, AScale.Y, AOrder);
}

void TdxMatrix::Translate(float DX, float DY, TdxTransformationOrder AOrder) {
  Multiply(TdxXFormHelper::CreateTranslateMatrix(DX, DY), AOrder);
}

void TdxMatrix::Translate(const TdxPointF& AOffset, TdxTransformationOrder AOrder) {
  Translate(AOffset.X, AOffset.Y, AOrder);
}

TdxPointF TdxMatrix::Transform(const TdxPointF& APoint) const {
  return {APoint.X * FMatrix.eM11 + APoint.Y * FMatrix.eM21 + FMatrix.eDx,
          APoint.X * FMatrix.eM12 + APoint.Y * FMatrix.eM22 + FMatrix.eDy};
}

TdxRectF TdxMatrix::Transform(const TdxRectF& ARect) const {
  const TdxPointF topLeft = Transform(ARect.TopLeft());
  const TdxPointF bottomRight = Transform(ARect.BottomRight());
  return {topLeft.X, topLeft.Y, bottomRight.X, bottomRight.Y};
}

}  // namespace qd
