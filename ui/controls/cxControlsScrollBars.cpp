// TcxControl: its own scroll bars (data records, the settling calculation, the bars' places).
#include <algorithm>
#include <cstdint>
#include <limits>

#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxMiddleButtonScrolling.h"
#include "ui/controls/cxScrollHelper.h"
#include "ui/core/dxCore.h"

namespace qd {

namespace {

// Showing one bar narrows the client so that the other may be needed; content whose needs
// oscillate must not hang the control, so the calculation gives up after a few passes.
constexpr int cxMaxScrollBarsCalculationPasses = 4;

}  // namespace

void TcxControl::CreateScrollBars() {
  if (FMainScrollBars) return;
  FMainScrollBars = std::make_unique<TcxControlWindowedScrollBars>(this);
  if (TdxSystemInfo* info = dxSystemInfo()) info->AddListener(this);
  if (HandleAllocated()) InitScrollBars();
}

void TcxControl::DestroyScrollBars() {
  if (!FMainScrollBars) return;
  if (TdxSystemInfo* info = dxSystemInfo()) info->RemoveListener(this);
  FMainScrollBars.reset();
}

void TcxControl::InitScrollBars() {
  if (NeedsScrollBars() && FMainScrollBars) FMainScrollBars->InitScrollBars();
}

TcxControlScrollBar* TcxControl::GetScrollBar(TScrollBarKind AKind) const {
  return FMainScrollBars ? FMainScrollBars->GetScrollBar(AKind) : nullptr;
}

bool TcxControl::IsScrollBarActive(TScrollBarKind AKind) {
  return FMainScrollBars && FMainScrollBars->IsScrollBarActive(AKind);
}

bool TcxControl::HScrollBarVisible() {
  return FMainScrollBars && FMainScrollBars->IsScrollBarVisible(sbHorizontal);
}
bool TcxControl::VScrollBarVisible() {
  return FMainScrollBars && FMainScrollBars->IsScrollBarVisible(sbVertical);
}

bool TcxControl::IsInternalControl(TControl* AControl) {
  return FMainScrollBars && FMainScrollBars->IsInternalControl(AControl);
}

bool TcxControl::IsScrollBarsArea(const TPoint& P) {
  if (!FMainScrollBars) return false;
  if (HasScrollBarArea()) return FMainScrollBars->IsSizeGripArea(P);
  return false;
}

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  BoundsChanged();
}

TSize TcxControl::GetScrollBarSize() {
  return GetScaledScrollBarSize(GetScaleFactor());
}

int32_t TcxControl::GetHScrollBarAreaHeight() {
  if (!HasScrollBarArea()) return 0;
  return HScrollBar() ? HScrollBar()->Height() : GetScrollBarSize().cy;
}

int32_t TcxControl::GetVScrollBarAreaWidth() {
  if (!HasScrollBarArea()) return 0;
  return VScrollBar() ? VScrollBar()->Width() : GetScrollBarSize().cx;
}

TRect TcxControl::GetHScrollBarBounds() {
  const TRect client = GetClientBounds();
  const int32_t height = HScrollBar() ? HScrollBar()->Height() : GetScrollBarSize().cy;
  // In the classic mode the band just below the client bounds.
  return TRect{client.Left, client.Bottom, client.Right, client.Bottom + height};
}

TRect TcxControl::GetVScrollBarBounds() {
  const TRect client = GetClientBounds();
  const int32_t width = VScrollBar() ? VScrollBar()->Width() : GetScrollBarSize().cx;
  if (UseRightToLeftScrollBar()) return TRect{client.Left - width, client.Top, client.Left, client.Bottom};
  return TRect{client.Right, client.Top, client.Right + width, client.Bottom};
}

TRect TcxControl::GetSizeGripBounds() {
  const TRect h = GetHScrollBarBounds(), v = GetVScrollBarBounds();
  return TRect{v.Left, h.Top, v.Right, h.Bottom};
}

