#pragma once
// The affine matrix of the geometry unit.
#include "platform/base/geometry.h"
#include "platform/base/object.h"
#include "platform/os/gdi.h"
#include "ui/core/cxGeometry.h"

namespace qd {

// moPrepend: the new operation applies before the current matrix; moAppend: after it.
enum TdxTransformationOrder : uint8_t { moPrepend, moAppend };

class TdxMatrix : public TObject {
  QD_CLASS(TdxMatrix, TObject)

 public:
  // The identity.
  TdxMatrix() = default;
  TdxMatrix(float M11, float M12, float M21, float M22, float DX, float DY);
  explicit TdxMatrix(const TdxMatrix* AMatrix);
  static TdxMatrix* Create() { return new TdxMatrix(); }
  static TdxMatrix* CreateEx(float M11, float M12, float M21, float M22, float DX, float DY) {
    return new TdxMatrix(M11, M12, M21, M22, DX, DY);
  }
  static TdxMatrix* CreateEx(const TdxMatrix* AMatrix) { return new TdxMatrix(AMatrix); }

  void Assign(const TdxMatrix* AMatrix);
  void Assign(float M11, float M12, float M21, float M22, float DX, float DY);
  void Reset();
  bool IsIdentity() const;

  void Multiply(const TdxMatrix* AMatrix, TdxTransformationOrder AOrder = moPrepend);
  void Multiply(const XFORM& AMatrix, TdxTransformationOrder AOrder = moPrepend);
  // Angle in degrees.
  void Rotate(float AAngle, TdxTransformationOrder AOrder = moPrepend);
  // About a pivot point; either order yields a rotation about the pivot.
  void Rotate(float AAngle, const TPoint& APivotPoint, TdxTransformationOrder AOrder = moPrepend);
  void Rotate(float AAngle, const TdxPointF& APivotPoint, TdxTransformationOrder AOrder = moPrepend);
  void Scale(float SX, float SY, TdxTransformationOrder AOrder = moPrepend);
  void Scale(const TdxPointF& AScale, TdxTransformationOrder AOrder = moPrepend);
  void Translate(float DX, float DY, TdxTransformationOrder AOrder = moPrepend);
  void Translate(const TdxPointF& AOffset, TdxTransformationOrder AOrder = moPrepend);

  TdxPointF Transform(const TdxPointF& APoint) const;
  // The top-left and bottom-right corners, each transformed; not normalised.
  TdxRectF Transform(const TdxRectF& ARect) const;

  const XFORM& XForm() const { return FMatrix; }

 private:
  XFORM FMatrix;
};

}  // namespace qd
