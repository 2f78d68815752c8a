#include "platform/net/idantifreeze.h"

#include "platform/net/idexception.h"

namespace qd {

QD_IMPLEMENT_CLASS(TIdAntiFreeze)

TIdAntiFreeze::TIdAntiFreeze(TComponent* AOwner) : TComponent(AOwner) {
  if (net::ActiveAntiFreeze()) throw EIdException(u"Only one TIdAntiFreeze can exist per application.");
  net::SetActiveAntiFreeze(&settings_);
}

TIdAntiFreeze::~TIdAntiFreeze() {
  if (net::ActiveAntiFreeze() == &settings_) net::SetActiveAntiFreeze(nullptr);
}

}  // namespace qd
