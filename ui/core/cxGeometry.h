#pragma once
// Geometry of rectangles, points and sizes: the integer records of the platform with the
// library's function families, the single-precision records and the named constants.
// Rectangles are half-open: Left <= x < Right, Top <= y < Bottom.
//
// Rounding: centring halves toward minus infinity; conversions from singles truncate
// toward zero or round to nearest with ties to even; MulDiv rounds halves away from zero
// and yields -1 for a zero divisor. Integer sums that would leave 32 bits wrap.
#include <cstdint>
#include <span>

#include "platform/base/geometry.h"

namespace qd {

// --- Single-precision records ------------------------------------------------------------

// Tolerant comparison of singles: equal when |a - b| <= max(min(|a|, |b|) * 0.0001, 0.0001).
bool dxSameSingle(float A, float B);
// |a| <= 0.0001.
bool dxIsSingleZero(float A);

struct TdxPointF {
  float X = 0;
  float Y = 0;

  constexpr TdxPointF() = default;
  constexpr TdxPointF(float AX, float AY) : X(AX), Y(AY) {}
  // From an integer point.
  constexpr TdxPointF(const TPoint& P) : X(static_cast<float>(P.X)), Y(static_cast<float>(P.Y)) {}
  // To an integer point, rounded to nearest (ties to even).
  operator TPoint() const;

  static constexpr TdxPointF Create(float AX, float AY) { return {AX, AY}; }
  static constexpr TdxPointF Null() { return {}; }
  void Init(float AX, float AY) { X = AX, Y = AY; }
  // Added when APositive, subtracted otherwise.
  void Offset(float DX, float DY, bool APositive = true);
  void Offset(const TdxPointF& P, bool APositive = true) { Offset(P.X, P.Y, APositive); }
  void Scale(float SX, float SY) { X *= SX, Y *= SY; }
  void Scale(const TdxPointF& AFactors) { Scale(AFactors.X, AFactors.Y); }

  friend bool operator==(const TdxPointF& A, const TdxPointF& B) {
    return dxSameSingle(A.X, B.X) && dxSameSingle(A.Y, B.Y);
  }
};

struct TdxSizeF {
  float cx = 0;
  float cy = 0;

  constexpr TdxSizeF() = default;
  constexpr TdxSizeF(float ACx, float ACy) : cx(ACx), cy(ACy) {}

  static constexpr TdxSizeF Create(float ACx, float ACy) { return {ACx, ACy}; }
  static constexpr TdxSizeF Null() { return {}; }
  void Init(float ACx, float ACy) { cx = ACx, cy = ACy; }
  // Both fields rounded up to whole numbers.
  TdxSizeF Ceil() const;

  friend bool operator==(const TdxSizeF& A, const TdxSizeF& B) {
    return dxSameSingle(A.cx, B.cx) && dxSameSingle(A.cy, B.cy);
  }
};

struct TdxRectF {
  float Left = 0;
  float Top = 0;
  float Right = 0;
  float Bottom = 0;

  constexpr TdxRectF() = default;
  constexpr TdxRectF(float L, float T, float R, float B) : Left(L), Top(T), Right(R), Bottom(B) {}
  // From an integer rectangle.
  constexpr TdxRectF(const TRect& R)
      : Left(static_cast<float>(R.Left)),
        Top(static_cast<float>(R.Top)),
        Right(static_cast<float>(R.Right)),
        Bottom(static_cast<float>(R.Bottom)) {}

  static constexpr TdxRectF Create(float L, float T, float R, float B) { return {L, T, R, B}; }
  static constexpr TdxRectF CreateSize(float X, float Y, float W, float H) { return {X, Y, X + W, Y + H}; }
  static constexpr TdxRectF Null() { return {}; }
  static constexpr TdxRectF Empty() { return {}; }
  void Init(float L, float T, float R, float B) { *this = {L, T, R, B}; }
  void InitSize(float X, float Y, float W, float H) { *this = CreateSize(X, Y, W, H); }
  void Assign(const TRect& R) { *this = TdxRectF(R); }

