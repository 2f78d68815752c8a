#pragma once
// Desktop composition ("dwmapi.dll"). The window manager keeps the composition state and
// answers the binding's twelve functions (declared in platform/os/user.h, switched by
// qd::os::SetCompositionEnabled of platform/os/user_display.h); this header adds the rest
// of the library's names.
#include "platform/os/user.h"
#include "platform/os/wintypes.h"

namespace qd {

constexpr HRESULT DWM_E_COMPOSITIONDISABLED = static_cast<HRESULT>(0x80263001u);

constexpr DWORD DWM_BB_ENABLE = 0x00000001;
constexpr DWORD DWM_BB_BLURREGION = 0x00000002;
constexpr DWORD DWM_BB_TRANSITIONONMAXIMIZED = 0x00000004;

// Nothing is queued for presentation: returns at once.
HRESULT DwmFlush();

}  // namespace qd
