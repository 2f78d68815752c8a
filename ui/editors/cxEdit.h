#pragma once
// The base editor unit. So far: the editors' exception class.
#include "ui/core/dxCore.h"

namespace qd {

// Errors raised by editors and their helpers.
class EcxEditError : public EdxException {
  QD_CLASS(EcxEditError, EdxException)

 public:
  using EdxException::EdxException;
};

}  // namespace qd
