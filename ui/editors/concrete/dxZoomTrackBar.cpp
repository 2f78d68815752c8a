// The zoom track bar: range options, the split position mapping, steps, jumps and sliding.
#include "ui/editors/concrete/dxZoomTrackBar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/base/mathutil.h"
#include "platform/classes/rtti.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxZoomTrackBarRangeOptions)
QD_IMPLEMENT_CLASS(TdxCustomZoomTrackBarProperties)
QD_IMPLEMENT_CLASS(TdxCustomZoomTrackBarViewInfo)
QD_IMPLEMENT_CLASS(TdxCustomZoomTrackBarViewData)
QD_IMPLEMENT_CLASS(TdxZoomTrackBarController)

namespace {

constexpr int32_t kCenter = dxZoomTrackBarCenter;

int32_t ZoomClamp(int64_t AValue) {
  return static_cast<int32_t>(
      std::clamp<int64_t>(AValue, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// A double turned into a position: toward zero (Trunc) or to the nearest, halves to even.
int32_t TruncPosition(double AValue) {
  return ZoomClamp(Trunc(std::clamp(AValue, -4e9, 4e9)));
}
int32_t RoundPosition(double AValue) {
  return ZoomClamp(Round(std::clamp(AValue, -4e9, 4e9)));
}

}  // namespace

// --- Range options -----------------------------------------------------------------------------

void TdxZoomTrackBarRangeOptions::RegisterProperties(TPropertyRegistrar& r) {
  using R = TdxZoomTrackBarRangeOptions;
  r.Prop("Frequency", &R::Frequency, &R::SetFrequency).Default(10);
  r.Prop("LineSize", &R::LineSize, &R::SetLineSize).Default(10);
  r.Prop("PageSize", &R::PageSize, &R::SetPageSize).Default(20);
}

void TdxZoomTrackBarRangeOptions::Assign(TPersistent* Source) {
  if (auto* src = ObjectCast<TdxZoomTrackBarRangeOptions>(Source)) {
    SetFrequency(src->FFrequency);
    SetLineSize(src->FLineSize);
    SetPageSize(src->FPageSize);
    return;
  }
  TcxOwnedPersistent::Assign(Source);
}

void TdxZoomTrackBarRangeOptions::Store(int32_t& AField, int32_t Value) {
  if (AField == Value) return;
  AField = Value;
  if (OnChanged) OnChanged(this);
}

void TdxZoomTrackBarRangeOptions::SetFrequency(int32_t Value) {
  Store(FFrequency, std::max(Value, 0));
}

// Natural numbers: below 1 becomes 1.
void TdxZoomTrackBarRangeOptions::SetLineSize(int32_t Value) {
  Store(FLineSize, std::max(Value, 1));
}

void TdxZoomTrackBarRangeOptions::SetPageSize(int32_t Value) {
  Store(FPageSize, std::max(Value, 1));
}

// --- Properties --------------------------------------------------------------------------------

TdxCustomZoomTrackBarProperties::TdxCustomZoomTrackBarProperties(TPersistent* AOwner)
    : TcxCustomTrackBarProperties(AOwner),
      FFirstRange(std::make_unique<TdxZoomTrackBarRangeOptions>(this)),
      FSecondRange(std::make_unique<TdxZoomTrackBarRangeOptions>(this)) {
  StoreMinMax(10, 500);
  SetShowChangeButtons(true);
  SetShowTicks(false);
  SetThumbHeight(20);
  SetThumbWidth(10);
  SetTrackSize(10);
  SetThumbStep(cxtsJump);
  FFirstRange->OnChanged = MakeMethod(this, &TdxCustomZoomTrackBarProperties::RangeChanged);
  FSecondRange->OnChanged = MakeMethod(this, &TdxCustomZoomTrackBarProperties::RangeChanged);
}

TdxCustomZoomTrackBarProperties::~TdxCustomZoomTrackBarProperties() = default;

void TdxCustomZoomTrackBarProperties::SetMax(int32_t Value) {
  Value = std::max(Value, kCenter);
  if (Value == Max()) return;
  StoreMinMax(Min(), Value);
  Changed();
}

void TdxCustomZoomTrackBarProperties::SetMin(int32_t Value) {
  Value = std::min(Value, kCenter);
  if (Value == Min()) return;
  StoreMinMax(Value, Max());
  Changed();
}

TClass TdxCustomZoomTrackBarProperties::GetViewDataClass() const {
  return TdxCustomZoomTrackBarViewData::StaticClass();
}

TClass TdxCustomZoomTrackBarProperties::GetViewInfoClass() const {
  return TdxCustomZoomTrackBarViewInfo::StaticClass();
}

void TdxCustomZoomTrackBarProperties::DoAssign(TcxCustomEditProperties* Source) {
  TcxCustomTrackBarProperties::DoAssign(Source);
  // The bounds of a plain track bar may lie on one side of the centre.
  if (Min() > kCenter || Max() < kCenter) {
    StoreMinMax(std::min(Min(), kCenter), std::max(Max(), kCenter));
    Changed();
  }
  if (auto* src = ObjectCast<TdxCustomZoomTrackBarProperties>(Source)) {
    FFirstRange->Assign(src->FFirstRange.get());
    FSecondRange->Assign(src->FSecondRange.get());
  }
}

// --- View info ---------------------------------------------------------------------------------

void TdxCustomZoomTrackBarViewInfo::Assign(TObject* Source) {
  TcxCustomTrackBarViewInfo::Assign(Source);
  if (auto* src = dynamic_cast<TdxCustomZoomTrackBarViewInfo*>(Source)) {
    FrequencyLeft = src->FrequencyLeft;
    FrequencyRight = src->FrequencyRight;
    PixelsPerPositionFirstRange = src->PixelsPerPositionFirstRange;
    PixelsPerPositionSecondRange = src->PixelsPerPositionSecondRange;
  }
}

int32_t TdxCustomZoomTrackBarViewInfo::GetOffset(int32_t APosition) {
  const double first =
      (static_cast<double>(std::min(APosition, kCenter)) - Min) * PixelsPerPositionFirstRange;
  const double second =
      std::max(0.0, static_cast<double>(APosition) - kCenter) * PixelsPerPositionSecondRange;
  return ZoomClamp(static_cast<int64_t>(RoundPosition(first)) + ThumbSize / 2 + RoundPosition(second));
}

bool TdxCustomZoomTrackBarViewInfo::IsTickText(int32_t AValue) {
  return TcxCustomTrackBarViewInfo::IsTickText(AValue) || AValue == kCenter;
}

void TdxCustomZoomTrackBarViewInfo::PopulateMajorTicks() {
  FMajorTicks.Clear();
  FMajorTicks.Add(Min);
  if (Max != Min) FMajorTicks.Add(Max);
  if (kCenter != Min && kCenter != Max) FMajorTicks.Add(kCenter);
}

void TdxCustomZoomTrackBarViewInfo::PopulateMinorTicks() {
  FMinorTicks.Clear();
  FMinorTicks.AddSteps(Min, kCenter, FrequencyLeft);
  FMinorTicks.AddSteps(kCenter, Max, FrequencyRight);
}

void TdxCustomZoomTrackBarViewInfo::PaintTrackBar(TcxCanvas* ACanvas) {
  TcxCustomTrackBarViewInfo::PaintTrackBar(ACanvas);
  if (TrackBarProperties()->ShowTicks()) return;
  // The centre mark shows even without ticks, in the tick colour.
  ACanvas->Pen()->SetColor(IsSkinPainter() ? Painter->TrackBarTicksColor(false) : TickColor);
  DrawTickLine(ACanvas, kCenter, true);
}

int32_t TdxCustomZoomTrackBarViewInfo::GetCalculatedPosition(int32_t APosition, bool AIncrease,
                                                             bool ALineSize, bool ASnap) {
  TdxCustomZoomTrackBarProperties* properties = ZoomProperties();
  const bool up = ReverseDirection ? !AIncrease : AIncrease;
  auto sizeOf = [&](TdxZoomTrackBarRangeOptions* ARange) -> int64_t {
    return ALineSize ? ARange->LineSize() : ARange->PageSize();
  };
  const int64_t p = APosition;
  int64_t step;
  if (p < kCenter) {
    step = sizeOf(properties->FirstRange());
    if (up && kCenter - p < step) step = kCenter - p;
  } else if (p == kCenter) {
    step = up ? sizeOf(properties->SecondRange()) : sizeOf(properties->FirstRange());
  } else {
    step = sizeOf(properties->SecondRange());
    if (!up && p - kCenter < step) step = p - kCenter;
  }
  int64_t result = up ? p + step : p - step;
  if (!ASnap || result == kCenter) return ZoomClamp(result);
  // Onto the grid 100 + k × step: down when moving up, up when moving down.
  const int64_t k = result - kCenter;
  int64_t q = k / step;
  if (up) {
    if (k % step != 0 && k < 0) --q;
  } else if (k % step != 0 && k > 0) {
    ++q;
  }
  return ZoomClamp(kCenter + q * step);
}

int32_t TdxCustomZoomTrackBarViewInfo::GetPositionAfterJump(int32_t X, int32_t Y) {
  const double first = PixelsPerPositionFirstRange, second = PixelsPerPositionSecondRange;
  // A track no wider than the thumb has no scale to divide by: the position stays.
  if (first <= 0 || second <= 0) return Position();
  const int32_t x = OrientationHelper()->GetCurrentMousePos(TPoint{X, Y});
  const int32_t middle = TrackRect.Left + TrackRect.Width() / 2;
  if (x < middle) {
    const double offset = static_cast<double>(x) - TrackRect.Left - VisibleThumbRect.Width() / 2;
    return ReverseDirection ? ZoomClamp(static_cast<int64_t>(Max) - TruncPosition(offset / second))
                            : ZoomClamp(static_cast<int64_t>(Min) + TruncPosition(offset / first));
  }
  const double offset = static_cast<double>(x) - middle;
  return ReverseDirection ? ZoomClamp(kCenter - static_cast<int64_t>(TruncPosition(offset / first)))
                          : ZoomClamp(kCenter + static_cast<int64_t>(TruncPosition(offset / second)));
}

// --- View data ---------------------------------------------------------------------------------

void TdxCustomZoomTrackBarViewData::CalculateTrackBarViewInfoProperties(
    TcxCustomTrackBarViewInfo* AViewInfo) {
  auto* viewInfo = static_cast<TdxCustomZoomTrackBarViewInfo*>(AViewInfo);
  auto* properties = static_cast<TdxCustomZoomTrackBarProperties*>(TrackBarProperties());
  viewInfo->FrequencyLeft = properties->FirstRange()->Frequency();
  viewInfo->FrequencyRight = properties->SecondRange()->Frequency();
  TcxCustomTrackBarViewData::CalculateTrackBarViewInfoProperties(AViewInfo);
}

void TdxCustomZoomTrackBarViewData::CalculatePixelsPerPositionStep(TcxCustomTrackBarViewInfo* AViewInfo) {
  TcxCustomTrackBarViewData::CalculatePixelsPerPositionStep(AViewInfo);
  auto* viewInfo = static_cast<TdxCustomZoomTrackBarViewInfo*>(AViewInfo);
  const double width = static_cast<double>(viewInfo->TrackRect.Width()) - viewInfo->ThumbSize;
  viewInfo->PixelsPerPositionFirstRange =
      width / (2.0 * std::max<int64_t>(static_cast<int64_t>(kCenter) - viewInfo->Min, 1));
  viewInfo->PixelsPerPositionSecondRange =
      width / (2.0 * std::max<int64_t>(static_cast<int64_t>(viewInfo->Max) - kCenter, 1));
}

// --- Controller --------------------------------------------------------------------------------

void TdxZoomTrackBarController::MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
  FCanThumbJumpToCenter = false;
  TcxTrackBarController::MouseDown(Button, Shift, X, Y);
}

int32_t TdxZoomTrackBarController::GetPositionAfterSliding(int32_t X, int32_t Y) {
  auto* viewInfo = static_cast<TdxCustomZoomTrackBarViewInfo*>(ViewInfo());
  const double f = viewInfo->PixelsPerPositionFirstRange, g = viewInfo->PixelsPerPositionSecondRange;
  const int32_t start = FStoredPosition;
  // A track no wider than the thumb maps no movement to positions: the thumb stays.
  if (f <= 0 || g <= 0) return start;
  const int64_t delta = GetSlidingDelta(X, Y);
  double c;
  int64_t c0;
  if (start > kCenter) {
    c0 = Trunc((static_cast<double>(kCenter) - start) * g);
    c = delta < c0 ? (delta - c0) / f + c0 / g : delta / g;
  } else {
    c0 = Trunc((static_cast<double>(kCenter) - start) * f);
    c = delta > c0 ? c0 / f + (delta - c0) / g : delta / f;
  }
  int32_t result = ZoomClamp(static_cast<int64_t>(start) + RoundPosition(c));
  if (std::llabs(delta) > 10) FCanThumbJumpToCenter = true;
  // Near the centre the thumb snaps to 100, unless it started there and has not yet left it.
  if (std::llabs(delta - c0) <= 4 && !(!FCanThumbJumpToCenter && std::llabs(c0) <= 5)) result = kCenter;
  return result;
}

}  // namespace qd
