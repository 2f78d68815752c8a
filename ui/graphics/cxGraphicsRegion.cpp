#include "ui/graphics/cxGraphicsRegion.h"

#include "platform/os/user.h"
#include "ui/core/cxGeometry.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxRegion)

TcxRegion::TcxRegion() : TcxRegion(cxNullRect) {}

TcxRegion::TcxRegion(HRGN AHandle) : FHandle(AHandle) {}

TcxRegion::TcxRegion(const TRect& ABounds) : FHandle(CreateRectRgnIndirect(&ABounds)) {}

TcxRegion::TcxRegion(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom)
    : FHandle(CreateRectRgn(ALeft, ATop, ARight, ABottom)) {}

TcxRegion::~TcxRegion() {
  DestroyHandle();
}

TcxRegion* TcxRegion::CreateRoundCorners(const TRect& ABounds, int32_t AWidthEllepse,
                                         int32_t AHeightEllepse) {
  return CreateRoundCorners(ABounds.Left, ABounds.Top, ABounds.Right, ABounds.Bottom, AWidthEllepse,
                            AHeightEllepse);
}

TcxRegion* TcxRegion::CreateRoundCorners(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom,
                                         int32_t AWidthEllepse, int32_t AHeightEllepse) {
  return new TcxRegion(
      CreateRoundRectRgn(ALeft + 1, ATop + 1, ARight, ABottom, AWidthEllepse, AHeightEllepse));
}

TcxRegion* TcxRegion::CreateFromWindow(HWND AHandle, int32_t ADummy) {
  auto* result = new TcxRegion();
  if (GetWindowRgn(AHandle, result->FHandle) == ERROR) {
    // The window's bounds at the origin (what the control framework's cxGetWindowBounds
    // answers; that layer sits above this one).
    RECT r{};
    if (!GetWindowRect(AHandle, &r)) r = {};
    result->Combine(TRect{0, 0, r.Right - r.Left, r.Bottom - r.Top}, roSet);
  }
  return result;
}

void TcxRegion::Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion) {
  Combine(ARegion->FHandle, AOperation);
  if (ADestroyRegion && ARegion != this) delete ARegion;
}

void TcxRegion::Combine(HRGN AHandle, TcxRegionOperation AOperation) {
  if (AOperation == roSet)
    CombineRgn(FHandle, AHandle, nullptr, RGN_COPY);
  else
    CombineRgn(FHandle, FHandle, AHandle, RegionOperationMap[AOperation]);
}

void TcxRegion::Combine(const TRect& R, TcxRegionOperation AOperation) {
  HRGN rgn = CreateRectRgnIndirect(&R);
  Combine(rgn, AOperation);
  DeleteObject(rgn);
}

TcxRegion* TcxRegion::Clone() const {
  auto* result = new TcxRegion();
  result->Combine(FHandle, roAdd);
  return result;
}

bool TcxRegion::IsEqual(TcxRegion* ARegion) const {
  if (!ARegion) return false;
  return (IsEmpty() && ARegion->IsEmpty()) || IsEqual(ARegion->FHandle);
}

bool TcxRegion::IsEqual(HRGN AHandle) const {
  return EqualRgn(FHandle, AHandle) != FALSE;
}

bool TcxRegion::IsEmpty() const {
  RECT r;
  return GetRgnBox(FHandle, &r) == NULLREGION;
}

TRect TcxRegion::BoundsRect() const {
  RECT r{};
  if (GetRgnBox(FHandle, &r) == NULLREGION) return cxNullRect;
  return r;
}

void TcxRegion::Offset(int32_t DX, int32_t DY) {
  OffsetRgn(FHandle, DX, DY);
}

bool TcxRegion::PtInRegion(int32_t X, int32_t Y) const {
  return ::qd::PtInRegion(FHandle, X, Y) != FALSE;
}

bool TcxRegion::RectInRegion(const TRect& R) const {
  return ::qd::RectInRegion(FHandle, &R) != FALSE;
}

void TcxRegion::DestroyHandle() {
  if (FHandle) {
    DeleteObject(FHandle);
    FHandle = nullptr;
  }
}

}  // namespace qd
