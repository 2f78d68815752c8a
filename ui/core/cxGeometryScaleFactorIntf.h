#pragma once
// The interface through which an object tells the scale factor it draws and measures with.
#include "ui/core/cxGeometryScaleFactor.h"

namespace qd {

// Asked with dynamic_cast; the object keeps ownership of its scale factor.
class IdxScaleFactor {
 public:
  virtual ~IdxScaleFactor() = default;
  virtual TdxScaleFactor* GetScaleFactor() = 0;
  TdxScaleFactor* ScaleFactor() { return GetScaleFactor(); }
};

}  // namespace qd
