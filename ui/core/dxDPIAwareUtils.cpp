#include "ui/core/dxDPIAwareUtils.h"

#include "platform/base/mathutil.h"
#include "platform/classes/registry.h"
#include "platform/forms/controls.h"
#include "platform/forms/forms.h"
#include "platform/forms/graphics.h"
#include "platform/os/gdi.h"
#include "platform/os/kernel.h"
#include "platform/os/user.h"
#include "ui/core/cxClasses.h"
#include "ui/core/dxCore.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSystemBasedScaleFactor)
QD_IMPLEMENT_CLASS(TdxDesktopScaleFactor)
QD_IMPLEMENT_CLASS(TdxSystemScaleFactor)

namespace {

using TGetSystemMetricsForDpi = int (*)(int, UINT);
using TGetThreadDpiAwarenessContext = DPI_AWARENESS_CONTEXT (*)();
using TGetProcessDpiAwareness = HRESULT (*)(HANDLE, int*);

TdxScaleFactor* FDefaultScaleFactor = nullptr;
TdxSystemBasedScaleFactor* FDesktopScaleFactor = nullptr;
TdxSystemBasedScaleFactor* FSystemScaleFactor = nullptr;
bool FDPIAwareUnitIsFinalized = false;
HMODULE FShellCoreLibHandle = nullptr;
TGetSystemMetricsForDpi FGetSystemMetricsForDpi = nullptr;
TGetThreadDpiAwarenessContext FGetThreadDpiAwarenessContext = nullptr;
TGetProcessDpiAwareness FGetProcessDpiAwareness = nullptr;

template <class F>
F Bind(HMODULE AModule, const char* AName) {
  return AModule ? reinterpret_cast<F>(GetProcAddress(AModule, AName)) : nullptr;
}

void BindDPIFunctions() {
  FShellCoreLibHandle = LoadLibraryW(u"Shcore.dll");
  FGetProcessDpiAwareness = Bind<TGetProcessDpiAwareness>(FShellCoreLibHandle, "GetProcessDpiAwareness");
  HMODULE user32 = GetModuleHandleW(u"user32.dll");
  FGetSystemMetricsForDpi = Bind<TGetSystemMetricsForDpi>(user32, "GetSystemMetricsForDpi");
  FGetThreadDpiAwarenessContext = Bind<TGetThreadDpiAwarenessContext>(user32, "GetThreadDpiAwarenessContext");
}

void UnbindDPIFunctions() {
  FGetSystemMetricsForDpi = nullptr;
  FGetThreadDpiAwarenessContext = nullptr;
  FGetProcessDpiAwareness = nullptr;
  if (FShellCoreLibHandle) FreeLibrary(FShellCoreLibHandle);
  FShellCoreLibHandle = nullptr;
}

template <class T>
TdxSystemBasedScaleFactor* CreateSystemBased(TdxSystemBasedScaleFactor*& AField) {
  if (!AField && !FDPIAwareUnitIsFinalized) {
    AField = new T;
    AField->Update();
  }
  return AField;
}

}  // namespace

int32_t TdxScaleFactorHelper::TargetDPI(const TdxScaleFactor* AScaleFactor) {
  if (AScaleFactor && AScaleFactor->Assigned())
    return MulDiv(dxDefaultDPI, AScaleFactor->Numerator(), AScaleFactor->Denominator());
  return dxDefaultDPI;
}

void TdxDesktopScaleFactor::Update() {
  Assign(dxIsProcessDPIAware() ? dxGetDesktopDPI() : dxGetSystemDPI(), dxDefaultDPI, false);
}

void TdxSystemScaleFactor::Update() {
  Assign(dxGetSystemDPI(), dxDefaultDPI, false);
}

int32_t dxCheckDPIValue(int32_t ADPI) {
  return ADPI < dxMinDPI ? dxMinDPI : (ADPI > dxMaxDPI ? dxMaxDPI : ADPI);
}

int32_t dxGetSystemDPI() {
  HDC dc = GetDC(nullptr);
  const int32_t result = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return result;
}

int32_t dxGetDesktopDPI() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, u"Control Panel\\Desktop\\WindowMetrics", 0, KEY_READ, &key) == 0) {
    DWORD type = 0;
    int32_t value = 0;
    DWORD size = sizeof(value);
    const LONG status =
        RegQueryValueExW(key, u"AppliedDPI", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    if (status == 0 && type == REG_DWORD && size == sizeof(value)) return value;
  }
  return dxGetSystemDPI();
}

namespace {

int32_t MonitorDPI(HMONITOR AMonitor) {
  UINT dpiX = 0, dpiY = 0;
  if (AMonitor && GetDpiForMonitor(AMonitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY) == 0)
    return static_cast<int32_t>(dpiX);
  return dxGetSystemDPI();
}

}  // namespace

int32_t dxGetMonitorDPI(TMonitor* AMonitor) {
  return AMonitor ? MonitorDPI(AMonitor->Handle()) : dxGetSystemDPI();
}

int32_t dxGetMonitorDPI(const TPoint& APoint) {
  return MonitorDPI(MonitorFromPoint(APoint, MONITOR_DEFAULTTONEAREST));
}

int32_t dxGetFormDPI(TCustomForm* AForm) {
  return AForm->CurrentPPI() != 0 ? AForm->CurrentPPI() : AForm->PixelsPerInch();
}

