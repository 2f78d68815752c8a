#include "ui/core/cxGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/base/mathutil.h"

namespace qd {

namespace {

// 32-bit wrap-around sums, as the original's integer arithmetic.
inline int32_t Add(int32_t A, int64_t B) {
  return Wrap32(static_cast<int64_t>(A) + B);
}
inline int32_t Sub(int32_t A, int64_t B) {
  return Wrap32(static_cast<int64_t>(A) - B);
}

// half(s) = (s - (s and 1)) shifted right by one: rounds toward minus infinity.
inline int32_t Half(int64_t S) {
  return Wrap32((S - (S & 1)) / 2);
}

// Float to integer, truncated or rounded to nearest (ties to even); NaN gives 0 and values
// outside 32 bits saturate.
int32_t ToInt32(double V, bool ATruncate) {
  if (std::isnan(V)) return 0;
  const double r = ATruncate ? std::trunc(V) : std::nearbyint(V);
  if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
    return std::numeric_limits<int32_t>::min();
  if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
    return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(r);
}

}  // namespace

bool dxSameSingle(float A, float B) {
  const double a = A, b = B;
  const double e = std::max(std::min(std::fabs(a), std::fabs(b)) * 0.0001, 0.0001);
  return std::fabs(a - b) <= e;
}

bool dxIsSingleZero(float A) {
  return std::fabs(A) <= 0.0001f;
}

// --- Records ------------------------------------------------------------------------------

TdxPointF::operator TPoint() const {
  return {ToInt32(X, false), ToInt32(Y, false)};
}

void TdxPointF::Offset(float DX, float DY, bool APositive) {
  if (APositive) {
    X += DX;
    Y += DY;
  } else {
    X -= DX;
    Y -= DY;
  }
}

TdxSizeF TdxSizeF::Ceil() const {
  return {std::ceil(cx), std::ceil(cy)};
}

void TdxRectF::Inflate(float DX, float DY) {
  Left -= DX;
  Top -= DY;
  Right += DX;
  Bottom += DY;
}

void TdxRectF::Offset(float DX, float DY) {
  Left += DX;
  Top += DY;
  Right += DX;
  Bottom += DY;
}

bool TdxRectF::IsEmpty() const {
  return !(Right > Left && Bottom > Top);
}

bool TdxRectF::IsZero() const {
  return dxIsSingleZero(Left) && dxIsSingleZero(Top) && dxIsSingleZero(Right) && dxIsSingleZero(Bottom);
}

void TdxRectF::Intersect(const TdxRectF& R) {
  Left = std::max(Left, R.Left);
  Top = std::max(Top, R.Top);
  Right = std::min(Right, R.Right);
  Bottom = std::min(Bottom, R.Bottom);
  if (Left > Right || Top > Bottom) *this = {};
}

void TdxRectF::Normalize() {
  if (Right < Left) std::swap(Left, Right);
  if (Bottom < Top) std::swap(Top, Bottom);
}

TdxRectF TdxRectF::ZoomInto(const TdxRectF& ABounds) const {
  TdxRectF result = *this;
  if (Height() <= 0 || ABounds.Height() <= 0) return result;
  const float c = Width() / Height();
  const float e = ABounds.Width() / ABounds.Height();
  float width, height, shiftX, shiftY;
  if (e > c) {
    height = ABounds.Height();
    width = c * ABounds.Height();
    shiftX = (ABounds.Width() - width) / 2 + ABounds.Left;
    shiftY = ABounds.Top;
  } else {
    width = ABounds.Width();
    height = ABounds.Width() / c;
    shiftX = ABounds.Left;
    shiftY = (ABounds.Height() - height) / 2 + ABounds.Top;
  }
  result.Right = result.Left + width;
  result.Bottom = result.Top + height;
  result.Offset(shiftX, shiftY);
  return result;
}

// --- Rectangles -----------------------------------------------------------------------------

TRect cxRect(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) {
  return {ALeft, ATop, ARight, ABottom};
}
TRect cxRect(const TPoint& ATopLeft, const TPoint& ABottomRight) {
  return {ATopLeft.X, ATopLeft.Y, ABottomRight.X, ABottomRight.Y};
}
TRect cxRect(const TSize& ASize) {
  return {0, 0, ASize.cx, ASize.cy};
}
TRect cxRect(const TdxRectF& ARect, bool ATruncate) {
  return {ToInt32(ARect.Left, ATruncate), ToInt32(ARect.Top, ATruncate), ToInt32(ARect.Right, ATruncate),
          ToInt32(ARect.Bottom, ATruncate)};
}
TdxRectF cxRectF(float ALeft, float ATop, float ARight, float ABottom) {
  return {ALeft, ATop, ARight, ABottom};
}
TdxRectF dxRectF(float ALeft, float ATop, float ARight, float ABottom) {
  return {ALeft, ATop, ARight, ABottom};
}
TdxRectF dxRectF(const TRect& ARect) {
  return TdxRectF(ARect);
}

TRect cxRectBounds(int32_t X, int32_t Y, int32_t AWidth, int32_t AHeight) {
  return {X, Y, Add(X, AWidth), Add(Y, AHeight)};
}
TRect cxRectBounds(int32_t X, int32_t Y, const TSize& ASize) {
  return cxRectBounds(X, Y, ASize.cx, ASize.cy);
}
TRect cxRectBounds(const TPoint& P, int32_t AWidth, int32_t AHeight) {
  return cxRectBounds(P.X, P.Y, AWidth, AHeight);
}
TdxRectF cxRectFBounds(float X, float Y, float AWidth, float AHeight) {
  return {X, Y, X + AWidth, Y + AHeight};
}

int32_t cxRectWidth(const TRect& R) {
  return Sub(R.Right, R.Left);
}
int32_t cxRectHeight(const TRect& R) {
  return Sub(R.Bottom, R.Top);
}
float cxRectWidth(const TdxRectF& R) {
  return R.Right - R.Left;
}
float cxRectHeight(const TdxRectF& R) {
  return R.Bottom - R.Top;
}
TSize cxRectSize(const TRect& R) {
  return {cxRectWidth(R), cxRectHeight(R)};
}

bool cxRectIsEmpty(const TRect& R) {
  return !(R.Left < R.Right && R.Top < R.Bottom);
}
bool cxRectIsEmpty(const TdxRectF& R) {
  return !(R.Left < R.Right && R.Top < R.Bottom);
}
bool cxRectIsNull(const TRect& R) {
  return R.Left == 0 && R.Top == 0 && R.Right == 0 && R.Bottom == 0;
}
bool cxRectIsEqual(const TRect& R1, const TRect& R2) {
  return R1 == R2;
}

bool cxRectIntersect(TRect& R, const TRect& R1, const TRect& R2) {
  R = {std::max(R1.Left, R2.Left), std::max(R1.Top, R2.Top), std::min(R1.Right, R2.Right),
       std::min(R1.Bottom, R2.Bottom)};
  if (R.Left < R.Right && R.Top < R.Bottom) return true;
  R = cxNullRect;
  return false;
}

bool cxRectIntersect(const TRect& R1, const TRect& R2) {
  TRect r;
  return cxRectIntersect(r, R1, R2);
}

TRect cxRectIntersectRect(const TRect& R1, const TRect& R2) {
  TRect r;
  cxRectIntersect(r, R1, R2);
  return r;
}

TRect cxRectInflate(const TRect& R, int32_t DX, int32_t DY) {
  return cxRectInflate(R, DX, DY, DX, DY);
}
TRect cxRectInflate(const TRect& R, int32_t D) {
  return cxRectInflate(R, D, D, D, D);
}
TRect cxRectInflate(const TRect& R, int32_t DL, int32_t DT, int32_t DR, int32_t DB) {
  return {Sub(R.Left, DL), Sub(R.Top, DT), Add(R.Right, DR), Add(R.Bottom, DB)};
}
TRect cxRectInflate(const TRect& R, const TRect& AMargins) {
  return cxRectInflate(R, AMargins.Left, AMargins.Top, AMargins.Right, AMargins.Bottom);
}
TRect cxRectTransform(const TRect& R, int32_t DL, int32_t DT, int32_t DR, int32_t DB) {
  return {Add(R.Left, DL), Add(R.Top, DT), Add(R.Right, DR), Add(R.Bottom, DB)};
}
TRect cxRectTransform(const TRect& R, const TRect& ADelta) {
  return cxRectTransform(R, ADelta.Left, ADelta.Top, ADelta.Right, ADelta.Bottom);
}
TRect cxRectContent(const TRect& R, const TRect& AMargins) {
  return {Add(R.Left, AMargins.Left), Add(R.Top, AMargins.Top), Sub(R.Right, AMargins.Right),
          Sub(R.Bottom, AMargins.Bottom)};
}

TRect cxRectOffset(const TRect& R, const TPoint& P, bool APositive) {
  return cxRectOffset(R, P.X, P.Y, APositive);
}
TRect cxRectOffset(const TRect& R, int32_t DX, int32_t DY, bool APositive) {
  const int64_t dx = APositive ? DX : -static_cast<int64_t>(DX);
  const int64_t dy = APositive ? DY : -static_cast<int64_t>(DY);
  return {Add(R.Left, dx), Add(R.Top, dy), Add(R.Right, dx), Add(R.Bottom, dy)};
}
TRect cxRectOffsetHorz(const TRect& R, int32_t DX) {
  return cxRectOffset(R, DX, 0);
}
TRect cxRectOffsetVert(const TRect& R, int32_t DY) {
  return cxRectOffset(R, 0, DY);
}

bool cxRectPtIn(const TRect& R, const TPoint& P) {
  return cxRectPtIn(R, P.X, P.Y);
}
bool cxRectPtIn(const TRect& R, int32_t X, int32_t Y) {
  return R.Left <= X && X < R.Right && R.Top <= Y && Y < R.Bottom;
}
TRect cxRectRotate(const TRect& R) {
  return {R.Top, R.Left, R.Bottom, R.Right};
}
TRect cxRectScale(const TRect& R, int32_t ANumeratorX, int32_t ADenominatorX, int32_t ANumeratorY,
                  int32_t ADenominatorY) {
  return {MulDiv(R.Left, ANumeratorX, ADenominatorX), MulDiv(R.Top, ANumeratorY, ADenominatorY),
          MulDiv(R.Right, ANumeratorX, ADenominatorX), MulDiv(R.Bottom, ANumeratorY, ADenominatorY)};
}
TdxRectF cxRectScale(const TdxRectF& R, float AScale) {
  return {R.Left * AScale, R.Top * AScale, R.Right * AScale, R.Bottom * AScale};
}

TRect cxRectSetLeft(const TRect& R, int32_t X) {
  return cxRectSetLeft(R, X, cxRectWidth(R));
}
TRect cxRectSetLeft(const TRect& R, int32_t X, int32_t AWidth) {
  return {X, R.Top, Add(X, AWidth), R.Bottom};
}
TRect cxRectSetRight(const TRect& R, int32_t X) {
  return cxRectSetRight(R, X, cxRectWidth(R));
}
TRect cxRectSetRight(const TRect& R, int32_t X, int32_t AWidth) {
  return {Sub(X, AWidth), R.Top, X, R.Bottom};
}
TRect cxRectSetTop(const TRect& R, int32_t Y) {
  return cxRectSetTop(R, Y, cxRectHeight(R));
}
TRect cxRectSetTop(const TRect& R, int32_t Y, int32_t AHeight) {
  return {R.Left, Y, R.Right, Add(Y, AHeight)};
}
TRect cxRectSetBottom(const TRect& R, int32_t Y) {
  return cxRectSetBottom(R, Y, cxRectHeight(R));
}
TRect cxRectSetBottom(const TRect& R, int32_t Y, int32_t AHeight) {
  return {R.Left, Sub(Y, AHeight), R.Right, Y};
}
TRect cxRectSetWidth(const TRect& R, int32_t AWidth) {
  return {R.Left, R.Top, Add(R.Left, AWidth), R.Bottom};
}
TRect cxRectSetHeight(const TRect& R, int32_t AHeight) {
  return {R.Left, R.Top, R.Right, Add(R.Top, AHeight)};
}
TRect cxRectSetSize(const TRect& R, const TSize& ASize) {
  return {R.Left, R.Top, Add(R.Left, ASize.cx), Add(R.Top, ASize.cy)};
}
TdxRectF cxRectSetSizeF(const TdxRectF& R, const TdxSizeF& ASize) {
  return {R.Left, R.Top, R.Left + ASize.cx, R.Top + ASize.cy};
}
TRect cxRectSetOrigin(const TRect& R, const TPoint& P) {
  return cxRectOffset(R, Sub(P.X, R.Left), Sub(P.Y, R.Top));
}
TRect cxRectSetNullOrigin(const TRect& R) {
  return cxRectSetOrigin(R, cxNullPoint);
}

TPoint cxRectCenter(const TRect& R) {
  return {Half(static_cast<int64_t>(R.Left) + R.Right), Half(static_cast<int64_t>(R.Top) + R.Bottom)};
}
TRect cxRectCenter(const TRect& R, int32_t AWidth, int32_t AHeight) {
  const int32_t left = Half(static_cast<int64_t>(R.Left) + R.Right - AWidth);
  const int32_t top = Half(static_cast<int64_t>(R.Top) + R.Bottom - AHeight);
  return {left, top, Add(left, AWidth), Add(top, AHeight)};
}
TRect cxRectCenter(const TRect& R, const TSize& ASize) {
  return cxRectCenter(R, ASize.cx, ASize.cy);
}
TdxPointF cxRectCenter(const TdxRectF& R) {
  return R.CenterPoint();
}
TRect cxRectCenterHorizontally(const TRect& R, int32_t AWidth) {
  const int32_t left = Half(static_cast<int64_t>(R.Left) + R.Right - AWidth);
  return {left, R.Top, Add(left, AWidth), R.Bottom};
}
TRect cxRectCenterVertically(const TRect& R, int32_t AHeight) {
  const int32_t top = Half(static_cast<int64_t>(R.Top) + R.Bottom - AHeight);
  return {R.Left, top, R.Right, Add(top, AHeight)};
}
TRect cxRectProportionalStretch(const TRect& R, int32_t AWidth, int32_t AHeight) {
  return cxRectSetSize(R, cxSizeProportionalStretch(cxRectSize(R), AWidth, AHeight));
}
TRect cxRectProportionalStretch(const TRect& R, const TSize& ASize) {
  return cxRectProportionalStretch(R, ASize.cx, ASize.cy);
}

int32_t cxMarginsWidth(const TRect& AMargins) {
  return Add(AMargins.Left, AMargins.Right);
}
int32_t cxMarginsHeight(const TRect& AMargins) {
  return Add(AMargins.Top, AMargins.Bottom);
}

// --- Points ---------------------------------------------------------------------------------

TPoint cxPoint(int32_t X, int32_t Y) {
  return {X, Y};
}
TPoint cxPoint(const TSize& ASize) {
  return {ASize.cx, ASize.cy};
}
TPoint cxPoint(const TdxPointF& P, bool ATruncate) {
  return {ToInt32(P.X, ATruncate), ToInt32(P.Y, ATruncate)};
}
TdxPointF cxPointF(float X, float Y) {
  return {X, Y};
}
TdxPointF dxPointF(float X, float Y) {
  return {X, Y};
}
TdxPointF dxPointF(const TPoint& P) {
  return TdxPointF(P);
}
TPoint cxPointInvert(const TPoint& P) {
  return {Wrap32(-static_cast<int64_t>(P.X)), Wrap32(-static_cast<int64_t>(P.Y))};
}
bool cxPointIsEqual(const TPoint& P1, const TPoint& P2) {
  return P1 == P2;
}
bool cxPointIsEqual(const TdxPointF& P1, const TdxPointF& P2) {
  return P1 == P2;
}
bool cxPointIsNull(const TPoint& P) {
  return P == cxNullPoint;
}
bool cxPointIsInvalid(const TPoint& P) {
  return P == cxInvalidPoint;
}
TPoint cxPointOffset(const TPoint& P, int32_t DX, int32_t DY, bool APositive) {
  return APositive ? TPoint{Add(P.X, DX), Add(P.Y, DY)} : TPoint{Sub(P.X, DX), Sub(P.Y, DY)};
}
TPoint cxPointOffset(const TPoint& P, const TPoint& ADelta, bool APositive) {
  return cxPointOffset(P, ADelta.X, ADelta.Y, APositive);
}
TdxPointF cxPointOffset(const TdxPointF& P, float DX, float DY, bool APositive) {
  TdxPointF r = P;
  r.Offset(DX, DY, APositive);
  return r;
}
TdxPointF cxPointOffset(const TdxPointF& P, const TdxPointF& ADelta, bool APositive) {
  return cxPointOffset(P, ADelta.X, ADelta.Y, APositive);
}
TPoint cxPointScale(const TPoint& P, int32_t ANumerator, int32_t ADenominator) {
  return {MulDiv(P.X, ANumerator, ADenominator), MulDiv(P.Y, ANumerator, ADenominator)};
}
TdxPointF cxPointScale(const TdxPointF& P, float AScale) {
  return {P.X * AScale, P.Y * AScale};
}

TRect cxPointsBox(std::span<const TPoint> APoints) {
  if (APoints.empty()) return cxNullRect;
  TRect r{APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y};
  for (const TPoint& p : APoints) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

TdxRectF cxPointsBox(std::span<const TdxPointF> APoints) {
  if (APoints.empty()) return dxNullRectF;
  TdxRectF r{APoints[0].X, APoints[0].Y, APoints[0].X, APoints[0].Y};
  for (const TdxPointF& p : APoints) {
    r.Left = std::min(r.Left, p.X);
    r.Top = std::min(r.Top, p.Y);
    r.Right = std::max(r.Right, p.X);
    r.Bottom = std::max(r.Bottom, p.Y);
  }
  return r;
}

// --- Sizes ----------------------------------------------------------------------------------

TSize cxSize(int32_t A) {
  return {A, A};
}
TSize cxSize(int32_t ACx, int32_t ACy) {
  return {ACx, ACy};
}
TSize cxSize(const TRect& R) {
  return cxRectSize(R);
}
TSize cxSize(const TdxSizeF& S, bool ATruncate) {
  return {ToInt32(S.cx, ATruncate), ToInt32(S.cy, ATruncate)};
}
bool cxSizeIsValid(const TSize& S) {
  return S.cx >= 1 && S.cy >= 1;
}
bool cxSizeIsEqual(const TSize& S1, const TSize& S2) {
  return S1 == S2;
}
bool cxSizeIsEqual(const TRect& R1, const TRect& R2) {
  return cxRectWidth(R1) == cxRectWidth(R2) && cxRectHeight(R1) == cxRectHeight(R2);
}
TSize cxSizeMax(const TSize& S1, const TSize& S2) {
  return {std::max(S1.cx, S2.cx), std::max(S1.cy, S2.cy)};
}
TSize cxSizeScale(const TSize& S, int32_t ANumerator, int32_t ADenominator) {
  return {MulDiv(S.cx, ANumerator, ADenominator), MulDiv(S.cy, ANumerator, ADenominator)};
}

TSize cxSizeProportionalStretch(const TSize& S, int32_t AWidth, int32_t AHeight) {
  TSize result = S;
  if (S.cx <= 0 || S.cy <= 0 || AWidth <= 0 || AHeight <= 0) return result;
  const double a = static_cast<double>(AWidth) / AHeight;
  const double s = static_cast<double>(S.cx) / S.cy;
  if (a > s)
    result.cy = ToInt32(S.cx / a, true);
  else
    result.cx = ToInt32(a * S.cy, true);
  return result;
}

TSize cxSizeProportionalStretch(const TSize& S, const TSize& ASize) {
  return cxSizeProportionalStretch(S, ASize.cx, ASize.cy);
}

}  // namespace qd