  float Width() const { return Right - Left; }
  float Height() const { return Bottom - Top; }
  // Setting Width or Height moves Right or Bottom.
  void SetWidth(float AValue) { Right = Left + AValue; }
  void SetHeight(float AValue) { Bottom = Top + AValue; }
  TdxSizeF Size() const { return {Width(), Height()}; }
  void SetSize(const TdxSizeF& ASize) { SetWidth(ASize.cx), SetHeight(ASize.cy); }
  TdxPointF TopLeft() const { return {Left, Top}; }
  TdxPointF BottomRight() const { return {Right, Bottom}; }
  void SetTopLeft(const TdxPointF& P) { Left = P.X, Top = P.Y; }
  void SetBottomRight(const TdxPointF& P) { Right = P.X, Bottom = P.Y; }

  TdxPointF CenterPoint() const { return {(Left + Right) / 2, (Top + Bottom) / 2}; }
  // Left and Top move out by the amounts, Right and Bottom too.
  void Inflate(float DX, float DY);
  void Inflate(const TdxPointF& P) { Inflate(P.X, P.Y); }
  void Inflate(const TdxSizeF& S) { Inflate(S.cx, S.cy); }
  void Offset(float DX, float DY);
  // not (Right > Left and Bottom > Top).
  bool IsEmpty() const;
  // All four fields zero within 0.0001.
  bool IsZero() const;
  // Clipped to R; all zero when nothing is left (a zero-width or zero-height overlap stays).
  void Intersect(const TdxRectF& R);
  // Swaps Left/Right and Top/Bottom where they are reversed.
  void Normalize();
  // The largest rectangle with this one's aspect that fits in ABounds, centred in it.
  TdxRectF ZoomInto(const TdxRectF& ABounds) const;
  TdxRectF ZoomInto(const TdxSizeF& ASize) const { return ZoomInto(TdxRectF(0, 0, ASize.cx, ASize.cy)); }

  friend bool operator==(const TdxRectF& A, const TdxRectF& B) {
    return dxSameSingle(A.Left, B.Left) && dxSameSingle(A.Top, B.Top) && dxSameSingle(A.Right, B.Right) &&
           dxSameSingle(A.Bottom, B.Bottom);
  }
};

// --- Named constants ----------------------------------------------------------------------

inline constexpr TRect cxNullRect{0, 0, 0, 0};
inline constexpr TRect cxEmptyRect{0, 0, 0, 0};
inline constexpr TPoint cxNullPoint{0, 0};
inline constexpr TSize cxNullSize{0, 0};
inline constexpr TdxRectF dxNullRectF{0, 0, 0, 0};
inline constexpr TdxPointF dxNullPointF{0, 0};
inline constexpr TRect cxSimpleRect{1, 1, 1, 1};
inline constexpr TPoint cxSimplePoint{1, 1};
inline constexpr TPoint cxInvalidPoint{-1, -1};
inline constexpr TSize cxInvalidSize{-1, -1};
inline constexpr TPoint cxInvisiblePoint{-10000, -10000};

// --- Rectangles -----------------------------------------------------------------------------

TRect cxRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);
TRect cxRect(const TPoint& ATopLeft, const TPoint& ABottomRight);
// (0, 0, cx, cy)
TRect cxRect(const TSize& ASize);
// Each coordinate truncated toward zero when ATruncate, else rounded to nearest.
TRect cxRect(const TdxRectF& ARect, bool ATruncate = true);
TdxRectF cxRectF(float ALeft, float ATop, float ARight, float ABottom);
TdxRectF dxRectF(float ALeft, float ATop, float ARight, float ABottom);
TdxRectF dxRectF(const TRect& ARect);

// (X, Y, X + W, Y + H)
TRect cxRectBounds(int32_t X, int32_t Y, int32_t AWidth, int32_t AHeight);
TRect cxRectBounds(int32_t X, int32_t Y, const TSize& ASize);
TRect cxRectBounds(const TPoint& P, int32_t AWidth, int32_t AHeight);
TdxRectF cxRectFBounds(float X, float Y, float AWidth, float AHeight);

