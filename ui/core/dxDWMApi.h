#pragma once
// Desktop composition: the desktop window manager's library, loaded at start-up on Windows
// Vista and later, with its functions bound by name into global procedure variables, and
// whether composition is on.
#include "platform/os/user.h"
#include "platform/os/wintypes.h"

namespace qd {

// The twelve bound functions, named like the system's (hence their own namespace):
// dxDWMApi::DwmIsCompositionEnabled. nullptr when absent; callers check IsDwmPresent or the
// variable itself.
// clang-format off
#define QD_DWMAPI_FUNCTIONS(X)                                                               \
  X(DwmDefWindowProc) X(DwmEnableBlurBehindWindow) X(DwmEnableComposition)                  \
  X(DwmEnableMMCSS) X(DwmExtendFrameIntoClientArea) X(DwmGetColorizationColor)              \
  X(DwmGetWindowAttribute) X(DwmIsCompositionEnabled) X(DwmSetWindowAttribute)              \
  X(DwmSetIconicThumbnail) X(DwmSetIconicLivePreviewBitmap) X(DwmInvalidateIconicBitmaps)
// clang-format on

namespace dxDWMApi {
#define QD_DWMAPI_VARIABLE(Name) extern decltype(&::qd::Name) Name;
QD_DWMAPI_FUNCTIONS(QD_DWMAPI_VARIABLE)
#undef QD_DWMAPI_VARIABLE
}  // namespace dxDWMApi

// The library's module handle (nullptr when absent) and the start-up binding's result.
extern HMODULE dwmapiDLL;
extern bool dwmPresent;

// False before Windows Vista and when the library does not load; otherwise binds the twelve
// functions and answers True.
bool InitDWM();
bool IsDwmPresent();
// Asked anew each time: False without the library or when the query fails.
bool IsCompositionEnabled();

// Start-up binds (dwmPresent := InitDWM); shut-down clears the variables and frees the
// library.
namespace dxDWMApi {
void Initialize();
void Finalize();
}  // namespace dxDWMApi

}  // namespace qd
