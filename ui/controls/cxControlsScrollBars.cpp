// TcxControl: its own scroll bars (data records, the settling calculation, the bars' places).
#include <algorithm>
#include <cstdint>
#include <limits>

#include "ui/controls/cxControlPopupScrollBars.h"
#include "ui/controls/cxControlScrollBars.h"
#include "ui/controls/cxControls.h"
#include "ui/controls/cxMiddleButtonScrolling.h"
#include "ui/controls/cxScrollHelper.h"
#include "ui/controls/cxTouchScrollUI.h"
#include "ui/core/cxGeometry.h"
#include "ui/core/dxCore.h"

namespace qd {

namespace {

// Showing one bar narrows the client so that the other may be needed; content whose needs
// oscillate must not hang the control, so the calculation gives up after a few passes.
constexpr int cxMaxScrollBarsCalculationPasses = 4;

// The control as the gesture helper's owner (its window and coordinates).
class TcxControlGestureOwner : public IdxGestureOwner {
 public:
  explicit TcxControlGestureOwner(TcxControl* AControl) : FControl(AControl) {}
  IdxGestureClient* GetGestureClient(const TPoint& APoint) override {
    return FControl->GetGestureClient(APoint);
  }
  HWND GetHandle() override { return FControl->HandleAllocated() ? FControl->Handle() : nullptr; }
  bool IsGestureTarget(HWND AWnd) override { return FControl->IsGestureTarget(AWnd); }
  TPoint ScreenToClient(const TPoint& APoint) override { return FControl->TControl::ScreenToClient(APoint); }