int32_t cxRectWidth(const TRect& R);
int32_t cxRectHeight(const TRect& R);
float cxRectWidth(const TdxRectF& R);
float cxRectHeight(const TdxRectF& R);
TSize cxRectSize(const TRect& R);

// not (Left < Right and Top < Bottom)
bool cxRectIsEmpty(const TRect& R);
// Left >= Right or Top >= Bottom; any NaN counts as empty.
bool cxRectIsEmpty(const TdxRectF& R);
bool cxRectIsNull(const TRect& R);
bool cxRectIsEqual(const TRect& R1, const TRect& R2);

// R = (max Left, max Top, min Right, min Bottom); True when that is not empty, otherwise R
// becomes cxNullRect and the result is False.
bool cxRectIntersect(TRect& R, const TRect& R1, const TRect& R2);
// Only whether the two rectangles overlap.
bool cxRectIntersect(const TRect& R1, const TRect& R2);
// The intersection itself (cxNullRect when they do not overlap).
TRect cxRectIntersectRect(const TRect& R1, const TRect& R2);

TRect cxRectInflate(const TRect& R, int32_t DX, int32_t DY);
TRect cxRectInflate(const TRect& R, int32_t D);
TRect cxRectInflate(const TRect& R, int32_t DL, int32_t DT, int32_t DR, int32_t DB);
TRect cxRectInflate(const TRect& R, const TRect& AMargins);
// Every side moves by its own signed amount: (L + DL, T + DT, R + DR, B + DB).
TRect cxRectTransform(const TRect& R, int32_t DL, int32_t DT, int32_t DR, int32_t DB);
TRect cxRectTransform(const TRect& R, const TRect& ADelta);
// (L + M.Left, T + M.Top, R - M.Right, B - M.Bottom)
TRect cxRectContent(const TRect& R, const TRect& AMargins);

// Both corners moved by the offset, added when APositive, subtracted otherwise.
TRect cxRectOffset(const TRect& R, const TPoint& P, bool APositive = true);
TRect cxRectOffset(const TRect& R, int32_t DX, int32_t DY, bool APositive = true);
TRect cxRectOffsetHorz(const TRect& R, int32_t DX);
TRect cxRectOffsetVert(const TRect& R, int32_t DY);

// Left <= X < Right and Top <= Y < Bottom.
bool cxRectPtIn(const TRect& R, const TPoint& P);
bool cxRectPtIn(const TRect& R, int32_t X, int32_t Y);
// (Top, Left, Bottom, Right): the axes swapped.
TRect cxRectRotate(const TRect& R);
// Left and Right by MulDiv(v, NX, DX), Top and Bottom by MulDiv(v, NY, DY).
TRect cxRectScale(const TRect& R, int32_t ANumeratorX, int32_t ADenominatorX, int32_t ANumeratorY,
                  int32_t ADenominatorY);
TdxRectF cxRectScale(const TdxRectF& R, float AScale);

// The one-argument forms keep the width or height; the others set it.
TRect cxRectSetLeft(const TRect& R, int32_t X);
TRect cxRectSetLeft(const TRect& R, int32_t X, int32_t AWidth);
TRect cxRectSetRight(const TRect& R, int32_t X);
TRect cxRectSetRight(const TRect& R, int32_t X, int32_t AWidth);
TRect cxRectSetTop(const TRect& R, int32_t Y);
TRect cxRectSetTop(const TRect& R, int32_t Y, int32_t AHeight);
TRect cxRectSetBottom(const TRect& R, int32_t Y);
TRect cxRectSetBottom(const TRect& R, int32_t Y, int32_t AHeight);
TRect cxRectSetWidth(const TRect& R, int32_t AWidth);
TRect cxRectSetHeight(const TRect& R, int32_t AHeight);
TRect cxRectSetSize(const TRect& R, const TSize& ASize);
TdxRectF cxRectSetSizeF(const TdxRectF& R, const TdxSizeF& ASize);
TRect cxRectSetOrigin(const TRect& R, const TPoint& P);
TRect cxRectSetNullOrigin(const TRect& R);

