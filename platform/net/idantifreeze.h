#pragma once
// TIdAntiFreeze: while a TIdHTTP transfer waits on the network in the user-interface
// thread, the message loop runs in slices of IdleTimeOut milliseconds. The message loop is
// reached through the hook that the program's start-up list installs with
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
  // Kept for stored forms: messages are handled once per slice while a transfer runs,
  // whether or not data arrived in it.
  bool OnlyWhenIdle() const { return onlyWhenIdle_; }
  void SetOnlyWhenIdle(bool v) { onlyWhenIdle_ = v; }
  bool ApplicationHasPriority() const { return applicationHasPriority_; }
  void SetApplicationHasPriority(bool v) { applicationHasPriority_ = v; }

 private:
  net::TAntiFreezeSettings settings_;
  bool onlyWhenIdle_ = true;
  bool applicationHasPriority_ = true;
};

}  // namespace qd
