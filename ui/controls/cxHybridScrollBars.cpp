#include "ui/controls/cxHybridScrollBars.h"

#include <algorithm>
#include <cmath>

#include "platform/os/user.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/lookandfeel/dxAnimation.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxHybridScrollbarsManager)

namespace {

constexpr uint32_t cxHybridFadingTime = 1000;    // for the whole 0..255 range
constexpr uint32_t cxHybridExpandingTime = 100;  // for the whole 0..100 range

std::vector<TdxHybridScrollbarsManager*>& HybridManagers() {
  static std::vector<TdxHybridScrollbarsManager*> items;
  return items;
}

uint32_t RoundedTime(int32_t ADistance, int32_t ARange, uint32_t AFullTime) {
  return static_cast<uint32_t>(std::nearbyint(static_cast<double>(ADistance) / ARange * AFullTime));
}

// Stops a transition without its final events.
void StopTransition(TdxAnimationTransition*& ATransition) {
  TdxAnimationTransition* transition = ATransition;
  if (!transition) return;
  ATransition = nullptr;
  transition->SetOnAnimate(TdxAnimationEvent());
  transition->SetOnTerminate(TNotifyEvent());
  transition->SetFreeOnTerminate(true);
  transition->Terminate();
}

}  // namespace

TdxHybridScrollbarsManager::TdxHybridScrollbarsManager(IdxHybridScrollbarOwner* AOwner) : FOwner(AOwner) {}

TdxHybridScrollbarsManager::~TdxHybridScrollbarsManager() {
  // A manager that goes away leaves the list and its transitions stop calling it.
  TdxHybridScrollbarManagers::Deactivate(this);
  StopTransition(FFadingAnimation);
  StopTransition(FSizeAnimation);
}

bool TdxHybridScrollbarsManager::OwnerWindowVisible() {
  TWinControl* control = FOwner->GetTouchScrolUIOwnerControl();
  return control && control->HandleAllocated() && IsWindowVisible(control->Handle());
}

bool TdxHybridScrollbarsManager::OwnerWindowInside(HWND AWnd) {
  TWinControl* control = FOwner->GetTouchScrolUIOwnerControl();
  if (!control || !control->HandleAllocated()) return false;
  return control->Handle() == AWnd || IsChild(AWnd, control->Handle());
}

bool TdxHybridScrollbarsManager::IsWaitingForHide() const {
  return FHidingTimer && FHidingTimer->Enabled();
}
bool TdxHybridScrollbarsManager::IsWaitingForCollapse() const {
  return FCollapsingTimer && FCollapsingTimer->Enabled();
}

void TdxHybridScrollbarsManager::StopTimer(std::unique_ptr<TcxTimer>& ATimer) {
  if (ATimer) ATimer->SetEnabled(false);
}

void TdxHybridScrollbarsManager::Show(bool AHideByTimer) {
  if (!OwnerWindowVisible()) return;
  FIsDeactivating = false;
  if (!FAllowVisible) {
    FAllowVisible = true;
    FOwner->CheckTouchScrollUIPosition();
  }
  if (FOwner->HasVisibleTouchScrollUI()) TdxHybridScrollbarManagers::Activate(this);
  if (!AHideByTimer) {
    ++FHidingLockCount;
    if (IsWaitingForHide())
      StopTimer(FHidingTimer);
    else if (FFadingValue < 255 && FFadingState != fstShowing)
      FadeIn();
  } else {
    if (IsWaitingForHide()) {
      FHidingTimer->SetEnabled(false);
      FHidingTimer->SetEnabled(true);
    } else if (FFadingValue < 255 && FFadingState != fstShowing) {
      FadeIn();
    }
  }
}

void TdxHybridScrollbarsManager::Hide(bool AImmediately, bool AAnimated) {
  if (AImmediately) {
    StopFading();
    StopSizeAnimation();
    DoHide(AAnimated);
    return;
  }
  if (FHidingLockCount > 0) --FHidingLockCount;
  if (FAllowVisible) CheckStartHidingTimer();
}

void TdxHybridScrollbarsManager::FadeIn() {
  StartFading(fstShowing);
}
void TdxHybridScrollbarsManager::FadeOut() {
  StartFading(fstHiding);
}

void TdxHybridScrollbarsManager::StartFading(TdxHybridFadingState AState) {
  StopFading();
  FFadingState = AState;
  FStartFadingValue = FFadingValue;
  const int32_t distance = AState == fstShowing ? 255 - FFadingValue : FFadingValue;
  FFadingAnimation = new TdxAnimationTransition(RoundedTime(distance, 255, cxHybridFadingTime),
                                                ateAccelerateDecelerate, distance, atmIn);
  FFadingAnimation->SetOnAnimate(TdxAnimationEvent(this, &TdxHybridScrollbarsManager::FadingAnimate));
  FFadingAnimation->SetOnTerminate(TNotifyEvent(this, &TdxHybridScrollbarsManager::FadingTerminate));
  FFadingAnimation->Resume();
}

