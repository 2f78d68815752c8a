#pragma once
// The hidden message window with an overridable window procedure, and the timer component
// whose system timers all run on one shared hidden window.
#include <cstdint>

#include "platform/classes/classes.h"
#include "platform/classes/rtti.h"
#include "platform/forms/controls.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxClasses.h"

namespace qd {

// A message-only window whose messages go to WndProc; an exception raised there goes to the
// application object's exception handler and does not leave the window procedure.
class TcxMessageWindow : public TcxIUnknownObject {
  QD_CLASS(TcxMessageWindow, TcxIUnknownObject)

 public:
  TcxMessageWindow();
  ~TcxMessageWindow() override;

  HWND Handle() const { return FHandle; }

 protected:
  // The default window procedure.
  virtual void WndProc(TMessage& AMessage);

 private:
  void MainWndProc(TMessage& AMessage);

  HWND FHandle = nullptr;
};

// A timer component. Every running timer is a system timer on the shared timer window,
// identified by the timer object's address, so a message of a timer that is gone is dropped.
// A timer runs while it is enabled and has an OnTimer handler.
class TcxTimer : public TComponent {
  QD_CLASS(TcxTimer, TComponent)
  QD_PUBLISHED(TcxTimer)

 public:
  explicit TcxTimer(TComponent* AOwner);
  ~TcxTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool AValue);
  uint32_t Interval() const { return FInterval; }
  // 0 is ignored.
  void SetInterval(uint32_t AValue);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  // Always restarts the timer.
  void SetOnTimer(const TNotifyEvent& AValue);

  // When enabled: the interval starts anew.
  void Reset();
  // A system timer is running.
  bool TimerOn() const { return FTimerOn; }

 protected:
  // Calls OnTimer.
  virtual void TimeOut();

 private:
  friend class TcxTimerWindow;

  bool CanSetTimer() const;
  void KillTimer();
  void SetTimer();
  void SetTimerOn(bool AValue);
  void UpdateTimer();

  bool FEnabled = true;
  uint32_t FInterval = 1000;
  TNotifyEvent FOnTimer;
  UINT_PTR FEventID;
  bool FTimerOn = false;
};

// A new owner-less timer with these settings; the handler is assigned last, which starts
// it when enabled. The caller frees it.
TcxTimer* cxCreateTimer(const TNotifyEvent& AHandler, uint32_t AInterval = 1000, bool AEnabled = true);

namespace cxTimerDetail {
// Frees the shared timer window and the list of running timers (the class unit's shut-down).
void FreeTimerWindow();
// The shared timer window, nullptr until a timer ran (tests).
HWND TimerWindowHandle();
}  // namespace cxTimerDetail

}  // namespace qd
