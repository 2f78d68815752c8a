#include "ui/controls/cxControlsWindowUtils.h"

#include "platform/classes/classes.h"
#include "platform/forms/controls.h"
#include "platform/os/user.h"

namespace qd {

QD_IMPLEMENT_CLASS(TdxSystemInfo)

namespace {

TdxSystemInfo* FSystemInfo = nullptr;
bool FUnitIsFinalized = false;
TdxDesignerModifiedProc FDesignerModifiedHook = nullptr;

bool IsLoadingWritingOrDestroying(const TComponent* AComponent) {
  const TComponentState state = AComponent->ComponentState();
  return state.Contains(csLoading) || state.Contains(csWriting) || state.Contains(csDestroying);
}

}  // namespace

bool IsChildClassWindow(HWND AWnd) {
  return (static_cast<DWORD>(GetWindowLongW(AWnd, GWL_STYLE)) & WS_CHILD) != 0;
}

TRect cxGetWindowRect(HWND AHandle) {
  TRect r{};
  if (!GetWindowRect(AHandle, &r)) r = {};
  return r;
}

TRect cxGetWindowRect(TWinControl* AControl) {
  return AControl && AControl->HandleAllocated() ? cxGetWindowRect(AControl->Handle()) : TRect{};
}

TRect cxGetClientRect(HWND AHandle) {
  TRect r{};
  if (!GetClientRect(AHandle, &r)) r = {};
  return r;
}

TRect cxGetWindowBounds(HWND AHandle) {
  const TRect r = cxGetWindowRect(AHandle);
  return {0, 0, r.Right - r.Left, r.Bottom - r.Top};
}

TRect cxGetWindowBounds(TWinControl* AControl) {
  return cxGetWindowBounds(AControl->Handle());
}

TPoint cxGetClientOffset(HWND AHandle) {
  const TRect windowRect = cxGetWindowRect(AHandle);
  TPoint origin{0, 0};
  ClientToScreen(AHandle, &origin);
  if (static_cast<DWORD>(GetWindowLongW(AHandle, GWL_EXSTYLE)) & WS_EX_LAYOUTRTL)
    return {windowRect.Right - origin.X, origin.Y - windowRect.Top};
  return {origin.X - windowRect.Left, origin.Y - windowRect.Top};
}

TRect dxMapWindowRect(HWND AFrom, HWND ATo, const TRect& R, bool AClientCoordinates) {
  TPoint p{R.Left, R.Top};
  if (AClientCoordinates) {
    MapWindowPoints(AFrom, ATo, &p, 1);
  } else {
    const TRect from = cxGetWindowRect(AFrom);
    const TRect to = cxGetWindowRect(ATo);
    p = {p.X + from.Left - to.Left, p.Y + from.Top - to.Top};
  }
  return {p.X, p.Y, p.X + (R.Right - R.Left), p.Y + (R.Bottom - R.Top)};
}

// --- TdxSystemInfo ---------------------------------------------------------------------------

bool TdxSystemInfo::GetParameter(uint32_t AParameter, void* AValue, size_t AValueSize) {
  UINT uiParam = 0;
  switch (AParameter) {
    case SPI_GETICONTITLELOGFONT:
      uiParam = sizeof(LOGFONTW);
      break;
    case SPI_GETNONCLIENTMETRICS:
      if (AValueSize >= sizeof(UINT)) *static_cast<UINT*>(AValue) = sizeof(NONCLIENTMETRICSW);
      break;
    case SPI_GETANIMATION:
      uiParam = sizeof(ANIMATIONINFO);
      if (AValueSize >= sizeof(UINT)) *static_cast<UINT*>(AValue) = sizeof(ANIMATIONINFO);
      break;
    default:
      break;
  }
  return SystemParametersInfoW(AParameter, uiParam, AValue, 0) != FALSE;
}

TdxSystemInfo* dxSystemInfo() {
  if (!FSystemInfo && !FUnitIsFinalized) FSystemInfo = new TdxSystemInfo;
  return FSystemInfo;
}

// --- Designer -------------------------------------------------------------------------------

void SetDesignerModified(TComponent* AComponent) {
  if (!AComponent || !AComponent->ComponentState().Contains(csDesigning)) return;
  if (IsLoadingWritingOrDestroying(AComponent)) return;
  if (auto* control = dynamic_cast<TControl*>(AComponent))
    for (TWinControl* parent = control->Parent(); parent; parent = parent->Parent())
      if (IsLoadingWritingOrDestroying(parent)) return;
  if (FDesignerModifiedHook) FDesignerModifiedHook(AComponent);
}

void dxSetDesignerModifiedHook(TdxDesignerModifiedProc AProc) {
  FDesignerModifiedHook = AProc;
}

namespace cxControlsWindowUtils {

void Initialize() {
  FUnitIsFinalized = false;
}

void Finalize() {
  FUnitIsFinalized = true;
  delete FSystemInfo;
  FSystemInfo = nullptr;
}

}  // namespace cxControlsWindowUtils

}  // namespace qd
