#pragma once
// The drawing state of a check mark or a check-like item; shared by the check box and the
// camera control's settings toolbar.
#include <cstdint>

namespace qd {

enum TcxEditCheckState : uint8_t { ecsNormal, ecsHot, ecsPressed, ecsDisabled };

}  // namespace qd
