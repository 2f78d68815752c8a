#include "ui/core/dxDWMApi.h"

#include "platform/os/kernel.h"
#include "ui/core/dxCore.h"

namespace qd {

namespace dxDWMApi {
#define QD_DWMAPI_DEFINE(Name) decltype(&::qd::Name) Name = nullptr;
QD_DWMAPI_FUNCTIONS(QD_DWMAPI_DEFINE)
#undef QD_DWMAPI_DEFINE
}  // namespace dxDWMApi

HMODULE dwmapiDLL = nullptr;
bool dwmPresent = false;

bool InitDWM() {
  if (!IsWinVistaOrLater()) return false;
  if (!dwmapiDLL) dwmapiDLL = LoadLibraryW(u"dwmapi.dll");
  if (!dwmapiDLL) return false;
#define QD_DWMAPI_BIND(Name) \
  dxDWMApi::Name = reinterpret_cast<decltype(dxDWMApi::Name)>(GetProcAddress(dwmapiDLL, #Name));
  QD_DWMAPI_FUNCTIONS(QD_DWMAPI_BIND)
#undef QD_DWMAPI_BIND
  return true;
}

bool IsDwmPresent() {
  return dwmPresent;
}

bool IsCompositionEnabled() {
  BOOL enabled = FALSE;
  return dwmPresent && dxDWMApi::DwmIsCompositionEnabled &&
         dxDWMApi::DwmIsCompositionEnabled(&enabled) >= 0 && enabled;
}

namespace dxDWMApi {

void Initialize() {
  dwmPresent = InitDWM();
}

void Finalize() {
#define QD_DWMAPI_CLEAR(Name) Name = nullptr;
  QD_DWMAPI_FUNCTIONS(QD_DWMAPI_CLEAR)
#undef QD_DWMAPI_CLEAR
  dwmPresent = false;
  if (dwmapiDLL) FreeLibrary(dwmapiDLL);
  dwmapiDLL = nullptr;
}

}  // namespace dxDWMApi

}  // namespace qd
