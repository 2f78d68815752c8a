#pragma once
// The scale-factor bookkeeping that controls, child components and forms share when a control
// changes parent or is scaled for another pixel density.
#include <cstdint>

#include "platform/forms/controls.h"
#include "ui/core/cxGeometryScaleFactor.h"

namespace qd {

class TcxControlHelper {
 public:
  // A new parent, or the control is being read.
  static bool CanSetParent(TControl* AControl, TWinControl* ANewParent);
  // The control takes its new parent's current scale, when that can be read.
  static void UpdateScaleFactorOnParentChange(TControl* AControl);
  static void ChangeScaleFactor(TControl* AControl, const TdxScaleFactor* ATargetScaleFactor);
  // Only for a control with a scale factor of its own: while loading the factor is assigned
  // (and CurrentPPI follows); otherwise the control is scaled to the ratio of the two scales.
  static void ChangeScaleFactor(TControl* AControl, int32_t ATargetNumerator, int32_t ATargetDenominator);
  // A scalable component, a platform control, or a child component (through its control).
  static void ScaleForPPI(TObject* AObject, int32_t ATargetPPI);
  static TControl* GetControlByObject(TObject* AObject);
  // The object's control's CurrentPPI, else the system DPI.
  static int32_t GetCurrentDPIFromControl(TObject* AObject);
};

}  // namespace qd