bool dxGetCurrentScaleFactor(TComponent* AComponent, int32_t& ANumerator, int32_t& ADenominator) {
  if (auto* form = dynamic_cast<TCustomForm*>(AComponent)) {
    ANumerator = dxGetFormDPI(form);
    ADenominator = dxDefaultDPI;
    return true;
  }
  if (auto* intf = dynamic_cast<IdxScaleFactor*>(AComponent)) {
    if (TdxScaleFactor* factor = intf->ScaleFactor()) {
      ANumerator = factor->Numerator();
      ADenominator = factor->Denominator();
      return true;
    }
    return false;
  }
  if (auto* control = dynamic_cast<TControl*>(AComponent))
    return control->Parent() && dxGetCurrentScaleFactor(control->Parent(), ANumerator, ADenominator);
  return false;
}

int32_t dxGetCurrentDPI(TComponent* AComponent) {
  int32_t numerator = 1, denominator = 1;
  if (dxGetCurrentScaleFactor(AComponent, numerator, denominator))
    return MulDiv(dxDefaultDPI, numerator, denominator);
  return dxDefaultDPI;
}

int32_t dxGetTargetDPI(TComponent* AComponent) {
  if (IsWin8OrLater()) {
    for (TComponent* c = AComponent; c; c = c->Owner()) {
      if (auto* control = dynamic_cast<TControl*>(c)) {
        const TRect r = control->ClientRect();
        const TPoint center{GetRangeCenter(r.Left, r.Right), GetRangeCenter(r.Top, r.Bottom)};
        return dxGetMonitorDPI(control->ClientToScreen(center));
      }
    }
  }
  return dxGetSystemDPI();
}

TdxScaleFactor* dxGetScaleFactor(TObject* AObject) {
  if (auto* intf = dynamic_cast<IdxScaleFactor*>(AObject)) return intf->ScaleFactor();
  return dxSystemScaleFactor();
}

int32_t dxGetSystemMetrics(int32_t AIndex, const TdxScaleFactor* AScaleFactor) {
  if (!AScaleFactor) return GetSystemMetrics(AIndex);
  if (FGetSystemMetricsForDpi)
    return FGetSystemMetricsForDpi(AIndex, static_cast<UINT>(TdxScaleFactorHelper::TargetDPI(AScaleFactor)));
  const TdxScaleFactor* desktop = dxDesktopScaleFactor();
  return AScaleFactor->Apply(GetSystemMetrics(AIndex), desktop ? desktop->Numerator() : 1,
                             desktop ? desktop->Denominator() : 1);
}

void dxAssignFont(TFont* ADest, TFont* ASource, const TdxScaleFactor* ADestScaleFactor,
                  const TdxScaleFactor* ASourceScaleFactor) {
  ADest->Assign(ASource);
  ADest->SetHeight(ADestScaleFactor->Apply(ASource->Height(), ASourceScaleFactor->Numerator(),
                                           ASourceScaleFactor->Denominator()));
}

TdxScaleFactor* dxDefaultScaleFactor() {
  if (!FDefaultScaleFactor && !FDPIAwareUnitIsFinalized) FDefaultScaleFactor = new TdxScaleFactor;
  return FDefaultScaleFactor;
}

TdxSystemBasedScaleFactor* dxDesktopScaleFactor() {
  return CreateSystemBased<TdxDesktopScaleFactor>(FDesktopScaleFactor);
}

TdxSystemBasedScaleFactor* dxSystemScaleFactor() {
  return CreateSystemBased<TdxSystemScaleFactor>(FSystemScaleFactor);
}

bool dxGetProcessDpiAwareness(HANDLE AProcess, TdxProcessDpiAwareness& AValue) {
  int value = 0;
  if (!FGetProcessDpiAwareness || FGetProcessDpiAwareness(AProcess, &value) != 0) return false;
  if (value < pdaUnaware || value > pdaPerMonitorDpiAwareV2) return false;
  AValue = static_cast<TdxProcessDpiAwareness>(value);
  return true;
}

TdxProcessDpiAwareness dxGetProcessDpiAwareness() {
  if (FGetThreadDpiAwarenessContext) {
    switch (reinterpret_cast<uintptr_t>(FGetThreadDpiAwarenessContext())) {
      case 0x10:
        return pdaUnaware;
      case 0x11:
        return pdaSystemDpiAware;
      case 0x12:
        return pdaPerMonitorDpiAware;
      case 0x22:
        return pdaPerMonitorDpiAwareV2;
      default:
        break;
    }
  }
  TdxProcessDpiAwareness result = pdaUnaware;
  if (dxGetProcessDpiAwareness(GetCurrentProcess(), result)) return result;
  return dxIsProcessDPIAware() ? pdaSystemDpiAware : pdaUnaware;
}

bool dxIsProcessDPIAware() {
  return IsWinVistaOrLater() && IsProcessDPIAware();
}

bool dxIsProcessPerMonitorV2Aware() {
  return IsWin10OrLater() && dxGetProcessDpiAwareness() == pdaPerMonitorDpiAwareV2;
}

namespace dxDPIAwareUtils {

void Initialize() {
  FDPIAwareUnitIsFinalized = false;
  dxUnitsLoader()->AddUnit(&BindDPIFunctions, &UnbindDPIFunctions);
}

void Finalize() {
  FDPIAwareUnitIsFinalized = true;
  dxUnitsLoader()->RemoveUnit(&UnbindDPIFunctions);
  delete FDefaultScaleFactor;
  FDefaultScaleFactor = nullptr;
  delete FDesktopScaleFactor;
  FDesktopScaleFactor = nullptr;
  delete FSystemScaleFactor;
  FSystemScaleFactor = nullptr;
}

}  // namespace dxDPIAwareUtils

}  // namespace qd