// (floor((L + R) / 2), floor((T + B) / 2))
TPoint cxRectCenter(const TRect& R);
// A rectangle of the size centred in R, offsets halved toward minus infinity.
TRect cxRectCenter(const TRect& R, int32_t AWidth, int32_t AHeight);
TRect cxRectCenter(const TRect& R, const TSize& ASize);
TdxPointF cxRectCenter(const TdxRectF& R);
TRect cxRectCenterHorizontally(const TRect& R, int32_t AWidth);
TRect cxRectCenterVertically(const TRect& R, int32_t AHeight);
// Top-left kept, size = cxSizeProportionalStretch(size of R, W, H).
TRect cxRectProportionalStretch(const TRect& R, int32_t AWidth, int32_t AHeight);
TRect cxRectProportionalStretch(const TRect& R, const TSize& ASize);

int32_t cxMarginsWidth(const TRect& AMargins);
int32_t cxMarginsHeight(const TRect& AMargins);

// --- Points ---------------------------------------------------------------------------------

TPoint cxPoint(int32_t X, int32_t Y);
TPoint cxPoint(const TSize& ASize);
// Truncated toward zero when ATruncate, else rounded to nearest.
TPoint cxPoint(const TdxPointF& P, bool ATruncate = true);
TdxPointF cxPointF(float X, float Y);
TdxPointF dxPointF(float X, float Y);
TdxPointF dxPointF(const TPoint& P);
TPoint cxPointInvert(const TPoint& P);
bool cxPointIsEqual(const TPoint& P1, const TPoint& P2);
bool cxPointIsEqual(const TdxPointF& P1, const TdxPointF& P2);
bool cxPointIsNull(const TPoint& P);
bool cxPointIsInvalid(const TPoint& P);
TPoint cxPointOffset(const TPoint& P, int32_t DX, int32_t DY, bool APositive = true);
TPoint cxPointOffset(const TPoint& P, const TPoint& ADelta, bool APositive = true);
TdxPointF cxPointOffset(const TdxPointF& P, float DX, float DY, bool APositive = true);
TdxPointF cxPointOffset(const TdxPointF& P, const TdxPointF& ADelta, bool APositive = true);
TPoint cxPointScale(const TPoint& P, int32_t ANumerator, int32_t ADenominator);
TdxPointF cxPointScale(const TdxPointF& P, float AScale);
// Bounding rectangle (min X, min Y, max X, max Y); cxNullRect / dxNullRectF for no points.
TRect cxPointsBox(std::span<const TPoint> APoints);
TdxRectF cxPointsBox(std::span<const TdxPointF> APoints);

// --- Sizes ----------------------------------------------------------------------------------

TSize cxSize(int32_t A);
TSize cxSize(int32_t ACx, int32_t ACy);
TSize cxSize(const TRect& R);
// Truncated toward zero when ATruncate, else rounded to nearest.
TSize cxSize(const TdxSizeF& S, bool ATruncate = true);
// cx >= 1 and cy >= 1.
bool cxSizeIsValid(const TSize& S);
bool cxSizeIsEqual(const TSize& S1, const TSize& S2);
bool cxSizeIsEqual(const TRect& R1, const TRect& R2);
TSize cxSizeMax(const TSize& S1, const TSize& S2);
TSize cxSizeScale(const TSize& S, int32_t ANumerator, int32_t ADenominator);
// The largest size with the aspect W:H that fits in S (truncated); S when any value is 0
// or less.
TSize cxSizeProportionalStretch(const TSize& S, int32_t AWidth, int32_t AHeight);
TSize cxSizeProportionalStretch(const TSize& S, const TSize& ASize);

}  // namespace qd
