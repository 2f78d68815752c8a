#pragma once
// The scale-factor bookkeeping that controls, child components and forms share when a control
// changes parent or the pixel density changes.
#include <cstdint>

#include "platform/forms/controls.h"
#include "ui/core/cxGeometryScaleFactor.h"

namespace qd {

class TcxControlHelper {
 public:
  // The parent really changes, or the control is being read from a stored form.
  static bool CanSetParent(TControl* AControl, TWinControl* ANewParent);
  // The control takes the scale of its (new) parent.
  static void UpdateScaleFactorOnParentChange(TControl* AControl);
  static void ChangeScaleFactor(TControl* AControl, const TdxScaleFactor* ATargetScaleFactor);
  // Only for a control offering IdxScaleFactor: assigned directly while it is being loaded,
  // otherwise scaled to the pixel density the ratio gives.
  static void ChangeScaleFactor(TControl* AControl, int32_t ATargetNumerator, int32_t ATargetDenominator);
  // A scalable component, a control, or a child component (through its control, or its own
  // scale factor without one).
  static void ScaleForPPI(TObject* AObject, int32_t ATargetPPI);
  static TControl* GetControlByObject(TObject* AObject);
  static int32_t GetCurrentDPIFromControl(TObject* AObject);
  static TPoint GetOriginalParentSize(TObject* AObject);
};

}  // namespace qd
