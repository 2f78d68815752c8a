#pragma once
// TcxRegion: the owner of one system region handle, with set operations, offsets, hit tests
// and equality. Whoever holds the object owns the handle.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/base/object.h"
#include "platform/os/gdi.h"

namespace qd {

enum TcxRegionOperation : uint8_t { roSet, roAdd, roSubtract, roIntersect };

// The system combine mode of each operation: RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND.
inline constexpr int RegionOperationMap[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};

class TcxRegion : public TObject {
  QD_CLASS(TcxRegion, TObject)

 public:
  // An empty region.
  TcxRegion();
  // Takes ownership of the handle.
  explicit TcxRegion(HRGN AHandle);
  explicit TcxRegion(const TRect& ABounds);
  TcxRegion(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom);
  ~TcxRegion() override;

  // The round rectangle from (Left + 1, Top + 1) to (Right, Bottom): inset by one pixel on
  // the left and the top only.
  static TcxRegion* CreateRoundCorners(const TRect& ABounds, int32_t AWidthEllepse, int32_t AHeightEllepse);
  static TcxRegion* CreateRoundCorners(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom,
                                       int32_t AWidthEllepse, int32_t AHeightEllepse);
  // The window's region, or its rectangle at the origin when it has none.
  static TcxRegion* CreateFromWindow(HWND AHandle, int32_t ADummy = 0);

  // Combines with the other region and frees that object when ADestroyRegion (never this one).
  void Combine(TcxRegion* ARegion, TcxRegionOperation AOperation, bool ADestroyRegion = true);
  // roSet copies the other region; the other operations combine this one with it.
  void Combine(HRGN AHandle, TcxRegionOperation AOperation);
  void Combine(const TRect& R, TcxRegionOperation AOperation);
  // A new object holding a copy.
  TcxRegion* Clone() const;

  // False for nil; True when both are empty or the regions are equal.
  bool IsEqual(TcxRegion* ARegion) const;
  bool IsEqual(HRGN AHandle) const;
  bool IsEmpty() const;
  // The bounding box; cxNullRect for an empty region.
  TRect BoundsRect() const;

  void Offset(const TPoint& P) { Offset(P.X, P.Y); }
  void Offset(int32_t DX, int32_t DY);
  bool PtInRegion(const TPoint& P) const { return PtInRegion(P.X, P.Y); }
  bool PtInRegion(int32_t X, int32_t Y) const;
  bool RectInRegion(const TRect& R) const;
  bool RectInRegion(int32_t ALeft, int32_t ATop, int32_t ARight, int32_t ABottom) const {
    return RectInRegion(TRect{ALeft, ATop, ARight, ABottom});
  }

  // Deletes the handle (when there is one) and sets it to 0.
  void DestroyHandle();
  HRGN Handle() const { return FHandle; }
  // Takes Value as the region's handle without deleting the old one: reading Handle and
  // then setting it to 0 hands the handle over to the caller.
  void SetHandle(HRGN Value) { FHandle = Value; }

 protected:
  HRGN FHandle = nullptr;
};

}  // namespace qd
