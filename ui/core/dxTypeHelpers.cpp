#include "ui/core/dxTypeHelpers.h"

#include <cmath>
#include <numbers>

#include "platform/base/mathutil.h"

namespace qd {

void TdxRectHelper::InitSize(TRect& ASelf, int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) {
  ASelf = {ALeft, ATop, Wrap32(static_cast<int64_t>(ALeft) + AWidth),
           Wrap32(static_cast<int64_t>(ATop) + AHeight)};
}

int32_t TdxRectHelper::GetWidth(const TRect& ASelf) {
  return Wrap32(static_cast<int64_t>(ASelf.Right) - ASelf.Left);
}

int32_t TdxRectHelper::GetHeight(const TRect& ASelf) {
  return Wrap32(static_cast<int64_t>(ASelf.Bottom) - ASelf.Top);
}

XFORM TdxXFormHelper::CreateMatrix(float M11, float M12, float M21, float M22, float DX, float DY) {
  XFORM x;
  x.eM11 = M11;
  x.eM12 = M12;
  x.eM21 = M21;
  x.eM22 = M22;
  x.eDx = DX;
  x.eDy = DY;
  return x;
}

XFORM TdxXFormHelper::CreateRotationMatrix(float AAngle) {
  const double radians = AAngle * std::numbers::pi / 180.0;
  const float c = static_cast<float>(std::cos(radians));
  const float s = static_cast<float>(std::sin(radians));
  return CreateMatrix(c, s, -s, c, 0, 0);
}

XFORM TdxXFormHelper::CreateFlip(bool AHorizontally, bool AVertically, float APivotX, float APivotY) {
  return CreateMatrix(AHorizontally ? -1.0f : 1.0f, 0, 0, AVertically ? -1.0f : 1.0f,
                      AHorizontally ? 2 * APivotX : 0, AVertically ? 2 * APivotY : 0);
}

XFORM TdxXFormHelper::Combine(const XFORM& A, const XFORM& B) {
  XFORM result;
  CombineTransform(&result, &A, &B);
  return result;
}

bool TdxXFormHelper::IsIdentity(const XFORM& X) {
  return X.eM11 == 1 && X.eM12 == 0 && X.eM21 == 0 && X.eM22 == 1 && X.eDx == 0 && X.eDy == 0;
}

}  // namespace qd
