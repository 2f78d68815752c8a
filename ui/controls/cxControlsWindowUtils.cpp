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