 private:
  TcxControl* FControl;
};

// Lightness on a 0..1 scale (the mean of the largest and the smallest channel).
double cxColorLightness(TColor AColor) {
  const COLORREF rgb = ColorToRGB(AColor);
  const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
  return (std::max({r, g, b}) + std::min({r, g, b})) / 2.0 / 255.0;
}

}  // namespace

// --- Touch and hybrid modes ------------------------------------------------------------------------

TdxScrollbarMode TcxControl::GetLookAndFeelScrollbarMode() {
  TcxLookAndFeel* lookAndFeel = GetScrollBarLookAndFeel();
  const TdxScrollbarMode mode = lookAndFeel ? lookAndFeel->ScrollbarMode() : sbmDefault;
  if (mode == sbmHybrid && !AllowHybridScrollbarMode()) return sbmTouch;
  if (mode != sbmDefault) return mode;
  return cxIsTouchScrollUIModeEnabled() ? sbmTouch : sbmClassic;
}

void TcxControl::CheckTouchScrollUIMode() {
  if (AllowTouchScrollUIMode() && HasScrollBars() && GetLookAndFeelScrollbarMode() != FScrollbarMode)
    ScrollUIModeChanged();
}

void TcxControl::ScrollUIModeChanged() {
  FIsScrollUIModeChanging = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{FIsScrollUIModeChanging};
  HideScrollBars();
  TdxTouchScrollUIModeManager::Deactivate(this);
  DestroyScrollBars();
  FScrollbarMode = GetLookAndFeelScrollbarMode();
  CreateScrollBars();
  UpdateScrollBars();
  DoScrollUIModeChanged();
}

void TcxControl::ShowTouchScrollUI(IdxTouchScrollUIOwner* AOwner, bool AControlledByTimer) {
  auto* control = AOwner ? dynamic_cast<TcxControl*>(AOwner->GetTouchScrolUIOwnerControl()) : nullptr;
  if (!control) return;
  if (control->FScrollbarMode == sbmTouch)
    TdxTouchScrollUIModeManager::ShowScrollUI(AOwner, AControlledByTimer);
  else if (control->FScrollbarMode == sbmHybrid && control->FHybridScrollbarsManager)
    control->FHybridScrollbarsManager->Show(AControlledByTimer);
}

void TcxControl::HideTouchScrollUI(IdxTouchScrollUIOwner* AOwner, bool AImmediately) {
  auto* control = AOwner ? dynamic_cast<TcxControl*>(AOwner->GetTouchScrolUIOwnerControl()) : nullptr;
  if (!control) return;
  if (control->FScrollbarMode == sbmTouch)
    TdxTouchScrollUIModeManager::HideScrollUI(AOwner, AImmediately);
  else if (control->FScrollbarMode == sbmHybrid && control->FHybridScrollbarsManager)
    control->FHybridScrollbarsManager->Hide(AImmediately, !AImmediately);
}

bool TcxControl::HasVisibleTouchScrollUI() {
  return MainBars() && (HScrollBar()->Visible() || VScrollBar()->Visible());
}

void TcxControl::HideTouchScrollUIDirectly() {
  if (MainBars()) FMainScrollBars->Hide();
}

void TcxControl::HideScrollBars() {
  if (!MainBars()) return;
  if (IsPopupScrollBars())
    HideTouchScrollUI(this, true);
  else
    FMainScrollBars->Hide();
}

void TcxControl::InvalidateScrollbars() {
  if (MainBars()) FMainScrollBars->Invalidate();
}

void TcxControl::SetHybridScrollbarBaseColor(TColor Value) {
  if (FHybridScrollbarBaseColor == Value) return;
  FHybridScrollbarBaseColor = Value;
  InvalidateScrollbars();
}

TColor TcxControl::GetScrollContentForegroundColor() {
  TcxCustomLookAndFeelPainter* painter = LookAndFeelPainter();
  return painter ? painter->DefaultContentTextColor() : clWindowText;
}

TColor TcxControl::GetHybridScrollbarBaseColor() {
  if (FHybridScrollbarBaseColor != clDefault) return FHybridScrollbarBaseColor;
  return cxColorLightness(GetScrollContentForegroundColor()) <= 0.6 ? clBlack : clWhite;
}

void TcxControl::VisibleChanged() {
  if (!Visible()) HideTouchScrollUI(this, true);
}

void TcxControl::UpdateInternalControlsState() {
  if (NeedsScrollBars() && MainBars()) FMainScrollBars->UpdateInternalControlsState();
}

void TcxControl::DrawScrollBars(TcxCanvas* ACanvas) {
  if (FScrollBarsManager) FScrollBarsManager->Paint(ACanvas);
}

TcxControlWindowedScrollBars* TcxControl::MainBars() const {
  if (!FScrollBarsChecked && !const_cast<TcxControl*>(this)->IsDestroying())
    const_cast<TcxControl*>(this)->CheckNeedsScrollBars();
  return FMainScrollBars.get();
}

void TcxControl::CheckNeedsScrollBars() {
  FScrollBarsChecked = true;
  if (NeedsScrollBars())
    CreateScrollBars();
  else
    DestroyScrollBars();
}

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
  if (NeedsScrollBars() && MainBars()) FMainScrollBars->InitScrollBars();
}

TcxControlScrollBar* TcxControl::GetScrollBar(TScrollBarKind AKind) const {
  return MainBars() ? FMainScrollBars->GetScrollBar(AKind) : nullptr;
}

bool TcxControl::IsScrollBarActive(TScrollBarKind AKind) {
  return MainBars() && FMainScrollBars->IsScrollBarActive(AKind);
}

bool TcxControl::HScrollBarVisible() {
  return MainBars() && FMainScrollBars->IsScrollBarVisible(sbHorizontal);
}
bool TcxControl::VScrollBarVisible() {
  return MainBars() && FMainScrollBars->IsScrollBarVisible(sbVertical);
}

bool TcxControl::IsInternalControl(TControl* AControl) {
  return MainBars() && FMainScrollBars->IsInternalControl(AControl);
}

bool TcxControl::IsSizeGripArea(const TPoint& P) {
  return MainBars() && FMainScrollBars->IsSizeGripArea(P);
}

