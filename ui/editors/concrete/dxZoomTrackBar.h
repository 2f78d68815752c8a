#pragma once
// The zoom track bar: a track bar for zoom percentages whose scale is split at 100 %, the left
// half of the track mapping Min to 100 and the right half 100 to Max, each half with its own
// tick frequency and steps; dragging snaps to 100 % near the centre. There is no control of its
// own: an owner creates these objects and is their IcxTrackBar.
#include <cstdint>

#include "ui/core/cxClasses.h"
#include "ui/editors/concrete/cxTrackBar.h"

namespace qd {

// The centre of every zoom track bar.
constexpr int32_t dxZoomTrackBarCenter = 100;

class TdxZoomTrackBarRangeOptions : public TcxOwnedPersistent {
  QD_CLASS(TdxZoomTrackBarRangeOptions, TcxOwnedPersistent)
  QD_PUBLISHED(TdxZoomTrackBarRangeOptions)

 public:
  using TcxOwnedPersistent::TcxOwnedPersistent;
  void Assign(TPersistent* Source) override;

  int32_t Frequency() const { return FFrequency; }
  void SetFrequency(int32_t Value);
  int32_t LineSize() const { return FLineSize; }
  void SetLineSize(int32_t Value);
  int32_t PageSize() const { return FPageSize; }
  void SetPageSize(int32_t Value);

  TNotifyEvent OnChanged;

 private:
  void Store(int32_t& AField, int32_t Value);
  int32_t FFrequency = 10;
  int32_t FLineSize = 10;
  int32_t FPageSize = 20;
};

class TdxCustomZoomTrackBarProperties : public TcxCustomTrackBarProperties {
  QD_CLASS(TdxCustomZoomTrackBarProperties, TcxCustomTrackBarProperties)

 public:
  explicit TdxCustomZoomTrackBarProperties(TPersistent* AOwner);
  ~TdxCustomZoomTrackBarProperties() override;

  // Max is kept at 100 or above and Min at 100 or below; neither moves the other.
  void SetMax(int32_t Value) override;
  void SetMin(int32_t Value) override;

  TdxZoomTrackBarRangeOptions* FirstRange() const { return FFirstRange.get(); }
  void SetFirstRange(TdxZoomTrackBarRangeOptions* Value) { FFirstRange->Assign(Value); }
  TdxZoomTrackBarRangeOptions* SecondRange() const { return FSecondRange.get(); }
  void SetSecondRange(TdxZoomTrackBarRangeOptions* Value) { FSecondRange->Assign(Value); }

  TClass GetViewDataClass() const override;
  TClass GetViewInfoClass() const override;

 protected:
  void DoAssign(TcxCustomEditProperties* Source) override;

 private:
  void RangeChanged(TObject* Sender) { Changed(); }
  std::unique_ptr<TdxZoomTrackBarRangeOptions> FFirstRange;
  std::unique_ptr<TdxZoomTrackBarRangeOptions> FSecondRange;
};

class TdxCustomZoomTrackBarViewInfo : public TcxCustomTrackBarViewInfo {
  QD_CLASS(TdxCustomZoomTrackBarViewInfo, TcxCustomTrackBarViewInfo)

 public:
  TdxCustomZoomTrackBarViewInfo() = default;
  void Assign(TObject* Source) override;

  int32_t GetOffset(int32_t APosition) override;
  bool IsTickText(int32_t AValue) override;
  int32_t GetPositionAfterJump(int32_t X, int32_t Y) override;
  int32_t GetCalculatedPosition(int32_t APosition, bool AIncrease, bool ALineSize, bool ASnap) override;
  void PaintTrackBar(TcxCanvas* ACanvas) override;

  TdxCustomZoomTrackBarProperties* ZoomProperties() const {
    return static_cast<TdxCustomZoomTrackBarProperties*>(EditProperties);
  }

  int32_t FrequencyLeft = 10;
  int32_t FrequencyRight = 10;
  double PixelsPerPositionFirstRange = 0;
  double PixelsPerPositionSecondRange = 0;

 protected:
  void PopulateMajorTicks() override;
  void PopulateMinorTicks() override;
};

class TdxCustomZoomTrackBarViewData : public TcxCustomTrackBarViewData {
  QD_CLASS(TdxCustomZoomTrackBarViewData, TcxCustomTrackBarViewData)

 public:
  using TcxCustomTrackBarViewData::TcxCustomTrackBarViewData;

 protected:
  void CalculateTrackBarViewInfoProperties(TcxCustomTrackBarViewInfo* AViewInfo) override;
  void CalculatePixelsPerPositionStep(TcxCustomTrackBarViewInfo* AViewInfo) override;
};

class TdxZoomTrackBarController : public TcxTrackBarController {
  QD_CLASS(TdxZoomTrackBarController, TcxTrackBarController)

 public:
  using TcxTrackBarController::TcxTrackBarController;
  void MouseDown(TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) override;
  bool CanThumbJumpToCenter() const { return FCanThumbJumpToCenter; }

 protected:
  // Not fixed: the owner's position setting keeps the result in range.
  int32_t GetPositionAfterSliding(int32_t X, int32_t Y) override;

 private:
  bool FCanThumbJumpToCenter = false;
};

}  // namespace qd
