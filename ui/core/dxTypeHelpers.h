#pragma once
// Helpers for the platform's records: rectangle and size helpers and the XFORM builder.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/os/gdi.h"

namespace qd {

struct TdxSizeHelper {
  // Both extents equal.
  static bool IsEqual(const TSize& ASelf, const TSize& S) { return ASelf == S; }
};

struct TdxRectHelper {
  // Right = Left + Width, Bottom = Top + Height.
  static void InitSize(TRect& ASelf, int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
  static int32_t GetWidth(const TRect& ASelf);
  static int32_t GetHeight(const TRect& ASelf);
  static TSize GetSize(const TRect& ASelf) { return {GetWidth(ASelf), GetHeight(ASelf)}; }
  // All four coordinates 0.
  static void Empty(TRect& ASelf) { ASelf = {}; }
  static bool IsZero(const TRect& ASelf) {
    return ASelf.Left == 0 && ASelf.Top == 0 && ASelf.Right == 0 && ASelf.Bottom == 0;
  }
};

// Builds XFORM values. Points are row vectors: x' = x*eM11 + y*eM21 + eDx,
// y' = x*eM12 + y*eM22 + eDy.
struct TdxXFormHelper {
  static XFORM CreateMatrix(float M11, float M12, float M21, float M22, float DX, float DY);
  static XFORM CreateIdentityMatrix() { return CreateMatrix(1, 0, 0, 1, 0, 0); }
  // cos, sin, -sin, cos of the angle in degrees.
  static XFORM CreateRotationMatrix(float AAngle);
  static XFORM CreateScaleMatrix(float SX, float SY) { return CreateMatrix(SX, 0, 0, SY, 0, 0); }
  static XFORM CreateTranslateMatrix(float DX, float DY) { return CreateMatrix(1, 0, 0, 1, DX, DY); }
  // A mirror about the vertical line X = APivotX and/or the horizontal line Y = APivotY.
  static XFORM CreateFlip(bool AHorizontally, bool AVertically, float APivotX, float APivotY);
  // A followed by B.
  static XFORM Combine(const XFORM& A, const XFORM& B);
  // Exactly 1, 0, 0, 1, 0, 0.
  static bool IsIdentity(const XFORM& X);
};

}  // namespace qd
