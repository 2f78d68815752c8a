#pragma once
// Hybrid scroll bars: a thin line at the content's edge grows into a full bar under the mouse,
// shrinks back half a second after the mouse leaves, and the bars fade away one second after
// the last activity. One manager per control animates its bars; of the managers that show,
// the last one is active and the others fade out.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/forms/controls.h"
#include "ui/controls/cxTouchScrollUI.h"

namespace qd {

class TdxAnimationTransition;
class TcxTimer;
class TdxHybridScrollbarsManager;

class IdxHybridScrollbarOwner : public IdxTouchScrollUIOwner {
 public:
  virtual TColor GetHybridScrollbarBaseColor() = 0;
  virtual void InvalidateScrollbars() = 0;
  virtual TdxHybridScrollbarsManager* GetHybridScrollbarsManager() = 0;
};

enum TdxHybridFadingState : uint8_t { fstNone, fstShowing, fstHiding };
enum TdxHybridExpandState : uint8_t { estNone, estExpanding, estCollapsing };

class TdxHybridScrollbarsManager : public TObject {
  QD_CLASS(TdxHybridScrollbarsManager, TObject)

 public:
  static constexpr uint32_t CollapsingTimerInterval = 500;
  static constexpr uint32_t HidingTimerInterval = 1000;

  explicit TdxHybridScrollbarsManager(IdxHybridScrollbarOwner* AOwner);
  ~TdxHybridScrollbarsManager() override;

  void Show(bool AHideByTimer);
  void Hide(bool AImmediately, bool AAnimated);
  void Expand(TObject* AScrollBar);
  void Collapse();
  void Deactivate();
  void ScrollbarHiding(TObject* AScrollBar);

  bool IsActive(TObject* AControl) const { return AControl && AControl == FAnimateObject; }
  bool IsWaitingForHide() const;
  bool IsWaitingForCollapse() const;
  bool AllowVisible() const { return FAllowVisible; }
  uint8_t FadingValue() const { return FFadingValue; }
  int32_t VisibleSize() const { return FVisibleSize; }
  TdxHybridFadingState FadingState() const { return FFadingState; }
  TdxHybridExpandState ExpandState() const { return FExpandState; }
  int32_t HidingLockCount() const { return FHidingLockCount; }
  IdxHybridScrollbarOwner* Owner() const { return FOwner; }
  void Invalidate() { FOwner->InvalidateScrollbars(); }

  // From the window-procedure hook.
  void CheckScrollbarsPosition(HWND AWnd);
  void CheckScrollbarsVisibility(HWND AWnd);

 private:
  bool OwnerWindowVisible();
  bool OwnerWindowInside(HWND AWnd);
  void FadeIn();
  void FadeOut();
  void StartFading(TdxHybridFadingState AState);
  void StopFading();
  void FadingAnimate(TdxAnimationTransition* Sender, int32_t& APosition, bool& AFinished);
  void FadingTerminate(TObject* Sender);
  void CheckStartHidingTimer();
  void StopTimer(std::unique_ptr<TcxTimer>& ATimer);
  void HidingTimerTick(TObject* Sender);
  void DoHide(bool AAnimated);
  void DoExpand();
  void StartSizeAnimation(TdxHybridExpandState AState);
  void StopSizeAnimation();
  void SizeAnimate(TdxAnimationTransition* Sender, int32_t& APosition, bool& AFinished);
  void SizeTerminate(TObject* Sender);
  void CollapsingTimerTick(TObject* Sender);
  void StartCollapse();
  void DoAfterCollapse();
  void ResetSize();
  void ReleaseHidingLock();

  TdxHybridFadingState FFadingState = fstNone;
  TdxAnimationTransition* FFadingAnimation = nullptr;
  uint8_t FFadingValue = 0;
  uint8_t FStartFadingValue = 0;
  TdxHybridExpandState FExpandState = estNone;
  TdxAnimationTransition* FSizeAnimation = nullptr;
  std::unique_ptr<TcxTimer> FCollapsingTimer;
  int32_t FExpandLockCount = 0;
  int32_t FStartSize = 0;
  int32_t FVisibleSize = 0;
  bool FAllowVisible = false;
  TObject* FAnimateObject = nullptr;
  int32_t FHidingLockCount = 0;
  std::unique_ptr<TcxTimer> FHidingTimer;
  bool FIsDeactivating = false;
  IdxHybridScrollbarOwner* FOwner;
};

// The managers whose bars show; the last one is active.
class TdxHybridScrollbarManagers {
 public:
  static void Activate(TdxHybridScrollbarsManager* AManager);
  static void Deactivate(TdxHybridScrollbarsManager* AManager);
  static bool IsActive(TdxHybridScrollbarsManager* AManager);
  static void CheckScrollbarsPosition(HWND AWnd);
  static void CheckScrollbarsVisibility(HWND AWnd);
};

}  // namespace qd
