// Scale changes of controls on a parent change or a density change.
#include "ui/controls/cxControlsScaleHelper.h"

#include "platform/base/mathutil.h"
#include "ui/controls/cxControlsPopup.h"
#include "ui/controls/dxForms.h"
#include "ui/core/cxGeometryScaleFactorIntf.h"
#include "ui/core/dxDPIAwareUtils.h"

namespace qd {

bool TcxControlHelper::CanSetParent(TControl* AControl, TWinControl* ANewParent) {
  return ANewParent != AControl->Parent() || AControl->ComponentState().Contains(csReading);
}

void TcxControlHelper::UpdateScaleFactorOnParentChange(TControl* AControl) {
  int32_t numerator = 0, denominator = 0;
  if (dxGetCurrentScaleFactor(AControl->Parent(), numerator, denominator))
    ChangeScaleFactor(AControl, numerator, denominator);
}

void TcxControlHelper::ChangeScaleFactor(TControl* AControl, const TdxScaleFactor* ATargetScaleFactor) {
  ChangeScaleFactor(AControl, ATargetScaleFactor->Numerator(), ATargetScaleFactor->Denominator());
}

void TcxControlHelper::ChangeScaleFactor(TControl* AControl, int32_t ATargetNumerator,
                                         int32_t ATargetDenominator) {
  auto* source = dynamic_cast<IdxScaleFactor*>(AControl);
  TdxScaleFactor* scaleFactor = source ? source->GetScaleFactor() : nullptr;
  if (!scaleFactor || ATargetNumerator <= 0 || ATargetDenominator <= 0) return;
  int32_t ratioNumerator = ATargetNumerator * scaleFactor->Denominator();
  int32_t ratioDenominator = ATargetDenominator * scaleFactor->Numerator();
  cxReduceFraction(ratioNumerator, ratioDenominator);
  if (AControl->ComponentState().Contains(csLoading)) {
    scaleFactor->Assign(ATargetNumerator, ATargetDenominator, true);
    AControl->SetCurrentPPI(MulDiv(AControl->CurrentPPI(), ratioNumerator, ratioDenominator));
  } else if (ratioNumerator != ratioDenominator) {
    AControl->ScaleForPPI(MulDiv(AControl->CurrentPPI(), ratioNumerator, ratioDenominator));
  }
}

void TcxControlHelper::ScaleForPPI(TObject* AObject, int32_t ATargetPPI) {
  if (auto* scalable = dynamic_cast<IcxScalableComponent*>(AObject)) {
    scalable->ScaleForPPI(ATargetPPI);
  } else if (auto* control = dynamic_cast<TControl*>(AObject)) {
    control->ScaleForPPI(ATargetPPI);
  } else if (auto* child = dynamic_cast<TcxControlChildComponent*>(AObject)) {
    if (child->Control())
      ScaleForPPI(child->Control(), ATargetPPI);
    else
      child->ScaleFactor()->Change(ATargetPPI, TdxScaleFactorHelper::TargetDPI(child->ScaleFactor()));
  }
}

TControl* TcxControlHelper::GetControlByObject(TObject* AObject) {
  if (auto* control = dynamic_cast<TControl*>(AObject)) return control;
  if (auto* child = dynamic_cast<TcxControlChildComponent*>(AObject)) return child->Control();
  return nullptr;
}

int32_t TcxControlHelper::GetCurrentDPIFromControl(TObject* AObject) {
  if (TControl* control = GetControlByObject(AObject)) return control->CurrentPPI();
  return dxGetSystemDPI();
}

}  // namespace qd