void TdxHybridScrollbarsManager::StopFading() {
  StopTransition(FFadingAnimation);
  FFadingState = fstNone;
}

void TdxHybridScrollbarsManager::FadingAnimate(TdxAnimationTransition*, int32_t& APosition, bool&) {
  const int32_t value =
      FFadingState == fstShowing ? FStartFadingValue + APosition : FStartFadingValue - APosition;
  FFadingValue = static_cast<uint8_t>(std::clamp(value, 0, 255));
  Invalidate();
}

void TdxHybridScrollbarsManager::FadingTerminate(TObject*) {
  FFadingAnimation = nullptr;
  const TdxHybridFadingState state = FFadingState;
  FFadingState = fstNone;
  if (state == fstHiding)
    DoHide(false);
  else if (state == fstShowing)
    CheckStartHidingTimer();
}

void TdxHybridScrollbarsManager::CheckStartHidingTimer() {
  if (FHidingLockCount != 0) return;
  if (!FHidingTimer) {
    FHidingTimer = std::make_unique<TcxTimer>(nullptr);
    FHidingTimer->SetEnabled(false);
    FHidingTimer->SetInterval(HidingTimerInterval);
    FHidingTimer->SetOnTimer(TNotifyEvent(this, &TdxHybridScrollbarsManager::HidingTimerTick));
  }
  FHidingTimer->SetEnabled(false);
  FHidingTimer->SetEnabled(true);
}

void TdxHybridScrollbarsManager::HidingTimerTick(TObject*) {
  StopTimer(FHidingTimer);
  DoHide(true);
}

void TdxHybridScrollbarsManager::DoHide(bool AAnimated) {
  StopTimer(FHidingTimer);
  StopTimer(FCollapsingTimer);
  if (AAnimated) {
    FadeOut();
    return;
  }
  FAllowVisible = false;
  FHidingLockCount = 0;
  FOwner->HideTouchScrollUIDirectly();
  TdxHybridScrollbarManagers::Deactivate(this);
  FFadingValue = 0;
}

void TdxHybridScrollbarsManager::ResetSize() {
  StopSizeAnimation();
  FCollapsingTimer.reset();
  FVisibleSize = 0;
}

void TdxHybridScrollbarsManager::ReleaseHidingLock() {
  if (FHidingLockCount > 0) --FHidingLockCount;
}

void TdxHybridScrollbarsManager::Expand(TObject* AScrollBar) {
  if (FAnimateObject != AScrollBar) {
    if (FAnimateObject && (IsWaitingForCollapse() || FExpandState != estNone)) {
      ResetSize();
      ReleaseHidingLock();
    }
    FAnimateObject = AScrollBar;
  }
  ++FExpandLockCount;
  DoExpand();
}

void TdxHybridScrollbarsManager::DoExpand() {
  if (FExpandState == estExpanding) return;
  if (IsWaitingForCollapse())
    FCollapsingTimer.reset();
  else if (FExpandState == estNone)
    Show(false);
  if (FVisibleSize < 100) StartSizeAnimation(estExpanding);
}

void TdxHybridScrollbarsManager::StartSizeAnimation(TdxHybridExpandState AState) {
  StopSizeAnimation();
  FExpandState = AState;
  FStartSize = FVisibleSize;
  const int32_t distance = AState == estExpanding ? 100 - FVisibleSize : FVisibleSize;
  FSizeAnimation = new TdxAnimationTransition(RoundedTime(distance, 100, cxHybridExpandingTime), ateLinear,
                                              distance, atmIn);
  FSizeAnimation->SetOnAnimate(TdxAnimationEvent(this, &TdxHybridScrollbarsManager::SizeAnimate));
  FSizeAnimation->SetOnTerminate(TNotifyEvent(this, &TdxHybridScrollbarsManager::SizeTerminate));
  FSizeAnimation->Resume();
}

void TdxHybridScrollbarsManager::StopSizeAnimation() {
  StopTransition(FSizeAnimation);
  FExpandState = estNone;
}

void TdxHybridScrollbarsManager::SizeAnimate(TdxAnimationTransition*, int32_t& APosition, bool&) {
  FVisibleSize =
      std::clamp(FExpandState == estExpanding ? FStartSize + APosition : FStartSize - APosition, 0, 100);
  Invalidate();
}

void TdxHybridScrollbarsManager::SizeTerminate(TObject*) {
  FSizeAnimation = nullptr;
  const TdxHybridExpandState state = FExpandState;
  FExpandState = estNone;
  if (state == estExpanding) {
    if (FExpandLockCount == 0) {
      FCollapsingTimer = std::make_unique<TcxTimer>(nullptr);
      FCollapsingTimer->SetEnabled(false);
      FCollapsingTimer->SetInterval(CollapsingTimerInterval);
      FCollapsingTimer->SetOnTimer(TNotifyEvent(this, &TdxHybridScrollbarsManager::CollapsingTimerTick));
      FCollapsingTimer->SetEnabled(true);
    }
  } else if (state == estCollapsing) {
    DoAfterCollapse();
  }
  Invalidate();
}

