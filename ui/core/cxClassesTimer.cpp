#include "ui/core/cxClassesTimer.h"

#include "platform/forms/forms.h"
#include "platform/os/clock.h"
#include "platform/os/user.h"
#include "ui/core/cxClassesComponents.h"
#include "ui/core/dxCoreClasses.h"

namespace qd {

QD_IMPLEMENT_CLASS(TcxMessageWindow)
QD_IMPLEMENT_CLASS(TcxTimer)

// --- TcxMessageWindow ------------------------------------------------------------------

TcxMessageWindow::TcxMessageWindow() {
  FHandle = AllocateHWnd(TWndMethod(this, &TcxMessageWindow::MainWndProc));
  if (FHandle) SetParent(FHandle, HWND_MESSAGE);
}

TcxMessageWindow::~TcxMessageWindow() {
  DeallocateHWnd(FHandle);
  FHandle = nullptr;
}

void TcxMessageWindow::WndProc(TMessage& AMessage) {
  AMessage.Result = DefWindowProcW(FHandle, AMessage.Msg, AMessage.WParam, AMessage.LParam);
}

void TcxMessageWindow::MainWndProc(TMessage& AMessage) {
  try {
    WndProc(AMessage);
  } catch (const os::EWouldBlockForever&) {
    throw;  // a test's message loop that can never wake up
  } catch (...) {
    if (Application) Application->HandleException(this);
  }
}

// --- The shared timer window -----------------------------------------------------------------

class TcxTimerWindow : public TcxMessageWindow {
  QD_CLASS_INLINE(TcxTimerWindow, TcxMessageWindow)

 protected:
  void WndProc(TMessage& AMessage) override;
};

namespace {

TcxTimerWindow* FcxTimerWindow = nullptr;
TdxFastList* FActiveTimerList = nullptr;

TcxTimerWindow* TimerWindow(bool ACreate) {
  if (!FcxTimerWindow && ACreate && !cxClasses::IsFinalized()) FcxTimerWindow = new TcxTimerWindow;
  return FcxTimerWindow;
}

TdxFastList* ActiveTimerList() {
  if (!FActiveTimerList && !cxClasses::IsFinalized()) FActiveTimerList = new TdxFastList;
  return FActiveTimerList;
}

}  // namespace

void TcxTimerWindow::WndProc(TMessage& AMessage) {
  if (AMessage.Msg != WM_TIMER) return TcxMessageWindow::WndProc(AMessage);
  void* id = reinterpret_cast<void*>(AMessage.WParam);
  if (FActiveTimerList && FActiveTimerList->IndexOf(id) >= 0) static_cast<TcxTimer*>(id)->TimeOut();
}

namespace cxTimerDetail {

void FreeTimerWindow() {
  delete FcxTimerWindow;
  FcxTimerWindow = nullptr;
  delete FActiveTimerList;
  FActiveTimerList = nullptr;
}

HWND TimerWindowHandle() {
  return FcxTimerWindow ? FcxTimerWindow->Handle() : nullptr;
}

}  // namespace cxTimerDetail

// --- TcxTimer ------------------------------------------------------------------------------

void TcxTimer::RegisterProperties(TPropertyRegistrar& r) {
  r.Prop("Enabled", &TcxTimer::Enabled, &TcxTimer::SetEnabled).Default(true);
  r.Prop("Interval", &TcxTimer::Interval, &TcxTimer::SetInterval).Default(1000);
  r.Event("OnTimer", &TcxTimer::OnTimer, &TcxTimer::SetOnTimer);
}

TcxTimer::TcxTimer(TComponent* AOwner) : TComponent(AOwner), FEventID(reinterpret_cast<UINT_PTR>(this)) {}

TcxTimer::~TcxTimer() {
  KillTimer();
}

void TcxTimer::SetEnabled(bool AValue) {
  if (FEnabled == AValue) return;
  FEnabled = AValue;
  UpdateTimer();
}

void TcxTimer::SetInterval(uint32_t AValue) {
  if (FInterval == AValue || AValue == 0) return;
  FInterval = AValue;
  UpdateTimer();
}

void TcxTimer::SetOnTimer(const TNotifyEvent& AValue) {
  FOnTimer = AValue;
  UpdateTimer();
}

void TcxTimer::Reset() {
  if (FEnabled) UpdateTimer();
}

void TcxTimer::TimeOut() {
  if (FOnTimer) FOnTimer(this);
}

bool TcxTimer::CanSetTimer() const {
  return FEnabled && !FTimerOn && FOnTimer;
}

void TcxTimer::UpdateTimer() {
  KillTimer();
  SetTimer();
}

void TcxTimer::SetTimer() {
  if (!CanSetTimer()) return;
  TcxTimerWindow* window = TimerWindow(true);
  SetTimerOn(window && ::qd::SetTimer(window->Handle(), FEventID, FInterval, nullptr) != 0);
}

void TcxTimer::KillTimer() {
  if (!FTimerOn) return;
  SetTimerOn(false);
  if (TcxTimerWindow* window = TimerWindow(false)) ::qd::KillTimer(window->Handle(), FEventID);
}

void TcxTimer::SetTimerOn(bool AValue) {
  if (FTimerOn == AValue) return;
  FTimerOn = AValue;
  TdxFastList* list = ActiveTimerList();
  if (!list) return;
  void* id = reinterpret_cast<void*>(FEventID);
  if (FTimerOn)
    list->Add(id);
  else
    list->Remove(id);
}

TcxTimer* cxCreateTimer(const TNotifyEvent& AHandler, uint32_t AInterval, bool AEnabled) {
  auto* timer = new TcxTimer(nullptr);
  timer->SetEnabled(AEnabled);
  timer->SetInterval(AInterval);
  timer->SetOnTimer(AHandler);
  return timer;
}

}  // namespace qd