bool TcxControl::IsScrollBarsArea(const TPoint& P) {
  if (!MainBars()) return false;
  if (FScrollbarMode == sbmClassic)
    return (FScrollBarsManager && FScrollBarsManager->IsScrollBarsArea(P)) ||
           FMainScrollBars->IsSizeGripArea(P);
  if (FScrollbarMode != sbmHybrid) return false;
  // The collapsed line at the outer edge of each active bar.
  const TSize collapsed = GetHybridScrollBarSize(GetScaleFactor(), false);
  if (IsScrollBarActive(sbVertical)) {
    TRect r = GetVScrollBarBounds();
    if (UseRightToLeftScrollBar())
      r.Right = r.Left + collapsed.cx;
    else
      r.Left = r.Right - collapsed.cx;
    if (cxRectPtIn(r, P)) return true;
  }
  if (IsScrollBarActive(sbHorizontal)) {
    TRect r = GetHScrollBarBounds();
    r.Top = r.Bottom - collapsed.cy;
    if (cxRectPtIn(r, P)) return true;
  }
  return false;
}

void TcxControl::SetScrollBars(TScrollStyle Value) {
  if (FScrollBars == Value) return;
  FScrollBars = Value;
  BoundsChanged();
}

TSize TcxControl::GetScrollBarSize() {
  switch (FScrollbarMode) {
    case sbmTouch:
      return GetTouchScrollBarSize(GetScaleFactor());
    case sbmClassic:
      return GetScaledScrollBarSize(GetScaleFactor());
    default:
      return GetHybridScrollBarSize(GetScaleFactor(), true);
  }
}

int32_t TcxControl::GetHScrollBarDefaultAreaHeight() {
  if (FScrollbarMode == sbmClassic) return GetScaledScrollBarSize(GetScaleFactor()).cy;
  if (FScrollbarMode == sbmHybrid) return GetHybridScrollBarSize(GetScaleFactor(), false).cy;
  return 0;
}

int32_t TcxControl::GetVScrollBarDefaultAreaWidth() {
  if (FScrollbarMode == sbmClassic) return GetScaledScrollBarSize(GetScaleFactor()).cx;
  if (FScrollbarMode == sbmHybrid) return GetHybridScrollBarSize(GetScaleFactor(), false).cx;
  return 0;
}

int32_t TcxControl::GetHScrollBarAreaHeight() {
  if (!HasScrollBarArea()) return 0;
  if (FScrollbarMode == sbmClassic && HScrollBar()) return HScrollBar()->Height();
  return GetHScrollBarDefaultAreaHeight();
}

int32_t TcxControl::GetVScrollBarAreaWidth() {
  if (!HasScrollBarArea()) return 0;
  if (FScrollbarMode == sbmClassic && VScrollBar()) return VScrollBar()->Width();
  return GetVScrollBarDefaultAreaWidth();
}

TRect TcxControl::GetHScrollBarBounds() {
  const TRect client = GetClientBounds();
  const int32_t height = HScrollBar() ? HScrollBar()->Height() : GetScrollBarSize().cy;
  TRect r;
  if (FScrollbarMode == sbmClassic) {
    r = TRect{client.Left, client.Bottom, client.Right, client.Bottom + height};
  } else {
    r = TRect{client.Left, client.Bottom - height, client.Right, client.Bottom};
    const bool shorten = FScrollbarMode == sbmTouch ? VScrollBarVisible() : IsScrollBarActive(sbVertical);
    if (shorten) r.Right -= VScrollBar() ? VScrollBar()->Width() : GetScrollBarSize().cx;
  }
  if (UseRightToLeftAlignment())
    r = TRect{client.Left + client.Right - r.Right, r.Top, client.Left + client.Right - r.Left, r.Bottom};
  return r;
}

