#include "ui/controls/cxTouchScrollUI.h"

#include <cstdlib>
#include <memory>

#include "platform/forms/extctrls.h"
#include "platform/os/user.h"
#include "ui/controls/cxControls.h"

namespace qd {

namespace {

IdxTouchScrollUIOwner* FActiveScrollUIOwner = nullptr;
int32_t FHidingLockCount = 0;
bool FLockOwner = false;
bool FScrollInfoAllowVisible = false;

// The timer's handler is a method; this object only carries it.
class TdxTouchScrollUIHidingTimer : public TObject {
 public:
  TdxTouchScrollUIHidingTimer() {
    FTimer.SetEnabled(false);
    FTimer.SetInterval(TdxTouchScrollUIModeManager::HidingTimerInterval);
    FTimer.SetOnTimer(TNotifyEvent(this, &TdxTouchScrollUIHidingTimer::Tick));
  }
  void Restart() {
    FTimer.SetEnabled(false);
    FTimer.SetEnabled(true);
  }
  void Stop() { FTimer.SetEnabled(false); }

 private:
  void Tick(TObject*) {
    Stop();
    TdxTouchScrollUIModeManager::HideScrollUI(FActiveScrollUIOwner, true);
  }
  TTimer FTimer{nullptr};
};

std::unique_ptr<TdxTouchScrollUIHidingTimer> FHidingTimer;

void StopHidingTimer() {
  if (FHidingTimer) FHidingTimer->Stop();
}

bool OwnerWindowIsInside(IdxTouchScrollUIOwner* AOwner, HWND AWnd) {
  TWinControl* control = AOwner->GetTouchScrolUIOwnerControl();
  if (!control || !control->HandleAllocated()) return false;
  const HWND wnd = control->Handle();
  return wnd == AWnd || IsChild(AWnd, wnd);
}

}  // namespace

bool TdxTouchScrollUIActivityHelper::CheckScrollActivity(TControl* AControl, const TMessage& AMessage) {
  switch (AMessage.Msg) {
    case WM_MOUSEMOVE: {
      const TPoint p{static_cast<int16_t>(LOWORD(AMessage.LParam)),
                     static_cast<int16_t>(HIWORD(AMessage.LParam))};
      if (auto* control = dynamic_cast<TcxControl*>(AControl); control && control->IsScrollBarsArea(p))
        return true;
      TPoint cursor;
      GetCursorPos(&cursor);
      if (!FMouseEnter) {
        FMouseEnter = true;
        FLastMousePos = cursor;
        return false;
      }
      if (std::abs(cursor.X - FLastMousePos.X) >= ActivityDistance ||
          std::abs(cursor.Y - FLastMousePos.Y) >= ActivityDistance) {
        FLastMousePos = cursor;
        return true;
      }
      return false;
    }
    case CM_MOUSELEAVE:
      FMouseEnter = false;
      return false;
    default:
      return false;
  }
}

void TdxTouchScrollUIModeManager::ShowScrollUI(IdxTouchScrollUIOwner* AOwner, bool AControlledByTimer) {
  if (FLockOwner && AOwner != FActiveScrollUIOwner) return;
  if (AOwner) {
    TWinControl* control = AOwner->GetTouchScrolUIOwnerControl();
    if (!control || !control->HandleAllocated() || !IsWindowVisible(control->Handle())) return;
  }
  Activate(AOwner);
  LockHiding();
  if (!FScrollInfoAllowVisible) {
    FScrollInfoAllowVisible = true;
    if (FActiveScrollUIOwner) FActiveScrollUIOwner->CheckTouchScrollUIPosition();
  }
  if (AControlledByTimer) DoHideTouchScrollUI(false);
}

void TdxTouchScrollUIModeManager::HideScrollUI(IdxTouchScrollUIOwner* AOwner, bool AImmediately) {
  if (AOwner && AOwner == FActiveScrollUIOwner) DoHideTouchScrollUI(AImmediately);
}

void TdxTouchScrollUIModeManager::Activate(IdxTouchScrollUIOwner* AOwner) {
  if (AOwner == FActiveScrollUIOwner) return;
  DoHideTouchScrollUI(true);
  FHidingLockCount = 0;
  FScrollInfoAllowVisible = false;
  FActiveScrollUIOwner = AOwner;
}

void TdxTouchScrollUIModeManager::Deactivate(IdxTouchScrollUIOwner* AOwner) {
  if (!AOwner || AOwner != FActiveScrollUIOwner) return;
  FActiveScrollUIOwner = nullptr;
  FScrollInfoAllowVisible = false;
  FHidingLockCount = 0;
  FLockOwner = false;
  StopHidingTimer();
}

void TdxTouchScrollUIModeManager::DoHideTouchScrollUI(bool AImmediately) {
  if (!AImmediately) {
    UnlockHiding();
    return;
  }
  FLockOwner = false;
  StopHidingTimer();
  FScrollInfoAllowVisible = false;
  FHidingLockCount = 0;
  if (FActiveScrollUIOwner) FActiveScrollUIOwner->HideTouchScrollUIDirectly();
}

void TdxTouchScrollUIModeManager::LockHiding() {
  StopHidingTimer();
  ++FHidingLockCount;
}

void TdxTouchScrollUIModeManager::UnlockHiding() {
  if (FHidingLockCount > 0) --FHidingLockCount;
  if (FHidingLockCount == 0 && FScrollInfoAllowVisible) StartHidingTimer();
}

void TdxTouchScrollUIModeManager::StartHidingTimer() {
  if (!FHidingTimer) FHidingTimer = std::make_unique<TdxTouchScrollUIHidingTimer>();
  FHidingTimer->Restart();
}

void TdxTouchScrollUIModeManager::LockOwner() {
  FLockOwner = true;
}
void TdxTouchScrollUIModeManager::UnlockOwner() {
  FLockOwner = false;
}

bool TdxTouchScrollUIModeManager::IsActive(IdxTouchScrollUIOwner* AOwner) {
  return AOwner && AOwner == FActiveScrollUIOwner;
}

bool TdxTouchScrollUIModeManager::IsScrollUIHidden(IdxTouchScrollUIOwner* AOwner) {
  return !(FScrollInfoAllowVisible && IsActive(AOwner));
}

int32_t TdxTouchScrollUIModeManager::HidingLockCount() {
  return FHidingLockCount;
}

void TdxTouchScrollUIModeManager::CheckUIPosition(HWND AWnd) {
  if (FActiveScrollUIOwner && FScrollInfoAllowVisible && OwnerWindowIsInside(FActiveScrollUIOwner, AWnd))
    FActiveScrollUIOwner->CheckTouchScrollUIPosition();
}

void TdxTouchScrollUIModeManager::CheckUIVisibility(HWND AWnd) {
  if (FActiveScrollUIOwner && FScrollInfoAllowVisible && OwnerWindowIsInside(FActiveScrollUIOwner, AWnd))
    DoHideTouchScrollUI(true);
}

void TdxTouchScrollUIModeManager::Finalize() {
  FHidingTimer.reset();
  FActiveScrollUIOwner = nullptr;
  FHidingLockCount = 0;
  FLockOwner = false;
  FScrollInfoAllowVisible = false;
}

}  // namespace qd
