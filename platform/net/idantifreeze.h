#pragma once
// TIdAntiFreeze: while a TIdHTTP transfer waits on the network in the user-interface
// thread, the message loop runs in slices of IdleTimeOut milliseconds. The message loop is
// reached through the hook that the forms layer installs with
// net::SetAntiFreezeProcessMessages (tests install a counter). One instance per program.
#include "platform/classes/classes.h"
#include "platform/net/http_transfer.h"

namespace qd {

class TIdAntiFreeze : public TComponent {
  QD_CLASS(TIdAntiFreeze, TComponent)

 public:
  // Raises EIdException when another TIdAntiFreeze exists.
  explicit TIdAntiFreeze(TComponent* AOwner = nullptr);
  ~TIdAntiFreeze() override;

  bool Active() const { return settings_.Active; }
  void SetActive(bool v) { settings_.Active = v; }
  int IdleTimeOut() const { return settings_.IdleTimeOut; }
  void SetIdleTimeOut(int v) { settings_.IdleTimeOut = v; }
  // Let messages through only after a slice in which no data arrived.
  bool OnlyWhenIdle() const { return settings_.OnlyWhenIdle; }
  void SetOnlyWhenIdle(bool v) { settings_.OnlyWhenIdle = v; }
  // Kept for stored forms.
  bool ApplicationHasPriority() const { return applicationHasPriority_; }
  void SetApplicationHasPriority(bool v) { applicationHasPriority_ = v; }

 private:
  net::TAntiFreezeSettings settings_;
  bool applicationHasPriority_ = true;
};

}  // namespace qd