TRect TcxControl::GetVScrollBarBounds() {
  const TRect client = GetClientBounds();
  const int32_t width = VScrollBar() ? VScrollBar()->Width() : GetScrollBarSize().cx;
  TRect r;
  if (FScrollbarMode == sbmClassic) {
    r = TRect{client.Right, client.Top, client.Right + width, client.Bottom};
  } else {
    r = TRect{client.Right - width, client.Top, client.Right, client.Bottom};
    const bool shorten = FScrollbarMode == sbmTouch ? HScrollBarVisible() : IsScrollBarActive(sbHorizontal);
    if (shorten) r.Bottom -= HScrollBar() ? HScrollBar()->Height() : GetScrollBarSize().cy;
  }
  if (UseRightToLeftScrollBar())
    r = TRect{client.Left + client.Right - r.Right, r.Top, client.Left + client.Right - r.Left, r.Bottom};
  return r;
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
  if (!CanUpdateScrollBars() || !MainBars()) return;
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
  // Pixel bars: content that fits once both bars are gone shows no bar.
  auto shown = [](const TcxScrollBarData& d) { return d.FVisible && d.FEnabled && d.FAllowHide; };
  if (!shown(h) || !shown(v)) return;
  const int32_t vWidth = VScrollBar()->Width(), hHeight = HScrollBar()->Height();
  auto fits = [&](TScrollBarKind AKind, const TcxScrollBarData& d, int32_t AOther) {
    return IsPixelScrollBar(AKind) &&
           static_cast<int64_t>(d.FPageSize) + AOther >= static_cast<int64_t>(d.FMax) - d.FMin + 1;
  };
  if (!fits(sbHorizontal, h, vWidth) || !fits(sbVertical, v, hHeight)) return;
  const TcxScrollBarData hData = h, vData = v;
  SetScrollBarInfo(sbHorizontal, hData.FMin, hData.FMax, hData.FSmallChange, hData.FPageSize + vWidth,
                   hData.FPosition, hData.FAllowShow, hData.FAllowHide);
  SetScrollBarInfo(sbVertical, vData.FMin, vData.FMax, vData.FSmallChange, vData.FPageSize + hHeight,
                   vData.FPosition, vData.FAllowShow, vData.FAllowHide);
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
  ShowTouchScrollUI(this, false);
  Scroll(kind, code, pos);
  Update();
  HideTouchScrollUI(this, false);
}

void TcxControl::DoScrolling() {
  cxProcessControlScrollingOnMiddleButton(this, IsHScrollBarActive(), IsVScrollBarActive(),
                                          FIsScrollingContent,
                                          TcxScrollContentProc(this, &TcxControl::ScrollContent));
}

// --- Gestures ------------------------------------------------------------------------------------------

void TcxControl::CreateGestureHelper() {
  FGestureOwner = std::make_unique<TcxControlGestureOwner>(this);
  FGestureHelper = std::make_unique<TdxGestureHelper>(FGestureOwner.get());
  Touch()->SetInteractiveGestures(GetDefaultInteractiveGestures());
  Touch()->SetInteractiveGestureOptions(GetDefaultInteractiveGestureOptions());
}

TInteractiveGestures TcxControl::GetDefaultInteractiveGestures() {
  TInteractiveGestures result;
  for (DWORD id : dxSupportedGestureIDs)
    if (IsDefaultGesture(id)) result.Include(GetInteractiveGestureByGestureID(id));
  return result;
}

TInteractiveGestureOptions TcxControl::GetDefaultPanOptions() {
  return TInteractiveGestureOptions{igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia,
                                    igoPanGutter, igoParentPassthrough};
}

TInteractiveGestureOptions TcxControl::GetDefaultInteractiveGestureOptions() {
  TInteractiveGestureOptions result = GetDefaultPanOptions();
  result.Include(igoParentPassthrough);
  return result;
}

bool TcxControl::IsTouchPropertyStored() {
  return Touch()->InteractiveGestures() != GetDefaultInteractiveGestures() ||
         Touch()->InteractiveGestureOptions() != GetDefaultInteractiveGestureOptions();
}