void TcxControl::SetScrollBarInfo(TScrollBarKind AScrollBarKind, int32_t AMin, int32_t AMax, int32_t AStep,
                                  int32_t APage, int32_t APos, bool AAllowShow, bool AAllowHide) {
  TcxControlScrollBar* bar = GetScrollBar(AScrollBarKind);
  if (!bar) return;
  TcxScrollBarData& data = *bar->Data();
  constexpr int32_t incMax = std::numeric_limits<TScrollBarInc>::max();
  data.FPageSize = APage;
  data.FMin = AMin;
  data.FMax = AMax;
  data.FSmallChange = static_cast<TScrollBarInc>(std::clamp(AStep, 0, incMax));
  // A page of more than the 16-bit change would wrap to a negative step.
  data.FLargeChange = static_cast<TScrollBarInc>(std::clamp(APage, 0, incMax));
  data.FPosition = APos;
  data.Validate();
  const bool kindAllowed =
      FScrollBars == ssBoth ||
      (AScrollBarKind == sbHorizontal ? FScrollBars == ssHorizontal : FScrollBars == ssVertical);
  data.FAllowShow = AAllowShow && kindAllowed && (FScrollbarMode == sbmClassic || data.FIsValid);
  data.FAllowHide = AAllowHide;
  if (!data.FAllowShow) {
    data.FVisible = false;
  } else if (data.FIsValid) {
    data.FEnabled = true;
    data.FVisible = true;
  } else if (AAllowHide) {
    data.FVisible = false;
  } else {
    data.FEnabled = false;
    data.FVisible = true;
  }
}

void TcxControl::LockScrollBars() {
  if (FScrollBarsLockCount == 0) FScrollBarsUpdateNeeded = false;
  ++FScrollBarsLockCount;
}

void TcxControl::UnlockScrollBars() {
  if (FScrollBarsLockCount == 0) return;
  if (--FScrollBarsLockCount == 0 && FScrollBarsUpdateNeeded) UpdateScrollBars();
}

void TcxControl::UpdateScrollBars() {
  if (!CanUpdateScrollBars() || !FMainScrollBars) return;
  if (FScrollBarsLockCount > 0) {
    FScrollBarsUpdateNeeded = true;
    return;
  }
  DoUpdateScrollBars();
}

void TcxControl::DoUpdateScrollBars() {
  TcxControlScrollBar* hbar = HScrollBar();
  TcxControlScrollBar* vbar = VScrollBar();
  if (FUpdateScrollBarsCount == 0) {
    FInitialHScrollBarActive = IsScrollBarActive(sbHorizontal);
    FInitialVScrollBarActive = IsScrollBarActive(sbVertical);
  } else if (hbar->Data()->FVisible == FInitialHScrollBarActive &&
             vbar->Data()->FVisible == FInitialVScrollBarActive) {
    // Back where the outermost call began: stop a show/hide oscillation.
    UpdateScrollBarBounds();
    return;
  }
  ++FUpdateScrollBarsCount;
  struct Counter {
    int32_t& count;
    ~Counter() { --count; }
  } counter{FUpdateScrollBarsCount};
  if (HasScrollBarArea()) {
    const bool hActive = IsScrollBarActive(sbHorizontal), vActive = IsScrollBarActive(sbVertical);
    CalculateScrollBarsParams();
    hbar->ApplyData();
    vbar->ApplyData();
    int32_t changed = 0;
    if (hActive != IsScrollBarActive(sbHorizontal)) changed |= 1;
    if (vActive != IsScrollBarActive(sbVertical)) changed |= 2;
    if (changed != 0 && FUpdateScrollBarsCount <= cxMaxScrollBarsCalculationPasses)
      ScrollBarVisibilityChanged(changed);
    else
      UpdateScrollBarBounds();
  } else {
    CalculateScrollBarsParams();
    hbar->ApplyData();
    vbar->ApplyData();
    UpdateScrollBarBounds();
  }
}

void TcxControl::CalculateScrollBarsParams() {
  if (FMainScrollBars->Calculating()) return;
  FMainScrollBars->SetCalculating(true);
  struct Reset {
    TcxControlWindowedScrollBars* bars;
    ~Reset() { bars->SetCalculating(false); }
  } reset{FMainScrollBars.get()};
  TcxScrollBarData& h = *HScrollBar()->Data();
  TcxScrollBarData& v = *VScrollBar()->Data();
  h.FVisible = false;
  v.FVisible = false;
  InitScrollBarsParametersCache();
  for (int pass = 0; pass < cxMaxScrollBarsCalculationPasses; ++pass) {
    const bool hActive = IsScrollBarActive(sbHorizontal), vActive = IsScrollBarActive(sbVertical);
    InitScrollBarsParameters();
    if (hActive == IsScrollBarActive(sbHorizontal) && vActive == IsScrollBarActive(sbVertical)) break;
  }
}

