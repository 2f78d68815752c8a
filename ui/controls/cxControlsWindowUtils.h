#pragma once
// The control framework's window services that the graphics layer and the painters call:
// window geometry (in ui/core/cxWindowGeometry.h, below the graphics layer that prints
// windows with it), the system-information object and the designer notification.
//
// Lower layers (ui/graphics, ui/lookandfeel) link below qd_controls and must not include
// this header; when they need these functions, the functions move down to ui/core or get a
// declaration there.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxClassesTimer.h"
#include "ui/core/cxWindowGeometry.h"

namespace qd {

class TComponent;
class TWinControl;

// The process-wide system-information object.
class TdxSystemInfo : public TcxMessageWindow {
  QD_CLASS(TdxSystemInfo, TcxMessageWindow)

 public:
  // Asks SystemParametersInfoW for AParameter (no update flags) and answers whether it
  // succeeded. SPI_GETICONTITLELOGFONT passes the size of a LOGFONTW, SPI_GETNONCLIENTMETRICS
  // sets AValue's cbSize, SPI_GETANIMATION sets AValue's cbSize and passes it; other codes
  // leave AValue as the caller prepared it. The caller supplies a buffer of the right type.
  template <class T>
  bool GetParameter(uint32_t AParameter, T& AValue) {
    return GetParameter(AParameter, static_cast<void*>(&AValue), sizeof(T));
  }
  bool GetParameter(uint32_t AParameter, void* AValue, size_t AValueSize);
};

// Created on the first call unless the control framework has shut down (then whatever it
// still holds, possibly nullptr).
TdxSystemInfo* dxSystemInfo();

// Tells the form designer that the component changed, unless it is not being designed or
// it (or, for a control, one of its parents) is loading, being written or destroyed. This
// platform runs no designer: the notification goes to the hook below when one is set.
void SetDesignerModified(TComponent* AComponent);
using TdxDesignerModifiedProc = void (*)(TComponent* AComponent);
void dxSetDesignerModifiedHook(TdxDesignerModifiedProc AProc);

// Shut-down frees the system-information object; it is not created again.
namespace cxControlsWindowUtils {
void Initialize();
void Finalize();
}  // namespace cxControlsWindowUtils

}  // namespace qd
