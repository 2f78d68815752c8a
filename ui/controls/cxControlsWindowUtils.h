#pragma once
// The control framework's window services that the graphics layer and the painters call:
// window geometry, the system-information object and the designer notification.
//
// Lower layers (ui/graphics, ui/lookandfeel) link below qd_controls and must not include
// this header; when they need these functions, the functions move down to ui/core or get a
// declaration there.
#include <cstdint>

#include "platform/base/geometry.h"
#include "platform/os/wintypes.h"
#include "ui/core/cxClassesTimer.h"

namespace qd {

class TComponent;
class TWinControl;

// The window's style has WS_CHILD.
bool IsChildClassWindow(HWND AWnd);

// The window rectangle in screen coordinates; all zero when it cannot be read.
TRect cxGetWindowRect(HWND AHandle);
// All zero while the control has no window (none is created).
TRect cxGetWindowRect(TWinControl* AControl);
// (0, 0, client width, client height); all zero when it cannot be read.
TRect cxGetClientRect(HWND AHandle);
// The window rectangle moved to the origin; all zero when it cannot be read.
TRect cxGetWindowBounds(HWND AHandle);
// For the control's window (created when it does not exist yet).
TRect cxGetWindowBounds(TWinControl* AControl);
// Where the client area starts inside the window rectangle; X is measured from the right
// edge for a window with a right-to-left layout.
TPoint cxGetClientOffset(HWND AHandle);
// R moved (size kept) so that its top-left point is mapped from AFrom's coordinates to
// ATo's: client coordinates through the system's point mapping, otherwise window
// coordinates.
TRect dxMapWindowRect(HWND AFrom, HWND ATo, const TRect& R, bool AClientCoordinates = true);

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
