#pragma once
// The touch scroll UI: one process-wide manager decides whose floating scroll bars show, keeps
// them while something holds them, and hides them one second after the last activity; the
// activity helper decides which mouse moves count as activity.
#include <cstdint>

#include "platform/forms/controls.h"
#include "platform/os/wintypes.h"

namespace qd {

class IdxTouchScrollUIOwner {
 public:
  virtual ~IdxTouchScrollUIOwner() = default;
  virtual void CheckTouchScrollUIPosition() = 0;
  virtual TWinControl* GetTouchScrolUIOwnerControl() = 0;
  virtual bool HasVisibleTouchScrollUI() = 0;
  virtual void HideTouchScrollUIDirectly() = 0;
};

// Movement of 10 pixels or more on either axis since the recorded position counts as activity;
// so does any move over the control's scroll-bars area.
class TdxTouchScrollUIActivityHelper {
 public:
  static constexpr int32_t ActivityDistance = 10;
  bool CheckScrollActivity(TControl* AControl, const TMessage& AMessage);

 private:
  TPoint FLastMousePos;
  bool FMouseEnter = false;
};

class TdxTouchScrollUIModeManager {
 public:
  static constexpr uint32_t HidingTimerInterval = 1000;

  static void ShowScrollUI(IdxTouchScrollUIOwner* AOwner, bool AControlledByTimer);
  static void HideScrollUI(IdxTouchScrollUIOwner* AOwner, bool AImmediately);
  static void Activate(IdxTouchScrollUIOwner* AOwner);
  // An owner that goes away must call this, or the manager would keep calling it.
  static void Deactivate(IdxTouchScrollUIOwner* AOwner);
  static void LockHiding();
  static void UnlockHiding();
  static void LockOwner();
  static void UnlockOwner();
  static bool IsActive(IdxTouchScrollUIOwner* AOwner);
  static bool IsScrollUIHidden(IdxTouchScrollUIOwner* AOwner);
  static int32_t HidingLockCount();
  // From the window-procedure hook: the window moved or changed size / was hidden or disabled.
  static void CheckUIPosition(HWND AWnd);
  static void CheckUIVisibility(HWND AWnd);
  static void Finalize();

 private:
  static void DoHideTouchScrollUI(bool AImmediately);
  static void StartHidingTimer();
};

}  // namespace qd