bool TcxControl::AllowGesture(TGestureID AGestureID) {
  // Framework ids are the system's plus 256.
  const DWORD id = static_cast<DWORD>(AGestureID > 256 ? AGestureID - 256 : AGestureID);
  return Touch()->InteractiveGestures().Contains(GetInteractiveGestureByGestureID(id));
}

bool TcxControl::AllowPan(TScrollBarKind AScrollKind) {
  const TcxMouseWheelScrollingKind wheel = GetMouseWheelScrollingKind();
  if (CanScrollContentByGestureWithoutScrollBars())
    return AScrollKind == sbVertical ? wheel == mwskVertical : wheel != mwskVertical;
  if (AScrollKind == sbVertical)
    return IsScrollBarActive(sbVertical) && (wheel == mwskVertical || !IsScrollBarActive(sbHorizontal));
  return IsScrollBarActive(sbHorizontal) && (wheel == mwskHorizontal || !IsScrollBarActive(sbVertical));
}

TInteractiveGestureOptions TcxControl::GetPanOptions() {
  TInteractiveGestureOptions result;
  for (TInteractiveGestureOption option :
       {igoPanSingleFingerHorizontal, igoPanSingleFingerVertical, igoPanInertia, igoPanGutter})
    if (Touch()->InteractiveGestureOptions().Contains(option)) result.Include(option);
  if (Touch()->InteractiveGestures().Contains(igPan)) result.Include(igoPanSingleFingerHorizontal);
  return result;
}

bool TcxControl::IsPanArea(const TPoint& APoint) {
  return cxRectPtIn(GetClientBounds(), APoint) && !IsScrollBarsArea(APoint);
}

void TcxControl::DoGetGestureOptions(TInteractiveGestures& AGestures, TInteractiveGestureOptions& AOptions) {
  AGestures = Touch()->InteractiveGestures();
  AOptions = Touch()->InteractiveGestureOptions();
  FGestureHelper->CheckGestureOptions(AGestures, AOptions);
}

void TcxControl::DoGesture(const TGestureEventInfo& AEventInfo, bool& AHandled) {
  FGestureHelper->DoGesture(AEventInfo, AHandled);
}

bool TcxControl::IsGestureHelperMessage(TMessage& Message) {
  return FGestureHelper && FGestureHelper->HandleMessage(Message);
}

bool TcxControl::IsGestureScrolling() {
  return FGestureHelper && FGestureHelper->IsPanning();
}

void TcxControl::CheckOverpan(TScrollBarKind AScrollKind, int32_t ANewDataPos, int32_t AMinDataPos,
                              int32_t AMaxDataPos, int32_t ADeltaX, int32_t ADeltaY) {
  if (FGestureHelper)
    FGestureHelper->CheckOverpan(AScrollKind, ANewDataPos, AMinDataPos, AMaxDataPos, ADeltaX, ADeltaY);
}

void TcxControl::BeginGestureScroll(const TPoint&) {
  FGestureAccumulatedDelta = TPoint{};
  ShowTouchScrollUI(this, false);
}

void TcxControl::EndGestureScroll() {
  HideTouchScrollUI(this, false);
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
      DoScrollBarBasedGestureScroll(kind, accumulated, ADeltaY, ADeltaX);
    }
  }
}

void TcxControl::DoScrollBarBasedGestureScroll(TScrollBarKind AKind, int32_t& AAccumulatedDelta,
                                               int32_t ADeltaY, int32_t ADeltaX) {
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
  const int64_t wanted = static_cast<int64_t>(position) - steps;
  const auto clampedHighest = static_cast<int32_t>(std::clamp<int64_t>(highest, INT32_MIN, INT32_MAX));
  CheckOverpan(AKind, static_cast<int32_t>(std::clamp<int64_t>(wanted, INT32_MIN, INT32_MAX)), min,
               clampedHighest, ADeltaX, ADeltaY);
  const int64_t target = std::clamp<int64_t>(wanted, min, std::max<int64_t>(min, highest));
  DoGestureScroll(AKind, static_cast<int32_t>(target));
  Update();
}

}  // namespace qd
