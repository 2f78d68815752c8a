#pragma once
// The painter unit's shared types.
#include <cstdint>

namespace qd {

// The state argument of nearly every drawing operation; tables indexed by it have five
// entries in this order.
enum TcxButtonState : uint8_t { cxbsDefault, cxbsNormal, cxbsHot, cxbsPressed, cxbsDisabled };

}  // namespace qd