void TdxHybridScrollbarsManager::Collapse() {
  if (FExpandLockCount > 0) --FExpandLockCount;
  if (FSizeAnimation) return;
  if (!TdxHybridScrollbarManagers::IsActive(this) || FIsDeactivating) {
    StartCollapse();
    return;
  }
  FCollapsingTimer = std::make_unique<TcxTimer>(nullptr);
  FCollapsingTimer->SetEnabled(false);
  FCollapsingTimer->SetInterval(CollapsingTimerInterval);
  FCollapsingTimer->SetOnTimer(TNotifyEvent(this, &TdxHybridScrollbarsManager::CollapsingTimerTick));
  FCollapsingTimer->SetEnabled(true);
}

void TdxHybridScrollbarsManager::CollapsingTimerTick(TObject*) {
  FCollapsingTimer->SetEnabled(false);
  StartCollapse();
}

void TdxHybridScrollbarsManager::StartCollapse() {
  if (FVisibleSize > 0)
    StartSizeAnimation(estCollapsing);
  else
    DoAfterCollapse();
}

void TdxHybridScrollbarsManager::DoAfterCollapse() {
  if (FExpandLockCount != 0) return;
  FAnimateObject = nullptr;
  FVisibleSize = 0;
  Invalidate();
  ReleaseHidingLock();
  const bool active = TdxHybridScrollbarManagers::IsActive(this);
  if ((!active || FIsDeactivating) && FHidingLockCount == 0)
    DoHide(true);
  else if (active && FAllowVisible)
    CheckStartHidingTimer();
}

void TdxHybridScrollbarsManager::Deactivate() {
  FIsDeactivating = true;
  if (IsWaitingForCollapse()) {
    FCollapsingTimer->SetEnabled(false);
    StartCollapse();
  } else if (FExpandState == estExpanding) {
    StopSizeAnimation();
    Collapse();
  } else if (FFadingState == fstShowing) {
    if (FHidingLockCount == 0) {
      StopFading();
      DoHide(true);
    }
  } else if (IsWaitingForHide()) {
    DoHide(true);
  }
}

void TdxHybridScrollbarsManager::ScrollbarHiding(TObject* AScrollBar) {
  if (AScrollBar != FAnimateObject) return;
  ResetSize();
  FHidingLockCount = 0;
  FFadingValue = 0;
  StopTimer(FHidingTimer);
}

void TdxHybridScrollbarsManager::CheckScrollbarsPosition(HWND AWnd) {
  if (OwnerWindowInside(AWnd)) FOwner->CheckTouchScrollUIPosition();
}

void TdxHybridScrollbarsManager::CheckScrollbarsVisibility(HWND AWnd) {
  if (OwnerWindowInside(AWnd)) Hide(true, false);
}

// --- TdxHybridScrollbarManagers -----------------------------------------------------------------

void TdxHybridScrollbarManagers::Activate(TdxHybridScrollbarsManager* AManager) {
  auto& items = HybridManagers();
  items.erase(std::remove(items.begin(), items.end(), AManager), items.end());
  items.push_back(AManager);
  // Deactivating may change the list: work on a copy.
  const std::vector<TdxHybridScrollbarsManager*> others(items.begin(), items.end() - 1);
  for (auto it = others.rbegin(); it != others.rend(); ++it)
    if (std::find(items.begin(), items.end(), *it) != items.end()) (*it)->Deactivate();
}

void TdxHybridScrollbarManagers::Deactivate(TdxHybridScrollbarsManager* AManager) {
  auto& items = HybridManagers();
  items.erase(std::remove(items.begin(), items.end(), AManager), items.end());
}

bool TdxHybridScrollbarManagers::IsActive(TdxHybridScrollbarsManager* AManager) {
  const auto& items = HybridManagers();
  return !items.empty() && items.back() == AManager;
}

void TdxHybridScrollbarManagers::CheckScrollbarsPosition(HWND AWnd) {
  const std::vector<TdxHybridScrollbarsManager*> items = HybridManagers();
  for (auto it = items.rbegin(); it != items.rend(); ++it) (*it)->CheckScrollbarsPosition(AWnd);
}

void TdxHybridScrollbarManagers::CheckScrollbarsVisibility(HWND AWnd) {
  const std::vector<TdxHybridScrollbarsManager*> items = HybridManagers();
  for (auto it = items.rbegin(); it != items.rend(); ++it)
    if (std::find(HybridManagers().begin(), HybridManagers().end(), *it) != HybridManagers().end())
      (*it)->CheckScrollbarsVisibility(AWnd);
}

}  // namespace qd
