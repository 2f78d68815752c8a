// Desktop composition (dwmapi) and the common-controls start-up (comctl32).
#include <atomic>

#include "platform/os/user_display.h"
#include "platform/os/user_internal.h"

namespace qd::os {
namespace {
std::atomic<bool> g_composition{true};
}

void SetCompositionEnabled(bool enabled) {
  if (g_composition.exchange(enabled) != enabled)
    SendMessageW(HWND_BROADCAST, WM_DWMCOMPOSITIONCHANGED, 0, 0);
}

bool CompositionEnabled() {
  return g_composition.load();
}

}  // namespace qd::os

namespace qd {

HRESULT DwmIsCompositionEnabled(BOOL* enabled) {
  if (!enabled) return E_INVALIDARG;
  *enabled = os::CompositionEnabled() ? TRUE : FALSE;
  return S_OK;
}

// Since Windows 8 composition cannot be switched off by programs.
HRESULT DwmEnableComposition(UINT) {
  return S_OK;
}

HRESULT DwmExtendFrameIntoClientArea(HWND hwnd, const MARGINS* margins) {
  if (!IsWindow(hwnd) || !margins) return E_INVALIDARG;
  return os::CompositionEnabled() ? S_OK : static_cast<HRESULT>(0x80263001u);  // DWM_E_COMPOSITIONDISABLED
}

BOOL DwmDefWindowProc(HWND, UINT, WPARAM, LPARAM, LRESULT* result) {
  if (result) *result = 0;
  return FALSE;
}

HRESULT DwmEnableBlurBehindWindow(HWND hwnd, const DWM_BLURBEHIND* blur) {
  return IsWindow(hwnd) && blur ? S_OK : E_INVALIDARG;
}

HRESULT DwmEnableMMCSS(BOOL) {
  return S_OK;
}

HRESULT DwmGetColorizationColor(DWORD* color, BOOL* opaqueBlend) {
  if (!color || !opaqueBlend) return E_INVALIDARG;
  *color = 0xC40078D7;  // the default accent colour
  *opaqueBlend = TRUE;
  return S_OK;
}

HRESULT DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  if (!IsWindow(hwnd) || !value) return E_INVALIDARG;
  switch (attribute) {
    case DWMWA_EXTENDED_FRAME_BOUNDS: {
      if (size < sizeof(RECT)) return E_INVALIDARG;
      GetWindowRect(hwnd, static_cast<RECT*>(value));
      return S_OK;
    }
    case DWMWA_NCRENDERING_ENABLED:
    case DWMWA_CLOAKED: {
      if (size < sizeof(BOOL)) return E_INVALIDARG;
      *static_cast<BOOL*>(value) =
          attribute == DWMWA_NCRENDERING_ENABLED && os::CompositionEnabled() ? TRUE : FALSE;
      return S_OK;
    }
    default:
      return E_INVALIDARG;
  }
}

HRESULT DwmSetWindowAttribute(HWND hwnd, DWORD, const void* value, DWORD) {
  return IsWindow(hwnd) && value ? S_OK : E_INVALIDARG;
}

HRESULT DwmSetIconicThumbnail(HWND hwnd, HBITMAP, DWORD) {
  return IsWindow(hwnd) ? S_OK : E_INVALIDARG;
}

HRESULT DwmSetIconicLivePreviewBitmap(HWND hwnd, HBITMAP, POINT*, DWORD) {
  return IsWindow(hwnd) ? S_OK : E_INVALIDARG;
}

HRESULT DwmInvalidateIconicBitmaps(HWND hwnd) {
  return IsWindow(hwnd) ? S_OK : E_INVALIDARG;
}

void InitCommonControls() {}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  return init && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

}  // namespace qd
