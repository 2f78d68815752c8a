// The desktop-composition functions beyond the window manager's binding.
#include "platform/os/dwmapi.h"

namespace qd {

HRESULT DwmFlush() {
  return S_OK;
}

}  // namespace qd