void TcxControl::UpdateScrollBarBounds() {
  FMainScrollBars->CheckSizeGripVisible(IsSizeGripVisible());
  FMainScrollBars->SetInternalControlsBounds();
  if (NeedsToBringInternalControlsToFront()) FMainScrollBars->BringInternalControlsToFront();
}

// --- Scrolling by lines and with the middle button --------------------------------------------

void TcxControl::ScrollContent(TcxDirection ADirection) {
  if (ADirection == dirNone) return;
  if (!NeedsScrollBars() && !CanScrollLineWithoutScrollBars(ADirection)) return;
  const TScrollBarKind kind = ADirection == dirLeft || ADirection == dirRight ? sbHorizontal : sbVertical;
  const TScrollCode code = ADirection == dirLeft || ADirection == dirUp ? scLineUp : scLineDown;
  TcxControlScrollBar* bar = GetScrollBar(kind);
  int32_t pos = bar ? bar->Position() : 0;
  Scroll(kind, code, pos);
  Update();
}

void TcxControl::DoScrolling() {
  cxProcessControlScrollingOnMiddleButton(this, IsHScrollBarActive(), IsVScrollBarActive(),
                                          FIsScrollingContent,
                                          TcxScrollContentProc(this, &TcxControl::ScrollContent));
}

// --- Gesture scrolling ----------------------------------------------------------------------------

void TcxControl::GestureScroll(int32_t ADeltaX, int32_t ADeltaY) {
  if (auto* scrolling = dynamic_cast<IdxScrollingControl*>(this)) {
    TdxScrollHelper::GestureScroll(scrolling, ADeltaX, ADeltaY);
    return;
  }
  for (TScrollBarKind kind : {sbHorizontal, sbVertical}) {
    const int32_t delta = kind == sbHorizontal ? ADeltaX : ADeltaY;
    int32_t& accumulated = kind == sbHorizontal ? FGestureAccumulatedDelta.X : FGestureAccumulatedDelta.Y;
    if (!IsScrollBarBasedGestureScroll(kind)) {
      ScrollContentByGesture(kind, delta);
      continue;
    }
    TcxControlScrollBar* bar = GetScrollBar(kind);
    if (!bar) continue;
    const bool active = IsScrollBarActive(kind) && bar->Enabled();
    if (active || (CanScrollContentByGestureWithoutScrollBars() && bar->Data()->FIsValid)) {
      accumulated += delta;
      DoScrollBarBasedGestureScroll(kind, accumulated);
    }
  }
}

void TcxControl::DoScrollBarBasedGestureScroll(TScrollBarKind AKind, int32_t& AAccumulatedDelta) {
  TcxControlScrollBar* bar = GetScrollBar(AKind);
  const bool fromData = !IsScrollBarActive(AKind);
  const TcxScrollBarData& data = *bar->Data();
  const int32_t min = fromData ? data.FMin : bar->Min();
  const int32_t max = fromData ? data.FMax : bar->Max();
  const int32_t page = fromData ? data.FPageSize : bar->PageSize();
  const int32_t position = fromData ? data.FPosition : bar->Position();
  const int64_t highest = static_cast<int64_t>(max) + 1 - min - page;
  constexpr int32_t maxScale = 30;
  int32_t scale = maxScale;
  if (page > 0) {
    const TRect client = GetClientBounds();
    // A page larger than the client would make the scale 0.
    scale =
        std::max(1, std::min(maxScale, (AKind == sbHorizontal ? client.Width() : client.Height()) / page));
  }
  const int32_t steps = AAccumulatedDelta / scale;
  if (steps == 0) return;
  AAccumulatedDelta %= scale;
  const int64_t target =
      std::clamp<int64_t>(static_cast<int64_t>(position) - steps, min, std::max<int64_t>(min, highest));
  DoGestureScroll(AKind, static_cast<int32_t>(target));
  Update();
}

}  // namespace qd
